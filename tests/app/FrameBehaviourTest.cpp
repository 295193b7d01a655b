// What the user does with the frame: menus that follow the open documents,
// update handlers on menus and toolbars, the prompt line, the status bar, the
// material combo, the splash window and the tool windows.
#include <algorithm>
#include <cfloat>
#include <vector>

#include "ShellFixture.h"
#include "app/DistributionStatsDlg.h"
#include "app/DocumentLink.h"
#include "controls/GLEnabledView.h"
#include "model/TalusimDoc.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"

namespace {

CString PaneText(CMainFrame* f, UINT id) {
    return f->m_wndStatusBar.GetPaneText(f->m_wndStatusBar.CommandToIndex(id));
}

// The popup of the menu bar that holds the command, prepared as when the user opens it.
HMENU OpenPopupWith(CMainFrame* f, UINT id) {
    HMENU bar = ::GetMenu(f->m_hWnd);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        HMENU popup = ::GetSubMenu(bar, i);
        if (popup != nullptr && ::GetMenuState(popup, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            f->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
            // A command inside a nested popup: prepare that one too.
            for (int j = 0; j < ::GetMenuItemCount(popup); ++j)
                if (HMENU sub = ::GetSubMenu(popup, j); sub != nullptr &&
                    ::GetMenuState(sub, id, MF_BYCOMMAND) != static_cast<UINT>(-1))
                    f->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), j);
            return popup;
        }
    }
    return nullptr;
}

HWND CommandLine(CMainFrame* f) { return ::GetDlgItem(f->m_wndPromptBar.m_hWnd, IDC_COMMAND_LINE); }

} // namespace

class FrameBehaviour : public ShellTest {
protected:
    void SetUp() override {
        // Every case starts with one new document open.
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        PumpPending();
        app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        Idle();
    }
};

TEST_F(FrameBehaviour, MenusSwitchBetweenTheDocumentsAndTheFramesOwn) {
    HMENU withDocument = ::GetMenu(frame->m_hWnd);
    EXPECT_EQ(withDocument, app->m_pSlopeTemplate->m_hMenuShared);
    // The menu bar is drawn by the system; its popups are the program's.
    EXPECT_FALSE(KsMenu::IsKsMenu(CMenu::FromHandle(withDocument)));
    HMENU file = OpenPopupWith(frame, ID_FILE_SAVE);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(KsMenu::IsKsMenu(CMenu::FromHandle(file)));
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(file, ID_FILE_SAVE, FALSE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);

    app->CloseAllDocuments(FALSE);
    Idle();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
    EXPECT_EQ(::GetMenuState(::GetMenu(frame->m_hWnd), ID_FILE_SAVE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(FrameBehaviour, UpdateHandlersEnableAndCheckMenuItemsAndButtons) {
    HMENU help = OpenPopupWith(frame, ID_APP_ABOUT);
    ASSERT_NE(help, nullptr);
    // Commands with a handler are enabled.
    EXPECT_FALSE(::GetMenuState(help, ID_APP_ABOUT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(help, ID_HELP_CHECK_PRODUCT_UPDATES, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(help, ID_HELP_TUTORIAL_MANUAL, MF_BYCOMMAND) & MF_GRAYED);
    HMENU file = OpenPopupWith(frame, ID_FILE_NEW);
    EXPECT_FALSE(::GetMenuState(file, ID_FILE_NEW, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(file, ID_FILE_PAGE_SETUP, MF_BYCOMMAND) & MF_GRAYED);

    // 3D View belongs to disc runs in three dimensions: grey while they are
    // two-dimensional (the default), and then it opens the document's 3D window.
    HMENU slopeView = OpenPopupWith(frame, ID_VIEW_3D);
    ASSERT_NE(slopeView, nullptr);
    EXPECT_TRUE(::GetMenuState(slopeView, ID_VIEW_3D, MF_BYCOMMAND) & MF_GRAYED);
    auto* doc = dynamic_cast<CTalusimDoc*>(ActiveChildDocument());
    ASSERT_NE(doc, nullptr);
    doc->GetDiscParameters().Set2DSimulation(false);
    slopeView = OpenPopupWith(frame, ID_VIEW_3D);
    EXPECT_FALSE(::GetMenuState(slopeView, ID_VIEW_3D, MF_BYCOMMAND) & MF_GRAYED);
    frame->SendMessage(WM_COMMAND, ID_VIEW_3D);
    Idle();
    int views3D = 0;
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;)
        views3D += doc->GetNextView(pos)->IsKindOf(RUNTIME_CLASS(CGLEnabledView)) ? 1 : 0;
    EXPECT_EQ(views3D, 1);
    doc->GetDiscParameters().Set2DSimulation(true);

    // Toolbar items are checked while their toolbar shows.
    HMENU view = OpenPopupWith(frame, ID_VIEW_ZOOM_TOOLBAR);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(::GetMenuState(view, ID_VIEW_ZOOM_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(view, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    frame->SendMessage(WM_COMMAND, ID_VIEW_ZOOM_TOOLBAR);
    EXPECT_FALSE(frame->m_wndZoomBar.IsVisible());
    OpenPopupWith(frame, ID_VIEW_ZOOM_TOOLBAR);
    EXPECT_FALSE(::GetMenuState(view, ID_VIEW_ZOOM_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    frame->SendMessage(WM_COMMAND, ID_VIEW_ZOOM_TOOLBAR);
    EXPECT_TRUE(frame->m_wndZoomBar.IsVisible());
    // The Standard toolbar's item is the library's: it hides that bar and no other.
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->m_wndStandardBar.IsVisible());
    EXPECT_TRUE(frame->m_wndZoomBar.IsVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame->m_wndStandardBar.IsVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame->m_wndStatusBar.IsVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame->m_wndStatusBar.IsVisible());

    // Buttons follow the same handlers on idle.
    Idle();
    CToolBar& standard = frame->m_wndStandardBar;
    EXPECT_FALSE(standard.GetButtonStyle(standard.CommandToIndex(ID_APP_ABOUT)) & TBBS_DISABLED);
    EXPECT_FALSE(standard.GetButtonStyle(standard.CommandToIndex(ID_FILE_NEW)) & TBBS_DISABLED);
}

TEST_F(FrameBehaviour, CommandLineGivesTypedPointsAndKeepsWhatIsNoCommand) {
    // The idle update leaves the command line open for typing.
    EXPECT_TRUE(::IsWindowEnabled(CommandLine(frame)));
    ::SetWindowTextA(CommandLine(frame), "12.5,-3");
    double x = 0, y = 0;
    EXPECT_TRUE(frame->GetTypedPoint(x, y, FALSE));
    EXPECT_DOUBLE_EQ(x, 12.5);
    EXPECT_DOUBLE_EQ(y, -3);
    EXPECT_FALSE(frame->IsCommandLineEmpty());
    EXPECT_TRUE(frame->GetTypedPoint(x, y, TRUE));
    EXPECT_TRUE(frame->IsCommandLineEmpty());

    ::SetWindowTextA(CommandLine(frame), "1e3,2x");
    x = y = 5;
    EXPECT_FALSE(frame->GetTypedPoint(x, y, TRUE));
    EXPECT_EQ(x, 5);
    EXPECT_FALSE(frame->IsCommandLineEmpty());

    // A star in a slope window selects and goes.
    ::SetWindowTextA(CommandLine(frame), "*");
    EXPECT_TRUE(frame->IsCommandLineEmpty());

    // Without a document, typing clears the line at once.
    app->CloseAllDocuments(FALSE);
    Idle();
    ::SetWindowTextA(CommandLine(frame), "g");
    EXPECT_TRUE(frame->IsCommandLineEmpty());
}

TEST_F(FrameBehaviour, PromptShowsTheTextSetForIt) {
    frame->SetPrompt("Pick first corner of window [enter]");
    char text[128] = {};
    ::GetDlgItemTextA(frame->m_wndPromptBar.m_hWnd, IDC_PROMPT_TEXT, text, sizeof(text));
    EXPECT_STREQ(text, "Pick first corner of window [enter]");
    EXPECT_STREQ(frame->m_strPrompt, "Pick first corner of window [enter]");
}

TEST_F(FrameBehaviour, StatusPanesShowTheDocumentsSnapGridAndRocks) {
    CDocument* doc = ActiveChildDocument();
    ASSERT_TRUE(ShellLink::IsSlopeDocument(doc));
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_ROCKS), "No Rocks");
    const struct {
        int mode;
        const char* text;
    } snaps[] = {{29, "NO SNAPPING"}, {30, "GRID SNAP"}, {31, "VERTEX SNAP"}};
    for (const auto& s : snaps) {
        ShellLink::SetSnapMode(doc, s.mode);
        Idle();
        EXPECT_STREQ(PaneText(frame, ID_INDICATOR_SNAP), s.text);
    }
    if (ShellLink::GetGridState(doc) == 73) ShellLink::ToggleGrid(doc);
    Idle();
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_GRID), "\t");
    ShellLink::ToggleGrid(doc);
    Idle();
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_GRID), "GRID");
    app->CloseAllDocuments(FALSE);
    Idle();
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_ROCKS), "\t");
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_SNAP), "\t");
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_GRID), "\t");
}

TEST_F(FrameBehaviour, SnapAndGridPanesAreButtons) {
    CDocument* doc = ActiveChildDocument();
    auto click = [](UINT id, UINT message) {
        CRect r;
        frame->m_wndStatusBar.GetItemRect(frame->m_wndStatusBar.CommandToIndex(id), &r);
        frame->m_wndStatusBar.SendMessage(message, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
        frame->m_wndStatusBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
        Idle();
    };
    ShellLink::SetSnapMode(doc, 29);
    click(ID_INDICATOR_SNAP, WM_LBUTTONDOWN);
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_SNAP), "GRID SNAP");
    click(ID_INDICATOR_SNAP, WM_LBUTTONDOWN);
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_SNAP), "VERTEX SNAP");
    int grid = ShellLink::GetGridState(doc);
    click(ID_INDICATOR_GRID, WM_LBUTTONDOWN);
    EXPECT_NE(ShellLink::GetGridState(doc), grid);
    // A double click arrives after a button-down: it toggles once more.
    click(ID_INDICATOR_GRID, WM_LBUTTONDBLCLK);
    EXPECT_EQ(ShellLink::GetGridState(doc), grid);
}

TEST_F(FrameBehaviour, OneLetterCommandsSetTheSnapModeAtOnce) {
    CDocument* doc = ActiveChildDocument();
    ShellLink::SetSnapMode(doc, 29);
    ::SetWindowTextA(CommandLine(frame), "g");
    EXPECT_EQ(ShellLink::GetSnapMode(doc), 30);
    EXPECT_TRUE(frame->IsCommandLineEmpty());
    ::SetWindowTextA(CommandLine(frame), "V");
    EXPECT_EQ(ShellLink::GetSnapMode(doc), 31);
    ::SetWindowTextA(CommandLine(frame), "n");
    EXPECT_EQ(ShellLink::GetSnapMode(doc), 29);
    ::SetWindowTextA(CommandLine(frame), "gg");
    EXPECT_EQ(ShellLink::GetSnapMode(doc), 29);
    EXPECT_FALSE(frame->IsCommandLineEmpty());
    ::SetWindowTextA(CommandLine(frame), "");
}

TEST_F(FrameBehaviour, MaterialComboListsTheDocumentsMaterialsAndKeepsTheChoice) {
    CDocument* doc = ActiveChildDocument();
    std::vector<CEntity*> materials = ShellLink::GetMaterials(doc);
    ASSERT_FALSE(materials.empty());
    frame->RefillMaterialCombo();
    ASSERT_EQ(frame->m_comboMaterial.GetCount(), static_cast<int>(materials.size()));
    // The list drops open wide enough for every name beside its swatch.
    {
        CClientDC dc(&frame->m_comboMaterial);
        CFont* old = dc.SelectObject(frame->m_comboMaterial.GetFont());
        int widest = 0;
        for (CEntity* m : materials) widest = std::max(widest, static_cast<int>(dc.GetTextExtent(SwatchEntityName(m)).cx));
        dc.SelectObject(old);
        CRect box;
        frame->m_comboMaterial.GetWindowRect(&box);
        ASSERT_GT(CSwatchComboBox::kTextLeft + widest, box.Width()) << "the default names fit the box anyway";
        EXPECT_GE(static_cast<int>(frame->m_comboMaterial.SendMessage(CB_GETDROPPEDWIDTH)),
                  CSwatchComboBox::kTextLeft + widest);
    }
    // The list is sorted; choose the last material and refill.
    CEntity* chosen = materials.back();
    for (int i = 0; i < frame->m_comboMaterial.GetCount(); ++i)
        if (reinterpret_cast<CEntity*>(frame->m_comboMaterial.GetItemData(i)) == chosen) frame->m_comboMaterial.SetCurSel(i);
    EXPECT_EQ(frame->GetSelectedMaterial(), chosen);
    frame->RefillMaterialCombo();
    EXPECT_EQ(frame->GetSelectedMaterial(), chosen);
    // Choosing a material with fewer than two slope vertices leaves the mode alone.
    int mode = ShellLink::GetMode(doc);
    if (ShellLink::GetSlopeVertexCount(doc) < 2) {
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MATERIAL_COMBO, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(frame->m_comboMaterial.m_hWnd));
        EXPECT_EQ(ShellLink::GetMode(doc), mode);
    }
    // When the document goes, so do its materials.
    app->CloseAllDocuments(FALSE);
    Idle();
    for (int i = 0; i < frame->m_comboMaterial.GetCount(); ++i) EXPECT_EQ(frame->m_comboMaterial.GetItemData(i), 0u);
    EXPECT_EQ(frame->GetSelectedMaterial(), nullptr);
}

TEST_F(FrameBehaviour, MaterialComboNeverKeepsItemsOfAClosedDocumentNorRepeatsError) {
    app->CloseAllDocuments(FALSE);
    Idle();
    frame->RefillMaterialCombo();
    frame->RefillMaterialCombo();
    int errors = 0;
    for (int i = 0; i < frame->m_comboMaterial.GetCount(); ++i) {
        CString text;
        frame->m_comboMaterial.GetLBText(i, text);
        if (text == "Error") ++errors;
        EXPECT_EQ(frame->m_comboMaterial.GetItemData(i), 0u);
    }
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(frame->GetSelectedMaterial(), nullptr);
    // The combo works only for a slope view.
    Idle();
    EXPECT_FALSE(frame->m_comboMaterial.IsWindowEnabled());
}

TEST_F(FrameBehaviour, SplashGoesAtTheFirstKeyWhichGoesNoFurtherOrAfterItsTime) {
    CSplashWnd::EnableSplash(TRUE);
    CSplashWnd::ShowSplash(frame);
    ASSERT_NE(CSplashWnd::GetSplash(), nullptr);
    MSG move{frame->m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(app->PreTranslateMessage(&move));
    EXPECT_NE(CSplashWnd::GetSplash(), nullptr);
    MSG key{frame->m_hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_TRUE(app->PreTranslateMessage(&key));
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    EXPECT_FALSE(CSplashWnd::FilterAppMessage(&key));
    // Left alone, it goes by itself after two and a half seconds.
    CSplashWnd::ShowSplash(frame);
    ASSERT_NE(CSplashWnd::GetSplash(), nullptr);
    const DWORD shown = ::GetTickCount();
    while (CSplashWnd::GetSplash() != nullptr && ::GetTickCount() - shown < 5000) {
        PumpPending();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    EXPECT_GE(::GetTickCount() - shown, 2400u);
    // Without the command line's consent there is none.
    CSplashWnd::EnableSplash(FALSE);
    CSplashWnd::ShowSplash(frame);
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
}

TEST_F(FrameBehaviour, DistributionStatisticsWindowIsMadeOnceAndAgainAfterClosing) {
    frame->ShowDistributionStatistics(nullptr);
    CDistStatsDlg* first = frame->m_pDistStatsDlg;
    ASSERT_NE(first, nullptr);
    CString caption;
    first->GetWindowText(caption);
    EXPECT_STREQ(caption, "Distribution Statistics");
    frame->ShowDistributionStatistics(nullptr);
    EXPECT_EQ(frame->m_pDistStatsDlg, first);
    // Copy without a database does nothing; a closing document lets go of its database.
    CDocument* doc = frame->MDIGetActive()->GetActiveDocument();
    first->SetClipboardDatabase(reinterpret_cast<CREGDatabase*>(0x10), doc);
    app->CloseAllDocuments(FALSE);
    Idle();
    EXPECT_EQ(frame->m_pDistStatsDlg->m_pClipboardDatabase, nullptr);
    first->SendMessage(WM_COMMAND, IDOK);
    PumpPending();
    EXPECT_EQ(frame->m_pDistStatsDlg, nullptr);
    frame->ShowDistributionStatistics(nullptr);
    EXPECT_NE(frame->m_pDistStatsDlg, nullptr);
    frame->m_pDistStatsDlg->DestroyWindow();
    EXPECT_EQ(frame->m_pDistStatsDlg, nullptr);
}

TEST_F(FrameBehaviour, ChildFrameIsTitledByItsDocumentAndView) {
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CDocument* doc = child->GetActiveDocument();
    CView* view = child->GetActiveView();
    CString title, viewText;
    view->GetWindowText(viewText);
    ASSERT_FALSE(viewText.IsEmpty());
    child->GetWindowText(title);
    EXPECT_EQ(title, doc->GetTitle() + ":" + viewText);
    doc->SetModifiedFlag(TRUE);
    child->OnUpdateFrameTitle(TRUE);
    child->GetWindowText(title);
    EXPECT_EQ(title, doc->GetTitle() + ":" + viewText + "*");
    // A view without a text of its own leaves the document's title alone.
    view->SetWindowText("");
    child->OnUpdateFrameTitle(TRUE);
    child->GetWindowText(title);
    EXPECT_EQ(title, doc->GetTitle() + "*");
    doc->SetModifiedFlag(FALSE);
    view->SetWindowText(viewText);
}
