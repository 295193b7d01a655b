#include "model/TalusimRockPath.h"

#include <algorithm>
#include <memory>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CTalusimRockPath, CEntity, 1)

CTalusimRockPath::CTalusimRockPath()
{
    SetKindId(kKindId);
    SetLineStyle(PS_SOLID);
    SetSelectStyle(PS_DASH);
    SetLineWidth(1);
    SetColour(RGB(255, 0, 0));
    SetAltColour(0xFFFF00);
    SetCategoryId(kCategoryOrdinary);
    // A small box until the first piece arrives, so that a new path is not
    // taken for an infinitely large one.
    SetExtents(0.0, 0.1, 0.1, 0.0);
}

CTalusimRockPath::~CTalusimRockPath()
{
    RemoveAllSegments();
}

void CTalusimRockPath::RemoveAllSegments()
{
    for (int i = 0; i < m_segments.GetSize(); ++i)
        delete m_segments[i];
    m_segments.RemoveAll();
}

void CTalusimRockPath::AppendSegment(CTalusimPathSegment* segment)
{
    std::unique_ptr<CTalusimPathSegment> owned(segment);
    m_segments.Add(segment);
    owned.release();
    ExtendExtentsBySegment(*segment);
}

bool CTalusimRockPath::AddStraightSegment(double x0, double y0, double x1, double y1, double T, double g)
{
    auto segment = std::make_unique<CTalusimPathSegment>();
    segment->SetStraight(x0, y0, x1, y1, T, g);
    AppendSegment(segment.release());
    return true;
}

bool CTalusimRockPath::AddCurvedSegment(double x0, double y0, double x1, double y1, double vx, double vy,
                                        double T, double g)
{
    auto segment = std::make_unique<CTalusimPathSegment>();
    segment->SetFlight(x0, y0, x1, y1, vx, vy, T, g);
    AppendSegment(segment.release());
    return true;
}

CVector2D CTalusimRockPath::GetLastPoint() const
{
    if (m_segments.GetSize() == 0)
        return CVector2D(DBL_MAX, DBL_MAX);
    return m_segments[m_segments.GetUpperBound()]->GetEndPoint();
}

void CTalusimRockPath::AddExportPoints(CVectorArray& points) const
{
    for (int i = 0; i < m_segments.GetSize(); ++i)
        m_segments[i]->AddExportPoints(points);
}

void CTalusimRockPath::ExtendExtentsBySegment(const CTalusimPathSegment& segment)
{
    // The first pieces replace the placeholder box; later ones only widen.
    if (m_segments.GetSize() <= 3) {
        RecalcExtents();
        return;
    }
    SetExtents(std::min(GetLeft(), segment.GetLeft()), std::max(GetTop(), segment.GetTop()),
               std::max(GetRight(), segment.GetRight()), std::min(GetBottom(), segment.GetBottom()));
}

void CTalusimRockPath::RecalcExtents()
{
    if (m_segments.GetSize() == 0)
        return;
    const CTalusimPathSegment* first = m_segments[0];
    double left = first->GetLeft(), top = first->GetTop();
    double right = first->GetRight(), bottom = first->GetBottom();
    for (int i = 1; i < m_segments.GetSize(); ++i) {
        const CTalusimPathSegment* s = m_segments[i];
        left = std::min(left, s->GetLeft());
        top = std::max(top, s->GetTop());
        right = std::max(right, s->GetRight());
        bottom = std::min(bottom, s->GetBottom());
    }
    SetExtents(left, top, right, bottom);
}

void CTalusimRockPath::Serialize(CArchive& ar)
{
    CEntity::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_segments.GetSize()));
        for (int i = 0; i < m_segments.GetSize(); ++i)
            ar.WriteObject(m_segments[i]);
        ar << 0.0;   // a placeholder the format has always carried
        return;
    }
    RemoveAllSegments();
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
        CObject* ob = ar.ReadObject(RUNTIME_CLASS(CTalusimPathSegment));
        // A null entry carries no piece; the path keeps only real ones.
        if (ob)
            m_segments.Add(static_cast<CTalusimPathSegment*>(ob));
    }
    double placeholder;
    ar >> placeholder;
}

void CTalusimRockPath::Draw(CDC* pDC, CViewContext* pView)
{
    if (!pDC || !pView)
        return;
    CVector2D clipA, clipB;
    pView->GetClipWorldBox(pDC, clipA, clipB);
    const COLORREF colour = pView->GetDisplayColour(IsSelectedByFilter() ? GetAltColour() : GetColour());
    CPen pen(GetLineStyle(), GetLineWidth(), colour);
    if (!pen.GetSafeHandle())
        return;
    CPen* old = pDC->SelectObject(&pen);
    for (int i = 0; i < m_segments.GetSize(); ++i) {
        const CTalusimPathSegment* s = m_segments[i];
        if (CViewContext::BoxesOverlap(s->GetTop(), s->GetLeft(), s->GetBottom(), s->GetRight(), clipA.y,
                                       clipA.x, clipB.y, clipB.x))
            s->Draw(pDC, *pView, clipA, clipB);
    }
    pDC->SelectObject(old);
}

void CTalusimRockPath::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    text.Empty();   // rock paths show no tip
}

bool CTalusimRockPath::GetExportPartPoints(int, CVectorArray& points)
{
    AddExportPoints(points);
    return true;
}

COLORREF CTalusimRockPath::GetExportPartColour(int)
{
    return IsSelectedByFilter() ? GetAltColour() : GetColour();
}

CString CTalusimRockPath::GetExportPartLayer(int)
{
    switch (GetCategoryId()) {
    case kCategorySelected: return CString("SELECTED_PATHS");
    case kCategoryOrdinary: return CString("ALL_PATHS");
    default: return CString("ERROR");
    }
}

bool CTalusimRockPath::CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                                   CWnd*)
{
    if (!pView)
        return false;
    for (int i = 0; i < m_segments.GetSize(); ++i) {
        if (m_segments[i]->CrossesRect(top, left, bottom, right, *pView))
            return true;
    }
    return false;
}
