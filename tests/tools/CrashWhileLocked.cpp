// A test build of a crash in the middle of a lock: the keys are guarded, the taskbar is hidden,
// then the program fails the way a real fault would.
#include <windows.h>

#include "platform/ShellServices.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  dorbolt::SystemKeys keys;
  dorbolt::HideTaskbar();
  dorbolt::GenericModule::SetScreenSaverRunning(true, keys);
  ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return 0;
}
