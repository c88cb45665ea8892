// The wrong-password alarm, opened by a gate as the password windows open it.
#include <gtest/gtest.h>

#include "assets/resource.h"
#include "core/Password.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"
#include "tests/support/Registry.h"
#include "tests/support/TestWindow.h"
#include "tests/support/Wait.h"
#include "tests/unlock/Steps.h"
#include "tests/unlock/Unlock.h"

namespace dorbolt::test {
namespace {

// A topmost window standing in for the password window that opens the alarm.
class Gate : public Form {
 public:
  explicit Gate(WindowModel& model) : Form(model, L"TestGate") {}

 protected:
  FormDesign Design() const override {
    FormDesign d;
    d.caption = L"Gate";
    d.left = 2610;
    d.top = 1620;
    d.width = 6660;
    d.height = 3420;
    return d;
  }
  void OnLoad() override { MakeTopmost(HwndIfLoaded()); }
};

HWND AlarmWindow() { return ::FindWindowW(L"Dorbolt.frmPassWrong", nullptr); }

bool ShowsExclamation(HWND box) {
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0)) == ::LoadIconW(nullptr, IDI_WARNING)) {
      return true;
    }
  }
  return false;
}

// The window's client area shows the picture from 32 px (480 twips) into it, at its own size.
bool ShowsPicture(HWND window, HBITMAP picture) {
  if (!picture) return false;
  RECT client{};
  ::GetClientRect(window, &client);
  POINT origin{};
  ::ClientToScreen(window, &origin);
  WindowDc screen(nullptr);
  MemoryDc source(screen.get());
  SelectScope select(source.get(), picture);
  for (int y = 5; y < client.bottom; y += 37) {
    for (int x = 3; x < client.right; x += 41) {
      if (::GetPixel(screen.get(), origin.x + x, origin.y + y) != ::GetPixel(source.get(), x + 32, y)) return false;
    }
  }
  return true;
}

class AlarmTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(layout::kAlarmSound)) << "the test command installs the alarm sound";
    ASSERT_GE(CapturedSoundBytes(), 0) << "ALSA_CAPTURE is not set: run through the test command";
  }

  Forms forms;
  Gate gate{forms.Model()};
  Steps steps{forms};
};

TEST(SoundErrorText, TheNumberOfTheFailedOpenChoosesTheMessage) {
  struct Case {
    int number;
    const wchar_t* text;
  };
  constexpr Case cases[] = {
      {30257, L"Invalid device id."},
      {30263, L"The device is not open or is not known."},
      {30266, L"Error load media device driver."},
      {30274, L"Action not available for this device."},
      {30304, L"Invalid filename."},
      {30275, L"Unknown error ( 30275)."},  // file not found
      {7, L"Unknown error ( 7)."},
      {0, L"Unknown error ( 0)."},
      {-7, L"Unknown error (-7)."},
      {30256, L"Unknown error ( 30256)."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(frmPassWrong::SoundErrorText(c.number), c.text) << c.number;
  }
}

TEST_F(AlarmTest, ShowsThePictureAboveEverythingForItsTimeWithTheSound) {
  const int devicesBefore = OpenSoundDevices();
  long long bytesBefore = 0;
  ULONGLONG opened = 0;
  ULONGLONG closedAfter = 0;
  ULONGLONG closeAsked = 0;
  HWND alarm = nullptr;
  RECT client{};
  RECT window{};
  POINT origin{};
  LONG style = 0;
  bool topmost = false;
  bool aboveGate = false;
  bool gateDisabled = false;
  int devicesWhileUp = 0;
  bool closeIgnored = false;
  UniqueBitmap picture(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ALARM),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  bool pictureShown = false;

  steps
      .Then("the gate is up", [&] { return gate.IsVisible(); },
            [&] {
              bytesBefore = CapturedSoundBytes();
              opened = ::GetTickCount64();
              forms.frmPassWrong().ShowModal();
              closedAfter = ::GetTickCount64() - opened;
              gate.Unload();
            })
      .Then("the alarm is up", [&] { return Visible(AlarmWindow()); },
            [&] {
              alarm = AlarmWindow();
              ::GetClientRect(alarm, &client);
              ::GetWindowRect(alarm, &window);
              ::ClientToScreen(alarm, &origin);
              style = ::GetWindowLongW(alarm, GWL_STYLE);
              topmost = Topmost(alarm);
              aboveGate = Above(alarm, gate.HwndIfLoaded());
              gateDisabled = !::IsWindowEnabled(gate.HwndIfLoaded());
              devicesWhileUp = OpenSoundDevices();
            })
      // The screen shows a window's drawing a moment after it was made visible.
      .Then("the picture is on the screen", [&] { return !Visible(alarm) || ShowsPicture(alarm, picture.get()); },
            [&] {
              pictureShown = Visible(alarm);
              SaveScreenshot(ArtefactsDir() + L"\\alarm.png");
              ::PostMessageW(alarm, WM_CLOSE, 0, 0);
              ::PostMessageW(alarm, WM_SYSCOMMAND, SC_CLOSE, 0);
              closeAsked = ::GetTickCount64();
            })
      .Then("close requests handled", [&] { return ::GetTickCount64() - closeAsked > 300; },
            [&] { closeIgnored = Visible(alarm); });
  steps.Start();
  gate.ShowModal();

  ASSERT_TRUE(steps.Done()) << "never came: " << steps.Stuck();
  EXPECT_EQ(client.right, forms.Model().Px(8865));
  EXPECT_EQ(client.bottom, forms.Model().Px(2910));
  EXPECT_EQ(window.right - window.left, client.right) << "no border";
  EXPECT_FALSE(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
  EXPECT_NEAR((window.left + window.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_TRUE(topmost);
  EXPECT_TRUE(aboveGate) << "above the topmost gate that opened it";
  EXPECT_TRUE(gateDisabled) << "the gate takes no password while the alarm is up";
  EXPECT_EQ(devicesWhileUp, devicesBefore + 1);
  EXPECT_TRUE(closeIgnored) << "Alt+F4 and WM_CLOSE do not end the alarm";
  EXPECT_TRUE(picture) << "the alarm picture is among the resources";
  EXPECT_TRUE(pictureShown) << "the alarm picture, 480 twips left of the window, at its own size";

  EXPECT_GE(closedAfter, 2400u) << "the alarm stays its 2.5 s";
  EXPECT_LT(closedAfter, 8000u);
  EXPECT_FALSE(forms.frmPassWrong().IsLoaded());
  EXPECT_FALSE(::IsWindow(alarm));
  EXPECT_EQ(OpenSoundDevices(), devicesBefore) << "the sound is closed with the alarm";
  EXPECT_GT(CapturedSoundBytes(), bytesBefore) << "the alarm sound reached the device";
}

// A sound that cannot be opened: only the box, never the picture, and the gate is back at once.
TEST_F(AlarmTest, ASoundThatCannotOpenShowsOnlyTheBox) {
  struct Seen {
    std::wstring text;
    bool exclamation = false;
    bool alarmVisible = true;
    bool aboveGate = false;
    bool gateDisabled = false;
    ULONGLONG returnedAfterOk = 0;
  };
  // Shows the alarm over the gate; the box is confirmed after `holdMs`.
  auto run = [&](DWORD holdMs, const std::function<void()>& beforeOpen = {}) {
    Seen seen;
    const long long bytesBefore = CapturedSoundBytes();
    const int devicesBefore = OpenSoundDevices();
    ULONGLONG boxUp = 0;
    ULONGLONG okPressed = 0;
    Steps s(forms);
    s.Then("the gate is up", [&] { return gate.IsVisible(); },
           [&] {
             if (beforeOpen) beforeOpen();
             forms.frmPassWrong().ShowModal();
             seen.returnedAfterOk = ::GetTickCount64() - okPressed;
             gate.Unload();
           })
        .Then("the box", [&] { return BoxTitled(frmPassWrong::kSoundErrorTitle) != nullptr; },
              [&] { boxUp = ::GetTickCount64(); })
        .Then("held", [&] { return ::GetTickCount64() - boxUp >= holdMs; },
              [&] {
                HWND box = BoxTitled(frmPassWrong::kSoundErrorTitle);
                seen.text = MessageBoxText(box);
                seen.exclamation = ShowsExclamation(box);
                seen.alarmVisible = Visible(AlarmWindow());
                seen.aboveGate = Above(box, gate.HwndIfLoaded());
                seen.gateDisabled = !::IsWindowEnabled(gate.HwndIfLoaded());
                okPressed = ::GetTickCount64();
                PressOk(box);
              });
    s.Start();
    gate.ShowModal();
    EXPECT_TRUE(s.Done()) << "never came: " << s.Stuck();
    EXPECT_FALSE(forms.frmPassWrong().IsLoaded());
    EXPECT_EQ(CapturedSoundBytes(), bytesBefore) << "nothing played";
    EXPECT_EQ(OpenSoundDevices(), devicesBefore);
    return seen;
  };

  {
    SCOPED_TRACE("sound file missing");
    SoundFileAway away;
    ASSERT_TRUE(away.Moved());
    // Held past the alarm's own time: the box waits for its OK.
    const Seen seen = run(frmPassWrong::kShowMs + 500);
    EXPECT_EQ(seen.text, L"Unknown error ( 30275).");
    EXPECT_TRUE(seen.exclamation);
    EXPECT_FALSE(seen.alarmVisible) << "the picture never shows";
    EXPECT_TRUE(seen.aboveGate);
    EXPECT_TRUE(seen.gateDisabled);
    EXPECT_LT(seen.returnedAfterOk, 1000u) << "the gate is back at once after OK";
  }
  {
    SCOPED_TRACE("no wave audio device");
    WaveDriverAway away;
    ASSERT_TRUE(away.Removed());
    const Seen seen = run(0);
    EXPECT_EQ(seen.text, L"The device is not open or is not known.");
    EXPECT_FALSE(seen.alarmVisible);
    EXPECT_LT(seen.returnedAfterOk, 1000u);
  }
  {
    SCOPED_TRACE("opened while a window of another kind is active");
    SoundFileAway away;
    TestWindow other(true);
    const Seen seen = run(0, [&] { ::SetActiveWindow(other.Handle()); });
    EXPECT_EQ(seen.text, L"Unknown error ( 30275).");
    EXPECT_TRUE(seen.gateDisabled) << "the gate takes no password under the box";
  }
}

}  // namespace
}  // namespace dorbolt::test
