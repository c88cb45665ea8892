#include "tray/Form8.h"

#include "assets/resource.h"
#include "core/Password.h"
#include "dialogs/Form4.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "dialogs/Form7.h"
#include "dialogs/frmAbout.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "lock/Form9.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"
#include "tray/Form3.h"

namespace dorbolt {

namespace {
// Takes the icon away only from a tray window that is there: asking for its control would
// load it, and its load adds the icon again (or opens the first-run dialog).
void RemoveIconIfLoaded(class Form3& tray) {
  if (tray.IsLoaded()) tray.YoconTray1().RemoveTrayIcon(Form3::kIconId);
}
}  // namespace

Form8Controls::Form8Controls(Form& form)
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

FormDesign Form8::Design() const {
  FormDesign design;
  design.caption = L"Password Protected";
  design.border = Border::FixedSingle;
  design.placement = Placement::LockArea;
  design.left = 2400;
  design.top = 1620;
  design.width = 6660;
  design.height = 3420;
  return design;
}

void Form8::OnLoad() {
  focus_.Reset();
  MakeTopmost(Hwnd());
  Ctl().Text2.SetText(ReadStoredPassword(forms().Registry()));
}

void Form8::OnUnload() {
  RemoveIconIfLoaded(forms().Form3());
  HideFromTaskList(false);
}

void Form8::OnCommand(int id, int code) {
  auto* c = CtlIfLoaded();
  if (!c || code != BN_CLICKED) return;
  if (id == c->Command4.Id()) {
    Command4_Click();
  } else if (id == c->Command3.Id()) {
    Hide();
  }
}

void Form8::Command4_Click() {
  auto& c = Ctl();
  std::wstring entry = c.Text1.Text();
  const bool accepted = CheckPassword(entry, c.Text2.Text());
  c.Text1.SetText(entry);
  if (!accepted) {
    forms().frmPassWrong().ShowModal();
    return;
  }
  RemoveIconIfLoaded(forms().Form3());
  UnloadEveryWindow();
}

void Form8::UnloadEveryWindow() {
  // Unloading a window that is not loaded does nothing: no load step runs here.
  Forms& f = forms();
  Form* const order[] = {&f.Form1(), &f.Form2(), &f.Form3(),   &f.Form4(),
                         &f.Form5(), &f.Form6(), &f.Form7(),   &f.Form9(),
                         &f.frmAbout(), &f.frmPassWrong(), this};
  for (Form* form : order) form->Unload();
}

bool Form8::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  auto* c = CtlIfLoaded();
  if (message == WM_ACTIVATE && c && focus_.OnActivate(Hwnd(), wParam, c->Text1.Window())) {
    result = 0;
    return true;
  }
  return false;
}

}  // namespace dorbolt
