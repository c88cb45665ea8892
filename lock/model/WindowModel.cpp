#include "lock/model/WindowModel.h"

#include <algorithm>

#include "lock/model/Form.h"

namespace dorbolt {

namespace {

constexpr wchar_t kOwnerClass[] = L"Dorbolt.Owner";

// Every form is owned by this window: destroying it destroys them, minimising it hides them.
// A WM_CLOSE or WM_SYSCOMMAND that any program can post must do neither. It goes with the model.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_CLOSE || message == WM_SYSCOMMAND) return 0;
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateOwner() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &OwnerProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kOwnerClass;
  ::RegisterClassExW(&wc);  // fails harmlessly when a second model registers it again
  return ::CreateWindowExW(0, kOwnerClass, L"Dorbolt", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

WindowModel::WindowModel()
    : dpi_(ScreenDpi()),
      defaultFont_(CreateMessageFont()),
      owner_(CreateOwner()),
      endAction_([] { ::ExitProcess(0); }) {}

WindowModel::~WindowModel() = default;

void WindowModel::Register(Form& form) { forms_.push_back(&form); }

void WindowModel::Unregister(Form& form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

bool WindowModel::AnyLoaded() const {
  return std::any_of(forms_.begin(), forms_.end(), [](const Form* f) { return f->IsLoaded(); });
}

Form* WindowModel::FormOf(HWND window) const {
  if (!window) return nullptr;
  const auto it = std::find_if(forms_.begin(), forms_.end(),
                               [window](const Form* f) { return f->HwndIfLoaded() == window; });
  return it == forms_.end() ? nullptr : *it;
}

RECT WindowModel::LockArea() const {
  const int width = Px(12000);
  const int height = Px(9000);
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

void WindowModel::Run() {
  RunWhile([this] { return AnyLoaded(); });
}

void WindowModel::RunWhile(const std::function<bool()>& keepGoing) {
  MSG msg;
  while (keepGoing()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    // Only the program decides when it ends: a WM_QUIT posted from outside ends no lock.
    if (got == 0) continue;
    Form* form = FormOf(::GetAncestor(msg.hwnd, GA_ROOT));
    // Tab, Enter and Esc as in any dialog; Enter becomes IDOK, which no control answers to
    // unless its window asks for it.
    if (form && ::IsDialogMessageW(form->HwndIfLoaded(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void WindowModel::End() {
  if (endAction_) endAction_();
}

}  // namespace dorbolt
