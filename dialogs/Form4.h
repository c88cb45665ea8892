#pragma once
#include <string>

#include "dialogs/DialogFocus.h"
#include "lock/ProgramForm.h"
#include "lock/controls/Choice.h"
#include "lock/controls/PictureButton.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct Form4Controls {
  explicit Form4Controls(Form& form);
  Frame Frame1;        // "Dorbolt On Bootup"
  CheckBox Check1;     // "Make Dorbolt Load At Bootup"
  OptionButton Option1;  // "Remain Inactive On Bootup"
  OptionButton Option2;  // "Lock Immediately On Bootup"
  Frame Frame2;
  PictureButton Command1;  // Change Password
  Frame Frame3;        // "Locked Background"
  OptionButton Option3;  // "No Background"
  OptionButton Option4;  // "Custom Background"
  PictureButton Command4;  // Browse
  TextBox Text2;       // hidden: the picture chosen with Browse
  PictureButton Command2;  // OK
  PictureButton Command3;  // Cancel
  TextBox Text1;       // hidden: scratch for the registry reads
  // What the file dialog holds during this opening: the last file chosen, or nothing.
  std::wstring CommonDialog1FileName;
};

// The Options dialog: start with Windows or not and how, the lock-screen picture, and the way
// to the change password dialog. It shows what is stored each time it opens and writes at most
// one setting at each OK.
class Form4 : public ProgramForm<Form4Controls> {
 public:
  static constexpr wchar_t kBrowseTitle[] = L"Choose Background...";
  static constexpr wchar_t kNotSavedText[] = L"The Setting Could Not Be Saved";
  static constexpr wchar_t kNotSavedTitle[] = L"Dorbolt Options";

  explicit Form4(Forms& forms) : ProgramForm(forms, L"Form4") {}

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Check1_Click();
  void Command4_Click();
  void Command2_Click();
  // Reads a setting into the scratch box and gives it back.
  std::wstring ReadIntoText1(const wchar_t* key, const wchar_t* name);

  DialogFocus focus_;
};

}  // namespace dorbolt
