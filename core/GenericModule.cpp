#include "core/GenericModule.h"

#include "core/RegistryLayout.h"

#include <array>
#include <cstdio>

namespace dorbolt {

const AdvapiCalls& AdvapiCalls::System() {
  static const AdvapiCalls calls{&::RegOpenKeyA,   &::RegQueryValueExA, &::RegCloseKey,
                                 &::RegCreateKeyA, &::RegSetValueExA,   &::RegFlushKey};
  return calls;
}

std::string ToAnsi(std::wstring_view text, bool* lossy) {
  if (lossy) *lossy = false;
  if (text.empty()) return {};
  const int wide = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  // No best-fit mapping: a password must never be stored as a look-alike.
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  const int n = ::WideCharToMultiByte(CP_ACP, flags, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), wide, out.data(), n, nullptr, &usedDefault);
  }
  if (lossy) *lossy = (n <= 0) || usedDefault;
  return out;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int narrow = static_cast<int>(text.size());
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), narrow, nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), narrow, out.data(), n);
  return out;
}

namespace {

std::wstring DwordText(const unsigned char* b) {
  const unsigned long long number = b[0] + 256ull * b[1] + 65536ull * b[2] + 16777216ull * b[3];
  wchar_t text[16];
  std::swprintf(text, 16, L"%03llu", number);
  return text;
}

std::wstring HexText(const unsigned char* data, DWORD length) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  text.reserve(length * 2u);
  for (DWORD i = 0; i < length; ++i) {
    text.push_back(kDigits[data[i] >> 4]);
    text.push_back(kDigits[data[i] & 0x0F]);
  }
  return text;
}

}  // namespace

namespace GenericModule {

std::wstring QueryRegString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                            const AdvapiCalls& calls) {
  const std::string path = ToAnsi(keyPath);
  const std::string name = ToAnsi(valueName);
  HKEY key = nullptr;
  if (calls.open(root, path.c_str(), &key) != ERROR_SUCCESS) key = nullptr;

  std::array<unsigned char, kReadBufferBytes> buffer;
  buffer.fill(' ');
  DWORD length = kReadBufferBytes;
  DWORD type = REG_NONE;
  const LONG status = calls.query(key, name.c_str(), nullptr, &type, buffer.data(), &length);
  calls.close(key);
  if (status != ERROR_SUCCESS || length > kReadBufferBytes) return layout::kNotFound;

  switch (type) {
    case REG_DWORD:
      return DwordText(buffer.data());
    case REG_BINARY:
      return HexText(buffer.data(), length);
    default:
      // Text: everything but the terminating NUL.
      if (length == 0) return {};
      return FromAnsi(std::string_view(reinterpret_cast<const char*>(buffer.data()), length - 1));
  }
}

bool SaveRegValue(HKEY root, std::wstring_view keyPath, std::wstring_view valueName, DWORD type,
                  const RegValue& value, const AdvapiCalls& calls) {
  std::string data;
  std::int32_t number = 0;
  if (type == REG_SZ) {
    const auto* text = std::get_if<std::wstring>(&value);
    if (!text) return false;
    bool lossy = false;
    data = ToAnsi(*text, &lossy);
    // Mangled, or too long to be read back: either way the setting would be lost.
    if (lossy || data.size() + 1 > kReadBufferBytes) return false;
  } else if (type == REG_DWORD) {
    const auto* n = std::get_if<std::int32_t>(&value);
    if (!n) return false;
    number = *n;
  } else {
    return false;
  }

  const std::string path = ToAnsi(keyPath);
  const std::string name = ToAnsi(valueName);
  HKEY key = nullptr;
  if (calls.create(root, path.c_str(), &key) != ERROR_SUCCESS || !key) return false;

  LONG status;
  if (type == REG_SZ) {
    status = calls.set(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
  } else {
    status = calls.set(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
  }
  const bool flushed = status == ERROR_SUCCESS && calls.flush(key) == ERROR_SUCCESS;
  calls.close(key);
  return flushed;
}

}  // namespace GenericModule
}  // namespace dorbolt
