// The chart rendered off screen: as 24-bit pixels and as an enhanced metafile.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace xrt {

class Chart;

// 24-bit pixels, top row first, rows padded to four bytes, blue-green-red.
struct ChartPixels {
    int width = 0, height = 0;
    int stride = 0;
    std::vector<uint8_t> bits;
};

// False when the size is empty or GDI is out of resources.
bool RenderPixels(const Chart& chart, int width, int height, ChartPixels& out);

// An enhanced metafile of the chart at `width` x `height` screen pixels,
// written to `path` when given, else kept in memory. Null on failure.
HENHMETAFILE RenderMetafile(const Chart& chart, int width, int height, const char* path);

// A packed DIB (BITMAPINFOHEADER, then the pixels, bottom row first), as the
// clipboard and BMP files hold it.
std::vector<uint8_t> PackedDib(const ChartPixels& pixels);

}  // namespace xrt
