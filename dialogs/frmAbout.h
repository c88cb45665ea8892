#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The About box. Only its window so far.
class frmAbout : public ProgramForm<NoControls> {
 public:
  explicit frmAbout(Forms& forms) : ProgramForm(forms, L"frmAbout") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
