#include "bench/Cycle.h"

#include <algorithm>

#include "platform/ShellServices.h"
#include "tests/support/Windows.h"

namespace dorbolt::bench {

namespace {

constexpr UINT kIconId = 1;
constexpr wchar_t kReportTitle[] = L"Unauthorized Access...";

HWND EditBox(HWND window) { return test::FindChildByClass(window, L"Edit", 0); }
void Type(HWND edit, const std::wstring& text) {
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Waits for a window of the program to be shown; nullptr if it never was.
HWND WaitShown(const Program& program, const wchar_t* className, double timeoutMs = 8000) {
  HWND found = nullptr;
  PollUntil([&] { return (found = program.Shown(className)) != nullptr; }, timeoutMs);
  return found;
}

// Unlock! on the notice, then the prompt: what the user does at the locked screen.
HWND OpenPrompt(const Program& program) {
  HWND notice = WaitShown(program, L"Dorbolt.Form2");
  HWND button = notice ? test::FindChildByText(notice, L"Unlock!") : nullptr;
  if (!button) return nullptr;
  PostClick(button);
  return WaitShown(program, L"Dorbolt.Form9");
}

// Presses the prompt's Unlock! with this password typed; when it was pressed, or a negative
// number if the prompt was not ready for it.
double PressUnlock(const Program& program, const std::wstring& password) {
  HWND prompt = nullptr;
  const bool ready = PollUntil(
      [&] { return (prompt = program.Shown(L"Dorbolt.Form9")) && ::IsWindowEnabled(prompt); }, 8000);
  HWND edit = ready ? EditBox(prompt) : nullptr;
  HWND button = ready ? test::FindChildByText(prompt, L"Unlock!") : nullptr;
  if (!edit || !button) return -1;
  Type(edit, password);
  const double pressed = NowMs();
  PostClick(button);
  return pressed;
}

// The screen point in the white strip along the lock screen's bottom edge, right of its
// pictures, that shows white once the lock screen has painted.
POINT StripPoint(const ScreenPixels& screen) {
  const int dpi = screen.Dpi();
  const int right = ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int bottom = ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const int strip = ::MulDiv(1635, dpi, 1440);
  return POINT{right - 24, bottom - strip / 2};
}

}  // namespace

HWND WaitForIdleIcon(const Program& program, double timeoutMs) {
  HWND tray = nullptr;
  PollUntil(
      [&] {
        tray = program.Window(L"Dorbolt.Form3");
        return tray && test::TrayIconExists(tray, kIconId) && test::TaskbarVisible();
      },
      timeoutMs);
  return tray && test::TrayIconExists(tray, kIconId) ? tray : nullptr;
}

void EndInTray(Program& program) {
  if (HWND tray = program.Window(L"Dorbolt.Form3")) RemoveTrayIconOf(tray, kIconId);
  program.Kill();
  if (!test::TaskbarVisible()) ShowTaskbar();
}

DorwatchFigures MeasureDorwatchCycles(const Program& dorwatch, test::TrayHolder& holder,
                                      const std::wstring& password, int runs) {
  DorwatchFigures figures;
  bool holderHit = false;
  holder.Tray().IconDoubleClick = [&] { holderHit = true; };
  // Two icons: the holder's and Dorwatch's. Wine puts a newer icon left of the older ones,
  // and Dorwatch's is the newer; the other place is tried when that guess is wrong.
  size_t slot = 0;
  for (int run = 0; run < runs && figures.problem.empty(); ++run) {
    if (!WaitForIdleIcon(dorwatch, 10000)) {
      figures.problem = L"the idle icon did not come back";
      break;
    }
    IdleFor(500);  // the icon drawn, and this double click apart from the last one
    const std::vector<POINT> icons = TrayIconCentres(2);
    bool locked = false;
    for (size_t tried = 0; tried < icons.size() && !locked; ++tried) {
      const size_t at = (slot + tried) % icons.size();
      holderHit = false;
      const double clicked = DoubleClickAt(icons[at]);
      double hidden = -1;
      double shown = -1;
      PollUntil(
          [&] {
            const double t = NowMs() - clicked;
            if (hidden < 0 && !test::TaskbarVisible()) hidden = t;
            if (dorwatch.Shown(L"Dorbolt.Form1")) {
              shown = t;
              return true;
            }
            // The holder took the click, or nothing at all answered it.
            return holderHit || (t > 1500 && !dorwatch.Window(L"Dorbolt.Form2"));
          },
          8000);
      if (shown < 0) {
        IdleFor(700);
        continue;
      }
      locked = true;
      slot = at;
      figures.lockScreen.Add(shown);
      if (hidden >= 0) figures.taskbarHidden.Add(hidden);
    }
    if (!locked) {
      figures.problem = L"no double click on the tray icons locked";
      break;
    }
    if (!OpenPrompt(dorwatch)) {
      figures.problem = L"the notice or the prompt did not open";
      break;
    }
    const double pressed = PressUnlock(dorwatch, password);
    HWND tray = nullptr;
    if (pressed < 0 || !PollUntil(
                           [&] {
                             tray = dorwatch.Window(L"Dorbolt.Form3");
                             return tray && test::TrayIconExists(tray, kIconId);
                           },
                           10000)) {
      figures.problem = L"the unlock did not bring the idle icon back";
      break;
    }
    figures.unlock.Add(NowMs() - pressed);
  }
  holder.Tray().IconDoubleClick = nullptr;
  if (figures.problem.empty() && figures.taskbarHidden.Count() != figures.lockScreen.Count()) {
    figures.problem = L"the taskbar was not hidden before the lock screen came";
  }
  return figures;
}

Samples MeasureBareStarts(const std::wstring& path, const wchar_t* windowClass, int runs) {
  Samples starts;
  for (int run = 0; run < runs; ++run) {
    Program bare(path);
    double shown = -1;
    PollUntil(
        [&] {
          if (bare.Shown(windowClass)) shown = NowMs() - bare.StartedAt();
          return shown >= 0 || !bare.Running();
        },
        10000);
    if (shown < 0) break;
    starts.Add(shown);
  }
  return starts;
}

DorguardFigures MeasureDorguardRuns(const std::wstring& path, const std::wstring& password, int runs) {
  DorguardFigures figures;
  const ScreenPixels screen;
  const POINT strip = StripPoint(screen);
  for (int run = 0; run < runs && figures.problem.empty(); ++run) {
    // The cursor away from the tray, so that no tooltip covers the strip; the desktop
    // repainted where the last lock screen was.
    MoveCursorTo(POINT{::GetSystemMetrics(SM_CXVIRTUALSCREEN) / 2, ::GetSystemMetrics(SM_CYVIRTUALSCREEN) / 3});
    if (!PollUntil([&] { return screen.At(strip) != RGB(255, 255, 255); }, 3000)) {
      figures.problem = L"the desktop is white where the lock screen's strip is looked for";
      break;
    }
    Program guard(path);
    if (!guard.Started()) {
      figures.problem = L"Dorguard.exe did not start";
      break;
    }
    double painted = -1;
    PollUntil(
        [&] {
          if (guard.Shown(L"Dorbolt.Form1") && screen.At(strip) == RGB(255, 255, 255)) {
            painted = NowMs() - guard.StartedAt();
          }
          return painted >= 0 || !guard.Running();
        },
        10000);
    if (painted < 0) {
      figures.problem = L"the lock screen was not painted";
    } else {
      figures.painted.Add(painted);
    }

    // A wrong password: the alarm, from when it shows to when it has gone.
    double pressed = -1;
    if (figures.problem.empty() && (!OpenPrompt(guard) || (pressed = PressUnlock(guard, password + L"x")) < 0)) {
      figures.problem = L"the prompt did not take a password";
    }
    if (figures.problem.empty()) {
      double up = -1;
      double gone = -1;
      HWND alarm = nullptr;
      HWND soundError = nullptr;  // the alarm's box when its sound cannot play (it has no title)
      PollUntil(
          [&] {
            if (up < 0 && (alarm = guard.Shown(L"Dorbolt.frmPassWrong"))) up = NowMs();
            if (up >= 0 && !(::IsWindow(alarm) && ::IsWindowVisible(alarm))) gone = NowMs();
            soundError = test::FindMessageBox(L"");
            return gone >= 0 || soundError;
          },
          10000);
      if (soundError) {
        test::PressOk(soundError);
        figures.problem = L"the alarm reported a sound error";
      } else if (gone < 0) {
        figures.problem = L"the alarm did not show and close";
      } else {
        figures.alarmShown.Add(up - pressed);
        figures.alarm.Add(gone - up);
      }
    }

    // The right password: the report of the wrong one, then back to the tray.
    if (figures.problem.empty()) {
      HWND box = nullptr;
      if (PressUnlock(guard, password) < 0 ||
          !PollUntil([&] { return (box = test::FindMessageBox(kReportTitle)) != nullptr; }, 8000)) {
        figures.problem = L"no report of the wrong password";
      } else {
        test::PressOk(box);
        if (!WaitForIdleIcon(guard, 10000)) figures.problem = L"Dorguard did not go to the tray";
      }
    }
    EndInTray(guard);
    PollUntil([] { return test::TaskbarVisible(); }, 3000);
    IdleFor(300);
  }
  return figures;
}

}  // namespace dorbolt::bench
