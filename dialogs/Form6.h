#pragma once
#include "lock/ProgramForm.h"

namespace dorbolt {

// The first-run password dialog. Only its window so far.
class Form6 : public ProgramForm<NoControls> {
 public:
  explicit Form6(Forms& forms) : ProgramForm(forms, L"Form6") {}

 protected:
  FormDesign Design() const override;
};

}  // namespace dorbolt
