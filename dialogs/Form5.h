#pragma once
#include "dialogs/PasswordGate.h"

namespace dorbolt {

// The options gate: the right password opens the Options dialog.
class Form5 : public PasswordGate {
 public:
  explicit Form5(Forms& forms) : PasswordGate(forms, L"Form5") {}

 protected:
  FormDesign Design() const override { return GateDesign(2490, 1710); }
  void Accepted() override;
  void Cancelled() override { Unload(); }
};

}  // namespace dorbolt
