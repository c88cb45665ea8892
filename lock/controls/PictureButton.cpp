#include "lock/controls/PictureButton.h"

namespace dorbolt {

PictureButton::PictureButton(Form& form, const PictureButtonDesign& design)
    : WindowedControl(form, L"BUTTON", design.word,
                      WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, design.place, std::nullopt) {
  if (design.bitmapId) {
    picture_.reset(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                     MAKEINTRESOURCEW(design.bitmapId),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (picture_ && ::GetObjectW(picture_.get(), sizeof info, &info)) size_ = {info.bmWidth, info.bmHeight};
  }
}

bool PictureButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem != Window()) return false;
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  ::DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (picture_) {
    MemoryDc source(item.hDC);
    SelectScope select(source.get(), picture_.get());
    const int shift = pressed ? 1 : 0;
    const int x = (item.rcItem.right - item.rcItem.left - size_.cx) / 2 + shift;
    const int y = (item.rcItem.bottom - item.rcItem.top - size_.cy) / 2 + shift;
    if (disabled) {
      ::DrawStateW(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(picture_.get()), 0, x, y,
                   size_.cx, size_.cy, DST_BITMAP | DSS_DISABLED);
    } else {
      ::BitBlt(item.hDC, x, y, size_.cx, size_.cy, source.get(), 0, 0, SRCCOPY);
    }
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(item.hDC, &focus);
  }
  return true;
}

}  // namespace dorbolt
