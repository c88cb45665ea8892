// Settings of a registry type the program never writes: a number or raw bytes where a text
// belongs. They are read as their decimal or hexadecimal text; the program starts, the lock
// holds, and the owner gets in with that text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form6.h"
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

namespace dorbolt::test {
namespace {

struct WrongTypeCase {
  const char* what;
  const wchar_t* value;  // layout::kPin or layout::kBackLock
  DWORD type;
  std::vector<BYTE> bytes;
  const wchar_t* readAs;    // the text every reader sees
  const wchar_t* password;  // what unlocks
};

const WrongTypeCase kCases[] = {
    {"PIN a number", layout::kPin, REG_DWORD, {5, 0, 0, 0}, L"005", L"500"},
    {"PIN raw bytes", layout::kPin, REG_BINARY, {0x0A, 0xFF, 0x03}, L"0AFF03", L"30FFA0"},
    {"BackLock a number", layout::kBackLock, REG_DWORD, {0xD2, 0x04, 0, 0}, L"1234", L"Secret"},
    {"BackLock raw bytes, a path's letters", layout::kBackLock, REG_BINARY, {'C', ':', '\\'}, L"433A5C",
     L"Secret"},
};

class WrongType : public testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override {
    for (Form* form : forms.Model().Forms()) form->Unload();
    ShowTaskbar();
    GenericModule::SetScreenSaverRunning(false, forms.Keys());
    ClearSettings();
  }
  Forms forms;
};

// Dorguard's start: the lock screen first, its load reaching the tray window, which reads PIN.
TEST_F(WrongType, TheProgramLocksTheLockHoldsAndTheValueAsTextUnlocks) {
  for (const WrongTypeCase& c : kCases) {
    SCOPED_TRACE(c.what);
    ClearSettings();
    StorePasswordForTest(L"Secret");
    PutRaw(layout::kSettingsKey, c.value, c.type, c.bytes);

    bool firstRunAsked = false;
    bool locked = false;
    bool backdrop = true;
    std::wstring backLock;
    std::wstring storedCopy;
    bool alarmed = false;
    std::wstring log;
    Steps steps(forms, 20000);
    auto promptTakesInput = [&] {
      HWND prompt = forms.Form9().HwndIfLoaded();
      return Visible(prompt) && ::IsWindowEnabled(prompt) && !forms.frmPassWrong().IsLoaded();
    };
    auto enter = [&](const std::wstring& text) {
      HWND prompt = forms.Form9().HwndIfLoaded();
      Type(EditBox(prompt, 0), text);
      PostClick(FindChildByText(prompt, L"Unlock!"));
    };
    steps.Then("the notice", [&] { return forms.Form2().IsVisible() || forms.Form6().IsLoaded(); },
               [&] {
                 firstRunAsked = forms.Form6().IsLoaded();
                 locked = forms.Form1().IsVisible() && forms.Form2().IsVisible();
                 backdrop = forms.Form1().HasBackdrop();
                 backLock = forms.Form1().BackLock();
                 PostClick(FindChildByText(forms.Form2().HwndIfLoaded(), L"Unlock!"));
               })
        .Then("the prompt", promptTakesInput,
              [&] {
                storedCopy = WindowText(EditBox(forms.Form9().HwndIfLoaded(), 1));
                enter(L"");  // an empty entry is no way in
              })
        .Then("the alarm", [&] { return forms.frmPassWrong().IsVisible(); }, [&] { alarmed = true; })
        .Then("the prompt again", promptTakesInput, [&] { enter(c.password); })
        .Then("the report", [] { return BoxTitled(Form9::kReportTitle) != nullptr; },
              [&] {
                HWND box = BoxTitled(Form9::kReportTitle);
                log = MessageBoxText(box);
                PressOk(box);
              })
        .Then("the tray", [&] { return forms.Form3().IsLoaded() && !forms.Form1().IsLoaded(); },
              [&] { forms.Form3().Unload(); });
    steps.Start();
    forms.Form1().Show();
    forms.Model().Run();

    ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
    EXPECT_FALSE(firstRunAsked) << "a stored value, though of another type, is a password";
    EXPECT_TRUE(locked);
    if (c.value == layout::kPin) {
      EXPECT_EQ(storedCopy, c.readAs) << "the prompt checks against the value as text";
    } else {
      EXPECT_EQ(backLock, c.readAs);
      EXPECT_FALSE(backdrop) << "no such picture: the plain backdrop";
    }
    EXPECT_TRUE(alarmed);
    EXPECT_NE(log.find(L", the password:  was entered."), std::wstring::npos) << "the empty try is logged";
  }
}

// Dorwatch's start: the tray window alone, with the idle icon, not the first-run dialog.
TEST_F(WrongType, DorwatchStartsInTheTrayWithAPinOfAnotherType) {
  for (const WrongTypeCase& c : kCases) {
    if (c.value != layout::kPin) continue;
    SCOPED_TRACE(c.what);
    ClearSettings();
    PutRaw(layout::kSettingsKey, c.value, c.type, c.bytes);
    forms.Form3().Load();
    EXPECT_FALSE(forms.Form6().IsLoaded());
    EXPECT_EQ(forms.Form3().StoredPassword(), c.readAs);
    EXPECT_TRUE(TrayIconExists(forms.Form3().HwndIfLoaded(), Form3::kIconId));
    EXPECT_EQ(forms.Form3().YoconTray1().Tip(), Form3::kIdleTip);
    forms.Form3().Unload();
  }
}

}  // namespace
}  // namespace dorbolt::test
