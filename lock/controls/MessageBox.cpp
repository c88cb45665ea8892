#include "lock/controls/MessageBox.h"

#include <string>

namespace dorbolt {

void MsgBox(HWND owner, std::wstring_view text, std::wstring_view title, UINT icon) {
  const std::wstring body(text);
  const std::wstring caption(title);
  ::MessageBoxW(owner, body.c_str(), caption.c_str(), MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace dorbolt
