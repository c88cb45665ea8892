// Whole locks of the real Dorguard, driven from outside through its windows as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/ShellServices.h"
#include "platform/TrayIcon.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/Wait.h"
#include "tests/unlock/Unlock.h"

namespace dorbolt::test {
namespace {

constexpr wchar_t kPassword[] = L"Secret";
constexpr wchar_t kReportTitle[] = L"Unauthorized Access...";
constexpr wchar_t kHeading[] = L"Incorrect Passwords Have Been Entered. They Are:\r\n \r\n";
constexpr UINT kTrayIconId = 1;

// The system's screen-saver-running flag as the program left it. Wine keeps it here, and its
// SPI_GETSCREENSAVERRUNNING answers from a copy made at a process's first question, so another
// process's later change would not show.
bool ScreenSaverFlag() {
  wchar_t value[8] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop",
                     L"WINE_ScreenSaverRunning", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return false;
  }
  return std::wstring(value) == L"1";
}

class WholeLock : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    StorePasswordForTest(kPassword);
    PutString(layout::kSettingsKey, layout::kBackLock, layout::kNoBackground);
    ShowTaskbar();
    ASSERT_TRUE(FileExists(layout::kAlarmSound)) << "the test command installs the alarm sound";
    ASSERT_GE(CapturedSoundBytes(), 0) << "ALSA_CAPTURE is not set: run through the test command";
  }
  // A program ended from outside leaves the shell as it was: put it back.
  void TearDown() override {
    guard.reset();
    ShowTaskbar();
    DWORD scratch = 0;
    ::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &scratch, 0);
    ClearSettings();
  }

  HWND Shown(const wchar_t* className) {
    HWND window = guard->Window(className);
    return Visible(window) ? window : nullptr;
  }
  bool PromptTakesInput() {
    HWND prompt = Shown(L"Dorbolt.Form9");
    return prompt && ::IsWindowEnabled(prompt) && !guard->Window(L"Dorbolt.frmPassWrong");
  }
  HWND Prompt() { return guard->Window(L"Dorbolt.Form9"); }
  void Enter(const std::wstring& password) {
    Type(EditBox(Prompt(), 0), password);
    PostClick(FindChildByText(Prompt(), L"Unlock!"));
  }
  // The lock screen with the notice over it; the taskbar goes and the flag is set.
  bool Locked() {
    return Shown(L"Dorbolt.Form1") && Shown(L"Dorbolt.Form2") && !TaskbarVisible() && ScreenSaverFlag();
  }
  // Everything of the lock gone, the tray window back with its idle icon.
  bool BackInTheTray() {
    HWND tray = guard->Window(L"Dorbolt.Form3");
    return tray && TrayIconExists(tray, kTrayIconId) && !guard->Window(L"Dorbolt.Form1") &&
           !guard->Window(L"Dorbolt.Form2") && !guard->Window(L"Dorbolt.Form9") &&
           !guard->Window(L"Dorbolt.frmPassWrong");
  }
  // Waits for the prompt over the notice, as Unlock! on the notice opens it.
  bool OpenPrompt() {
    PostClick(FindChildByText(Shown(L"Dorbolt.Form2"), L"Unlock!"));
    return WaitUntil([&] { return PromptTakesInput(); }, 10000);
  }

  TrayHolder holder;  // Wine shows its taskbar only while the notification area has an icon
  std::unique_ptr<RunningProgram> guard;
};

struct AlarmSeen {
  SYSTEMTIME before{};
  SYSTEMTIME after{};
  ULONGLONG lastedMs = 0;  // from the click to the alarm gone
  bool promptDisabled = false;
  bool sounded = false;
  bool came = false;
  bool went = false;
};

TEST_F(WholeLock, TwoWrongPasswordsThenTheRightOneThenASecondLockFromTheTray) {
  guard = std::make_unique<RunningProgram>(ProgramPath(L"Dorguard.exe"));
  ASSERT_TRUE(guard->Started());
  ASSERT_TRUE(WaitUntil([&] { return Locked(); }, 15000)) << "Dorguard locks as it starts";
  ASSERT_TRUE(OpenPrompt());
  EXPECT_EQ(WindowText(EditBox(Prompt(), 2)), L"") << "the log starts empty";
  PumpFor(300);
  SaveScreenshot(ArtefactsDir() + L"\\unlock-prompt.png");

  const std::wstring wrong[] = {L"secret", L" Secret"};
  AlarmSeen alarms[2];
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    AlarmSeen& a = alarms[i];
    const long long bytesBefore = CapturedSoundBytes();
    a.before = Now();
    const ULONGLONG clicked = ::GetTickCount64();
    Enter(wrong[i]);
    a.came = WaitUntil([&] { return Shown(L"Dorbolt.frmPassWrong") != nullptr; }, 5000);
    a.after = Now();
    a.promptDisabled = !::IsWindowEnabled(Prompt());
    a.sounded = WaitUntil([&] { return CapturedSoundBytes() > bytesBefore; }, 3000);
    a.went = WaitUntil([&] { return guard->Window(L"Dorbolt.frmPassWrong") == nullptr; }, 10000);
    a.lastedMs = ::GetTickCount64() - clicked;
    ASSERT_TRUE(a.came && a.went);
    ASSERT_TRUE(WaitUntil([&] { return PromptTakesInput(); }, 3000)) << "the prompt takes the next password";
  }

  Enter(kPassword);
  std::wstring report;
  bool shellBackAtReport = false;
  ASSERT_TRUE(WaitUntil([&] { return BoxTitled(kReportTitle) != nullptr; }, 5000)) << "the report";
  report = MessageBoxText(BoxTitled(kReportTitle));
  PumpFor(300);
  SaveScreenshot(ArtefactsDir() + L"\\unlock-report.png");
  shellBackAtReport = TaskbarVisible() && !ScreenSaverFlag();
  PressOk(BoxTitled(kReportTitle));
  ASSERT_TRUE(WaitUntil([&] { return BackInTheTray(); }, 5000)) << "the lock ends in the tray";

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(alarms[i].promptDisabled) << "no password is taken while the alarm is up";
    EXPECT_TRUE(alarms[i].sounded) << "the alarm sound reached the device";
    EXPECT_GE(alarms[i].lastedMs, 2400u) << "the alarm stays its 2.5 s";
    EXPECT_LT(alarms[i].lastedMs, 8000u);
  }
  EXPECT_TRUE(shellBackAtReport) << "taskbar and flag are back before the report";
  EXPECT_TRUE(TaskbarVisible());
  EXPECT_FALSE(ScreenSaverFlag());

  // The heading, then each attempt in clear, oldest first, with the time of its click.
  ASSERT_EQ(report.substr(0, std::size(kHeading) - 1), kHeading);
  bool wellFormed = false;
  const auto attempts = ParseLog(report.substr(std::size(kHeading) - 1), wellFormed);
  ASSERT_TRUE(wellFormed) << ToAnsi(report);
  ASSERT_EQ(attempts.size(), 2u);
  std::wstring expected = kHeading;
  for (int i = 0; i < 2; ++i) {
    const auto times = TimesBetween(alarms[i].before, alarms[i].after);
    EXPECT_NE(std::find(times.begin(), times.end(), attempts[i].time), times.end()) << ToAnsi(attempts[i].time);
    expected += L"At " + attempts[i].time + L", the password: " + wrong[i] + L" was entered. \r\n";
  }
  EXPECT_EQ(report, expected);

  // A second lock, from the tray this time: it behaves like the first, with a log of its own.
  ::PostMessageW(guard->Window(L"Dorbolt.Form3"), YoconTray::kCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return Locked(); }, 10000)) << "the second lock";
  EXPECT_FALSE(guard->Window(L"Dorbolt.Form3")) << "the tray window goes while locked";
  ASSERT_TRUE(OpenPrompt());
  EXPECT_EQ(WindowText(EditBox(Prompt(), 2)), L"") << "the log of the first lock is gone";
  Enter(kPassword);
  bool reported = false;
  EXPECT_TRUE(WaitUntil(
      [&] {
        if (HWND box = BoxTitled(kReportTitle)) {
          reported = true;
          PressOk(box);
        }
        return BackInTheTray();
      },
      5000));
  EXPECT_FALSE(reported) << "the right password at the first try: no report";
  EXPECT_TRUE(TaskbarVisible());
  EXPECT_FALSE(ScreenSaverFlag());
  EXPECT_TRUE(guard->Running()) << "Dorguard stays in the tray like Dorwatch";
}

}  // namespace
}  // namespace dorbolt::test
