// Dorwatch.exe as a user drives it: the first-run dialog of a machine without a password, the
// tray icon and its double click, the menu, the lock and unlock, and leaving through the gate.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "platform/ShellServices.h"
#include "tests/dialogs/Driver.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"
#include "tests/tray/Tray.h"

namespace dorbolt::test {
namespace {

using namespace password_text;

std::optional<std::wstring> StoredPin() { return GetString(layout::kSettingsKey, layout::kPin); }

bool Shown(HWND window) { return window && ::IsWindowVisible(window); }
long long Now() { return static_cast<long long>(::GetTickCount64()); }

void Screenshot(const wchar_t* name) {
  const std::wstring dir = ArtefactsDir();
  if (!dir.empty()) SaveScreenshot(dir + L"\\" + name + L".png");
}

bool ShowsAnotherIcon(const std::vector<DWORD>& now, const std::vector<DWORD>& before) {
  return now != before && !OneColour(now);
}

class DorwatchProgram : public testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override {
    program.reset();
    ClearSettings();
  }
  RunningProgram& Start() {
    program.emplace(ProgramPath(L"Dorwatch.exe"));
    return *program;
  }
  HWND Window(const wchar_t* name) const { return program->Window((std::wstring(L"Dorbolt.") + name).c_str()); }
  HWND WaitForShown(const wchar_t* name, DWORD ms = 10000) const {
    HWND found = nullptr;
    WaitUntil([&] { return Shown(found = Window(name)); }, ms);
    return Shown(found) ? found : nullptr;
  }
  // Answers the next message box with this title; what it said, or nothing if none came.
  static std::optional<std::wstring> AnswerBox(const wchar_t* title, DWORD ms = 10000) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox(title)) != nullptr; }, ms)) return std::nullopt;
    std::wstring text = MessageBoxText(box);
    PressOk(box);
    WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000);
    return text;
  }
  // "Exit Dorbolt", "Options" or "Activate Dorbolt" from the icon's menu.
  bool Choose(MenuItem item) {
    HWND tray = Window(L"Form3");
    RequestMenu(tray);
    if (!WaitUntil([] { return PopupMenu() != nullptr; }, 5000)) return false;
    ChooseFromMenu(PopupMenu(), item);
    return WaitUntil([] { return PopupMenu() == nullptr; }, 5000);
  }
  bool Ended(DWORD ms = 10000) { return program->WaitForExit(ms); }

  std::optional<RunningProgram> program;
};

// --- No password stored -------------------------------------------------------------------

TEST_F(DorwatchProgram, FirstRunRefusesBadEntriesThenStoresThePasswordAndEnds) {
  auto& p = Start();
  HWND dialog = WaitForShown(L"Form6");
  ASSERT_TRUE(dialog) << "the first-run dialog opens";
  HWND tray = Window(L"Form3");
  ASSERT_TRUE(tray) << "the tray window is loaded, hidden";
  EXPECT_FALSE(::IsWindowVisible(tray));
  EXPECT_FALSE(TrayIconExists(tray, kIconId));

  struct Refusal {
    const wchar_t* password;
    const wchar_t* confirmation;
    const wchar_t* message;
  };
  constexpr Refusal refusals[] = {
      {L"Secret", L"Secert", kMismatch},
      {L"Not Found", L"Not Found", kReserved},
      {L"dnuoF toN", L"dnuoF toN", kReserved},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(ToAnsi(r.confirmation));
    Type(EditBox(dialog, 0), r.password);
    Type(EditBox(dialog, 1), r.confirmation);
    PostClick(Control(dialog, L"OK"));
    EXPECT_EQ(AnswerBox(kErrorTitle), std::optional<std::wstring>(r.message));
    EXPECT_TRUE(Shown(dialog)) << "the dialog stays";
    EXPECT_FALSE(StoredPin());
  }

  Type(EditBox(dialog, 0), L"Secret");
  Type(EditBox(dialog, 1), L"Secret");
  PostClick(Control(dialog, L"OK"));
  HWND info = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (info = FindMessageBox(kChangedTitle)) != nullptr; }, 10000));
  EXPECT_EQ(MessageBoxText(info), L"Password Successfully Set");
  EXPECT_EQ(StoredPin(), std::optional<std::wstring>(L"terceS"));
  EXPECT_FALSE(FindMessageBox(L"Restart Dorbolt")) << "one box at a time";
  PressOk(info);
  HWND warning = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (warning = FindMessageBox(L"Restart Dorbolt")) != nullptr; }, 10000));
  EXPECT_EQ(MessageBoxText(warning), L"Now Restart Dorbolt To Enable Lock Features");
  EXPECT_TRUE(p.Running()) << "the program ends only after both boxes";
  PressOk(warning);
  ASSERT_TRUE(Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(tray, kIconId));
}

TEST_F(DorwatchProgram, FirstRunCancelEndsAndLeavesTheRegistryUntouched) {
  PutString(layout::kSettingsKey, layout::kBackLock, L"Window");
  auto& p = Start();
  HWND dialog = WaitForShown(L"Form6");
  ASSERT_TRUE(dialog);
  HWND tray = Window(L"Form3");
  Type(EditBox(dialog, 0), L"typed");
  Type(EditBox(dialog, 1), L"typed");
  PostClick(Control(dialog, L"Cancel"));
  ASSERT_TRUE(Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(tray, kIconId));
  EXPECT_FALSE(StoredPin());
  EXPECT_EQ(GetString(layout::kSettingsKey, layout::kBackLock), std::optional<std::wstring>(L"Window"));
}

// --- A password stored ----------------------------------------------------------------------

class DorwatchWithPassword : public DorwatchProgram {
 protected:
  void SetUp() override {
    DorwatchProgram::SetUp();
    StorePasswordForTest(L"Secret");
  }
  void TearDown() override {
    DorwatchProgram::TearDown();
    ShowTaskbar();  // after a lock that a failed test left behind
  }
  // The program idle in the tray, its icon on the taskbar; the tray window.
  HWND Idle() {
    HWND tray = nullptr;
    WaitUntil([&] { return (tray = Window(L"Form3")) && TrayIconExists(tray, kIconId) && TaskbarVisible(); }, 10000);
    return tray && TrayIconExists(tray, kIconId) ? tray : nullptr;
  }

  // What one activation showed, in ms from the activation.
  struct Lock {
    long long iconSwapped = -1;   // the icon on the screen changed while the taskbar showed
    long long noticeLoaded = -1;  // the notice window exists (hidden)
    long long taskbarHidden = -1;
    bool iconWhenTaskbarHid = false;
    long long lockScreen = -1;
    bool iconWithLockScreen = true;
  };
  Lock Activate(HWND tray, bool byMenu) {
    Lock seen;
    const POINT icon = FirstTrayIconCentre();
    // The pointer rests on the icon first, so that only the icon can change what is there.
    MovePointer(icon);
    WaitUntil([&] { return PointerNear(icon); }, 2000);
    const auto idle = SettledIcon(icon);
    long long started = Now();
    if (byMenu) {
      EXPECT_TRUE(Choose(MenuItem::Activate));
    } else {
      DoubleClickAt(icon);
    }
    // The activation comes with the second click, at the end of the gesture.
    if (!byMenu) started = Now();
    WaitUntil(
        [&] {
          const long long t = Now() - started;
          const bool bar = TaskbarVisible();
          if (seen.iconSwapped < 0 && bar && ShowsAnotherIcon(PixelsAround(icon), idle)) seen.iconSwapped = t;
          if (seen.noticeLoaded < 0 && Window(L"Form2")) seen.noticeLoaded = t;
          if (seen.taskbarHidden < 0 && !bar) {
            seen.taskbarHidden = t;
            seen.iconWhenTaskbarHid = TrayIconExists(tray, kIconId);
          }
          if (Shown(Window(L"Form1"))) {
            seen.lockScreen = t;
            seen.iconWithLockScreen = TrayIconExists(tray, kIconId);
            return true;
          }
          return false;
        },
        8000);
    return seen;
  }
  static void ExpectLockedLikeTheFirst(const Lock& l) {
    EXPECT_GE(l.iconSwapped, -300) << "not before the click";
    EXPECT_LT(l.iconSwapped, 800) << "the icon changes at once";
    EXPECT_GE(l.noticeLoaded, -300);
    EXPECT_LT(l.noticeLoaded, 800) << "the notice is loaded with the activating icon";
    EXPECT_GT(l.taskbarHidden, 600) << "the taskbar goes about a second on";
    EXPECT_LT(l.taskbarHidden, 1700);
    EXPECT_TRUE(l.iconWhenTaskbarHid) << "hidden by the program, not because the icon went";
    EXPECT_GT(l.lockScreen, 1700) << "the lock screen comes about two seconds on";
    EXPECT_LT(l.lockScreen, 3000);
    EXPECT_LT(l.taskbarHidden, l.lockScreen);
    EXPECT_FALSE(l.iconWithLockScreen) << "no tray icon while locked";
  }
  // Unlock! on the notice, the password in the prompt, and the program back in the tray.
  HWND Unlock() {
    HWND notice = WaitForShown(L"Form2");
    if (!notice) return nullptr;
    PostClick(Control(notice, L"Unlock!"));
    HWND prompt = WaitForShown(L"Form9");
    if (!prompt) return nullptr;
    Type(EditBox(prompt, 0), L"Secret");
    PostClick(Control(prompt, L"Unlock!"));
    WaitUntil([&] { return !Window(L"Form1"); }, 10000);
    return Idle();
  }
};

TEST_F(DorwatchWithPassword, DoubleClickLocksTwoSecondsLaterAndUnlockComesBackToTheTray) {
  Start();
  HWND tray = Idle();
  ASSERT_TRUE(tray) << "the idle icon";
  EXPECT_FALSE(Window(L"Form6"));
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round == 1 ? "first lock" : "second lock");
    const Lock l = Activate(tray, false);
    std::printf("lock %d: icon %lld ms, notice %lld ms, taskbar hidden %lld ms, lock screen %lld ms\n", round,
                l.iconSwapped, l.noticeLoaded, l.taskbarHidden, l.lockScreen);
    ExpectLockedLikeTheFirst(l);
    if (round == 1 && WaitForShown(L"Form2")) {
      PumpFor(300);  // the display shows what was painted a moment later
      Screenshot(L"dorwatch-locked");
    }
    EXPECT_FALSE(Window(L"Form3")) << "the tray window is unloaded while locked";
    tray = Unlock();
    ASSERT_TRUE(tray) << "unlocked: the idle icon is back";
    EXPECT_TRUE(TaskbarVisible());
    EXPECT_FALSE(Window(L"Form2")) << "the notice is loaded afresh at the next lock";
  }
}

TEST_F(DorwatchWithPassword, ActivateDorboltFromTheMenuLocksTheSameWay) {
  Start();
  HWND tray = Idle();
  ASSERT_TRUE(tray);
  const Lock l = Activate(tray, true);
  ExpectLockedLikeTheFirst(l);
  ASSERT_TRUE(Unlock());
}

TEST_F(DorwatchWithPassword, ExitGateWrongPasswordCancelAndRightPassword) {
  auto& p = Start();
  HWND tray = Idle();
  ASSERT_TRUE(tray);
  ASSERT_TRUE(Choose(MenuItem::Exit));
  HWND gate = WaitForShown(L"Form8");
  ASSERT_TRUE(gate);
  EXPECT_EQ(WindowText(gate), L"Password Protected");

  Type(EditBox(gate, 0), L"wrong");
  PostClick(Control(gate, L"OK"));
  EXPECT_TRUE(WaitForShown(L"frmPassWrong", 5000)) << "the alarm";
  EXPECT_TRUE(WaitUntil([&] { return !Shown(Window(L"frmPassWrong")); }, 8000)) << "the alarm closes itself";
  EXPECT_TRUE(Shown(gate)) << "the gate stays";
  EXPECT_TRUE(p.Running());

  PostClick(Control(gate, L"Cancel"));
  ASSERT_TRUE(WaitUntil([&] { return !Shown(gate); }, 5000));
  EXPECT_TRUE(::IsWindow(gate)) << "only hidden";
  EXPECT_TRUE(TrayIconExists(tray, kIconId));

  ASSERT_TRUE(Choose(MenuItem::Exit));
  ASSERT_EQ(WaitForShown(L"Form8"), gate) << "the same gate";
  EXPECT_TRUE(Control(gate, L"This area is password protected. Please enter your password to continue:"));
  EXPECT_EQ(WindowText(EditBox(gate, 0)), L"gnorw") << "its entry box as it was left";

  Type(EditBox(gate, 0), L"Secret");
  PostClick(Control(gate, L"OK"));
  ASSERT_TRUE(Ended()) << "the right password ends the program";
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(tray, kIconId)) << "no icon left behind";
  EXPECT_FALSE(::IsWindow(gate));
}

TEST_F(DorwatchWithPassword, LockAfterACancelledExitEndsIdleInTheTray) {
  auto& p = Start();
  HWND tray = Idle();
  ASSERT_TRUE(tray);
  ASSERT_TRUE(Choose(MenuItem::Exit));
  HWND gate = WaitForShown(L"Form8");
  ASSERT_TRUE(gate);
  PostClick(Control(gate, L"Cancel"));
  ASSERT_TRUE(WaitUntil([&] { return !Shown(gate); }, 5000));

  const Lock l = Activate(tray, false);
  ExpectLockedLikeTheFirst(l);
  HWND again = Unlock();
  ASSERT_TRUE(again) << "TrayIdle with the idle icon";
  EXPECT_FALSE(Window(L"Form8")) << "the unlock unloaded the hidden gate";
  EXPECT_TRUE(p.Running());
}

}  // namespace
}  // namespace dorbolt::test
