// The graph view's input: mouse and keys become interaction events for the
// document's mode, as in the slope view. The drawings, the rock paths to pick
// and the location to choose all live on the slope panel of a split view.
#include "model/DocumentDependencies.h"

#include "graphs/TalusimOlectraView.h"

#include <cfloat>

#include "model/MainFrameServices.h"
#include "geometry/ViewContext.h"
#include "graphs/GraphModeHost.h"
#include "model/InteractionModes.h"
#include "view/PictureCommands.h"
#include "view/SlopeViewRules.h"

bool CTalusimOlectraView::MapViewContext()
{
    if (!m_pViewContext || !m_hWnd || !ShowsSlopePanel())
        return false;
    CRect client;
    GetClientRect(&client);
    double top = 0.0, bottom = 0.0;
    return MapSlopePanel(SlopePanelRect(), client.Width(), top, bottom);
}

CVector2D CTalusimOlectraView::SnapPoint(int x, int y, bool roundDown)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_pViewContext)
        return CVector2D(0, 0);
    return SnapViewPoint(*doc->GetDatabase(), *m_pViewContext, doc->GetMode(), x, y, roundDown);
}

bool CTalusimOlectraView::HasDrawings()
{
    return Doc() != nullptr && CGraphModes(*this).HasDrawings();
}

void CTalusimOlectraView::RepaintSlopePanel()
{
    if (!m_hWnd)
        return;
    if (ShowsSlopePanel()) {
        const CRect panel = SlopePanelRect();
        InvalidateRect(&panel, FALSE);
    } else {
        Invalidate(FALSE);
    }
}

void CTalusimOlectraView::ProcessMouseEvent(int event, int x, int y)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_pViewContext)
        return;
    const SlopeModeInfo* info = FindSlopeMode(doc->GetMode());
    if (!info)
        return;
    // IDLE looks at clicks only: a mere move maps nothing.
    if (info->handler == HANDLER_IDLE && event != EVENT_LEFT_DOWN)
        return;
    // Without the slope panel nothing of the drawing shows here: only Escape
    // still ends the mode.
    if (!MapViewContext() && event != EVENT_CANCEL)
        return;
    CGraphModes modes(*this);
    switch (info->handler) {
    case HANDLER_IDLE:
        if (event == EVENT_LEFT_DOWN)
            modes.PickForEditing(x, y);
        break;
    case HANDLER_TOOL_FIRST_POINT: modes.ToolFirstPoint(event, x, y, info->toolKind); break;
    case HANDLER_TOOL_SECOND_POINT: modes.ToolSecondPoint(event, x, y); break;
    case HANDLER_EDIT_TOOL: modes.EditTool(event, x, y); break;
    case HANDLER_DRAG_TOOL: modes.DragTool(event, x, y); break;
    case HANDLER_DELETE_DRAWINGS:
    case HANDLER_FILTER_BY_PICKING: {
        if (!m_hWnd)
            return;
        CClientDC dc(this);
        if (info->handler == HANDLER_DELETE_DRAWINGS)
            modes.DeleteDrawings(event, &dc, x, y);
        else
            modes.FilterByPicking(event, &dc, x, y);
        break;
    }
    case HANDLER_TOOL_TEXT_BOX: modes.ToolTextBox(event, x, y); break;
    case HANDLER_SCALE_PICTURE: ProcessScalePicture(doc, this, m_pViewContext.get(), event, x, y); break;
    default: break;  // the slope window's own modes
    }
}

void CTalusimOlectraView::OnLButtonDown(UINT, CPoint point)
{
    CTalusimDoc* doc = Doc();
    if (!doc)
        return;
    const int before = doc->GetMode();
    ProcessMouseEvent(EVENT_LEFT_DOWN, point.x, point.y);
    // A click that picked no drawing chooses the location on a distribution.
    if (before == MODE_IDLE && doc->GetMode() != MODE_EDIT_TOOL_SELECT)
        ChooseLocationAt(point);
}

void CTalusimOlectraView::OnLButtonUp(UINT, CPoint point)
{
    ProcessMouseEvent(EVENT_LEFT_UP, point.x, point.y);
}

void CTalusimOlectraView::OnLButtonDblClk(UINT, CPoint point)
{
    ProcessMouseEvent(EVENT_DOUBLE_CLICK, point.x, point.y);
}

void CTalusimOlectraView::OnMouseMove(UINT flags, CPoint point)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_pViewContext)
        return;
    CVector2D world;
    if (SlopePanelPoint(point, world)) {
        world = SnapPoint(point.x, point.y, false);
        MainFrameServices().SetCursorCoordinates(world.x, world.y);
    } else {
        MainFrameServices().SetCursorCoordinates(DBL_MAX, DBL_MAX);
    }
    // Dragging over the slope panel runs the location along with the mouse.
    if ((flags & MK_LBUTTON) && doc->GetMode() == MODE_IDLE)
        ChooseLocationAt(point);
    ProcessMouseEvent(EVENT_MOUSE_MOVE, point.x, point.y);
}

void CTalusimOlectraView::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_RETURN)
        ProcessMouseEvent(EVENT_DONE, 0, 0);
    else if (nChar == VK_ESCAPE)
        ProcessMouseEvent(EVENT_CANCEL, 0, 0);
    Default();
}

void CTalusimOlectraView::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == '*')
        ProcessMouseEvent(EVENT_SELECT_ALL, 0, 0);
    Default();
}

BOOL CTalusimOlectraView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CTalusimDoc* doc = Doc();
    if (!doc || nHitTest != HTCLIENT)
        return CView::OnSetCursor(pWnd, nHitTest, message);
    const int mode = doc->GetMode();
    int resource = 0;
    if (mode == MODE_PICK_PATHS || mode == MODE_DELETE_TOOLS)
        resource = CURSOR_PICK;
    else if (mode >= MODE_IMAGE_OLD_TOP_LEFT && mode <= MODE_IMAGE_NEW_BOTTOM_RIGHT)
        resource = CURSOR_POINT;
    if (resource != 0) {
        if (HCURSOR h = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource))) {
            ::SetCursor(h);
            return TRUE;
        }
        return CView::OnSetCursor(pWnd, nHitTest, message);
    }
    if ((mode == MODE_EDIT_TOOL_SELECT || mode == MODE_EDIT_TOOL_MOVE) && MapViewContext() &&
        CGraphModes(*this).SetToolCursor())
        return TRUE;
    return CView::OnSetCursor(pWnd, nHitTest, message);
}
