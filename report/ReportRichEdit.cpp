#include "report/ReportRichEdit.h"

#include "framework/WinApp.h"
#include "report/InfoViewer.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CReportRichEdit, CRichEditCtrl)

CReportRichEdit::~CReportRichEdit() = default;

void CReportRichEdit::CopyReport() {
    long start = 0, end = 0;
    GetSel(start, end);
    if (start != end) {
        Copy();
        return;
    }
    HideSelection(TRUE, TRUE);
    SetSel(0, -1);
    Copy();
    SetSel(0, 0);
    HideSelection(FALSE, TRUE);
}

void CReportRichEdit::OnEditCopy() { CopyReport(); }

void CReportRichEdit::OnSaveRtf() {
    if (m_pViewer != nullptr) m_pViewer->SaveReport(TRUE);
}

void CReportRichEdit::OnSaveTxt() {
    if (m_pViewer != nullptr) m_pViewer->SaveReport(FALSE);
}

void CReportRichEdit::OnRButtonDown(UINT, CPoint point) {
    CWinApp* app = AfxGetApp();
    CWnd* owner = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd : this;
    if (!m_menuContext.LoadMenu(IDR_REPORT_CONTEXT_MENU)) return;
    m_menuContext.LoadToolbar(IDR_TOOLBAR_STANDARD);
    m_menuContext.LoadToolbar(IDR_TOOLBAR_CONTEXT_IMAGES);
    ClientToScreen(&point);
    if (CMenu* popup = m_menuContext.GetSubMenu(0)) popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, owner);
    m_menuContext.DestroyMenu();
}

BEGIN_MESSAGE_MAP(CReportRichEdit, CRichEditCtrl)
    ON_WM_RBUTTONDOWN()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_REPORT_SAVE_RTF, OnSaveRtf)
    ON_COMMAND(ID_REPORT_SAVE_TXT, OnSaveTxt)
END_MESSAGE_MAP()
