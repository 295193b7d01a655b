// The program's print preview started from a slope window: it is the
// program's own preview view, follows an orientation change made while it is
// open, and its context menu closes it like the toolbar button.
#include "ShellFixture.h"

#include "app/OvPreviewView.h"
#include "app/PageSetupDlg.h"
#include "framework/Menu.h"
#include "framework/Preview.h"
#include "res/resource.h"
#include "tests/support/WhenShown.h"

namespace {

class PreviewViewTest : public ShellTest {};

double Aspect(const CRect& r)
{
    return r.Height() > 0 ? static_cast<double>(r.Width()) / r.Height() : 0.0;
}

}  // namespace

TEST_F(PreviewViewTest, FollowsTheOrientationAndClosesFromItsMenu)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    MessageBoxRecorder boxes;
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CView* slope = child->GetActiveView();
    ASSERT_NE(slope, nullptr);

    slope->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    auto* preview = dynamic_cast<COvPreviewView*>(frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    preview->RedrawWindow();
    preview->UpdateWindow();
    const double before = Aspect(preview->m_pageInfo[0].rectScreen);
    ASSERT_GT(before, 0.0);

    // The printer turns while the preview is open: the next paint shows the other shape.
    ASSERT_TRUE(CPageSetupDlg::ReadPrinterPage(printer));
    ASSERT_TRUE(CPageSetupDlg::SetPrinterOrientation(printer.m_bPortrait));
    preview->RedrawWindow();
    preview->UpdateWindow();
    const double after = Aspect(preview->m_pageInfo[0].rectScreen);
    EXPECT_TRUE((before < 1.0) != (after < 1.0)) << before << " " << after;

    // The context menu offers Page Setup, Print, a separator and Close; Close ends the preview.
    int items = -1;
    UINT separator = 0;
    {
        WhenShown choose([&] {
            if (HMENU shown = AfxGetTrackingMenu()) {
                items = ::GetMenuItemCount(shown);
                separator = ::GetMenuState(shown, 2, MF_BYPOSITION) & MF_SEPARATOR;
            }
            frame->PostMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
            ::EndMenu();
        });
        CPoint at(50, 50);
        preview->ClientToScreen(&at);
        preview->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview->m_hWnd), MAKELPARAM(at.x, at.y));
    }
    Idle();
    EXPECT_EQ(items, 4);
    EXPECT_NE(separator, 0u);
    EXPECT_NE(dynamic_cast<COvPreviewView*>(frame->GetActiveView()), preview);

    CPageSetupDlg::SetPrinterOrientation(!printer.m_bPortrait);
    app->CloseAllDocuments(FALSE);
    Idle();
}
