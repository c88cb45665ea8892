#include "lock/Form9.h"

#include "assets/resource.h"
#include "core/Password.h"
#include "dialogs/Form4.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "dialogs/Form7.h"
#include "dialogs/frmAbout.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "lock/controls/MessageBox.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"
#include "tray/Form3.h"
#include "tray/Form8.h"

namespace dorbolt {

namespace {

constexpr FontSpec kPasswordFont{L"Courier New", 20.25};

TextBoxDesign Hidden(const Place& place, bool multiline) {
  return {.place = place, .visible = false, .multiline = multiline};
}

// The time of day as the user's locale writes it.
std::wstring TimeOfDay(const SYSTEMTIME& time) {
  const int size = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, nullptr, 0);
  if (size <= 0) return {};
  std::wstring text(static_cast<size_t>(size), L'\0');
  const int written = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text.data(), size);
  text.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
  return text;
}

// One line of the log: when, and what was typed, in clear.
std::wstring LogLine(const SYSTEMTIME& clicked, const std::wstring& typed, const std::wstring& ending) {
  return L"At " + TimeOfDay(clicked) + L", the password: " + typed + L" was entered." + ending;
}

}  // namespace

Form9Controls::Form9Controls(Form& form)
    : Text1(form, {.place = {1200, 2280, 5175, 525}, .password = true, .font = kPasswordFont}),
      frame(form, {.title = L"Please Enter Your Password!",
                   .titleHeight = 495,
                   .text = L"To unlock the computer, enter your password into the box below:",
                   .leftBitmap = IDB_UNLOCK,
                   .leftWord = L"Unlock!",
                   .rightBitmap = IDB_ABOUT,
                   .rightWord = L"About"}),
      Command1(frame.Left),
      Command2(frame.Right),
      Text2(form, Hidden({8400, 3000, 150, 225}, false)),
      Text3(form, Hidden({0, 2880, 3255, 495}, true)),
      Text4(form, Hidden({5280, 3360, 3855, 285}, true)),
      Text5(form, Hidden({6480, 1800, 150, 285}, true)) {
  Text4.SetText(Form9::kReportHeading);
  Text5.SetText(Form9::kLineEnding);
}

FormDesign Form9::Design() const {
  FormDesign design;
  design.caption = L"Password Protected";
  design.border = Border::FixedSingle;
  design.closeButton = false;
  design.placement = Placement::LockArea;
  design.left = 2610;
  design.top = 1620;
  design.width = 6660;
  design.height = 3420;
  return design;
}

void Form9::OnLoad() {
  focus_.Reset();
  MakeTopmost(Hwnd());
  Ctl().Text2.SetText(ReadStoredPassword(forms().Registry()));
}

void Form9::OnCommand(int id, int code) {
  // Enter in the password box arrives as IDOK and Esc as IDCANCEL: neither does anything here.
  auto* c = CtlIfLoaded();
  if (!c || code != BN_CLICKED) return;
  if (id == c->Command1.Id()) {
    Unlock();
  } else if (id == c->Command2.Id()) {
    forms().frmAbout().ShowModal();
  }
}

bool Form9::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  // The password box has the keyboard when the prompt opens, and whatever had it gets it back
  // after the alarm, the About box or the report.
  auto* c = CtlIfLoaded();
  if (message == WM_ACTIVATE && c && focus_.OnActivate(Hwnd(), wParam, c->Text1.Window())) {
    result = 0;
    return true;
  }
  return false;
}

void Form9::Unlock() {
  SYSTEMTIME clicked{};
  ::GetLocalTime(&clicked);
  auto& c = Ctl();
  const std::wstring typed = c.Text1.Text();
  std::wstring entry = typed;
  const bool right = CheckPassword(entry, c.Text2.Text());
  c.Text1.SetText(entry);
  // What is typed next goes after the kept text, not before it.
  const auto end = static_cast<WPARAM>(entry.size());
  ::SendMessageW(c.Text1.Window(), EM_SETSEL, end, static_cast<LPARAM>(end));
  if (right) {
    EndLock();
    return;
  }
  c.Text3.SetText(c.Text3.Text() + LogLine(clicked, typed, c.Text5.Text()));
  forms().frmPassWrong().ShowModal();
}

void Form9::EndLock() {
  ShowTaskbar();
  GenericModule::SetScreenSaverRunning(false, forms().Keys());
  {
    auto& c = Ctl();
    const std::wstring log = c.Text3.Text();
    if (!log.empty()) MsgBox(Hwnd(), c.Text4.Text() + log, kReportTitle, MB_ICONEXCLAMATION);
  }
  // Every window of the lock goes, this one with its log among them; the tray window comes
  // back afresh with the idle icon.
  Forms& f = forms();
  f.frmPassWrong().Unload();
  f.frmAbout().Unload();
  f.Form8().Unload();
  f.Form7().Unload();
  f.Form6().Unload();
  f.Form5().Unload();
  f.Form4().Unload();
  Unload();
  f.Form2().Unload();
  f.Form1().Unload();
  f.Form3().Show();
}

}  // namespace dorbolt
