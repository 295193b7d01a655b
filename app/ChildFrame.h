// CChildFrame: the document window of the slope, graph and 3-D templates. Its
// title is the document's, with the view's own text after a colon and a star
// while the document is modified.
#pragma once

#include "framework/Frame.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
