#include "dialogs/Form5.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign Form5::Design() const {
  FormDesign design;
  design.caption = L"Password Protected";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = 2490;
  design.top = 1710;
  design.width = 6660;
  design.height = 3420;
  design.backColor = CLR_INVALID;
  design.iconId = 0;
  return design;
}

}  // namespace dorbolt
