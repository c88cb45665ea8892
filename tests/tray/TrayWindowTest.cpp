// The tray window in this process: its load, the activation and its two-second wait, and the
// popup menu with what it opens.
#include <gtest/gtest.h>

#include "core/RegistryLayout.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "platform/ShellServices.h"
#include "tests/dialogs/Session.h"
#include "tests/support/Wait.h"
#include "tests/tray/Tray.h"
#include "tray/Form3.h"

namespace dorbolt::test {
namespace {

class TrayWindow : public CleanSettings {
 protected:
  void TearDown() override {
    // An activation in this process hides the taskbar a second later.
    ShowTaskbar();
    CleanSettings::TearDown();
  }
};

TEST_F(TrayWindow, LoadWithAPasswordAddsTheIdleIcon) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.forms.Form3().Load();
  HWND tray = s.forms.Form3().Hwnd();
  EXPECT_TRUE(TrayIconExists(tray, kIconId));
  EXPECT_EQ(s.forms.Form3().YoconTray1().Tip(), L"Double Click to activate Dorbolt");
  EXPECT_EQ(s.forms.Form3().StoredPassword(), L"terceS");
  EXPECT_FALSE(s.forms.Form3().Timer1().Enabled());
  EXPECT_FALSE(s.forms.Form3().IsVisible());
  EXPECT_FALSE(s.forms.Form6().IsLoaded());
  s.forms.Form3().Unload();
  EXPECT_FALSE(TrayIconExists(tray, kIconId));
}

// No icon ever shows, and the first-run dialog's Cancel ends the program.
TEST_F(TrayWindow, WithoutAPasswordTheLoadOpensTheFirstRunDialog) {
  for (const bool sentinelStored : {false, true}) {
    SCOPED_TRACE(sentinelStored ? "\"Not Found\" stored" : "nothing stored");
    ClearSettings();
    if (sentinelStored) PutString(layout::kSettingsKey, layout::kPin, L"Not Found");
    Session s;
    bool iconWhileAsking = true;
    s.script.Then([&] { return s.forms.Form6().IsVisible(); },
                  [&] {
                    iconWhileAsking = TrayIconExists(s.forms.Form3().Hwnd(), kIconId);
                    PostClick(Control(s.forms.Form6().Hwnd(), L"Cancel"));
                  });
    s.script.Start();
    s.forms.Form3().Load();  // returns once the dialog has ended the program
    ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
    EXPECT_FALSE(iconWhileAsking);
    EXPECT_EQ(s.ends, 1);
    EXPECT_FALSE(s.forms.Model().AnyLoaded());
  }
}

// Both ways in behave the same: the icon changes at once, the notice is loaded hidden, and the
// lock screen opens two seconds after the first activation; a second one does not restart the
// wait.
TEST_F(TrayWindow, ActivationSwapsTheIconAndOpensTheLockScreenTwoSecondsLater) {
  enum class Way { DoubleClick, Menu };
  for (const Way way : {Way::DoubleClick, Way::Menu}) {
    SCOPED_TRACE(way == Way::DoubleClick ? "double click" : "Activate Dorbolt");
    ClearSettings();
    StorePasswordForTest(L"Secret");
    Session s;
    s.forms.Form3().Load();
    HWND tray = s.forms.Form3().Hwnd();
    const auto activate = [&] {
      if (way == Way::DoubleClick) {
        PostIconEvent(tray, WM_LBUTTONDBLCLK);
      } else {
        RequestMenu(tray);
      }
    };
    ULONGLONG started = 0, swapped = 0, locked = 0;
    bool notice = false, noticeShown = true, timerOn = false, trayHidden = false;
    std::wstring tip;
    s.script.Then([] { return true; },
                  [&] {
                    started = ::GetTickCount64();
                    activate();
                  });
    if (way == Way::Menu) s.script.Then([] { return PopupMenu() != nullptr; }, [] { ChooseFromMenu(PopupMenu(), MenuItem::Activate); }, "menu");
    s.script
        .Then([&] { return s.forms.Form3().YoconTray1().Tip() == Form3::kActivatingTip; },
              [&] {
                swapped = ::GetTickCount64();
                notice = s.forms.Form2().IsLoaded();
                noticeShown = s.forms.Form2().IsVisible();
                timerOn = s.forms.Form3().Timer1().Enabled();
              },
              "the activating icon")
        .Then([&] { return ::GetTickCount64() >= started + 1000; }, activate);
    if (way == Way::Menu) s.script.Then([] { return PopupMenu() != nullptr; }, [] { ChooseFromMenu(PopupMenu(), MenuItem::Activate); }, "menu again");
    s.script.Then([&] { return s.forms.Form1().IsVisible(); },
                  [&] {
                    locked = ::GetTickCount64();
                    trayHidden = !s.forms.Form3().IsVisible();
                    if (s.forms.Form3().IsLoaded()) tip = s.forms.Form3().YoconTray1().Tip();
                    UnloadAll(s.forms);
                  },
                  "the lock screen");
    s.script.Start();
    s.forms.Model().Run();
    GenericModule::SetScreenSaverRunning(false, s.forms.Keys());
    ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
    EXPECT_LT(swapped - started, 500u) << "the icon changes at once";
    EXPECT_TRUE(notice) << "taking the notice's icon loads the notice";
    EXPECT_FALSE(noticeShown);
    EXPECT_TRUE(timerOn);
    EXPECT_GE(locked - started, 1800u);
    EXPECT_LT(locked - started, 2700u) << "the second activation did not restart the wait";
    EXPECT_TRUE(trayHidden);
    if (!tip.empty()) {
      EXPECT_EQ(tip, Form3::kIdleTip) << "the idle look is back before the lock screen";
    }
  }
}

TEST_F(TrayWindow, MenuHasItsItemsAndClosesOnAClickElsewhere) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.forms.Form3().Load();
  HWND tray = s.forms.Form3().Hwnd();
  std::vector<std::wstring> items;
  POINT pointer{};
  RECT placed{};
  bool foreground = false;
  // Away from the screen's edges, which would push the menu aside.
  const POINT start{200, 200};
  POINT away{};
  s.script
      .Then(
          [&, lastMove = 0ull]() mutable {
            if (PointerNear(start)) return true;
            if (::GetTickCount64() - lastMove >= 500) {
              lastMove = ::GetTickCount64();
              MovePointer(start);
            }
            return false;
          },
            [&] {
              ::GetCursorPos(&pointer);
              RequestMenu(tray);
            },
            "the pointer")
      .Then([] { return PopupMenu() != nullptr; },
            [&] {
              HWND menu = PopupMenu();
              ::GetWindowRect(menu, &placed);
              foreground = ::GetForegroundWindow() == tray;
              auto handle = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
              for (int i = 0; i < ::GetMenuItemCount(handle); ++i) {
                wchar_t text[64] = {};
                MENUITEMINFOW info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
                info.dwTypeData = text;
                info.cch = 64;
                ::GetMenuItemInfoW(handle, static_cast<UINT>(i), TRUE, &info);
                items.push_back((info.fType & MFT_SEPARATOR) ? L"-" : text);
                EXPECT_FALSE(info.fState & MFS_DEFAULT) << "no item in bold";
              }
              away = POINT{placed.right + 150, 50};
            },
            "the menu")
      // A real click on the desktop, away from the menu; again if the menu missed it.
      .Then(
          [&, lastClick = 0ull]() mutable {
            if (PopupMenu() == nullptr) return true;
            if (::GetTickCount64() - lastClick >= 500) {
              lastClick = ::GetTickCount64();
              LeftClickAt(away);
            }
            return false;
          },
          [&] { UnloadAll(s.forms); }, "the menu closing");
  s.script.Start();
  s.forms.Model().Run();
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_EQ(items, (std::vector<std::wstring>{L"Activate Dorbolt", L"-", L"Options", L"-", L"Exit Dorbolt"}));
  EXPECT_TRUE(foreground) << "the tray window takes the foreground first";
  EXPECT_NEAR(placed.left, pointer.x, 2) << "its left edge at the pointer";
  EXPECT_FALSE(s.forms.Form2().IsLoaded()) << "nothing was chosen";
}

TEST_F(TrayWindow, OptionsOpensTheGateAndReturnsToTheTray) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.forms.Form3().Load();
  HWND tray = s.forms.Form3().Hwnd();
  bool trayDisabled = false;
  s.script.Then([] { return true; }, [&] { RequestMenu(tray); })
      .Then([] { return PopupMenu() != nullptr; }, [] { ChooseFromMenu(PopupMenu(), MenuItem::Options); }, "menu")
      .Then([&] { return s.forms.Form5().IsVisible(); },
            [&] {
              trayDisabled = !::IsWindowEnabled(tray);
              PostClick(Control(s.forms.Form5().Hwnd(), L"Cancel"));
            },
            "the options gate")
      .Then([&] { return !s.forms.Form5().IsLoaded(); }, [] {});
  s.script.Start();
  WaitUntil([&] { return s.script.Done() || !s.script.Stuck().empty(); }, 20000);
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_TRUE(trayDisabled) << "the gate is modal";
  EXPECT_TRUE(s.forms.Form3().IsLoaded());
  EXPECT_TRUE(::IsWindowEnabled(tray));
  EXPECT_TRUE(TrayIconExists(tray, kIconId));
}

}  // namespace
}  // namespace dorbolt::test
