// Draws the small device-sized decorations of the drawing tools: filled arrow
// heads, aligned multi-line labels and the water-level symbol. Sizes are
// given in inches and turned into pixels with the device's resolution, so a
// decoration keeps its paper size on screen and on the printer.
#pragma once

#include <memory>
#include "framework/Gdi.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "geometry/Vector2D.h"

class CDC;
class CViewContext;

class CArrowPainter
{
public:
    CArrowPainter();
    virtual ~CArrowPainter();
    CArrowPainter(const CArrowPainter&) = delete;
    CArrowPainter& operator=(const CArrowPainter&) = delete;

    void SetHeadAngle(double degrees);
    double GetHeadAngle() const { return m_dHeadAngle; }
    void SetShaftLength(double length) { m_dShaftLength = length; }
    double GetHeadLength() const { return m_dHeadLength; }
    double GetHeadWidth() const { return m_dHeadWidth; }
    CPoint GetShaftEnd() const { return m_shaftEnd; }
    CSize GetUnit() const { return CSize(m_nUnitX, m_nUnitY); }
    bool IsTextOff() const { return m_bTextOff; }

    // Heads shrink with a reduced print (scale below 1) but never grow.
    void SetPixelSize(CDC* pDC, double scale, double widthInches, double heightInches);
    // Returns the shaft end: where the caller's line meets the head.
    CPoint DrawArrowHeadAt(CDC* pDC, const CVector2D& tip, CViewContext* pView, double angle,
                           COLORREF colour, double scale, double widthInches,
                           double heightInches);
    CPoint DrawArrowHeadTowards(CDC* pDC, const CVector2D& tip, const CVector2D& tail,
                                CViewContext* pView, COLORREF colour);

    // Recreates the font when it would be more than five pixels tall; a
    // smaller request turns the text off and keeps the old font.
    void SetFont(CDC* pDC, int points, double scale, int escapement, int weight, LPCSTR face,
                 bool bItalic);
    CFont* GetFontObject() { return m_pFont.get(); }

    void DrawTextLines(CDC* pDC, CPoint point, int angleTenths, const CString& text, int anchor,
                       COLORREF colour, int bkMode);
    // Moves the anchor to the top-left corner of a w x h text box.
    static void AlignTextPoint(CPoint& point, int width, int height, int anchor);

    void DrawWaterLevel(CDC* pDC, const CVector2D& point, CViewContext* pView, COLORREF colour,
                        double scale, double sizeInches, double angleDegrees);
    CRect GetWaterLevelRect(const CVector2D& point, CViewContext* pView) const;

protected:
    // Draws a head along the direction (s, c) with the current unit size.
    CPoint DrawHead(CDC* pDC, CPoint tip, double s, double c, COLORREF colour);

    bool m_bTextOff;
    double m_dHeadAngle;
    double m_dHeadSin;
    double m_dHeadCos;
    double m_dHeadLength;
    double m_dHeadWidth;
    double m_dShaftLength;
    CPoint m_shaftEnd;
    int m_nUnitX;
    int m_nUnitY;
    std::unique_ptr<CFont> m_pFont;
};
