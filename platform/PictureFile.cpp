#include "platform/PictureFile.h"

#include <objbase.h>

#include <algorithm>

#include <string>
#include <vector>

#include "platform/GdiPlus.h"
#include "platform/PictureChecks.h"

namespace dorbolt {

GdiPlusSession::GdiPlusSession() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

GdiPlusSession::~GdiPlusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

namespace {

struct StreamTraits {
  static void Close(IStream* stream) { stream->Release(); }
};
using UniqueStream = UniqueHandle<IStream*, StreamTraits>;

struct GlobalTraits {
  static void Close(HGLOBAL memory) { ::GlobalFree(memory); }
};
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalTraits>;

// The path as the file calls need it: a full path longer than the classic limit gets the
// prefix that lifts the limit, so that any path the settings can hold can be opened.
std::wstring OpenablePath(std::wstring_view path) {
  const std::wstring given(path);
  const DWORD needed = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return given;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return given;
  full.resize(length);
  if (full.size() < MAX_PATH || full.rfind(L"\\\\?\\", 0) == 0) return full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// The whole file as a stream in memory, so that the decoder neither holds the file open nor
// waits on anything that is not a file on a disk.
UniqueStream ReadWholeFile(std::wstring_view path) {
  if (path.empty() || path.find(L'\0') != std::wstring_view::npos) return {};
  const std::wstring openable = OpenablePath(path);
  // A folder cannot be opened this way, and a device or pipe is no disk file.
  HANDLE opened = ::CreateFileW(openable.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  UniqueKernelHandle file(opened);
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return {};
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      static_cast<ULONGLONG>(size.QuadPart) > kLargestPictureFile) {
    return {};
  }
  const auto bytes = static_cast<SIZE_T>(size.QuadPart);
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return {};
  {
    void* data = ::GlobalLock(memory.get());
    if (!data) return {};
    SIZE_T done = 0;
    while (done < bytes) {
      const DWORD chunk = static_cast<DWORD>(std::min<SIZE_T>(bytes - done, 1u << 24));
      DWORD read = 0;
      if (!::ReadFile(file.get(), static_cast<BYTE*>(data) + done, chunk, &read, nullptr) || read == 0) break;
      done += read;
    }
    // A damaged file is no picture, and never reaches a decoder that would trust it.
    const bool whole = done == bytes && MayDecodePicture({static_cast<const BYTE*>(data), bytes});
    ::GlobalUnlock(memory.get());
    if (!whole) return {};
  }
  IStream* stream = nullptr;
  // The stream frees the memory when it goes.
  if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream)) || !stream) return {};
  memory.release();
  return UniqueStream(stream);
}

// A top-down 32-bit bitmap of the given size, with its pixels.
UniqueBitmap MakeCanvas(SIZE size, void*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  UniqueBitmap canvas(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bits) canvas.reset();
  return canvas;
}

bool DrawStretched(Gdiplus::Image& picture, const UniqueBitmap& canvas, void* bits, SIZE size,
                   COLORREF background) {
  Gdiplus::Bitmap target(size.cx, size.cy, size.cx * 4, PixelFormat32bppRGB,
                         static_cast<BYTE*>(bits));
  if (target.GetLastStatus() != Gdiplus::Ok || !canvas) return false;
  Gdiplus::Graphics graphics(&target);
  if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
  graphics.Clear(Gdiplus::Color(GetRValue(background), GetGValue(background), GetBValue(background)));
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  const Gdiplus::Rect whole(0, 0, size.cx, size.cy);
  if (picture.GetType() == Gdiplus::ImageTypeMetafile) {
    return graphics.DrawImage(&picture, whole) == Gdiplus::Ok;
  }
  // Mirrored edges keep the resampling from fading the border into the background.
  Gdiplus::ImageAttributes edges;
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  return graphics.DrawImage(&picture, whole, 0, 0, static_cast<INT>(picture.GetWidth()),
                            static_cast<INT>(picture.GetHeight()), Gdiplus::UnitPixel,
                            &edges) == Gdiplus::Ok;
}

}  // namespace

UniqueBitmap LoadPictureFile(std::wstring_view path, SIZE size, COLORREF background) {
  if (size.cx <= 0 || size.cy <= 0) return {};
  UniqueStream stream = ReadWholeFile(path);
  if (!stream) return {};
  GdiPlusSession session;
  if (!session.Ready()) return {};
  void* bits = nullptr;
  UniqueBitmap canvas = MakeCanvas(size, bits);
  if (!canvas) return {};
  {
    Gdiplus::Image picture(stream.get());
    if (picture.GetLastStatus() != Gdiplus::Ok || picture.GetWidth() == 0 || picture.GetHeight() == 0) {
      return {};
    }
    if (!DrawStretched(picture, canvas, bits, size, background)) return {};
  }
  ::GdiFlush();
  return canvas;
}

}  // namespace dorbolt
