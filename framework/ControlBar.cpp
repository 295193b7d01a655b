#include "framework/ControlBar.h"

#include <algorithm>

#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

namespace {

// The second line of a command's string ("status prompt\ntooltip"), or the whole
// string when it has one line.
CString TooltipOfCommand(UINT nID) {
    CString s;
    if (nID == 0 || !s.LoadString(nID)) return s;
    int nl = s.Find('\n');
    return nl < 0 ? s : s.Mid(nl + 1);
}

CString PromptOfCommand(UINT nID) {
    CString s;
    if (nID == 0 || !s.LoadString(nID)) return s;
    int nl = s.Find('\n');
    return nl < 0 ? s : s.Left(nl);
}

const UINT kDockBarIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
const DWORD kDockBarStyles[4] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

// The strip of the layout's room along the edge the style names, as deep as
// size says; the room left for the others shrinks by it.
CRect TakeStrip(AFX_SIZEPARENTPARAMS* layout, DWORD style, CSize size) {
    CRect rect(layout->rect);
    if (style & CBRS_ALIGN_TOP) {
        rect.bottom = rect.top + size.cy;
        layout->rect.top += size.cy;
    } else if (style & CBRS_ALIGN_BOTTOM) {
        rect.top = rect.bottom - size.cy;
        layout->rect.bottom -= size.cy;
    } else if (style & CBRS_ALIGN_LEFT) {
        rect.right = rect.left + size.cx;
        layout->rect.left += size.cx;
    } else {
        rect.left = rect.right - size.cx;
        layout->rect.right -= size.cx;
    }
    return rect;
}

} // namespace

// ---- CControlBar ----

CControlBar::~CControlBar() {
    if (m_pDockBar != nullptr && m_pDockBar->GetSafeHwnd() != nullptr) m_pDockBar->RemoveControlBar(this);
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    if (m_dwStyle == dwStyle) return;
    m_dwStyle = dwStyle;
    if (m_hWnd != nullptr) Invalidate();
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

BOOL CControlBar::IsVisible() const { return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0; }

CFrameWnd* CControlBar::GetDockingFrame() const {
    if (m_pDockSite != nullptr) return m_pDockSite;
    return GetParentFrame();
}

int CControlBar::GetCount() const { return 0; }

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT) rect.left += 1;
    if (style & CBRS_BORDER_TOP) rect.top += 1;
    if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (style & CBRS_GRIPPER) rect.left += 8;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (style & CBRS_GRIPPER) rect.top += 8;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size(0, 0);
    if (bStretch) {
        if (bHorz) size.cx = 32767;
        else size.cy = 32767;
    }
    CRect r(0, 0, 0, 0);
    CalcInsideRect(r, bHorz);
    // Borders take room: an empty bar is as big as its borders.
    size.cx += -r.Width();
    size.cy += -r.Height();
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode) {
    return CalcFixedLayout((dwMode & 0x2) != 0, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
    DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY)) return;
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (style & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, light);
    if (style & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, shadow);
    if (style & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), light);
    if (style & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), shadow);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
    if (!(m_dwStyle & CBRS_GRIPPER)) return;
    // Two raised ridges along the leading edge, the handle users know from toolbars.
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        int top = rect.top + 3, height = rect.Height() - 6;
        for (int i = 0; i < 2; ++i) pDC->Draw3dRect(rect.left + 2 + 3 * i, top, 3, height, light, shadow);
    } else {
        int left = rect.left + 3, width = rect.Width() - 6;
        for (int i = 0; i < 2; ++i) pDC->Draw3dRect(left, rect.top + 2 + 3 * i, width, 3, light, shadow);
    }
}

void CControlBar::SetStatusPrompt(UINT nID) {
    CFrameWnd* frame = GetTopLevelFrame();
    if (frame == nullptr) return;
    if (nID == 0) frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else frame->SetMessageText(PromptOfCommand(nID));
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
        // Tooltips of the buttons: the second line of the command's string.
        if (nmhdr->code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            UINT id = static_cast<UINT>(nmhdr->idFrom);
            if (info->uFlags & TTF_IDISHWND) id = ::GetDlgCtrlID(reinterpret_cast<HWND>(nmhdr->idFrom));
            CString tip = TooltipOfCommand(id);
            lstrcpynA(info->szText, tip, sizeof(info->szText));
            info->lpszText = info->szText;
            info->hinst = nullptr;
            return 0;
        }
        if (nmhdr->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            CString tip = TooltipOfCommand(static_cast<UINT>(nmhdr->idFrom));
            ::MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, sizeof(info->szText) / sizeof(WCHAR));
            info->lpszText = info->szText;
            info->hinst = nullptr;
            return 0;
        }
        if (nmhdr->code == TBN_HOTITEMCHANGE) {
            // Fly-by help: the hot button's prompt on the status bar.
            auto* hot = reinterpret_cast<NMTBHOTITEM*>(lParam);
            CWnd* from = FromHandlePermanent(nmhdr->hwndFrom);
            auto* bar = from != nullptr && from->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(from) : this;
            if (bar->m_dwStyle & CBRS_FLYBY) bar->SetStatusPrompt((hot->dwFlags & HICF_LEAVING) ? 0 : hot->idNew);
            return 0;
        }
        [[fallthrough]];
    }
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // A control that handles its own notification (owner-drawn items) first;
        // everything else belongs to the owner, the frame, whose command routing
        // reaches the views, the documents and the application.
        if (message != WM_COMMAND && message != WM_NOTIFY) {
            LRESULT result = 0;
            if (OnWndMsg(message, wParam, lParam, &result) && message != WM_MEASUREITEM && message != WM_DRAWITEM)
                return result;
            if (message == WM_MEASUREITEM || message == WM_DRAWITEM) {
                // Items of a menu or of a control without its own drawing: the owner's.
                HWND ctl = nullptr;
                if (message == WM_DRAWITEM) {
                    auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
                    if (dis->CtlType != ODT_MENU) ctl = dis->hwndItem;
                } else {
                    auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
                    if (mis->CtlType != ODT_MENU) ctl = ::GetDlgItem(m_hWnd, static_cast<int>(mis->CtlID));
                }
                CWnd* child = FromHandlePermanent(ctl);
                if (child != nullptr && child->OnChildNotify(message, wParam, lParam, &result)) return TRUE;
            }
        }
        // Notifications of helper windows the system control made for itself
        // (its tooltip) stay with the control.
        HWND from = nullptr;
        if (message == WM_COMMAND) from = reinterpret_cast<HWND>(lParam);
        else if (message == WM_NOTIFY) from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        if (from != nullptr && from != m_hWnd && !::IsChild(m_hWnd, from)) break;
        CWnd* owner = GetOwner();
        if (owner != nullptr && owner->GetSafeHwnd() != nullptr && owner->m_hWnd != m_hWnd)
            return owner->SendMessage(message, wParam, lParam);
        break;
    }
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
    // The frames' accelerators come before the bar's dialog keys.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        for (CFrameWnd* frame = GetParentFrame(); frame != nullptr; frame = frame->GetParentFrame())
            if (frame->PreTranslateMessage(pMsg)) return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

BOOL CControlBar::CreateBarControl(LPCSTR lpszClass, DWORD dwWindowStyle, CWnd* pParentWnd, UINT nID) {
    static bool initialised = false;
    if (!initialised) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        initialised = true;
    }
    if (!CWnd::Create(lpszClass, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
    m_nCreationOrder = NextCreationOrder();
    SetOwner(pParentWnd);
    return TRUE;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD style = m_dwStyle;
    if (!(GetStyle() & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY)) return 0;
    const CRect room(layout->rect);
    BOOL horz = (style & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(layout->bStretch, horz);
    size.cx = std::min<LONG>(size.cx, room.Width());
    size.cy = std::min<LONG>(size.cy, room.Height());
    const CRect rect = TakeStrip(layout, style, size);
    if (layout->hDWP != nullptr)
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                        SWP_NOACTIVATE | SWP_NOZORDER);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & WS_VISIBLE)) return 0;
    CFrameWnd* target = GetTopLevelFrame();
    if (CWnd* owner = GetOwner(); owner != nullptr && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        target = static_cast<CFrameWnd*>(owner);
    if (target != nullptr) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// ---- CDockBar ----

BOOL CDockBar::Create(CFrameWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    m_pDockSite = pParentWnd;
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CRect r(0, 0, 0, 0);
    return CWnd::Create(cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, r, pParentWnd, nID);
}

int CDockBar::FindRow(const CControlBar* pBar) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        for (const Slot& s : m_rows[i])
            if (s.bar == pBar) return static_cast<int>(i);
    return -1;
}

int CDockBar::BarCount() const {
    int n = 0;
    for (const auto& row : m_rows) n += static_cast<int>(row.size());
    return n;
}

void CDockBar::RemoveControlBar(CControlBar* pBar) {
    for (auto& row : m_rows)
        row.erase(std::remove_if(row.begin(), row.end(), [pBar](const Slot& s) { return s.bar == pBar; }), row.end());
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const auto& row) { return row.empty(); }),
                 m_rows.end());
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    if (pBar->m_pDockBar != nullptr) pBar->m_pDockBar->RemoveControlBar(pBar);
    // The bar takes this edge's orientation.
    DWORD style = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
    pBar->m_dwStyle = style;
    pBar->m_pDockBar = this;
    pBar->m_pDockSite = m_pDockSite;
    if (::GetParent(pBar->m_hWnd) != m_hWnd) ::SetParent(pBar->m_hWnd, m_hWnd);

    if (lpRect == nullptr || m_rows.empty()) {
        m_rows.push_back({Slot{pBar, 0}});
        return;
    }
    CRect rect(*lpRect);
    ScreenToClient(&rect);
    BOOL horz = IsHorizontal();
    int along = horz ? rect.left : rect.top;
    int across = horz ? rect.top : rect.left;
    // Which row holds the point: rows are as thick as their thickest visible bar.
    int start = 0;
    size_t row = m_rows.size();
    if (across < 0) {
        row = 0;
    } else {
        for (size_t i = 0; i < m_rows.size(); ++i) {
            int thick = 0;
            for (const Slot& s : m_rows[i]) {
                if (!s.bar->IsVisible()) continue;
                CSize sz = s.bar->CalcFixedLayout(FALSE, horz);
                thick = std::max<int>(thick, horz ? sz.cy : sz.cx);
            }
            if (across >= start && across < start + thick) {
                row = i;
                break;
            }
            start += thick;
        }
    }
    Slot slot{pBar, std::max(0, along)};
    if (row >= m_rows.size()) {
        m_rows.push_back({slot});
        return;
    }
    auto& bars = m_rows[row];
    auto at = std::find_if(bars.begin(), bars.end(), [&](const Slot& s) { return s.offset >= slot.offset; });
    bars.insert(at, slot);
}

CSize CDockBar::LayoutRows(HDWP* pDWP, const CRect& rect) {
    BOOL horz = IsHorizontal();
    int across = 0;
    for (const auto& row : m_rows) {
        int thick = 0;
        int pos = 0;
        for (const Slot& s : row) {
            if (!s.bar->IsVisible()) continue;
            CSize sz = s.bar->CalcFixedLayout(FALSE, horz);
            int len = horz ? sz.cx : sz.cy;
            pos = std::max(pos, s.offset);
            if (pDWP != nullptr && *pDWP != nullptr) {
                CRect r = horz ? CRect(rect.left + pos, rect.top + across, rect.left + pos + len, rect.top + across + sz.cy)
                               : CRect(rect.left + across, rect.top + pos, rect.left + across + sz.cx, rect.top + pos + len);
                *pDWP = ::DeferWindowPos(*pDWP, s.bar->m_hWnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                                         SWP_NOACTIVATE | SWP_NOZORDER);
            }
            pos += len;
            thick = std::max<int>(thick, horz ? sz.cy : sz.cx);
        }
        across += thick;
    }
    return horz ? CSize(rect.Width(), across) : CSize(across, rect.Height());
}

CSize CDockBar::CalcFixedLayout(BOOL, BOOL) { return LayoutRows(nullptr, CRect(0, 0, 0, 0)); }

LRESULT CDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const CRect room(layout->rect);
    CSize size = LayoutRows(nullptr, CRect(0, 0, room.Width(), room.Height()));
    const CRect rect = TakeStrip(layout, m_dwStyle, size);
    if (layout->hDWP != nullptr) {
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                        rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
        // The bars inside are placed at once, relative to this window.
        HDWP inner = ::BeginDeferWindowPos(BarCount() + 1);
        if (inner != nullptr) {
            LayoutRows(&inner, CRect(0, 0, rect.Width(), rect.Height()));
            if (inner != nullptr)
                ::EndDeferWindowPos(inner);
        }
    }
    return 0;
}

BOOL CDockBar::OnEraseBkgnd(CDC* pDC) {
    CRect r;
    GetClientRect(&r);
    pDC->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CDockBar::OnPaint() {
    CPaintDC dc(this);
}

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// ---- the frame's side ----

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    for (int i = 0; i < 4; ++i) {
        if (!(kDockBarStyles[i] & dwDockStyle & CBRS_ALIGN_ANY)) continue;
        if (GetDescendantWindow(kDockBarIds[i], TRUE) != nullptr) continue;
        auto* dock = new CDockBar;
        dock->m_bAutoDelete = TRUE;
        if (!dock->Create(this, kDockBarStyles[i] | WS_CHILD | WS_VISIBLE, kDockBarIds[i])) delete dock;
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) return;
    if (nDockBarID == 0) {
        for (int i = 0; i < 4 && nDockBarID == 0; ++i)
            if (pBar->m_dwDockStyle & kDockBarStyles[i]) nDockBarID = kDockBarIds[i];
    }
    CWnd* w = nDockBarID != 0 ? GetDescendantWindow(static_cast<int>(nDockBarID), TRUE) : nullptr;
    if (w == nullptr || !w->IsKindOf(RUNTIME_CLASS(CDockBar))) return;
    static_cast<CDockBar*>(w)->DockControlBar(pBar, lpRect);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (bDelay) m_nIdleFlags |= idleLayout;
    else RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    // Toolbars share one id; the standard commands mean the first one made.
    struct Search {
        UINT id;
        CControlBar* found;
    } search{nID, nullptr};
    ::EnumChildWindows(
        m_hWnd,
        [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (static_cast<UINT>(::GetDlgCtrlID(h)) != s->id) return TRUE;
            CWnd* w = CWnd::FromHandlePermanent(h);
            if (w == nullptr || !w->IsKindOf(RUNTIME_CLASS(CControlBar))) return TRUE;
            auto* bar = static_cast<CControlBar*>(w);
            if (s->found == nullptr || bar->m_nCreationOrder < s->found->m_nCreationOrder) s->found = bar;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr) return FALSE;
    ShowControlBar(bar, !bar->IsVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (bar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(bar->IsVisible());
}
