#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/Handles.h"

namespace dorbolt {

// The notification-area icon of one window. It remembers what should be showing, so that the
// icon comes back when Explorer restarts, and removes it when the control goes away.
class YoconTray {
 public:
  // The shell reports mouse actions on the icon with this message.
  static constexpr UINT kCallbackMessage = WM_APP + 1;
  // The shell *sends* its callback; the events are posted to run after that call has returned.
  static constexpr UINT kEventMessage = WM_APP + 2;

  enum class Event : WPARAM { IconDoubleClick = 10, IconMenuRequest = 11 };

  explicit YoconTray(HWND owner);
  YoconTray(const YoconTray&) = delete;
  YoconTray& operator=(const YoconTray&) = delete;
  ~YoconTray();

  bool AddTrayIcon(std::wstring_view tip, HICON icon, int id);
  bool ModifyTrayIcon(std::wstring_view tip, HICON icon, int id);
  bool RemoveTrayIcon(int id);

  bool Showing() const { return showing_; }
  const std::wstring& Tip() const { return tip_; }

  std::function<void()> IconDoubleClick;
  std::function<void()> IconMenuRequest;

  // Takes the messages meant for the control; true when the message was one of them.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool Notify(DWORD action);

  HWND owner_;
  UINT taskbarCreated_;
  bool showing_ = false;
  int id_ = 0;
  std::wstring tip_;
  UniqueIcon icon_;
};

}  // namespace dorbolt
