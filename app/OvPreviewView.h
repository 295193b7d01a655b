// The program's print preview: the standard preview, which also follows a
// paper or orientation change made while it is open (Page Setup stays
// reachable from it), paints each page off-screen and copies it in one step,
// and offers a context menu.
#pragma once

#include "framework/Preview.h"

class COvPreviewView : public CPreviewView
{
    DECLARE_DYNCREATE(COvPreviewView)
public:
    COvPreviewView() = default;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
