#include "dialogs/Form4.h"

#include <commdlg.h>

#include "assets/resource.h"
#include "core/GenericModule.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form7.h"
#include "lock/controls/MessageBox.h"
#include "platform/ShellServices.h"

namespace dorbolt {

namespace {

constexpr Place kFrame1{0, 120, 3135, 1695};
constexpr Place kFrame2{0, 1920, 3135, 855};
constexpr Place kFrame3{0, 2880, 3135, 975};

// Inside a frame: controls are placed from the frame's own corner.
constexpr Place In(const Place& frame, const Place& place) {
  return {frame.left + place.left, frame.top + place.top, place.width, place.height};
}

// Description and pattern pairs, each ended by a NUL, the list by another.
constexpr wchar_t kPictureFilter[] =
    L"Bitmap Files\0*.bmp\0GIF Files\0*.gif\0JPEG Files\0*.jp*\0"
    L"Windows Metafiles\0*.wmf\0Enhanced Metafiles\0*.emf\0";

// Longer paths could not be read back from the settings anyway.
constexpr size_t kPathChars = GenericModule::kReadBufferBytes;

}  // namespace

Form4Controls::Form4Controls(Form& form)
    : Frame1(form, kFrame1, L"Dorbolt On Bootup"),
      Check1(form, {.place = In(kFrame1, {240, 360, 2775, 255}), .text = L"Make Dorbolt Load At Bootup"}),
      Option1(form, {.place = In(kFrame1, {240, 840, 2775, 255}),
                     .text = L"Remain Inactive On Bootup",
                     .firstOfGroup = true}),
      Option2(form, {.place = In(kFrame1, {240, 1200, 2775, 255}), .text = L"Lock Immediately On Bootup"}),
      Frame2(form, kFrame2, L"Change Dorbolt Password"),
      Command1(form, {.place = In(kFrame2, {480, 240, 2175, 495}),
                      .bitmapId = IDB_CHANGEPW,
                      .word = L"Change Password"}),
      Frame3(form, kFrame3, L"Locked Background"),
      Option3(form, {.place = In(kFrame3, {120, 240, 1455, 255}), .text = L"No Background", .firstOfGroup = true}),
      Option4(form, {.place = In(kFrame3, {120, 480, 1815, 255}), .text = L"Custom Background"}),
      Command4(form, {.place = In(kFrame3, {1920, 480, 1095, 375}), .bitmapId = IDB_BROWSE, .word = L"Browse"}),
      Text2(form, {.place = In(kFrame3, {3120, 960, 150, 285}), .visible = false}),
      Command2(form, {.place = {60, 3960, 1455, 495}, .bitmapId = IDB_OK, .word = L"OK"}),
      Command3(form, {.place = {1605, 3960, 1455, 495}, .bitmapId = IDB_CANCEL, .word = L"Cancel"}),
      Text1(form, {.place = {3120, 4560, 1695, 285}, .visible = false}) {}

FormDesign Form4::Design() const {
  FormDesign design;
  design.caption = L"Dorbolt Options";
  design.border = Border::FixedSingle;
  design.closeButton = true;
  design.placement = Placement::CentreScreen;
  design.width = 3135;
  design.height = 4575;
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

std::wstring Form4::ReadIntoText1(const wchar_t* key, const wchar_t* name) {
  auto& c = Ctl();
  c.Text1.SetText(GenericModule::QueryRegString(HKEY_LOCAL_MACHINE, key, name, forms().Registry()));
  return c.Text1.Text();
}

// Each value set here that differs from the current one runs that control's click handling.
void Form4::OnLoad() {
  using namespace layout;
  focus_.Reset();
  MakeTopmost(Hwnd());
  auto& c = Ctl();

  c.Check1.SetChecked(ReadIntoText1(kSettingsKey, kBootUp) == kBootUpYes);

  const std::wstring startup = ReadIntoText1(kRunKey, kRunValue);
  if (startup == kGuardCommand) c.Check1.SetChecked(true);
  if (startup == kWatchCommand) c.Check1.SetChecked(true);
  if (startup == kGuardCommand) c.Option2.SetSelected(true);
  if (startup == kWatchCommand) c.Option1.SetSelected(true);
  if (startup == kNotFound) c.Check1.SetChecked(false);

  if (ReadIntoText1(kSettingsKey, kBackLock) == kNoBackground) {
    c.Option3.SetSelected(true);
  } else {
    c.Option4.SetSelected(true);
  }

  const bool enabled = c.Check1.Checked();
  c.Option1.SetEnabled(enabled);
  c.Option2.SetEnabled(enabled);
  if (!enabled) {
    c.Option1.SetSelected(false);
    c.Option2.SetSelected(false);
  }
}

void Form4::Check1_Click() {
  auto& c = Ctl();
  if (c.Check1.Checked()) {
    c.Option1.SetEnabled(true);
    c.Option2.SetEnabled(true);
  } else {
    c.Option1.SetEnabled(false);
    c.Option2.SetEnabled(false);
    c.Option1.SetSelected(false);
    c.Option2.SetSelected(false);
  }
}

void Form4::Command4_Click() {
  auto& c = Ctl();
  std::wstring buffer(kPathChars, L'\0');
  c.CommonDialog1FileName.copy(buffer.data(), std::min(c.CommonDialog1FileName.size(), kPathChars - 1));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Hwnd();
  dialog.lpstrFilter = kPictureFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrTitle = kBrowseTitle;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const bool chosen = ::GetOpenFileNameW(&dialog) != FALSE;
  // The dialog runs its own loop: this window may have gone meanwhile (an unlock unloads it).
  if (CtlIfLoaded() != &c) return;
  // A cancel is no error: the box gets what the dialog holds, the last choice or nothing.
  if (chosen) c.CommonDialog1FileName = buffer.c_str();
  c.Text2.SetText(c.CommonDialog1FileName);
}

void Form4::Command2_Click() {
  using namespace layout;
  auto& c = Ctl();
  const auto save = [this](const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    return GenericModule::SaveRegValue(HKEY_LOCAL_MACHINE, key, name, REG_SZ, RegValue(text),
                                       forms().Registry());
  };
  // The first case that applies is the only one carried out.
  bool saved = true;
  const std::wstring picture = c.Text2.Text();
  if (c.Option3.Selected()) {
    saved = save(kSettingsKey, kBackLock, kNoBackground);
  } else if (c.Option4.Selected() && !picture.empty()) {
    saved = save(kSettingsKey, kBackLock, picture);
  } else if (c.Option1.Selected()) {
    saved = save(kRunKey, kRunValue, kWatchCommand);
  } else if (c.Option2.Selected()) {
    saved = save(kRunKey, kRunValue, kGuardCommand);
  }
  if (!saved) {
    // The registry kept what it had; the dialog stays, so the user can try again or cancel.
    MsgBox(Hwnd(), kNotSavedText, kNotSavedTitle, MB_ICONERROR);
    return;
  }
  Unload();
}

void Form4::OnCommand(int id, int code) {
  auto* c = CtlIfLoaded();
  if (!c || code != BN_CLICKED) return;
  if (id == c->Check1.Id()) {
    Check1_Click();
  } else if (id == c->Option3.Id()) {
    if (c->Option3.Selected()) c->Command4.SetEnabled(false);
  } else if (id == c->Option4.Id()) {
    if (c->Option4.Selected()) c->Command4.SetEnabled(true);
  } else if (id == c->Command4.Id()) {
    Command4_Click();
  } else if (id == c->Command1.Id()) {
    forms().Form7().ShowModal();
  } else if (id == c->Command2.Id()) {
    Command2_Click();
  } else if (id == c->Command3.Id()) {
    Unload();
  }
}

bool Form4::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  auto* c = CtlIfLoaded();
  if (message == WM_ACTIVATE && c && focus_.OnActivate(Hwnd(), wParam, c->Check1.Window())) {
    result = 0;
    return true;
  }
  return false;
}

}  // namespace dorbolt
