// The report's print preview: its pages end where the text ends, and a paper,
// orientation or margin change made while it is open moves the page breaks
// to where a preview opened afresh would put them.
#include "ShellFixture.h"

#include <string>
#include <vector>

#include "app/OvPreviewView.h"
#include "app/PageSetupDlg.h"
#include "framework/Preview.h"
#include "report/InfoViewer.h"
#include "res/resource.h"

namespace {

class ReportPreviewTest : public ShellTest {
protected:
    COvPreviewView* OpenPreview()
    {
        viewer->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
        return dynamic_cast<COvPreviewView*>(frame->GetActiveView());
    }
    // The page breaks of a preview opened now, which is closed again.
    std::vector<long> FreshPageStarts()
    {
        COvPreviewView* preview = OpenPreview();
        if (preview == nullptr)
            return {};
        std::vector<long> starts = viewer->GetPageStarts();
        frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        Idle();
        return starts;
    }
    static void Repaint(CWnd* preview)
    {
        preview->RedrawWindow();
        preview->UpdateWindow();
    }

    CInfoViewer* viewer = nullptr;
};

}  // namespace

TEST_F(ReportPreviewTest, PageBreaksFollowThePaperAndTheMarginsChangedMeanwhile)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    MessageBoxRecorder boxes;
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    frame->SendMessage(WM_COMMAND, ID_INFO_VIEWER, 0);
    Idle();
    viewer = dynamic_cast<CInfoViewer*>(frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(viewer, nullptr);
    std::string text;
    for (int i = 1; i <= 400; ++i)
        text += "Report line " + std::to_string(i) + "\r\n";
    viewer->GetRichEdit().SetWindowText(text.c_str());
    const long end = viewer->GetRichEdit().GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);

    COvPreviewView* preview = OpenPreview();
    ASSERT_NE(preview, nullptr);
    Repaint(preview);
    const std::vector<long> first = viewer->GetPageStarts();
    ASSERT_GE(first.size(), 3u);
    // The last page holds the end of the text: no blank page follows it.
    EXPECT_LT(first.back(), end);
    EXPECT_EQ(preview->m_pPreviewInfo->GetMaxPage(), first.size());
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->m_nCurrentPage, 3u);

    // The paper turns while the preview is open.
    const bool wide = preview->m_pPreviewDC->GetDeviceCaps(HORZRES) > preview->m_pPreviewDC->GetDeviceCaps(VERTRES);
    ASSERT_TRUE(CPageSetupDlg::SetPrinterOrientation(wide ? FALSE : TRUE));
    Repaint(preview);
    const std::vector<long> turned = viewer->GetPageStarts();
    EXPECT_NE(turned, first);
    EXPECT_EQ(preview->m_pPreviewInfo->GetMaxPage(), turned.size());
    EXPECT_LE(preview->m_nCurrentPage, turned.size());

    // Page Setup hands the frame wider margins.
    CPageSetupResult wider;
    wider.settings = app->m_pageSettings;
    wider.printMargins = app->m_bPrintMargins;
    wider.settings.m_dTop += 1.0;
    wider.settings.m_dBottom += 1.0;
    frame->SendMessage(WM_PAGE_SETUP_RESULT, reinterpret_cast<WPARAM>(&wider));
    Repaint(preview);
    const std::vector<long> narrower = viewer->GetPageStarts();
    EXPECT_GT(narrower.size(), turned.size());
    EXPECT_EQ(preview->m_pPreviewInfo->GetMaxPage(), narrower.size());
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    Idle();

    // A preview opened afresh breaks the pages at the same places.
    EXPECT_EQ(FreshPageStarts(), narrower);

    wider.settings.m_dTop -= 1.0;
    wider.settings.m_dBottom -= 1.0;
    frame->SendMessage(WM_PAGE_SETUP_RESULT, reinterpret_cast<WPARAM>(&wider));
    CPageSetupDlg::SetPrinterOrientation(!printer.m_bPortrait);
    EXPECT_TRUE(boxes.texts.empty());
    app->CloseAllDocuments(FALSE);
    Idle();
}
