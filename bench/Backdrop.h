#pragma once
#include <windows.h>

#include <string>

#include "bench/Figures.h"

namespace dorbolt::bench {

struct BackdropFigures {
  SIZE picture{};       // the file's own size in pixels
  SIZE target{};        // what it was decoded to: the screen
  Samples decode;       // reading and stretching it to the target
  Samples paint;        // drawing that bitmap into a window until the screen shows it
  std::wstring problem; // empty when every run worked
};

// Decodes and paints a picture file the way the lock screen does its backdrop, `runs` times.
BackdropFigures MeasureBackdrop(const std::wstring& path, int runs);

}  // namespace dorbolt::bench
