#include "app/ChildFrame.h"

#include <cfloat>

#include "app/MainFrame.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

void CChildFrame::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr) {
        CString title = doc->GetTitle();
        if (CView* view = GetActiveView()) {
            CString text;
            view->GetWindowText(text);
            if (!text.IsEmpty()) title += ":" + text;
        }
        if (doc->IsModified()) title += "*";
        CString current;
        GetWindowText(current);
        if (current != title) {
            SetWindowText(title);
            // The Window menu lists the windows by title: have it rebuilt.
            ::SendMessageA(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
        }
    }
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(bAddToTitle);
}

void CChildFrame::OnNcMouseMove(UINT, CPoint) {
    // Over the border the cursor is over no view: no coordinates.
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) main->SetCursorCoordinates(DBL_MAX, DBL_MAX);
}

void CChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    // The material combo lists the materials of the active document only.
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        main->PostMessage(WM_SHELL_DOCUMENT_CHANGED);
}

void CChildFrame::OnDestroy() {
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()); main != nullptr && main->GetSafeHwnd() != nullptr) {
        main->DocumentWindowClosing(GetActiveDocument(), this);
        main->PostMessage(WM_SHELL_DOCUMENT_CHANGED);
    }
    CMDIChildWnd::OnDestroy();
}

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_NCMOUSEMOVE()
    ON_WM_MDIACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
