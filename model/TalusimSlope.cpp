#include "model/TalusimSlope.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <vector>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/ViewContext.h"
#include "model/EntityOptions.h"
#include "model/TalusimSlopeType.h"

IMPLEMENT_SERIAL(CTalusimSlope, CPolyLine, 1)

namespace {
constexpr int kSlopeMenu = 6002;
constexpr int kSlopeSubmenu = 2;
constexpr int kTipPixels = 6;          // how close the cursor must be to show a vertex
constexpr double kMinFillLength = 0.001;

// The vertex's standard deviations live in its two auxiliary values.
double SdX(const CPolyVertex& v) { return v.auxA; }
double SdY(const CPolyVertex& v) { return v.auxB; }
}  // namespace

CTalusimSlope::CTalusimSlope()
{
    SetKindId(kKindId);
    SetContextMenu(kSlopeMenu, kSlopeSubmenu);
    m_materials.SetSize(0, 6);
}

// ---------------------------------------------------------------------------
// Vertices and materials

CPolyVertex& CTalusimSlope::GetSlopeVertex(CPolyVertex& out, int i) const
{
    out = GetVertex(i);
    return out;
}

void CTalusimSlope::SetSlopeVertex(int i, double x, double y)
{
    SetVertexPoint(i, x, y);
}

void CTalusimSlope::AddVertexWithMaterial(double x, double y, CTalusimSlopeType* material)
{
    AddPoint(x, y);
    m_materials.Add(material);
}

void CTalusimSlope::SetVertexAndMaterial(int i, double x, double y, CTalusimSlopeType* material)
{
    SetVertexPoint(i, x, y);
    SetSegmentMaterial(i, material);
}

CTalusimSlopeType* CTalusimSlope::GetSegmentMaterial(int i) const
{
    return i >= 0 && i < m_materials.GetSize() ? m_materials[i] : nullptr;
}

void CTalusimSlope::SetSegmentMaterial(int i, CTalusimSlopeType* material)
{
    if (i >= 0)
        m_materials.SetAtGrow(i, material);
}

bool CTalusimSlope::AllSegmentsHaveMaterial() const
{
    if (GetVertexCount() < 2)
        return false;
    for (int i = 1; i < GetVertexCount(); ++i) {
        if (!GetSegmentMaterial(i))
            return false;
    }
    return true;
}

bool CTalusimSlope::UsesMaterial(const CTalusimSlopeType* material) const
{
    for (int i = 1; i <= GetLastVertexIndex(); ++i) {
        if (GetSegmentMaterial(i) == material)
            return true;
    }
    return false;
}

void CTalusimSlope::ReplaceMaterial(const CTalusimSlopeType* oldMaterial, CTalusimSlopeType* newMaterial)
{
    // Every entry, not only the segments': the first one names no segment but
    // is written with vertex 0 (deleting vertex 0 moves the first segment's
    // material into it), and the copy the assign-material mode keeps comes
    // back on cancel. No entry may name a material that is about to go.
    for (auto* materials : {&m_materials, &m_savedMaterials}) {
        for (int i = 0; i < materials->GetSize(); ++i) {
            if ((*materials)[i] == oldMaterial)
                (*materials)[i] = newMaterial;
        }
    }
}

void CTalusimSlope::SaveMaterials()
{
    m_savedMaterials.Copy(m_materials);
}

void CTalusimSlope::RestoreMaterials()
{
    if (m_savedMaterials.GetSize() == m_materials.GetSize())
        m_materials.Copy(m_savedMaterials);
}

bool CTalusimSlope::ClearSlope()
{
    m_materials.RemoveAll();
    RemoveAllVertices();
    return true;
}

bool CTalusimSlope::DeleteMarkedVertices(bool& refused)
{
    bool removed = false;
    for (int i = GetLastVertexIndex(); i >= 0; --i) {
        if (!IsVertexMarked(i))
            continue;
        if (GetVertexCount() <= 2) {
            refused = true;
            return true;
        }
        DeleteVertex(i);
        removed = true;
    }
    refused = false;
    return removed;
}

double CTalusimSlope::GetHeightAt(double x) const
{
    double height = -DBL_MAX;
    for (int i = 0; i + 1 < GetVertexCount(); ++i) {
        const CVector2D a = GetVertexPoint(i);
        const CVector2D b = GetVertexPoint(i + 1);
        if (x < std::min(a.x, b.x) || x > std::max(a.x, b.x))
            continue;
        const double y = a.x == b.x ? std::max(a.y, b.y) : a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
        height = std::max(height, y);
    }
    return height;
}

// ---------------------------------------------------------------------------
// Fill options

void CTalusimSlope::SetFillMode(bool fill, bool hatch)
{
    if (fill && hatch)
        return;
    m_fill = fill ? 1 : 0;
    m_hatch = hatch ? 1 : 0;
}

void CTalusimSlope::SetFillOptions(COLORREF colour, int hatchStyle, double length)
{
    m_fillColour = colour;
    if (hatchStyle >= 0 && hatchStyle < 6)
        m_hatchStyle = hatchStyle;
    if (length >= kMinFillLength)
        m_fillLength = length;
}

// ---------------------------------------------------------------------------
// Polyline operations that keep the materials in step with the vertices

bool CTalusimSlope::DeleteVertex(int i)
{
    if (i >= 0 && i < m_materials.GetSize())
        m_materials.RemoveAt(i);
    return CPolyLine::DeleteVertex(i);
}

bool CTalusimSlope::InsertVertex(int i, const CPolyVertex& v)
{
    // Both halves of the split segment keep its material.
    if (i >= 0) {
        if (i < m_materials.GetSize())
            m_materials.InsertAt(i, m_materials[i]);
        else
            m_materials.SetAtGrow(i, nullptr);
    }
    return CPolyLine::InsertVertex(i, v);
}

void CTalusimSlope::RemoveLastVertex(bool* pRefused)
{
    bool refused = GetLastVertexIndex() < 2;
    if (!refused)
        DeleteVertex(GetLastVertexIndex());
    if (pRefused)
        *pRefused = refused;
}

void CTalusimSlope::ExtendExtents(const CPolyVertex& v)
{
    if (GetVertexCount() <= 2) {
        RecalcExtents();
        return;
    }
    SetExtents(std::min({m_upperLeft.x, v.x - 2 * SdX(v), v.x + 2 * SdX(v)}),
               std::max({m_upperLeft.y, v.y - 2 * SdY(v), v.y + 2 * SdY(v)}),
               std::max({m_lowerRight.x, v.x - 2 * SdX(v), v.x + 2 * SdX(v)}),
               std::min({m_lowerRight.y, v.y - 2 * SdY(v), v.y + 2 * SdY(v)}));
}

void CTalusimSlope::RecalcExtents()
{
    if (GetVertexCount() == 0) {
        CPolyLine::RecalcExtents();
        return;
    }
    const CPolyVertex& first = m_vertices[0];
    double left = first.x, right = first.x, top = first.y, bottom = first.y;
    for (int i = 0; i < GetVertexCount(); ++i) {
        const CPolyVertex& v = m_vertices[i];
        left = std::min({left, v.x - 2 * SdX(v), v.x + 2 * SdX(v)});
        right = std::max({right, v.x - 2 * SdX(v), v.x + 2 * SdX(v)});
        top = std::max({top, v.y - 2 * SdY(v), v.y + 2 * SdY(v)});
        bottom = std::min({bottom, v.y - 2 * SdY(v), v.y + 2 * SdY(v)});
    }
    SetExtents(left, top, right, bottom);
}

// ---------------------------------------------------------------------------
// Entity queries

double CTalusimSlope::GetLeft() const
{
    return HasBand() ? CPolyLine::GetLeft() - m_fillLength : CPolyLine::GetLeft();
}

double CTalusimSlope::GetRight() const
{
    return HasBand() ? CPolyLine::GetRight() + m_fillLength : CPolyLine::GetRight();
}

double CTalusimSlope::GetBottom() const
{
    return HasBand() ? CPolyLine::GetBottom() - m_fillLength : CPolyLine::GetBottom();
}

bool CTalusimSlope::QueryOption(CPickRequest*, CViewContext* pView, int)
{
    return AnswersPickInView(pView, true);
}

COLORREF CTalusimSlope::GetExportPartColour(int)
{
    return RGB(192, 192, 192);
}

CString CTalusimSlope::GetExportPartLayer(int)
{
    return CString("SLOPE");
}

void CTalusimSlope::get_data_tip_text(double x, double y, int, CViewContext* pView, CString& text)
{
    const int vertex = FindNearestVertex(x, y, true);
    if (vertex != -1 && pView) {
        const CVector2D p = GetNearestPoint(x, y);
        const CPoint cursor = pView->WorldToDevice(x, y);
        const CPoint at = pView->WorldToDevice(p);
        if (std::abs(cursor.x - at.x) < kTipPixels && std::abs(cursor.y - at.y) < kTipPixels) {
            text.Format("Vertex: %d\n(x,y)= (%.3f, %.3f)", vertex + 1, p.x, p.y);
            if (GetSampleSlopeFlag()) {
                const CPolyVertex v = GetVertex(vertex);
                CString spread;
                spread.Format("\nstd dev= (%.2f, %.2f)", SdX(v), SdY(v));
                text += spread;
            }
            return;
        }
    }
    const int segment = GetSegmentIndexAt(x, y);
    const CTalusimSlopeType* material = GetSegmentMaterial(segment);
    if (segment == -1 || !material)
        return;
    text.Format("Segment: %d\n(Rn,Rt,Phi)= (%.2f, %.2f, %.1f)\nRoughness %.2f\n%s", segment,
                material->GetRnMean(), material->GetRtMean(), material->GetFrictionAngleMean(),
                material->GetRoughnessStdDev(), static_cast<LPCSTR>(material->GetName()));
}

// ---------------------------------------------------------------------------
// Drawing

void CTalusimSlope::Draw(CDC* pDC, CViewContext* pView)
{
    if (!pDC || !pView)
        return;
    if (HasBand())
        DrawBand(pDC, pView);
    if (GetSampleSlopeFlag())
        DrawSpreadEllipses(pDC, pView);
    if (GetVertexCount() < 2)
        return;
    for (int i = 1; i < GetVertexCount(); ++i) {
        const CTalusimSlopeType* material = GetSegmentMaterial(i);
        if (!material)
            continue;   // a segment without material is not drawn
        CPen pen(material->GetLineStyle(), pView->PrinterLineWidth(pDC, material->GetLineWidth()),
                 pView->GetDisplayColour(material->GetColour()));
        if (!pen.GetSafeHandle())
            continue;
        CPen* old = pDC->SelectObject(&pen);
        pView->DrawSegment(pDC, GetVertexPoint(i - 1), GetVertexPoint(i));
        pDC->SelectObject(old);
    }
    DrawVertexTicks(false, pDC, pView);
    DrawMarkedVertices(false, pDC, pView);
}

void CTalusimSlope::DrawBand(CDC* pDC, CViewContext* pView)
{
    if (GetLastVertexIndex() < 2)
        return;
    const double L = m_fillLength;
    const double xmin = m_upperLeft.x, xmax = m_lowerRight.x, ymin = m_lowerRight.y;
    const CVector2D first = GetVertexPoint(0);
    const CVector2D last = GetVertexPoint(GetLastVertexIndex());

    std::vector<CVector2D> outline;
    outline.reserve(static_cast<size_t>(GetVertexCount()) + 4);
    for (int i = 0; i < GetVertexCount(); ++i)
        outline.push_back(GetVertexPoint(i));
    // Close below the profile on the side it runs away from, so that the
    // band lies under the slope whichever way it was drawn.
    if (first.x > last.x) {
        outline.emplace_back(xmin - L, last.y);
        outline.emplace_back(xmin - L, ymin - L);
        outline.emplace_back(xmax + L, ymin - L);
        outline.emplace_back(xmax + L, first.y);
    } else {
        outline.emplace_back(xmax + L, last.y);
        outline.emplace_back(xmax + L, ymin - L);
        outline.emplace_back(xmin - L, ymin - L);
        outline.emplace_back(xmin - L, first.y);
    }
    // Cut as a whole, so that its top edge stays under the slope's line at any zoom.
    std::vector<POINT> points;
    pView->MapPolygon(outline.data(), static_cast<int>(outline.size()), points);
    if (points.empty())
        return;

    const COLORREF colour = pView->GetDisplayColour(m_fillColour);
    CBrush brush;
    if (IsFilled())
        brush.CreateSolidBrush(colour);
    else
        brush.CreateHatchBrush(m_hatchStyle, colour);
    if (!brush.GetSafeHandle())
        return;
    CGdiObject* oldPen = pDC->SelectStockObject(NULL_PEN);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    const int oldMode = IsHatched() ? pDC->SetBkMode(TRANSPARENT) : 0;
    pDC->Polygon(points.data(), static_cast<int>(points.size()));
    if (IsHatched())
        pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

void CTalusimSlope::DrawSpreadEllipses(CDC* pDC, CViewContext* pView)
{
    CPen pen(GetLineStyle(), GetLineWidth(), pView->GetDisplayColour(m_ellipseColour));
    if (!pen.GetSafeHandle())
        return;
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    for (int i = 0; i < GetVertexCount(); ++i) {
        const CPolyVertex v = GetVertex(i);
        const double sx = SdX(v), sy = SdY(v);
        if (sx == 0.0 || sy == 0.0)
            continue;
        const CPoint a = pView->WorldToDevice(v.x - 2 * sx, v.y + 2 * sy);
        const CPoint b = pView->WorldToDevice(v.x + 2 * sx, v.y - 2 * sy);
        pDC->Ellipse(a.x, a.y, b.x, b.y);
    }
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

// ---------------------------------------------------------------------------
// Archive

void CTalusimSlope::Serialize(CArchive& ar)
{
    CPolyLine::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_materials.GetSize()));
        for (int i = 0; i < m_materials.GetSize(); ++i)
            ar.WriteObject(m_materials[i]);
    } else {
        const DWORD count = ar.ReadCount();
        m_materials.RemoveAll();
        m_savedMaterials.RemoveAll();
        for (DWORD i = 0; i < count; ++i)
            m_materials.Add(static_cast<CTalusimSlopeType*>(ar.ReadObject(RUNTIME_CLASS(CTalusimSlopeType))));
    }
    SerializeColour(ar, m_ellipseColour);
}
