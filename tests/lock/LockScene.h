#pragma once
// What the lock screen tests share: the windows of one program in this process, locked the
// way Dorguard locks, and ways to look at them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/RegistryLayout.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "lock/Forms.h"
#include "platform/ShellServices.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {

inline RECT VirtualScreen() {
  const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

inline RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

// The client area in screen coordinates.
inline RECT ClientRect(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

inline bool Visible(HWND window) { return window && ::IsWindowVisible(window); }
inline bool Topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// True when `upper` lies above `lower` in the z-order.
inline bool Above(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}

// A click through the message queue, as the mouse's would be: the caller goes on while the
// handler runs, and waits in its modal windows, in the program's own loop.
inline void PostClick(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

// Keys as the keyboard sends them, to the foreground window.
inline void PressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (WORD vk : chord) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    inputs.push_back(in);
  }
  for (auto it = chord.end(); it != chord.begin();) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *--it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The pixels of one part of the screen.
inline std::vector<DWORD> Pixels(const RECT& area) {
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    std::copy_n(static_cast<const DWORD*>(bits), pixels.size(), pixels.begin());
    ::SelectObject(memory, old);
  }
  if (bitmap) ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

// Paints a window and its controls now, and lets the screen catch up: Wine copies what a
// window painted to the display a moment later, when its thread waits for messages.
inline void PaintNow(HWND window) {
  if (window) ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpFor(150);
}

// The desktop at another size for one scope, and back.
class DesktopSize {
 public:
  DesktopSize(int width, int height) : original_(VirtualScreen()) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    // A full-screen change is undone by the system, too, should this process end early.
    changed_ = ::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr) ==
               DISP_CHANGE_SUCCESSFUL;
    ready_ = changed_ && WaitUntil([&] { return Is(width, height); }, 10000);
  }
  DesktopSize(const DesktopSize&) = delete;
  DesktopSize& operator=(const DesktopSize&) = delete;
  ~DesktopSize() {
    if (!changed_) return;
    ::ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
    WaitUntil([&] { return Is(original_.right - original_.left, original_.bottom - original_.top); }, 10000);
  }
  bool Ready() const { return ready_; }

 private:
  static bool Is(int width, int height) {
    const RECT screen = VirtualScreen();
    return screen.right - screen.left == width && screen.bottom - screen.top == height &&
           ::GetSystemMetrics(SM_CXSCREEN) == width && ::GetSystemMetrics(SM_CYSCREEN) == height;
  }

  RECT original_;
  bool changed_ = false;
  bool ready_ = false;
};

// The windows of one program, on a machine with a password, locked as Dorguard locks.
class LockTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    StorePasswordForTest(L"open sesame");
    ShowTaskbar();
  }
  void TearDown() override {
    GenericModule::SetScreenSaverRunning(false, forms.Keys());
    ShowTaskbar();
    ClearSettings();
  }

  static void SetBackLock(const std::wstring& value) {
    PutString(layout::kSettingsKey, layout::kBackLock, value);
  }

  HWND Notice() { return forms.Form2().HwndIfLoaded(); }
  HWND Backdrop() { return forms.Form1().HwndIfLoaded(); }

  // Shows the lock screen as Dorguard's first window and runs `whileLocked` inside the
  // notice's modal loop once the notice is up and painted; then takes the lock down.
  void WhileLocked(const std::function<void()>& whileLocked) {
    bool done = false;
    WhenReady([this] { return forms.Form2().IsVisible(); },
              [&] {
                PaintNow(Backdrop());
                PaintNow(Notice());
                whileLocked();
                forms.Form2().Unload();
                forms.Form1().Unload();
                done = true;
              });
    forms.Form1().Show();
    EXPECT_TRUE(WaitUntil([&] { return done && !forms.Form1().IsLoaded(); }, 20000));
    EXPECT_EQ(MissedActions(), 0);
  }

  Forms forms;
};

}  // namespace dorbolt::test
