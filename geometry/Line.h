// A straight segment entity; the base of the barrier, collector and marker
// line entities.
#pragma once

#include "geometry/Entity.h"

class CLine : public CEntity
{
    DECLARE_SERIAL(CLine)

public:
    CLine();

    void Serialize(CArchive& ar) override;

    CVector2D GetStartPoint() const { return CVector2D(m_dX1, m_dY1); }
    CVector2D GetEndPoint() const { return CVector2D(m_dX2, m_dY2); }
    double GetX1() const { return m_dX1; }
    double GetY1() const { return m_dY1; }
    double GetX2() const { return m_dX2; }
    double GetY2() const { return m_dY2; }
    bool SetStartPoint(double x, double y);
    bool SetStartPoint(const CVector2D& p) { return SetStartPoint(p.x, p.y); }
    bool SetEndPoint(double x, double y);
    bool SetEndPoint(const CVector2D& p) { return SetEndPoint(p.x, p.y); }
    bool SetPoints(double x1, double y1, double x2, double y2);
    bool SetPoints(const CVector2D& a, const CVector2D& b) { return SetPoints(a.x, a.y, b.x, b.y); }

    void Draw(CDC* pDC, CViewContext* pView) override;
    CVector2D GetNearestPoint(double x, double y) override;
    int GetExportPartCount() override { return 1; }
    bool GetExportPartPoints(int part, CVectorArray& points) override;
    bool Rotate(double cx, double cy, double angle) override;
    bool Scale(double cx, double cy, double sx, double sy) override;
    bool MoveBy(double dx, double dy) override;
    bool SaveVertices() override;
    bool RestoreVertices() override;
    bool DragBy(double dx, double dy) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void RecalcExtents() override;

    // The line in the selection pen, inverting, so drawing it twice restores
    // the screen.
    virtual void DrawHighlight(CDC* pDC, CViewContext* pView);

protected:
    double m_dX1, m_dY1;
    double m_dX2, m_dY2;
    double m_dSavedX1, m_dSavedY1, m_dSavedX2, m_dSavedY2;
};
