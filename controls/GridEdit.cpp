// Starting and ending the edit of a grid cell in place.
#include "controls/GridCtrl.h"

#include "controls/GridInPlaceEdit.h"

void CGridCtrl::OnEditCell(int row, int col, UINT firstKey)
{
    EnsureVisible(row, col);
    CRect rect;
    if (!IsValidCell(row, col) || !IsCellEditable(row, col) || !IsCellVisible(row, col) ||
        !GetCellRect(row, col, &rect))
        return;
    SendMessageToParent(row, col, GVN_BEGINEDIT);
    const UINT format = GetCellFormat(row, col);
    DWORD style = ES_LEFT;
    if (format & DT_RIGHT)
        style = ES_RIGHT;
    else if (format & DT_CENTER)
        style = ES_CENTER;
    CreateInPlaceEditControl(rect, style, kGridInPlaceId, row, col, GetCellText(row, col), firstKey);
}

void CGridCtrl::CreateInPlaceEditControl(CRect& rect, DWORD style, UINT id, int row, int col, LPCSTR text,
                                         UINT firstKey)
{
    // The control deletes itself when its window goes.
    new CGridInPlaceEdit(this, rect, style, id, row, col, text, firstKey);
}

void CGridCtrl::OnEndEditCell(int row, int col, CString text)
{
    SetCellText(row, col, text);
    SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    if (!::IsWindow(m_hWnd))
        return;
    const auto* info = reinterpret_cast<const GridEditNotifyInfo*>(hdr);
    const int row = info->item.row;
    const int col = info->item.col;
    const UINT key = static_cast<UINT>(info->item.data);
    const CString text = info->item.text;
    if (key != VK_ESCAPE && GetCellText(row, col) != text)
        SetModified(TRUE);
    OnEndEditCell(row, col, text);
    InvalidateCellRect(CGridCellId(row, col));
    SendMessageToParent(row, col, GVN_ENDEDIT);
    if (key >= VK_PRIOR && key <= VK_DOWN) {
        OnKeyDown(key, 0, 0);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, key);
    }
}
