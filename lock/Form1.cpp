#include "lock/Form1.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign Form1::Design() const {
  FormDesign design;
  design.caption = L"Form1";
  design.border = Border::None;
  design.placement = Placement::VirtualScreen;
  design.left = 0;
  design.top = 0;
  design.width = 12000;
  design.height = 9000;
  design.backColor = RGB(192, 192, 255);
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

}  // namespace dorbolt
