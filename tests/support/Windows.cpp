#include "tests/support/Windows.h"

#include <shellapi.h>
#include "platform/GdiPlus.h"
#include "tests/support/Wait.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace dorbolt::test {

namespace {
struct BoxSearch {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
  auto* s = reinterpret_cast<BoxSearch*>(lParam);
  if (ClassOf(window) == L"#32770" && ::IsWindowVisible(window) && WindowText(window) == s->title) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindMessageBox(const wchar_t* title) {
  BoxSearch search{title, nullptr};
  ::EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring MessageBoxText(HWND box) { return WindowText(::GetDlgItem(box, 0xFFFF)); }

void PressOk(HWND box) { ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }

std::wstring WindowText(HWND window) {
  if (!window) return {};
  const int length = static_cast<int>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = static_cast<int>(
      ::SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

namespace {
struct ChildSearch {
  const wchar_t* text;
  const wchar_t* className;
  int index;
  HWND found;
};
BOOL CALLBACK FindChild(HWND window, LPARAM lParam) {
  auto* s = reinterpret_cast<ChildSearch*>(lParam);
  const bool match = s->text ? WindowText(window) == s->text : ClassOf(window) == s->className;
  if (match && s->index-- == 0) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindChildByText(HWND parent, const wchar_t* text) {
  ChildSearch search{text, nullptr, 0, nullptr};
  ::EnumChildWindows(parent, &FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChildByClass(HWND parent, const wchar_t* className, int index) {
  ChildSearch search{nullptr, className, index, nullptr};
  ::EnumChildWindows(parent, &FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }

bool TrayIconExists(HWND owner, UINT id) {
  // A modify that changes nothing succeeds only for an icon the shell has.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = 0;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

HWND Taskbar() { return ::FindWindowW(L"Shell_TrayWnd", nullptr); }

bool TaskbarVisible() {
  HWND bar = Taskbar();
  return bar && ::IsWindowVisible(bar);
}

namespace {
bool PngEncoder(CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (lstrcmpW(codecs[i].MimeType, L"image/png") == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}
}  // namespace

bool SaveScreenshot(const std::wstring& pngPath) {
  const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return SaveScreenshot(pngPath, RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                      y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)});
}

bool SaveScreenshot(const std::wstring& pngPath, const RECT& area) {
  if (area.right <= area.left || area.bottom <= area.top) return false;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool saved = false;
  {
    const int x = area.left;
    const int y = area.top;
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY | CAPTUREBLT);
    ::SelectObject(memory, old);
    CLSID png{};
    if (PngEncoder(png)) {
      Gdiplus::Bitmap image(bitmap, nullptr);
      saved = image.Save(pngPath.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
  }
  Gdiplus::GdiplusShutdown(token);
  return saved;
}

std::wstring ArtefactsDir() {
  const wchar_t* dir = _wgetenv(L"DORBOLT_ARTEFACTS");
  if (!dir || !*dir) return {};
  std::wstring path(dir);
  if (!path.empty() && path.front() == L'/') {
    // A Unix path from the test command: Wine's Z: drive is the Unix root.
    for (auto& c : path) c = c == L'/' ? L'\\' : c;
    path = L"Z:" + path;
  }
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, x, y);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

bool Near(COLORREF actual, COLORREF expected, int tolerance) {
  return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::vector<DWORD> PixelsAround(POINT at, int half) {
  const int size = 2 * half;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, size, size, screen, at.x - half, at.y - half, SRCCOPY);
  ::GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + size * size);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

bool OneColour(const std::vector<DWORD>& pixels) {
  return std::all_of(pixels.begin(), pixels.end(), [&](DWORD p) { return p == pixels.front(); });
}

std::vector<DWORD> SettledIcon(POINT at) {
  std::vector<DWORD> last = PixelsAround(at);
  ULONGLONG since = ::GetTickCount64();
  WaitUntil(
      [&] {
        auto now = PixelsAround(at);
        if (now != last) {
          last = std::move(now);
          since = ::GetTickCount64();
        }
        return !OneColour(last) && ::GetTickCount64() - since >= 300;
      },
      5000);
  return last;
}

}  // namespace dorbolt::test
