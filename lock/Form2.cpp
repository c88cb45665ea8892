#include "lock/Form2.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign Form2::Design() const {
  FormDesign design;
  design.caption = L"Computer Locked";
  design.border = Border::FixedDialog;
  design.placement = Placement::LockArea;
  design.left = 2610;
  design.top = 1620;
  design.width = 6690;
  design.height = 3420;
  design.backColor = CLR_INVALID;
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

}  // namespace dorbolt
