#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The options dialog. Only its window so far.
class Form4 : public ProgramForm<NoControls> {
 public:
  explicit Form4(Forms& forms) : ProgramForm(forms, L"Form4") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
