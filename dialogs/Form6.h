#pragma once
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "dialogs/DialogFocus.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct Form6Controls {
  explicit Form6Controls(Form& form);
  DialogFrame frame;
  TextBox Text1;  // the password
  TextBox Text3;  // its confirmation
  PictureButton& Command4;  // OK
  PictureButton& Command3;  // Cancel
};

// The first-run password dialog: the only way on from a machine with no password. Both of its
// ways out end the program; the user starts it again to use the new password.
class Form6 : public ProgramForm<Form6Controls> {
 public:
  static constexpr wchar_t kSetText[] = L"Password Successfully Set";
  static constexpr wchar_t kRestartText[] = L"Now Restart Dorbolt To Enable Lock Features";
  static constexpr wchar_t kRestartTitle[] = L"Restart Dorbolt";

  explicit Form6(Forms& forms) : ProgramForm(forms, L"Form6") {}

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
