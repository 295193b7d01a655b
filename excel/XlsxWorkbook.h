// CXlsxWorkbook: a workbook of one worksheet written as an .xlsx file. The
// spreadsheet automation falls back on it when no spreadsheet program is
// registered: the same cells, column widths and charts go into the file.
#pragma once

#include <map>
#include <memory>

#include "framework/String.h"

struct lxw_workbook;
struct lxw_worksheet;

// An embedded chart over a block of cells, as the automation's chart wizard
// takes it: the first row holds the series titles and the first column the
// categories (plotted by columns), or the other way round (by rows).
struct XlsxChartSpec {
    int firstRow = 1, firstColumn = 1, lastRow = 1, lastColumn = 1;
    bool plotByRows = false;
    CString title, categoryTitle, valueTitle;
    int gallery = -4100;       // the chart wizard's gallery: -4100 columns, -4169 XY scatter
    long chartType = 51;       // 51 clustered columns, 54 3-D clustered columns, 74 XY scatter with lines and markers
    bool setChartType = true;  // the type above is applied; else the gallery's own
    bool hasLegend = false;
    long legendPosition = -4107;    // -4107 bottom, -4131 left, -4152 right, -4160 top
};

class CXlsxWorkbook
{
public:
    // A workbook to be saved as `path`, or null when the folder cannot take
    // the file (nothing is left behind then).
    static std::unique_ptr<CXlsxWorkbook> Create(const CString& path);
    // A workbook that was not saved is dropped without touching `path`.
    ~CXlsxWorkbook();

    // Cells are counted from 1. Failures throw CExcelError.
    void SetText(int row, int column, const CString& text);
    void SetNumber(int row, int column, double value);
    // Widens the columns to what they hold now.
    void AutoFit(int firstColumn, int lastColumn);
    void AddChart(const XlsxChartSpec& chart);
    // Writes the file (through a temporary file beside it, so that a failed
    // save leaves an earlier file whole). Throws CExcelError on failure.
    void Save();

    const CString& GetPath() const { return m_path; }
    bool IsSaved() const { return m_saved; }

private:
    CXlsxWorkbook() = default;
    void NoteWidth(int column, size_t characters);

    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    CString m_path;
    CString m_temp;
    CString m_tempDir;
    std::map<int, size_t> m_contentWidth;    // longest content of each column, in characters
    std::map<int, double> m_columnWidth;     // widths set by AutoFit
    bool m_saved = false;
};

// The name of a workbook file for a chart beside a document: the document's
// folder and name, then the chart's title, made safe for a file name;
// " (2)", " (3)" ... when such a file exists already. With no document path
// the workbook goes into `fallbackFolder`.
CString WorkbookPathBeside(const CString& documentPath, const CString& fallbackFolder, const CString& title);
