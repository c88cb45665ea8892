#include "tests/support/XInput.h"

#include <atomic>
#include <cstdio>

#include "tests/support/Wait.h"

namespace dorbolt::test::x {
namespace {

// Windows command-line quoting of one argument, so that Wine hands it to the Unix program whole.
std::wstring QuoteArgument(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      quoted.append(backslashes * 2 + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadSmallFile(const std::wstring& path) {
  std::string text;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[64];
  DWORD read = 0;
  if (ReadFile(file, buffer, sizeof buffer, &read, nullptr)) text.assign(buffer, read);
  CloseHandle(file);
  return text;
}

}  // namespace

std::wstring ShellWord(const std::wstring& text) {
  std::wstring word = L"'";
  for (wchar_t c : text) {
    if (c == L'\'') {
      word += L"'\\''";
    } else {
      word += c;
    }
  }
  word += L"'";
  return word;
}

bool Xdotool(const std::wstring& arguments, DWORD timeoutMs) {
  // Wine starts Unix programs but gives no handle to wait on: the shell leaves the exit status in
  // a file of its own, which is watched for instead.
  static std::atomic<unsigned> counter{0};
  const std::wstring done = L"/tmp/dorbolt-xdotool-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(counter++);
  std::wstring windowsDone = L"Z:" + done;
  for (auto& c : windowsDone) {
    if (c == L'/') c = L'\\';
  }
  DeleteFileW(windowsDone.c_str());
  const std::wstring script = L"xdotool " + arguments + L" >/dev/null 2>&1; echo $? > " + done + L".part; mv " +
                              done + L".part " + done;
  std::wstring commandLine = L"sh -c " + QuoteArgument(script);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  if (!WaitUntil([&] { return FileExists(windowsDone); }, timeoutMs)) return false;
  const std::string status = ReadSmallFile(windowsDone);
  DeleteFileW(windowsDone.c_str());
  return status.rfind("0", 0) == 0;
}

namespace {
// "mousemove --sync" waits for the pointer to leave where it was, so it never returns when the
// pointer is there already: it goes one pixel aside first.
std::wstring MoveArguments(POINT point) {
  const LONG aside = point.x > 0 ? point.x - 1 : point.x + 1;
  return L"mousemove " + std::to_wstring(aside) + L" " + std::to_wstring(point.y) + L" mousemove --sync " +
         std::to_wstring(point.x) + L" " + std::to_wstring(point.y);
}
}  // namespace

bool MoveTo(POINT point) { return Xdotool(MoveArguments(point)); }

bool ClickAt(POINT point, int button) {
  return Xdotool(MoveArguments(point) + L" click " + std::to_wstring(button));
}

bool DoubleClickAt(POINT point) {
  return Xdotool(MoveArguments(point) + L" click --repeat 2 --delay 100 1");
}

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool ClickWindow(HWND window) { return ClickAt(CentreOf(window)); }

namespace {
const wchar_t kFocusDesktop[] = L"search --limit 1 --name 'Wine desktop' windowfocus --sync";
}

bool Keys(const std::wstring& keyNames) {
  return Xdotool(std::wstring(kFocusDesktop) + L" key --delay 40 " + keyNames);
}

bool Type(const std::wstring& text) {
  return Xdotool(std::wstring(kFocusDesktop) + L" type --delay 30 -- " + ShellWord(text));
}

}  // namespace dorbolt::test::x
