#pragma once
#include "lock/controls/Windowed.h"

namespace dorbolt {

enum class Align { Left, Centre };

struct LabelDesign {
  Place place;
  std::wstring_view text;
  Align align = Align::Left;
  COLORREF color = RGB(0, 0, 0);
  std::optional<FontSpec> font{};
  bool visible = true;
};

// A text on the window's own background, wrapped in its box. A real static window, so that
// screen readers and tests can read it.
class Label : public WindowedControl {
 public:
  Label(Form& form, const LabelDesign& design);
  bool OnCtlColor(HWND window, HDC dc, HBRUSH& brush) override;

 private:
  COLORREF color_;
};

}  // namespace dorbolt
