// The water level marker: the standard symbol of a downward-pointing filled
// triangle over two bars, drawn at a fixed paper size at one point (the
// line's two points are kept together) and turned by whole degrees.
#pragma once

#include "tools/ToolLine.h"

class CToolWaterPt : public CToolLine
{
    DECLARE_DYNAMIC(CToolWaterPt)

public:
    CToolWaterPt();

    int GetCursorAt(CViewContext* pView, POINT p) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    int GetGripCount() override { return 1; }
    CVector2D GetGripPoint(int) override { return GetStartPoint(); }
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    // The world point lies in the symbol's (unrotated) rectangle.
    bool HitTestInView(CViewContext* pView, double x, double y, int) override;
    void ApplyDimensionText(int rotation, int, int, int) override { m_nRotation = rotation; }
};
