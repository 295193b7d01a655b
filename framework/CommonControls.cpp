#include "framework/CommonControls.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

// ---- CTreeCtrl ----

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(text);
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return InsertItem(&insert);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    char buffer[1024] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof(buffer);
    GetItem(&tv);
    return buffer;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text) {
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<LPSTR>(text);
    return SetItem(&tv);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    GetItem(&tv);
    return static_cast<DWORD_PTR>(tv.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    tv.lParam = static_cast<LPARAM>(data);
    return SetItem(&tv);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    TVITEMA tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    BOOL ok = GetItem(&tv);
    image = tv.iImage;
    selectedImage = tv.iSelectedImage;
    return ok;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    TVITEMA tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    tv.iImage = image;
    tv.iSelectedImage = selectedImage;
    return SetItem(&tv);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.state = state;
    tv.stateMask = mask;
    return SetItem(&tv);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
    // The message takes the item in the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(rect) = item;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* flags) const {
    TVHITTESTINFO info{};
    info.pt = pt;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags) *flags = info.flags;
    return item;
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int kind) {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(list->GetSafeHandle()))));
}

CImageList* CTreeCtrl::GetImageList(UINT kind) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, kind)));
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM item) {
    return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)))));
}

// ---- CToolTipCtrl ----

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    BOOL ok = CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, parent->GetSafeHwnd(), nullptr);
    if (ok) SetOwner(parent);
    return ok;
}

void CToolTipCtrl::FillToolInfo(TTTOOLINFOA& info, CWnd* wnd, UINT_PTR toolId) const {
    info = TTTOOLINFOA{};
    // The structure size of the comctl32 version without the reserved field works everywhere.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd->GetSafeHwnd();
    if (toolId == 0) {
        // The whole window is the tool.
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.uId = reinterpret_cast<UINT_PTR>(wnd->GetSafeHwnd());
    } else {
        info.uId = toolId;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT toolRect, UINT_PTR toolId) {
    TTTOOLINFOA info;
    FillToolInfo(info, wnd, toolId);
    if (toolRect != nullptr) info.rect = *toolRect;
    else if (toolId != 0) wnd->GetClientRect(&info.rect);
    info.lpszText = const_cast<LPSTR>(text);
    info.hinst = nullptr;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect, UINT_PTR toolId) {
    CString text;
    text.LoadString(textId);
    return AddTool(wnd, text, toolRect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
    TTTOOLINFOA info;
    FillToolInfo(info, wnd, toolId);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId) {
    TTTOOLINFOA info;
    FillToolInfo(info, wnd, toolId);
    info.lpszText = const_cast<LPSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect) {
    TTTOOLINFOA info;
    FillToolInfo(info, wnd, toolId);
    info.rect = *rect;
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

// ---- CTabCtrl ----

LONG CTabCtrl::InsertItem(int index, LPCSTR text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(text);
    return InsertItem(index, &item);
}

CImageList* CTabCtrl::SetImageList(CImageList* list) {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list->GetSafeHandle()))));
}
