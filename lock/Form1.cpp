#include "lock/Form1.h"

#include <algorithm>

#include "assets/resource.h"
#include "core/RegistryLayout.h"
#include "lock/Form2.h"
#include "platform/PictureFile.h"
#include "platform/ShellServices.h"
#include "tray/Form3.h"

namespace dorbolt {

namespace {

// The layout is drawn for a 12000 x 9000 twip window; a larger screen grows the picture area
// and keeps the strip along the bottom edge, its pictures where they are from its left end.
constexpr int kDesignWidth = 12000;
constexpr int kDesignHeight = 9000;
// One pixel wider than the window, as it was always drawn.
constexpr Place kBackdrop{0, 0, 12015, 7335};

SIZE Growth(Form& form) {
  RECT client{};
  ::GetClientRect(form.HwndIfLoaded(), &client);
  const int dpi = form.Model().Dpi();
  return SIZE{::MulDiv(client.right, 1440, dpi) - kDesignWidth,
              ::MulDiv(client.bottom, 1440, dpi) - kDesignHeight};
}

Place Grown(const Place& design, SIZE growth, bool wider, bool taller, bool lower) {
  const int dx = wider ? static_cast<int>(growth.cx) : 0;
  const int dy = taller ? static_cast<int>(growth.cy) : 0;
  return Place{design.left, design.top + (lower ? static_cast<int>(growth.cy) : 0),
               std::max(0, design.width + dx), std::max(0, design.height + dy)};
}

// A failing step of the load is skipped and the next one runs; nothing is reported.
template <class Step>
void Attempt(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

Form1Controls::Form1Controls(Form& form)
    : Shape1(form, Grown({30, 7350, 11955, 1635}, Growth(form), true, false, true),
             RGB(255, 255, 255), ::GetSysColor(COLOR_WINDOWTEXT)),
      Image1(form, Grown({3360, 7440, 8580, 1485}, Growth(form), false, false, true),
             Image::Fit::Natural, IDB_BANNER),
      Image2(form, Grown({120, 7440, 3225, 1485}, Growth(form), false, false, true),
             Image::Fit::Natural, IDB_CAPTION),
      Image3(form, Grown(kBackdrop, Growth(form), true, true, false), Image::Fit::Stretch),
      Text1(form, {.place = Grown({1200, 7440, 1095, 285}, Growth(form), false, false, true),
                   .visible = false,
                   .border = false}) {}

Form1::Form1(Forms& forms)
    : ProgramForm(forms, L"Form1"),
      timer1_(*this, 1, false, [this] { this->forms().Form2().ShowModal(); }) {}

FormDesign Form1::Design() const {
  FormDesign design;
  design.caption = L"Form1";
  design.border = Border::None;
  design.placement = Placement::VirtualScreen;
  design.width = kDesignWidth;
  design.height = kDesignHeight;
  design.backColor = kBackColor;
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

void Form1::OnLoad() {
  MakeTopmost(Hwnd());
  // Reaching the tray window's icon loads that window when the program has just started,
  // and its load is where a machine without a password is sent to the first-run dialog.
  Attempt([this] { forms().Form3().YoconTray1().RemoveTrayIcon(Form3::kIconId); });
  Attempt([this] { forms().Form3().Unload(); });
  Attempt([this] {
    Ctl().Text1.SetText(GenericModule::QueryRegString(HKEY_LOCAL_MACHINE, layout::kSettingsKey,
                                                      layout::kBackLock, forms().Registry()));
  });
  Attempt([this] { ShowBackdrop(); });
  timer1_.SetEnabled(true);
}

void Form1::ShowBackdrop() {
  const std::wstring path = Ctl().Text1.Text();
  if (path == layout::kNoBackground) return;
  const Place place = Grown(kBackdrop, Growth(*this), true, true, false);
  Ctl().Image3.SetPicture(LoadPictureFile(path, {Px(place.width), Px(place.height)}, kBackColor));
}

void Form1::CoverTheScreens() {
  HWND window = HwndIfLoaded();
  if (!window) return;
  const std::wstring backLock = Ctl().Text1.Text();
  // Where it is in the z-order it stays: under the notice and whatever else the lock shows.
  ::SetWindowPos(window, nullptr, ::GetSystemMetrics(SM_XVIRTUALSCREEN),
                 ::GetSystemMetrics(SM_YVIRTUALSCREEN), ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 ::GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE | SWP_NOZORDER);
  // The strip and the picture are laid out for the window's size: make them again.
  DestroyControls();
  CreateControls();
  Ctl().Text1.SetText(backLock);
  Attempt([this] { ShowBackdrop(); });
  ::InvalidateRect(window, nullptr, FALSE);
}

bool Form1::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
  if (message == WM_DISPLAYCHANGE) Attempt([this] { CoverTheScreens(); });
  return false;
}

}  // namespace dorbolt
