// The graph window's own commands: its right-click menu, its tooltip, Chart
// Properties and the state of the commands it answers for the document.
#include "GraphWindowSupport.h"

#include <commctrl.h>

#include <functional>
#include <string>

#include "framework/Menu.h"
#include "graphs/GraphChart.h"
#include "model/InteractionModes.h"
#include "res/dialogs-graphs.h"
#include "res/resource.h"
#include "support/WhenShown.h"

namespace {

// What an update handler made of a command.
struct RecordedCmdUI : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};

RecordedCmdUI StateOf(CCmdTarget* target, UINT id)
{
    RecordedCmdUI ui;
    ui.m_nID = id;
    ui.DoUpdate(target, FALSE);
    return ui;
}

// A menu item's state: -1 absent, else its MF_ flags.
int ItemState(HMENU menu, UINT id)
{
    return static_cast<int>(::GetMenuState(menu, id, MF_BYCOMMAND));
}

HWND FindDialog(const char* caption)
{
    HWND found = nullptr;
    for (HWND w = ::FindWindowA("#32770", caption); w != nullptr; w = nullptr)
        if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId())
            found = w;
    return found;
}

void Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Press(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

std::string Text(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class GraphCommandsTest : public GraphWindowTest
{
protected:
    // The menu a right click at a client point shows, with its items' states,
    // closed again at once.
    struct ShownMenu {
        bool shown = false;
        int split = -1, grayscale = -1, markers = -1, properties = -1, statistics = -1, cancel = -1, noSnap = -1,
            editCollector = -1;
    };
    ShownMenu RightClick(CTalusimOlectraView* view, CPoint client)
    {
        ShownMenu m;
        WhenShown close([&] {
            HMENU menu = AfxGetTrackingMenu();
            m.shown = menu != nullptr;
            if (menu) {
                m.split = ItemState(menu, ID_GRAPH_SPLIT_VIEW);
                m.grayscale = ItemState(menu, ID_CONTEXT_GRAPH_GRAYSCALE);
                m.markers = ItemState(menu, ID_GRAPH_MARKERS);
                m.properties = ItemState(menu, ID_GRAPH_CHART_PROPERTIES);
                m.statistics = ItemState(menu, ID_CONTEXT_STATISTICS);
                m.cancel = ItemState(menu, ID_EVENT_CANCEL);
                m.noSnap = ItemState(menu, ID_SNAP_NONE);
                m.editCollector = ItemState(menu, ID_CONTEXT_EDIT_COLLECTOR);
            }
            ::EndMenu();
        });
        CPoint screen = client;
        view->ClientToScreen(&screen);
        view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(screen.x, screen.y));
        return m;
    }

    // Runs Chart Properties on the view while the action acts on the dialog
    // and ends it.
    void ChartProperties(CTalusimOlectraView* view, std::function<void(HWND)> action)
    {
        bool ran = false;
        WhenShown act([&] {
            HWND dialog = FindDialog("Chart Properties");
            ASSERT_NE(dialog, nullptr);
            ran = true;
            action(dialog);
        });
        view->SendMessage(WM_COMMAND, ID_GRAPH_CHART_PROPERTIES);
        EXPECT_TRUE(ran);
    }
};

} // namespace

TEST_F(GraphCommandsTest, TheRightClickMenuFitsTheGraph)
{
    MakeSlope();
    CTalusimOlectraView* distribution = Open(2901);
    ASSERT_NE(distribution, nullptr);
    SizeClient(distribution, 600, 400);
    // Before a compute: Chart Properties greyed, no Markers outside envelopes.
    ShownMenu m = RightClick(distribution, CPoint(300, 100));
    ASSERT_TRUE(m.shown);
    EXPECT_TRUE(m.split & MF_CHECKED);
    EXPECT_FALSE(m.grayscale & MF_CHECKED);
    EXPECT_TRUE(m.properties & MF_GRAYED);
    EXPECT_EQ(m.markers, -1);
    EXPECT_NE(m.statistics, -1);

    Compute();
    distribution->SendMessage(WM_COMMAND, ID_CONTEXT_GRAPH_GRAYSCALE);
    EXPECT_TRUE(distribution->IsGrayscale());
    m = RightClick(distribution, CPoint(300, 100));
    EXPECT_FALSE(m.properties & MF_GRAYED);
    EXPECT_TRUE(m.grayscale & MF_CHECKED);

    // An envelope has Markers (on) and no Statistics.
    CTalusimOlectraView* envelope = Open(2942);
    ASSERT_NE(envelope, nullptr);
    m = RightClick(envelope, CPoint(50, 50));
    EXPECT_TRUE(m.markers & MF_CHECKED);
    EXPECT_EQ(m.statistics, -1);
    envelope->SendMessage(WM_COMMAND, ID_GRAPH_MARKERS);
    EXPECT_FALSE(envelope->HasMarkers());
    m = RightClick(envelope, CPoint(50, 50));
    EXPECT_FALSE(m.markers & MF_CHECKED);

    // While a tool is being drawn: the drawing menu, its snap item checked.
    doc->GetDatabase()->SetSnapMode(29);
    doc->SetMode(MODE_MEASURE_FROM);
    m = RightClick(envelope, CPoint(50, 50));
    doc->SetMode(MODE_IDLE);
    EXPECT_NE(m.cancel, -1);
    EXPECT_TRUE(m.noSnap & MF_CHECKED);
    EXPECT_EQ(m.properties, -1);
}

TEST_F(GraphCommandsTest, AnImpactGraphsMenuHasNoSplitView)
{
    MakeSlope();
    CTalusimBarrier* b = AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* view = Open(3142, b);
    ASSERT_NE(view, nullptr);
    const ShownMenu m = RightClick(view, CPoint(40, 40));
    ASSERT_TRUE(m.shown);
    EXPECT_EQ(m.split, -1);
    EXPECT_FALSE(StateOf(view, ID_GRAPH_SPLIT_VIEW).enabled);
}

TEST_F(GraphCommandsTest, TheSlopesObjectsKeepTheirMenusToTheSlopeWindow)
{
    MakeSlope();
    AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* view = Open(2940);
    ASSERT_NE(view, nullptr);
    SizeClient(view, 600, 400);
    int left = 0, right = 0;
    GetPlotAreaColumns(view->GetChart(), 600, left, right);
    // Anywhere on the slope panel, on the collector too, the graph's own menu.
    for (int y = 205; y < 400; y += 15) {
        const ShownMenu m = RightClick(view, CPoint(left + (right - left) * 40 / 60, y));
        ASSERT_TRUE(m.shown) << y;
        EXPECT_EQ(m.editCollector, -1) << y;
        EXPECT_NE(m.properties, -1) << y;
    }
}

TEST_F(GraphCommandsTest, TheDocumentsCommandsAndChoiceDialogsOpenGraphWindows)
{
    MakeSlope();
    AddCollector(40, 3, 40, 20);
    Compute();
    auto shown = [&](int kind) {
        int n = 0;
        for (CTalusimOlectraView* v : GraphViews())
            n += v->GetGraphKind() == kind ? 1 : 0;
        return n;
    };
    mainFrame->SendMessage(WM_COMMAND, ID_GRAPH_TRANS_ENERGY_DISTRIBUTION);
    Idle();
    EXPECT_EQ(shown(2903), 1);

    bool ran = false;
    {
        WhenShown choose([&] {
            HWND d = FindDialog("Graph Envelope");
            ASSERT_NE(d, nullptr);
            ran = true;
            ::SendDlgItemMessageA(d, IDC_GRAPH_KIND, CB_SETCURSEL, 2, 0);
            Press(d, IDOK);
        });
        mainFrame->SendMessage(WM_COMMAND, ID_GRAPH_ENVELOPE);
    }
    Idle();
    EXPECT_TRUE(ran);
    EXPECT_EQ(shown(2943), 1);

    // The collector is upright: the five quantities, then its vertical impact location.
    ran = false;
    {
        WhenShown choose([&] {
            HWND d = FindDialog("Graph");
            ASSERT_NE(d, nullptr);
            ran = true;
            EXPECT_EQ(::SendDlgItemMessageA(d, IDC_GRAPH_KIND, CB_GETCOUNT, 0, 0), 6);
            ::SendDlgItemMessageA(d, IDC_GRAPH_KIND, CB_SETCURSEL, 5, 0);
            Press(d, IDOK);
        });
        mainFrame->SendMessage(WM_COMMAND, ID_BARRIER_COLLECTOR_GRAPHS);
    }
    Idle();
    EXPECT_TRUE(ran);
    ASSERT_EQ(shown(3146), 1);
    for (CTalusimOlectraView* v : GraphViews()) {
        if (v->GetGraphKind() == 3146) {
            EXPECT_EQ(WindowText(v), "Y-Impact Location on Collector");
        }
    }

    // Asked again, a graph's window comes to the front; no second one opens.
    mainFrame->SendMessage(WM_COMMAND, ID_GRAPH_TRANS_ENERGY_DISTRIBUTION);
    Idle();
    EXPECT_EQ(shown(2903), 1);
    EXPECT_EQ(GraphViews().size(), 3u);
    CMDIChildWnd* active = mainFrame->MDIGetActive();
    ASSERT_NE(active, nullptr);
    auto* front = dynamic_cast<CTalusimOlectraView*>(active->GetActiveView());
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->GetGraphKind(), 2903);
}

TEST_F(GraphCommandsTest, TheTooltipIsSetUpAndSaysNothing)
{
    MakeSlope();
    CTalusimOlectraView* view = Open(2940);
    ASSERT_NE(view, nullptr);
    CToolTipCtrl& tip = view->GetToolTip();
    ASSERT_NE(tip.GetSafeHwnd(), nullptr);
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_TRUE(tip.GetStyle() & TTS_ALWAYSTIP);
    EXPECT_EQ(tip.GetMaxTipWidth(), 0x7FFF);
    EXPECT_EQ(tip.GetDelayTime(TTDT_AUTOPOP), 0x7FFF);
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 200);
    EXPECT_EQ(tip.GetDelayTime(TTDT_RESHOW), 200);

    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = tip.GetSafeHwnd();
    info.hdr.code = TTN_NEEDTEXTA;
    info.lpszText = const_cast<LPSTR>("stale");
    info.szText[0] = 'x';
    view->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.lpszText, nullptr);
    EXPECT_EQ(info.szText[0], '\0');
}

TEST_F(GraphCommandsTest, CommandStatesFollowTheResults)
{
    MakeSlope();
    CTalusimOlectraView* view = Open(2902);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(StateOf(view, ID_GRAPH_CHART_PROPERTIES).enabled, 0);
    EXPECT_EQ(StateOf(view, ID_GRAPH_ENDPOINTS).enabled, 0);
    Compute();
    EXPECT_EQ(StateOf(view, ID_GRAPH_CHART_PROPERTIES).enabled, 1);
    const RecordedCmdUI endpoints = StateOf(view, ID_GRAPH_ENDPOINTS);
    EXPECT_EQ(endpoints.enabled, 1);
    EXPECT_EQ(endpoints.checked, 0);
    // The material commands belong to the slope window.
    EXPECT_EQ(StateOf(view, ID_MATERIAL_EDITOR).enabled, 0);
    EXPECT_EQ(StateOf(view, ID_MATERIAL_WIZARD).enabled, 0);
    // Endpoints opens the end-point graph from the graph window too.
    view->SendMessage(WM_COMMAND, ID_GRAPH_ENDPOINTS);
    Idle();
    bool found = false;
    for (CTalusimOlectraView* v : GraphViews())
        found = found || v->IsShowing(2940, nullptr);
    EXPECT_TRUE(found);
}

TEST_F(GraphCommandsTest, ChartPropertiesApplyAtOnceAndCancelUndoes)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = Open(2902);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetGraphState().series.GetCount(), 20);
    const CString header = view->GetChartSettings().Header();

    ChartProperties(view, [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_CHART_BINS), "20");
        EXPECT_FALSE(Enabled(d, IDC_CHART_BINS));
        EXPECT_FALSE(Enabled(d, IDC_CHART_X_MIN));
        Click(d, IDC_CHART_CUSTOM_BINS);
        EXPECT_TRUE(Enabled(d, IDC_CHART_BINS));
        ::SetDlgItemTextA(d, IDC_CHART_BINS, "10");
        Click(d, IDC_CHART_CUSTOM_HEADER);
        ::SetDlgItemTextA(d, IDC_CHART_HEADER, "Energy at mid-slope");
        Press(d, IDC_CHART_APPLY);
        // Applied while the dialog is still open.
        EXPECT_EQ(view->GetGraphState().series.GetCount(), 10);
        EXPECT_EQ(view->GetChartSettings().Header(), "Energy at mid-slope");
        Press(d, IDCANCEL);
    });
    // Cancel takes the applied changes back.
    EXPECT_EQ(view->GetGraphState().series.GetCount(), 20);
    EXPECT_EQ(view->GetChartSettings().Header(), header);

    ChartProperties(view, [&](HWND d) {
        Click(d, IDC_CHART_X_CUSTOM_RANGE);
        EXPECT_TRUE(Enabled(d, IDC_CHART_X_MIN));
        ::SetDlgItemTextA(d, IDC_CHART_X_MIN, "0");
        ::SetDlgItemTextA(d, IDC_CHART_X_MAX, "100000");
        Click(d, IDC_CHART_CUSTOM_BINS);
        ::SetDlgItemTextA(d, IDC_CHART_BINS, "5");
        Press(d, IDOK);
    });
    const ChartSettings& s = view->GetChartSettings();
    EXPECT_TRUE(s.customXRange);
    EXPECT_EQ(s.XMax(), 100000.0);
    EXPECT_EQ(view->GetGraphState().series.GetCount(), 5);
    EXPECT_EQ(view->GetGraphState().series.GetX(0), 10000.0);    // the first bin's centre

    // Default, then Cancel: the graph is as it was before the dialog.
    ChartProperties(view, [&](HWND d) {
        Press(d, IDC_CHART_DEFAULT);
        EXPECT_EQ(view->GetGraphState().series.GetCount(), 20);
        EXPECT_FALSE(Enabled(d, IDC_CHART_X_MIN));
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(view->GetGraphState().series.GetCount(), 5);
    EXPECT_EQ(view->GetChartSettings().XMax(), 100000.0);
}

TEST_F(GraphCommandsTest, ChartPropertiesRefuseBinsOutsideOneToAThousand)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = Open(2905);
    ASSERT_NE(view, nullptr);
    MessageBoxRecorder boxes;
    ChartProperties(view, [&](HWND d) {
        Click(d, IDC_CHART_CUSTOM_BINS);
        ::SetDlgItemTextA(d, IDC_CHART_BINS, "0");
        Press(d, IDC_CHART_APPLY);
        EXPECT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(d, IDC_CHART_BINS));
        EXPECT_EQ(view->GetGraphState().series.GetCount(), 20);
        ::SetDlgItemTextA(d, IDC_CHART_BINS, "1001");
        Press(d, IDOK);
        EXPECT_EQ(boxes.texts.size(), 2u);
        EXPECT_EQ(view->GetGraphState().series.GetCount(), 20);
        ::SetDlgItemTextA(d, IDC_CHART_BINS, "1000");
        Press(d, IDOK);
    });
    EXPECT_EQ(view->GetGraphState().series.GetCount(), 1000);
    ChartProperties(view, [&](HWND d) {
        ::SetDlgItemTextA(d, IDC_CHART_BINS, "1");
        Press(d, IDOK);
    });
    EXPECT_EQ(view->GetGraphState().series.GetCount(), 1);
}

TEST_F(GraphCommandsTest, AnEnvelopesBinsCannotBeChangedButTravelUnchanged)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = Open(2941);
    ASSERT_NE(view, nullptr);
    ChartProperties(view, [&](HWND d) {
        EXPECT_FALSE(Enabled(d, IDC_CHART_CUSTOM_BINS));
        EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(d, IDC_CHART_BINS), GWL_STYLE) & ES_READONLY);
        Click(d, IDC_CHART_Y_CUSTOM_TITLE);
        ::SetDlgItemTextA(d, IDC_CHART_Y_TITLE, "Bounce [m]");
        Press(d, IDOK);
    });
    EXPECT_EQ(view->GetChartSettings().YTitle(), "Bounce [m]");
    EXPECT_EQ(view->GetChartSettings().customBinCount, 4);
    EXPECT_EQ(view->GetGraphState().series.GetCount(), 5);    // one point per location
}

