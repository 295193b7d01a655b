// CInfoViewerFrame: the MDI child window around a report viewer. It carries
// the report's icon and titles itself after the document and the view
// ("slope.cla - InfoViewer", "slope.cla:2 - InfoViewer*").
#pragma once

#include "framework/Frame.h"

class CInfoViewerFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CInfoViewerFrame)
public:
    CInfoViewerFrame() = default;
    ~CInfoViewerFrame() override;

    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The title for a document title, window number (0 or less: none), view text and modified state.
    static CString FormatTitle(const CString& document, int window, const CString& view, bool modified);

protected:
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
