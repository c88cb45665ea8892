#include "tests/lock/Pictures.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/GdiPlus.h"
#include "platform/PictureFile.h"

namespace dorbolt::test {

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

bool Encoder(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (lstrcmpW(codecs[i].MimeType, mime) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

Gdiplus::Color Colour(COLORREF c, BYTE alpha = 255) {
  return Gdiplus::Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

bool SaveAs(Gdiplus::Bitmap& bitmap, const std::wstring& path, const wchar_t* mime, long quality = -1) {
  CLSID clsid{};
  if (!Encoder(mime, clsid)) return false;
  Gdiplus::EncoderParameters parameters{};
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  ULONG value = static_cast<ULONG>(quality);
  parameters.Parameter[0].Value = &value;
  return bitmap.Save(path.c_str(), &clsid, quality >= 0 ? &parameters : nullptr) == Gdiplus::Ok;
}

bool WriteRaster(const std::wstring& path, const wchar_t* mime) {
  GdiPlusSession session;
  if (!session.Ready()) return false;
  Gdiplus::Bitmap bitmap(kWidth, kHeight, PixelFormat24bppRGB);
  {
    Gdiplus::Graphics g(&bitmap);
    Gdiplus::SolidBrush left(Colour(kLeftColour));
    Gdiplus::SolidBrush right(Colour(kRightColour));
    g.FillRectangle(&left, 0, 0, kWidth / 2, kHeight);
    g.FillRectangle(&right, kWidth / 2, 0, kWidth / 2, kHeight);
  }
  return SaveAs(bitmap, path, mime, lstrcmpW(mime, L"image/jpeg") == 0 ? 95 : -1);
}

void DrawHalves(HDC dc) {
  const RECT left{0, 0, kWidth / 2, kHeight};
  const RECT right{kWidth / 2, 0, kWidth, kHeight};
  HBRUSH l = ::CreateSolidBrush(kLeftColour);
  HBRUSH r = ::CreateSolidBrush(kRightColour);
  ::FillRect(dc, &left, l);
  ::FillRect(dc, &right, r);
  ::DeleteObject(l);
  ::DeleteObject(r);
}

bool WriteEmf(const std::wstring& path) {
  HDC dc = ::CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, L"Dorbolt test\0halves\0");
  if (!dc) return false;
  DrawHalves(dc);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  if (!emf) return false;
  ::DeleteEnhMetaFile(emf);
  return true;
}

// A Windows metafile; with `placeable`, behind the header that gives its size and place.
bool WriteWmf(const std::wstring& path, bool placeable) {
  HDC dc = ::CreateMetaFileW(nullptr);
  if (!dc) return false;
  ::SetWindowOrgEx(dc, 0, 0, nullptr);
  ::SetWindowExtEx(dc, kWidth, kHeight, nullptr);
  DrawHalves(dc);
  HMETAFILE wmf = ::CloseMetaFile(dc);
  if (!wmf) return false;
  const UINT size = ::GetMetaFileBitsEx(wmf, 0, nullptr);
  std::string bits(size, '\0');
  ::GetMetaFileBitsEx(wmf, size, bits.data());
  ::DeleteMetaFile(wmf);
  std::string file;
  if (placeable) {
    const WORD header[10] = {0xCDD7, 0x9AC6, 0, 0, 0, kWidth, kHeight, 96, 0, 0};
    WORD sum = 0;
    for (WORD word : header) sum ^= word;
    file.append(reinterpret_cast<const char*>(header), sizeof header);
    file.append(reinterpret_cast<const char*>(&sum), sizeof sum);
  }
  file += bits;
  return WriteBytes(path, file);
}

// A GIF written by hand: the system's GIF encoder is not to be trusted everywhere (Wine's
// writes a file that nothing reads). The codes stay three bits wide: a clear code after every
// two pixels keeps the decoder's table from growing, so no compression is needed.
bool WriteGif(const std::wstring& path) {
  std::string file = "GIF89a";
  const auto word = [&file](int value) {
    file += static_cast<char>(value & 0xFF);
    file += static_cast<char>((value >> 8) & 0xFF);
  };
  word(kWidth);
  word(kHeight);
  file += static_cast<char>(0x91);  // a global table of four colours
  file += '\0';
  file += '\0';
  for (COLORREF c : {kLeftColour, kRightColour, RGB(0, 0, 0), RGB(255, 255, 255)}) {
    file += static_cast<char>(GetRValue(c));
    file += static_cast<char>(GetGValue(c));
    file += static_cast<char>(GetBValue(c));
  }
  file += ',';
  word(0);
  word(0);
  word(kWidth);
  word(kHeight);
  file += '\0';
  file += '\2';  // smallest code size

  std::string data;
  unsigned bits = 0;
  int count = 0;
  const auto put = [&](unsigned code) {
    bits |= code << count;
    count += 3;
    while (count >= 8) {
      data += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  constexpr unsigned kClear = 4;
  constexpr unsigned kEnd = 5;
  int pixel = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x, ++pixel) {
      if (pixel % 2 == 0) put(kClear);
      put(x < kWidth / 2 ? 0u : 1u);
    }
  }
  put(kEnd);
  if (count > 0) data += static_cast<char>(bits & 0xFF);
  for (size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    file += static_cast<char>(block.size());
    file += block;
  }
  file += '\0';
  file += ';';
  return WriteBytes(path, file);
}

// A deterministic sprinkle of numbers for the stars.
unsigned Next(unsigned& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

}  // namespace

bool WriteTwoColourPicture(const std::wstring& path, PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp:
      return WriteRaster(path, L"image/bmp");
    case PictureKind::Gif:
      return WriteGif(path);
    case PictureKind::Jpeg:
      return WriteRaster(path, L"image/jpeg");
    case PictureKind::Png:
      return WriteRaster(path, L"image/png");
    case PictureKind::Tiff:
      return WriteRaster(path, L"image/tiff");
    case PictureKind::PlaceableWmf:
      return WriteWmf(path, true);
    case PictureKind::PlainWmf:
      return WriteWmf(path, false);
    case PictureKind::Emf:
      return WriteEmf(path);
  }
  return false;
}

bool WriteLandscape(const std::wstring& path, int width, int height) {
  GdiPlusSession session;
  if (!session.Ready()) return false;
  Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
  {
    Gdiplus::Graphics g(&bitmap);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const auto w = static_cast<Gdiplus::REAL>(width);
    const auto h = static_cast<Gdiplus::REAL>(height);
    const Gdiplus::REAL horizon = h * 0.62f;

    // Sky: night blue overhead, warm at the horizon.
    Gdiplus::LinearGradientBrush sky(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, horizon),
                                     Gdiplus::Color(255, 14, 24, 58), Gdiplus::Color(255, 238, 150, 96));
    const Gdiplus::Color skyColours[] = {Gdiplus::Color(255, 14, 24, 58), Gdiplus::Color(255, 52, 60, 120),
                                         Gdiplus::Color(255, 168, 102, 132), Gdiplus::Color(255, 240, 160, 100)};
    const Gdiplus::REAL skyStops[] = {0.0f, 0.45f, 0.8f, 1.0f};
    sky.SetInterpolationColors(skyColours, skyStops, 4);
    g.FillRectangle(&sky, Gdiplus::RectF(0, 0, w, horizon + 2));

    // Stars in the dark upper sky.
    unsigned seed = 20260101u;
    for (int i = 0; i < width * height / 9000; ++i) {
      const auto x = static_cast<Gdiplus::REAL>(Next(seed) % static_cast<unsigned>(width));
      const auto y = static_cast<Gdiplus::REAL>(Next(seed) % static_cast<unsigned>(height * 0.35));
      const auto r = 0.6f + static_cast<Gdiplus::REAL>(Next(seed) % 10) / 10.0f;
      Gdiplus::SolidBrush star(Gdiplus::Color(static_cast<BYTE>(120 + Next(seed) % 130), 255, 255, 240));
      g.FillEllipse(&star, x, y, r * 2, r * 2);
    }

    // The low sun's glow.
    Gdiplus::GraphicsPath glow;
    const Gdiplus::REAL sunX = w * 0.68f;
    const Gdiplus::REAL radius = h * 0.32f;
    glow.AddEllipse(sunX - radius, horizon - radius, radius * 2, radius * 2);
    Gdiplus::PathGradientBrush halo(&glow);
    halo.SetCenterColor(Gdiplus::Color(200, 255, 226, 170));
    Gdiplus::Color rim(0, 255, 200, 140);
    INT rims = 1;
    halo.SetSurroundColors(&rim, &rims);
    g.FillPath(&halo, &glow);
    Gdiplus::SolidBrush sun(Gdiplus::Color(255, 255, 236, 200));
    const Gdiplus::REAL sunR = h * 0.035f;
    g.FillEllipse(&sun, sunX - sunR, horizon - sunR * 1.4f, sunR * 2, sunR * 2);

    // Three ranges of hills, darker as they come nearer.
    struct Range {
      Gdiplus::REAL base;
      Gdiplus::REAL height;
      Gdiplus::REAL waves;
      Gdiplus::REAL phase;
      Gdiplus::Color colour;
    };
    const Range ranges[] = {
        {horizon + h * 0.02f, h * 0.10f, 3.0f, 0.3f, Gdiplus::Color(255, 104, 76, 120)},
        {horizon + h * 0.10f, h * 0.12f, 2.2f, 1.9f, Gdiplus::Color(255, 62, 46, 88)},
        {horizon + h * 0.22f, h * 0.14f, 1.6f, 4.1f, Gdiplus::Color(255, 28, 22, 48)},
    };
    for (const Range& range : ranges) {
      std::vector<Gdiplus::PointF> outline;
      const int steps = 96;
      for (int i = 0; i <= steps; ++i) {
        const Gdiplus::REAL t = static_cast<Gdiplus::REAL>(i) / steps;
        const double a = t * range.waves * 6.2831853 + range.phase;
        const auto y = static_cast<Gdiplus::REAL>(range.base - range.height * (0.55 + 0.3 * std::sin(a) +
                                                                              0.15 * std::sin(a * 2.7 + 1.3)));
        outline.emplace_back(t * w, y);
      }
      outline.emplace_back(w, h);
      outline.emplace_back(0.0f, h);
      Gdiplus::SolidBrush fill(range.colour);
      g.FillPolygon(&fill, outline.data(), static_cast<INT>(outline.size()));
    }
  }
  return SaveAs(bitmap, path, L"image/jpeg", 92);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                    written == bytes.size());
  ::CloseHandle(file);
  return ok;
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(::GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  ::CloseHandle(file);
  return bytes;
}

namespace {
void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(path.c_str());
}
}  // namespace

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"dorbolt-lock-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(::GetTickCount64());
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  // The long-path prefix, so that folders nested past the classic limit go too.
  RemoveTree(L"\\\\?\\" + path_);
}

std::string Describe(COLORREF colour) {
  char text[32];
  std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

}  // namespace dorbolt::test
