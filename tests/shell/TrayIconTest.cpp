#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "platform/TrayIcon.h"
#include "tests/support/TestWindow.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {
namespace {

// A hidden top-level window carrying the control, as the tray window does.
class TrayIconTest : public testing::Test {
 protected:
  void SetUp() override {
    tray = std::make_unique<YoconTray>(window.Handle());
    window.onMessage = [this](UINT m, WPARAM w, LPARAM l) { return tray->HandleMessage(m, w, l); };
    tray->IconDoubleClick = [this] { ++doubleClicks; };
    tray->IconMenuRequest = [this] { ++menuRequests; };
  }

  TestWindow window{false};
  std::unique_ptr<YoconTray> tray;
  int doubleClicks = 0;
  int menuRequests = 0;
};

TEST_F(TrayIconTest, AddModifyRemove) {
  const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
  ASSERT_TRUE(tray->AddTrayIcon(L"Double Click to activate Dorbolt", icon, 1));
  EXPECT_TRUE(TrayIconExists(window.Handle(), 1));
  EXPECT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 5000)) << "the icon shows in the taskbar";
  EXPECT_TRUE(tray->ModifyTrayIcon(L"Dorbolt is activating", ::LoadIconW(nullptr, IDI_WARNING), 1));
  EXPECT_EQ(tray->Tip(), L"Dorbolt is activating");
  EXPECT_FALSE(tray->ModifyTrayIcon(L"other id", icon, 2)) << "only identifier 1 is ours";
  EXPECT_TRUE(tray->RemoveTrayIcon(1));
  EXPECT_FALSE(TrayIconExists(window.Handle(), 1));
  EXPECT_FALSE(tray->RemoveTrayIcon(1)) << "nothing left to remove";
}

TEST_F(TrayIconTest, LeftDoubleClickOnTheIconRaisesIconDoubleClick) {
  ASSERT_TRUE(tray->AddTrayIcon(L"Double Click to activate Dorbolt", ::LoadIconW(nullptr, IDI_APPLICATION), 1));
  ASSERT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 5000));
  DoubleClickAt(FirstTrayIconCentre());
  EXPECT_TRUE(WaitUntil([&] { return doubleClicks == 1; }, 3000));
  EXPECT_EQ(menuRequests, 0);
}

TEST_F(TrayIconTest, RightClickRaisesIconMenuRequest) {
  ASSERT_TRUE(tray->AddTrayIcon(L"tip", ::LoadIconW(nullptr, IDI_APPLICATION), 1));
  // What the shell sends for a right click on the icon.
  ::SendMessageW(window.Handle(), YoconTray::kCallbackMessage, 1, WM_RBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return menuRequests == 1; }, 2000));
  EXPECT_EQ(doubleClicks, 0);
}

TEST_F(TrayIconTest, IconComesBackWhenTheTaskbarIsCreatedAgain) {
  ASSERT_TRUE(tray->AddTrayIcon(L"tip", ::LoadIconW(nullptr, IDI_APPLICATION), 1));
  // A restarted Explorer has lost every icon: take ours away behind the control's back.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window.Handle();
  data.uID = 1;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
  ASSERT_FALSE(TrayIconExists(window.Handle(), 1));
  ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(window.Handle(), 1); }, 3000));

  // The message without a restart leaves the one icon in place.
  ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  PumpFor(300);
  EXPECT_TRUE(TrayIconExists(window.Handle(), 1));

  // An icon that was removed is not brought back.
  tray->RemoveTrayIcon(1);
  ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  PumpFor(300);
  EXPECT_FALSE(TrayIconExists(window.Handle(), 1));
}

TEST_F(TrayIconTest, ControlRemovesItsIconWhenItGoes) {
  ASSERT_TRUE(tray->AddTrayIcon(L"tip", ::LoadIconW(nullptr, IDI_APPLICATION), 1));
  tray.reset();
  EXPECT_FALSE(TrayIconExists(window.Handle(), 1));
}

}  // namespace
}  // namespace dorbolt::test
