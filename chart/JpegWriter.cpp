#include "chart/JpegWriter.h"

#include "chart/SafeFile.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace xrt {
namespace {

// The library's own error handler ends the process; ours jumps back instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown to anyone

// Only plain data lives in this frame, so leaving it by longjmp is safe.
bool Compress(FILE* file, const uint8_t* rgb, int width, int height, int quality) {
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.output_message = OnMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<size_t>(info.next_scanline) * width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

bool WriteJpeg(const ChartPixels& pixels, const char* path, int quality) {
    if (pixels.width <= 0 || pixels.height <= 0 || quality < 1 || quality > 100) return false;
    // The library wants red-green-blue rows without padding.
    std::vector<uint8_t> rgb(static_cast<size_t>(pixels.width) * pixels.height * 3);
    for (int y = 0; y < pixels.height; ++y) {
        const uint8_t* from = pixels.bits.data() + static_cast<size_t>(y) * pixels.stride;
        uint8_t* to = rgb.data() + static_cast<size_t>(y) * pixels.width * 3;
        for (int x = 0; x < pixels.width; ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    SafeFile target(path);
    if (target.TempPath().empty()) return false;
    FILE* file = std::fopen(target.TempPath().c_str(), "wb");
    if (!file) return false;
    const bool compressed = Compress(file, rgb.data(), pixels.width, pixels.height, quality);
    const bool closed = std::fclose(file) == 0;
    return compressed && closed && target.Commit();
}

}  // namespace xrt
