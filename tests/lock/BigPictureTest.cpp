// Backdrops that push the limits: a path too long to be read back, and pictures of
// 10,000 x 10,000 pixels. The lock shows in good time, with the picture or without it, and
// the memory the picture took is given back.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/GdiPlus.h"
#include "platform/PictureFile.h"
#include "tests/lock/LockScene.h"
#include "tests/lock/Pictures.h"

namespace dorbolt::test {
namespace {

constexpr int kSide = 10000;

// A bitmap file of two palette colours, split down the middle, written a row at a time.
bool WriteBigBmp(const std::wstring& path, int bitsPerPixel) {
  const int stride = ((kSide * bitsPerPixel + 31) / 32) * 4;
  const int colours = 1 << bitsPerPixel;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = kSide;
  info.biHeight = kSide;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.biSizeImage = static_cast<DWORD>(stride) * kSide;
  info.biClrUsed = static_cast<DWORD>(colours);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info + static_cast<DWORD>(colours) * 4;
  header.bfSize = header.bfOffBits + info.biSizeImage;
  std::vector<RGBQUAD> palette(static_cast<size_t>(colours));
  for (auto [index, colour] : {std::pair{0, kLeftColour}, std::pair{1, kRightColour}}) {
    palette[static_cast<size_t>(index)] = RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
  }
  // Palette index 0 on the left half, 1 on the right.
  std::string row(static_cast<size_t>(stride), '\0');
  for (int x = kSide / 2; x < kSide; ++x) {
    if (bitsPerPixel == 1) {
      row[static_cast<size_t>(x / 8)] = static_cast<char>(row[static_cast<size_t>(x / 8)] | (0x80 >> (x % 8)));
    } else {
      row[static_cast<size_t>(x)] = 1;
    }
  }
  std::string head(reinterpret_cast<const char*>(&header), sizeof header);
  head.append(reinterpret_cast<const char*>(&info), sizeof info);
  head.append(reinterpret_cast<const char*>(palette.data()), palette.size() * 4);
  // Written in pieces, so that the test itself never holds the whole file.
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  constexpr int kRowsAPiece = 100;
  std::string piece;
  for (int i = 0; i < kRowsAPiece; ++i) piece += row;
  DWORD written = 0;
  bool ok = ::WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr) != FALSE;
  for (int y = 0; ok && y < kSide; y += kRowsAPiece) {
    ok = ::WriteFile(file, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) && written == piece.size();
  }
  ::CloseHandle(file);
  return ok;
}

// The same picture as a PNG, through the system's encoder.
bool WriteBigPng(const std::wstring& path) {
  std::wstring bmp = path + L".bmp";
  if (!WriteBigBmp(bmp, 1)) return false;
  bool saved = false;
  {
    GdiPlusSession session;
    Gdiplus::Bitmap picture(bmp.c_str());
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count && !saved; ++i) {
      if (lstrcmpW(codecs[i].MimeType, L"image/png") == 0) {
        saved = picture.Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
      }
    }
  }
  ::DeleteFileW(bmp.c_str());
  return saved;
}

struct Memory {
  double workingSet = 0;
  double peakWorkingSet = 0;
  double pagefile = 0;
};
Memory Measure() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  constexpr double kMiB = 1024.0 * 1024.0;
  return {counters.WorkingSetSize / kMiB, counters.PeakWorkingSetSize / kMiB, counters.PagefileUsage / kMiB};
}

class BigBackdrop : public LockTest {};

TEST_F(BigBackdrop, APathTooLongToReadBackLeavesTheBackdropPlain) {
  ScratchFolder folder;
  // 2048 characters: one more than the settings can read, so the lock sees "Not Found".
  const std::wstring path = folder.Path() + L"\\" + std::wstring(2047 - folder.Path().size(), L'q');
  ASSERT_EQ(path.size(), 2048u);
  SetBackLock(path);
  WhileLocked([&] {
    EXPECT_EQ(forms.Form1().BackLock(), layout::kNotFound);
    EXPECT_FALSE(forms.Form1().HasBackdrop());
    const RECT screen = VirtualScreen();
    EXPECT_EQ(ScreenPixel(screen.left + 20, screen.top + 20), RGB(192, 192, 255));
  });
}

struct BigCase {
  const char* what;
  const wchar_t* name;
  bool (*write)(const std::wstring&);
};

const BigCase kBigCases[] = {
    {"1 bit a pixel bitmap", L"big1.bmp", [](const std::wstring& p) { return WriteBigBmp(p, 1); }},
    {"8 bits a pixel bitmap", L"big8.bmp", [](const std::wstring& p) { return WriteBigBmp(p, 8); }},
    {"PNG", L"big.png", &WriteBigPng},
};

// Bounds, generous for a loaded machine: the decoder holds the whole picture while it draws
// (at 4 bytes a pixel that is 400 MB), so the peak is bounded, not small; afterwards the
// process is back near where it was.
constexpr ULONGLONG kLockWithinMs = 30000;
constexpr double kPeakBoundMiB = 1536;
constexpr double kKeptAfterMiB = 64;

TEST_F(BigBackdrop, TenThousandPixelsSquareShowStretchedInGoodTimeAndGiveTheirMemoryBack) {
  for (const BigCase& c : kBigCases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    const std::wstring path = folder.File(c.name);
    ASSERT_TRUE(c.write(path)) << "could not write the picture";
    SetBackLock(path);
    const Memory before = Measure();
    const ULONGLONG start = ::GetTickCount64();
    ULONGLONG took = 0;
    Memory during{};
    WhileLocked([&] {
      took = ::GetTickCount64() - start;
      during = Measure();
      EXPECT_TRUE(forms.Form1().HasBackdrop());
      const RECT screen = VirtualScreen();
      const int w = screen.right - screen.left;
      const int h = screen.bottom - screen.top;
      const COLORREF left = ScreenPixel(screen.left + w / 10, screen.top + h / 10);
      const COLORREF right = ScreenPixel(screen.right - w / 10, screen.top + h / 10);
      EXPECT_TRUE(Near(left, kLeftColour, 24)) << Describe(left);
      EXPECT_TRUE(Near(right, kRightColour, 24)) << Describe(right);
    });
    PumpFor(200);
    const Memory after = Measure();
    std::printf("%s: lock shown in %llu ms; working set %.0f MiB before, %.0f while locked, %.0f after; "
                "peak %.0f MiB; pagefile %.0f / %.0f / %.0f MiB\n",
                c.what, took, before.workingSet, during.workingSet, after.workingSet, after.peakWorkingSet,
                before.pagefile, during.pagefile, after.pagefile);
    EXPECT_LT(took, kLockWithinMs);
    EXPECT_LT(after.peakWorkingSet, kPeakBoundMiB);
    EXPECT_LT(after.workingSet, before.workingSet + kKeptAfterMiB);
    EXPECT_LT(after.pagefile, before.pagefile + kKeptAfterMiB);
  }
}

}  // namespace
}  // namespace dorbolt::test
