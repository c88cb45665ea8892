#pragma once
#include <windows.h>

#include <span>

// Structure checks run on a picture file's bytes before any decoder sees them. The system's
// decoders and metafile players trust sizes, offsets and object slots found in the file, so a
// damaged file could make them read or write outside their buffers and end the program (and
// with it a lock). Each check says whether the bytes are a whole, well-formed file of its kind.
namespace dorbolt {

// Enhanced metafile: header, every record's size within the file, object slots within the
// table the header declares, an end record.
bool IsWellFormedEnhancedMetafile(std::span<const BYTE> data);

// Windows metafile behind its placing header: the header's key and checksum, the metafile
// header, every record's size within the file, object indexes below the declared count, an
// end record.
bool IsWellFormedPlaceableMetafile(std::span<const BYTE> data);

// Bitmap file: header sizes, dimensions, planes, bit count and compression that agree, the
// palette and the pixels within the file; run-length data walked to the end.
bool IsWellFormedBitmapFile(std::span<const BYTE> data);

// PNG: signature, every chunk within the file with its checksum right, a sane IHDR first,
// an IEND last.
bool IsWellFormedPng(std::span<const BYTE> data);

// JPEG: every marker segment within the file, one frame of sane size, a scan, and the end
// marker after the coded data.
bool IsWellFormedJpeg(std::span<const BYTE> data);

// Whether the bytes may go to the decoders. Bytes that the decoders would take for one of the
// kinds above (they tell kinds apart by their first bytes, whatever the file's name) must pass
// that kind's check; anything else passes, for the decoders to accept or refuse.
bool MayDecodePicture(std::span<const BYTE> data);

}  // namespace dorbolt
