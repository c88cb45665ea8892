#include <gtest/gtest.h>

#include <optional>

#include "assets/resource.h"
#include "dialogs/frmAbout.h"
#include "lock/Form9.h"
#include "lock/frmPassWrong.h"
#include "tests/lock/LockScene.h"
#include "tests/lock/Pictures.h"
#include "tray/Form3.h"

namespace dorbolt::test {
namespace {

constexpr COLORREF kLightBlue = RGB(192, 192, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// At 96 DPI the layout's twips are whole pixels: the strip's offsets from the bottom edge.
constexpr int kStripHeight = 109;     // 1635 twips
constexpr int kStripFromBottom = 110;  // its top edge, 9000 - 7350 twips
constexpr int kPicturesFromBottom = 104;  // 9000 - 7440 twips

class LockScreen : public LockTest {};

TEST_F(LockScreen, CoversEveryMonitorAndKeepsTheNoticeModalOverIt) {
  WhileLocked([&] {
    HWND backdrop = Backdrop();
    HWND notice = Notice();
    EXPECT_TRUE(SameRect(WindowRect(backdrop), VirtualScreen())) << Describe(WindowRect(backdrop));
    EXPECT_TRUE(SameRect(ClientRect(backdrop), WindowRect(backdrop))) << "no border, no title bar";
    EXPECT_TRUE(Topmost(backdrop));
    EXPECT_FALSE(forms.Form3().IsLoaded()) << "the load step unloads the tray window";
    EXPECT_TRUE(forms.Form1().Timer1().Enabled());
    EXPECT_FALSE(::IsWindowEnabled(backdrop)) << "the notice is modal";

    EXPECT_TRUE(Topmost(notice));
    EXPECT_TRUE(::IsWindowEnabled(notice));
    EXPECT_TRUE(Above(notice, backdrop));
    EXPECT_EQ(WindowText(notice), L"Computer Locked");
    EXPECT_NE(::SendMessageW(notice, WM_GETICON, ICON_SMALL, 0), 0) << "the closed lock";
    // The notice keeps its place in the 800 x 600 area in the middle of the primary monitor.
    const RECT area = forms.Model().LockArea();
    const RECT client = ClientRect(notice);
    const RECT expected{area.left + forms.Model().Px(2610), area.top + forms.Model().Px(1620),
                        area.left + forms.Model().Px(2610 + 6690), area.top + forms.Model().Px(1620 + 3420)};
    EXPECT_TRUE(SameRect(client, expected)) << Describe(client) << " instead of " << Describe(expected);
    EXPECT_NE(FindChildByText(notice, Form2::kTitle), nullptr);
    EXPECT_NE(FindChildByText(notice, Form2::kText), nullptr);
    EXPECT_NE(FindChildByText(notice, L"Unlock!"), nullptr);
    EXPECT_NE(FindChildByText(notice, L"About"), nullptr);
    EXPECT_EQ(::GetFocus(), FindChildByText(notice, L"Unlock!")) << "the keyboard starts on Unlock!";
  });
}

// Compares pictures of the resources with what the screen shows where they should be.
int PixelsDifferentFromBitmap(int bitmapId, POINT at) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return -1;
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  const auto shown = Pixels(RECT{at.x, at.y, at.x + info.bmWidth, at.y + info.bmHeight});
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  int different = 0;
  for (int y = 0; y < info.bmHeight; y += 3) {
    for (int x = 0; x < info.bmWidth; x += 3) {
      const COLORREF want = ::GetPixel(memory, x, y);
      const DWORD got = shown[static_cast<size_t>(y) * info.bmWidth + x];
      const COLORREF have = RGB((got >> 16) & 0xFF, (got >> 8) & 0xFF, got & 0xFF);
      if (!Near(have, want, 8)) ++different;
    }
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
  return different;
}

TEST_F(LockScreen, StripRunsAlongTheBottomEdgeWithItsPicturesAtTheLeft) {
  if (forms.Model().Dpi() != 96) GTEST_SKIP() << "pixel places are checked at 96 DPI";
  SetBackLock(L"Window");
  WhileLocked([&] {
    const RECT screen = VirtualScreen();
    const int right = screen.right - 1;
    const int bottom = screen.bottom - 1;
    const int top = screen.bottom - kStripFromBottom;
    const int middle = top + kStripHeight / 2;
    const COLORREF outline = ::GetSysColor(COLOR_WINDOWTEXT);
    struct Spot {
      const char* what;
      POINT at;
      COLORREF colour;
    };
    const Spot spots[] = {
        {"strip face at the right end", {right - 10, middle}, kWhite},
        {"strip outline, left", {screen.left + 2, middle}, outline},
        {"strip outline, right", {right - 1, middle}, outline},
        {"strip outline, top", {right - 10, top}, outline},
        {"strip outline, bottom", {right - 10, bottom - 1}, outline},
        {"back colour left of the strip", {screen.left + 1, middle}, kLightBlue},
        {"back colour right of the strip", {right, middle}, kLightBlue},
        {"back colour under the strip", {right - 10, bottom}, kLightBlue},
        {"back colour over the strip", {right - 10, top - 1}, kLightBlue},
    };
    for (const Spot& spot : spots) {
      const COLORREF seen = ScreenPixel(spot.at.x, spot.at.y);
      EXPECT_EQ(seen, spot.colour) << spot.what << " at " << spot.at.x << "," << spot.at.y << ": " << Describe(seen);
    }
    // Both pictures at their natural size, 8 and 224 pixels from the strip's left end.
    const int picturesTop = screen.bottom - kPicturesFromBottom;
    EXPECT_EQ(PixelsDifferentFromBitmap(IDB_CAPTION, {screen.left + 8, picturesTop}), 0);
    EXPECT_EQ(PixelsDifferentFromBitmap(IDB_BANNER, {screen.left + 224, picturesTop}), 0);
  });
}

TEST_F(LockScreen, FollowsTheScreenWhenItChangesDuringTheLock) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteTwoColourPicture(folder.File(L"halves.png"), PictureKind::Png));
  SetBackLock(folder.File(L"halves.png"));
  const RECT before = VirtualScreen();
  WhileLocked([&] {
    {
      DesktopSize smaller(800, 600);
      ASSERT_TRUE(smaller.Ready());
      EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(Backdrop()), VirtualScreen()); }, 5000))
          << Describe(WindowRect(Backdrop()));
      PaintNow(Backdrop());
      EXPECT_EQ(ScreenPixel(790, 600 - kStripFromBottom + 20), kWhite) << "the strip at the new bottom edge";
      EXPECT_TRUE(Near(ScreenPixel(790, 40), kRightColour, 24)) << "the picture stretched anew";
      EXPECT_TRUE(Topmost(Backdrop()));
      EXPECT_EQ(forms.Form1().BackLock(), folder.File(L"halves.png"));
    }
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(Backdrop()), before); }, 5000)) << "and back";
    EXPECT_TRUE(Above(Notice(), Backdrop()));
  });
}

// ---- The backdrop: what BackLock may hold, as one table.

struct BackdropCase {
  const char* what;
  // Makes the files the case needs and gives the value for BackLock; nullopt: no value.
  std::function<std::optional<std::wstring>(const ScratchFolder&)> make;
  bool picture;
};

std::function<std::optional<std::wstring>(const ScratchFolder&)> Picture(PictureKind kind, const wchar_t* name) {
  return [kind, name](const ScratchFolder& folder) -> std::optional<std::wstring> {
    const std::wstring path = folder.File(name);
    EXPECT_TRUE(WriteTwoColourPicture(path, kind)) << "could not write the picture";
    return path;
  };
}

std::optional<std::wstring> Text(const wchar_t* text) { return std::wstring(text); }

// A path of exactly `length` characters inside the folder, through nested folders; with
// `create`, the folders are made and a picture is put there.
std::wstring LongPath(const ScratchFolder& folder, size_t length, bool create) {
  std::wstring path = folder.Path();
  char letter = 'a';
  while (length - path.size() > 210) {
    path += L"\\" + std::wstring(200, static_cast<wchar_t>(letter++));
    if (create) ::CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
  }
  const size_t nameLength = length - path.size() - 1;
  path += L"\\" + std::wstring(nameLength - 4, L'p') + L".bmp";
  if (create) {
    EXPECT_TRUE(WriteTwoColourPicture(L"\\\\?\\" + path, PictureKind::Bmp));
  }
  return path;
}

const BackdropCase kBackdropCases[] = {
    {"the no-picture word", [](const ScratchFolder&) { return Text(L"Window"); }, false},
    {"the word in another case, naming no file", [](const ScratchFolder&) { return Text(L"window"); }, false},
    {"no value at all", [](const ScratchFolder&) { return std::optional<std::wstring>(); }, false},
    {"a bitmap", Picture(PictureKind::Bmp, L"halves.bmp"), true},
    {"a GIF", Picture(PictureKind::Gif, L"halves.gif"), true},
    {"a JPEG", Picture(PictureKind::Jpeg, L"halves.jpg"), true},
    {"a PNG", Picture(PictureKind::Png, L"halves.png"), true},
    {"a TIFF", Picture(PictureKind::Tiff, L"halves.tif"), true},
    {"a placeable Windows metafile", Picture(PictureKind::PlaceableWmf, L"halves.wmf"), true},
    {"an enhanced metafile", Picture(PictureKind::Emf, L"halves.emf"), true},
    {"a picture under a name that says nothing", Picture(PictureKind::Png, L"halves"), true},
    {"a Windows metafile without its placing header", Picture(PictureKind::PlainWmf, L"plain.wmf"), false},
    {"a PNG cut off halfway",
     [](const ScratchFolder& folder) -> std::optional<std::wstring> {
       const std::wstring path = folder.File(L"cut.png");
       WriteTwoColourPicture(path, PictureKind::Png);
       const std::string bytes = ReadBytes(path);
       EXPECT_GT(bytes.size(), 40u);
       WriteBytes(path, bytes.substr(0, bytes.size() / 2));
       return path;
     },
     false},
    // Cut where its pixels begin: a decoder may show part of a picture cut later on.
    {"a JPEG cut off before its picture data",
     [](const ScratchFolder& folder) -> std::optional<std::wstring> {
       const std::wstring path = folder.File(L"cut.jpg");
       WriteTwoColourPicture(path, PictureKind::Jpeg);
       const std::string bytes = ReadBytes(path);
       const size_t scan = bytes.find("\xFF\xDA");
       EXPECT_NE(scan, std::string::npos);
       WriteBytes(path, bytes.substr(0, scan));
       return path;
     },
     false},
    {"a file of one byte",
     [](const ScratchFolder& folder) -> std::optional<std::wstring> {
       WriteBytes(folder.File(L"one.bmp"), "B");
       return folder.File(L"one.bmp");
     },
     false},
    {"an empty file",
     [](const ScratchFolder& folder) -> std::optional<std::wstring> {
       WriteBytes(folder.File(L"empty.bmp"), "");
       return folder.File(L"empty.bmp");
     },
     false},
    {"a text file named as a picture",
     [](const ScratchFolder& folder) -> std::optional<std::wstring> {
       WriteBytes(folder.File(L"notes.jpg"), "These are not the pixels you are looking for.\r\n");
       return folder.File(L"notes.jpg");
     },
     false},
    {"a folder", [](const ScratchFolder& folder) { return std::optional<std::wstring>(folder.Path()); }, false},
    {"a path of 2047 characters naming nothing",
     [](const ScratchFolder& folder) { return std::optional<std::wstring>(LongPath(folder, 2047, false)); }, false},
    {"a path of 2047 characters naming a picture",
     [](const ScratchFolder& folder) { return std::optional<std::wstring>(LongPath(folder, 2047, true)); }, true},
};

TEST_F(LockScreen, BackdropShowsThePictureStretchedOrPlainLightBlue) {
  for (const BackdropCase& c : kBackdropCases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    ClearSettings();
    StorePasswordForTest(L"open sesame");
    const std::optional<std::wstring> value = c.make(folder);
    if (value) {
      SetBackLock(*value);
      ASSERT_EQ(GetString(layout::kSettingsKey, layout::kBackLock), value) << "stored as given";
    }
    WhileLocked([&] {
      EXPECT_EQ(forms.Form1().BackLock(), value.value_or(layout::kNotFound));
      EXPECT_EQ(forms.Form1().HasBackdrop(), c.picture);
      // Points clear of the notice: the corners of the picture area, its lowest row, and the
      // last column, which the picture reaches too.
      const RECT screen = VirtualScreen();
      const int w = screen.right - screen.left;
      const int h = screen.bottom - screen.top;
      const int lowest = screen.bottom - kStripFromBottom - 2;
      struct Spot {
        POINT at;
        COLORREF picture;
      };
      const Spot spots[] = {
          {{screen.left + w / 10, screen.top + h / 10}, kLeftColour},
          {{screen.right - w / 10, screen.top + h / 10}, kRightColour},
          {{screen.left + w / 10, lowest}, kLeftColour},
          {{screen.right - 1, screen.top + h / 2}, kRightColour},
      };
      const RECT notice = WindowRect(Notice());
      for (const Spot& spot : spots) {
        ASSERT_FALSE(::PtInRect(&notice, spot.at)) << "the spot is under the notice";
        const COLORREF seen = ScreenPixel(spot.at.x, spot.at.y);
        if (c.picture) {
          EXPECT_TRUE(Near(seen, spot.picture, 24)) << "at " << spot.at.x << "," << spot.at.y << ": " << Describe(seen);
        } else {
          EXPECT_EQ(seen, kLightBlue) << "at " << spot.at.x << "," << spot.at.y << ": " << Describe(seen);
        }
      }
    });
  }
}

// ---- Close requests: the windows of the lock refuse them; only the unlock takes them down.

enum class Request { CloseMessage, CloseCommand, AltF4 };

void Send(Request request, HWND window) {
  switch (request) {
    case Request::CloseMessage:
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    case Request::CloseCommand:
      ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Request::AltF4:
      ::SetForegroundWindow(window);
      WaitUntil([window] { return ::GetForegroundWindow() == window; }, 2000);
      PressKeys({VK_MENU, VK_F4});
      break;
  }
}

const char* Name(Request request) {
  switch (request) {
    case Request::CloseMessage:
      return "WM_CLOSE";
    case Request::CloseCommand:
      return "SC_CLOSE";
    case Request::AltF4:
      return "Alt+F4";
  }
  return "?";
}

struct CloseCase {
  const char* what;
  Form& (*form)(Forms&);
  bool closes;
};

const CloseCase kCloseCases[] = {
    {"lock screen", [](Forms& f) -> Form& { return f.Form1(); }, false},
    {"lock notice", [](Forms& f) -> Form& { return f.Form2(); }, false},
    {"unlock prompt", [](Forms& f) -> Form& { return f.Form9(); }, false},
    {"alarm", [](Forms& f) -> Form& { return f.frmPassWrong(); }, false},
    // The same requests do close a window that allows it: they are delivered.
    {"About box", [](Forms& f) -> Form& { return f.frmAbout(); }, true},
};

TEST_F(LockScreen, WindowsOfTheLockIgnoreCloseRequests) {
  for (const CloseCase& c : kCloseCases) {
    for (Request request : {Request::CloseMessage, Request::CloseCommand, Request::AltF4}) {
      SCOPED_TRACE(std::string(c.what) + ", " + Name(request));
      Form& form = c.form(forms);
      form.Show();
      // The lock screen's timer would bring up the notice; here only the window itself counts.
      if (&form == &forms.Form1()) forms.Form1().Timer1().SetEnabled(false);
      HWND window = form.HwndIfLoaded();
      ASSERT_TRUE(Visible(window));
      Send(request, window);
      if (c.closes) {
        EXPECT_TRUE(WaitUntil([&] { return !form.IsLoaded(); }, 3000));
      } else {
        PumpFor(300);
        EXPECT_TRUE(form.IsLoaded());
        EXPECT_TRUE(form.IsVisible());
        EXPECT_EQ(form.HwndIfLoaded(), window);
      }
      for (Form* each : forms.Model().Forms()) each->Unload();
    }
  }
}

// ---- The notice's own timer.

TEST_F(LockScreen, NoticeShutsOutTheSystemOnceASecondAfterEachLoad) {
  ASSERT_TRUE(TaskbarVisible()) << "the test needs a taskbar to see it go";
  for (int load = 1; load <= 2; ++load) {
    SCOPED_TRACE("load " + std::to_string(load));
    const ULONGLONG loaded = ::GetTickCount64();
    // Taking the notice's icon loads it hidden, as the tray does at activation.
    EXPECT_NE(forms.Form2().Icon(), nullptr);
    EXPECT_FALSE(forms.Form2().IsVisible());
    EXPECT_TRUE(forms.Form2().Timer1().Enabled());
    EXPECT_TRUE(TaskbarVisible());
    EXPECT_FALSE(forms.Keys().Blocking()) << "nothing is shut out before the tick";

    ASSERT_TRUE(WaitUntil([] { return !TaskbarVisible(); }, 5000));
    const ULONGLONG took = ::GetTickCount64() - loaded;
    EXPECT_GE(took, 700u);
    EXPECT_LE(took, 3000u);
    EXPECT_TRUE(forms.Keys().Blocking()) << "the screen-saver flag and the key guard are set";
    EXPECT_FALSE(forms.Form2().Timer1().Enabled()) << "it switches itself off";

    // Shown again during the lock, the taskbar stays: the notice hides it once per load.
    ShowTaskbar();
    GenericModule::SetScreenSaverRunning(false, forms.Keys());
    PumpFor(1500);
    EXPECT_TRUE(TaskbarVisible());
    EXPECT_FALSE(forms.Keys().Blocking());
    forms.Form2().Unload();
  }
}

// ---- The buttons of the notice.

TEST_F(LockScreen, UnlockOpensThePromptThenTheNoticeGoesAndTheLockScreenBringsItBack) {
  HWND firstNotice = nullptr;
  bool promptWasUp = false;
  bool noticeCameBack = false;
  WhenReady([&] { return forms.Form2().IsVisible(); },
            [&] {
              firstNotice = Notice();
              PostClick(FindChildByText(firstNotice, L"Unlock!"));
            });
  WhenReady([&] { return forms.Form9().IsVisible(); },
            [&] {
              HWND prompt = forms.Form9().HwndIfLoaded();
              promptWasUp = true;
              EXPECT_TRUE(Visible(firstNotice));
              EXPECT_FALSE(::IsWindowEnabled(firstNotice)) << "the prompt is modal over the notice";
              EXPECT_TRUE(Above(prompt, firstNotice));
              forms.Form9().Hide();  // the prompt's show returns
            });
  WhenReady([&] { return promptWasUp && forms.Form2().IsVisible() && Notice() != firstNotice; },
            [&] {
              noticeCameBack = true;
              EXPECT_FALSE(::IsWindow(firstNotice)) << "the Unlock! handler unloaded the notice";
              EXPECT_TRUE(forms.Form2().Timer1().Enabled()) << "loaded afresh, its timer runs again";
              EXPECT_TRUE(forms.Form1().IsVisible());
              forms.Form2().Unload();
              forms.Form1().Unload();
            });
  forms.Form1().Show();
  EXPECT_TRUE(WaitUntil([&] { return noticeCameBack && !forms.Form1().IsLoaded(); }, 20000));
  EXPECT_EQ(MissedActions(), 0);
}

enum class AboutExit { Enter, Escape, OkButton, CloseButton };

TEST_F(LockScreen, AboutOpensAboveTheNoticeClosesEveryWayAndLeavesTheNoticeAsItWas) {
  for (AboutExit exit : {AboutExit::Enter, AboutExit::Escape, AboutExit::OkButton, AboutExit::CloseButton}) {
    SCOPED_TRACE("way out " + std::to_string(static_cast<int>(exit)));
    RECT noticeRect{};
    std::vector<DWORD> before;
    bool checked = false;
    WhileLocked([&] {
      HWND notice = Notice();
      // A click gives the button the focus first, as the mouse's does: the notice as it is then.
      HWND aboutButton = FindChildByText(notice, L"About");
      ::SetFocus(aboutButton);
      PaintNow(notice);
      noticeRect = WindowRect(notice);
      before = Pixels(noticeRect);
      PostClick(aboutButton);
      WhenReady([&] { return forms.frmAbout().IsVisible(); },
                [&] {
                  HWND about = forms.frmAbout().HwndIfLoaded();
                  HWND ok = FindChildByText(about, L"OK");
                  EXPECT_EQ(WindowText(about), L"About Dorbolt");
                  EXPECT_TRUE(Topmost(about));
                  EXPECT_TRUE(Above(about, notice)) << "above the topmost notice";
                  EXPECT_FALSE(::IsWindowEnabled(notice));
                  EXPECT_EQ(::GetFocus(), ok) << "OK has the focus";
                  EXPECT_NE(FindChildByText(about, frmAbout::kVersion), nullptr);
                  EXPECT_NE(FindChildByText(about, frmAbout::kDescription), nullptr);
                  const RECT client = ClientRect(about);
                  EXPECT_EQ(client.right - client.left, forms.Model().Px(5730));
                  EXPECT_EQ(client.bottom - client.top, forms.Model().Px(3555));
                  const RECT box = WindowRect(about);
                  EXPECT_LE(std::abs((box.left + box.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2), 1);
                  EXPECT_LE(std::abs((box.top + box.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2), 1);
                  switch (exit) {
                    case AboutExit::Enter:
                      PressKeys({VK_RETURN});
                      break;
                    case AboutExit::Escape:
                      PressKeys({VK_ESCAPE});
                      break;
                    case AboutExit::OkButton:
                      PostClick(ok);
                      break;
                    case AboutExit::CloseButton:
                      ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
                      break;
                  }
                });
      // Back in the notice's loop once the box has gone.
      EXPECT_TRUE(WaitUntil([&] { return !forms.frmAbout().IsLoaded() && ::GetActiveWindow() == notice; }, 5000));
      PaintNow(notice);
      EXPECT_TRUE(::IsWindowEnabled(notice));
      EXPECT_EQ(::GetFocus(), aboutButton) << "the focus is back where it was";
      EXPECT_TRUE(SameRect(WindowRect(notice), noticeRect));
      const std::vector<DWORD> after = Pixels(noticeRect);
      size_t changed = 0;
      for (size_t i = 0; i < before.size() && i < after.size(); ++i) changed += before[i] != after[i];
      EXPECT_EQ(changed, 0u) << "pixels of the notice changed";
      checked = true;
    });
    EXPECT_TRUE(checked);
  }
}

// ---- A lock from the tray, as Dorwatch starts it.

TEST_F(LockScreen, LockFromTheTrayTakesItsIconAwayAndLeavesTheNoticeUsable) {
  forms.Form3().Load();
  HWND tray = forms.Form3().HwndIfLoaded();
  ASSERT_TRUE(TrayIconExists(tray, Form3::kIconId));
  bool checked = false;
  WhenReady([&] { return forms.Form2().IsVisible(); },
            [&] {
              EXPECT_TRUE(forms.Form1().IsVisible());
              EXPECT_FALSE(forms.Form3().IsLoaded());
              EXPECT_FALSE(TrayIconExists(tray, Form3::kIconId));
              EXPECT_TRUE(::IsWindowEnabled(Notice())) << "its buttons take clicks";
              EXPECT_TRUE(Above(Notice(), Backdrop()));
              forms.Form2().Unload();
              forms.Form1().Unload();
              checked = true;
            });
  forms.Form3().Activate();
  EXPECT_TRUE(WaitUntil([&] { return checked && !forms.Form1().IsLoaded(); }, 20000));
  EXPECT_EQ(MissedActions(), 0);
}

}  // namespace
}  // namespace dorbolt::test
