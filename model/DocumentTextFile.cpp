#include "model/DocumentTextFile.h"

#include <windows.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// "1e-005" and "1e+007" become "1e-05" and "1e+07": the C library of the
// original program wrote three-digit exponents, ours writes the standard two.
std::string NormaliseExponent(const std::string& s)
{
    std::size_t e = s.find_first_of("eE");
    if (e == std::string::npos || e + 1 >= s.size())
        return s;
    std::size_t digits = e + 1;
    if (s[digits] == '+' || s[digits] == '-')
        ++digits;
    std::size_t firstNonZero = digits;
    while (s.size() - firstNonZero > 2 && s[firstNonZero] == '0')
        ++firstNonZero;
    return s.substr(0, digits) + s.substr(firstNonZero);
}

}  // namespace

std::string FormatReal(double value)
{
    char buf[64];
    if (!std::isfinite(value)) {
        std::snprintf(buf, sizeof buf, "%g", value);
        return buf;
    }
    for (int precision = 6; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, value);
        if (std::strtod(buf, nullptr) == value)
            break;
    }
    return NormaliseExponent(buf);
}

CDocumentTextReader::OpenResult CDocumentTextReader::Open(LPCSTR path)
{
    m_lines.clear();
    m_next = 0;
    HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return cannotOpen;
    std::string text;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
        if (!::ReadFile(h, buf, sizeof buf, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        text.append(buf, got);
    }
    ::CloseHandle(h);
    if (!ok)
        return cannotOpen;
    SetText(text);
    return opened;
}

void CDocumentTextReader::SetText(const std::string& text)
{
    m_lines.clear();
    m_next = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t stop = end == std::string::npos ? text.size() : end;
        std::size_t len = stop - start;
        if (len > 0 && text[start + len - 1] == '\r')
            --len;
        m_lines.emplace_back(text, start, len);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

bool CDocumentTextReader::ReadLine(std::string& line)
{
    if (m_next >= m_lines.size())
        return false;
    line = m_lines[m_next++];
    return true;
}

bool CDocumentTextReader::ReadNextDataLine(std::string& line)
{
    for (;;) {
        if (!ReadLine(line))
            return false;
        if (line == kSectionTrailer)
            return false;
        if (!line.empty() && line[0] == '*')
            continue;
        return true;
    }
}

bool ScanInt(const std::string& line, int& value)
{
    return ScanInts(line, &value, 1);
}

bool ScanReal(const std::string& line, double& value)
{
    return ScanReals(line, &value, 1);
}

bool ScanInts(const std::string& line, int* values, int count)
{
    const char* p = line.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        while (*p == ' ' || *p == '\t')
            ++p;
        long long v = std::strtoll(p, &end, 10);
        if (end == p || v < INT_MIN || v > INT_MAX)
            return false;
        values[i] = static_cast<int>(v);
        p = end;
    }
    return true;
}

bool ScanReals(const std::string& line, double* values, int count)
{
    const char* p = line.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        while (*p == ' ' || *p == '\t')
            ++p;
        double v = std::strtod(p, &end);
        if (end == p)
            return false;
        values[i] = v;
        p = end;
    }
    return true;
}

bool ScanFields(const std::string& line, const char* pattern, double* out)
{
    const char* p = line.c_str();
    for (int i = 0; pattern[i]; ++i) {
        while (*p == ' ' || *p == '\t')
            ++p;
        char* end = nullptr;
        if (pattern[i] == 'i') {
            long long v = std::strtoll(p, &end, 10);
            if (end == p || v < INT_MIN || v > INT_MAX)
                return false;
            out[i] = static_cast<double>(v);
        } else {
            double v = std::strtod(p, &end);
            if (end == p)
                return false;
            out[i] = v;
        }
        p = end;
    }
    return true;
}

bool ScanCount(const std::string& line, int& count, std::size_t limit)
{
    int n = 0;
    if (!ScanInt(line, n) || n < 0 || static_cast<std::size_t>(n) > limit)
        return false;
    count = n;
    return true;
}

void CDocumentTextWriter::Line(const std::string& text)
{
    m_text += text;
    m_text += "\r\n";
}

void CDocumentTextWriter::Linef(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string s;
    if (n > 0) {
        s.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(&s[0], s.size(), format, args);
        s.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    Line(s);
}

bool CDocumentTextWriter::CommitToFile(LPCSTR path, CString& error) const
{
    // The folder of the target, so that the final rename stays on one volume.
    std::string target(path);
    std::size_t slash = target.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    char temp[MAX_PATH + 16];
    if (!::GetTempFileNameA(folder.c_str(), "cla", 0, temp)) {
        error = "Unable to create a file in the folder of\n";
        error += path;
        return false;
    }
    HANDLE h = ::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ::DeleteFileA(temp);
        error = "Unable to create a file in the folder of\n";
        error += path;
        return false;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < m_text.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(m_text.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(h, m_text.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = ok && ::FlushFileBuffers(h);
    ok = ::CloseHandle(h) && ok;
    if (ok)
        ok = ::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        ::DeleteFileA(temp);
        error = "Unable to write file\n";
        error += path;
    }
    return ok;
}
