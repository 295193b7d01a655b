// Printing a graph window: to the default printer (a PDF printer in the test
// session), laid out inside the application's margins with the chart over the
// slope panel, and in print preview.
#include "GraphWindowSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "framework/Preview.h"
#include "support/PrintedPdf.h"

namespace {

// A printed page, painted into a bitmap of the printer's page size while the
// printer answers for the device: where ink landed, and where the chart's
// plot area (its own fill colour) is.
struct PrintedPage {
    CRect ink;        // every pixel that is not white
    CRect plotArea;   // the pixels of the plot area's fill
    CRect collector;  // the pixels of a collector's colour
};

constexpr COLORREF kPlotAreaFill = 0xF0CAA6;
constexpr COLORREF kCollectorColour = RGB(128, 0, 0);

class GraphPrintTest : public GraphWindowTest
{
protected:
    void SetUp() override
    {
        GraphWindowTest::SetUp();
        // Margins of the application's page set-up: 1.5 inches left, 0.5 elsewhere, 1 at the bottom.
        app->m_pageSettings.m_dLeft = 1.5;
        app->m_pageSettings.m_dTop = 0.5;
        app->m_pageSettings.m_dRight = 0.5;
        app->m_pageSettings.m_dBottom = 1.0;
    }

    // The page as the printer gets it.
    PrintedPage PrintPage(CTalusimOlectraView* view, CDC& printer)
    {
        const int width = printer.GetDeviceCaps(HORZRES), height = printer.GetDeviceCaps(VERTRES);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        HDC memory = ::CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(memory, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        RECT all{0, 0, width, height};
        ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

        printer.m_bPrinting = TRUE;
        CPrintInfo info;
        view->OnBeginPrinting(&printer, &info);
        // Typing into the command line waits until the page is done.
        EXPECT_FALSE(mainFrame->m_bCommandLineActive);
        CDC page;
        page.m_hDC = memory;
        page.m_hAttribDC = printer.GetSafeHdc();
        page.m_bPrinting = TRUE;
        view->OnPrepareDC(&page, &info);
        view->OnPrint(&page, &info);
        page.m_hDC = page.m_hAttribDC = nullptr;
        view->OnEndPrinting(&printer, &info);
        EXPECT_TRUE(mainFrame->m_bCommandLineActive);
        ::GdiFlush();

        PrintedPage out;
        out.ink.SetRect(width, height, -1, -1);
        out.plotArea = out.collector = out.ink;
        const auto* pixels = static_cast<const uint32_t*>(bits);
        auto dibValue = [](COLORREF c) -> uint32_t { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
        const uint32_t plot = dibValue(kPlotAreaFill), collector = dibValue(kCollectorColour);
        auto grow = [](CRect& r, int x, int y) {
            r.left = std::min<int>(r.left, x);
            r.top = std::min<int>(r.top, y);
            r.right = std::max<int>(r.right, x + 1);
            r.bottom = std::max<int>(r.bottom, y + 1);
        };
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t v = pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
                if (v != 0xFFFFFF)
                    grow(out.ink, x, y);
                if (v == plot)
                    grow(out.plotArea, x, y);
                if (v == collector)
                    grow(out.collector, x, y);
            }
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        return out;
    }

    // The area inside the margins, in printer pixels.
    static CRect MarginArea(CDC& printer)
    {
        const int dpiX = printer.GetDeviceCaps(LOGPIXELSX), dpiY = printer.GetDeviceCaps(LOGPIXELSY);
        const int offX = printer.GetDeviceCaps(PHYSICALOFFSETX), offY = printer.GetDeviceCaps(PHYSICALOFFSETY);
        const int width = printer.GetDeviceCaps(PHYSICALWIDTH), height = printer.GetDeviceCaps(PHYSICALHEIGHT);
        return CRect(static_cast<int>(1.5 * dpiX) - offX, static_cast<int>(0.5 * dpiY) - offY,
                     width - static_cast<int>(0.5 * dpiX) - offX, height - dpiY - offY);
    }
};

} // namespace

// Leaves printed-graph.pdf for the check that reads it with the system's PDF tools.
TEST_F(GraphPrintTest, PrintsOnePageToTheDefaultPrinter)
{
    ::DeleteFileA("printed-graph.pdf");
    const std::string folder = PrintFolder();
    if (folder.empty() || !HaveDefaultPrinter())
        GTEST_SKIP() << "no PDF printer in this session";
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = Open(2902);
    ASSERT_NE(view, nullptr);
    // The job is named for the document: other programs of the session may print at the same time.
    doc->SetTitle("Graph window print");
    const std::set<std::string> before = PdfFiles(folder);
    MessageBoxRecorder boxes;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    EXPECT_TRUE(boxes.texts.empty()) << (boxes.texts.empty() ? "" : boxes.texts[0]);
    // The chart window is back on screen.
    EXPECT_TRUE(view->GetChart().IsWindowVisible());

    // The spooler writes the file a moment later.
    std::string pdf;
    for (int i = 0; i < 300 && pdf.empty(); ++i) {
        for (const std::string& name : PdfFiles(folder)) {
            if (before.count(name) != 0)
                continue;
            const std::string content = ReadWhole(folder + name);
            if (content.find("/Title(Graph window print)") != std::string::npos &&
                content.find("%%EOF") != std::string::npos)
                pdf = content;
        }
        if (pdf.empty())
            ::Sleep(100);
    }
    ASSERT_FALSE(pdf.empty()) << "no PDF of this document appeared in " << folder;
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_EQ(CountPdfPages(pdf), 1);
    std::ofstream("printed-graph.pdf", std::ios::binary) << pdf;
}

TEST_F(GraphPrintTest, TheChartStandsOverTheSlopeInsideTheMargins)
{
    if (!HaveDefaultPrinter())
        GTEST_SKIP() << "no printer in this session";
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    CDC printer;
    ASSERT_TRUE(app->CreatePrinterDC(printer));
    const CRect area = MarginArea(printer);
    const int middle = (area.top + area.bottom) / 2;

    struct Case {
        int kind;
        CEntity* object;
        bool split;
    };
    for (const Case& c : {Case{2940, nullptr, true}, Case{3142, collector, false}}) {
        SCOPED_TRACE(c.kind);
        CTalusimOlectraView* view = Open(c.kind, c.object);
        ASSERT_NE(view, nullptr);
        SizeClient(view, 500, 300);
        CRect chartBefore;
        view->GetChart().GetWindowRect(&chartBefore);

        const PrintedPage page = PrintPage(view, printer);
        EXPECT_GE(page.ink.left, area.left - 2);
        EXPECT_GE(page.ink.top, area.top - 2);
        EXPECT_LE(page.ink.right, area.right + 2);
        EXPECT_LE(page.ink.bottom, area.bottom + 2);
        // The page is used from top to bottom: the chart over the slope, or the chart alone.
        EXPECT_GT(page.ink.bottom, area.bottom - area.Height() / 10);
        EXPECT_LT(page.ink.top, area.top + area.Height() / 10);
        ASSERT_FALSE(page.plotArea.IsRectEmpty());
        if (c.split) {
            EXPECT_LT(page.plotArea.bottom, middle);
            EXPECT_GT(page.plotArea.bottom, middle - area.Height() / 5);
        } else {
            EXPECT_GT(page.plotArea.bottom, area.bottom - area.Height() / 5);
        }
        // The window looks as before.
        CRect chartAfter;
        view->GetChart().GetWindowRect(&chartAfter);
        EXPECT_EQ(chartAfter, chartBefore);
        EXPECT_TRUE(view->GetChart().IsWindowVisible());
    }
}

// The slope under the chart is printed at the paper's resolution, as the
// slope window prints: its lines keep their printed width and its x axis
// lines up with the chart's.
TEST_F(GraphPrintTest, ThePrintedSlopeLinesUpWithTheChartAtPaperLineWidths)
{
    if (!HaveDefaultPrinter())
        GTEST_SKIP() << "no printer in this session";
    MakeSlope();    // from x = 0 to 60
    AddCollector(40, 3, 40, 20);
    Compute();
    CDC printer;
    ASSERT_TRUE(app->CreatePrinterDC(printer));
    CTalusimOlectraView* view = Open(2940);
    ASSERT_NE(view, nullptr);
    SizeClient(view, 500, 300);

    const PrintedPage page = PrintPage(view, printer);
    ASSERT_FALSE(page.plotArea.IsRectEmpty());
    ASSERT_FALSE(page.collector.IsRectEmpty());
    EXPECT_GT(page.collector.top, page.plotArea.bottom);
    // A collector's pen is 2 screen pixels wide.
    HDC screen = ::GetDC(nullptr);
    const int screenDpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    const int penWidth = ::MulDiv(2, printer.GetDeviceCaps(LOGPIXELSX), screenDpi);
    EXPECT_LE(page.collector.Width(), penWidth + 2);
    const double expected = page.plotArea.left + 40.0 / 60.0 * page.plotArea.Width();
    EXPECT_NEAR((page.collector.left + page.collector.right) / 2.0, expected, page.plotArea.Width() / 150.0);
}

TEST_F(GraphPrintTest, PrintPreviewOpensOverTheFrameAndCloses)
{
    if (!HaveDefaultPrinter())
        GTEST_SKIP() << "no printer in this session";
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = Open(2905);
    ASSERT_NE(view, nullptr);
    MessageBoxRecorder boxes;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    EXPECT_TRUE(boxes.texts.empty());
    auto* preview = dynamic_cast<CPreviewView*>(mainFrame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_NE(mainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
    preview->UpdateWindow();
    EXPECT_FALSE(preview->m_pageInfo[0].rectScreen.IsRectEmpty());
    mainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT, 0);
    EXPECT_EQ(preview->m_nCurrentPage, 1u);    // one page
    EXPECT_FALSE(mainFrame->m_bCommandLineActive);

    mainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    Idle();
    EXPECT_EQ(mainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_TRUE(view->GetChart().IsWindowVisible());
    EXPECT_EQ(mainFrame->MDIGetActive(), view->GetParentFrame());
    EXPECT_TRUE(mainFrame->m_bCommandLineActive);
}

