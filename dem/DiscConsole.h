// The disk program's console: menus and messages are printed with C formats
// to an output stream, answers are read from an input stream. Letters are
// read a line at a time (a blank line is Enter); numbers and words are taken
// one at a time from the lines. The end of the input reads as Enter, so a
// script that runs out leaves every menu instead of looping.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <iosfwd>
#include <string>

class CDiscConsole {
public:
    CDiscConsole(std::istream& in, std::ostream& out) : m_in(&in), m_out(&out) {}

    void Print(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Prints as Print does and writes the same text to `file` too, when there
    // is one: a measurement both shown and kept in the file the user named.
    void Echo(std::FILE* file, const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 3, 4)))
#endif
        ;
    // The first character of the next line, 0 for a blank line or the end.
    char ReadLetter();
    bool ReadInt(int& value);
    bool ReadDouble(double& value);
    // A word of at most maxLength characters (the rest of a longer one is dropped).
    bool ReadWord(std::string& word, size_t maxLength);
    // The rest of the present line, or the next line when nothing is left.
    bool ReadLine(std::string& line, size_t maxLength);
    bool AtEnd() const { return m_end; }
    std::ostream& Out() { return *m_out; }

private:
    bool NextToken(std::string& token);
    std::istream* m_in;
    std::ostream* m_out;
    std::string m_line;
    size_t m_pos = 0;
    bool m_end = false;
};
