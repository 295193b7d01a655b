// CDistStatsDlg: the modeless "Distribution Statistics" window. The graph and
// slope views put their statistics report into it; Copy puts the report on the
// clipboard.
#pragma once

#include "controls/CaptionBarDialog.h"
#include "framework/String.h"

class CDocument;
class CView;

class CDistStatsDlg : public CCaptionBarDialog {
    DECLARE_DYNAMIC(CDistStatsDlg)
public:
    explicit CDistStatsDlg(CDocument* doc = nullptr);

    // The document whose clipboard service Copy uses; cleared when that document closes.
    CDocument* m_pClipboardDocument = nullptr;
    CString m_strReport;

    void SetReportText(const char* text) { m_strReport = text != nullptr ? text : ""; }
    void RefreshControls() { UpdateData(FALSE); }
    BOOL ShouldFollowView(CView* view);
    // Called when a document goes: the window must not keep using it.
    void DocumentClosing(CDocument* doc);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

protected:
    afx_msg void OnCopy();
    DECLARE_MESSAGE_MAP()
};
