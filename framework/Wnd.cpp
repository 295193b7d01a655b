#include "framework/Wnd.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "framework/Exception.h"
#include "framework/HandleMap.h"
#include "framework/HandlerFailure.h"
#include "framework/MessageBox.h"
#include "framework/ResourceException.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

const char AfxWndClassName[] = "ClastorWnd";
const char AfxFrameClassName[] = "ClastorFrame";
const char AfxMDIFrameClassName[] = "ClastorMDIFrame";

namespace {

CHandleMap<HWND, CWnd>& WndMap() { return AfxThreadHandleMap<HWND, CWnd>(); }

// The message being handled on this thread, for Default().
thread_local MSG currentMessage{};

// The object waiting for the next window this thread creates.
thread_local CWnd* windowBeingCreated = nullptr;
thread_local HHOOK creationHook = nullptr;

LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && windowBeingCreated != nullptr) {
        CWnd* pWnd = windowBeingCreated;
        windowBeingCreated = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        // Attach and subclass before the window gets WM_NCCREATE.
        pWnd->SubclassWindow(hWnd);
    }
    return ::CallNextHookEx(creationHook, code, wParam, lParam);
}

std::mutex classMutex;

bool IsColorMessage(UINT m) { return m >= WM_CTLCOLORMSGBOX && m <= WM_CTLCOLORSTATIC; }

} // namespace

void AfxHookWindowCreate(CWnd* pWnd) {
    if (creationHook == nullptr)
        creationHook = ::SetWindowsHookExA(WH_CBT, CreationHookProc, nullptr, ::GetCurrentThreadId());
    windowBeingCreated = pWnd;
}

BOOL AfxUnhookWindowCreate() {
    if (creationHook != nullptr) {
        ::UnhookWindowsHookEx(creationHook);
        creationHook = nullptr;
    }
    // Still set means no window was created.
    bool created = windowBeingCreated == nullptr;
    windowBeingCreated = nullptr;
    return created;
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass) {
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // One class per combination, named after it.
    static std::set<std::string> names;
    char name[96];
    wsprintfA(name, "ClastorWnd:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
              static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> lock(classMutex);
    auto it = names.insert(name).first;
    WNDCLASSA wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = it->c_str();
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
    return it->c_str();
}

namespace {

// The library's own classes, registered the first time a window needs one.
void RegisterOwnClass(LPCSTR name) {
    std::lock_guard<std::mutex> lock(classMutex);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (name == AfxWndClassName) {
        wc.style = CS_DBLCLKS;
    } else {
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(name == AfxMDIFrameClassName ? COLOR_APPWORKSPACE + 1 : COLOR_WINDOW + 1);
        wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    }
    AfxRegisterClass(&wc);
}

} // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG saved = currentMessage;
    currentMessage = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // A failure inside a handler, of any kind, is reported and the message
        // counts as handled: it must not unwind through the system's code.
        AfxReportHandlerFailure();
        result = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // The last message: a window whose handler skipped the base class still lets go of its handle.
        pWnd->CWnd::OnNcDestroy();
    }
    currentMessage = saved;
    return result;
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
    // A window object that dies with its window still open takes the window with it.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && WndMap().LookupPermanent(m_hWnd) == this) {
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr) Detach();
    }
}

int CWnd::GetInstanceId() const {
    // Given on request only, so the temporary wrappers of foreign windows,
    // made and dropped all the time, never use numbers up.
    static std::atomic<int> last{0};
    if (m_nInstanceId == 0) m_nInstanceId = ++last;
    return m_nInstanceId;
}

HWND CWnd::GetSafeHwnd() const {
    return SafeHandleOf(this, &CWnd::m_hWnd);
}

CWnd* CWnd::FromHandle(HWND h) {
    return WndMap().FromHandle(h, [](HWND hw) {
        auto w = std::make_unique<CWnd>();
        w->m_hWnd = hw;
        return w;
    });
}

CWnd* CWnd::FromHandlePermanent(HWND h) { return h ? WndMap().LookupPermanent(h) : nullptr; }

void CWnd::DeleteTempMap() { WndMap().DeleteTemporaries(); }

BOOL CWnd::Attach(HWND h) {
    if (h == nullptr) return FALSE;
    m_hWnd = h;
    WndMap().SetPermanent(h, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h != nullptr && WndMap().LookupPermanent(h) == this) WndMap().RemoveHandle(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND h) {
    if (!Attach(h)) return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND h = ::GetDlgItem(parent->GetSafeHwnd(), id);
    return h != nullptr && SubclassWindow(h);
}

HWND CWnd::UnsubclassWindow() {
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super != nullptr) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
        *super = nullptr;
    }
    return Detach();
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND h = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                               cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    BOOL attached = AfxUnhookWindowCreate();
    if (h == nullptr && !attached) {
        // No window was made at all: end the object's life as a destroyed window would.
        PostNcDestroy();
    }
    // A failed WM_CREATE has destroyed the window (and maybe this object) already.
    return h != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (cs.lpszClass == nullptr) {
        RegisterOwnClass(AfxWndClassName);
        cs.lpszClass = AfxWndClassName;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::OnNcDestroy() {
    if (WndMap().LookupPermanent(m_hWnd) == this) {
        // Nothing may reach this object through the window from now on.
        Default();
        UnsubclassWindow();
    }
    m_hWnd = nullptr;
    // The thread's main window going away ends the thread's message loop.
    CWinThread* thread = AfxGetThread();
    if (thread != nullptr && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& m = currentMessage;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &currentMessage; }

namespace {

// The control a parent's message came from, when the message is one that the
// control may handle itself.
HWND ControlOfMessage(UINT message, WPARAM wParam, LPARAM lParam, HWND parent) {
    switch (message) {
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        return mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(parent, static_cast<int>(mis->CtlID));
    }
    case WM_COMPAREITEM: return reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
    case WM_DELETEITEM: return reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: return reinterpret_cast<HWND>(lParam);
    default:
        if (IsColorMessage(message)) return reinterpret_cast<HWND>(lParam);
        (void)wParam;
        return nullptr;
    }
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT r = 0;
        if (!OnNotify(wParam, lParam, &r)) return FALSE;
        *pResult = r;
        return TRUE;
    }
    if (HWND child = ControlOfMessage(message, wParam, lParam, m_hWnd)) {
        if (child != m_hWnd) {
            CWnd* pChild = FromHandlePermanent(child);
            if (pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
        }
    }

    AFX_MSGCALL call;
    call.wParam = wParam;
    call.lParam = lParam;
    UINT lookup = message;
    if (IsColorMessage(message)) {
        lookup = WM_CTLCOLOR;
        call.nCode = static_cast<int>(message - WM_CTLCOLORMSGBOX);
    }
    const AFX_MSGMAP* map = GetMessageMap();
    const AFX_MSGMAP_ENTRY* entry = message >= 0xC000 && message <= 0xFFFF
                                        ? AfxFindMessageEntry(map, AfxEntryKind::Registered, message, 0, 0)
                                        : AfxFindMessageEntry(map, AfxEntryKind::Message, lookup, 0, 0);
    if (entry == nullptr) return FALSE;
    if (!entry->pfn(this, call)) return FALSE;
    *pResult = call.lResult;
    return TRUE;
}

namespace {

// What an update handler decided about a command, without a visible item.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hCtl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hCtl == nullptr) {
        // A menu item or an accelerator: a command its update handler disables is not carried out.
        nCode = CN_COMMAND;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) return TRUE;
    } else {
        if (hCtl != m_hWnd) {
            CWnd* pChild = FromHandlePermanent(hCtl);
            LRESULT r = 0;
            if (pChild != nullptr && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &r)) return TRUE;
        }
        // A notification from a control that went away meanwhile is dropped.
        if (!::IsWindow(hCtl)) return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
    if (nmhdr == nullptr) return FALSE;
    if (nmhdr->hwndFrom != nullptr && nmhdr->hwndFrom != m_hWnd) {
        CWnd* pChild = FromHandlePermanent(nmhdr->hwndFrom);
        if (pChild != nullptr && pChild->OnChildNotify(WM_NOTIFY, 0, lParam, pResult)) return TRUE;
    }
    AFX_NOTIFY notify{pResult, nmhdr};
    return OnCmdMsg(static_cast<UINT>(nmhdr->idFrom), static_cast<int>(nmhdr->code), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const AFX_MSGMAP* map = GetMessageMap();
    AFX_MSGCALL call;
    call.wParam = wParam;
    call.lParam = lParam;
    if (message == WM_COMMAND) {
        int code = HIWORD(wParam);
        const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map, AfxEntryKind::ReflectCommand, 0, code, 0);
        if (e == nullptr) return FALSE;
        call.nCode = code;
        call.nID = LOWORD(wParam);
        // An _EX handler may let the parent see the notification too.
        return e->pfn(this, call);
    }
    if (message == WM_NOTIFY) {
        auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* e =
            AfxFindMessageEntry(map, AfxEntryKind::ReflectNotify, 0, static_cast<int>(nmhdr->code), 0);
        if (e == nullptr) return FALSE;
        AFX_NOTIFY notify{pResult, nmhdr};
        call.pExtra = &notify;
        call.nCode = static_cast<int>(nmhdr->code);
        call.nID = static_cast<UINT>(nmhdr->idFrom);
        return e->pfn(this, call);
    }
    UINT lookup = WM_REFLECT_BASE + message;
    if (IsColorMessage(message)) {
        lookup = WM_REFLECT_BASE + WM_CTLCOLOR;
        call.nCode = static_cast<int>(message - WM_CTLCOLORMSGBOX);
    }
    const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map, AfxEntryKind::Message, lookup, 0, 0);
    if (e == nullptr || !e->pfn(this, call)) return FALSE;
    // A colour handler that gives no brush leaves the colours to the parent.
    if (IsColorMessage(message) && call.lResult == 0) return FALSE;
    if (pResult) *pResult = call.lResult;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == nullptr) return FALSE;
    LRESULT r = 0;
    const MSG& m = currentMessage;
    return pChild->OnChildNotify(m.message, m.wParam, m.lParam, pResult ? pResult : &r);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (h == hWndStop) break;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(child)) pWnd->WindowProc(message, wParam, lParam);
        } else {
            ::SendMessageA(child, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(child) != nullptr) {
            CWnd temp;
            temp.m_hWnd = child;
            temp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            temp.m_hWnd = nullptr;
        }
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == 0 || id == 0xFFFF) continue;
        state.m_pOther = FromHandle(child);
        state.m_nID = id;
        // Only buttons stand for commands: a control without a handler is
        // disabled when it is a push button, never when it takes input (an
        // edit, a combo box) or keeps its own state (a check box, a radio
        // button) or is a static text or a group box.
        BOOL disable = FALSE;
        if (bDisableIfNoHandler && (::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
            const LONG_PTR type = ::GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK;
            disable = type != BS_AUTOCHECKBOX && type != BS_AUTO3STATE && type != BS_AUTORADIOBUTTON &&
                      type != BS_GROUPBOX;
        }
        state.DoUpdate(pTarget, disable);
    }
}

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const {
    HWND h = m_hWnd;
    while (h != nullptr && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
    return FromHandle(h);
}

CWnd* CWnd::GetTopLevelOwner() const {
    HWND h = m_hWnd;
    for (HWND owner; (owner = ::GetWindow(h, GW_OWNER)) != nullptr || (::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD);) {
        h = owner != nullptr ? owner : ::GetParent(h);
        if (h == nullptr) break;
    }
    return FromHandle(h);
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL bOnlyPerm) const {
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == id) {
            CWnd* w = bOnlyPerm ? FromHandlePermanent(child) : FromHandle(child);
            if (w != nullptr) return w;
        }
        CWnd temp;
        temp.m_hWnd = child;
        CWnd* found = temp.GetDescendantWindow(id, bOnlyPerm);
        temp.m_hWnd = nullptr;
        if (found != nullptr) return found;
    }
    return nullptr;
}

namespace {

// Changes the style bits at index (GWL_STYLE or GWL_EXSTYLE); with flags, the
// frame is then brought up to date through SetWindowPos. False when nothing changed.
BOOL ModifyStyleBits(HWND h, int index, DWORD remove, DWORD add, UINT flags) {
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(h, index));
    DWORD changed = (style & ~remove) | add;
    if (style == changed) return FALSE;
    ::SetWindowLongPtrA(h, index, changed);
    if (flags != 0) ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(HWND h, DWORD remove, DWORD add, UINT flags) {
    return ModifyStyleBits(h, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(HWND h, DWORD remove, DWORD add, UINT flags) {
    return ModifyStyleBits(h, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (item == nullptr) {
        text.Empty();
        return 0;
    }
    int length = ::GetWindowTextLengthA(item);
    ::GetWindowTextA(item, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
    for (int id = first; id <= last; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id)) return id;
    return 0;
}

void CWnd::ClientToScreen(LPRECT r) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::ScreenToClient(LPRECT r) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    HWND center = alternateOwner ? alternateOwner->m_hWnd : nullptr;
    DWORD style = GetStyle();
    if (center == nullptr) center = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (style & WS_CHILD) {
        ::GetClientRect(center, &area);
    } else {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &info);
        area = info.rcWork;
        if (center != nullptr && ::IsWindowVisible(center) && !::IsIconic(center)) ::GetWindowRect(center, &area);
    }
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    int w = self.right - self.left, h = self.bottom - self.top;
    int x = (area.left + area.right - w) / 2, y = (area.top + area.bottom - h) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::CalcWindowRect(LPRECT r, UINT) {
    ::AdjustWindowRectEx(r, GetStyle(), FALSE, GetExStyle());
}

int CWnd::ReleaseDC(CDC* dc) {
    if (dc == nullptr) return 0;
    int r = ::ReleaseDC(m_hWnd, dc->m_hDC);
    return r;
}

void CWnd::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(m_hWnd, accept); }

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
    return AfxShowMessageBox(m_hWnd, text, caption, type, 0);
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
    if (dis->CtlType == ODT_MENU) {
        // Owner-drawn menu items are drawn by the program's CMenu for that menu.
        if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(dis->hwndItem))) {
            menu->DrawItem(dis);
            return;
        }
    }
    Default();
}

namespace {

CMenu* FindPermanentMenuWithItem(HMENU menu, UINT id) {
    if (menu == nullptr || !::IsMenu(menu)) return nullptr;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (CMenu* found = FindPermanentMenuWithItem(sub, id)) return found;
        } else if (::GetMenuItemID(menu, i) == id) {
            if (CMenu* own = CMenu::FromHandlePermanent(menu)) return own;
        }
    }
    return nullptr;
}

} // namespace

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
    if (mis->CtlType == ODT_MENU) {
        // The measure request names only the item: find the program's menu that holds it.
        CMenu* menu = FindPermanentMenuWithItem(AfxGetTrackingMenu(), mis->itemID);
        if (menu == nullptr) menu = FindPermanentMenuWithItem(::GetMenu(m_hWnd), mis->itemID);
        if (menu != nullptr) {
            menu->MeasureItem(mis);
            return;
        }
    }
    Default();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()


CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) {
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWaitCursor::CWaitCursor() { AfxDoWaitCursor(1); }
CWaitCursor::~CWaitCursor() { AfxDoWaitCursor(-1); }
void CWaitCursor::Restore() { AfxDoWaitCursor(0); }
