#include "lock/frmPassWrong.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign frmPassWrong::Design() const {
  FormDesign design;
  design.caption = L"";
  design.border = Border::None;
  design.placement = Placement::CentreScreen;
  design.left = 0;
  design.top = 0;
  design.width = 8865;
  design.height = 2910;
  design.backColor = RGB(255, 255, 255);
  design.iconId = 0;
  return design;
}

}  // namespace dorbolt
