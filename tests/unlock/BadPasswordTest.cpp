// Passwords that are hard to store: very long ones, letters outside the ANSI code page, control
// characters. Each is set through the first-run or the change password dialog and then used
// at the unlock prompt: either it is stored whole and unlocks, or it is refused with a message
// and what was stored before still unlocks. A password that was accepted and then never
// unlocks would be a lost password.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form6.h"
#include "dialogs/Form7.h"
#include "lock/Form9.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"
#include "tests/unlock/Steps.h"
#include "tests/unlock/Unlock.h"
#include "tray/Form3.h"

namespace dorbolt::test {
namespace {

using namespace password_text;

constexpr wchar_t kOldPassword[] = L"old pass";

struct PasswordCase {
  const char* what;
  std::wstring password;
};

const std::vector<PasswordCase>& Cases() {
  static const std::vector<PasswordCase> cases = {
      {"32,767 letters, the longest an entry takes", std::wstring(32767, L'x')},
      {"2,047 letters, the longest the settings can read back", std::wstring(2047, L'y')},
      {"2,048 letters", std::wstring(2048, L'z')},
      {"e acute and sharp s", L"caf\u00E9 Stra\u00DFe"},
      {"Cyrillic", L"\u043F\u0430\u0440\u043E\u043B\u044C"},
      {"a CJK letter", L"key \u5BC6"},
      {"an emoji, a surrogate pair", L"lock \U0001F512 it"},
      {"a tab", L"tab\there"},
      {"a line break", L"two\r\nlines"},
      {"a lone line feed", L"lf\nhere"},
      {"control character 1", L"ctl\x01here"},
  };
  return cases;
}

// What the settings can hold, worked out here without the program's code: the stored form
// must survive the ANSI code page exactly, and fit the read buffer with its NUL.
enum class Fit { Whole, TooLong, NotInCodePage };
Fit FitOf(const std::wstring& password) {
  if (password.empty()) return Fit::Whole;
  BOOL lossy = FALSE;
  const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, password.c_str(),
                                          static_cast<int>(password.size()), nullptr, 0, nullptr, &lossy);
  if (lossy || bytes <= 0) return Fit::NotInCodePage;
  return bytes + 1 > 2048 ? Fit::TooLong : Fit::Whole;
}
const wchar_t* RefusalFor(Fit fit) { return fit == Fit::TooLong ? kTooLong : kNotInCodePage; }

std::string Name(const std::wstring& text) {
  return text.size() > 40 ? std::to_string(text.size()) + " characters" : ToAnsi(text);
}

// The stored password, short enough for a failure message.
std::string StoredPin() {
  const auto pin = GetString(layout::kSettingsKey, layout::kPin);
  return pin ? Name(*pin) : "(none)";
}

class BadPassword : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    forms.Model().SetEndAction([this] {
      ++ends;
      for (Form* form : forms.Model().Forms()) form->Unload();
    });
  }
  void TearDown() override {
    for (Form* form : forms.Model().Forms()) form->Unload();
    ShowTaskbar();
    GenericModule::SetScreenSaverRunning(false, forms.Keys());
    ClearSettings();
  }

  // The message box this thread shows, or null. Cheap on purpose: the steps ask every 10 ms,
  // and a slower answer would keep their timer due all the time.
  static HWND AnyBox() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  struct Outcome {
    std::vector<std::wstring> boxes;  // title: text, in order
    bool openAfter = false;           // the dialog still up after the last box
    std::wstring firstBoxAfter;       // what its first entry box held then
  };

  // Types the entries into the dialog's boxes, presses OK and answers every box; a refusal
  // is followed by Cancel.
  Outcome SetThrough(Form& dialog, const std::vector<std::wstring>& entries) {
    Outcome outcome;
    ULONGLONG lastBoxAt = 0;
    auto answer = [&] {
      HWND box = AnyBox();
      outcome.boxes.push_back(WindowText(box) + L": " + MessageBoxText(box));
      lastBoxAt = ::GetTickCount64();
      PressOk(box);
    };
    Steps steps(forms, 20000);
    steps.Then("the dialog", [&] { return dialog.IsVisible(); },
               [&] {
                 for (size_t i = 0; i < entries.size(); ++i) {
                   Type(EditBox(dialog.HwndIfLoaded(), static_cast<int>(i)), entries[i]);
                 }
                 PostClick(FindChildByText(dialog.HwndIfLoaded(), L"OK"));
               })
        .Then("the first box", [] { return AnyBox() != nullptr; }, answer)
        // The dialog gone, or still up with no box for a while: a refusal.
        .Then("the dialog settled",
              [&] { return !AnyBox() && (!dialog.IsVisible() || ::GetTickCount64() - lastBoxAt > 700); },
              [&] {
                outcome.openAfter = dialog.IsVisible();
                if (outcome.openAfter) {
                  outcome.firstBoxAfter = WindowText(EditBox(dialog.HwndIfLoaded(), 0));
                  PostClick(FindChildByText(dialog.HwndIfLoaded(), L"Cancel"));
                }
              });
    // A success may bring a second box (first run: the restart notice).
    Steps more(forms, 20000);
    more.Then("a second box", [&] { return !outcome.boxes.empty() && AnyBox() != nullptr; }, answer);
    steps.Start();
    more.Start();
    dialog.ShowModal();
    // The last steps may fall due only after the dialog has gone.
    WaitUntil([&] { return steps.Done() || !steps.Stuck().empty(); }, 25000);
    EXPECT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
    return outcome;
  }

  // The unlock prompt with the stored password as it now is: each entry in turn; true when
  // the last one unlocked. Wrong ones before it sound the alarm and are logged.
  bool UnlockWith(const std::vector<std::wstring>& entries, std::wstring* log = nullptr) {
    HideTaskbar();
    GenericModule::SetScreenSaverRunning(true, forms.Keys());
    Steps steps(forms, 20000);
    HWND prompt = nullptr;
    auto takesInput = [&] {
      prompt = forms.Form9().HwndIfLoaded();
      return Visible(prompt) && ::IsWindowEnabled(prompt) && !forms.frmPassWrong().IsLoaded() && !AnyBox();
    };
    for (const std::wstring& entry : entries) {
      steps.Then("the prompt", takesInput, [&, entry] {
        Type(EditBox(prompt, 0), entry);
        PostClick(FindChildByText(prompt, L"Unlock!"));
      });
      steps.Then("the press handled",
                 [&] { return !forms.Form9().IsLoaded() || forms.frmPassWrong().IsLoaded() || AnyBox(); }, [] {});
    }
    steps.Then("the lock ended", [&] { return !forms.Form9().IsLoaded(); }, [] {});
    bool reported = false;
    Steps report(forms, 60000);
    report.Then("a report", [] { return AnyBox() && WindowText(AnyBox()) == Form9::kReportTitle; },
                [&] {
                  HWND box = AnyBox();
                  reported = true;
                  if (log) *log = MessageBoxText(box);
                  PressOk(box);
                });
    steps.Start();
    report.Start();
    // The prompt runs until the right password, or until the steps give up and unload it.
    forms.Form9().ShowModal();
    WaitUntil([&] { return steps.Done() || !steps.Stuck().empty(); }, 25000);
    const bool unlocked = steps.Done() && forms.Form3().IsLoaded();
    EXPECT_EQ(reported, entries.size() > 1) << "a report exactly when a wrong one came first";
    forms.Form3().Unload();
    return unlocked;
  }

  Forms forms;
  int ends = 0;
};

TEST_F(BadPassword, ChangedPasswordIsStoredWholeAndUnlocksOrRefusedAndTheOldOneStays) {
  for (const PasswordCase& c : Cases()) {
    SCOPED_TRACE(std::string(c.what) + " (" + Name(c.password) + ")");
    ClearSettings();
    StorePasswordForTest(kOldPassword);
    const Fit fit = FitOf(c.password);
    const Outcome outcome = SetThrough(forms.Form7(), {kOldPassword, c.password, c.password});
    if (fit == Fit::Whole) {
      EXPECT_EQ(outcome.boxes, std::vector<std::wstring>{std::wstring(kChangedTitle) + L": Password Successfully Changed"});
      EXPECT_EQ(StoredPin(), Name(ReverseText(c.password))) << "stored whole, reversed";
      EXPECT_TRUE(UnlockWith({c.password})) << "the new password unlocks";
    } else {
      EXPECT_EQ(outcome.boxes, std::vector<std::wstring>{std::wstring(kErrorTitle) + L": " + RefusalFor(fit)});
      EXPECT_TRUE(outcome.openAfter) << "the dialog stays for another try";
      EXPECT_EQ(StoredPin(), Name(ReverseText(kOldPassword))) << "the old password is kept";
      std::wstring log;
      EXPECT_TRUE(UnlockWith({c.password, kOldPassword}, &log)) << "the refused one is wrong, the old one unlocks";
      EXPECT_TRUE(log.find(L", the password: " + c.password + L" was entered.") != std::wstring::npos)
          << "the wrong attempt is logged as typed";
    }
  }
}

TEST_F(BadPassword, FirstPasswordIsStoredWholeAndUnlocksOrRefusedAndNothingIsStored) {
  for (const PasswordCase& c : Cases()) {
    SCOPED_TRACE(std::string(c.what) + " (" + Name(c.password) + ")");
    ClearSettings();
    ends = 0;
    const Fit fit = FitOf(c.password);
    const Outcome outcome = SetThrough(forms.Form6(), {c.password, c.password});
    EXPECT_EQ(ends, 1) << "OK after a store, or Cancel after a refusal, ends the program";
    if (fit == Fit::Whole) {
      const std::vector<std::wstring> expected = {std::wstring(kChangedTitle) + L": " + Form6::kSetText,
                                                  std::wstring(Form6::kRestartTitle) + L": " + Form6::kRestartText};
      EXPECT_EQ(outcome.boxes, expected);
      EXPECT_EQ(StoredPin(), Name(ReverseText(c.password)));
      EXPECT_TRUE(UnlockWith({c.password}));
    } else {
      EXPECT_EQ(outcome.boxes, std::vector<std::wstring>{std::wstring(kErrorTitle) + L": " + RefusalFor(fit)});
      EXPECT_TRUE(outcome.openAfter);
      EXPECT_TRUE(outcome.firstBoxAfter == c.password) << "the entry is given back as typed";
      EXPECT_EQ(StoredPin(), "(none)") << "nothing stored: the next start asks again";
    }
  }
}

}  // namespace
}  // namespace dorbolt::test
