// Chart in Excel on a machine without a spreadsheet program: the graph's
// series, its chart and its raw data go into a workbook beside the document,
// and the user is told where. The test leaves the workbook and a list of the
// cells it must hold; check_workbook.py reads both with an independent
// spreadsheet library.
#include "GraphWindowSupport.h"

#include <cstdio>
#include <fstream>

#include "excel/XlsxWorkbook.h"
#include "res/resource.h"

namespace {

std::string CurrentFolder()
{
    char folder[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

TEST_F(GraphWindowTest, ChartInExcelWritesTheWorkbookBesideTheDocument)
{
    MakeSlope();
    Compute();
    const std::string document = CurrentFolder() + "\\excel-graph.cla";
    doc->SetPathName(document.c_str(), FALSE);
    CTalusimOlectraView* view = Open(2940);
    ASSERT_NE(view, nullptr);
    const std::string header(WindowText(view));
    const std::string book = CurrentFolder() + "\\excel-graph - " + header + ".xlsx";
    ::DeleteFileA(book.c_str());
    ASSERT_EQ(std::string(WorkbookPathBeside(document.c_str(), "", header.c_str())), book);

    MessageBoxRecorder boxes;
    view->SendMessage(WM_COMMAND, ID_GRAPH_CHART_IN_EXCEL);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find(book), std::string::npos) << boxes.texts[0];
    ASSERT_NE(::GetFileAttributesA(book.c_str()), INVALID_FILE_ATTRIBUTES);

    // What the sheet must hold: the series under its titles from row 4, then
    // one empty row, then the end points.
    const CGraphSeries& series = view->GetGraphState().series;
    const int n = series.GetCount();
    ASSERT_GT(n, 0);
    std::ofstream out("chart-in-excel.txt");
    out << BaseName(book) << "\n";
    out << "chart column 0\n";
    out << "A2 s " << header << "\n";
    out << "A4 s " << std::string(view->GetChartSettings().XTitle()) << "\n";
    out << "B4 s Number of Rocks\n";
    char number[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(number, sizeof number, "%.17g", series.GetX(i));
        out << "A" << 5 + i << " n " << number << "\n";
        std::snprintf(number, sizeof number, "%.17g", series.GetY(i));
        out << "B" << 5 + i << " n " << number << "\n";
    }
    out << "A" << 6 + n << " s Rock Endpoints (unsorted)\n";
    out << "C" << 7 + n << " s Y Coordinate\n";
    bool passes = false;
    int row = 8 + n, count = 0;
    for (CVector2D p = doc->GetFirstEndPoint(passes); p.x != DBL_MAX && p.y != DBL_MAX;
         p = doc->GetNextEndPoint(passes), ++row) {
        out << "A" << row << " n " << ++count << "\n";
        std::snprintf(number, sizeof number, "%.17g", p.x);
        out << "B" << row << " n " << number << "\n";
        std::snprintf(number, sizeof number, "%.17g", p.y);
        out << "C" << row << " n " << number << "\n";
    }
    out << "A" << row << " empty\n";
    EXPECT_EQ(count, 12);

    // Again: an existing workbook is never overwritten.
    boxes.texts.clear();
    view->SendMessage(WM_COMMAND, ID_GRAPH_CHART_IN_EXCEL);
    const std::string second = CurrentFolder() + "\\excel-graph - " + header + " (2).xlsx";
    EXPECT_NE(::GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(second.c_str());
}
