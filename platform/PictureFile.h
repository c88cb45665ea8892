#pragma once
#include <windows.h>

#include <string_view>

#include "platform/Handles.h"

namespace dorbolt {

// GDI+ started for the life of this object and shut down with it. Every GDI+ object must be
// gone before the session ends.
class GdiPlusSession {
 public:
  GdiPlusSession();
  GdiPlusSession(const GdiPlusSession&) = delete;
  GdiPlusSession& operator=(const GdiPlusSession&) = delete;
  ~GdiPlusSession();

  bool Ready() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// Files larger than this are not read as pictures.
inline constexpr ULONGLONG kLargestPictureFile = 256ull * 1024 * 1024;

// Reads a picture file (bitmap, GIF, JPEG, PNG, TIFF, icon, placeable Windows metafile or
// enhanced metafile) and draws it stretched over a bitmap of `size` pixels, with `background`
// behind its transparent parts. A metafile is drawn at that size, so it stays sharp.
// Anything that is not a readable picture file (missing, a folder, a device, empty, cut
// short, damaged inside, another kind of file) gives no bitmap; it never throws. A damaged file
// never reaches the system's decoders (platform/PictureChecks.h).
UniqueBitmap LoadPictureFile(std::wstring_view path, SIZE size, COLORREF background);

}  // namespace dorbolt
