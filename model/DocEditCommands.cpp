// The document's commands and operations that change the model: the editor
// dialogs, the slope, barrier, collector and seeder drawing modes, and the
// geometric checks that refuse a slope vertex or a barrier end in a bad place.
#include "model/DocumentDependencies.h"

#include <algorithm>
#include <cmath>
#include "model/MainFrameServices.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "model/SlopeViewServices.h"

namespace {

const double kMinimumGap = 0.001;

double Cross(const CVector2D& o, const CVector2D& a, const CVector2D& b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Survey coordinates (northings in the millions) are held only to a tiny
// fraction of their size, so a point that lies on a line may sit a hair off
// it. A point counts as on a line, and two coordinates as equal, within a
// length that grows with the coordinates' magnitude alone: one that grew with
// the span of the figure too took a real crossing a few millimetres from a
// survey point for a touch, and then missed it.
double ToleranceFor(const CVector2D& a, const CVector2D& b, const CVector2D& c, const CVector2D& d)
{
    const double size = std::max({1.0, std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y),
                                  std::fabs(c.x), std::fabs(c.y), std::fabs(d.x), std::fabs(d.y)});
    return std::max(1e-9, 1e-12 * size);
}

// Which side of the line o-a the point b lies on, by its distance from the
// line; 0 within the tolerance, or when o and a coincide.
int Side(const CVector2D& o, const CVector2D& a, const CVector2D& b, double tolerance)
{
    const double length = std::hypot(a.x - o.x, a.y - o.y);
    if (length == 0.0)
        return 0;
    const double distance = Cross(o, a, b) / length;
    return distance > tolerance ? 1 : (distance < -tolerance ? -1 : 0);
}

bool OnSegment(const CVector2D& p, const CVector2D& a, const CVector2D& b, double e)
{
    return std::min(a.x, b.x) - e <= p.x && p.x <= std::max(a.x, b.x) + e && std::min(a.y, b.y) - e <= p.y
           && p.y <= std::max(a.y, b.y) + e;
}

// True when the closed segments a-b and c-d share a point.
bool SegmentsCross(const CVector2D& a, const CVector2D& b, const CVector2D& c, const CVector2D& d)
{
    const double tol = ToleranceFor(a, b, c, d);
    const int s1 = Side(c, d, a, tol), s2 = Side(c, d, b, tol);
    const int s3 = Side(a, b, c, tol), s4 = Side(a, b, d, tol);
    if (s1 * s2 < 0 && s3 * s4 < 0)
        return true;
    return (s1 == 0 && OnSegment(a, c, d, tol)) || (s2 == 0 && OnSegment(b, c, d, tol))
           || (s3 == 0 && OnSegment(c, a, b, tol)) || (s4 == 0 && OnSegment(d, a, b, tol));
}

double DistanceToSegment(const CVector2D& p, const CVector2D& a, const CVector2D& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double Distance(const CVector2D& a, const CVector2D& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

// ---- helpers -----------------------------------------------------------------

int CTalusimDoc::CountPlaced(int kind, int group)
{
    return (int)CollectEntities(m_database, CAT_PLACED, kind, group).size();
}

bool CTalusimDoc::HasPlacedObjects(int kind, int group)
{
    return CountPlaced(kind, group) > 0;
}

void CTalusimDoc::DeletePlacedBarriers()
{
    for (CEntity* b : CollectEntities(m_database, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER))
        DeleteBarrier(b);
}

// "This will delete all of the barriers" before the slope changes shape. False
// when the user cancels.
bool CTalusimDoc::AskBarrierQuestion(bool markModified)
{
    if (!HasPlacedObjects(KIND_BARRIER, GROUP_BARRIER))
        return true;
    CString text;
    if (!text.LoadString(12054))
        text = "This will delete all of the barriers\nContinue?";
    if (AfxMessageBox(text, MB_OKCANCEL) != IDOK)
        return false;
    DeletePlacedBarriers();
    if (markModified)
        SetModifiedFlag();
    RedrawEntity(nullptr);
    return true;
}

bool CTalusimDoc::CanEditBarriers()
{
    return m_nMode == MODE_IDLE && HasPlacedObjects(KIND_BARRIER, GROUP_BARRIER);
}

bool CTalusimDoc::CanUseVertexCommands()
{
    const int n = GetSlopeVertexCount();
    return n > 2 || (n > 1 && m_nMode == MODE_IDLE);
}

int CTalusimDoc::GetSlopeVertexCount() const
{
    return m_pSlope ? m_pSlope->GetVertexCount() : 0;
}

// ---- editor dialogs ---------------------------------------------------------------

void CTalusimDoc::OnCollectorEditor()
{
    EditCollectors(nullptr);
}

void CTalusimDoc::EditCollectors(CTalusimBarrier* pInitial)
{
    // Only an edit that was confirmed invalidates the results.
    if (SlopeViewServices().RunDataCollectorEditor(this, pInitial) == IDOK) {
        ClearResults();
        SetModifiedFlag();
    }
    RedrawEntity(nullptr);
    FocusCommandLine();
}

void CTalusimDoc::OnBarrierEditor()
{
    if (SlopeViewServices().RunBarrierEditor(this, nullptr) == IDOK) {
        SetModifiedFlag();
        ClearRockPaths();
    }
    RedrawEntity(nullptr);
    FocusCommandLine();
}

void CTalusimDoc::OnMaterialEditor()
{
    EditMaterial(nullptr);
}

void CTalusimDoc::EditMaterial(CTalusimSlopeType* pInitial)
{
    const bool frictionEnabled = m_nFrictionAngleMode == 0;
    INT_PTR result =
        SlopeViewServices().RunMaterialEditor(this, m_pSlope, GetFirstMaterial(), pInitial, frictionEnabled);
    MainFrameServices().RefillMaterialCombo();
    if (result == IDOK) {
        ClearResults();
        SetModifiedFlag();
    }
    RedrawEntity(m_pSlope);
    FocusCommandLine();
}

void CTalusimDoc::EditMaterialAtPoint(double x, double y)
{
    CTalusimSlopeType* material = nullptr;
    if (m_pSlope) {
        int index = m_pSlope->GetSegmentIndexAt(x, y);
        if (index >= 0)
            material = m_pSlope->GetSegmentMaterial(index);
    }
    EditMaterial(material);
}

void CTalusimDoc::OnSlopeEditor()
{
    RunSlopeEditor(PICK_NONE, -1);
}

void CTalusimDoc::RunSlopeEditor(int pickKind, int index)
{
    if (!m_pSlope)
        return;
    CSlopeEditorData data;
    data.document = this;
    data.slope = m_pSlope;
    data.pickKind = pickKind;
    data.index = index >= 0 && index < m_pSlope->GetVertexCount() ? index : -1;
    data.generateSamples = m_bGenerateSlopeSamples;
    data.metric = m_bMetric;
    m_pSlope->SaveVertices();
    m_pSlope->SaveMaterials();
    if (SlopeViewServices().RunSlopeEditor(data) == IDOK) {
        m_bGenerateSlopeSamples = data.generateSamples;
        ClearResults();
        SetModifiedFlag();
    } else {
        m_pSlope->RestoreVertices();
        m_pSlope->RestoreMaterials();
    }
    m_pSlope->SetSampleSlopeFlag(m_bGenerateSlopeSamples);
    RedrawEntity(nullptr);
    FocusCommandLine();
}

namespace {

// A grid or snap changed in its dialog shows at once: the views draw it and
// the status bar's panes say it before the program goes back to its message
// loop, whose idle moment would otherwise be the first to show it.
void ShowViewSettingsNow(CTalusimDoc& doc)
{
    doc.RedrawEntity(nullptr);
    for (POSITION pos = doc.GetFirstViewPosition(); pos != nullptr;)
        if (CView* view = doc.GetNextView(pos))
            view->UpdateWindow();
    MainFrameServices().InvalidateStatusBar();
}

} // namespace

void CTalusimDoc::OnSnap()
{
    int mode = m_database.GetSnapMode();
    if (SlopeViewServices().RunSnapDialog(mode) == IDOK) {
        m_database.SetSnapMode(mode);
        SetModifiedFlag();
        ShowViewSettingsNow(*this);
    }
    FocusCommandLine();
}

void CTalusimDoc::ChangeSnapMode(int mode)
{
    const int before = m_database.GetSnapMode();
    if (m_database.SetSnapMode(mode) != before)
        SetModifiedFlag();
}

void CTalusimDoc::OnGridSettings()
{
    CGridSettingsData data;
    data.colour = m_database.GetGridColour();
    data.style = m_database.GetGridStyle();
    data.on = m_database.GetGridState() == GRID_SHOW;
    CVector2D spacing = m_database.GetGridSpacing();
    data.spacingX = spacing.x;
    data.spacingY = spacing.y;
    if (SlopeViewServices().RunGridSettings(data) == IDOK) {
        m_database.SetGridColour(data.colour);
        m_database.SetGridStyle(data.style);
        m_database.SetGridState(data.on ? GRID_SHOW : GRID_HIDE);
        m_database.SetGridSpacing(data.spacingX, data.spacingY);
        SetModifiedFlag();
        ShowViewSettingsNow(*this);
    }
    FocusCommandLine();
}

void CTalusimDoc::OnDeleteEntireSlope()
{
    CString text;
    if (!text.LoadString(12006))
        text = "Delete entire slope (and any existing barriers)?";
    if (AfxMessageBox(text, MB_OKCANCEL) != IDOK)
        return;
    SetMode(MODE_IDLE);
    DeletePlacedBarriers();
    DeleteSlope();
    SetModifiedFlag();
    RedrawEntity(nullptr);
}

// ---- slope drawing --------------------------------------------------------------------

void CTalusimDoc::BeginDefineSlope()
{
    if (!AskBarrierQuestion(true))
        return;
    ClearResults();
    if (SetMode(MODE_DEFINE_SLOPE) != MODE_DEFINE_SLOPE || !m_pSlope)
        return;
    m_pSlope->Show();
    if (m_pSlope->GetVertexCount() >= 2) {
        CVector2D last = m_pSlope->GetVertexPoint(m_pSlope->GetLastVertexIndex());
        AppendSlopeVertex(last.x, last.y);
    }
}

void CTalusimDoc::BeginDeleteVertices()
{
    if (!AskBarrierQuestion(false))
        return;
    ClearResults();
    if (SetMode(MODE_DELETE_VERTICES) != MODE_DELETE_VERTICES)
        return;
    if (m_pSlope) {
        RedrawEntity(m_pSlope);
        if (m_pSlope->GetMarkedVertexCount() > 0) {
            bool refused = false;
            m_pSlope->DeleteMarkedVertices(refused);
            if (refused)
                DeleteSlope();
            SetMode(MODE_IDLE);
        }
    }
    SetModifiedFlag();
}

void CTalusimDoc::BeginMoveVertices()
{
    if (!AskBarrierQuestion(true))
        return;
    ClearResults();
    if (m_nMode >= MODE_MOVE_VERTICES_SELECT && m_nMode <= MODE_MOVE_VERTICES_TARGET) {
        SetMode(MODE_IDLE);
    } else {
        SetModifiedFlag();
        SetMode(MODE_MOVE_VERTICES_SELECT);
    }
}

void CTalusimDoc::StepMoveVertices()
{
    if (!m_pSlope || m_pSlope->GetMarkedVertexCount() == 0) {
        SetMode(MODE_IDLE);
        return;
    }
    if (m_nMode == MODE_MOVE_VERTICES_SELECT) {
        SetMode(MODE_MOVE_VERTICES_BASE);
    } else if (m_nMode == MODE_MOVE_VERTICES_BASE) {
        SetMode(MODE_MOVE_VERTICES_TARGET);
    } else if (m_nMode == MODE_MOVE_VERTICES_TARGET) {
        m_pSlope->MoveMarkedVertices(m_vertexMoveTarget.x - m_vertexMoveBase.x,
                                     m_vertexMoveTarget.y - m_vertexMoveBase.y);
        RedrawEntity(nullptr);
    }
}

void CTalusimDoc::FinishVertexDeletion()
{
    if (m_pSlope) {
        RedrawEntity(m_pSlope);
        if (m_pSlope->GetMarkedVertexCount() > 0) {
            bool refused = false;
            m_pSlope->DeleteMarkedVertices(refused);
            if (refused)
                DeleteSlope();
            SetModifiedFlag();
        }
    }
    SetMode(MODE_IDLE);
}

void CTalusimDoc::AppendSlopeVertex(double x, double y)
{
    if (!m_pSlope)
        return;
    m_pSlope->MakeSelectable();
    m_pSlope->Show();
    m_pSlope->AddVertexWithMaterial(x, y, GetFirstMaterial());
    RedrawEntity(m_pSlope);
}

void CTalusimDoc::MoveRubberBandVertex(CPolyLine* line, double x, double y)
{
    RedrawFollowingMouse(line);
    line->SetVertexPoint(line->GetLastVertexIndex(), x, y);
    RedrawFollowingMouse(line);
}

namespace {

// Drops the vertex before the one that follows the mouse; false when that is
// the first vertex.
bool DropVertexBeforeRubberBand(CPolyLine* line)
{
    if (line->GetLastVertexIndex() <= 1)
        return false;
    line->DeleteVertex(line->GetLastVertexIndex() - 1);
    return true;
}

}  // namespace

void CTalusimDoc::TrackSlopeVertex(double x, double y)
{
    if (!m_pSlope)
        return;
    if (m_pSlope->GetVertexCount() == 0)
        m_pSlope->AddVertexWithMaterial(x, y, GetFirstMaterial());
    if (m_pSlope->GetVertexCount() == 1)
        MoveReferencePoint(x, y);
    else if (m_pSlope->GetVertexCount() == 2)
        HideReferencePoint();
    MoveRubberBandVertex(m_pSlope, x, y);
}

void CTalusimDoc::RemoveLastSlopeVertex()
{
    if (!m_pSlope)
        return;
    if (!DropVertexBeforeRubberBand(m_pSlope))
        DeleteSlope();
    RedrawEntity(nullptr);
}

bool CTalusimDoc::CanAppendSlopeVertex(double x, double y)
{
    if (!m_pSlope)
        return false;
    const CVector2D q(x, y);
    const int n = m_pSlope->GetLastVertexIndex();
    if (n < 1)
        return true;
    if (n == 1)
        return Distance(q, m_pSlope->GetVertexPoint(0)) >= kMinimumGap;
    const CVector2D p = m_pSlope->GetVertexPoint(n - 1);
    if (Distance(q, p) < kMinimumGap)
        return false;
    for (int i = 0; i <= n - 2; ++i) {
        const CVector2D a = m_pSlope->GetVertexPoint(i), b = m_pSlope->GetVertexPoint(i + 1);
        // The segment ending at P shares P with the new one: no crossing test.
        if (i < n - 2 && SegmentsCross(p, q, a, b))
            return false;
        if (DistanceToSegment(q, a, b) < kMinimumGap)
            return false;
    }
    return CanAppendSegmentAcrossBarriers(p, q);
}

bool CTalusimDoc::CanAppendSegmentAcrossBarriers(const CVector2D& a, const CVector2D& b)
{
    for (auto* barrier : CollectAs<CTalusimBarrier>(m_database, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER)) {
        const CVector2D s = barrier->GetStartPoint(), e = barrier->GetEndPoint();
        if (SegmentsCross(a, b, s, e) || DistanceToSegment(b, s, e) < kMinimumGap
            || DistanceToSegment(s, a, b) < kMinimumGap || DistanceToSegment(e, a, b) < kMinimumGap)
            return false;
    }
    return true;
}

bool CTalusimDoc::CanPlaceBarrierAt(double x, double y)
{
    if (!m_pPendingBarrier || !m_pSlope)
        return false;
    const CVector2D s = m_pPendingBarrier->GetStartPoint();
    const CVector2D q(x, y);
    if (!CanAppendSegmentAcrossBarriers(s, q))
        return false;
    // The segments the barrier stands on are those that touch its start: one
    // segment, or the two that meet at a vertex (placing the first end inserts
    // a slope vertex there). The nearest-segment index names a segment by its end
    // vertex, so skipping "k and k + 1" would leave out the wrong neighbour, and at
    // an inserted vertex the search finds no segment at all.
    const int last = m_pSlope->GetLastVertexIndex();
    int touching[2] = {-1, -1};
    int touchingCount = 0;
    for (int i = 0; i < last; ++i) {
        const CVector2D a = m_pSlope->GetVertexPoint(i), b = m_pSlope->GetVertexPoint(i + 1);
        if (DistanceToSegment(s, a, b) < kMinimumGap) {
            if (touchingCount < 2)
                touching[touchingCount] = i;
            ++touchingCount;
            continue;
        }
        if (SegmentsCross(s, q, a, b) || DistanceToSegment(q, a, b) < kMinimumGap)
            return false;
    }
    if (touchingCount == 0 || touchingCount > 2)
        return touchingCount == 0;
    // The second end must lie above the slope where the barrier stands.
    const bool leftToRight = m_pSlope->GetVertexPoint(0).x <= m_pSlope->GetVertexPoint(last).x;
    auto above = [&](int i) {
        const double turn = Cross(m_pSlope->GetVertexPoint(i), m_pSlope->GetVertexPoint(i + 1), q);  // > 0 counter-clockwise
        return leftToRight ? turn > 0 : turn < 0;
    };
    if (touchingCount == 1)
        return above(touching[0]);
    // At a vertex: over a crest the ground lies below both lines, so being above
    // either is enough; in a hollow it lies below either, so both are needed.
    const CVector2D before = m_pSlope->GetVertexPoint(touching[0]);
    const CVector2D vertex = m_pSlope->GetVertexPoint(touching[1]);
    const CVector2D after = m_pSlope->GetVertexPoint(touching[1] + 1);
    const double bend = Cross(before, vertex, after);
    const bool crest = touching[1] == touching[0] + 1 && (leftToRight ? bend < 0 : bend > 0);
    return crest ? (above(touching[0]) || above(touching[1])) : (above(touching[0]) && above(touching[1]));
}

// ---- reference point and move points ---------------------------------------------------

void CTalusimDoc::MoveReferencePoint(double x, double y)
{
    if (!m_pReferencePoint)
        return;
    RedrawFollowingMouse(m_pReferencePoint);
    m_pReferencePoint->Show();
    m_pReferencePoint->SetPoint(x, y);
    RedrawFollowingMouse(m_pReferencePoint);
}

void CTalusimDoc::MarkMovePoint(CVector2D& point, double x, double y)
{
    point = CVector2D(x, y);
    MoveReferencePoint(x, y);
}

void CTalusimDoc::SetVertexMoveBasePoint(double x, double y)
{
    MarkMovePoint(m_vertexMoveBase, x, y);
}

void CTalusimDoc::SetVertexMoveTargetPoint(double x, double y)
{
    MarkMovePoint(m_vertexMoveTarget, x, y);
}

void CTalusimDoc::SetCollectorMoveBasePoint(double x, double y)
{
    MarkMovePoint(m_entityMoveBase, x, y);
}

void CTalusimDoc::SetCollectorMoveTargetPoint(double x, double y)
{
    MarkMovePoint(m_entityMoveTarget, x, y);
}

void CTalusimDoc::BackupSlopeVertices()
{
    if (m_pSlope)
        m_pSlope->SaveVertices();
}

void CTalusimDoc::MoveSelectedVertices()
{
    if (!m_pSlope)
        return;
    RedrawFollowingMouse(m_pSlope);
    m_pSlope->MoveMarkedVertices(m_vertexMoveTarget.x - m_vertexMoveBase.x,
                                 m_vertexMoveTarget.y - m_vertexMoveBase.y);
    RedrawFollowingMouse(m_pSlope);
}

void CTalusimDoc::MoveSelectedEntities()
{
    m_database.RestoreSelectionGeometry();
    m_database.DragSelection(CVector2D(m_entityMoveTarget.x - m_entityMoveBase.x,
                                       m_entityMoveTarget.y - m_entityMoveBase.y));
    // The results were cleared when the base point was taken.
    RedrawFollowingMouse(nullptr);
}

// ---- pending barrier, collector and seeder -----------------------------------------------

namespace {

// A line of the group waiting for its points, under the first name of the
// series that no placed line of the group has taken.
CTalusimBarrier* AddPendingLine(CREGDatabase& db, LPCSTR firstName, int group)
{
    CString name;
    db.MakeUniqueName(firstName, name, KIND_BARRIER, group, CAT_PLACED);
    auto* line = CTalusimBarrier::NewOfGroup(name, CAT_PENDING, group);
    db.AddEntity(line, false);
    return line;
}

}  // namespace

CTalusimBarrier* CTalusimDoc::CreatePendingCollector()
{
    m_pPendingCollector = AddPendingLine(m_database, "Collector001", GROUP_COLLECTOR);
    return m_pPendingCollector;
}

CTalusimBarrier* CTalusimDoc::CreatePendingBarrier()
{
    m_pPendingBarrier = AddPendingLine(m_database, "Barrier001", GROUP_BARRIER);
    return m_pPendingBarrier;
}

CTalusimRaker* CTalusimDoc::CreatePendingSeeder()
{
    auto* s = new CTalusimRaker;
    CString name;
    m_database.MakeUniqueName("Seeder", name, KIND_SEEDER, ID_ANY_GROUP, ID_ANY_CATEGORY);
    s->SetName(name);
    s->SetCategoryId(CAT_PENDING);
    s->MakeUnselectable();
    m_database.AddEntity(s, false);
    m_pPendingSeeder = s;
    return s;
}

bool CTalusimDoc::ToggleAddMode(int mode)
{
    if (IsEquivalentMode(m_nMode, mode)) {
        SetMode(MODE_IDLE);
        return false;
    }
    return SetMode(mode) == mode;
}

void CTalusimDoc::OnAddDataCollector()
{
    if (ToggleAddMode(MODE_ADD_COLLECTOR_FIRST) && !m_pPendingCollector)
        CreatePendingCollector()->MakeUnselectable();
}

void CTalusimDoc::OnAddBarrier()
{
    if (ToggleAddMode(MODE_ADD_BARRIER_FIRST) && !m_pPendingBarrier)
        CreatePendingBarrier()->MakeUnselectable();
}

void CTalusimDoc::OnAddLineSeeder()
{
    if (ToggleAddMode(MODE_ADD_LINE_SEEDER_FIRST) && !m_pPendingSeeder)
        CreatePendingSeeder()->MakeUnselectable();
}

void CTalusimDoc::TrackLineStart(CTalusimBarrier* line, double x, double y)
{
    MoveReferencePoint(x, y);
    if (line)
        line->SetPoints(x, y, line->GetEndPoint().x, line->GetEndPoint().y);
}

void CTalusimDoc::TrackLineEnd(CTalusimBarrier* line, double x, double y)
{
    if (!line)
        return;
    RedrawFollowingMouse(line);
    line->MakeSelectable();
    CVector2D s = line->GetStartPoint();
    line->SetPoints(s.x, s.y, x, y);
    RedrawFollowingMouse(line);
}

void CTalusimDoc::TrackLineSeederStart(double x, double y)
{
    MoveReferencePoint(x, y);
    if (!m_pPendingSeeder)
        return;
    if (m_pPendingSeeder->GetVertexCount() == 0)
        m_pPendingSeeder->AddPoint(x, y);
    else
        m_pPendingSeeder->SetVertexPoint(0, x, y);
}

void CTalusimDoc::AddLineSeederVertex(double x, double y)
{
    if (!m_pPendingSeeder)
        return;
    m_pPendingSeeder->AddPoint(x, y);
    RedrawEntity(m_pPendingSeeder);
}

void CTalusimDoc::TrackLineSeederEnd(double x, double y)
{
    if (!m_pPendingSeeder || m_pPendingSeeder->GetVertexCount() == 0)
        return;
    MoveRubberBandVertex(m_pPendingSeeder, x, y);
}

void CTalusimDoc::RemoveLastSeederVertex()
{
    if (!m_pPendingSeeder)
        return;
    if (!DropVertexBeforeRubberBand(m_pPendingSeeder))
        SetMode(MODE_ADD_LINE_SEEDER_FIRST);
    RedrawEntity(nullptr);
}

void CTalusimDoc::PlacePendingCollector()
{
    if (!m_pPendingCollector)
        return;
    m_pPendingCollector->MakeSelectable();
    m_pPendingCollector->SetCategoryId(CAT_PLACED);
    CreatePendingCollector();
    SetModifiedFlag();
    ClearResults();
}

void CTalusimDoc::PlacePendingBarrier()
{
    if (!m_pPendingBarrier)
        return;
    m_pPendingBarrier->MakeSelectable();
    m_pPendingBarrier->SetCategoryId(CAT_PLACED);
    CreatePendingBarrier();
    ClearResults();
    SetModifiedFlag();
}

namespace {

CInitialConditionsData InitialConditionsFor(const CTalusimDoc& doc)
{
    CInitialConditionsData data;
    data.massUnit = doc.GetMassUnitLabel();
    data.velocityUnit = doc.GetVelocityUnitLabel();
    data.considerAngularVelocity = doc.GetConsiderAngularVelocity();
    data.massMean = 10.0;
    return data;
}

void ApplyInitialConditions(CTalusimRaker* s, const CInitialConditionsData& d)
{
    s->SetMass(d.massMean, d.massStdDev);
    s->SetVelocity(d.vxMean, d.vyMean, d.vxStdDev, d.vyStdDev);
    s->SetRadius(d.radiusMean, d.radiusStdDev);
    s->SetAngularVelocity(d.angularMean, d.angularStdDev);
}

}  // namespace

void CTalusimDoc::FinishLineSeeder()
{
    CTalusimRaker* s = m_pPendingSeeder;
    if (!s)
        return;
    RedrawEntity(s);
    // Drops the rubber-band vertex when enough vertices stay; a seeder of one
    // fixed vertex and the rubber band is no line.
    bool refused = false;
    s->RemoveLastVertex(&refused);
    if (refused || s->GetVertexCount() < 2) {
        s->MakeUnselectable();
        s->RemoveAllVertices();
        return;
    }
    CInitialConditionsData data = InitialConditionsFor(*this);
    if (SlopeViewServices().RunInitialConditions(data) == IDOK) {
        ClearResults();
        ApplyInitialConditions(s, data);
        s->MakeSelectable();
        s->SetCategoryId(CAT_PLACED);
        s->SetGroupId(GROUP_LINE_SEEDER);
        CreatePendingSeeder();
        SetModifiedFlag();
    } else {
        RedrawEntity(s);
        s->MakeUnselectable();
        s->RemoveAllVertices();
    }
    FocusCommandLine();
}

void CTalusimDoc::AddPointSeederAt(double x, double y)
{
    CInitialConditionsData data = InitialConditionsFor(*this);
    if (SlopeViewServices().RunInitialConditions(data) == IDOK) {
        ClearResults();
        auto* s = new CTalusimRaker;
        ApplyInitialConditions(s, data);
        s->AddPoint(x, y);
        s->SetCategoryId(CAT_PLACED);
        s->SetGroupId(GROUP_POINT_SEEDER);
        m_database.AddEntity(s, true);
        m_nSeederProbability = SEEDER_EQUAL;
        SetModifiedFlag();
    }
    SetMode(MODE_IDLE);
    FocusCommandLine();
}

// ---- deleting and moving placed objects -------------------------------------------------------

void CTalusimDoc::CloseBarrierGraphs(CEntity* pObject)
{
    for (int kind = 3140; kind <= 3146; ++kind)
        MainFrameServices().ToggleChartView(kind, pObject, false);
}

void CTalusimDoc::DeleteBarrier(CEntity* pObject)
{
    // Its graph windows go first: they draw from it.
    CloseBarrierGraphs(pObject);
    m_database.DeleteEntity(pObject, true);
}

void CTalusimDoc::ResetSeederProbability()
{
    if (CountPlaced(KIND_SEEDER, GROUP_LINE_SEEDER) < 2)
        m_nSeederProbability = SEEDER_EQUAL;
}

bool CTalusimDoc::DeleteSelectedLines()
{
    if (m_database.CountInSet(SET_SELECTION) == 0)
        return false;
    for (CEntity* e = m_database.GetFirstInSet(SET_SELECTION); e; e = m_database.GetNextInSet(SET_SELECTION))
        CloseBarrierGraphs(e);
    m_database.DeleteSet(SET_SELECTION, true);
    SetModifiedFlag();
    return true;
}

void CTalusimDoc::DeleteSelectedBarriers()
{
    // The rock paths were computed against the barriers: they no longer hold.
    if (DeleteSelectedLines())
        ClearResults();
    SetMode(MODE_IDLE);
}

void CTalusimDoc::DeleteSelectedCollectors()
{
    // A collector only records: the rock paths stay as they were.
    DeleteSelectedLines();
    SetMode(MODE_IDLE);
}

void CTalusimDoc::DeleteSelectedSeeders()
{
    if (m_database.CountInSet(SET_SELECTION) > 0) {
        m_database.DeleteSet(SET_SELECTION, true);
        SetModifiedFlag();
        ResetSeederProbability();
    }
    SetMode(MODE_IDLE);
}

bool CTalusimDoc::MoveSelectedBarrierTo(double x, double y)
{
    CEntity* first = m_database.GetFirstInSet(SET_SELECTION);
    auto* barrier = dynamic_cast<CTalusimBarrier*>(first);
    if (!barrier)
        return false;
    // The check works on the pending barrier; the moved one stands in for it,
    // under a category that keeps it out of its own barrier test.
    CTalusimBarrier* pending = m_pPendingBarrier;
    const int category = barrier->GetCategoryId();
    m_pPendingBarrier = barrier;
    barrier->SetCategoryId(CAT_BARRIER_MOVING);
    const bool allowed = CanPlaceBarrierAt(x, y);
    barrier->SetCategoryId(category);
    m_pPendingBarrier = pending;
    if (!allowed)
        return false;
    // Followed live; the move that ends it clears the results.
    RedrawFollowingMouse(barrier);
    CVector2D s = barrier->GetStartPoint();
    barrier->SetPoints(s.x, s.y, x, y);
    RedrawFollowingMouse(barrier);
    return true;
}

// ---- materials on segments ---------------------------------------------------------------------

void CTalusimDoc::AssignMaterialToSegments(int test, double top, double left, double bottom, double right)
{
    if (!m_pSlope)
        return;
    m_pSlope->UnmarkSegments();
    m_pSlope->MarkSegmentsInRect(ACTION_ADD, top, left, bottom, right, test, SEGMENTS_VISIBLE);
    if (m_pSlope->GetMarkedSegmentCount() == 0)
        return;
    MainFrameServices().RefillMaterialCombo();
    CTalusimSlopeType* material = MainFrameServices().GetSelectedMaterial();
    bool known = false;
    for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP))
        known = known || m == material;
    if (material && known) {
        for (int i = 0; i < m_pSlope->GetVertexCount(); ++i)
            if (m_pSlope->IsSegmentMarked(i))
                m_pSlope->SetSegmentMaterial(i, material);
    }
    m_pSlope->UnmarkSegments();
    ClearResults();
    SetModifiedFlag();
    RedrawEntity(nullptr);
}

void CTalusimDoc::RestoreSegmentMaterials()
{
    if (!m_pSlope)
        return;
    m_pSlope->RestoreMaterials();
    RedrawEntity(m_pSlope);
}

