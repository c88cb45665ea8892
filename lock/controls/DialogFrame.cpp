#include "lock/controls/DialogFrame.h"

#include "assets/resource.h"

namespace dorbolt {

namespace {
std::optional<Label> TextLine(Form& form, const DialogFrameDesign& d) {
  if (d.text.empty()) return std::nullopt;
  return std::optional<Label>(std::in_place, form,
                              LabelDesign{.place = {960, 1920, 5655, d.textHeight},
                                          .text = d.text,
                                          .align = d.textAlign,
                                          .font = d.textFont});
}
}  // namespace

DialogFrame::DialogFrame(Form& form, const DialogFrameDesign& d)
    : Picture1(form, {120, 120, 6375, 1095}, RGB(255, 255, 255), CLR_INVALID),
      Image3(form, {120, 120, 6375, 1095}, Image::Fit::Stretch, IDB_BANNER),
      // The rules run past the right edge: the window cuts them, not a margin.
      Line1(form, {0, 1320}, {6720, 1320}, RGB(192, 192, 255), 3),
      Line2(form, {0, 1365}, {6720, 1365}, RGB(0, 0, 255), 3),
      Label1(form, {.place = {0, 1440, 6615, d.titleHeight},
                    .text = d.title,
                    .align = Align::Centre,
                    .color = kTitleBlue,
                    .font = kTitleFont}),
      Image2(form, {360, 2040, 480, 480}, IDI_MONITOR_KEY, 32),
      Label2(TextLine(form, d)),
      Left(form, {.place = {3360, 3000, 1335, 375}, .bitmapId = d.leftBitmap, .word = d.leftWord}),
      Right(form, {.place = {5040, 3000, 1335, 375}, .bitmapId = d.rightBitmap, .word = d.rightWord}) {}

}  // namespace dorbolt
