#pragma once
// Driving programs from outside, as a user and the user's tools do, and timing what they show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dorbolt::bench {

// Milliseconds from an arbitrary start, to a fraction of a millisecond.
double NowMs();

// Pumps this thread's messages and checks `done` about every millisecond; false if the time
// ran out first.
bool PollUntil(const std::function<bool()>& done, double timeoutMs);
// Pumps this thread's messages for a while, waking only when a message comes.
void IdleFor(double ms);

// A program started for the benchmark; ended when this goes, if it still runs.
class Program {
 public:
  explicit Program(const std::wstring& path);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  bool Started() const { return process_ != nullptr; }
  // When CreateProcess was called.
  double StartedAt() const { return startedAt_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  void Kill();
  // A top-level window of this program with the given class, shown or not; or nullptr.
  HWND Window(const wchar_t* className) const;
  // The same, only while it is visible.
  HWND Shown(const wchar_t* className) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  double startedAt_ = 0;
};

// What the screen itself shows, a point at a time.
class ScreenPixels {
 public:
  ScreenPixels() : dc_(::GetDC(nullptr)) {}
  ScreenPixels(const ScreenPixels&) = delete;
  ScreenPixels& operator=(const ScreenPixels&) = delete;
  ~ScreenPixels() { ::ReleaseDC(nullptr, dc_); }
  COLORREF At(POINT p) const { return ::GetPixel(dc_, p.x, p.y); }
  int Dpi() const { return ::GetDeviceCaps(dc_, LOGPIXELSY); }

 private:
  HDC dc_;
};

// A click that comes through the program's message queue as the mouse's would: the caller goes
// on while the handler runs (and waits in its modal windows).
void PostClick(HWND button);
// Moves the mouse pointer, as a real mouse would.
void MoveCursorTo(POINT at);
// A real double click of the left button at a screen point; when the second press went out.
double DoubleClickAt(POINT at);

// Where the shell shows the icons of its notification area when it holds `count` of them,
// from left to right.
std::vector<POINT> TrayIconCentres(int count);
// Takes an icon out of the notification area, as the shell does for a program that has gone.
void RemoveTrayIconOf(HWND owner, UINT id);

}  // namespace dorbolt::bench
