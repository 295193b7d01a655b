// The drawing-tools file (".clt"): the annotation tools of one view as text,
// written at version 7 and read at versions 1 to 7. Each tool writes and reads
// its own block (CMeasure::WriteEntity and ReadEntity); this class writes the
// header, chooses the file with a dialog and adds what it reads to a drawing
// database. Lines beginning with "*" are comments wherever a value is
// expected, so values are found by position, never by label.
#pragma once

#include <string>
#include <vector>
#include "framework/String.h"

class CEntity;
class CREGDatabase;
class CWnd;

// Reads a tools file line by line from memory. Line ends (LF or CR LF) are
// not part of a line.
class CToolsTextReader
{
public:
    explicit CToolsTextReader(std::string text) : m_text(std::move(text)) {}

    // The next line of any content; false at the end of the text.
    bool NextRawLine(std::string& line);
    // The next line that does not begin with "*" (empty lines count).
    bool NextNonCommentLine(std::string& line);
    // The next line that is neither empty nor a comment: where values stand.
    bool NextValueLine(std::string& line);

    // Typed values from the next value line; false at the end of the text or
    // when the line holds no such value. Reals must be finite.
    bool ReadInt(int& value);
    bool ReadFlag(bool& value);
    bool ReadDouble(double& value);
    bool ReadPoint(double& x, double& y);
    bool ReadColour(unsigned long& colour);
    bool ReadLine(std::string& value) { return NextValueLine(value); }

    // The leading integer of a line ("%d"): false when it has none.
    static bool ParseInt(const std::string& line, int& value);

private:
    std::string m_text;
    size_t m_pos = 0;
};

// The shortest text that reads back as exactly the same double.
std::string FormatToolNumber(double value);

class CToolsFile
{
public:
    CToolsFile();

    static constexpr int kVersion = 7;
    static constexpr LPCSTR kMessageVersion =
        "Error reading tools file\nUnable to read file version or file version not supported"
        "\nPlease check the Brevantics website to make sure\nyou have the latest version of this "
        "program";
    static constexpr LPCSTR kMessageEnd = "Unexpected end of file\nUnable to read file";

    void SetOption(bool metric) { m_bMetric = metric; }
    void SetFilter(const CString& filter) { m_strFilter = filter; }
    void SetDefaultExtension(const CString& ext) { m_strExtension = ext; }
    void SetRegistryBase(const CString& path) { m_strRegistryBase = path; }
    void SetToolKindId(int id) { m_nKindId = id; }
    // The drawing written from or read into; not owned.
    void SetDatabase(CREGDatabase* pDatabase) { m_pDatabase = pDatabase; }
    // The folder of the file being read: pictures named without a folder are
    // looked for there. Load and LoadFromPath set it from the file's path.
    void SetSourceFolder(const CString& folder) { m_strSourceFolder = folder; }

    // Save or load through a file dialog for the view's tools; false when
    // nothing was done, cancelled, or failed (failures are reported).
    bool SaveOrLoad(CWnd* pView, CREGDatabase* pDatabase, bool save);
    bool Save(CWnd* pView);
    bool Load(CWnd* pView);
    // Loads a path without a dialog; a file that cannot be opened is passed
    // over in silence (the companion file of a document need not exist).
    bool LoadFromPath(CWnd* pView, CREGDatabase* pDatabase, LPCSTR path);

    // The whole file for the tools of a view, and the reading of one. Read
    // reports its errors in a message box and keeps the tools read before.
    std::string Write(CWnd* pView);
    bool Read(CToolsTextReader& in, CWnd* pView);
    // What Write would give for the view, without touching the database's
    // work sets; empty when the view has no tools. Comparing it with the text
    // of the last save or load tells whether the drawings changed since.
    std::string TextOf(CWnd* pView);
    // Writes a file as a whole: into a temporary file first, which then
    // replaces the old one, so a failed write loses nothing.
    static bool WriteFileText(LPCSTR path, const std::string& text);
    static bool ReadFileText(LPCSTR path, std::string& text);

private:
    bool IsConfigured() const;
    // The view's tools in database order.
    std::vector<CEntity*> ToolsOf(CWnd* pView) const;
    static std::string Format(const std::vector<CEntity*>& tools);
    // The document's path with the extension in place of its last three characters.
    CString ProposedName(CWnd* pView) const;

    CString m_strFilter;
    CString m_strExtension = "clt";
    CString m_strRegistryBase;
    int m_nKindId = -1;
    bool m_bMetric = true;
    CREGDatabase* m_pDatabase = nullptr;
    CString m_strSourceFolder;
};
