#pragma once
#include "dialogs/DialogFocus.h"
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct PasswordGateControls {
  explicit PasswordGateControls(Form& form);
  DialogFrame frame;
  TextBox Text1;  // the entry; holds its own reverse after each OK
  TextBox Text2;  // hidden: the stored form, read at load
  PictureButton& Command4;  // OK
  PictureButton& Command3;  // Cancel
};

// "Please Enter Your Password!" in front of something: the options and leaving the program.
// The two gates differ only in what the right password and Cancel lead to.
class PasswordGate : public ProgramForm<PasswordGateControls> {
 protected:
  PasswordGate(Forms& forms, std::wstring name) : ProgramForm(forms, std::move(name)) {}

  // The caption and size both gates share, at the gate's own place in the lock area.
  static FormDesign GateDesign(int leftTwips, int topTwips);

  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  virtual void Accepted() = 0;
  virtual void Cancelled() = 0;

 private:
  void Command4_Click();

  DialogFocus focus_;
};

}  // namespace dorbolt
