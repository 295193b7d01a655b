// The slope view's input: mouse and keys become interaction events, which
// go to the handler of the document's current mode; point snapping; cursors.
#include "view/TalusimView.h"

#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "framework/MessageBox.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "view/SlopeModeHost.h"
#include "view/SlopeViewRules.h"

void CTalusimView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_RETURN: ProcessMouseEvent(EVENT_DONE, 0, 0); break;
    case VK_ESCAPE: ProcessMouseEvent(EVENT_CANCEL, 0, 0); break;
    case VK_DELETE: ProcessMouseEvent(EVENT_DELETE, 0, 0); break;
    default: break;
    }
    CScrollView::Default();
    (void)nRepCnt;
    (void)nFlags;
}

void CTalusimView::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == '*')
        ProcessMouseEvent(EVENT_SELECT_ALL, 0, 0);
    Default();
}

void CTalusimView::OnLButtonDown(UINT, CPoint point)
{
    if (m_bContextMenuUp) {
        // The click that closed the context menu.
        m_bContextMenuUp = false;
        return;
    }
    ProcessMouseEvent(EVENT_LEFT_DOWN, point.x, point.y);
    MainFrameServices().FocusCommandLine();
}

void CTalusimView::OnLButtonUp(UINT, CPoint point) { ProcessMouseEvent(EVENT_LEFT_UP, point.x, point.y); }

void CTalusimView::OnLButtonDblClk(UINT, CPoint point) { ProcessMouseEvent(EVENT_DOUBLE_CLICK, point.x, point.y); }

void CTalusimView::OnMouseMove(UINT, CPoint point)
{
    CREGDatabase* db = GetDatabase();
    if (db == nullptr || m_pViewContext == nullptr)
        return;
    RefreshDataTip(point);
    CVector2D w = SnapPoint(point.x, point.y, false);
    MainFrameServices().SetCursorCoordinates(w.x, w.y);
    ProcessMouseEvent(EVENT_MOUSE_MOVE, point.x, point.y);
}

void CTalusimView::OnMButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDoc == nullptr)
        return;
    const int mode = m_pDoc->GetMode();
    bool pan = mode == MODE_PAN;
    if (!pan && (nFlags & MK_LBUTTON) == 0)
        pan = m_pDoc->BeginTransientMode(MODE_PAN) == MODE_PAN;
    if (!pan && mode == MODE_IDLE)
        pan = m_pDoc->SetMode(MODE_PAN) == MODE_PAN;
    if (pan) {
        ::SetCursor(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CURSOR_PAN)));
        ProcessMouseEvent(EVENT_MIDDLE_DOWN, point.x, point.y);
    }
    MainFrameServices().FocusCommandLine();
}

void CTalusimView::OnMButtonUp(UINT, CPoint point) { ProcessMouseEvent(EVENT_MIDDLE_UP, point.x, point.y); }

CVector2D CTalusimView::SnapPoint(int x, int y, bool roundDown)
{
    CREGDatabase* db = GetDatabase();
    if (db == nullptr || m_pViewContext == nullptr)
        return CVector2D(0, 0);
    return SnapViewPoint(*db, *m_pViewContext, m_pDoc->GetMode(), x, y, roundDown);
}

BOOL CTalusimView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bContextMenuUp || m_pDoc == nullptr || nHitTest != HTCLIENT)
        return CScrollView::OnSetCursor(pWnd, nHitTest, message);
    const int mode = m_pDoc->GetMode();
    if (mode == MODE_EDIT_TOOL_SELECT || mode == MODE_EDIT_TOOL_MOVE)
        return CSlopeModes(*this).SetToolCursor() ? TRUE : CScrollView::OnSetCursor(pWnd, nHitTest, message);
    CREGDatabase* db = GetDatabase();
    const int cursor = SlopeModeCursor(mode, db != nullptr ? db->GetSnapMode() : SNAP_NONE,
                                       m_pDoc->GetSlopeVertexCount());
    if (cursor == CURSOR_NONE)
        return CScrollView::OnSetCursor(pWnd, nHitTest, message);
    HCURSOR h = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(cursor));
    if (h == nullptr)
        return CScrollView::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(h);
    return TRUE;
}

bool CTalusimView::GetTypedPoint(CVector2D& point) { return CModeHandlers::TypedPoint(point); }

bool CTalusimView::GetEventPoint(int event, int x, int y, CVector2D& point)
{
    return CSlopeModes(*this).EventPoint(event, x, y, point);
}

void CTalusimView::ShowMessage(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    MainFrameServices().FocusCommandLine();
}

void CTalusimView::ProcessMouseEvent(int event, int x, int y)
{
    if (m_pDoc == nullptr || m_pViewContext == nullptr)
        return;
    const int mode = m_pDoc->GetMode();
    const SlopeModeInfo* info = FindSlopeMode(mode);
    if (info == nullptr)
        return;
    if (info->needsDC) {
        if (m_hWnd == nullptr)
            return;
        CClientDC dc(this);
        switch (info->handler) {
        case HANDLER_DELETE_VERTICES: process_DELETE_VERTICES(event, &dc, x, y); break;
        case HANDLER_SELECT_VERTICES_TO_MOVE: process_SELECT_VERTICES_TO_MOVE(event, &dc, x, y); break;
        case HANDLER_ASSIGN_MATERIAL: process_ASSIGN_MATERIAL(event, &dc, x, y); break;
        case HANDLER_SELECT_OBJECTS:
            process_SELECT_OBJECTS(event, &dc, x, y, info->kind, info->category, info->group);
            break;
        case HANDLER_FILTER_BY_PICKING: process_FILTER_BY_PICKING(event, &dc, x, y); break;
        case HANDLER_ZOOM_WINDOW: process_ZOOM_WINDOW(event, &dc, x, y); break;
        case HANDLER_DELETE_DRAWINGS: process_DELETE_DRAWINGS(event, &dc, x, y); break;
        default: break;
        }
        return;
    }
    switch (info->handler) {
    case HANDLER_IDLE: process_IDLE(event, x, y); break;
    case HANDLER_DEFINE_SLOPE: process_DEFINE_SLOPE(event, x, y); break;
    case HANDLER_INSERT_VERTEX: process_INSERT_VERTEX(event, x, y); break;
    case HANDLER_MOVE_VERTICES_BASE: process_MOVE_VERTICES_BASE(event, x, y); break;
    case HANDLER_MOVE_VERTICES_TARGET: process_MOVE_VERTICES_TARGET(event, x, y); break;
    case HANDLER_ADD_POINT_SEEDER: process_ADD_POINT_SEEDER(event, x, y); break;
    case HANDLER_ADD_LINE_SEEDER: process_ADD_LINE_SEEDER(event, x, y); break;
    case HANDLER_ADD_LINE_SEEDER_NEXT: process_ADD_LINE_SEEDER_NEXT(event, x, y); break;
    case HANDLER_ADD_ANGLE: process_ADD_ANGLE(event, x, y); break;
    case HANDLER_ADD_ANGLE_END: process_ADD_ANGLE_END(event, x, y); break;
    case HANDLER_ADD_COLLECTOR: process_ADD_COLLECTOR(event, x, y); break;
    case HANDLER_ADD_COLLECTOR_END: process_ADD_COLLECTOR_END(event, x, y); break;
    case HANDLER_MOVE_COLLECTORS_BASE: process_MOVE_COLLECTORS_BASE(event, x, y); break;
    case HANDLER_MOVE_COLLECTORS_TARGET: process_MOVE_COLLECTORS_TARGET(event, x, y); break;
    case HANDLER_MOVE_ANGLE_VERTEX: process_MOVE_ANGLE_VERTEX(event, x, y); break;
    case HANDLER_MOVE_ANGLE_VERTEX_TO: process_MOVE_ANGLE_VERTEX_TO(event, x, y); break;
    case HANDLER_PAN: process_PAN(event, x, y); break;
    case HANDLER_ZOOM_DYNAMIC: process_ZOOM_DYNAMIC(event, x, y); break;
    case HANDLER_TOOL_FIRST_POINT: process_TOOL_FIRST_POINT(event, x, y, info->toolKind); break;
    case HANDLER_TOOL_SECOND_POINT: process_TOOL_SECOND_POINT(event, x, y); break;
    case HANDLER_TOOL_TEXT_BOX: process_TOOL_TEXT_BOX(event, x, y); break;
    case HANDLER_EDIT_TOOL: process_EDIT_TOOL(event, x, y); break;
    case HANDLER_DRAG_TOOL: process_DRAG_TOOL(event, x, y); break;
    case HANDLER_SCALE_PICTURE: process_SCALE_PICTURE(event, x, y); break;
    default: break;  // the modes of the tools not drawn yet
    }
}

void CTalusimView::process_PAN(int event, int x, int y)
{
    // The context moves the world window and repaints; it says when the pan is over.
    if (!m_pViewContext->TrackPan(event, this, x, y))
        return;
    if (m_pDoc->HasTransientMode())
        m_pDoc->EndTransientMode();
    else if (event != EVENT_MIDDLE_UP)
        m_pDoc->SetMode(MODE_IDLE);
    Invalidate(IsDrawCacheStale() ? TRUE : FALSE);
}
