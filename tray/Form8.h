#pragma once
#include "dialogs/PasswordGate.h"

namespace dorbolt {

// The exit gate: only the right password ends the program. Cancel only hides it, so that the
// next "Exit Dorbolt" finds it as it was left.
class Form8 : public PasswordGate {
 public:
  explicit Form8(Forms& forms) : PasswordGate(forms, L"Form8") {}

 protected:
  FormDesign Design() const override { return GateDesign(2400, 1620); }
  void OnUnload() override;
  void Accepted() override;
  void Cancelled() override { Hide(); }

 private:
  void UnloadEveryWindow();
};

}  // namespace dorbolt
