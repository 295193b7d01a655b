#include "chart/ChartImage.h"

#include "chart/ChartPainter.h"

#include <cstring>

namespace xrt {

bool RenderPixels(const Chart& chart, int width, int height, ChartPixels& out) {
    // Beyond this a single chart image is certainly a mistake, not a picture.
    constexpr int kMaxSide = 16384;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        PaintChart(chart, dc, 0, 0, width, height);
        GdiFlush();
        out.width = width;
        out.height = height;
        out.stride = (width * 3 + 3) & ~3;
        const auto* first = static_cast<const uint8_t*>(bits);
        out.bits.assign(first, first + static_cast<size_t>(out.stride) * height);
        SelectObject(dc, old);
        ok = true;
    }
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return ok;
}

HENHMETAFILE RenderMetafile(const Chart& chart, int width, int height, const char* path) {
    if (width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    // The frame is in hundredths of a millimetre, from the screen's size per pixel.
    const int mmWide = GetDeviceCaps(screen, HORZSIZE), mmHigh = GetDeviceCaps(screen, VERTSIZE);
    const int pxWide = GetDeviceCaps(screen, HORZRES), pxHigh = GetDeviceCaps(screen, VERTRES);
    RECT frame{0, 0, MulDiv(width, mmWide * 100, pxWide), MulDiv(height, mmHigh * 100, pxHigh)};
    HDC dc = CreateEnhMetaFileA(screen, path, &frame, "Clastor\0Chart\0");
    ReleaseDC(nullptr, screen);
    if (!dc) return nullptr;
    PaintChart(chart, dc, 0, 0, width, height);
    return CloseEnhMetaFile(dc);
}

std::vector<uint8_t> PackedDib(const ChartPixels& pixels) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = pixels.width;
    header.biHeight = pixels.height;  // bottom-up, which every reader accepts
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(pixels.stride) * pixels.height;
    std::vector<uint8_t> dib(sizeof header + header.biSizeImage);
    std::memcpy(dib.data(), &header, sizeof header);
    uint8_t* rows = dib.data() + sizeof header;
    for (int row = 0; row < pixels.height; ++row)
        std::memcpy(rows + static_cast<size_t>(pixels.height - 1 - row) * pixels.stride,
                    pixels.bits.data() + static_cast<size_t>(row) * pixels.stride, pixels.stride);
    return dib;
}

}  // namespace xrt
