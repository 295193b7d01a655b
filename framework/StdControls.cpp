#include "framework/StdControls.h"

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return TRUE;
}

int CEdit::GetLine(int index, LPSTR buffer, int maxLength) const {
    // The first word of the buffer tells the edit how much room there is.
    if (maxLength < 2) return 0;
    *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(maxLength);
    return static_cast<int>(SendMessage(EM_GETLINE, index, reinterpret_cast<LPARAM>(buffer)));
}

void CListBox::GetText(int index, CString& text) const {
    int n = GetTextLen(index);
    if (n == LB_ERR) {
        text.Empty();
        return;
    }
    GetText(index, text.GetBuffer(n + 1));
    text.ReleaseBuffer();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const {
    DWORD r = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    outside = HIWORD(r) != 0;
    return LOWORD(r);
}

namespace {

// The owner-draw requests a control answers through its virtual functions.
template <class Control>
BOOL OwnerDrawNotify(Control* control, UINT message, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_DRAWITEM: control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM:
        if (pResult) *pResult = control->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM: control->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
    }
    if (pResult) *pResult = TRUE;
    return TRUE;
}

} // namespace

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (OwnerDrawNotify(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CComboBox::GetLBText(int index, CString& text) const {
    int n = GetLBTextLen(index);
    if (n == CB_ERR) {
        text.Empty();
        return;
    }
    GetLBText(index, text.GetBuffer(n + 1));
    text.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (OwnerDrawNotify(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CCheckListBox ----

CCheckListBox::~CCheckListBox() = default;

CCheckListBox::ItemState* CCheckListBox::State(int index) const {
    // The real item data of each item is its state record.
    LRESULT raw = ::CallWindowProcA(m_pfnSuper ? m_pfnSuper : ::DefWindowProcA, m_hWnd, LB_GETITEMDATA, index, 0);
    if (raw == LB_ERR || raw == 0) return nullptr;
    auto it = m_records.find(reinterpret_cast<ItemState*>(raw));
    return it == m_records.end() ? nullptr : it->second.get();
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_GETITEMDATA: {
        ItemState* state = State(static_cast<int>(wParam));
        if (state == nullptr) return CListBox::WindowProc(message, wParam, lParam);
        return static_cast<LRESULT>(state->userData);
    }
    case LB_SETITEMDATA: {
        ItemState* state = State(static_cast<int>(wParam));
        if (state == nullptr) return LB_ERR;
        state->userData = static_cast<DWORD_PTR>(lParam);
        return 0;
    }
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        LRESULT index = CListBox::WindowProc(message, wParam, lParam);
        if (index >= 0) {
            auto record = std::make_unique<ItemState>();
            ItemState* state = record.get();
            m_records[state] = std::move(record);
            CListBox::WindowProc(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(state));
        }
        return index;
    }
    case LB_DELETESTRING: {
        ItemState* record = State(static_cast<int>(wParam));
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if (r != LB_ERR && record != nullptr) m_records.erase(record);
        return r;
    }
    case LB_RESETCONTENT: {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        m_records.clear();
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        CPoint pt(lParam);
        BOOL outside = FALSE;
        int index = static_cast<int>(ItemFromPoint(pt, outside));
        CRect item;
        if (!outside && GetItemRect(index, &item) != LB_ERR && CheckRect(item).PtInRect(pt)) {
            // A click on the box toggles it; the selection moves there too.
            LRESULT r = CListBox::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
            Toggle(index);
            return r;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            int index = GetCaretIndex();
            if (index >= 0) Toggle(index);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ') return 0;
        break;
    default: break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CCheckListBox::Toggle(int index) {
    ItemState* state = State(index);
    if (state == nullptr || !state->enabled) return;
    int next = state->check;
    switch (m_nStyle) {
    case BS_AUTO3STATE:
    case BS_3STATE: next = (state->check + 1) % 3; break;
    default: next = state->check ? 0 : 1; break;
    }
    SetCheck(index, next);
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr)
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::SetCheck(int index, int check) {
    ItemState* state = State(index);
    if (state == nullptr || state->check == check) return;
    state->check = check;
    CRect item;
    if (GetItemRect(index, &item) != LB_ERR) InvalidateRect(&item, FALSE);
}

int CCheckListBox::GetCheck(int index) const {
    ItemState* state = State(index);
    return state ? state->check : 0;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
    ItemState* state = State(index);
    if (state == nullptr) return;
    state->enabled = enabled;
    CRect item;
    if (GetItemRect(index, &item) != LB_ERR) InvalidateRect(&item, FALSE);
}

BOOL CCheckListBox::IsEnabled(int index) const {
    ItemState* state = State(index);
    return state ? state->enabled : FALSE;
}

CRect CCheckListBox::CheckRect(const RECT& item) const {
    int size = std::min(13, static_cast<int>(item.bottom - item.top) - 2);
    int top = item.top + (item.bottom - item.top - size) / 2;
    return CRect(item.left + 2, top, item.left + 2 + size, top + size);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (dis->itemID == static_cast<UINT>(-1)) return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect item(dis->rcItem);
    ItemState* state = State(static_cast<int>(dis->itemID));
    bool enabled = IsWindowEnabled() && (state == nullptr || state->enabled);
    CRect box = CheckRect(item);
    dc->FillSolidRect(CRect(item.left, item.top, box.right + 2, item.bottom), ::GetSysColor(COLOR_WINDOW));
    UINT checkState = DFCS_BUTTONCHECK;
    if (state != nullptr && state->check == 1) checkState |= DFCS_CHECKED;
    if (state != nullptr && state->check == 2) checkState = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!enabled) checkState |= DFCS_INACTIVE;
    dc->DrawFrameControl(&box, DFC_BUTTON, checkState);

    CRect text(box.right + 4, item.top, item.right, item.bottom);
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    dc->FillSolidRect(&text, back);
    COLORREF oldText = dc->SetTextColor(::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    COLORREF oldBack = dc->SetBkColor(back);
    CString label;
    GetText(static_cast<int>(dis->itemID), label);
    text.left += 2;
    dc->DrawText(label, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
    if (dis->itemState & ODS_FOCUS) dc->DrawFocusRect(CRect(box.right + 4, item.top, item.right, item.bottom));
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT mis) {
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    TEXTMETRICA tm;
    dc.GetTextMetrics(&tm);
    if (old) dc.SelectObject(old);
    mis->itemHeight = std::max(static_cast<LONG>(15), tm.tmHeight + 2);
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT dis) {
    // The record goes with the string (LB_DELETESTRING and LB_RESETCONTENT free it).
    (void)dis;
}
