// CExcelAutomation: one command's spreadsheet session. It starts the
// spreadsheet program registered as "Excel.Application", opens a new
// workbook, writes texts into cells, moves blocks of numbers into ranges in
// one call each, fits columns and embeds charts, then leaves the program
// open with the user.
//
// When no spreadsheet program is registered, the same calls build the
// workbook in an .xlsx file instead (when the caller named one), which is
// saved when the session is handed to the user.
//
// Automation failures after the start throw CExcelError; the command that
// drives the session catches and reports them.
#pragma once

#include <memory>

#include <windows.h>
#include <oaidl.h>

#include "excel/ExcelCellRange.h"
#include "excel/ExcelDispatch.h"

class CXlsxWorkbook;

class CExcelAutomation
{
public:
    CExcelAutomation();
    // Drives an application object that is already running (takes a
    // reference of its own); StartExcel then opens the workbook in it.
    explicit CExcelAutomation(IDispatch* application);
    virtual ~CExcelAutomation();
    CExcelAutomation(const CExcelAutomation&) = delete;
    CExcelAutomation& operator=(const CExcelAutomation&) = delete;

    void SetShowMessages(BOOL show) { m_bShowMessages = show ? 1 : 0; }
    // Where the workbook goes when no spreadsheet program is registered;
    // empty (the default) means no such fallback.
    void SetWorkbookFile(const CString& path) { m_strWorkbookFile = path; }

    // Starts the spreadsheet and opens a new workbook; false (with the
    // message when messages are on) when neither it nor the file works.
    BOOL StartExcel();
    // True when the session writes a workbook file instead of driving a program.
    bool WritesWorkbookFile() const { return m_pFile != nullptr; }
    // The file's path once it was saved; empty otherwise.
    CString GetSavedWorkbookFile() const;

    void SetVisible(BOOL visible);
    // True hands the session to the user; a workbook file is saved then (and
    // the user told where, when messages are on).
    void SetUserControl(BOOL user);

    static CString CellName(int row, int column) { return CExcelCellRange::CellName(row, column); }
    void SetCellText(const CString& text, const CString& cellName);
    void SetRangeText(const CString& text, const CExcelCellRange& range);
    void AutoFitColumn(const CString& cellName);
    void AutoFitColumns(const CExcelCellRange& range);

    // A block of numbers, row count by column count of the range; elements
    // never set stay empty cells. A new block replaces (and frees) one that
    // is still pending.
    void BeginNumberBlock(const CExcelCellRange& range);
    // Indexes from 0 within the block; ignored outside it or without a block.
    void SetBlockNumber(double value, int rowIndex, int columnIndex);
    // Writes the pending block into its range in one call and empties it.
    void FlushBlock();
    bool HasPendingBlock() const { return m_pBlock != nullptr; }

    void AddChart(int firstRow, int firstColumn, int lastRow, int lastColumn, BOOL plotByRows, const CString& title,
                  const CString& categoryTitle, const CString& valueTitle, short gallery, long chartType,
                  long legendPosition, BOOL hasLegend, BOOL setChartType);

private:
    bool CreateApplication();
    void FreeBlock();
    CXlsxWorkbook& File() { return *m_pFile; }

    CExcelDispatch m_application;
    CExcelDispatch m_worksheet;
    CExcelDispatch m_sheets;
    BYTE m_bShowMessages = 0;
    CExcelVariant m_missing;
    SAFEARRAY* m_pBlock = nullptr;
    CExcelCellRange m_blockRange;

    CString m_strWorkbookFile;
    std::unique_ptr<CXlsxWorkbook> m_pFile;
};
