#include <windows.h>

#include "programs/Startup.h"

// Locks the computer the moment it starts.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return dorbolt::RunProgram(dorbolt::FirstWindow::Lock);
}
