#include "dialogs/Form4.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign Form4::Design() const {
  FormDesign design;
  design.caption = L"Dorbolt Options";
  design.border = Border::FixedSingle;
  design.placement = Placement::CentreScreen;
  design.left = 0;
  design.top = 0;
  design.width = 3135;
  design.height = 4575;
  design.backColor = CLR_INVALID;
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

}  // namespace dorbolt
