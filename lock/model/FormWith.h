#pragma once
#include <memory>

#include "lock/model/Form.h"

namespace dorbolt {

// A form whose controls are one struct, made afresh at each load from its design values.
// Touching a control of a window that is not loaded loads the window first.
template <class Controls>
class FormWith : public Form {
 public:
  using Form::Form;

 protected:
  Controls& Ctl() {
    Load();
    return *controls_;
  }
  Controls* CtlIfLoaded() const { return controls_.get(); }

  void CreateControls() override { controls_ = std::make_unique<Controls>(*this); }
  void DestroyControls() override { controls_.reset(); }

 private:
  std::unique_ptr<Controls> controls_;
};

}  // namespace dorbolt
