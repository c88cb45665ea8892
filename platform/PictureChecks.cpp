#include "platform/PictureChecks.h"

#include <array>
#include <cstdint>

namespace dorbolt {

namespace {

// Little-endian (and, for PNG, big-endian) fields read with their bounds checked first.
class Bytes {
 public:
  explicit Bytes(std::span<const BYTE> data) : data_(data) {}
  size_t Size() const { return data_.size(); }
  bool Has(size_t at, size_t count) const { return at <= data_.size() && count <= data_.size() - at; }
  uint32_t Byte(size_t at) const { return data_[at]; }
  uint32_t Word(size_t at) const { return Byte(at) | Byte(at + 1) << 8; }
  uint32_t Dword(size_t at) const { return Word(at) | Word(at + 2) << 16; }
  int32_t Long(size_t at) const { return static_cast<int32_t>(Dword(at)); }
  uint32_t BigDword(size_t at) const { return Byte(at) << 24 | Byte(at + 1) << 16 | Byte(at + 2) << 8 | Byte(at + 3); }
  std::span<const BYTE> Part(size_t at, size_t count) const { return data_.subspan(at, count); }

 private:
  std::span<const BYTE> data_;
};

// Larger pictures than this are refused before any decoder tries to make room for them.
constexpr uint64_t kMostPixels = 1ull << 28;
constexpr uint32_t kLongestSide = 1u << 16;

bool SaneSize(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kLongestSide && height <= kLongestSide &&
         width * height <= kMostPixels;
}

// ---- enhanced metafile ----

constexpr size_t kEmfHeaderSize = 88;  // ENHMETAHEADER up to its pixel sizes
constexpr uint32_t kEmrSmallTextOut = 108;  // not in every set of headers
constexpr uint32_t kLastStockObject = 19;   // DC_PEN

bool IsEmfSlotRecord(DWORD type) {
  switch (type) {
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_SELECTPALETTE:
    case EMR_SETCOLORSPACE:
    case EMR_DELETECOLORSPACE:
    case EMR_CREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_CREATEPALETTE:
    case EMR_SETPALETTEENTRIES:
    case EMR_RESIZEPALETTE:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_EXTCREATEPEN:
    case EMR_CREATECOLORSPACE:
    case EMR_CREATECOLORSPACEW:
      return true;
    default:
      return false;
  }
}

// ---- Windows metafile ----

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kMetaHeaderSize = 18;
constexpr uint32_t kMetaEnd = 0x0000;  // the end record's function

// The parameter words of a record that name a slot of the object table.
std::span<const size_t> WmfSlotParameters(uint32_t function) {
  static constexpr size_t kSlots[] = {0, 1};
  switch (function) {
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_SELECTPALETTE:
    case META_SELECTCLIPREGION:
    case META_INVERTREGION:
    case META_PAINTREGION:
      return std::span<const size_t>(kSlots, 1);
    case META_FILLREGION:
    case META_FRAMEREGION:
      return std::span<const size_t>(kSlots, 2);
    default:
      return {};
  }
}

// ---- bitmap file ----

constexpr size_t kBitmapFileHeaderSize = 14;

bool KnownInfoHeaderSize(uint32_t size) {
  for (uint32_t known : {12u, 40u, 52u, 56u, 108u, 124u}) {
    if (size == known) return true;
  }
  return false;
}

// Run-length pixel data: every run and every move must stay inside the picture and inside
// the data, up to the end-of-picture mark.
bool RunLengthDataFits(Bytes data, size_t at, size_t end, uint32_t width, uint32_t height, bool fourBit) {
  uint64_t x = 0;
  uint64_t y = 0;
  while (true) {
    if (end - at < 2) return false;
    const uint32_t count = data.Byte(at);
    const uint32_t value = data.Byte(at + 1);
    at += 2;
    if (count > 0) {  // a run of one value
      if (y >= height || x + count > width) return false;
      x += count;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of picture
        return true;
      case 2: {  // move right and up
        if (end - at < 2) return false;
        x += data.Byte(at);
        y += data.Byte(at + 1);
        at += 2;
        if (x > width || y > height) return false;
        break;
      }
      default: {  // `value` pixels given one by one, padded to a whole word
        if (y >= height || x + value > width) return false;
        size_t bytes = fourBit ? (value + 1) / 2 : value;
        bytes += bytes % 2;
        if (end - at < bytes) return false;
        at += bytes;
        x += value;
        break;
      }
    }
  }
}

// ---- PNG ----

constexpr std::array<BYTE, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t Crc(std::span<const BYTE> bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (BYTE b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

bool ValidPngDepth(uint32_t colourType, uint32_t depth) {
  switch (colourType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

uint32_t ChunkType(const char (&name)[5]) {
  return static_cast<uint32_t>(static_cast<BYTE>(name[0])) << 24 | static_cast<uint32_t>(static_cast<BYTE>(name[1])) << 16 |
         static_cast<uint32_t>(static_cast<BYTE>(name[2])) << 8 | static_cast<BYTE>(name[3]);
}

// A device-independent bitmap: its info header at `headerAt`, its colour table within
// `headerEnd`, its pixels from `pixelsAt` to `pixelsEnd`. `paletteIndexes` when its colours
// are word indexes into a palette.
bool DibFits(Bytes data, size_t headerAt, size_t headerEnd, size_t pixelsAt, size_t pixelsEnd, bool paletteIndexes) {
  const size_t h = headerAt;
  if (headerEnd > data.Size() || pixelsEnd > data.Size() || h > headerEnd || pixelsAt > pixelsEnd ||
      !data.Has(h, 4)) {
    return false;
  }
  const uint32_t headerSize = data.Dword(h);
  if (!KnownInfoHeaderSize(headerSize) || headerSize > headerEnd - h) return false;

  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  uint32_t bitCount = 0;
  uint32_t compression = BI_RGB;
  uint64_t sizeImage = 0;
  uint64_t coloursUsed = 0;
  if (headerSize == 12) {
    width = data.Word(h + 4);
    height = data.Word(h + 6);
    planes = data.Word(h + 8);
    bitCount = data.Word(h + 10);
  } else {
    width = data.Long(h + 4);
    height = data.Long(h + 8);
    planes = data.Word(h + 12);
    bitCount = data.Word(h + 14);
    compression = data.Dword(h + 16);
    sizeImage = data.Dword(h + 20);
    coloursUsed = data.Dword(h + 32);
  }
  const bool topDown = height < 0;
  const uint64_t rows = static_cast<uint64_t>(topDown ? -height : height);
  if (width <= 0 || !SaneSize(static_cast<uint64_t>(width), rows) || planes != 1) return false;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  switch (compression) {
    case BI_RGB:
      break;
    case BI_RLE8:
      if (bitCount != 8 || topDown) return false;
      break;
    case BI_RLE4:
      if (bitCount != 4 || topDown) return false;
      break;
    case BI_BITFIELDS:
      if (bitCount != 16 && bitCount != 32) return false;
      break;
    default:
      return false;  // pictures inside bitmaps, and what no bitmap holds
  }

  // The colour masks follow a plain info header; larger headers hold them.
  const uint64_t masks = compression == BI_BITFIELDS && headerSize == 40 ? 12 : 0;
  const uint64_t largestPalette = bitCount <= 8 ? 1u << bitCount : 256;
  const uint64_t colours = coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? 1u << bitCount : 0);
  if (colours > largestPalette) return false;
  const uint64_t entrySize = paletteIndexes ? 2 : headerSize == 12 ? 3 : 4;
  if (headerSize + masks + colours * entrySize > headerEnd - h) return false;

  const size_t available = pixelsEnd - pixelsAt;
  if (compression == BI_RLE8 || compression == BI_RLE4) {
    const size_t end = sizeImage != 0 && sizeImage <= available ? pixelsAt + static_cast<size_t>(sizeImage) : pixelsEnd;
    return RunLengthDataFits(data, pixelsAt, end, static_cast<uint32_t>(width), static_cast<uint32_t>(rows),
                             compression == BI_RLE4);
  }
  const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
  return stride * rows <= available;
}

// Where a metafile record that carries bitmaps keeps their places (offset and size of the
// info, offset and size of the pixels, each relative to the record) and their colour usage.
struct DibFields {
  size_t info;
  size_t usage;
};
std::span<const DibFields> EmfBitmaps(uint32_t type) {
  static constexpr DibFields kBlt[] = {{84, 80}};
  static constexpr DibFields kMask[] = {{84, 80}, {112, 108}};
  static constexpr DibFields kPlg[] = {{96, 92}, {124, 120}};
  static constexpr DibFields kDibits[] = {{48, 64}};
  static constexpr DibFields kBrush[] = {{16, 12}};
  static constexpr DibFields kPen[] = {{12, 0}};
  switch (type) {
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
      return kBlt;
    case EMR_MASKBLT:
      return kMask;
    case EMR_PLGBLT:
      return kPlg;
    case EMR_SETDIBITSTODEVICE:
    case EMR_STRETCHDIBITS:
      return kDibits;
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
      return kBrush;
    case EMR_EXTCREATEPEN:
      return kPen;
    default:
      return {};
  }
}

// The player reads as many points, palette entries, characters or region rectangles as a
// record's counts say: the counts must fit the record's size.
bool EmfCountsFit(Bytes data, size_t at, uint64_t length, uint32_t type) {
  auto field = [&](size_t offset) -> uint64_t { return offset + 4 <= length ? data.Dword(at + offset) : ~0ull >> 8; };
  auto regionFits = [&](size_t sizeField, size_t dataAt) {
    const uint64_t size = field(sizeField);
    if (dataAt + size > length) return false;
    if (size == 0) return true;
    // RGNDATAHEADER: its own size, then the count of rectangles that follow it.
    return size >= 32 && data.Dword(at + dataAt) >= 32 &&
           data.Dword(at + dataAt) + uint64_t{data.Dword(at + dataAt + 8)} * 16 <= size;
  };
  switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      return 28 + 8 * field(24) <= length;
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return 28 + 4 * field(24) <= length;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
      const uint64_t polygons = field(24);
      const uint64_t points = field(28);
      const uint64_t pointSize = type == EMR_POLYPOLYLINE || type == EMR_POLYPOLYGON ? 8 : 4;
      if (32 + 4 * polygons + pointSize * points > length) return false;
      uint64_t counted = 0;
      for (uint64_t i = 0; i < polygons; ++i) counted += data.Dword(at + 32 + 4 * static_cast<size_t>(i));
      return counted <= points;
    }
    case EMR_POLYDRAW:
      return 28 + 9 * field(24) <= length;
    case EMR_POLYDRAW16:
      return 28 + 5 * field(24) <= length;
    case EMR_CREATEPALETTE:
      return length >= 16 && 16 + 4 * uint64_t{data.Word(at + 14)} <= length;
    case EMR_SETPALETTEENTRIES:
      return 20 + 4 * field(16) <= length;
    case EMR_GDICOMMENT:
      return 12 + field(8) <= length;
    case EMR_FILLRGN:
      return regionFits(24, 32);
    case EMR_FRAMERGN:
      return regionFits(24, 40);
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
      return regionFits(24, 28);
    case EMR_EXTSELECTCLIPRGN:
      return regionFits(8, 16);
    case EMR_EXTCREATEFONTINDIRECTW:
      return length >= 12 + sizeof(LOGFONTW);
    case EMR_EXTCREATEPEN:
      return 52 + 4 * field(48) <= length;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: {
      if (length < 76) return false;
      const uint64_t characters = field(44);
      const uint64_t textAt = field(48);
      const uint64_t spacingAt = field(72);
      const uint64_t options = field(52);
      const uint64_t textSize = characters * (type == EMR_EXTTEXTOUTW ? 2 : 1);
      const uint64_t spacingSize = characters * ((options & ETO_PDY) ? 8 : 4);
      return (characters == 0 || (textAt >= 8 && textAt + textSize <= length)) &&
             (spacingAt == 0 || characters == 0 || (spacingAt >= 8 && spacingAt + spacingSize <= length));
    }
    case kEmrSmallTextOut: {
      const uint64_t characters = field(16);
      const uint64_t options = field(20);
      const uint64_t textAt = 36 + ((options & 0x100) ? 0 : 16);  // a clipping rectangle unless told none
      return textAt + characters * ((options & 0x200) ? 1 : 2) <= length;  // one-byte characters when told
    }
    default:
      return true;
  }
}

// The player takes a bitmap's offsets on trust once the info offset is not zero.
bool EmfBitmapsFit(Bytes data, size_t record, size_t length, uint32_t type) {
  for (const DibFields& f : EmfBitmaps(type)) {
    if (f.info + 16 > length) return false;
    const size_t infoAt = data.Dword(record + f.info);
    const size_t infoSize = data.Dword(record + f.info + 4);
    const size_t bitsAt = data.Dword(record + f.info + 8);
    const size_t bitsSize = data.Dword(record + f.info + 12);
    if (infoAt == 0 && infoSize == 0) continue;  // no bitmap: a plain pattern fill
    const bool indexes = f.usage != 0 && data.Dword(record + f.usage) == DIB_PAL_COLORS;
    if (infoAt < 8 || infoAt > length || infoSize > length - infoAt || bitsAt > length ||
        bitsSize > length - bitsAt ||
        !DibFits(data, record + infoAt, record + infoAt + infoSize, record + bitsAt, record + bitsAt + bitsSize,
                 indexes)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsWellFormedEnhancedMetafile(std::span<const BYTE> bytes) {
  const Bytes data(bytes);
  if (!data.Has(0, kEmfHeaderSize) || data.Dword(0) != EMR_HEADER || data.Dword(40) != ENHMETA_SIGNATURE) {
    return false;
  }
  const size_t declared = data.Dword(48);
  const uint32_t handles = data.Word(56);
  if (declared > data.Size() || data.Dword(4) < kEmfHeaderSize) return false;
  // The frame gives the picture its size: it must have one, and a bounded one.
  constexpr int64_t kFarthest = 1 << 24;
  for (size_t at = 8; at < 40; at += 4) {
    if (data.Long(at) < -kFarthest || data.Long(at) > kFarthest) return false;
  }
  if (data.Long(32) <= data.Long(24) || data.Long(36) <= data.Long(28)) return false;
  for (size_t at = 72; at < 88; at += 4) {  // device size in pixels and millimetres
    if (data.Long(at) <= 0 || data.Long(at) > kFarthest) return false;
  }
  for (size_t at = 0; at + 8 <= declared;) {
    const uint32_t type = data.Dword(at);
    const size_t length = data.Dword(at + 4);
    if (length < 8 || length % 4 != 0 || length > declared - at) return false;
    if (IsEmfSlotRecord(type)) {
      if (length < 12) return false;
      // Slot 0 stands for the metafile itself. Stock objects can be selected, never deleted.
      const uint32_t slot = data.Dword(at + 8);
      const bool stock = (slot & 0x80000000u) != 0 && (slot & 0x7FFFFFFFu) <= kLastStockObject &&
                         (type == EMR_SELECTOBJECT || type == EMR_SELECTPALETTE);
      if (!stock && (slot == 0 || slot >= handles)) return false;
    }
    if (!EmfBitmapsFit(data, at, length, type) || !EmfCountsFit(data, at, length, type)) return false;
    if ((type == EMR_FILLRGN || type == EMR_FRAMERGN) && data.Dword(at + 28) >= handles) return false;
    if (type == EMR_EOF) {
      // The last record, its palette inside it: the player reads on to the declared size.
      if (length < 20 || at + length != declared) return false;
      const uint64_t entries = data.Dword(at + 8);
      const uint64_t entriesAt = data.Dword(at + 12);
      return entries == 0 || (entriesAt >= 20 && entriesAt + entries * 4 <= length);
    }
    at += length;
  }
  return false;  // no end record
}

bool IsWellFormedPlaceableMetafile(std::span<const BYTE> bytes) {
  const Bytes data(bytes);
  if (!data.Has(0, kPlaceableHeaderSize + kMetaHeaderSize) || data.Dword(0) != kPlaceableKey) return false;
  uint32_t sum = 0;
  for (size_t at = 0; at < 20; at += 2) sum ^= data.Word(at);
  if (sum != data.Word(20)) return false;
  const int left = static_cast<int16_t>(data.Word(6));
  const int top = static_cast<int16_t>(data.Word(8));
  const int right = static_cast<int16_t>(data.Word(10));
  const int bottom = static_cast<int16_t>(data.Word(12));
  if (right == left || bottom == top || data.Word(14) == 0) return false;  // no size, or no units

  constexpr size_t m = kPlaceableHeaderSize;  // where the metafile itself starts
  const uint32_t type = data.Word(m);
  const uint32_t version = data.Word(m + 4);
  const uint64_t words = data.Dword(m + 6);
  const uint32_t objects = data.Word(m + 10);
  if ((type != 1 && type != 2) || data.Word(m + 2) != kMetaHeaderSize / 2 ||
      (version != 0x0100 && version != 0x0300)) {
    return false;
  }
  if (words * 2 > data.Size() - m || words * 2 < kMetaHeaderSize) return false;
  const size_t end = m + static_cast<size_t>(words) * 2;
  for (size_t at = m + kMetaHeaderSize; at + 6 <= end;) {
    const uint64_t size = data.Dword(at);  // in words
    const uint32_t function = data.Word(at + 4);
    if (size < 3 || size * 2 > end - at) return false;
    if (function == kMetaEnd) return at + static_cast<size_t>(size) * 2 == end;  // the last record
    const size_t parameters = static_cast<size_t>(size) - 3;
    for (size_t p : WmfSlotParameters(function)) {
      if (p >= parameters || data.Word(at + 6 + 2 * p) >= objects) return false;
    }
    at += static_cast<size_t>(size) * 2;
  }
  return false;  // no end record
}

bool IsWellFormedBitmapFile(std::span<const BYTE> bytes) {
  const Bytes data(bytes);
  if (!data.Has(0, kBitmapFileHeaderSize + 4) || data.Byte(0) != 'B' || data.Byte(1) != 'M') return false;
  const size_t offBits = data.Dword(10);
  const size_t headerEnd = kBitmapFileHeaderSize + data.Dword(kBitmapFileHeaderSize);
  return offBits >= headerEnd && offBits < data.Size() &&
         DibFits(data, kBitmapFileHeaderSize, offBits, offBits, data.Size(), false);
}

bool IsWellFormedPng(std::span<const BYTE> bytes) {
  const Bytes data(bytes);
  if (!data.Has(0, kPngSignature.size())) return false;
  for (size_t i = 0; i < kPngSignature.size(); ++i) {
    if (data.Byte(i) != kPngSignature[i]) return false;
  }
  bool first = true;
  bool sawData = false;
  bool sawPalette = false;
  uint32_t colourType = 0;
  for (size_t at = kPngSignature.size();;) {
    if (!data.Has(at, 12)) return false;  // no end chunk
    const uint32_t length = data.BigDword(at);
    const uint32_t type = data.BigDword(at + 4);
    if (length > 0x7FFFFFFFu || !data.Has(at + 8, size_t{length} + 4)) return false;
    if (Crc(data.Part(at + 4, size_t{length} + 4)) != data.BigDword(at + 8 + length)) return false;
    const size_t body = at + 8;
    if (first != (type == ChunkType("IHDR"))) return false;  // IHDR comes first, and once
    if (first) {
      colourType = data.Byte(body + 9);
      if (length != 13 || !SaneSize(data.BigDword(body), data.BigDword(body + 4)) ||
          !ValidPngDepth(colourType, data.Byte(body + 8)) || data.Byte(body + 10) != 0 ||
          data.Byte(body + 11) != 0 || data.Byte(body + 12) > 1) {
        return false;
      }
      first = false;
    } else if (type == ChunkType("PLTE")) {
      if (length == 0 || length % 3 != 0 || length / 3 > 256) return false;
      sawPalette = true;
    } else if (type == ChunkType("IDAT")) {
      sawData = true;
    } else if (type == ChunkType("IEND")) {
      return length == 0 && sawData && (colourType != 3 || sawPalette);
    }
    at = body + length + 4;
  }
}

bool IsWellFormedJpeg(std::span<const BYTE> bytes) {
  const Bytes data(bytes);
  if (!data.Has(0, 2) || data.Byte(0) != 0xFF || data.Byte(1) != 0xD8) return false;
  bool sawFrame = false;
  bool sawScan = false;
  for (size_t at = 2;;) {
    if (!data.Has(at, 2) || data.Byte(at) != 0xFF) return false;  // cut short, or no marker where one belongs
    while (data.Has(at + 1, 2) && data.Byte(at + 1) == 0xFF) ++at;  // fill bytes before a marker
    if (!data.Has(at, 2)) return false;
    const uint32_t marker = data.Byte(at + 1);
    if (marker == 0xD9) return sawFrame && sawScan;  // end of picture
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {  // markers without a segment
      at += 2;
      continue;
    }
    if (marker == 0x00 || marker == 0xD8 || !data.Has(at + 2, 2)) return false;
    const size_t length = data.Word(at + 2) >> 8 | (data.Word(at + 2) & 0xFF) << 8;  // big-endian
    if (length < 2 || !data.Has(at + 2, length)) return false;
    const size_t body = at + 4;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) return false;
      const uint32_t height = data.Byte(body + 1) << 8 | data.Byte(body + 2);
      const uint32_t width = data.Byte(body + 3) << 8 | data.Byte(body + 4);
      const uint32_t components = data.Byte(body + 5);
      if (sawFrame || !SaneSize(width, height) || components < 1 || components > 4 || length != 8 + 3 * components) {
        return false;
      }
      sawFrame = true;
    }
    at += 2 + length;
    if (marker == 0xDA) {  // a scan: its coded data runs up to the next marker
      const uint32_t components = data.Byte(body);
      if (!sawFrame || components < 1 || components > 4 || length != 6 + 2 * components) return false;
      sawScan = true;
      while (data.Has(at, 2) && !(data.Byte(at) == 0xFF && data.Byte(at + 1) != 0x00 &&
                                   !(data.Byte(at + 1) >= 0xD0 && data.Byte(at + 1) <= 0xD7))) {
        ++at;
      }
    }
  }
}

bool MayDecodePicture(std::span<const BYTE> bytes) {
  const Bytes data(bytes);
  // The same first bytes by which the decoders choose a kind.
  if (data.Has(0, 4) && data.Dword(0) == EMR_HEADER) return IsWellFormedEnhancedMetafile(bytes);
  if (data.Has(0, 2) && data.Word(0) == (kPlaceableKey & 0xFFFF)) return IsWellFormedPlaceableMetafile(bytes);
  if (data.Has(0, 2) && data.Byte(0) == 'B' && data.Byte(1) == 'M') return IsWellFormedBitmapFile(bytes);
  if (data.Has(0, kPngSignature.size()) && data.Byte(0) == kPngSignature[0] && data.Byte(1) == 'P' &&
      data.Byte(2) == 'N' && data.Byte(3) == 'G') {
    return IsWellFormedPng(bytes);
  }
  if (data.Has(0, 2) && data.Byte(0) == 0xFF && data.Byte(1) == 0xD8) return IsWellFormedJpeg(bytes);
  return true;
}

}  // namespace dorbolt
