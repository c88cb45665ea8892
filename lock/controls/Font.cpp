#include "lock/controls/Font.h"

#include <cmath>
#include <algorithm>
#include <string_view>

namespace dorbolt {

UniqueFont MakeFont(const FontSpec& wanted, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
  font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = wanted.italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring_view face = wanted.face ? wanted.face : L"";
  face.copy(font.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace dorbolt
