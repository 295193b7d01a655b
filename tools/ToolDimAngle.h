// The angle dimension: two arms meeting at an apex, an arc between them
// with optional arrow heads at its ends and the angle in degrees in a box at
// the arc's middle. Vertices: 0 the end of the first arm, 1 the apex, 2 the
// end of the second arm ((DBL_MAX, DBL_MAX) while it is not placed). The arc
// is kept as 51 world points, rebuilt only when its inputs change.
#pragma once

#include "tools/ToolArrow.h"

class CToolDimAngle : public CToolArrow
{
    DECLARE_DYNAMIC(CToolDimAngle)

public:
    CToolDimAngle();

    int GetCursorAt(CViewContext* pView, POINT p) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void ApplyDimensionVertices(const CVectorArray& extra, bool extension, bool primary,
                                int style) override;
    void ApplyDimensionFormat(int toInches, bool swap, int decimals, bool behindText) override;

    // The arc from a1 to a2 (radians) the short way round, as 51 points;
    // an empty list when the angles are equal.
    void BuildArcPoints(double a1, double a2, double r, const CVector2D& centre);
    const CVectorArray& GetArcPoints() const { return m_arc; }
    bool ArcCrossesRect(double top, double left, double bottom, double right) const;

    bool IsSecondArmPlaced() const;
    // The angle between the arms in degrees, 0 for an arm of no length.
    double GetAngleValue() const;
    CString GetLabelText() const;

    // Where the arc and its label go: its ends P1 (on the first arm) and P2,
    // its angles and radius, its middle angle m and the label point L.
    // Case A runs from P1 to P2, case B the short way from P2 to P1. False
    // while the second arm is not placed or either arm has no length.
    struct ArcLayout
    {
        CVector2D P1, P2, L;
        double a1 = 0, a2 = 0, r = 0, m = 0;
        bool caseA = true;
    };
    bool ComputeArc(ArcLayout& out) const;

private:
    double m_dCacheA1, m_dCacheA2, m_dCacheR;
    CVector2D m_cacheCentre;
    CVectorArray m_arc;
};
