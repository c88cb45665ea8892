#pragma once
// A user's steps for an in-process test: each runs as soon as its condition holds, inside
// whatever message loop is up at that moment (a modal show, a message box). A step that does
// not come in time unloads every window and presses OK on every box of the test, so that the
// nested loops end and the test reports instead of hanging.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "lock/Forms.h"
#include "lock/model/Form.h"

namespace dorbolt::test {

class Steps {
 public:
  using Condition = std::function<bool()>;
  using Action = std::function<void()>;

  explicit Steps(Forms& forms, DWORD stepTimeoutMs = 12000) : forms_(forms), timeoutMs_(stepTimeoutMs) {}
  Steps(const Steps&) = delete;
  Steps& operator=(const Steps&) = delete;
  ~Steps() { Stop(); }

  Steps& Then(std::string what, Condition when, Action act) {
    steps_.push_back({std::move(what), std::move(when), std::move(act)});
    return *this;
  }
  void Start() {
    next_ = 0;
    stuck_.clear();
    deadline_ = ::GetTickCount64() + timeoutMs_;
    timer_ = ::SetTimer(nullptr, 0, 10, &OnTimer);
    Running().push_back(this);
  }
  bool Done() const { return next_ == steps_.size() && stuck_.empty(); }
  // The step that never came, for the failure message.
  const std::string& Stuck() const { return stuck_; }

 private:
  struct Step {
    std::string what;
    Condition when;
    Action act;
  };

  static std::vector<Steps*>& Running() {
    static std::vector<Steps*> running;
    return running;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (Steps* s : Running()) {
      if (s->timer_ == id) {
        s->Poll();
        return;
      }
    }
  }
  void Stop() {
    if (timer_) ::KillTimer(nullptr, timer_);
    timer_ = 0;
    std::erase(Running(), this);
  }
  void Poll() {
    if (next_ >= steps_.size()) return;
    Step& step = steps_[next_];
    if (!step.when()) {
      if (::GetTickCount64() >= deadline_) Escape(step.what);
      return;
    }
    ++next_;
    deadline_ = ::GetTickCount64() + timeoutMs_;
    if (next_ == steps_.size()) Stop();
    // An action may open a modal window of its own; the next step is polled from inside it.
    step.act();
  }
  void Escape(const std::string& what) {
    stuck_ = what;
    Stop();
    ::EnumThreadWindows(::GetCurrentThreadId(), &PressOkOnBox, 0);
    for (Form* form : forms_.Model().Forms()) form->Unload();
  }
  static BOOL CALLBACK PressOkOnBox(HWND window, LPARAM) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770") ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
  }

  Forms& forms_;
  DWORD timeoutMs_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  std::string stuck_;
  ULONGLONG deadline_ = 0;
  UINT_PTR timer_ = 0;
};

}  // namespace dorbolt::test
