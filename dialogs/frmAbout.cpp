#include "dialogs/frmAbout.h"

#include "assets/resource.h"
#include "platform/ShellServices.h"

namespace dorbolt {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kFramePx = 2;
}  // namespace

FacedButton::FacedButton(Form& form, const Place& place, std::wstring_view caption, COLORREF face)
    : WindowedControl(form, L"BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, place,
                      std::nullopt),
      face_(face) {}

bool FacedButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem != Window()) return false;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  UniqueBrush face(::CreateSolidBrush(face_));
  ::FillRect(dc, &rect, face.get());
  // The one button of its window is always the default one: a dark outline around the face.
  ::FrameRect(dc, &rect, ::GetSysColorBrush(COLOR_WINDOWFRAME));
  ::InflateRect(&rect, -1, -1);
  if (pressed) {
    ::FrameRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    ::DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
  }
  RECT text = rect;
  if (pressed) ::OffsetRect(&text, 1, 1);
  const std::wstring caption = Text();
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = rect;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
  return true;
}

FramedIcon::FramedIcon(Form& form, POINT topLeftTwips, int iconId, int size)
    : Control(form),
      topLeft_(topLeftTwips),
      icon_(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                            IMAGE_ICON, size, size, LR_SHARED))),
      size_(size) {}

void FramedIcon::Paint(HDC dc) {
  const int x = Parent().Px(topLeft_.x);
  const int y = Parent().Px(topLeft_.y);
  RECT box{x, y, x + size_ + 2 * kFramePx, y + size_ + 2 * kFramePx};
  UniqueBrush white(::CreateSolidBrush(kWhite));
  ::FillRect(dc, &box, white.get());
  ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  if (icon_) ::DrawIconEx(dc, x + kFramePx, y + kFramePx, icon_, size_, size_, 0, nullptr, DI_NORMAL);
}

frmAboutControls::frmAboutControls(Form& form)
    : cmdOK(form, {4245, 2880, 1260, 345}, L"OK", kWhite),
      picIcon(form, {240, 240}, IDI_LOCK_CLOSED, 32),
      Image3(form, {1080, 120, 3975, 615}, Image::Fit::Stretch, IDB_BANNER),
      lblVersion(form, {.place = {1050, 1080, 3885, 225}, .text = frmAbout::kVersion}),
      lblDescription(form, {.place = {1050, 1440, 3885, 810}, .text = frmAbout::kDescription}),
      Line1{Rule(form, {105, 2460}, {5654, 2460}, kWhite, 2),
            Rule(form, {90, 2445}, {5654, 2445}, RGB(128, 128, 128), 1)} {}

FormDesign frmAbout::Design() const {
  FormDesign design;
  design.caption = L"About Dorbolt";
  design.border = Border::FixedDialog;
  design.closeButton = true;
  design.placement = Placement::CentreScreen;
  design.width = 5730;
  design.height = 3555;
  design.backColor = kWhite;
  design.iconId = IDI_LOCK_CLOSED;
  return design;
}

// Topmost before it is seen, so that it stands above the topmost notice and prompt.
void frmAbout::OnLoad() { MakeTopmost(Hwnd()); }

void frmAbout::OnCommand(int id, int /*code*/) {
  // Enter and Esc arrive as the dialog keys' commands; OK is both the default and the cancel.
  auto* c = CtlIfLoaded();
  if (id == IDOK || id == IDCANCEL || (c && id == c->cmdOK.Id())) Unload();
}

bool frmAbout::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  auto* c = CtlIfLoaded();
  if (!c) return false;
  switch (message) {
    case DM_GETDEFID:
      result = MAKELRESULT(c->cmdOK.Id(), DC_HASDEFID);
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) return false;
      ::SetFocus(c->cmdOK.Window());
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace dorbolt
