#include "dialogs/PasswordGate.h"

#include "assets/resource.h"
#include "core/Password.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"

namespace dorbolt {

PasswordGateControls::PasswordGateControls(Form& form)
    : frame(form, {.title = L"Please Enter Your Password!",
                   .text = L"This area is password protected. Please enter your password to continue:",
                   .leftBitmap = IDB_OK,
                   .leftWord = L"OK",
                   .rightBitmap = IDB_CANCEL,
                   .rightWord = L"Cancel"}),
      Text1(form, {.place = {1200, 2280, 5175, 525},
                   .password = true,
                   .font = FontSpec{L"Courier New", 20.25}}),
      Text2(form, {.place = {8400, 3000, 150, 225}, .visible = false, .password = true}),
      Command4(frame.Left),
      Command3(frame.Right) {}

FormDesign PasswordGate::GateDesign(int leftTwips, int topTwips) {
  FormDesign design;
  design.caption = L"Password Protected";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = leftTwips;
  design.top = topTwips;
  design.width = 6660;
  design.height = 3420;
  return design;
}

void PasswordGate::OnLoad() {
  focus_.Reset();
  MakeTopmost(Hwnd());
  Ctl().Text2.SetText(ReadStoredPassword(forms().Registry()));
}

void PasswordGate::OnCommand(int id, int code) {
  auto* c = CtlIfLoaded();
  if (!c || code != BN_CLICKED) return;
  if (id == c->Command4.Id()) {
    Command4_Click();
  } else if (id == c->Command3.Id()) {
    Cancelled();
  }
}

void PasswordGate::Command4_Click() {
  auto& c = Ctl();
  std::wstring entry = c.Text1.Text();
  const bool accepted = CheckPassword(entry, c.Text2.Text());
  c.Text1.SetText(entry);
  if (!accepted) {
    forms().frmPassWrong().ShowModal();
    return;
  }
  Accepted();
}

bool PasswordGate::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  auto* c = CtlIfLoaded();
  if (message == WM_ACTIVATE && c && focus_.OnActivate(Hwnd(), wParam, c->Text1.Window())) {
    result = 0;
    return true;
  }
  return false;
}

}  // namespace dorbolt
