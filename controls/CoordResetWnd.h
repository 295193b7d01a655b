// CCoordResetWnd: the main frame's MDI client (the area behind the document
// windows). A mouse move there clears the cursor coordinates shown on the
// status bar, since the cursor is over no view.
#pragma once

#include "framework/Wnd.h"

// What the main window offers for the cursor coordinates; DBL_MAX means none.
class CCursorCoordinateTarget {
public:
    virtual ~CCursorCoordinateTarget() = default;
    virtual void SetCursorCoordinates(double x, double y) = 0;
};

class CCoordResetWnd : public CWnd {
    DECLARE_DYNAMIC(CCoordResetWnd)
public:
    ~CCoordResetWnd() override;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
