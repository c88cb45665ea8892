// The change password dialog: the old password checked against the registry at each press,
// the new one set twice.
#include <gtest/gtest.h>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form4.h"
#include "dialogs/Form7.h"
#include "tests/dialogs/Session.h"

namespace dorbolt::test {
namespace {

using namespace password_text;

struct Form7Window {
  HWND window;
  HWND Text1() const { return EditBox(window, 0); }  // old
  HWND Text2() const { return EditBox(window, 1); }  // new
  HWND Text3() const { return EditBox(window, 2); }  // verify
  HWND Ok() const { return Control(window, L"OK"); }
  HWND Cancel() const { return Control(window, L"Cancel"); }
  void Fill(const wchar_t* old, const wchar_t* fresh, const wchar_t* verify) const {
    if (old) Type(Text1(), old);
    if (fresh) Type(Text2(), fresh);
    if (verify) Type(Text3(), verify);
  }
};

std::optional<std::wstring> StoredPin() { return GetString(layout::kSettingsKey, layout::kPin); }

// One press of OK, with the boxes it changes first (nullptr: left as they are).
struct Press {
  const wchar_t* old;
  const wchar_t* fresh;
  const wchar_t* verify;
};

class ChangePassword : public CleanSettings {
 protected:
  // Opens the dialog and runs the presses, answering every message box; cancels at the end if
  // the last press was refused.
  std::vector<SeenBox> Run(Session& s, const std::vector<Press>& presses) {
    std::vector<SeenBox> boxes;
    Form7Window d{};
    auto& script = s.script;
    script.Then([&] { return s.forms.Form7().IsVisible(); }, [&] { d.window = s.forms.Form7().Hwnd(); });
    for (size_t i = 0; i < presses.size(); ++i) {
      const Press p = presses[i];
      const bool last = i + 1 == presses.size();
      script.Then([&] { return s.forms.Form7().IsVisible() && !AnyBox(); },
                  [&d, p] {
                    d.Fill(p.old, p.fresh, p.verify);
                    PostClick(d.Ok());
                  },
                  "a press");
      script.Then([] { return AnyBox() != nullptr; },
                  [&boxes, &d, last] {
                    HWND box = AnyBox();
                    boxes.push_back({WindowText(box), MessageBoxText(box), IconOf(box)});
                    const bool changed = boxes.back().title == kChangedTitle;
                    PressOk(box);
                    // A refusal leaves the dialog open: the user gives up.
                    if (last && !changed) PostClick(d.Cancel());
                  },
                  "the box of a press");
    }
    script.Start();
    s.forms.Form7().ShowModal();
    EXPECT_TRUE(script.Done()) << script.Stuck();
    return boxes;
  }
  static HWND AnyBox() {
    for (const wchar_t* title : {kErrorTitle, kChangedTitle}) {
      if (HWND box = FindMessageBox(title)) return box;
    }
    return nullptr;
  }
};

const SeenBox kIncorrectBox{kErrorTitle, kIncorrect, BoxIcon::Error};
const SeenBox kMismatchBox{kErrorTitle, kMismatch, BoxIcon::Error};
const SeenBox kReservedBox{kErrorTitle, kReserved, BoxIcon::Error};
const SeenBox kChangedBox{kChangedTitle, L"Password Successfully Changed", BoxIcon::Information};

// After a refusal the old box holds its own reverse, so consecutive presses alternate between
// checking the entry and checking its reverse.
TEST_F(ChangePassword, PressesAlternateAfterARefusal) {
  StorePasswordForTest(L"Secret");
  Session s;
  const auto boxes = Run(s, {{L"Secret", L"new1", L"new2"},  // old right, new entries differ
                             {nullptr, nullptr, L"new1"},    // corrected below only
                             {nullptr, nullptr, nullptr}});  // the same again
  EXPECT_EQ(boxes, (std::vector<SeenBox>{kMismatchBox, kIncorrectBox, kChangedBox}));
  EXPECT_EQ(StoredPin(), std::optional<std::wstring>(L"1wen"));
  EXPECT_FALSE(s.forms.Form7().IsLoaded()) << "a successful change closes the dialog";
}

struct OutcomeCase {
  const char* what;
  const wchar_t* password;  // stored before; nullptr: none
  Press press;
  SeenBox box;
  const wchar_t* storedAfter;  // nullptr: none
};

TEST_F(ChangePassword, OnePressOutcomes) {
  const std::vector<OutcomeCase> cases = {
      {"both wrong: only the old one is reported", L"Secret", {L"wrong", L"a", L"b"}, kIncorrectBox, L"terceS"},
      {"old differs in case", L"Secret", {L"secret", L"a", L"a"}, kIncorrectBox, L"terceS"},
      {"the sentinel is an ordinary new password here", L"Secret", {L"Secret", L"Not Found", L"Not Found"},
       kChangedBox, L"dnuoF toN"},
      {"a new password that would be stored as the sentinel", L"Secret",
       {L"Secret", L"dnuoF toN", L"dnuoF toN"}, kReservedBox, L"terceS"},
      {"empty new password", L"Secret", {L"Secret", L"", L""}, kChangedBox, L""},
      {"new equal to old", L"Secret", {L"Secret", L"Secret", L"Secret"}, kChangedBox, L"terceS"},
      {"no password: only the reversed sentinel passes", nullptr, {L"dnuoF toN", L"x", L"x"}, kChangedBox, L"x"},
      {"no password: the empty entry fails", nullptr, {L"", L"x", L"x"}, kIncorrectBox, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSettings();
    if (c.password) StorePasswordForTest(c.password);
    Session s;
    const auto boxes = Run(s, {c.press});
    EXPECT_EQ(boxes, std::vector<SeenBox>{c.box});
    EXPECT_EQ(StoredPin(), c.storedAfter ? std::optional<std::wstring>(c.storedAfter) : std::nullopt);
  }
}

TEST_F(ChangePassword, TheOldPasswordIsCheckedAgainstTheRegistryAtThePress) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.forms.Form7().Load();
  StorePasswordForTest(L"Changed elsewhere");
  const auto boxes = Run(s, {{L"Secret", L"a", L"a"}, {L"Changed elsewhere", L"a", L"a"}});
  EXPECT_EQ(boxes, (std::vector<SeenBox>{kIncorrectBox, kChangedBox}));
  EXPECT_EQ(StoredPin(), std::optional<std::wstring>(L"a"));
}

// A refused write is reported in place of the success message; the old password stays in
// force, the dialog stays open and keeps the new entries.
TEST_F(ChangePassword, RefusedWriteIsReportedAndTheDialogStays) {
  StorePasswordForTest(L"Secret");
  Session s(RefusingWrites());
  std::wstring newAfter;
  bool openAfter = false;
  const auto boxes = [&] {
    std::vector<SeenBox> seen;
    Form7Window d{};
    s.script.Then([&] { return s.forms.Form7().IsVisible(); },
                  [&] {
                    d.window = s.forms.Form7().Hwnd();
                    d.Fill(L"Secret", L"new1", L"new1");
                    PostClick(d.Ok());
                  })
        .ThenBox(kErrorTitle, seen)
        .Then([] { return NoBoxUp(kErrorTitle); },
              [&] {
                openAfter = s.forms.Form7().IsVisible();
                newAfter = WindowText(d.Text2());
                PostClick(d.Cancel());
              });
    s.script.Start();
    s.forms.Form7().ShowModal();
    EXPECT_TRUE(s.script.Done()) << s.script.Stuck();
    return seen;
  }();
  EXPECT_EQ(boxes, (std::vector<SeenBox>{{kErrorTitle, kNotSaved, BoxIcon::Error}}));
  EXPECT_TRUE(openAfter);
  EXPECT_EQ(newAfter, L"new1");
  EXPECT_EQ(StoredPin(), std::optional<std::wstring>(L"terceS"));
}

TEST_F(ChangePassword, CancelWritesNothing) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.script.Then([&] { return s.forms.Form7().IsVisible(); },
                [&] {
                  const Form7Window d{s.forms.Form7().Hwnd()};
                  d.Fill(L"Secret", L"new1", L"new1");
                  PostClick(d.Cancel());
                });
  s.script.Start();
  s.forms.Form7().ShowModal();
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_FALSE(s.forms.Form7().IsLoaded());
  EXPECT_EQ(StoredPin(), std::optional<std::wstring>(L"terceS"));
}

// Opened from the Options dialog, which stays open underneath with its choices as they were.
TEST_F(ChangePassword, OpensOverTheOptionsDialogAndReturnsToIt) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.forms.Form4().Show();
  HWND options = s.forms.Form4().Hwnd();
  Click(Control(options, L"No Background"));
  bool optionsUnder = false;
  s.script.Then([&] { return s.forms.Form7().IsVisible(); },
                [&] {
                  optionsUnder = s.forms.Form4().IsVisible() && !::IsWindowEnabled(options);
                  const Form7Window d{s.forms.Form7().Hwnd()};
                  d.Fill(L"Secret", L"new1", L"new1");
                  PostClick(d.Ok());
                })
      .Then([] { return FindMessageBox(kChangedTitle) != nullptr; },
            [] { PressOk(FindMessageBox(kChangedTitle)); });
  s.script.Start();
  Click(Control(options, L"Change Password"));
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_TRUE(optionsUnder) << "the Options dialog waits underneath";
  EXPECT_TRUE(s.forms.Form4().IsVisible());
  EXPECT_TRUE(::IsWindowEnabled(options));
  EXPECT_TRUE(Checked(Control(options, L"No Background")));
  EXPECT_EQ(StoredPin(), std::optional<std::wstring>(L"1wen"));
  EXPECT_FALSE(GetString(layout::kSettingsKey, layout::kBackLock)) << "nothing else written yet";
}

}  // namespace
}  // namespace dorbolt::test
