#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The change password dialog. Only its window so far.
class Form7 : public ProgramForm<NoControls> {
 public:
  explicit Form7(Forms& forms) : ProgramForm(forms, L"Form7") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
