// CReportRichEdit: the read-only rich-edit control in which the report viewer
// shows its report, with a right-click menu that copies the report and saves
// it as formatted (.rtf) or plain (.txt) text. Copying is the control's own;
// saving goes back to the viewer, which owns the report and the file dialogs.
#pragma once

#include "controls/KsMenu.h"
#include "framework/RichEdit.h"

class CInfoViewer;

class CReportRichEdit : public CRichEditCtrl {
    DECLARE_DYNAMIC(CReportRichEdit)
public:
    CReportRichEdit() = default;
    ~CReportRichEdit() override;

    // The viewer that owns this control; null until the viewer sets it.
    CInfoViewer* m_pViewer = nullptr;

    // The selection, or the whole text when nothing is selected (the caret then
    // ends at the start, and the selection is never seen to change).
    void CopyReport();

    afx_msg void OnEditCopy();
    afx_msg void OnSaveRtf();
    afx_msg void OnSaveTxt();

protected:
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);

    KsMenu m_menuContext;

    DECLARE_MESSAGE_MAP()
};
