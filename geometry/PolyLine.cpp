// CPolyLine: storage, vertex access and editing, marks, transforms and drag
// support. Drawing is in PolyLineDraw.cpp, the geometric queries in
// PolyLineQueries.cpp.
#include "geometry/PolyLine.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/REGDatabase.h"
#include "geometry/LineClipper.h"

IMPLEMENT_SERIAL(CPolyLine, CEntity, VERSIONABLE_SCHEMA | 2)

namespace {

void PutDouble(BYTE* p, double v) { memcpy(p, &v, 8); }
double GetDouble(const BYTE* p)
{
    double v;
    memcpy(&v, p, 8);
    return v;
}

// One vertex as its 88-byte stored record (little-endian doubles, three flag
// bytes, five reserved zero bytes).
void PackVertex(const CPolyVertex& v, BYTE* r)
{
    memset(r, 0, CPolyLine::kVertexRecordSize);
    PutDouble(r + 0, v.x);
    PutDouble(r + 8, v.y);
    PutDouble(r + 16, v.auxA);
    PutDouble(r + 24, v.auxB);
    PutDouble(r + 32, v.segmentNormal.x);
    PutDouble(r + 40, v.segmentNormal.y);
    PutDouble(r + 48, v.startNormal.x);
    PutDouble(r + 56, v.startNormal.y);
    PutDouble(r + 64, v.endNormal.x);
    PutDouble(r + 72, v.endNormal.y);
    r[80] = v.vertexMark ? 1 : 0;
    r[81] = v.segmentMark ? 1 : 0;
    r[82] = v.segmentVisible ? 1 : 0;
}

CPolyVertex UnpackVertex(const BYTE* r)
{
    CPolyVertex v;
    v.x = GetDouble(r + 0);
    v.y = GetDouble(r + 8);
    v.auxA = GetDouble(r + 16);
    v.auxB = GetDouble(r + 24);
    v.segmentNormal = CVector2D(GetDouble(r + 32), GetDouble(r + 40));
    v.startNormal = CVector2D(GetDouble(r + 48), GetDouble(r + 56));
    v.endNormal = CVector2D(GetDouble(r + 64), GetDouble(r + 72));
    v.vertexMark = r[80] != 0;
    v.segmentMark = r[81] != 0;
    v.segmentVisible = r[82] != 0;
    return v;
}

} // namespace

CPolyLine::CPolyLine()
    : m_nMinVertices(2), m_bVertexTicks(true), m_bClosed(false), m_nGrip(-1), m_bSaved(false),
      m_bMarkers(false), m_crMarker(255)
{
    m_nKindId = 4;
    m_vertices.SetSize(0, 6);
    m_nLineStyle = PS_SOLID;
    m_nSelectStyle = PS_DOT;
    m_nLineWidth = 1;
    m_crColour = 0xFF0000;
    m_crAltColour = 0;
}

CPolyLine::~CPolyLine()
{
    m_vertices.RemoveAll();
    m_savedVertices.RemoveAll();
}

void CPolyLine::Serialize(CArchive& ar)
{
    CEntity::Serialize(ar);
    BYTE record[kVertexRecordSize];
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)m_vertices.GetSize());
        for (INT_PTR i = 0; i < m_vertices.GetSize(); ++i) {
            PackVertex(m_vertices[i], record);
            ar.Write(record, kVertexRecordSize);
        }
        ar << m_nMinVertices;
    } else {
        const DWORD count = ar.ReadCount();
        // A count from a file is only believed when the file holds that many
        // records.
        ar.CheckCount(count, kVertexRecordSize);
        m_vertices.RemoveAll();
        m_vertices.SetSize((INT_PTR)count, 6);
        for (DWORD i = 0; i < count; ++i) {
            if (ar.Read(record, kVertexRecordSize) != kVertexRecordSize)
                AfxThrowArchiveException(CArchiveException::endOfFile);
            const CPolyVertex v = UnpackVertex(record);
            for (double d : {v.x, v.y, v.auxA, v.auxB, v.segmentNormal.x, v.segmentNormal.y, v.startNormal.x,
                             v.startNormal.y, v.endNormal.x, v.endNormal.y})
                RequireFinite(d);
            m_vertices[(INT_PTR)i] = v;
        }
        ar >> m_nMinVertices;
    }
}

// ---- vertex access ----------------------------------------------------------

CPolyVertex CPolyLine::GetVertex(int i) const
{
    if (!IsValidIndex(i))
        return CPolyVertex(DBL_MAX, DBL_MAX);
    return m_vertices[i];
}

void CPolyLine::GetPointArray(CVectorArray& out) const
{
    out.RemoveAll();
    out.SetSize(0, GetVertexCount() > 0 ? GetVertexCount() : 1);
    for (int i = 0; i < GetVertexCount(); ++i)
        out.Add(m_vertices[i].Point());
}

bool CPolyLine::AddVertex(const CPolyVertex& v)
{
    m_vertices.Add(v);
    ExtendExtents(v);
    return true;
}

bool CPolyLine::AddPoint(double x, double y)
{
    return AddVertex(CPolyVertex(x, y));
}

bool CPolyLine::SetVertex(int i, const CPolyVertex& v)
{
    if (!IsValidIndex(i))
        return false;
    m_vertices[i] = v;
    RecalcExtents();
    return true;
}

bool CPolyLine::SetVertexPoint(int i, double x, double y)
{
    if (!IsValidIndex(i))
        return false;
    m_vertices[i] = CPolyVertex(x, y);
    RecalcExtents();
    return true;
}

bool CPolyLine::RemoveAllVertices()
{
    m_vertices.RemoveAll();
    return true;
}

// ---- extents ----------------------------------------------------------------

void CPolyLine::RecalcExtents()
{
    const int n = GetVertexCount();
    if (n == 0)
        return;
    double left = m_vertices[0].x, right = left, top = m_vertices[0].y, bottom = top;
    for (int i = 1; i < n; ++i) {
        const CPolyVertex& v = m_vertices[i];
        if (v.y > top) top = v.y;
        if (v.y < bottom) bottom = v.y;
        if (v.x > right) right = v.x;
        if (v.x < left) left = v.x;
    }
    SetExtents(left, top, right, bottom);
}

void CPolyLine::ExtendExtents(const CPolyVertex& v)
{
    if (GetVertexCount() <= 2) {
        RecalcExtents();
        return;
    }
    if (v.y > m_upperLeft.y) m_upperLeft.y = v.y;
    if (v.y < m_lowerRight.y) m_lowerRight.y = v.y;
    if (v.x > m_lowerRight.x) m_lowerRight.x = v.x;
    if (v.x < m_upperLeft.x) m_upperLeft.x = v.x;
}

// ---- vertex editing -----------------------------------------------------------

bool CPolyLine::DeleteVertex(int i)
{
    if (!IsValidIndex(i))
        return false;
    m_vertices.RemoveAt(i);
    RecalcExtents();
    return true;
}

bool CPolyLine::InsertVertex(int i, const CPolyVertex& v)
{
    if (i < 0 || i > GetVertexCount())
        return false;
    m_vertices.InsertAt(i, v);
    ExtendExtents(v);
    return true;
}

void CPolyLine::RemoveLastVertex(bool* pRefused)
{
    const bool refused = GetVertexCount() <= m_nMinVertices;
    if (!refused)
        DeleteVertex(GetLastVertexIndex());
    if (pRefused)
        *pRefused = refused;
}

bool CPolyLine::DeleteNearestVertex(double x, double y, bool* pRefused)
{
    if (GetVertexCount() <= m_nMinVertices) {
        if (pRefused)
            *pRefused = true;
        return false;
    }
    int best = 0;
    double bestD = m_vertices[0].Point().DistanceSquaredTo(x, y);
    for (int i = 1; i < GetVertexCount(); ++i) {
        const double d = m_vertices[i].Point().DistanceSquaredTo(x, y);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    DeleteVertex(best);
    if (pRefused)
        *pRefused = false;
    return true;
}

// ---- marks ----------------------------------------------------------------------

bool CPolyLine::MarkVerticesInRect(int op, double top, double left, double bottom, double right)
{
    if (GetVertexCount() == 0 || op < 16 || op > 18)
        return false;
    bool changed = false;
    for (int i = 0; i < GetVertexCount(); ++i) {
        CPolyVertex& v = m_vertices[i];
        if (v.x < left || v.x > right || v.y < bottom || v.y > top)
            continue;
        if (op == 16) {
            changed = changed || !v.vertexMark;
            v.vertexMark = true;
        } else if (op == 17) {
            changed = changed || v.vertexMark;
            v.vertexMark = false;
        } else {
            v.vertexMark = !v.vertexMark;
        }
    }
    return op == 18 ? true : changed;
}

bool CPolyLine::MarkSegmentsInRect(int op, double top, double left, double bottom, double right,
                                   int mode, int filter)
{
    const int n = GetVertexCount();
    if (n < 2)
        return true;
    CLineClipper clipper;
    clipper.Reset();
    if (mode == TEST_INSIDE)
        clipper.SetInsideTestMode();
    clipper.SetWindow(top, left, bottom, right);
    auto apply = [&](int holder, int from) {
        if (!PassesSegmentFilter(holder, filter))
            return;
        clipper.SetSegmentPoints(m_vertices[from].Point(), m_vertices[holder].Point());
        if (!clipper.Clip())
            return;
        CPolyVertex& v = m_vertices[holder];
        if (op == 16)
            v.segmentMark = true;
        else if (op == 17)
            v.segmentMark = false;
        else if (op == 18)
            v.segmentMark = !v.segmentMark;
    };
    for (int i = 1; i < n; ++i)
        apply(i, i - 1);
    if (m_bClosed)
        apply(0, n - 1);
    return true;
}

bool CPolyLine::UnmarkVertices()
{
    bool changed = false;
    for (int i = 0; i < GetVertexCount(); ++i) {
        changed = changed || m_vertices[i].vertexMark;
        m_vertices[i].vertexMark = false;
    }
    return changed;
}

bool CPolyLine::UnmarkSegments()
{
    bool changed = false;
    for (int i = 0; i < GetVertexCount(); ++i) {
        changed = changed || m_vertices[i].segmentMark;
        m_vertices[i].segmentMark = false;
    }
    return changed;
}

int CPolyLine::GetMarkedVertexCount()
{
    int count = 0;
    for (int i = 0; i < GetVertexCount(); ++i)
        count += m_vertices[i].vertexMark ? 1 : 0;
    return count;
}

int CPolyLine::GetMarkedSegmentCount()
{
    int count = 0;
    for (int i = 0; i < GetVertexCount(); ++i)
        count += m_vertices[i].segmentMark ? 1 : 0;
    return count;
}

bool CPolyLine::MoveMarkedVertices(double dx, double dy)
{
    if (GetVertexCount() == 0) {
        RecalcExtents();
        return true;
    }
    if (dx == 0 && dy == 0)
        return false;
    for (int i = 0; i < GetVertexCount(); ++i) {
        if (m_vertices[i].vertexMark) {
            m_vertices[i].x += dx;
            m_vertices[i].y += dy;
        }
    }
    RecalcExtents();
    return true;
}

// ---- transforms -----------------------------------------------------------------

bool CPolyLine::MoveBy(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return false;
    for (int i = 0; i < GetVertexCount(); ++i) {
        m_vertices[i].x += dx;
        m_vertices[i].y += dy;
    }
    m_upperLeft.x += dx;
    m_lowerRight.x += dx;
    m_upperLeft.y += dy;
    m_lowerRight.y += dy;
    return true;
}

bool CPolyLine::Rotate(double cx, double cy, double angle)
{
    if (angle == 0)
        return false;
    for (int i = 0; i < GetVertexCount(); ++i)
        RotatePoint(cx, cy, angle, m_vertices[i].x, m_vertices[i].y);
    RecalcExtents();
    return true;
}

bool CPolyLine::Scale(double cx, double cy, double sx, double sy)
{
    if (sx == 1 && sy == 1)
        return false;
    for (int i = 0; i < GetVertexCount(); ++i)
        ScalePoint(cx, cy, sx, sy, m_vertices[i].x, m_vertices[i].y);
    RecalcExtents();
    return true;
}

// ---- drag support ---------------------------------------------------------------

void CPolyLine::SetReferencePoint(double x, double y)
{
    m_referencePoint = CVector2D(x, y);
}

bool CPolyLine::SaveVertices()
{
    m_savedVertices.Copy(m_vertices);
    m_bSaved = true;
    return true;
}

bool CPolyLine::RestoreVertices()
{
    if (!m_bSaved)
        return false;
    // Through the virtual insert and delete, so that a derived class keeps
    // its own per-vertex lists in step.
    while (GetVertexCount() < m_savedVertices.GetSize())
        InsertVertex(0, CPolyVertex());
    while (GetVertexCount() > m_savedVertices.GetSize())
        DeleteVertex(GetLastVertexIndex());
    for (int i = 0; i < GetVertexCount(); ++i)
        m_vertices[i] = m_savedVertices[i];
    RecalcExtents();
    return true;
}

bool CPolyLine::DragBy(double dx, double dy)
{
    RestoreVertices();
    MoveMarkedVertices(dx, dy);
    return true;
}

// ---- copy, attributes, export -------------------------------------------------

bool CPolyLine::CopyFrom(const CEntity& source)
{
    CEntity::CopyFrom(source);
    const CPolyLine* other = dynamic_cast<const CPolyLine*>(&source);
    if (other == nullptr)
        return true;
    m_nMinVertices = other->m_nMinVertices;
    m_bVertexTicks = other->m_bVertexTicks;
    m_bClosed = other->m_bClosed;
    m_bSaved = other->m_bSaved;
    m_vertices.Copy(other->m_vertices);
    m_savedVertices.Copy(other->m_savedVertices);
    return true;
}

bool CPolyLine::IsOnVisibleSegment(int i) const
{
    const int last = GetLastVertexIndex();
    if (!IsValidIndex(i))
        return false;
    if (m_vertices[i].segmentVisible)
        return true;
    if (i < last)
        return m_vertices[i + 1].segmentVisible;
    return m_bClosed && m_vertices[0].segmentVisible;
}

bool CPolyLine::GetAttributes(CEntityAttributes& record)
{
    record.m_nKindId = m_nKindId;
    const int n = GetVertexCount();
    record.m_points.RemoveAll();
    record.m_labelled.RemoveAll();
    record.m_marked.RemoveAll();
    for (int i = 0; i < n; ++i) {
        record.m_points.Add(m_vertices[i].Point());
        record.m_labelled.Add(IsOnVisibleSegment(i) ? 1 : 0);
        record.m_marked.Add(m_vertices[i].vertexMark ? 1 : 0);
    }
    return true;
}

bool CPolyLine::GetExportPartPoints(int, CVectorArray& out)
{
    if (GetVertexCount() < 2)
        return false;
    GetPointArray(out);
    return true;
}
