#pragma once
#include "lock/controls/Windowed.h"

namespace dorbolt {

struct TextBoxDesign {
  Place place;
  bool visible = true;
  bool password = false;   // shows "*" for every character
  bool multiline = false;
  bool border = true;
  std::optional<FontSpec> font{};
};

// An edit box. Hidden ones are the windows' scratch storage, as real boxes.
class TextBox : public WindowedControl {
 public:
  TextBox(Form& form, const TextBoxDesign& design);
};

}  // namespace dorbolt
