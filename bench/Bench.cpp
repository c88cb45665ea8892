// Measures the real programs under the conditions they run in, and prints one Markdown table
// of what this run measured: the lock cycle's timings against the times the programs are
// built to keep, the cost of waiting in the tray beside a bare message loop, the lock screen's
// start and backdrop, and the executables themselves.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/Backdrop.h"
#include "bench/Cycle.h"
#include "bench/Driver.h"
#include "bench/Figures.h"
#include "bench/Idle.h"
#include "bench/PeImports.h"
#include "platform/ShellServices.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/Windows.h"

namespace dorbolt::bench {

namespace {

constexpr wchar_t kPassword[] = L"Bench-Pass1";

struct Options {
  std::wstring jpeg;
  std::wstring bitmap;
  int runs = 10;
  int paintRuns = 5;
  int idleSeconds = 60;
};

void Progress(const char* text) {
  std::fprintf(stderr, "== %s\n", text);
  std::fflush(stderr);
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Ms(double value) { return Format(value < 10 ? "%.1f" : "%.0f", value); }

std::string Bytes(long long value) {
  if (value < 0) return "not readable";
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped + " bytes";
}

std::string MiB(long long value) {
  return value < 0 ? "not readable" : Format("%.1f MiB", static_cast<double>(value) / (1024.0 * 1024.0));
}

// "median / worst ms (n runs)", or why there is no figure.
std::string Timing(const Samples& s, const std::wstring& problem, std::optional<double> intended = std::nullopt) {
  if (s.Empty()) return "not measured: " + Narrow(problem);
  std::string text = Ms(s.Median()) + " / " + Ms(s.Worst(intended)) + " ms (" + std::to_string(s.Count()) +
                     (s.Count() == 1 ? " run)" : " runs)");
  if (!problem.empty()) text += "; then stopped: " + Narrow(problem);
  return text;
}

struct Row {
  std::string what;
  std::string measured;
  std::string against;
};

// --- The executables ---------------------------------------------------------------------

struct ExeFigures {
  long long size = -1;
  std::optional<std::vector<std::string>> dlls;
  bool systemOnly = false;
};

ExeFigures MeasureExe(const std::wstring& path) {
  ExeFigures figures;
  figures.size = FileSize(path);
  figures.dlls = ImportedDlls(path);
  if (figures.dlls) {
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    figures.systemOnly = true;
    for (const auto& dll : *figures.dlls) {
      const std::wstring inSystem = std::wstring(system) + L"\\" + std::wstring(dll.begin(), dll.end());
      if (::GetFileAttributesW(inSystem.c_str()) == INVALID_FILE_ATTRIBUTES) figures.systemOnly = false;
    }
  }
  return figures;
}

std::string DllList(const ExeFigures& exe) {
  if (!exe.dlls) return "import table not readable";
  std::string list;
  for (const auto& dll : *exe.dlls) list += (list.empty() ? "" : ", ") + dll;
  return std::to_string(exe.dlls->size()) + ": " + list;
}

// --- Idle in the tray --------------------------------------------------------------------

struct IdleFigures {
  double wakeupsPerMinute = -1;
  Memory memory;
};

struct IdlePair {
  IdleFigures dorwatch;
  IdleFigures bare;
  std::wstring problem;
};

// Both programs waiting side by side over the same minute; this program sleeps meanwhile.
IdlePair MeasureIdle(const Program& dorwatch, const Program& bare, int seconds) {
  IdlePair pair;
  const int watchPid = LinuxProcessOf(L"Dorwatch.exe");
  const int barePid = LinuxProcessOf(L"BareLoop.exe");
  if (!watchPid || !barePid) pair.problem = L"the Linux processes were not found";
  std::fprintf(stderr, "== counting the wake-ups of Linux processes %d (Dorwatch) and %d (BareLoop)\n", watchPid,
               barePid);
  const long long watchFrom = watchPid ? ContextSwitches(watchPid) : -1;
  const long long bareFrom = barePid ? ContextSwitches(barePid) : -1;
  const double from = NowMs();
  IdleFor(seconds * 1000.0);
  const double minutes = (NowMs() - from) / 60000.0;
  const long long watchTo = watchPid ? ContextSwitches(watchPid) : -1;
  const long long bareTo = barePid ? ContextSwitches(barePid) : -1;
  if (watchFrom >= 0 && watchTo >= 0) pair.dorwatch.wakeupsPerMinute = static_cast<double>(watchTo - watchFrom) / minutes;
  if (bareFrom >= 0 && bareTo >= 0) pair.bare.wakeupsPerMinute = static_cast<double>(bareTo - bareFrom) / minutes;
  pair.dorwatch.memory = MemoryOf(dorwatch.Handle());
  pair.bare.memory = MemoryOf(bare.Handle());
  return pair;
}

std::string PerMinute(double value) {
  return value < 0 ? "not readable" : Format("%.1f", value);
}

// --- Putting it together -----------------------------------------------------------------

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    const wchar_t* value = argv[i + 1];
    if (name == L"--jpeg") {
      options.jpeg = value;
    } else if (name == L"--bitmap") {
      options.bitmap = value;
    } else if (name == L"--runs") {
      options.runs = _wtoi(value);
    } else if (name == L"--paint-runs") {
      options.paintRuns = _wtoi(value);
    } else if (name == L"--idle-seconds") {
      options.idleSeconds = _wtoi(value);
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !options.jpeg.empty() && !options.bitmap.empty() && options.runs > 0 &&
         options.paintRuns > 0 && options.idleSeconds > 0;
}

std::string PictureName(const BackdropFigures& f, const char* kind) {
  return std::to_string(f.picture.cx) + " x " + std::to_string(f.picture.cy) + " " + kind;
}

void AddBackdropRows(std::vector<Row>& rows, const BackdropFigures& f, const char* kind) {
  const std::string target = std::to_string(f.target.cx) + " x " + std::to_string(f.target.cy);
  rows.push_back({"Backdrop " + PictureName(f, kind) + ": decode (read and stretch to the " + target + " screen)",
                  Timing(f.decode, f.problem), "-"});
  rows.push_back({"Backdrop " + PictureName(f, kind) + ": paint (one blit until the screen shows it)",
                  Timing(f.paint, f.problem), "-"});
}

int Run(const Options& options) {
  ::timeBeginPeriod(1);
  test::ClearSettings();
  test::StorePasswordForTest(kPassword);
  std::vector<Row> rows;

  Progress("sizes and imports");
  const ExeFigures watchExe = MeasureExe(test::ProgramPath(L"Dorwatch.exe"));
  const ExeFigures guardExe = MeasureExe(test::ProgramPath(L"Dorguard.exe"));
  const ExeFigures bareExe = MeasureExe(test::ProgramPath(L"bench\\BareLoop.exe"));

  Progress("backdrop decode and paint");
  const BackdropFigures jpeg = MeasureBackdrop(options.jpeg, options.paintRuns);
  const BackdropFigures bitmap = MeasureBackdrop(options.bitmap, options.paintRuns);

  // Wine shows its taskbar only while some icon is in the notification area: this one keeps
  // it up, so that what hides it during a lock is Dorwatch.
  test::TrayHolder holder;

  Progress("Dorwatch and a bare message loop, idle side by side");
  DorwatchFigures cycles;
  IdlePair idle;
  {
    Program bare(test::ProgramPath(L"bench\\BareLoop.exe"));
    Program dorwatch(test::ProgramPath(L"Dorwatch.exe"));
    const bool ready = PollUntil([&] { return bare.Shown(L"Dorbolt.BareLoop") != nullptr; }, 10000) &&
                       WaitForIdleIcon(dorwatch, 15000);
    if (!ready) {
      idle.problem = cycles.problem = L"the programs did not start";
    } else {
      IdleFor(3000);  // what starting set going has settled
      idle = MeasureIdle(dorwatch, bare, options.idleSeconds);
      Progress("Dorwatch lock cycles");
      cycles = MeasureDorwatchCycles(dorwatch, holder, kPassword, options.runs);
    }
    EndInTray(dorwatch);
  }

  Progress("Dorguard starts");
  const DorguardFigures guard = MeasureDorguardRuns(test::ProgramPath(L"Dorguard.exe"), kPassword, options.runs);
  Progress("bare message loop starts");
  const Samples bareStarts =
      MeasureBareStarts(test::ProgramPath(L"bench\\BareLoop.exe"), L"Dorbolt.BareLoop", options.runs);

  test::ClearSettings();
  if (!test::TaskbarVisible()) ShowTaskbar();
  ::timeEndPeriod(1);

  rows.push_back({"Double click on the tray icon to lock screen visible (Dorwatch)",
                  Timing(cycles.lockScreen, cycles.problem, 2000), "2000 ms"});
  rows.push_back({"Double click on the tray icon to taskbar hidden",
                  Timing(cycles.taskbarHidden, cycles.problem, 1000), "1000 ms"});
  rows.push_back({"Alarm on the screen after a wrong password", Timing(guard.alarm, guard.problem, 2500),
                  "2500 ms"});
  rows.push_back({"Wrong password pressed to alarm on the screen", Timing(guard.alarmShown, guard.problem), "-"});
  rows.push_back({"Right password pressed to idle tray icon back", Timing(cycles.unlock, cycles.problem), "-"});
  rows.push_back({"`Dorguard.exe` start to lock screen painted", Timing(guard.painted, guard.problem),
                  "bare message loop, start to window shown: " +
                      Timing(bareStarts, bareStarts.Count() < static_cast<size_t>(options.runs) ? L"it did not start" : L"")});
  AddBackdropRows(rows, jpeg, "JPEG");
  AddBackdropRows(rows, bitmap, "bitmap");
  const std::string minute = std::to_string(options.idleSeconds) + " s";
  rows.push_back({"Idle in the tray: wake-ups per minute (over " + minute + ")",
                  idle.problem.empty() ? PerMinute(idle.dorwatch.wakeupsPerMinute) : "not measured: " + Narrow(idle.problem),
                  "bare message loop: " + PerMinute(idle.bare.wakeupsPerMinute) + " (goal: none)"});
  rows.push_back({"Idle in the tray: private bytes", MiB(idle.dorwatch.memory.pagefile),
                  "bare message loop: " + MiB(idle.bare.memory.pagefile)});
  rows.push_back({"Idle in the tray: working set", MiB(idle.dorwatch.memory.workingSet),
                  "bare message loop: " + MiB(idle.bare.memory.workingSet)});
  rows.push_back({"`Dorwatch.exe` size", Bytes(watchExe.size), "bare message loop: " + Bytes(bareExe.size)});
  rows.push_back({"`Dorwatch.exe` imports", DllList(watchExe),
                  watchExe.systemOnly ? "all Windows system DLLs" : "NOT only system DLLs"});
  rows.push_back({"`Dorguard.exe` size", Bytes(guardExe.size), "bare message loop: " + Bytes(bareExe.size)});
  rows.push_back({"`Dorguard.exe` imports", DllList(guardExe),
                  guardExe.systemOnly ? "all Windows system DLLs" : "NOT only system DLLs"});

  std::printf("| What | Measured | Intended or compared with |\n|---|---|---|\n");
  for (const Row& r : rows) std::printf("| %s | %s | %s |\n", r.what.c_str(), r.measured.c_str(), r.against.c_str());
  std::printf(
      "\nTimes are median / worst; the worst run is the one farthest from the intended time (the longest "
      "where none is intended). Wake-ups are the Linux context switches of all the program's threads. "
      "Private bytes are GetProcessMemoryInfo's PagefileUsage: under Wine PrivateUsage reads 0.\n");
  std::fflush(stdout);

  const bool complete = cycles.problem.empty() && guard.problem.empty() && idle.problem.empty() &&
                        jpeg.problem.empty() && bitmap.problem.empty();
  return complete ? 0 : 1;
}

}  // namespace
}  // namespace dorbolt::bench

int wmain(int argc, wchar_t** argv) {
  dorbolt::bench::Options options;
  if (!dorbolt::bench::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: DorboltBench.exe --jpeg <picture.jpg> --bitmap <picture.bmp> [--runs 10] "
                 "[--paint-runs 5] [--idle-seconds 60]\n");
    return 2;
  }
  return dorbolt::bench::Run(options);
}
