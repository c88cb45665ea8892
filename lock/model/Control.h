#pragma once
#include <windows.h>

namespace dorbolt {

class Form;

// A control of a form, made with its design values when the form loads and destroyed with it.
// Windowed controls own a child window; graphic ones are painted by the form, back to front in
// the order they were made.
class Control {
 public:
  explicit Control(Form& form);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  Form& Parent() const { return form_; }

  // The form's paint pass, for controls without a window of their own.
  virtual void Paint(HDC /*dc*/) {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // WM_CTLCOLOR* for this control's window: set colours on the DC and give the brush.
  virtual bool OnCtlColor(HWND /*window*/, HDC /*dc*/, HBRUSH& /*brush*/) { return false; }

 protected:
  int NewControlId();
  HWND ParentWindow() const;

 private:
  Form& form_;
};

}  // namespace dorbolt
