#include "dialogs/Form6.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign Form6::Design() const {
  FormDesign design;
  design.caption = L"Please Enter Password";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = 2715;
  design.top = 1260;
  design.width = 6660;
  design.height = 3420;
  design.backColor = CLR_INVALID;
  design.iconId = 0;
  return design;
}

}  // namespace dorbolt
