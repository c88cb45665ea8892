// A machine where Dorbolt never ran: both programs ask for a password first and end after it.
#include <gtest/gtest.h>

#include "tests/acceptance/User.h"
#include "tests/support/Registry.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test::accept {
namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Security\\Dorbolt\\";

class AcceptanceFirstRun : public testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override { ClearSettings(); }
};

TEST_F(AcceptanceFirstRun, DorwatchRefusesBadEntriesStoresTheMatchingPasswordAndEnds) {
  Program watch(L"Dorwatch.exe");
  HWND dialog = watch.WaitShown(L"Form6");
  ASSERT_TRUE(dialog) << "the first-run dialog opens";
  EXPECT_EQ(WindowText(dialog), L"Please Enter Password");
  HWND tray = watch.Window(L"Form3");
  EXPECT_FALSE(tray && TrayIconExists(tray, 1)) << "no icon before a password is stored";
  Screenshot(L"FirstRun", L"dialog");

  struct Refusal {
    const wchar_t* password;
    const wchar_t* confirmation;
    const wchar_t* message;
  };
  constexpr Refusal refusals[] = {
      {L"Secret", L"Secert", L"Passwords Do Not Match"},
      {L"Secret", L"", L"Passwords Do Not Match"},
      {L"Not Found", L"Not Found",
       L"The Password You Entered Is Used By The System. Please Choose Another Password"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(testing::Message() << "confirmation of length " << wcslen(r.confirmation));
    ASSERT_TRUE(TypeInto(EditBox(dialog, 0), r.password)) << "typed into the password box";
    ASSERT_TRUE(TypeInto(EditBox(dialog, 1), r.confirmation)) << "typed into the confirmation box";
    ASSERT_TRUE(ClickButton(dialog, L"OK"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(L"Password Error")) != nullptr; }, 10000));
    if (r.confirmation[0] == L'\0') Screenshot(L"FirstRun", L"refused");
    EXPECT_EQ(AnswerBox(L"Password Error"), std::optional<std::wstring>(r.message));
    EXPECT_TRUE(watch.Shown(L"Form6")) << "the dialog stays";
    EXPECT_FALSE(GetString(kSettingsKey, L"PIN")) << "nothing stored";
  }

  ASSERT_TRUE(TypeInto(EditBox(dialog, 0), L"Open Sesame"));
  ASSERT_TRUE(TypeInto(EditBox(dialog, 1), L"Open Sesame"));
  ASSERT_TRUE(ClickButton(dialog, L"OK"));
  ASSERT_TRUE(WaitUntil([] { return FindMessageBox(L"Password Changed") != nullptr; }, 10000));
  EXPECT_EQ(GetString(kSettingsKey, L"PIN"), std::optional<std::wstring>(L"emaseS nepO"))
      << "stored with its letters in reverse";
  EXPECT_FALSE(FindMessageBox(L"Restart Dorbolt")) << "one box at a time";
  Screenshot(L"FirstRun", L"stored");
  EXPECT_EQ(AnswerBox(L"Password Changed"), std::optional<std::wstring>(L"Password Successfully Set"));
  HWND restart = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (restart = FindMessageBox(L"Restart Dorbolt")) != nullptr; }, 10000));
  EXPECT_TRUE(watch.Process().Running()) << "the program ends only after both boxes";
  EXPECT_EQ(AnswerBox(L"Restart Dorbolt"), std::optional<std::wstring>(L"Now Restart Dorbolt To Enable Lock Features"));
  ASSERT_TRUE(watch.Ended()) << "the program ends";
  EXPECT_EQ(watch.Process().ExitCode(), 0u);
  EXPECT_FALSE(tray && TrayIconExists(tray, 1)) << "no icon left behind";
  Screenshot(L"FirstRun", L"ended");
}

TEST_F(AcceptanceFirstRun, DorguardAsksForAPasswordBeforeAnyLockAndEndsAfterIt) {
  Program guard(L"Dorguard.exe");
  bool lockSeen = false;
  const auto watch = [&] {
    lockSeen = lockSeen || guard.Shown(L"Form1") || guard.Shown(L"Form2");
    return guard.Shown(L"Form6");
  };
  ASSERT_TRUE(WaitUntil(watch, 10000)) << "the first-run dialog opens";
  HWND dialog = guard.Window(L"Form6");
  EXPECT_FALSE(lockSeen) << "no lock screen before a password is stored";
  Screenshot(L"FirstRunGuard", L"dialog");
  ASSERT_TRUE(TypeInto(EditBox(dialog, 0), L"typed"));
  ASSERT_TRUE(ClickButton(dialog, L"Cancel"));
  const bool ended = WaitUntil(
      [&] {
        watch();
        return !guard.Process().Running();
      },
      10000);
  ASSERT_TRUE(ended) << "Cancel ends the program";
  EXPECT_FALSE(lockSeen) << "and no lock screen ever showed";
  EXPECT_EQ(guard.Process().ExitCode(), 0u);
  EXPECT_FALSE(GetString(kSettingsKey, L"PIN")) << "nothing stored";
}

}  // namespace
}  // namespace dorbolt::test::accept
