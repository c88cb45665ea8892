#pragma once
// The tray window from outside: the shell's callback for the icon, its popup menu, and the
// windows the program made, whether in this process or in a running program.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/TrayIcon.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {

constexpr UINT kIconId = 1;

// What the shell sends the tray window for a mouse action on its icon.
inline void PostIconEvent(HWND trayWindow, UINT mouseMessage) {
  ::PostMessageW(trayWindow, YoconTray::kCallbackMessage, kIconId, mouseMessage);
}
inline void RequestMenu(HWND trayWindow) { PostIconEvent(trayWindow, WM_RBUTTONUP); }

// The popup menu on the screen, in any process.
inline HWND PopupMenu() {
  HWND menu = ::FindWindowW(L"#32768", nullptr);
  return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

// The menu's items from the top: "Activate Dorbolt", a separator, "Options", a separator,
// "Exit Dorbolt". The keyboard skips the separators.
enum class MenuItem { Activate = 1, Options = 2, Exit = 3 };

// Chooses an item with the keyboard, as a user may: Down to it, then Enter.
inline void ChooseFromMenu(HWND menu, MenuItem item) {
  for (int i = 0; i < static_cast<int>(item); ++i) {
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYUP, VK_DOWN, 0xC0000000);
  }
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  ::PostMessageW(menu, WM_KEYUP, VK_RETURN, 0xC0000000);
}

// The real mouse: a move to a screen point, and a left click where it is.
inline void MovePointer(POINT to) {
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = ::MulDiv(to.x, 65535, ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
  move.mi.dy = ::MulDiv(to.y, 65535, ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  ::SendInput(1, &move, sizeof move);
}
inline bool PointerNear(POINT at) {
  POINT now{};
  ::GetCursorPos(&now);
  return std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
}
// A left click at a screen point: the move and the click in one go, so nothing comes between.
inline void LeftClickAt(POINT at) {
  INPUT click[2]{};
  for (INPUT& input : click) {
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    input.mi.dy = ::MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
  }
  const DWORD where = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  click[0].mi.dwFlags = where | MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = where | MOUSEEVENTF_LEFTUP;
  ::SendInput(2, click, sizeof click[0]);
}

// Windows made by the program, by class, as they are created: a hook on this thread.
class CreatedWindows {
 public:
  CreatedWindows() {
    Self() = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  CreatedWindows(const CreatedWindows&) = delete;
  CreatedWindows& operator=(const CreatedWindows&) = delete;
  ~CreatedWindows() {
    ::UnhookWindowsHookEx(hook_);
    Self() = nullptr;
  }
  // Only the program's own windows: "Dorbolt." and the window's name.
  std::vector<std::wstring> classes;

 private:
  static CreatedWindows*& Self() {
    static CreatedWindows* self = nullptr;
    return self;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && Self()) {
      const std::wstring name = ClassOf(reinterpret_cast<HWND>(wParam));
      if (name.rfind(L"Dorbolt.", 0) == 0 && name != L"Dorbolt.Owner") Self()->classes.push_back(name);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_ = nullptr;
};

}  // namespace dorbolt::test
