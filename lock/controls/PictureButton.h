#pragma once
#include "lock/controls/Windowed.h"

namespace dorbolt {

struct PictureButtonDesign {
  Place place;
  int bitmapId = 0;       // the picture that carries the button's label
  std::wstring_view word;  // not drawn: the window text, for screen readers and automation
};

// A push button that shows its picture centred on the button face and no drawn text.
class PictureButton : public WindowedControl {
 public:
  PictureButton(Form& form, const PictureButtonDesign& design);
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void Click() { ::SendMessageW(Window(), BM_CLICK, 0, 0); }

 private:
  UniqueBitmap picture_;
  SIZE size_{};
};

}  // namespace dorbolt
