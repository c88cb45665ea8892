#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace dorbolt::test {

// A plain top-level window of the test: records the keys it receives and hands other
// messages to a hook, so a control under test can live on it.
class TestWindow {
 public:
  explicit TestWindow(bool visible);
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow();

  HWND Handle() const { return window_; }
  // Virtual-key codes of WM_KEYDOWN and WM_SYSKEYDOWN, in order of arrival.
  std::vector<WPARAM> keys;
  std::function<bool(UINT, WPARAM, LPARAM)> onMessage;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) noexcept;
  HWND window_ = nullptr;
};

}  // namespace dorbolt::test
