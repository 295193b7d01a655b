// The Slope Editor's table.
#include "editors/OvdGridCtrl.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "controls/GridInPlaceEdit.h"
#include "framework/MessageBox.h"

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
    const char* s = trimmed;
    if (*s == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s, &end);
    if (end == s || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

void COvdGridCtrl::OnEndEditCell(int row, int col, CString text)
{
    if (col == COL_MATERIAL) {
        CGridCtrl::OnEndEditCell(row, col, text);
        return;
    }
    if (col < COL_X || col > COL_Y_SD || text == GetCellText(row, col))
        return;
    double value = 0.0;
    if (!ParseNumber(text, value)) {
        m_refusal.Format("\"%s\" is not a number: the cell keeps its value %s.", static_cast<LPCSTR>(text),
                         static_cast<LPCSTR>(GetCellText(row, col)));
    } else if ((col == COL_X_SD || col == COL_Y_SD) && value < 0.0) {
        m_refusal.Format("A standard deviation cannot be negative: the cell keeps its value %s.",
                         static_cast<LPCSTR>(GetCellText(row, col)));
    } else {
        CString formatted;
        formatted.Format("%.3f", value);
        SetCellText(row, col, formatted);
        SetModified(TRUE);
        SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
        return;
    }
    // A message box now would take the focus from the closing edit; tell the user next.
    PostMessage(WM_SHOW_REFUSAL);
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
