#pragma once
#include <string>

#include "dialogs/DialogFocus.h"
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "lock/controls/TextBox.h"

namespace dorbolt {

struct Form9Controls {
  explicit Form9Controls(Form& form);
  TextBox Text1;  // the password box; after a press it holds the reversed entry
  DialogFrame frame;
  PictureButton& Command1;  // Unlock!
  PictureButton& Command2;  // About
  TextBox Text2;  // hidden: the stored password as read at load
  TextBox Text3;  // hidden: the AttemptLog of this lock
  TextBox Text4;  // hidden: the report's heading
  TextBox Text5;  // hidden: the ending of every log line
};

// The unlock prompt, the only way out of a lock. It has no cancel button and no control box:
// only the right password closes it. Wrong ones are logged and answered by the alarm.
class Form9 : public ProgramForm<Form9Controls> {
 public:
  static constexpr wchar_t kReportTitle[] = L"Unauthorized Access...";
  static constexpr wchar_t kReportHeading[] =
      L"Incorrect Passwords Have Been Entered. They Are:\r\n \r\n";
  static constexpr wchar_t kLineEnding[] = L" \r\n";

  explicit Form9(Forms& forms) : ProgramForm(forms, L"Form9") {}

  // The failed attempts of this lock, oldest first.
  std::wstring AttemptLog() { return Ctl().Text3.Text(); }

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool AllowsClose() const override { return false; }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Unlock();
  void EndLock();

  DialogFocus focus_;
};

}  // namespace dorbolt
