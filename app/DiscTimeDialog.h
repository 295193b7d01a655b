// CDiscTimedlg: the modeless player of the disc time steps stored in a
// document. The frame shows it, hands it the document and hides it when the
// last document closes; its content comes with the discrete-element programs.
#pragma once

#include "controls/CaptionBarDialog.h"

class CDocument;

class CDiscTimedlg : public CCaptionBarDialog {
    DECLARE_DYNAMIC(CDiscTimedlg)
public:
    explicit CDiscTimedlg(CWnd* pParentWnd);
    // Creates the window from its template, without a parent.
    BOOL Create();
    void SetDocument(CDocument* doc);
    CDocument* GetDocument() const { return m_pDocument; }

private:
    CDocument* m_pDocument = nullptr;
};
