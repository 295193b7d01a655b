#include "chart/ChartFiles.h"

#include "chart/Chart.h"
#include "chart/ChartImage.h"
#include "chart/SafeFile.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace xrt {

bool WriteBmp(const Chart& chart, int width, int height, const char* path) {
    ChartPixels pixels;
    if (!RenderPixels(chart, width, height, pixels)) return false;
    const std::vector<uint8_t> dib = PackedDib(pixels);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = static_cast<DWORD>(sizeof header + dib.size());
    header.bfOffBits = sizeof header + sizeof(BITMAPINFOHEADER);
    std::vector<uint8_t> file(sizeof header);
    std::memcpy(file.data(), &header, sizeof header);
    file.insert(file.end(), dib.begin(), dib.end());
    SafeFile target(path);
    return target.WriteAll(file.data(), file.size()) && target.Commit();
}

bool WriteEmf(const Chart& chart, int width, int height, const char* path) {
    SafeFile target(path);
    if (target.TempPath().empty()) return false;
    HENHMETAFILE metafile = RenderMetafile(chart, width, height, target.TempPath().c_str());
    if (!metafile) return false;
    DeleteEnhMetaFile(metafile);  // the file stays
    return target.Commit();
}

namespace {

#pragma pack(push, 2)
// The header that makes a Windows metafile carry its own size.
struct PlaceableHeader {
    DWORD key;
    WORD handle;
    SHORT left, top, right, bottom;
    WORD unitsPerInch;
    DWORD reserved;
    WORD checksum;
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22);

}  // namespace

bool WriteWmf(const Chart& chart, int width, int height, const char* path) {
    if (width > 32767 || height > 32767) return false;  // the header's 16-bit bounds
    HENHMETAFILE metafile = RenderMetafile(chart, width, height, nullptr);
    if (!metafile) return false;
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSX);
    const UINT size = GetWinMetaFileBits(metafile, 0, nullptr, MM_ANISOTROPIC, screen);
    std::vector<uint8_t> bits(size);
    const bool converted = size && GetWinMetaFileBits(metafile, size, bits.data(), MM_ANISOTROPIC, screen) == size;
    ReleaseDC(nullptr, screen);
    DeleteEnhMetaFile(metafile);
    if (!converted) return false;

    PlaceableHeader header{};
    header.key = 0x9AC6CDD7;
    header.right = static_cast<SHORT>(width);
    header.bottom = static_cast<SHORT>(height);
    header.unitsPerInch = static_cast<WORD>(ppi > 0 ? ppi : 96);
    const auto* words = reinterpret_cast<const WORD*>(&header);
    for (int i = 0; i < 10; ++i) header.checksum ^= words[i];
    std::vector<uint8_t> file(sizeof header);
    std::memcpy(file.data(), &header, sizeof header);
    file.insert(file.end(), bits.begin(), bits.end());
    SafeFile target(path);
    return target.WriteAll(file.data(), file.size()) && target.Commit();
}

bool CopyToClipboard(const Chart& chart, int width, int height, int formats) {
    if (formats < 1 || formats > 3) return false;
    HGLOBAL dib = nullptr;
    if (formats & 1) {
        ChartPixels pixels;
        if (!RenderPixels(chart, width, height, pixels)) return false;
        const std::vector<uint8_t> packed = PackedDib(pixels);
        dib = GlobalAlloc(GMEM_MOVEABLE, packed.size());
        void* memory = dib ? GlobalLock(dib) : nullptr;
        if (!memory) {
            if (dib) GlobalFree(dib);
            return false;
        }
        std::memcpy(memory, packed.data(), packed.size());
        GlobalUnlock(dib);
    }
    HENHMETAFILE metafile = nullptr;
    if (formats & 2) {
        metafile = RenderMetafile(chart, width, height, nullptr);
        if (!metafile) {
            if (dib) GlobalFree(dib);
            return false;
        }
    }
    bool ok = false;
    if (OpenClipboard(chart.Window())) {
        ok = EmptyClipboard() != 0;
        // Once placed, the clipboard owns the data.
        if (ok && dib) {
            if (SetClipboardData(CF_DIB, dib)) dib = nullptr;
            else ok = false;
        }
        if (ok && metafile) {
            if (SetClipboardData(CF_ENHMETAFILE, metafile)) metafile = nullptr;
            else ok = false;
        }
        CloseClipboard();
    }
    if (dib) GlobalFree(dib);
    if (metafile) DeleteEnhMetaFile(metafile);
    return ok;
}

}  // namespace xrt
