#include "controls/TreeOptionsCtrl.h"

BEGIN_MESSAGE_MAP(CTreeOptionsCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

void CTreeOptionsCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    if (m_ilStates.Create(m_nStateBitmapId, 16, 1, RGB(255, 0, 255)))
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_ilStates.GetSafeHandle()));
}

HTREEITEM CTreeOptionsCtrl::InsertCheckBox(LPCSTR text, HTREEITEM parent, BOOL checked)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = 0;
    insert.item.iSelectedImage = 0;
    insert.item.lParam = 0;
    HTREEITEM item = InsertItem(&insert);
    if (item != nullptr)
        SetCheckBox(item, checked);
    return item;
}

BOOL CTreeOptionsCtrl::SetCheckBox(HTREEITEM item, BOOL checked)
{
    const int image = checked ? 1 : 0;
    return SetItemImage(item, image, image);
}

int CTreeOptionsCtrl::Image(HTREEITEM item, bool& ok) const
{
    int image = -1, selected = -1;
    ok = item != nullptr && GetItemImage(item, image, selected);
    return image;
}

BOOL CTreeOptionsCtrl::GetCheckBox(HTREEITEM item, BOOL& checked) const
{
    bool ok = false;
    const int image = Image(item, ok);
    checked = image == 1 || image == 5;
    return ok;
}

BOOL CTreeOptionsCtrl::IsCheckBox(HTREEITEM item) const
{
    bool ok = false;
    const int image = Image(item, ok);
    return ok && (image == 0 || image == 1 || image == 4 || image == 5);
}

BOOL CTreeOptionsCtrl::GetCheckBoxEnable(HTREEITEM item, BOOL& enabled) const
{
    bool ok = false;
    const int image = Image(item, ok);
    enabled = image == 0 || image == 1;
    return ok;
}

bool CTreeOptionsCtrl::Toggle(HTREEITEM item)
{
    BOOL enabled = FALSE, checked = FALSE;
    if (!IsCheckBox(item) || !GetCheckBoxEnable(item, enabled) || !enabled)
        return false;
    GetCheckBox(item, checked);
    SetCheckBox(item, !checked);
    return true;
}

void CTreeOptionsCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    UINT hit = 0;
    HTREEITEM item = HitTest(point, &hit);
    // Anywhere on the row but the expand button.
    if (item != nullptr &&
        (hit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)))
        Toggle(item);
    CTreeCtrl::OnLButtonDown(flags, point);
}

void CTreeOptionsCtrl::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch == ' ' && Toggle(GetSelectedItem()))
        return;
    CTreeCtrl::OnChar(ch, repeat, flags);
}
