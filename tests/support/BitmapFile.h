// A bitmap file read back as the format lays it out: file header, 40-byte
// header, then bottom-up rows of blue, green, red padded to four bytes.
#pragma once

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

struct BitmapFile {
    int width = 0, height = 0, bits = 0;
    std::string bytes;
    DWORD offset = 0;
    bool Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
            return false;
        BITMAPFILEHEADER file;
        BITMAPINFOHEADER info;
        std::memcpy(&file, bytes.data(), sizeof(file));
        std::memcpy(&info, bytes.data() + sizeof(file), sizeof(info));
        if (file.bfSize != bytes.size() || info.biSize != 40)
            return false;
        width = info.biWidth;
        height = info.biHeight;
        bits = info.biBitCount;
        offset = file.bfOffBits;
        return true;
    }
    bool White(int x, int y) const
    {
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        const auto* p = reinterpret_cast<const BYTE*>(bytes.data() + offset + stride * (height - 1 - y) + 3 * x);
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
    // Pixels that are not white in the rows [top, bottom).
    int InkedPixels(int top, int bottom) const
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < width; ++x)
                n += White(x, y) ? 0 : 1;
        return n;
    }
    // Any pixel but white within two pixels of (x, y).
    bool InkNear(int x, int y) const
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (!White(x + dx, y + dy))
                    return true;
        return false;
    }
};
