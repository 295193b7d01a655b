// The View Limits dialog: the world window a view shows, as its minimum and
// maximum coordinates. The caller sets the four values before DoModal and
// reads them after OK.
#pragma once

#include "framework/Dialog.h"
#include "geometry/Constants.h"

class CSet_Limits : public CDialog
{
    DECLARE_DYNCREATE(CSet_Limits)
public:
    CSet_Limits();

    // Each value is kept truncated toward zero to whole thousandths.
    void SetMaxX(double value) { m_maxX = Thousandths(value); }
    void SetMaxY(double value) { m_maxY = Thousandths(value); }
    void SetMinX(double value) { m_minX = Thousandths(value); }
    void SetMinY(double value) { m_minY = Thousandths(value); }
    double GetMaxX() const { return m_maxX; }
    double GetMaxY() const { return m_maxY; }
    double GetMinX() const { return m_minX; }
    double GetMinY() const { return m_minY; }

    // The largest coordinate the dialog accepts either way: the one a typed
    // model point may have.
    static constexpr double kLimit = COORDINATE_LIMIT;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    static double Thousandths(double value);

    double m_maxX = 0.0;
    double m_minX = 0.0;
    double m_maxY = 0.0;
    double m_minY = 0.0;
};
