// The closed polyline: its closing segment always exists and deletions keep
// at least three vertices. Drawn as an outline only.
#pragma once

#include "geometry/PolyLine.h"

class CPolygon : public CPolyLine
{
    DECLARE_SERIAL(CPolygon)

public:
    CPolygon();

    void Serialize(CArchive& ar) override;

    int GetReserved1() const { return m_nReserved1; }
    int GetReserved2() const { return m_nReserved2; }
    void SetReserved(int r1, int r2)
    {
        m_nReserved1 = r1;
        m_nReserved2 = r2;
    }

protected:
    int m_nReserved1;
    int m_nReserved2;
};
