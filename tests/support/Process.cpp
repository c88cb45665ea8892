#include "tests/support/Process.h"

namespace dorbolt::test {

std::wstring ProgramPath(const wchar_t* exeName) {
  return std::wstring(DORBOLT_BUILD_DIR) + L"\\" + exeName;
}

RunningProgram::RunningProgram(const std::wstring& path, const std::wstring& arguments) {
  std::wstring command = L"\"" + path + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    ::WaitForInputIdle(process_, 5000);
  }
}

RunningProgram::~RunningProgram() {
  Kill();
  if (process_) ::CloseHandle(process_);
}

bool RunningProgram::Running() const {
  return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs) {
  return process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) ::GetExitCodeProcess(process_, &code);
  return code;
}

void RunningProgram::Kill() {
  if (Running()) {
    ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, 5000);
  }
}

namespace {
struct Search {
  DWORD pid;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  if (pid == s->pid && lstrcmpW(name, s->className) == 0) s->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> RunningProgram::Windows(const wchar_t* className) const {
  Search search{id_, className, {}};
  ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RunningProgram::Window(const wchar_t* className) const {
  const auto found = Windows(className);
  return found.empty() ? nullptr : found.front();
}

}  // namespace dorbolt::test
