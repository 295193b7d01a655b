// The grid's interactive side: the focus cell, the selected cells, keyboard
// navigation in dialog style, mouse selection, resizing by the heading
// dividers, auto-scroll while selecting, check boxes and sorting.
#include "controls/GridCtrl.h"

#include <algorithm>
#include <vector>

namespace {

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

}  // namespace

// ---- focus and selection -----------------------------------------------------------------------------

CGridCellId CGridCtrl::SetFocusCell(int row, int col)
{
    const CGridCellId previous = m_idCurrentCell;
    const CGridCellId next(row, col);
    if (next == previous)
        return previous;
    const bool rowChanged = next.row != previous.row;
    const bool colChanged = next.col != previous.col;

    if (IsValidCell(previous)) {
        SendMessageToParent(previous.row, previous.col, GVN_FOCUSLEAVE);
        SetCellState(previous.row, previous.col, GetCellState(previous.row, previous.col) & ~GVIS_FOCUSED);
        m_idCurrentCell = next;  // the headings drop their bold look
        RedrawCell(previous.row, previous.col);
        RedrawHeadings(previous, rowChanged, colChanged);
    }
    m_idCurrentCell = next;
    if (IsValidCell(next)) {
        SetCellState(next.row, next.col, GetCellState(next.row, next.col) | GVIS_FOCUSED);
        RedrawCell(next.row, next.col);
        RedrawHeadings(next, rowChanged, colChanged);
        SendMessageToParent(next.row, next.col, GVN_FOCUSENTER);
    }
    return previous;
}

void CGridCtrl::RedrawHeadings(const CGridCellId& cell, bool rowChanged, bool colChanged)
{
    if (colChanged)
        for (int r = 0; r < m_nFixedRows; ++r)
            RedrawCell(r, cell.col);
    if (rowChanged)
        for (int c = 0; c < m_nFixedCols; ++c)
            RedrawCell(cell.row, c);
}

void CGridCtrl::SetSelectedRangeKeeping(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint)
{
    if (!m_bEnableSelection)
        return;
    CDC* dc = (forceRepaint && m_hWnd) ? GetDC() : nullptr;
    const CCellRange range(minRow, minCol, maxRow, maxCol);

    // Everything selected now goes; what stays in the range is reselected below.
    std::vector<CGridCellId> was;
    for (const auto& entry : m_selectedCells)
        was.push_back(entry.second);
    for (const CGridCellId& cell : was) {
        if (!IsValidCell(cell))
            continue;
        SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) & ~GVIS_SELECTED);
        if (!range.InRange(cell.row, cell.col)) {
            if (dc)
                RedrawCell(cell.row, cell.col, dc);
            else
                InvalidateCellRect(cell);
        }
    }
    // The blocks kept from before a Ctrl-click.
    for (const auto& entry : m_previousSelection) {
        const CGridCellId& cell = entry.second;
        if (!IsValidCell(cell))
            continue;
        SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_SELECTED);
        if (dc)
            RedrawCell(cell.row, cell.col, dc);
        else
            InvalidateCellRect(cell);
    }
    if (IsValidRange(range)) {
        for (int r = minRow; r <= maxRow; ++r)
            for (int c = minCol; c <= maxCol; ++c) {
                const UINT state = GetCellState(r, c);
                if (state & GVIS_SELECTED)
                    continue;
                SetCellState(r, c, state | GVIS_SELECTED);
                if (dc)
                    RedrawCell(r, c, dc);
                else
                    InvalidateCellRect(CGridCellId(r, c));
            }
    }
    if (dc)
        ReleaseDC(dc);
}

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint)
{
    m_previousSelection.clear();
    SetSelectedRangeKeeping(minRow, minCol, maxRow, maxCol, forceRepaint);
}

void CGridCtrl::SelectAllCells()
{
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    CCellRange range(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_selectedCells) {
        const CGridCellId& cell = entry.second;
        range.minRow = std::min(range.minRow, cell.row);
        range.minCol = std::min(range.minCol, cell.col);
        range.maxRow = std::max(range.maxRow, cell.row);
        range.maxCol = std::max(range.maxCol, cell.col);
    }
    range.maxRow = std::min(range.maxRow, m_nRows - 1);
    range.maxCol = std::min(range.maxCol, m_nCols - 1);
    return range;
}

void CGridCtrl::ResetSelectedRange()
{
    m_previousSelection.clear();
    SetSelectedRangeKeeping(-1, -1, -1, -1, FALSE);
    SetFocusCell(-1, -1);
}

void CGridCtrl::OnSelecting(const CGridCellId& cell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_nMouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        if (cell.col >= m_nFixedCols && IsValidCell(cell))
            SetSelectedRange(m_nFixedRows, std::min(m_selectionStartCell.col, cell.col), m_nRows - 1,
                             std::max(m_selectionStartCell.col, cell.col));
        break;
    case MOUSE_SELECT_ROW:
        if (cell.row >= m_nFixedRows)
            SetSelectedRange(std::min(m_selectionStartCell.row, cell.row), m_nFixedCols,
                             std::max(m_selectionStartCell.row, cell.row), m_nCols - 1);
        break;
    case MOUSE_SELECT_CELLS:
        if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols)
            SetSelectedRangeKeeping(std::min(m_selectionStartCell.row, cell.row),
                                    std::min(m_selectionStartCell.col, cell.col),
                                    std::max(m_selectionStartCell.row, cell.row),
                                    std::max(m_selectionStartCell.col, cell.col), FALSE);
        break;
    default:
        break;
    }
}

// ---- keyboard ----------------------------------------------------------------------------------------

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const CGridCellId focus = m_idCurrentCell;
    if (!IsValidCell(focus)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    CGridCellId next = focus;
    const bool shift = KeyDown(VK_SHIFT);
    const int firstRow = m_nFixedRows, firstCol = m_nFixedCols;
    const int lastRow = m_nRows - 1, lastCol = m_nCols - 1;
    bool wrapped = false;

    if (KeyDown(VK_CONTROL)) {
        switch (nChar) {
        case 'A': OnEditSelectAll(); break;
        case 'C': OnEditCopy(); break;
        case 'V': OnEditPaste(); break;
        case 'X': OnEditCut(); break;
        default: break;
        }
    }

    switch (nChar) {
    case VK_TAB:
    case VK_RETURN:
        if (!shift) {
            if (next.col < lastCol) {
                ++next.col;
            } else if (next.row < lastRow) {
                ++next.row;
                next.col = firstCol;
                wrapped = true;
            } else {
                CWnd* parent = GetParent();
                if (parent) {
                    if (nChar == VK_RETURN)
                        parent->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
                    else
                        parent->PostMessage(WM_NEXTDLGCTL, 0, 0);
                }
            }
        } else {
            if (next.col > firstCol) {
                --next.col;
            } else if (next.row > firstRow) {
                --next.row;
                next.col = lastCol;
                wrapped = true;
            } else if (CWnd* parent = GetParent()) {
                parent->PostMessage(WM_NEXTDLGCTL, 1, 0);
            }
        }
        break;
    case VK_SPACE:
        if (GetCell(focus.row, focus.col) && GetCell(focus.row, focus.col)->checkKind != 0)
            ToggleCheck(focus.row, focus.col);
        else
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        const CGridCellId before = GetTopLeftNonFixedCell();
        SendMessage(WM_VSCROLL, nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        const CGridCellId after = GetTopLeftNonFixedCell();
        if (after.row != before.row)
            next.row += after.row - before.row;
        else
            next.row = nChar == VK_PRIOR ? firstRow : lastRow;
        next.row = std::clamp(next.row, firstRow, std::max(firstRow, lastRow));
        break;
    }
    case VK_END:
        SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        next.row = lastRow;
        break;
    case VK_HOME:
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        next.row = firstRow;
        break;
    case VK_LEFT:
        if (next.col > firstCol)
            --next.col;
        break;
    case VK_RIGHT:
        if (next.col < lastCol)
            ++next.col;
        break;
    case VK_UP:
        if (next.row > firstRow)
            --next.row;
        break;
    case VK_DOWN:
        if (next.row < lastRow)
            ++next.row;
        break;
    case VK_DELETE: {
        const CCellRange range = GetSelectedCellRange();
        bool changed = false;
        if (IsValidRange(range))
            for (int r = range.minRow; r <= range.maxRow; ++r)
                for (int c = range.minCol; c <= range.maxCol; ++c) {
                    CGridCellItem* cell = GetCell(r, c);
                    if (cell && (cell->state & GVIS_SELECTED) && !cell->text.IsEmpty() && IsCellEditable(r, c)) {
                        cell->text.Empty();
                        RedrawCell(r, c);
                        changed = true;
                    }
                }
        if (changed) {
            SetModified(TRUE);
            SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
        }
        break;
    }
    case VK_F2:
        OnEditCell(focus.row, focus.col, VK_LBUTTON);
        break;
    default:
        if (!KeyDown(VK_CONTROL))
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }

    if (next == focus)
        return;
    if (m_nMouseMode == MOUSE_NOTHING) {
        m_previousSelection.clear();
        m_nMouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!shift || nChar == VK_TAB)
            m_selectionStartCell = next;
        else if (!IsValidCell(m_selectionStartCell))
            m_selectionStartCell = focus;  // a block starts where the keyboard stood
        OnSelecting(next);
        m_nMouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);

    if (IsCellVisible(next.row, next.col))
        return;
    EnsureVisible(next.row, next.col);
    switch (nChar) {
    case VK_TAB:
    case VK_RETURN:
        if (shift) {
            if (wrapped) {
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                SCROLLINFO info{};
                info.fMask = SIF_POS;
                info.nPos = m_nHScrollMax;
                SetScrollInfo(SB_HORZ, &info);
            } else {
                SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            }
        } else {
            if (wrapped) {
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                SCROLLINFO info{};
                info.fMask = SIF_POS;
                info.nPos = 0;
                SetScrollInfo(SB_HORZ, &info);
            } else {
                SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            }
        }
        break;
    case VK_LEFT: SendMessage(WM_HSCROLL, SB_LINELEFT, 0); break;
    case VK_UP: SendMessage(WM_VSCROLL, SB_LINEUP, 0); break;
    case VK_RIGHT: SendMessage(WM_HSCROLL, SB_LINERIGHT, 0); break;
    case VK_DOWN: SendMessage(WM_VSCROLL, SB_LINEDOWN, 0); break;
    default: break;
    }
    Refresh();
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!KeyDown(VK_CONTROL) && m_nMouseMode == MOUSE_NOTHING && !(nChar == VK_TAB && m_bHandleTabKey))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, nChar);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

UINT CGridCtrl::OnGetDlgCode()
{
    if (m_bHandleTabKey && !KeyDown(VK_CONTROL))
        return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// ---- mouse -------------------------------------------------------------------------------------------

void CGridCtrl::InvertDividerLine(int pos, bool vertical)
{
    CRect client;
    GetGridClientRect(&client);
    CDC* dc = GetDC();
    if (dc == nullptr)
        return;
    CRect line = vertical ? CRect(pos, client.top, pos + 2, client.bottom)
                          : CRect(client.left, pos, client.right, pos + 2);
    dc->InvertRect(&line);
    ReleaseDC(dc);
}

void CGridCtrl::OnMouseMove(UINT flags, CPoint p)
{
    CRect client;
    GetGridClientRect(&client);

    if (!(flags & MK_LBUTTON)) {
        if (!client.PtInRect(p) && m_nMouseMode != MOUSE_DRAGGING)
            return;
        const int oldMode = m_nMouseMode;
        int mode = MOUSE_NOTHING;
        if (m_bAllowColumnResize && p.y >= client.top && p.y < client.top + GetFixedRowHeight()) {
            const CGridCellId cell = GetCellFromPt(p, TRUE);
            CPoint origin;
            if (IsValidCell(cell) && GetCellOrigin(cell.row, cell.col, &origin)) {
                const int left = origin.x;
                if ((p.x - left <= kResizeCaptureRange && cell.col != 0) ||
                    (left + GetColumnWidth(cell.col) - p.x <= kResizeCaptureRange))
                    mode = MOUSE_OVER_COL_DIVIDE;
            }
        } else if (m_bAllowRowResize && p.x >= client.left && p.x < client.left + GetFixedColumnWidth()) {
            const CGridCellId cell = GetCellFromPt(p, TRUE);
            CPoint origin;
            if (IsValidCell(cell) && GetCellOrigin(cell.row, cell.col, &origin)) {
                const int top = origin.y;
                if ((p.y - top <= kResizeCaptureRange && cell.row != 0) ||
                    (top + GetRowHeight(cell.row) - p.y <= kResizeCaptureRange))
                    mode = MOUSE_OVER_ROW_DIVIDE;
            }
        }
        if (oldMode == MOUSE_DRAGGING)
            return;
        m_nMouseMode = mode;
        if (mode == MOUSE_OVER_COL_DIVIDE && oldMode != mode)
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        else if (mode == MOUSE_OVER_ROW_DIVIDE && oldMode != mode)
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
        else if (mode == MOUSE_NOTHING && oldMode != MOUSE_NOTHING)
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        m_lastMousePoint = p;
        return;
    }

    if (!IsValidCell(m_leftClickDownCell)) {
        m_lastMousePoint = p;
        return;
    }
    switch (m_nMouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        const CGridCellId cell = GetCellFromPt(p, TRUE);
        if (IsValidCell(cell)) {
            OnSelecting(cell);
            if (!IsCellFixed(cell.row, cell.col))
                SetFocusCell(cell);
        }
        break;
    }
    case MOUSE_SIZING_ROW:
        InvertDividerLine(m_lastMousePoint.y, false);
        InvertDividerLine(p.y, false);
        break;
    case MOUSE_SIZING_COL:
        InvertDividerLine(m_lastMousePoint.x, true);
        InvertDividerLine(p.x, true);
        break;
    case MOUSE_PREPARE_DRAG:
        OnBeginDrag();
        break;
    default:
        break;
    }
    m_lastMousePoint = p;
}

void CGridCtrl::OnLButtonDown(UINT flags, CPoint p)
{
    HWND hadFocus = ::GetFocus();
    SetFocus();
    m_leftClickDownPoint = p;
    m_leftClickDownCell = GetCellFromPt(p, TRUE);
    if (!IsValidCell(m_leftClickDownCell))
        return;

    m_selectionStartCell = (flags & MK_SHIFT) ? m_idCurrentCell : m_leftClickDownCell;

    if (m_leftClickDownCell == m_idCurrentCell) {
        m_nMouseMode = MOUSE_PREPARE_EDIT;
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(m_leftClickDownCell.row, m_nFixedRows), std::max(m_leftClickDownCell.col, m_nFixedCols));

    if (m_bAllowDragAndDrop && hadFocus == m_hWnd &&
        (GetCellState(m_leftClickDownCell.row, m_leftClickDownCell.col) & GVIS_SELECTED)) {
        m_nMouseMode = MOUSE_PREPARE_DRAG;
        return;
    }

    SetCapture();
    if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE) {
        m_nMouseMode = MOUSE_SIZING_COL;
        CPoint origin;
        GetCellOrigin(m_leftClickDownCell.row, m_leftClickDownCell.col, &origin);
        if (p.x - origin.x <= kResizeCaptureRange && m_leftClickDownCell.col > 0) {
            --m_leftClickDownCell.col;
            GetCellOrigin(m_leftClickDownCell.row, m_leftClickDownCell.col, &origin);
        }
        InvertDividerLine(p.x, true);
        CRect client, confine;
        GetGridClientRect(&client);
        confine.SetRect(origin.x, client.top, client.right, client.bottom);
        ClientToScreen(&confine);
        ::ClipCursor(&confine);
    } else if (m_nMouseMode == MOUSE_OVER_ROW_DIVIDE) {
        m_nMouseMode = MOUSE_SIZING_ROW;
        CPoint origin;
        GetCellOrigin(m_leftClickDownCell.row, m_leftClickDownCell.col, &origin);
        if (p.y - origin.y <= kResizeCaptureRange && m_leftClickDownCell.row > 0) {
            --m_leftClickDownCell.row;
            GetCellOrigin(m_leftClickDownCell.row, m_leftClickDownCell.col, &origin);
        }
        InvertDividerLine(p.y, false);
        CRect client, confine;
        GetGridClientRect(&client);
        confine.SetRect(client.left, origin.y, client.right, client.bottom);
        ClientToScreen(&confine);
        ::ClipCursor(&confine);
    } else {
        m_previousSelection.clear();
        if (flags & MK_CONTROL)
            m_previousSelection = m_selectedCells;
        if (m_leftClickDownCell.row < m_nFixedRows) {
            OnFixedRowClick(m_leftClickDownCell);
        } else if (m_leftClickDownCell.col < m_nFixedCols) {
            OnFixedColumnClick(m_leftClickDownCell);
        } else {
            m_nMouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            OnSelecting(m_leftClickDownCell);
        }
        m_nTimerId = SetTimer(kAutoScrollTimer, kAutoScrollInterval);
    }
    m_lastMousePoint = p;
}

void CGridCtrl::OnLButtonUp(UINT flags, CPoint p)
{
    CWnd::OnLButtonUp(flags, p);
    ::ClipCursor(nullptr);
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        if (m_nTimerId) {
            KillTimer(m_nTimerId);
            m_nTimerId = 0;
        }
    }

    switch (m_nMouseMode) {
    case MOUSE_PREPARE_EDIT:
    case MOUSE_SELECT_CELLS:
        if (m_nMouseMode == MOUSE_PREPARE_EDIT || GetSelectedCount() == 1) {
            const CGridCellItem* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
            if (cell && cell->checkKind != 0)
                ToggleCheck(m_idCurrentCell.row, m_idCurrentCell.col);
            else if (IsValidCell(m_idCurrentCell))
                OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, VK_LBUTTON);
        }
        break;
    case MOUSE_PREPARE_DRAG:
        ResetSelectedRange();
        break;
    case MOUSE_SIZING_COL: {
        InvertDividerLine(m_lastMousePoint.x, true);
        if (p != m_leftClickDownPoint) {
            CPoint origin;
            if (GetCellOrigin(m_leftClickDownCell.row, m_leftClickDownCell.col, &origin))
                SetColumnWidth(m_leftClickDownCell.col, std::max<int>(0, p.x - origin.x));
            ResetScrollBars();
            Refresh();
        }
        break;
    }
    case MOUSE_SIZING_ROW: {
        InvertDividerLine(m_lastMousePoint.y, false);
        if (p != m_leftClickDownPoint) {
            CPoint origin;
            if (GetCellOrigin(m_leftClickDownCell.row, 0, &origin))
                SetRowHeight(m_leftClickDownCell.row, std::max<int>(0, p.y - origin.y));
            ResetScrollBars();
            Refresh();
        }
        break;
    }
    default:
        break;
    }
    m_nMouseMode = MOUSE_NOTHING;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    if (IsValidCell(m_leftClickDownCell))
        if (CWnd* owner = GetOwner())
            owner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGridCtrl::OnLButtonDblClk(UINT flags, CPoint p)
{
    CRect client;
    GetGridClientRect(&client);
    if (client.PtInRect(p)) {
        const CGridCellId cell = GetCellFromPt(p, TRUE);
        if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE && IsValidCell(cell)) {
            int col = cell.col;
            CPoint origin;
            if (GetCellOrigin(cell.row, col, &origin) && p.x - origin.x <= kResizeCaptureRange && col > 0)
                --col;
            AutoSizeColumn(col);
            Refresh();
        } else if (m_nMouseMode == MOUSE_OVER_ROW_DIVIDE && IsValidCell(cell)) {
            int row = cell.row;
            CPoint origin;
            if (GetCellOrigin(row, cell.col, &origin) && p.y - origin.y <= kResizeCaptureRange && row > 0)
                --row;
            AutoSizeRow(row);
            Refresh();
        } else if (m_nMouseMode == MOUSE_NOTHING) {
            if (IsValidCell(m_leftClickDownCell) && !IsCellFixed(m_leftClickDownCell.row, m_leftClickDownCell.col)) {
                const CGridCellItem* focus = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
                if (focus && focus->checkKind != 0)
                    ToggleCheck(m_idCurrentCell.row, m_idCurrentCell.col);
                else if (IsValidCell(m_idCurrentCell))
                    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, VK_LBUTTON);
            } else if (m_bListMode && IsValidCell(m_leftClickDownCell) &&
                       m_leftClickDownCell.row >= m_nFixedRows && m_leftClickDownCell.col < m_nFixedCols) {
                OnEditCell(m_leftClickDownCell.row, m_leftClickDownCell.col, VK_LBUTTON);
            }
        }
    }
    CWnd::OnLButtonDblClk(flags, p);
}

void CGridCtrl::OnFixedRowClick(CGridCellId& cell)
{
    if (!m_bListMode) {
        m_nMouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
        return;
    }
    if (!m_bSortOnClick)
        return;
    CWaitCursor wait;
    if (cell.col == m_nSortColumn) {
        m_bAscending = !m_bAscending;
    } else {
        m_bAscending = TRUE;
        m_nSortColumn = cell.col;
    }
    SortTextItems(m_nSortColumn, m_bAscending);
    Refresh();
}

void CGridCtrl::OnFixedColumnClick(CGridCellId& cell)
{
    m_nMouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

BOOL CGridCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest != HTCLIENT || wnd == nullptr || wnd->GetSafeHwnd() != m_hWnd)
        return CWnd::OnSetCursor(wnd, hitTest, message);
    switch (m_nMouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
        break;
    case MOUSE_OVER_COL_DIVIDE:
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        break;
    case MOUSE_DRAGGING:
        break;
    default: {
        CPoint p;
        ::GetCursorPos(&p);
        ScreenToClient(&p);
        const CGridCellId cell = GetCellFromPt(p, TRUE);
        const bool text = IsValidCell(cell) && !IsCellFixed(cell.row, cell.col) &&
                          !(GetCellState(cell.row, cell.col) & GVIS_READONLY);
        ::SetCursor(::LoadCursor(nullptr, text ? IDC_IBEAM : IDC_ARROW));
        break;
    }
    }
    return TRUE;
}

void CGridCtrl::OnTimer(UINT_PTR id)
{
    if (id != kAutoScrollTimer)
        return;
    CPoint p;
    ::GetCursorPos(&p);
    ScreenToClient(&p);
    CRect client;
    GetGridClientRect(&client);
    const CPoint original = p;

    if (p.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        p.x = std::clamp<long>(p.x, client.left, client.right);
        p.y = client.bottom;
        OnSelecting(GetCellFromPt(p, TRUE));
    } else if (p.y < GetFixedRowHeight()) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        p.x = std::clamp<long>(p.x, client.left, client.right);
        p.y = GetFixedRowHeight() + 1;
        OnSelecting(GetCellFromPt(p, TRUE));
    }
    p = original;
    if (p.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        p.y = std::clamp<long>(p.y, client.top, client.bottom);
        p.x = client.right;
        OnSelecting(GetCellFromPt(p, TRUE));
    } else if (p.x < GetFixedColumnWidth()) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        p.y = std::clamp<long>(p.y, client.top, client.bottom);
        p.x = GetFixedColumnWidth() + 1;
        OnSelecting(GetCellFromPt(p, TRUE));
    }
}

void CGridCtrl::OnCaptureChanged(CWnd* wnd)
{
    if (wnd == nullptr || wnd->GetSafeHwnd() != m_hWnd) {
        if (m_nTimerId) {
            KillTimer(m_nTimerId);
            m_nTimerId = 0;
        }
        if (m_nMouseMode == MOUSE_DRAGGING)
            m_nMouseMode = MOUSE_NOTHING;
    }
}

// ---- sorting -----------------------------------------------------------------------------------------

void CGridCtrl::SwapRows(int a, int b)
{
    std::swap(m_rows[a], m_rows[b]);
    std::swap(m_rowHeights[a], m_rowHeights[b]);
}

void CGridCtrl::SortRows(int col, BOOL ascending, int lo, int hi)
{
    if (lo >= hi)
        return;
    const CString pivot = GetCellText((lo + hi) / 2, col);
    auto less = [&](const CString& a, const CString& b) { return strcmp(a, b) < 0; };
    int i = lo, j = hi;
    while (i <= j) {
        if (ascending) {
            while (i < hi && less(GetCellText(i, col), pivot))
                ++i;
            while (j > lo && less(pivot, GetCellText(j, col)))
                --j;
        } else {
            while (i < hi && less(pivot, GetCellText(i, col)))
                ++i;
            while (j > lo && less(GetCellText(j, col), pivot))
                --j;
        }
        if (i <= j) {
            if (GetCellText(i, col) != GetCellText(j, col))
                SwapRows(i, j);
            ++i;
            --j;
        }
    }
    if (lo < j)
        SortRows(col, ascending, lo, j);
    if (i < hi)
        SortRows(col, ascending, i, hi);
}

BOOL CGridCtrl::SortTextItems(int col, BOOL ascending)
{
    if (col < 0 || col >= m_nCols)
        return FALSE;
    ResetSelectedRange();
    SortRows(col, ascending, m_nFixedRows, m_nRows - 1);
    return TRUE;
}
