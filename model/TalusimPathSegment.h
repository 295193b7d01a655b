// One piece of a rock path: a free flight on a parabola or a straight piece
// along the slope (sliding or rolling). A flight is
//   x(t) = x0 + vx t,  y(t) = y0 + vy t - g t^2 / 2,  0 <= t <= T,
// always closed with the end point the engine computed.
#pragma once

#include <cfloat>
#include "framework/Afx.h"
#include "geometry/Vector2D.h"

class CDC;
class CViewContext;

class CTalusimPathSegment : public CObject
{
    DECLARE_SERIAL(CTalusimPathSegment)
public:
    CTalusimPathSegment() = default;

    // Both set their values and the bounding box; always true.
    bool SetStraight(double x0, double y0, double x1, double y1, double T, double g);
    bool SetFlight(double x0, double y0, double x1, double y1, double vx, double vy, double T, double g);

    // In the order the text format writes them.
    void GetParameters(bool& straight, double& x0, double& y0, double& x1, double& y1, double& T,
                       double& g, double& vx, double& vy) const;

    bool IsStraight() const { return m_straight != 0; }
    // The bounding box, worked out when asked: a computation keeps hundreds of
    // thousands of pieces, and each byte of a piece counts.
    CVector2D GetUpperLeft() const { return CVector2D(GetLeft(), GetTop()); }
    CVector2D GetLowerRight() const { return CVector2D(GetRight(), GetBottom()); }
    double GetTop() const;
    double GetLeft() const { return m_x0 < m_x1 ? m_x0 : m_x1; }
    double GetBottom() const { return m_y0 < m_y1 ? m_y0 : m_y1; }
    double GetRight() const { return m_x0 > m_x1 ? m_x0 : m_x1; }
    CVector2D GetStartPoint() const { return CVector2D(m_x0, m_y0); }
    CVector2D GetEndPoint() const { return CVector2D(m_x1, m_y1); }

    int GetPixelStep() const { return m_pixelStep; }
    // False when unchanged.
    bool SetPixelStep(int step);

    // The point of the flight at time t (the start point for a straight piece).
    CVector2D GetPointAt(double t) const;
    // How many chords approximate this piece in the view: 1 for a straight
    // piece or a flight that covers only a few pixels.
    int GetChordCount(const CViewContext& view) const;

    // Draws with the pen the path selected; A and B are the clip box corners
    // (top-left and bottom-right, world).
    void Draw(CDC* pDC, const CViewContext& view, const CVector2D& clipA, const CVector2D& clipB) const;
    // True when some chord has a part inside the rectangle.
    bool CrossesRect(double top, double left, double bottom, double right, const CViewContext& view) const;
    // 22 points: the start, 20 points at t = i T / 21, the end.
    void AddExportPoints(CArray<CVector2D, const CVector2D&>& points) const;

    void Serialize(CArchive& ar) override;

private:
    double m_x0 = 0.0, m_y0 = 0.0;
    double m_x1 = 0.0, m_y1 = 0.0;
    double m_T = 0.0;
    double m_g = 0.0;
    double m_vx = 0.0, m_vy = 0.0;
    int m_pixelStep = 4;
    BYTE m_straight = 1;
};
