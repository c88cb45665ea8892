#pragma once
#include <memory>

#include "platform/TrayIcon.h"
#include "tests/support/TestWindow.h"

namespace dorbolt::test {

// A notification-area icon of the test's own. Wine shows its taskbar only while some icon is
// in the notification area, so a test that watches the program hide and show the taskbar
// keeps one there.
class TrayHolder {
 public:
  TrayHolder();
  YoconTray& Tray() { return *tray_; }
  HWND Window() const { return window_.Handle(); }

 private:
  TestWindow window_;
  std::unique_ptr<YoconTray> tray_;
};

// Where the shell shows the first icon of its notification area, as screen coordinates.
POINT FirstTrayIconCentre();

// A real double click with the left button at a screen point.
void DoubleClickAt(POINT at);

}  // namespace dorbolt::test
