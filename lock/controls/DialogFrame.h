#pragma once
#include <optional>
#include <string_view>

#include "lock/controls/Graphics.h"
#include "lock/controls/Label.h"
#include "lock/controls/PictureButton.h"

namespace dorbolt {

// What each of the six password and notice dialogs says in the frame they share.
struct DialogFrameDesign {
  std::wstring_view title;
  int titleHeight = 375;  // twips; some windows give their title more room
  // The line of explanation; empty for a window that has its own field labels instead.
  std::wstring_view text;
  int textHeight = 255;
  Align textAlign = Align::Centre;
  // The text's font when the window's default font does not fit it into its box.
  std::optional<FontSpec> textFont{};
  int leftBitmap = 0;
  std::wstring_view leftWord;
  int rightBitmap = 0;
  std::wstring_view rightWord;
};

// The look the dialogs share: the white banner strip, two rules under it, the blue title, the
// monitor-and-key icon, a line of text and two picture buttons at the bottom right.
struct DialogFrame {
  DialogFrame(Form& form, const DialogFrameDesign& design);

  Shape Picture1;  // the white strip
  Image Image3;    // the banner, stretched over the strip
  Rule Line1;      // light blue
  Rule Line2;      // blue, directly under it
  Label Label1;    // the title
  IconImage Image2;
  std::optional<Label> Label2;
  PictureButton Left;
  PictureButton Right;
};

// The title font and colour, for windows that style other labels the same way.
inline constexpr FontSpec kTitleFont{L"Tahoma", 18, true};
inline constexpr COLORREF kTitleBlue = RGB(0, 0, 255);

}  // namespace dorbolt
