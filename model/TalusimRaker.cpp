#include "model/TalusimRaker.h"

#include "engine/RandomVariables.h"
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Rect.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/ViewContext.h"
#include "model/EntityOptions.h"

IMPLEMENT_SERIAL(CTalusimRaker, CPolyLine, VERSIONABLE_SCHEMA | 3)

namespace {
constexpr int kSeederMenu = 6002;
constexpr int kSeederSubmenu = 4;
constexpr int kCrossHalfSize = 7;
constexpr int kSelectedCrossHalfSize = 9;
constexpr double kExportHalfCross = 0.5;   // a point seeder exports as a 1.0-wide cross

double SampleNormal(double mean, double sd)
{
    CNormalVariable v(mean, sd, -DBL_MAX, DBL_MAX);
    return v.Sample();
}
}  // namespace

CTalusimRaker::CTalusimRaker()
{
    SetKindId(kKindId);
    SetGroupId(kGroupLineSeeder);
    SetContextMenu(kSeederMenu, kSeederSubmenu);
    SetColour(RGB(0, 0, 255));
}

// ---------------------------------------------------------------------------
// Parameters

void CTalusimRaker::SetVelocity(double vxMean, double vyMean, double vxSd, double vySd)
{
    m_velocityMean = CVector2D(vxMean, vyMean);
    m_velocitySd = CVector2D(vxSd, vySd);
}

void CTalusimRaker::GetVelocity(double& vxMean, double& vyMean, double& vxSd, double& vySd) const
{
    vxMean = m_velocityMean.x;
    vyMean = m_velocityMean.y;
    vxSd = m_velocitySd.x;
    vySd = m_velocitySd.y;
}

void CTalusimRaker::SetMass(double mean, double sd)
{
    m_massMean = mean;
    m_massSd = sd;
}

void CTalusimRaker::GetMass(double& mean, double& sd) const
{
    mean = m_massMean;
    sd = m_massSd;
}

void CTalusimRaker::SetRadius(double mean, double sd)
{
    m_radiusMean = mean;
    m_radiusSd = sd;
}

void CTalusimRaker::GetRadius(double& mean, double& sd) const
{
    mean = m_radiusMean;
    sd = m_radiusSd;
}

void CTalusimRaker::SetAngularVelocity(double mean, double sd)
{
    m_angularMean = mean;
    m_angularSd = sd;
}

void CTalusimRaker::GetAngularVelocity(double& mean, double& sd) const
{
    mean = m_angularMean;
    sd = m_angularSd;
}

// ---------------------------------------------------------------------------
// Sampling

double CTalusimRaker::SampleMass() const
{
    return SampleNormal(m_massMean, m_massSd);
}

double CTalusimRaker::SampleAngularVelocity() const
{
    return SampleNormal(m_angularMean, m_angularSd);
}

CVector2D CTalusimRaker::SampleVelocity() const
{
    // Both variables first, then both samples: each construction takes a
    // uniform number of its own before any sample is drawn.
    CNormalVariable vx(m_velocityMean.x, m_velocitySd.x, -DBL_MAX, DBL_MAX);
    CNormalVariable vy(m_velocityMean.y, m_velocitySd.y, -DBL_MAX, DBL_MAX);
    const double x = vx.Sample();
    const double y = vy.Sample();
    return CVector2D(x, y);
}

double CTalusimRaker::GetLength() const
{
    return CPolyLine::GetLength(false);
}

CVector2D CTalusimRaker::GetStartPoint() const
{
    if (IsPointSeeder())
        return GetVertexPoint(0);
    double d = RandomInInterval(0.0, GetLength());
    for (int i = 1; i <= GetLastVertexIndex(); ++i) {
        const CVector2D a = GetVertexPoint(i - 1);
        const CVector2D b = GetVertexPoint(i);
        const double c = a.DistanceTo(b);
        if (d > c) {
            d -= c;
            continue;
        }
        // The place on the chosen segment is a draw of its own.
        const double u = RandomInInterval(0.0, 1.0);
        return CVector2D(a.x + u * (b.x - a.x), a.y + u * (b.y - a.y));
    }
    return GetVertexCount() == 0 ? CVector2D(0.0, 0.0) : GetVertexPoint(0);
}

// ---------------------------------------------------------------------------
// Entity operations

double CTalusimRaker::GetTop() const
{
    return HasRadius() ? CPolyLine::GetTop() + m_radiusMean : CPolyLine::GetTop();
}

double CTalusimRaker::GetLeft() const
{
    return HasRadius() ? CPolyLine::GetLeft() - m_radiusMean : CPolyLine::GetLeft();
}

double CTalusimRaker::GetRight() const
{
    return HasRadius() ? CPolyLine::GetRight() + m_radiusMean : CPolyLine::GetRight();
}

double CTalusimRaker::GetBottom() const
{
    return HasRadius() ? CPolyLine::GetBottom() - m_radiusMean : CPolyLine::GetBottom();
}

void CTalusimRaker::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    CPolyLine::GetDeviceRect(out, pView, pWnd);
    if (HasRadius() && pView) {
        const int r = pView->WorldToDevice(m_radiusMean, 0.0).x - pView->WorldToDevice(0.0, 0.0).x;
        out.InflateRect(r, r);
    }
}

void CTalusimRaker::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    if (GetVertexCount() < 1)
        return;
    text.Format("X velocity %.2f %.2f\nY velocity %.2f %.2f\nMass %.2f %.2f\nAngular %.2f %.2f",
                m_velocityMean.x, m_velocitySd.x, m_velocityMean.y, m_velocitySd.y, m_massMean, m_massSd,
                m_angularMean, m_angularSd);
}

bool CTalusimRaker::QueryOption(CPickRequest*, CViewContext* pView, int)
{
    return AnswersPickInView(pView, false);
}

int CTalusimRaker::GetExportPartCount()
{
    if (GetVertexCount() == 0)
        return 0;
    return IsPointSeeder() ? 2 : 1;
}

bool CTalusimRaker::GetExportPartPoints(int part, CVectorArray& points)
{
    if (IsPointSeeder()) {
        const CVector2D p = GetVertexPoint(0);
        if (part == 0) {
            points.Add(CVector2D(p.x - kExportHalfCross, p.y));
            points.Add(CVector2D(p.x + kExportHalfCross, p.y));
        } else if (part == 1) {
            points.Add(CVector2D(p.x, p.y - kExportHalfCross));
            points.Add(CVector2D(p.x, p.y + kExportHalfCross));
        } else {
            return false;
        }
        return true;
    }
    if (part != 0)
        return false;
    for (int i = 0; i < GetVertexCount(); ++i)
        points.Add(GetVertexPoint(i));
    return true;
}

CString CTalusimRaker::GetExportPartLayer(int)
{
    return CString("SEEDER");
}

bool CTalusimRaker::IntersectsRectOrPoint(bool closed, double top, double left, double bottom, double right)
{
    if (!IsPointSeeder())
        return IntersectsRect(closed, top, left, bottom, right, SEGMENTS_ALL);
    const CVector2D p = GetVertexPoint(0);
    return left <= p.x && p.x <= right && bottom <= p.y && p.y <= top;
}

// ---------------------------------------------------------------------------
// Drawing

void CTalusimRaker::Draw(CDC* pDC, CViewContext* pView)
{
    if (!pDC || !pView)
        return;
    if (IsPointSeeder())
        DrawPointSeeder(pDC, pView);
    else
        CPolyLine::Draw(pDC, pView);
}

void CTalusimRaker::DrawPointSeeder(CDC* pDC, CViewContext* pView)
{
    CPen pen(GetLineStyle(), pView->PrinterLineWidth(pDC, GetLineWidth()), pView->GetDisplayColour(GetColour()));
    if (!pen.GetSafeHandle())
        return;
    const CVector2D p = GetVertexPoint(0);
    const CPoint d = pView->WorldToDevice(p);
    CPen* oldPen = pDC->SelectObject(&pen);
    DrawCrossMarker(pDC, d.x, d.y, kCrossHalfSize);
    if (IsInSet(SET_SELECTION)) {
        CPen selectPen(GetSelectStyle(), pView->PrinterLineWidth(pDC, GetSelectWidth()), GetSelectColour());
        if (selectPen.GetSafeHandle()) {
            pDC->SelectObject(&selectPen);
            const int oldMode = pDC->SetBkMode(TRANSPARENT);
            DrawCrossMarker(pDC, d.x, d.y, kSelectedCrossHalfSize);
            pDC->SetBkMode(oldMode);
            pDC->SelectObject(&pen);
        }
    }
    CGdiObject* oldBrush = nullptr;
    if (HasRadius()) {
        const double r = m_radiusMean;
        oldBrush = pDC->SelectStockObject(NULL_BRUSH);
        const CPoint a = pView->WorldToDevice(p.x - r, p.y + r);
        const CPoint b = pView->WorldToDevice(p.x + r, p.y - r);
        pDC->Ellipse(a.x, a.y, b.x, b.y);
        pDC->MoveTo(d);
        pDC->LineTo(pView->WorldToDevice(p.x + r, p.y));
    }
    if (oldBrush)
        pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

// ---------------------------------------------------------------------------
// Archive

void CTalusimRaker::Serialize(CArchive& ar)
{
    const UINT schema = ar.IsLoading() ? ar.GetObjectSchema() : 3;
    CPolyLine::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_velocityMean.x << m_velocityMean.y << m_velocitySd.x << m_velocitySd.y << m_massMean << m_massSd;
        ar << m_radiusMean << m_radiusSd;
        ar << m_angularMean << m_angularSd;
        return;
    }
    ReadFinite(ar, m_velocityMean.x, m_velocityMean.y, m_velocitySd.x, m_velocitySd.y, m_massMean, m_massSd);
    if (schema >= 2)
        ReadFinite(ar, m_radiusMean, m_radiusSd);
    if (schema >= 3)
        ReadFinite(ar, m_angularMean, m_angularSd);
}
