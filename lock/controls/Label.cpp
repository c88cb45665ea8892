#include "lock/controls/Label.h"

#include "lock/model/Form.h"

namespace dorbolt {

namespace {
DWORD Style(const LabelDesign& d) {
  DWORD style = SS_NOPREFIX | (d.align == Align::Centre ? SS_CENTER : SS_LEFT);
  if (d.visible) style |= WS_VISIBLE;
  return style;
}
}  // namespace

Label::Label(Form& form, const LabelDesign& design)
    : WindowedControl(form, L"STATIC", design.text, Style(design), 0, design.place, design.font),
      color_(design.color) {}

bool Label::OnCtlColor(HWND window, HDC dc, HBRUSH& brush) {
  if (window != Window()) return false;
  ::SetTextColor(dc, color_);
  ::SetBkColor(dc, Parent().BackColor());
  brush = Parent().BackBrush();
  return true;
}

}  // namespace dorbolt
