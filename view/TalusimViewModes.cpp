// The handlers of the slope, seeder, barrier, collector and rock-path modes.
// A handler keeps no stage of its own: the stage is the document's mode.
#include "view/TalusimView.h"

#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "framework/MessageBox.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "view/SlopeModeHost.h"
#include "view/SlopeViewRules.h"
#include "model/SlopeViewServices.h"

namespace {
constexpr UINT kInvalidSlopeVertex = 12000;
constexpr UINT kInvalidBarrierEnd = 12057;
constexpr double kFar = 3.4028234663852886e38;
constexpr WorldBox kEverywhere{kFar, -kFar, -kFar, kFar};
}  // namespace

// The seeder of the last pick (set 25) in the Define Initial Conditions dialog.
void CTalusimView::OnEditSeeder()
{
    auto* seeder = dynamic_cast<CTalusimRaker*>(GetContextEntity());
    if (seeder == nullptr)
        return;
    CInitialConditionsData data;
    data.considerAngularVelocity = m_pDoc->GetConsiderAngularVelocity();
    data.massUnit = m_pDoc->GetMassUnitLabel();
    data.velocityUnit = m_pDoc->GetVelocityUnitLabel();
    seeder->GetMass(data.massMean, data.massStdDev);
    seeder->GetVelocity(data.vxMean, data.vyMean, data.vxStdDev, data.vyStdDev);
    seeder->GetRadius(data.radiusMean, data.radiusStdDev);
    seeder->GetAngularVelocity(data.angularMean, data.angularStdDev);
    if (SlopeViewServices().RunInitialConditions(data) == IDOK) {
        // Rocks thrown with the old conditions no longer belong to the model.
        m_pDoc->ClearResults();
        seeder->SetMass(data.massMean, data.massStdDev);
        seeder->SetVelocity(data.vxMean, data.vyMean, data.vxStdDev, data.vyStdDev);
        seeder->SetRadius(data.radiusMean, data.radiusStdDev);
        seeder->SetAngularVelocity(data.angularMean, data.angularStdDev);
        m_pDoc->SetModifiedFlag();
    }
    MainFrameServices().FocusCommandLine();
}

// The barrier of the last pick (set 25) in the Barrier Editor, opened on it.
void CTalusimView::OnEditBarrier()
{
    auto* barrier = dynamic_cast<CTalusimBarrier*>(GetContextEntity());
    if (barrier == nullptr)
        return;
    if (SlopeViewServices().RunBarrierEditor(m_pDoc, barrier) == IDOK) {
        m_pDoc->ClearResults();
        m_pDoc->SetModifiedFlag();
        m_pDoc->UpdateAllViews(nullptr);
    }
    MainFrameServices().FocusCommandLine();
}

// What a point-taking mode makes of an event: Esc leaves the mode, a move gives the snapped
// point under the cursor, a click or a point typed at the prompt (Enter) gives the point taken.
CTalusimView::PointEvent CTalusimView::ReadPointEvent(int event, int x, int y, CVector2D& p)
{
    switch (event) {
    case EVENT_CANCEL:
        m_pDoc->SetMode(MODE_IDLE);
        return PointEvent::None;
    case EVENT_MOUSE_MOVE:
        p = SnapPoint(x, y, true);
        return PointEvent::Moved;
    case EVENT_LEFT_DOWN:
    case EVENT_DONE:
        return GetEventPoint(event, x, y, p) ? PointEvent::Taken : PointEvent::None;
    default:
        return PointEvent::None;
    }
}

void CTalusimView::process_IDLE(int event, int x, int y)
{
    CREGDatabase* db = GetDatabase();
    CViewContext* vc = m_pViewContext.get();
    if (event == EVENT_DOUBLE_CLICK) {
        const CVector2D w = vc->DeviceToWorld(x, y);
        if (CTalusimSlope* slope = m_pDoc->GetSlope()) {
            const int i = slope->FindNearestSegment(w.x, w.y, false);
            if (i >= 0 && i <= slope->GetLastVertexIndex()) {
                const CPolyVertex v = slope->GetVertex(i);
                if (vc->ArePointsNear(CVector2D(v.x, v.y), w)) {
                    m_pDoc->RunSlopeEditor(PICK_SEGMENT, i);
                    return;
                }
            }
        }
        CEntity* e = nullptr;
        if (!db->PickEntity(CPoint(x, y), vc, 111, nullptr, &e, this) || e == nullptr)
            return;
        // The editors work on the object of the last pick, as from the context menu.
        const bool seeder = e->GetKindId() == KIND_SEEDER;
        const bool barrier =
            e->GetKindId() == KIND_BARRIER && e->GetGroupId() == GROUP_BARRIER && e->GetCategoryId() == CAT_PLACED;
        if (!seeder && !barrier)
            return;
        db->ClearSet(SET_WORK);
        e->AddToSet(SET_WORK);
        if (seeder)
            OnEditSeeder();
        else
            OnEditBarrier();
        return;
    }
    if (event == EVENT_LEFT_DOWN)
        CSlopeModes(*this).PickForEditing(x, y);
}

void CTalusimView::process_DEFINE_SLOPE(int event, int x, int y)
{
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_DONE: {
        if (MainFrameServices().IsCommandLineEmpty()) {
            m_pDoc->SetMode(MODE_IDLE);
            break;
        }
        CVector2D t;
        if (!GetTypedPoint(t))
            break;
        if (m_pDoc->CanAppendSlopeVertex(t.x, t.y)) {
            m_pDoc->TrackSlopeVertex(t.x, t.y);
            m_pDoc->AppendSlopeVertex(t.x, t.y);
            m_pDoc->ClearResults();
            m_pDoc->SetModifiedFlag();
        } else {
            ShowMessage(kInvalidSlopeVertex);
        }
        break;
    }
    case EVENT_GO_BACK:
        if (MainFrameServices().ConfirmGoBack()) {
            m_pDoc->ClearResults();
            m_pDoc->RemoveLastSlopeVertex();
            m_pDoc->SetModifiedFlag();
        }
        break;
    case EVENT_LEFT_DOWN: {
        const CVector2D s = SnapPoint(x, y, true);
        if (m_pDoc->CanAppendSlopeVertex(s.x, s.y)) {
            const CVector2D w = m_pViewContext->DeviceToWorld(x, y);
            m_pDoc->AppendSlopeVertex(w.x, w.y);
            m_pDoc->ClearResults();
            m_pDoc->SetModifiedFlag();
        } else {
            ShowMessage(kInvalidSlopeVertex);
        }
        break;
    }
    case EVENT_MOUSE_MOVE: {
        const CVector2D s = SnapPoint(x, y, true);
        if (m_pDoc->CanAppendSlopeVertex(s.x, s.y))
            m_pDoc->TrackSlopeVertex(s.x, s.y);
        break;
    }
    default: break;
    }
}

CTalusimView::PointEvent CTalusimView::ReadPointEvent(int event, int x, int y, int previousMode, CVector2D& p)
{
    if (event != EVENT_GO_BACK)
        return ReadPointEvent(event, x, y, p);
    m_pDoc->SetMode(previousMode);
    return PointEvent::None;
}

void CTalusimView::MarkSlopeVertices(int action, const WorldBox& box)
{
    GetDatabase()->MarkVerticesInWindow(action, box.top, box.left, box.bottom, box.right, ID_ANY_CATEGORY,
                                        KIND_SLOPE, ID_ANY_GROUP);
    m_pDoc->UpdateAllViews(nullptr, 0, m_pDoc->GetSlope());
}

void CTalusimView::process_INSERT_VERTEX(int event, int x, int y)
{
    if (event == EVENT_CANCEL) {
        m_pDoc->SetMode(MODE_IDLE);
    } else if (event == EVENT_LEFT_DOWN) {
        const CVector2D w = m_pViewContext->DeviceToWorld(x, y);
        CVector2D a, b;
        m_pViewContext->GetPickBox(x, y, a, b);
        CEntity* e = GetDatabase()->ApplyToNearestEntity(w, a, b, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
        if (e != nullptr) {
            m_pDoc->SetModifiedFlag();
            m_pDoc->UpdateAllViews(nullptr, 0, e);
        }
    }
}

void CTalusimView::process_DELETE_VERTICES(int event, CDC* pDC, int x, int y)
{
    SelectionBand band;
    switch (event) {
    case EVENT_CANCEL:
        GetDatabase()->ClearAllVertexMarks();
        m_pDoc->SetMode(MODE_IDLE);
        break;
    case EVENT_DONE: m_pDoc->FinishVertexDeletion(); break;
    default:
        if (CSlopeModes(*this).TrackBand(event, pDC, x, y, band))
            MarkSlopeVertices(ACTION_TOGGLE, band);
        break;
    }
}

void CTalusimView::process_SELECT_VERTICES_TO_MOVE(int event, CDC* pDC, int x, int y)
{
    SelectionBand band;
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_DONE: {
        const int marked = GetDatabase()->CountMarkedVertices(ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
        m_pDoc->SetMode(marked > 0 ? MODE_MOVE_VERTICES_BASE : MODE_IDLE);
        break;
    }
    case EVENT_SELECT_ALL:
        if (MainFrameServices().ConfirmSelectAll())
            MarkSlopeVertices(ACTION_ADD, kEverywhere);
        break;
    default:
        if (CSlopeModes(*this).TrackBand(event, pDC, x, y, band))
            MarkSlopeVertices(ACTION_TOGGLE, band);
        break;
    }
}

void CTalusimView::process_MOVE_VERTICES_BASE(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, MODE_MOVE_VERTICES_SELECT, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->SetVertexMoveBasePoint(p.x, p.y);
    if (e == PointEvent::Taken) {
        m_pDoc->BackupSlopeVertices();
        m_pDoc->SetMode(MODE_MOVE_VERTICES_TARGET);
    }
}

void CTalusimView::process_MOVE_VERTICES_TARGET(int event, int x, int y)
{
    // Escape puts the vertices back before it leaves the move.
    if (event == EVENT_CANCEL)
        m_pDoc->SetMode(MODE_MOVE_VERTICES_BASE);
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, MODE_MOVE_VERTICES_BASE, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->SetVertexMoveTargetPoint(p.x, p.y);
    RestoreMovedVertices();
    if (e == PointEvent::Moved) {
        m_pDoc->MoveSelectedVertices();
    } else {
        m_pDoc->StepMoveVertices();
        m_pDoc->SetMode(MODE_IDLE);
    }
}

// Every move of the marked vertices is by target minus base from where they
// stood when the base point was taken; without this the live moves would add up.
void CTalusimView::RestoreMovedVertices()
{
    if (CTalusimSlope* slope = m_pDoc->GetSlope())
        slope->RestoreVertices();
}

void CTalusimView::process_ASSIGN_MATERIAL(int event, CDC* pDC, int x, int y)
{
    SelectionBand band;
    switch (event) {
    case EVENT_CANCEL:
        if (CTalusimSlope* slope = m_pDoc->GetSlope())
            slope->UnmarkSegments();
        m_pDoc->SetMode(MODE_IDLE);
        break;
    case EVENT_DONE: m_pDoc->SetMode(MODE_IDLE); break;
    default:
        if (CSlopeModes(*this).TrackBand(event, pDC, x, y, band))
            m_pDoc->AssignMaterialToSegments(TEST_CROSSING, band.top, band.left, band.bottom, band.right);
        break;
    }
}

void CTalusimView::process_ADD_POINT_SEEDER(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, p);
    if (e == PointEvent::Moved)
        m_pDoc->TrackSeederPoint(p.x, p.y);
    else if (e == PointEvent::Taken)
        m_pDoc->AddPointSeederAt(p.x, p.y);
}

void CTalusimView::process_ADD_LINE_SEEDER(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->TrackLineSeederStart(p.x, p.y);
    if (e == PointEvent::Taken) {
        m_pDoc->AddLineSeederVertex(p.x, p.y);
        if (CEntity* seeder = reinterpret_cast<CEntity*>(m_pDoc->GetPendingSeeder()))
            seeder->SetSelectable(true);
        m_pDoc->SetMode(MODE_ADD_LINE_SEEDER_NEXT);
    }
}

void CTalusimView::process_ADD_LINE_SEEDER_NEXT(int event, int x, int y)
{
    CVector2D p;
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_DONE:
        if (MainFrameServices().IsCommandLineEmpty()) {
            m_pDoc->FinishLineSeeder();
            m_pDoc->SetMode(MODE_IDLE);
            break;
        }
        [[fallthrough]];
    case EVENT_LEFT_DOWN:
        if (GetEventPoint(event, x, y, p)) {
            m_pDoc->TrackLineSeederEnd(p.x, p.y);
            m_pDoc->AddLineSeederVertex(p.x, p.y);
        }
        break;
    case EVENT_GO_BACK:
        if (MainFrameServices().ConfirmGoBack())
            m_pDoc->RemoveLastSeederVertex();
        break;
    case EVENT_MOUSE_MOVE:
        p = SnapPoint(x, y, true);
        m_pDoc->TrackLineSeederEnd(p.x, p.y);
        if (CEntity* seeder = reinterpret_cast<CEntity*>(m_pDoc->GetPendingSeeder()))
            seeder->SetSelectable(true);
        break;
    default: break;
    }
}

void CTalusimView::process_ADD_ANGLE(int event, int x, int y)
{
    CVector2D p;
    if (event == EVENT_CANCEL) {
        m_pDoc->SetMode(MODE_IDLE);
        return;
    }
    if (event == EVENT_LEFT_DOWN)
        p = m_pViewContext->DeviceToWorld(x, y);
    else if (event == EVENT_DONE) {
        if (!GetTypedPoint(p))
            return;
    } else if (event == EVENT_MOUSE_MOVE)
        p = m_pViewContext->DeviceToWorld(x, y);
    else
        return;

    // The first end of a barrier always lies on the slope.
    int segment = -1;
    CVector2D q = m_pDoc->SnapToSlopeSegment(p.x, p.y, &segment);
    CVector2D v(DBL_MAX, DBL_MAX);
    CSnapRequest request;
    request.view = m_pViewContext.get();
    request.x = q.x;
    request.y = q.y;
    request.result = &v;
    request.kind = KIND_SLOPE;
    CREGDatabase* db = GetDatabase();
    const bool nearVertex = db->FindNearestPoint(request) != nullptr && v.x != DBL_MAX &&
                            m_pViewContext->ArePointsNear(v, q);
    CVector2D end = q;
    if (nearVertex) {
        end = v;
    } else if (event != EVENT_MOUSE_MOVE) {
        CPoint d = m_pViewContext->WorldToDevice(q);
        CVector2D a, b;
        m_pViewContext->GetPickBox(d.x, d.y, a, b);
        db->ApplyToNearestEntity(q, a, b, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
        end = m_pDoc->SnapToSlope(q.x, q.y);
        m_pDoc->UpdateAllViews(nullptr);
    }
    m_pDoc->TrackBarrierStart(end.x, end.y);
    if (event != EVENT_MOUSE_MOVE)
        m_pDoc->SetMode(MODE_ADD_BARRIER_SECOND);
}

void CTalusimView::process_ADD_ANGLE_END(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, p);
    if (e == PointEvent::None)
        return;
    if (!m_pDoc->CanPlaceBarrierAt(p.x, p.y)) {
        if (e == PointEvent::Taken)
            ShowMessage(kInvalidBarrierEnd);
        return;
    }
    m_pDoc->TrackBarrierEnd(p.x, p.y);
    if (e == PointEvent::Taken) {
        m_pDoc->PlacePendingBarrier();
        m_pDoc->SetMode(MODE_IDLE);
    }
}

void CTalusimView::process_ADD_COLLECTOR(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->TrackCollectorStart(p.x, p.y);
    if (e == PointEvent::Taken)
        m_pDoc->SetMode(MODE_ADD_COLLECTOR_SECOND);
}

void CTalusimView::process_ADD_COLLECTOR_END(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->TrackCollectorEnd(p.x, p.y);
    if (e == PointEvent::Taken) {
        m_pDoc->PlacePendingCollector();
        m_pDoc->SetMode(MODE_IDLE);
    }
}

void CTalusimView::process_SELECT_OBJECTS(int event, CDC* pDC, int x, int y, int kind, int category, int group)
{
    CSlopeModes modes(*this);
    CREGDatabase* db = GetDatabase();
    const int mode = m_pDoc->GetMode();
    SelectionBand band;
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_DONE:
        if (mode == MODE_DELETE_COLLECTORS)
            m_pDoc->DeleteSelectedCollectors();
        else if (mode == MODE_MOVE_COLLECTORS_SELECT) {
            if (db->CountInSet(SET_SELECTION) > 0)
                m_pDoc->SetMode(MODE_MOVE_COLLECTORS_BASE);
        } else if (mode == MODE_DELETE_SEEDERS)
            m_pDoc->DeleteSelectedSeeders();
        else if (mode == MODE_DELETE_BARRIERS)
            m_pDoc->DeleteSelectedBarriers();
        break;
    case EVENT_SELECT_ALL:
        modes.SelectAll(category, kind, group);
        m_pDoc->UpdateAllViews(nullptr);
        break;
    default:
        if (modes.TrackBand(event, pDC, x, y, band)) {
            modes.SelectCrossing(band, category, kind, group);
            if (mode == MODE_MOVE_COLLECTORS_SELECT)
                db->SaveSelectionGeometry();
            m_pDoc->UpdateAllViews(nullptr);
        }
        break;
    }
}

void CTalusimView::process_MOVE_COLLECTORS_BASE(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, MODE_MOVE_COLLECTORS_SELECT, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->SetCollectorMoveBasePoint(p.x, p.y);
    if (e == PointEvent::Taken) {
        GetDatabase()->SaveSelectionGeometry();
        m_pDoc->ClearResults();
        m_pDoc->SetMode(MODE_MOVE_COLLECTORS_TARGET);
    }
}

void CTalusimView::process_MOVE_COLLECTORS_TARGET(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, MODE_MOVE_COLLECTORS_BASE, p);
    if (e == PointEvent::None)
        return;
    m_pDoc->SetCollectorMoveTargetPoint(p.x, p.y);
    m_pDoc->MoveSelectedEntities();
    if (e == PointEvent::Taken) {
        GetDatabase()->SaveSelectionGeometry();
        // The moves before only followed the mouse; this one is the change.
        m_pDoc->RedrawEntity(nullptr);
        m_pDoc->SetMode(MODE_IDLE);
    }
}

void CTalusimView::process_MOVE_ANGLE_VERTEX(int event, int x, int y)
{
    CREGDatabase* db = GetDatabase();
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_LEFT_DOWN: {
        const WorldBox box = CSlopeModes(*this).PickBox(x, y);
        db->ClearSet(SET_WORK);
        db->MarkEntities(TEST_CROSSING, ACTION_ADD, box.top, box.left, box.bottom, box.right, CAT_PLACED,
                         KIND_BARRIER, GROUP_BARRIER, SET_WORK, m_pViewContext.get(), this);
        CEntity* picked = db->GetFirstInSet(SET_WORK);
        if (picked != nullptr) {
            const bool alreadySelected = db->GetFirstInSet(SET_SELECTION) == picked;
            db->ClearSet(SET_SELECTION);
            if (!alreadySelected) {
                picked->AddToSet(SET_SELECTION);
                m_pDoc->UpdateAllViews(nullptr);
                ProcessMouseEvent(EVENT_DONE, 0, 0);
                return;
            }
        }
        m_pDoc->UpdateAllViews(nullptr);
        break;
    }
    case EVENT_DONE: {
        const int count = db->CountInSet(SET_SELECTION);
        if (count == 0) {
            m_pDoc->SetMode(MODE_IDLE);
        } else if (count == 1) {
            db->SaveSelectionGeometry();
            m_pDoc->ClearResults();
            m_pDoc->SetMode(MODE_MOVE_BARRIER_END);
        } else {
            AfxMessageBox(FormatInternalError("CTalusimView", "process_MOVE_ANGLE_VERTEX"), MB_OK);
            m_pDoc->SetMode(MODE_IDLE);
        }
        break;
    }
    default: break;
    }
}

void CTalusimView::process_MOVE_ANGLE_VERTEX_TO(int event, int x, int y)
{
    CVector2D p;
    const PointEvent e = ReadPointEvent(event, x, y, p);
    if (e == PointEvent::None)
        return;
    const bool moved = m_pDoc->MoveSelectedBarrierTo(p.x, p.y);
    if (e == PointEvent::Moved)
        return;
    if (moved) {
        GetDatabase()->ClearSet(SET_SELECTION);
        m_pDoc->ClearResults();
        m_pDoc->SetMode(MODE_IDLE);
    } else {
        ShowMessage(kInvalidBarrierEnd);
    }
}

void CTalusimView::process_FILTER_BY_PICKING(int event, CDC* pDC, int x, int y)
{
    CSlopeModes(*this).FilterByPicking(event, pDC, x, y);
}

