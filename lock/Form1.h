#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The lock screen. Only its window so far.
class Form1 : public ProgramForm<NoControls> {
 public:
  explicit Form1(Forms& forms) : ProgramForm(forms, L"Form1") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
