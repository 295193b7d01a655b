// The slope view's drawing-tool modes and commands: drawing a two-point tool,
// picking, dragging and deleting tools, the tools file, and the states of
// those commands. Each tool belongs to the view it was drawn in.
#include "view/TalusimView.h"

#include "model/DocumentDependencies.h"

#include "app/MainFrameServices.h"
#include "framework/MessageBox.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "tools/AddTextDlg.h"
#include "tools/Measure.h"
#include "view/SlopeViewRules.h"

namespace {

// A tool command and the first stage of the mode it enters.
struct ToolCommand {
    UINT id;
    int mode;
};

const ToolCommand kToolCommands[] = {
    {ID_TOOL_MEASURE, MODE_MEASURE_FROM},     {ID_TOOL_ARROW, MODE_ARROW_HEAD},
    {ID_TOOL_RECTANGLE, MODE_RECTANGLE_FIRST}, {ID_TOOL_CIRCLE, MODE_ELLIPSE_FIRST},
    {ID_TOOL_LINE, MODE_LINE_TOOL_FIRST},      {ID_TOOL_AXIS, MODE_AXES_FIRST},
    {ID_TOOL_TEXT_BOX, MODE_TEXT_TOOL},        {ID_TOOL_DELETE_DRAWINGS, MODE_DELETE_TOOLS},
};

constexpr LPCSTR kDeleteAllQuestion =
    "This will delete all of the arrows, text and measurements\nyou have added to this window";

bool ShiftHeld() { return ::GetKeyState(VK_SHIFT) < 0; }

}  // namespace

int CTalusimView::GetToolGroup() const { return ToolGroupOf(this); }

bool CTalusimView::HasDrawingTools() const
{
    CREGDatabase* db = GetDatabase();
    return db != nullptr && db->AnyEntityMatches(ID_ANY_CATEGORY, kToolKindId, GetToolGroup());
}

CEntity* CTalusimView::PickTool(int x, int y)
{
    CPickRequest pick;
    pick.x = x;
    pick.y = y;
    pick.view = m_pViewContext.get();
    pick.query = 112;
    pick.window = this;
    pick.group = GetToolGroup();
    CREGDatabase* db = GetDatabase();
    return db != nullptr && db->PickEntity(pick) ? pick.result : nullptr;
}

// ---- drawing a two-point tool --------------------------------------------------------------

void CTalusimView::process_TOOL_FIRST_POINT(int event, int x, int y, int kind)
{
    if (event == EVENT_CANCEL) {
        m_pDoc->SetMode(MODE_IDLE);
        return;
    }
    if (event != EVENT_LEFT_DOWN && event != EVENT_DONE)
        return;
    CVector2D p;
    if (!GetEventPoint(event, x, y, p))
        return;
    m_pDoc->CreateTool(kind);
    m_pDoc->SetToolStartPoint(p.x, p.y);
    m_pDoc->DragToolEndPoint(p.x, p.y);
    m_pDoc->SetToolView(this);
    m_pDoc->SetToolOwner(this);
    m_pDoc->SetToolSelectable(true);
    m_pDoc->SetMode(CTalusimDoc::GetNextToolStage(m_pDoc->GetMode()));
}

void CTalusimView::process_TOOL_SECOND_POINT(int event, int x, int y)
{
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_LEFT_DOWN:
    case EVENT_DONE: {
        CVector2D p;
        if (!GetEventPoint(event, x, y, p))
            break;
        if (m_pDoc->IsToolView(this)) {
            m_pDoc->SetToolShiftConstrain(ShiftHeld());
            m_pDoc->DragToolEndPoint(p.x, p.y);
            m_pDoc->SetToolOwner(this);
            m_pDoc->FinishCurrentTool();
        }
        m_pDoc->SetMode(MODE_IDLE);
        break;
    }
    case EVENT_MOUSE_MOVE:
        if (m_pDoc->IsToolView(this)) {
            // A held Shift squares a rectangle and rounds an ellipse.
            m_pDoc->SetToolShiftConstrain(ShiftHeld());
            const CVector2D p = SnapPoint(x, y, true);
            m_pDoc->DragToolEndPoint(p.x, p.y);
        }
        break;
    default: break;
    }
}

// ---- placing a text box ------------------------------------------------------------------------

bool CTalusimView::RunAddTextDialog(CString& text)
{
    CAddTextDlg dialog(this);
    dialog.SetDocument(m_pDoc);
    dialog.SetDatabase(GetDatabase());
    dialog.SetText(text);
    if (dialog.DoModal() != IDOK)
        return false;
    text = dialog.GetText();
    return true;
}

void CTalusimView::process_TOOL_TEXT_BOX(int event, int x, int y)
{
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_MOUSE_MOVE: {
        const CVector2D p = SnapPoint(x, y, true);
        m_pDoc->SetReferencePoint(p.x, p.y);
        break;
    }
    case EVENT_LEFT_DOWN:
    case EVENT_DONE: {
        CVector2D p;
        if (!GetEventPoint(event, x, y, p))
            break;
        // An empty text would leave a box no one can see or find: OK on
        // nothing places nothing, as Cancel does.
        CString text;
        if (RunAddTextDialog(text) && !text.IsEmpty()) {
            m_pDoc->CreateTool(TOOL_TYPE_TEXT_BOX);
            m_pDoc->SetToolText(text);
            m_pDoc->SetToolStartPoint(p.x, p.y);
            m_pDoc->DragToolEndPoint(p.x, p.y);
            m_pDoc->SetToolOwner(this);
            m_pDoc->SetToolSelectable(true);
            m_pDoc->FinishCurrentTool();
        }
        m_pDoc->SetMode(MODE_IDLE);
        Invalidate(FALSE);
        break;
    }
    default: break;
    }
}

// ---- editing and dragging ------------------------------------------------------------------

void CTalusimView::EndToolDrag()
{
    m_pDoc->SetCurrentEntity(nullptr);
    m_pDoc->EndAllEditing();
    m_pDoc->SetMode(MODE_IDLE);
    Invalidate(FALSE);
}

void CTalusimView::process_EDIT_TOOL(int event, int x, int y)
{
    switch (event) {
    case EVENT_DELETE:
        m_pDoc->DeleteEditingEntities();
        m_pDoc->SetMode(MODE_IDLE);
        Invalidate(FALSE);
        break;
    case EVENT_CANCEL: EndToolDrag(); break;
    case EVENT_DOUBLE_CLICK:
        if (CEntity* tool = PickTool(x, y))
            m_pDoc->EditToolFormat(tool);
        m_pDoc->SetMode(MODE_IDLE);
        Invalidate(FALSE);
        break;
    case EVENT_LEFT_DOWN: {
        CEntity* tool = PickTool(x, y);
        if (tool == nullptr) {
            EndToolDrag();
            break;
        }
        if (tool->IsEditing()) {
            // A tool locked in place keeps its handles but does not move.
            if (!tool->IsLocked() && tool->PickGrip(m_pViewContext.get(), CPoint(x, y))) {
                m_pDoc->SetCurrentEntity(tool);
                m_pDoc->BeginEntityDrag(m_pViewContext->DeviceToWorld(x, y));
                m_pDoc->SnapshotCurrentEntity();
                m_pDoc->SetMode(MODE_EDIT_TOOL_MOVE);
            }
        } else {
            if (m_pDoc->EndAllEditing())
                m_pDoc->UpdateAllViews(nullptr);
            if (tool->IsEditable()) {
                tool->SetEditing(true);
                m_pDoc->SetCurrentEntity(tool);
            }
        }
        Invalidate(FALSE);
        break;
    }
    case EVENT_MOUSE_MOVE:
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        break;
    default: break;
    }
}

void CTalusimView::process_DRAG_TOOL(int event, int x, int y)
{
    CEntity* entity = m_pDoc->GetCurrentEntity();
    switch (event) {
    case EVENT_CANCEL:
        // Escape puts the tool back as it was when the drag began.
        m_pDoc->RestoreCurrentEntity();
        EndToolDrag();
        break;
    case EVENT_DONE: {
        CVector2D p;
        if (!GetTypedPoint(p))
            break;
        m_pDoc->DragEntityBy(p);
        EndToolDrag();
        break;
    }
    case EVENT_LEFT_DOWN:
    case EVENT_LEFT_UP:
        m_pDoc->DragEntityBy(SnapPoint(x, y, true));
        if (event == EVENT_LEFT_DOWN) {
            EndToolDrag();
        } else {
            // The tool stays selected for more drags.
            m_pDoc->SetMode(CTalusimDoc::GetFirstToolStage(m_pDoc->GetMode()));
            Invalidate(FALSE);
        }
        break;
    case EVENT_MOUSE_MOVE:
        if (entity == nullptr)
            break;
        m_pDoc->UpdateAllViews(nullptr, 0, entity);
        m_pDoc->DragEntityBy(SnapPoint(x, y, true));
        m_pDoc->UpdateAllViews(nullptr, 0, entity);
        break;
    default: break;
    }
}

// ---- deleting ----------------------------------------------------------------------------------

void CTalusimView::KeepCurrentToolUnselected()
{
    if (CEntity* tool = m_pDoc->GetCurrentTool())
        tool->RemoveFromSet(SET_SELECTION);
}

void CTalusimView::process_DELETE_DRAWINGS(int event, CDC* pDC, int x, int y)
{
    CREGDatabase* db = GetDatabase();
    switch (event) {
    case EVENT_CANCEL: m_pDoc->SetMode(MODE_IDLE); break;
    case EVENT_DONE:
        // The tool being drawn is never deleted.
        KeepCurrentToolUnselected();
        m_pDoc->SetCurrentEntity(nullptr);
        db->DeleteSet(SET_SELECTION, true);
        m_pDoc->SetMode(MODE_IDLE);
        Invalidate(FALSE);
        break;
    case EVENT_SELECT_ALL:
        db->MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, ID_ANY_CATEGORY, kToolKindId, GetToolGroup(),
                         SET_SELECTION, m_pViewContext.get(), this);
        KeepCurrentToolUnselected();
        Invalidate(FALSE);
        break;
    case EVENT_LEFT_DOWN:
    case EVENT_MOUSE_MOVE: m_pViewContext->TrackRubberBand(event, pDC, this, x, y); break;
    case EVENT_LEFT_UP: {
        bool window = false;
        double top, left, bottom, right;
        ReleaseBand(event, pDC, x, y, window, top, left, bottom, right);
        db->MarkEntities(TEST_CROSSING, window ? ACTION_ADD : ACTION_TOGGLE, top, left, bottom, right,
                         ID_ANY_CATEGORY, kToolKindId, GetToolGroup(), SET_SELECTION, m_pViewContext.get(), this);
        KeepCurrentToolUnselected();
        Invalidate(FALSE);
        break;
    }
    default: break;
    }
}

// ---- commands ----------------------------------------------------------------------------------

BOOL CTalusimView::OnToolCommand(UINT id)
{
    if (m_pDoc == nullptr)
        return TRUE;
    for (const ToolCommand& c : kToolCommands)
        if (c.id == id)
            m_pDoc->SetMode(c.mode);   // the running mode's command ends it
    return TRUE;
}

BOOL CTalusimView::OnToolObjectCommand(UINT id)
{
    m_bContextMenuUp = false;
    CEntity* tool = GetContextEntity();
    if (m_pDoc == nullptr || dynamic_cast<CMeasure*>(tool) == nullptr)
        return TRUE;
    switch (id) {
    case ID_CONTEXT_DELETE_TOOL:
        m_pDoc->SetCurrentEntity(nullptr);
        m_pDoc->UpdateAllViews(nullptr, 0, tool);
        GetDatabase()->DeleteEntity(tool, true);
        break;
    case ID_CONTEXT_DELETE_TEXT:
        m_pDoc->SetCurrentEntity(nullptr);
        GetDatabase()->DeleteEntity(tool, true);
        Invalidate(FALSE);
        break;
    case ID_CONTEXT_FORMAT_TOOL:
    case ID_CONTEXT_FORMAT_TEXT:
        m_pDoc->EditToolFormat(tool);
        Invalidate(FALSE);
        break;
    case ID_CONTEXT_EDIT_TEXT: {
        // The tool is held before the dialog opens: its auto-text tree is
        // built through the work set the right click left the tool in.
        CString text = static_cast<CMeasure*>(tool)->GetText();
        // Emptied, the text would leave an invisible box: the tool keeps its text.
        if (RunAddTextDialog(text) && !text.IsEmpty()) {
            static_cast<CMeasure*>(tool)->SetText(text);
            Invalidate(FALSE);
        }
        break;
    }
    default: break;
    }
    return TRUE;
}

BOOL CTalusimView::OnDeleteAllDrawings(UINT)
{
    m_bContextMenuUp = false;
    if (m_pDoc == nullptr)
        return TRUE;
    if (AfxMessageBox(kDeleteAllQuestion, MB_OKCANCEL) == IDOK) {
        // Only this window's drawings: whatever else was selected is let go first.
        GetDatabase()->ClearSet(SET_SELECTION);
        CClientDC dc(this);
        process_DELETE_DRAWINGS(EVENT_SELECT_ALL, &dc, 0, 0);
        process_DELETE_DRAWINGS(EVENT_DONE, &dc, 0, 0);
        m_pDoc->SetMode(MODE_IDLE);
    }
    MainFrameServices().FocusCommandLine();
    return TRUE;
}

void CTalusimView::OnSaveToolsFile()
{
    if (m_pDoc != nullptr)
        m_pDoc->OnSaveToolsFile(this);
}

void CTalusimView::OnOpenToolsFile()
{
    if (m_pDoc == nullptr)
        return;
    m_pDoc->OnOpenToolsFile(this);
    Invalidate(FALSE);
}

void CTalusimView::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
    if (m_pDoc == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    const bool tools = HasDrawingTools();
    switch (pCmdUI->m_nID) {
    case ID_TOOL_DELETE_DRAWINGS:
        pCmdUI->Enable(tools);
        pCmdUI->SetCheck(m_pDoc->GetMode() == MODE_DELETE_TOOLS);
        break;
    case ID_TOOL_DELETE_ALL_DRAWINGS:
    case ID_TOOLS_FILE_SAVE: pCmdUI->Enable(tools); break;
    case ID_TOOLS_FILE_OPEN: pCmdUI->Enable(TRUE); break;
    default:
        for (const ToolCommand& c : kToolCommands)
            if (c.id == pCmdUI->m_nID) {
                pCmdUI->Enable(TRUE);
                pCmdUI->SetCheck(m_pDoc->IsMode(c.mode));
            }
        break;
    }
}
