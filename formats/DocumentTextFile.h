// Line-level reading and writing of the sectioned document file. Both go
// through a fixed buffer: the reader takes the file in blocks and hands out
// one line at a time, the writer streams into a temporary file beside the
// target and puts it in place only when every byte was written, so that a
// failed save never leaves a damaged or half-written document behind.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include "framework/Afx.h"

// The shortest text of a real that reads back as the same double. Where six
// significant digits already do, the text equals "%g"'s; exponents have at
// least two digits ("1e-05").
std::string FormatReal(double value);
// The same text into out, which has room for kRealTextSize characters; returns
// the end of what was written.
inline constexpr std::size_t kRealTextSize = 32;
char* FormatRealTo(char* out, double value);

// Section frame lines.
inline constexpr const char kSectionHeaderPrefix[] = "[START SECTION] ";
inline constexpr const char kSectionTrailer[] = "[END SECTION]";

class CDocumentTextReader
{
public:
    enum OpenResult { opened, cannotOpen };
    // Why the last Read... of values failed.
    enum Refusal { none, missingLine, badValue, notFinite, badCount };

    CDocumentTextReader();
    ~CDocumentTextReader();
    CDocumentTextReader(const CDocumentTextReader&) = delete;
    CDocumentTextReader& operator=(const CDocumentTextReader&) = delete;

    // Opens the file for reading and counts its lines; it is then read a
    // block at a time as lines are asked for. Lines end with CR LF or LF.
    OpenResult Open(LPCSTR path);
    // For tests and in-memory use.
    void SetText(const std::string& text);

    // The next line as it stands (no comment skipping). False at the end, and
    // when the file cannot be read further (ReadFailed then says so).
    bool ReadLine(std::string& line);
    // The next data line of the current section: comment lines ("*...") are
    // skipped; false at the end of the file or at the trailer, which is then
    // consumed.
    bool ReadNextDataLine(std::string& line);
    // The next line taken whole, e.g. a name: neither a comment nor the trailer
    // is treated specially, so any name written can be read back. False only at
    // the end of the file.
    bool ReadNameLine(std::string& line) { return ReadLine(line); }

    // The next data line read as values, as the Scan functions below read
    // them; a failure is remembered with its line for the reader's message.
    bool ReadInt(int& value) { return ReadInts(&value, 1); }
    bool ReadInts(int* values, int count);
    bool ReadReals(double* values, int count);
    bool ReadFields(const char* pattern, double* out);
    // A count: one integer, not negative, and no more than the lines left.
    bool ReadCount(int& count);
    // A colour's red, green and blue; each keeps its low eight bits.
    bool ReadColour(COLORREF& colour);
    Refusal GetRefusal() const { return m_refusal; }
    std::size_t GetRefusedLine() const { return m_refusedLine; }

    // How many lines are left; counts read from the file are checked against
    // it before anything is sized by them.
    std::size_t LinesLeft() const;
    // The number (1-based) of the line last read.
    std::size_t LineNumber() const { return m_lineNumber; }
    bool ReadFailed() const { return m_readFailed; }

private:
    bool Refuse(Refusal why);
    // The next line as a view into the buffer (or, for a line longer than
    // the buffer, into m_line), valid until the next line is asked for.
    bool NextLine(std::string_view& line);
    bool NextDataLine(std::string_view& line);
    // Moves what is left of the buffer to its start and reads more behind
    // it; false when nothing more comes.
    bool Fill();
    void Close();

    HANDLE m_file;
    std::unique_ptr<char[]> m_buffer;
    std::string m_text;  // the whole text, for SetText
    const char* m_data = nullptr;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    unsigned long long m_fileLeft = 0;  // bytes of the file not yet in the buffer
    std::size_t m_lineNumber = 0;
    std::size_t m_lineCount = 0;
    bool m_readFailed = false;
    std::string m_line;
    Refusal m_refusal = none;
    std::size_t m_refusedLine = 0;
};

// Scanning of one data line as "%d" and "%lg" read it; each returns true only
// when every value asked for was found. A real that is not a number or is
// infinite is refused.
bool ScanInt(std::string_view line, int& value);
bool ScanReal(std::string_view line, double& value);
bool ScanInts(std::string_view line, int* values, int count);
bool ScanReals(std::string_view line, double* values, int count);
// Mixed values in the order of `pattern`: 'i' an integer, 'r' a finite real,
// 'n' a real that may also be infinite or not a number (for a value whose
// reader says what such a value means); every value is stored into out[] as
// a double.
bool ScanFields(std::string_view line, const char* pattern, double* out);
// A count: one integer, not negative, and at most `limit`.
bool ScanCount(std::string_view line, int& count, std::size_t limit);

// A text as one line of the file: each line break in it becomes a space.
std::string OneLine(const CString& text);

class CDocumentTextWriter
{
public:
    CDocumentTextWriter();
    // A file begun and not committed is removed.
    ~CDocumentTextWriter();
    CDocumentTextWriter(const CDocumentTextWriter&) = delete;
    CDocumentTextWriter& operator=(const CDocumentTextWriter&) = delete;

    // Without BeginFile the text is kept in memory (GetText, CommitToFile).
    // With it, lines stream through a buffer into a temporary file in the
    // target's folder, which Commit then puts in place of the target. On
    // failure the target is left untouched, the temporary file is removed and
    // `error` says what failed.
    bool BeginFile(LPCSTR path, CString& error);
    bool Commit(CString& error);

    // Appends one line; it ends with CR LF in the file.
    void Line(std::string_view text);
    void Line(const char* text) { Line(std::string_view(text)); }
    // printf-style line; reals go through FormatReal and "%s".
    void Linef(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // One line of values with one separator between them: an int as "%d",
    // a double as FormatReal gives it.
    template <class... T> void Values(char separator, T... values)
    {
        bool first = true;
        ((first ? void() : Put(separator), first = false, Value(values)), ...);
        EndLine();
    }

    // A comment line that names a count, then the count.
    void Count(const char* comment, int count)
    {
        Line(comment);
        Values(' ', count);
    }
    // A colour's red, green and blue on one line, between tabs.
    void Colour(COLORREF c) { Values('\t', int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))); }

    const std::string& GetText() const { return m_buffer; }

    // Writes the text kept in memory to a temporary file in the target's
    // folder and then replaces the target with it, as Commit does.
    bool CommitToFile(LPCSTR path, CString& error) const;

private:
    void Put(char c) { m_buffer.push_back(c); }
    void Put(std::string_view text) { m_buffer.append(text); }
    void Value(int value);
    void Value(double value);
    template <class T> void Value(T) = delete;  // say which: an int or a double
    void EndLine();
    void Flush();
    void Discard();

    std::string m_buffer;
    HANDLE m_file;
    std::string m_temp;
    std::string m_target;
    bool m_failed = false;
};
