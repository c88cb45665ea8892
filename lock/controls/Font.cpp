#include "lock/controls/Font.h"

#include <cmath>
#include <algorithm>
#include <string_view>

namespace dorbolt {

UniqueFont MakeFont(const FontSpec& spec, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(spec.points * dpi / 72.0));
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = spec.italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring_view face = spec.face ? spec.face : L"";
  face.copy(font.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace dorbolt
