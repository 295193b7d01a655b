// Every test program works in the folder it was built in, wherever it is
// started from, as ctest starts it. What a test leaves for the checks that
// read it afterwards (printed pages, a workbook and its cell list, written
// DXF files) and the scratch files some tests write by a bare name land in
// the build, never in the source tree a program happened to be run from.
#include <windows.h>

#include <cstring>

namespace {

struct RunInBuildFolder {
    RunInBuildFolder()
    {
        char path[MAX_PATH] = {};
        const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return;
        char* slash = std::strrchr(path, '\\');
        if (slash == nullptr)
            return;
        *slash = '\0';
        ::SetCurrentDirectoryA(path);
    }
};

const RunInBuildFolder runInBuildFolder;

} // namespace
