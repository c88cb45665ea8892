// Locks as a user sees them: Dorguard locking as it starts, and a session of Dorwatch with two
// locks from its icon, wrong passwords and their alarms, the report, and a cancelled exit.
#include <gtest/gtest.h>

#include "tests/acceptance/Locking.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/XInput.h"

namespace dorbolt::test::accept {
namespace {

class AcceptanceLock : public WithPassword {};

TEST_F(AcceptanceLock, DorguardLocksAtOnceAndTheTaskbarGoesASecondAfterTheNotice) {
  TrayHolder holder;  // an icon of another program: Wine shows its taskbar only while there is one
  ASSERT_TRUE(TaskbarVisible());
  const long long started = Now();
  Start(L"Dorguard.exe");
  long long lockScreen = -1, noticeLoaded = -1, noticeShown = -1, taskbarHidden = -1;
  bool trayWindowWhileLocked = false;
  WaitUntil(
      [&] {
        const long long t = Now() - started;
        if (lockScreen < 0 && P().Shown(L"Form1")) lockScreen = t;
        if (noticeLoaded < 0 && P().Window(L"Form2")) noticeLoaded = t;
        if (noticeShown < 0 && P().Shown(L"Form2")) noticeShown = t;
        if (taskbarHidden < 0 && !TaskbarVisible()) taskbarHidden = t;
        if (lockScreen >= 0 && P().Window(L"Form3")) trayWindowWhileLocked = true;
        return taskbarHidden >= 0 && noticeShown >= 0;
      },
      15000);
  std::printf("Dorguard: lock screen %lld ms, notice loaded %lld ms, shown %lld ms, taskbar hidden %lld ms\n",
              lockScreen, noticeLoaded, noticeShown, taskbarHidden);
  ASSERT_GE(lockScreen, 0) << "the lock screen shows";
  ASSERT_GE(noticeShown, 0) << "the notice shows";
  ASSERT_GE(taskbarHidden, 0) << "the taskbar goes";
  EXPECT_LE(lockScreen, noticeShown) << "the notice right after the lock screen";
  EXPECT_LT(noticeShown - lockScreen, 1000);
  EXPECT_GT(taskbarHidden - noticeLoaded, 500) << "the taskbar goes about a second after the notice came";
  EXPECT_LT(taskbarHidden - noticeLoaded, 2500);
  EXPECT_FALSE(trayWindowWhileLocked) << "no tray icon while locked";
  EXPECT_FALSE(P().Window(L"Form3"));
  HWND notice = P().Window(L"Form2");
  EXPECT_TRUE(FindChildByText(notice, L"This Workstation Is Locked!")) << "the notice's title";
  Screenshot(L"DorguardLocks", L"locked");

  ASSERT_TRUE(OpenPrompt()) << "Unlock! opens the prompt";
  Screenshot(L"DorguardLocks", L"prompt");
  const Unlocked u = UnlockWithThePassword();
  EXPECT_TRUE(u.idle) << "after the unlock Dorguard waits in the tray";
  EXPECT_FALSE(u.report) << "no wrong password, no report";
  EXPECT_TRUE(TaskbarVisible());
  Screenshot(L"DorguardLocks", L"unlocked");
}

TEST_F(AcceptanceLock, DorwatchSessionOfTwoLocksWithAlarmsReportAndACancelledExit) {
  Start();
  const auto idleIcon = Idle();
  ASSERT_TRUE(idleIcon) << "the idle icon on the taskbar";
  Screenshot(L"DorwatchSession", L"idle");

  // The first lock, with a second double click while it is activating.
  const Activation first = DoubleClickIcon(true, L"DorwatchSession");
  std::printf("first lock: icon %lld ms, taskbar hidden %lld ms, lock screen %lld ms\n", first.iconSwapped,
              first.taskbarHidden, first.lockScreen);
  ExpectLockedOnTime(first);
  EXPECT_TRUE(first.secondDoubleClickDone) << "the second double click came while the icon showed";
  EXPECT_FALSE(first.secondDoubleClickChangedIcon) << "a second double click changes nothing visible";
  ASSERT_TRUE(Locked());
  Screenshot(L"DorwatchSession", L"locked");

  HWND prompt = OpenPrompt();
  ASSERT_TRUE(prompt);
  const std::wstring wrong[] = {L"secret", L"Secret ", L"terceS"};
  for (const auto& attempt : wrong) {
    SCOPED_TRACE(testing::Message() << "wrong password " << (&attempt - wrong + 1));
    const long long clicked = Now();
    ASSERT_TRUE(Enter(attempt));
    ASSERT_TRUE(P().WaitShown(L"frmPassWrong", 5000)) << "the alarm";
    EXPECT_FALSE(::IsWindowEnabled(prompt)) << "the prompt waits behind the alarm";
    if (&attempt == wrong) Screenshot(L"DorwatchSession", L"alarm");
    // What is typed while the alarm is up reaches no password box.
    HWND entry = EditBox(prompt, 0);
    const std::wstring before = WindowText(entry);
    x::ClickWindow(entry);
    x::Type(L"x");
    ASSERT_TRUE(WaitUntil([&] { return PromptTakesInput(); }, 10000)) << "the alarm closes by itself";
    const long long lasted = Now() - clicked;
    EXPECT_EQ(WindowText(entry), before) << "the prompt took nothing while the alarm was up";
    EXPECT_GE(lasted, 2300) << "the alarm stays its two and a half seconds";
    EXPECT_LT(lasted, 9000);
  }

  Unlocked u = UnlockWithThePassword(kPassword, L"DorwatchSession");
  ASSERT_TRUE(u.report) << "the report of the wrong passwords";
  Screenshot(L"DorwatchSession", L"unlocked");
  const std::wstring heading = L"Incorrect Passwords Have Been Entered. They Are:\r\n \r\n";
  EXPECT_EQ(u.report->substr(0, heading.size()), heading);
  size_t from = 0;
  for (const auto& attempt : wrong) {
    const size_t at = u.report->find(L", the password: " + attempt + L" was entered. \r\n", from);
    EXPECT_NE(at, std::wstring::npos) << "each attempt in clear, in order";
    if (at != std::wstring::npos) from = at + 1;
  }
  ASSERT_TRUE(u.idle) << "back idle in the tray";
  EXPECT_EQ(SettledIcon(IconPlace()), *idleIcon) << "the idle icon is back";

  // "Exit Dorbolt", and Cancel at the gate.
  ASSERT_TRUE(ChooseFromIconMenu(MenuItem::Exit));
  HWND gate = P().WaitShown(L"Form8");
  ASSERT_TRUE(gate) << "the exit gate";
  ASSERT_TRUE(ClickButton(gate, L"Cancel"));
  ASSERT_TRUE(P().WaitGone(L"Form8"));

  // The second lock behaves like the first; no wrong password this time, so no report.
  const Activation second = DoubleClickIcon(false);
  std::printf("second lock: icon %lld ms, taskbar hidden %lld ms, lock screen %lld ms\n", second.iconSwapped,
              second.taskbarHidden, second.lockScreen);
  ExpectLockedOnTime(second);
  EXPECT_EQ(second.activatingIcon, first.activatingIcon) << "the same activating icon";
  ASSERT_TRUE(Locked());
  ASSERT_TRUE(OpenPrompt());
  u = UnlockWithThePassword();
  EXPECT_FALSE(u.report) << "the previous lock's attempts are not reported again";
  ASSERT_TRUE(u.idle) << "idle in the tray after the cancelled exit";
  EXPECT_EQ(SettledIcon(IconPlace()), *idleIcon);
  EXPECT_FALSE(P().Window(L"Form8")) << "the unlock closed the cancelled gate";
  EXPECT_TRUE(P().Process().Running());
  Screenshot(L"DorwatchSession", L"idle-again");
}

}  // namespace
}  // namespace dorbolt::test::accept
