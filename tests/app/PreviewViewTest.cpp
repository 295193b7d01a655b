// The program's print preview started from a slope window: it is the
// program's own preview view, follows an orientation change made while it is
// open, and its context menu closes it like the toolbar button. A report of
// several pages is previewed page by page.
#include "ShellFixture.h"

#include <cstring>
#include <functional>
#include <string>

#include "app/OvPreviewView.h"
#include "app/PageSetupDlg.h"
#include "framework/Menu.h"
#include "framework/Preview.h"
#include "report/InfoViewer.h"
#include "res/resource.h"
#include "tests/support/WhenShown.h"

namespace {

class PreviewViewTest : public ShellTest {};

double Aspect(const CRect& r)
{
    return r.Height() > 0 ? static_cast<double>(r.Width()) / r.Height() : 0.0;
}

// Holds Ctrl down in the thread's keyboard state while it lives.
struct HoldingCtrl {
    BYTE saved[256] = {};
    HoldingCtrl()
    {
        ::GetKeyboardState(saved);
        BYTE state[256];
        std::memcpy(state, saved, sizeof state);
        state[VK_CONTROL] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~HoldingCtrl() { ::SetKeyboardState(saved); }
};

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

// Every page of a long report can be reached: the bar's Next and Prev buttons,
// Page Down and Page Up, Home and End, and the wheel. Zoomed in, a key first
// scrolls through the page and then turns to the next one.
TEST_F(PreviewViewTest, AReportOfSeveralPagesIsPreviewedPageByPage)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    // Upright paper, so that a page at its real size is taller than the window.
    ASSERT_TRUE(CPageSetupDlg::SetPrinterOrientation(FALSE));
    MessageBoxRecorder boxes;
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    frame->SendMessage(WM_COMMAND, ID_INFO_VIEWER, 0);
    Idle();
    auto* viewer = dynamic_cast<CInfoViewer*>(frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(viewer, nullptr);
    std::string text;
    for (int i = 1; i <= 400; ++i)
        text += "Report line " + std::to_string(i) + "\r\n";
    viewer->GetRichEdit().SetWindowText(text.c_str());

    viewer->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    auto* preview = dynamic_cast<COvPreviewView*>(frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    const UINT pages = preview->m_pPreviewInfo->GetMaxPage();
    const UINT opened = preview->m_nCurrentPage;
    if (pages < 3u || opened != 1u) {
        frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        app->CloseAllDocuments(FALSE);
        FAIL() << pages << " pages, the preview opened at page " << opened;
    }
    auto shown = [&] {
        preview->RedrawWindow();
        preview->UpdateWindow();
        return preview->m_pPreviewInfo->m_nCurPage;   // the page last drawn
    };
    auto buttonEnabled = [&](int id) {
        Idle();
        CWnd* bar = frame->GetDlgItem(AFX_IDW_PREVIEW_BAR);
        return bar != nullptr && ::IsWindowEnabled(::GetDlgItem(bar->m_hWnd, id)) != FALSE;
    };
    EXPECT_EQ(shown(), 1u);
    EXPECT_FALSE(buttonEnabled(AFX_ID_PREVIEW_PREV));
    EXPECT_TRUE(buttonEnabled(AFX_ID_PREVIEW_NEXT));

    // A key as the program's message loop hands it on: the report window's
    // accelerators see it before the window with the focus.
    auto press = [&](UINT key) {
        MSG msg{};
        msg.hwnd = preview->m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1;
        if (!app->PreTranslateMessage(&msg))
            ::DispatchMessageA(&msg);
    };
    // The wheel's turn is the high word of wParam: a notch towards the user is -WHEEL_DELTA.
    const WPARAM back = MAKEWPARAM(0, WHEEL_DELTA), on = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    const struct { const char* what; std::function<void()> act; UINT page; } steps[] = {
        {"Next Page", [&] { frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT); }, 2},
        {"Page Down", [&] { press(VK_NEXT); }, 3},
        {"wheel back", [&] { preview->SendMessage(WM_MOUSEWHEEL, back, 0); }, 2},
        {"wheel on", [&] { preview->SendMessage(WM_MOUSEWHEEL, on, 0); }, 3},
        {"End", [&] { press(VK_END); }, pages},
        {"Next Page at the end", [&] { frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT); }, pages},
        {"Page Up", [&] { press(VK_PRIOR); }, pages - 1},
        {"Prev Page", [&] { frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV); }, pages - 2},
        {"Home", [&] { press(VK_HOME); }, 1},
        {"Page Up at the start", [&] { press(VK_PRIOR); }, 1},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(preview->m_nCurrentPage, step.page) << step.what;
        EXPECT_EQ(shown(), step.page) << step.what;
    }
    press(VK_END);
    EXPECT_FALSE(buttonEnabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_TRUE(buttonEnabled(AFX_ID_PREVIEW_PREV));
    press(VK_HOME);

    // Zoomed all the way in, Page Down scrolls down the page before it turns it.
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_TRUE(preview->GetStyle() & WS_VSCROLL);
    press(VK_NEXT);
    EXPECT_EQ(preview->m_nCurrentPage, 1u);
    EXPECT_GT(preview->GetScrollPosition().y, 0);
    for (int i = 0; i < 50 && preview->m_nCurrentPage == 1; ++i)
        press(VK_NEXT);
    EXPECT_EQ(preview->m_nCurrentPage, 2u);
    EXPECT_EQ(preview->GetScrollPosition().y, 0);
    // Back up from the top of page 2: page 1 shows from its foot.
    press(VK_UP);
    EXPECT_EQ(preview->m_nCurrentPage, 1u);
    EXPECT_GT(preview->GetScrollPosition().y, 0);

    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    Idle();
    EXPECT_TRUE(boxes.texts.empty());
    app->CloseAllDocuments(FALSE);
    Idle();
}

// A slope window prints one page: the page keys and the wheel have nothing to
// turn to, and the preview never shows an empty second sheet.
TEST_F(PreviewViewTest, TheOnePageOfASlopeWindowStaysShown)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    MessageBoxRecorder boxes;
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CView* slope = frame->MDIGetActive()->GetActiveView();
    ASSERT_NE(slope, nullptr);
    slope->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    auto* preview = dynamic_cast<COvPreviewView*>(frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    MSG key{};
    key.hwnd = preview->m_hWnd;
    key.message = WM_KEYDOWN;
    key.wParam = VK_NEXT;
    key.lParam = 1;
    if (!app->PreTranslateMessage(&key))
        ::DispatchMessageA(&key);
    preview->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->m_nCurrentPage, 1u);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    Idle();
    EXPECT_TRUE(boxes.texts.empty());
    app->CloseAllDocuments(FALSE);
    Idle();
}

// Whatever the user presses or does while a slope, graph or report window is
// previewed, the preview never draws from, nor closes through, a window that
// is gone: Ctrl+F4 and Ctrl+F6 leave the windows behind it as they are, and
// the document closed from another of its windows ends the preview first.
TEST_F(PreviewViewTest, APreviewSurvivesTheMdiKeysAndItsDocumentClosingFromAnotherWindow)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    MessageBoxRecorder boxes;
    const struct {
        const char* name;
        std::function<void()> open;   // the window to preview, besides the document's slope window
    } windows[] = {
        {"slope", [] { frame->SendMessage(WM_COMMAND, ID_WINDOW_NEW); }},
        {"graph", [] { frame->ToggleChartView(2901, nullptr, TRUE); }},
        {"report", [] { frame->SendMessage(WM_COMMAND, ID_INFO_VIEWER); }},
    };
    for (const auto& window : windows) {
        SCOPED_TRACE(window.name);
        app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        Idle();
        CView* other = frame->MDIGetActive()->GetActiveView();
        CDocument* doc = other->GetDocument();
        window.open();
        Idle();
        CMDIChildWnd* child = frame->MDIGetActive();
        CView* previewed = child->GetActiveView();
        ASSERT_NE(previewed, other);
        ASSERT_EQ(previewed->GetDocument(), doc);
        const HWND previewedWindow = previewed->m_hWnd;

        previewed->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
        auto* preview = dynamic_cast<COvPreviewView*>(frame->GetActiveView());
        ASSERT_NE(preview, nullptr);
        const HWND previewWindow = preview->m_hWnd;
        {
            HoldingCtrl ctrl;
            for (UINT key : {VK_F4, VK_F6}) {
                MSG msg{};
                msg.hwnd = previewWindow;
                msg.message = WM_KEYDOWN;
                msg.wParam = key;
                msg.lParam = 1;
                if (!app->PreTranslateMessage(&msg))
                    ::DispatchMessageA(&msg);
            }
        }
        Idle();
        ASSERT_TRUE(::IsWindow(previewedWindow));
        EXPECT_EQ(frame->MDIGetActive(), child);
        ASSERT_EQ(frame->GetActiveView(), preview);
        preview->RedrawWindow();
        preview->UpdateWindow();

        // File > Close from the document's other window.
        other->GetParentFrame()->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
        Idle();
        EXPECT_FALSE(::IsWindow(previewedWindow));
        EXPECT_FALSE(::IsWindow(previewWindow));
        EXPECT_EQ(frame->GetActiveView(), nullptr);
        EXPECT_EQ(frame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
        EXPECT_TRUE(::IsWindowVisible(frame->m_hWndMDIClient));
        EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    }
    EXPECT_TRUE(boxes.texts.empty());
    app->CloseAllDocuments(FALSE);
    Idle();
}

// Closing the program while a window is previewed (the close box, the update
// client's Install) ends the preview first: the save question comes with the
// document's windows in view, and a close cancelled there leaves them as they were.
TEST_F(PreviewViewTest, ClosingTheProgramEndsThePreviewBeforeItAsks)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CView* slope = frame->MDIGetActive()->GetActiveView();
    CDocument* doc = slope->GetDocument();
    doc->SetModifiedFlag(TRUE);
    slope->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    ASSERT_NE(dynamic_cast<COvPreviewView*>(frame->GetActiveView()), nullptr);

    static int questions;
    static bool previewAtQuestion;
    questions = 0;
    previewAtQuestion = false;
    AfxMessageBoxHook previous = AfxSetMessageBoxHook([](LPCSTR, UINT) {
        ++questions;
        previewAtQuestion = CPreviewView::ShownIn(frame) != nullptr;
        return IDCANCEL;
    });
    frame->SendMessage(WM_CLOSE);
    AfxSetMessageBoxHook(previous);
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(previewAtQuestion);
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_EQ(frame->GetActiveView(), nullptr);
    EXPECT_TRUE(::IsWindow(slope->m_hWnd));
    EXPECT_TRUE(slope->IsWindowVisible());
    doc->SetModifiedFlag(FALSE);
    app->CloseAllDocuments(FALSE);
    Idle();
}
