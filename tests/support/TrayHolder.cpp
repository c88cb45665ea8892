#include "tests/support/TrayHolder.h"

#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {

TrayHolder::TrayHolder() : window_(false) {
  tray_ = std::make_unique<YoconTray>(window_.Handle());
  window_.onMessage = [this](UINT m, WPARAM w, LPARAM l) { return tray_->HandleMessage(m, w, l); };
  tray_->AddTrayIcon(L"test holder", ::LoadIconW(nullptr, IDI_APPLICATION), 7);
  WaitUntil([] { return TaskbarVisible(); }, 5000);
}

POINT FirstTrayIconCentre() {
  // Wine lays the icons out from the right end of its taskbar, 16 x 16 with a small margin.
  RECT bar{};
  ::GetWindowRect(Taskbar(), &bar);
  return POINT{bar.right - 11, (bar.top + bar.bottom) / 2};
}

void DoubleClickAt(POINT at) {
  const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = ::MulDiv(at.x, 65535, w - 1);
  move.mi.dy = ::MulDiv(at.y, 65535, h - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  ::SendInput(1, &move, sizeof move);
  PumpFor(100);
  for (int i = 0; i < 2; ++i) {
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, click, sizeof click[0]);
    PumpFor(60);
  }
}

}  // namespace dorbolt::test
