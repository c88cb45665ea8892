#pragma once
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "dialogs/DialogFocus.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct Form5Controls {
  explicit Form5Controls(Form& form);
  DialogFrame frame;
  TextBox Text1;  // the entry; holds its own reverse after each OK
  TextBox Text2;  // hidden: the stored form, read at load
  PictureButton& Command4;  // OK
  PictureButton& Command3;  // Cancel
};

// The options gate: the right password opens the Options dialog.
class Form5 : public ProgramForm<Form5Controls> {
 public:
  explicit Form5(Forms& forms) : ProgramForm(forms, L"Form5") {}

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Command4_Click();

  DialogFocus focus_;
};

}  // namespace dorbolt
