#include "bench/Backdrop.h"

#include <cstdlib>

#include "bench/Driver.h"
#include "lock/Form1.h"
#include "platform/GdiPlus.h"
#include "platform/Handles.h"
#include "platform/PictureFile.h"

namespace dorbolt::bench {

namespace {

// A borderless topmost window over the whole screen that paints either one colour or a
// bitmap, the way the lock screen paints its backdrop.
class Canvas {
 public:
  Canvas() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Canvas::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Dorbolt.BenchCanvas";
    ::RegisterClassW(&wc);
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    window_ = UniqueWindow(::CreateWindowExW(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, x, y,
        ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr,
        wc.hInstance, this));
    ::ShowWindow(window_.get(), SW_SHOW);
    ::UpdateWindow(window_.get());
  }
  HWND Handle() const { return window_.get(); }

  void Fill(COLORREF color) {
    picture_ = nullptr;
    fill_ = color;
    Redraw();
  }
  void Show(HBITMAP picture) {
    picture_ = picture;
    Redraw();
  }

 private:
  void Redraw() {
    ::InvalidateRect(window_.get(), nullptr, FALSE);
    ::UpdateWindow(window_.get());
    ::GdiFlush();
  }
  void Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    if (!picture_) {
      UniqueBrush brush(::CreateSolidBrush(fill_));
      ::FillRect(dc, &client, brush.get());
      return;
    }
    BITMAP info{};
    ::GetObjectW(picture_, sizeof info, &info);
    MemoryDc source(dc);
    SelectScope select(source.get(), picture_);
    const int mode = ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, info.bmWidth,
                 std::abs(info.bmHeight), SRCCOPY);
    ::SetStretchBltMode(dc, mode);
  }
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<Canvas*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      self->Paint(dc);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }

  UniqueWindow window_;
  HBITMAP picture_ = nullptr;
  COLORREF fill_ = RGB(0, 0, 0);
};

COLORREF PixelOf(HBITMAP bitmap, POINT at) {
  MemoryDc dc(nullptr);
  SelectScope select(dc.get(), bitmap);
  return ::GetPixel(dc.get(), at.x, at.y);
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

SIZE SizeOfPictureFile(const std::wstring& path) {
  GdiPlusSession session;
  if (!session.Ready()) return {};
  Gdiplus::Image image(path.c_str());
  if (image.GetLastStatus() != Gdiplus::Ok) return {};
  return SIZE{static_cast<LONG>(image.GetWidth()), static_cast<LONG>(image.GetHeight())};
}

}  // namespace

BackdropFigures MeasureBackdrop(const std::wstring& path, int runs) {
  BackdropFigures figures;
  figures.picture = SizeOfPictureFile(path);
  figures.target = SIZE{::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  Canvas canvas;
  const ScreenPixels screen;
  const POINT probe{figures.target.cx / 2, figures.target.cy / 2};
  for (int run = 0; run < runs; ++run) {
    const double decodeFrom = NowMs();
    UniqueBitmap picture = LoadPictureFile(path, figures.target, Form1::kBackColor);
    const double decoded = NowMs();
    if (!picture) {
      figures.problem = L"the picture did not load";
      return figures;
    }
    figures.decode.Add(decoded - decodeFrom);

    // Start each paint from a colour far from the picture's, already on the screen.
    const COLORREF expected = PixelOf(picture.get(), probe);
    const COLORREF contrast = GetRValue(expected) + GetGValue(expected) + GetBValue(expected) > 384
                                  ? RGB(0, 0, 0)
                                  : RGB(255, 255, 255);
    canvas.Fill(contrast);
    if (!PollUntil([&] { return Near(screen.At(probe), contrast); }, 3000)) {
      figures.problem = L"the window never showed on the screen";
      return figures;
    }
    const double paintFrom = NowMs();
    canvas.Show(picture.get());
    if (!PollUntil([&] { return Near(screen.At(probe), expected); }, 5000)) {
      figures.problem = L"the painted picture never reached the screen";
      return figures;
    }
    figures.paint.Add(NowMs() - paintFrom);
    canvas.Fill(contrast);  // nothing may paint the bitmap once it is gone
  }
  return figures;
}

}  // namespace dorbolt::bench
