// CMeasure: construction, the style setters with their ranges, grips, view
// membership, length and angle, arrow heads, the invalidation rectangle and
// copying another tool's style.
#include "tools/Measure.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/Constants.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CMeasure, CPolyLine)

namespace {

struct ToolKind
{
    int type;
    LPCSTR keyName;
    LPCSTR word;
};

const ToolKind kKinds[] = {
    {TOOL_TYPE_MEASURE, "Measure", "Measure"},
    {TOOL_TYPE_ARROW, "Arrow", "Arrow"},
    {TOOL_TYPE_TEXT_BOX, "TextBox", "Text Box"},
    {TOOL_TYPE_RECTANGLE, "Rectangle", "Rectangle"},
    {TOOL_TYPE_CIRCLE, "Circle", "Circle"},
    {TOOL_TYPE_LINE, "Line", "Line"},
    {TOOL_TYPE_AXES, "Axes", "Axes"},
    {TOOL_TYPE_CONTOUR_LABELS, "ContourLabels", "Contour Label"},
    {TOOL_TYPE_IMAGE, "Image", "Bitmap"},
    {TOOL_TYPE_DIM_LENGTH, "DimLength", "Dimension Length"},
    {TOOL_TYPE_DIM_ANGLE, "DimAngle", "Dimension Angle"},
    {TOOL_TYPE_POLYLINE, "PolyLine", "PolyLine"},
    {TOOL_TYPE_POLYGON, "PolyGon", "PolyGon"},
    {TOOL_TYPE_PENCIL, "Pencil", "Pencil"},
    {TOOL_TYPE_WATER_LEVEL, "WaterPt", "Water Level"},
};

const ToolKind* FindKind(int type)
{
    for (const ToolKind& k : kKinds)
        if (k.type == type)
            return &k;
    return nullptr;
}

} // namespace

CMeasure::CMeasure()
{
    SetEditable(true);
    m_crColour = 0x800000;
    m_nKindId = kToolKindId;
    m_nCategoryId = kToolCategory;
    m_nGroupId = 0;
    SetContextMenu(6002, 15);
    m_nEntityType = ENTITY_TOOL;
    m_crSelectColour = 0xFFFF00;
    // Tools draw their own markers, never the polyline's vertex ticks.
    m_bVertexTicks = false;
    AddPoint(1, 1);
    AddPoint(0, 0);
    m_textStyle.SetHeadAngle(17.0);
    m_textStyle.SetShaftLength(0.0);
}

CMeasure::~CMeasure() = default;

LPCSTR CMeasure::KindWord(int type)
{
    const ToolKind* k = FindKind(type);
    return k ? k->word : nullptr;
}

LPCSTR CMeasure::KindKeyName(int type)
{
    const ToolKind* k = FindKind(type);
    return k ? k->keyName : nullptr;
}

int CMeasure::TypeOfKindWord(const char* word)
{
    for (const ToolKind& k : kKinds)
        if (strcmp(k.word, word) == 0)
            return k.type;
    return 0;
}

bool CMeasure::HasStoredFont(int type)
{
    return type == TOOL_TYPE_TEXT_BOX || type == TOOL_TYPE_CONTOUR_LABELS ||
           type == TOOL_TYPE_DIM_LENGTH || type == TOOL_TYPE_DIM_ANGLE;
}

// ---- setters with a range: a value outside it is ignored ------------------------------

void CMeasure::SetType(int type)
{
    if ((type >= 12050 && type <= 12064) || type == 12066)
        m_nType = type;
}

void CMeasure::SetHatchStyleIndex(int index)
{
    if (index >= HS_HORIZONTAL && index <= HS_DIAGCROSS)
        m_nHatchStyle = index;
}

void CMeasure::SetIsFilled(bool b)
{
    if (m_bCanFill)
        m_bFilled = b;
}

void CMeasure::SetLineWeight(int weight)
{
    // A pen wider than a hundred pixels is no line any more.
    if (weight >= 1 && weight <= 100)
        m_nLineWeight = weight;
}

void CMeasure::SetPenLineStyle(int style)
{
    if (style >= PS_SOLID && style <= PS_INSIDEFRAME)
        m_nPenStyle = style;
}

void CMeasure::SetDimTextFlag(int flag)
{
    if (flag >= 12230 && flag <= 12233)
        m_nDimTextFlag = flag;
}

void CMeasure::SetNumDecimalPlaces(int n)
{
    m_nDecimals = std::clamp(n, 0, kMaxDecimalPlaces);
}

void CMeasure::SetDimensionStyle(int style)
{
    if (style >= 12101 && style <= 12103)
        m_nDimensionStyle = style;
}

void CMeasure::SetImageBehindGeometry(bool b)
{
    m_bImageBehind = b;
    SetCategoryId(b ? kToolBehindCategory : kToolCategory);
}

void CMeasure::SetImageScaleStyle(int style)
{
    if (style == 12201 || style == 12202)
        m_nImageScaleStyle = style;
}

void CMeasure::SetAlphaPercent(int percent)
{
    if (percent >= 0 && percent <= 100)
        m_nAlphaPercent = percent;
}

void CMeasure::SetAxisSpacing(double x, double y)
{
    auto held = [](double v, double old) {
        return std::isnan(v) ? old : std::clamp(v, kMinAxisSpacing, kMaxAxisSpacing);
    };
    m_dXSpacing = held(x, m_dXSpacing);
    m_dYSpacing = held(y, m_dYSpacing);
}

void CMeasure::SetFontFrom(int pointSize, int weight, bool italic, const CString& face)
{
    int size = 0;
    LOGFONTA font{};
    m_textStyle.GetFont(size, font);
    if (!IsPlausiblePointSize(pointSize))
        pointSize = size;
    font.lfItalic = italic ? 1 : 0;
    font.lfWeight = weight;
    font.lfHeight = pointSize * 10;
    // A face longer than the font record holds is cut, never written past it.
    memset(font.lfFaceName, 0, LF_FACESIZE);
    strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    CFont pointFont;
    if (pointFont.CreatePointFontIndirect(&font))
        pointFont.GetLogFont(&font);
    m_textStyle.SetFont(pointSize, font);
}

// ---- control points -----------------------------------------------------------------------

void CMeasure::SetStartPoint(const CVector2D& point) { SetVertexPoint(0, point.x, point.y); }

void CMeasure::SetEndPoint(const CVector2D& point) { SetVertexPoint(1, point.x, point.y); }

CVector2D CMeasure::GetStartPoint() const { return GetVertexPoint(0); }

CVector2D CMeasure::GetEndPoint() const { return GetVertexPoint(1); }

void CMeasure::SetThirdPoint(const CVector2D& point)
{
    while (GetVertexCount() < 3)
        AddPoint(point.x, point.y);
    SetVertexPoint(2, point.x, point.y);
}

void CMeasure::ApplyImageStyle(const CString&, const CString&, int, bool moveLocked, bool, bool,
                               COLORREF, int, bool)
{
    SetLocked(moveLocked);
}

void CMeasure::ApplyTextStyle(int penStyle, bool outline, COLORREF textColour)
{
    SetPenLineStyle(penStyle);
    m_bTextOutline = outline;
    m_crText = textColour;
}

void CMeasure::ApplyOutlineAndFill(const CToolCommonStyle& s)
{
    SetIsFilled(s.filled);
    SetLineWeight(s.lineWeight);
    m_crFill = s.fillColour;
    m_crColour = s.lineColour;
    SetStartPoint(s.start);
    SetEndPoint(s.end);
}

void CMeasure::PlaceVerticesAfterEnds(const CVectorArray& points)
{
    for (int k = 0; k < (int)points.GetSize(); ++k) {
        while (GetVertexCount() < k + 3)
            AddPoint(points[k].x, points[k].y);
        SetVertexPoint(k + 2, points[k].x, points[k].y);
    }
}

// ---- the entity's operations ------------------------------------------------------------

void CMeasure::SetEditing(bool b)
{
    if (!b)
        m_nGrip = -1;
    CPolyLine::SetEditing(b);
}

int CMeasure::GetGripCount()
{
    const int s = m_nGrip, last = GetLastVertexIndex();
    if (last < 1)
        return 0;
    if (s == 0 || s == last)
        return m_bClosed ? 2 : 1;
    if (s > 0 && s < last)
        return 2;
    return 0;
}

CVector2D CMeasure::GetGripPoint(int i)
{
    const int s = m_nGrip, last = GetLastVertexIndex();
    const CVector2D none(DBL_MAX, DBL_MAX);
    if (last < 1 || s < 0 || s > last)
        return none;
    if (i == 0) {
        if (s == 0)
            return GetVertexPoint(m_bClosed ? last : 1);
        return GetVertexPoint(s - 1);
    }
    if (i == 1) {
        if (m_bClosed)
            return GetVertexPoint(s == last ? 0 : s + 1);
        if (s > 0 && s < last)
            return GetVertexPoint(s + 1);
    }
    return none;
}

void CMeasure::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    text.Empty();
}

bool CMeasure::IsShownIn(CViewContext* pView) const
{
    if (m_nGroupId == 0)
        return true;
    return pView != nullptr && ToolGroupOf(pView->GetOwnerView()) == m_nGroupId;
}

bool CMeasure::QueryOption(CPickRequest*, CViewContext* pView, int code)
{
    if (code == 111 || code == 112)
        return pView != nullptr && IsShownIn(pView);
    return false;
}

void CMeasure::SetOwner(CWnd* pOwner)
{
    CPolyLine::SetOwner(pOwner);
    if (pOwner != nullptr)
        SetOwnerView(pOwner);
}

double CMeasure::GetLength() const
{
    const CVector2D a = GetStartPoint(), b = GetEndPoint();
    return std::hypot(b.x - a.x, b.y - a.y);
}

double CMeasure::GetAngle() const
{
    const CVector2D a = GetStartPoint(), b = GetEndPoint();
    const double dx = b.x - a.x, dy = b.y - a.y;
    if (std::fabs(dx) < 1e-6 && std::fabs(dy) < 1e-6)
        return 0.0;
    double degrees = std::atan2(dy, dx) * RAD_TO_DEG;
    if (degrees < 0)
        degrees += 360.0;
    return degrees;
}

COLORREF CMeasure::CurrentLineColour() const
{
    return IsInSet(SET_SELECTION) ? m_crSelectColour : m_crColour;
}

CGdiObject* CMeasure::SelectInteriorBrush(CDC* pDC, CViewContext* pView, CBrush& brush) const
{
    if (m_bFilled)
        brush.CreateSolidBrush(pView->GetDisplayColour(m_crFill));
    else if (m_bHatched)
        brush.CreateHatchBrush(m_nHatchStyle, pView->GetDisplayColour(m_crFill));
    else
        return pDC->SelectStockObject(NULL_BRUSH);
    return pDC->SelectObject(&brush);
}

void CMeasure::DrawArrowHeads(CDC* pDC, CViewContext* pView)
{
    if (!m_bArrowAtHead && !m_bArrowAtTail)
        return;
    const COLORREF colour = CurrentLineColour();
    const CPoint p0 = pView->WorldToDevice(GetStartPoint());
    const CPoint p1 = pView->WorldToDevice(GetEndPoint());
    const double scale = pView->GetSizeScale();
    if (m_bArrowAtHead)
        m_textStyle.DrawArrowHeadAt(pDC, GetStartPoint(), pView,
                                    std::atan2((double)(p0.y - p1.y), (double)(p1.x - p0.x)), colour,
                                    scale, 1.0, 1.0);
    if (m_bArrowAtTail)
        m_textStyle.DrawArrowHeadAt(pDC, GetEndPoint(), pView,
                                    std::atan2((double)(p1.y - p0.y), (double)(p0.x - p1.x)), colour,
                                    scale, 1.0, 1.0);
}

void CMeasure::DrawToolSegments(CDC* pDC, CViewContext* pView)
{
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const int oldStyle = m_nLineStyle, oldWidth = m_nLineWidth;
    m_nLineStyle = m_nPenStyle;
    m_nLineWidth = m_nLineWeight;
    CPolyLine::Draw(pDC, pView);
    m_nLineStyle = oldStyle;
    m_nLineWidth = oldWidth;
    pDC->SetBkMode(oldMode);
}

void CMeasure::DrawGripMarkers(CDC* pDC, CViewContext* pView, int count)
{
    count = std::min(count, GetVertexCount());
    for (int i = 0; i < count; ++i) {
        const CPoint p = pView->WorldToDevice(GetVertexPoint(i));
        DrawSquareMarker(pDC, p.x, p.y, 3);
    }
}

void CMeasure::ApplyLabelBoxStyle()
{
    m_textStyle.SetShowBox(m_bFilled || m_bTextOutline);
    m_textStyle.SetNoBorder(!m_bTextOutline);
    m_textStyle.SetTransparent(m_bTextOutline && !m_bFilled);
}

void CMeasure::DrawSelectionLine(CDC* pDC, CViewContext* pView)
{
    CPen pen(PS_SOLID, m_nSelectWidth, pView->GetDisplayColour(m_crSelectColour));
    CPen* pOld = pDC->SelectObject(&pen);
    pView->DrawSegment(pDC, GetStartPoint(), GetEndPoint());
    if (pOld)
        pDC->SelectObject(pOld);
}

void CMeasure::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    if (pView == nullptr) {
        CPolyLine::GetDeviceRect(out, pView, pWnd);
        return;
    }
    const bool oldFixed = pView->SetFixedSize(true);
    CPolyLine::GetDeviceRect(out, pView, pWnd);
    const HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    HDC hdc = ::GetDC(hWnd);
    if (hdc != nullptr) {
        CDC dc;
        dc.Attach(hdc);
        const CVector2D a = GetStartPoint(), b = GetEndPoint();
        const bool turned = std::fabs(a.x - b.x) > std::fabs(a.y - b.y);
        int size = 0;
        LOGFONTA font{};
        if (m_textStyle.GetFont(size, font))
            m_textStyle.CArrowPainter::SetFont(&dc, size, pView->GetSizeScale(), turned ? 900 : 0,
                                               font.lfWeight, font.lfFaceName, font.lfItalic != 0);
        CFont* pFont = m_textStyle.GetFontObject();
        CFont* pOld = pFont->GetSafeHandle() ? dc.SelectObject(pFont) : nullptr;
        if (m_nType == TOOL_TYPE_MEASURE) {
            CString label;
            label.Format("L=%.5f Angle=%.5f", GetLength(), GetAngle());
            CRect r(0, 0, 0, 0);
            ::DrawTextA(hdc, label, label.GetLength(), &r, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
            out.right += turned ? r.Height() : r.Width();
            const int grow = turned ? r.Width() : r.Height();
            out.bottom += grow;
            out.top -= grow;
        } else if (m_nType == TOOL_TYPE_ARROW) {
            const double head = std::max(m_textStyle.GetHeadLength(), m_textStyle.GetHeadWidth());
            const int dx = (int)(head * dc.GetDeviceCaps(LOGPIXELSX));
            const int dy = (int)(head * dc.GetDeviceCaps(LOGPIXELSY));
            out.InflateRect(dx, dy);
        }
        if (pOld)
            dc.SelectObject(pOld);
        dc.Detach();
        ::ReleaseDC(hWnd, hdc);
    }
    pView->SetFixedSize(oldFixed);
}

// ---- copying ----------------------------------------------------------------------------

bool CMeasure::CopyFrom(const CEntity& source)
{
    const CMeasure* tool = dynamic_cast<const CMeasure*>(&source);
    if (tool == nullptr)
        return CPolyLine::CopyFrom(source);
    CopyStyle(*tool);
    return true;
}

void CMeasure::CopyStyle(const CMeasure& t)
{
    CPolyLine::CopyFrom(t);
    m_crColour = t.m_crColour;
    m_dArcBegin = t.m_dArcBegin;
    m_dArcEnd = t.m_dArcEnd;
    m_bIsArc = t.m_bIsArc;
    m_bIsCircle = t.m_bIsCircle;
    m_bArrowAtHead = t.m_bArrowAtHead;
    m_bArrowAtTail = t.m_bArrowAtTail;
    m_bAxisLeft = t.m_bAxisLeft;
    m_bAxisRight = t.m_bAxisRight;
    m_bAxisTop = t.m_bAxisTop;
    m_bAxisBottom = t.m_bAxisBottom;
    m_bAxisGlobalCoords = t.m_bAxisGlobalCoords;
    m_bHatched = t.m_bHatched;
    m_nHatchStyle = t.m_nHatchStyle;
    m_bFilled = t.m_bFilled;
    m_crFill = t.m_crFill;
    m_nLineWeight = t.m_nLineWeight;
    m_bImageBehind = t.m_bImageBehind;
    m_nImageScaleStyle = t.m_nImageScaleStyle;
    m_bTransparent = t.m_bTransparent;
    m_bAlpha = t.m_bAlpha;
    m_crTransparent = t.m_crTransparent;
    m_nAlphaPercent = t.m_nAlphaPercent;
    m_dXSpacing = t.m_dXSpacing;
    m_dYSpacing = t.m_dYSpacing;
    m_bAxisSpacing = t.m_bAxisSpacing;
    m_nLineStyle = t.m_nLineStyle;
    m_nSelectStyle = t.m_nSelectStyle;
    m_nLineWidth = t.m_nLineWidth;
    m_nSelectWidth = t.m_nSelectWidth;
    m_bMetric = t.m_bMetric;
    m_bExtensionLine = t.m_bExtensionLine;
    m_bPrimaryLine = t.m_bPrimaryLine;
    m_bBehindTextLine = t.m_bBehindTextLine;
    m_nConvertToInches = t.m_nConvertToInches;
    m_nDecimals = t.m_nDecimals;
    m_bSwapArrows = t.m_bSwapArrows;
    m_nDimTextFlag = t.m_nDimTextFlag;
    m_bDimensionUnits = t.m_bDimensionUnits;
    m_bExteriorLine = t.m_bExteriorLine;
    m_nRotation = t.m_nRotation;
    m_nPenStyle = t.m_nPenStyle;
    m_bTextOutline = t.m_bTextOutline;
    m_crText = t.m_crText;
    int size = 0;
    LOGFONTA font{};
    if (t.m_textStyle.GetFont(size, font))
        m_textStyle.SetFont(size, font);
    SetText(t.m_strText);
    m_strImageFile = t.m_strImageFile;
    m_strImagePath = t.m_strImagePath;
    m_nDimensionStyle = t.m_nDimensionStyle;
}
