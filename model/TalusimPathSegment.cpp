#include "model/TalusimPathSegment.h"

#include <algorithm>
#include <cstdlib>
#include "framework/DC.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/DeviceStroke.h"
#include "geometry/LineClipper.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CTalusimPathSegment, CObject, 1)

namespace {
constexpr int kDefaultPixelStep = 4;
constexpr int kExportSteps = 21;   // 20 inner points between start and end
}  // namespace

bool CTalusimPathSegment::SetStraight(double x0, double y0, double x1, double y1, double T, double g)
{
    m_straight = 1;
    m_x0 = x0;
    m_y0 = y0;
    m_x1 = x1;
    m_y1 = y1;
    m_T = T;
    m_g = g;
    return true;
}

bool CTalusimPathSegment::SetFlight(double x0, double y0, double x1, double y1, double vx, double vy,
                                    double T, double g)
{
    m_straight = 0;
    m_x0 = x0;
    m_y0 = y0;
    m_x1 = x1;
    m_y1 = y1;
    m_vx = vx;
    m_vy = vy;
    m_T = T;
    m_g = g;
    return true;
}

void CTalusimPathSegment::GetParameters(bool& straight, double& x0, double& y0, double& x1, double& y1,
                                        double& T, double& g, double& vx, double& vy) const
{
    straight = m_straight != 0;
    x0 = m_x0;
    y0 = m_y0;
    x1 = m_x1;
    y1 = m_y1;
    T = m_T;
    g = m_g;
    vx = m_vx;
    vy = m_vy;
}

bool CTalusimPathSegment::SetPixelStep(int step)
{
    // A step below one pixel would divide by zero when the chords are counted.
    if (step < 1 || step == m_pixelStep)
        return false;
    m_pixelStep = step;
    return true;
}

double CTalusimPathSegment::GetTop() const
{
    double top = std::max(m_y0, m_y1);
    // A rising flight may peak before it ends: the apex at t = vy / g.
    if (!IsStraight() && m_vy > 0.0 && m_g > 0.0) {
        const double apexTime = m_vy / m_g;
        if (apexTime < m_T)
            top = std::max(top, m_y0 + m_vy * apexTime / 2.0);
    }
    return top;
}

CVector2D CTalusimPathSegment::GetPointAt(double t) const
{
    if (IsStraight())
        return GetStartPoint();
    return CVector2D(m_x0 + m_vx * t, m_y0 + m_vy * t - m_g * t * t / 2.0);
}

void CTalusimPathSegment::AddExportPoints(CArray<CVector2D, const CVector2D&>& points) const
{
    points.Add(GetStartPoint());
    // A straight piece repeats its start point, whatever time it stores.
    for (int i = 1; i < kExportSteps; ++i)
        points.Add(GetPointAt(i * m_T / kExportSteps));
    points.Add(GetEndPoint());
}

void CTalusimPathSegment::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_x0 << m_y0 << m_x1 << m_y1 << m_T << m_g << m_vx << m_vy;
        ar << GetLeft() << GetTop() << GetRight() << GetBottom();
        ar << m_pixelStep;
        ar << m_straight;
    } else {
        ReadFinite(ar, m_x0, m_y0, m_x1, m_y1, m_T, m_g, m_vx, m_vy);
        // The stored box is worked out again from the piece itself.
        double box[4];
        ReadFinite(ar, box[0], box[1], box[2], box[3]);
        ar >> m_pixelStep;
        BYTE straight = 0;
        ar >> straight;
        m_straight = straight != 0 ? 1 : 0;
        if (m_pixelStep < 1)
            m_pixelStep = kDefaultPixelStep;
    }
}

// ---------------------------------------------------------------------------
// Drawing and hit testing in a view

int CTalusimPathSegment::GetChordCount(const CViewContext& view) const
{
    if (IsStraight())
        return 1;
    const CPoint a = view.WorldToDevice(GetUpperLeft());
    const CPoint b = view.WorldToDevice(GetLowerRight());
    const int dx = std::abs(a.x - b.x);
    const int dy = std::abs(a.y - b.y);
    if (dx <= 3 && dy <= 3)
        return 1;
    if (view.WorldToDevice(m_x0, m_y0) == view.WorldToDevice(m_x1, m_y1))
        return 1;
    const int step = view.IsClipboardRender() ? 8 : std::max(1, m_pixelStep);
    const int m = std::max(dx, dy) / step;
    return m == 0 ? 1 : m + 1;
}

void CTalusimPathSegment::Draw(CDC* pDC, const CViewContext& view, const CVector2D& clipA,
                               const CVector2D& clipB) const
{
    // Each chord is cut to the device as a whole, so a long straight run
    // keeps its direction however far its ends lie off the view.
    CDeviceStroke stroke(pDC, view);
    stroke.MoveTo(m_x0, m_y0);
    const int n = GetChordCount(view);
    const double dt = m_T / n;
    // Long flights reaching out of the clip box draw only the chords that
    // can show; the others would cost GDI calls for nothing.
    const double box[4] = {GetLeft(), GetTop(), GetRight(), GetBottom()};
    const double clip[4] = {clipA.x, clipA.y, clipB.x, clipB.y};
    if (n >= 100 && !CViewContext::IsBoxInside(box, clip)) {
        CVector2D prev = GetStartPoint();
        for (int i = 1; i < n; ++i) {
            const CVector2D p = GetPointAt(i * dt);
            const double top = std::max(prev.y, p.y), bottom = std::min(prev.y, p.y);
            const double left = std::min(prev.x, p.x), right = std::max(prev.x, p.x);
            stroke.LineTo(p, CViewContext::BoxesOverlap(top, left, bottom, right, clipA.y, clipA.x, clipB.y,
                                                        clipB.x));
            prev = p;
        }
    } else {
        for (int i = 1; i < n; ++i)
            stroke.LineTo(GetPointAt(i * dt));
    }
    stroke.LineTo(m_x1, m_y1);
}

bool CTalusimPathSegment::CrossesRect(double top, double left, double bottom, double right,
                                      const CViewContext& view) const
{
    CLineClipper clipper;
    clipper.SetWindow(top, left, bottom, right);
    const int n = GetChordCount(view);
    const double dt = m_T / n;
    CVector2D prev = GetStartPoint();
    for (int i = 1; i < n; ++i) {
        const CVector2D p = GetPointAt(i * dt);
        clipper.SetSegmentPoints(prev, p);
        if (clipper.Clip())
            return true;
        prev = p;
    }
    clipper.SetSegmentPoints(prev, GetEndPoint());
    return clipper.Clip();
}
