// The grid's exchange of cell text with other programs: the clipboard
// commands and OLE drag and drop. Text goes out as rows of Tab-separated
// cells joined by CR LF; Tab, comma and LF separate it on the way in.
#include "controls/GridCtrl.h"

#include <cstring>
#include <string>

#include "framework/OleData.h"

// ---- copy, cut and paste -------------------------------------------------------------------------------

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    const CCellRange range = GetSelectedCellRange();
    if (!IsValidRange(range))
        return nullptr;
    std::string text;
    for (int r = range.minRow; r <= range.maxRow; ++r) {
        for (int c = range.minCol; c <= range.maxCol; ++c) {
            const CGridCellItem* cell = GetCell(r, c);
            if (cell != nullptr && (cell->state & GVIS_SELECTED)) {
                const CString value = GetCellText(r, c);
                text += value.IsEmpty() ? std::string(" ") : std::string(value);
            }
            if (c != range.maxCol)
                text += '\t';
        }
        if (r != range.maxRow)
            text += "\r\n";
    }
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, text.size() + 1);
    if (block == nullptr)
        return nullptr;
    char* p = static_cast<char*>(::GlobalLock(block));
    if (p == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, block);
    return source;
}

BOOL CGridCtrl::CutSelectedText()
{
    if (!m_bEditable)
        return FALSE;
    std::vector<CGridCellId> selected;
    for (const auto& entry : m_selectedCells)
        selected.push_back(entry.second);
    for (const CGridCellId& cell : selected) {
        if (!IsCellEditable(cell.row, cell.col))
            continue;
        EmptyCell(GetCell(cell.row, cell.col), cell.row, cell.col);
        SetModified(TRUE);
    }
    Refresh();
    return TRUE;
}

bool CGridCtrl::ReadPastedText(COleDataObject* data, std::string& text)
{
    text.clear();
    if (data == nullptr || !data->IsDataAvailable(CF_TEXT))
        return false;
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    if (block == nullptr)
        return false;
    if (const char* p = static_cast<const char*>(::GlobalLock(block))) {
        text.assign(p, strnlen(p, ::GlobalSize(block)));
        ::GlobalUnlock(block);
    }
    ::GlobalFree(block);
    return true;
}

std::vector<std::vector<CString>> CGridCtrl::SplitPastedText(const std::string& text)
{
    // Lines end at LF; an empty line that has more text after it counts as one blank.
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1) {
        std::string line = text.substr(start, lf - start);
        if (line.empty())
            line = " ";
        lines.push_back(line);
    }
    lines.push_back(text.substr(start));

    std::vector<std::vector<CString>> fields(lines.size());
    for (size_t k = 0; k < lines.size(); ++k) {
        std::string& line = lines[k];
        // Runs of separators count as one; empty fields vanish.
        for (char* field = std::strtok(line.data(), "\t,\n"); field != nullptr; field = std::strtok(nullptr, "\t,\n")) {
            CString value(field);
            value.Trim();
            value.TrimRight('\r');
            fields[k].push_back(value);
        }
    }
    return fields;
}

BOOL CGridCtrl::PasteTextToGrid(CGridCellId cell, COleDataObject* data)
{
    if (!IsValidCell(cell) || !IsCellEditable(cell.row, cell.col) || data == nullptr ||
        !data->IsDataAvailable(CF_TEXT))
        return FALSE;
    ResetSelectedRange();

    std::string text;
    if (!ReadPastedText(data, text))
        return FALSE;
    const std::vector<std::vector<CString>> lines = SplitPastedText(text);
    for (size_t k = 0; k < lines.size(); ++k) {
        for (size_t m = 0; m < lines[k].size(); ++m) {
            const int row = cell.row + static_cast<int>(k);
            const int col = cell.col + static_cast<int>(m);
            if (!IsValidCell(row, col))
                continue;
            if (IsCellEditable(row, col)) {
                SetCellText(row, col, lines[k][m]);
                SetModified(TRUE);
            }
            SetCellState(row, col, GetCellState(row, col) | GVIS_SELECTED);
        }
    }
    Refresh();
    return TRUE;
}

void CGridCtrl::OnEditCopy()
{
    if (COleDataSource* source = CopyTextFromGrid())
        source->SetClipboard();
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    COleDataSource* source = CopyTextFromGrid();
    if (source == nullptr)
        return;
    source->SetClipboard();
    CutSelectedText();
    SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;
    CGridCellId target = m_idCurrentCell;
    if (!IsValidCell(target))
        target = GetTopLeftNonFixedCell();
    if (!IsValidCell(target))
        return;
    COleDataObject data;
    if (!data.AttachClipboard())
        return;
    if (PasteTextToGrid(target, &data))
        SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

BOOL CGridCtrl::CanCopy() const
{
    const CCellRange range = GetSelectedCellRange();
    return IsValidRange(range) && range.Count() > 0;
}

BOOL CGridCtrl::CanCut() const
{
    return CanCopy() && IsEditable();
}

BOOL CGridCtrl::CanPaste() const
{
    return IsValidCell(m_idCurrentCell) && IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col) &&
           ::IsClipboardFormatAvailable(CF_TEXT);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* ui) { ui->Enable(CanCopy()); }
void CGridCtrl::OnUpdateEditCut(CCmdUI* ui) { ui->Enable(CanCut()); }
void CGridCtrl::OnUpdateEditPaste(CCmdUI* ui) { ui->Enable(CanPaste()); }
void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* ui) { ui->Enable(CanSelectAll()); }

// ---- drag and drop -----------------------------------------------------------------------------------

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* source = CopyTextFromGrid();
    if (source == nullptr)
        return;
    const CCellRange range = GetSelectedCellRange();
    std::vector<CGridCellId> dragged;
    for (const auto& entry : m_selectedCells)
        dragged.push_back(entry.second);
    SendMessageToParent(range.minRow, range.minCol, GVN_BEGINDRAG);
    m_nMouseMode = MOUSE_DRAGGING;
    m_bDroppedHere = FALSE;
    const DROPEFFECT effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // A move empties the dragged cells; after a drop on this grid the block
    // pasted there (now the selection) keeps what it received.
    if ((effect & DROPEFFECT_MOVE) && m_bEditable) {
        for (const CGridCellId& cell : dragged) {
            if (m_bDroppedHere && (GetCellState(cell.row, cell.col) & GVIS_SELECTED))
                continue;
            if (IsCellEditable(cell.row, cell.col)) {
                EmptyCell(GetCell(cell.row, cell.col), cell.row, cell.col);
                SetModified(TRUE);
            }
        }
        Refresh();
        SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
    }
    m_bDroppedHere = FALSE;
    m_nMouseMode = MOUSE_NOTHING;
    source->InternalRelease();
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || data == nullptr || !data->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const CGridCellId cell = GetCellFromPt(point, FALSE);
    m_lastDragOverCell = cell;
    if (!IsValidCell(cell) || !IsCellEditable(cell.row, cell.col))
        return DROPEFFECT_NONE;
    SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell.row, cell.col);
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !IsEditable() || data == nullptr || !data->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const CGridCellId cell = GetCellFromPt(point, FALSE);
    if (!IsValidCell(cell)) {
        OnDragLeave();
        m_lastDragOverCell = CGridCellId();
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell.row, cell.col))
        return DROPEFFECT_NONE;
    if (cell != m_lastDragOverCell) {
        if (IsValidCell(m_lastDragOverCell)) {
            SetCellState(m_lastDragOverCell.row, m_lastDragOverCell.col,
                         GetCellState(m_lastDragOverCell.row, m_lastDragOverCell.col) & ~GVIS_DROPHILITED);
            RedrawCell(m_lastDragOverCell.row, m_lastDragOverCell.col);
        }
        m_lastDragOverCell = cell;
        SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_DROPHILITED);
        RedrawCell(cell.row, cell.col);
    }
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    if (!IsValidCell(m_lastDragOverCell))
        return;
    SetCellState(m_lastDragOverCell.row, m_lastDragOverCell.col,
                 GetCellState(m_lastDragOverCell.row, m_lastDragOverCell.col) & ~GVIS_DROPHILITED);
    RedrawCell(m_lastDragOverCell.row, m_lastDragOverCell.col);
}

BOOL CGridCtrl::OnDrop(COleDataObject* data, DROPEFFECT, CPoint)
{
    if (!m_bAllowDragAndDrop || !IsCellEditable(m_lastDragOverCell.row, m_lastDragOverCell.col))
        return FALSE;
    const bool ownDrag = m_nMouseMode == MOUSE_DRAGGING;
    m_nMouseMode = MOUSE_NOTHING;
    OnDragLeave();
    const BOOL pasted = PasteTextToGrid(m_lastDragOverCell, data);
    if (pasted) {
        if (ownDrag)
            m_bDroppedHere = TRUE;
        SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
    }
    return pasted;
}
