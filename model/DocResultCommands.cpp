// The result side of the document: clearing results, project settings, graph
// windows, filters, units, display options, the accessors the graphs and
// reports read, and the drawing tool being placed.
#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "model/DiscResultsKind.h"
#include "model/GraphServices.h"
#include "model/FilterDialogServices.h"
#include "model/InteractionModes.h"
#include "tools/DrawingToolServices.h"
#include "model/SlopeViewServices.h"

namespace {

const char kToolsRegistryBase[] = "Software\\Brevantics\\Clastor\\EditTools\\";

}  // namespace

// ---- results ------------------------------------------------------------------

void CTalusimDoc::ClearRockPaths()
{
    SetModifiedFlag();
    m_endPoints.RemoveAll();
    m_rockPaths.RemoveAll();
    m_locationMaxima.RemoveAll();
    KeepSampleRoom();
    m_distributions.RemoveAll();
    m_pCurrentRockPath = nullptr;
    m_nEndPointCursor = 0;
    m_nMaximaCursor = 0;
    // One pass over the drawing, not one search per path.
    m_database.DeleteMatching(ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP, false);
    m_pathSegments.Empty();
    for (auto* b : CollectAs<CTalusimBarrier>(m_database, CAT_PLACED, KIND_BARRIER, ID_ANY_GROUP))
        b->ClearHits();
    m_database.DeleteMatching(ID_ANY_CATEGORY, DISC_RESULTS_KIND, ID_ANY_GROUP, false);
    m_pDiscEntity = nullptr;
    m_discParameters.Reset();
    MainFrameServices().RefreshTimeStepDialog(this);
    RedrawEntity(nullptr);
}

void CTalusimDoc::KeepSampleRoom(int first)
{
    const size_t n = static_cast<size_t>(m_distributions.GetSize());
    if (m_sampleRoom.size() < n)
        m_sampleRoom.resize(n);
    for (size_t i = static_cast<size_t>(std::max(first, 0)); i < n; ++i) {
        m_distributions[static_cast<int>(i)].Empty();
        // The room of a larger run stays: only an empty record is swapped out.
        if (m_distributions[static_cast<int>(i)].GetCapacity() > m_sampleRoom[i].GetCapacity())
            m_sampleRoom[i].Swap(m_distributions[static_cast<int>(i)]);
    }
}

void CTalusimDoc::TakeSampleRoom()
{
    const size_t n = std::min(static_cast<size_t>(m_distributions.GetSize()), m_sampleRoom.size());
    for (size_t i = 0; i < n; ++i) {
        CDistributionSamples& record = m_distributions[static_cast<int>(i)];
        if (record.GetCount(DIST_BOUNCE_HEIGHT) == 0 && record.GetCapacity() < m_sampleRoom[i].GetCapacity())
            record.Swap(m_sampleRoom[i]);
    }
}

void CTalusimDoc::ApplyPathColours()
{
    for (CEntity* p : CollectEntities(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP)) {
        p->SetColour(m_crPathColour);
        p->SetAltColour(m_crFilteredPathColour);
    }
}

void CTalusimDoc::ShowProjectSettings()
{
    const int points = CountPlaced(KIND_SEEDER, GROUP_POINT_SEEDER);
    const int lines = CountPlaced(KIND_SEEDER, GROUP_LINE_SEEDER);
    CProjectSettingsData data;
    data.equalLocked = points + lines <= 1;
    data.byLengthLocked = !(points == 0 && lines > 1);
    data.seed = m_nRandomSeed;
    data.randomChoice = m_nRandomMode;
    data.frictionAngleMode = m_nFrictionAngleMode;
    data.rnVelocityConstant = m_dRnVelocityConstant;
    data.considerAngularVelocity = m_bConsiderAngularVelocity ? 1 : 0;
    data.scaleRnByVelocity = m_bScaleRnByVelocity ? 1 : 0;
    data.scaleRnByMass = m_bScaleRnByMass ? 1 : 0;
    data.rnMassConstant = m_dRnMassConstant;
    data.rocks = m_nRocks;
    data.divisions = m_nLocations - 1;
    data.seederProbability = m_nSeederProbability;
    data.minimumVelocity = m_dMinimumVelocity;
    data.pathColour = m_crPathColour;
    data.filteredPathColour = m_crFilteredPathColour;
    data.velocityUnit = GetVelocityUnitLabel();
    data.massUnit = GetMassUnitLabel();
    if (SlopeViewServices().RunProjectSettings(data) == IDOK) {
        ClearResults();
        m_dRnVelocityConstant = data.rnVelocityConstant;
        m_dRnMassConstant = data.rnMassConstant;
        m_bConsiderAngularVelocity = data.considerAngularVelocity > 0;
        m_bScaleRnByVelocity = data.scaleRnByVelocity > 0;
        m_bScaleRnByMass = data.scaleRnByMass > 0;
        m_nRocks = data.rocks;
        m_nLocations = data.divisions + 1;
        m_nSeederProbability = data.seederProbability;
        m_dMinimumVelocity = data.minimumVelocity;
        const bool coloursChanged =
            data.pathColour != m_crPathColour || data.filteredPathColour != m_crFilteredPathColour;
        m_crPathColour = data.pathColour;
        m_crFilteredPathColour = data.filteredPathColour;
        if (data.randomChoice == RANDOM_TIME || data.randomChoice == RANDOM_FIXED) {
            m_nRandomMode = data.randomChoice;
        } else if (data.randomChoice == RANDOM_USER) {
            m_nRandomMode = RANDOM_USER;
            m_nRandomSeed = data.seed;
        }
        if (data.frictionAngleMode >= 0 && data.frictionAngleMode <= 2)
            m_nFrictionAngleMode = static_cast<BYTE>(data.frictionAngleMode);
        SetModifiedFlag();
        if (coloursChanged) {
            ApplyPathColours();
            RedrawEntity(nullptr);
        }
    }
    FocusCommandLine();
}

// ---- graphs and reports -------------------------------------------------------------

void CTalusimDoc::ShowChart(int kind) const
{
    MainFrameServices().ToggleChartView(kind, nullptr, true);
}

void CTalusimDoc::OnBarrierCollectorGraphs()
{
    for (auto* b : CollectAs<CTalusimBarrier>(m_database, CAT_PLACED, KIND_BARRIER, ID_ANY_GROUP)) {
        for (int kind = 3140; kind <= 3146; ++kind) {
            bool shown = false;
            POSITION pos = GetFirstViewPosition();
            while (pos && !shown) {
                CView* v = GetNextView(pos);
                shown = GraphServices().IsGraphView(v) && GraphServices().IsShowing(v, kind, b);
            }
            b->SetGraphShown(kind, shown ? 1 : 0);
        }
    }
    GraphServices().RunGraphSelect(this);
    RedrawEntity(nullptr);
    FocusCommandLine();
}

void CTalusimDoc::OnGraphEnvelope()
{
    int kind = 0;
    if (GraphServices().RunCreateGraph(0, kind) == IDOK)
        ShowChart(kind);
}

void CTalusimDoc::OnGraphDistribution()
{
    int kind = 0;
    if (GraphServices().RunCreateGraph(1, kind) == IDOK)
        ShowChart(kind);
}

void CTalusimDoc::OnUnits()
{
    bool metric = m_bMetric;
    if (SlopeViewServices().RunUnits(metric) == IDOK) {
        SetMetric(metric);
        ClearResults();
        POSITION pos = GetFirstViewPosition();
        while (pos) {
            CView* v = GetNextView(pos);
            if (GraphServices().IsGraphView(v))
                GraphServices().SetAxisTitles(v);
        }
        RedrawEntity(nullptr);
    }
    FocusCommandLine();
}

void CTalusimDoc::SetMetric(bool metric)
{
    m_bMetric = metric;
    for (CEntity* t : CollectEntities(m_database, ID_ANY_CATEGORY, TOOL_ENTITY_KIND, ID_ANY_GROUP))
        DrawingToolServices().SetDocumentOption(t, metric);
}

void CTalusimDoc::OnInfoViewer()
{
    MainFrameServices().OpenInfoViewer(this);
}

void CTalusimDoc::WriteAnalysisReport(CView* pViewer)
{
    MainFrameServices().WriteAnalysisReport(pViewer, this);
}

void CTalusimDoc::OnMaterialWizard()
{
    FilterDialogServices().RunMaterialWizard(&m_database, this);
    FocusCommandLine();
}

int CTalusimDoc::AddWizardItem(const CWizardItem& item)
{
    m_wizardItems.push_back(item);
    return (int)m_wizardItems.size() - 1;
}

void CTalusimDoc::OnDisplayOptions()
{
    if (!m_pSlope)
        return;
    CDisplayOptionsData data;
    data.pathColour = m_crPathColour;
    data.filteredPathColour = m_crFilteredPathColour;
    data.fillColour = m_pSlope->GetFillColour();
    data.hatchPattern = m_pSlope->GetHatchStyle();
    data.fillLength = m_pSlope->GetFillLength();
    data.lengthUnit = GetLengthUnitLabel();
    data.fillMode = m_pSlope->IsFilled() ? 1 : m_pSlope->IsHatched() ? 2 : 0;
    if (SlopeViewServices().RunDisplayOptions(data) == IDOK) {
        m_pSlope->SetFillOptions(data.fillColour, data.hatchPattern, data.fillLength);
        m_pSlope->SetFillMode(false, false);
        m_pSlope->SetFillMode(data.fillMode == 1, data.fillMode == 2);
        const bool coloursChanged =
            data.pathColour != m_crPathColour || data.filteredPathColour != m_crFilteredPathColour;
        m_crPathColour = data.pathColour;
        m_crFilteredPathColour = data.filteredPathColour;
        if (coloursChanged)
            ApplyPathColours();
        SetModifiedFlag();
        RedrawEntity(nullptr);
    }
    FocusCommandLine();
}

// ---- filters -----------------------------------------------------------------------------

bool CTalusimDoc::AnyPathPassesFilter()
{
    return !CollectEntities(m_database, CAT_PATH_PASSES, KIND_ROCK_PATH, ID_ANY_GROUP).empty();
}

void CTalusimDoc::OnFilterByValue()
{
    CFilterPathsData data;
    const bool filterExists = AnyPathPassesFilter();
    data.filterExists = filterExists;
    if (FilterDialogServices().RunFilterPaths(data) != IDOK)
        return;
    ApplyRockPathFilter(data.mode, filterExists, [&data](const CTalusimRockPath& p) {
        const CVector2D end = p.GetLastPoint();
        return (data.endAbove && end.x > data.endAboveX) || (data.endBelow && end.x < data.endBelowX)
               || (data.largestAbove && p.GetRight() > data.largestAboveX)
               || (data.smallestBelow && p.GetLeft() < data.smallestBelowX);
    });
    RedrawEntity(nullptr);
}

void CTalusimDoc::ApplyRockPathFilter(int mode, bool filterExists,
                                      const std::function<bool(const CTalusimRockPath&)>& matches)
{
    if (mode == 0 && filterExists)
        RemoveFilter();
    // Narrowing looks only at the paths already filtered.
    std::vector<CTalusimRockPath*> selected;
    for (auto* p : CollectAs<CTalusimRockPath>(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP)) {
        if (mode == 1 && p->GetCategoryId() != CAT_PATH_PASSES)
            continue;
        if (matches(*p))
            selected.push_back(p);
    }
    if (mode == 1)
        RemoveFilter();
    for (auto* p : selected)
        p->SetCategoryId(CAT_PATH_PASSES);
    m_database.SortEntities(72);
}

void CTalusimDoc::OnFilterByImpact(CTalusimBarrier* pInitial)
{
    bool anyHit = false;
    for (auto* b : CollectAs<CTalusimBarrier>(m_database, CAT_PLACED, KIND_BARRIER, ID_ANY_GROUP))
        anyHit = anyHit || b->GetHitUpperBound(false) >= 0;
    if (!anyHit) {
        AfxMessageBox("There must be at least one rock\nimpact on a barrier or collector.");
        return;
    }
    if (FilterDialogServices().RunFilterByImpact(&m_database, this, pInitial, AnyPathPassesFilter()) == IDOK)
        RedrawEntity(nullptr);
}

void CTalusimDoc::RemoveFilter()
{
    for (CEntity* p : CollectEntities(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP)) {
        p->SetCategoryId(CAT_PATH_NOT_FILTERED);
        p->MakeSelectable();
    }
    SetShowAllPaths(true);
    RedrawEntity(nullptr);
}

void CTalusimDoc::OnInvertFilter()
{
    for (CEntity* p : CollectEntities(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP)) {
        if (p->GetCategoryId() == CAT_PATH_PASSES)
            p->SetCategoryId(CAT_PATH_NOT_FILTERED);
        else if (p->GetCategoryId() == CAT_PATH_NOT_FILTERED)
            p->SetCategoryId(CAT_PATH_PASSES);
    }
    RedrawEntity(nullptr);
}

void CTalusimDoc::SetShowAllPaths(bool show)
{
    m_bShowFilteredOut = show;
    for (CEntity* p : CollectEntities(m_database, CAT_PATH_NOT_FILTERED, KIND_ROCK_PATH, ID_ANY_GROUP))
        p->SetSelectable(show);
    RedrawEntity(nullptr);
}

// ---- accessors -------------------------------------------------------------------------

CVector2D CTalusimDoc::GetFirstEndPoint(bool& passes)
{
    m_nEndPointCursor = 0;
    return GetNextEndPoint(passes);
}

CVector2D CTalusimDoc::GetNextEndPoint(bool& passes)
{
    passes = false;
    const int n = (int)m_endPoints.GetSize();
    if (n != m_rockPaths.GetSize() || m_nEndPointCursor >= n)
        return CVector2D(DBL_MAX, DBL_MAX);
    const int i = m_nEndPointCursor++;
    CTalusimRockPath* path = m_rockPaths[i];
    passes = path && path->GetCategoryId() == CAT_PATH_PASSES;
    return m_endPoints[i];
}

int CTalusimDoc::CountEndPoints(bool filteredOnly)
{
    if (!filteredOnly)
        return (int)m_endPoints.GetSize();
    return (int)CollectEntities(m_database, CAT_PATH_PASSES, KIND_ROCK_PATH, ID_ANY_GROUP).size();
}

bool CTalusimDoc::IsFilteredOnlyActive()
{
    return AnyPathPassesFilter() && !m_bShowFilteredOut;
}

const CLocationEnvelope& CTalusimDoc::GetFirstLocationMaxima()
{
    m_nMaximaCursor = 0;
    return GetNextLocationMaxima();
}

const CLocationEnvelope& CTalusimDoc::GetNextLocationMaxima()
{
    if (m_nMaximaCursor >= m_locationMaxima.GetSize())
        return m_overallMaxima;
    return m_locationMaxima[m_nMaximaCursor++];
}

CDistributionSamples* CTalusimDoc::GetDistribution(int i)
{
    if (i < 0 || i >= (int)m_distributions.GetSize())
        return nullptr;
    return &m_distributions[i];
}

void CTalusimDoc::GetSlopeExtents(CVector2D& topLeft, CVector2D& bottomRight) const
{
    topLeft = bottomRight = CVector2D(DBL_MAX, DBL_MAX);
    if (!m_pSlope || m_pSlope->GetVertexCount() == 0)
        return;
    double xmin = DBL_MAX, xmax = -DBL_MAX, ymin = DBL_MAX, ymax = -DBL_MAX;
    for (int i = 0; i < m_pSlope->GetVertexCount(); ++i) {
        CVector2D p = m_pSlope->GetVertexPoint(i);
        xmin = std::min(xmin, p.x);
        xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    topLeft = CVector2D(xmin, ymax);
    bottomRight = CVector2D(xmax, ymin);
}

CString CTalusimDoc::GetLengthUnitLabel() const { return m_bMetric ? "[m]" : "[ft]"; }
CString CTalusimDoc::GetMassUnitLabel() const { return m_bMetric ? "[Kg]" : "[lb]"; }
CString CTalusimDoc::GetVelocityUnitLabel() const { return m_bMetric ? "[m/s]" : "[ft/s]"; }
CString CTalusimDoc::GetEnergyUnitLabel() const { return m_bMetric ? "[J]" : "[lb ft^2/s^2]"; }
CString CTalusimDoc::GetAngularVelocityUnitLabel() const { return "[rad/s]"; }

CVector2D CTalusimDoc::SnapToSlope(double x, double y)
{
    return m_pSlope ? m_pSlope->GetNearestPoint(x, y) : CVector2D(DBL_MAX, DBL_MAX);
}

CVector2D CTalusimDoc::SnapToSlopeSegment(double x, double y, int* pSegment)
{
    bool found = false;
    return m_pSlope ? m_pSlope->GetNearestSegmentPoint(x, y, &found, pSegment) : CVector2D(DBL_MAX, DBL_MAX);
}

// ---- drawing tools ------------------------------------------------------------------------

void CTalusimDoc::CreateTool(int type)
{
    if (m_pCurrentTool) {
        m_database.DeleteEntity(m_pCurrentTool, true);
        m_pCurrentTool = nullptr;
    }
    CEntity* tool = DrawingToolServices().CreateTool(type);
    if (!tool)
        return;
    tool->SetContextMenu(6002, type == TOOL_TEXT_BOX ? 16 : 15);
    DrawingToolServices().SetDocumentOption(tool, m_bMetric);
    DrawingToolServices().SetRegistryBase(tool, kToolsRegistryBase);
    DrawingToolServices().LoadStyleFromRegistry(tool);
    m_database.AddEntity(tool, false);
    m_database.SortEntities(72);
    tool->MakeUnselectable();
    m_pCurrentTool = tool;
}

void CTalusimDoc::SetToolStartPoint(double x, double y)
{
    if (m_pCurrentTool)
        DrawingToolServices().SetControlPoint(m_pCurrentTool, 0, x, y);
}

void CTalusimDoc::SetToolEndPoint(double x, double y)
{
    if (m_pCurrentTool)
        DrawingToolServices().SetControlPoint(m_pCurrentTool, 1, x, y);
}

void CTalusimDoc::DragToolEndPoint(double x, double y)
{
    if (!m_pCurrentTool)
        return;
    RedrawEntity(m_pCurrentTool);
    DrawingToolServices().SetControlPoint(m_pCurrentTool, 1, x, y);
    RedrawEntity(m_pCurrentTool);
}

void CTalusimDoc::SetToolShiftConstrain(bool held)
{
    if (m_pCurrentTool)
        DrawingToolServices().SetShiftConstrain(m_pCurrentTool, held);
}

void CTalusimDoc::SetToolOwner(CWnd* pView)
{
    if (m_pCurrentTool)
        m_pCurrentTool->SetOwner(pView);
}

void CTalusimDoc::SetToolSelectable(bool selectable)
{
    if (m_pCurrentTool)
        m_pCurrentTool->SetSelectable(selectable);
}

void CTalusimDoc::SetToolText(LPCSTR text)
{
    if (m_pCurrentTool)
        DrawingToolServices().SetText(m_pCurrentTool, text);
}

void CTalusimDoc::FinishCurrentTool()
{
    if (!m_pCurrentTool)
        return;
    m_pCurrentTool->MakeSelectable();
    DrawingToolServices().FinishTool(m_pCurrentTool);
    DrawingToolServices().SetShiftConstrain(m_pCurrentTool, false);
    m_pCurrentTool = nullptr;
}

void CTalusimDoc::DeleteCurrentTool()
{
    if (!m_pCurrentTool)
        return;
    RedrawEntity(m_pCurrentTool);
    m_database.DeleteEntity(m_pCurrentTool, true);
    m_pCurrentTool = nullptr;
}

void CTalusimDoc::BeginEntityDrag(const CVector2D& point)
{
    if (m_pCurrentEntity)
        m_pCurrentEntity->SetReferencePoint(point.x, point.y);
}

// The grabbed grip of the current entity goes to the point (the whole
// entity follows from where the drag began when it was grabbed as a whole).
void CTalusimDoc::DragEntityBy(const CVector2D& point)
{
    if (m_pCurrentEntity)
        m_pCurrentEntity->DragGrip(point.x, point.y);
}

void CTalusimDoc::SnapshotCurrentEntity()
{
    if (m_pCurrentEntity)
        m_pCurrentEntity->SaveVertices();
}

void CTalusimDoc::RestoreCurrentEntity()
{
    if (m_pCurrentEntity)
        m_pCurrentEntity->RestoreVertices();
}

bool CTalusimDoc::EndAllEditing()
{
    bool any = false;
    for (int i = 0; i < m_database.GetEntityCount(); ++i) {
        CEntity* e = m_database.GetEntityAt(i);
        if (e && e->IsEditing()) {
            any = true;
            e->SetEditing(false);
        }
    }
    return any;
}

void CTalusimDoc::DeleteEditingEntities()
{
    std::vector<CEntity*> editing;
    for (int i = 0; i < m_database.GetEntityCount(); ++i) {
        CEntity* e = m_database.GetEntityAt(i);
        if (e && e->IsEditing())
            editing.push_back(e);
    }
    for (CEntity* e : editing) {
        if (e == m_pCurrentEntity)
            m_pCurrentEntity = nullptr;
        if (e == m_pCurrentTool)
            m_pCurrentTool = nullptr;
        m_database.DeleteEntity(e, true);
    }
}

void CTalusimDoc::EditToolFormat(CEntity* pEntity)
{
    if (pEntity)
        DrawingToolServices().RunFormatTool(pEntity, this, &m_database);
}


