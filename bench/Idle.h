#pragma once
#include <windows.h>

#include <string>

namespace dorbolt::bench {

// Under Wine every Windows program is a Linux process. Its Linux process id, found by the
// program's file name among the processes of this Wine prefix; 0 if there is not exactly one.
int LinuxProcessOf(const std::wstring& exeName);

// How often the Linux process has been put to sleep and woken, over all its threads; -1 if
// it cannot be read.
long long ContextSwitches(int linuxPid);

struct Memory {
  long long workingSet = -1;
  long long pagefile = -1;  // committed private memory; PrivateUsage reads 0 under Wine
};
Memory MemoryOf(HANDLE process);

}  // namespace dorbolt::bench
