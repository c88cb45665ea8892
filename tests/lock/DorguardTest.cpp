// Dorguard as a user starts it: the real program, looked at by its windows' classes.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "tests/lock/LockScene.h"
#include "tests/lock/Pictures.h"
#include "tests/support/Process.h"

namespace dorbolt::test {
namespace {

// Another program's icon in the notification area, for one scope. Wine hides a taskbar that
// has no icon left, so without it Dorguard's own brief icon would take the taskbar along.
class OtherTrayIcon {
 public:
  OtherTrayIcon()
      : window_(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr)) {
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(data.szTip, L"another program", ARRAYSIZE(data.szTip));
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  }
  OtherTrayIcon(const OtherTrayIcon&) = delete;
  OtherTrayIcon& operator=(const OtherTrayIcon&) = delete;
  ~OtherTrayIcon() {
    NOTIFYICONDATAW data = Data();
    if (added_) ::Shell_NotifyIconW(NIM_DELETE, &data);
    if (window_) ::DestroyWindow(window_);
  }
  bool Added() const { return added_; }

 private:
  NOTIFYICONDATAW Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = 7;
    return data;
  }
  HWND window_;
  bool added_ = false;
};

class Dorguard : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    ShowTaskbar();
  }
  // The program is ended from outside: what it hid comes back here.
  void TearDown() override {
    ShowTaskbar();
    ClearSettings();
  }
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid == found->first) found->second.push_back(window);
  return TRUE;
}

// Every top-level window of the program, hidden ones too.
std::vector<HWND> WindowsOf(const RunningProgram& program) {
  std::pair<DWORD, std::vector<HWND>> found{program.Id(), {}};
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

TEST_F(Dorguard, LocksTheMomentItStartsWithAStoredPassword) {
  StorePasswordForTest(L"1234");
  PutString(layout::kSettingsKey, layout::kBackLock, L"Window");
  OtherTrayIcon other;
  ASSERT_TRUE(other.Added());
  ShowTaskbar();
  ASSERT_TRUE(WaitUntil([] { return TaskbarVisible(); }, 3000)) << "the test needs a taskbar to see it go";

  RunningProgram guard(ProgramPath(L"Dorguard.exe"));
  ASSERT_TRUE(guard.Started());
  HWND backdrop = nullptr;
  HWND notice = nullptr;
  bool taskbarWhenNoticeCame = false;
  ULONGLONG noticeCame = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (!backdrop && Visible(guard.Window(L"Dorbolt.Form1"))) backdrop = guard.Window(L"Dorbolt.Form1");
        HWND shown = guard.Window(L"Dorbolt.Form2");
        if (!backdrop || !Visible(shown)) return false;
        notice = shown;
        noticeCame = ::GetTickCount64();
        taskbarWhenNoticeCame = TaskbarVisible();
        return true;
      },
      15000))
      << "the lock screen and then the notice";
  EXPECT_TRUE(taskbarWhenNoticeCame) << "the taskbar goes a second after the notice, not before";
  ASSERT_TRUE(WaitUntil([] { return !TaskbarVisible(); }, 5000));
  EXPECT_GE(::GetTickCount64() - noticeCame, 500u);

  EXPECT_TRUE(SameRect(WindowRect(backdrop), VirtualScreen()));
  EXPECT_TRUE(Topmost(backdrop));
  EXPECT_TRUE(Topmost(notice));
  EXPECT_TRUE(Above(notice, backdrop));
  EXPECT_TRUE(guard.Windows(L"Dorbolt.Form3").empty()) << "the tray window is not loaded while locked";
  for (HWND window : WindowsOf(guard)) {
    EXPECT_FALSE(TrayIconExists(window, 1)) << "no tray icon while locked";
  }

  // Nothing but the unlock takes the lock down.
  for (HWND window : {backdrop, notice}) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  PumpFor(500);
  EXPECT_TRUE(guard.Running());
  EXPECT_TRUE(Visible(backdrop));
  EXPECT_TRUE(Visible(notice));
  EXPECT_FALSE(TaskbarVisible());
}

TEST_F(Dorguard, WithoutAPasswordNoLockScreenEverShows) {
  RunningProgram guard(ProgramPath(L"Dorguard.exe"));
  ASSERT_TRUE(guard.Started());
  bool lockSeen = false;
  const auto watch = [&] {
    lockSeen = lockSeen || Visible(guard.Window(L"Dorbolt.Form1")) || Visible(guard.Window(L"Dorbolt.Form2"));
  };
  // The first-run dialog comes instead (or, once it has done its work, the program ends).
  EXPECT_TRUE(WaitUntil(
      [&] {
        watch();
        return Visible(guard.Window(L"Dorbolt.Form6")) || !guard.Running();
      },
      15000));
  WaitUntil(
      [&] {
        watch();
        return false;
      },
      1500);
  EXPECT_FALSE(lockSeen);
}

// ---- Pictures of the lock, on desktops of two sizes.

// A window's rectangle with a margin, inside the screen.
RECT Grown(RECT rect, int by) {
  ::InflateRect(&rect, by, by);
  const RECT screen = VirtualScreen();
  RECT inside{};
  ::IntersectRect(&inside, &rect, &screen);
  return inside;
}

void Keep(const wchar_t* name, const SIZE& size, const RECT* area = nullptr) {
  const std::wstring folder = ArtefactsDir();
  if (folder.empty()) return;
  const std::wstring path =
      folder + L"\\" + name + L"-" + std::to_wstring(size.cx) + L"x" + std::to_wstring(size.cy) + L".png";
  EXPECT_TRUE(area ? SaveScreenshot(path, *area) : SaveScreenshot(path)) << "could not write a picture";
}

// Pictures of the lock with a backdrop picture, the notice and the About box, kept as test
// artefacts. The desktop takes the size for the one test.
void TakePictures(const SIZE size) {
  ScratchFolder folder;
  const std::wstring picture = folder.File(L"dusk.jpg");
  ASSERT_TRUE(WriteLandscape(picture, 1600, 1000));
  StorePasswordForTest(L"1234");
  PutString(layout::kSettingsKey, layout::kBackLock, picture);

  DesktopSize desktop(size.cx, size.cy);
  ASSERT_TRUE(desktop.Ready()) << "the desktop could not take that size";
  RunningProgram guard(ProgramPath(L"Dorguard.exe"));
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return Visible(notice = guard.Window(L"Dorbolt.Form2")); }, 15000));
  HWND backdrop = guard.Window(L"Dorbolt.Form1");
  EXPECT_TRUE(SameRect(WindowRect(backdrop), RECT{0, 0, size.cx, size.cy}));
  // The notice keeps its place in the middle 800 x 600 of the screen.
  const RECT client = ClientRect(notice);
  EXPECT_EQ(client.left, (size.cx - 800) / 2 + 174);
  EXPECT_EQ(client.top, (size.cy - 600) / 2 + 108);

  ASSERT_TRUE(WaitUntil([] { return !TaskbarVisible(); }, 5000));
  PumpFor(300);
  // The picture above, the white strip below.
  EXPECT_FALSE(Near(ScreenPixel(size.cx / 10, size.cy / 10), RGB(192, 192, 255), 10));
  EXPECT_EQ(ScreenPixel(size.cx - 10, size.cy - 60), RGB(255, 255, 255));
  Keep(L"lock-screen", size);
  const RECT noticeArea = Grown(WindowRect(notice), 12);
  Keep(L"lock-notice", size, &noticeArea);

  PostClick(FindChildByText(notice, L"About"));
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return Visible(about = guard.Window(L"Dorbolt.frmAbout")); }, 5000));
  EXPECT_TRUE(Above(about, notice));
  PumpFor(300);
  const RECT aboutArea = WindowRect(about);
  Keep(L"about-box", size, &aboutArea);
  Keep(L"lock-with-about-box", size);
}

TEST_F(Dorguard, PicturesOnAn800x600Desktop) { TakePictures({800, 600}); }

TEST_F(Dorguard, PicturesOnA1920x1080Desktop) { TakePictures({1920, 1080}); }

}  // namespace
}  // namespace dorbolt::test
