// Reading documents of the older archive format: the drawing database with
// every entity as an archived object, then the end points, the location
// maxima and four settings. The program never writes this format; a document
// read from it is saved as text like any other.
#include "model/DocumentDependencies.h"

#include <cfloat>
#include <cmath>
#include "model/DiscResultsKind.h"
#include "formats/ExtraFileInfo.h"
#include "geometry/ArchiveNumbers.h"
#include "model/DiscRunServices.h"
#include "model/ModelClasses.h"
#include "tools/DrawingToolServices.h"

namespace {

// The location maxima as the older program kept them in memory: the empty
// flag in one byte and seven bytes of padding, then eight doubles.
constexpr ULONGLONG kMaximaRecordSize = 72;
// The oldest layout of the same array: read past.
constexpr ULONGLONG kOldMaximaRecordSize = 48;
// Maximum heights below this (and ones that are no number) read as unset.
constexpr double kLowestHeight = -1.7e300;

void ReadLocationMaxima(CArchive& ar, CArray<CLocationEnvelope, const CLocationEnvelope&>& maxima)
{
    const DWORD count = ar.ReadCount();
    ar.CheckCount(count, kMaximaRecordSize);
    maxima.SetSize(static_cast<int>(count));
    for (DWORD i = 0; i < count; ++i) {
        BYTE empty, padding[7];
        double v[8];
        ar >> empty;
        if (ar.Read(padding, sizeof padding) != sizeof padding)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        ar >> v[0];
        // A height below every real one stands for "no rock passed", as in
        // the text format.
        if (!(v[0] >= kLowestHeight))
            v[0] = -DBL_MAX;
        for (int k = 1; k < 8; ++k)
            ReadFinite(ar, v[k]);
        maxima[static_cast<int>(i)].Set(empty != 0 ? 1 : 0, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    }
}

void SkipOldLocationMaxima(CArchive& ar)
{
    const DWORD count = ar.ReadCount();
    ar.CheckCount(count, kOldMaximaRecordSize);
    BYTE record[kOldMaximaRecordSize];
    for (DWORD i = 0; i < count; ++i)
        if (ar.Read(record, sizeof record) != sizeof record)
            AfxThrowArchiveException(CArchiveException::endOfFile);
}

// The archive names the settings record by its class: naming the class here
// links its source file, whose static initialiser registers it.
const CRuntimeClass* volatile g_legacyClass = nullptr;

void RegisterLegacyClasses()
{
    g_legacyClass = RUNTIME_CLASS(CTalusimExtraFileInfo);
}

}  // namespace

void CTalusimDoc::ReadLegacyArchive(CArchive& ar)
{
    // Files are only ever written as text.
    if (ar.IsStoring())
        AfxThrowNotSupportedException();
    RegisterModelClasses();
    RegisterLegacyClasses();
    SyncLegacySettings(false);
    m_database.Serialize(ar);
    // A snap mode or grid style of another version opens as a new document's,
    // like the other settings below, so that the document saves only what it
    // reads back.
    if (!IsKnownSnapMode(m_database.GetSnapMode()))
        m_database.SetSnapMode(SNAP_NONE);
    if (!IsKnownGridStyle(m_database.GetGridStyle()))
        m_database.SetGridStyle(GRID_DOTS);
    m_endPoints.Serialize(ar);
    for (int i = 0; i < m_endPoints.GetSize(); ++i) {
        RequireFinite(m_endPoints[i].x);
        RequireFinite(m_endPoints[i].y);
    }
    bool oldSchema = false;
    auto materials = CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    if (!materials.empty())
        oldSchema = materials.front()->IsOldSchema();
    if (oldSchema)
        SkipOldLocationMaxima(ar);
    else
        ReadLocationMaxima(ar, m_locationMaxima);
    int probability, rocks, locations;
    double minimumVelocity;
    ar >> probability;
    ReadFinite(ar, minimumVelocity);
    ar >> rocks >> locations;
    // A setting this program does not know (another version's code, a
    // negative count) leaves the document's own, as the text reader does.
    if (probability == SEEDER_EQUAL || probability == SEEDER_BY_LENGTH)
        m_nSeederProbability = probability;
    m_dMinimumVelocity = minimumVelocity;
    if (rocks >= 0)
        m_nRocks = rocks;
    if (locations >= 0)
        m_nLocations = locations;
    ApplyExtraFileInfo();
    SyncLegacySettings(false);
    DeleteDrawingTools();
    m_database.RebuildAllFilters();
    if (oldSchema)
        ClearRockPaths();
}

void CTalusimDoc::SyncLegacySettings(bool storing)
{
    // The path colour and the sample-slope flag rode on the built-in materials.
    for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP)) {
        if (!m->HasDefaultValues())
            continue;
        if (storing) {
            m->SetPathColour(m_crPathColour);
            m->SetSampleSlopeFlag(m_bGenerateSlopeSamples);
            continue;
        }
        m_crPathColour = m->GetPathColour();
        m_bGenerateSlopeSamples = m->GetSampleSlopeFlag();
        break;
    }
    // The disc-run parameters rode on the first disc results entity.
    auto discs = CollectEntities(m_database, ID_ANY_CATEGORY, DISC_RESULTS_KIND, ID_ANY_GROUP);
    if (discs.empty())
        return;
    if (storing)
        DiscRunServices().SetViewSettings(discs.front(), m_discParameters);
    else
        DiscRunServices().GetViewSettings(discs.front(), m_discParameters);
}

void CTalusimDoc::ApplyExtraFileInfo()
{
    auto records = CollectEntities(m_database, ID_ANY_CATEGORY, CTalusimExtraFileInfo::kKindId, ID_ANY_GROUP);
    // Two records contradict each other: neither is applied.
    if (records.size() == 1) {
        if (auto* info = dynamic_cast<CTalusimExtraFileInfo*>(records.front())) {
            m_bMetric = info->m_bMetric;
            if (info->IsKnownFrictionAngleMode())
                m_nFrictionAngleMode = info->m_nFrictionAngleMode;
            m_bLegacyFlag = info->m_bLegacyFlag;
            m_bConsiderAngularVelocity = info->m_bConsiderAngularVelocity;
            if (info->IsKnownEngineVariant())
                m_nEngineVariant = info->m_nEngineVariant;
            m_dRnVelocityConstant = info->m_dRnVelocityConstant;
            m_bScaleRnByVelocity = info->m_bScaleRnByVelocity;
            m_bScaleRnByMass = info->m_bScaleRnByMass;
            m_dRnMassConstant = info->m_dRnMassConstant;
            m_distributions.SetSize(info->m_samples.GetSize());
            for (int i = 0; i < info->m_samples.GetSize(); ++i)
                m_distributions[i] = info->m_samples[i];
        }
    }
    for (CEntity* e : records)
        m_database.DeleteEntity(e, true);
}

void CTalusimDoc::DeleteDrawingTools()
{
    // Drawing tools live in their own file, never in the document.
    for (CEntity* e : CollectEntities(m_database, ID_ANY_CATEGORY, TOOL_ENTITY_KIND, ID_ANY_GROUP))
        m_database.DeleteEntity(e, true);
}

void CTalusimDoc::CheckResultArrays()
{
    if (m_locationMaxima.GetUpperBound() != GetLastDistributionIndex())
        ClearResults();
}

