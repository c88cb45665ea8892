#pragma once
// GDI+ expects the min and max macros, which the program turns off (NOMINMAX).
#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
