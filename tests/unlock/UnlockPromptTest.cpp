// The unlock prompt in this process: the real windows, driven through their controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/Password.h"
#include "dialogs/Form4.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "dialogs/Form7.h"
#include "dialogs/frmAbout.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "lock/Form9.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"
#include "tests/unlock/Steps.h"
#include "tests/unlock/Unlock.h"
#include "tray/Form3.h"
#include "tray/Form8.h"

namespace dorbolt::test {
namespace {

constexpr wchar_t kPassword[] = L"Secret";

class UnlockPrompt : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    StorePasswordForTest(kPassword);
    // As the lock leaves the shell when the prompt opens.
    HideTaskbar();
    GenericModule::SetScreenSaverRunning(true, forms.Keys());
  }
  void TearDown() override {
    for (Form* form : forms.Model().Forms()) form->Unload();
    ShowTaskbar();
    GenericModule::SetScreenSaverRunning(false, forms.Keys());
    ClearSettings();
  }

  HWND Prompt() { return forms.Form9().HwndIfLoaded(); }
  HWND PasswordBox() { return EditBox(Prompt(), 0); }
  HWND UnlockButton() { return FindChildByText(Prompt(), L"Unlock!"); }
  // Up, and not behind an alarm or a box.
  bool PromptTakesInput() {
    return Visible(Prompt()) && ::IsWindowEnabled(Prompt()) && !forms.frmPassWrong().IsLoaded();
  }
  void Enter(const std::wstring& password) {
    Type(PasswordBox(), password);
    PostClick(UnlockButton());
  }
  bool ReportUp() { return BoxTitled(Form9::kReportTitle) != nullptr; }

  Forms forms;
  Steps steps{forms};
};

TEST_F(UnlockPrompt, LooksAsDesigned) {
  HWND prompt = forms.Form9().Hwnd();
  EXPECT_EQ(WindowText(prompt), L"Password Protected");
  const LONG style = ::GetWindowLongW(prompt, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "no control box";
  EXPECT_TRUE(Topmost(prompt));
  RECT client{};
  ::GetClientRect(prompt, &client);
  POINT origin{};
  ::ClientToScreen(prompt, &origin);
  const RECT area = forms.Model().LockArea();
  EXPECT_EQ(origin.x, area.left + forms.Model().Px(2610));
  EXPECT_EQ(origin.y, area.top + forms.Model().Px(1620));
  EXPECT_EQ(client.right, forms.Model().Px(6660));
  EXPECT_EQ(client.bottom, forms.Model().Px(3420));

  EXPECT_TRUE(FindChildByText(prompt, L"Please Enter Your Password!"));
  EXPECT_TRUE(FindChildByText(prompt, L"To unlock the computer, enter your password into the box below:"));
  EXPECT_TRUE(UnlockButton());
  EXPECT_TRUE(FindChildByText(prompt, L"About"));
  EXPECT_FALSE(FindChildByText(prompt, L"Cancel")) << "only the right password leaves the prompt";

  EXPECT_TRUE(::GetWindowLongW(PasswordBox(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(::SendMessageW(PasswordBox(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(WindowText(PasswordBox()), L"");
  // The scratch boxes: the stored form, the empty log, the heading and the line ending.
  const std::wstring hidden[] = {ReverseText(kPassword), L"",
                                 L"Incorrect Passwords Have Been Entered. They Are:\r\n \r\n", L" \r\n"};
  for (int i = 0; i < 4; ++i) {
    HWND box = EditBox(prompt, i + 1);
    EXPECT_FALSE(::GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE) << i;
    EXPECT_EQ(WindowText(box), hidden[i]) << i;
  }
  EXPECT_EQ(hidden[2].size(), 53u);
}

TEST_F(UnlockPrompt, TheRightPasswordAtTheFirstTryEndsTheLockWithoutAReport) {
  bool reported = false;
  steps.Then("the prompt", [&] { return PromptTakesInput(); }, [&] { Enter(kPassword); });
  Steps watch(forms);
  watch.Then("a report", [&] { return ReportUp(); },
             [&] {
               reported = true;
               PressOk(BoxTitled(Form9::kReportTitle));
             });
  steps.Start();
  watch.Start();
  forms.Form9().ShowModal();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_FALSE(reported) << "no failed attempt, no report";
  EXPECT_FALSE(forms.Form9().IsLoaded());
  EXPECT_TRUE(TaskbarVisible());
  EXPECT_FALSE(forms.Keys().Blocking()) << "the system keys are given back";
  ASSERT_TRUE(forms.Form3().IsLoaded()) << "the tray window is back";
  EXPECT_TRUE(TrayIconExists(forms.Form3().HwndIfLoaded(), Form3::kIconId));
  EXPECT_EQ(forms.Form3().YoconTray1().Tip(), Form3::kIdleTip);
}

// An empty entry, then the password typed in reverse, then Unlock! again on the untouched box.
TEST_F(UnlockPrompt, WrongAttemptsAreLoggedInClearAndASecondPressChecksTheEntryAsTyped) {
  SYSTEMTIME before[2]{};
  SYSTEMTIME after[2]{};
  bool promptDisabledUnderAlarm[2] = {};
  std::wstring boxAfterFirst;
  std::wstring boxAfterSecond;
  std::wstring report;
  bool shellBackAtReport = false;
  bool promptUnderReport = false;
  int alarms = 0;
  auto alarmUp = [&](int i) {
    return [&, i] {
      after[i] = Now();
      promptDisabledUnderAlarm[i] = !::IsWindowEnabled(Prompt());
      ++alarms;
    };
  };
  steps.Then("the prompt", [&] { return PromptTakesInput(); },
             [&] {
               before[0] = Now();
               Enter(L"");
             })
      .Then("the first alarm", [&] { return Visible(forms.frmPassWrong().HwndIfLoaded()); }, alarmUp(0))
      .Then("the prompt after the first alarm", [&] { return PromptTakesInput(); },
            [&] {
              boxAfterFirst = WindowText(PasswordBox());
              before[1] = Now();
              Enter(ReverseText(kPassword));
            })
      .Then("the second alarm", [&] { return Visible(forms.frmPassWrong().HwndIfLoaded()); }, alarmUp(1))
      .Then("the prompt after the second alarm", [&] { return PromptTakesInput(); },
            [&] {
              boxAfterSecond = WindowText(PasswordBox());
              PostClick(UnlockButton());
            })
      .Then("the report", [&] { return ReportUp(); },
            [&] {
              HWND box = BoxTitled(Form9::kReportTitle);
              report = MessageBoxText(box);
              shellBackAtReport = TaskbarVisible() && !forms.Keys().Blocking();
              promptUnderReport = Visible(Prompt()) && Above(box, Prompt());
              PressOk(box);
            });
  steps.Start();
  forms.Form9().ShowModal();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_EQ(alarms, 2);
  EXPECT_TRUE(promptDisabledUnderAlarm[0] && promptDisabledUnderAlarm[1])
      << "no password is taken while the alarm is up";
  EXPECT_EQ(boxAfterFirst, L"");
  EXPECT_EQ(boxAfterSecond, kPassword) << "the box keeps the attempt, reversed";
  EXPECT_TRUE(shellBackAtReport) << "taskbar and system keys are back before the report";
  EXPECT_TRUE(promptUnderReport);

  const std::wstring heading = L"Incorrect Passwords Have Been Entered. They Are:\r\n \r\n";
  ASSERT_EQ(report.substr(0, heading.size()), heading);
  const std::wstring log = report.substr(heading.size());
  EXPECT_NE(log.find(L", the password:  was entered. \r\n"), std::wstring::npos)
      << "the empty entry leaves two spaces";
  bool wellFormed = false;
  const std::vector<Attempt> attempts = ParseLog(log, wellFormed);
  ASSERT_TRUE(wellFormed) << ToAnsi(log);
  ASSERT_EQ(attempts.size(), 2u);
  EXPECT_EQ(attempts[0].typed, L"");
  EXPECT_EQ(attempts[1].typed, ReverseText(kPassword)) << "in clear, as typed";
  for (int i = 0; i < 2; ++i) {
    const auto times = TimesBetween(before[i], after[i]);
    EXPECT_NE(std::find(times.begin(), times.end(), attempts[i].time), times.end())
        << "attempt " << i << " logged at " << ToAnsi(attempts[i].time);
  }
  EXPECT_EQ(report.substr(report.size() - 3), L" \r\n");
  EXPECT_FALSE(forms.Form9().IsLoaded());
}

TEST_F(UnlockPrompt, EnterEscAndCloseRequestsDoNothing) {
  bool focusInBox = false;
  std::wstring boxAfterKeys;
  bool alarmAfterKeys = true;
  bool promptAfterKeys = false;
  ULONGLONG keysSent = 0;
  auto key = [](HWND window, WPARAM vk) {
    ::PostMessageW(window, WM_KEYDOWN, vk, 1);
    ::PostMessageW(window, WM_KEYUP, vk, 0xC0000001);
  };
  steps.Then("the prompt", [&] { return PromptTakesInput(); },
             [&] {
               focusInBox = ::GetFocus() == PasswordBox();
               Type(PasswordBox(), kPassword);
               key(PasswordBox(), VK_RETURN);
               key(PasswordBox(), VK_ESCAPE);
               ::PostMessageW(Prompt(), WM_CLOSE, 0, 0);
               ::PostMessageW(Prompt(), WM_SYSCOMMAND, SC_CLOSE, 0);
               keysSent = ::GetTickCount64();
             })
      .Then("the keys handled", [&] { return ::GetTickCount64() - keysSent > 500; },
            [&] {
              boxAfterKeys = WindowText(PasswordBox());
              alarmAfterKeys = forms.frmPassWrong().IsLoaded();
              promptAfterKeys = Visible(Prompt());
              PostClick(UnlockButton());
            });
  steps.Start();
  forms.Form9().ShowModal();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_TRUE(focusInBox) << "the password box has the keyboard when the prompt opens";
  EXPECT_EQ(boxAfterKeys, kPassword) << "Enter did not press Unlock!";
  EXPECT_FALSE(alarmAfterKeys);
  EXPECT_TRUE(promptAfterKeys);
  EXPECT_FALSE(forms.Form9().IsLoaded()) << "Unlock! itself still works";
}

TEST_F(UnlockPrompt, WithoutItsSoundTheAlarmIsOnlyABoxAndThePromptIsBackAtOnce) {
  SoundFileAway away;
  ASSERT_TRUE(away.Moved());
  std::wstring message;
  bool alarmVisible = true;
  ULONGLONG okPressed = 0;
  ULONGLONG backAfter = 0;
  std::wstring log;
  steps.Then("the prompt", [&] { return PromptTakesInput(); }, [&] { Enter(L"wrong"); })
      .Then("the sound-error box", [&] { return BoxTitled(frmPassWrong::kSoundErrorTitle) != nullptr; },
            [&] {
              HWND box = BoxTitled(frmPassWrong::kSoundErrorTitle);
              message = MessageBoxText(box);
              alarmVisible = Visible(forms.frmPassWrong().HwndIfLoaded());
              okPressed = ::GetTickCount64();
              PressOk(box);
            })
      .Then("the prompt again", [&] { return PromptTakesInput(); },
            [&] {
              backAfter = ::GetTickCount64() - okPressed;
              log = forms.Form9().AttemptLog();
              Enter(kPassword);
            })
      .Then("the report", [&] { return ReportUp(); }, [&] { PressOk(BoxTitled(Form9::kReportTitle)); });
  steps.Start();
  forms.Form9().ShowModal();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_EQ(message, L"Unknown error ( 30275).") << "MCI's file-not-found error";
  EXPECT_FALSE(alarmVisible);
  EXPECT_LT(backAfter, 1000u);
  bool wellFormed = false;
  const auto attempts = ParseLog(log, wellFormed);
  ASSERT_EQ(attempts.size(), 1u);
  EXPECT_EQ(attempts[0].typed, L"wrong");
}

TEST_F(UnlockPrompt, AboutReturnsToThePromptWithTheBoxUnchanged) {
  std::wstring boxAfterAbout;
  steps.Then("the prompt", [&] { return PromptTakesInput(); },
             [&] {
               Type(PasswordBox(), L"abc");
               PostClick(FindChildByText(Prompt(), L"About"));
             })
      .Then("the About box", [&] { return forms.frmAbout().IsVisible(); },
            [&] {
              HWND ok = FindChildByText(forms.frmAbout().HwndIfLoaded(), L"OK");
              if (ok) {
                PostClick(ok);
              } else {
                forms.frmAbout().Unload();
              }
            })
      .Then("the prompt again", [&] { return !forms.frmAbout().IsLoaded() && PromptTakesInput() && ::GetActiveWindow() == Prompt(); },
            [&] {
              boxAfterAbout = WindowText(PasswordBox());
              Enter(kPassword);
            });
  steps.Start();
  forms.Form9().ShowModal();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_EQ(boxAfterAbout, L"abc");
}

// Records the program's top-level windows in the order they are destroyed.
class DestroyOrder {
 public:
  DestroyOrder() : hook_(::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId())) { Current() = this; }
  DestroyOrder(const DestroyOrder&) = delete;
  DestroyOrder& operator=(const DestroyOrder&) = delete;
  ~DestroyOrder() {
    ::UnhookWindowsHookEx(hook_);
    Current() = nullptr;
  }
  std::vector<std::wstring> names;

 private:
  static DestroyOrder*& Current() {
    static DestroyOrder* current = nullptr;
    return current;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && Current()) {
      HWND window = reinterpret_cast<HWND>(wParam);
      const std::wstring name = ClassOf(window);
      if (!(::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) && name.rfind(L"Dorbolt.", 0) == 0) {
        Current()->names.push_back(name.substr(8));
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_;
};

// The whole lock in this process: lock screen, notice, prompt, one wrong and the right password.
TEST_F(UnlockPrompt, TheUnlockSweepClosesEveryWindowInItsOrderAndBringsTheTrayBack) {
  std::unique_ptr<DestroyOrder> order;
  std::vector<std::wstring> destroyed;
  std::wstring logAtLoad = L"-";
  bool trayIcon = false;
  steps.Then("the notice", [&] { return forms.Form2().IsVisible(); },
             [&] {
               // Windows a lock can leave loaded; the sweep takes every one of them.
               forms.frmAbout().Load();
               forms.Form8().Load();
               forms.Form7().Load();
               forms.Form6().Load();
               forms.Form5().Load();
               forms.Form4().Load();
               PostClick(FindChildByText(forms.Form2().HwndIfLoaded(), L"Unlock!"));
             })
      .Then("the prompt", [&] { return PromptTakesInput(); },
            [&] {
              logAtLoad = forms.Form9().AttemptLog();
              Enter(L"wrong");
            })
      .Then("the alarm", [&] { return forms.frmPassWrong().IsVisible(); }, [] {})
      .Then("the prompt again", [&] { return PromptTakesInput(); }, [&] { Enter(kPassword); })
      .Then("the report", [&] { return ReportUp(); },
            [&] {
              forms.frmPassWrong().Load();  // so that its place in the order shows
              order = std::make_unique<DestroyOrder>();
              PressOk(BoxTitled(Form9::kReportTitle));
            })
      .Then("the tray window", [&] { return forms.Form3().IsLoaded() && !forms.Form1().IsLoaded(); },
            [&] {
              destroyed = order->names;
              order.reset();
              trayIcon = TrayIconExists(forms.Form3().HwndIfLoaded(), Form3::kIconId);
              forms.Form3().Unload();  // the program would stay in the tray; the test ends here
            });
  steps.Start();
  forms.Form1().Show();
  forms.Model().Run();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_EQ(logAtLoad, L"");
  const std::vector<std::wstring> expected = {L"frmPassWrong", L"frmAbout", L"Form8", L"Form7", L"Form6",
                                              L"Form5",        L"Form4",    L"Form9", L"Form2", L"Form1"};
  EXPECT_EQ(destroyed, expected);
  EXPECT_TRUE(trayIcon) << "the idle icon is back";
}

}  // namespace
}  // namespace dorbolt::test
