// The marker line: a line in the drawing database with which a graph view
// points at the place on the slope that its graph describes. It draws as a
// three-pixel band (grey, grey, black) that shows on light and dark
// backgrounds at any zoom. It is never written to a file, so it keeps the
// run-time class of a plain line.
#pragma once

#include "geometry/Line.h"

class CTalusimMarkerLine : public CLine
{
public:
    static constexpr int kCategoryId = 2201;

    CTalusimMarkerLine();

    void Draw(CDC* pDC, CViewContext* pView) override;
};
