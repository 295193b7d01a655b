// The Slope Editor's table: a grid whose material column is edited with a
// drop-down list of the material names and whose number columns take only
// numbers. A number cell that receives anything else keeps its value and the
// user is told why once the edit has ended; Delete, Cut and Paste go through
// the same check, and what they would leave refused changes nothing.
//
// The table remembers which cells the user changed: the dialog writes only
// those back, so a value the table shows shortened keeps its every digit.
#pragma once

#include <set>
#include <utility>

#include "controls/GridCtrl.h"
#include "framework/Array.h"

class COvdGridCtrl : public CGridCtrl {
public:
    // Columns of the vertex table.
    enum { COL_VERTEX = 0, COL_X = 1, COL_X_SD = 2, COL_Y = 3, COL_Y_SD = 4, COL_MATERIAL = 5 };

    COvdGridCtrl() = default;
    // The names offered in the material column (kept by the dialog).
    void SetOptions(const CStringArray* names) { m_pOptions = names; }

    // True while a refused entry has not been reported yet; Report shows it.
    bool HasPendingRefusal() const { return !m_refusal.IsEmpty(); }
    void ReportRefusal();

    // True once the user has changed the cell; ForgetEdits when the rows are filled afresh.
    bool IsCellEdited(int row, int col) const { return m_edited.count({row, col}) != 0; }
    void ForgetEdits() { m_edited.clear(); }

    void OnEndEditCell(int row, int col, CString text) override;
    BOOL PasteTextToGrid(CGridCellId cell, COleDataObject* data) override;
    void OnEditCut() override;
    void OnEditCell(int row, int col, UINT firstKey) override;
    void CreateInPlaceEditControl(CRect& rect, DWORD style, UINT id, int row, int col, LPCSTR text,
                                  UINT firstKey) override;

    // The text of a number cell read as a finite number; false for anything else.
    static bool ParseNumber(const CString& text, double& value);

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint p);
    afx_msg LRESULT OnShowRefusal(WPARAM, LPARAM);

private:
    // What a cell would hold with this text: a number cell's value with three
    // decimals, a material cell's name. False (and the refusal noted) for text
    // the cell cannot take.
    bool CheckEntry(int row, int col, const CString& text, CString& cellText);
    // Delete and Cut: refused when a cell they would empty is one the user may change.
    bool RefuseEmptying();
    void Store(int row, int col, const CString& cellText);

    const CStringArray* m_pOptions = nullptr;
    CString m_refusal;
    std::set<std::pair<int, int>> m_edited;

    DECLARE_MESSAGE_MAP()
};
