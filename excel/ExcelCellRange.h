// CExcelCellRange: a block of worksheet cells by row and column, both counted
// from 1, and the A1 names the spreadsheet knows its cells by.
#pragma once

#include "framework/String.h"

class CExcelDispatch;

class CExcelCellRange
{
public:
    // Unset: all four -1.
    CExcelCellRange() = default;
    // One cell: both corners the same.
    CExcelCellRange(int row, int column) : m_firstRow(row), m_firstColumn(column), m_lastRow(row), m_lastColumn(column) {}
    CExcelCellRange(int firstRow, int firstColumn, int lastRow, int lastColumn)
        : m_firstRow(firstRow), m_firstColumn(firstColumn), m_lastRow(lastRow), m_lastColumn(lastColumn)
    {
    }
    // Whole columns, where rows do not matter (fitting column widths).
    static CExcelCellRange Columns(int firstColumn, int lastColumn) { return {-1, firstColumn, -1, lastColumn}; }

    int RowCount() const { return m_lastRow - m_firstRow + 1; }
    int ColumnCount() const { return m_lastColumn - m_firstColumn + 1; }
    int FirstRow() const { return m_firstRow; }
    int FirstColumn() const { return m_firstColumn; }
    int LastRow() const { return m_lastRow; }
    int LastColumn() const { return m_lastColumn; }

    // A cursor that walks down or across a sheet.
    void MoveDown() { ++m_firstRow; ++m_lastRow; }
    void MoveRight() { ++m_firstColumn; ++m_lastColumn; }

    // The A1 name of a cell: columns 1 to 26 are A to Z, 27 to 702 AA to ZZ.
    // Empty for a cell that has no such name (row or column below 1, column
    // beyond ZZ): callers refuse it rather than address a wrong cell.
    static CString CellName(int row, int column);
    // The row and column of an A1 name; false for anything else.
    static bool ParseCellName(const char* name, int& row, int& column);

    // The worksheet's Range between the two corners.
    CExcelDispatch GetRange(CExcelDispatch& worksheet) const;
    // The whole columns of the range, whatever its rows.
    CExcelDispatch GetEntireColumns(CExcelDispatch& worksheet) const;

private:
    int m_firstRow = -1;
    int m_firstColumn = -1;
    int m_lastRow = -1;
    int m_lastColumn = -1;
};
