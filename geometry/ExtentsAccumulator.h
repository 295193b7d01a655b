// Collects the smallest and largest x and y that the entities of a drawing
// report; the database passes one to every entity's AddToExtents.
#pragma once

#include <cfloat>

class CExtentsAccumulator
{
public:
    enum { kExtentsRequest = 501 };

    CExtentsAccumulator() { Reset(); }

    void Reset()
    {
        m_dXmin = m_dYmin = DBL_MAX;
        m_dXmax = m_dYmax = -DBL_MAX;
    }
    int GetKind() const { return m_nKind; }

    // The unbounded extents of an entity without geometry are never counted.
    void AddX(double x)
    {
        if (x == DBL_MAX || x == -DBL_MAX)
            return;
        if (x < m_dXmin) m_dXmin = x;
        if (x > m_dXmax) m_dXmax = x;
    }
    void AddY(double y)
    {
        if (y == DBL_MAX || y == -DBL_MAX)
            return;
        if (y < m_dYmin) m_dYmin = y;
        if (y > m_dYmax) m_dYmax = y;
    }

    // left, top, right, bottom
    void GetExtents(double out[4]) const
    {
        out[0] = m_dXmin;
        out[1] = m_dYmax;
        out[2] = m_dXmax;
        out[3] = m_dYmin;
    }

private:
    int m_nKind = kExtentsRequest;
    double m_dXmin, m_dYmax, m_dXmax, m_dYmin;
};
