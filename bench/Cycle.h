#pragma once
#include <string>

#include "bench/Driver.h"
#include "bench/Figures.h"
#include "tests/support/TrayHolder.h"

namespace dorbolt::bench {

struct DorwatchFigures {
  Samples lockScreen;     // double click to the lock screen visible
  Samples taskbarHidden;  // double click to the taskbar hidden
  Samples unlock;         // the right password pressed to the idle icon back
  std::wstring problem;   // empty when every run worked
};

// Locks and unlocks a running Dorwatch `runs` times through its tray icon. The holder's icon
// keeps Wine's taskbar up, so that what hides it is Dorwatch.
DorwatchFigures MeasureDorwatchCycles(const Program& dorwatch, test::TrayHolder& holder,
                                      const std::wstring& password, int runs);

struct DorguardFigures {
  Samples painted;      // the program started to its lock screen painted
  Samples alarmShown;   // the wrong password pressed to the alarm on the screen
  Samples alarm;        // how long the alarm of a wrong password was on the screen
  std::wstring problem;
};

// Starts Dorguard `runs` times; each time one wrong password, then the right one.
DorguardFigures MeasureDorguardRuns(const std::wstring& path, const std::wstring& password, int runs);

// A bare program started `runs` times: CreateProcess to its window shown, which is what Wine
// takes to start any program.
Samples MeasureBareStarts(const std::wstring& path, const wchar_t* windowClass, int runs);

// The program idle in the tray: its tray window, once the icon shows; nullptr if that never came.
HWND WaitForIdleIcon(const Program& program, double timeoutMs);

// Takes the program's icon away and ends it.
void EndInTray(Program& program);

}  // namespace dorbolt::bench
