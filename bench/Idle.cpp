#include "bench/Idle.h"

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <optional>
#include <vector>

#include "platform/Handles.h"

namespace dorbolt::bench {

namespace {

// Wine's Z: drive is the Unix root, so /proc reads as Z:\proc.
constexpr wchar_t kProc[] = L"Z:\\proc\\";

std::optional<std::string> ReadProcFile(const std::wstring& path) {
  HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  UniqueKernelHandle file(opened);
  // Files in /proc have no size: read until the end comes.
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (text.size() < (1u << 20) && ::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  return text;
}

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// The file name that a command line's first word ends in, Unix or Windows path alike.
std::wstring ProgramName(const std::string& cmdline) {
  const std::string first = cmdline.substr(0, cmdline.find('\0'));
  const size_t cut = first.find_last_of("/\\");
  const std::string name = cut == std::string::npos ? first : first.substr(cut + 1);
  return Lower(std::wstring(name.begin(), name.end()));
}

bool InThisPrefix(const std::string& environment) {
  const wchar_t* prefix = _wgetenv(L"WINEPREFIX");
  if (!prefix || !*prefix) return true;  // nothing to tell the prefixes apart by
  const std::wstring wide(prefix);
  const std::string wanted = "WINEPREFIX=" + std::string(wide.begin(), wide.end());
  for (size_t at = 0; at < environment.size();) {
    const size_t end = std::min(environment.find('\0', at), environment.size());
    if (environment.compare(at, end - at, wanted) == 0) return true;
    at = end + 1;
  }
  return false;
}

bool AllDigits(const wchar_t* text) {
  if (!*text) return false;
  for (; *text; ++text) {
    if (!std::iswdigit(*text)) return false;
  }
  return true;
}

// The field "name:  number" of a /proc status file, or -1.
long long Field(const std::string& status, const std::string& name) {
  const size_t at = status.find("\n" + name + ":");
  if (at == std::string::npos) return -1;
  return std::strtoll(status.c_str() + at + name.size() + 2, nullptr, 10);
}

}  // namespace

int LinuxProcessOf(const std::wstring& exeName) {
  const std::wstring wanted = Lower(exeName);
  std::vector<int> found;
  WIN32_FIND_DATAW entry{};
  HANDLE search = ::FindFirstFileW((std::wstring(kProc) + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!AllDigits(entry.cFileName)) continue;
    const std::wstring dir = std::wstring(kProc) + entry.cFileName + L"\\";
    const auto cmdline = ReadProcFile(dir + L"cmdline");
    if (!cmdline || ProgramName(*cmdline) != wanted) continue;
    const auto environment = ReadProcFile(dir + L"environ");
    if (environment && InThisPrefix(*environment)) found.push_back(_wtoi(entry.cFileName));
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return found.size() == 1 ? found.front() : 0;
}

long long ContextSwitches(int linuxPid) {
  const std::wstring tasks = std::wstring(kProc) + std::to_wstring(linuxPid) + L"\\task\\";
  WIN32_FIND_DATAW entry{};
  HANDLE search = ::FindFirstFileW((tasks + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long long total = 0;
  bool any = false;
  do {
    if (!AllDigits(entry.cFileName)) continue;
    const auto status = ReadProcFile(tasks + entry.cFileName + L"\\status");
    if (!status) continue;
    const long long voluntary = Field(*status, "voluntary_ctxt_switches");
    const long long forced = Field(*status, "nonvoluntary_ctxt_switches");
    if (voluntary < 0 || forced < 0) continue;
    total += voluntary + forced;
    any = true;
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return any ? total : -1;
}

Memory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  Memory memory;
  if (::GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    memory.workingSet = static_cast<long long>(counters.WorkingSetSize);
    memory.pagefile = static_cast<long long>(counters.PagefileUsage);
  }
  return memory;
}

}  // namespace dorbolt::bench
