#include "view/ModeHandlers.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "geometry/Constants.h"
#include "geometry/CursorIds.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "tools/AddTextDlg.h"
#include "tools/Measure.h"
#include "view/SlopeViewRules.h"

const char kDeleteAllDrawingsQuestion[] =
    "This will delete all of the arrows, text and measurements\nyou have added to this window";

namespace {

bool ShiftHeld() { return ::GetKeyState(VK_SHIFT) < 0; }

WorldBox BoxBetween(const CVector2D& a, const CVector2D& b)
{
    WorldBox box;
    box.top = std::max(a.y, b.y);
    box.left = std::min(a.x, b.x);
    box.bottom = std::min(a.y, b.y);
    box.right = std::max(a.x, b.x);
    return box;
}

}  // namespace

int CModeHandlers::DrawingGroup() { return ToolGroupOf(m_host.ModeView()); }

bool CModeHandlers::HasDrawings()
{
    CTalusimDoc* doc = m_host.ModeDocument();
    return doc != nullptr && doc->GetDatabase()->AnyEntityMatches(ID_ANY_CATEGORY, kToolKindId, DrawingGroup());
}

CEntity* CModeHandlers::PickDrawing(int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    if (doc == nullptr || m_host.ModeViewContext() == nullptr)
        return nullptr;
    CEntity* drawing = nullptr;
    const bool found = doc->GetDatabase()->PickEntity(CPoint(x, y), m_host.ModeViewContext(), 112, nullptr,
                                                      &drawing, m_host.ModeView(), DrawingGroup());
    return found ? drawing : nullptr;
}

bool CModeHandlers::TypedPoint(CVector2D& point)
{
    double x = 0, y = 0;
    if (!MainFrameServices().GetTypedPoint(x, y, false))
        return false;
    // A point the view could not show is refused, as the editors refuse such
    // a coordinate; the text stays in the prompt line to be corrected.
    if (std::fabs(x) > COORDINATE_LIMIT || std::fabs(y) > COORDINATE_LIMIT) {
        AfxMessageBox(AfxRealRangeMessage(-COORDINATE_LIMIT, COORDINATE_LIMIT), MB_ICONEXCLAMATION);
        return false;
    }
    MainFrameServices().GetTypedPoint(x, y, true);
    point = CVector2D(x, y);
    return true;
}

bool CModeHandlers::EventPoint(int event, int x, int y, CVector2D& point)
{
    if (event == EVENT_LEFT_DOWN) {
        point = m_host.ModeSnapPoint(x, y);
        return true;
    }
    return TypedPoint(point);
}

WorldBox CModeHandlers::PickBox(int x, int y)
{
    CVector2D a, b;
    m_host.ModeViewContext()->GetPickBox(x, y, a, b);
    return BoxBetween(a, b);
}

bool CModeHandlers::TrackBand(int event, CDC* pDC, int x, int y, SelectionBand& band)
{
    CViewContext* vc = m_host.ModeViewContext();
    switch (event) {
    case EVENT_LEFT_DOWN:
    case EVENT_MOUSE_MOVE: vc->TrackRubberBand(event, pDC, m_host.ModeView(), x, y); return false;
    case EVENT_LEFT_UP: {
        const CRect rect = vc->TrackRubberBand(event, pDC, m_host.ModeView(), x, y);
        const bool window = IsWindowSelection(m_host.ModeDocument()->GetMode(), rect);
        band = {window ? BoxBetween(vc->DeviceToWorld(rect.left, rect.top), vc->DeviceToWorld(rect.right, rect.bottom))
                       : PickBox(x, y),
                window};
        return true;
    }
    default: return false;
    }
}

void CModeHandlers::SelectCrossing(const SelectionBand& band, int category, int kind, int group)
{
    m_host.ModeDocument()->GetDatabase()->MarkEntities(
        TEST_CROSSING, band.window ? ACTION_ADD : ACTION_TOGGLE, band.top, band.left, band.bottom, band.right,
        category, kind, group, SET_SELECTION, m_host.ModeViewContext(), m_host.ModeView());
}

void CModeHandlers::SelectAll(int category, int kind, int group)
{
    m_host.ModeDocument()->GetDatabase()->MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, category, kind, group,
                                                       SET_SELECTION, m_host.ModeViewContext(), m_host.ModeView());
}

// ---- picking and drawing a two-point tool ------------------------------------------------

bool CModeHandlers::PickForEditing(int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    doc->EndAllEditing();
    CEntity* drawing = PickDrawing(x, y);
    if (drawing == nullptr || !drawing->IsEditable())
        return false;
    drawing->SetEditing(true);
    doc->SetCurrentEntity(drawing);
    m_host.RepaintDrawings();
    doc->SetMode(MODE_EDIT_TOOL_SELECT);
    return true;
}

void CModeHandlers::ToolFirstPoint(int event, int x, int y, int kind)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    if (event == EVENT_CANCEL) {
        doc->SetMode(MODE_IDLE);
        return;
    }
    if (event != EVENT_LEFT_DOWN && event != EVENT_DONE)
        return;
    CVector2D p;
    if (!EventPoint(event, x, y, p))
        return;
    CView* view = m_host.ModeView();
    doc->CreateTool(kind);
    doc->SetToolStartPoint(p.x, p.y);
    doc->DragToolEndPoint(p.x, p.y);
    doc->SetToolView(view);
    doc->SetToolOwner(view);
    doc->SetToolSelectable(true);
    doc->SetMode(CTalusimDoc::GetNextToolStage(doc->GetMode()));
}

void CModeHandlers::ToolSecondPoint(int event, int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    CView* view = m_host.ModeView();
    switch (event) {
    case EVENT_CANCEL: doc->SetMode(MODE_IDLE); break;
    case EVENT_LEFT_DOWN:
    case EVENT_DONE: {
        CVector2D p;
        if (!EventPoint(event, x, y, p))
            break;
        if (doc->IsToolView(view)) {
            doc->SetToolShiftConstrain(ShiftHeld());
            doc->DragToolEndPoint(p.x, p.y);
            doc->SetToolOwner(view);
            doc->FinishCurrentTool();
        }
        doc->SetMode(MODE_IDLE);
        break;
    }
    case EVENT_MOUSE_MOVE:
        if (doc->IsToolView(view)) {
            // A held Shift squares a rectangle and rounds an ellipse.
            doc->SetToolShiftConstrain(ShiftHeld());
            const CVector2D p = m_host.ModeSnapPoint(x, y);
            doc->DragToolEndPoint(p.x, p.y);
        }
        break;
    default: break;
    }
}

// ---- placing a text box ------------------------------------------------------------------------

bool CModeHandlers::RunAddText(CString& text)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    CAddTextDlg dialog(m_host.ModeView());
    dialog.SetDocument(doc);
    dialog.SetDatabase(doc->GetDatabase());
    dialog.SetText(text);
    if (dialog.DoModal() != IDOK)
        return false;
    text = dialog.GetText();
    return true;
}

bool CModeHandlers::EditText(CEntity* drawing)
{
    auto* tool = dynamic_cast<CMeasure*>(drawing);
    if (tool == nullptr)
        return false;
    // The tool is held before the dialog opens: its auto-text tree is
    // built through the work set the right click left the tool in.
    CString text = tool->GetText();
    // Emptied, the text would leave an invisible box: the tool keeps its text.
    if (!RunAddText(text) || text.IsEmpty())
        return false;
    tool->SetText(text);
    m_host.RepaintDrawings();
    return true;
}

void CModeHandlers::ToolTextBox(int event, int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    switch (event) {
    case EVENT_CANCEL: doc->SetMode(MODE_IDLE); break;
    case EVENT_MOUSE_MOVE: {
        const CVector2D p = m_host.ModeSnapPoint(x, y);
        doc->SetReferencePoint(p.x, p.y);
        break;
    }
    case EVENT_LEFT_DOWN:
    case EVENT_DONE: {
        CVector2D p;
        if (!EventPoint(event, x, y, p))
            break;
        // An empty text would leave a box no one can see or find: OK on
        // nothing places nothing, as Cancel does.
        CString text;
        if (RunAddText(text) && !text.IsEmpty()) {
            doc->CreateTool(TOOL_TYPE_TEXT_BOX);
            doc->SetToolText(text);
            doc->SetToolStartPoint(p.x, p.y);
            doc->DragToolEndPoint(p.x, p.y);
            doc->SetToolOwner(m_host.ModeView());
            doc->SetToolSelectable(true);
            doc->FinishCurrentTool();
        }
        doc->SetMode(MODE_IDLE);
        m_host.RepaintDrawings();
        break;
    }
    default: break;
    }
}

// ---- editing and dragging ------------------------------------------------------------------

void CModeHandlers::EndToolDrag()
{
    CTalusimDoc* doc = m_host.ModeDocument();
    doc->SetCurrentEntity(nullptr);
    doc->EndAllEditing();
    doc->SetMode(MODE_IDLE);
    m_host.RepaintDrawings();
}

void CModeHandlers::EditTool(int event, int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    switch (event) {
    case EVENT_DELETE:
        doc->DeleteEditingEntities();
        doc->SetMode(MODE_IDLE);
        m_host.RepaintDrawings();
        break;
    case EVENT_CANCEL: EndToolDrag(); break;
    case EVENT_DOUBLE_CLICK:
        if (CEntity* tool = PickDrawing(x, y))
            doc->EditToolFormat(tool);
        doc->SetMode(MODE_IDLE);
        m_host.RepaintDrawings();
        break;
    case EVENT_LEFT_DOWN: {
        CEntity* tool = PickDrawing(x, y);
        if (tool == nullptr) {
            EndToolDrag();
            break;
        }
        if (tool->IsEditing()) {
            // A tool locked in place keeps its handles but does not move.
            CViewContext* vc = m_host.ModeViewContext();
            if (!tool->IsLocked() && tool->PickGrip(vc, CPoint(x, y))) {
                doc->SetCurrentEntity(tool);
                doc->BeginEntityDrag(vc->DeviceToWorld(x, y));
                doc->SnapshotCurrentEntity();
                doc->SetMode(MODE_EDIT_TOOL_MOVE);
            }
        } else {
            if (doc->EndAllEditing())
                doc->UpdateAllViews(nullptr);
            if (tool->IsEditable()) {
                tool->SetEditing(true);
                doc->SetCurrentEntity(tool);
            }
        }
        m_host.RepaintDrawings();
        break;
    }
    case EVENT_MOUSE_MOVE: {
        CView* view = m_host.ModeView();
        view->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        break;
    }
    default: break;
    }
}

void CModeHandlers::DragTool(int event, int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    CEntity* entity = doc->GetCurrentEntity();
    switch (event) {
    case EVENT_CANCEL:
        // Escape puts the tool back as it was when the drag began.
        doc->RestoreCurrentEntity();
        EndToolDrag();
        break;
    case EVENT_DONE: {
        CVector2D p;
        if (!TypedPoint(p))
            break;
        doc->DragEntityBy(p);
        EndToolDrag();
        break;
    }
    case EVENT_LEFT_DOWN:
    case EVENT_LEFT_UP:
        doc->DragEntityBy(m_host.ModeSnapPoint(x, y));
        if (event == EVENT_LEFT_DOWN) {
            EndToolDrag();
        } else {
            // The tool stays selected for more drags.
            doc->SetMode(CTalusimDoc::GetFirstToolStage(doc->GetMode()));
            m_host.RepaintDrawings();
        }
        break;
    case EVENT_MOUSE_MOVE:
        if (entity == nullptr)
            break;
        doc->UpdateAllViews(nullptr, 0, entity);
        doc->DragEntityBy(m_host.ModeSnapPoint(x, y));
        doc->UpdateAllViews(nullptr, 0, entity);
        break;
    default: break;
    }
}

ToolCursorChoice CModeHandlers::ToolCursor(CPoint client)
{
    ToolCursorChoice choice;
    CTalusimDoc* doc = m_host.ModeDocument();
    CEntity* entity = doc->GetCurrentEntity();
    if (entity == nullptr)
        return choice;
    const int mode = doc->GetMode();
    if (entity->GetGroupId() != DrawingGroup())
        doc->SetMode(MODE_IDLE);
    const int id = entity->GetCursorAt(m_host.ModeViewContext(), client);
    if (id != kCursorArrow) {
        choice.action = ToolCursorChoice::SHOW;
        choice.cursor = id;
    } else if (mode == MODE_EDIT_TOOL_MOVE) {
        choice.action = ToolCursorChoice::KEEP;
    }
    return choice;
}

bool CModeHandlers::SetToolCursor()
{
    CPoint p;
    ::GetCursorPos(&p);
    m_host.ModeView()->ScreenToClient(&p);
    const ToolCursorChoice choice = ToolCursor(p);
    if (choice.action == ToolCursorChoice::SHOW)
        ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(choice.cursor)));
    return choice.action != ToolCursorChoice::DEFAULT;
}

// ---- deleting ----------------------------------------------------------------------------------

void CModeHandlers::KeepCurrentToolUnselected()
{
    if (CEntity* tool = m_host.ModeDocument()->GetCurrentTool())
        tool->RemoveFromSet(SET_SELECTION);
}

void CModeHandlers::DeleteDrawings(int event, CDC* pDC, int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    SelectionBand band;
    switch (event) {
    case EVENT_CANCEL: doc->SetMode(MODE_IDLE); break;
    case EVENT_DONE:
        // The tool being drawn is never deleted.
        KeepCurrentToolUnselected();
        doc->SetCurrentEntity(nullptr);
        doc->GetDatabase()->DeleteSet(SET_SELECTION, true);
        doc->SetMode(MODE_IDLE);
        m_host.RepaintDrawings();
        break;
    case EVENT_SELECT_ALL:
        SelectAll(ID_ANY_CATEGORY, kToolKindId, DrawingGroup());
        KeepCurrentToolUnselected();
        m_host.RepaintDrawings();
        break;
    default:
        if (TrackBand(event, pDC, x, y, band)) {
            SelectCrossing(band, ID_ANY_CATEGORY, kToolKindId, DrawingGroup());
            KeepCurrentToolUnselected();
            m_host.RepaintDrawings();
        }
        break;
    }
}

bool CModeHandlers::DeleteAllDrawings()
{
    CTalusimDoc* doc = m_host.ModeDocument();
    bool deleted = false;
    if (AfxMessageBox(kDeleteAllDrawingsQuestion, MB_OKCANCEL) == IDOK) {
        // Only this window's drawings: whatever else was selected is let go first.
        doc->GetDatabase()->ClearSet(SET_SELECTION);
        CClientDC dc(m_host.ModeView());
        DeleteDrawings(EVENT_SELECT_ALL, &dc, 0, 0);
        DeleteDrawings(EVENT_DONE, &dc, 0, 0);
        doc->SetMode(MODE_IDLE);
        deleted = true;
    }
    MainFrameServices().FocusCommandLine();
    return deleted;
}

void CModeHandlers::DropDrawings()
{
    CTalusimDoc* doc = m_host.ModeDocument();
    if (doc == nullptr)
        return;
    CView* view = m_host.ModeView();
    const int group = DrawingGroup();
    const int mode = doc->GetMode();
    bool endMode = false;
    if (doc->IsToolView(view)) {
        // A second point can no longer come from this window.
        endMode = FirstToolStage(mode) != MODE_IDLE && FirstToolStage(mode) != mode;
        if (doc->GetCurrentTool() != nullptr)
            doc->DeleteCurrentTool();
        doc->SetToolView(nullptr);
    }
    CEntity* current = doc->GetCurrentEntity();
    if (current != nullptr && current->GetKindId() == kToolKindId && current->GetGroupId() == group) {
        doc->SetCurrentEntity(nullptr);
        endMode = endMode || mode == MODE_EDIT_TOOL_SELECT || mode == MODE_EDIT_TOOL_MOVE;
    }
    if (endMode)
        doc->SetMode(MODE_IDLE);
    CREGDatabase* db = doc->GetDatabase();
    std::vector<CEntity*> drawings;
    for (int i = 0; i < db->GetEntityCount(); ++i) {
        CEntity* e = db->GetEntityAt(i);
        if (e != nullptr && e->GetKindId() == kToolKindId && e->GetGroupId() == group)
            drawings.push_back(e);
    }
    // No other window shows them: nothing to repaint.
    for (CEntity* e : drawings)
        db->DeleteEntity(e, false);
}

// ---- picking rock paths ------------------------------------------------------------------------

void CModeHandlers::FilterByPicking(int event, CDC* pDC, int x, int y)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    SelectionBand band;
    switch (event) {
    case EVENT_CANCEL:
    case EVENT_DONE: doc->SetMode(MODE_IDLE); break;
    default:
        if (TrackBand(event, pDC, x, y, band))
            PickPathsInBand(band);
        break;
    }
}

void CModeHandlers::PickPathsInBand(const SelectionBand& band)
{
    CTalusimDoc* doc = m_host.ModeDocument();
    CREGDatabase* db = doc->GetDatabase();
    CViewContext* vc = m_host.ModeViewContext();
    CView* view = m_host.ModeView();
    db->ClearSet(SET_WORK2);
    db->ClearSet(SET_WORK);
    if (band.window) {
        db->MarkEntities(TEST_CROSSING, ACTION_ADD, band.top, band.left, band.bottom, band.right,
                         CAT_PATH_NOT_FILTERED, KIND_ROCK_PATH, ID_ANY_GROUP, SET_WORK, vc, view);
    } else {
        // A click turns the paths under it over: those that passed stop passing.
        db->MarkEntities(TEST_CROSSING, ACTION_TOGGLE, band.top, band.left, band.bottom, band.right, CAT_PATH_PASSES,
                         KIND_ROCK_PATH, ID_ANY_GROUP, SET_WORK2, vc, view);
        db->MarkEntities(TEST_CROSSING, ACTION_TOGGLE, band.top, band.left, band.bottom, band.right,
                         CAT_PATH_NOT_FILTERED, KIND_ROCK_PATH, ID_ANY_GROUP, SET_WORK, vc, view);
        db->SetCategoryIdInSet(CAT_PATH_NOT_FILTERED, SET_WORK2);
    }
    db->SetCategoryIdInSet(CAT_PATH_PASSES, SET_WORK);
    db->SortEntities(72);
    doc->UpdateAllViews(nullptr);
}
