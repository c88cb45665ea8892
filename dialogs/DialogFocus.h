#pragma once
#include <windows.h>

namespace dorbolt {

// Keeps a dialog's keyboard focus while another window (a message box, the alarm) is in
// front, as the system's own dialogs do; the default handling of activation would give the
// focus to the window itself, away from every box.
class DialogFocus {
 public:
  void Reset() { saved_ = nullptr; }
  // For WM_ACTIVATE; true when it was handled. `first` gets the focus the first time.
  bool OnActivate(HWND window, WPARAM wParam, HWND first) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = ::GetFocus();
      saved_ = focus && ::IsChild(window, focus) ? focus : nullptr;
      return false;
    }
    ::SetFocus(saved_ && ::IsChild(window, saved_) ? saved_ : first);
    return true;
  }

 private:
  HWND saved_ = nullptr;
};

}  // namespace dorbolt
