#pragma once
// What the acceptance tests share about a program with a password stored: waiting for it idle
// in the tray, a lock by a double click on its icon, and the unlock through the prompt.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/acceptance/User.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"
#include "tests/support/XInput.h"

namespace dorbolt::test::accept {

inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Security\\Dorbolt\\";
inline constexpr wchar_t kReportTitle[] = L"Unauthorized Access...";

// What one activation by a double click showed, in ms from the end of the double click.
struct Activation {
  long long iconSwapped = -1;     // the icon on the screen changed
  long long taskbarHidden = -1;   // the taskbar went...
  bool lockScreenAtTaskbar = false;  // ...with the lock screen already up (it must not be)
  long long lockScreen = -1;      // the lock screen showed
  std::vector<DWORD> activatingIcon;
  bool secondDoubleClickChangedIcon = false;  // or opened something at once
  bool secondDoubleClickDone = false;
};

class WithPassword : public testing::Test {
 protected:
  static constexpr wchar_t kPassword[] = L"Secret";

  void SetUp() override {
    ClearSettings();
    StorePasswordForTest(kPassword);
  }
  void TearDown() override {
    program.reset();
    ClearSettings();
  }

  Program& Start(const wchar_t* exe = L"Dorwatch.exe") {
    program.emplace(exe);
    return *program;
  }
  Program& P() { return *program; }

  // The program idle in the tray: its icon painted on the taskbar. The icon's pixels.
  std::optional<std::vector<DWORD>> Idle() {
    const bool idle = WaitUntil(
        [&] {
          HWND tray = P().Window(L"Form3");
          return tray && TrayIconExists(tray, 1) && TaskbarVisible() && !P().Window(L"Form1");
        },
        10000);
    if (!idle) return std::nullopt;
    return SettledIcon(IconPlace());
  }

  // A real double click on the icon, and what the screen showed until the lock screen came.
  // With `again`, a second double click follows as soon as the icon has changed. With a test
  // name, the screen is kept as the icon changed and as the taskbar went.
  Activation DoubleClickIcon(bool again, const wchar_t* test = nullptr) {
    Activation seen;
    const POINT icon = IconPlace();
    const auto idle = SettledIcon(icon);
    x::DoubleClickAt(icon);
    const long long clicked = Now();
    WaitUntil(
        [&] {
          const long long t = Now() - clicked;
          const bool bar = TaskbarVisible();
          const bool lockScreen = P().Shown(L"Form1");
          if (seen.iconSwapped < 0 && bar) {
            auto now = PixelsAround(icon);
            if (now != idle && !OneColour(now)) {
              seen.iconSwapped = t;
              seen.activatingIcon = SettledIcon(icon);
              if (test) ScreenshotNow(test, L"activating");
              if (again) {
                x::DoubleClickAt(icon);
                seen.secondDoubleClickDone = TaskbarVisible();
                // Watched for a moment: the icon stays as it is, and nothing opens.
                seen.secondDoubleClickChangedIcon = WaitUntil(
                    [&] {
                      return (TaskbarVisible() && PixelsAround(icon) != seen.activatingIcon) ||
                             PopupMenu() || P().Shown(L"Form1");
                    },
                    300);
              }
            }
          }
          if (seen.taskbarHidden < 0 && !bar) {
            seen.taskbarHidden = Now() - clicked;
            seen.lockScreenAtTaskbar = lockScreen;
            if (test) ScreenshotNow(test, L"taskbar-gone");
          }
          if (lockScreen) {
            seen.lockScreen = Now() - clicked;
            return true;
          }
          return false;
        },
        10000);
    return seen;
  }

  static void ExpectLockedOnTime(const Activation& a) {
    EXPECT_GE(a.iconSwapped, 0) << "the icon changes";
    EXPECT_LT(a.iconSwapped, 900) << "the icon changes at once";
    EXPECT_GT(a.taskbarHidden, 500) << "the taskbar goes about a second on";
    EXPECT_LT(a.taskbarHidden, 1900);
    EXPECT_FALSE(a.lockScreenAtTaskbar) << "the desktop is still visible when the taskbar goes";
    EXPECT_GT(a.lockScreen, 1500) << "the lock screen comes about two seconds on";
    EXPECT_LT(a.lockScreen, 3500);
    EXPECT_LT(a.taskbarHidden, a.lockScreen);
  }

  // Locked: the lock screen with the notice over it, and no tray window (so no icon).
  bool Locked() {
    return WaitUntil([&] { return P().Shown(L"Form1") && P().Shown(L"Form2") && !TaskbarVisible(); }, 10000) &&
           !P().Window(L"Form3");
  }

  // Unlock! on the notice; the prompt once it takes a password.
  HWND OpenPrompt() {
    if (!ClickButton(P().WaitShown(L"Form2"), L"Unlock!")) return nullptr;
    return WaitUntil([&] { return PromptTakesInput(); }, 10000) ? P().Window(L"Form9") : nullptr;
  }
  bool PromptTakesInput() {
    HWND prompt = P().Window(L"Form9");
    return prompt && ::IsWindowVisible(prompt) && ::IsWindowEnabled(prompt) && !P().Window(L"frmPassWrong");
  }
  // Types a password into the prompt and clicks its Unlock!.
  bool Enter(const std::wstring& password) {
    HWND prompt = P().Window(L"Form9");
    return TypeInto(EditBox(prompt, 0), password) && ClickButton(prompt, L"Unlock!");
  }

  // The right password: the report box (if any) is read and closed; back idle in the tray.
  struct Unlocked {
    bool idle = false;
    std::optional<std::wstring> report;
  };
  // With a test name, the screen is kept while the report shows.
  Unlocked UnlockWithThePassword(const std::wstring& password = kPassword, const wchar_t* test = nullptr) {
    Unlocked u;
    if (!Enter(password)) return u;
    WaitUntil(
        [&] {
          if (FindMessageBox(kReportTitle)) return true;
          HWND tray = P().Window(L"Form3");
          return tray && TrayIconExists(tray, 1) && !P().Window(L"Form1");
        },
        10000);
    if (FindMessageBox(kReportTitle)) {
      if (test) Screenshot(test, L"report");
      u.report = AnswerBox(kReportTitle);
    }
    u.idle = Idle().has_value();
    return u;
  }

  std::optional<Program> program;
};

}  // namespace dorbolt::test::accept
