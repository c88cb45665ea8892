#pragma once
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "dialogs/DialogFocus.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct Form8Controls {
  explicit Form8Controls(Form& form);
  DialogFrame frame;
  TextBox Text1;  // the entry; holds its own reverse after each OK
  TextBox Text2;  // hidden: the stored form, read at load
  PictureButton& Command4;  // OK
  PictureButton& Command3;  // Cancel
};

// The exit gate: only the right password ends the program. Cancel only hides it, so that the
// next "Exit Dorbolt" finds it as it was left.
class Form8 : public ProgramForm<Form8Controls> {
 public:
  explicit Form8(Forms& forms) : ProgramForm(forms, L"Form8") {}

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Command4_Click();
  void UnloadEveryWindow();

  DialogFocus focus_;
};

}  // namespace dorbolt
