// A circle entity; the program only creates one when an archive holds it.
#pragma once

#include "geometry/Entity.h"

class CCircle : public CEntity
{
    DECLARE_SERIAL(CCircle)

public:
    CCircle();

    void Serialize(CArchive& ar) override;

    CVector2D GetCenter() const { return CVector2D(m_dCx, m_dCy); }
    double GetRadius() const { return m_dRadius; }
    bool SetCenter(double x, double y);
    bool SetRadius(double r);
    bool IsPointInside(double x, double y) const;

    void Draw(CDC* pDC, CViewContext* pView) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool MoveBy(double dx, double dy) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void RecalcExtents() override;

protected:
    double m_dCx, m_dCy;
    double m_dRadius;
};
