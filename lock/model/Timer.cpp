#include "lock/model/Timer.h"

#include <algorithm>

#include "lock/model/Form.h"

namespace dorbolt {

Timer::Timer(Form& form, UINT intervalMs, bool enabledAtLoad, std::function<void()> onTick)
    : form_(form),
      id_(reinterpret_cast<UINT_PTR>(this)),
      interval_(intervalMs),
      enabledAtLoad_(enabledAtLoad),
      onTick_(std::move(onTick)) {
  form_.timers_.push_back(this);
}

Timer::~Timer() {
  Disarm();
  auto& list = form_.timers_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Timer::SetEnabled(bool enabled) {
  form_.Load();
  if (enabled == enabled_) return;  // enabling a running timer does not restart its wait
  enabled_ = enabled;
  if (enabled_) {
    Arm();
  } else {
    Disarm();
  }
}

void Timer::SetInterval(UINT intervalMs) {
  interval_ = intervalMs;
  if (armed_) Arm();  // the same id: the system replaces the running wait
}

void Timer::FormLoaded() {
  enabled_ = enabledAtLoad_;
  if (enabled_) Arm();
}

void Timer::FormUnloading() {
  Disarm();
  enabled_ = false;
}

void Timer::Arm() {
  if (running_ || !enabled_ || !form_.IsLoaded()) return;
  armed_ = ::SetTimer(form_.HwndIfLoaded(), id_, interval_, nullptr) != 0;
}

void Timer::Disarm() {
  if (armed_ && form_.HwndIfLoaded()) ::KillTimer(form_.HwndIfLoaded(), id_);
  armed_ = false;
}

bool Timer::HandleTick(UINT_PTR id) {
  if (id != id_) return false;
  if (running_) return true;
  running_ = true;
  Disarm();
  struct Finish {
    Timer& timer;
    ~Finish() {
      timer.running_ = false;
      timer.Arm();  // the next tick is one interval from now
    }
  } finish{*this};
  onTick_();
  return true;
}

}  // namespace dorbolt
