#include "app/MainFrame.h"

#include <algorithm>
#include <cfloat>
#include <memory>
#include <direct.h>

#include "app/DiscTimeDialog.h"
#include "app/DistributionStatsDlg.h"
#include "app/OvPreviewView.h"
#include "app/PageSetupDlg.h"
#include "app/DocumentLink.h"
#include "model/MainFrameServices.h"
#include "app/PageSetupDlg.h"
#include "app/ProgramMenu.h"
#include "app/PromptText.h"
#include "app/SplashWnd.h"
#include "app/TalusimApp.h"
#include "app/WorkingDirectory.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "model/InteractionModes.h"
#include "model/TalusimDoc.h"
#include "model/TalusimSlopeType.h"
#include "report/ReportViewerLink.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CToolBarSet, CWnd)
IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_NUM, ID_INDICATOR_SNAP, ID_INDICATOR_GRID, ID_INDICATOR_ROCKS,
                            ID_INDICATOR_COORDINATES};

CString LoadText(UINT id) {
    CString s;
    s.LoadString(id);
    return s;
}

// What the document asks of the frame, answered by this frame.
class CShellFrameServices final : public CMainFrameServices {
public:
    explicit CShellFrameServices(CMainFrame* frame) : m_frame(frame) {}
    void ToggleChartView(int kind, CEntity* object, bool show) override { m_frame->ToggleChartView(kind, object, show); }
    void FocusCommandLine() override { m_frame->FocusCommandLine(); }
    CString GetPromptText(int code) override { return ::GetPromptText(code); }
    void SetPrompt(LPCSTR text) override { m_frame->SetPrompt(text); }
    CRuntimeClass* GetPreviewViewClass() override { return RUNTIME_CLASS(COvPreviewView); }
    CView* ActiveChildView() override { return ::ActiveChildView(); }
    void InvalidateStatusBar() override { m_frame->InvalidateStatusBar(); }
    void RefillMaterialCombo() override { m_frame->RefillMaterialCombo(); }
    void HideTimeStepDialogIfNoDocument() override { m_frame->HideTimeStepDialogIfNoDocument(); }
    CTalusimSlopeType* GetSelectedMaterial() override {
        return dynamic_cast<CTalusimSlopeType*>(m_frame->GetSelectedMaterial());
    }
    void RefreshTimeStepDialog(CTalusimDoc* document) override { m_frame->RefreshTimeStepDialog(document); }
    void ShowTimeStepDialog(CTalusimDoc* document) override { m_frame->ShowTimeStepDialog(document); }
    void ForgetTimeStepDocument(CTalusimDoc* document) override { m_frame->ForgetTimeStepDocument(document); }

    // The prompt line, status bar and print settings as the slope view uses them.
    bool GetTypedPoint(double& x, double& y, bool clear) override { return m_frame->GetTypedPoint(x, y, clear) != FALSE; }
    bool IsCommandLineEmpty() override { return m_frame->IsCommandLineEmpty() != FALSE; }
    void SetCommandLineActive(bool active) override { m_frame->SetCommandLineActive(active ? TRUE : FALSE); }
    void SetCursorCoordinates(double x, double y) override { m_frame->SetCursorCoordinates(x, y); }
    bool GetPrintMargins(double& left, double& top, double& right, double& bottom, bool& showOnPaper) override {
        auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
        if (app == nullptr) return false;
        left = app->m_pageSettings.m_dLeft;
        top = app->m_pageSettings.m_dTop;
        right = app->m_pageSettings.m_dRight;
        bottom = app->m_pageSettings.m_dBottom;
        showOnPaper = app->m_bPrintMargins > 0;
        return true;
    }
    void ValidatePageSettings() override {
        if (auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp())) {
            CPageSetupDlg::ReadPrinterPage(app->m_pageSettings);
            CPageSetupDlg::ClampMargins(app->m_pageSettings);
        }
    }
    bool LayoutTextPage(CDC* dc, RECT& page, bool drawFrame) override {
        auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
        if (app == nullptr || dc == nullptr) return false;
        // The same page as the slope view's printout, from the same settings.
        CPageMargins margins;
        margins.SetMargins(app->m_pageSettings.m_dTop, app->m_pageSettings.m_dLeft, app->m_pageSettings.m_dRight,
                           app->m_pageSettings.m_dBottom);
        margins.SetShowOnPaper(app->m_bPrintMargins > 0);
        const CRect rect = margins.GetPrintPageRect(dc);
        if (drawFrame) margins.DrawMarginFrame(dc, rect);
        page = rect;
        return true;
    }

    // Report windows.
    bool IsReportViewer(CView* view) override { return ReportViewerLink::IsReportViewer(view); }
    void ForceUpdateReportViewer(CView* view) override { ReportViewerLink::ForceUpdate(view); }
    void WriteAnalysisReport(CView* viewer, CTalusimDoc* document) override {
        ReportViewerLink::WriteAnalysisReport(viewer, document);
    }
    void OpenInfoViewer(CTalusimDoc* document) override {
        auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
        if (app == nullptr || app->m_pReportTemplate == nullptr || document == nullptr) return;
        if (CFrameWnd* frame = app->m_pReportTemplate->CreateNewFrame(document, nullptr))
            app->m_pReportTemplate->InitialUpdateFrame(frame, document, TRUE);
    }
    void DocumentWindowClosing(CDocument* document, CWnd* frame) override {
        if (m_frame->GetSafeHwnd() == nullptr) return;
        m_frame->DocumentWindowClosing(document, static_cast<CFrameWnd*>(frame));
        m_frame->PostMessage(WM_SHELL_DOCUMENT_CHANGED);
    }
    void DocumentWindowActivated() override {
        if (m_frame->GetSafeHwnd() != nullptr) m_frame->PostMessage(WM_SHELL_DOCUMENT_CHANGED);
    }

    void ShowDistributionStatistics(CTalusimDoc* document) override {
        m_frame->ShowDistributionStatistics(document);
        if (CDistStatsDlg* dlg = m_frame->m_pDistStatsDlg; dlg != nullptr && dlg->IsRolledUp()) dlg->Unroll();
    }
    bool StatisticsFollowView(CView* view) override {
        return m_frame->m_pDistStatsDlg != nullptr && m_frame->m_pDistStatsDlg->ShouldFollowView(view);
    }
    void SetStatisticsReport(CTalusimDoc* owner, LPCSTR text) override {
        CDistStatsDlg* dlg = m_frame->m_pDistStatsDlg;
        if (dlg == nullptr) return;
        dlg->SetClipboardDatabase(owner != nullptr ? owner->GetDatabase() : nullptr, owner);
        dlg->SetReportText(text);
        dlg->RefreshControls();
    }

private:
    CMainFrame* m_frame;
};

} // namespace

// ---- active view and document ----

CView* ActiveChildView() {
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return nullptr;
    CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(main)->MDIGetActive();
    return child != nullptr ? child->GetActiveView() : nullptr;
}

CDocument* ActiveChildDocument() {
    CView* view = ActiveChildView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

// ---- CToolBarSet ----

void CToolBarSet::AddToolBar(CToolBar* toolbar, UINT resourceId, UINT titleId, BYTE newRow) {
    m_entries.push_back(Entry{toolbar, resourceId, titleId, newRow});
}

int CToolBarSet::Create(CFrameWnd* parent) {
    for (const Entry& e : m_entries) {
        if (!e.toolbar->CreateEx(parent, TBSTYLE_FLAT,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                     CBRS_SIZE_DYNAMIC,
                                 CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
            !e.toolbar->LoadToolBar(e.resourceId))
            return -1;
        e.toolbar->SetBorders(2, 3, 2, 3);
        if (e.titleId != 0) e.toolbar->SetWindowText(LoadText(e.titleId));
    }
    return 0;
}

void CToolBarSet::Dock(CFrameWnd* frame) {
    CRect place(0, 0, 0, 0);
    int rows = 0;
    CRect frameRect;
    frame->GetWindowRect(&frameRect);
    for (const Entry& e : m_entries) {
        if (e.toolbar->GetSafeHwnd() == nullptr) continue;
        CRect client;
        e.toolbar->GetClientRect(&client);
        if (place.right + client.Width() > frameRect.right || e.newRow) {
            ++rows;
            CRect first;
            m_entries.front().toolbar->GetWindowRect(&first);
            place = first;
            place.OffsetRect(-1, rows * first.Height() + 1);
        }
        frame->DockControlBar(e.toolbar, AFX_IDW_DOCKBAR_TOP, &place);
        frame->RecalcLayout(TRUE);
        e.toolbar->GetWindowRect(&place);
        place.OffsetRect(1, 0);
    }
}

// ---- CMainFrame ----

CMainFrame::CMainFrame()
    : m_strRockCount(LoadText(ID_INDICATOR_ROCKS)), m_strCoordinates(LoadText(ID_INDICATOR_COORDINATES)),
      m_strSnapText(LoadText(ID_INDICATOR_SNAP)), m_strGridText(LoadText(ID_INDICATOR_GRID)) {
    m_wndStatusBar.SetGridPaneId(ID_INDICATOR_GRID);
    m_wndStatusBar.SetSnapPaneId(ID_INDICATOR_SNAP);
    m_wndStatusBar.SetNumPaneId(ID_INDICATOR_NUM);
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) { return CMDIFrameWnd::PreCreateWindow(cs); }

int CMainFrame::OnCreate(LPCREATESTRUCTA lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndMDIClient.SubclassWindow(m_hWndMDIClient)) return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0])))
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_toolBarSet.AddToolBar(&m_wndStandardBar, IDR_TOOLBAR_STANDARD, IDS_TOOLBAR_STANDARD, 0);
    m_toolBarSet.AddToolBar(&m_wndZoomBar, IDR_TOOLBAR_ZOOM, IDS_TOOLBAR_ZOOM, 0);
    m_toolBarSet.AddToolBar(&m_wndGeometryBar, IDR_TOOLBAR_GEOMETRY, IDS_TOOLBAR_GEOMETRY, 0);
    m_toolBarSet.AddToolBar(&m_wndMaterialsBar, IDR_TOOLBAR_MATERIALS, IDS_TOOLBAR_MATERIALS, 1);
    m_toolBarSet.AddToolBar(&m_wndGraphBar, IDR_TOOLBAR_GRAPH, IDS_TOOLBAR_GRAPH, 0);
    m_toolBarSet.AddToolBar(&m_wndToolsBar, IDR_TOOLBAR_TOOLS, IDS_TOOLBAR_TOOLS, 0);
    m_toolBarSet.Create(this);
    for (const auto& e : m_toolBarSet.Entries()) {
        if (e.toolbar->GetSafeHwnd() == nullptr) continue;
        e.toolbar->SetBarStyle(e.toolbar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        e.toolbar->EnableDocking(CBRS_ALIGN_ANY);
    }
    m_toolBarSet.Dock(this);
    m_wndPromptBar.Create(this, IDD_PROMPT_BAR, CBRS_BOTTOM, IDD_PROMPT_BAR);
    RecalcLayout(TRUE);
    ArrangePromptBar();
    SetPrompt("");
    if (!CreateMaterialCombo()) return -1;
    if (::GetSystemMetrics(SM_DBCSENABLED)) {
        m_fontMaterial.CreateStockObject(SYSTEM_FONT);
    } else {
        m_fontMaterial.CreateFont(-12, 0, 0, 0, 700, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    }
    m_comboMaterial.SetFont(&m_fontMaterial, TRUE);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    m_services = std::make_unique<CShellFrameServices>(this);
    InstallMainFrameServices(m_services.get());
    CSplashWnd::ShowSplash(this);
    return 0;
}

BOOL CMainFrame::CreateMaterialCombo() {
    if (m_wndMaterialsBar.GetSafeHwnd() == nullptr) return FALSE;
    int index = m_wndMaterialsBar.CommandToIndex(ID_MATERIAL_COMBO_PLACEHOLDER);
    if (index < 0) return FALSE;
    m_wndMaterialsBar.SetButtonInfo(index, ID_MATERIAL_COMBO_PLACEHOLDER, TBBS_SEPARATOR, 183);
    CRect rect;
    m_wndMaterialsBar.GetItemRect(index, &rect);
    rect.top = 2;
    rect.bottom = 2 + 200;
    if (!m_comboMaterial.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                    CBS_AUTOHSCROLL | CBS_SORT | CBS_HASSTRINGS,
                                rect, &m_wndMaterialsBar, IDC_MATERIAL_COMBO))
        return FALSE;
    m_comboMaterial.ShowWindow(SW_SHOW);
    m_comboMaterial.SetCurSel(m_comboMaterial.AddString("Select Material"));
    return TRUE;
}

// ---- menus ----

HMENU CMainFrame::BuildDocumentMenu() {
    return BuildProgramMenu(m_menuDocument, IDR_SLOPE_TEMPLATE);
}

HMENU CMainFrame::BuildDefaultMenu() {
    return BuildProgramMenu(m_menuDefault, IDR_MAINFRAME);
}

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
    if (lpMIS->CtlType == ODT_MENU && ::IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(lpMIS->itemID)))) {
        CMenu* menu = CMenu::FromHandle(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(lpMIS->itemID)));
        if (KsMenu::IsKsMenu(menu)) {
            m_menuDocument.MeasureItem(lpMIS);
            return;
        }
    }
    CMDIFrameWnd::OnMeasureItem(nIDCtl, lpMIS);
}

LRESULT CMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (KsMenu::IsKsMenu(pMenu)) return KsMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return Default();
}

void CMainFrame::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu) {
    CMDIFrameWnd::OnInitMenuPopup(pMenu, nIndex, bSysMenu);
    if (!bSysMenu && KsMenu::IsKsMenu(pMenu)) KsMenu::UpdateMenu(pMenu);
}

// ---- prompt line ----

void CMainFrame::SetPrompt(LPCSTR text) {
    m_strPrompt = text != nullptr ? text : "";
    if (m_wndPromptBar.GetSafeHwnd() == nullptr) return;
    if (CWnd* stat = m_wndPromptBar.GetDlgItem(IDC_PROMPT_TEXT)) {
        stat->SetWindowText(m_strPrompt);
        stat->Invalidate();
    }
}

void CMainFrame::FocusCommandLine() {
    if (!m_bCommandLineActive || m_wndPromptBar.GetSafeHwnd() == nullptr) return;
    HWND edit = ::GetDlgItem(m_wndPromptBar.m_hWnd, IDC_COMMAND_LINE);
    if (edit != nullptr && ::GetFocus() != edit) ::SetFocus(edit);
}

BOOL CMainFrame::GetTypedPoint(double& x, double& y, BOOL clear) {
    if (m_wndPromptBar.GetSafeHwnd() == nullptr) return FALSE;
    CString text;
    m_wndPromptBar.GetDlgItemText(IDC_COMMAND_LINE, text);
    if (!ParsePoint(text, x, y)) return FALSE;
    if (clear) m_wndPromptBar.SetDlgItemText(IDC_COMMAND_LINE, "");
    return TRUE;
}

BOOL CMainFrame::IsCommandLineEmpty() {
    if (m_wndPromptBar.GetSafeHwnd() == nullptr) return TRUE;
    return ::GetWindowTextLengthA(::GetDlgItem(m_wndPromptBar.m_hWnd, IDC_COMMAND_LINE)) == 0;
}

void CMainFrame::ArrangePromptBar() {
    if (m_wndPromptBar.GetSafeHwnd() == nullptr) return;
    CWnd* stat = m_wndPromptBar.GetDlgItem(IDC_PROMPT_TEXT);
    CWnd* edit = m_wndPromptBar.GetDlgItem(IDC_COMMAND_LINE);
    if (stat == nullptr || edit == nullptr) return;
    CRect bar, editRect, statRect;
    m_wndPromptBar.GetWindowRect(&bar);
    edit->GetWindowRect(&editRect);
    stat->GetWindowRect(&statRect);
    editRect.OffsetRect(bar.right - 18 - editRect.right, 0);
    statRect.OffsetRect(editRect.left - 20 - statRect.right, 0);
    m_wndPromptBar.ScreenToClient(&editRect);
    m_wndPromptBar.ScreenToClient(&statRect);
    // The prompt reads from the bar's left margin up to the command line, however
    // wide the frame: a prompt of fixed width would float in the middle of a wide bar
    // and lose its start on a narrow one.
    CRect margin(4, 0, 0, 0);
    ::MapDialogRect(m_wndPromptBar.m_hWnd, &margin);
    statRect.left = std::min(margin.left, statRect.right);
    edit->MoveWindow(&editRect, TRUE);
    stat->MoveWindow(&statRect, TRUE);
    m_wndPromptBar.Invalidate();
}

void CMainFrame::OnUpdatePrompt(CCmdUI* pCmdUI) { pCmdUI->SetText(m_strPrompt); }

void CMainFrame::OnCommandLineUpdate() {
    CWnd* edit = m_wndPromptBar.GetDlgItem(IDC_COMMAND_LINE);
    if (edit == nullptr) return;
    CDocument* doc = ActiveChildDocument();
    if (doc == nullptr) {
        if (edit->GetWindowTextLength() > 0) edit->SetWindowText("");
        return;
    }
    CString text;
    edit->GetWindowText(text);
    CView* view = ActiveChildView();
    bool done = false;
    if (text == "*" && ShellLink::IsSlopeView(view)) {
        ShellLink::SendViewEvent(view, 303);
        done = true;
    } else if ((text == "U" || text == "u") && ShellLink::IsSlopeView(view)) {
        ShellLink::SendViewEvent(view, 304);
        done = true;
    } else if (ShellLink::IsSlopeDocument(doc)) {
        int mode = (text == "G" || text == "g") ? 30 : (text == "V" || text == "v") ? 31 : (text == "N" || text == "n") ? 29 : 0;
        if (mode != 0) {
            ShellLink::SetSnapMode(doc, mode);
            done = true;
        }
    }
    if (done) edit->SetWindowText("");
}

void CMainFrame::OnPromptEnter() {
    CView* view = ActiveChildView();
    if (ShellLink::IsSlopeView(view) || ShellLink::IsGraphView(view)) ShellLink::SendViewEvent(view, 302);
}

void CMainFrame::OnPromptEscape() {
    CView* view = ActiveChildView();
    if (ShellLink::IsSlopeView(view) || ShellLink::IsGraphView(view)) ShellLink::SendViewEvent(view, 301);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    // The command line has the focus after every pick, and an edit keeps the
    // wheel to itself: the wheel is the frame's, which zooms the active view.
    if (pMsg->message == WM_MOUSEWHEEL && m_wndPromptBar.GetSafeHwnd() != nullptr &&
        pMsg->hwnd == ::GetDlgItem(m_wndPromptBar.m_hWnd, IDC_COMMAND_LINE)) {
        SendMessage(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
        CView* view = ActiveChildView();
        CDocument* doc = ActiveChildDocument();
        int mode = ShellLink::GetMode(doc);
        if (ShellLink::IsSlopeView(view)) {
            if ((mode == MODE_ELLIPSE_SECOND || mode == MODE_RECTANGLE_SECOND) && pMsg->wParam == VK_SHIFT) {
                ShellLink::SetToolActive(doc, pMsg->message == WM_KEYDOWN ? 1 : 0);
                view->Invalidate(TRUE);
            } else if (mode == MODE_EDIT_TOOL_SELECT && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE) {
                ShellLink::SendViewEvent(view, EVENT_DELETE);
            }
        } else if (ShellLink::IsGraphView(view) && mode == MODE_EDIT_TOOL_SELECT && pMsg->message == WM_KEYDOWN &&
                   pMsg->wParam == VK_DELETE) {
            ShellLink::SendViewEvent(view, EVENT_DELETE);
        }
    }
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

// ---- status bar ----

void CMainFrame::SetCursorCoordinates(double x, double y) {
    if (x == m_dCursorX && y == m_dCursorY) return;
    m_dCursorX = x;
    m_dCursorY = y;
    if (m_wndStatusBar.GetSafeHwnd() == nullptr) return;
    CRect r;
    m_wndStatusBar.GetItemRect(m_wndStatusBar.CommandToIndex(ID_INDICATOR_COORDINATES), &r);
    m_wndStatusBar.InvalidateRect(&r, TRUE);
}

void CMainFrame::InvalidateStatusBar() {
    if (m_wndStatusBar.GetSafeHwnd() == nullptr) return;
    // The panes take their texts now, as the idle update would give them.
    m_wndStatusBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    m_wndStatusBar.Invalidate(TRUE);
    m_wndStatusBar.UpdateWindow();
}

void CMainFrame::OnUpdateGridPane(CCmdUI* pCmdUI) {
    CDocument* doc = ActiveChildDocument();
    m_strGridText = LoadText(doc != nullptr && ShellLink::GetGridState(doc) == 73 ? ID_INDICATOR_GRID : IDS_BLANK);
    m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(pCmdUI->m_nID), m_strGridText, TRUE);
}

void CMainFrame::OnUpdateSnapPane(CCmdUI* pCmdUI) {
    CDocument* doc = ActiveChildDocument();
    UINT id = IDS_BLANK;
    switch (doc != nullptr ? ShellLink::GetSnapMode(doc) : -1) {
    case 29: id = IDS_NO_SNAPPING; break;
    case 30: id = IDS_GRID_SNAP; break;
    case 31: id = ID_INDICATOR_SNAP; break;
    default: break;
    }
    m_strSnapText = LoadText(id);
    m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(pCmdUI->m_nID), m_strSnapText, TRUE);
}

void CMainFrame::OnUpdateCoordinatesPane(CCmdUI* pCmdUI) {
    if (m_dCursorX == DBL_MAX && m_dCursorY == DBL_MAX) m_strCoordinates = LoadText(IDS_BLANK);
    else m_strCoordinates.Format("%.3f,%.3f", m_dCursorX, m_dCursorY);
    m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(pCmdUI->m_nID), m_strCoordinates, TRUE);
}

void CMainFrame::OnUpdateRockPane(CCmdUI* pCmdUI) {
    CDocument* doc = ActiveChildDocument();
    if (doc == nullptr) {
        m_strRockCount = LoadText(IDS_BLANK);
    } else {
        int n = ShellLink::CountEndPoints(doc);
        if (n > 1) m_strRockCount.Format("%d Rocks", n);
        else if (n == 1) m_strRockCount = "1 Rock";
        else m_strRockCount = "No Rocks";
    }
    m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(pCmdUI->m_nID), m_strRockCount, TRUE);
}

// ---- toolbars and the material combo ----

void CMainFrame::RearrangeToolbars() {
    m_toolBarSet.Dock(this);
    ShowWindow(SW_SHOW);
    // The bars moved the document windows' area: everything is drawn afresh.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CMainFrame::OnAutoArrange() { RearrangeToolbars(); }

namespace {
// The active document when its disc runs model spheres: the 3D view is theirs.
CTalusimDoc* DocumentFor3DView() {
    auto* doc = dynamic_cast<CTalusimDoc*>(ActiveChildDocument());
    return doc != nullptr && !doc->GetDiscParameters().Is2DSimulation() ? doc : nullptr;
}
} // namespace

void CMainFrame::On3DView() {
    auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
    CTalusimDoc* doc = DocumentFor3DView();
    if (app == nullptr || app->m_p3DTemplate == nullptr || doc == nullptr) return;
    if (CFrameWnd* frame = app->m_p3DTemplate->CreateNewFrame(doc, nullptr))
        app->m_p3DTemplate->InitialUpdateFrame(frame, doc, TRUE);
}

void CMainFrame::OnUpdate3DView(CCmdUI* pCmdUI) { pCmdUI->Enable(DocumentFor3DView() != nullptr); }

namespace {

CToolBar* ToolbarOfCommand(CMainFrame* f, UINT id) {
    switch (id) {
    case ID_VIEW_ZOOM_TOOLBAR: return &f->m_wndZoomBar;
    case ID_VIEW_GRAPH_TOOLBAR: return &f->m_wndGraphBar;
    case ID_VIEW_MATERIALS_TOOLBAR: return &f->m_wndMaterialsBar;
    case ID_VIEW_GEOMETRY_TOOLBAR: return &f->m_wndGeometryBar;
    case ID_VIEW_TOOLS_TOOLBAR: return &f->m_wndToolsBar;
    default: return nullptr;
    }
}

} // namespace

void CMainFrame::OnViewToolbar(UINT nID) {
    CToolBar* bar = ToolbarOfCommand(this, nID);
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr) return;
    ShowControlBar(bar, !bar->IsVisible(), FALSE);
    RecalcLayout(TRUE);
}

void CMainFrame::OnUpdateViewToolbar(CCmdUI* pCmdUI) {
    CToolBar* bar = ToolbarOfCommand(this, pCmdUI->m_nID);
    pCmdUI->SetCheck(bar != nullptr && bar->IsVisible());
}

void CMainFrame::ReleaseMaterialItems() {
    // Items that stand for materials point into a document: they go with it.
    for (int i = m_comboMaterial.GetCount() - 1; i >= 0; --i)
        if (m_comboMaterial.GetItemData(i) != 0) m_comboMaterial.DeleteString(static_cast<UINT>(i));
}

void CMainFrame::RefillMaterialCombo() {
    if (m_comboMaterial.GetSafeHwnd() == nullptr) return;
    CDocument* doc = ActiveChildDocument();
    if (doc == nullptr) {
        ReleaseMaterialItems();
        bool hasError = false;
        for (int i = 0; i < m_comboMaterial.GetCount() && !hasError; ++i) {
            CString text;
            m_comboMaterial.GetLBText(i, text);
            hasError = text == "Error";
        }
        if (!hasError) m_comboMaterial.AddString("Error");
        return;
    }
    CEntity* remembered = GetSelectedMaterial();
    m_comboMaterial.ResetContent();
    for (CEntity* material : ShellLink::GetMaterials(doc)) {
        int i = m_comboMaterial.AddString(SwatchEntityName(material));
        if (i >= 0) m_comboMaterial.SetItemData(i, reinterpret_cast<DWORD_PTR>(material));
    }
    int select = 0;
    for (int i = 0; i < m_comboMaterial.GetCount(); ++i)
        if (remembered != nullptr && reinterpret_cast<CEntity*>(m_comboMaterial.GetItemData(i)) == remembered) select = i;
    m_comboMaterial.SetCurSel(select);
    FitMaterialList();
}

void CMainFrame::FitMaterialList() {
    // The list drops open wide enough for the longest name beside its swatch,
    // never narrower than the box.
    CClientDC dc(&m_comboMaterial);
    CFont* old = dc.SelectObject(m_comboMaterial.GetFont());
    int widest = 0;
    for (int i = 0; i < m_comboMaterial.GetCount(); ++i) {
        CString text;
        m_comboMaterial.GetLBText(i, text);
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(text).cx));
    }
    dc.SelectObject(old);
    CRect box;
    m_comboMaterial.GetWindowRect(&box);
    const int wanted = CSwatchComboBox::kTextLeft + widest + 8 + ::GetSystemMetrics(SM_CXVSCROLL);
    m_comboMaterial.SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(std::max(wanted, box.Width())));
}

CEntity* CMainFrame::GetSelectedMaterial() {
    if (m_comboMaterial.GetSafeHwnd() == nullptr) return nullptr;
    int sel = m_comboMaterial.GetCurSel();
    if (sel < 0) return nullptr;
    DWORD_PTR data = m_comboMaterial.GetItemData(sel);
    return data == static_cast<DWORD_PTR>(CB_ERR) ? nullptr : reinterpret_cast<CEntity*>(data);
}

LRESULT CMainFrame::OnDocumentChanged(WPARAM, LPARAM) {
    if (ActiveChildDocument() == nullptr) ReleaseMaterialItems();
    else RefillMaterialCombo();
    return 0;
}

void CMainFrame::OnMaterialSetFocus() { RefillMaterialCombo(); }

void CMainFrame::OnMaterialSelChange() {
    CDocument* doc = ActiveChildDocument();
    if (doc != nullptr && ShellLink::GetSlopeVertexCount(doc) >= 2 && ShellLink::GetMode(doc) == MODE_IDLE)
        ShellLink::SetMode(doc, MODE_ASSIGN_MATERIAL);
}

void CMainFrame::OnUpdateMaterialCombo(CCmdUI* pCmdUI) { pCmdUI->Enable(ShellLink::IsSlopeView(ActiveChildView())); }

// ---- graph views and tool windows ----

void CMainFrame::ToggleChartView(int kind, CEntity* object, BOOL bShow) {
    const ShellLink::GraphViewLink& link = ShellLink::GraphView();
    auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
    CDocument* doc = ActiveChildDocument();
    if (doc == nullptr || app == nullptr || link.viewClass == nullptr || link.isShowing == nullptr ||
        link.setGraph == nullptr)
        return;
    // The first graph view of the document that shows this graph.
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;) {
        CView* view = doc->GetNextView(pos);
        if (!view->IsKindOf(link.viewClass) || !link.isShowing(view, kind, object)) continue;
        CFrameWnd* frame = view->GetParentFrame();
        if (bShow) {
            if (frame != nullptr) frame->ActivateFrame(-1);
        } else if (frame != nullptr) {
            frame->DestroyWindow();
        }
        return;
    }
    if (!bShow) return;
    CMultiDocTemplate* graphTemplate = app->GetGraphTemplate();
    if (graphTemplate == nullptr) return;
    CFrameWnd* frame = graphTemplate->CreateNewFrame(doc, nullptr);
    if (frame == nullptr) return;
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;) {
        CView* view = doc->GetNextView(pos);
        if (view->IsKindOf(link.viewClass) && link.isShowing(view, -1, nullptr)) link.setGraph(view, kind, object);
    }
    graphTemplate->InitialUpdateFrame(frame, doc, TRUE);
}

void CMainFrame::ShowDistributionStatistics(CDocument* doc) {
    if (m_pDistStatsDlg == nullptr) {
        auto* dlg = new CDistStatsDlg(doc);
        if (!dlg->Create(IDD_DISTRIBUTION_STATISTICS, this)) {
            delete dlg;
            return;
        }
        CRect r;
        dlg->GetWindowRect(&r);
        dlg->SetFullHeight(r.Height());
        dlg->SetRolledUpHeight(30);
        m_pDistStatsDlg = dlg;
    } else {
        m_pDistStatsDlg->SetFocus();
    }
}

void CMainFrame::ShowTimeStepDialog(CDocument* doc) {
    if (m_pTimeStepDlg == nullptr) {
        auto* dlg = new CDiscTimedlg(nullptr);
        if (!dlg->Create()) {
            delete dlg;
            return;
        }
        dlg->SetDocument(doc);
        CRect r;
        dlg->GetWindowRect(&r);
        dlg->SetFullHeight(r.Height());
        dlg->SetRolledUpHeight(28);
        dlg->SetSeparator(0);
        dlg->SetLowGrip(1);
        m_pTimeStepDlg = dlg;
    }
    m_pTimeStepDlg->SetDocument(doc);
    m_pTimeStepDlg->ShowWindow(SW_SHOW);
}

void CMainFrame::RefreshTimeStepDialog(CDocument* doc) {
    if (m_pTimeStepDlg != nullptr) m_pTimeStepDlg->SetDocument(doc);
}

void CMainFrame::ForgetTimeStepDocument(CDocument* doc) {
    if (m_pTimeStepDlg != nullptr && m_pTimeStepDlg->GetDocument() == doc) m_pTimeStepDlg->SetDocument(nullptr);
}

void CMainFrame::HideTimeStepDialogIfNoDocument() {
    auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
    if (app == nullptr || app->m_pSlopeTemplate == nullptr || m_pTimeStepDlg == nullptr) return;
    POSITION pos = app->m_pSlopeTemplate->GetFirstDocPosition();
    if (pos != nullptr) app->m_pSlopeTemplate->GetNextDoc(pos);
    if (pos == nullptr) m_pTimeStepDlg->ShowWindow(SW_HIDE);
}

// ---- other messages ----

void CMainFrame::OnSize(UINT nType, int cx, int cy) {
    CMDIFrameWnd::OnSize(nType, cx, cy);
    ArrangePromptBar();
}

void CMainFrame::OnClose() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pMainWnd != this) {
        CMDIFrameWnd::OnClose();
        return;
    }
    // Not under a modal dialog or running work (the close waits for it to
    // end), and not behind a print preview (which ends first).
    if (!BeginMainWindowClose()) return;
    // The save questions come first: a close the user cancels leaves the
    // statistics and time-step windows open, and drops an updater that was
    // waiting for the program to close.
    if (!app->SaveAllModified()) {
        CWebUpdateClient::DropPendingUpdater();
        return;
    }
    StoreWorkingDirectory();
    if (m_pDistStatsDlg != nullptr) m_pDistStatsDlg->DestroyWindow();
    m_pDistStatsDlg = nullptr;
    if (m_pTimeStepDlg != nullptr) m_pTimeStepDlg->DestroyWindow();
    m_pTimeStepDlg = nullptr;
    // What the library's close does once everything is saved or let go.
    app->CloseAllDocuments(FALSE);
    if (m_hWnd != nullptr) DestroyWindow();
}

void CMainFrame::OnDestroy() {
    if (m_services != nullptr && &MainFrameServices() == m_services.get()) InstallMainFrameServices(nullptr);
    CMDIFrameWnd::OnDestroy();
}

void CMainFrame::DocumentWindowClosing(CDocument* doc, CFrameWnd* closing) {
    if (doc == nullptr || m_pDistStatsDlg == nullptr) return;
    // The document goes with its last window: the statistics window lets go of it.
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;) {
        CView* view = doc->GetNextView(pos);
        if (view->GetParentFrame() != closing) return;
    }
    m_pDistStatsDlg->DocumentClosing(doc);
}

void CMainFrame::OnSettingChange(UINT, LPCSTR) {
    Default();
    if (CDocument* doc = ActiveChildDocument()) ShellLink::ResetDrawCache(doc);
}

BOOL CMainFrame::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    CView* view = ActiveChildView();
    if (ShellLink::IsSlopeView(view)) ShellLink::ForwardMouseWheel(view, nFlags, zDelta, pt);
    return TRUE;
}

BOOL CMainFrame::OnHelpInfo(HELPINFO*) { return TRUE; }

LRESULT CMainFrame::OnPageSetupResult(WPARAM wParam, LPARAM) {
    auto* app = dynamic_cast<CTalusimApp*>(AfxGetApp());
    auto* source = reinterpret_cast<CPageSetupResult*>(wParam);
    if (app != nullptr && source != nullptr) {
        app->m_pageSettings = source->settings;
        app->m_bPrintMargins = source->printMargins;
    }
    // The frame and every window inside it (the open documents' views) draw
    // again: margins and paper show in what they draw, and a frame repaint
    // alone leaves the views as they were, grey where the dialog covered them.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 1;
}

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETTINGCHANGE()
    ON_WM_MOUSEWHEEL()
    ON_WM_HELPINFO()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_PAGE_SETUP_RESULT, OnPageSetupResult)
    ON_MESSAGE(WM_SHELL_DOCUMENT_CHANGED, OnDocumentChanged)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_RANGE(ID_VIEW_ZOOM_TOOLBAR, ID_VIEW_ZOOM_TOOLBAR, OnViewToolbar)
    ON_COMMAND_RANGE(ID_VIEW_GRAPH_TOOLBAR, ID_VIEW_GRAPH_TOOLBAR, OnViewToolbar)
    ON_COMMAND_RANGE(ID_VIEW_MATERIALS_TOOLBAR, ID_VIEW_MATERIALS_TOOLBAR, OnViewToolbar)
    ON_COMMAND_RANGE(ID_VIEW_GEOMETRY_TOOLBAR, ID_VIEW_GEOMETRY_TOOLBAR, OnViewToolbar)
    ON_COMMAND_RANGE(ID_VIEW_TOOLS_TOOLBAR, ID_VIEW_TOOLS_TOOLBAR, OnViewToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_TOOLBAR, OnUpdateViewToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRAPH_TOOLBAR, OnUpdateViewToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_MATERIALS_TOOLBAR, OnUpdateViewToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GEOMETRY_TOOLBAR, OnUpdateViewToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLS_TOOLBAR, OnUpdateViewToolbar)
    ON_COMMAND(ID_VIEW_AUTO_ARRANGE, OnAutoArrange)
    ON_COMMAND(ID_VIEW_3D, On3DView)
    ON_UPDATE_COMMAND_UI(ID_VIEW_3D, OnUpdate3DView)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_GRID, OnUpdateGridPane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SNAP, OnUpdateSnapPane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_COORDINATES, OnUpdateCoordinatesPane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_ROCKS, OnUpdateRockPane)
    ON_UPDATE_COMMAND_UI(IDC_PROMPT_TEXT, OnUpdatePrompt)
    ON_UPDATE_COMMAND_UI(IDC_MATERIAL_COMBO, OnUpdateMaterialCombo)
    ON_CBN_SETFOCUS(IDC_MATERIAL_COMBO, OnMaterialSetFocus)
    ON_CBN_SELCHANGE(IDC_MATERIAL_COMBO, OnMaterialSelChange)
    ON_EN_UPDATE(IDC_COMMAND_LINE, OnCommandLineUpdate)
    ON_EN_KILLFOCUS(IDC_COMMAND_LINE, OnCommandLineKillFocus)
    ON_COMMAND(IDOK, OnPromptEnter)
    ON_COMMAND(IDCANCEL, OnPromptEscape)
END_MESSAGE_MAP()
