#include "chart/SafeFile.h"

#include <windows.h>

#include <cstdio>

namespace xrt {

SafeFile::SafeFile(const char* path) : path_(path ? path : "") {
    if (path_.empty()) return;
    const size_t slash = path_.find_last_of("\\/");
    const std::string directory = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
    char temp[MAX_PATH];
    if (GetTempFileNameA(directory.c_str(), "xrt", 0, temp)) temp_ = temp;
}

SafeFile::~SafeFile() {
    if (!committed_ && !temp_.empty()) DeleteFileA(temp_.c_str());
}

bool SafeFile::WriteAll(const void* data, size_t size) {
    if (temp_.empty()) return false;
    FILE* file = std::fopen(temp_.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

bool SafeFile::Commit() {
    if (temp_.empty()) return false;
    committed_ = MoveFileExA(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
    return committed_;
}

}  // namespace xrt
