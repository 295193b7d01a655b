// Files of a test: a fresh path in the temporary directory, removed when the
// test ends, and whole files written and read as bytes.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include "framework/Afx.h"

class TempPath
{
public:
    TempPath()
    {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        ::GetTempFileNameA(dir, "cla", 0, m_path);
    }
    ~TempPath() { ::DeleteFileA(m_path); }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;
    const char* c_str() const { return m_path; }

private:
    char m_path[MAX_PATH];
};

// The path of a file of the given name in the temporary directory, which
// does not exist (an old one is removed).
inline std::string FreshTempPath(const std::string& name)
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + name;
    ::DeleteFileA(path.c_str());
    return path;
}

inline bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteBytes(const char* path, const std::string& bytes)
{
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

inline std::string ReadBytes(const char* path)
{
    CFile f(path, CFile::modeRead);
    std::string s(f.GetLength(), '\0');
    EXPECT_EQ(f.Read(s.data(), static_cast<UINT>(s.size())), s.size());
    return s;
}
