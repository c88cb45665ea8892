#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ShellServices.h"
#include "tests/support/TestWindow.h"
#include "tests/support/Process.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {
namespace {

TEST(Taskbar, HidesAndComesBackAtItsPlaceAndSize) {
  TrayHolder holder;
  ASSERT_TRUE(WaitUntil([] { return Taskbar() != nullptr && TaskbarVisible(); }, 10000));
  RECT before{};
  ::GetWindowRect(Taskbar(), &before);
  ASSERT_GT(before.right - before.left, 0);

  HideTaskbar();
  EXPECT_TRUE(WaitUntil([] { return !TaskbarVisible(); }, 2000));
  ShowTaskbar();
  EXPECT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 2000));
  RECT after{};
  ::GetWindowRect(Taskbar(), &after);
  EXPECT_TRUE(::EqualRect(&before, &after)) << "the bar came back at " << after.left << "," << after.top
                                            << " " << after.right - after.left << "x"
                                            << after.bottom - after.top;
}

void Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (vk == VK_LWIN || vk == VK_RWIN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  ::SendInput(1, &input, sizeof input);
}

// Presses the modifiers, taps the key, lets go of the modifiers.
void Type(const std::vector<WORD>& modifiers, WORD key) {
  for (WORD m : modifiers) Key(m, false);
  Key(key, false);
  Key(key, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) Key(*it, true);
}

struct Combination {
  const char* name;
  std::vector<WORD> modifiers;
  WORD key;
  bool swallowedWhileLocked;
};

TEST(SystemKeys, SwallowedWhileTheFlagIsSetAndPassedAfter) {
  const std::vector<Combination> cases = {
      {"Alt+Tab", {VK_MENU}, VK_TAB, true},
      {"Alt+Esc", {VK_MENU}, VK_ESCAPE, true},
      {"Ctrl+Esc", {VK_CONTROL}, VK_ESCAPE, true},
      {"Ctrl+Shift+Esc", {VK_CONTROL, VK_SHIFT}, VK_ESCAPE, true},
      {"left Windows key", {}, VK_LWIN, true},
      {"right Windows key", {}, VK_RWIN, true},
      {"a letter", {}, 'A', false},
      {"Esc alone", {}, VK_ESCAPE, false},
      {"Tab alone", {}, VK_TAB, false},
  };
  TestWindow window(true);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window.Handle(); }, 5000));
  SystemKeys keys;
  for (const bool locked : {true, false}) {
    GenericModule::SetScreenSaverRunning(locked, keys);
    EXPECT_EQ(keys.Blocking(), locked);
    for (const auto& c : cases) {
      window.keys.clear();
      Type(c.modifiers, c.key);
      // A marker key that always passes: once it is in, everything typed before it has arrived.
      Type({}, VK_F9);
      ASSERT_TRUE(WaitUntil([&] {
        return std::find(window.keys.begin(), window.keys.end(), VK_F9) != window.keys.end();
      }, 3000)) << c.name;
      const bool arrived = std::find(window.keys.begin(), window.keys.end(), c.key) != window.keys.end();
      EXPECT_EQ(arrived, !(locked && c.swallowedWhileLocked))
          << c.name << (locked ? " while locked" : " after the lock");
    }
  }
}

}  // namespace
}  // namespace dorbolt::test

namespace dorbolt::test {
namespace {

bool AltTabArrives(TestWindow& window) {
  window.keys.clear();
  Type({VK_MENU}, VK_TAB);
  Type({}, VK_F9);
  WaitUntil([&] { return std::find(window.keys.begin(), window.keys.end(), VK_F9) != window.keys.end(); }, 3000);
  return std::find(window.keys.begin(), window.keys.end(), VK_TAB) != window.keys.end();
}

TEST(LockGuard, AHookThatWindowsDroppedIsPutBack) {
  TestWindow window(true);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window.Handle(); }, 5000));
  SystemKeys keys;
  GenericModule::SetScreenSaverRunning(true, keys);
  ASSERT_FALSE(AltTabArrives(window));
  // What Windows does to a hook that once took too long: it is gone, and nobody is told.
  ASSERT_TRUE(::UnhookWindowsHookEx(keys.CurrentHook()));
  EXPECT_TRUE(AltTabArrives(window)) << "the dropped hook no longer swallows";
  PumpFor(SystemKeys::kRenewMs + 500);
  EXPECT_FALSE(AltTabArrives(window)) << "the renewed hook swallows again";
  GenericModule::SetScreenSaverRunning(false, keys);
  EXPECT_TRUE(AltTabArrives(window));
}

TEST(LockGuard, ATaskbarBroughtBackByExplorerIsHiddenAgainWhileLocked) {
  TrayHolder holder;
  ASSERT_TRUE(TaskbarVisible());
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  SystemKeys keys;

  // Idle: a new taskbar stays.
  ::PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
  PumpFor(300);
  EXPECT_TRUE(TaskbarVisible());

  GenericModule::SetScreenSaverRunning(true, keys);
  ::PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return !TaskbarVisible(); }, 3000));
  GenericModule::SetScreenSaverRunning(false, keys);
  ShowTaskbar();
  EXPECT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 3000));
}

TEST(LockGuard, ACrashWhileLockedGivesTheTaskbarBack) {
  TrayHolder holder;
  ASSERT_TRUE(TaskbarVisible());
  RunningProgram crash(std::wstring(DORBOLT_BUILD_DIR) + L"\\tests\\CrashWhileLocked.exe");
  ASSERT_TRUE(crash.Started());
  ASSERT_TRUE(crash.WaitForExit(20000));
  EXPECT_EQ(crash.ExitCode(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 3000)) << "the taskbar was left hidden";
}

}  // namespace
}  // namespace dorbolt::test
