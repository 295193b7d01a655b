#include "tools/ToolArrow.h"

#include <cmath>
#include "framework/DC.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolArrow, CMeasure)
IMPLEMENT_DYNAMIC(CToolMeasure, CMeasure)

namespace {
constexpr int kDimOwnThenMeasured = 12230;
constexpr int kDimMeasuredAlone = 12231;
constexpr int kDimMeasuredThenOwn = 12232;
constexpr int kDimOwnAlone = 12233;
constexpr int kAnchorTopLeft = 5;
} // namespace

// ---- arrow ----------------------------------------------------------------------------------

CToolArrow::CToolArrow()
{
    SetKind(TOOL_TYPE_ARROW, "Arrow");
    m_bCanArrow = true;
    m_bArrowAtHead = true;
}

void CToolArrow::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    DrawToolSegments(pDC, pView);
    if (GetStartPoint() == GetEndPoint())
        return;
    DrawArrowHeads(pDC, pView);
    if (IsEditing())
        DrawGripMarkers(pDC, pView, 2);
}

void CToolArrow::ApplyCommonStyle(const CToolCommonStyle& s)
{
    m_bArrowAtHead = s.arrowAtHead;
    m_bArrowAtTail = s.arrowAtTail;
    ApplyOutlineAndFill(s);
    SetText(s.text);
    SetFontFrom(s.fontSize, s.fontWeight, s.fontItalic, s.fontName);
}

void CToolArrow::ApplyDimensionText(int, int dimTextFlag, int units, int exteriorLine)
{
    // Stored as read: the composition below leaves an unknown flag alone.
    m_nDimTextFlag = dimTextFlag;
    m_bDimensionUnits = units > 0;
    m_bExteriorLine = exteriorLine > 0;
}

void CToolArrow::ComposeDimensionText(CString& measured) const
{
    switch (m_nDimTextFlag) {
    case kDimOwnThenMeasured: measured = m_strText + measured; break;
    case kDimMeasuredAlone: break;
    case kDimMeasuredThenOwn: measured = measured + m_strText; break;
    case kDimOwnAlone: measured = m_strText; break;
    default: break;
    }
}

// ---- measure --------------------------------------------------------------------------------

CToolMeasure::CToolMeasure()
{
    SetKind(TOOL_TYPE_MEASURE, "Measure");
    m_bCanArrow = true;
}

CString CToolMeasure::GetLabelText() const
{
    CString text;
    text.Format("L=%.3f Angle=%.1f", GetLength(), GetAngle());
    return text;
}

int CToolMeasure::GetLabelEscapement() const
{
    const CVector2D a = GetStartPoint(), b = GetEndPoint();
    return std::fabs(b.x - a.x) > std::fabs(b.y - a.y) ? 900 : 0;
}

void CToolMeasure::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    DrawToolSegments(pDC, pView);
    const CVector2D a = GetStartPoint(), b = GetEndPoint();
    if (a == b)
        return;
    DrawArrowHeads(pDC, pView);
    if (IsEditing())
        DrawGripMarkers(pDC, pView, 2);
    const bool oldFixed = pView->SetFixedSize(true);
    m_textStyle.DrawText(pDC, pView, GetLabelText(), (a.x + b.x) / 2, (a.y + b.y) / 2, GetLabelEscapement(),
                         m_crText, RGB(255, 255, 255), kAnchorTopLeft);
    pView->SetFixedSize(oldFixed);
}

void CToolMeasure::ApplyCommonStyle(const CToolCommonStyle& s)
{
    m_bArrowAtHead = s.arrowAtHead;
    m_bArrowAtTail = s.arrowAtTail;
    SetLineWeight(s.lineWeight);
    m_crColour = s.lineColour;
    SetStartPoint(s.start);
    SetEndPoint(s.end);
}
