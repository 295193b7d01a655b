// The printing, colour-mode, rubber-band and label-style half of CViewContext.
#include "geometry/ViewContext.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include "framework/RegistryAccess.h"
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"

namespace {

const CRect kNoRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX);

bool IsPrintingDC(CDC* pDC)
{
    return pDC != nullptr && pDC->IsPrinting();
}

} // namespace

// ---- sizes on screen and paper -----------------------------------------

int CViewContext::PrinterLineWidth(CDC* pDC, int width) const
{
    if (!IsPrintingDC(pDC))
        return width;
    return (int)((double)pDC->GetDeviceCaps(LOGPIXELSX) * width / m_nScreenLogPixelsX + 0.5);
}

double CViewContext::PrinterScale(CDC* pDC) const
{
    if (!IsPrintingDC(pDC))
        return 1.0;
    return (double)pDC->GetDeviceCaps(LOGPIXELSX) / m_nScreenLogPixelsX;
}

CSize CViewContext::InchesToPixels(CDC* pDC, double x, double y) const
{
    if (pDC == nullptr)
        return CSize(10, 10);
    return CSize((int)(x * pDC->GetDeviceCaps(LOGPIXELSX)),
                 (int)(y * pDC->GetDeviceCaps(LOGPIXELSY)));
}

CSize CViewContext::MillimetresToPixels(CDC* pDC, double x, double y) const
{
    return InchesToPixels(pDC, x / 25.4, y / 25.4);
}

CVector2D CViewContext::InchesToWorld(CDC* pDC, double x, double y) const
{
    const CSize px = InchesToPixels(pDC, x, y);
    const CVector2D a = DeviceToWorld(px.cx, px.cy);
    const CVector2D b = DeviceToWorld(0, 0);
    return CVector2D(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
}

CVector2D CViewContext::MillimetresToWorld(CDC* pDC, double x, double y) const
{
    return InchesToWorld(pDC, x / 25.4, y / 25.4);
}

CVector2D CViewContext::GetPaperUnitSize(CDC* pDC) const
{
    return m_bPaperMetric ? MillimetresToWorld(pDC, 1000, 1000) : InchesToWorld(pDC, 12, 12);
}

void CViewContext::ApplyPaperScale(CDC* pDC)
{
    if (!m_bPaperScaleMode)
        return;
    // One paper unit: a metre when metric, a foot otherwise.
    const CSize unit = m_bPaperMetric ? MillimetresToPixels(pDC, 1000, 1000)
                                      : InchesToPixels(pDC, 12, 12);
    if (unit.cx <= 0 || unit.cy <= 0)
        return;
    const double w = (double)m_nDeviceWidth / unit.cx;
    const double h = (double)m_nDeviceHeight / unit.cy;
    SetWorldExtent(w * m_dPaperScale, h * m_dPaperScale);
}

// ---- colour modes ---------------------------------------------------------

void CViewContext::SetColourMode(int mode)
{
    if (mode >= COLOUR_NORMAL && mode <= COLOUR_FADED)
        m_nColourMode = mode;
}

COLORREF CViewContext::GetDisplayColour(COLORREF colour, bool bKeepWhite) const
{
    switch (m_nColourMode) {
    case COLOUR_BLACK_WHITE:
        return (colour == 0xFFFFFF || bKeepWhite) ? 0xFFFFFF : 0;
    case COLOUR_GREY: {
        const double r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
        const unsigned grey = (unsigned)(int)(r * 0.30 + g * 0.59 + b * 0.11) & 0xFF;
        return grey * 0x010101;
    }
    case COLOUR_FADED:
        return FadeColour(colour, 0.85);
    default:
        return colour;
    }
}

COLORREF FadeColour(COLORREF colour, double minLightness)
{
    double h, s, l;
    RgbToHls(colour, h, s, l);
    if (l < minLightness)
        l = minLightness;
    return HlsToRgb(h, s, l);
}

void RgbToHls(COLORREF colour, double& hue, double& saturation, double& lightness)
{
    const double r = GetRValue(colour) / 255.0;
    const double g = GetGValue(colour) / 255.0;
    const double b = GetBValue(colour) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    lightness = (mx + mn) / 2;
    hue = saturation = 0;
    if (lightness <= 0)
        return;
    const double delta = mx - mn;
    saturation = delta;
    if (delta <= 0)
        return;
    saturation = lightness <= 0.5 ? delta / (mx + mn) : delta / (2 - mx - mn);
    const double rc = (mx - r) / delta, gc = (mx - g) / delta, bc = (mx - b) / delta;
    if (r == mx)
        hue = (g != mn) ? 1 - gc : 5 + bc;
    else if (g == mx)
        hue = (b != mn) ? 3 - bc : 1 + rc;
    else
        hue = (r != mn) ? 5 - rc : 3 + gc;
    hue /= 6;
    if (hue == 1)
        hue = 0;
}

COLORREF HlsToRgb(double hue, double saturation, double lightness)
{
    if (hue == 1.0)
        hue = 0;
    const double l = lightness, s = saturation;
    const double v = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0)
        return 0;
    const double m = 2 * l - v;
    const int sextant = (int)(hue * 6);
    const double fraction = hue * 6 - sextant;
    const double vsf = v * ((v - m) / v) * fraction;
    const double mid1 = m + vsf, mid2 = v - vsf;
    double r, g, b;
    switch (sextant) {
    case 0: r = v; g = mid1; b = m; break;
    case 1: r = mid2; g = v; b = m; break;
    case 2: r = m; g = v; b = mid1; break;
    case 3: r = m; g = mid2; b = v; break;
    case 4: r = mid1; g = m; b = v; break;
    default: r = v; g = m; b = mid2; break;
    }
    return RGB((BYTE)(int)(r * 255), (BYTE)(int)(g * 255), (BYTE)(int)(b * 255));
}

// ---- rubber band ------------------------------------------------------------

CRect CViewContext::TrackRubberBand(int event, CDC* pDC, CWnd* pWnd, int x, int y)
{
    switch (event) {
    case 401:
        m_rubberStart = CPoint(x, y);
        m_bRubberArmed = true;
        return kNoRect;
    case 405:
        if (!m_bRubberArmed)
            return kNoRect;
        if (m_bRubberDragging) {
            m_rubberLast = m_rubberCurrent;
            m_rubberCurrent = CRect(m_rubberStart.x, m_rubberStart.y, x, y);
            m_rubberCurrent.NormalizeRect();
            if (pDC)
                pDC->DrawDragRect(&m_rubberCurrent, CSize(1, 1), &m_rubberLast, CSize(1, 1));
        } else if (std::abs(x - m_rubberStart.x) > 12 || std::abs(y - m_rubberStart.y) > 12) {
            m_bRubberDragging = true;
            if (pWnd && ::GetCapture() != pWnd->GetSafeHwnd())
                ::SetCapture(pWnd->GetSafeHwnd());
            m_rubberCurrent = m_rubberLast =
                CRect(m_rubberStart.x, m_rubberStart.y, m_rubberStart.x, m_rubberStart.y);
        }
        return kNoRect;
    case 402: {
        m_bRubberArmed = false;
        if (!m_bRubberDragging)
            return CRect(m_rubberStart.x, m_rubberStart.y, m_rubberStart.x, m_rubberStart.y);
        m_bRubberDragging = false;
        if (pWnd) {
            const HWND hWnd = pWnd->GetSafeHwnd();
            if (hWnd && ::GetCapture() == hWnd)
                ::ReleaseCapture();
            if (hWnd)
                ::InvalidateRect(hWnd, nullptr, TRUE);
        }
        CRect result(m_rubberStart.x, m_rubberStart.y, x, y);
        result.NormalizeRect();
        return result;
    }
    default:
        return kNoRect;
    }
}

// ---- clipboard guard --------------------------------------------------------

CAttribDCGuard::CAttribDCGuard(CViewContext* pView) : m_pView(pView), m_hSavedAttrib(nullptr)
{
    if (m_pView && m_pView->IsClipboardRender() && m_pView->GetDC()) {
        m_hSavedAttrib = m_pView->GetDC()->m_hAttribDC;
        m_pView->GetDC()->m_hAttribDC = nullptr;
    }
}

CAttribDCGuard::~CAttribDCGuard()
{
    if (m_hSavedAttrib && m_pView && m_pView->GetDC())
        m_pView->GetDC()->m_hAttribDC = m_hSavedAttrib;
}

// ---- label style ------------------------------------------------------------

void CViewContext::GetLabelFormat(int& decimals, COLORREF& text, COLORREF& back,
                                  int& transparent) const
{
    decimals = m_nDecimals;
    text = m_crLabelText;
    back = m_crLabelBack;
    transparent = m_bLabelTransparent;
}

void CViewContext::SetLabelFormat(int decimals, COLORREF text, COLORREF back, int transparent)
{
    m_nDecimals = decimals;
    m_crLabelText = text;
    m_crLabelBack = back;
    m_bLabelTransparent = transparent;
}

void CViewContext::SaveLabelStyle(const CString& keyPath) const
{
    CRegistryAccess reg;
    if (!reg.SetRootKey(HKEY_CURRENT_USER) || !reg.SetKey(keyPath, TRUE, KEY_ALL_ACCESS))
        return;
    reg.WriteString("fontface", m_strFontFace);
    reg.WriteInt("fontsize", m_nFontSize);
    reg.WriteInt("num decimals", m_nDecimals);
    reg.WriteColour("fgcolor", m_crLabelText);
    reg.WriteColour("bkcolor", m_crLabelBack);
    reg.WriteBool("transparent", m_bLabelTransparent);
    reg.WriteBool("show", m_bShowLabels);
    reg.WriteBool("show vertex", m_bShowVertexLabels);
}

bool CViewContext::LoadLabelStyle(const CString& keyPath)
{
    CRegistryAccess reg;
    if (!reg.SetRootKey(HKEY_CURRENT_USER) || !reg.SetKey(keyPath, FALSE, KEY_ALL_ACCESS))
        return false;
    m_strFontFace = reg.ReadString("fontface", "Arial");
    m_nFontSize = reg.ReadInt("fontsize", 9);
    m_nDecimals = reg.ReadInt("num decimals", 3);
    m_crLabelText = reg.ReadColour("fgcolor", 0);
    m_crLabelBack = reg.ReadColour("bkcolor", 0xFFFFFF);
    m_bLabelTransparent = reg.ReadBool("transparent", FALSE);
    m_bShowLabels = reg.ReadBool("show", FALSE) != 0;
    m_bShowVertexLabels = reg.ReadBool("show vertex", FALSE) != 0;
    return true;
}

void CViewContext::VerifyRect() const
{
    ::MessageBoxA(nullptr, "Verify rect should not be called in release builds", nullptr, MB_OK);
}
