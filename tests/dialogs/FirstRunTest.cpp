// The first-run password dialog: the way a password is chosen on a machine that has none.
#include <gtest/gtest.h>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form6.h"
#include "tests/dialogs/Session.h"

namespace dorbolt::test {
namespace {

using namespace password_text;

struct Form6Window {
  HWND window;
  HWND Text1() const { return EditBox(window, 0); }
  HWND Text3() const { return EditBox(window, 1); }
  HWND Ok() const { return Control(window, L"OK"); }
  HWND Cancel() const { return Control(window, L"Cancel"); }
};

class FirstRun : public CleanSettings {};

TEST_F(FirstRun, DialogLooksAsDesigned) {
  Session s;
  s.forms.Form6().Load();
  HWND window = s.forms.Form6().Hwnd();
  EXPECT_EQ(WindowText(window), L"Please Enter Password");
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "no title-bar buttons";
  EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const Form6Window d{window};
  for (HWND box : {d.Text1(), d.Text3()}) {
    EXPECT_EQ(::SendMessageW(box, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_TRUE(::GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE);
  }
  EXPECT_TRUE(Control(window, L"Please Choose A Password!"));
  EXPECT_TRUE(Control(window, L"Please choose a password. Enter it into both boxes:"));
  EXPECT_TRUE(d.Ok());
  EXPECT_TRUE(d.Cancel());
}

struct RefusalCase {
  const char* what;
  const wchar_t* password;
  const wchar_t* confirmation;
  const wchar_t* message;
  const wchar_t* text1After;  // what the first box holds after the refusal
};

// Each refusal stores nothing and leaves the dialog open; OK again without retyping is
// refused as a mismatch, because the first box now holds the transformed entry.
TEST_F(FirstRun, RefusedEntriesStoreNothingAndKeepTheDialogOpen) {
  constexpr RefusalCase cases[] = {
      {"entries differ", L"abc", L"abd", kMismatch, L"abc"},
      {"differ in case only", L"Secret", L"secret", kMismatch, L"Secret"},
      {"the sentinel as typed", L"Not Found", L"Not Found", kReserved, L"dnuoF toN"},
      {"stored as the sentinel", L"dnuoF toN", L"dnuoF toN", kReserved, L"Not Found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session s;
    std::vector<SeenBox> boxes;
    std::wstring text1After, text3After;
    bool openAfter = false;
    Form6Window d{};
    s.script
        .Then([&] { return s.forms.Form6().IsVisible(); },
              [&] {
                d.window = s.forms.Form6().Hwnd();
                Type(d.Text1(), c.password);
                Type(d.Text3(), c.confirmation);
                PostClick(d.Ok());
              })
        .ThenBox(kErrorTitle, boxes)
        .Then([] { return NoBoxUp(kErrorTitle); },
              [&] {
                text1After = WindowText(d.Text1());
                text3After = WindowText(d.Text3());
                openAfter = s.forms.Form6().IsVisible();
                PostClick(d.Ok());
              })
        .ThenBox(kErrorTitle, boxes)
        .Then([] { return NoBoxUp(kErrorTitle); }, [&] { PostClick(d.Cancel()); });
    s.script.Start();
    s.forms.Form6().ShowModal();

    ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], (SeenBox{kErrorTitle, c.message, BoxIcon::Error}));
    EXPECT_EQ(boxes[1], (SeenBox{kErrorTitle, kMismatch, BoxIcon::Error})) << "second press";
    EXPECT_TRUE(openAfter);
    EXPECT_EQ(text1After, c.text1After);
    EXPECT_EQ(text3After, c.confirmation);
    EXPECT_FALSE(GetString(layout::kSettingsKey, layout::kPin)) << "nothing stored";
    EXPECT_EQ(s.ends, 1) << "Cancel ends the program";
  }
}

// The information box, then the warning, and the program ends only once both are closed.
TEST_F(FirstRun, StoresThePasswordReversedThenTellsTheUserToRestart) {
  struct Case {
    const wchar_t* password;
    const wchar_t* stored;
  };
  constexpr Case cases[] = {{L"Open Sesame", L"emaseS nepO"}, {L"", L""}, {L" pad ", L" dap "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.password)));
    ClearSettings();
    Session s;
    std::vector<SeenBox> boxes;
    std::vector<int> endsAtBox;
    std::optional<std::wstring> storedAtFirstBox;
    s.script
        .Then([&] { return s.forms.Form6().IsVisible(); },
              [&] {
                const Form6Window d{s.forms.Form6().Hwnd()};
                Type(d.Text1(), c.password);
                Type(d.Text3(), c.password);
                PostClick(d.Ok());
              })
        .ThenBox(kChangedTitle, boxes,
                 [&] {
                   endsAtBox.push_back(s.ends);
                   storedAtFirstBox = GetString(layout::kSettingsKey, layout::kPin);
                 })
        .ThenBox(Form6::kRestartTitle, boxes, [&] { endsAtBox.push_back(s.ends); });
    s.script.Start();
    s.forms.Form6().ShowModal();

    ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], (SeenBox{kChangedTitle, L"Password Successfully Set", BoxIcon::Information}));
    EXPECT_EQ(boxes[1], (SeenBox{L"Restart Dorbolt", L"Now Restart Dorbolt To Enable Lock Features",
                                 BoxIcon::Exclamation}));
    EXPECT_EQ(endsAtBox, (std::vector<int>{0, 0})) << "still running while the boxes show";
    EXPECT_EQ(s.ends, 1);
    EXPECT_EQ(storedAtFirstBox, std::optional<std::wstring>(c.stored));
    EXPECT_EQ(GetString(layout::kSettingsKey, layout::kPin), std::optional<std::wstring>(c.stored));
  }
}

TEST_F(FirstRun, CancelEndsAtOnceAndLeavesTheRegistryUntouched) {
  PutString(layout::kSettingsKey, layout::kBackLock, L"Window");
  Session s;
  s.script.Then([&] { return s.forms.Form6().IsVisible(); },
                [&] {
                  const Form6Window d{s.forms.Form6().Hwnd()};
                  Type(d.Text1(), L"typed");
                  Type(d.Text3(), L"typed");
                  PostClick(d.Cancel());
                });
  s.script.Start();
  s.forms.Form6().ShowModal();
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_EQ(s.ends, 1);
  EXPECT_FALSE(GetString(layout::kSettingsKey, layout::kPin));
  EXPECT_EQ(GetString(layout::kSettingsKey, layout::kBackLock), std::optional<std::wstring>(L"Window"));
}

// A write the registry refuses is reported, not passed off as success: the dialog stays, and
// the program does not end.
TEST_F(FirstRun, RefusedWriteIsReportedAndTheDialogStays) {
  Session s(RefusingWrites());
  std::vector<SeenBox> boxes;
  bool openAfter = false;
  std::wstring text1After;
  Form6Window d{};
  s.script
      .Then([&] { return s.forms.Form6().IsVisible(); },
            [&] {
              d.window = s.forms.Form6().Hwnd();
              Type(d.Text1(), L"Secret");
              Type(d.Text3(), L"Secret");
              PostClick(d.Ok());
            })
      .ThenBox(kErrorTitle, boxes)
      .Then([] { return NoBoxUp(kErrorTitle); },
            [&] {
              openAfter = s.forms.Form6().IsVisible();
              text1After = WindowText(d.Text1());
              PostClick(d.Cancel());
            });
  s.script.Start();
  s.forms.Form6().ShowModal();

  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  ASSERT_EQ(boxes.size(), 1u) << "no success message";
  EXPECT_EQ(boxes[0], (SeenBox{kErrorTitle, kNotSaved, BoxIcon::Error}));
  EXPECT_TRUE(openAfter);
  EXPECT_EQ(text1After, L"Secret") << "the entry is given back for another try";
  EXPECT_EQ(s.ends, 1) << "only the Cancel ended it";
  EXPECT_FALSE(GetString(layout::kSettingsKey, layout::kPin));
}

}  // namespace
}  // namespace dorbolt::test
