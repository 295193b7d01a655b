// The Slope Editor's table.
#include "editors/OvdGridCtrl.h"

#include <string>
#include <vector>

#include "controls/GridInPlaceEdit.h"
#include "editors/EditorDialog.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "geometry/Constants.h"

namespace {
// Posted to the grid to report a refused entry after the edit has closed.
constexpr UINT WM_SHOW_REFUSAL = WM_APP + 0x120;
}  // namespace

BEGIN_MESSAGE_MAP(COvdGridCtrl, CGridCtrl)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_SHOW_REFUSAL, OnShowRefusal)
END_MESSAGE_MAP()

bool COvdGridCtrl::ParseNumber(const CString& text, double& value)
{
    CString trimmed = text;
    trimmed.Trim();
    return AfxParseDecimal(trimmed, value);
}

bool COvdGridCtrl::CheckEntry(int row, int col, const CString& text, CString& cellText)
{
    const CString old = GetCellText(row, col);
    if (col == COL_MATERIAL) {
        for (int i = 0; m_pOptions != nullptr && i < m_pOptions->GetSize(); ++i)
            if ((*m_pOptions)[i] == text) {
                cellText = text;
                return true;
            }
        m_refusal.Format("\"%s\" is not a material: the cell keeps %s.", static_cast<LPCSTR>(text),
                         static_cast<LPCSTR>(old));
        return false;
    }
    double value = 0.0;
    if (!ParseNumber(text, value)) {
        m_refusal.Format("\"%s\" is not a number: the cell keeps its value %s.", static_cast<LPCSTR>(text),
                         static_cast<LPCSTR>(old));
        return false;
    }
    const bool spread = col == COL_X_SD || col == COL_Y_SD;
    if (spread && value < 0.0) {
        m_refusal.Format("A standard deviation cannot be negative: the cell keeps its value %s.",
                         static_cast<LPCSTR>(old));
        return false;
    }
    // Held as the editors' fields hold them: coordinates the view can show,
    // spreads a computation can follow.
    const double low = spread ? 0.0 : -COORDINATE_LIMIT;
    const double high = spread ? STDDEV_LIMIT : COORDINATE_LIMIT;
    if (value < low || value > high) {
        m_refusal = AfxRealRangeMessage(low, high);
        return false;
    }
    cellText.Format("%.3f", value);
    return true;
}

void COvdGridCtrl::Store(int row, int col, const CString& cellText)
{
    SetCellText(row, col, cellText);
    m_edited.insert({row, col});
    SetModified(TRUE);
}

void COvdGridCtrl::OnEndEditCell(int row, int col, CString text)
{
    // Text as it was is no edit: the cell keeps its full value.
    if (col < COL_X || col > COL_MATERIAL || text == GetCellText(row, col))
        return;
    CString cellText;
    if (CheckEntry(row, col, text, cellText)) {
        Store(row, col, cellText);
        SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
        return;
    }
    // A message box now would take the focus from the closing edit; tell the user next.
    PostMessage(WM_SHOW_REFUSAL);
}

BOOL COvdGridCtrl::PasteTextToGrid(CGridCellId cell, COleDataObject* data)
{
    if (!IsValidCell(cell) || !IsCellEditable(cell.row, cell.col))
        return FALSE;
    std::string text;
    if (!ReadPastedText(data, text))
        return FALSE;
    const std::vector<std::vector<CString>> lines = SplitPastedText(text);

    // Every cell the paste would change is checked first: one the table
    // refuses stops the whole paste, so nothing changes halfway.
    struct Change {
        int row, col;
        CString text;
    };
    std::vector<Change> changes;
    std::vector<CGridCellId> reached;
    for (size_t k = 0; k < lines.size(); ++k)
        for (size_t m = 0; m < lines[k].size(); ++m) {
            const int row = cell.row + static_cast<int>(k);
            const int col = cell.col + static_cast<int>(m);
            if (!IsValidCell(row, col))
                continue;
            reached.emplace_back(row, col);
            if (!IsCellEditable(row, col) || lines[k][m] == GetCellText(row, col))
                continue;
            CString cellText;
            if (!CheckEntry(row, col, lines[k][m], cellText)) {
                ReportRefusal();
                return FALSE;
            }
            changes.push_back({row, col, cellText});
        }

    ResetSelectedRange();
    for (const Change& c : changes)
        Store(c.row, c.col, c.text);
    for (const CGridCellId& id : reached)
        SetCellState(id.row, id.col, GetCellState(id.row, id.col) | GVIS_SELECTED);
    Refresh();
    return TRUE;
}

bool COvdGridCtrl::RefuseEmptying()
{
    const CCellRange range = GetSelectedCellRange();
    if (!IsValidRange(range))
        return false;
    for (int r = range.minRow; r <= range.maxRow; ++r)
        for (int c = range.minCol; c <= range.maxCol; ++c) {
            if (!(GetCellState(r, c) & GVIS_SELECTED) || !IsCellEditable(r, c) || GetCellText(r, c).IsEmpty())
                continue;
            CString unused;
            if (!CheckEntry(r, c, "", unused)) {
                ReportRefusal();
                return true;
            }
        }
    return false;
}

void COvdGridCtrl::OnEditCut()
{
    // Every cell the user may change holds a number or a material: none may be emptied.
    if (RefuseEmptying())
        return;
    CGridCtrl::OnEditCut();
}

LRESULT COvdGridCtrl::OnShowRefusal(WPARAM, LPARAM)
{
    ReportRefusal();
    return 0;
}

void COvdGridCtrl::ReportRefusal()
{
    if (m_refusal.IsEmpty())
        return;
    const CString text = m_refusal;
    m_refusal.Empty();
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void COvdGridCtrl::OnEditCell(int row, int col, UINT firstKey)
{
    // The first vertex ends no segment: it has no material.
    if (col == COL_MATERIAL && row < 2)
        return;
    CGridCtrl::OnEditCell(row, col, firstKey);
}

void COvdGridCtrl::CreateInPlaceEditControl(CRect& rect, DWORD style, UINT id, int row, int col, LPCSTR text,
                                            UINT firstKey)
{
    if (col == COL_MATERIAL && row >= 2 && m_pOptions != nullptr) {
        new CGridInPlaceList(this, rect, CBS_DROPDOWNLIST, id, row, col, *m_pOptions, text, firstKey);
        return;
    }
    CGridCtrl::CreateInPlaceEditControl(rect, style, id, row, col, text, firstKey);
}

void COvdGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE && RefuseEmptying())
        return;
    if (nChar == VK_F2) {
        const CGridCellId focus = GetFocusCell();
        if (IsValidCell(focus))
            OnEditCell(focus.row, focus.col, VK_LBUTTON);
        return;
    }
    CGridCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void COvdGridCtrl::OnLButtonDblClk(UINT, CPoint p)
{
    SetFocus();
    const CGridCellId cell = GetCellFromPt(p, FALSE);
    if (!IsValidCell(cell))
        return;
    SetFocusCell(cell);
    OnEditCell(cell.row, cell.col, VK_LBUTTON);
}
