// Leaving Dorwatch through "Exit Dorbolt" and its password gate.
#include <gtest/gtest.h>

#include "tests/acceptance/Locking.h"

namespace dorbolt::test::accept {
namespace {

class AcceptanceExit : public WithPassword {};

TEST_F(AcceptanceExit, ExitGateSoundsTheAlarmStaysOnCancelAndEndsOnTheRightPassword) {
  Start();
  ASSERT_TRUE(Idle());
  HWND tray = P().Window(L"Form3");
  ASSERT_TRUE(ChooseFromIconMenu(MenuItem::Exit));
  HWND gate = P().WaitShown(L"Form8");
  ASSERT_TRUE(gate) << "the exit gate";
  EXPECT_EQ(WindowText(gate), L"Password Protected");
  Screenshot(L"Exit", L"gate");

  ASSERT_TRUE(TypeInto(EditBox(gate, 0), L"wrong"));
  ASSERT_TRUE(ClickButton(gate, L"OK"));
  ASSERT_TRUE(P().WaitShown(L"frmPassWrong", 5000)) << "a wrong password sounds the alarm";
  Screenshot(L"Exit", L"alarm");
  ASSERT_TRUE(WaitUntil([&] { return !P().Window(L"frmPassWrong"); }, 10000)) << "the alarm closes by itself";
  EXPECT_TRUE(P().Shown(L"Form8")) << "the gate stays";
  EXPECT_TRUE(P().Process().Running());

  ASSERT_TRUE(ClickButton(gate, L"Cancel"));
  ASSERT_TRUE(P().WaitGone(L"Form8"));
  EXPECT_TRUE(P().Process().Running()) << "Cancel stays in the tray";
  ASSERT_TRUE(Idle()) << "the icon stays";

  ASSERT_TRUE(ChooseFromIconMenu(MenuItem::Exit));
  ASSERT_EQ(P().WaitShown(L"Form8"), gate) << "the same gate again";
  ASSERT_TRUE(TypeInto(EditBox(gate, 0), kPassword));
  ASSERT_TRUE(ClickButton(gate, L"OK"));
  ASSERT_TRUE(P().Ended()) << "the right password ends the program";
  EXPECT_EQ(P().Process().ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(tray, 1)) << "no icon left behind";
  // The taskbar of Wine's desktop goes with the last icon of its notification area.
  EXPECT_TRUE(WaitUntil([] { return !TaskbarVisible(); }, 5000));
  Screenshot(L"Exit", L"ended");
}

}  // namespace
}  // namespace dorbolt::test::accept
