#include "formats/DocumentTextFile.h"

#include <windows.h>
#include <algorithm>
#include <charconv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The file is read and written in blocks of this size.
constexpr std::size_t kBlockSize = 1u << 20;

// ---- reals as text ------------------------------------------------------------

// "%.*g" of value with the given precision, as the C library writes it, with
// at least two exponent digits.
char* FormatWithPrecision(char* out, double value, int precision)
{
    return std::to_chars(out, out + kRealTextSize, value, std::chars_format::general, precision).ptr;
}

bool ReadsBackAs(const char* first, const char* last, double value)
{
    double back = 0.0;
    const auto r = std::from_chars(first, last, back);
    return r.ec == std::errc() && r.ptr == last && back == value;
}

// The first precision from six up whose "%g" text reads back as the value.
char* FormatByTrial(char* out, double value)
{
    char* end = out;
    for (int precision = 6; precision <= 17; ++precision) {
        end = FormatWithPrecision(out, value, precision);
        if (ReadsBackAs(out, end, value))
            break;
    }
    return end;
}

bool HasBareSignificand(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & ((std::uint64_t(1) << 52) - 1)) == 0;
}

}  // namespace

// The text is what "%.*g" gives at the first precision from six up that reads
// back as the value. The shortest digits that read back give it directly: with
// d of them the precision is max(d, 6), and "%g" drops the zeros that a
// precision above d would add. Two kinds of value need the trial itself: a
// subnormal, whose few bits can make six digits read back where fewer would
// too ("4.94066e-324", not "5e-324"), and a power of two, whose rounding
// interval is lopsided, so that the nearest d digits may not read back even
// though other d digits do.
char* FormatRealTo(char* out, double value)
{
    if (!std::isfinite(value)) {
        const int n = std::snprintf(out, kRealTextSize, "%g", value);
        return out + std::max(0, std::min<int>(n, kRealTextSize - 1));
    }
    if (value == 0.0) {
        if (std::signbit(value))
            *out++ = '-';
        *out++ = '0';
        return out;
    }
    if (std::fabs(value) < DBL_MIN)
        return FormatByTrial(out, value);

    // Shortest scientific form: [-]d[.ddd]e(+|-)xx[x].
    char sci[kRealTextSize];
    char* const sciEnd = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific).ptr;
    const char* p = sci;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[20];
    int count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[count++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), sciEnd, exponent);
    if (count > 6 && HasBareSignificand(value))
        return FormatByTrial(out, value);

    const int precision = std::max(count, 6);
    if (exponent < -4 || exponent >= precision) {
        std::memcpy(out, sci, sciEnd - sci);
        return out + (sciEnd - sci);
    }
    if (negative)
        *out++ = '-';
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i)
            *out++ = '0';
        std::memcpy(out, digits, count);
        return out + count;
    }
    for (int i = 0; i <= exponent; ++i)
        *out++ = i < count ? digits[i] : '0';
    if (count > exponent + 1) {
        *out++ = '.';
        std::memcpy(out, digits + exponent + 1, count - exponent - 1);
        out += count - exponent - 1;
    }
    return out;
}

std::string FormatReal(double value)
{
    char buf[kRealTextSize];
    return std::string(buf, FormatRealTo(buf, value));
}

// ---- scanning -------------------------------------------------------------------

namespace {

// The blanks "%d" and "%lg" skip in the C locale, the program's only one;
// tested here rather than asked of the C library for every character.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipSpace(const char* p, const char* end)
{
    while (p < end && IsBlank(*p))
        ++p;
    return p;
}

// One integer as "%d" reads it: blanks, an optional sign, digits.
bool ParseInt(const char*& p, const char* end, long long& value)
{
    p = SkipSpace(p, end);
    const char* start = p;
    if (start < end && *start == '+' && start + 1 < end && *(start + 1) != '-')
        ++start;
    const auto r = std::from_chars(start, end, value);
    if (r.ec != std::errc())
        return false;
    p = r.ptr;
    return true;
}

// One real as "%lg" reads it. Texts the shortest conversion does not take
// (a hexadecimal real, a value beyond the range of a double) go to the C
// library, which reads them as it always did.
bool ParseReal(const char*& p, const char* end, double& value)
{
    p = SkipSpace(p, end);
    const char* start = p;
    if (start < end && *start == '+' && start + 1 < end && *(start + 1) != '-')
        ++start;
    const auto r = std::from_chars(start, end, value);
    if (r.ec == std::errc::invalid_argument)
        return false;
    const bool hex = r.ptr < end && (*r.ptr == 'x' || *r.ptr == 'X');
    if (r.ec == std::errc::result_out_of_range || hex) {
        std::string token(p, end);
        char* stop = nullptr;
        value = std::strtod(token.c_str(), &stop);
        p += stop - token.c_str();
        return true;
    }
    p = r.ptr;
    return true;
}

}  // namespace

bool ScanInt(std::string_view line, int& value)
{
    return ScanInts(line, &value, 1);
}

bool ScanReal(std::string_view line, double& value)
{
    return ScanReals(line, &value, 1);
}

bool ScanInts(std::string_view line, int* values, int count)
{
    const char* p = line.data();
    const char* end = p + line.size();
    for (int i = 0; i < count; ++i) {
        long long v = 0;
        if (!ParseInt(p, end, v) || v < INT_MIN || v > INT_MAX)
            return false;
        values[i] = static_cast<int>(v);
    }
    return true;
}

bool ScanReals(std::string_view line, double* values, int count)
{
    const char* p = line.data();
    const char* end = p + line.size();
    for (int i = 0; i < count; ++i)
        if (!ParseReal(p, end, values[i]) || !std::isfinite(values[i]))
            return false;
    return true;
}

bool ScanFields(std::string_view line, const char* pattern, double* out)
{
    const char* p = line.data();
    const char* end = p + line.size();
    for (int i = 0; pattern[i]; ++i) {
        if (pattern[i] == 'i') {
            long long v = 0;
            if (!ParseInt(p, end, v) || v < INT_MIN || v > INT_MAX)
                return false;
            out[i] = static_cast<double>(v);
        } else if (!ParseReal(p, end, out[i]) || (pattern[i] == 'r' && !std::isfinite(out[i]))) {
            return false;
        }
    }
    return true;
}

bool ScanCount(std::string_view line, int& count, std::size_t limit)
{
    int n = 0;
    if (!ScanInt(line, n) || n < 0 || static_cast<std::size_t>(n) > limit)
        return false;
    count = n;
    return true;
}

std::string OneLine(const CString& text)
{
    std::string s(static_cast<LPCSTR>(text));
    for (char& c : s)
        if (c == '\r' || c == '\n')
            c = ' ';
    return s;
}

namespace {

// Whether the values of a line that failed to scan hold a real that is not
// finite: the line is then refused for that, not for its form.
bool HoldsNonFiniteReal(std::string_view line, const char* pattern)
{
    const char* p = line.data();
    const char* end = p + line.size();
    for (int i = 0; pattern[i]; ++i) {
        if (pattern[i] == 'i') {
            long long v = 0;
            if (!ParseInt(p, end, v))
                return false;
            continue;
        }
        double v = 0.0;
        if (!ParseReal(p, end, v))
            return false;
        if (!std::isfinite(v))
            return pattern[i] == 'r';
    }
    return false;
}

}  // namespace

// ---- reader -----------------------------------------------------------------------

CDocumentTextReader::CDocumentTextReader() : m_file(INVALID_HANDLE_VALUE) {}

CDocumentTextReader::~CDocumentTextReader()
{
    Close();
}

void CDocumentTextReader::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

CDocumentTextReader::OpenResult CDocumentTextReader::Open(LPCSTR path)
{
    Close();
    m_text.clear();
    m_data = nullptr;
    m_pos = m_end = 0;
    m_fileLeft = 0;
    m_lineNumber = 0;
    m_readFailed = false;
    m_refusal = none;
    m_file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return cannotOpen;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(m_file, &size)) {
        Close();
        return cannotOpen;
    }
    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(kBlockSize);
    m_data = m_buffer.get();
    // One pass through the buffer counts the lines, so that counts read from
    // the file can be held against the lines that are really there.
    m_lineCount = 0;
    char last = '\n';
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(m_file, m_buffer.get(), kBlockSize, &got, nullptr)) {
            Close();
            return cannotOpen;
        }
        if (got == 0)
            break;
        m_lineCount += std::count(m_buffer.get(), m_buffer.get() + got, '\n');
        last = m_buffer[got - 1];
    }
    if (last != '\n')
        ++m_lineCount;
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(m_file, start, nullptr, FILE_BEGIN)) {
        Close();
        return cannotOpen;
    }
    m_fileLeft = static_cast<unsigned long long>(size.QuadPart);
    return opened;
}

void CDocumentTextReader::SetText(const std::string& text)
{
    Close();
    m_text = text;
    m_data = m_text.data();
    m_pos = 0;
    m_end = m_text.size();
    m_fileLeft = 0;
    m_lineCount = std::count(m_text.begin(), m_text.end(), '\n') + (!m_text.empty() && m_text.back() != '\n');
    m_lineNumber = 0;
    m_readFailed = false;
    m_refusal = none;
}

bool CDocumentTextReader::Fill()
{
    if (m_file == INVALID_HANDLE_VALUE || m_fileLeft == 0)
        return false;
    char* buffer = m_buffer.get();
    std::memmove(buffer, buffer + m_pos, m_end - m_pos);
    m_end -= m_pos;
    m_pos = 0;
    const DWORD want = static_cast<DWORD>(std::min<unsigned long long>(kBlockSize - m_end, m_fileLeft));
    DWORD got = 0;
    if (want == 0 || !::ReadFile(m_file, buffer + m_end, want, &got, nullptr) || got == 0) {
        // The file shrank or cannot be read: what was read is all there is.
        m_readFailed = true;
        m_fileLeft = 0;
        return false;
    }
    m_end += got;
    m_fileLeft -= got;
    return true;
}

bool CDocumentTextReader::NextLine(std::string_view& line)
{
    for (;;) {
        const char* from = m_data + m_pos;
        const char* newline = static_cast<const char*>(std::memchr(from, '\n', m_end - m_pos));
        if (newline) {
            line = std::string_view(from, newline - from);
            m_pos = (newline - m_data) + 1;
            break;
        }
        if (m_pos == 0 && m_end == kBlockSize) {
            // A line longer than the buffer is gathered piece by piece.
            m_line.assign(from, m_end);
            m_pos = m_end;
            while (Fill()) {
                const char* piece = m_data + m_pos;
                const char* end = static_cast<const char*>(std::memchr(piece, '\n', m_end - m_pos));
                m_line.append(piece, end ? end : m_data + m_end);
                m_pos = end ? (end - m_data) + 1 : m_end;
                if (end)
                    break;
            }
            line = m_line;
            break;
        }
        if (!Fill()) {
            if (m_pos == m_end)
                return false;
            // The last line, without a line end.
            line = std::string_view(m_data + m_pos, m_end - m_pos);
            m_pos = m_end;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    ++m_lineNumber;
    return true;
}

bool CDocumentTextReader::NextDataLine(std::string_view& line)
{
    for (;;) {
        if (!NextLine(line) || line == kSectionTrailer)
            return false;
        if (line.empty() || line[0] != '*')
            return true;
    }
}

bool CDocumentTextReader::ReadLine(std::string& line)
{
    std::string_view view;
    if (!NextLine(view))
        return false;
    line.assign(view);
    return true;
}

bool CDocumentTextReader::ReadNextDataLine(std::string& line)
{
    std::string_view view;
    if (!NextDataLine(view))
        return false;
    line.assign(view);
    return true;
}

std::size_t CDocumentTextReader::LinesLeft() const
{
    return m_lineCount > m_lineNumber ? m_lineCount - m_lineNumber : 0;
}

bool CDocumentTextReader::Refuse(Refusal why)
{
    m_refusal = why;
    m_refusedLine = m_lineNumber;
    return false;
}

bool CDocumentTextReader::ReadInts(int* values, int count)
{
    std::string_view line;
    if (!NextDataLine(line))
        return Refuse(missingLine);
    return ScanInts(line, values, count) || Refuse(badValue);
}

bool CDocumentTextReader::ReadCount(int& count)
{
    std::string_view line;
    if (!NextDataLine(line))
        return Refuse(missingLine);
    return ScanCount(line, count, LinesLeft()) || Refuse(badCount);
}

bool CDocumentTextReader::ReadColour(COLORREF& colour)
{
    int v[3];
    if (!ReadInts(v, 3))
        return false;
    colour = static_cast<COLORREF>((v[0] & 0xFF) | ((v[1] & 0xFF) << 8) | ((v[2] & 0xFF) << 16));
    return true;
}

bool CDocumentTextReader::ReadReals(double* values, int count)
{
    std::string_view line;
    if (!NextDataLine(line))
        return Refuse(missingLine);
    if (ScanReals(line, values, count))
        return true;
    const std::string pattern(static_cast<std::size_t>(std::max(count, 0)), 'r');
    return Refuse(HoldsNonFiniteReal(line, pattern.c_str()) ? notFinite : badValue);
}

bool CDocumentTextReader::ReadFields(const char* pattern, double* out)
{
    std::string_view line;
    if (!NextDataLine(line))
        return Refuse(missingLine);
    if (ScanFields(line, pattern, out))
        return true;
    return Refuse(HoldsNonFiniteReal(line, pattern) ? notFinite : badValue);
}

// ---- writer ------------------------------------------------------------------------

CDocumentTextWriter::CDocumentTextWriter() : m_file(INVALID_HANDLE_VALUE) {}

CDocumentTextWriter::~CDocumentTextWriter()
{
    Discard();
}

void CDocumentTextWriter::Discard()
{
    if (m_file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
        ::DeleteFileA(m_temp.c_str());
    }
}

bool CDocumentTextWriter::BeginFile(LPCSTR path, CString& error)
{
    Discard();
    m_buffer.clear();
    m_failed = false;
    m_target = path;
    // The folder of the target, so that the final rename stays on one volume.
    std::size_t slash = m_target.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string(".") : m_target.substr(0, slash + 1);
    char temp[MAX_PATH + 16];
    HANDLE h = INVALID_HANDLE_VALUE;
    if (::GetTempFileNameA(folder.c_str(), "cla", 0, temp)) {
        h = ::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            ::DeleteFileA(temp);
    }
    if (h == INVALID_HANDLE_VALUE) {
        error = "Unable to create a file in the folder of\n";
        error += path;
        return false;
    }
    m_file = h;
    m_temp = temp;
    m_buffer.reserve(kBlockSize + 4096);
    return true;
}

void CDocumentTextWriter::Flush()
{
    std::size_t done = 0;
    while (!m_failed && done < m_buffer.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(m_buffer.size() - done, kBlockSize));
        DWORD written = 0;
        m_failed = !::WriteFile(m_file, m_buffer.data() + done, chunk, &written, nullptr) || written != chunk;
        done += written;
    }
    m_buffer.clear();
}

void CDocumentTextWriter::EndLine()
{
    m_buffer += "\r\n";
    if (m_file != INVALID_HANDLE_VALUE && m_buffer.size() >= kBlockSize)
        Flush();
}

bool CDocumentTextWriter::Commit(CString& error)
{
    if (m_file == INVALID_HANDLE_VALUE) {
        error = "Unable to write file\n";
        error += m_target.c_str();
        return false;
    }
    Flush();
    bool ok = !m_failed && ::FlushFileBuffers(m_file);
    ok = ::CloseHandle(m_file) && ok;
    m_file = INVALID_HANDLE_VALUE;
    if (ok)
        ok = ::MoveFileExA(m_temp.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        ::DeleteFileA(m_temp.c_str());
        error = "Unable to write file\n";
        error += m_target.c_str();
    }
    return ok;
}

void CDocumentTextWriter::Line(std::string_view text)
{
    Put(text);
    EndLine();
}

void CDocumentTextWriter::Linef(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n > 0) {
        const std::size_t at = m_buffer.size();
        m_buffer.resize(at + static_cast<std::size_t>(n) + 1);
        std::vsnprintf(&m_buffer[at], static_cast<std::size_t>(n) + 1, format, args);
        m_buffer.resize(at + static_cast<std::size_t>(n));
    }
    va_end(args);
    EndLine();
}

void CDocumentTextWriter::Value(int value)
{
    char buf[16];
    Put(std::string_view(buf, std::to_chars(buf, buf + sizeof buf, value).ptr - buf));
}

void CDocumentTextWriter::Value(double value)
{
    char buf[kRealTextSize];
    Put(std::string_view(buf, FormatRealTo(buf, value) - buf));
}

bool CDocumentTextWriter::CommitToFile(LPCSTR path, CString& error) const
{
    CDocumentTextWriter file;
    if (!file.BeginFile(path, error))
        return false;
    file.m_buffer = m_buffer;
    return file.Commit(error);
}
