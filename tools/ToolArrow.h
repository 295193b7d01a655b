// The arrow and measure tools: a straight line between the two control
// points with arrow heads; the measure labels it with its length and
// direction. The arrow is also the base of the dimension tools, which share
// its way of combining their own text with the measured one.
#pragma once

#include "tools/Measure.h"

class CToolArrow : public CMeasure
{
    DECLARE_DYNAMIC(CToolArrow)

public:
    CToolArrow();

    void Draw(CDC* pDC, CViewContext* pView) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;
    void ApplyDimensionText(int rotation, int dimTextFlag, int units, int exteriorLine) override;

    // The measured text combined with the tool's own text by the dimension
    // text flag (own then measured, measured alone, measured then own, own alone).
    void ComposeDimensionText(CString& measured) const;
};

class CToolMeasure : public CMeasure
{
    DECLARE_DYNAMIC(CToolMeasure)

public:
    CToolMeasure();

    void Draw(CDC* pDC, CViewContext* pView) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;

    // "L=<length> Angle=<degrees>", as the label shows it.
    CString GetLabelText() const;
    // The label's escapement: turned upright along a flat line.
    int GetLabelEscapement() const;
};
