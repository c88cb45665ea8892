#include "platform/SystemKeys.h"

#include "platform/ShellServices.h"

namespace dorbolt {

namespace {

constexpr wchar_t kWatcherClass[] = L"Dorbolt.Guard";
constexpr UINT_PTR kRenewTimer = 1;

bool Down(int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    // Wine never sets LLKHF_ALTDOWN: Alt shows as a system key message or in the key state.
    const bool alt = (key->flags & LLKHF_ALTDOWN) != 0 || wParam == WM_SYSKEYDOWN ||
                     wParam == WM_SYSKEYUP || Down(VK_MENU);
    if (SystemKeys::IsSystemKey(key->vkCode, alt, Down(VK_CONTROL))) return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS*) noexcept {
  // The program is going while the computer is locked: give the taskbar back and let the
  // system lock the session, rather than leave the desktop open behind a hidden taskbar.
  ShowTaskbar();
  ::LockWorkStation();
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

SystemKeys::SystemKeys() : taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

SystemKeys::~SystemKeys() { Release(); }

bool SystemKeys::IsSystemKey(DWORD vk, bool alt, bool ctrl) {
  switch (vk) {
    case VK_LWIN:
    case VK_RWIN:
      return true;
    case VK_TAB:
      return alt;
    case VK_ESCAPE:
      return alt || ctrl;  // Alt+Esc, Ctrl+Esc, Ctrl+Shift+Esc
    default:
      return false;
  }
}

void SystemKeys::Renew() {
  // The new hook goes in before the old one goes, so no key slips through between them.
  UniqueHook fresh(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHook, ::GetModuleHandleW(nullptr), 0));
  if (fresh) hook_ = std::move(fresh);
}

void SystemKeys::Block() {
  if (blocking_) return;
  blocking_ = true;
  Renew();
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!::GetClassInfoExW(instance, kWatcherClass, &wc)) {
    wc.lpfnWndProc = &SystemKeys::WatcherProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWatcherClass;
    ::RegisterClassExW(&wc);
  }
  watcher_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kWatcherClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, instance, this));
  if (watcher_) ::SetTimer(watcher_.get(), kRenewTimer, kRenewMs, nullptr);
  previousFilter_ = ::SetUnhandledExceptionFilter(&OnCrash);
}

void SystemKeys::Release() {
  if (!blocking_) return;
  blocking_ = false;
  ::SetUnhandledExceptionFilter(previousFilter_);
  previousFilter_ = nullptr;
  watcher_.reset();
  hook_.reset();
}

LRESULT CALLBACK SystemKeys::WatcherProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  // Any program can post WM_CLOSE or a system command to a window it finds; this one stays
  // hidden and goes only with the lock.
  if (message == WM_CLOSE || message == WM_SYSCOMMAND) return 0;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SystemKeys*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->blocking_) {
    if (message == WM_TIMER && wParam == kRenewTimer) {
      self->Renew();
      return 0;
    }
    if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
      // A restarted Explorer brings a visible taskbar back in the middle of the lock.
      HideTaskbar();
      return 0;
    }
  }
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace dorbolt
