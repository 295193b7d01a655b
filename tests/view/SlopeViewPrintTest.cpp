// Printing the slope view: to the default printer (a PDF printer in the test
// session) and in print preview.
#include "tests/view/SlopeViewTestSupport.h"

#ifdef CLASTOR_DOCUMENT_BUILT

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include "framework/AfxRes.h"
#include "framework/PreviewView.h"

namespace {

// The print commands ask the application for its printer.
class CViewTestApp : public CWinApp
{
public:
    CViewTestApp() : CWinApp("Clastor view tests") {}
};
CViewTestApp theApp;

bool HaveDefaultPrinter()
{
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

TEST_F(SlopeViewTest, PrintPreviewShowsThePageWithinItsMarginsAndCloses)
{
    if (!HaveDefaultPrinter())
        GTEST_SKIP() << "no printer in this session";
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    auto* preview = dynamic_cast<CPreviewView*>(frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(view->IsPrinting());
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_NE(frame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);

    // One page: the view never says it has more.
    HENHMETAFILE page = preview->GetPageMetafile(1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(preview->GetPageMetafile(2), nullptr);
    const CRect sheet = preview->GetPageRect(0), printable = preview->GetPrintableRect(0);
    EXPECT_FALSE(sheet.IsRectEmpty());
    EXPECT_TRUE(sheet.PtInRect(printable.TopLeft()));
    EXPECT_LE(printable.right, sheet.right);
    EXPECT_LE(printable.bottom, sheet.bottom);

    // What was drawn keeps the left margin (1.5 inches from the paper's edge).
    ENHMETAHEADER header{};
    ASSERT_NE(::GetEnhMetaFileHeader(page, sizeof(header), &header), 0u);
    CDC* printer = preview->GetPrinterDC();
    const int leftMargin = static_cast<int>(1.5 * printer->GetDeviceCaps(LOGPIXELSX)) -
                           printer->GetDeviceCaps(PHYSICALOFFSETX);
    EXPECT_GE(header.rclBounds.left, leftMargin - 2);
    EXPECT_GT(header.rclBounds.right, header.rclBounds.left);

    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE, 0);
    EXPECT_EQ(preview->GetShownPageCount(), 2u);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN, 0);
    EXPECT_EQ(preview->GetZoomState(), 1);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT, 0);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);   // there is no second page

    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_FALSE(view->IsPrinting());
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(frame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
}

#endif
