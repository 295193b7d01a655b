// The mapping, zoom and pan half of CViewContext.
#include "geometry/ViewContext.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"

namespace {

// The largest device coordinate handed to GDI either way. World coordinates
// are mapped exactly (survey coordinates run to the millions); only the
// pixels are kept within what every device can draw.
const double kDeviceClamp = 300000.0;
// Without the limit, segments are still cut within the int range, which a
// conversion could not leave.
const double kDeviceLimit = 2147483000.0;
const int kNearPixels = 11;
const int kPickPixels = 6;

HWND HandleOf(CWnd* pWnd)
{
    return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}

void CaptureFor(HWND hWnd)
{
    if (hWnd && ::GetCapture() != hWnd)
        ::SetCapture(hWnd);
}

void ReleaseCaptureOf(HWND hWnd)
{
    if (hWnd && ::GetCapture() == hWnd)
        ::ReleaseCapture();
}

void InvalidateWindow(HWND hWnd, bool bErase)
{
    if (hWnd)
        ::InvalidateRect(hWnd, nullptr, bErase);
}

// A device coordinate from a double: clamped when asked, and never outside
// the int range, which a conversion could not represent.
int ToDevice(double v, bool bClamp)
{
    if (std::isnan(v))
        return 0;
    if (bClamp)
        v = std::clamp(v, -kDeviceClamp, kDeviceClamp);
    else if (!(v > INT_MIN))
        v = INT_MIN;
    else if (!(v < INT_MAX))
        v = INT_MAX;
    return (int)v;
}

} // namespace

CViewContext::CViewContext()
    : m_clientTopLeft(DBL_MAX, DBL_MAX), m_clientBottomRight(DBL_MAX, DBL_MAX),
      m_printRect(0, 0, 0, 0), m_bClipboardRender(false), m_strFontFace("Arial"),
      m_nFontSize(9), m_nDecimals(3), m_crLabelText(0), m_crLabelBack(0xFFFFFF),
      m_bLabelTransparent(0), m_bShowLabels(false), m_bShowVertexLabels(false),
      m_bShowCursorTip(false), m_nLabelOption(1), m_labelRect(0, 0, 0, 0),
      m_bInitialised(false), m_bWorldOriginSet(false), m_bWorldExtentSet(false),
      m_bDeviceOriginSet(false), m_bDeviceExtentSet(false), m_bClamp(true),
      m_bVertexPickOption(false), m_nColourMode(COLOUR_NORMAL), m_bIsotropic(true),
      m_dSizeFactor(1.0), m_pOwnerView(nullptr), m_dWorldWidth(1.0), m_dNegWorldHeight(1.0),
      m_dNegOriginX(1.0), m_dNegOriginY(1.0), m_dScaleX(1.0), m_dScaleY(1.0),
      m_dInvScaleX(1.0), m_dInvScaleY(1.0), m_nDeviceWidth(1), m_nDeviceHeight(1),
      m_nDeviceOriginX(1), m_nDeviceOriginY(1), m_rubberStart(0, 0), m_bRubberDragging(false),
      m_bRubberArmed(false), m_bZoomActive(false), m_zoomStart(0, 0), m_dynStart(0, 0),
      m_bDynActive(false), m_dynWindow{0, 0, 0, 0}, m_bPanActive(false), m_panOrigin(0, 0),
      m_panAnchor(0, 0), m_savedExtent(1, 1), m_savedOrigin(0, 0), m_savedDeviceExtent(1, 1),
      m_savedDeviceOrigin(0, 0), m_bPaperScaleMode(false), m_bPaperMetric(true),
      m_dPaperScale(10.0), m_dBaseSizeFactor(1.0), m_pDC(nullptr), m_bFixedSize(false),
      m_nDrawCategory(20), m_nPickMode(118), m_lastCursor(INT_MAX, INT_MAX), m_bMetric(true),
      m_nScreenLogPixelsX(96)
{
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen) {
        m_nScreenLogPixelsX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
        ::ReleaseDC(nullptr, hScreen);
    }
    if (m_nScreenLogPixelsX < 1)
        m_nScreenLogPixelsX = 96;
}

void CViewContext::UpdateInitialised()
{
    if (m_bWorldOriginSet && m_bWorldExtentSet && m_bDeviceOriginSet && m_bDeviceExtentSet)
        m_bInitialised = true;
}

void CViewContext::SetWorldOrigin(double x, double y)
{
    m_dNegOriginX = -x;
    m_dNegOriginY = -y;
    m_bWorldOriginSet = true;
    UpdateInitialised();
}

void CViewContext::SetWorldExtent(double width, double height)
{
    if (width != 0 && height != 0) {
        m_dWorldWidth = width;
        m_dNegWorldHeight = -height;
        RecalcScales();
    }
    m_bWorldExtentSet = true;
    UpdateInitialised();
}

void CViewContext::SetDeviceOrigin(int x, int y)
{
    m_nDeviceOriginX = x;
    m_nDeviceOriginY = y;
    m_bDeviceOriginSet = true;
    UpdateInitialised();
}

void CViewContext::SetDeviceExtent(int width, int height)
{
    if (width != 0 && height != 0) {
        m_nDeviceWidth = width;
        m_nDeviceHeight = height;
        RecalcScales();
    }
    m_bDeviceExtentSet = true;
    UpdateInitialised();
}

CRect CViewContext::GetDeviceRect() const
{
    return CRect(m_nDeviceOriginX, m_nDeviceOriginY, m_nDeviceOriginX + m_nDeviceWidth,
                 m_nDeviceOriginY + m_nDeviceHeight);
}

void CViewContext::SetIsotropic(bool bIsotropic)
{
    m_bIsotropic = bIsotropic;
    RecalcScales();
}

void CViewContext::RecalcScales()
{
    m_dScaleX = m_nDeviceWidth / m_dWorldWidth;
    m_dScaleY = m_nDeviceHeight / m_dNegWorldHeight;
    m_dInvScaleX = m_dWorldWidth / m_nDeviceWidth;
    m_dInvScaleY = m_dNegWorldHeight / m_nDeviceHeight;
    if (!m_bIsotropic)
        return;
    if (std::fabs(m_dScaleY) >= std::fabs(m_dScaleX)) {
        if (m_dScaleX >= 0) {
            m_dScaleY = -m_dScaleX;
            m_dInvScaleY = -m_dInvScaleX;
        } else {
            m_dScaleY = m_dScaleX;
            m_dInvScaleY = m_dInvScaleX;
        }
    } else {
        if (m_dScaleY >= 0) {
            m_dScaleX = m_dScaleY;
            m_dInvScaleX = m_dInvScaleY;
        } else {
            m_dScaleX = -m_dScaleY;
            m_dInvScaleX = -m_dInvScaleY;
        }
    }
}

CPoint CViewContext::WorldToDevice(double x, double y) const
{
    return DeviceOffsetToPoint(WorldToDeviceOffset(x, y));
}

CPoint CViewContext::DeviceOffsetToPoint(const CClipPoint& p) const
{
    const double px = m_nDeviceOriginX + std::trunc(p.x);
    const double py = m_nDeviceOriginY + std::trunc(p.y);
    return CPoint(ToDevice(px, m_bClamp), ToDevice(py, m_bClamp));
}

CClipBox CViewContext::DeviceOffsetBox() const
{
    const double limit = m_bClamp ? kDeviceClamp : kDeviceLimit;
    return {-limit - m_nDeviceOriginX, -limit - m_nDeviceOriginY, limit - m_nDeviceOriginX,
            limit - m_nDeviceOriginY};
}

bool CViewContext::MapSegment(double x1, double y1, double x2, double y2, CPoint& a, CPoint& b) const
{
    CClipPoint p = WorldToDeviceOffset(x1, y1), q = WorldToDeviceOffset(x2, y2);
    if (!ClipSegmentToBox(p, q, DeviceOffsetBox()))
        return false;
    a = DeviceOffsetToPoint(p);
    b = DeviceOffsetToPoint(q);
    return true;
}

void CViewContext::DrawSegment(CDC* pDC, double x1, double y1, double x2, double y2) const
{
    CPoint a, b;
    if (pDC && MapSegment(x1, y1, x2, y2, a, b)) {
        pDC->MoveTo(a);
        pDC->LineTo(b);
    }
}

void CViewContext::MapPolygon(const CVector2D* points, int count, std::vector<POINT>& out)
{
    out.clear();
    if (!points || count < 1)
        return;
    m_clipIn.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        m_clipIn[static_cast<size_t>(i)] = WorldToDeviceOffset(points[i].x, points[i].y);
    ClipPolygonToBox(m_clipIn, DeviceOffsetBox(), m_clipOut, m_clipScratch);
    out.reserve(m_clipOut.size());
    for (const CClipPoint& p : m_clipOut)
        out.push_back(DeviceOffsetToPoint(p));
}

CVector2D CViewContext::DeviceToWorld(int x, int y) const
{
    return CVector2D((double)(x - m_nDeviceOriginX) * m_dInvScaleX - m_dNegOriginX,
                     (double)(y - m_nDeviceOriginY) * m_dInvScaleY - m_dNegOriginY);
}

CVector2D CViewContext::DeviceToWorldExact(double x, double y) const
{
    return CVector2D((x - m_nDeviceOriginX) * m_dInvScaleX - m_dNegOriginX,
                     (y - m_nDeviceOriginY) * m_dInvScaleY - m_dNegOriginY);
}

void CViewContext::GetWorldWindow(double& left, double& bottom, double& right, double& top) const
{
    left = -m_dNegOriginX;
    top = -m_dNegOriginY;
    right = left + m_dWorldWidth;
    bottom = top + m_dNegWorldHeight;
}

CViewContext::WorldRect CViewContext::GetWorldWindowRect() const
{
    WorldRect r;
    GetWorldWindow(r.left, r.bottom, r.right, r.top);
    return r;
}

void CViewContext::SetWorldWindow(double x1, double y1, double x2, double y2)
{
    SetWorldOrigin(std::min(x1, x2), std::max(y1, y2));
    SetWorldExtent(std::max(x1, x2) - std::min(x1, x2), std::max(y1, y2) - std::min(y1, y2));
}

void CViewContext::GetPickBox(int x, int y, CVector2D& corner1, CVector2D& corner2) const
{
    corner1 = DeviceToWorld(x - kPickPixels, y - kPickPixels);
    corner2 = DeviceToWorld(x + kPickPixels, y + kPickPixels);
}

CViewContext::WorldRect CViewContext::GetPickRect(int x, int y) const
{
    CVector2D a, b;
    GetPickBox(x, y, a, b);
    return {std::min(a.x, b.x), std::max(a.y, b.y), std::max(a.x, b.x), std::min(a.y, b.y)};
}

void CViewContext::GetClipWorldBox(CDC* pDC, CVector2D& topLeft, CVector2D& bottomRight) const
{
    CRect clip(0, 0, 0, 0);
    if (pDC)
        pDC->GetClipBox(&clip);
    topLeft = DeviceToWorld(clip.left - 33, clip.top - 33);
    bottomRight = DeviceToWorld(clip.right + 33, clip.bottom + 33);
}

bool CViewContext::IsNearDevicePoint(const CVector2D& p, int x, int y) const
{
    const CPoint d = WorldToDevice(p);
    return std::abs(d.x - x) <= kNearPixels && std::abs(d.y - y) <= kNearPixels;
}

bool CViewContext::ArePointsNear(const CVector2D& a, const CVector2D& b) const
{
    const CPoint da = WorldToDevice(a);
    return IsNearDevicePoint(b, da.x, da.y);
}

double CViewContext::GetPickRadius() const
{
    return DeviceToWorld(0, 0).DistanceTo(DeviceToWorld(12, 12));
}

double CViewContext::PixelsToWorldLength(int n) const
{
    return DeviceToWorld(n, 0).x - DeviceToWorld(0, 0).x;
}

bool CViewContext::IsBoxInside(const double a[4], const double b[4])
{
    // Boxes as left, top, right, bottom.
    auto inside = [&](double x, double y) {
        return b[0] <= x && x <= b[2] && b[3] <= y && y <= b[1];
    };
    return inside(a[0], a[1]) && inside(a[2], a[3]);
}

bool CViewContext::BoxesOverlap(double a1, double a2, double a3, double a4,
                                double b1, double b2, double b3, double b4)
{
    return a3 <= b1 && a1 >= b3 && a2 <= b4 && a4 >= b2;
}

bool IsPointInBox(double x, double y, double px, double py, double qx, double qy)
{
    return px <= x && x <= qx && qy <= y && y <= py;
}

// ---- zoom -----------------------------------------------------------------

CRect CViewContext::ClientRectLessMargin(CWnd* pView, const RECT* margin) const
{
    CRect rc(0, 0, 0, 0);
    if (HWND hWnd = HandleOf(pView))
        ::GetClientRect(hWnd, &rc);
    if (margin) {
        rc.left += margin->left;
        rc.bottom -= margin->bottom;
    }
    return rc;
}

void CViewContext::ScaleWindowAboutCentre(double& left, double& bottom, double& right,
                                          double& top, double f) const
{
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    left = cx - (cx - left) * f;
    right = cx - (cx - right) * f;
    top = cy - (cy - top) * f;
    bottom = cy - (cy - bottom) * f;
}

void CViewContext::ZoomIn(CWnd* pView, double factor, const RECT* margin)
{
    if (m_bPaperScaleMode)
        return;
    ZoomAboutCentre(pView, factor, margin);
}

void CViewContext::ZoomOut(CWnd* pView, double factor, const RECT* margin)
{
    if (m_bPaperScaleMode)
        return;
    ZoomAboutCentre(pView, factor, margin);
}

void CViewContext::ZoomAboutCentre(CWnd* pView, double factor, const RECT* margin)
{
    const CRect rc = ClientRectLessMargin(pView, margin);
    if (rc.bottom < 5 || rc.right < 5)
        return;
    const CVector2D tl = DeviceToWorld(rc.left, rc.top);
    const CVector2D br = DeviceToWorld(rc.right, rc.bottom);
    double left = tl.x, top = tl.y, right = br.x, bottom = br.y;
    ScaleWindowAboutCentre(left, bottom, right, top, factor);
    SetWorldWindow(left, top, right, bottom);
    if (margin) {
        const CVector2D a = DeviceToWorld(margin->left, -margin->bottom);
        const CVector2D b = DeviceToWorld(0, 0);
        const CVector2D v(a.x - b.x, a.y - b.y);
        const CVector2D extent = GetWorldExtent();
        SetWorldExtent(extent.x + v.x, extent.y + v.y);
        const CVector2D origin = GetWorldOrigin();
        SetWorldOrigin(origin.x - v.x, origin.y);
    }
}

void CViewContext::OnMouseWheel(CWnd* pView, short delta, const RECT* margin)
{
    if (m_bPaperScaleMode)
        return;
    const double factor = std::pow(0.9, delta / 120.0);
    if (delta > 0)
        ZoomIn(pView, factor, margin);
    else if (delta < 0)
        ZoomOut(pView, factor, margin);
}

// Centres a world window of the given size in the client area, in the
// direction that has room to spare.
void CViewContext::CentreWindowInClient(CWnd* pView, const RECT* margin, double width,
                                        double height)
{
    const CRect rc = ClientRectLessMargin(pView, margin);
    const CVector2D tl = DeviceToWorld(rc.left, rc.top);
    const CVector2D br = DeviceToWorld(rc.right, rc.bottom);
    const double slackX = (br.x - tl.x) - width;
    const double slackY = (tl.y - br.y) - height;
    CVector2D origin = GetWorldOrigin();
    if (slackY > slackX)
        origin.y += slackY / 2;
    else
        origin.x -= slackX / 2;
    SetWorldOrigin(origin.x, origin.y);
}

void CViewContext::ZoomToWindow(double x1, double y1, double x2, double y2, CWnd* pView,
                                const RECT* margin, bool bZoomOut)
{
    double ox = x1, oy = y1;
    double width = x2 - x1, height = y1 - y2;
    if (std::fabs(width) < FLT_MIN) {
        width = 20;
        ox -= 10;
    }
    if (std::fabs(height) < FLT_MIN) {
        height = 20;
        oy += 10;
    }
    SetWorldOrigin(ox, oy);
    SetWorldExtent(width, height);
    if (margin) {
        const CVector2D a = DeviceToWorld(margin->left, -margin->bottom);
        const CVector2D b = DeviceToWorld(0, 0);
        width += a.x - b.x;
        height += a.y - b.y;
        SetWorldExtent(width, height);
        SetWorldOrigin(ox - (a.x - b.x), oy);
    }
    CentreWindowInClient(pView, margin, width, height);
    if (bZoomOut)
        ZoomAboutCentre(pView, 1 / 0.9, nullptr);
}

void CViewContext::OnSize(int width, int height)
{
    const CVector2D before = DeviceToWorldExact(m_nDeviceOriginX + m_nDeviceWidth / 2.0,
                                                m_nDeviceOriginY + m_nDeviceHeight / 2.0);
    SetDeviceExtent(width, height);
    const CVector2D after = DeviceToWorldExact(m_nDeviceOriginX + m_nDeviceWidth / 2.0,
                                               m_nDeviceOriginY + m_nDeviceHeight / 2.0);
    const CVector2D origin = GetWorldOrigin();
    SetWorldOrigin(origin.x + before.x - after.x, origin.y + before.y - after.y);
}

void CViewContext::SaveView()
{
    m_savedExtent = GetWorldExtent();
    m_savedOrigin = GetWorldOrigin();
    m_savedDeviceExtent = CPoint(m_nDeviceWidth, m_nDeviceHeight);
    m_savedDeviceOrigin = CPoint(m_nDeviceOriginX, m_nDeviceOriginY);
}

void CViewContext::RestoreView()
{
    SetDeviceOrigin(m_savedDeviceOrigin.x, m_savedDeviceOrigin.y);
    SetDeviceExtent(m_savedDeviceExtent.x, m_savedDeviceExtent.y);
    SetWorldOrigin(m_savedOrigin.x, m_savedOrigin.y);
    SetWorldExtent(m_savedExtent.x, m_savedExtent.y);
}

void CViewContext::SaveViewWithClient(CWnd* pView)
{
    const CRect rc = ClientRectLessMargin(pView, nullptr);
    m_clientTopLeft = DeviceToWorld(rc.left, rc.top);
    m_clientBottomRight = DeviceToWorld(rc.right, rc.bottom);
    SaveView();
}

// ---- trackers -------------------------------------------------------------

bool CViewContext::TrackZoomWindow(int event, CDC* pDC, CWnd* pWnd, int x, int y)
{
    const HWND hWnd = HandleOf(pWnd);
    switch (event) {
    case 302:
    case 401: {
        if (!hWnd)
            return false;
        CaptureFor(hWnd);
        if (!m_bZoomActive) {
            m_zoomCurrent = m_zoomLast = CRect(x, y, x, y);
            m_bZoomActive = true;
            m_zoomStart = DeviceToWorld(x, y);
            return false;
        }
        const CPoint s = WorldToDevice(m_zoomStart);
        if (s.x == x && s.y == y)
            return false;
        if (std::abs(x - s.x) > 5 && std::abs(y - s.y) > 5) {
            m_bZoomActive = false;
            ReleaseCaptureOf(hWnd);
            const CVector2D end = DeviceToWorld(x, y);
            SetWorldWindow(m_zoomStart.x, m_zoomStart.y, end.x, end.y);
            const CVector2D extent = GetWorldExtent();
            CentreWindowInClient(pWnd, nullptr, extent.x, extent.y);
            InvalidateWindow(hWnd, true);
            return true;
        }
        return false;
    }
    case 405:
        if (m_bZoomActive && pDC) {
            m_zoomLast = m_zoomCurrent;
            m_zoomCurrent.right = x;
            m_zoomCurrent.bottom = y;
            CRect drawNew = m_zoomCurrent, drawLast = m_zoomLast;
            drawNew.NormalizeRect();
            drawLast.NormalizeRect();
            pDC->DrawDragRect(&drawNew, CSize(1, 1), &drawLast, CSize(1, 1));
        }
        return false;
    case 301: {
        if (!m_bZoomActive)
            return true;
        if (!hWnd || !pDC)
            return false;
        ReleaseCaptureOf(hWnd);
        m_bZoomActive = false;
        CRect drawLast = m_zoomCurrent;
        drawLast.NormalizeRect();
        const CRect none(0, 0, 0, 0);
        pDC->DrawDragRect(&none, CSize(0, 0), &drawLast, CSize(1, 1));
        return true;
    }
    default:
        return false;
    }
}

bool CViewContext::TrackDynamicZoom(int event, CWnd* pWnd, int x, int y)
{
    const HWND hWnd = HandleOf(pWnd);
    switch (event) {
    case 401:
        CaptureFor(hWnd);
        if (m_bDynActive) {
            m_bDynActive = false;
        } else {
            m_dynStart = CPoint(x, y);
            m_dynClient = ClientRectLessMargin(pWnd, nullptr);
            const CVector2D tl = DeviceToWorld(m_dynClient.left, m_dynClient.top);
            const CVector2D br = DeviceToWorld(m_dynClient.right, m_dynClient.bottom);
            m_dynWindow[0] = tl.x;
            m_dynWindow[1] = br.y;
            m_dynWindow[2] = br.x;
            m_dynWindow[3] = tl.y;
            m_bDynActive = true;
        }
        return false;
    case 405:
        if (m_bDynActive && m_dynClient.Height() > 10) {
            const int dy = y - m_dynStart.y;
            const double e = std::abs(dy) * 2 / (m_dynClient.Height() * 0.5) + 1;
            const double factor = dy >= 0 ? e : 1 / e;
            double left = m_dynWindow[0], bottom = m_dynWindow[1];
            double right = m_dynWindow[2], top = m_dynWindow[3];
            ScaleWindowAboutCentre(left, bottom, right, top, factor);
            SetWorldWindow(left, top, right, bottom);
            InvalidateWindow(hWnd, false);
        }
        return false;
    case 402:
        m_bDynActive = false;
        ReleaseCaptureOf(hWnd);
        return false;
    case 301:
    case 302:
        // Cancel and done end the zoom: a flag left set would make the next
        // click end an invisible zoom instead of starting one.
        if (m_bDynActive)
            ReleaseCaptureOf(hWnd);
        m_bDynActive = false;
        return true;
    default:
        return false;
    }
}

bool CViewContext::TrackPan(int event, CWnd* pWnd, int x, int y)
{
    const HWND hWnd = HandleOf(pWnd);
    switch (event) {
    case 306:
    case 307:
    case 308:
    case 309: {
        CVector2D origin = GetWorldOrigin();
        const CVector2D extent = GetWorldExtent();
        if (event == 306)
            origin.x += 0.05 * extent.x;
        else if (event == 307)
            origin.x -= 0.05 * extent.x;
        else if (event == 308)
            origin.y -= 0.05 * extent.y;
        else
            origin.y += 0.05 * extent.y;
        SetWorldOrigin(origin.x, origin.y);
        InvalidateWindow(hWnd, false);
        return false;
    }
    case 401:
    case 406:
        CaptureFor(hWnd);
        if (m_bPanActive) {
            m_bPanActive = false;
        } else {
            m_panAnchor = DeviceToWorld(x, y);
            m_panOrigin = GetWorldOrigin();
            m_bPanActive = true;
        }
        return false;
    case 405:
        if (m_bPanActive) {
            SetWorldOrigin(m_panOrigin.x, m_panOrigin.y);
            const CVector2D w = DeviceToWorld(x, y);
            SetWorldOrigin(m_panOrigin.x + (m_panAnchor.x - w.x),
                           m_panOrigin.y + (m_panAnchor.y - w.y));
            InvalidateWindow(hWnd, false);
        }
        return false;
    case 402:
        m_bPanActive = false;
        ReleaseCaptureOf(hWnd);
        return false;
    case 301:
    case 302:
    case 407:
        if (m_bPanActive) {
            ReleaseCaptureOf(hWnd);
            m_bPanActive = false;
        }
        return true;
    default:
        return false;
    }
}

// ---- sizes and small state ---------------------------------------------

double CViewContext::GetSizeScale() const
{
    if (m_bFixedSize)
        return 1.0;
    return std::min(m_dSizeFactor * m_dBaseSizeFactor, 1.0);
}

bool CViewContext::SetFixedSize(bool bFixed)
{
    const bool previous = m_bFixedSize;
    m_bFixedSize = bFixed;
    return previous;
}

void CViewContext::ComputeFitFactor(double x1, double y1, double x2, double y2, CWnd* pView,
                                    const RECT* margin)
{
    const CRect rc = ClientRectLessMargin(pView, margin);
    if (rc.bottom < 5 || rc.right < 5) {
        m_dSizeFactor = 1.0;
        return;
    }
    const CVector2D tl = DeviceToWorld(rc.left, rc.top);
    const CVector2D br = DeviceToWorld(rc.right, rc.bottom);
    const double f = std::max(std::fabs(x1 - x2) / std::fabs(br.x - tl.x),
                              std::fabs(y1 - y2) / std::fabs(tl.y - br.y));
    m_dSizeFactor = std::min(f, 1.0);
}

int CViewContext::SetPickMode(int mode)
{
    if (mode >= 116 && mode <= 119)
        m_nPickMode = mode;
    return mode;
}

int CViewContext::SetDrawCategory(int category)
{
    const int previous = m_nDrawCategory;
    m_nDrawCategory = category;
    return previous;
}

// ---- drawing on the current device context -------------------------------

void CViewContext::DrawLine(const CVector2D& a, const CVector2D& b)
{
    DrawSegment(m_pDC, a, b);
}

void CViewContext::DrawLine(double x1, double y1, double x2, double y2)
{
    DrawLine(CVector2D(x1, y1), CVector2D(x2, y2));
}

void CViewContext::DrawPolygon(const CArray<CVector2D, const CVector2D&>& points)
{
    if (!m_pDC || points.GetSize() < 1)
        return;
    MapPolygon(points.GetData(), (int)points.GetSize(), m_pointBuffer);
    if (!m_pointBuffer.empty())
        m_pDC->Polygon(m_pointBuffer.data(), (int)m_pointBuffer.size());
}

void CViewContext::DrawPolyline(const CArray<CVector2D, const CVector2D&>& points)
{
    if (!m_pDC || points.GetSize() < 1)
        return;
    // One polyline call for each run of segments that the cutting leaves
    // joined: one call for the whole path when it lies on the device.
    const INT_PTR n = points.GetSize();
    if (m_pointBuffer.size() < static_cast<size_t>(n))
        m_pointBuffer.resize(static_cast<size_t>(n));
    const CClipBox box = DeviceOffsetBox();
    size_t run = 0;
    auto flush = [&]() {
        if (run >= 2)
            m_pDC->Polyline(m_pointBuffer.data(), static_cast<int>(run));
        run = 0;
    };
    // A run holds at most one point per point of the path.
    auto add = [&](const POINT& p) { m_pointBuffer[run++] = p; };
    CClipPoint previous = WorldToDeviceOffset(points[0].x, points[0].y);
    for (INT_PTR i = 1; i < n; ++i) {
        const CClipPoint next = WorldToDeviceOffset(points[i].x, points[i].y);
        CClipPoint a = previous, b = next;
        if (ClipSegmentToBox(a, b, box)) {
            const CPoint start = DeviceOffsetToPoint(a);
            if (run == 0 || CPoint(m_pointBuffer[run - 1]) != start) {
                flush();
                add(start);
            }
            add(DeviceOffsetToPoint(b));
        } else {
            flush();
        }
        previous = next;
    }
    flush();
}
