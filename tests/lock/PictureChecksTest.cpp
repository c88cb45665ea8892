// The structure checks that keep damaged picture files away from the system's decoders. Each
// damaged case repeats, on a valid picture, the damage of an input that crashed or hung the
// decoders in the picture fuzz loop, or an edge of the same check; every one must be refused
// both by the check and by the loader. Undamaged pictures of every kind must pass and load.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>

#include "platform/PictureChecks.h"
#include "platform/PictureFile.h"
#include "tests/lock/Pictures.h"

namespace dorbolt::test {
namespace {

constexpr SIZE kCanvas{64, 48};

std::span<const BYTE> View(const std::string& bytes) {
  return {reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()};
}

uint32_t Get32(const std::string& b, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
uint16_t Get16(const std::string& b, size_t at) {
  uint16_t v = 0;
  std::memcpy(&v, b.data() + at, 2);
  return v;
}
void Put32(std::string& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
void Put16(std::string& b, size_t at, uint16_t v) { std::memcpy(b.data() + at, &v, 2); }
uint32_t GetBig32(const std::string& b, size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.data() + at);
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
void PutBig32(std::string& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

std::string Valid(PictureKind kind) {
  ScratchFolder folder;
  const std::wstring path = folder.File(L"valid");
  return WriteTwoColourPicture(path, kind) ? ReadBytes(path) : std::string();
}

// The first record of an enhanced metafile of this type, by walking the record sizes.
size_t EmfRecord(const std::string& b, uint32_t type) {
  for (size_t at = 0; at + 8 <= b.size() && Get32(b, at + 4) >= 8; at += Get32(b, at + 4)) {
    if (Get32(b, at) == type) return at;
  }
  return 0;
}

// The first record of a placeable Windows metafile with this function.
size_t WmfRecord(const std::string& b, uint16_t function) {
  for (size_t at = 22 + 18; at + 6 <= b.size() && Get32(b, at) >= 3; at += 2 * size_t{Get32(b, at)}) {
    if (Get16(b, at + 4) == function) return at;
  }
  return 0;
}

// A PNG chunk of this type, and the checksum that makes its damage look deliberate.
size_t PngChunk(const std::string& b, const char* type) {
  for (size_t at = 8; at + 12 <= b.size(); at += 12 + size_t{GetBig32(b, at)}) {
    if (b.compare(at + 4, 4, type) == 0) return at;
  }
  return 0;
}
void FixPngCrc(std::string& b, size_t chunk) {
  const size_t length = GetBig32(b, chunk);
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = chunk + 4; i < chunk + 8 + length; ++i) {
    c ^= static_cast<unsigned char>(b[i]);
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  PutBig32(b, chunk + 8 + length, c ^ 0xFFFFFFFFu);
}

// A bottom-up run-length bitmap of 8 x 2 pixels, four colours, with the given coded pixels.
std::string RunLengthBitmap(bool fourBit, const std::string& pixels) {
  const uint32_t colours = 4;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = 8;
  info.biHeight = 2;
  info.biPlanes = 1;
  info.biBitCount = fourBit ? 4 : 8;
  info.biCompression = fourBit ? BI_RLE4 : BI_RLE8;
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  info.biClrUsed = colours;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info + colours * 4;
  header.bfSize = header.bfOffBits + info.biSizeImage;
  std::string file(reinterpret_cast<const char*>(&header), sizeof header);
  file.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (COLORREF c : {kLeftColour, kRightColour, RGB(0, 0, 0), RGB(255, 255, 255)}) {
    const RGBQUAD quad{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    file.append(reinterpret_cast<const char*>(&quad), sizeof quad);
  }
  return file + pixels;
}
std::string Codes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}
// Each row: four of colour 0, then four given one by one (absolute), then end of line.
const std::string kRle8Rows = Codes({4, 0, 0, 4, 1, 1, 1, 1, 0, 0, 4, 0, 0, 4, 1, 1, 1, 1, 0, 1});
const std::string kRle4Rows = Codes({4, 0x00, 0, 4, 0x11, 0x11, 0, 0, 4, 0x00, 0, 4, 0x11, 0x11, 0, 1});

bool Loads(const std::string& bytes) {
  ScratchFolder folder;
  const std::wstring path = folder.File(L"picture");
  return WriteBytes(path, bytes) && static_cast<bool>(LoadPictureFile(path, kCanvas, RGB(0, 0, 0)));
}

TEST(PictureChecks, UndamagedPicturesOfEveryKindPassAndLoad) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"a bitmap", Valid(PictureKind::Bmp)},
      {"a GIF", Valid(PictureKind::Gif)},
      {"a JPEG", Valid(PictureKind::Jpeg)},
      {"a PNG", Valid(PictureKind::Png)},
      {"a TIFF", Valid(PictureKind::Tiff)},
      {"a placeable Windows metafile", Valid(PictureKind::PlaceableWmf)},
      {"an enhanced metafile", Valid(PictureKind::Emf)},
      {"an 8-bit run-length bitmap", RunLengthBitmap(false, kRle8Rows)},
      {"a 4-bit run-length bitmap", RunLengthBitmap(true, kRle4Rows)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(c.bytes.empty());
    EXPECT_TRUE(MayDecodePicture(View(c.bytes)));
    EXPECT_TRUE(Loads(c.bytes));
  }
}

TEST(PictureChecks, DamagedPicturesAreRefusedBeforeAnyDecoderSeesThem) {
  struct Case {
    const char* what;
    PictureKind kind;
    std::function<void(std::string&)> damage;
  };
  const Case cases[] = {
      // Placeable Windows metafiles: the player trusts record sizes and object indexes.
      {"metafile: placing header's checksum wrong", PictureKind::PlaceableWmf, [](std::string& b) { b[20] ^= 1; }},
      {"metafile: header size not 9 words", PictureKind::PlaceableWmf, [](std::string& b) { Put16(b, 22 + 2, 10); }},
      {"metafile: declared size past the file", PictureKind::PlaceableWmf,
       [](std::string& b) { Put32(b, 22 + 6, static_cast<uint32_t>(b.size())); }},
      {"metafile: a record of no size", PictureKind::PlaceableWmf, [](std::string& b) { Put32(b, 22 + 18, 0); }},
      {"metafile: a record longer than the file", PictureKind::PlaceableWmf,
       [](std::string& b) { Put32(b, 22 + 18, 0x00FFFFFF); }},
      {"metafile: selecting an object just past the table", PictureKind::PlaceableWmf,
       [](std::string& b) { Put16(b, WmfRecord(b, META_SELECTOBJECT) + 6, Get16(b, 22 + 10)); }},
      {"metafile: deleting an object far past the table", PictureKind::PlaceableWmf,
       [](std::string& b) { Put16(b, WmfRecord(b, META_DELETEOBJECT) + 6, 0x7001); }},
      {"metafile: cut short", PictureKind::PlaceableWmf, [](std::string& b) { b.resize(b.size() - 6); }},
      // Enhanced metafiles: the fuzz loop's crashers and hangs.
      {"enhanced metafile: a fill naming a source bitmap that is not there", PictureKind::Emf,
       [](std::string& b) { Put32(b, EmfRecord(b, EMR_BITBLT) + 84, 0x0BE6D6DE); }},
      {"enhanced metafile: a source bitmap's header running past the record", PictureKind::Emf,
       [](std::string& b) {
         const size_t blt = EmfRecord(b, EMR_BITBLT);
         Put32(b, blt + 84, 8);
         Put32(b, blt + 88, 0x1000);
       }},
      {"enhanced metafile: a frame whose left lies past its right", PictureKind::Emf,
       [](std::string& b) { Put32(b, 24, 0x6DFA); }},
      {"enhanced metafile: bounds far off any screen", PictureKind::Emf, [](std::string& b) { Put32(b, 16, 0x552F0000); }},
      {"enhanced metafile: records going on past its end record", PictureKind::Emf,
       [](std::string& b) {
         b += b.substr(EmfRecord(b, EMR_DELETEOBJECT), 12);
         Put32(b, 48, static_cast<uint32_t>(b.size()));
       }},
      {"enhanced metafile: deleting a stock object that does not exist", PictureKind::Emf,
       [](std::string& b) { Put32(b, EmfRecord(b, EMR_DELETEOBJECT) + 8, 0xE15C296A); }},
      {"enhanced metafile: selecting a slot past the table", PictureKind::Emf,
       [](std::string& b) { Put32(b, EmfRecord(b, EMR_SELECTOBJECT) + 8, 0x70000001); }},
      // Bitmaps.
      {"bitmap: pixels said to start past the file", PictureKind::Bmp,
       [](std::string& b) { Put32(b, 10, static_cast<uint32_t>(b.size())); }},
      {"bitmap: pixels cut short", PictureKind::Bmp, [](std::string& b) { b.resize(b.size() - 100); }},
      {"bitmap: an info header of no known size", PictureKind::Bmp, [](std::string& b) { Put32(b, 14, 41); }},
      {"bitmap: no width", PictureKind::Bmp, [](std::string& b) { Put32(b, 18, 0); }},
      {"bitmap: a height beyond any screen", PictureKind::Bmp, [](std::string& b) { Put32(b, 22, 0x80000000u); }},
      {"bitmap: two planes", PictureKind::Bmp, [](std::string& b) { Put16(b, 26, 2); }},
      {"bitmap: seven bits a pixel", PictureKind::Bmp, [](std::string& b) { Put16(b, 28, 7); }},
      {"bitmap: run-length coding on 24-bit pixels", PictureKind::Bmp, [](std::string& b) { Put32(b, 30, BI_RLE8); }},
      {"bitmap: a palette larger than the file", PictureKind::Bmp, [](std::string& b) { Put32(b, 46, 0x01000000); }},
      {"bitmap: a run past the end of the line", PictureKind::Bmp,
       [](std::string& b) { b = RunLengthBitmap(false, Codes({9, 0, 0, 1})); }},
      {"bitmap: a move past the last line", PictureKind::Bmp,
       [](std::string& b) { b = RunLengthBitmap(false, Codes({0, 2, 0, 3, 2, 1, 0, 1})); }},
      {"bitmap: absolute pixels running past the data", PictureKind::Bmp,
       [](std::string& b) { b = RunLengthBitmap(true, Codes({0, 8, 0x11})); }},
      {"bitmap: run-length data with no end mark", PictureKind::Bmp,
       [](std::string& b) { b = RunLengthBitmap(false, kRle8Rows.substr(0, kRle8Rows.size() - 2)); }},
      // PNG: checksums catch nearly every change.
      {"PNG: one bit of the image data flipped", PictureKind::Png,
       [](std::string& b) { b[PngChunk(b, "IDAT") + 10] ^= 0x10; }},
      {"PNG: a chunk longer than the file", PictureKind::Png,
       [](std::string& b) { PutBig32(b, PngChunk(b, "IDAT"), 0x00FFFFFF); }},
      {"PNG: cut before its end chunk", PictureKind::Png, [](std::string& b) { b.resize(PngChunk(b, "IEND")); }},
      {"PNG: three bits a sample, checksum made to match", PictureKind::Png,
       [](std::string& b) {
         b[8 + 8 + 8] = 3;
         FixPngCrc(b, 8);
       }},
      {"PNG: no width, checksum made to match", PictureKind::Png,
       [](std::string& b) {
         PutBig32(b, 8 + 8, 0);
         FixPngCrc(b, 8);
       }},
      // JPEG.
      {"JPEG: first segment longer than the file", PictureKind::Jpeg, [](std::string& b) { b[4] = static_cast<char>(0xA9); }},
      {"JPEG: cut inside its coded data", PictureKind::Jpeg, [](std::string& b) { b.resize(b.size() / 2); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = Valid(c.kind);
    ASSERT_FALSE(bytes.empty());
    c.damage(bytes);
    EXPECT_FALSE(MayDecodePicture(View(bytes)));
    EXPECT_FALSE(Loads(bytes));
  }
}

TEST(PictureChecks, EachCheckRefusesOtherKindsAndOtherBytesGoToTheDecoders) {
  const std::string png = Valid(PictureKind::Png);
  const std::string bmp = Valid(PictureKind::Bmp);
  EXPECT_FALSE(IsWellFormedBitmapFile(View(png)));
  EXPECT_FALSE(IsWellFormedPng(View(bmp)));
  EXPECT_FALSE(IsWellFormedEnhancedMetafile(View(bmp)));
  EXPECT_FALSE(IsWellFormedPlaceableMetafile(View(png)));
  EXPECT_FALSE(IsWellFormedJpeg(View(png)));
  // Text, or a kind no check knows: the decoders say no on their own.
  const std::string text = "not a picture at all";
  EXPECT_TRUE(MayDecodePicture(View(text)));
  EXPECT_FALSE(Loads(text));
}

}  // namespace
}  // namespace dorbolt::test
