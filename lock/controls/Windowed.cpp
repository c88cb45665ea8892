#include "lock/controls/Windowed.h"

#include "lock/model/Form.h"

namespace dorbolt {

WindowedControl::WindowedControl(Form& form, const wchar_t* windowClass, std::wstring_view text,
                                 DWORD style, DWORD exStyle, const Place& place,
                                 const std::optional<FontSpec>& font)
    : Control(form), id_(NewControlId()) {
  const std::wstring caption(text);
  window_ = ::CreateWindowExW(exStyle, windowClass, caption.c_str(), style | WS_CHILD,
                              form.Px(place.left), form.Px(place.top), form.Px(place.width),
                              form.Px(place.height), ParentWindow(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              ::GetModuleHandleW(nullptr), nullptr);
  if (font) font_ = MakeFont(*font, form.Model().Dpi());
  HFONT shown = font_ ? font_.get() : form.Model().DefaultFont();
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
}

WindowedControl::~WindowedControl() {
  if (::IsWindow(window_)) ::DestroyWindow(window_);
}

std::wstring WindowedControl::Text() const {
  const int length = ::GetWindowTextLengthW(window_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window_, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void WindowedControl::SetText(std::wstring_view text) {
  const std::wstring copy(text);
  ::SetWindowTextW(window_, copy.c_str());
}

}  // namespace dorbolt
