// A single point entity, drawn as a plus sign; the document keeps one as a
// position marker.
#pragma once

#include "geometry/Entity.h"

class C2DPoint : public CEntity
{
    DECLARE_SERIAL(C2DPoint)

public:
    C2DPoint();

    void Serialize(CArchive& ar) override;

    CVector2D GetPoint() const { return CVector2D(m_dX, m_dY); }
    double GetX() const { return m_dX; }
    double GetY() const { return m_dY; }
    bool SetPoint(double x, double y);
    bool SetPoint(const CVector2D& p) { return SetPoint(p.x, p.y); }
    int GetMarkerSize() const { return m_nMarkerSize; }
    bool SetMarkerSize(int n);

    void Draw(CDC* pDC, CViewContext* pView) override;
    CVector2D GetNearestPoint(double x, double y) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool Rotate(double cx, double cy, double angle) override;
    bool MoveBy(double dx, double dy) override;
    bool SaveVertices() override;
    bool RestoreVertices() override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void RecalcExtents() override;

protected:
    double m_dX, m_dY;
    int m_nMarkerSize;
    double m_dSavedX, m_dSavedY;
};
