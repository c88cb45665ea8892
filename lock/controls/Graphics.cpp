#include "lock/controls/Graphics.h"

#include "lock/model/Form.h"

namespace dorbolt {

namespace {
RECT PixelRect(const Form& form, const Place& p) {
  return RECT{form.Px(p.left), form.Px(p.top), form.Px(p.left + p.width), form.Px(p.top + p.height)};
}
}  // namespace

Image::Image(Form& form, const Place& place, Fit fit, int bitmapId)
    : Control(form), place_(place), fit_(fit) {
  if (bitmapId) {
    SetPicture(UniqueBitmap(static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0,
        LR_CREATEDIBSECTION))));
  }
}

void Image::SetPicture(UniqueBitmap picture) {
  picture_ = std::move(picture);
  size_ = {};
  BITMAP info{};
  if (picture_ && ::GetObjectW(picture_.get(), sizeof info, &info)) {
    size_ = {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
  }
  if (HWND window = Parent().HwndIfLoaded()) {
    const RECT area = PixelRect(Parent(), place_);
    ::InvalidateRect(window, &area, FALSE);
  }
}

void Image::Paint(HDC dc) {
  if (!picture_) return;
  const RECT area = PixelRect(Parent(), place_);
  MemoryDc source(dc);
  SelectScope select(source.get(), picture_.get());
  if (fit_ == Fit::Stretch) {
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 source.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
  } else {
    ::BitBlt(dc, area.left, area.top, size_.cx, size_.cy, source.get(), 0, 0, SRCCOPY);
  }
}

IconImage::IconImage(Form& form, const Place& place, int iconId, int size)
    : Control(form),
      place_(place),
      icon_(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                            IMAGE_ICON, size, size, LR_SHARED))),
      size_(size) {}

void IconImage::Paint(HDC dc) {
  if (icon_) {
    ::DrawIconEx(dc, Parent().Px(place_.left), Parent().Px(place_.top), icon_, size_, size_, 0,
                 nullptr, DI_NORMAL);
  }
}

Shape::Shape(Form& form, const Place& place, COLORREF fill, COLORREF outline)
    : Control(form), place_(place), fill_(fill), outline_(outline) {}

void Shape::Paint(HDC dc) {
  const RECT area = PixelRect(Parent(), place_);
  UniqueBrush fill(::CreateSolidBrush(fill_));
  ::FillRect(dc, &area, fill.get());
  if (outline_ != CLR_INVALID) {
    UniqueBrush outline(::CreateSolidBrush(outline_));
    ::FrameRect(dc, &area, outline.get());
  }
}

Rule::Rule(Form& form, POINT fromTwips, POINT toTwips, COLORREF color, int thicknessPx)
    : Control(form), from_(fromTwips), to_(toTwips), color_(color), thickness_(thicknessPx) {}

void Rule::Paint(HDC dc) {
  const int x1 = Parent().Px(from_.x);
  const int y1 = Parent().Px(from_.y);
  const int x2 = Parent().Px(to_.x);
  const int y2 = Parent().Px(to_.y);
  const int before = (thickness_ - 1) / 2;
  RECT band;
  if (y1 == y2) {
    band = RECT{x1, y1 - before, x2 + 1, y1 - before + thickness_};
  } else {
    band = RECT{x1 - before, y1, x1 - before + thickness_, y2 + 1};
  }
  UniqueBrush brush(::CreateSolidBrush(color_));
  ::FillRect(dc, &band, brush.get());
}

}  // namespace dorbolt
