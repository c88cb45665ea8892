#include "lock/model/Control.h"

#include <algorithm>

#include "lock/model/Form.h"

namespace dorbolt {

Control::Control(Form& form) : form_(form) { form_.controls_.push_back(this); }

Control::~Control() {
  auto& list = form_.controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

int Control::NewControlId() { return form_.nextControlId_++; }

HWND Control::ParentWindow() const { return form_.HwndIfLoaded(); }

}  // namespace dorbolt
