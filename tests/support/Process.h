#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace dorbolt::test {

// Full Windows path of a built program ("Dorwatch.exe").
std::wstring ProgramPath(const wchar_t* exeName);

// A program started for a test; ended at the end of the test if it still runs.
class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& path, const std::wstring& arguments = L"");
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  bool Running() const;
  // Waits for the program to end by itself; true if it did.
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const;
  void Kill();
  // Top-level windows of this process with the given class.
  std::vector<HWND> Windows(const wchar_t* className) const;
  HWND Window(const wchar_t* className) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace dorbolt::test
