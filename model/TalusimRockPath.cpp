#include "model/TalusimRockPath.h"

#include <algorithm>
#include <memory>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CTalusimRockPath, CEntity, 1)

namespace {
// Twelve doubles, the pixel step and the straight flag.
constexpr ULONGLONG kMinStoredSegmentBytes = 12 * sizeof(double) + 4 + 1;
}  // namespace

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

CTalusimRockPath::~CTalusimRockPath() = default;

std::span<CTalusimPathSegment> CTalusimRockPath::Segments() const
{
    if (m_store != nullptr)
        return m_store->Pieces(m_place);
    return m_ownSegments;
}

void CTalusimRockPath::UseStore(CPathSegmentStore* store)
{
    if (store == nullptr || store == m_store)
        return;
    const std::span<CTalusimPathSegment> from = Segments();
    const std::vector<CTalusimPathSegment> pieces(from.begin(), from.end());
    m_store = store;
    m_place = store->NewPlace();
    for (const CTalusimPathSegment& s : pieces)
        store->Append(m_place) = s;
    std::vector<CTalusimPathSegment>().swap(m_ownSegments);
}

CTalusimPathSegment& CTalusimRockPath::AppendSegment()
{
    if (m_store != nullptr)
        return m_store->Append(m_place);
    // Most rocks travel a few tens of pieces: room for them from the first
    // piece on keeps a path to one or two allocations.
    if (m_ownSegments.empty())
        m_ownSegments.reserve(kInitialSegmentCapacity);
    return m_ownSegments.emplace_back();
}

bool CTalusimRockPath::AddStraightSegment(double x0, double y0, double x1, double y1, double T, double g)
{
    CTalusimPathSegment& segment = AppendSegment();
    segment.SetStraight(x0, y0, x1, y1, T, g);
    ExtendExtentsBySegment(segment);
    return true;
}

bool CTalusimRockPath::AddCurvedSegment(double x0, double y0, double x1, double y1, double vx, double vy,
                                        double T, double g)
{
    CTalusimPathSegment& segment = AppendSegment();
    segment.SetFlight(x0, y0, x1, y1, vx, vy, T, g);
    ExtendExtentsBySegment(segment);
    return true;
}

CVector2D CTalusimRockPath::GetLastPoint() const
{
    const std::span<CTalusimPathSegment> pieces = Segments();
    if (pieces.empty())
        return CVector2D(DBL_MAX, DBL_MAX);
    return pieces.back().GetEndPoint();
}

void CTalusimRockPath::AddExportPoints(CVectorArray& points) const
{
    for (const CTalusimPathSegment& s : Segments())
        s.AddExportPoints(points);
}

void CTalusimRockPath::ExtendExtentsBySegment(const CTalusimPathSegment& segment)
{
    // The first pieces replace the placeholder box; later ones only widen.
    if (Segments().size() <= 3) {
        RecalcExtents();
        return;
    }
    SetExtents(std::min(GetLeft(), segment.GetLeft()), std::max(GetTop(), segment.GetTop()),
               std::max(GetRight(), segment.GetRight()), std::min(GetBottom(), segment.GetBottom()));
}

void CTalusimRockPath::RecalcExtents()
{
    const std::span<CTalusimPathSegment> pieces = Segments();
    if (pieces.empty())
        return;
    const CTalusimPathSegment& first = pieces.front();
    double left = first.GetLeft(), top = first.GetTop();
    double right = first.GetRight(), bottom = first.GetBottom();
    for (size_t i = 1; i < pieces.size(); ++i) {
        const CTalusimPathSegment& s = pieces[i];
        left = std::min(left, s.GetLeft());
        top = std::max(top, s.GetTop());
        right = std::max(right, s.GetRight());
        bottom = std::min(bottom, s.GetBottom());
    }
    SetExtents(left, top, right, bottom);
}

void CTalusimRockPath::Serialize(CArchive& ar)
{
    CEntity::Serialize(ar);
    if (ar.IsStoring()) {
        // Each piece goes as an object of its own, as the format has it.
        const std::span<CTalusimPathSegment> pieces = Segments();
        ar.WriteCount(static_cast<DWORD>(pieces.size()));
        for (const CTalusimPathSegment& s : pieces)
            ar.WriteObject(&s);
        ar << 0.0;   // a placeholder the format has always carried
        return;
    }
    m_store = nullptr;
    m_ownSegments.clear();
    const DWORD count = ar.ReadCount();
    // A damaged count must not reserve more than the pieces the bytes left
    // can hold: each takes more than a hundred of them.
    m_ownSegments.reserve(static_cast<size_t>(std::min<ULONGLONG>(count, ar.GetBytesLeft() / kMinStoredSegmentBytes)));
    for (DWORD i = 0; i < count; ++i) {
        CObject* ob = ar.ReadObject(RUNTIME_CLASS(CTalusimPathSegment));
        // A null entry carries no piece; the path keeps only real ones. The
        // archive hands each piece over as an object of its own: the path
        // keeps a copy.
        if (ob) {
            m_ownSegments.push_back(*static_cast<CTalusimPathSegment*>(ob));
            ar.ForgetObject(ob);  // a later reference to it is then a damaged file
            delete ob;
        }
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
    for (const CTalusimPathSegment& s : Segments()) {
        if (CViewContext::BoxesOverlap(s.GetTop(), s.GetLeft(), s.GetBottom(), s.GetRight(), clipA.y, clipA.x,
                                       clipB.y, clipB.x))
            s.Draw(pDC, *pView, clipA, clipB);
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
    for (const CTalusimPathSegment& s : Segments()) {
        if (s.CrossesRect(top, left, bottom, right, *pView))
            return true;
    }
    return false;
}
