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
