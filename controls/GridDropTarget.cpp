// The grid's OLE drop target.
#include "controls/GridDropTarget.h"

#include "controls/GridCtrl.h"

BOOL CGridDropTarget::Register(CGridCtrl* grid)
{
    if (m_bRegistered || grid == nullptr || grid->GetSafeHwnd() == nullptr)
        return FALSE;
    if (!COleDropTarget::Register(grid))
        return FALSE;
    m_pGrid = grid;
    m_bRegistered = TRUE;
    return TRUE;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

bool CGridDropTarget::IsGridWindow(CWnd* wnd) const
{
    return m_pGrid != nullptr && wnd != nullptr && wnd->GetSafeHwnd() == m_pGrid->GetSafeHwnd();
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    return IsGridWindow(wnd) ? m_pGrid->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    return IsGridWindow(wnd) ? m_pGrid->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

BOOL CGridDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    return IsGridWindow(wnd) ? m_pGrid->OnDrop(data, effect, point) : FALSE;
}

void CGridDropTarget::OnDragLeave(CWnd* wnd)
{
    if (IsGridWindow(wnd))
        m_pGrid->OnDragLeave();
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, CPoint)
{
    if (!IsGridWindow(wnd))
        return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
