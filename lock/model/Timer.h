#pragma once
#include <windows.h>

#include <functional>

namespace dorbolt {

class Form;

// A timer of a form. It belongs to the form for the program's life, so that a tick's handler
// outlives an unload of its window. A tick never runs while the same timer's previous handler
// is still running (for instance waiting in a modal window): ticks due meanwhile are dropped,
// and the next comes one interval after the handler returns.
class Timer {
 public:
  Timer(Form& form, UINT intervalMs, bool enabledAtLoad, std::function<void()> onTick);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  // Touching a timer of a window that is not loaded loads the window.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  UINT Interval() const { return interval_; }
  // A new interval; a running wait starts again with it. For tests that run the cycle fast.
  void SetInterval(UINT intervalMs);
  bool HandlerRunning() const { return running_; }

 private:
  friend class Form;
  void FormLoaded();
  void FormUnloading();
  bool HandleTick(UINT_PTR id);
  void Arm();
  void Disarm();

  Form& form_;
  UINT_PTR id_;
  UINT interval_;
  bool enabledAtLoad_;
  bool enabled_ = false;
  bool armed_ = false;
  bool running_ = false;
  std::function<void()> onTick_;
};

}  // namespace dorbolt
