#include "framework/ToolBar.h"

#include <algorithm>
#include <vector>

#include "framework/ResourceHandle.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// The toolbar resource: version 1, button width and height, count, then the ids.
struct ToolBarData {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
    WORD items[1];
};

const ToolBarData* FindToolBarData(LPCSTR name, HINSTANCE& hInst) {
    LPCSTR type = MAKEINTRESOURCEA(241);
    hInst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(hInst, name, type);
    if (res == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(hInst, name, type);
    }
    if (res == nullptr || ::SizeofResource(hInst, res) < 8) return nullptr;
    HGLOBAL data = ::LoadResource(hInst, res);
    auto* tb = data ? static_cast<const ToolBarData*>(::LockResource(data)) : nullptr;
    // The button list must be as long as its count says.
    if (tb == nullptr || tb->wVersion != 1 || ::SizeofResource(hInst, res) < 8u + 2u * tb->wItemCount) return nullptr;
    return tb;
}

UINT StyleOf(const TBBUTTON& b) {
    UINT style = b.fsStyle & (TBSTYLE_SEP | TBSTYLE_CHECK | TBSTYLE_GROUP);
    if (b.fsState & TBSTATE_CHECKED) style |= TBBS_CHECKED;
    if (b.fsState & TBSTATE_PRESSED) style |= TBBS_PRESSED;
    if (b.fsState & TBSTATE_INDETERMINATE) style |= TBBS_INDETERMINATE;
    if (!(b.fsState & TBSTATE_ENABLED)) style |= TBBS_DISABLED;
    return style;
}

void ApplyStyle(TBBUTTON& b, UINT style) {
    b.fsStyle = static_cast<BYTE>(style & (TBSTYLE_SEP | TBSTYLE_CHECK | TBSTYLE_GROUP));
    b.fsState = (b.fsState & TBSTATE_WRAP) | ((style & TBBS_DISABLED) ? 0 : TBSTATE_ENABLED);
    if (style & TBBS_CHECKED) b.fsState |= TBSTATE_CHECKED;
    if (style & TBBS_PRESSED) b.fsState |= TBSTATE_PRESSED;
    if (style & TBBS_INDETERMINATE) b.fsState |= TBSTATE_INDETERMINATE;
}

// The update interface of one button.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        auto* bar = static_cast<CToolBar*>(m_pOther);
        UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
        if (!bOn) style |= TBBS_DISABLED;
        bar->SetButtonStyle(static_cast<int>(m_nIndex), style);
    }
    void SetCheck(int nCheck) override {
        auto* bar = static_cast<CToolBar*>(m_pOther);
        UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1) style |= TBBS_CHECKED;
        else if (nCheck == 2) style |= TBBS_INDETERMINATE;
        bar->SetButtonStyle(static_cast<int>(m_nIndex), style | TBBS_CHECKBOX);
    }
    void SetText(LPCSTR) override {}
};

} // namespace

CToolBar::~CToolBar() {
    if (m_hbmImageWell != nullptr) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    DWORD ws = (dwStyle & ~CBRS_ALL) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
               CCS_NORESIZE;
    if (m_dwStyle & CBRS_TOOLTIPS) ws |= TBSTYLE_TOOLTIPS;
    if (!CreateBarControl(TOOLBARCLASSNAMEA, ws, pParentWnd, nID)) return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    // Notifications come to the bar itself, which answers tooltips and passes the rest to its owner.
    SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(m_hWnd));
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName) {
    HINSTANCE hInst = nullptr;
    const ToolBarData* data = FindToolBarData(lpszResourceName, hInst);
    if (data == nullptr) return FALSE;
    std::vector<UINT> ids(data->items, data->items + data->wItemCount);
    SetSizes(CSize(data->wWidth + 7, data->wHeight + 7), CSize(data->wWidth, data->wHeight));
    if (!LoadBitmap(lpszResourceName)) return FALSE;
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName) {
    // The standard greys of the strip follow the user's colour scheme.
    HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP bmp = ::CreateMappedBitmap(hInst, reinterpret_cast<INT_PTR>(lpszResourceName), 0, nullptr, 0);
    if (bmp == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        bmp = ::CreateMappedBitmap(hInst, reinterpret_cast<INT_PTR>(lpszResourceName), 0, nullptr, 0);
    }
    if (bmp == nullptr) return FALSE;
    BITMAP info{};
    ::GetObjectA(bmp, sizeof(info), &info);
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bmp)};
    int count = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
    if (SendMessage(TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(&add)) < 0) {
        ::DeleteObject(bmp);
        return FALSE;
    }
    if (m_hbmImageWell != nullptr) ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = bmp;
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON b{};
        UINT id = lpIDArray != nullptr ? lpIDArray[i] : 0;
        b.idCommand = static_cast<int>(id);
        if (id == 0) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 6;
        } else {
            b.fsStyle = TBSTYLE_BUTTON;
            b.fsState = TBSTATE_ENABLED;
            b.iBitmap = image++;
        }
        buttons.push_back(b);
    }
    if (!buttons.empty() &&
        !SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    return TRUE;
}

int CToolBar::GetButtonCount() const { return static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0)); }

int CToolBar::CommandToIndex(UINT nIDFind) const {
    int count = GetButtonCount();
    for (int i = 0; i < count; ++i)
        if (GetItemID(i) == nIDFind) return i;
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON b{};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&b))) return 0;
    return static_cast<UINT>(b.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    ::SetRectEmpty(lpRect);
    ::SendMessageA(m_hWnd, TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect));
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON b{};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&b))) return 0;
    return StyleOf(b);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    UINT id = 0, style = 0;
    int image = 0;
    GetButtonInfo(nIndex, id, style, image);
    if (style == nStyle) return;
    TBBUTTON b{};
    ::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&b));
    BYTE oldStyle = b.fsStyle;
    ApplyStyle(b, nStyle);
    if (b.fsStyle == oldStyle) {
        // Only the state changed: no relayout.
        SendMessage(TB_SETSTATE, id, MAKELPARAM(b.fsState, 0));
        return;
    }
    SetButtonInfo(nIndex, id, nStyle, image);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    TBBUTTON b{};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&b))) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = static_cast<UINT>(b.idCommand);
    nStyle = StyleOf(b);
    iImage = b.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    TBBUTTON b{};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&b))) return;
    b.idCommand = static_cast<int>(nID);
    ApplyStyle(b, nStyle);
    b.iBitmap = iImage;
    // Replacing the button lets the control take a separator's new width.
    SendMessage(TB_DELETEBUTTON, nIndex);
    SendMessage(TB_INSERTBUTTONA, nIndex, reinterpret_cast<LPARAM>(&b));
    if (CWnd* parent = GetParent()) {
        if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout();
        (void)parent;
    }
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(FALSE, bHorz);
    int count = GetButtonCount();
    int along = 0;
    int across = m_sizeButton.cy;
    for (int i = 0; i < count; ++i) {
        CRect r;
        GetItemRect(i, &r);
        along = std::max<int>(along, r.right);
        across = std::max<int>(across, r.Height());
    }
    size.cx += along;
    size.cy += across;
    if (bStretch) size.cx = 32767;
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetButtonCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        UINT id = 0, style = 0;
        int image = 0;
        GetButtonInfo(static_cast<int>(state.m_nIndex), id, style, image);
        if (style & TBBS_SEPARATOR) continue;
        state.m_nID = id;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
    // Controls placed on the bar (combo boxes) have update handlers too.
    UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

void CToolBar::PaintNonClient() {
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CRect client(window);
    CalcInsideRect(client, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    // The band outside the buttons: face colour, borders, the gripper.
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, window);
    DrawGripper(&dc, window);
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        // Borders and the gripper sit outside the control's client area.
        auto* r = reinterpret_cast<LPRECT>(lParam);
        CRect rect(*r);
        CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
        *r = rect;
        return 0;
    }
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    case WM_NCHITTEST: {
        LRESULT hit = CControlBar::WindowProc(message, wParam, lParam);
        return hit == HTNOWHERE ? HTCLIENT : hit;
    }
    default: break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
