// Printing the slope view: to the default printer (a PDF printer in the test
// session) and in print preview.
#include "tests/view/SlopeViewTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include "framework/AfxRes.h"
#include "framework/Preview.h"
#include "app/PageSettings.h"
#include "support/PrintedPdf.h"
#include "res/resource.h"

namespace {

// The print commands ask the application for its printer.
class CViewTestApp : public CWinApp
{
public:
    CViewTestApp() : CWinApp("Clastor view tests") {}
};
CViewTestApp theApp;

// The box round everything inked on a white 32-bit bitmap; empty when nothing was.
CRect InkBox(const void* bits, int w, int h)
{
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    CRect ink(w, h, -1, -1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((pixel[y * w + x] & 0xFFFFFF) != 0xFFFFFF) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    return ink;
}

// A white bitmap of w x h selected into a memory DC, for a page to be drawn on.
struct WhitePage {
    WhitePage(int width, int height) : w(width), h(height)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr) {
            old = ::SelectObject(dc.GetSafeHdc(), bitmap);
            ::PatBlt(dc.GetSafeHdc(), 0, 0, w, h, WHITENESS);
        }
    }
    ~WhitePage()
    {
        if (bitmap != nullptr) {
            ::SelectObject(dc.GetSafeHdc(), old);
            ::DeleteObject(bitmap);
        }
    }
    bool Ready() const { return bitmap != nullptr; }
    CRect Ink()
    {
        ::GdiFlush();
        return InkBox(bits, w, h);
    }
    CDC dc;
    int w, h;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

// A white page the size of the screen.
WhitePage ScreenSizedPage()
{
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    return WhitePage(screen.GetDeviceCaps(HORZRES), screen.GetDeviceCaps(VERTRES));
}

// The view's one page, printed onto the sheet as the print loop would.
void PrintOn(CTalusimView* view, WhitePage& sheet)
{
    sheet.dc.m_bPrinting = TRUE;
    CPrintInfo info;
    view->OnBeginPrinting(&sheet.dc, &info);
    view->OnPrepareDC(&sheet.dc, &info);
    view->OnPrint(&sheet.dc, &info);
    view->OnEndPrinting(&sheet.dc, &info);
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
    view->SetShowRuler(true);
    // The page as the printer gets it, recorded against the printer.
    CDC printer;
    ASSERT_TRUE(theApp.CreatePrinterDC(printer));
    printer.m_bPrinting = TRUE;
    CPrintInfo info;
    view->OnBeginPrinting(&printer, &info);
    EXPECT_TRUE(view->IsPrinting());
    const int w = printer.GetDeviceCaps(HORZRES), h = printer.GetDeviceCaps(VERTRES);
    const int dpiX = printer.GetDeviceCaps(LOGPIXELSX), dpiY = printer.GetDeviceCaps(LOGPIXELSY);
    // The printable area in hundredths of a millimetre, so that playing the
    // page back onto w x h pixels maps one printer pixel onto one.
    const RECT frame{0, 0, MulDiv(w, 2540, dpiX), MulDiv(h, 2540, dpiY)};
    HDC meta = ::CreateEnhMetaFileA(printer.GetSafeHdc(), nullptr, &frame, nullptr);
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

    // What the page inks keeps the margins (1.5 inches left, 0.5 inch
    // elsewhere), in printer pixels of the printable area. The ink is measured
    // on the page played back: the recorder's own bounds do not follow the
    // turned numbers of the ruler.
    WhitePage sheet(w, h);
    ASSERT_TRUE(sheet.Ready());
    const RECT target{0, 0, w, h};
    ASSERT_TRUE(::PlayEnhMetaFile(sheet.dc.GetSafeHdc(), emf, &target));
    ::DeleteEnhMetaFile(emf);
    const CRect ink = sheet.Ink();
    const int offX = printer.GetDeviceCaps(PHYSICALOFFSETX), offY = printer.GetDeviceCaps(PHYSICALOFFSETY);
    const int offRight = printer.GetDeviceCaps(PHYSICALWIDTH) - w - offX;
    const int offBottom = printer.GetDeviceCaps(PHYSICALHEIGHT) - h - offY;
    ASSERT_GT(ink.right, ink.left) << "nothing was printed";
    EXPECT_GE(ink.left, static_cast<int>(1.5 * dpiX) - offX - 2);
    EXPECT_GE(ink.top, static_cast<int>(0.5 * dpiY) - offY - 2);
    EXPECT_LE(ink.right, w - (static_cast<int>(0.5 * dpiX) - offRight) + 2);
    EXPECT_LE(ink.bottom, h - (static_cast<int>(0.5 * dpiY) - offBottom) + 2);
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

// A preview that cannot start (here: no main window to show it in) leaves no
// print area behind: the next printout is of the window shown then, exactly
// as the one after it.
TEST_F(SlopeViewTest, APreviewThatFailsToStartLeavesNoPrintAreaBehind)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    ASSERT_EQ(AfxGetMainWnd(), nullptr);
    {
        ViewMessageBoxes boxes;
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
        EXPECT_EQ(boxes.texts.size(), 1u);
    }
    EXPECT_FALSE(view->IsPrinting());
    view->SendMessage(WM_COMMAND, ID_VIEW_ZOOM_IN, 0);
    WhitePage first = ScreenSizedPage(), second = ScreenSizedPage();
    ASSERT_TRUE(first.Ready() && second.Ready());
    PrintOn(view, first);
    PrintOn(view, second);
    ASSERT_GT(first.Ink().right, first.Ink().left) << "nothing was printed";
    EXPECT_EQ(std::memcmp(first.bits, second.bits, static_cast<size_t>(first.w) * first.h * 4), 0)
        << "the first printout showed another part of the slope";
}

// Whatever the world window, what the page inks (the ruler's bands and
// numbers, a slope that runs on beyond the window) stays inside the drawing
// area the margins leave: the view is moved in small steps through more than
// a labelled interval and until the slope leaves the window on the left.
TEST_F(SlopeViewTest, PrintedRulerStaysInsideTheMargins)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    ASSERT_NE(doc->GetRulers(), nullptr);
    view->SetShowRuler(true);
    CViewContext* vc = view->GetViewContext();
    const CVector2D origin = vc->GetWorldOrigin();
    for (int step = 0; step < 24; ++step) {
        vc->SetWorldOrigin(origin.x + 0.5 * step, origin.y + 0.5 * step);
        WhitePage sheet = ScreenSizedPage();
        ASSERT_TRUE(sheet.Ready());
        PrintOn(view, sheet);
        const CRect page = view->GetPageMargins().GetPrintPageRect(&sheet.dc);
        const CRect ink = sheet.Ink();
        ASSERT_GT(ink.right, ink.left) << "nothing was printed";
        EXPECT_GE(ink.left, page.left) << "step " << step;
        EXPECT_GE(ink.top, page.top) << "step " << step;
        EXPECT_LE(ink.right, page.right) << "step " << step;
        EXPECT_LE(ink.bottom, page.bottom) << "step " << step;
    }
}


// The page follows the program's page settings, and the margin frame goes on
// paper exactly when "Display Margins on Paper" is on.
TEST_F(SlopeViewTest, PrintedPageFollowsThePageSettingsAndItsMarginFrame)
{
    struct PageSettings : CPromptLine {
        bool GetPrintMargins(double& l, double& t, double& r, double& b, bool& show) override
        {
            l = 1.0, t = 0.75, r = 0.5, b = 1.25;
            show = onPaper;
            return true;
        }
        bool onPaper = false;
    } settings;
    CMainFrameServices* previous = InstallMainFrameServices(&settings);
    view->SetShowRuler(false);
    for (bool onPaper : {false, true}) {
        settings.onPaper = onPaper;
        WhitePage sheet = ScreenSizedPage();
        ASSERT_TRUE(sheet.Ready());
        PrintOn(view, sheet);
        const int dpiX = sheet.dc.GetDeviceCaps(LOGPIXELSX), dpiY = sheet.dc.GetDeviceCaps(LOGPIXELSY);
        const CPageMargins& margins = view->GetPageMargins();
        EXPECT_EQ(margins.GetLeft(), 1.0);
        EXPECT_EQ(margins.GetBottom(), 1.25);
        const CRect page = margins.GetPrintPageRect(&sheet.dc);
        EXPECT_EQ(page, CRect(dpiX, static_cast<int>(0.75 * dpiY), sheet.w - dpiX / 2,
                              sheet.h - static_cast<int>(1.25 * dpiY)));
        ::GdiFlush();
        const DWORD* pixel = static_cast<const DWORD*>(sheet.bits);
        const auto inked = [&](int x, int y) { return (pixel[y * sheet.w + x] & 0xFFFFFF) != 0xFFFFFF; };
        // The frame's corners: the drawing itself stays inside them.
        EXPECT_EQ(inked(page.left, page.top), onPaper);
        EXPECT_EQ(inked(page.right - 1, page.bottom - 1), onPaper);
    }
    InstallMainFrameServices(previous);
}
