#include "platform/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

namespace dorbolt {

YoconTray::YoconTray(HWND owner)
    : owner_(owner), taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

YoconTray::~YoconTray() {
  if (showing_) Notify(NIM_DELETE);
}

bool YoconTray::Notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = static_cast<UINT>(id_);
  if (action != NIM_DELETE) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_.get();
    const size_t n = std::min(tip_.size(), std::size(data.szTip) - 1);
    tip_.copy(data.szTip, n);
    data.szTip[n] = L'\0';
  }
  return ::Shell_NotifyIconW(action, &data) != FALSE;
}

bool YoconTray::AddTrayIcon(std::wstring_view tip, HICON icon, int id) {
  id_ = id;
  tip_ = tip;
  icon_.reset(icon ? ::CopyIcon(icon) : nullptr);
  showing_ = Notify(NIM_ADD);
  return showing_;
}

bool YoconTray::ModifyTrayIcon(std::wstring_view tip, HICON icon, int id) {
  if (!showing_ || id != id_) return false;
  tip_ = tip;
  icon_.reset(icon ? ::CopyIcon(icon) : nullptr);
  return Notify(NIM_MODIFY);
}

bool YoconTray::RemoveTrayIcon(int id) {
  if (!showing_ || id != id_) return false;
  showing_ = false;
  return Notify(NIM_DELETE);
}

bool YoconTray::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage) {
    switch (LOWORD(lParam)) {
      case WM_LBUTTONDBLCLK:
        ::PostMessageW(owner_, kEventMessage, static_cast<WPARAM>(Event::IconDoubleClick), 0);
        break;
      case WM_RBUTTONUP:
      case WM_CONTEXTMENU:
        ::PostMessageW(owner_, kEventMessage, static_cast<WPARAM>(Event::IconMenuRequest), 0);
        break;
      default:
        break;
    }
    return true;
  }
  if (message == kEventMessage) {
    // A copy: the handler may unload the window, and this control with it.
    const auto handler = static_cast<Event>(wParam) == Event::IconDoubleClick ? IconDoubleClick
                                                                             : IconMenuRequest;
    if (handler) handler();
    return true;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // A new Explorer has an empty notification area: put back what was showing. Where the shell
    // still has it (the message came without a restart), the add fails and the modify holds.
    if (showing_ && !Notify(NIM_ADD)) Notify(NIM_MODIFY);
    return true;
  }
  return false;
}

}  // namespace dorbolt
