// The program's print preview: the standard preview, which also follows a
// paper, orientation or margin change made while it is open (Page Setup stays
// reachable from it) and then has the previewed window find its page breaks
// again, paints each page off-screen and copies it in one step, and offers a
// context menu.
#pragma once

#include <array>

#include "framework/Preview.h"

class COvPreviewView : public CPreviewView
{
    DECLARE_DYNCREATE(COvPreviewView)
public:
    COvPreviewView() = default;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;

protected:
    // True when the program's margins differ from those of the last call.
    bool MarginsChanged();
    // The previewed window measures its pages again (new paper or margins).
    void MeasurePagesAgain();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    std::array<double, 4> m_margins{};
    bool m_bMarginsKnown = false;
};
