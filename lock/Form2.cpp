#include "lock/Form2.h"

#include "assets/resource.h"
#include "dialogs/frmAbout.h"
#include "lock/Form9.h"
#include "platform/ShellServices.h"

namespace dorbolt {

namespace {
// The font the notice's long text was laid out in: in the window's message font it needs a
// sixth line that its box does not have.
constexpr FontSpec kTextFont{L"MS Sans Serif", 8};
}  // namespace

Form2Controls::Form2Controls(Form& form)
    : frame(form, {.title = Form2::kTitle,
                   .text = Form2::kText,
                   .textHeight = 975,
                   .textAlign = Align::Left,
                   .textFont = kTextFont,
                   .leftBitmap = IDB_UNLOCK,
                   .leftWord = L"Unlock!",
                   .rightBitmap = IDB_ABOUT,
                   .rightWord = L"About"}),
      Command1(frame.Left),
      Command2(frame.Right) {}

Form2::Form2(Forms& forms)
    : ProgramForm(forms, L"Form2"), timer1_(*this, kShutOutMs, true, [this] { Tick(); }) {}

FormDesign Form2::Design() const {
  FormDesign design;
  design.caption = L"Computer Locked";
  design.border = Border::FixedDialog;
  design.placement = Placement::LockArea;
  design.left = 2610;
  design.top = 1620;
  design.width = 6690;
  design.height = 3420;
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

void Form2::OnLoad() {
  focus_.Reset();
  MakeTopmost(Hwnd());
}

void Form2::Tick() {
  HideTaskbar();
  GenericModule::SetScreenSaverRunning(true, forms().Keys());
  timer1_.SetEnabled(false);
}

void Form2::OnCommand(int id, int /*code*/) {
  auto* c = CtlIfLoaded();
  if (!c) return;
  if (id == c->Command1.Id()) {
    forms().Form9().ShowModal();
    // The unlock may have unloaded this window already; then this does nothing.
    Unload();
  } else if (id == c->Command2.Id()) {
    forms().frmAbout().ShowModal();
  }
}

bool Form2::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  // The keyboard starts on Unlock!, and comes back to where it was when the About box closes.
  if (message == WM_ACTIVATE) {
    if (auto* c = CtlIfLoaded(); c && focus_.OnActivate(HwndIfLoaded(), wParam, c->Command1.Window())) {
      result = 0;
      return true;
    }
  }
  return false;
}

}  // namespace dorbolt
