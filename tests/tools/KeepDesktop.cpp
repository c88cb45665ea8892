// Holds the Wine virtual desktop open for a whole test run: without a window of its own the
// desktop closes after each test program and starts again for the next, about 1.5 s each time.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"Dorbolt.TestDesktopKeeper";
  ::RegisterClassW(&wc);
  // A top-level window that is never shown and never activated.
  ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1,
                    nullptr, nullptr, instance, nullptr);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
