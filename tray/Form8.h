#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The exit gate. Only its window so far.
class Form8 : public ProgramForm<NoControls> {
 public:
  explicit Form8(Forms& forms) : ProgramForm(forms, L"Form8") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
