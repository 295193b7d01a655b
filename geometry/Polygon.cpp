#include "geometry/Polygon.h"

IMPLEMENT_SERIAL(CPolygon, CPolyLine, VERSIONABLE_SCHEMA | 2)

CPolygon::CPolygon() : m_nReserved1(0), m_nReserved2(0)
{
    m_nKindId = 5;
    m_nMinVertices = 3;
    m_bClosed = true;
}

void CPolygon::Serialize(CArchive& ar)
{
    CPolyLine::Serialize(ar);
    // Stored in the reverse of the declared order.
    if (ar.IsStoring())
        ar << m_nReserved2 << m_nReserved1;
    else
        ar >> m_nReserved2 >> m_nReserved1;
}
