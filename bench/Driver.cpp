#include "bench/Driver.h"

#include <shellapi.h>

#include "tests/support/Windows.h"

namespace dorbolt::bench {

double NowMs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f{};
    ::QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

namespace {
void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}
}  // namespace

bool PollUntil(const std::function<bool()>& done, double timeoutMs) {
  const double deadline = NowMs() + timeoutMs;
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (NowMs() >= deadline) return false;
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void IdleFor(double ms) {
  const double deadline = NowMs() + ms;
  for (double left = ms; left > 0; left = deadline - NowMs()) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left) + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    PumpPending();
  }
}

Program::Program(const std::wstring& path) {
  std::wstring command = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  startedAt_ = NowMs();
  if (::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

Program::~Program() {
  Kill();
  if (process_) ::CloseHandle(process_);
}

bool Program::Running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void Program::Kill() {
  if (Running()) {
    ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, 5000);
  }
}

HWND Program::Window(const wchar_t* className) const {
  for (HWND w = ::FindWindowExW(nullptr, nullptr, className, nullptr); w;
       w = ::FindWindowExW(nullptr, w, className, nullptr)) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == id_) return w;
  }
  return nullptr;
}

HWND Program::Shown(const wchar_t* className) const {
  HWND w = Window(className);
  return w && ::IsWindowVisible(w) ? w : nullptr;
}

void PostClick(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

namespace {
void Send(DWORD flags, POINT at = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = ::MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    input.mi.dy = ::MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
  }
  ::SendInput(1, &input, sizeof input);
}
}  // namespace

void MoveCursorTo(POINT at) { Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK, at); }

double DoubleClickAt(POINT at) {
  MoveCursorTo(at);
  IdleFor(100);
  Send(MOUSEEVENTF_LEFTDOWN);
  Send(MOUSEEVENTF_LEFTUP);
  IdleFor(60);
  // The shell reports the double click at the second press.
  const double second = NowMs();
  Send(MOUSEEVENTF_LEFTDOWN);
  Send(MOUSEEVENTF_LEFTUP);
  return second;
}

std::vector<POINT> TrayIconCentres(int count) {
  std::vector<POINT> centres;
  HWND bar = test::Taskbar();
  RECT r{};
  if (!bar || !::GetWindowRect(bar, &r)) return centres;
  // Wine draws the icons into its taskbar from the right end, the first one rightmost, each a
  // small icon with two pixels either side.
  const int pitch = ::GetSystemMetrics(SM_CXSMICON) + 4;
  for (int slot = count - 1; slot >= 0; --slot) {
    centres.push_back(POINT{r.right - pitch * slot - pitch / 2, (r.top + r.bottom) / 2});
  }
  return centres;
}

void RemoveTrayIconOf(HWND owner, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = id;
  ::Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace dorbolt::bench
