#include "app/SnapStatusBar.h"

#include "app/DocumentLink.h"
#include "app/MainFrame.h"

IMPLEMENT_DYNAMIC(CSnapStatusBar, CStatusBar)

bool CSnapStatusBar::InPane(UINT id, CPoint point) const {
    int index = CommandToIndex(id);
    if (id == 0 || index < 0) return false;
    CRect r;
    GetItemRect(index, &r);
    return r.PtInRect(point) != FALSE;
}

void CSnapStatusBar::HandleLeftClick(CPoint point) {
    CDocument* doc = ActiveChildDocument();
    if (InPane(m_nGridPaneId, point) && doc != nullptr) {
        ShellLink::ToggleGrid(doc);
        CRect r;
        GetItemRect(CommandToIndex(m_nGridPaneId), &r);
        InvalidateRect(&r);
    }
    if (InPane(m_nSnapPaneId, point) && doc != nullptr) {
        ShellLink::CycleSnapMode(doc);
        CRect r;
        GetItemRect(CommandToIndex(m_nSnapPaneId), &r);
        InvalidateRect(&r);
    }
    if (InPane(m_nNumPaneId, point)) {
        ::keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
        ::keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
        ::keybd_event(0, 0, 0, 0);
    }
}

void CSnapStatusBar::OnLButtonDown(UINT, CPoint point) {
    HandleLeftClick(point);
    Default();
}

void CSnapStatusBar::OnLButtonDblClk(UINT, CPoint point) {
    HandleLeftClick(point);
    Default();
}

void CSnapStatusBar::OnRButtonDown(UINT, CPoint point) {
    CDocument* doc = ActiveChildDocument();
    if (InPane(m_nGridPaneId, point) && doc != nullptr) {
        ShellLink::ShowGridSettings(doc);
        Invalidate();
    }
    if (InPane(m_nSnapPaneId, point) && doc != nullptr) {
        ShellLink::ShowSnapSettings(doc);
        Invalidate();
    }
    Default();
}

BEGIN_MESSAGE_MAP(CSnapStatusBar, CStatusBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()
