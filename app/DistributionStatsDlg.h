// CDistStatsDlg: the modeless "Distribution Statistics" window. The graph and
// slope views put their statistics report into it; Copy puts the report on the
// clipboard.
#pragma once

#include "controls/CaptionBarDialog.h"
#include "framework/String.h"

class CDocument;
class CView;
class CREGDatabase;

class CDistStatsDlg : public CCaptionBarDialog {
    DECLARE_DYNAMIC(CDistStatsDlg)
public:
    explicit CDistStatsDlg(CDocument* doc = nullptr);

    // The drawing database whose clipboard service Copy uses, and the document
    // that owns it; both are cleared when that document closes.
    CREGDatabase* m_pClipboardDatabase = nullptr;
    CDocument* m_pClipboardOwner = nullptr;

    void SetClipboardDatabase(CREGDatabase* db, CDocument* owner) {
        m_pClipboardDatabase = db;
        m_pClipboardOwner = owner;
    }
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
