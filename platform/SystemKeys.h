#pragma once
#include <windows.h>

#include "platform/Handles.h"

namespace dorbolt {

// Keeps a lock closed against what the screen-saver flag stopped only on the 95/98 generation:
// the task-switching keys, through a low-level keyboard hook that is renewed while the lock
// lasts (Windows drops a hook that once answers too slowly, without a word); the taskbar of a
// restarted Explorer, hidden again; and a crash of the program, after which the taskbar comes
// back and the system's own lock takes over instead of leaving an open desktop.
class SystemKeys {
 public:
  // How often the hook is put back while the lock lasts.
  static constexpr UINT kRenewMs = 1000;

  SystemKeys();
  SystemKeys(const SystemKeys&) = delete;
  SystemKeys& operator=(const SystemKeys&) = delete;
  ~SystemKeys();

  void Block();
  void Release();
  bool Blocking() const { return blocking_; }

  // True for the key combinations the hook swallows.
  static bool IsSystemKey(DWORD vk, bool alt, bool ctrl);

  // The hook now in place, so that a test can take it away as Windows would.
  HHOOK CurrentHook() const { return hook_.get(); }

 private:
  static LRESULT CALLBACK WatcherProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  void Renew();

  bool blocking_ = false;
  UniqueHook hook_;
  // A hidden top-level window: it hears "TaskbarCreated" and carries the renewal timer.
  UniqueWindow watcher_;
  UINT taskbarCreated_;
  LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
};

}  // namespace dorbolt
