#include "excel/ExcelAutomation.h"

#include <objbase.h>

#include "excel/XlsxWorkbook.h"
#include "framework/MessageBox.h"

namespace {

const char kStartFailure[] = "Unable to start Microsoft Excel\nExcel 97 must be installed on this computer for this to work";

int RowOf(const CString& cellName, int& column)
{
    int row = 0;
    if (!CExcelCellRange::ParseCellName(cellName, row, column))
        throw CExcelError("A cell outside the sheet's columns A to ZZ was addressed.");
    return row;
}

void RequireName(const CString& cellName)
{
    if (cellName.IsEmpty())
        throw CExcelError("A cell outside the sheet's columns A to ZZ was addressed.");
}

} // namespace

CExcelAutomation::CExcelAutomation() : m_missing(CExcelVariant::Missing()) {}

CExcelAutomation::CExcelAutomation(IDispatch* application) : CExcelAutomation()
{
    if (application) {
        application->AddRef();
        m_application = CExcelDispatch(application);
    }
}

CExcelAutomation::~CExcelAutomation()
{
    FreeBlock();
    // The spreadsheet itself stays open with the user: only our references go.
    m_worksheet.Release();
    m_sheets.Release();
    m_application.Release();
}

bool CExcelAutomation::CreateApplication()
{
    if (!m_application.IsEmpty())
        return true;
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"Excel.Application", &clsid)))
        return false;
    IDispatch* dispatch = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&dispatch))) ||
        !dispatch)
        return false;
    m_application = CExcelDispatch(dispatch);
    return true;
}

BOOL CExcelAutomation::StartExcel()
{
    if (!CreateApplication()) {
        if (!m_strWorkbookFile.IsEmpty())
            m_pFile = CXlsxWorkbook::Create(m_strWorkbookFile);
        if (!m_pFile) {
            if (m_bShowMessages)
                AfxMessageBox(kStartFailure, MB_OK);
            return FALSE;
        }
        return TRUE;
    }
    CExcelDispatch books = m_application.GetObject(L"Workbooks");
    CExcelDispatch book = books.GetObject(L"Add", {m_missing});
    m_sheets = book.GetObject(L"Sheets");
    m_worksheet = m_sheets.GetObject(L"Item", {CExcelVariant(short(1))});
    return TRUE;
}

CString CExcelAutomation::GetSavedWorkbookFile() const
{
    return m_pFile && m_pFile->IsSaved() ? m_pFile->GetPath() : CString();
}

void CExcelAutomation::SetVisible(BOOL visible)
{
    if (m_pFile)
        return;
    m_application.Put(L"Visible", CExcelVariant(visible != FALSE));
}

void CExcelAutomation::SetUserControl(BOOL user)
{
    if (m_pFile) {
        if (!user || m_pFile->IsSaved())
            return;
        m_pFile->Save();
        if (m_bShowMessages) {
            CString text;
            text.Format("No spreadsheet program is registered on this computer.\n"
                        "The chart and its data were saved in the workbook\n%s",
                        static_cast<LPCSTR>(m_pFile->GetPath()));
            AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
        }
        return;
    }
    m_application.Put(L"UserControl", CExcelVariant(user != FALSE));
}

void CExcelAutomation::SetCellText(const CString& text, const CString& cellName)
{
    RequireName(cellName);
    if (m_pFile) {
        int column = 0;
        const int row = RowOf(cellName, column);
        File().SetText(row, column, text);
        return;
    }
    CExcelDispatch range = m_worksheet.GetObject(L"Range", {CExcelVariant(static_cast<LPCSTR>(cellName)),
                                                            CExcelVariant(static_cast<LPCSTR>(cellName))});
    range.Put(L"Value", CExcelVariant(static_cast<LPCSTR>(text)));
}

void CExcelAutomation::SetRangeText(const CString& text, const CExcelCellRange& range)
{
    if (m_pFile) {
        for (int r = range.FirstRow(); r <= range.LastRow(); ++r)
            for (int c = range.FirstColumn(); c <= range.LastColumn(); ++c) {
                RequireName(CellName(r, c));
                File().SetText(r, c, text);
            }
        return;
    }
    range.GetRange(m_worksheet).Put(L"Value", CExcelVariant(static_cast<LPCSTR>(text)));
}

void CExcelAutomation::AutoFitColumn(const CString& cellName)
{
    RequireName(cellName);
    if (m_pFile) {
        int column = 0;
        RowOf(cellName, column);
        File().AutoFit(column, column);
        return;
    }
    CExcelDispatch range = m_worksheet.GetObject(L"Range", {CExcelVariant(static_cast<LPCSTR>(cellName)),
                                                            CExcelVariant(static_cast<LPCSTR>(cellName))});
    range.GetObject(L"EntireColumn").Call(L"AutoFit");
}

void CExcelAutomation::AutoFitColumns(const CExcelCellRange& range)
{
    if (m_pFile) {
        RequireName(CellName(1, range.FirstColumn()));
        RequireName(CellName(1, range.LastColumn()));
        File().AutoFit(range.FirstColumn(), range.LastColumn());
        return;
    }
    range.GetEntireColumns(m_worksheet).Call(L"AutoFit");
}

void CExcelAutomation::FreeBlock()
{
    if (m_pBlock) {
        ::SafeArrayDestroy(m_pBlock);
        m_pBlock = nullptr;
    }
}

void CExcelAutomation::BeginNumberBlock(const CExcelCellRange& range)
{
    FreeBlock();
    if (range.RowCount() < 1 || range.ColumnCount() < 1)
        return;
    // Variants rather than plain doubles, so that an element never set is an
    // empty cell and not a zero.
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(range.RowCount()), 0},
                                {static_cast<ULONG>(range.ColumnCount()), 0}};
    m_pBlock = ::SafeArrayCreate(VT_VARIANT, 2, bounds);
    m_blockRange = range;
}

void CExcelAutomation::SetBlockNumber(double value, int rowIndex, int columnIndex)
{
    if (!m_pBlock || rowIndex < 0 || rowIndex >= m_blockRange.RowCount() || columnIndex < 0 ||
        columnIndex >= m_blockRange.ColumnCount())
        return;
    LONG index[2] = {rowIndex, columnIndex};
    CExcelVariant v(value);
    ::SafeArrayPutElement(m_pBlock, index, v.Get());
}

void CExcelAutomation::FlushBlock()
{
    if (!m_pBlock)
        return;
    // The block goes whatever happens to the call.
    struct Free {
        CExcelAutomation* self;
        ~Free() { self->FreeBlock(); }
    } free{this};
    if (m_pFile) {
        for (int r = 0; r < m_blockRange.RowCount(); ++r)
            for (int c = 0; c < m_blockRange.ColumnCount(); ++c) {
                LONG index[2] = {r, c};
                VARIANT v;
                ::VariantInit(&v);
                if (SUCCEEDED(::SafeArrayGetElement(m_pBlock, index, &v)) && v.vt == VT_R8)
                    File().SetNumber(m_blockRange.FirstRow() + r, m_blockRange.FirstColumn() + c, v.dblVal);
                ::VariantClear(&v);
            }
        return;
    }
    m_blockRange.GetRange(m_worksheet).Put(L"Value", CExcelVariant::ArrayRef(m_pBlock, VT_VARIANT));
}

void CExcelAutomation::AddChart(int firstRow, int firstColumn, int lastRow, int lastColumn, BOOL plotByRows,
                                const CString& title, const CString& categoryTitle, const CString& valueTitle,
                                short gallery, long chartType, long legendPosition, BOOL hasLegend,
                                BOOL setChartType)
{
    if (m_pFile) {
        RequireName(CellName(firstRow, firstColumn));
        RequireName(CellName(lastRow, lastColumn));
        XlsxChartSpec spec;
        spec.firstRow = firstRow;
        spec.firstColumn = firstColumn;
        spec.lastRow = lastRow;
        spec.lastColumn = lastColumn;
        spec.plotByRows = plotByRows != FALSE;
        spec.title = title;
        spec.categoryTitle = categoryTitle;
        spec.valueTitle = valueTitle;
        spec.gallery = gallery;
        spec.chartType = chartType;
        spec.setChartType = setChartType != FALSE;
        spec.hasLegend = hasLegend != FALSE;
        spec.legendPosition = legendPosition;
        File().AddChart(spec);
        return;
    }
    CExcelDispatch source = CExcelCellRange(firstRow, firstColumn, lastRow, lastColumn).GetRange(m_worksheet);
    CExcelDispatch charts = m_worksheet.GetObject(L"ChartObjects", {m_missing});
    CExcelDispatch chartObject =
        charts.GetObject(L"Add", {CExcelVariant(150.0), CExcelVariant(20.0), CExcelVariant(350.0), CExcelVariant(250.0)});
    CExcelDispatch chart = chartObject.GetObject(L"Chart");
    chart.Call(L"ChartWizard",
               {CExcelVariant(source.GetInterface()), CExcelVariant(gallery), m_missing,
                CExcelVariant(short(plotByRows ? 1 : 2)), CExcelVariant(short(1)), CExcelVariant(short(1)),
                CExcelVariant(short(hasLegend ? 1 : 0)), CExcelVariant(static_cast<LPCSTR>(title)),
                CExcelVariant(static_cast<LPCSTR>(categoryTitle)), CExcelVariant(static_cast<LPCSTR>(valueTitle)),
                m_missing});
    if (setChartType)
        chart.Put(L"ChartType", CExcelVariant(chartType));
    // Columns that touch, like a histogram's, whether the type was set here or not.
    if (chartType == 51 || chartType == 54)
        chart.GetObject(L"ChartGroups", {CExcelVariant(long(1))}).Put(L"GapWidth", CExcelVariant(long(0)));
    if (hasLegend)
        chart.GetObject(L"Legend").Put(L"Position", CExcelVariant(legendPosition));
}
