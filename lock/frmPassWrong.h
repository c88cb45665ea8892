#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The wrong-password alarm. Only its window so far.
class frmPassWrong : public ProgramForm<NoControls> {
 public:
  explicit frmPassWrong(Forms& forms) : ProgramForm(forms, L"frmPassWrong") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
