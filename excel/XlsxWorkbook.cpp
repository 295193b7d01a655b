#include "excel/XlsxWorkbook.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include <windows.h>
#include <xlsxwriter.h>

#include "excel/ExcelDispatch.h"

namespace {

const char kSheetName[] = "Sheet1";

// The program's texts are Windows-1252; the file holds UTF-8.
std::string Utf8(const CString& text)
{
    const int wide = ::MultiByteToWideChar(1252, 0, text, -1, nullptr, 0);
    std::wstring w(wide > 0 ? wide : 1, L'\0');
    ::MultiByteToWideChar(1252, 0, text, -1, w.data(), wide);
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    s.resize(s.size() - 1);
    return s;
}

void Check(lxw_error error, const char* what)
{
    if (error != LXW_NO_ERROR)
        throw CExcelError(std::string("The workbook could not ") + what + ":\n" + lxw_strerror(error));
}

lxw_row_t Row(int row)
{
    if (row < 1 || row > 1048576)
        throw CExcelError("A row outside the worksheet was addressed.");
    return static_cast<lxw_row_t>(row - 1);
}

lxw_col_t Column(int column)
{
    if (column < 1 || column > 702)
        throw CExcelError("A column beyond ZZ was addressed.");
    return static_cast<lxw_col_t>(column - 1);
}

uint8_t ChartTypeOf(const XlsxChartSpec& spec)
{
    const long type = spec.setChartType ? spec.chartType : (spec.gallery == -4169 ? 74 : 51);
    switch (type) {
    case 74: return LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS;
    case -4169: return LXW_CHART_SCATTER;
    case 4: return LXW_CHART_LINE;
    default: return LXW_CHART_COLUMN;
    }
}

uint8_t LegendOf(const XlsxChartSpec& spec)
{
    if (!spec.hasLegend)
        return LXW_CHART_LEGEND_NONE;
    switch (spec.legendPosition) {
    case -4107: return LXW_CHART_LEGEND_BOTTOM;
    case -4131: return LXW_CHART_LEGEND_LEFT;
    case -4160: return LXW_CHART_LEGEND_TOP;
    default: return LXW_CHART_LEGEND_RIGHT;
    }
}

CString TempFolder()
{
    char dir[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, dir);
    return n > 0 && n < MAX_PATH ? CString(dir) : CString(".");
}

} // namespace

std::unique_ptr<CXlsxWorkbook> CXlsxWorkbook::Create(const CString& path)
{
    std::unique_ptr<CXlsxWorkbook> book(new CXlsxWorkbook);
    book->m_path = path;
    book->m_temp = path + ".tmp";
    // The folder must take a file now: better to say so before the user
    // waits for a workbook that can never be saved.
    HANDLE h = ::CreateFileA(book->m_temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    ::CloseHandle(h);
    ::DeleteFileA(book->m_temp);

    book->m_tempDir = TempFolder();
    lxw_workbook_options options = {};
    options.tmpdir = const_cast<char*>(static_cast<LPCSTR>(book->m_tempDir));
    book->m_workbook = workbook_new_opt(book->m_temp, &options);
    if (!book->m_workbook)
        return nullptr;
    book->m_sheet = workbook_add_worksheet(book->m_workbook, kSheetName);
    if (!book->m_sheet)
        return nullptr;
    return book;
}

CXlsxWorkbook::~CXlsxWorkbook()
{
    if (m_workbook)
        lxw_workbook_free(m_workbook);
}

void CXlsxWorkbook::NoteWidth(int column, size_t characters)
{
    size_t& width = m_contentWidth[column];
    width = std::max(width, characters);
}

void CXlsxWorkbook::SetText(int row, int column, const CString& text)
{
    const std::string s = Utf8(text);
    Check(worksheet_write_string(m_sheet, Row(row), Column(column), s.c_str(), nullptr), "take a text");
    NoteWidth(column, static_cast<size_t>(text.GetLength()));
}

void CXlsxWorkbook::SetNumber(int row, int column, double value)
{
    Check(worksheet_write_number(m_sheet, Row(row), Column(column), value, nullptr), "take a number");
    char shown[32];
    NoteWidth(column, static_cast<size_t>(std::snprintf(shown, sizeof shown, "%.10g", value)));
}

void CXlsxWorkbook::AutoFit(int firstColumn, int lastColumn)
{
    for (int c = firstColumn; c <= lastColumn; ++c) {
        Column(c);
        const auto it = m_contentWidth.find(c);
        const size_t chars = it != m_contentWidth.end() ? it->second : 0;
        // A little over a character per character, never narrower than the default.
        m_columnWidth[c] = std::max(8.43, chars * 1.1 + 1.0);
    }
}

void CXlsxWorkbook::AddChart(const XlsxChartSpec& spec)
{
    const lxw_row_t r0 = Row(spec.firstRow), r1 = Row(spec.lastRow);
    const lxw_col_t c0 = Column(spec.firstColumn), c1 = Column(spec.lastColumn);
    if (r1 < r0 || c1 < c0)
        throw CExcelError("A chart needs a block of cells.");
    lxw_chart* chart = workbook_add_chart(m_workbook, ChartTypeOf(spec));
    if (!chart)
        throw CExcelError("The workbook could not take a chart.");

    // The first row holds the series' titles and the first column the
    // categories, or the other way round when plotted by rows.
    if (!spec.plotByRows) {
        for (lxw_col_t c = c0 + 1; c <= c1; ++c) {
            lxw_chart_series* s = chart_add_series(chart, nullptr, nullptr);
            chart_series_set_categories(s, kSheetName, r0 + 1, c0, r1, c0);
            chart_series_set_values(s, kSheetName, r0 + 1, c, r1, c);
            chart_series_set_name_range(s, kSheetName, r0, c);
        }
    } else {
        for (lxw_row_t r = r0 + 1; r <= r1; ++r) {
            lxw_chart_series* s = chart_add_series(chart, nullptr, nullptr);
            chart_series_set_categories(s, kSheetName, r0, c0 + 1, r0, c1);
            chart_series_set_values(s, kSheetName, r, c0 + 1, r, c1);
            chart_series_set_name_range(s, kSheetName, r, c0);
        }
    }
    const std::string title = Utf8(spec.title), xTitle = Utf8(spec.categoryTitle), yTitle = Utf8(spec.valueTitle);
    if (!title.empty())
        chart_title_set_name(chart, title.c_str());
    if (!xTitle.empty())
        chart_axis_set_name(chart->x_axis, xTitle.c_str());
    if (!yTitle.empty())
        chart_axis_set_name(chart->y_axis, yTitle.c_str());
    // Columns that touch, like a histogram's.
    if (spec.chartType == 51 || spec.chartType == 54)
        chart_set_series_gap(chart, 0);
    chart_legend_set_position(chart, LegendOf(spec));

    // 150 points from the left and 20 from the top, 350 by 250 points; the
    // library's charts are 480 by 288 pixels of 3/4 point.
    lxw_chart_options place = {};
    place.x_offset = 200;
    place.y_offset = 27;
    place.x_scale = 350.0 / 0.75 / 480.0;
    place.y_scale = 250.0 / 0.75 / 288.0;
    Check(worksheet_insert_chart_opt(m_sheet, 0, 0, chart, &place), "take a chart");
}

void CXlsxWorkbook::Save()
{
    if (m_saved)
        return;
    for (const auto& [column, width] : m_columnWidth)
        Check(worksheet_set_column(m_sheet, Column(column), Column(column), width, nullptr), "size its columns");
    lxw_workbook* book = m_workbook;
    m_workbook = nullptr;    // closing frees it, whatever the outcome
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        ::DeleteFileA(m_temp);
        Check(error, "be written");
    }
    if (!::MoveFileExA(m_temp, m_path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(m_temp);
        throw CExcelError(std::string("The workbook could not be saved as\n") + static_cast<LPCSTR>(m_path));
    }
    m_saved = true;
}

CString WorkbookPathBeside(const CString& documentPath, const CString& fallbackFolder, const CString& title)
{
    CString folder = fallbackFolder, stem = "Untitled";
    if (!documentPath.IsEmpty()) {
        std::string p = static_cast<LPCSTR>(documentPath);
        const size_t slash = p.find_last_of("\\/");
        folder = slash == std::string::npos ? CString(".") : CString(p.substr(0, slash).c_str());
        std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
        const size_t dot = name.find_last_of('.');
        if (dot != std::string::npos && dot > 0)
            name.resize(dot);
        stem = name.c_str();
    }
    std::string safe;
    for (const char* c = title; *c; ++c)
        safe += std::string("\\/:*?\"<>|").find(*c) != std::string::npos || static_cast<unsigned char>(*c) < 32 ? '_' : *c;
    while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.'))
        safe.pop_back();
    std::string base = std::string(static_cast<LPCSTR>(folder));
    if (!base.empty() && base.back() != '\\' && base.back() != '/')
        base += '\\';
    base += static_cast<LPCSTR>(stem);
    if (!safe.empty())
        base += " - " + safe;
    std::string path = base + ".xlsx";
    for (int n = 2; ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && n < 1000; ++n)
        path = base + " (" + std::to_string(n) + ").xlsx";
    return CString(path.c_str());
}
