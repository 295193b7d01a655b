#include "tools/ToolsFile.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>
#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/View.h"
#include "geometry/REGDatabase.h"
#include "tools/Measure.h"
#include "tools/ToolFactory.h"
#include "tools/ToolImage.h"

// ---- reading lines --------------------------------------------------------------------------

bool CToolsTextReader::NextRawLine(std::string& line)
{
    if (m_pos >= m_text.size())
        return false;
    size_t end = m_text.find('\n', m_pos);
    if (end == std::string::npos)
        end = m_text.size();
    line.assign(m_text, m_pos, end - m_pos);
    m_pos = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return true;
}

bool CToolsTextReader::NextNonCommentLine(std::string& line)
{
    while (NextRawLine(line))
        if (line.empty() || line[0] != '*')
            return true;
    return false;
}

bool CToolsTextReader::NextValueLine(std::string& line)
{
    while (NextRawLine(line))
        if (!line.empty() && line[0] != '*')
            return true;
    return false;
}

bool CToolsTextReader::ParseInt(const std::string& line, int& value)
{
    char* end = nullptr;
    const long long v = strtoll(line.c_str(), &end, 10);
    if (end == line.c_str())
        return false;
    value = v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : (int)v;
    return true;
}

bool CToolsTextReader::ReadInt(int& value)
{
    std::string line;
    return NextValueLine(line) && ParseInt(line, value);
}

bool CToolsTextReader::ReadFlag(bool& value)
{
    int v = 0;
    if (!ReadInt(v))
        return false;
    value = v > 0;
    return true;
}

bool CToolsTextReader::ReadDouble(double& value)
{
    std::string line;
    if (!NextValueLine(line))
        return false;
    char* end = nullptr;
    const double v = strtod(line.c_str(), &end);
    // "nan", "inf" and numbers past the double range are damage, not
    // coordinates: a drawing at infinity would poison every extent.
    if (end == line.c_str() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool CToolsTextReader::ReadPoint(double& x, double& y)
{
    std::string line;
    if (!NextValueLine(line))
        return false;
    char* end = nullptr;
    const double a = strtod(line.c_str(), &end);
    if (end == line.c_str())
        return false;
    const char* rest = end;
    const double b = strtod(rest, &end);
    if (end == rest || !std::isfinite(a) || !std::isfinite(b))
        return false;
    x = a;
    y = b;
    return true;
}

bool CToolsTextReader::ReadColour(unsigned long& colour)
{
    std::string line;
    if (!NextValueLine(line))
        return false;
    const char* p = line.c_str();
    long rgb[3];
    for (long& c : rgb) {
        char* end = nullptr;
        c = strtol(p, &end, 10);
        if (end == p)
            return false;
        p = end;
    }
    colour = (unsigned long)(rgb[0] & 0xFF) | (unsigned long)(rgb[1] & 0xFF) << 8 |
             (unsigned long)(rgb[2] & 0xFF) << 16;
    return true;
}

// The folder part of a path, without the last separator; empty for a bare name.
static CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind('\\'), forward = path.ReverseFind('/');
    const int cut = slash > forward ? slash : forward;
    return cut < 0 ? CString() : path.Left(cut);
}

std::string FormatToolNumber(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// ---- the file ---------------------------------------------------------------------------------

CToolsFile::CToolsFile() = default;

bool CToolsFile::IsConfigured() const
{
    return m_nKindId != -1 && !m_strFilter.IsEmpty() && !m_strExtension.IsEmpty() &&
           !m_strRegistryBase.IsEmpty();
}

CString CToolsFile::ProposedName(CWnd* pView) const
{
    CString path;
    if (CView* view = dynamic_cast<CView*>(pView))
        if (CDocument* doc = view->GetDocument())
            path = doc->GetPathName();
    if (path.GetLength() < 3)
        return m_strExtension;
    return path.Left(path.GetLength() - 3) + m_strExtension;
}

bool CToolsFile::SaveOrLoad(CWnd* pView, CREGDatabase* pDatabase, bool save)
{
    if (pView == nullptr || pDatabase == nullptr || !IsConfigured())
        return false;
    m_pDatabase = pDatabase;
    return save ? Save(pView) : Load(pView);
}

bool CToolsFile::Save(CWnd* pView)
{
    const CString name = ProposedName(pView);
    CFileDialog dialog(FALSE, m_strExtension, name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, m_strFilter,
                       pView);
    if (dialog.DoModal() != IDOK)
        return false;
    const CString path = dialog.GetPathName();
    if (ToolsOf(pView).empty()) {
        // The window's drawings were all deleted. A file of no tools is one the
        // reader refuses, and the old file would bring them back: there is none.
        if (!::DeleteFileA(path) && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
            AfxMessageBox("Unable to remove the tools file\n" + path, MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    }
    if (!WriteFileText(path, Write(pView))) {
        AfxMessageBox("Unable to write the tools file\n" + path, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool CToolsFile::Load(CWnd* pView)
{
    const CString name = ProposedName(pView);
    CFileDialog dialog(TRUE, m_strExtension, name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, m_strFilter, pView);
    if (dialog.DoModal() != IDOK)
        return false;
    const CString path = dialog.GetPathName();
    m_strSourceFolder = FolderOf(path);
    std::string text;
    if (!ReadFileText(path, text)) {
        AfxMessageBox("Unable to open the tools file\n" + path, MB_ICONEXCLAMATION);
        return false;
    }
    CToolsTextReader in(std::move(text));
    return Read(in, pView);
}

bool CToolsFile::LoadFromPath(CWnd* pView, CREGDatabase* pDatabase, LPCSTR path)
{
    if (pView == nullptr || pDatabase == nullptr || m_nKindId == -1 || m_strRegistryBase.IsEmpty() ||
        path == nullptr)
        return false;
    m_pDatabase = pDatabase;
    m_strSourceFolder = FolderOf(path);
    std::string text;
    if (!ReadFileText(path, text))
        return false;
    CToolsTextReader in(std::move(text));
    return Read(in, pView);
}

std::vector<CEntity*> CToolsFile::ToolsOf(CWnd* pView) const
{
    std::vector<CEntity*> tools;
    const int group = ToolGroupOf(pView);
    for (int i = 0; i < m_pDatabase->GetEntityCount(); ++i) {
        CEntity* e = m_pDatabase->GetEntityAt(i);
        if (e != nullptr && e->MatchesIds(ID_ANY_CATEGORY, m_nKindId, group))
            tools.push_back(e);
    }
    return tools;
}

std::string CToolsFile::Format(const std::vector<CEntity*>& tools)
{
    std::string out;
    out += "*****************TOOLS FILE*****************\n";
    out += "* All lines beginning with an * are treated as comments\n";
    out += "* File Version\n";
    out += std::to_string(kVersion) + "\n";
    out += "* Number of Entities\n";
    out += std::to_string(tools.size()) + "\n";
    out += "*\n";
    for (CEntity* e : tools)
        if (auto* tool = dynamic_cast<CMeasure*>(e))
            tool->WriteEntity(out, kVersion);
    out += "*END FILE";
    return out;
}

std::string CToolsFile::Write(CWnd* pView)
{
    if (m_pDatabase == nullptr)
        return std::string();
    m_pDatabase->ClearSet(SET_WORK);
    const std::vector<CEntity*> tools = ToolsOf(pView);
    for (CEntity* e : tools)
        e->AddToSet(SET_WORK);
    return Format(tools);
}

std::string CToolsFile::TextOf(CWnd* pView)
{
    if (m_pDatabase == nullptr)
        return std::string();
    const std::vector<CEntity*> tools = ToolsOf(pView);
    return tools.empty() ? std::string() : Format(tools);
}

bool CToolsFile::Read(CToolsTextReader& in, CWnd* pView)
{
    if (m_pDatabase == nullptr)
        return false;
    std::string line;
    int version = 0;
    if (!in.NextNonCommentLine(line)) {
        AfxMessageBox(kMessageEnd, MB_OK);
        return false;
    }
    if (!CToolsTextReader::ParseInt(line, version) || version < 1 || version > kVersion) {
        AfxMessageBox(kMessageVersion, MB_OK);
        return false;
    }
    int count = 0;
    if (!in.NextNonCommentLine(line)) {
        AfxMessageBox(kMessageEnd, MB_OK);
        return false;
    }
    if (!CToolsTextReader::ParseInt(line, count) || count <= 0) {
        AfxMessageBox(kMessageVersion, MB_OK);
        return false;
    }
    bool added = false;
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        if (!in.NextNonCommentLine(line)) {
            AfxMessageBox(kMessageEnd, MB_OK);
            ok = false;
            break;
        }
        const int type = CMeasure::TypeOfKindWord(line.c_str());
        if (type == 0) {
            AfxMessageBox(kMessageVersion, MB_OK);
            ok = false;
            break;
        }
        // A kind this program does not draw yet is read past and left out.
        std::unique_ptr<CMeasure> tool(CreateToolOfType(type));
        const bool known = tool != nullptr;
        if (!known)
            tool = std::make_unique<CMeasure>();
        if (auto* image = dynamic_cast<CToolImage*>(tool.get()))
            image->SetSourceFolder(m_strSourceFolder);
        if (!tool->ReadEntity(in, version)) {
            AfxMessageBox(kMessageVersion, MB_OK);
            ok = false;
            break;
        }
        if (!known || !tool->AcceptAfterRead())
            continue;
        tool->SetDocumentOption(m_bMetric);
        tool->SetRegistryBase(m_strRegistryBase);
        tool->SetGroupId(ToolGroupOf(pView));
        m_pDatabase->AddEntity(tool.release(), false);
        added = true;
    }
    if (added)
        m_pDatabase->SortEntities(72);
    return ok;
}

bool CToolsFile::WriteFileText(LPCSTR path, const std::string& text)
{
    if (path == nullptr || *path == '\0')
        return false;
    const CString temporary = CString(path) + ".tmp";
    FILE* f = fopen(temporary, "w");
    if (f == nullptr)
        return false;
    const bool written = fwrite(text.data(), 1, text.size(), f) == text.size() && fflush(f) == 0 && !ferror(f);
    const bool closed = fclose(f) == 0;
    if (!written || !closed || !::MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileA(temporary);
        return false;
    }
    return true;
}

bool CToolsFile::ReadFileText(LPCSTR path, std::string& text)
{
    if (path == nullptr)
        return false;
    FILE* f = fopen(path, "r");
    if (f == nullptr)
        return false;
    text.clear();
    char buffer[65536];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    const bool ok = !ferror(f);
    fclose(f);
    return ok;
}
