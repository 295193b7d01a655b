#include "tools/ArrowPainter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include "framework/DC.h"
#include "geometry/Constants.h"
#include "geometry/Geometry.h"
#include "geometry/ViewContext.h"

CArrowPainter::CArrowPainter()
    : m_bTextOff(false), m_dHeadAngle(0), m_dHeadSin(0), m_dHeadCos(1), m_dHeadLength(0.2),
      m_dHeadWidth(0.15), m_dShaftLength(2.0), m_shaftEnd(0, 0), m_nUnitX(INT_MAX),
      m_nUnitY(INT_MAX), m_pFont(std::make_unique<CFont>())
{
    SetHeadAngle(10.0);
}

CArrowPainter::~CArrowPainter() = default;

void CArrowPainter::SetHeadAngle(double degrees)
{
    m_dHeadAngle = degrees;
    m_dHeadSin = std::sin(degrees * PI / 180.0);
    m_dHeadCos = std::cos(degrees * PI / 180.0);
}

void CArrowPainter::SetPixelSize(CDC* pDC, double scale, double widthInches, double heightInches)
{
    if (pDC == nullptr)
        return;
    const double s = std::min(scale, 1.0);
    m_nUnitX = (int)(pDC->GetDeviceCaps(LOGPIXELSX) * widthInches * s);
    m_nUnitY = (int)(pDC->GetDeviceCaps(LOGPIXELSY) * heightInches * s);
}

CPoint CArrowPainter::DrawHead(CDC* pDC, CPoint tip, double s, double c, COLORREF colour)
{
    // Until a size is set there is no head to draw.
    if (m_nUnitX == INT_MAX || m_nUnitY == INT_MAX)
        return tip;
    const double L = m_dHeadLength, W = m_dHeadWidth;
    const double head[5][2] = {
        {0, 0},
        {m_dShaftLength, 0},
        {L * m_dHeadCos, L * m_dHeadSin},
        {W, 0},
        {L * m_dHeadCos, -L * m_dHeadSin},
    };
    POINT p[5];
    for (int i = 0; i < 5; ++i) {
        const double x = head[i][0] * m_nUnitX, y = head[i][1] * m_nUnitY;
        p[i].x = (LONG)(c * x + s * y + tip.x);
        p[i].y = (LONG)(-s * x + c * y + tip.y);
    }
    m_shaftEnd = p[1];
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush(colour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->MoveTo(p[0]);
    pDC->LineTo(p[1]);
    const POINT polygon[4] = {p[0], p[2], p[3], p[4]};
    pDC->Polygon(polygon, 4);
    if (pOldBrush)
        pDC->SelectObject(pOldBrush);
    if (pOldPen)
        pDC->SelectObject(pOldPen);
    return m_shaftEnd;
}

CPoint CArrowPainter::DrawArrowHeadAt(CDC* pDC, const CVector2D& tip, CViewContext* pView,
                                      double angle, COLORREF colour, double scale,
                                      double widthInches, double heightInches)
{
    SetPixelSize(pDC, scale, widthInches, heightInches);
    return DrawHead(pDC, pView->WorldToDevice(tip), std::sin(angle), std::cos(angle),
                    pView->GetDisplayColour(colour));
}

CPoint CArrowPainter::DrawArrowHeadTowards(CDC* pDC, const CVector2D& tip, const CVector2D& tail,
                                           CViewContext* pView, COLORREF colour)
{
    const double dx = tail.x - tip.x, dy = tail.y - tip.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double s = length == 0 ? 0 : dy / length;
    const double c = length == 0 ? 1 : dx / length;
    return DrawHead(pDC, pView->WorldToDevice(tip), s, c, pView->GetDisplayColour(colour));
}

void CArrowPainter::SetFont(CDC* pDC, int points, double scale, int escapement, int weight,
                            LPCSTR face, bool bItalic)
{
    if (pDC == nullptr)
        return;
    const int height = (int)(points * pDC->GetDeviceCaps(LOGPIXELSY) / -72 * std::min(scale, 1.0));
    if (height < -5) {
        auto font = std::make_unique<CFont>();
        if (font->CreateFont(height, 0, escapement, escapement, weight, bItalic ? 1 : 0, 0, 0,
                             DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, face)) {
            m_pFont = std::move(font);
            m_bTextOff = false;
            return;
        }
    }
    m_bTextOff = true;
}

void CArrowPainter::AlignTextPoint(CPoint& point, int width, int height, int anchor)
{
    switch (anchor) {
    case 0: point.x -= width / 2; point.y -= height; break;
    case 1: point.x -= width / 2; break;
    case 2: point.x += 2; point.y -= height / 2; break;
    case 3: point.x -= width + 2; point.y -= height / 2; break;
    case 4: point.x -= width / 2; point.y -= height / 2; break;
    case 5: break;
    default:
        if (anchor & 0x20)
            point.x -= width / 2;
        else if (anchor & 0x40)
            point.x -= width + 2;
        if (anchor & 0x100)
            point.y -= height / 2;
        else if (anchor & 0x200)
            point.y -= height;
        break;
    }
}

void CArrowPainter::DrawTextLines(CDC* pDC, CPoint point, int angleTenths, const CString& text,
                                  int anchor, COLORREF colour, int bkMode)
{
    if (m_bTextOff || pDC == nullptr)
        return;
    const HDC hdc = pDC->GetSafeHdc();
    CFont* pOldFont = m_pFont->GetSafeHandle() ? pDC->SelectObject(m_pFont.get()) : nullptr;
    const COLORREF oldColour = pDC->SetTextColor(colour);
    const int oldMode = pDC->SetBkMode(bkMode);

    RECT whole = {0, 0, 0, 0};
    ::DrawTextA(hdc, text, text.GetLength(), &whole, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    const int width = whole.right - whole.left, height = whole.bottom - whole.top;
    AlignTextPoint(point, width, height, anchor);
    RECT one = {0, 0, 0, 0};
    int lineHeight = ::DrawTextA(hdc, "", 0, &one, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    if (lineHeight <= 0) {
        TEXTMETRICA tm;
        ::GetTextMetricsA(hdc, &tm);
        lineHeight = tm.tmHeight;
    }
    const double t = angleTenths / 10.0 * PI / 180.0;
    const char* p = text;
    const char* end = p + text.GetLength();
    for (int k = 0; p < end; ++k) {
        const char* next = std::find(p, end, '\n');
        if (next != end)
            ++next;   // the newline stays with its line
        RECT box = {point.x, point.y, point.x + width, point.y + height};
        const int dx = (int)(k * lineHeight * std::sin(t));
        const int dy = (int)(k * lineHeight * std::cos(t));
        ::OffsetRect(&box, dx, dy);
        ::DrawTextA(hdc, p, (int)(next - p), &box, DT_NOCLIP | DT_NOPREFIX);
        p = next;
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColour);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

namespace {

// The water-level symbol's points around device (x, y) with units ux, uy.
void WaterLevelPoints(int x, int y, int ux, int uy, POINT out[7])
{
    out[0] = {x, y - (int)(0.3 * uy)};
    out[1] = {x - ux / 2, y - (int)(1.3 * uy)};
    out[2] = {x + ux / 2, y - (int)(1.3 * uy)};
    out[3] = {x - ux / 2 - ux / 3, y + (int)(0.4 * uy)};
    out[4] = {x + ux / 2 + ux / 3, y + (int)(0.4 * uy)};
    out[5] = {x - ux / 2 - ux / 20, y + (int)(0.8 * uy)};
    out[6] = {x + ux / 2 + ux / 20, y + (int)(0.8 * uy)};
}

} // namespace

void CArrowPainter::DrawWaterLevel(CDC* pDC, const CVector2D& point, CViewContext* pView,
                                   COLORREF colour, double scale, double sizeInches,
                                   double angleDegrees)
{
    SetPixelSize(pDC, scale, sizeInches, sizeInches);
    const CPoint d = pView->WorldToDevice(point);
    POINT pts[7];
    WaterLevelPoints(d.x, d.y, m_nUnitX, m_nUnitY, pts);
    if (angleDegrees != 0) {
        for (POINT& p : pts) {
            CVector2D w = pView->DeviceToWorld(p.x, p.y);
            RotatePoint(w, angleDegrees, point.x, point.y, false);
            p = pView->WorldToDevice(w);
        }
    }
    const COLORREF mapped = pView->GetDisplayColour(colour);
    HRGN region = ::CreatePolygonRgn(pts, 3, WINDING);
    if (region) {
        HBRUSH brush = ::CreateSolidBrush(mapped);
        ::FillRgn(pDC->GetSafeHdc(), region, brush);
        ::DeleteObject(brush);
        ::DeleteObject(region);
    }
    CPen pen(PS_SOLID, 1, mapped);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(pts[0]);
    pDC->LineTo(pts[1]);
    pDC->LineTo(pts[2]);
    pDC->LineTo(pts[0]);
    pDC->MoveTo(pts[3]);
    pDC->LineTo(pts[4]);
    pDC->MoveTo(pts[5]);
    pDC->LineTo(pts[6]);
    if (pOld)
        pDC->SelectObject(pOld);
}

CRect CArrowPainter::GetWaterLevelRect(const CVector2D& point, CViewContext* pView) const
{
    const CPoint d = pView->WorldToDevice(point);
    const int ux = m_nUnitX == INT_MAX ? 0 : m_nUnitX, uy = m_nUnitY == INT_MAX ? 0 : m_nUnitY;
    return CRect(d.x - ux / 2 - ux / 3, d.y - (int)(1.3 * uy), d.x + ux / 2 + ux / 3,
                 d.y + (int)(0.8 * uy));
}
