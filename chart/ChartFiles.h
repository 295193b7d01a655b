// The chart written to image files and put on the clipboard.
#pragma once

namespace xrt {

class Chart;

// Each writes at `width` x `height` pixels; false on any failure, and the old
// file at `path` then stays as it was.
bool WriteBmp(const Chart& chart, int width, int height, const char* path);
bool WriteEmf(const Chart& chart, int width, int height, const char* path);
// A placeable Windows metafile, the form drawing programs open by itself.
bool WriteWmf(const Chart& chart, int width, int height, const char* path);

// `formats`: 1 a bitmap (CF_DIB), 2 an enhanced metafile, 3 both.
bool CopyToClipboard(const Chart& chart, int width, int height, int formats);

}  // namespace xrt
