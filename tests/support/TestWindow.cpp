#include "tests/support/TestWindow.h"

namespace dorbolt::test {

TestWindow::TestWindow(bool visible) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &TestWindow::Proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Dorbolt.TestWindow";
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  ::RegisterClassW(&wc);
  window_ = ::CreateWindowExW(0, wc.lpszClassName, L"test", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                              nullptr, nullptr, wc.hInstance, this);
  if (visible) {
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
  }
}

TestWindow::~TestWindow() {
  if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) self->keys.push_back(wParam);
    if (self->onMessage && self->onMessage(message, wParam, lParam)) return 0;
    // Keep Alt+key and F10 from opening a system menu loop that would swallow the next keys.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace dorbolt::test
