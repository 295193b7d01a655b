// Printing the slope view: to the default printer (a PDF printer in the test
// session) and in print preview.
#include "tests/view/SlopeViewTestSupport.h"

#ifdef CLASTOR_DOCUMENT_BUILT

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include "framework/AfxRes.h"
#include "framework/Preview.h"

namespace {

// The print commands ask the application for its printer.
class CViewTestApp : public CWinApp
{
public:
    CViewTestApp() : CWinApp("Clastor view tests") {}
};
CViewTestApp theApp;

// The session's PDF printer becomes this prefix's default printer.
bool HaveDefaultPrinter()
{
    const char* session = std::getenv("CLASTOR_PRINTER");
    if (session != nullptr && *session != '\0')
        ::SetDefaultPrinterA(session);
    char name[512];
    DWORD size = sizeof(name);
    return ::GetDefaultPrinterA(name, &size) != FALSE;
}

// The folder the PDF printer writes to, as Wine sees it; empty without one.
std::string PrintFolder()
{
    const char* unixPath = std::getenv("CLASTOR_PRINT_DIR");
    if (unixPath == nullptr || *unixPath == '\0')
        return std::string();
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path + "\\";
}

std::set<std::string> PdfFiles(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE h = ::FindFirstFileA((folder + "*.pdf").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return names;
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Page objects of a PDF: "/Type /Page" (or "/Type/Page") not followed by "s".
int CountPdfPages(const std::string& pdf)
{
    int pages = 0;
    for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 1)) {
        size_t p = at + 5;
        while (p < pdf.size() && pdf[p] == ' ')
            ++p;
        if (pdf.compare(p, 5, "/Page") == 0 && (p + 5 >= pdf.size() || pdf[p + 5] != 's'))
            ++pages;
    }
    return pages;
}

}  // namespace

// Leaves printed-slope.pdf for the check that reads it with the system's PDF tools.
TEST_F(SlopeViewTest, PrintsOnePageToTheDefaultPrinter)
{
    ::DeleteFileA("printed-slope.pdf");
    const std::string folder = PrintFolder();
    if (folder.empty() || !HaveDefaultPrinter())
        GTEST_SKIP() << "no PDF printer in this session";
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    const std::set<std::string> before = PdfFiles(folder);
    ViewMessageBoxes boxes;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_FALSE(view->IsPrinting());

    // The spooler writes the file a moment later.
    std::string printed;
    for (int i = 0; i < 300 && printed.empty(); ++i) {
        for (const std::string& name : PdfFiles(folder))
            if (before.count(name) == 0)
                printed = folder + name;
        if (printed.empty())
            ::Sleep(100);
    }
    ASSERT_FALSE(printed.empty()) << "no PDF appeared in " << folder;
    std::string pdf;
    for (int i = 0; i < 100; ++i) {
        pdf = ReadWhole(printed);
        if (pdf.find("%%EOF") != std::string::npos)
            break;
        ::Sleep(100);
    }
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_EQ(CountPdfPages(pdf), 1);
    std::ofstream("printed-slope.pdf", std::ios::binary) << pdf;
}

TEST_F(SlopeViewTest, PrintedPageKeepsItsMargins)
{
    if (!HaveDefaultPrinter())
        GTEST_SKIP() << "no printer in this session";
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    // The ruler's numbers stand a little outside the picture; the margins are the picture's.
    view->SetShowRuler(false);
    // The page as the printer gets it, recorded against the printer.
    CDC printer;
    ASSERT_TRUE(theApp.CreatePrinterDC(printer));
    printer.m_bPrinting = TRUE;
    CPrintInfo info;
    view->OnBeginPrinting(&printer, &info);
    EXPECT_TRUE(view->IsPrinting());
    HDC meta = ::CreateEnhMetaFileA(printer.GetSafeHdc(), nullptr, nullptr, nullptr);
    ASSERT_NE(meta, nullptr);
    CDC page;
    page.m_hDC = meta;
    page.m_hAttribDC = printer.GetSafeHdc();
    page.m_bPrinting = TRUE;
    view->OnPrepareDC(&page, &info);
    view->OnPrint(&page, &info);
    page.m_hDC = page.m_hAttribDC = nullptr;
    HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
    view->OnEndPrinting(&printer, &info);
    EXPECT_FALSE(view->IsPrinting());

    // The picture keeps the margins (1.5 inches left, 0.5 inch elsewhere), in printer pixels.
    ENHMETAHEADER header{};
    ASSERT_NE(::GetEnhMetaFileHeader(emf, sizeof(header), &header), 0u);
    ::DeleteEnhMetaFile(emf);
    const int dpiX = printer.GetDeviceCaps(LOGPIXELSX), dpiY = printer.GetDeviceCaps(LOGPIXELSY);
    const int offX = printer.GetDeviceCaps(PHYSICALOFFSETX), offY = printer.GetDeviceCaps(PHYSICALOFFSETY);
    EXPECT_GT(header.rclBounds.right, header.rclBounds.left);
    EXPECT_GE(header.rclBounds.left, static_cast<int>(1.5 * dpiX) - offX - 2);
    EXPECT_GE(header.rclBounds.top, static_cast<int>(0.5 * dpiY) - offY - 2);
    EXPECT_LE(header.rclBounds.right, printer.GetDeviceCaps(HORZRES) - static_cast<int>(0.5 * dpiX) + offX + 2);
    // The window's own mapping is back after printing.
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->GetViewContext()->GetDeviceExtent(), CSize(client.Width(), client.Height()));
}

TEST_F(SlopeViewTest, PrintPreviewOpensOverTheFrameAndCloses)
{
    if (!HaveDefaultPrinter())
        GTEST_SKIP() << "no printer in this session";
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    CViewContext* vc = view->GetViewContext();
    const CVector2D extent = vc->GetWorldExtent();
    theApp.m_pMainWnd = frame;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    auto* preview = dynamic_cast<CPreviewView*>(frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(view->IsPrinting());
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_NE(frame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
    preview->UpdateWindow();
    EXPECT_FALSE(preview->m_pageInfo[0].rectScreen.IsRectEmpty());

    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN, 0);
    EXPECT_NE(preview->m_nZoomState, static_cast<UINT>(CPreviewView::ZOOM_OUT));
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT, 0);
    EXPECT_EQ(preview->m_nCurrentPage, 1u);   // the view has one page

    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_FALSE(view->IsPrinting());
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(frame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
    // The view shows what it showed before.
    EXPECT_NEAR(vc->GetWorldExtent().x, extent.x, 1e-9 * extent.x);
}

#endif
