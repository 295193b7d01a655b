// The materials file (".clm"): a document's materials exported to a small text
// file and imported into any document. Lines beginning with "*" are comments
// wherever they stand; the rest are data lines in a fixed order.
#include "model/DocumentDependencies.h"

#include <algorithm>
#include <cmath>
#include <set>
#include "formats/DocumentTextFile.h"

namespace {

const char kVersionMessage[] = "Unable to read file version or file version not supported";
const char kEndOfFileMessage[] = "Unexpected end of file\nUnable to read file";

const char* const kHeader[] = {
    "*****************CLASTOR MATERIAL FILE*****************",
    "* File Version",
    "1",
    "* All lines beginning with an * are treated as comments",
    "* ",
    "* Each Material is a set of 4 lines",
    "* line 1 is the material name",
    "* line 2 is the color (3 RGB components each 0->255)",
    "* line 3 is RN(mean), RN(std dev), RT(mean), RT(std dev)",
    "* line 4 is PHI(mean), PHI(std dev), ROUGHNESS(std dev)",
    "* ",
    "* Number of Materials",
};

// The next line that is no comment; false at the end of the file.
bool NextLine(CDocumentTextReader& file, std::string& line)
{
    while (file.ReadLine(line))
        if (line.empty() || line[0] != '*')
            return true;
    return false;
}

bool AllFinite(const double* v, int n)
{
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i]))
            return false;
    return true;
}

}  // namespace

void CTalusimDoc::WriteMaterialsFile(CDocumentTextWriter& file)
{
    // Every material is written, however many there are: a document with
    // fewer than the six built-in ones still exports what it has.
    auto materials = CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    for (const char* line : kHeader)
        file.Line(line);
    file.Linef("%d", (int)materials.size());
    for (CTalusimSlopeType* m : materials) {
        // A name on one line: a line break inside it would split the material.
        file.Line(OneLine(m->GetName()));
        file.Colour(m->GetColour());
        file.Values('\t', m->GetRnMean(), m->GetRnStdDev(), m->GetRtMean(), m->GetRtStdDev());
        file.Values('\t', m->GetFrictionAngleMean(), m->GetFrictionAngleStdDev(), m->GetRoughnessStdDev());
    }
}

int CTalusimDoc::ReadMaterialsFile(CDocumentTextReader& file)
{
    std::string line;
    int version = 0;
    if (!NextLine(file, line) || !ScanInt(line, version) || version != 1) {
        AfxMessageBox(kVersionMessage);
        return 0;
    }
    if (!NextLine(file, line)) {
        AfxMessageBox(kEndOfFileMessage);
        return 0;
    }
    int count = 0;
    if (!ScanInt(line, count) || count < 0) {
        CString message;
        message.Format("Unable to read file\n(line %d does not give the number of materials)", (int)file.LineNumber());
        AfxMessageBox(message);
        return 0;
    }
    // A material of the document takes the values of the first record of its
    // name, and only one record takes it: a file exported from this document
    // then changes nothing, even where two materials share a name.
    std::set<CTalusimSlopeType*> claimed;
    int imported = 0;
    for (int k = 0; k < count; ++k) {
        std::string name;
        if (!NextLine(file, name)) {
            AfxMessageBox(kEndOfFileMessage);
            return imported;
        }
        // The three lines of values, each checked as it is read so that the
        // message names the line at fault.
        int rgb[3];
        double rn[4], friction[3];
        for (int part = 0; part < 3; ++part) {
            std::string values;
            if (!NextLine(file, values)) {
                AfxMessageBox(kEndOfFileMessage);
                return imported;
            }
            bool valid;
            if (part == 0)
                valid = ScanInts(values, rgb, 3) && std::all_of(rgb, rgb + 3, [](int c) { return c >= 0 && c <= 255; });
            else if (part == 1)
                valid = ScanReals(values, rn, 4) && AllFinite(rn, 4);
            else
                valid = ScanReals(values, friction, 3) && AllFinite(friction, 3);
            if (!valid) {
                CString message;
                message.Format("Unable to read file\n(invalid values for the material \"%s\" on line %d)", name.c_str(),
                               (int)file.LineNumber());
                AfxMessageBox(message);
                return imported;
            }
        }
        CTalusimSlopeType* material = nullptr;
        for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP)) {
            if (!claimed.count(m) && m->GetName() == name.c_str()) {
                material = m;
                break;
            }
        }
        if (!material) {
            material = new CTalusimSlopeType;
            material->SetName(name.c_str());
            m_database.AddEntity(material, false);
        }
        claimed.insert(material);
        material->SetColour(RGB(rgb[0], rgb[1], rgb[2]));
        material->SetRnMean(rn[0]);
        material->SetRnStdDev(rn[1]);
        material->SetRtMean(rn[2]);
        material->SetRtStdDev(rn[3]);
        material->SetFrictionAngleMean(friction[0]);
        material->SetFrictionAngleStdDev(friction[1]);
        material->SetRoughnessStdDev(friction[2]);
        ++imported;
    }
    return imported;
}

bool CTalusimDoc::ExportMaterialsTo(LPCSTR path)
{
    CDocumentTextWriter file;
    WriteMaterialsFile(file);
    CString error;
    if (!file.CommitToFile(path, error)) {
        AfxMessageBox(error);
        return false;
    }
    return true;
}

bool CTalusimDoc::ImportMaterialsFrom(LPCSTR path)
{
    CDocumentTextReader file;
    if (file.Open(path) != CDocumentTextReader::opened) {
        CString message;
        message.Format("Unable to open file\n%s", path);
        AfxMessageBox(message);
        return false;
    }
    BeginWaitCursor();
    const int imported = ReadMaterialsFile(file);
    if (imported > 0) {
        SetModifiedFlag();
        UpdateAllViews(nullptr);
    }
    EndWaitCursor();
    return imported > 0;
}
