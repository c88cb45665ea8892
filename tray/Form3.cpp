#include "tray/Form3.h"

#include "assets/resource.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "tray/Form8.h"

namespace dorbolt {

namespace {

HMENU MakePopupMenu() {
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuW(menu, MF_STRING, Form3::mnuActivate, L"Activate Dorbolt");
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, Form3::mnuOptions, L"Options");
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, Form3::mnuExit, L"Exit Dorbolt");
  return menu;
}

}  // namespace

Form3Controls::Form3Controls(Form& form)
    : Text1(form, {.place = {480, 840, 495, 285}, .visible = false}),
      YoconTray1(form.HwndIfLoaded()),
      mnuPopup(MakePopupMenu()) {}

Form3::Form3(Forms& forms)
    : ProgramForm(forms, L"Form3"), timer1_(*this, kActivationMs, false, [this] { Tick(); }) {}

FormDesign Form3::Design() const {
  FormDesign design;
  design.caption = L"Form3";
  design.border = Border::None;
  design.placement = Placement::Screen;  // off-screen: shown at the end of a lock, never seen
  design.left = -19545;
  design.top = -2055;
  design.width = 90;
  design.height = 90;
  design.iconId = IDI_LOCK_OPEN;
  return design;
}

void Form3::OnLoad() {
  HideFromTaskList(true);
  auto& c = Ctl();
  c.Text1.SetText(GenericModule::QueryRegString(HKEY_LOCAL_MACHINE, layout::kSettingsKey,
                                                layout::kPin, forms().Registry()));
  c.YoconTray1.IconDoubleClick = [this] { Activate(); };
  c.YoconTray1.IconMenuRequest = [this] { ShowPopupMenu(); };
  if (c.Text1.Text() != layout::kNotFound) {
    c.YoconTray1.AddTrayIcon(kIdleTip, Icon(), kIconId);
  } else {
    forms().Form6().ShowModal();
  }
}

void Form3::Activate() {
  // Taking the notice's icon loads the notice, whose own timer hides the taskbar a second on.
  YoconTray1().ModifyTrayIcon(kActivatingTip, forms().Form2().Icon(), kIconId);
  timer1_.SetEnabled(true);
}

void Form3::Tick() {
  Hide();
  YoconTray1().ModifyTrayIcon(kIdleTip, Icon(), kIconId);
  // Stays here for the whole lock; the lock screen's load unloads this window and its timer.
  forms().Form1().ShowModal();
}

void Form3::ShowPopupMenu() {
  HWND window = Hwnd();
  POINT at{};
  ::GetCursorPos(&at);
  // Our window must be in the foreground, or the menu does not close when the user clicks away.
  ::SetForegroundWindow(window);
  const int command = static_cast<int>(::TrackPopupMenuEx(
      Ctl().mnuPopup.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
      at.y, window, nullptr));
  ::PostMessageW(window, WM_NULL, 0, 0);
  if (command) OnCommand(command, 0);
}

void Form3::OnCommand(int id, int /*code*/) {
  switch (id) {
    case mnuActivate:
      Activate();
      break;
    case mnuOptions:
      forms().Form5().ShowModal();
      break;
    case mnuExit:
      forms().Form8().ShowModal();
      break;
    default:
      break;
  }
}

bool Form3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (auto* c = CtlIfLoaded(); c && c->YoconTray1.HandleMessage(message, wParam, lParam)) {
    result = 0;
    return true;
  }
  return false;
}

}  // namespace dorbolt
