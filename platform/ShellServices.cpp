#include "platform/ShellServices.h"

namespace dorbolt {

void MakeTopmost(HWND window) {
  ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND FindTaskbar() { return ::FindWindowA("Shell_traywnd", ""); }

namespace {
// Without NOMOVE/NOSIZE the zero rectangle also shrinks the taskbar to nothing, so that
// showing it again brings back no visible bar.
constexpr UINT kTaskbarFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
}  // namespace

void HideTaskbar() { ::SetWindowPos(FindTaskbar(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | kTaskbarFlags); }

void ShowTaskbar() { ::SetWindowPos(FindTaskbar(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | kTaskbarFlags); }

void HideFromTaskList(bool hide) {
  using RegisterServiceProcessFn = DWORD(WINAPI*)(DWORD, DWORD);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return;
  auto fn = reinterpret_cast<RegisterServiceProcessFn>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "RegisterServiceProcess")));
  if (fn) fn(::GetCurrentProcessId(), hide ? 1 : 0);
}

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

namespace {

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

}  // namespace

void SystemKeys::Block() {
  if (hook_) return;
  hook_.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHook, ::GetModuleHandleW(nullptr), 0));
}

void SystemKeys::Release() { hook_.reset(); }

namespace GenericModule {

void SetScreenSaverRunning(bool running, SystemKeys& keys) {
  // The flag is a 16-bit True widened with its sign, and the call writes the old state here.
  DWORD scratch = 0;
  const UINT flag = running ? static_cast<UINT>(-1) : 0u;
  ::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, flag, &scratch, 0);
  if (running) {
    keys.Block();
  } else {
    keys.Release();
  }
}

}  // namespace GenericModule
}  // namespace dorbolt
