// The axes tool: a rectangle whose chosen sides carry scales with ticks and
// numbers, in drawing coordinates or counted from the rectangle's corner,
// drawn by the rulers entity's free-standing axis routine.
#pragma once

#include "tools/ToolRectangle.h"

enum AxisSide
{
    AXIS_TOP = 1,
    AXIS_LEFT = 2,
    AXIS_RIGHT = 4,
    AXIS_BOTTOM = 8,
};

// What one side's scale is drawn with: the segment from G to H, the first
// tick values, the steps, the interval count and the axis code.
struct CAxisScale
{
    CVector2D G, H;
    double firstX = 0, firstY = 0;
    double stepX = 0, stepY = 0;
    int count = 1;
    int code = 12101;
    bool localSpacing = false;
};

class CToolAxes : public CToolRectangle
{
    DECLARE_DYNAMIC(CToolAxes)

public:
    CToolAxes();

    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;
    void ApplyAxisSpacing(double x, double y, bool custom) override;

    // The scale of one side (one AxisSide) given its size in pixels and the
    // device's resolution.
    CAxisScale ComputeScale(int side, CSize pixels, CSize dpi) const;

protected:
    void DrawHiddenSides(CDC* pDC, CViewContext* pView, int sides);
    void DrawAxisScale(CDC* pDC, CViewContext* pView, int side);
};
