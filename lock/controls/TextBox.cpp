#include "lock/controls/TextBox.h"

namespace dorbolt {

namespace {
DWORD Style(const TextBoxDesign& d) {
  DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
  if (d.visible) style |= WS_VISIBLE;
  if (d.password) style |= ES_PASSWORD;
  if (d.multiline) style |= ES_MULTILINE | ES_AUTOVSCROLL;
  return style;
}
}  // namespace

TextBox::TextBox(Form& form, const TextBoxDesign& design)
    : WindowedControl(form, L"EDIT", L"", Style(design), design.border ? WS_EX_CLIENTEDGE : 0,
                      design.place, design.font) {
  // No limit of the box's own: the longest password is the system's, not the control's.
  ::SendMessageW(Window(), EM_SETLIMITTEXT, 0, 0);
  if (design.password) ::SendMessageW(Window(), EM_SETPASSWORDCHAR, L'*', 0);
}

}  // namespace dorbolt
