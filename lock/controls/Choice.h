#pragma once
#include "lock/controls/Windowed.h"

namespace dorbolt {

struct ChoiceDesign {
  Place place;
  std::wstring_view text;
  bool firstOfGroup = false;  // option buttons: starts a new group
};

// A check box. Setting its value from code acts like a click: the window hears of it.
class CheckBox : public WindowedControl {
 public:
  CheckBox(Form& form, const ChoiceDesign& design);
  bool Checked() const;
  void SetChecked(bool checked);
};

// An option button of a group; selecting one clears the others of its group.
class OptionButton : public WindowedControl {
 public:
  OptionButton(Form& form, const ChoiceDesign& design);
  bool Selected() const;
  void SetSelected(bool selected);
};

// A titled frame around a group of controls.
class Frame : public WindowedControl {
 public:
  Frame(Form& form, const Place& place, std::wstring_view caption);
  // A place given relative to the frame, as the window's client place.
  Place Inside(const Place& place) const;

 private:
  Place place_;
};

}  // namespace dorbolt
