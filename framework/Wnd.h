// CWnd: a window handle with its message map.
//
// Every window that a CWnd creates or subclasses gets the library's window
// procedure, which finds the CWnd through the per-thread handle map and hands
// the message to WindowProc: the message map first, the original window
// procedure (DefWindowProc) for what is left. Windows met through FromHandle
// that the program does not own get temporary wrappers that are dropped on idle.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/String.h"

// windows.h defines GetNextWindow as a function-like macro; the member takes its place.
#undef GetNextWindow

class CScrollBar;
class CFrameWnd;
class CDataExchange;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The places SetWindowPos can put a window in the z-order.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Safe on a null pointer too, as callers pass optional windows through it.
    HWND GetSafeHwnd() const;
    operator HWND() const { return m_hWnd; }
    BOOL operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
    // A number that no other window object of this run has had or will have,
    // given on first request (from 1 up). What outlives a window, or may meet a
    // later one, names the window by it: a later window may get the address.
    int GetInstanceId() const;

    // The handle map.
    static CWnd* FromHandle(HWND h);
    static CWnd* FromHandlePermanent(HWND h);
    static void DeleteTempMap();
    void DetachTemporary() { m_hWnd = nullptr; }
    BOOL Attach(HWND h);
    HWND Detach();
    // Takes over an existing window: its messages now pass through this
    // object's message map, then to the window's own procedure.
    BOOL SubclassWindow(HWND h);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation. CreateEx uses a registered class name (or one of the library's
    // own classes when lpszClassName is null) and calls PreCreateWindow first.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A parent offers a child's notification back to it first; true when the child took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to PreTranslateMessage of each window from pMsg->hwnd up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // Default handling of the message being handled now.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }

    // Update handlers for the child windows of a dialog bar or a dialog.
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    // Dialog data exchange, used by dialogs and form-like windows.
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Relations.
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent->GetSafeHwnd())); }
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner) { m_hWndOwner = owner->GetSafeHwnd(); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    void GetDlgItem(int id, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id)); }
    CWnd* GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetNextWindow(UINT flag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, flag)); }
    CWnd* GetDescendantWindow(int id, BOOL bOnlyPerm = FALSE) const;
    CWnd* ChildWindowFromPoint(POINT p) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, p)); }
    BOOL IsChild(const CWnd* wnd) const { return ::IsChild(m_hWnd, wnd->GetSafeHwnd()); }
    static CWnd* WindowFromPoint(POINT p) { return FromHandle(::WindowFromPoint(p)); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* FindWindow(LPCSTR className, LPCSTR windowName) {
        return FromHandle(::FindWindowA(className, windowName));
    }

    // State and style.
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0) { return ModifyStyle(m_hWnd, remove, add, flags); }
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0) { return ModifyStyleEx(m_hWnd, remove, add, flags); }
    static BOOL ModifyStyle(HWND h, DWORD remove, DWORD add, UINT flags);
    static BOOL ModifyStyleEx(HWND h, DWORD remove, DWORD add, UINT flags);
    HICON SetIcon(HICON icon, BOOL bigIcon) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon(BOOL bigIcon) const { return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bigIcon)); }

    // Text and font.
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(LPSTR text, int maxCount) const { return ::GetWindowTextA(m_hWnd, text, maxCount); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    int GetDlgItemText(int id, LPSTR text, int maxCount) const { return ::GetDlgItemTextA(m_hWnd, id, text, maxCount); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, id, value, bSigned); }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL bSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, id, translated, bSigned);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
    int GetCheckedRadioButton(int first, int last) const;
    void SetFont(CFont* font, BOOL redraw = TRUE) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
    }
    CFont* GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

    // Size and position.
    void GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
    void GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
    void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(LPRECT r) const;
    void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(LPRECT r) const;
    void MapWindowPoints(CWnd* to, LPPOINT p, UINT count) const {
        ::MapWindowPoints(m_hWnd, to->GetSafeHwnd(), p, count);
    }
    void MapWindowPoints(CWnd* to, LPRECT r) const {
        ::MapWindowPoints(m_hWnd, to->GetSafeHwnd(), reinterpret_cast<LPPOINT>(r), 2);
    }
    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, w, h, repaint); }
    void MoveWindow(LPCRECT r, BOOL repaint = TRUE) {
        MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
    }
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* wp) const { wp->length = sizeof(*wp); return ::GetWindowPlacement(m_hWnd, wp); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* wp) { return ::SetWindowPlacement(m_hWnd, wp); }
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void CalcWindowRect(LPRECT r, UINT adjustType = 0);

    // Painting.
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* dc);
    CDC* BeginPaint(LPPAINTSTRUCT ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
    void EndPaint(LPPAINTSTRUCT ps) { ::EndPaint(m_hWnd, ps); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT r, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, r, erase); }
    void InvalidateRgn(CRgn* rgn, BOOL erase = TRUE) { ::InvalidateRgn(m_hWnd, *rgn, erase); }
    void ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT r = nullptr, CRgn* rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, r, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr, flags);
    }
    BOOL GetUpdateRect(LPRECT r, BOOL erase = FALSE) { return ::GetUpdateRect(m_hWnd, r, erase); }
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
    void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr) {
        ::ScrollWindow(m_hWnd, dx, dy, scroll, clip);
    }

    // Scroll bars.
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE) {
        ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
    }
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, bar, minPos, maxPos); }
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE) {
        info->cbSize = sizeof(*info);
        ::SetScrollInfo(m_hWnd, bar, info, redraw);
        return TRUE;
    }
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const {
        info->cbSize = sizeof(*info);
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, bar, info);
    }
    void ShowScrollBar(UINT bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, bar, show); }

    // Input.
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    void DragAcceptFiles(BOOL accept = TRUE);
    CWnd* GetNextDlgTabItem(CWnd* ctl, BOOL previous = FALSE) const {
        return FromHandle(::GetNextDlgTabItem(m_hWnd, ctl->GetSafeHwnd(), previous));
    }
    CWnd* GetNextDlgGroupItem(CWnd* ctl, BOOL previous = FALSE) const {
        return FromHandle(::GetNextDlgGroupItem(m_hWnd, ctl->GetSafeHwnd(), previous));
    }
    void GotoDlgCtrl(CWnd* ctl) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ctl->GetSafeHwnd()), TRUE); }

    // Menus.
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
    BOOL SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)); }

    // Clipboard and message boxes.
    BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    BOOL FlashWindow(BOOL invert) { return ::FlashWindow(m_hWnd, invert); }

    // Default handlers for the ON_WM_ entries: each passes the message on.
    afx_msg int OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCTA) { return static_cast<BOOL>(Default()); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnNcDestroy();
    afx_msg void OnClose() { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnNcPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg void OnMove(int, int) { Default(); }
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    afx_msg int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
    afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
    afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT);
    afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT);
    afx_msg int OnCompareItem(int, LPCOMPAREITEMSTRUCT) { return static_cast<int>(Default()); }
    afx_msg void OnDeleteItem(int, LPDELETEITEMSTRUCT) { Default(); }
    afx_msg LRESULT OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
    afx_msg void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
    afx_msg void OnInitMenu(CMenu*) { Default(); }
    afx_msg void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
    afx_msg void OnCaptureChanged(CWnd*) { Default(); }
    afx_msg void OnSysColorChange() { Default(); }
    afx_msg void OnSettingChange(UINT, LPCSTR) { Default(); }
    afx_msg void OnNcLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnNcLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnNcRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnNcMButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnNcMouseMove(UINT, CPoint) { Default(); }
    afx_msg LRESULT OnNcHitTest(CPoint) { return Default(); }
    afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    afx_msg BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
    afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    afx_msg void OnActivateApp(BOOL, DWORD) { Default(); }
    afx_msg BOOL OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
    afx_msg void OnPaletteChanged(CWnd*) { Default(); }
    afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
    afx_msg void OnDropFiles(HDROP) { Default(); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
    afx_msg void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    afx_msg void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    afx_msg void OnEnable(BOOL) { Default(); }
    afx_msg void OnCancelMode() { Default(); }
    afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
    afx_msg void OnChildActivate() { Default(); }
    afx_msg void OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
    afx_msg BOOL OnQueryEndSession() { return static_cast<BOOL>(Default()); }
    afx_msg void OnEndSession(BOOL) { Default(); }
    afx_msg void OnParentNotify(UINT, LPARAM) { Default(); }

protected:
    explicit CWnd(HWND special) : m_hWnd(special) {}
    WNDPROC m_pfnSuper = nullptr;  // the window's own procedure, for DefWindowProc
    HWND m_hWndOwner = nullptr;
    mutable int m_nInstanceId = 0;

    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;

    DECLARE_MESSAGE_MAP()
};

// The window procedure of every window the library manages.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Makes sure the window under construction by this thread becomes pWnd's:
// the next window created on this thread is attached and subclassed as soon
// as it exists, so that WM_NCCREATE and WM_CREATE already reach the map.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// Registers (once) a window class with the given style, cursor, background
// and icon and returns its name. The name stays valid for the process.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);

// The library's own window classes.
extern const char AfxWndClassName[];         // plain child windows and views
extern const char AfxFrameClassName[];       // frames
extern const char AfxMDIFrameClassName[];    // MDI frame (with the client)

// Message-map entries for window messages, with the handlers' natural signatures.
#define ON_WM_CREATE() AFX_ENTRY(Message, WM_CREATE, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(_call.lParam)); return TRUE;)
#define ON_WM_NCCREATE() AFX_ENTRY(Message, WM_NCCREATE, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnNcCreate(reinterpret_cast<LPCREATESTRUCTA>(_call.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_ON_VOID(WM_DESTROY, OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_VOID(WM_NCDESTROY, OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_VOID(WM_CLOSE, OnClose)
#define ON_WM_PAINT() AFX_ON_VOID(WM_PAINT, OnPaint)
#define ON_WM_NCPAINT() AFX_ON_VOID(WM_NCPAINT, OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_ENTRY(Message, WM_ERASEBKGND, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(_call.wParam))); return TRUE;)
#define ON_WM_SIZE() AFX_ENTRY(Message, WM_SIZE, 0, 0, 0, nullptr, \
    _self->OnSize(static_cast<UINT>(_call.wParam), static_cast<short>(LOWORD(_call.lParam)), static_cast<short>(HIWORD(_call.lParam))); return TRUE;)
#define ON_WM_MOVE() AFX_ENTRY(Message, WM_MOVE, 0, 0, 0, nullptr, \
    _self->OnMove(static_cast<short>(LOWORD(_call.lParam)), static_cast<short>(HIWORD(_call.lParam))); return TRUE;)
#define ON_WM_TIMER() AFX_ENTRY(Message, WM_TIMER, 0, 0, 0, nullptr, _self->OnTimer(static_cast<UINT_PTR>(_call.wParam)); return TRUE;)
#define AFX_ON_MOUSE(message, memberFxn) AFX_ENTRY(Message, message, 0, 0, 0, nullptr, \
    _self->memberFxn(static_cast<UINT>(_call.wParam), CPoint(_call.lParam)); return TRUE;)
#define ON_WM_LBUTTONDOWN() AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_MOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCMBUTTONDOWN() AFX_ON_MOUSE(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMOUSEMOVE() AFX_ON_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_ENTRY(Message, WM_MOUSEWHEEL, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnMouseWheel(LOWORD(_call.wParam), static_cast<short>(HIWORD(_call.wParam)), CPoint(_call.lParam)); return TRUE;)
#define ON_WM_MOUSEACTIVATE() AFX_ENTRY(Message, WM_MOUSEACTIVATE, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam)), LOWORD(_call.lParam), HIWORD(_call.lParam)); return TRUE;)
#define AFX_ON_KEY(message, memberFxn) AFX_ENTRY(Message, message, 0, 0, 0, nullptr, \
    _self->memberFxn(static_cast<UINT>(_call.wParam), LOWORD(_call.lParam), HIWORD(_call.lParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_ON_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_SETFOCUS() AFX_ENTRY(Message, WM_SETFOCUS, 0, 0, 0, nullptr, \
    _self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_ENTRY(Message, WM_KILLFOCUS, 0, 0, 0, nullptr, \
    _self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)
#define ON_WM_SETCURSOR() AFX_ENTRY(Message, WM_SETCURSOR, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam)), LOWORD(_call.lParam), HIWORD(_call.lParam)); return TRUE;)
#define ON_WM_CONTEXTMENU() AFX_ENTRY(Message, WM_CONTEXTMENU, 0, 0, 0, nullptr, \
    _self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam)), CPoint(_call.lParam)); return TRUE;)
#define ON_WM_HSCROLL() AFX_ENTRY(Message, WM_HSCROLL, 0, 0, 0, nullptr, \
    _self->OnHScroll(LOWORD(_call.wParam), static_cast<short>(HIWORD(_call.wParam)), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)))); return TRUE;)
#define ON_WM_VSCROLL() AFX_ENTRY(Message, WM_VSCROLL, 0, 0, 0, nullptr, \
    _self->OnVScroll(LOWORD(_call.wParam), static_cast<short>(HIWORD(_call.wParam)), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)))); return TRUE;)
// Every WM_CTLCOLORxxx arrives as WM_CTLCOLOR with its CTLCOLOR_ kind.
#define ON_WM_CTLCOLOR() AFX_ENTRY(Message, WM_CTLCOLOR, 0, 0, 0, nullptr, \
    _call.lResult = reinterpret_cast<LRESULT>(_self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(_call.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)), _call.nCode)); return TRUE;)
#define ON_WM_DRAWITEM() AFX_ENTRY(Message, WM_DRAWITEM, 0, 0, 0, nullptr, \
    _self->OnDrawItem(static_cast<int>(_call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() AFX_ENTRY(Message, WM_MEASUREITEM, 0, 0, 0, nullptr, \
    _self->OnMeasureItem(static_cast<int>(_call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM() AFX_ENTRY(Message, WM_COMPAREITEM, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnCompareItem(static_cast<int>(_call.wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(_call.lParam)); return TRUE;)
#define ON_WM_DELETEITEM() AFX_ENTRY(Message, WM_DELETEITEM, 0, 0, 0, nullptr, \
    _self->OnDeleteItem(static_cast<int>(_call.wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_MENUCHAR() AFX_ENTRY(Message, WM_MENUCHAR, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnMenuChar(LOWORD(_call.wParam), HIWORD(_call.wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(_call.lParam))); return TRUE;)
#define ON_WM_INITMENUPOPUP() AFX_ENTRY(Message, WM_INITMENUPOPUP, 0, 0, 0, nullptr, \
    _self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(_call.wParam)), LOWORD(_call.lParam), HIWORD(_call.lParam)); return TRUE;)
#define ON_WM_INITMENU() AFX_ENTRY(Message, WM_INITMENU, 0, 0, 0, nullptr, \
    _self->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(_call.wParam))); return TRUE;)
#define ON_WM_MENUSELECT() AFX_ENTRY(Message, WM_MENUSELECT, 0, 0, 0, nullptr, \
    _self->OnMenuSelect(LOWORD(_call.wParam), HIWORD(_call.wParam), reinterpret_cast<HMENU>(_call.lParam)); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_ENTRY(Message, WM_CAPTURECHANGED, 0, 0, 0, nullptr, \
    _self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam))); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_VOID(WM_SYSCOLORCHANGE, OnSysColorChange)
#define ON_WM_SETTINGCHANGE() AFX_ENTRY(Message, WM_SETTINGCHANGE, 0, 0, 0, nullptr, \
    _self->OnSettingChange(static_cast<UINT>(_call.wParam), reinterpret_cast<LPCSTR>(_call.lParam)); return TRUE;)
#define ON_WM_NCHITTEST() AFX_ENTRY(Message, WM_NCHITTEST, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnNcHitTest(CPoint(_call.lParam)); return TRUE;)
#define ON_WM_NCCALCSIZE() AFX_ENTRY(Message, WM_NCCALCSIZE, 0, 0, 0, nullptr, \
    _self->OnNcCalcSize(static_cast<BOOL>(_call.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(_call.lParam)); return TRUE;)
#define ON_WM_NCACTIVATE() AFX_ENTRY(Message, WM_NCACTIVATE, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnNcActivate(static_cast<BOOL>(_call.wParam)); return TRUE;)
#define ON_WM_ACTIVATE() AFX_ENTRY(Message, WM_ACTIVATE, 0, 0, 0, nullptr, \
    _self->OnActivate(LOWORD(_call.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)), HIWORD(_call.wParam)); return TRUE;)
#define ON_WM_ACTIVATEAPP() AFX_ENTRY(Message, WM_ACTIVATEAPP, 0, 0, 0, nullptr, \
    _self->OnActivateApp(static_cast<BOOL>(_call.wParam), static_cast<DWORD>(_call.lParam)); return TRUE;)
#define ON_WM_QUERYNEWPALETTE() AFX_ENTRY(Message, WM_QUERYNEWPALETTE, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnQueryNewPalette(); return TRUE;)
#define ON_WM_PALETTECHANGED() AFX_ENTRY(Message, WM_PALETTECHANGED, 0, 0, 0, nullptr, \
    _self->OnPaletteChanged(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)
#define ON_WM_GETDLGCODE() AFX_ENTRY(Message, WM_GETDLGCODE, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnGetDlgCode(); return TRUE;)
#define ON_WM_HELPINFO() AFX_ENTRY(Message, WM_HELP, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnHelpInfo(reinterpret_cast<HELPINFO*>(_call.lParam)); return TRUE;)
#define ON_WM_DROPFILES() AFX_ENTRY(Message, WM_DROPFILES, 0, 0, 0, nullptr, \
    _self->OnDropFiles(reinterpret_cast<HDROP>(_call.wParam)); return TRUE;)
#define ON_WM_GETMINMAXINFO() AFX_ENTRY(Message, WM_GETMINMAXINFO, 0, 0, 0, nullptr, \
    _self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(_call.lParam)); return TRUE;)
#define ON_WM_SHOWWINDOW() AFX_ENTRY(Message, WM_SHOWWINDOW, 0, 0, 0, nullptr, \
    _self->OnShowWindow(static_cast<BOOL>(_call.wParam), static_cast<UINT>(_call.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() AFX_ENTRY(Message, WM_WINDOWPOSCHANGING, 0, 0, 0, nullptr, \
    _self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(_call.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() AFX_ENTRY(Message, WM_WINDOWPOSCHANGED, 0, 0, 0, nullptr, \
    _self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(_call.lParam)); return TRUE;)
#define ON_WM_ENABLE() AFX_ENTRY(Message, WM_ENABLE, 0, 0, 0, nullptr, _self->OnEnable(static_cast<BOOL>(_call.wParam)); return TRUE;)
#define ON_WM_CANCELMODE() AFX_ON_VOID(WM_CANCELMODE, OnCancelMode)
#define ON_WM_SYSCOMMAND() AFX_ENTRY(Message, WM_SYSCOMMAND, 0, 0, 0, nullptr, \
    _self->OnSysCommand(static_cast<UINT>(_call.wParam), _call.lParam); return TRUE;)
#define ON_WM_CHILDACTIVATE() AFX_ON_VOID(WM_CHILDACTIVATE, OnChildActivate)
#define ON_WM_MDIACTIVATE() AFX_ENTRY(Message, WM_MDIACTIVATE, 0, 0, 0, nullptr, \
    _self->OnMDIActivate(reinterpret_cast<HWND>(_call.lParam) == _self->m_hWnd, CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)), CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)
#define ON_WM_QUERYENDSESSION() AFX_ENTRY(Message, WM_QUERYENDSESSION, 0, 0, 0, nullptr, \
    _call.lResult = _self->OnQueryEndSession(); return TRUE;)
#define ON_WM_ENDSESSION() AFX_ENTRY(Message, WM_ENDSESSION, 0, 0, 0, nullptr, _self->OnEndSession(static_cast<BOOL>(_call.wParam)); return TRUE;)
#define ON_WM_PARENTNOTIFY() AFX_ENTRY(Message, WM_PARENTNOTIFY, 0, 0, 0, nullptr, \
    _self->OnParentNotify(static_cast<UINT>(_call.wParam), _call.lParam); return TRUE;)

// Reflected window messages, handled by the control that caused them.
#define ON_WM_CTLCOLOR_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr, \
    _call.lResult = reinterpret_cast<LRESULT>(_self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(_call.wParam)), _call.nCode)); return TRUE;)
#define ON_WM_DRAWITEM_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr, \
    _self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, nullptr, \
    _self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_COMPAREITEM, 0, 0, 0, nullptr, \
    _call.lResult = _self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(_call.lParam)); return TRUE;)
#define ON_WM_DELETEITEM_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_DELETEITEM, 0, 0, 0, nullptr, \
    _self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_HSCROLL_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, nullptr, \
    _self->HScroll(LOWORD(_call.wParam), static_cast<short>(HIWORD(_call.wParam))); return TRUE;)
#define ON_WM_VSCROLL_REFLECT() AFX_ENTRY(Message, WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, nullptr, \
    _self->VScroll(LOWORD(_call.wParam), static_cast<short>(HIWORD(_call.wParam))); return TRUE;)

// Brings the scroll bar class name in for the scroll handlers.
class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw); }
};

// The wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};
