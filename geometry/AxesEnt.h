// The rulers of the slope view: a vertical band along the left edge and a
// horizontal band along the bottom, with ticks and labels in world units that
// follow the zoom, on screen and on paper. The axes tool draws free-standing
// axes with the same entity (bands off) through DrawAxes.
#pragma once

#include <cfloat>
#include "framework/Rect.h"
#include "geometry/Entity.h"

class CTextStyle;

enum
{
    RULER_STYLE_96 = 96,
    RULER_STYLE_97 = 97,
    RULER_STYLE_ROUNDED = 98,
};

// Round range and step for n intervals: half-multiples of a power of ten.
void NiceTickStep(double& minimum, double& maximum, double& step, int n);
// The same with the mantissas 1, 2, 2.5 and 5; the rulers use it.
void NiceTickStepPreferred(double& minimum, double& maximum, double& step, int n);
// The number written at a tick: up to ten significant digits, so that survey
// coordinates (northings in the millions) are written in full, and a tick
// that rounding left a hair off zero reads 0.
void FormatTickLabel(char* out, size_t size, double value, double step);

class CAxesEnt : public CEntity
{
public:
    CAxesEnt();
    ~CAxesEnt() override;

    void SetMetric(bool b) { m_bMetric = b; }
    bool IsMetric() const { return m_bMetric; }
    void SetShowRulers(bool b) { m_bShowRulers = b; }
    bool GetShowRulers() const { return m_bShowRulers; }
    void SetStyle(int style);
    int GetStyle() const { return m_nStyle; }
    void SetFixedSpacing(bool bFixed, double spacing)
    {
        m_bFixedSpacing = bFixed;
        m_dFixedSpacing = spacing;
    }
    void SetAxesOption(BYTE option) { m_byOption = option; }

    // Band sizes in pixels: (trunc(LOGPIXELSX x width), trunc(LOGPIXELSY x
    // height)); (0, 0) without a window or device context.
    CSize GetRulerSize(CWnd* pWnd) const;
    CSize GetRulerSizeOnDC(CDC* pDC) const;
    double GetRulerInches() const { return m_dBandWidth; }
    CVector2D GetRulerInchesVector() const { return CVector2D(m_dBandWidth, m_dBandHeight); }

    void Draw(CDC* pDC, CViewContext* pView) override;

    // One axis from (startX, startY) to (endX, endY) with a labelled tick every
    // (stepX, stepY), labels drawn by the tool's text style. Defined with the
    // drawing tools (tools/AxesEntAxes.cpp), which own the text style.
    void DrawAxes(CDC* pDC, CViewContext* pView, int count, double originX, double originY,
                  double stepX, double stepY, double endX, double endY, int kind, double startX,
                  double startY, CTextStyle* pStyle, bool bFlipX, bool bFlipY,
                  bool bRelativeLabels, bool bLabelSide, COLORREF textColour);

    void DrawCursorMarks(CWnd* pWnd, int x, int y, CPoint& last);
    void ForgetCoveredCursorMarks(CPoint& last, CDC* pDC, CViewContext* pView);

    // False when the device has no usable resolution.
    bool ComputeRulerTicks(CDC* pDC, CViewContext* pView, CVector2D& minimum, CVector2D& maximum,
                           CVector2D& step, int counts[2]);
    // Printer tick lengths and spacing, scaled from the screen pattern.
    void ScaleTickLengths(CDC* pDC, int* lengths, int count, bool bHorizontal, CSize& spacing);

    // The screen tick pattern of the current units.
    int GetSubdivisions() const { return m_bMetric ? 10 : 8; }
    const int* GetTickPattern() const;

protected:
    // The device origin of the drawing: the printing rectangle's corner while
    // printing into one, else the view's device origin.
    CPoint DrawingOrigin(CDC* pDC, CViewContext* pView) const;

    bool m_bFixedSpacing;
    double m_dFixedSpacing;
    bool m_bMetric;
    bool m_bShowRulers;
    int m_nStyle;
    BYTE m_byOption;
    CPoint m_unused;
    double m_dBandHeight;
    double m_dBandWidth;
};
