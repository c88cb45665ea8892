#pragma once
#include "lock/ProgramForm.h"
#include "lock/controls/TextBox.h"
#include "lock/model/Timer.h"
#include "platform/Handles.h"
#include "platform/TrayIcon.h"

namespace dorbolt {

struct Form3Controls {
  explicit Form3Controls(Form& form);
  TextBox Text1;  // hidden: the stored password as read at load, or "Not Found"
  YoconTray YoconTray1;
  UniqueMenu mnuPopup;
};

// The tray window: never seen, owner of the notification-area icon and its menu.
class Form3 : public ProgramForm<Form3Controls> {
 public:
  // Menu commands.
  enum : int { mnuActivate = 100, mnuOptions = 101, mnuExit = 102 };

  static constexpr wchar_t kIdleTip[] = L"Double Click to activate Dorbolt";
  static constexpr wchar_t kActivatingTip[] = L"Dorbolt is activating";
  static constexpr int kIconId = 1;
  static constexpr UINT kActivationMs = 2000;

  explicit Form3(Forms& forms);

  YoconTray& YoconTray1() { return Ctl().YoconTray1; }
  Timer& Timer1() { return timer1_; }
  // What the load step read for the stored password.
  std::wstring StoredPassword() { return Ctl().Text1.Text(); }

  // A double click on the icon and "Activate Dorbolt" in its menu.
  void Activate();
  void ShowPopupMenu();

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Tick();

  Timer timer1_;
};

}  // namespace dorbolt
