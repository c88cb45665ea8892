#include "dialogs/Form7.h"

#include "assets/resource.h"
#include "core/Password.h"
#include "lock/controls/MessageBox.h"
#include "platform/ShellServices.h"

namespace dorbolt {

namespace {
constexpr FontSpec kFieldFont{L"Tahoma", 12, true};
constexpr FontSpec kEntryFont{L"Courier New", 12};

TextBoxDesign Entry(int top) {
  return {.place = {3120, top, 3495, 315}, .password = true, .font = kEntryFont};
}
LabelDesign Field(int top, int width, std::wstring_view text) {
  return {.place = {1080, top, width, 255}, .text = text, .font = kFieldFont};
}
}  // namespace

Form7Controls::Form7Controls(Form& form)
    : frame(form, {.title = L"Change Your Password!",
                   .titleHeight = 495,
                   .text = {},  // the field labels say it instead
                   .leftBitmap = IDB_OK,
                   .leftWord = L"OK",
                   .rightBitmap = IDB_CANCEL,
                   .rightWord = L"Cancel"}),
      Label2(form, Field(1920, 1695, L"Old Password")),
      Text1(form, Entry(1920)),
      Label3(form, Field(2280, 1815, L"New Password")),
      Text2(form, Entry(2280)),
      Label4(form, Field(2640, 2055, L"Verify Password")),
      Text3(form, Entry(2640)),
      Text4(form, {.place = {600, 840, 150, 285}, .visible = false, .border = false}),
      Command4(frame.Left),
      Command3(frame.Right) {}

FormDesign Form7::Design() const {
  FormDesign design;
  design.caption = L"Change Password";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = 2835;
  design.top = 1185;
  design.width = 6660;
  design.height = 3390;
  return design;
}

void Form7::OnLoad() {
  focus_.Reset();
  MakeTopmost(Hwnd());
}

void Form7::OnCommand(int id, int code) {
  auto* c = CtlIfLoaded();
  if (!c || code != BN_CLICKED) return;
  if (id == c->Command4.Id()) {
    Command4_Click();
  } else if (id == c->Command3.Id()) {
    Unload();
  }
}

void Form7::Command4_Click() {
  using namespace password_text;
  auto& c = Ctl();
  std::wstring old = c.Text1.Text();
  // Read now, not at load: the check always uses what the registry holds at this press.
  c.Text4.SetText(ReadStoredPassword(forms().Registry()));
  const bool oldRight = CheckPassword(old, c.Text4.Text());
  c.Text1.SetText(old);
  if (!oldRight) {
    MsgBox(Hwnd(), kIncorrect, kErrorTitle, MB_ICONERROR);
    return;
  }
  const std::wstring confirmation = c.Text3.Text();
  if (!PasswordsMatch(c.Text2.Text(), confirmation)) {
    MsgBox(Hwnd(), kMismatch, kErrorTitle, MB_ICONERROR);
    return;
  }
  // Its stored form would read as "no password" to every window that checks one.
  if (StoresAsSentinel(confirmation)) {
    MsgBox(Hwnd(), kReserved, kErrorTitle, MB_ICONERROR);
    return;
  }
  // A password the settings cannot hold whole could never unlock: the old one stays instead.
  if (const PasswordFit fit = FitOfPassword(confirmation); fit != PasswordFit::Whole) {
    MsgBox(Hwnd(), fit == PasswordFit::TooLong ? kTooLong : kNotInCodePage, kErrorTitle, MB_ICONERROR);
    return;
  }
  if (!StorePassword(confirmation, forms().Registry())) {
    // The old password stays in force; the new entries stay as typed for another try.
    MsgBox(Hwnd(), kNotSaved, kErrorTitle, MB_ICONERROR);
    return;
  }
  c.Text2.SetText(ReverseText(confirmation));
  MsgBox(Hwnd(), kChangedText, kChangedTitle, MB_ICONINFORMATION);
  Unload();
}

bool Form7::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  auto* c = CtlIfLoaded();
  if (message == WM_ACTIVATE && c && focus_.OnActivate(Hwnd(), wParam, c->Text1.Window())) {
    result = 0;
    return true;
  }
  return false;
}

}  // namespace dorbolt
