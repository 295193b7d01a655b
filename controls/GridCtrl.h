// CGridCtrl: a spreadsheet-like child window of text cells. The first rows
// (the column headings) and the first columns (the row headings) are fixed
// and stay in place while the other cells scroll.
//
// A dialog's template holds a custom control of class "MFCGridCtrl"; the
// dialog owns a CGridCtrl member, subclasses that control in OnInitDialog,
// sets the counts, fills the cells and reads them back at the end. The grid
// tells its owner what happens through WM_NOTIFY (GVN_ codes, GridCell.h).
//
// The control's code is split by concern:
//   GridCtrl.cpp         cells, counts, accessors, font and colours, notifications
//   GridDraw.cpp         geometry, painting, scroll bars and sizing
//   GridSelect.cpp       focus, selection, keyboard, mouse and sorting
//   GridEdit.cpp         starting and ending in-place edits (GridInPlaceEdit.* the controls)
//   GridClipboard.cpp    copy, cut, paste and OLE drag and drop (GridDropTarget.* the target)
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/GridCell.h"
#include "controls/GridDropTarget.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CImageList;
class COleDataSource;
class COleDataObject;

class CGridCtrl : public CWnd {
public:
    // The window class of the dialogs' custom control.
    static constexpr const char* kClassName = "MFCGridCtrl";

    // Mouse modes.
    enum MouseMode {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12,
    };
    static constexpr UINT_PTR kAutoScrollTimer = 513;
    static constexpr UINT kAutoScrollInterval = 25;
    static constexpr int kResizeCaptureRange = 3;

    CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    ~CGridCtrl() override;
    CGridCtrl(const CGridCtrl&) = delete;
    CGridCtrl& operator=(const CGridCtrl&) = delete;

    // Makes a grid window of the grid's class as a child and takes it over,
    // as a dialog's custom control is taken over with SubclassDlgItem.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);

    // ---- counts -------------------------------------------------------------
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetNumberOfRows(int n);
    BOOL SetNumberOfColumns(int n);
    BOOL SetNumberOfFixedRows(int n);
    BOOL SetNumberOfFixedColumns(int n);
    // -1 appends; the new row's or column's index, -1 when the position is out of range.
    int InsertRow(LPCSTR heading, int position = -1);
    int InsertColumn(LPCSTR heading, UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int position = -1);
    void DeleteAllCells();

    // ---- cells --------------------------------------------------------------
    CGridCellItem* GetCell(int row, int col) const;
    BOOL SetCell(int row, int col, CGridCellItem* cell);
    BOOL SetItem(const GridItemInfo& item);
    BOOL GetItem(GridItemInfo& item);
    BOOL SetCellText(int row, int col, LPCSTR text);
    virtual CString GetCellText(int row, int col) const;
    BOOL SetCellState(int row, int col, UINT state);
    UINT GetCellState(int row, int col) const;
    BOOL SetCellFormat(int row, int col, UINT format);
    UINT GetCellFormat(int row, int col) const;
    BOOL SetCellImage(int row, int col, int image);
    int GetCellImage(int row, int col) const;
    BOOL SetCellData(int row, int col, LPARAM data);
    LPARAM GetCellData(int row, int col) const;
    BOOL SetCellBkColour(int row, int col, COLORREF colour);
    COLORREF GetCellBkColour(int row, int col) const;
    BOOL SetCellTextColour(int row, int col, COLORREF colour);
    COLORREF GetCellTextColour(int row, int col) const;
    BOOL SetCellFont(int row, int col, const LOGFONTA* font);
    const LOGFONTA* GetCellFont(int row, int col) const;
    BOOL SetCheck(int row, int col, BOOL checked);
    BOOL GetCheck(int row, int col) const;
    BOOL ToggleCheck(int row, int col);

    // ---- sizes --------------------------------------------------------------
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    BOOL SetRowHeight(int row, int height);
    BOOL SetColumnWidth(int col, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualHeight() const;
    long GetVirtualWidth() const;
    int GetDefaultRowHeight() const { return m_nDefRowHeight; }
    int GetDefaultColumnWidth() const { return m_nDefColWidth; }
    int GetMargin() const { return m_nMargin; }

    // ---- colours and flags -------------------------------------------------------
    void SetTextColour(COLORREF c) { m_crTextColour = c; }
    COLORREF GetTextColour() const { return m_crTextColour; }
    void SetTextBkColour(COLORREF c) { m_crTextBkColour = c; }
    COLORREF GetTextBkColour() const { return m_crTextBkColour; }
    void SetBkColour(COLORREF c) { m_crBkColour = c; }
    COLORREF GetBkColour() const { return m_crBkColour; }
    void SetFixedTextColour(COLORREF c) { m_crFixedTextColour = c; }
    COLORREF GetFixedTextColour() const { return m_crFixedTextColour; }
    void SetFixedBkColour(COLORREF c) { m_crFixedBkColour = c; }
    COLORREF GetFixedBkColour() const { return m_crFixedBkColour; }
    void SetGridColour(COLORREF c) { m_crGridColour = c; }
    COLORREF GetGridColour() const { return m_crGridColour; }
    // 0 none, 1 horizontal, 2 vertical, 3 both.
    void SetGridLines(int mode) { m_nGridLines = mode; }
    int GetGridLines() const { return m_nGridLines; }
    void SetEditable(BOOL on = TRUE) { m_bEditable = on; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetModified(BOOL on = TRUE) { m_bModified = on; }
    BOOL GetModified() const { return m_bModified; }
    void EnableDragAndDrop(BOOL on = TRUE) { m_bAllowDragAndDrop = on; }
    BOOL IsDragAndDropEnabled() const { return m_bAllowDragAndDrop; }
    void SetListMode(BOOL on = TRUE) { m_bListMode = on; }
    BOOL GetListMode() const { return m_bListMode; }
    // With redraw off nothing is drawn and no scroll bar recomputed.
    void SetRedraw(BOOL allow, BOOL resetScrollBars = FALSE);
    BOOL IsRedrawAllowed() const { return m_bAllowDraw; }
    void EnableSelection(BOOL on = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetHeaderSort(BOOL on = TRUE) { m_bSortOnClick = on; }
    void SetHandleTabKey(BOOL on = TRUE) { m_bHandleTabKey = on; }
    void SetDoubleBuffering(BOOL on = TRUE) { m_bDoubleBuffer = on; }
    void SetImageList(CImageList* list) { m_pImageList = list; }
    CImageList* GetImageList() const { return m_pImageList; }
    void SetRowResize(BOOL on = TRUE) { m_bAllowRowResize = on; }
    void SetColumnResize(BOOL on = TRUE) { m_bAllowColumnResize = on; }
    int GetWheelScrollLines() const { return m_nWheelLines; }
    const LOGFONTA& GetGridLogFont() const { return m_logFont; }

    BOOL IsValidCell(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
    BOOL IsValidCell(const CGridCellId& c) const { return IsValidCell(c.row, c.col); }
    BOOL IsValidRange(const CCellRange& r) const;
    BOOL IsCellEditable(int row, int col) const;
    BOOL IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }

    // ---- layout, drawing and scrolling (GridDraw.cpp) -------------------------------
    CGridCellId GetTopLeftNonFixedCell() const;
    CCellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr) const;
    CCellRange GetCellRange() const { return CCellRange(0, 0, m_nRows - 1, m_nCols - 1); }
    BOOL GetCellOrigin(int row, int col, LPPOINT p) const;
    BOOL GetCellRect(int row, int col, LPRECT rect) const;
    CGridCellId GetCellFromPt(CPoint p, BOOL allowFixed = TRUE) const;
    BOOL IsCellVisible(int row, int col) const;
    BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
    BOOL InvalidateCellRect(const CGridCellId& cell);
    void ResetScrollBars();
    void EnsureVisible(int row, int col);
    void ExpandColumnsToFit();

    // ---- focus, selection, keys and sorting (GridSelect.cpp) ------------------------
    CGridCellId SetFocusCell(int row, int col);
    CGridCellId SetFocusCell(const CGridCellId& c) { return SetFocusCell(c.row, c.col); }
    CGridCellId GetFocusCell() const { return m_idCurrentCell; }
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE);
    void SetSelectedRange(const CCellRange& r, BOOL forceRepaint = FALSE) {
        SetSelectedRange(r.minRow, r.minCol, r.maxRow, r.maxCol, forceRepaint);
    }
    void SelectAllCells();
    CCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return static_cast<int>(m_selectedCells.size()); }
    void ResetSelectedRange();
    BOOL SortTextItems(int col, BOOL ascending);
    int GetMouseMode() const { return m_nMouseMode; }
    // WM_KEYDOWN; subclasses and the in-place edit's follow-up call it directly.
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    // ---- command-UI states of the clipboard commands (GridClipboard.cpp) -----------
    BOOL CanCopy() const;
    BOOL CanCut() const;
    BOOL CanPaste() const;
    BOOL CanSelectAll() const { return m_bEnableSelection; }

    // ---- operations a subclass may replace ---------------------------------------
    virtual void Refresh(BOOL erase = TRUE);
    virtual void GetGridClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    virtual BOOL AutoSizeRow(int row);
    virtual BOOL AutoSizeColumn(int col);
    virtual void AutoSizeRows();
    virtual void AutoSizeColumns();
    virtual void AutoSize();
    virtual BOOL CutSelectedText();
    // A new source holding the selected cells' text (the caller owns it), or null.
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CGridCellId cell, COleDataObject* data);
    // A paste's CF_TEXT up to its first NUL; false when the data offers none.
    static bool ReadPastedText(COleDataObject* data, std::string& text);
    // A paste's text as the fields of each line, split and trimmed as a paste places them.
    static std::vector<std::vector<CString>> SplitPastedText(const std::string& text);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    virtual LRESULT SendMessageToParent(int row, int col, int code);
    virtual void EraseBackground(CDC* dc);
    virtual void OnFixedColumnClick(CGridCellId& cell);
    virtual void OnFixedRowClick(CGridCellId& cell);
    virtual CSize GetCellExtent(int row, int col, CDC* dc);
    virtual void OnEndEditCell(int row, int col, CString text);
    virtual void OnEditCell(int row, int col, UINT firstKey);
    virtual void CreateInPlaceEditControl(CRect& rect, DWORD style, UINT id, int row, int col, LPCSTR text,
                                          UINT firstKey);
    virtual void OnDraw(CDC* dc);
    virtual BOOL DrawFixedCell(CDC* dc, int row, int col, CRect rect, BOOL erase = FALSE);
    virtual BOOL DrawCell(CDC* dc, int row, int col, CRect rect, BOOL erase = FALSE);
    virtual CGridCellItem* CreateCell(int row, int col);
    virtual void EmptyCell(CGridCellItem* cell, int row, int col);

    // ---- OLE drag and drop, called by the drop target (GridClipboard.cpp) ----------
    void OnBeginDrag();
    DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    void OnDragLeave();
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
    CGridDropTarget& GetDropTarget() { return m_dropTarget; }

protected:
    void PreSubclassWindow() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void ScrollAlong(int bar, UINT code);
    // One axis of the grid at a time: SB_HORZ for the columns, SB_VERT for the rows.
    int CountAlong(int bar) const { return bar == SB_HORZ ? m_nCols : m_nRows; }
    int FixedAlong(int bar) const { return bar == SB_HORZ ? m_nFixedCols : m_nFixedRows; }
    int ExtentAlong(int bar, int index) const { return bar == SB_HORZ ? GetColumnWidth(index) : GetRowHeight(index); }
    int FixedExtentAlong(int bar) const { return bar == SB_HORZ ? GetFixedColumnWidth() : GetFixedRowHeight(); }
    // The first scrollable column (row) at the scroll bar's position.
    int FirstScrolledAlong(int bar) const;
    // Where a column (row) starts, from the grid's edge, with `first` the first scrolled one.
    int OffsetAlong(int bar, int index, int first) const;
    // The column (row) under a client coordinate; -1 for none.
    int IndexAtAlong(int bar, int pos, int first, BOOL allowFixed) const;
    // The last column (row) that shows from `first` on; *end is where the shown ones end.
    int LastShownAlong(int bar, int first, int limit, int* end) const;
    BOOL AutoSizeAlong(int bar, int index);
    void DrawBlock(CDC* dc, const CRect& clip, int firstRow, int lastRow, int firstCol, int lastCol, CPoint origin,
                   bool fixed);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint p);
    afx_msg void OnLButtonDown(UINT flags, CPoint p);
    afx_msg void OnLButtonUp(UINT flags, CPoint p);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint p);
    afx_msg void OnMouseMove(UINT flags, CPoint p);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT flags, LPCSTR section);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEndInPlaceEdit(NMHDR* hdr, LRESULT* result);
    afx_msg void OnUpdateEditCopy(CCmdUI* ui);
    afx_msg void OnUpdateEditCut(CCmdUI* ui);
    afx_msg void OnUpdateEditPaste(CCmdUI* ui);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* ui);
    void OnCmdEditCut() { OnEditCut(); }
    void OnCmdEditCopy() { OnEditCopy(); }
    void OnCmdEditPaste() { OnEditPaste(); }
    void OnCmdEditSelectAll() { OnEditSelectAll(); }

    // Selection through the current mouse mode (GridSelect.cpp).
    void OnSelecting(const CGridCellId& cell);
    // Empties the previous-selection map, then selects r.
    void SetSelectedRangeKeeping(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint);
    // Redraws the heading cells of the focus cell's row and column.
    void RedrawHeadings(const CGridCellId& cell, bool rowChanged, bool colChanged);
    void ReadWheelScrollLines();
    void ApplyFont(const LOGFONTA& font);
    void ReadSystemColours(COLORREF out[4]) const;
    void SwapRows(int a, int b);
    void SortRows(int col, BOOL ascending, int lo, int hi);
    void InvertDividerLine(int pos, bool vertical);

    static DWORD SelectionKey(int row, int col) { return (static_cast<DWORD>(col) << 16) | (static_cast<DWORD>(row) & 0xFFFF); }

    // Colours.
    COLORREF m_crTextColour;
    COLORREF m_crTextBkColour;
    COLORREF m_crBkColour;
    COLORREF m_crFixedTextColour;
    COLORREF m_crFixedBkColour;
    COLORREF m_crGridColour = 0;
    COLORREF m_crSystem[4];  // window text, window, button face, button shadow last seen

    int m_nGridLines = 3;
    BOOL m_bEditable = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bSortOnClick = TRUE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;

    int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
    std::vector<int> m_rowHeights;
    std::vector<int> m_colWidths;
    int m_nMargin = 0;
    int m_nDefColWidth = 80;
    int m_nDefRowHeight = 30;
    int m_nVScrollMax = 0, m_nHScrollMax = 0;

    LOGFONTA m_logFont{};
    CFont m_font;
    CImageList* m_pImageList = nullptr;
    std::vector<std::vector<std::unique_ptr<CGridCellItem>>> m_rows;

    int m_nMouseMode = MOUSE_NOTHING;
    CGridCellId m_idCurrentCell;
    CGridCellId m_selectionStartCell;
    CGridCellId m_leftClickDownCell;
    CPoint m_leftClickDownPoint{-1, -1};
    CPoint m_lastMousePoint{-1, -1};
    UINT_PTR m_nTimerId = 0;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    int m_nWheelLines = 3;

    std::map<DWORD, CGridCellId> m_selectedCells;
    std::map<DWORD, CGridCellId> m_previousSelection;

    BOOL m_bMustUninitOle = FALSE;
    CGridCellId m_lastDragOverCell;
    BOOL m_bDroppedHere = FALSE;  // the running drag of this grid was dropped on it
    CGridDropTarget m_dropTarget;
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;

    DECLARE_MESSAGE_MAP()
};
