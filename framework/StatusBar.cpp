#include "framework/StatusBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

const int kPaneEdge = 12;  // room around a pane's text: the sunken edge and some air on both sides

class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
        if (!bOn) style |= SBPS_DISABLED;
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
    }
    void SetCheck(int nCheck) override {
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
        if (nCheck != 0) style |= SBPS_POPOUT;
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
    }
    void SetText(LPCSTR text) override {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text);
    }
};

} // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
    DWORD ws = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CreateBarControl(STATUSCLASSNAMEA, ws, pParentWnd, nID)) return FALSE;
    // The frame's default font, as the panes are measured with it.
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.clear();
    BOOL ok = TRUE;
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane{lpIDArray[i], SBPS_NORMAL, 0, CString()};
        if (pane.id != 0) {
            CString text;
            if (!text.LoadString(pane.id)) ok = FALSE;
            SIZE extent{0, 0};
            ::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
            pane.width = extent.cx;
            pane.text = text;
        } else {
            pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
        }
        m_panes.push_back(pane);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    UpdateParts();
    for (int i = 0; i < GetCount(); ++i) ShowPaneText(i);
    return ok;
}

void CStatusBar::UpdateParts() {
    if (m_hWnd == nullptr || m_panes.empty()) return;
    CRect client;
    GetClientRect(&client);
    std::vector<int> rights(m_panes.size());
    int fixed = 0;
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (!(m_panes[i].style & SBPS_STRETCH)) fixed += m_panes[i].width + kPaneEdge;
    int stretchCount = static_cast<int>(std::count_if(m_panes.begin(), m_panes.end(),
                                                      [](const Pane& p) { return (p.style & SBPS_STRETCH) != 0; }));
    int spare = std::max(0, client.Width() - fixed);
    int x = 0;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].style & SBPS_STRETCH) x += stretchCount > 0 ? spare / stretchCount : 0;
        else x += m_panes[i].width + kPaneEdge;
        rights[i] = x;
    }
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void CStatusBar::ShowPaneText(int nIndex) {
    const Pane& pane = m_panes[nIndex];
    UINT type = (pane.style & SBPS_NOBORDERS) ? SBT_NOBORDERS : (pane.style & SBPS_POPOUT) ? SBT_POPOUT : 0;
    // A disabled pane shows nothing.
    LPCSTR text = (pane.style & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.text);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | type, reinterpret_cast<LPARAM>(text));
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == nIDFind) return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[nIndex].id : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    ::SetRectEmpty(lpRect);
    if (nIndex < 0 || nIndex >= GetCount()) return;
    ::SendMessageA(m_hWnd, SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect));
}

CString CStatusBar::GetPaneText(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[nIndex].text : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
    if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
    CString text = lpszNewText != nullptr ? lpszNewText : "";
    Pane& pane = m_panes[nIndex];
    if (pane.text == text) return TRUE;
    pane.text = text;
    ShowPaneText(nIndex);
    if (bUpdate) UpdateWindow();
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (nIndex < 0 || nIndex >= GetCount()) {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_panes[nIndex].id;
    nStyle = m_panes[nIndex].style;
    cxWidth = m_panes[nIndex].width;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (nIndex < 0 || nIndex >= GetCount()) return;
    m_panes[nIndex].id = nID;
    m_panes[nIndex].style = nStyle;
    m_panes[nIndex].width = cxWidth;
    UpdateParts();
    ShowPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[nIndex].style : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[nIndex].style == nStyle) return;
    m_panes[nIndex].style = nStyle;
    ShowPaneText(nIndex);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy += tm.tmHeight + 8;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_panes[state.m_nIndex].id;
        if (state.m_nID == 0) continue;
        if (!state.DoUpdate(pTarget, FALSE)) {
            // Keyboard indicators the frame leaves alone show their key's state.
            int key = state.m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                      : state.m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
                      : state.m_nID == ID_INDICATOR_SCRL ? VK_SCROLL : 0;
            if (key != 0) state.Enable((::GetKeyState(key) & 1) != 0);
            else if (bDisableIfNoHandler) state.Enable(FALSE);
        }
    }
}

LRESULT CStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: {
        LRESULT r = CControlBar::WindowProc(message, wParam, lParam);
        UpdateParts();
        return r;
    }
    case WM_SETTEXT:
        // The frame's messages go to the first pane.
        if (!m_panes.empty()) {
            SetPaneText(0, reinterpret_cast<LPCSTR>(lParam), FALSE);
            return TRUE;
        }
        break;
    case WM_GETTEXT:
        if (!m_panes.empty()) {
            lstrcpynA(reinterpret_cast<LPSTR>(lParam), m_panes[0].text, static_cast<int>(wParam));
            return lstrlenA(reinterpret_cast<LPSTR>(lParam));
        }
        break;
    case WM_GETTEXTLENGTH:
        if (!m_panes.empty()) return m_panes[0].text.GetLength();
        break;
    default: break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
