#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "lock/controls/Font.h"
#include "lock/model/Control.h"
#include "platform/Handles.h"

namespace dorbolt {

// Where a control sits, in twips from the top left of its window's client area.
struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A control with a child window of its own: text, enabled state, visibility and font.
class WindowedControl : public Control {
 public:
  WindowedControl(Form& form, const wchar_t* windowClass, std::wstring_view text, DWORD style,
                  DWORD exStyle, const Place& place, const std::optional<FontSpec>& font);
  ~WindowedControl() override;

  HWND Window() const { return window_; }
  int Id() const { return id_; }
  std::wstring Text() const;
  void SetText(std::wstring_view text);
  bool Enabled() const { return ::IsWindowEnabled(window_) != FALSE; }
  void SetEnabled(bool enabled) { ::EnableWindow(window_, enabled ? TRUE : FALSE); }
  bool Visible() const { return (::GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void Focus() { ::SetFocus(window_); }

 private:
  int id_;
  HWND window_ = nullptr;
  UniqueFont font_;
};

}  // namespace dorbolt
