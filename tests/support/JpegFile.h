// A JPEG file read back with the library: its size, its components and its
// first pixel; false when it does not decode.
#pragma once

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

struct JpegFile {
    int width = 0;
    int height = 0;
    int components = 0;
    unsigned char firstPixel[3] = {};

    bool Read(const std::string& path)
    {
        FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            return false;
        jpeg_decompress_struct info;
        Error error;
        info.err = jpeg_std_error(&error.base);
        error.base.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<Error*>(c->err)->jump, 1); };
        if (setjmp(error.jump)) {
            jpeg_destroy_decompress(&info);
            std::fclose(file);
            return false;
        }
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        width = static_cast<int>(info.output_width);
        height = static_cast<int>(info.output_height);
        components = info.output_components;
        std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[1] = {row.data()};
            const bool first = info.output_scanline == 0;
            jpeg_read_scanlines(&info, rows, 1);
            if (first)
                std::memcpy(firstPixel, row.data(), components >= 3 ? 3 : 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return true;
    }

private:
    struct Error {
        jpeg_error_mgr base;
        std::jmp_buf jump;
    };
};
