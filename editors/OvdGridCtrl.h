// The Slope Editor's table: a grid whose material column is edited with a
// drop-down list of the material names and whose number columns take only
// numbers. A number cell that receives anything else keeps its value and the
// user is told why once the edit has ended.
#pragma once

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

    void OnEndEditCell(int row, int col, CString text) override;
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
    const CStringArray* m_pOptions = nullptr;
    CString m_refusal;

    DECLARE_MESSAGE_MAP()
};
