#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The unlock prompt. Only its window so far.
class Form9 : public ProgramForm<NoControls> {
 public:
  explicit Form9(Forms& forms) : ProgramForm(forms, L"Form9") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
