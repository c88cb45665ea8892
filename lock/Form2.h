#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The lock notice. Only its window so far.
class Form2 : public ProgramForm<NoControls> {
 public:
  explicit Form2(Forms& forms) : ProgramForm(forms, L"Form2") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
