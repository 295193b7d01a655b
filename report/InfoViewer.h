// CInfoViewer: the report window of a document. Its whole client area is a
// read-only rich-edit control (CReportRichEdit) that shows the document's
// analysis report as formatted text. The report is assembled as one RTF stream
// (BeginRtf, AddParagraph, EndRtf) and rebuilt only when it is out of date: on
// the first update and whenever the document sets its modified flag. The
// viewer copies, saves (.rtf or .txt), prints and previews the report.
#pragma once

#include <vector>

#include "framework/View.h"
#include "report/ReportRichEdit.h"

class CTalusimDoc;

class CInfoViewer : public CView {
    DECLARE_DYNCREATE(CInfoViewer)
public:
    CInfoViewer();
    ~CInfoViewer() override;

    // Rebuilds the report now if it is out of date (the view's own update).
    void ForceUpdate();
    // Marks the report out of date; the next update rebuilds it.
    void MarkOutOfDate() { m_bReportCurrent = FALSE; }
    bool IsReportCurrent() const { return m_bReportCurrent != FALSE; }

    // Selects the whole text, so that the next stream replaces it.
    void SelectAllText();
    void BeginRtf();
    // One paragraph (or, without bNewParagraph, a continuation of the last) in
    // the given size and style. The text is plain text: it is escaped here.
    void AddParagraph(const CString& text, int nPointSize, BOOL bNewParagraph, BOOL bBold, BOOL bItalic,
                      BOOL bUnderline);
    // Closes the stream and loads it into the control in place of the selection.
    void EndRtf();
    // The stream assembled since BeginRtf (empty again once EndRtf loaded it).
    const CString& GetRtf() const { return m_strRtf; }

    // Asks for a file name and saves the report there: rich text (the whole
    // report), or plain text (the selection, or everything without one).
    void SaveReport(BOOL bFormatted);
    // Writes the report to path without asking; false (and the old file left
    // as it was) when it cannot be written. Errors are reported to the user.
    bool WriteReportFile(LPCSTR path, BOOL bFormatted);
    // The file name the save dialog proposes.
    CString DefaultReportName(BOOL bFormatted) const;

    // Prints the whole report on a printer DC (which stays the caller's) as
    // the print job "Clastor"; false when the job did not go through.
    bool PrintReport(HDC printer);

    CReportRichEdit& GetRichEdit() { return m_richEdit; }
    // Where each page of the preview shown now starts, in the control's
    // character positions (empty when there is no preview).
    const std::vector<long>& GetPageStarts() const { return m_pageStarts; }

    static constexpr UINT kRichEditId = 1;

protected:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnEditCopy();
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintDirect();
    afx_msg void OnFilePrintPreview();
    afx_msg void OnSaveRtf();
    afx_msg void OnSaveTxt();
    afx_msg void OnScrollLineUp();
    afx_msg void OnScrollLineDown();
    afx_msg void OnScrollPageUp();
    afx_msg void OnScrollPageDown();
    afx_msg void OnUpdateNeedsResults(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDisable(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);

    CReportRichEdit m_richEdit;
    CString m_strRtf;
    BYTE m_bReportCurrent = FALSE;

private:
    void Print(BOOL bDirect);
    // Where each previewed page starts, found when the preview begins.
    std::vector<long> m_pageStarts;

    DECLARE_MESSAGE_MAP()
};
