// The session's PDF printer as the printing tests use it: the default
// printer, the folder it writes to, and the pages of a file it wrote.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

// The session's PDF printer becomes this prefix's default printer.
inline bool HaveDefaultPrinter()
{
    const char* session = std::getenv("CLASTOR_PRINTER");
    if (session != nullptr && *session != '\0')
        ::SetDefaultPrinterA(session);
    char name[512];
    DWORD size = sizeof(name);
    return ::GetDefaultPrinterA(name, &size) != FALSE;
}

// The folder the PDF printer writes to, as Wine sees it; empty without one.
inline std::string PrintFolder()
{
    const char* unixPath = std::getenv("CLASTOR_PRINT_DIR");
    if (unixPath == nullptr || *unixPath == '\0')
        return std::string();
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path + "\\";
}

inline std::set<std::string> PdfFiles(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE h = ::FindFirstFileA((folder + "*.pdf").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return names;
}

inline std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Page objects of a PDF: "/Type /Page" (or "/Type/Page") not followed by "s".
inline int CountPdfPages(const std::string& pdf)
{
    int pages = 0;
    for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 1)) {
        size_t p = at + 5;
        while (p < pdf.size() && pdf[p] == ' ')
            ++p;
        if (pdf.compare(p, 5, "/Page") == 0 && (p + 5 >= pdf.size() || pdf[p + 5] != 's'))
            ++pages;
    }
    return pages;
}
