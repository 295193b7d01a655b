// Where a slope view's picture goes on the printed page: inside the margins
// (inches from the paper's edges), never in the printer's unprintable border.
#pragma once

#include "framework/Rect.h"

class CDC;
class CViewContext;

struct PrintMargins {
    double left = 1.5, top = 0.5, right = 0.5, bottom = 0.5;
};

// The drawing rectangle in the printer's device pixels for the DC's page.
CRect ComputePrintRect(CDC* pDC, const PrintMargins& margins);
// Sets that rectangle as the view context's device origin and extent and as its print rectangle.
void LayoutPrintPage(CDC* pDC, CViewContext* pView, const PrintMargins& margins);
