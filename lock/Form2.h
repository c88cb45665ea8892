#pragma once
#include "dialogs/DialogFocus.h"
#include "lock/ProgramForm.h"
#include "lock/controls/DialogFrame.h"
#include "lock/model/Timer.h"

namespace dorbolt {

struct Form2Controls {
  explicit Form2Controls(Form& form);
  DialogFrame frame;
  PictureButton& Command1;  // Unlock!
  PictureButton& Command2;  // About
};

// The lock notice "Computer Locked", modal over the lock screen. A second after it loads it
// hides the taskbar and shuts out the system keys, once per load.
class Form2 : public ProgramForm<Form2Controls> {
 public:
  static constexpr wchar_t kTitle[] = L"This Workstation Is Locked!";
  static constexpr wchar_t kText[] =
      L"This computer is in use, and for security reasons, has been locked. To unlock the "
      L"computer, please click the Unlock button. Only authorized administrators may unlock "
      L"this workstation. Each incorrect password will be logged, therefore if an "
      L"unauthorized person tries to unlock the computer, the administrator will be "
      L"informed. If you are an authorized person, please click Unlock to continue.";
  static constexpr UINT kShutOutMs = 1000;

  explicit Form2(Forms& forms);

  Timer& Timer1() { return timer1_; }

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool AllowsClose() const override { return false; }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Tick();

  Timer timer1_;
  DialogFocus focus_;
};

}  // namespace dorbolt
