// Writing a file without losing the old one: the new content goes to a
// temporary file beside it, which replaces the old file only when complete.
#pragma once

#include <string>

namespace xrt {

class SafeFile {
public:
    explicit SafeFile(const char* path);
    ~SafeFile();  // removes the temporary file unless committed
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Empty when no temporary file could be made.
    const std::string& TempPath() const { return temp_; }
    bool WriteAll(const void* data, size_t size);  // the whole temporary file
    bool Commit();

private:
    std::string path_, temp_;
    bool committed_ = false;
};

}  // namespace xrt
