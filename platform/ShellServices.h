#pragma once
#include <windows.h>

#include "platform/Handles.h"
#include "platform/SystemKeys.h"

// What the program needs of the Windows shell: topmost windows, the taskbar, the task list and
// the screen-saver-running flag with the system keys it is meant to stop.
namespace dorbolt {

void MakeTopmost(HWND window);

// The taskbar, found by its class; nothing happens when there is none.
HWND FindTaskbar();
void HideTaskbar();
void ShowTaskbar();

// Hides the process from the task list where the system has the call for it (the 95/98
// generation); skipped where it is absent.
void HideFromTaskList(bool hide);

namespace GenericModule {
// Sets the system's screen-saver-running flag (True reaches the call as -1) and, with it, the
// keyboard guard.
void SetScreenSaverRunning(bool running, SystemKeys& keys);
}  // namespace GenericModule

}  // namespace dorbolt
