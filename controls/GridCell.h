// The records of the grid control: a cell's address, a range of cells, the
// cell object itself and the records exchanged with the grid's callers and
// its owner.
#pragma once

#include <windows.h>

#include "framework/Object.h"
#include "framework/String.h"

// Cell state bits.
enum : UINT {
    GVIS_FOCUSED = 0x0001,
    GVIS_SELECTED = 0x0002,
    GVIS_DROPHILITED = 0x0004,
    GVIS_READONLY = 0x0008,
};

// Which members of a GridItemInfo are copied.
enum : UINT {
    GVIF_TEXT = 0x001,
    GVIF_IMAGE = 0x002,
    GVIF_PARAM = 0x004,
    GVIF_STATE = 0x008,
    GVIF_BKCLR = 0x010,
    GVIF_FGCLR = 0x020,
    GVIF_FORMAT = 0x040,
    GVIF_FONT = 0x080,
    GVIF_CHECK = 0x100,
};

// Notification codes the grid sends its owner with WM_NOTIFY.
enum : int {
    GVN_FOCUSLEAVE = -100,     // the focus leaves a valid cell
    GVN_FOCUSENTER = -101,     // the focus arrives on a valid cell
    GVN_CONTENTCHANGED = -102, // the grid itself changed cell contents
    GVN_BEGINEDIT = -105,      // in-place editing begins
    GVN_ENDEDIT = -106,        // in-place editing ended and was applied
    GVN_BEGINDRAG = -109,      // an OLE drag of the selection begins
};

// The colour that stands for "the grid's own colour" in a cell.
#ifndef CLR_DEFAULT
#define CLR_DEFAULT 0xFF000000L
#endif

// A cell's row and column; (-1, -1) is no cell.
struct CGridCellId {
    int row = -1;
    int col = -1;
    CGridCellId() = default;
    CGridCellId(int r, int c) : row(r), col(c) {}
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CGridCellId& o) const { return row == o.row && col == o.col; }
    bool operator!=(const CGridCellId& o) const { return !(*this == o); }
};

// A block of cells, both corners included.
struct CCellRange {
    int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
    CCellRange() = default;
    CCellRange(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
    bool IsValid() const { return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol; }
    bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
    int Count() const { return (maxRow - minRow + 1) * (maxCol - minCol + 1); }
    bool operator==(const CCellRange& o) const {
        return minRow == o.minRow && minCol == o.minCol && maxRow == o.maxRow && maxCol == o.maxCol;
    }
};

// One cell. Owned by its row.
class CGridCellItem : public CObject {
public:
    int checkKind = 0;        // non-zero: a check box whose text is "1" or "0"
    UINT state = 0;           // GVIS_ bits
    UINT format = 0;          // DrawText flags
    CString text;
    int image = -1;           // index into the grid's image list
    COLORREF bkColour = CLR_DEFAULT;
    COLORREF textColour = CLR_DEFAULT;
    LPARAM data = 0;
    LOGFONTA font{};
};

// The record of SetItem and GetItem; mask selects the members copied.
struct GridItemInfo {
    int checkKind = 0;
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT state = 0;
    UINT format = 0;
    CString text;
    int image = -1;
    COLORREF bkColour = CLR_DEFAULT;
    COLORREF textColour = CLR_DEFAULT;
    LPARAM data = 0;
    LOGFONTA font{};
};

// The record of every notification the grid sends.
struct GridNotifyInfo {
    NMHDR hdr;
    int row;
    int col;
};

// The record an in-place control sends the grid when editing ends; data
// holds the key that ended the edit.
struct GridEditNotifyInfo {
    NMHDR hdr;
    GridItemInfo item;
};

// The id of the in-place control; the grid listens to it only.
constexpr UINT kGridInPlaceId = 8;
