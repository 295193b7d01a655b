// The sectioned text file of a document: the driver that writes and reads the
// sections, and the three sections of document-wide data (GENERAL settings,
// DOC_STRUCTS results, WIZARD data).
#include "model/DocumentDependencies.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>
#include "formats/DocumentTextFile.h"

namespace {

const char kInvalidSection[] = "Unable to read file\n(invalid section header)";

struct SectionEntry {
    const char* name;
    int version;
    void (CTalusimDoc::*write)(CDocumentTextWriter&, int);
    bool (CTalusimDoc::*read)(CDocumentTextReader&, int);
    // A section that is not always there says when it is; the others are
    // always written.
    bool (CTalusimDoc::*present)() const = nullptr;
    // A section of settings may appear once: two would contradict each other.
    bool once = false;
};

// In write order.
const SectionEntry kSections[] = {
    {"SEEDERS", 1, &CTalusimDoc::WriteSeedersSection, &CTalusimDoc::ReadSeedersSection},
    {"MATERIALS", 1, &CTalusimDoc::WriteMaterialsSection, &CTalusimDoc::ReadMaterialsSection},
    {"SLOPE", 1, &CTalusimDoc::WriteSlopeSection, &CTalusimDoc::ReadSlopeSection},
    {"GENERAL", 1, &CTalusimDoc::WriteGeneralSection, &CTalusimDoc::ReadGeneralSection},
    {"ROCK_PATHS", 1, &CTalusimDoc::WriteRockPathsSection, &CTalusimDoc::ReadRockPathsSection},
    {"COLLECTORS", 2, &CTalusimDoc::WriteCollectorsSection, &CTalusimDoc::ReadCollectorsSection},
    {"BARRIERS", 1, &CTalusimDoc::WriteBarriersSection, &CTalusimDoc::ReadBarriersSection},
    {"DOC_STRUCTS", 1, &CTalusimDoc::WriteResultsSection, &CTalusimDoc::ReadResultsSection},
    {"WIZARD", 1, &CTalusimDoc::WriteWizardSection, &CTalusimDoc::ReadWizardSection},
    // Only with disc results, so that a document without them is written
    // exactly as before. Version 2 added the frames' timing; version 1 is
    // still read.
    {"DISC_RESULTS", 2, &CTalusimDoc::WriteDiscResultsSection, &CTalusimDoc::ReadDiscResultsSection,
     &CTalusimDoc::HasDiscResultsToWrite},
    // Settings written only when they differ from a new document's, for the
    // same reason.
    {"SLOPE_SAMPLES", 1, &CTalusimDoc::WriteSlopeSamplingSection, &CTalusimDoc::ReadSlopeSamplingSection,
     &CTalusimDoc::HasSlopeSamplingToWrite, true},
    {"SNAP_AND_GRID", 1, &CTalusimDoc::WriteSnapAndGridSection, &CTalusimDoc::ReadSnapAndGridSection,
     &CTalusimDoc::HasSnapAndGridToWrite, true},
    {"DISC_SETTINGS", 1, &CTalusimDoc::WriteDiscSettingsSection, &CTalusimDoc::ReadDiscSettingsSection,
     &CTalusimDoc::HasDiscSettingsToWrite, true},
};

// The reader's message, with the line where reading stopped and why, so that
// a damaged file can be mended by hand.
CString RefusalMessage(const CDocumentTextReader& file)
{
    const char* cause = nullptr;
    switch (file.GetRefusal()) {
    case CDocumentTextReader::notFinite: cause = "\nLine %zu holds a number that is not finite."; break;
    case CDocumentTextReader::badValue: cause = "\nLine %zu does not hold the numbers that belong there."; break;
    case CDocumentTextReader::badCount:
        cause = "\nLine %zu holds a count that is negative or larger than the rest of the file.";
        break;
    case CDocumentTextReader::missingLine: cause = "\nThe file ends after line %zu, before the section does."; break;
    case CDocumentTextReader::none: break;
    }
    CString message = kInvalidSection;
    if (cause != nullptr) {
        char line[128];
        std::snprintf(line, sizeof line, cause, file.GetRefusedLine());
        message += line;
    }
    return message;
}

}  // namespace

bool CTalusimDoc::ReadNextDataLine(CDocumentTextReader& file, std::string& line)
{
    return file.ReadNextDataLine(line);
}

// Materials and rock paths get the numbers 1, 2, ... in database order, new at
// every save: the numbers only link lines within one file.
void CTalusimDoc::RenumberForSave()
{
    int n = 0;
    for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP))
        m->SetFileId(++n);
    n = 0;
    for (auto* p : CollectAs<CTalusimRockPath>(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP))
        p->SetFileId(++n);
}

bool CTalusimDoc::WriteSections(CDocumentTextWriter& file)
{
    RenumberForSave();
    for (const auto& s : kSections) {
        if (s.present && !(this->*s.present)())
            continue;
        file.Linef("%s%02d %s", kSectionHeaderPrefix, s.version, s.name);
        (this->*s.write)(file, s.version);
        file.Line(kSectionTrailer);
    }
    return true;
}

bool CTalusimDoc::WriteTextDocument(LPCSTR path)
{
    // The file streams to disk as it is written, through one buffer.
    CDocumentTextWriter file;
    CString error;
    bool written = file.BeginFile(path, error);
    if (written) {
        WriteSections(file);
        written = file.Commit(error);
    }
    if (!written) {
        // The previous file is untouched and the document stays modified.
        AfxMessageBox(error);
        return false;
    }
    SetModifiedFlag(FALSE);
    return true;
}

bool CTalusimDoc::ReadTextDocument(LPCSTR path, bool* pNotText)
{
    if (pNotText)
        *pNotText = false;
    CDocumentTextReader file;
    if (file.Open(path) != CDocumentTextReader::opened) {
        CString message = "Unable to open file\n";
        message += path;
        AfxMessageBox(message);
        return false;
    }
    m_pathsByFileId.clear();
    const std::size_t prefixLength = std::strlen(kSectionHeaderPrefix);
    bool firstLine = true;
    std::vector<const SectionEntry*> readOnce;
    std::string line;
    while (file.ReadLine(line)) {
        if (line.compare(0, prefixLength, kSectionHeaderPrefix) != 0 || line.size() < prefixLength) {
            if (firstLine) {
                // Not a sectioned file at all: the older archive reader may try it.
                if (pNotText)
                    *pNotText = true;
                return false;
            }
            AfxMessageBox(kInvalidSection);
            return false;
        }
        firstLine = false;
        int version = 0;
        std::string versionText = line.substr(prefixLength, 2);
        std::string name = line.size() > prefixLength + 3 ? line.substr(prefixLength + 3) : std::string();
        const SectionEntry* entry = nullptr;
        for (const auto& s : kSections)
            if (name == s.name)
                entry = &s;
        if (entry && entry->once) {
            if (std::find(readOnce.begin(), readOnce.end(), entry) != readOnce.end())
                entry = nullptr;
            else
                readOnce.push_back(entry);
        }
        if (!ScanInt(versionText, version) || !entry || !(this->*entry->read)(file, version)) {
            AfxMessageBox(RefusalMessage(file));
            return false;
        }
        if (!file.ReadLine(line) || line != kSectionTrailer) {
            AfxMessageBox(kInvalidSection);
            return false;
        }
    }
    m_pathsByFileId.clear();
    if (file.ReadFailed()) {
        // Reading stopped before the end of the file: what was read is not
        // the document.
        CString message = "Unable to read file\n";
        message += path;
        AfxMessageBox(message);
        return false;
    }
    return true;
}

void CTalusimDoc::WriteGeneralSection(CDocumentTextWriter& file, int /*version*/)
{
    auto slopes = CollectAs<CTalusimSlope>(m_database, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
    if (slopes.size() != 1)
        return;
    CTalusimSlope* slope = slopes.front();
    file.Line("* Clastor File ");
    file.Line("* Version");
    file.Line("4");
    for (COLORREF c : {m_crPathColour, m_crFilteredPathColour, slope->GetFillColour()})
        file.Colour(c);
    file.Values('\t', slope->IsFilled() ? 1 : 0, slope->IsHatched() ? 1 : 0, slope->GetHatchStyle(),
                slope->GetFillLength());
    int random = m_nRandomMode == RANDOM_FIXED ? 2 : m_nRandomMode == RANDOM_USER ? 3 : 1;
    file.Line("* Random Settings");
    file.Linef("%d\t%d", random, m_nRandomSeed);
    file.Line("* Seeder Probability");
    file.Linef("%d", m_nSeederProbability == SEEDER_BY_LENGTH ? 2 : 1);
    file.Line("* Friction Angle");
    file.Linef("%d", m_nFrictionAngleMode <= 2 ? m_nFrictionAngleMode + 1 : 1);
    file.Line("* Metric Units");
    file.Linef("%d", m_bMetric ? 1 : 0);
    file.Line("* Consider Angular Velocity");
    file.Linef("%d", m_bConsiderAngularVelocity ? 1 : 0);
    file.Line("* Scale RN by Velocity");
    file.Values('\t', m_bScaleRnByVelocity ? 1 : 0, m_dRnVelocityConstant);
    file.Line("* Scale RN by Mass");
    file.Values('\t', m_bScaleRnByMass ? 1 : 0, m_dRnMassConstant);
    file.Count("* Number of Rocks to throw", m_nRocks);
    file.Count("* Number of horizontal locations", m_nLocations);
    file.Line("* Minimum Velocity");
    file.Values(' ', m_dMinimumVelocity);
}

bool CTalusimDoc::ReadGeneralSection(CDocumentTextReader& file, int /*version*/)
{
    auto slopes = CollectAs<CTalusimSlope>(m_database, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
    if (slopes.size() != 1)
        return false;
    CTalusimSlope* slope = slopes.front();
    std::string line;
    if (!file.ReadNextDataLine(line))  // content version: any line
        return false;
    COLORREF colours[3];
    for (auto& c : colours)
        if (!file.ReadColour(c))
            return false;
    double fill[4];
    if (!file.ReadFields("iiir", fill))
        return false;
    int random[2];
    int seeder = 0, friction = 0, metric = 0, angular = 0, rocks = 0, locations = 0;
    double scaleVelocity[2], scaleMass[2], minimumVelocity = 0.0;
    const double length = fill[3];
    if (!file.ReadInts(random, 2) || !file.ReadInt(seeder) || !file.ReadInt(friction) || !file.ReadInt(metric) ||
        !file.ReadInt(angular) || !file.ReadFields("ir", scaleVelocity) || !file.ReadFields("ir", scaleMass) ||
        !file.ReadInt(rocks) || !file.ReadInt(locations) || !file.ReadReals(&minimumVelocity, 1))
        return false;

    m_crPathColour = colours[0];
    m_crFilteredPathColour = colours[1];
    slope->SetFillOptions(colours[2], static_cast<int>(fill[2]), length);
    slope->SetFillMode(fill[0] > 0, fill[1] > 0);
    if (random[0] >= 1 && random[0] <= 3)
        m_nRandomMode = RANDOM_TIME + random[0] - 1;
    m_nRandomSeed = random[1];
    if (seeder == 1)
        m_nSeederProbability = SEEDER_EQUAL;
    else if (seeder == 2)
        m_nSeederProbability = SEEDER_BY_LENGTH;
    if (friction >= 1 && friction <= 3)
        m_nFrictionAngleMode = static_cast<BYTE>(friction - 1);
    m_bMetric = metric > 0;
    m_bConsiderAngularVelocity = angular > 0;
    m_bScaleRnByVelocity = scaleVelocity[0] > 0;
    m_dRnVelocityConstant = scaleVelocity[1];
    m_bScaleRnByMass = scaleMass[0] > 0;
    m_dRnMassConstant = scaleMass[1];
    m_nRocks = rocks;
    m_nLocations = locations;
    m_dMinimumVelocity = minimumVelocity;
    return true;
}

void CTalusimDoc::WriteResultsSection(CDocumentTextWriter& file, int /*version*/)
{
    file.Line("* Number of Rock Endpoints");
    // Only end points with their rock path are written: a reader refuses an
    // end point whose path it cannot find, and one bad line would lose the
    // whole document.
    std::vector<int> written;
    for (int i = 0; i < (int)m_endPoints.GetSize() && i < (int)m_rockPaths.GetSize(); ++i)
        if (m_rockPaths[i])
            written.push_back(i);
    file.Linef("%d", (int)written.size());
    for (int i : written)
        file.Values(' ', m_endPoints[i].x, m_endPoints[i].y, m_rockPaths[i]->GetFileId());
    file.Count("* Number Collector Hits", (int)m_locationMaxima.GetSize());
    for (int i = 0; i < m_locationMaxima.GetSize(); ++i) {
        const CLocationEnvelope& e = m_locationMaxima[i];
        file.Values(' ', e.IsLocationSet() ? 0 : 1, e.GetLocation(), e.GetMaxHeight(), e.GetSlopeHeight(),
                    e.GetMaxVelocity(), e.GetMaxAngularVelocity(), e.GetMaxTranslationalEnergy(),
                    e.GetMaxRotationalEnergy(), e.GetMaxTotalEnergy());
    }
    file.Count("* Number of Distributions", (int)m_distributions.GetSize());
    for (int k = 0; k < (int)m_distributions.GetSize(); ++k) {
        const CDistributionSamples& d = m_distributions[k];
        const int n = d.GetCount(DIST_TOTAL_ENERGY);
        file.Count("* Number Items", n);
        for (int i = 0; i < n; ++i) {
            CTalusimRockPath* path = d.GetRockPath(i);
            file.Values(' ', d.GetValue(i, DIST_TRANSLATIONAL_ENERGY), d.GetValue(i, DIST_ROTATIONAL_ENERGY),
                        d.GetValue(i, DIST_VELOCITY), d.GetValue(i, DIST_ANGULAR_VELOCITY),
                        d.GetValue(i, DIST_BOUNCE_HEIGHT), path ? path->GetFileId() : 0);
        }
    }
}

bool CTalusimDoc::ReadResultsSection(CDocumentTextReader& file, int /*version*/)
{
    int count = 0;
    if (!file.ReadCount(count))
        return false;
    for (int i = 0; i < count; ++i) {
        double v[3];
        if (!file.ReadFields("rri", v))
            return false;
        const int id = static_cast<int>(v[2]);
        // An end point must belong to a path: the end-point iteration reads
        // that path's filter state.
        CTalusimRockPath* path = FindRockPathByFileId(id);
        if (!path)
            return false;
        m_endPoints.Add(CVector2D(v[0], v[1]));
        m_rockPaths.Add(path);
    }
    if (!file.ReadCount(count))
        return false;
    for (int i = 0; i < count; ++i) {
        // The maximum height says by itself what a value that is not a
        // number means: the height was never set.
        double v[9];
        if (!file.ReadFields("irnrrrrrr", v))
            return false;
        double height = v[2];
        if (!(height >= -1.7e300))
            height = -DBL_MAX;
        CLocationEnvelope e;
        e.Set(v[0] > 0 ? 1 : 0, height, v[3], v[1], v[4], v[5], v[6], v[7], v[8]);
        m_locationMaxima.Add(e);
    }
    if (!file.ReadCount(count))
        return false;
    // The records grow as they are read: a damaged count must not size
    // anything before its lines are there.
    for (int k = 0; k < count; ++k) {
        int samples = 0;
        if (!file.ReadCount(samples))
            return false;
        m_distributions.SetSize(k + 1);
        for (int i = 0; i < samples; ++i) {
            double v[6];
            if (!file.ReadFields("rrrrri", v))
                return false;
            m_distributions[k].AddSample(v[4], v[0], v[1], v[2], v[3],
                                         FindRockPathByFileId(static_cast<int>(v[5])));
        }
    }
    return true;
}

void CTalusimDoc::WriteWizardSection(CDocumentTextWriter& file, int /*version*/)
{
    file.Count("* Number of Material Wizard Items", (int)m_wizardItems.size());
    // The text is one line of the file: line breaks inside it would split it.
    file.Line(OneLine(m_strWizardText));
    for (const auto& item : m_wizardItems)
        file.Values(' ', item.value, item.code);
}

bool CTalusimDoc::ReadWizardSection(CDocumentTextReader& file, int /*version*/)
{
    std::string line;
    int count = 0;
    if (!file.ReadCount(count))
        return false;
    // The text is taken as it stands, like a name.
    if (!file.ReadNameLine(line))
        return false;
    m_strWizardText = line.c_str();
    for (int i = 0; i < count; ++i) {
        double v[2];
        if (!file.ReadFields("ri", v))
            return false;
        AddWizardItem(CWizardItem{v[0], static_cast<int>(v[1])});
    }
    return true;
}

