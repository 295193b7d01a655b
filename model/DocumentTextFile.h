// Line-level reading and writing of the sectioned document file: the file is
// read whole and walked line by line; it is written into memory first and
// then put in place through a temporary file beside the target, so that a
// failed save never leaves a damaged or half-written document behind.
#pragma once

#include <cstddef>
#include <string>
#include <vector>
#include "framework/Afx.h"

// The shortest text of a real that reads back as the same double. Where six
// significant digits already do, the text equals "%g"'s; exponents have at
// least two digits ("1e-05").
std::string FormatReal(double value);

// Section frame lines.
inline constexpr const char kSectionHeaderPrefix[] = "[START SECTION] ";
inline constexpr const char kSectionTrailer[] = "[END SECTION]";

class CDocumentTextReader
{
public:
    enum OpenResult { opened, cannotOpen };

    // Reads the whole file; lines end with CR LF or LF.
    OpenResult Open(LPCSTR path);
    // For tests and in-memory use.
    void SetText(const std::string& text);

    // The next line as it stands (no comment skipping). False at the end.
    bool ReadLine(std::string& line);
    // The next data line of the current section: comment lines ("*...") are
    // skipped; false at the end of the file or at the trailer, which is then
    // consumed.
    bool ReadNextDataLine(std::string& line);
    // The next line taken whole, e.g. a name: neither a comment nor the trailer
    // is treated specially, so any name written can be read back. False only at
    // the end of the file.
    bool ReadNameLine(std::string& line) { return ReadLine(line); }

    // How many lines are left; counts read from the file are checked against
    // it before anything is sized by them.
    std::size_t LinesLeft() const { return m_lines.size() - m_next; }
    // The number (1-based) of the line last read.
    std::size_t LineNumber() const { return m_next; }

private:
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
};

// Scanning of one data line; each returns true only when every value asked for
// was found.
bool ScanInt(const std::string& line, int& value);
bool ScanReal(const std::string& line, double& value);
bool ScanInts(const std::string& line, int* values, int count);
bool ScanReals(const std::string& line, double* values, int count);
// Mixed values in the order of `pattern`: 'i' an integer, 'r' a real; every
// value is stored into out[] as a double.
bool ScanFields(const std::string& line, const char* pattern, double* out);
// A count: one integer, not negative, and at most `limit`.
bool ScanCount(const std::string& line, int& count, std::size_t limit);

class CDocumentTextWriter
{
public:
    // Appends one line; it ends with CR LF in the file.
    void Line(const std::string& text);
    void Line(const char* text) { Line(std::string(text)); }
    // printf-style line; reals go through FormatReal and "%s".
    void Linef(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    const std::string& GetText() const { return m_text; }

    // Writes the text to a temporary file in the target's folder and then
    // replaces the target with it. On failure the target is left untouched,
    // the temporary file is removed and `error` says what failed.
    bool CommitToFile(LPCSTR path, CString& error) const;

private:
    std::string m_text;
};
