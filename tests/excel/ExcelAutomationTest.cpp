// The spreadsheet automation against a recording automation object: the
// calls and arguments of each operation, the numeric blocks and their
// bounds, the cell names, refused columns, failures passed on, and the
// blocks' memory.
#include <gtest/gtest.h>

#include <objbase.h>

#include "FakeDispatch.h"
#include "excel/ExcelAutomation.h"
#include "tests/framework/WindowTestSupport.h"
#include "tests/support/TempFiles.h"

namespace {

const std::string kBook = "Excel.Workbooks.Add(missing)";
const std::string kSheet = kBook + ".Sheets.Item(i2:1)";

class ExcelAutomationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        log = std::make_shared<DispatchLog>();
        app = new FakeDispatch("Excel", log);
        app->AddRef();
        excel = std::make_unique<CExcelAutomation>(app);
        app->Release();
        ASSERT_TRUE(excel->StartExcel());
        log->calls.clear();
    }

    std::vector<std::string> Calls()
    {
        std::vector<std::string> c = log->calls;
        log->calls.clear();
        return c;
    }

    std::shared_ptr<DispatchLog> log;
    FakeDispatch* app = nullptr;
    std::unique_ptr<CExcelAutomation> excel;
};

using Lines = std::vector<std::string>;

} // namespace

TEST(ExcelCellNameTest, ColumnsBecomeLettersUpToZZ)
{
    struct {
        int row, column;
        const char* name;
    } cases[] = {{1, 1, "A1"}, {12, 26, "Z12"}, {3, 27, "AA3"}, {1, 52, "AZ1"}, {7, 53, "BA7"},
                 {100000, 702, "ZZ100000"}, {1, 703, ""}, {0, 1, ""}, {1, 0, ""}, {-1, -1, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(CExcelCellRange::CellName(c.row, c.column)), c.name) << c.row << "," << c.column;
        int row = 0, column = 0;
        if (*c.name) {
            ASSERT_TRUE(CExcelCellRange::ParseCellName(c.name, row, column));
            EXPECT_EQ(row, c.row);
            EXPECT_EQ(column, c.column);
        }
    }
    int row = 0, column = 0;
    for (const char* bad : {"", "A", "1", "AAA1", "a1", "A0", "A1B"})
        EXPECT_FALSE(CExcelCellRange::ParseCellName(bad, row, column)) << bad;

    CExcelCellRange r(4, 1, 24, 2);
    EXPECT_EQ(r.RowCount(), 21);
    EXPECT_EQ(r.ColumnCount(), 2);
    r.MoveDown();
    r.MoveRight();
    EXPECT_EQ(r.FirstRow(), 5);
    EXPECT_EQ(r.LastColumn(), 3);
}

TEST_F(ExcelAutomationTest, StartingOpensTheFirstSheetOfANewWorkbook)
{
    auto log2 = std::make_shared<DispatchLog>();
    auto* other = new FakeDispatch("Excel", log2);
    {
        CExcelAutomation fresh(other);
        ASSERT_TRUE(fresh.StartExcel());
        fresh.SetVisible(TRUE);
        fresh.SetUserControl(TRUE);
        EXPECT_EQ(log2->calls, (Lines{"get Excel.Workbooks", "get Excel.Workbooks.Add(missing)",
                                      "get " + kBook + ".Sheets", "get " + kBook + ".Sheets.Item(i2:1)",
                                      "put Excel.Visible = true", "put Excel.UserControl = true"}));
        EXPECT_GT(log2->live, 0);
    }
    // Every interface is let go; the application itself is never told to quit.
    EXPECT_EQ(log2->live, 0);
    for (const std::string& call : log2->calls)
        EXPECT_EQ(call.find("Quit"), std::string::npos);
}

TEST_F(ExcelAutomationTest, TextsGoCellByCellAndColumnsFitTheirContents)
{
    excel->SetCellText("Header", CExcelAutomation::CellName(2, 1));
    excel->AutoFitColumn("A2");
    excel->SetRangeText("-", CExcelCellRange(1, 27, 2, 28));
    excel->AutoFitColumns(CExcelCellRange::Columns(1, 7));
    EXPECT_EQ(Calls(), (Lines{"get " + kSheet + ".Range('A2','A2')",
                              "put " + kSheet + ".Range('A2','A2').Value = 'Header'",
                              "get " + kSheet + ".Range('A2','A2')",
                              "get " + kSheet + ".Range('A2','A2').EntireColumn",
                              "get " + kSheet + ".Range('A2','A2').EntireColumn.AutoFit",
                              "get " + kSheet + ".Range('AA1','AB2')",
                              "put " + kSheet + ".Range('AA1','AB2').Value = '-'",
                              "get " + kSheet + ".Range('A1','G2')",
                              "get " + kSheet + ".Range('A1','G2').EntireColumn",
                              "get " + kSheet + ".Range('A1','G2').EntireColumn.AutoFit"}));
}

TEST_F(ExcelAutomationTest, ColumnsBeyondZZAreRefused)
{
    EXPECT_THROW(excel->SetCellText("x", CExcelAutomation::CellName(1, 703)), CExcelError);
    EXPECT_THROW(excel->AutoFitColumns(CExcelCellRange::Columns(700, 703)), CExcelError);
    excel->BeginNumberBlock(CExcelCellRange(1, 702, 1, 703));
    excel->SetBlockNumber(1.0, 0, 0);
    EXPECT_THROW(excel->FlushBlock(), CExcelError);
    EXPECT_FALSE(excel->HasPendingBlock());
    EXPECT_THROW(excel->AddChart(1, 1, 5, 703, FALSE, "", "", "", -4100, 51, -4107, FALSE, TRUE), CExcelError);
    EXPECT_TRUE(Calls().empty());    // nothing reached the sheet
}

TEST_F(ExcelAutomationTest, ANumberBlockGoesInOneCallWithUnsetCellsEmpty)
{
    excel->FlushBlock();    // no block: nothing
    excel->SetBlockNumber(5.0, 0, 0);
    EXPECT_TRUE(Calls().empty());

    excel->BeginNumberBlock(CExcelCellRange(5, 1, 7, 2));
    excel->SetBlockNumber(1.0, 0, 0);
    excel->SetBlockNumber(2.5, 0, 1);
    excel->SetBlockNumber(3.0, 1, 0);
    excel->SetBlockNumber(9.0, 2, 1);
    for (auto [r, c] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}})
        excel->SetBlockNumber(99.0, r, c);    // outside: ignored
    EXPECT_TRUE(Calls().empty());
    excel->FlushBlock();
    EXPECT_EQ(Calls(), (Lines{"get " + kSheet + ".Range('A5','B7')",
                              "put " + kSheet + ".Range('A5','B7').Value = [1,2.5;3,_;_,9]"}));
    excel->FlushBlock();
    EXPECT_TRUE(Calls().empty());

    excel->BeginNumberBlock(CExcelCellRange(1, 1));
    excel->SetBlockNumber(4.0, 1, 0);
    excel->SetBlockNumber(7.0, 0, 0);
    excel->FlushBlock();
    EXPECT_EQ(Calls().back(), "put " + kSheet + ".Range('A1','A1').Value = [7]");
}

TEST_F(ExcelAutomationTest, AHistogramChartHasTouchingColumnsAndNoLegend)
{
    excel->AddChart(4, 1, 24, 2, FALSE, "Title", "X [m]", "Number of Rocks", -4100, 51, -4107, FALSE, FALSE);
    const std::string chart = kSheet + ".ChartObjects(missing).Add(150,20,350,250).Chart";
    EXPECT_EQ(Calls(), (Lines{"get " + kSheet + ".Range('A4','B24')", "get " + kSheet + ".ChartObjects(missing)",
                              "get " + kSheet + ".ChartObjects(missing).Add(150,20,350,250)", "get " + chart,
                              "get " + chart + ".ChartWizard(@" + kSheet +
                                  ".Range('A4','B24'),i2:-4100,missing,i2:2,i2:1,i2:1,i2:0,'Title','X [m]','Number "
                                  "of Rocks',missing)",
                              "get " + chart + ".ChartGroups(i4:1)",
                              "put " + chart + ".ChartGroups(i4:1).GapWidth = i4:0"}));
}

TEST_F(ExcelAutomationTest, AnEnvelopeChartSetsItsTypeAndItsLegendWhenAsked)
{
    excel->AddChart(4, 1, 9, 2, TRUE, "T", "X", "Y", -4169, 74, -4107, TRUE, TRUE);
    const std::string chart = kSheet + ".ChartObjects(missing).Add(150,20,350,250).Chart";
    const Lines calls = Calls();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_NE(calls[4].find("i2:-4169,missing,i2:1,i2:1,i2:1,i2:1,'T'"), std::string::npos) << calls[4];
    EXPECT_EQ(calls[5], "put " + chart + ".ChartType = i4:74");
    EXPECT_EQ(calls[6], "get " + chart + ".Legend");
    EXPECT_EQ(calls[7], "put " + chart + ".Legend.Position = i4:-4107");
}

TEST_F(ExcelAutomationTest, AFailingCallReachesTheCallerWithTheSheetsReason)
{
    log->failing = "AutoFit";
    try {
        excel->AutoFitColumn("B3");
        FAIL() << "no exception";
    } catch (const CExcelError& e) {
        EXPECT_NE(std::string(e.what()).find("AutoFit"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("The sheet is protected."), std::string::npos) << e.what();
    }
    // The session goes on.
    log->failing.clear();
    excel->SetCellText("ok", "B3");
    EXPECT_EQ(Calls().back(), "put " + kSheet + ".Range('B3','B3').Value = 'ok'");
}

namespace {

// Counts the blocks of task memory that are allocated and not yet freed.
class CountingMallocSpy : public IMallocSpy
{
public:
    long outstanding = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cb) override { return cb; }
    void* STDMETHODCALLTYPE PostAlloc(void* p) override
    {
        if (p)
            ++outstanding;
        return p;
    }
    void* STDMETHODCALLTYPE PreFree(void* p, BOOL) override
    {
        if (p)
            --outstanding;
        return p;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* p, SIZE_T cb, void** out, BOOL) override
    {
        *out = p;
        return cb;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* p, BOOL) override { return p; }
    void* STDMETHODCALLTYPE PreGetSize(void* p, BOOL) override { return p; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T cb, BOOL) override { return cb; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* p, BOOL) override { return p; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

} // namespace

TEST_F(ExcelAutomationTest, ANewBlockFreesThePendingOne)
{
    ::CoInitialize(nullptr);
    CountingMallocSpy spy;
    ASSERT_EQ(::CoRegisterMallocSpy(&spy), S_OK);
    excel->BeginNumberBlock(CExcelCellRange(1, 1, 50, 3));
    const long one = spy.outstanding;
    EXPECT_GT(one, 0);
    for (int i = 0; i < 5; ++i)
        excel->BeginNumberBlock(CExcelCellRange(1, 1, 50, 3));
    EXPECT_EQ(spy.outstanding, one);
    excel->SetBlockNumber(1.0, 0, 0);
    excel->FlushBlock();
    EXPECT_EQ(spy.outstanding, 0);
    excel->BeginNumberBlock(CExcelCellRange(1, 1, 2, 2));
    excel.reset();
    EXPECT_EQ(spy.outstanding, 0);
    ::CoRevokeMallocSpy();
}

TEST(ExcelStartTest, WithoutASpreadsheetOrAFileNothingStarts)
{
    // No spreadsheet program is registered on the test machine.
    MessageBoxRecorder boxes;
    {
        CExcelAutomation quiet;
        EXPECT_FALSE(quiet.StartExcel());
    }
    EXPECT_TRUE(boxes.texts.empty());
    CExcelAutomation loud;
    loud.SetShowMessages(TRUE);
    loud.SetWorkbookFile("Z:\\no such folder\\at all\\book.xlsx");
    EXPECT_FALSE(loud.StartExcel());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Unable to start Microsoft Excel\nExcel 97 must be installed on this computer for this to work");
}

TEST(ExcelStartTest, WithoutASpreadsheetTheSameCallsWriteAWorkbookFile)
{
    const std::string path = FreshTempPath("clastor-automation.xlsx");
    MessageBoxRecorder boxes;
    {
        CExcelAutomation excel;
        excel.SetShowMessages(TRUE);
        excel.SetWorkbookFile(path.c_str());
        ASSERT_TRUE(excel.StartExcel());
        EXPECT_TRUE(excel.WritesWorkbookFile());
        excel.SetVisible(TRUE);
        excel.SetCellText("Title", "A1");
        excel.BeginNumberBlock(CExcelCellRange(2, 1, 3, 2));
        excel.SetBlockNumber(1.0, 0, 0);
        excel.SetBlockNumber(2.0, 0, 1);
        excel.FlushBlock();
        excel.AddChart(1, 1, 3, 2, FALSE, "T", "X", "Y", -4100, 51, -4107, FALSE, TRUE);
        EXPECT_FALSE(FileExists(path));    // written when handed over
        EXPECT_TRUE(boxes.texts.empty());
        excel.SetUserControl(TRUE);
        EXPECT_EQ(std::string(excel.GetSavedWorkbookFile()), path);
    }
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(path + ".tmp"));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find(path), std::string::npos);
    // A session abandoned before the hand-over leaves the earlier file alone.
    const std::string saved = ReadBytes(path.c_str());
    ASSERT_FALSE(saved.empty());
    {
        CExcelAutomation excel;
        excel.SetWorkbookFile(path.c_str());
        ASSERT_TRUE(excel.StartExcel());
        excel.SetCellText("Other", "A1");
    }
    EXPECT_EQ(ReadBytes(path.c_str()), saved);
    ::DeleteFileA(path.c_str());
}
