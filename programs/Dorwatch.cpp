#include <windows.h>

#include "programs/Startup.h"

// Starts quietly in the notification area.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return dorbolt::RunProgram(dorbolt::FirstWindow::Tray);
}
