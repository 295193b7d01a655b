#include "view/DibJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jpeglib.h>
}

namespace {

void SetError(CString* error, LPCSTR text)
{
    if (error != nullptr)
        *error = text;
}

int ImageHeight(const BITMAPINFOHEADER* dib)
{
    return std::abs(static_cast<int>(dib->biHeight));
}

// Entries of the colour table in front of the bits.
int TableEntries(const BITMAPINFOHEADER* dib)
{
    if (dib->biBitCount > 8)
        return 0;
    const int full = 1 << dib->biBitCount;
    // A table that says it is shorter than the bit count allows is taken at its word.
    return dib->biClrUsed != 0 && static_cast<int>(dib->biClrUsed) < full ? static_cast<int>(dib->biClrUsed) : full;
}

// The library's own error handler ends the process; ours jumps back with the
// library's message.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown to anyone

// Only plain data lives in this frame, so leaving it by longjmp is safe.
bool Compress(FILE* file, const BITMAPINFOHEADER* dib, int quality, CString* error)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    errors.message[0] = '\0';
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.output_message = OnMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        SetError(error, errors.message[0] != '\0' ? errors.message : "The JPEG file could not be written");
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(dib->biWidth);
    info.image_height = static_cast<JDIMENSION>(ImageHeight(dib));
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);

    const JDIMENSION rowBytes = info.image_width * 3;
    JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, rowBytes,
                                                info.image_height);
    const bool converted = ConvertDibRows(dib, static_cast<int>(rowBytes), rows, error);
    if (converted)
        jpeg_write_scanlines(&info, rows, info.image_height);
    // An image cut short is abandoned: finishing it would complain of the missing rows.
    if (converted)
        jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return converted;
}

}  // namespace

BYTE Expand555(unsigned level)
{
    if (level == 0)
        return 0;
    if (level == 1)
        return 16;
    if (level >= 31)
        return 255;
    return static_cast<BYTE>(8 * level + 8);
}

bool ConvertDibRows(const BITMAPINFOHEADER* dib, int rowBytes, BYTE** rows, CString* error)
{
    if (dib == nullptr || rowBytes <= 0 || rows == nullptr) {
        SetError(error, "Invalid input data");
        return false;
    }
    const int bits = dib->biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        SetError(error, "Invalid bitmap bit count");
        return false;
    }
    const int width = dib->biWidth;
    const int height = ImageHeight(dib);
    if (width <= 0 || rowBytes < 3 * width) {
        SetError(error, "Invalid input data");
        return false;
    }
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(dib) + dib->biSize);
    const int entries = TableEntries(dib);
    const BYTE* image = reinterpret_cast<const BYTE*>(table + entries);
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    // Most DIBs are stored bottom-up; a negative height means top-down.
    const bool bottomUp = dib->biHeight > 0;

    for (int i = 0; i < height; ++i) {
        const BYTE* src = image + stride * static_cast<size_t>(bottomUp ? height - 1 - i : i);
        BYTE* out = rows[i];
        for (int x = 0; x < width; ++x, out += 3) {
            int index = -1;
            switch (bits) {
            case 1: index = (src[x / 8] >> (7 - x % 8)) & 1; break;
            case 4: index = (src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F; break;
            case 8: index = src[x]; break;
            case 16: {
                const unsigned pixel = src[2 * x] | (src[2 * x + 1] << 8);
                out[0] = Expand555((pixel >> 10) & 0x1F);
                out[1] = Expand555((pixel >> 5) & 0x1F);
                out[2] = Expand555(pixel & 0x1F);
                break;
            }
            case 24:
                out[0] = src[3 * x + 2];
                out[1] = src[3 * x + 1];
                out[2] = src[3 * x];
                break;
            default:
                out[0] = src[4 * x + 2];
                out[1] = src[4 * x + 1];
                out[2] = src[4 * x];
                break;
            }
            if (index >= 0) {
                // An index past a short table is black rather than whatever lies beyond it.
                const RGBQUAD c = index < entries ? table[index] : RGBQUAD{0, 0, 0, 0};
                out[0] = c.rgbRed;
                out[1] = c.rgbGreen;
                out[2] = c.rgbBlue;
            }
        }
    }
    return true;
}

bool SaveDibAsJpeg(const BITMAPINFOHEADER* dib, int quality, LPCSTR path, CString* error)
{
    if (quality < 0 || quality > 100 || dib == nullptr || path == nullptr || *path == '\0') {
        SetError(error, "Invalid input data");
        return false;
    }
    CString unused;
    if (error == nullptr)
        error = &unused;
    error->Empty();
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        *error = CString("Cannot open ") + path;
        return false;
    }
    const bool written = Compress(file, dib, quality, error);
    const bool closed = std::fclose(file) == 0;
    if (written && !closed)
        *error = CString("Cannot write ") + path;
    if (!error->IsEmpty()) {
        // Half a picture is no picture: nothing is left that looks like one.
        ::DeleteFileA(path);
        return false;
    }
    return true;
}
