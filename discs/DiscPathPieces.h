// The straight pieces of a thrown disc's rock path. The disc's centre is
// followed at points `spacing` apart; a piece goes on while every point since
// it began lies within `tolerance` of its line, so a disc rolling down a
// straight stretch of slope makes one piece and a flight a few, instead of a
// piece at every point.
#pragma once

class CDiscPathPieces
{
public:
    // A new piece begins at (x, y).
    void Start(double x, double y, double spacing, double tolerance);
    // The disc's centre is at (x, y). True when the piece under way had to
    // end before this point: it ends at (endX, endY), where the next begins.
    bool Add(double x, double y, double& endX, double& endY);
    // The newest point of the piece under way; false while it has none
    // beyond its start.
    bool Pending(double& x, double& y) const;

private:
    bool Fits(double x, double y);

    double m_startX = 0, m_startY = 0;
    double m_newestX = 0, m_newestY = 0;
    double m_spacing = 0, m_tolerance = 0;
    // The directions from the start that keep every point so far within the
    // tolerance: m_low to m_high about m_reference, once a point is far enough.
    bool m_aimed = false;
    double m_reference = 0, m_low = 0, m_high = 0;
};
