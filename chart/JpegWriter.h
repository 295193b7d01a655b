// JPEG files through the IJG library.
#pragma once

#include "chart/ChartImage.h"

namespace xrt {

// Writes the pixels as a baseline JPEG of `quality` (1..100) to `path`.
// False on any error; the old file at `path` then stays as it was.
bool WriteJpeg(const ChartPixels& pixels, const char* path, int quality);

}  // namespace xrt
