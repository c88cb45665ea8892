#pragma once
// Driving the program's own windows from inside the test process, as a user would: real child
// windows, real clicks, and a script of steps that runs inside whatever modal loop is up.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/GenericModule.h"
#include "lock/Forms.h"
#include "lock/model/Form.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {

// The advapi32 calls with every write refused, as on a machine without the rights for it.
inline LONG WINAPI RefuseSet(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) {
  return ERROR_ACCESS_DENIED;
}
inline const AdvapiCalls& RefusingWrites() {
  static const AdvapiCalls calls = [] {
    AdvapiCalls c = AdvapiCalls::System();
    c.set = &RefuseSet;
    return c;
  }();
  return calls;
}

// The n-th edit box of a window, in the order the window made them (hidden ones included).
inline HWND EditBox(HWND window, int n) { return FindChildByClass(window, L"Edit", n); }
inline void Type(HWND edit, const std::wstring& text) {
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
inline HWND Control(HWND window, const wchar_t* text) { return FindChildByText(window, text); }
// A click that arrives through the message queue, as the mouse's would: the test goes on
// while the handler runs in the program's loop.
inline void PostClick(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }
inline bool Checked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline bool Enabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

// The icon a message box shows, as the system's standard icon it is.
enum class BoxIcon { None, Error, Information, Exclamation, Other };
inline BoxIcon IconOf(HWND box) {
  HICON shown = nullptr;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      shown = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    }
  }
  if (!shown) return BoxIcon::None;
  if (shown == ::LoadIconW(nullptr, IDI_ERROR)) return BoxIcon::Error;
  if (shown == ::LoadIconW(nullptr, IDI_INFORMATION)) return BoxIcon::Information;
  if (shown == ::LoadIconW(nullptr, IDI_WARNING)) return BoxIcon::Exclamation;
  return BoxIcon::Other;
}

// What a message box said.
struct SeenBox {
  std::wstring title;
  std::wstring text;
  BoxIcon icon = BoxIcon::None;
  bool operator==(const SeenBox&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const SeenBox& box) {
  return out << "box \"" << ToAnsi(box.title) << "\": \"" << ToAnsi(box.text) << "\" icon "
             << static_cast<int>(box.icon);
}

// Steps that run one after the other, each as soon as its condition holds, inside whatever
// message loop is running (a modal show, a message box). A step that waits too long calls
// the escape, which must end every loop so that the test can report instead of hanging.
class Script {
 public:
  using Condition = std::function<bool()>;
  using Action = std::function<void()>;

  explicit Script(Action escape, DWORD stepTimeoutMs = 10000)
      : escape_(std::move(escape)), timeoutMs_(stepTimeoutMs) {}
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;
  ~Script() { Stop(); }

  Script& Then(Condition when, Action act, std::string what = {}) {
    steps_.push_back({std::move(when), std::move(act), std::move(what)});
    return *this;
  }
  // Presses OK on the next message box with this title, recording what it said.
  Script& ThenBox(const wchar_t* title, std::vector<SeenBox>& seen, Action before = {}) {
    const std::wstring t = title;
    return Then([t] { return FindMessageBox(t.c_str()) != nullptr; },
                [t, &seen, before] {
                  HWND box = FindMessageBox(t.c_str());
                  seen.push_back({t, MessageBoxText(box), IconOf(box)});
                  if (before) before();
                  PressOk(box);
                },
                "message box " + ToAnsi(t));
  }
  void Start() {
    Stop();
    next_ = 0;
    stuck_.clear();
    Arm();
  }
  bool Done() const { return next_ >= steps_.size() && stuck_.empty(); }
  // The step that never came, for the failure message.
  const std::string& Stuck() const { return stuck_; }

 private:
  struct Step {
    Condition when;
    Action act;
    std::string what;
  };

  static std::vector<Script*>& Running() {
    static std::vector<Script*> running;
    return running;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (Script* s : Running()) {
      if (s->timer_ == id) {
        s->Poll();
        return;
      }
    }
  }
  void Arm() {
    if (next_ >= steps_.size()) return;
    deadline_ = ::GetTickCount64() + timeoutMs_;
    if (!timer_) {
      timer_ = ::SetTimer(nullptr, 0, 10, &OnTimer);
      Running().push_back(this);
    }
  }
  void Stop() {
    if (timer_) ::KillTimer(nullptr, timer_);
    std::erase(Running(), this);
    timer_ = 0;
  }
  void Poll() {
    if (next_ >= steps_.size()) return;
    Step& step = steps_[next_];
    if (!step.when()) {
      if (::GetTickCount64() < deadline_) return;
      stuck_ = step.what.empty() ? "step " + std::to_string(next_ + 1) : step.what;
      Stop();
      escape_();
      return;
    }
    ++next_;
    deadline_ = ::GetTickCount64() + timeoutMs_;
    if (next_ >= steps_.size()) Stop();
    // The next step may come while this action waits in a loop of its own.
    const Action act = step.act;
    act();
  }

  Action escape_;
  DWORD timeoutMs_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
  ULONGLONG deadline_ = 0;
  std::string stuck_;
};

// Unloads every window: what the unlock does, and the way out of any modal loop.
inline void UnloadAll(Forms& forms) {
  for (Form* form : std::vector<Form*>(forms.Model().Forms())) form->Unload();
}

}  // namespace dorbolt::test
