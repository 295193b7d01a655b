// The length dimension: the distance between two measured points, aligned
// with them or taken horizontally or vertically, drawn as a dimension line
// with end ticks and arrow heads between two extension lines and labelled
// with the value in a box at its middle. Vertices: 0 and 1 the measured
// points, 3 the handle at the middle of the dimension line, 2 and 4 the ends
// of the dimension line (recomputed by every Draw).
#pragma once

#include "tools/ToolArrow.h"

enum DimensionStyle
{
    DIM_ALIGNED = 12101,
    DIM_HORIZONTAL = 12102,
    DIM_VERTICAL = 12103,
};

// Where the dimension line is broken around its label: the line runs from
// B to P and from Q to A. It fits when the label's height is at most |P - B|;
// otherwise the arrows go outside.
struct CDimensionGap
{
    CVector2D P, Q;
    bool fits = false;
};

// B and A are the ends of the dimension line; hw and hh the label's half
// width and half height in world units, centred on the line's middle.
CDimensionGap DimensionLabelGap(int style, const CVector2D& B, const CVector2D& A, double hw,
                                double hh);

// The "%.<n>f" format of a number of decimal places, held within 0 to 10.
CString DecimalFormat(int places);

// One arrow head of a dimension, at tip and pointing along direction (radians,
// device y up). When the label leaves the line no room the head is drawn
// turned round, outside the line, and with 'withStub' a stub of 'stub' pixels
// runs on from its tip, square to the head.
void DrawDimensionArrow(CDC* pDC, CViewContext* pView, CTextStyle& style, const CVector2D& tip,
                        double direction, COLORREF colour, bool outside, bool withStub, int stub);

class CToolDimLength : public CToolArrow
{
    DECLARE_DYNAMIC(CToolDimLength)

public:
    CToolDimLength();

    int GetCursorAt(CViewContext* pView, POINT p) override;
    void DragGrip(double x, double y) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    int GetGripCount() override;
    CVector2D GetGripPoint(int i) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    bool ContainsPoint(double, double, bool) override { return false; }
    void ApplyDimensionVertices(const CVectorArray& extra, bool extension, bool primary,
                                int style) override;
    void ApplyDimensionFormat(int toInches, bool swap, int decimals, bool behindText) override;
    void SetThirdPoint(const CVector2D& point) override;

    // The signed distance of the dimension line from the measured points.
    double GetSignedOffset() const;

    // The dimension line's ends (B on the side of vertex 0, A on the side of
    // vertex 1), its unit normal and the measured value; false with fewer
    // than four vertices.
    struct Layout
    {
        CVector2D A, B, n;
        double value = 0;
    };
    bool ComputeLayout(Layout& out) const;
    // The label: the value with the style's decimals and units, joined with
    // the tool's own text.
    CString GetLabelText(double value, bool metric) const;

private:
    bool MeasuredPointsCoincide() const;
    // Vertex 3 at the middle of the measured points, h along their normal,
    // on the side of the sign of s.
    void PlaceAlignedHandle(double h, double s);
};
