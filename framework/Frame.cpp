#include "framework/Frame.h"

#include <shellapi.h>

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/Preview.h"
#include "framework/ResourceHandle.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

// The window classes of frames, registered once with the icon of the frame's resource.
LPCSTR FrameClassFor(UINT nIDResource, bool mdiFrame) {
    HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    if (icon == nullptr) icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>((mdiFrame ? COLOR_APPWORKSPACE : COLOR_WINDOW) + 1), icon);
}

// The first line of a frame's resource string: its title.
CString FrameTitleFor(UINT nIDResource) {
    CString s;
    if (!s.LoadString(nIDResource)) return s;
    int nl = s.Find('\n');
    return nl < 0 ? s : s.Left(nl);
}

} // namespace

// ---- CWnd services that need frames ----

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND h = ::GetParent(m_hWnd); h != nullptr; h = ::GetParent(h)) {
        CWnd* w = FromHandlePermanent(h);
        if (w != nullptr && w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                                                           : GetParentFrame();
    while (frame != nullptr) {
        CFrameWnd* parent = frame->GetParentFrame();
        if (parent == nullptr) break;
        frame = parent;
    }
    return frame;
}

// ---- CFrameWnd ----

CFrameWnd::~CFrameWnd() {
    // The default menu belongs to the frame unless it is shown by another.
    if (m_hMenuDefault != nullptr && m_hWnd == nullptr) ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelTable != nullptr) ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName) {
    m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::CreateFromResource(UINT nIDResource, bool bMDI, DWORD dwStyle, CWnd* pParentWnd,
                                   CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    m_strTitle = FrameTitleFor(nIDResource);
    LPCSTR cls = FrameClassFor(nIDResource, bMDI);
    if (!Create(cls, m_strTitle, dwStyle, rectDefault, pParentWnd, MAKEINTRESOURCEA(nIDResource), 0, pContext))
        return FALSE;
    if (m_hAccelTable == nullptr) LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    if (!CreateFromResource(nIDResource, false, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
    HMENU menu = nullptr;
    if (lpszMenuName != nullptr) menu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    m_strTitle = lpszWindowName;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), menu, pContext)) {
        if (menu != nullptr) ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = FrameClassFor(0, false);
    // The caption is set by OnUpdateFrameTitle; the style bit is ours, not the system's.
    cs.style &= ~FWS_ADDTOTITLE & ~FWS_PREFIXTITLE & ~FWS_SNAPTOBARS;
    m_nIdleFlags |= idleTitle;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpcs) {
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCTA lpcs, CCreateContext* pContext) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    // Keep the menu the window was created with as the default one.
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (!OnCreateClient(lpcs, pContext)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == nullptr) return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    if (object == nullptr) return nullptr;
    CWnd* view = static_cast<CWnd*>(object);
    // A view that fails to be created has deleted itself.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext)) return nullptr;
    if (view->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return view;
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* old = m_pViewActive;
    if (pViewNew == old) return;
    m_pViewActive = nullptr;
    if (bNotify && old != nullptr) old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* view = GetActiveView();
    if (view == nullptr) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pane != nullptr && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            view = static_cast<CView*>(pane);
            SetActiveView(view, FALSE);
        }
    }
    // Every view of this frame gets OnInitialUpdate.
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible) {
        ActivateFrame(-1);
        if (view != nullptr) view->OnActivateView(TRUE, view, view);
    }
    if (pDoc != nullptr) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic()) nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName) {
    CString title;
    if (GetStyle() & FWS_PREFIXTITLE) {
        title = lpszDocName ? CString(lpszDocName) + " - " + m_strTitle : m_strTitle;
    } else {
        title = m_strTitle;
        if (lpszDocName != nullptr && *lpszDocName) title += CString(" - ") + lpszDocName;
    }
    CString current;
    GetWindowText(current);
    if (current != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr) UpdateFrameTitleForDocument(doc->GetTitle());
    else UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (hMenuAlt == nullptr) hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != nullptr && ::GetMenu(m_hWnd) != hMenuAlt) ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, CRect* pRectClient) {
    AFX_SIZEPARENTPARAMS layout{};
    if (pRectClient != nullptr) layout.rect = *pRectClient;
    else ::GetClientRect(m_hWnd, &layout.rect);
    layout.bStretch = TRUE;
    layout.hDWP = ::BeginDeferWindowPos(8);
    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver) leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast && FromHandlePermanent(child) != nullptr)
            ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    // Each deferral may hand back a new handle, which the next one must use.
    if (leftOver != nullptr && layout.hDWP != nullptr) {
        CRect r(layout.rect);
        layout.hDWP = ::DeferWindowPos(layout.hDWP, leftOver, nullptr, r.left, r.top, r.Width(), r.Height(),
                                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    // The status bar's first pane shows the text.
    CWnd* bar = GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
    if (bar == nullptr) return 0;
    CString text;
    if (lParam != 0) {
        text = reinterpret_cast<LPCSTR>(lParam);
    } else if (wParam != 0) {
        // A command's string is "prompt\ntool tip": the prompt goes to the status bar.
        text = AfxLoadLibraryString(static_cast<UINT>(wParam));
        int nl = text.Find('\n');
        if (nl >= 0) text = text.Left(nl);
    }
    bar->SetWindowText(text);
    return 0;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        // The menu closed: back to the idle message.
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    } else if (nFlags & (MF_POPUP | MF_SEPARATOR)) {
        SetMessageText("");
    } else {
        SetMessageText(nItemID);
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    CView* view = GetActiveView();
    if (view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL accel = GetDefaultAccelerator();
        if (accel != nullptr && ::TranslateAcceleratorA(m_hWnd, accel, pMsg)) return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::BeginMainWindowClose() {
    if (!IsWindowEnabled()) {
        m_bCloseDeferred = true;
        return FALSE;
    }
    m_bCloseDeferred = false;
    if (CPreviewView* preview = CPreviewView::ShownIn(this)) preview->EndPreview();
    return TRUE;
}

void CFrameWnd::OnEnable(BOOL bEnable) {
    CWnd::OnEnable(bEnable);
    // The work or the dialog that held the documents is over: the close asked for meanwhile goes ahead now.
    if (bEnable && m_bCloseDeferred) {
        m_bCloseDeferred = false;
        PostMessage(WM_CLOSE);
    }
}

void CFrameWnd::OnClose() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        if (!BeginMainWindowClose()) return;
        // Closing the main window closes every document, after asking to save them.
        if (!app->SaveAllModified()) return;
        app->CloseAllDocuments(FALSE);
        if (m_hWnd == nullptr) return;
        DestroyWindow();
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr) {
        if (!doc->CanCloseFrame(this)) return;
        // The document's last frame closes the document, and with it the frame.
        int frames = 0;
        for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;) {
            CView* v = doc->GetNextView(pos);
            if (v->GetParentFrame() != this) ++frames;
        }
        if (frames == 0) {
            doc->PreCloseFrame(this);
            doc->OnCloseDocument();
            return;
        }
        doc->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    // A preview still shown ends while the views it draws from exist.
    if (CPreviewView* preview = CPreviewView::ShownIn(this)) preview->EndPreview();
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault) {
        // Give the window its own menu back so that the shared one outlives it.
        ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    m_hMenuDefault = nullptr; // destroyed with the window
    CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr && m_pViewActive->GetSafeHwnd() != nullptr) m_pViewActive->SetFocus();
    else CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    // A view that covers the client area paints it all: nothing to erase.
    if (m_pViewActive != nullptr) return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu) return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0) continue; // separator
        state.m_pSubMenu = nullptr;
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A popup: its entry follows the state of its first command.
            CMenu* sub = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (sub == nullptr || (state.m_nID = sub->GetMenuItemID(0)) == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.m_pSubMenu = sub;
            state.DoUpdate(this, FALSE);
        } else {
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // A handler may have added or removed items.
        UINT count = pMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - count);
            while (state.m_nIndex < count && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = count;
    }
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
    SetActiveWindow();
    CWinApp* app = AfxGetApp();
    UINT count = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && app != nullptr; ++i) {
        char path[MAX_PATH];
        ::DragQueryFileA(hDropInfo, i, path, MAX_PATH);
        app->OpenDocumentFile(path);
    }
    ::DragFinish(hDropInfo);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* view = GetActiveView();
    if (nState != WA_INACTIVE && !bMinimized && view != nullptr) view->OnActivateView(TRUE, view, view);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_nIdleFlags & idleTitle) {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIdleFlags & idleLayout) {
        m_nIdleFlags &= ~idleLayout;
        RecalcLayout();
    }
    return 0;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_ENABLE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_DROPFILES()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_WM_MENUSELECT()
END_MESSAGE_MAP()

// ---- CMDIFrameWnd ----

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    return CreateFromResource(nIDResource, true, dwDefaultStyle, pParentWnd, pContext);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    if (hMenuBar == nullptr) return nullptr;
    int count = ::GetMenuItemCount(hMenuBar);
    // The popup holding the window commands, else the one before the last (before Help).
    for (int i = count - 1; i >= 0; --i) {
        HMENU sub = ::GetSubMenu(hMenuBar, i);
        if (sub == nullptr) continue;
        int items = ::GetMenuItemCount(sub);
        for (int j = 0; j < items; ++j) {
            UINT id = ::GetMenuItemID(sub, j);
            // A nested popup answers -1 here: it is no window command.
            if (id == static_cast<UINT>(-1)) continue;
            if (id >= AFX_IDM_FIRST_MDICHILD || (id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT)) return sub;
        }
    }
    return count >= 2 ? ::GetSubMenu(hMenuBar, count - 2) : nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext*) {
    CMenu* windowMenu = CMenu::FromHandle(GetWindowMenuPopup(m_hMenuDefault));
    return CreateClient(lpcs, windowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTA, CMenu* pWindowMenu) {
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                                            WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                        0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (m_hWndMDIClient == nullptr) return nullptr;
    BOOL maximized = FALSE;
    HWND active = reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                        reinterpret_cast<LPARAM>(&maximized)));
    if (pbMaximized) *pbMaximized = maximized;
    CWnd* w = FromHandlePermanent(active);
    return w != nullptr && w->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(w) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
    HMENU old = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                       reinterpret_cast<WPARAM>(pFrameMenu->GetSafeHmenu()),
                                                       reinterpret_cast<LPARAM>(pWindowMenu->GetSafeHmenu())));
    ::DrawMenuBar(m_hWnd);
    return CMenu::FromHandle(old);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // A view of the main frame's own (the print preview) comes before the documents.
    if (m_pViewActive != nullptr) return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    CMDIChildWnd* child = MDIGetActive();
    if (child != nullptr && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The window list's items belong to the MDI client.
    if (lParam == 0 && LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD) return FALSE;
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // The active document's accelerators first, then the MDI keys, then the frame's own.
        CMDIChildWnd* child = MDIGetActive();
        if (child != nullptr && child->m_hAccelTable != nullptr &&
            ::TranslateAcceleratorA(m_hWnd, child->m_hAccelTable, pMsg))
            return TRUE;
        // While the frame shows a view of its own (a print preview) the
        // documents' windows wait hidden behind it, and the preview draws from
        // one of them: no MDI key closes or switches them meanwhile.
        if (CPreviewView::ShownIn(this) == nullptr && m_hWndMDIClient != nullptr &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
        if (m_hAccelTable != nullptr && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CMDIChildWnd* child = MDIGetActive();
    if (child != nullptr) {
        child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
        return;
    }
    if (hMenuAlt == nullptr) hMenuAlt = m_hMenuDefault;
    ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                   reinterpret_cast<LPARAM>(GetWindowMenuPopup(hMenuAlt)));
    ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIChildWnd* child = MDIGetActive();
    CDocument* doc = child != nullptr ? child->GetActiveDocument() : nullptr;
    // A maximised child's title is shown by the system after the frame's own,
    // in brackets: the document's name is not repeated before it.
    if (bAddToTitle && doc != nullptr && !child->IsZoomed()) UpdateFrameTitleForDocument(doc->GetTitle());
    else UpdateFrameTitleForDocument(nullptr);
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout) return;
    CFrameWnd::RecalcLayout(bNotify);
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy) {
    // The client is laid out by RecalcLayout; the default handling would cover it all.
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CMDIFrameWnd::OnDestroy() {
    // A preview still shown ends first: it would put the shared menu back.
    if (CPreviewView* preview = CPreviewView::ShownIn(this)) preview->EndPreview();
    // The shared menus belong to their templates: give the window its own back.
    if (m_hMenuDefault != nullptr) ::SetMenu(m_hWnd, m_hMenuDefault);
    CFrameWnd::OnDestroy();
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
    switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); break;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); break;
    default: return FALSE;
    }
    return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active != nullptr ? active->GetActiveDocument() : nullptr;
    if (doc == nullptr || doc->GetDocTemplate() == nullptr) return;
    CFrameWnd* frame = doc->GetDocTemplate()->CreateNewFrame(doc, active);
    if (frame != nullptr) doc->GetDocTemplate()->InitialUpdateFrame(frame, doc);
}

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

// ---- CMDIChildWnd ----

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    m_strTitle = FrameTitleFor(nIDResource);
    LPCSTR cls = FrameClassFor(nIDResource, false);
    // The menu and accelerators are the template's, shared by all its windows.
    if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr) {
        m_hMenuShared = pContext->m_pNewDocTemplate->m_hMenuShared;
        m_hAccelTable = pContext->m_pNewDocTemplate->m_hAccelTable;
    }
    return Create(cls, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCSTR, DWORD dwExStyle, CCreateContext* pContext) {
    CMDIFrameWnd* mdiFrame = nullptr;
    if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        mdiFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
    if (mdiFrame == nullptr || mdiFrame->m_hWndMDIClient == nullptr) {
        PostNcDestroy(); // a failed creation always ends here, as for other windows
        return FALSE;
    }

    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle | WS_EX_MDICHILD;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle & ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = mdiFrame->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // A new window comes up maximized when the active one is.
    BOOL maximized = FALSE;
    mdiFrame->MDIGetActive(&maximized);
    if (maximized) cs.style |= WS_MAXIMIZE;
    MDICREATESTRUCTA mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    AfxHookWindowCreate(this);
    HWND h = reinterpret_cast<HWND>(::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDICREATE, 0,
                                                   reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    if (h == nullptr) return FALSE;
    if (cs.style & WS_MAXIMIZE) ::ShowWindow(h, SW_SHOWMAXIMIZED);
    return TRUE;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTA lpcs) {
    // An MDI child's creation parameters come wrapped in the MDI structure.
    auto* mcs = static_cast<MDICREATESTRUCTA*>(lpcs->lpCreateParams);
    auto* context = reinterpret_cast<CCreateContext*>(mcs != nullptr ? mcs->lParam : 0);
    return OnCreateHelper(lpcs, context);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    HWND client = ::GetParent(m_hWnd);
    CWnd* frame = FromHandlePermanent(::GetParent(client));
    return frame != nullptr && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

void CMDIChildWnd::MDIDestroy() { ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0); }
void CMDIChildWnd::MDIActivate() { ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
void CMDIChildWnd::MDIMaximize() { ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
void CMDIChildWnd::MDIRestore() { ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

BOOL CMDIChildWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    // MDI children are destroyed through their client so it can update its list.
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    BOOL visible = IsWindowVisible();
    if (nCmdShow == -1) nCmdShow = visible ? -1 : SW_SHOW;
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    MDIActivate();
    if (!visible) {
        // Newly shown: the main frame switches to this window's menu now.
        if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameMenu(nullptr);
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr) {
        CString title = doc->GetTitle();
        if (m_nWindow > 0) {
            CString n;
            n.Format(":%d", m_nWindow);
            title += n;
        }
        CString current;
        GetWindowText(current);
        if (current != title) SetWindowText(title);
    }
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameMenu(hMenuAlt);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd*, HMENU hMenuAlt) {
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame == nullptr) return;
    if (hMenuAlt == nullptr && bActive) hMenuAlt = m_hMenuShared;
    if (hMenuAlt == nullptr) hMenuAlt = frame->m_hMenuDefault;
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                   reinterpret_cast<LPARAM>(frame->GetWindowMenuPopup(hMenuAlt)));
    ::DrawMenuBar(frame->m_hWnd);
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The view and this frame; the main frame and the application come after, through the main frame.
    CView* view = GetActiveView();
    if (view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (GetMDIFrame() == nullptr) {
        CWinApp* app = AfxGetApp();
        return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    return FALSE;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
    // Accelerators are the main frame's business: it knows the active child's table.
    return CWnd::PreTranslateMessage(pMsg);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
    Default();
    CView* view = GetActiveView();
    if (bActivate) {
        OnUpdateFrameMenu(TRUE, pActivateWnd, nullptr);
        if (view != nullptr) view->OnActivateView(TRUE, view, view);
    } else {
        if (view != nullptr) view->OnActivateView(FALSE, view, view);
        // The last window going: the main frame's own menu comes back.
        if (pActivateWnd == nullptr) OnUpdateFrameMenu(FALSE, nullptr, nullptr);
    }
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    // DefMDIChildProc must see WM_SIZE for maximize and restore to work.
    Default();
    if (nType != SIZE_MINIMIZED) RecalcLayout();
    // Maximising or restoring changes how the main frame names the document.
    if (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED)
        if (CMDIFrameWnd* frame = GetMDIFrame()) frame->DelayUpdateFrameTitle();
    (void)cx;
    (void)cy;
}

void CMDIChildWnd::OnDestroy() {
    CWnd::OnDestroy();
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
