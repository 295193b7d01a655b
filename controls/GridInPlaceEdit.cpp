// The in-place edit and drop-down list of the grid.
#include "controls/GridInPlaceEdit.h"

#include <algorithm>

#include "controls/GridCtrl.h"

namespace {

// Tab, Enter, Escape and the arrows belong to an in-place edit, never to the
// dialog around the grid: a key message goes straight to the edit, and a
// system character (an Alt+key mnemonic) goes nowhere. True when it is handled.
bool KeepKeysInEdit(MSG* msg)
{
    if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) {
        ::TranslateMessage(msg);
        ::DispatchMessageA(msg);
        return true;
    }
    return msg->message == WM_SYSCHAR;
}

// How an edit opens on the key that began it: the caret after the text (a
// click, F2, Enter), the last character gone (Backspace), the whole text
// selected (a navigation key, and for the plain edit the space too), or the
// text replaced by the character typed.
template <class Select, class Type>
void StartWithKey(UINT firstKey, int length, bool spaceSelects, Select select, Type type)
{
    switch (firstKey) {
    case VK_LBUTTON:
    case VK_RETURN:
        select(length, -1);
        return;
    case VK_BACK:
        select(length, -1);
        type(VK_BACK);
        return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        select(0, -1);
        return;
    default:
        select(0, -1);
        if (!(spaceSelects && firstKey == VK_SPACE))
            type(firstKey);
        return;
    }
}

}  // namespace

void SendGridEndEdit(CWnd* control, int row, int col, UINT exitKey)
{
    CWnd* owner = control->GetOwner();
    if (owner == nullptr || !::IsWindow(owner->GetSafeHwnd()))
        return;
    GridEditNotifyInfo info{};
    info.hdr.hwndFrom = control->GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(control->GetDlgCtrlID());
    info.hdr.code = static_cast<UINT>(GVN_ENDEDIT);
    info.item.mask = GVIF_TEXT | GVIF_PARAM;
    info.item.row = row;
    info.item.col = col;
    control->GetWindowText(info.item.text);
    info.item.data = static_cast<LPARAM>(exitKey);
    owner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

// ---- the edit ----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridInPlaceEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CGridInPlaceEdit::CGridInPlaceEdit(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col, LPCSTR text,
                                   UINT firstKey)
    : m_nRow(row), m_nCol(col), m_strInitText(text ? text : "")
{
    if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, parent, id))
        return;
    SetFont(parent->GetFont(), FALSE);
    SetWindowText(m_strInitText);
    SetFocus();
    StartWithKey(firstKey, m_strInitText.GetLength(), true, [this](int from, int to) { SetSel(from, to); },
                 [this](UINT ch) { SendMessage(WM_CHAR, ch, 0); });
}

BOOL CGridInPlaceEdit::PreTranslateMessage(MSG* msg)
{
    return KeepKeysInEdit(msg) ? TRUE : CEdit::PreTranslateMessage(msg);
}

void CGridInPlaceEdit::EndEdit(UINT key)
{
    m_nExitKey = key;
    if (CWnd* grid = GetParent())
        grid->SetFocus();
}

void CGridInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if ((nChar == VK_LEFT || nChar == VK_RIGHT) && !shift) {
        int start = 0, end = 0;
        GetSel(start, end);
        const int length = GetWindowTextLength();
        const bool atEdge = start == end && ((nChar == VK_LEFT && start == 0) || (nChar == VK_RIGHT && start == length));
        if (length == 0 || atEdge) {
            EndEdit(nChar);
            return;
        }
    }
    switch (nChar) {
    case VK_TAB:
    case VK_RETURN: {
        m_nExitKey = nChar;
        CWnd* grid = GetParent();
        if (grid) {
            grid->SetFocus();
            grid->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
            grid->PostMessage(WM_KEYUP, nChar, MAKELPARAM(nRepCnt, nFlags));
        }
        if (::IsWindow(m_hWnd))
            CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    case VK_ESCAPE:
        SetWindowText(m_strInitText);
        EndEdit(nChar);
        return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        EndEdit(nChar);
        return;
    default:
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
}

void CGridInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN)
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);

    // Widen to fit the text, up to the grid's right edge.
    CString text;
    GetWindowText(text);
    CDC* dc = GetDC();
    if (dc == nullptr)
        return;
    HGDIOBJ old = ::SelectObject(dc->m_hDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc->m_hDC, text, text.GetLength(), &size);
    ::SelectObject(dc->m_hDC, old);
    ReleaseDC(dc);
    const int needed = size.cx + 5;
    CRect client;
    GetClientRect(&client);
    if (client.Width() >= needed)
        return;
    CRect rect;
    GetWindowRect(&rect);
    CWnd* grid = GetParent();
    grid->ScreenToClient(&rect);
    CRect gridClient;
    grid->GetClientRect(&gridClient);
    rect.right = std::min<long>(rect.left + needed, gridClient.right);
    MoveWindow(&rect);
}

void CGridInPlaceEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (m_bEnding || !::IsWindow(m_hWnd))
        return;
    m_bEnding = true;
    SendGridEndEdit(this, m_nRow, m_nCol, m_nExitKey);
    PostMessage(WM_CLOSE);
}

// ---- the drop-down list --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridInPlaceList, CComboBox)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CGridInPlaceList::CGridInPlaceList(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col,
                                   const CStringArray& items, LPCSTR text, UINT firstKey)
    : m_strInitText(text ? text : ""), m_nRow(row), m_nCol(col)
{
    const int height = rect.Height();
    CRect dropped = rect;
    dropped.bottom += m_nNumLines * height + ::GetSystemMetrics(SM_CYHSCROLL);
    if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_AUTOHSCROLL, dropped, parent, id))
        return;
    for (int i = 0; i < items.GetSize(); ++i)
        AddString(items[i]);

    // Wide enough for the widest item.
    HFONT font = reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT));
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, font);
    int widest = 0;
    for (int i = 0; i < items.GetSize(); ++i) {
        SIZE size{};
        ::GetTextExtentPoint32A(dc, items[i], items[i].GetLength(), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SIZE space{};
    ::GetTextExtentPoint32A(dc, " ", 1, &space);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    const int dropWidth = widest + ::GetSystemMetrics(SM_CXVSCROLL) + 2 * space.cx;
    if (dropped.Width() < dropWidth)
        dropped.right = dropped.left + dropWidth;
    MoveWindow(&dropped);

    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetItemHeight(-1, static_cast<UINT>(height));
    SetDroppedWidth(static_cast<UINT>(dropWidth));
    SendMessage(CB_SETHORIZONTALEXTENT, 0);

    if (SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCSTR(m_strInitText))) ==
        CB_ERR)
        SetWindowText(m_strInitText);

    if ((style & 0x3) == CBS_DROPDOWNLIST) {
        SetFocus();
        return;
    }
    HWND edit = ::GetDlgItem(m_hWnd, 1001);
    if (edit != nullptr)
        m_edit.SubclassWindow(edit);
    SetFocus();
    StartWithKey(firstKey, m_strInitText.GetLength(), false, [this](int from, int to) { SetEditSel(from, to); },
                 [this](UINT ch) { SendMessage(WM_CHAR, ch, 0); });
}

void CGridInPlaceList::Finish(UINT key)
{
    m_nExitKey = key;
    if (CWnd* grid = GetParent())
        grid->SetFocus();
}

void CGridInPlaceList::EndEdit()
{
    if (m_bEnded || !::IsWindow(m_hWnd))
        return;
    m_bEnded = true;
    SendGridEndEdit(this, m_nRow, m_nCol, m_nExitKey);
    PostMessage(WM_CLOSE);
}

void CGridInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (ctrl && (nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_UP ||
                 nChar == VK_RIGHT || nChar == VK_DOWN)) {
        Finish(nChar);
        return;
    }
    CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        if (SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(LPCSTR(m_strInitText))) == CB_ERR)
            SetWindowText(m_strInitText);
    }
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
        Finish(nChar);
        return;
    }
    CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CGridInPlaceList::OnKillFocus(CWnd* newWnd)
{
    CComboBox::OnKillFocus(newWnd);
    if (newWnd != nullptr && newWnd->GetSafeHwnd() == m_hWnd)
        return;
    // A list with an edit field reports through its edit.
    if ((GetStyle() & 0x3) != CBS_DROPDOWNLIST)
        return;
    EndEdit();
}

// ---- the list's edit field -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridComboEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CGridComboEdit::PreTranslateMessage(MSG* msg)
{
    return KeepKeysInEdit(msg) ? TRUE : CEdit::PreTranslateMessage(msg);
}

void CGridComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (ctrl && GetDlgCtrlID() == 1001 &&
        (nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_UP || nChar == VK_RIGHT ||
         nChar == VK_DOWN)) {
        if (CWnd* owner = GetOwner())
            owner->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridComboEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
        if (CWnd* owner = GetOwner())
            owner->SendMessage(WM_KEYUP, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CGridComboEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (auto* list = dynamic_cast<CGridInPlaceList*>(GetParent()))
        if (newWnd == nullptr || newWnd->GetSafeHwnd() != list->GetSafeHwnd())
            list->EndEdit();
}
