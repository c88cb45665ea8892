#pragma once
// Picture files for the lock screen's backdrop, written by the tests themselves, and what the
// screen shows.
#include <windows.h>

#include <string>

#include "tests/support/Windows.h"

namespace dorbolt::test {

// Every picture of the format table is split down the middle: this colour on the left...
inline constexpr COLORREF kLeftColour = RGB(200, 40, 40);
// ...and this one on the right.
inline constexpr COLORREF kRightColour = RGB(40, 150, 70);

enum class PictureKind { Bmp, Gif, Jpeg, Png, Tiff, PlaceableWmf, PlainWmf, Emf };

// Writes a small two-coloured picture of that kind; true on success.
bool WriteTwoColourPicture(const std::wstring& path, PictureKind kind);
// Writes a calm landscape at dusk as a JPEG, for pictures of the lock screen.
bool WriteLandscape(const std::wstring& path, int width, int height);

bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);

// A fresh, empty folder for one test's files, removed with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

std::string Describe(COLORREF colour);

}  // namespace dorbolt::test
