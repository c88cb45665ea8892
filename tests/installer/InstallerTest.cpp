// The setup program as an administrator runs it: silently, then the uninstaller silently.
// The prefix's C:\Windows already holds the programs for the other test programs; every test
// here leaves the machine as it found it.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/RegistryLayout.h"
#include "platform/Handles.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"

namespace dorbolt::test {
namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dorbolt";
constexpr wchar_t kInstalledFiles[][16] = {L"Dorwatch.exe", L"Dorguard.exe", L"magisnd.wav"};
constexpr wchar_t kShortcuts[][24] = {L"Dorwatch.lnk", L"Dorguard.lnk", L"Uninstall Dorbolt.lnk"};
// Another program's start-up value, which the uninstaller must leave alone.
constexpr wchar_t kNeighbourValue[] = L"DorboltTestNeighbour";
constexpr DWORD kProcessTimeoutMs = 60000;

std::wstring Lower(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring WindowsDir() {
  wchar_t dir[MAX_PATH] = {};
  ::GetWindowsDirectoryW(dir, MAX_PATH);
  return dir;
}

std::wstring ShellFolder(int csidl) {
  wchar_t dir[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, dir);
  return dir;
}

std::wstring MenuDir() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\Dorbolt"; }
std::wstring DefaultInstallDir() { return ShellFolder(CSIDL_PROGRAM_FILES) + L"\\Dorbolt"; }
std::wstring SetupPath() { return ProgramPath(L"DorboltSetup.exe"); }

bool IsFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDir(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<char>> ReadWhole(const std::wstring& path) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return std::nullopt;
  }
  std::vector<char> bytes(::GetFileSize(file.get(), nullptr));
  DWORD read = 0;
  if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

bool WriteWhole(const std::wstring& path, const std::vector<char>& bytes) {
  UniqueKernelHandle file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

std::optional<DWORD> GetDword(const wchar_t* key, const wchar_t* name) {
  const auto raw = GetRaw(key, name);
  if (!raw || raw->type != REG_DWORD || raw->bytes.size() != sizeof(DWORD)) return std::nullopt;
  DWORD value = 0;
  memcpy(&value, raw->bytes.data(), sizeof value);
  return value;
}

void RestoreValue(const wchar_t* key, const wchar_t* name, const std::optional<RawValue>& saved) {
  if (saved) {
    PutRaw(key, name, saved->type, saved->bytes);
    return;
  }
  HKEY k = nullptr;
  std::wstring path(key);
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
    ::RegDeleteValueW(k, name);
    ::RegCloseKey(k);
  }
}

// Starts a command line and waits, pumping messages, for it to end: its exit code, or nullopt
// when it could not start or did not end in time (it is ended then).
std::optional<DWORD> RunToEnd(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return std::nullopt;
  }
  UniqueKernelHandle process(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  const bool ended =
      WaitUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, kProcessTimeoutMs);
  if (!ended) {
    ::TerminateProcess(process.get(), 99);
    ::WaitForSingleObject(process.get(), 5000);
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

// Where a shortcut leads, as the shell reads it.
std::wstring ShortcutTarget(const std::wstring& link) {
  IShellLinkW* shell = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell)))) {
    return L"";
  }
  std::wstring target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
        SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
      target = path;
    }
    file->Release();
  }
  shell->Release();
  return target;
}

// What the tests change on this machine, put back as it was at the end of each test.
class MachineState {
 public:
  MachineState() {
    for (const auto* name : kInstalledFiles) files_.push_back(ReadWhole(WindowsDir() + L"\\" + name));
    runValue_ = GetRaw(layout::kRunKey, layout::kRunValue);
    pin_ = GetRaw(layout::kSettingsKey, layout::kPin);
    std::wstring settings(layout::kSettingsKey);
    settings.pop_back();
    settingsExisted_ = KeyExists(settings.c_str());
  }
  MachineState(const MachineState&) = delete;
  MachineState& operator=(const MachineState&) = delete;

  ~MachineState() {
    // Whatever a failed test left of an installation.
    for (const auto* name : kShortcuts) ::DeleteFileW((MenuDir() + L"\\" + name).c_str());
    ::RemoveDirectoryW(MenuDir().c_str());
    ::DeleteFileW((DefaultInstallDir() + L"\\Uninstall.exe").c_str());
    ::RemoveDirectoryW(DefaultInstallDir().c_str());
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey);

    for (size_t i = 0; i < files_.size(); ++i) {
      const std::wstring path = WindowsDir() + L"\\" + kInstalledFiles[i];
      if (files_[i]) {
        WriteWhole(path, *files_[i]);
      } else {
        ::DeleteFileW(path.c_str());
      }
    }
    RestoreValue(layout::kRunKey, layout::kRunValue, runValue_);
    RestoreValue(layout::kRunKey, kNeighbourValue, std::nullopt);
    if (settingsExisted_) {
      RestoreValue(layout::kSettingsKey, layout::kPin, pin_);
    } else {
      std::wstring settings(layout::kSettingsKey);
      settings.pop_back();
      ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, settings.c_str());
      ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, settings.c_str());
    }
  }

 private:
  std::vector<std::optional<std::vector<char>>> files_;
  std::optional<RawValue> runValue_;
  std::optional<RawValue> pin_;
  bool settingsExisted_ = false;
};

class InstallerTest : public testing::Test {
 protected:
  void SetUp() override {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(IsFile(SetupPath())) << "the build makes DorboltSetup.exe with makensis (package nsis)";
    ASSERT_FALSE(KeyExists(kUninstallKey)) << "Dorbolt is already installed on this machine";
    state_.emplace();
  }
  void TearDown() override {
    state_.reset();
    ::CoUninitialize();
  }

  // The setup run as a deployment tool runs it; true when it reported success.
  static bool InstallSilently() {
    const auto code = RunToEnd(L"\"" + SetupPath() + L"\" /S");
    EXPECT_EQ(code, std::optional<DWORD>(0)) << "silent setup";
    return code == std::optional<DWORD>(0);
  }

  static void RemoveInstalledFiles() {
    for (const auto* name : kInstalledFiles) ::DeleteFileW((WindowsDir() + L"\\" + name).c_str());
  }

 private:
  std::optional<MachineState> state_;
};

TEST_F(InstallerTest, SilentSetupInstallsProgramsShortcutsAndAddRemoveEntry) {
  RemoveInstalledFiles();
  ASSERT_TRUE(InstallSilently());

  // The programs and the sound are exactly the built ones, where the start-up value and the
  // alarm look for them.
  const std::wstring built[] = {ProgramPath(L"Dorwatch.exe"), ProgramPath(L"Dorguard.exe"),
                                std::wstring(DORBOLT_SOURCE_DIR) + L"\\assets\\magisnd.wav"};
  for (size_t i = 0; i < std::size(kInstalledFiles); ++i) {
    SCOPED_TRACE(kInstalledFiles[i]);
    const auto installed = ReadWhole(WindowsDir() + L"\\" + kInstalledFiles[i]);
    ASSERT_TRUE(installed.has_value());
    EXPECT_TRUE(*installed == ReadWhole(built[i]).value_or(std::vector<char>{}));
  }
  EXPECT_EQ(Lower(WindowsDir() + L"\\Dorwatch.exe"), Lower(layout::kWatchCommand));

  // The uninstaller lives under Program Files; the Add/Remove entry leads to it.
  const std::wstring uninstaller = DefaultInstallDir() + L"\\Uninstall.exe";
  EXPECT_TRUE(IsFile(uninstaller));
  EXPECT_EQ(GetString(kUninstallKey, L"DisplayName"), L"Dorbolt");
  EXPECT_EQ(GetString(kUninstallKey, L"Publisher"), L"Dorbolt");
  EXPECT_EQ(GetString(kUninstallKey, L"DisplayVersion"), L"1.0.0");
  EXPECT_EQ(Lower(GetString(kUninstallKey, L"InstallLocation").value_or(L"")), Lower(DefaultInstallDir()));
  EXPECT_EQ(Lower(GetString(kUninstallKey, L"UninstallString").value_or(L"")),
            Lower(L"\"" + uninstaller + L"\""));
  EXPECT_EQ(Lower(GetString(kUninstallKey, L"QuietUninstallString").value_or(L"")),
            Lower(L"\"" + uninstaller + L"\" /S"));
  EXPECT_EQ(Lower(GetString(kUninstallKey, L"DisplayIcon").value_or(L"")),
            Lower(WindowsDir() + L"\\Dorwatch.exe,0"));
  EXPECT_EQ(GetDword(kUninstallKey, L"NoModify"), std::optional<DWORD>(1));
  EXPECT_EQ(GetDword(kUninstallKey, L"NoRepair"), std::optional<DWORD>(1));

  // One Start-menu folder for all users; each shortcut leads to its program.
  const std::wstring targets[] = {WindowsDir() + L"\\Dorwatch.exe", WindowsDir() + L"\\Dorguard.exe",
                                  uninstaller};
  for (size_t i = 0; i < std::size(kShortcuts); ++i) {
    SCOPED_TRACE(kShortcuts[i]);
    const std::wstring link = MenuDir() + L"\\" + kShortcuts[i];
    ASSERT_TRUE(IsFile(link));
    EXPECT_EQ(Lower(ShortcutTarget(link)), Lower(targets[i]));
  }

  // Installing never writes the start-up value: that stays the user's choice in the options.
  EXPECT_FALSE(GetRaw(layout::kRunKey, layout::kRunValue).has_value());
}

TEST_F(InstallerTest, SetupRefusesToReplaceARunningProgram) {
  RunningProgram watch(WindowsDir() + L"\\Dorwatch.exe");
  ASSERT_TRUE(watch.Started());
  const auto before = ReadWhole(WindowsDir() + L"\\Dorguard.exe");

  const auto code = RunToEnd(L"\"" + SetupPath() + L"\" /S");
  ASSERT_TRUE(code.has_value());
  EXPECT_NE(*code, 0u) << "a setup that could not replace the running program reports failure";
  EXPECT_TRUE(watch.Running());
  // Nothing was half installed.
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_FALSE(IsDir(MenuDir()));
  EXPECT_FALSE(IsDir(DefaultInstallDir()));
  EXPECT_TRUE(ReadWhole(WindowsDir() + L"\\Dorguard.exe") == before);
}

struct UninstallCase {
  const char* name;
  bool startupValueSet;
  // In place (_?=, returns when done) or as Add/Remove Programs runs it (the uninstaller copies
  // itself away, returns at once and removes its own folder too).
  bool inPlace;
};

void PrintTo(const UninstallCase& c, std::ostream* os) { *os << c.name; }

class UninstallTest : public InstallerTest, public testing::WithParamInterface<UninstallCase> {};

TEST_P(UninstallTest, RemovesProgramsShortcutsEntryAndStartupValueButKeepsSettings) {
  const UninstallCase& c = GetParam();
  ASSERT_TRUE(InstallSilently());
  if (c.startupValueSet) PutString(layout::kRunKey, layout::kRunValue, layout::kWatchCommand);
  PutString(layout::kRunKey, kNeighbourValue, L"C:\\Tools\\neighbour.exe");
  StorePasswordForTest(L"kept");

  const auto quiet = GetString(kUninstallKey, L"QuietUninstallString");
  const auto location = GetString(kUninstallKey, L"InstallLocation");
  ASSERT_TRUE(quiet && location);
  const auto everythingGone = [&] {
    for (const auto* name : kInstalledFiles) {
      if (IsFile(WindowsDir() + L"\\" + name)) return false;
    }
    return !IsDir(MenuDir()) && !KeyExists(kUninstallKey) &&
           !GetRaw(layout::kRunKey, layout::kRunValue).has_value();
  };
  if (c.inPlace) {
    // _?= goes last and unquoted, spaces and all.
    EXPECT_EQ(RunToEnd(*quiet + L" _?=" + *location), std::optional<DWORD>(0));
    EXPECT_TRUE(everythingGone());
  } else {
    EXPECT_EQ(RunToEnd(*quiet), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitUntil([&] { return everythingGone() && !IsDir(*location); }, kProcessTimeoutMs));
  }

  for (const auto* name : kInstalledFiles) EXPECT_FALSE(IsFile(WindowsDir() + L"\\" + name)) << name;
  for (const auto* name : kShortcuts) EXPECT_FALSE(IsFile(MenuDir() + L"\\" + name)) << name;
  EXPECT_FALSE(IsDir(MenuDir()));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_FALSE(GetRaw(layout::kRunKey, layout::kRunValue).has_value());
  EXPECT_EQ(GetString(layout::kRunKey, kNeighbourValue), L"C:\\Tools\\neighbour.exe");
  EXPECT_EQ(GetString(layout::kSettingsKey, layout::kPin), L"tpek");
}

INSTANTIATE_TEST_SUITE_P(
    Installer, UninstallTest,
    testing::Values(UninstallCase{"InPlaceWithStartupValue", true, true},
                    UninstallCase{"AsAddRemoveRunsItWithoutStartupValue", false, false}),
    [](const testing::TestParamInfo<UninstallCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dorbolt::test
