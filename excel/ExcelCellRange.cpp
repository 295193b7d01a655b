#include "excel/ExcelCellRange.h"

#include <cstdio>

#include "excel/ExcelDispatch.h"

CString CExcelCellRange::CellName(int row, int column)
{
    CString name;
    if (row < 1 || column < 1 || column > 702)
        return name;
    if (column < 27)
        name.Format("%c%d", 'A' + (column - 1) % 26, row);
    else
        name.Format("%c%c%d", 64 + (column - 1) / 26, 'A' + (column - 1) % 26, row);
    return name;
}

bool CExcelCellRange::ParseCellName(const char* name, int& row, int& column)
{
    if (!name)
        return false;
    int c = 0, letters = 0;
    const char* p = name;
    for (; *p >= 'A' && *p <= 'Z' && letters < 2; ++p, ++letters)
        c = c * 26 + (*p - 'A' + 1);
    int r = 0, digits = 0;
    for (; *p >= '0' && *p <= '9' && digits < 8; ++p, ++digits)
        r = r * 10 + (*p - '0');
    if (letters == 0 || digits == 0 || *p != '\0' || r < 1)
        return false;
    row = r;
    column = c;
    return true;
}

namespace {

CString RequireName(int row, int column)
{
    CString name = CExcelCellRange::CellName(row, column);
    if (name.IsEmpty()) {
        char text[96];
        std::snprintf(text, sizeof text, "Row %d, column %d lies outside the sheet's columns A to ZZ.", row, column);
        throw CExcelError(text);
    }
    return name;
}

} // namespace

CExcelDispatch CExcelCellRange::GetRange(CExcelDispatch& worksheet) const
{
    const CString first = RequireName(m_firstRow, m_firstColumn);
    const CString last = RequireName(m_lastRow, m_lastColumn);
    return worksheet.GetObject(L"Range", {CExcelVariant(static_cast<LPCSTR>(first)), CExcelVariant(static_cast<LPCSTR>(last))});
}

CExcelDispatch CExcelCellRange::GetEntireColumns(CExcelDispatch& worksheet) const
{
    CExcelDispatch range = CExcelCellRange(1, m_firstColumn, 2, m_lastColumn).GetRange(worksheet);
    return range.GetObject(L"EntireColumn");
}
