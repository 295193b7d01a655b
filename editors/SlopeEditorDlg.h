// The Slope Editor: every vertex of the slope in a table (number, X and Y with
// their standard deviations, the material of the segment that ends there),
// edited in place. OK writes the table to the slope; Cancel leaves it (the
// document keeps a copy of the slope while the editor is open and puts it
// back unless OK ends it, which also undoes "Common std dev...").
#pragma once

#include "editors/OvdGridCtrl.h"
#include "framework/Array.h"
#include "framework/Dialog.h"
#include "model/TalusimDoc.h"

class CTalusimDoc;
class CTalusimSlope;
class CTalusimSlopeType;
struct CSlopeEditorData;

class CSlopeEditorDlg : public CDialog {
public:
    // What a pick from the slope view opens on: the row's material, its
    // coordinates, or the first row. These are the document's pick codes under
    // the names of what the editor does with them: a vertex picked to assign
    // its material (PICK_VERTEX) opens the material cell, a segment picked to
    // edit the geometry (PICK_SEGMENT) opens the coordinates.
    static constexpr int kPickMaterialRow = PICK_VERTEX;
    static constexpr int kPickCoordinateRow = PICK_SEGMENT;
    static constexpr int kPickNone = PICK_NONE;

    explicit CSlopeEditorDlg(CWnd* parent = nullptr);
    // The pick is kept only for those two kinds and an index that lies on the slope.
    void SetData(CTalusimDoc* document, CTalusimSlope* slope, int pickKind, int pickIndex);

    int m_nUnits = 1;       // non-zero: metres
    int m_bUseStdDev = 0;   // "Use standard deviations when generating slope vertices"

    COvdGridCtrl& GetGrid() { return m_grid; }
    // The table as tab-separated text, as Copy puts it on the clipboard.
    CString BuildCopyText() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // Escape does not close the editor: "Cancel" does.
    void OnCancel() override {}
    afx_msg void OnCancelButton();
    afx_msg void OnClose();
    afx_msg void OnEnterCatcher() {}
    afx_msg void OnCopy();
    afx_msg void OnCommonStdDev();
    afx_msg void OnUseStdDev();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    afx_msg LRESULT OnStartEditing(WPARAM, LPARAM);

private:
    void LoadMaterialNames();
    void WriteHeaders();
    static CString FormatCellNumber(double value);
    void FillRows();
    void EnableStdDevColumns();
    CTalusimSlopeType* MaterialNamed(const CString& name) const;
    // The number a cell of the table stands for (rows from 1, columns 1 to 4).
    double CellValue(int row, int col) const;

    CStringArray m_materialNames;                 // sorted
    CArray<CTalusimSlopeType*, CTalusimSlopeType*> m_materials;  // in the same order
    COvdGridCtrl m_grid;
    int m_nPickIndex = -1;
    int m_nPickKind = kPickNone;
    CTalusimSlope* m_pSlope = nullptr;
    CTalusimDoc* m_pDoc = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Runs the editor for the document's Slope Editor command; IDOK when applied.
INT_PTR RunSlopeEditorDialog(CSlopeEditorData& data);
