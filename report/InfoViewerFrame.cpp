#include "report/InfoViewerFrame.h"

#include "model/MainFrameServices.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CInfoViewerFrame, CMDIChildWnd)

CInfoViewerFrame::~CInfoViewerFrame() = default;

int CInfoViewerFrame::OnCreate(LPCREATESTRUCTA lpcs) {
    if (CMDIChildWnd::OnCreate(lpcs) == -1) return -1;
    if (CWinApp* app = AfxGetApp())
        if (HICON icon = app->LoadIcon(IDI_REPORT)) SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    return 0;
}

CString CInfoViewerFrame::FormatTitle(const CString& document, int window, const CString& view, bool modified) {
    CString title = document;
    if (window > 0) {
        CString number;
        number.Format(":%d", window);
        title += number;
    }
    if (!view.IsEmpty()) title += " - " + view;
    if (modified) title += "*";
    return title;
}

void CInfoViewerFrame::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr) {
        CString viewText;
        if (CView* view = GetActiveView()) view->GetWindowText(viewText);
        const CString title = FormatTitle(doc->GetTitle(), m_nWindow, viewText, doc->IsModified() != FALSE);
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

void CInfoViewerFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    MainFrameServices().DocumentWindowActivated();
}

void CInfoViewerFrame::OnDestroy() {
    MainFrameServices().DocumentWindowClosing(GetActiveDocument(), this);
    CMDIChildWnd::OnDestroy();
}

BEGIN_MESSAGE_MAP(CInfoViewerFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
