#include "tools/ToolWaterPt.h"

#include "framework/DC.h"
#include "geometry/CursorIds.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolWaterPt, CToolLine)

namespace {
constexpr double kSymbolInches = 0.12;
} // namespace

CToolWaterPt::CToolWaterPt()
{
    SetKind(TOOL_TYPE_WATER_LEVEL, "WaterPt");
    m_crColour = 0xFF0000;
    m_bStartEditable = true;
    m_bCanArrow = false;
    m_bEndEditable = false;
    m_bExteriorLine = false;
}

bool CToolWaterPt::HitTestInView(CViewContext* pView, double x, double y, int)
{
    if (pView == nullptr)
        return false;
    return m_textStyle.GetWaterLevelRect(GetStartPoint(), pView).PtInRect(pView->WorldToDevice(x, y));
}

int CToolWaterPt::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return kCursorArrow;
    const CVector2D w = pView->DeviceToWorld(p);
    return HitTestInView(pView, w.x, w.y, 0) ? kCursorSizeAll : kCursorArrow;
}

bool CToolWaterPt::PickGrip(CViewContext* pView, POINT p)
{
    if (GetCursorAt(pView, p) != kCursorSizeAll)
        return false;
    m_nGrip = kWholeEntityGrip;
    return true;
}

void CToolWaterPt::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    if (pView == nullptr) {
        CPolyLine::GetDeviceRect(out, pView, pWnd);
        return;
    }
    out = m_textStyle.GetWaterLevelRect(GetStartPoint(), pView);
}

void CToolWaterPt::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    SetEndPoint(GetStartPoint());
    CToolLine::Draw(pDC, pView);
    m_textStyle.DrawWaterLevel(pDC, GetStartPoint(), pView, CurrentLineColour(), pView->GetSizeScale(), kSymbolInches,
                               m_nRotation);
}
