// Import of CRSP slope files (".csp", ".dat"): a count line and one cell per
// line, each cell a straight slope piece with its own roughness and
// restitution coefficients. The whole file is read and checked before the
// document's slope is touched, so a bad file changes nothing.
#include "model/DocumentDependencies.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "formats/DocumentTextFile.h"

namespace {

const char kMergeQuestion[] =
    "Adjacent cells with same material (same roughness, same RN, same RT) were found.\n"
    "Would you like to merge these into one material ?";

const COLORREF kCellColours[] = {
    RGB(128, 0, 0), RGB(128, 128, 0), RGB(255, 255, 0), RGB(0, 128, 0), RGB(0, 255, 0),  RGB(0, 0, 128),
    RGB(0, 0, 255), RGB(128, 0, 128), RGB(255, 0, 255), RGB(0, 128, 128), RGB(0, 255, 255),
};
constexpr int kColourCount = sizeof kCellColours / sizeof kCellColours[0];

// Two points closer than this are one slope vertex.
constexpr double kJoinDistance = 0.001;

struct CrspCell {
    double roughness, rt, rn;
    CVector2D start, end;
};

// An integer at the start of a field (blanks before it allowed).
bool ParseInt(const char* p, const char** rest, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(p, &end, 10);
    if (end == p)
        return false;
    *rest = end;
    return true;
}

// Comma-separated fields: `ints` integers first, then `reals` finite reals.
// What follows the last one is not read, as the files' own writers expect.
bool ParseFields(const std::string& line, int ints, int reals, double* out)
{
    const char* p = line.c_str();
    for (int i = 0; i < ints + reals; ++i) {
        if (i > 0) {
            while (*p == ' ' || *p == '\t')
                ++p;
            if (*p != ',')
                return false;
            ++p;
        }
        if (i < ints) {
            long long v = 0;
            if (!ParseInt(p, &p, v))
                return false;
            continue;
        }
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p || !std::isfinite(v))
            return false;
        out[i - ints] = v;
        p = end;
    }
    return true;
}

bool ParseCount(const char* p, int& count)
{
    long long v = 0;
    if (!ParseInt(p, &p, v) || v < 1 || v > INT_MAX)
        return false;
    count = static_cast<int>(v);
    return true;
}

// Reads the whole file; on failure `error` says what is wrong.
bool ReadCrspFile(LPCSTR path, std::vector<CrspCell>& cells, CString& error)
{
    CDocumentTextReader file;
    if (file.Open(path) != CDocumentTextReader::opened) {
        error.Format("Unable to open file\n%s", path);
        return false;
    }
    std::string header;
    if (!file.ReadLine(header)) {
        error.Format("Unable to read the CRSP file\n%s\n(the file is empty)", path);
        return false;
    }
    // The unit word only tells the style of the file; no unit is converted.
    const bool labelled = header.find("Metric") != std::string::npos || header.find("U.S.") != std::string::npos;
    int count = 0;
    const std::size_t comma = header.find(',');
    if (labelled ? comma == std::string::npos || !ParseCount(header.c_str() + comma + 1, count)
                 : !ParseCount(header.c_str(), count)) {
        error.Format("Unable to read the CRSP file\n%s\n(line 1 does not give the number of cells)", path);
        return false;
    }
    // Every cell takes a line: a count beyond the lines left is a damaged file,
    // and nothing is sized by it.
    if (static_cast<std::size_t>(count) > file.LinesLeft()) {
        error.Format("Unable to read the CRSP file\n%s\n(the file ends before its %d cells)", path, count);
        return false;
    }
    cells.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        std::string line;
        file.ReadLine(line);
        double v[7];
        if (!ParseFields(line, labelled ? 0 : 1, 7, v)) {
            error.Format("Unable to read the CRSP file\n%s\n(line %d is no cell)", path, j + 2);
            return false;
        }
        cells.push_back(CrspCell{v[0], v[1], v[2], CVector2D(v[3], v[4]), CVector2D(v[5], v[6])});
    }
    return true;
}

}  // namespace

bool CTalusimDoc::IsCrspPath(LPCSTR path)
{
    const std::size_t n = path ? std::strlen(path) : 0;
    if (n < 4)
        return false;
    const char* ext = path + n - 4;
    return _stricmp(ext, ".csp") == 0 || _stricmp(ext, ".dat") == 0;
}

bool CTalusimDoc::ImportCrsp(LPCSTR path)
{
    std::vector<CrspCell> cells;
    CString error;
    if (!ReadCrspFile(path, cells, error)) {
        AfxMessageBox(error);
        return false;
    }
    if (!m_pSlope) {
        AfxMessageBox("Unable to import the CRSP file: the document has no slope");
        return false;
    }
    DeleteSlope();
    m_pSlope->MakeSelectable();
    m_pSlope->Show();

    int n = 0;
    int colour = 0;
    bool mergeAsked = false, merge = false;
    double previous[3] = {DBL_MAX, DBL_MAX, DBL_MAX};
    CTalusimSlopeType* previousMaterial = nullptr;
    CVector2D last;
    for (std::size_t j = 0; j < cells.size(); ++j) {
        const CrspCell& cell = cells[j];
        if (j == 0 || cell.start.DistanceTo(last) > kJoinDistance) {
            ++n;
            AppendSlopeVertex(cell.start.x, cell.start.y);
            last = cell.start;
        }
        const bool same = cell.roughness == previous[0] && cell.rt == previous[1] && cell.rn == previous[2];
        if (same && !mergeAsked) {
            mergeAsked = true;
            merge = AfxMessageBox(kMergeQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES;
        }
        CTalusimSlopeType* material = previousMaterial;
        if (!(same && merge)) {
            material = new CTalusimSlopeType;
            material->ClearDefaultValues();
            material->SetRtMean(cell.rt);
            material->SetRnMean(cell.rn);
            material->SetFrictionAngleMean(30.0);
            material->SetRnStdDev(0.04);
            material->SetRtStdDev(0.04);
            material->SetFrictionAngleStdDev(2.0);
            CString name;
            name.Format("Cell %04d", n);
            material->SetName(name);
            m_database.AddEntity(material, false);
            material->SetColour(kCellColours[colour]);
            colour = (colour + 1) % kColourCount;
        }
        if (cell.end.DistanceTo(last) > kJoinDistance) {
            ++n;
            m_pSlope->AddVertexWithMaterial(cell.end.x, cell.end.y, material);
            last = cell.end;
        }
        previous[0] = cell.roughness;
        previous[1] = cell.rt;
        previous[2] = cell.rn;
        previousMaterial = material;
    }
    return true;
}

BOOL CTalusimDoc::OpenCrspDocument(LPCSTR path)
{
    // A CRSP file holds a slope, not a document: the document starts as a new
    // one (default materials, empty slope) and the file is imported into it.
    if (!OnNewDocument())
        return FALSE;
    if (!ImportCrsp(path))
        return FALSE;
    CloseUntouchedDocuments(this);
    // The document is not what the file holds in this program's own format.
    SetModifiedFlag(TRUE);
    return TRUE;
}

