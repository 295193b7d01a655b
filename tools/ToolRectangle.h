// The rectangle tool, an axis-aligned box between two opposite corners with
// eight resize handles, and the circle tool, the ellipse or arc inscribed in
// such a box. A held Shift while the second corner is dragged makes the box
// a square (and so the ellipse a circle). The rectangle is the base of the
// axes and image tools too.
#pragma once

#include "tools/Measure.h"

class CToolRectangle : public CMeasure
{
    DECLARE_DYNAMIC(CToolRectangle)

public:
    CToolRectangle();

    void SetEditing(bool b) override;
    int GetCursorAt(CViewContext* pView, POINT p) override;
    void DragGrip(double x, double y) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    bool ContainsPoint(double x, double y, bool bBoundaryInside) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void SetStartPoint(const CVector2D& point) override;
    void SetEndPoint(const CVector2D& point) override;
    CVector2D GetStartPoint() const override;
    CVector2D GetEndPoint() const override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;
    void ApplyDimensionText(int rotation, int dimTextFlag, int units, int exteriorLine) override;
    void OnPlaced() override;

    virtual bool HasInterior() const { return m_bFilled || m_bHatched; }
    // The corner diagonal to the anchor: the end point, or while Shift is held
    // the corner of the square on the end point's larger side.
    virtual CVector2D GetConstrainedCorner() const;

    // Handle i (0 to 7) clockwise from the anchor corner: corners at even
    // numbers, edge midpoints at odd ones.
    CVector2D GetHandle(int i) const;
    int GetActiveHandle() const { return m_nActiveHandle; }

protected:
    // The handles within 11 pixels of a device point, as a bit set.
    unsigned HandlesAt(CViewContext* pView, POINT p) const;
    bool OutlineCrosses(double top, double left, double bottom, double right) const;
    // The pen and brush of the outline and interior; the caller draws.
    void SelectStyle(CDC* pDC, CViewContext* pView, CPen& pen, CBrush& brush, CGdiObject*& pOldPen,
                     CGdiObject*& pOldBrush);
    void DrawHandles(CDC* pDC, CViewContext* pView);
    // The outline and interior in the device box, with the pen and brush selected.
    virtual void DrawShape(CDC* pDC, CViewContext* pView, const CRect& box);

    int m_nActiveHandle = -1;
};

class CToolCircle : public CToolRectangle
{
    DECLARE_DYNAMIC(CToolCircle)

public:
    CToolCircle();

    void SetEditing(bool b) override;
    bool ContainsPoint(double x, double y, bool bBoundaryInside) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;

protected:
    // The inscribed ellipse, or the arc between the arc angles.
    void DrawShape(CDC* pDC, CViewContext* pView, const CRect& box) override;

private:
    // The world point lies within the inscribed ellipse (any interior or not).
    bool InEllipse(double x, double y) const;
};
