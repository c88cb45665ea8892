#pragma once
#include <windows.h>

#include "lock/controls/Windowed.h"
#include "platform/Handles.h"

namespace dorbolt {

// A picture painted by its window: at natural size from its top left (cut off by the window),
// or stretched to fill its place. Empty shows nothing.
class Image : public Control {
 public:
  enum class Fit { Natural, Stretch };
  Image(Form& form, const Place& place, Fit fit, int bitmapId = 0);

  void SetPicture(UniqueBitmap picture);
  bool HasPicture() const { return static_cast<bool>(picture_); }
  SIZE PictureSize() const { return size_; }
  void Paint(HDC dc) override;

 private:
  Place place_;
  Fit fit_;
  UniqueBitmap picture_;
  SIZE size_{};
};

// An icon painted at its own size.
class IconImage : public Control {
 public:
  IconImage(Form& form, const Place& place, int iconId, int size);
  void Paint(HDC dc) override;

 private:
  Place place_;
  HICON icon_;  // shared resource icon
  int size_;
};

// A filled rectangle with a one-pixel outline; or a box of one colour.
class Shape : public Control {
 public:
  Shape(Form& form, const Place& place, COLORREF fill, COLORREF outline);
  void Paint(HDC dc) override;

 private:
  Place place_;
  COLORREF fill_;
  COLORREF outline_;
};

// A horizontal or vertical rule of a given pixel thickness, centred on its line.
class Rule : public Control {
 public:
  Rule(Form& form, POINT fromTwips, POINT toTwips, COLORREF color, int thicknessPx);
  void Paint(HDC dc) override;

 private:
  POINT from_;
  POINT to_;
  COLORREF color_;
  int thickness_;
};

}  // namespace dorbolt
