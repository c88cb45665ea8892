#include "dialogs/Form7.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign Form7::Design() const {
  FormDesign design;
  design.caption = L"Change Password";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = 2835;
  design.top = 1185;
  design.width = 6660;
  design.height = 3390;
  design.backColor = CLR_INVALID;
  design.iconId = 0;
  return design;
}

}  // namespace dorbolt
