#include "geometry/AxesEnt.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "geometry/ViewContext.h"

namespace {

const int kImperialPattern[8] = {5, 2, 3, 2, 4, 2, 3, 2};
const int kMetricPattern[10] = {5, 2, 2, 2, 2, 4, 2, 2, 2, 2};
// More labelled intervals than this cannot be told apart on any device.
const int kMaxTickCount = 100000;

int DecadeExponent(double m)
{
    return m >= 1 ? (int)std::log10(m) : (int)(std::log10(m) - 0.99999);
}

} // namespace

void FormatTickLabel(char* out, size_t size, double value, double step)
{
    if (std::fabs(value) < std::fabs(step) * 1e-9)
        value = 0.0;
    snprintf(out, size, "%.10g", value);
}

void NiceTickStepPreferred(double& minimum, double& maximum, double& step, int n)
{
    if (n < 1 || !std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    const double tolerance = std::max((std::fabs(minimum) + std::fabs(maximum)) * 1e-9, 1e-9);
    const double m = (maximum - minimum) / n;
    if (std::fabs(m) < tolerance) {
        maximum += tolerance;
        minimum -= tolerance;
        step = (maximum - minimum) / n;
        return;
    }
    step = m;
    if (m <= 0)
        return;
    const double decade = std::pow(10.0, DecadeExponent(m));
    static const double mantissas[4] = {1, 2, 2.5, 5};
    int first = -1;
    double base = decade;
    for (int k = 0; k < 2 && first < 0; ++k) {
        base = decade * (k == 0 ? 1 : 10);
        for (int i = 0; i < 4; ++i) {
            if (base * mantissas[i] >= m) {
                first = i;
                break;
            }
        }
    }
    if (first < 0)
        return;
    for (int j = 0; j < 4; ++j) {
        const int index = first + j;
        const double s = base * mantissas[index % 4] * (index >= 4 ? 10 : 1);
        const double low = minimum > 0 ? s * std::trunc(minimum / s)
                                       : s * std::trunc(minimum / s - 0.9999999);
        const double high = low + n * s;
        if (high > maximum) {
            minimum = low;
            maximum = high;
            step = s;
            return;
        }
    }
}

void NiceTickStep(double& minimum, double& maximum, double& step, int n)
{
    if (n < 1 || !std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    double h = (maximum - minimum) / n;
    const double tolerance = std::max((std::fabs(minimum) + std::fabs(maximum)) * 1e-6, 1e-6);
    if (std::fabs(h) < tolerance) {
        maximum += tolerance;
        minimum -= tolerance;
        h = (maximum - minimum) / n;
    }
    if (!(h > 0))
        return;
    const double r = std::pow(10.0, DecadeExponent(h));
    const double u = std::trunc(2 * h / r + 1) * 0.5;
    const double w = r * u;
    minimum = minimum >= 0 ? w * std::trunc(minimum / w) : w * std::trunc(minimum / w - 0.9999);
    double v = w;
    while (minimum + n * v < maximum)
        v += r;
    maximum = minimum + n * v;
    step = v;
}

CAxesEnt::CAxesEnt()
    : m_bFixedSpacing(false), m_dFixedSpacing(DBL_MAX), m_bMetric(false), m_bShowRulers(true),
      m_nStyle(RULER_STYLE_ROUNDED), m_byOption(0), m_dBandHeight(0.19), m_dBandWidth(0.19)
{
    SetEntityType(ENTITY_RULERS);
    SetColour(0);
    SetSelectable(false);
}

CAxesEnt::~CAxesEnt() = default;

void CAxesEnt::SetStyle(int style)
{
    if (style == RULER_STYLE_96 || style == RULER_STYLE_97 || style == RULER_STYLE_ROUNDED)
        m_nStyle = style;
}

const int* CAxesEnt::GetTickPattern() const
{
    return m_bMetric ? kMetricPattern : kImperialPattern;
}

CSize CAxesEnt::GetRulerSizeOnDC(CDC* pDC) const
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return CSize(0, 0);
    return CSize((int)(pDC->GetDeviceCaps(LOGPIXELSX) * m_dBandWidth),
                 (int)(pDC->GetDeviceCaps(LOGPIXELSY) * m_dBandHeight));
}

CSize CAxesEnt::GetRulerSize(CWnd* pWnd) const
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr)
        return CSize(0, 0);
    HDC hdc = ::GetDC(hWnd);
    if (hdc == nullptr)
        return CSize(0, 0);
    const CSize size((int)(::GetDeviceCaps(hdc, LOGPIXELSX) * m_dBandWidth),
                     (int)(::GetDeviceCaps(hdc, LOGPIXELSY) * m_dBandHeight));
    ::ReleaseDC(hWnd, hdc);
    return size;
}

CPoint CAxesEnt::DrawingOrigin(CDC* pDC, CViewContext* pView) const
{
    const CRect& print = pView->m_printRect;
    if (pDC->IsPrinting() && !(print.left == 0 && print.top == 0 && print.right == 0 &&
                               print.bottom == 0))
        return print.TopLeft();
    return pView->GetDeviceOrigin();
}

bool CAxesEnt::ComputeRulerTicks(CDC* pDC, CViewContext* pView, CVector2D& minimum,
                                 CVector2D& maximum, CVector2D& step, int counts[2])
{
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    if (dpiX < 1 || dpiY < 1)
        return false;
    const CSize extent = pView->GetDeviceExtent();
    const CPoint origin = DrawingOrigin(pDC, pView);
    const int nx = std::max(1, (int)(extent.cx * 1.4 / dpiX));
    const int ny = std::max(1, (int)(extent.cy * 1.4 / dpiY));
    const CVector2D a = pView->DeviceToWorld(origin.x, origin.y + extent.cy);
    const CVector2D b = pView->DeviceToWorld(origin.x + extent.cx, origin.y);
    minimum = a;
    maximum = b;
    step = CVector2D(0, 0);
    NiceTickStepPreferred(minimum.x, maximum.x, step.x, nx);
    NiceTickStepPreferred(minimum.y, maximum.y, step.y, ny);
    counts[0] = nx;
    counts[1] = ny;
    if (m_bFixedSpacing && m_dFixedSpacing > 0 && std::isfinite(m_dFixedSpacing)) {
        const double s = m_dFixedSpacing;
        step = CVector2D(s, s);
        minimum.x = s * std::trunc(minimum.x / s);
        minimum.y = s * std::trunc(minimum.y / s);
        counts[0] = (int)std::min<double>(std::trunc((maximum.x - minimum.x) / s) + 1, kMaxTickCount);
        counts[1] = (int)std::min<double>(std::trunc((maximum.y - minimum.y) / s) + 1, kMaxTickCount);
    }
    return true;
}

void CAxesEnt::ScaleTickLengths(CDC* pDC, int* lengths, int count, bool bHorizontal,
                                CSize& spacing)
{
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    spacing = CSize((int)(0.125 * dpiX), (int)(0.125 * dpiY));
    for (int i = 0; i < count; ++i)
        lengths[i] = bHorizontal ? (int)(lengths[i] * dpiX * 0.08 / 7)
                                 : (int)(lengths[i] * dpiY * 0.08 / 5);
}

void CAxesEnt::Draw(CDC* pDC, CViewContext* pView)
{
    if (pDC == nullptr || pView == nullptr)
        return;
    const bool printing = pDC->IsPrinting() != FALSE;
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    const int bandW = (int)(dpiX * m_dBandWidth), bandH = (int)(dpiY * m_dBandHeight);
    const CPoint origin = DrawingOrigin(pDC, pView);
    const int x0 = origin.x, y0 = origin.y;
    const CSize extent = pView->GetDeviceExtent();
    const int w = extent.cx, h = extent.cy;
    const COLORREF oldBack = pDC->GetBkColor();

    if (m_bShowRulers) {
        const COLORREF fill = (pView->GetColourMode() == COLOUR_GREY || printing)
                                  ? RGB(255, 255, 255)
                                  : ::GetSysColor(COLOR_BTNFACE);
        CBrush brush(fill);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
        pDC->Rectangle(x0, y0, x0 + bandW, y0 + h);
        pDC->Rectangle(x0, y0 + h - bandH, x0 + w + 1, y0 + h + 1);
        if (pOldPen)
            pDC->SelectObject(pOldPen);
        if (pOldBrush)
            pDC->SelectObject(pOldBrush);
    }

    pDC->SetBkColor(oldBack);
    CPen* pOldPen = pDC->GetCurrentPen();
    const int oldMode = pDC->SetBkMode(TRANSPARENT);

    if (m_bShowRulers && !printing) {
        CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CPen highlight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->SelectObject(&shadow);
        pDC->MoveTo(x0 + bandW - 1, y0);
        pDC->LineTo(x0 + bandW - 1, y0 + h - bandH + 1);
        pDC->LineTo(x0 + w, y0 + h - bandH + 1);
        pDC->SelectObject(&highlight);
        pDC->MoveTo(x0, y0);
        pDC->LineTo(x0, y0 + h - 1);
        if (pOldPen)
            pDC->SelectObject(pOldPen);
    }
    if (m_bShowRulers) {
        pDC->SelectStockObject(BLACK_PEN);
        pDC->MoveTo(x0 + bandW, y0);
        pDC->LineTo(x0 + bandW, y0 + h - bandH);
        pDC->LineTo(x0 + w, y0 + h - bandH);
        if (printing) {
            pDC->MoveTo(x0 + bandW, y0 + 1);
            pDC->LineTo(x0 + 1, y0 + 1);
            pDC->LineTo(x0 + 1, y0 + h - 2);
            pDC->LineTo(x0 + w - 2, y0 + h - 2);
            pDC->LineTo(x0 + w - 2, y0 + h - bandH - 1);
        }
    }

    CVector2D minimum, maximum, step;
    int counts[2] = {0, 0};
    if (m_nStyle == RULER_STYLE_ROUNDED && ComputeRulerTicks(pDC, pView, minimum, maximum, step, counts)) {
        const int subdivisions = GetSubdivisions();
        int patternX[10], patternY[10];
        std::copy(GetTickPattern(), GetTickPattern() + subdivisions, patternX);
        std::copy(GetTickPattern(), GetTickPattern() + subdivisions, patternY);
        CSize spacing(10, 10);
        if (printing) {
            ScaleTickLengths(pDC, patternX, subdivisions, true, spacing);
            ScaleTickLengths(pDC, patternY, subdivisions, false, spacing);
        }
        const int fontHeight = -(dpiY * 8 / 72);
        CFont vertical, horizontal;
        vertical.CreateFont(fontHeight, 0, 900, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                            OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH, "Arial");
        horizontal.CreateFont(fontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                              OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, "Arial");
        CFont* pOldFont = pDC->SelectObject(&vertical);
        const UINT oldAlign = pDC->SetTextAlign(TA_CENTER | TA_TOP);
        char label[64];
        {
            CAttribDCGuard guard(pView->IsClipboardRender() ? pView : nullptr);
            const int limit = y0 + h - bandH;
            for (int k = 0; k < counts[1]; ++k) {
                const double value = minimum.y + k * step.y;
                const CPoint p = pView->WorldToDevice(0, value);
                const CPoint q = pView->WorldToDevice(0, value + step.y);
                if (y0 < p.y && p.y < limit) {
                    FormatTickLabel(label, sizeof label, value, step.y);
                    // A number is shown whole or not at all: one centred on a
                    // tick near an end of the band would be cut by the window,
                    // or run into the margin on paper.
                    const int half = (pDC->GetTextExtent(label).cx + 1) / 2;
                    if (y0 <= p.y - half && p.y + half <= y0 + h)
                        pDC->TextOut(x0, p.y, label, (int)strlen(label));
                }
                for (int i = 0; i < subdivisions; ++i) {
                    const int t = p.y + (int)((double)(q.y - p.y) * i / subdivisions);
                    if (y0 < t && t < limit) {
                        pDC->MoveTo(x0 + bandW - 2, t);
                        pDC->LineTo(x0 + bandW - 2 - patternY[i], t);
                    }
                }
            }
        }
        pDC->SelectObject(&horizontal);
        pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
        {
            CAttribDCGuard guard(pView->IsClipboardRender() ? pView : nullptr);
            const int left = x0 + bandW, right = x0 + w, top = y0 + h - bandH + 2;
            for (int k = 0; k < counts[0]; ++k) {
                const double value = minimum.x + k * step.x;
                const CPoint p = pView->WorldToDevice(value, 0);
                const CPoint q = pView->WorldToDevice(value + step.x, 0);
                if (left < p.x && p.x < right) {
                    FormatTickLabel(label, sizeof label, value, step.x);
                    const int half = (pDC->GetTextExtent(label).cx + 1) / 2;
                    if (x0 <= p.x - half && p.x + half <= right)
                        pDC->TextOut(p.x, y0 + h, label, (int)strlen(label));
                }
                for (int i = 0; i < subdivisions; ++i) {
                    const int u = p.x + (int)((double)(q.x - p.x) * i / subdivisions);
                    if (left < u && u < right) {
                        pDC->MoveTo(u, top);
                        pDC->LineTo(u, top + patternX[i]);
                    }
                }
            }
        }
        pDC->SetTextAlign(oldAlign);
        if (pOldFont)
            pDC->SelectObject(pOldFont);
    }
    pDC->SetBkMode(oldMode);
    if (pOldPen)
        pDC->SelectObject(pOldPen);
}

void CAxesEnt::DrawCursorMarks(CWnd* pWnd, int x, int y, CPoint& last)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr)
        return;
    const CSize band = GetRulerSize(pWnd);
    RECT client;
    ::GetClientRect(hWnd, &client);
    HDC hdc = ::GetDC(hWnd);
    if (hdc == nullptr)
        return;
    // Inverting: drawing a mark again where it stands takes it away.
    HPEN pen = ::CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    const int oldMode = ::SetBkMode(hdc, OPAQUE);
    const COLORREF oldBack = ::SetBkColor(hdc, RGB(255, 255, 255));
    const int oldRop = ::SetROP2(hdc, R2_NOT);
    auto marks = [&](int mx, int my) {
        if (my != INT_MAX) {
            ::MoveToEx(hdc, 0, my, nullptr);
            ::LineTo(hdc, band.cx, my);
        }
        if (mx != INT_MAX) {
            ::MoveToEx(hdc, mx, client.bottom, nullptr);
            ::LineTo(hdc, mx, client.bottom - band.cy);
        }
    };
    marks(last.x, last.y);
    marks(x, y);
    last = CPoint(x, y);
    ::SetROP2(hdc, oldRop);
    ::SetBkColor(hdc, oldBack);
    ::SetBkMode(hdc, oldMode);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(pen);
    ::ReleaseDC(hWnd, hdc);
}

void CAxesEnt::ForgetCoveredCursorMarks(CPoint& last, CDC* pDC, CViewContext* pView)
{
    if (pDC == nullptr || pView == nullptr)
        return;
    CRect clip;
    pDC->GetClipBox(&clip);
    const CSize band = GetRulerSizeOnDC(pDC);
    const CRect device = pView->GetDeviceRect();
    auto inside = [&](int px, int py) { return clip.PtInRect(CPoint(px, py)) != FALSE; };
    if (last.y != INT_MAX && (inside(0, last.y) || inside(band.cx, last.y)))
        last.y = INT_MAX;
    if (last.x != INT_MAX &&
        (inside(last.x, device.bottom) || inside(last.x, device.bottom - band.cy)))
        last.x = INT_MAX;
}
