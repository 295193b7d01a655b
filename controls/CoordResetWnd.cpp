#include "controls/CoordResetWnd.h"

#include <cfloat>

#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CCoordResetWnd, CWnd)

CCoordResetWnd::~CCoordResetWnd() {
    if (m_hWnd != nullptr) UnsubclassWindow();
}

void CCoordResetWnd::OnMouseMove(UINT, CPoint) {
    if (auto* target = dynamic_cast<CCursorCoordinateTarget*>(AfxGetMainWnd()))
        target->SetCursorCoordinates(DBL_MAX, DBL_MAX);
    Default();
}

BEGIN_MESSAGE_MAP(CCoordResetWnd, CWnd)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()
