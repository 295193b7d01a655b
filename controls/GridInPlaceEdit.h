// The short-lived controls that edit a grid cell in place: a single-line edit
// by default, or a drop-down list with its inner edit when a subclass of the
// grid asks for one. Each ends itself when it loses the focus and reports the
// new text, the cell and the key that ended the edit to its owner (the grid)
// in one WM_NOTIFY of code GVN_ENDEDIT; then it closes and deletes itself.
#pragma once

#include "controls/GridCell.h"
#include "framework/Array.h"
#include "framework/StdControls.h"
#include "framework/String.h"

class CGridCtrl;

class CGridInPlaceEdit : public CEdit {
public:
    // Creates the edit over rect as a child of the grid and gives it the focus.
    CGridInPlaceEdit(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col, LPCSTR text, UINT firstKey);

    BOOL PreTranslateMessage(MSG* msg) override;
    UINT GetExitKey() const { return m_nExitKey; }

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void EndEdit(UINT key);

private:
    ~CGridInPlaceEdit() override = default;
    int m_nRow;
    int m_nCol;
    CString m_strInitText;
    UINT m_nExitKey = 0;
    bool m_bEnding = false;

    DECLARE_MESSAGE_MAP()
};

class CGridInPlaceList;

// The edit child of an in-place list (control id 1001).
class CGridComboEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }

    DECLARE_MESSAGE_MAP()
};

class CGridInPlaceList : public CComboBox {
public:
    CGridInPlaceList(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col, const CStringArray& items,
                     LPCSTR text, UINT firstKey);

    UINT GetExitKey() const { return m_nExitKey; }
    // Sends the end-of-edit record (once) and closes the list.
    void EndEdit();

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }

private:
    ~CGridInPlaceList() override = default;
    void Finish(UINT key);
    friend class CGridComboEdit;

    CGridComboEdit m_edit;
    int m_nNumLines = 8;
    CString m_strInitText;
    int m_nRow;
    int m_nCol;
    UINT m_nExitKey = 0;
    bool m_bEnded = false;

    DECLARE_MESSAGE_MAP()
};

// Builds the end-of-edit record from a control's text and sends it to the
// control's owner; the owner's answer is returned.
void SendGridEndEdit(CWnd* control, int row, int col, UINT exitKey);
