#include "dialogs/frmAbout.h"

#include "assets/resource.h"

namespace dorbolt {

FormDesign frmAbout::Design() const {
  FormDesign design;
  design.caption = L"About Dorbolt";
  design.border = Border::FixedDialog;
  design.placement = Placement::CentreScreen;
  design.left = 0;
  design.top = 0;
  design.width = 5730;
  design.height = 3555;
  design.backColor = RGB(255, 255, 255);
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

}  // namespace dorbolt
