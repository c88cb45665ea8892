// The exit gate in this process: Cancel only hides it, a wrong password sounds the alarm, and
// the right one takes the icon away and unloads every window without loading any.
#include <gtest/gtest.h>

#include "core/RegistryLayout.h"
#include "lock/frmPassWrong.h"
#include "tests/dialogs/Session.h"
#include "tests/support/Wait.h"
#include "tests/tray/Tray.h"
#include "tray/Form3.h"
#include "tray/Form8.h"

namespace dorbolt::test {
namespace {

struct Form8Window {
  HWND window;
  HWND Text1() const { return EditBox(window, 0); }
  HWND Text2() const { return EditBox(window, 1); }  // hidden: the stored form
  HWND Ok() const { return Control(window, L"OK"); }
  HWND Cancel() const { return Control(window, L"Cancel"); }
};

class ExitGate : public CleanSettings {
 protected:
  void SetUp() override {
    CleanSettings::SetUp();
    StorePasswordForTest(L"Secret");
  }
  // "Exit Dorbolt" from the tray menu, as steps of the script.
  static void ExitFromMenu(Session& s) {
    HWND tray = s.forms.Form3().Hwnd();
    s.script.Then([&s] { return !s.forms.Form8().IsVisible() && PopupMenu() == nullptr; },
                  [tray] { RequestMenu(tray); })
        .Then([] { return PopupMenu() != nullptr; }, [] { ChooseFromMenu(PopupMenu(), MenuItem::Exit); }, "menu")
        .Then([&s] { return s.forms.Form8().IsVisible(); }, [] {}, "the exit gate");
  }
  // Runs the program's loop until every window is gone (or the script gives up).
  static void Run(Session& s) {
    s.script.Start();
    s.forms.Model().Run();
    EXPECT_TRUE(s.script.Done()) << s.script.Stuck();
  }
};

TEST_F(ExitGate, GateLooksAsDesigned) {
  Session s;
  s.forms.Form8().Load();
  HWND window = s.forms.Form8().Hwnd();
  EXPECT_EQ(WindowText(window), L"Password Protected");
  EXPECT_FALSE(::GetWindowLongW(window, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(Control(window, L"Please Enter Your Password!"));
  EXPECT_TRUE(Control(window, L"This area is password protected. Please enter your password to continue:"));
  const Form8Window g{window};
  EXPECT_EQ(::SendMessageW(g.Text1(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_FALSE(::GetWindowLongW(g.Text2(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(WindowText(g.Text2()), L"terceS") << "the stored form, read at load";
  EXPECT_FALSE(s.forms.Form3().IsLoaded()) << "loading the gate loads nothing else";
}

// Everything is unloaded, the icon is gone, and no window is made on the way: the sweep loads
// nothing that was not loaded.
TEST_F(ExitGate, RightPasswordRemovesTheIconAndUnloadsEveryWindow) {
  Session s;
  s.forms.Form3().Load();
  HWND tray = s.forms.Form3().Hwnd();
  std::optional<CreatedWindows> created;
  ExitFromMenu(s);
  s.script.Then([] { return true; },
                [&] {
                  const Form8Window g{s.forms.Form8().Hwnd()};
                  Type(g.Text1(), L"Secret");
                  created.emplace();
                  PostClick(g.Ok());
                });
  Run(s);
  EXPECT_FALSE(s.forms.Model().AnyLoaded()) << "the program's loop has ended";
  EXPECT_FALSE(TrayIconExists(tray, kIconId));
  ASSERT_TRUE(created);
  EXPECT_EQ(created->classes, std::vector<std::wstring>{});
  EXPECT_EQ(s.ends, 0) << "the program ends by having no window, not by ending at once";
}

// Cancel only hides the gate: "Exit Dorbolt" brings the same one back, with what its entry box
// held and the stored form it read when it loaded, even after the password was changed.
TEST_F(ExitGate, CancelHidesTheGateAndExitShowsTheSameOneAgain) {
  Session s;
  s.forms.Form3().Load();
  HWND tray = s.forms.Form3().Hwnd();
  HWND firstGate = nullptr, secondGate = nullptr;
  bool loadedWhileHidden = false, iconWhileHidden = false;
  std::wstring entryAgain;
  ExitFromMenu(s);
  s.script.Then([] { return true; },
                [&] {
                  const Form8Window g{firstGate = s.forms.Form8().Hwnd()};
                  Type(g.Text1(), L"typed");
                  PostClick(g.Cancel());
                })
      .Then([&] { return !s.forms.Form8().IsVisible(); },
            [&] {
              loadedWhileHidden = s.forms.Form8().IsLoaded();
              iconWhileHidden = TrayIconExists(tray, kIconId);
              StorePasswordForTest(L"Changed since");
            });
  ExitFromMenu(s);
  s.script.Then([] { return true; },
                [&] {
                  const Form8Window g{secondGate = s.forms.Form8().Hwnd()};
                  entryAgain = WindowText(g.Text1());
                  Type(g.Text1(), L"Secret");
                  PostClick(g.Ok());
                });
  Run(s);
  EXPECT_TRUE(loadedWhileHidden);
  EXPECT_TRUE(iconWhileHidden) << "back in the tray, idle";
  EXPECT_EQ(secondGate, firstGate) << "the same window, not loaded again";
  EXPECT_EQ(entryAgain, L"typed");
  EXPECT_FALSE(s.forms.Model().AnyLoaded()) << "the password read at the gate's load let the user out";
}

// The alarm opens over the gate and closes itself; the gate is still shown, its entry box
// holding the transformed text, so that OK again checks the entry as typed.
TEST_F(ExitGate, WrongPasswordSoundsTheAlarmAndTheGateStays) {
  Session s;
  s.forms.Form3().Load();
  Form8Window g{};
  bool gateAfter = false, gateUnderAlarm = false;
  std::wstring entryAfter;
  ExitFromMenu(s);
  s.script.Then([] { return true; },
                [&] {
                  g.window = s.forms.Form8().Hwnd();
                  Type(g.Text1(), L"terceS");  // typed in reverse
                  PostClick(g.Ok());
                })
      .Then([&] { return s.forms.frmPassWrong().IsVisible(); },
            [&] { gateUnderAlarm = s.forms.Form8().IsVisible(); }, "the alarm")
      .Then([&] { return !s.forms.frmPassWrong().IsLoaded(); },
            [&] {
              gateAfter = s.forms.Form8().IsVisible();
              entryAfter = WindowText(g.Text1());
              PostClick(g.Ok());
            },
            "the alarm closing itself");
  Run(s);
  EXPECT_TRUE(gateUnderAlarm);
  EXPECT_TRUE(gateAfter);
  EXPECT_EQ(entryAfter, L"Secret");
  EXPECT_FALSE(s.forms.Model().AnyLoaded()) << "the second press, without retyping, let the user out";
}

// As the unlock does after a cancelled exit: the tray window is gone, and the gate's unload
// must not bring it back.
TEST_F(ExitGate, UnloadingTheGateNeverLoadsTheTrayWindow) {
  Session s;
  s.forms.Form3().Load();
  s.forms.Form8().Load();
  HWND tray = s.forms.Form3().Hwnd();
  s.forms.Form3().YoconTray1().RemoveTrayIcon(kIconId);
  s.forms.Form3().Unload();
  CreatedWindows created;
  s.forms.Form8().Unload();
  EXPECT_EQ(created.classes, std::vector<std::wstring>{});
  EXPECT_FALSE(s.forms.Form3().IsLoaded());
  EXPECT_FALSE(TrayIconExists(tray, kIconId));
}

}  // namespace
}  // namespace dorbolt::test
