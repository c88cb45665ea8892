#pragma once
#include <windows.h>

#include "platform/Handles.h"

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

// Swallows the task-switching keys while a lock is up. The screen-saver flag stops them only on
// the 95/98 generation; a low-level keyboard hook does it on every later system.
class SystemKeys {
 public:
  SystemKeys() = default;
  SystemKeys(const SystemKeys&) = delete;
  SystemKeys& operator=(const SystemKeys&) = delete;

  void Block();
  void Release();
  bool Blocking() const { return static_cast<bool>(hook_); }

  // True for the key combinations the hook swallows.
  static bool IsSystemKey(DWORD vk, bool alt, bool ctrl);

 private:
  UniqueHook hook_;
};

namespace GenericModule {
// Sets the system's screen-saver-running flag (True reaches the call as -1) and, with it, the
// keyboard guard.
void SetScreenSaverRunning(bool running, SystemKeys& keys);
}  // namespace GenericModule

}  // namespace dorbolt
