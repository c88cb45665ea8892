#pragma once
#include <windows.h>

#include "platform/Handles.h"

namespace dorbolt {

// A font as the layouts name it: face, size in points, weight.
struct FontSpec {
  const wchar_t* face = nullptr;
  double points = 0;
  bool bold = false;
  bool italic = false;
};

UniqueFont MakeFont(const FontSpec& wanted, int dpi);

}  // namespace dorbolt
