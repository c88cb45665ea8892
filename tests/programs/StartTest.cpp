#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RegistryLayout.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {
namespace {

// The DLL names in a PE file's import table.
std::vector<std::string> ImportedDlls(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    ::CloseHandle(file);
  }
  std::vector<std::string> names;
  if (bytes.size() < sizeof(IMAGE_DOS_HEADER)) return names;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
  const auto* sections = IMAGE_FIRST_SECTION(nt);
  auto offsetOf = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const auto& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
        return rva - s.VirtualAddress + s.PointerToRawData;
      }
    }
    return 0;
  };
  const DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (size_t at = offsetOf(importRva); at && at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= bytes.size();
       at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + at);
    if (entry->Name == 0) break;
    names.emplace_back(bytes.data() + offsetOf(entry->Name));
  }
  return names;
}

TEST(Programs, ImportOnlyWindowsSystemDlls) {
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  for (const wchar_t* program : {L"Dorwatch.exe", L"Dorguard.exe"}) {
    const auto dlls = ImportedDlls(ProgramPath(program));
    EXPECT_FALSE(dlls.empty()) << "no import table read";
    for (const auto& dll : dlls) {
      const std::wstring name(dll.begin(), dll.end());
      const std::wstring inSystem = std::wstring(system) + L"\\" + name;
      EXPECT_NE(::GetFileAttributesW(inSystem.c_str()), INVALID_FILE_ATTRIBUTES)
          << dll << " is not a system DLL";
      EXPECT_EQ(name.find(L"lib"), std::wstring::npos) << dll << " comes from the toolchain";
    }
  }
}

TEST(Dorwatch, WithAStoredPasswordWaitsHiddenInTheTray) {
  ClearSettings();
  StorePasswordForTest(L"secret");
  RunningProgram dorwatch(ProgramPath(L"Dorwatch.exe"));
  ASSERT_TRUE(dorwatch.Started());
  HWND tray = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tray = dorwatch.Window(L"Dorbolt.Form3")) != nullptr; }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(tray, 1); }, 5000)) << "the idle icon shows";
  EXPECT_FALSE(::IsWindowVisible(tray)) << "the tray window is never seen";
  // Nothing else opened, and the program stays.
  PumpFor(500);
  EXPECT_TRUE(dorwatch.Running());
  for (const wchar_t* other : {L"Dorbolt.Form1", L"Dorbolt.Form2", L"Dorbolt.Form6"}) {
    EXPECT_EQ(dorwatch.Window(other), nullptr) << "unexpected window";
  }
  ClearSettings();
}

TEST(Dorwatch, AStoredNotFoundCountsAsNoPassword) {
  ClearSettings();
  PutString(layout::kSettingsKey, layout::kPin, L"Not Found");
  RunningProgram dorwatch(ProgramPath(L"Dorwatch.exe"));
  HWND tray = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tray = dorwatch.Window(L"Dorbolt.Form3")) != nullptr; }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return dorwatch.Window(L"Dorbolt.Form6") != nullptr || !dorwatch.Running(); }, 10000))
      << "the first-run dialog opens instead";
  EXPECT_FALSE(TrayIconExists(tray, 1)) << "no icon without a password";
  ClearSettings();
}

}  // namespace
}  // namespace dorbolt::test
