// Attempts to get past a lock of the real Dorguard: the keys and clicks a person at the keyboard
// would try, window messages from another program, and a restarted shell. After every attempt
// the lock must still be whole, and at the end the right password, typed, must still open it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/RegistryLayout.h"
#include "platform/ShellServices.h"
#include "platform/TrayIcon.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/TestWindow.h"
#include "tests/support/TrayHolder.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"
#include "tests/support/XInput.h"

namespace dorbolt::test {
namespace {

constexpr wchar_t kPassword[] = L"Secret";
constexpr wchar_t kReportTitle[] = L"Unauthorized Access...";
constexpr UINT kTrayIconId = 1;
// How long an attempt is given to take effect before the lock is taken to have held.
constexpr DWORD kSettleMs = 500;

bool Visible(HWND window) { return window && ::IsWindowVisible(window); }
bool Topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
// True when `upper` lies above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
std::string At(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
RECT VirtualScreen() {
  const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}
bool Inside(POINT p, HWND window) {
  RECT r{};
  return window && ::GetWindowRect(window, &r) && ::PtInRect(&r, p);
}

// Points of the whole screen: a grid, the corners, and where the taskbar, its start button and
// its notification area were.
std::vector<POINT> ScreenPoints(int columns, int rows) {
  const RECT s = VirtualScreen();
  const int w = s.right - s.left;
  const int h = s.bottom - s.top;
  std::vector<POINT> points;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      points.push_back({s.left + (2 * c + 1) * w / (2 * columns), s.top + (2 * r + 1) * h / (2 * rows)});
    }
  }
  const int right = s.right - 1;
  const int bottom = s.bottom - 1;
  for (POINT p : {POINT{s.left, s.top}, POINT{right, s.top}, POINT{s.left, bottom}, POINT{right, bottom},
                  POINT{s.left + 20, bottom - 10}, POINT{s.left + w / 2, bottom - 10}, POINT{right - 11, bottom - 18},
                  POINT{right - 40, bottom - 10}}) {
    points.push_back(p);
  }
  return points;
}

// One lock of the real Dorguard a test; its attempts are made one after another on that lock.
class Escape : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    StorePasswordForTest(kPassword);
    PutString(layout::kSettingsKey, layout::kBackLock, layout::kNoBackground);
    ShowTaskbar();
    ASSERT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 10000));
    guard = std::make_unique<RunningProgram>(ProgramPath(L"Dorguard.exe"));
    ASSERT_TRUE(guard->Started());
    ASSERT_TRUE(WaitUntil([&] { return Broken().empty(); }, 15000)) << "Dorguard locks as it starts: " << Broken();
  }
  // A program ended from outside leaves the shell as it was: put it back.
  void TearDown() override {
    guard.reset();
    ShowTaskbar();
    DWORD scratch = 0;
    ::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &scratch, 0);
    ClearSettings();
  }

  HWND Lock(const wchar_t* name) { return guard->Window((std::wstring(L"Dorbolt.") + name).c_str()); }
  bool OfDorguard(HWND window) {
    DWORD pid = 0;
    return window && ::GetWindowThreadProcessId(window, &pid) && pid == guard->Id();
  }

  // What is wrong with the lock, or empty while it holds: the program runs, the lock screen is
  // topmost and covers the screen, the notice (and the prompt, once open) lie above it, the
  // taskbar is hidden, and nothing but Dorguard's windows can be seen, pointed at or typed into.
  std::string Broken() {
    if (!guard->Running()) return "Dorguard has ended";
    HWND screen = Lock(L"Form1");
    HWND notice = Lock(L"Form2");
    if (!Visible(screen)) return "the lock screen is gone";
    if (!Topmost(screen)) return "the lock screen is no longer topmost";
    RECT r{};
    ::GetWindowRect(screen, &r);
    const RECT all = VirtualScreen();
    if (r.left > all.left || r.top > all.top || r.right < all.right || r.bottom < all.bottom) {
      return "the lock screen no longer covers the screen";
    }
    if (!Visible(notice)) return "the notice is gone";
    if (!Above(notice, screen)) return "the notice is under the lock screen";
    if (prompting) {
      HWND prompt = Lock(L"Form9");
      if (!Visible(prompt)) return "the prompt is gone";
      if (!Above(prompt, screen)) return "the prompt is under the lock screen";
    }
    if (TaskbarVisible()) return "the taskbar shows";
    for (POINT p : probes) {
      HWND w = ::WindowFromPoint(p);
      if (!OfDorguard(w)) return "at " + At(p) + " the screen shows " + Narrow(ClassOf(w));
    }
    if (HWND active = ::GetForegroundWindow(); active && !OfDorguard(active)) {
      return "the keyboard went to " + Narrow(ClassOf(active));
    }
    if (!victim.keys.empty()) return "a key reached the window under the lock";
    return {};
  }
  // Gives an attempt its time to take effect; empty while the lock still holds.
  std::string BrokenAfterAttempt() {
    WaitUntil([&] { return !Broken().empty(); }, kSettleMs);
    return Broken();
  }

  HWND PromptBox() { return FindChildByClass(Lock(L"Form9"), L"Edit", 0); }
  std::wstring Log() { return WindowText(FindChildByClass(Lock(L"Form9"), L"Edit", 2)); }
  std::wstring Entry() { return WindowText(PromptBox()); }
  bool PromptTakesInput() {
    HWND prompt = Lock(L"Form9");
    return Visible(prompt) && ::IsWindowEnabled(prompt) && !Lock(L"frmPassWrong");
  }
  // Unlock! on the notice, clicked with the mouse.
  bool OpenPrompt() {
    if (!x::ClickWindow(FindChildByText(Lock(L"Form2"), L"Unlock!"))) return false;
    if (!WaitUntil([&] { return PromptTakesInput(); }, 10000)) return false;
    prompting = true;
    return true;
  }
  // The caption of a window: a click there gives it the keyboard and presses nothing.
  static POINT CaptionOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, r.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
  }
  // Empties the password box from the keyboard.
  bool ClearEntry() {
    x::ClickWindow(PromptBox());
    x::Keys(L"End shift+Home BackSpace");
    return WaitUntil([&] { return Entry().empty(); }, 3000);
  }
  // The right password typed and Unlock! clicked: the lock ends in the tray, the taskbar back.
  void UnlockByTyping() {
    ASSERT_TRUE(prompting || OpenPrompt()) << "the prompt opens";
    ASSERT_TRUE(WaitUntil([&] { return PromptTakesInput(); }, 10000));
    ASSERT_TRUE(ClearEntry());
    ASSERT_TRUE(x::Type(kPassword));
    ASSERT_TRUE(WaitUntil([&] { return Entry() == kPassword; }, 5000)) << Narrow(Entry());
    ASSERT_TRUE(x::ClickWindow(FindChildByText(Lock(L"Form9"), L"Unlock!")));
    ASSERT_TRUE(WaitUntil(
        [&] {
          if (HWND box = FindMessageBox(kReportTitle)) PressOk(box);
          HWND tray = Lock(L"Form3");
          return tray && TrayIconExists(tray, kTrayIconId) && !Lock(L"Form1") && !Lock(L"Form2") &&
                 !Lock(L"Form9");
        },
        10000))
        << "the right password still unlocks";
    prompting = false;
    EXPECT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 3000));
    EXPECT_TRUE(guard->Running());
  }

  TrayHolder holder;  // Wine shows its taskbar only while the notification area has an icon
  TestWindow victim{true};  // under the lock: where Alt+Tab or a key would go if the lock let it
  std::unique_ptr<RunningProgram> guard;
  bool prompting = false;
  std::vector<POINT> probes = ScreenPoints(4, 3);
};

// Keys, each tried after a click that gives the keyboard to one window of the lock.
struct KeyAttempt {
  const wchar_t* focus;  // Form1, Form2, Form9, frmPassWrong; nullptr: whatever has it
  const wchar_t* keys;   // xdotool's names
};

constexpr KeyAttempt kAtTheNotice[] = {
    {nullptr, L"alt+Tab"},      {nullptr, L"alt+Escape"},       {nullptr, L"ctrl+Escape"},
    {nullptr, L"super"},        {nullptr, L"Super_L"},          {nullptr, L"Super_R"},
    {nullptr, L"ctrl+shift+Escape"}, {nullptr, L"alt+shift+Tab"}, {L"Form1", L"alt+F4"},
    {L"Form2", L"alt+F4"},      {L"Form1", L"alt+Tab"},         {L"Form2", L"Escape"},
    {L"Form2", L"alt+space"},
};
constexpr KeyAttempt kAtThePrompt[] = {
    {L"Form9", L"alt+Tab"},  {L"Form9", L"alt+Escape"},        {L"Form9", L"ctrl+Escape"},
    {L"Form9", L"super"},    {L"Form9", L"ctrl+shift+Escape"}, {L"Form9", L"alt+F4"},
    {L"Form2", L"alt+F4"},   {L"Form1", L"alt+F4"},            {L"Form9", L"alt+space"},
};

TEST_F(Escape, KeysAtTheNoticeThePromptAndTheAlarm) {
  auto attempt = [&](const KeyAttempt& a) {
    const std::string what = Narrow(a.keys) + (a.focus ? " on " + Narrow(a.focus) : "");
    SCOPED_TRACE(what);
    if (a.focus) {
      HWND window = Lock(a.focus);
      ASSERT_TRUE(window);
      // The lock screen has no caption: a point of it away from the notice.
      ASSERT_TRUE(x::ClickAt(std::wstring(a.focus) == L"Form1" ? POINT{40, 40} : CaptionOf(window)));
    }
    ASSERT_TRUE(x::Keys(a.keys));
    EXPECT_EQ(BrokenAfterAttempt(), "");
  };
  for (const auto& a : kAtTheNotice) attempt(a);
  ASSERT_TRUE(OpenPrompt());
  for (const auto& a : kAtThePrompt) attempt(a);

  // Enter and Esc in the password box press nothing: no alarm, nothing logged, the box as typed.
  // A letter typed after each is the sign that the key before it has been handled.
  ASSERT_TRUE(ClearEntry());
  const struct {
    const wchar_t* key;
    const wchar_t* typedAfter;
    const wchar_t* entry;
  } inTheBox[] = {{L"Return", L"w", L"w"}, {L"Return", L"rong", L"wrong"}, {L"Escape", L"!", L"wrong!"},
                  {L"KP_Enter", L"?", L"wrong!?"}};
  for (const auto& k : inTheBox) {
    SCOPED_TRACE(Narrow(k.key) + " after \"" + Narrow(Entry()) + "\"");
    ASSERT_TRUE(x::Keys(k.key));
    ASSERT_TRUE(x::Type(k.typedAfter));
    EXPECT_TRUE(WaitUntil([&] { return Entry() == k.entry; }, 3000)) << Narrow(Entry());
    EXPECT_FALSE(Lock(L"frmPassWrong")) << "no alarm";
    EXPECT_EQ(Log(), L"") << "nothing logged";
    EXPECT_EQ(Broken(), "");
  }

  // A wrong password clicked: the alarm, which no key closes before its time.
  const ULONGLONG clicked = ::GetTickCount64();
  ASSERT_TRUE(x::ClickWindow(FindChildByText(Lock(L"Form9"), L"Unlock!")));
  ASSERT_TRUE(WaitUntil([&] { return Visible(Lock(L"frmPassWrong")); }, 5000)) << "the alarm";
  int triedOnTheAlarm = 0;
  for (const wchar_t* keys : {L"alt+F4", L"Escape", L"alt+Tab"}) {
    SCOPED_TRACE(Narrow(keys) + " on the alarm");
    HWND alarm = Lock(L"frmPassWrong");
    if (!alarm) break;  // its time is up already
    ASSERT_TRUE(x::ClickWindow(alarm));
    ASSERT_TRUE(x::Keys(keys));
    ++triedOnTheAlarm;
    EXPECT_EQ(Broken(), "");
  }
  EXPECT_GE(triedOnTheAlarm, 1);
  ASSERT_TRUE(WaitUntil([&] { return !Lock(L"frmPassWrong"); }, 10000));
  EXPECT_GE(::GetTickCount64() - clicked, 2400u) << "the alarm stayed its time";
  EXPECT_TRUE(WaitUntil([&] { return PromptTakesInput(); }, 3000)) << "the prompt takes the next password";
  EXPECT_EQ(Broken(), "");

  UnlockByTyping();
}

// Clicks on every part of the screen, over the notice and then over the prompt, with each
// button. Points on a button of the lock are left out: Unlock! and About lead nowhere but to
// the prompt and the About box.
TEST_F(Escape, ClicksAnywhereOnTheScreen) {
  auto onAButton = [&](POINT p) {
    for (const wchar_t* form : {L"Form2", L"Form9"}) {
      HWND window = Lock(form);
      if (!Visible(window)) continue;
      for (const wchar_t* word : {L"Unlock!", L"About"}) {
        if (Inside(p, FindChildByText(window, word))) return true;
      }
    }
    return false;
  };
  for (const bool prompt : {false, true}) {
    SCOPED_TRACE(prompt ? "over the prompt" : "over the notice");
    if (prompt) {
      ASSERT_TRUE(OpenPrompt());
    }
    int clicks = 0;
    // A finer grid over the notice; over the prompt, which sits at the notice's place, a coarser one.
    for (POINT p : prompt ? ScreenPoints(6, 4) : ScreenPoints(8, 6)) {
      if (onAButton(p)) continue;
      SCOPED_TRACE("click at " + At(p));
      ASSERT_TRUE(x::ClickAt(p));
      ++clicks;
      EXPECT_EQ(Broken(), "");
    }
    EXPECT_GE(clicks, prompt ? 28 : 50);
    const RECT s = VirtualScreen();
    const POINT backdrop{s.left + 40, s.top + 40};
    const POINT taskbarPlace{s.left + 20, s.bottom - 10};
    for (POINT p : {backdrop, taskbarPlace}) {
      SCOPED_TRACE("other buttons at " + At(p));
      ASSERT_TRUE(x::ClickAt(p, 3));
      ASSERT_TRUE(x::ClickAt(p, 2));
      ASSERT_TRUE(x::DoubleClickAt(p));
      EXPECT_EQ(BrokenAfterAttempt(), "");
    }
  }
  UnlockByTyping();
}

// Messages that another program can post to the windows it finds. None of them closes, hides
// or ends anything: only the right password does.
struct Posted {
  const char* name;
  UINT message;
  WPARAM wParam;
};
constexpr Posted kPosted[] = {
    {"WM_CLOSE", WM_CLOSE, 0},
    {"WM_SYSCOMMAND SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE},
    {"WM_QUIT", WM_QUIT, 0},
    {"WM_SYSCOMMAND SC_MINIMIZE", WM_SYSCOMMAND, SC_MINIMIZE},
    {"WM_SYSCOMMAND SC_MAXIMIZE", WM_SYSCOMMAND, SC_MAXIMIZE},
    {"WM_SYSCOMMAND SC_TASKLIST", WM_SYSCOMMAND, SC_TASKLIST},
};

TEST_F(Escape, CloseAndQuitPostedByAnotherProgram) {
  ASSERT_TRUE(OpenPrompt());
  // Every window of the program is served by one thread, which handles posted messages in the
  // order they came: once a selection posted after them has been made, they have been handled.
  HWND box = PromptBox();
  ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"marker"));
  WPARAM mark = 0;
  auto handled = [&] {
    mark = mark % 5 + 1;
    ::PostMessageW(box, EM_SETSEL, mark, static_cast<LPARAM>(mark));
    return WaitUntil([&] { return ::SendMessageW(box, EM_GETSEL, 0, 0) == MAKELONG(mark, mark); }, 3000);
  };

  auto postToAll = [&](const std::vector<const wchar_t*>& classes) {
    for (const wchar_t* className : classes) {
      HWND target = ::FindWindowW(className, nullptr);
      SCOPED_TRACE(Narrow(className));
      ASSERT_TRUE(OfDorguard(target)) << "another program finds the window by its class";
      for (const auto& p : kPosted) {
        SCOPED_TRACE(p.name);
        ASSERT_TRUE(::PostMessageW(target, p.message, p.wParam, 0));
        EXPECT_TRUE(handled()) << "the program still handles its messages";
        EXPECT_EQ(Broken(), "");
        EXPECT_TRUE(guard->Window(className)) << "the window is still there";
      }
    }
  };
  postToAll({L"Dorbolt.Form1", L"Dorbolt.Form2", L"Dorbolt.Form9", L"Dorbolt.Owner", L"Dorbolt.Guard"});
  {
    SCOPED_TRACE("WM_QUIT to the program's thread");
    ASSERT_TRUE(::PostThreadMessageW(::GetWindowThreadProcessId(Lock(L"Form1"), nullptr), WM_QUIT, 0, 0));
    EXPECT_TRUE(handled());
    EXPECT_EQ(Broken(), "");
  }

  // The alarm, while it shows.
  ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"wrong"));
  const ULONGLONG clicked = ::GetTickCount64();
  ::PostMessageW(FindChildByText(Lock(L"Form9"), L"Unlock!"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Visible(Lock(L"frmPassWrong")); }, 5000)) << "the alarm";
  postToAll({L"Dorbolt.frmPassWrong"});
  ASSERT_TRUE(WaitUntil([&] { return !Lock(L"frmPassWrong"); }, 10000));
  EXPECT_GE(::GetTickCount64() - clicked, 2400u) << "the alarm stayed its time";

  // The guard window that was sent away still does its work: a taskbar that comes back is
  // hidden again.
  ShowTaskbar();
  ASSERT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 3000));
  ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Broken().empty(); }, 3000)) << Broken();

  UnlockByTyping();
}

// A restarted Explorer brings a new, visible taskbar and announces it with "TaskbarCreated", to
// every top-level window; the icons of the old notification area are gone.
TEST_F(Escape, ARestartedShellWhileLockedAndWhileIdle) {
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  auto restartShell = [&] {
    ShowTaskbar();
    ASSERT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 3000));
    ASSERT_TRUE(::PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0));
  };
  for (const bool prompt : {false, true}) {
    SCOPED_TRACE(prompt ? "at the prompt" : "at the notice");
    if (prompt) {
      ASSERT_TRUE(OpenPrompt());
    }
    restartShell();
    EXPECT_TRUE(WaitUntil([&] { return Broken().empty(); }, 3000)) << Broken();
  }
  UnlockByTyping();

  // Idle in the tray: the icon comes back, the taskbar stays.
  HWND tray = Lock(L"Form3");
  ASSERT_TRUE(tray);
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = tray;
  icon.uID = kTrayIconId;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &icon)) << "the old notification area goes with its icons";
  ASSERT_FALSE(TrayIconExists(tray, kTrayIconId));
  restartShell();
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(tray, kTrayIconId); }, 5000)) << "the idle icon is back";
  EXPECT_FALSE(WaitUntil([] { return !TaskbarVisible(); }, kSettleMs)) << "the taskbar stays while idle";
  EXPECT_TRUE(guard->Running());
}

// What no program can stop: ended from outside (Task Manager, TerminateProcess), it runs no
// code at all, so the lock's windows vanish and the taskbar stays as the lock left it.
TEST_F(Escape, EndedFromOutsideItLeavesTheTaskbarHidden) {
  guard->Kill();
  ASSERT_FALSE(guard->Running());
  EXPECT_FALSE(::FindWindowW(L"Dorbolt.Form1", nullptr)) << "the lock screen went with the program";
  EXPECT_FALSE(WaitUntil([] { return TaskbarVisible(); }, kSettleMs)) << "nobody shows the taskbar again";
}

}  // namespace
}  // namespace dorbolt::test
