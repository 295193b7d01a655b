// A chain of world points stroked on a device context through a view context,
// each segment cut to the widened device area as CViewContext::MapSegment cuts
// it, so that a long segment keeps its direction at any zoom.
#pragma once

#include <windows.h>
#include "framework/Rect.h"
#include "geometry/DeviceClip.h"
#include "geometry/Vector2D.h"

class CDC;
class CViewContext;

class CDeviceStroke
{
public:
    // cull, when given, is the device area a stroke can show in: a segment
    // lying wholly on one side of it is skipped without a call to the device.
    CDeviceStroke(CDC* pDC, const CViewContext& view, const RECT* cull = nullptr);
    // Ends the stroke (End).
    ~CDeviceStroke();
    CDeviceStroke(const CDeviceStroke&) = delete;
    CDeviceStroke& operator=(const CDeviceStroke&) = delete;

    void MoveTo(double x, double y);
    void MoveTo(const CVector2D& p) { MoveTo(p.x, p.y); }
    // A segment from the last point; an invisible one only moves the chain on.
    void LineTo(double x, double y, bool visible = true);
    void LineTo(const CVector2D& p, bool visible = true) { LineTo(p.x, p.y, visible); }
    // Leaves the device's current position at the last point's pixel, as plain
    // MoveTo and LineTo calls would, when that point lies in the widened device
    // area; a move is sent only where the position differs.
    void End();

private:
    unsigned Outcode(const POINT& p) const;

    CDC* m_pDC;
    const CViewContext& m_view;
    CClipBox m_box;
    RECT m_cull{};
    bool m_bCull = false;
    // The last point of the chain, as a device offset, and its pixel when it
    // lies inside the widened device area.
    CClipPoint m_last{};
    CPoint m_lastPixel;
    bool m_bHasLast = false;
    bool m_bLastInside = false;
    // The device's current position, where known.
    CPoint m_position;
    bool m_bPositioned = false;
};
