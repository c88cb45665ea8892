#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The options gate. Only its window so far.
class Form5 : public ProgramForm<NoControls> {
 public:
  explicit Form5(Forms& forms) : ProgramForm(forms, L"Form5") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
