#include "dem/DiscConsole.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <vector>

namespace {

// Formats into a buffer on the stack (a heap block only for a text longer
// than it) and hands the text to `sink`.
template <class Sink> void FormatTo(const char* format, va_list args, Sink sink)
{
    char buffer[512];
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (n >= 0 && static_cast<size_t>(n) < sizeof buffer) {
        sink(buffer, static_cast<size_t>(n));
    } else if (n >= 0) {
        std::vector<char> big(static_cast<size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, again);
        sink(big.data(), static_cast<size_t>(n));
    }
    va_end(again);
}

}  // namespace

void CDiscConsole::Print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatTo(format, args, [this](const char* text, size_t n) { m_out->write(text, static_cast<std::streamsize>(n)); });
    va_end(args);
}

void CDiscConsole::Echo(std::FILE* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatTo(format, args, [this, file](const char* text, size_t n) {
        m_out->write(text, static_cast<std::streamsize>(n));
        if (file)
            std::fwrite(text, 1, n, file);
    });
    va_end(args);
}

char CDiscConsole::ReadLetter()
{
    m_out->flush();
    if (m_end || !std::getline(*m_in, m_line)) {
        m_end = true;
        m_line.clear();
        m_pos = 0;
        return 0;
    }
    m_pos = m_line.size();   // a letter answer uses up its line
    for (char c : m_line)
        if (!std::isspace(static_cast<unsigned char>(c)))
            return c;
    return 0;
}

bool CDiscConsole::NextToken(std::string& token)
{
    m_out->flush();
    for (;;) {
        while (m_pos < m_line.size() && std::isspace(static_cast<unsigned char>(m_line[m_pos])))
            ++m_pos;
        if (m_pos < m_line.size())
            break;
        if (m_end || !std::getline(*m_in, m_line)) {
            m_end = true;
            m_line.clear();
            m_pos = 0;
            return false;
        }
        m_pos = 0;
    }
    const size_t start = m_pos;
    while (m_pos < m_line.size() && !std::isspace(static_cast<unsigned char>(m_line[m_pos])))
        ++m_pos;
    token.assign(m_line, start, m_pos - start);
    return true;
}

bool CDiscConsole::ReadDouble(double& value)
{
    std::string token;
    while (NextToken(token)) {
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(token.c_str(), &end);
        if (end != token.c_str() && *end == 0 && errno == 0 && std::isfinite(v)) {
            value = v;
            return true;
        }
        Print("\nnot a number: %.40s, enter it again", token.c_str());
    }
    return false;
}

bool CDiscConsole::ReadInt(int& value)
{
    std::string token;
    while (NextToken(token)) {
        char* end = nullptr;
        errno = 0;
        const long v = std::strtol(token.c_str(), &end, 10);
        if (end != token.c_str() && *end == 0 && errno == 0 && v >= -2147483647L && v <= 2147483647L) {
            value = static_cast<int>(v);
            return true;
        }
        Print("\nnot a whole number: %.40s, enter it again", token.c_str());
    }
    return false;
}

bool CDiscConsole::ReadWord(std::string& word, size_t maxLength)
{
    if (!NextToken(word))
        return false;
    if (word.size() > maxLength)
        word.resize(maxLength);
    return true;
}

bool CDiscConsole::ReadLine(std::string& line, size_t maxLength)
{
    std::string token;
    if (!NextToken(token))
        return false;
    m_pos -= token.size();
    line.assign(m_line, m_pos, std::string::npos);
    m_pos = m_line.size();
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    if (line.size() > maxLength)
        line.resize(maxLength);
    return true;
}
