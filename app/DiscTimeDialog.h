// CDiscTimedlg: the modeless player of the disc results of a document. It
// shows one chosen time step, or every step as discs or as paths, with a skip
// count, a contacts switch and a choice of the values labelled. The main
// frame owns the one window, hands it the active document and hides it when
// no document is left; Done and closing only hide it.
#pragma once

#include "controls/CaptionBarDialog.h"
#include "model/ResultRecords.h"
#include "framework/CommonControls.h"
#include "framework/StdControls.h"

class CDocument;
class CTalusimDoc;

// A slider that moves with a redraw.
class CDiscSlider : public CSliderCtrl {
    DECLARE_DYNAMIC(CDiscSlider)
public:
    int GetPosition() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    int GetMaximum() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void MoveTo(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
};

class CDiscTimedlg : public CCaptionBarDialog {
    DECLARE_DYNAMIC(CDiscTimedlg)
public:
    explicit CDiscTimedlg(CWnd* pParentWnd);
    // Creates the window from its template, without a parent.
    BOOL Create();
    // The document shown (null: none); the controls follow it at once.
    void SetDocument(CDocument* doc);
    CDocument* GetDocument() const;
    // Reads the document's disc state into the controls.
    void Refresh();
    void CloseFromCaption() override { ShowWindow(SW_HIDE); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override { ShowWindow(SW_HIDE); }
    void OnCancel() override { ShowWindow(SW_HIDE); }
    void PostNcDestroy() override { delete this; }
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnStepSpin(NMHDR* header, LRESULT* result);
    afx_msg void OnSkipSpin(NMHDR* header, LRESULT* result);
    afx_msg void OnSkipEdit();
    afx_msg void OnOneStep() { SetMode(CDiscParameters::DISPLAY_ONE_STEP); }
    afx_msg void OnAllDiscs() { SetMode(CDiscParameters::DISPLAY_ALL_DISCS); }
    afx_msg void OnAllPaths() { SetMode(CDiscParameters::DISPLAY_ALL_PATHS); }
    afx_msg void OnContacts();
    afx_msg void OnDataChange();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    void SetMode(int mode);
    void UpdateLabels(int current, int last, double endTime);
    void SetTextIfChanged(int id, const CString& text);
    void EnableControls(const int* ids, int count, bool enable);

    CComboBox m_data;
    CDiscSlider m_skipSlider;
    CDiscSlider m_stepSlider;
    UINT m_nSkip = 0;
    double m_dEndTime = 0.0;
    int m_nLast = 0;
    CTalusimDoc* m_pDocument = nullptr;
    bool m_bRefreshing = false;
};
