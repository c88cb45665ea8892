// The options gate and the Options dialog: what the dialog shows of the stored settings, what
// one OK writes, and the picture chosen through the open-file dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <fstream>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "dialogs/Form4.h"
#include "dialogs/Form5.h"
#include "lock/frmPassWrong.h"
#include "tests/dialogs/Session.h"

namespace dorbolt::test {
namespace {

using namespace layout;

// The Options dialog's controls, found by what they show.
struct Form4Window {
  HWND window;
  HWND Check1() const { return Control(window, L"Make Dorbolt Load At Bootup"); }
  HWND Option1() const { return Control(window, L"Remain Inactive On Bootup"); }
  HWND Option2() const { return Control(window, L"Lock Immediately On Bootup"); }
  HWND Option3() const { return Control(window, L"No Background"); }
  HWND Option4() const { return Control(window, L"Custom Background"); }
  HWND Browse() const { return Control(window, L"Browse"); }
  HWND ChangePassword() const { return Control(window, L"Change Password"); }
  HWND Ok() const { return Control(window, L"OK"); }
  HWND Cancel() const { return Control(window, L"Cancel"); }
  HWND Text2() const { return EditBox(window, 0); }  // hidden: the chosen picture
};

std::optional<std::wstring> Stored(const wchar_t* key, const wchar_t* name) { return GetString(key, name); }
void PutOrNot(const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  if (text) PutString(key, name, text);
}
std::optional<std::wstring> Opt(const wchar_t* text) {
  return text ? std::optional<std::wstring>(text) : std::nullopt;
}

HWND FileDialog() { return FindMessageBox(Form4::kBrowseTitle); }

// Answers the open-file dialog with a file name, or cancels it when there is none.
void AnswerFileDialog(const std::wstring& path) {
  HWND dialog = FileDialog();
  if (path.empty()) {
    ::SendMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return;
  }
  for (int id : {edt1, cmb13}) {
    if (HWND box = ::GetDlgItem(dialog, id)) ::SetWindowTextW(box, path.c_str());
  }
  ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

// A picture file of the user's (its content does not matter to the dialog).
std::wstring MakePicture(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + name;
  std::ofstream(path.c_str(), std::ios::binary) << "BM";
  return path;
}

class Options : public CleanSettings {
 protected:
  // Shows the dialog as the gate does, but without waiting in it: the test drives it.
  Form4Window Open(Session& s) {
    s.forms.Form4().Show();
    return Form4Window{s.forms.Form4().Hwnd()};
  }
  // Browse, answered with the path (empty: cancelled); true when the dialog came and went.
  bool Browse(Session& s, const Form4Window& d, const std::wstring& path) {
    Script answer([&s] { UnloadAll(s.forms); });
    answer.Then([] { return FileDialog() != nullptr; }, [path] { AnswerFileDialog(path); }, "file dialog");
    answer.Start();
    Click(d.Browse());
    return answer.Done();
  }
};

struct StartupCase {
  const char* what;
  const wchar_t* run;     // the start-up value; nullptr: none stored
  const wchar_t* bootUp;  // nullptr: none stored
  bool checked;
  bool option1;
  bool option2;
};

TEST_F(Options, LoadShowsTheStartupGroupFromTheStartupValueAndBootUp) {
  constexpr StartupCase cases[] = {
      {"Dorwatch registered", kWatchCommand, nullptr, true, true, false},
      {"Dorwatch registered, BootUp not Yes", kWatchCommand, L"No", true, true, false},
      {"Dorguard registered", kGuardCommand, nullptr, true, false, true},
      {"Dorguard registered, BootUp Yes", kGuardCommand, L"Yes", true, false, true},
      {"nothing registered, BootUp Yes", nullptr, L"Yes", false, false, false},
      {"a stored sentinel, BootUp Yes", L"Not Found", L"Yes", false, false, false},
      {"another program, BootUp Yes", L"C:\\Other.exe", L"Yes", true, false, false},
      {"Dorwatch in lower case, BootUp Yes", L"c:\\windows\\dorwatch.exe", L"Yes", true, false, false},
      {"another program, BootUp yes in lower case", L"C:\\Other.exe", L"yes", false, false, false},
      {"another program, no BootUp", L"C:\\Other.exe", nullptr, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSettings();
    PutOrNot(kRunKey, kRunValue, c.run);
    PutOrNot(kSettingsKey, kBootUp, c.bootUp);
    Session s;
    const Form4Window d = Open(s);
    EXPECT_EQ(Checked(d.Check1()), c.checked);
    EXPECT_EQ(Enabled(d.Option1()), c.checked) << "the start-up options follow the box";
    EXPECT_EQ(Enabled(d.Option2()), c.checked);
    EXPECT_EQ(Checked(d.Option1()), c.option1);
    EXPECT_EQ(Checked(d.Option2()), c.option2);
    EXPECT_EQ(WindowText(d.Text2()), L"");
    // Loading only reads.
    EXPECT_EQ(Stored(kRunKey, kRunValue), Opt(c.run));
    EXPECT_EQ(Stored(kSettingsKey, kBootUp), Opt(c.bootUp));
    EXPECT_FALSE(Stored(kSettingsKey, kBackLock));
  }
}

TEST_F(Options, LoadShowsTheBackgroundGroupFromBackLock) {
  struct Case {
    const wchar_t* backLock;
    bool noBackground;
  };
  constexpr Case cases[] = {
      {nullptr, false}, {L"Window", true}, {L"window", false}, {L"C:\\Pictures\\lock.bmp", false}, {L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(Opt(c.backLock)));
    ClearSettings();
    PutOrNot(kSettingsKey, kBackLock, c.backLock);
    Session s;
    const Form4Window d = Open(s);
    EXPECT_EQ(Checked(d.Option3()), c.noBackground);
    EXPECT_EQ(Checked(d.Option4()), !c.noBackground);
    EXPECT_EQ(Enabled(d.Browse()), !c.noBackground);
    EXPECT_FALSE(Checked(d.Check1()));
  }
}

TEST_F(Options, UserClicksRunTheSameHandling) {
  PutString(kRunKey, kRunValue, kGuardCommand);
  Session s;
  const Form4Window d = Open(s);
  ASSERT_TRUE(Checked(d.Option2()));
  Click(d.Check1());  // unchecked: the options go off and are cleared
  EXPECT_FALSE(Enabled(d.Option1()));
  EXPECT_FALSE(Enabled(d.Option2()));
  EXPECT_FALSE(Checked(d.Option2()));
  Click(d.Check1());  // checked again: back on, still none chosen
  EXPECT_TRUE(Enabled(d.Option1()));
  EXPECT_FALSE(Checked(d.Option1()) || Checked(d.Option2()));
  Click(d.Option3());
  EXPECT_FALSE(Enabled(d.Browse()));
  EXPECT_FALSE(Checked(d.Option4()));
  Click(d.Option4());
  EXPECT_TRUE(Enabled(d.Browse()));
  EXPECT_FALSE(Checked(d.Option3()));
}

enum class Act { Check1, Option1, Option2, Option3, Option4, ChoosePicture };

struct OkCase {
  const char* what;
  std::vector<Act> acts;
  bool picture;           // BackLock becomes the chosen picture
  const wchar_t* backLock;  // else what BackLock holds after OK
  const wchar_t* run;       // what the start-up value holds after OK
};

// From BootUp "Yes", another program registered and a picture stored: the box checked, no
// start-up option chosen, "Custom Background" selected.
TEST_F(Options, OkWritesAtMostOneValueTheFirstCaseThatApplies) {
  const wchar_t* oldPicture = L"C:\\old.bmp";
  const wchar_t* other = L"C:\\Other.exe";
  const std::wstring chosen = MakePicture(L"dorbolt-chosen.bmp");
  const std::vector<OkCase> cases = {
      {"No Background wins over everything", {Act::Option2, Act::ChoosePicture, Act::Option3}, false, kNoBackground, other},
      {"a chosen picture wins over the start-up choice", {Act::Option1, Act::ChoosePicture}, true, nullptr, other},
      {"no picture: Remain Inactive", {Act::Option1}, false, oldPicture, kWatchCommand},
      {"no picture: Lock Immediately", {Act::Option2}, false, oldPicture, kGuardCommand},
      {"box checked, no option: nothing", {}, false, oldPicture, other},
      {"box unchecked: nothing, the old registration stays", {Act::Option1, Act::Check1}, false, oldPicture, other},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSettings();
    PutString(kSettingsKey, kBootUp, L"Yes");
    PutString(kRunKey, kRunValue, other);
    PutString(kSettingsKey, kBackLock, oldPicture);
    Session s;
    const Form4Window d = Open(s);
    for (Act act : c.acts) {
      switch (act) {
        case Act::Check1: Click(d.Check1()); break;
        case Act::Option1: Click(d.Option1()); break;
        case Act::Option2: Click(d.Option2()); break;
        case Act::Option3: Click(d.Option3()); break;
        case Act::Option4: Click(d.Option4()); break;
        case Act::ChoosePicture: ASSERT_TRUE(Browse(s, d, chosen)); break;
      }
    }
    Click(d.Ok());
    EXPECT_FALSE(s.forms.Form4().IsLoaded()) << "OK closes the dialog";
    EXPECT_EQ(Stored(kSettingsKey, kBackLock), c.picture ? Opt(chosen.c_str()) : Opt(c.backLock));
    EXPECT_EQ(Stored(kRunKey, kRunValue), Opt(c.run));
    EXPECT_EQ(Stored(kSettingsKey, kBootUp), Opt(L"Yes")) << "the box itself is never written";
  }
}

TEST_F(Options, NothingStoredAtAllThenOkWritesNothing) {
  Session s;
  const Form4Window d = Open(s);
  EXPECT_TRUE(Checked(d.Option4()));
  EXPECT_TRUE(Enabled(d.Browse()));
  EXPECT_FALSE(Checked(d.Check1()));
  Click(d.Ok());
  EXPECT_FALSE(s.forms.Form4().IsLoaded());
  for (const auto* name : {kBackLock, kBootUp, kPin}) EXPECT_FALSE(Stored(kSettingsKey, name));
  EXPECT_FALSE(Stored(kRunKey, kRunValue));
}

TEST_F(Options, BrowseShowsTheOpenFileDialogAndACancelReturnsNormally) {
  Session s;
  const Form4Window d = Open(s);
  std::vector<std::wstring> filter;
  bool ownedByOptions = false;
  s.script.Then([] { return FileDialog() != nullptr; },
                [&] {
                  HWND dialog = FileDialog();
                  ownedByOptions = ::GetWindow(dialog, GW_OWNER) == d.window;
                  HWND types = ::GetDlgItem(dialog, cmb1);
                  const int n = static_cast<int>(::SendMessageW(types, CB_GETCOUNT, 0, 0));
                  for (int i = 0; i < n; ++i) {
                    std::wstring item(static_cast<size_t>(::SendMessageW(types, CB_GETLBTEXTLEN, i, 0)), L'\0');
                    ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
                    filter.push_back(item);
                  }
                  AnswerFileDialog(L"");
                },
                "file dialog");
  s.script.Start();
  Click(d.Browse());
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_TRUE(ownedByOptions);
  EXPECT_EQ(filter, (std::vector<std::wstring>{L"Bitmap Files", L"GIF Files", L"JPEG Files",
                                               L"Windows Metafiles", L"Enhanced Metafiles"}));
  EXPECT_TRUE(s.forms.Form4().IsVisible()) << "a cancel is no error";
  EXPECT_EQ(WindowText(d.Text2()), L"");
  Click(d.Ok());  // "Custom Background" with no picture chosen: nothing to write
  EXPECT_FALSE(Stored(kSettingsKey, kBackLock));
}

TEST_F(Options, ACancelAfterAChoiceKeepsTheChoice) {
  const std::wstring chosen = MakePicture(L"dorbolt-kept.jpg");
  Session s;
  const Form4Window d = Open(s);
  ASSERT_TRUE(Browse(s, d, chosen));
  EXPECT_EQ(WindowText(d.Text2()), chosen);
  ASSERT_TRUE(Browse(s, d, L""));
  EXPECT_EQ(WindowText(d.Text2()), chosen);
  Click(d.Ok());
  EXPECT_EQ(Stored(kSettingsKey, kBackLock), Opt(chosen.c_str()));
}

TEST_F(Options, CancelAndTheCloseButtonWriteNothing) {
  const LONG style = [] {
    Session s;
    s.forms.Form4().Load();
    return ::GetWindowLongW(s.forms.Form4().Hwnd(), GWL_STYLE);
  }();
  EXPECT_TRUE(style & WS_SYSMENU) << "a title-bar close button";
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  const std::function<void(Session&, const Form4Window&)> closes[] = {
      [](Session&, const Form4Window& d) { Click(d.Cancel()); },
      [](Session&, const Form4Window& d) { ::SendMessageW(d.window, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (const auto& close : closes) {
    ClearSettings();
    PutString(kSettingsKey, kBackLock, L"C:\\old.bmp");
    Session s;
    const Form4Window d = Open(s);
    Click(d.Option3());
    Click(d.Check1());
    Click(d.Option2());
    close(s, d);
    EXPECT_FALSE(s.forms.Form4().IsLoaded());
    EXPECT_EQ(Stored(kSettingsKey, kBackLock), Opt(L"C:\\old.bmp"));
    EXPECT_FALSE(Stored(kRunKey, kRunValue));
  }
}

// A refused write is reported; the dialog stays and the registry keeps what it had.
TEST_F(Options, RefusedWriteIsReportedAndTheDialogStays) {
  PutString(kSettingsKey, kBackLock, L"C:\\old.bmp");
  Session s(RefusingWrites());
  const Form4Window d = Open(s);
  Click(d.Option3());
  std::vector<SeenBox> boxes;
  bool openUnderBox = false;
  s.script.ThenBox(Form4::kNotSavedTitle, boxes, [&] { openUnderBox = s.forms.Form4().IsVisible(); });
  s.script.Start();
  Click(d.Ok());
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], (SeenBox{L"Dorbolt Options", L"The Setting Could Not Be Saved", BoxIcon::Error}));
  EXPECT_TRUE(openUnderBox);
  EXPECT_TRUE(s.forms.Form4().IsVisible());
  EXPECT_EQ(Stored(kSettingsKey, kBackLock), Opt(L"C:\\old.bmp"));
}

// The gate, in front of the dialog.
struct Form5Window {
  HWND window;
  HWND Text1() const { return EditBox(window, 0); }
  HWND Ok() const { return Control(window, L"OK"); }
  HWND Cancel() const { return Control(window, L"Cancel"); }
};

class OptionsGate : public CleanSettings {};

TEST_F(OptionsGate, RightPasswordUnloadsTheGateThenOpensTheOptions) {
  StorePasswordForTest(L"Secret");
  Session s;
  bool gateGone = false;
  s.script
      .Then([&] { return s.forms.Form5().IsVisible(); },
            [&] {
              const Form5Window g{s.forms.Form5().Hwnd()};
              Type(g.Text1(), L"Secret");
              PostClick(g.Ok());
            })
      .Then([&] { return s.forms.Form4().IsVisible(); },
            [&] {
              gateGone = !s.forms.Form5().IsLoaded();
              PostClick(Form4Window{s.forms.Form4().Hwnd()}.Cancel());
            });
  s.script.Start();
  s.forms.Form5().ShowModal();
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_TRUE(gateGone);
  EXPECT_FALSE(s.forms.Form4().IsLoaded());
}

TEST_F(OptionsGate, CancelUnloadsTheGate) {
  StorePasswordForTest(L"Secret");
  Session s;
  s.script.Then([&] { return s.forms.Form5().IsVisible(); },
                [&] { PostClick(Form5Window{s.forms.Form5().Hwnd()}.Cancel()); });
  s.script.Start();
  s.forms.Form5().ShowModal();
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_FALSE(s.forms.Form5().IsLoaded());
  EXPECT_FALSE(s.forms.Form4().IsLoaded());
}

// The alarm opens over the gate and closes by itself; the gate is still there, its entry box
// holding the transformed text, so that OK again checks the entry as typed.
TEST_F(OptionsGate, WrongPasswordSoundsTheAlarmAndTheGateStays) {
  StorePasswordForTest(L"Secret");
  Session s;
  Form5Window g{};
  std::wstring entryAfter;
  bool gateAfter = false;
  s.script
      .Then([&] { return s.forms.Form5().IsVisible(); },
            [&] {
              g.window = s.forms.Form5().Hwnd();
              Type(g.Text1(), L"terceS");  // typed in reverse
              PostClick(g.Ok());
            })
      .Then([&] { return s.forms.frmPassWrong().IsVisible(); }, [] {}, "the alarm")
      .Then([&] { return !s.forms.frmPassWrong().IsLoaded(); },
            [&] {
              gateAfter = s.forms.Form5().IsVisible();
              entryAfter = WindowText(g.Text1());
              PostClick(g.Ok());  // the second press checks "terceS" reversed back: the right one
            },
            "the alarm closing itself")
      .Then([&] { return s.forms.Form4().IsVisible(); },
            [&] { PostClick(Form4Window{s.forms.Form4().Hwnd()}.Cancel()); }, "the options");
  s.script.Start();
  s.forms.Form5().ShowModal();
  ASSERT_TRUE(s.script.Done()) << s.script.Stuck();
  EXPECT_TRUE(gateAfter);
  EXPECT_EQ(entryAfter, L"Secret");
}

}  // namespace
}  // namespace dorbolt::test
