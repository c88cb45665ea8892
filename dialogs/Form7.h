#pragma once
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "dialogs/DialogFocus.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct Form7Controls {
  explicit Form7Controls(Form& form);
  DialogFrame frame;
  Label Label2;
  TextBox Text1;  // the old password; holds its own reverse after each OK
  Label Label3;
  TextBox Text2;  // the new password
  Label Label4;
  TextBox Text3;  // the new password again
  TextBox Text4;  // hidden: the stored form, read at every OK
  PictureButton& Command4;  // OK
  PictureButton& Command3;  // Cancel
};

// The change password dialog, opened from the Options dialog.
class Form7 : public ProgramForm<Form7Controls> {
 public:
  static constexpr wchar_t kChangedText[] = L"Password Successfully Changed";

  explicit Form7(Forms& forms) : ProgramForm(forms, L"Form7") {}

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
