#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// The routines through which every window reaches the registry.
namespace dorbolt {

// The advapi32 calls the settings store makes, gathered so that a test can make them fail.
struct AdvapiCalls {
  decltype(&::RegOpenKeyA) open;
  decltype(&::RegQueryValueExA) query;
  decltype(&::RegCloseKey) close;
  decltype(&::RegCreateKeyA) create;
  decltype(&::RegSetValueExA) set;
  decltype(&::RegFlushKey) flush;

  static const AdvapiCalls& System();
};

// A text for REG_SZ, a number for REG_DWORD.
using RegValue = std::variant<std::wstring, std::int32_t>;

namespace GenericModule {

// Size of the read buffer: longer data cannot be read.
inline constexpr DWORD kReadBufferBytes = 2048;

// The value as text, or "Not Found" for anything that cannot be read. Never fails.
std::wstring QueryRegString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                            const AdvapiCalls& calls = AdvapiCalls::System());

// Creates the key path if needed, writes, flushes and closes. True only when the value was
// created, written and flushed; a refused write leaves the old value in place. Never throws.
// A text that the ANSI code page cannot hold exactly is refused rather than stored mangled,
// and so is one too long for QueryRegString to read back.
bool SaveRegValue(HKEY root, std::wstring_view keyPath, std::wstring_view valueName, DWORD type,
                  const RegValue& value, const AdvapiCalls& calls = AdvapiCalls::System());

}  // namespace GenericModule

// Text conversions at the ANSI boundary of the registry calls.
std::string ToAnsi(std::wstring_view text, bool* lossy = nullptr);
std::wstring FromAnsi(std::string_view text);

}  // namespace dorbolt
