#include "dialogs/Form6.h"

#include "assets/resource.h"
#include "core/Password.h"
#include "lock/controls/MessageBox.h"
#include "platform/ShellServices.h"

namespace dorbolt {

namespace {
constexpr FontSpec kEntryFont{L"Courier New", 12};
}  // namespace

Form6Controls::Form6Controls(Form& form)
    : frame(form, {.title = L"Please Choose A Password!",
                   .titleHeight = 495,
                   .text = L"Please choose a password. Enter it into both boxes:",
                   .leftBitmap = IDB_OK,
                   .leftWord = L"OK",
                   .rightBitmap = IDB_CANCEL,
                   .rightWord = L"Cancel"}),
      Text1(form, {.place = {1200, 2280, 5175, 315}, .password = true, .font = kEntryFont}),
      Text3(form, {.place = {1200, 2640, 5175, 315}, .password = true, .font = kEntryFont}),
      Command4(frame.Left),
      Command3(frame.Right) {}

FormDesign Form6::Design() const {
  FormDesign design;
  design.caption = L"Please Enter Password";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = 2715;
  design.top = 1260;
  design.width = 6660;
  design.height = 3420;
  return design;
}

void Form6::OnLoad() {
  focus_.Reset();
  MakeTopmost(Hwnd());
}

void Form6::OnCommand(int id, int code) {
  auto* c = CtlIfLoaded();
  if (!c || code != BN_CLICKED) return;
  if (id == c->Command4.Id()) {
    Command4_Click();
  } else if (id == c->Command3.Id()) {
    forms().Model().End();  // nothing is stored
  }
}

bool Form6::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  auto* c = CtlIfLoaded();
  if (message == WM_ACTIVATE && c && focus_.OnActivate(Hwnd(), wParam, c->Text1.Window())) {
    result = 0;
    return true;
  }
  return false;
}

void Form6::Command4_Click() {
  using namespace password_text;
  auto& c = Ctl();
  const std::wstring typed = c.Text1.Text();
  const std::wstring confirmation = c.Text3.Text();
  if (!PasswordsMatch(typed, confirmation)) {
    MsgBox(Hwnd(), kMismatch, kErrorTitle, MB_ICONERROR);
    return;
  }
  // The box keeps the transformed entry from here on, refused or not.
  c.Text1.SetText(ReverseText(confirmation));
  // "Not Found" as typed is the sentinel itself; its reverse would be stored as the sentinel and
  // read back as no password at all.
  if (IsSentinelEntry(confirmation) || StoresAsSentinel(confirmation)) {
    MsgBox(Hwnd(), kReserved, kErrorTitle, MB_ICONERROR);
    return;
  }
  // A password the settings cannot hold whole could never unlock: refuse it before storing.
  if (const PasswordFit fit = FitOfPassword(confirmation); fit != PasswordFit::Whole) {
    c.Text1.SetText(typed);
    MsgBox(Hwnd(), fit == PasswordFit::TooLong ? kTooLong : kNotInCodePage, kErrorTitle, MB_ICONERROR);
    return;
  }
  if (!StorePassword(confirmation, forms().Registry())) {
    // Nothing was stored: give the entry back as typed, so that OK can simply be pressed again.
    c.Text1.SetText(typed);
    MsgBox(Hwnd(), kNotSaved, kErrorTitle, MB_ICONERROR);
    return;
  }
  MsgBox(Hwnd(), kSetText, kChangedTitle, MB_ICONINFORMATION);
  MsgBox(Hwnd(), kRestartText, kRestartTitle, MB_ICONEXCLAMATION);
  forms().Model().End();
}

}  // namespace dorbolt
