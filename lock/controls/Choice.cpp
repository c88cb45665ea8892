#include "lock/controls/Choice.h"

namespace dorbolt {

namespace {
void NotifyClick(const WindowedControl& control) {
  ::SendMessageW(::GetParent(control.Window()), WM_COMMAND, MAKEWPARAM(control.Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control.Window()));
}
}  // namespace

CheckBox::CheckBox(Form& form, const ChoiceDesign& design)
    : WindowedControl(form, L"BUTTON", design.text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                      design.place, std::nullopt) {}

bool CheckBox::Checked() const {
  return ::SendMessageW(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
  if (checked == Checked()) return;
  ::SendMessageW(Window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  NotifyClick(*this);
}

OptionButton::OptionButton(Form& form, const ChoiceDesign& design)
    : WindowedControl(form, L"BUTTON", design.text,
                      WS_VISIBLE | BS_AUTORADIOBUTTON | (design.firstOfGroup ? WS_GROUP | WS_TABSTOP : 0),
                      0, design.place, std::nullopt) {}

bool OptionButton::Selected() const {
  return ::SendMessageW(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionButton::SetSelected(bool selected) {
  if (selected == Selected()) return;
  if (selected) {
    // Clear the rest of the group, as a click would.
    HWND first = Window();
    while ((::GetWindowLongW(first, GWL_STYLE) & WS_GROUP) == 0) {
      HWND previous = ::GetWindow(first, GW_HWNDPREV);
      if (!previous) break;
      first = previous;
    }
    for (HWND w = first; w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      const LONG style = ::GetWindowLongW(w, GWL_STYLE);
      if (w != first && (style & WS_GROUP)) break;
      if (w != Window() && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        ::SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }
  ::SendMessageW(Window(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  NotifyClick(*this);
}

Frame::Frame(Form& form, const Place& place, std::wstring_view caption)
    // A group box paints only its edge and title: transparent, so that the window, which clips
    // its children, still paints the inside.
    : WindowedControl(form, L"BUTTON", caption, WS_VISIBLE | BS_GROUPBOX, WS_EX_TRANSPARENT, place,
                      std::nullopt),
      place_(place) {}

Place Frame::Inside(const Place& place) const {
  return Place{place_.left + place.left, place_.top + place.top, place.width, place.height};
}

}  // namespace dorbolt
