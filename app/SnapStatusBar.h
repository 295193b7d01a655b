// CSnapStatusBar: the main frame's status bar. Its snap, grid and NUM panes are
// buttons: a left click changes what they show, a right click opens the
// matching settings.
#pragma once

#include "framework/StatusBar.h"

class CSnapStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CSnapStatusBar)
public:
    UINT m_nGridPaneId = 0;
    UINT m_nSnapPaneId = 0;
    UINT m_nNumPaneId = 0;

    void SetGridPaneId(UINT id) { m_nGridPaneId = id; }
    void SetSnapPaneId(UINT id) { m_nSnapPaneId = id; }
    void SetNumPaneId(UINT id) { m_nNumPaneId = id; }

protected:
    bool InPane(UINT id, CPoint point) const;
    void HandleLeftClick(CPoint point);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
