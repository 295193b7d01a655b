// The slope view's commands as the menus, toolbars and context menu send them,
// and the states their items show.
#include "tests/view/SlopeViewTestSupport.h"

#include <functional>

#include "framework/Menu.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "model/SlopeViewServices.h"
#include "support/WhenShown.h"

namespace {

// What an update handler made of a command (-1: left alone).
struct RecordedCmdUI : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};

// The main frame as the object commands see it: the graphs it was asked for.
struct GraphFrame {
    struct Frame : CPromptLine {
        void ToggleChartView(int kind, CEntity* object, bool show) override
        {
            lastKind = kind;
            lastObject = object;
            lastShow = show;
        }
        int lastKind = 0;
        CEntity* lastObject = nullptr;
        bool lastShow = false;
    };
    GraphFrame() { previous = InstallMainFrameServices(&line); }
    ~GraphFrame() { InstallMainFrameServices(previous); }
    Frame line;
    CMainFrameServices* previous = nullptr;
};

// The dialogs as a user answers them: a new seeder's conditions are taken,
// the Slope Editor is cancelled.
struct DialogAnswers : CSlopeViewServices {
    DialogAnswers() { previous = InstallSlopeViewServices(this); }
    ~DialogAnswers() override { InstallSlopeViewServices(previous); }
    INT_PTR RunInitialConditions(CInitialConditionsData&) override
    {
        ++conditionsShown;
        return IDOK;
    }
    INT_PTR RunDataCollectorEditor(CTalusimDoc*, CEntity* initial) override
    {
        collectorShown = initial;
        return IDCANCEL;
    }
    INT_PTR RunBarrierEditor(CTalusimDoc*, CTalusimBarrier* initial) override
    {
        barrierShown = initial;
        return IDCANCEL;
    }
    int conditionsShown = 0;
    CEntity* collectorShown = nullptr;
    CEntity* barrierShown = nullptr;
    INT_PTR RunSlopeEditor(CSlopeEditorData& d) override
    {
        pick = d.pickKind;
        index = d.index;
        return IDCANCEL;
    }
    CSlopeViewServices* previous = nullptr;
    int pick = 0, index = -2;
};

// A menu item's state: -1 absent, else its MF_ flags.
int ItemState(HMENU menu, UINT id) { return static_cast<int>(::GetMenuState(menu, id, MF_BYCOMMAND)); }

}  // namespace

class SlopeViewCommandsTest : public SlopeViewTest
{
protected:
    DialogAnswers dialogs;
    ViewMessageBoxes boxes;
    void Command(UINT id) { view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    RecordedCmdUI StateOf(UINT id)
    {
        RecordedCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(view, FALSE);
        return ui;
    }
    double VisibleWidth() const
    {
        CViewContext* vc = view->GetViewContext();
        CRect client;
        view->GetClientRect(&client);
        return vc->DeviceToWorld(client.right, 0).x - vc->DeviceToWorld(0, 0).x;
    }
    CTalusimRaker* PointSeeder(int x, int y)
    {
        doc->SetMode(MODE_ADD_POINT_SEEDER);
        Click(x, y);
        doc->SetMode(MODE_IDLE);
        auto seeders = CollectAs<CTalusimRaker>(*doc->GetDatabase(), CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP);
        return seeders.empty() ? nullptr : seeders.back();
    }
    CTalusimBarrier* Placed(int group)
    {
        auto placed = CollectAs<CTalusimBarrier>(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, group);
        return placed.empty() ? nullptr : placed.back();
    }
    // A V-shaped slope, (10, 30), (30, 10), (50, 30), a barrier standing on
    // its left arm and a collector upright at x = 40.
    void VWithBarrierAndCollector()
    {
        DrawSlope({{100, 100}, {300, 300}, {500, 100}});
        doc->OnAddBarrier();
        Click(140, 120);
        Click(140, 60);
        doc->OnAddDataCollector();
        Click(400, 150);
        Click(400, 80);
    }
    CTalusimRockPath* AddPath(double y, bool selected)
    {
        auto* path = new CTalusimRockPath;
        path->AddStraightSegment(10, y, 50, y, 1.0, 9.81);
        if (selected)
            path->SetCategoryId(CTalusimRockPath::kCategorySelected);
        doc->GetDatabase()->AddEntity(path, false);
        return path;
    }
    // The entity of a right click, as the database records it.
    void RightClicked(CEntity* entity)
    {
        CREGDatabase* db = doc->GetDatabase();
        db->ClearSet(SET_WORK);
        if (entity != nullptr)
            entity->AddToSet(SET_WORK);
    }
    int RockPaths() { return static_cast<int>(CollectAs<CTalusimRockPath>(*doc->GetDatabase(), ID_ANY_CATEGORY,
                                                                          KIND_ROCK_PATH, ID_ANY_GROUP).size()); }

    struct ShownMenu {
        bool shown = false;
        int grayscale = -1, ruler = -1, zoomAll = -1, selected = -1, noSnap = -1, gridSnap = -1, editSeeder = -1,
            items = -1;
    };
    ShownMenu RightClick(CPoint client)
    {
        ShownMenu m;
        WhenShown close([&] {
            HMENU menu = AfxGetTrackingMenu();
            m.shown = menu != nullptr;
            if (menu) {
                m.grayscale = ItemState(menu, ID_CONTEXT_GRAYSCALE);
                m.ruler = ItemState(menu, ID_CONTEXT_RULER);
                m.zoomAll = ItemState(menu, ID_VIEW_ZOOM_ALL);
                m.selected = ItemState(menu, ID_EVENT_SELECTED);
                m.noSnap = ItemState(menu, ID_SNAP_NONE);
                m.gridSnap = ItemState(menu, ID_SNAP_GRID);
                m.editSeeder = ItemState(menu, ID_CONTEXT_EDIT_SEEDER);
                m.items = ::GetMenuItemCount(menu);
            }
            ::EndMenu();
        });
        CPoint screen = client;
        view->ClientToScreen(&screen);
        view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(screen.x, screen.y));
        return m;
    }
};

TEST_F(SlopeViewCommandsTest, ZoomAndPanStepsMoveTheWorldWindow)
{
    view->SetShowRuler(false);  // no ruler bands: the whole client is the window
    CViewContext* vc = view->GetViewContext();
    const double width = VisibleWidth();
    Command(ID_VIEW_ZOOM_IN);
    EXPECT_NEAR(VisibleWidth(), 0.9 * width, 1e-6 * width);
    Command(ID_VIEW_ZOOM_OUT);
    EXPECT_NEAR(VisibleWidth(), width, 1e-6 * width);

    // Each pan step moves the window by 5 % of its extent.
    struct Step {
        UINT id;
        double dx, dy;
    };
    const Step steps[] = {{ID_VIEW_PAN_LEFT, 0.05, 0}, {ID_VIEW_PAN_RIGHT, -0.05, 0},
                          {ID_VIEW_PAN_UP, 0, -0.05}, {ID_VIEW_PAN_DOWN, 0, 0.05}};
    for (const Step& s : steps) {
        const CVector2D origin = vc->GetWorldOrigin();
        const CVector2D extent = vc->GetWorldExtent();
        Command(s.id);
        EXPECT_NEAR(vc->GetWorldOrigin().x - origin.x, s.dx * extent.x, 1e-9) << s.id;
        EXPECT_NEAR(vc->GetWorldOrigin().y - origin.y, s.dy * extent.y, 1e-9) << s.id;
    }

    // Zoom All brings a slope panned far out of the window back into view.
    DrawSlope({{100, 100}, {300, 300}});
    vc->SetWorldOrigin(1000, 1000);
    Command(ID_VIEW_ZOOM_ALL);
    CRect client;
    view->GetClientRect(&client);
    client.InflateRect(1, 1);
    EXPECT_TRUE(client.PtInRect(vc->WorldToDevice(10, 30)));
    EXPECT_TRUE(client.PtInRect(vc->WorldToDevice(30, 10)));
}

TEST_F(SlopeViewCommandsTest, RulerAndGrayscaleToggleFromMenuAndContextMenu)
{
    const bool ruler = view->GetShowRuler();
    Command(ID_VIEW_RULER);
    EXPECT_EQ(view->GetShowRuler(), !ruler);
    EXPECT_EQ(StateOf(ID_VIEW_RULER).checked, ruler ? 0 : 1);
    view->SetContextMenuUp(true);
    Command(ID_CONTEXT_RULER);
    EXPECT_EQ(view->GetShowRuler(), ruler);
    EXPECT_FALSE(view->IsContextMenuUp());

    EXPECT_FALSE(view->IsGrayscale());
    Command(ID_VIEW_GRAYSCALE);
    EXPECT_TRUE(view->IsGrayscale());
    EXPECT_EQ(StateOf(ID_VIEW_GRAYSCALE).checked, 1);
    EXPECT_EQ(StateOf(ID_VIEW_GRAYSCALE).enabled, 1);
    Command(ID_CONTEXT_GRAYSCALE);
    EXPECT_FALSE(view->IsGrayscale());
    EXPECT_EQ(StateOf(ID_VIEW_GRAYSCALE).checked, 0);
}

TEST_F(SlopeViewCommandsTest, CopyPutsTheDrawingOnTheClipboardAsABitmap)
{
    DrawSlope({{100, 100}, {300, 300}});
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(view->GetViewContext()->GetColourMode(), COLOUR_NORMAL);
}

TEST_F(SlopeViewCommandsTest, ModeCommandsEnterTheirModeAndChosenAgainGoBackToIdle)
{
    // A model on which every command is enabled (a disabled command is not run).
    VWithBarrierAndCollector();
    PointSeeder(200, 50);
    AddPath(35, false);
    struct Case {
        UINT id;
        int mode;
    };
    const Case cases[] = {
        {ID_ADD_POINT_SEEDER, MODE_ADD_POINT_SEEDER},   {ID_INSERT_VERTEX, MODE_INSERT_VERTEX},
        {ID_DELETE_SEEDER, MODE_DELETE_SEEDERS},        {ID_DELETE_DATA_COLLECTOR, MODE_DELETE_COLLECTORS},
        {ID_DELETE_BARRIER, MODE_DELETE_BARRIERS},      {ID_ASSIGN_MATERIAL, MODE_ASSIGN_MATERIAL},
        {ID_FILTER_BY_PICKING, MODE_PICK_PATHS},        {ID_VIEW_PAN, MODE_PAN},
        {ID_VIEW_ZOOM_WINDOW, MODE_ZOOM_WINDOW},        {ID_VIEW_ZOOM_MOUSE, MODE_ZOOM_MOUSE},
        {ID_MOVE_DATA_COLLECTOR, MODE_MOVE_COLLECTORS_SELECT}, {ID_MOVE_BARRIER_VERTEX, MODE_MOVE_BARRIER_SELECT},
        {ID_TOOL_TEXT_BOX, MODE_TEXT_TOOL},             {ID_TOOL_AXIS, MODE_AXES_FIRST},
    };
    for (const Case& c : cases) {
        Command(c.id);
        EXPECT_EQ(doc->GetMode(), c.mode) << c.id;
        Command(c.id);
        EXPECT_EQ(doc->GetMode(), MODE_IDLE) << c.id;
    }
    // A later stage of a move counts as the move: its command switches it off.
    doc->SetMode(MODE_MOVE_COLLECTORS_TARGET);
    Command(ID_MOVE_DATA_COLLECTOR);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    doc->SetMode(MODE_MOVE_BARRIER_END);
    Command(ID_MOVE_BARRIER_VERTEX);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewCommandsTest, ZoomWindowByTwoCornersThenIdle)
{
    view->SetShowRuler(false);
    Command(ID_VIEW_ZOOM_WINDOW);
    Click(100, 100);  // world (10, 30)
    EXPECT_EQ(doc->GetMode(), MODE_ZOOM_WINDOW);
    Click(500, 300);  // world (50, 10): 40 m wide, wider than the client's shape
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_NEAR(VisibleWidth(), 40.0, 0.1);
    // Escape leaves a zoom window that has one corner.
    Command(ID_VIEW_ZOOM_WINDOW);
    Click(100, 100);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewCommandsTest, EventCommandsReachTheMode)
{
    // Undo and Done are offered only where they act.
    for (UINT id : {ID_EVENT_UNDO, ID_EVENT_DONE}) {
        EXPECT_EQ(StateOf(id).enabled, 0) << id;
        doc->SetMode(MODE_DELETE_SEEDERS);
        EXPECT_EQ(StateOf(id).enabled, 0) << id;
        doc->SetMode(MODE_ADD_LINE_SEEDER_NEXT);
        EXPECT_EQ(StateOf(id).enabled, 1) << id;
        doc->SetMode(MODE_IDLE);
    }
    // Undo and Done while the slope is drawn.
    doc->BeginDefineSlope();
    EXPECT_EQ(StateOf(ID_EVENT_UNDO).enabled, 1);
    EXPECT_EQ(StateOf(ID_EVENT_DONE).enabled, 1);
    Click(100, 100);
    Click(300, 300);
    Click(500, 100);
    view->SetContextMenuUp(true);
    Command(ID_EVENT_UNDO);
    EXPECT_FALSE(view->IsContextMenuUp());
    Command(ID_EVENT_DONE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_NEAR(v[1].x, 30.0, 1e-9);
    EXPECT_NEAR(v[1].y, 10.0, 1e-9);
    // Undo and Done do nothing in other modes.
    doc->SetMode(MODE_DELETE_SEEDERS);
    Command(ID_EVENT_UNDO);
    Command(ID_EVENT_DONE);
    EXPECT_EQ(doc->GetMode(), MODE_DELETE_SEEDERS);
    Command(ID_EVENT_CANCEL);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);

}

TEST_F(SlopeViewCommandsTest, SnapCommandsSetTheDatabaseSnapMode)
{
    const std::pair<UINT, int> cases[] = {{ID_SNAP_GRID, SNAP_GRID}, {ID_SNAP_VERTEX, SNAP_VERTEX},
                                          {ID_SNAP_NONE, SNAP_NONE}};
    for (const auto& [id, snap] : cases) {
        view->SetContextMenuUp(true);
        Command(id);
        EXPECT_EQ(doc->GetDatabase()->GetSnapMode(), snap) << id;
        EXPECT_FALSE(view->IsContextMenuUp());
    }
}

TEST_F(SlopeViewCommandsTest, CommandStatesFollowTheModelAndTheMode)
{
    struct Expect {
        UINT id;
        int enabled, checked;
    };
    auto check = [&](const char* when, std::initializer_list<Expect> cases) {
        for (const Expect& e : cases) {
            const RecordedCmdUI ui = StateOf(e.id);
            EXPECT_EQ(ui.enabled, e.enabled) << when << " " << e.id;
            EXPECT_EQ(ui.checked, e.checked) << when << " " << e.id;
        }
    };
    check("empty", {{ID_DELETE_SEEDER, 0, 0},
                    {ID_MOVE_BARRIER_VERTEX, 0, 0},
                    {ID_DELETE_BARRIER, 0, 0},
                    {ID_DELETE_DATA_COLLECTOR, 0, 0},
                    {ID_MOVE_DATA_COLLECTOR, 0, 0},
                    {ID_INSERT_VERTEX, 0, 0},
                    {ID_ADD_BARRIER, 0, 0},
                    {ID_EXPORT_DXF, 0, -1},
                    {ID_ASSIGN_MATERIAL, 0, 0},
                    {ID_GRAPH_SPLIT_VIEW, 0, 0},
                    {ID_GRAPH_ENDPOINTS, 0, 0},
                    {ID_FILTER_BY_VALUE, 0, -1},
                    {ID_REMOVE_FILTER, 0, -1},
                    {ID_FILTER_BY_IMPACT, 0, -1},
                    {ID_FILTER_BY_PICKING, 0, 0},
                    {ID_FILTERED_PATHS_ONLY, 0, 0}});

    // A two-vertex slope allows a barrier only in IDLE.
    DrawSlope({{100, 100}, {300, 300}});
    check("two vertices", {{ID_ADD_BARRIER, 1, 0}, {ID_EXPORT_DXF, 1, -1}, {ID_ASSIGN_MATERIAL, 1, 0},
                           {ID_DELETE_VERTICES, 1, 0}});
    doc->SetMode(MODE_ASSIGN_MATERIAL);
    check("two vertices, assigning", {{ID_ADD_BARRIER, 0, 0}, {ID_ASSIGN_MATERIAL, 1, 1}, {ID_INSERT_VERTEX, 0, 0}});
    doc->SetMode(MODE_IDLE);
}

TEST_F(SlopeViewCommandsTest, CommandStatesFollowPlacedObjectsAndPaths)
{
    struct Expect {
        UINT id;
        int enabled, checked;
    };
    auto check = [&](const char* when, std::initializer_list<Expect> cases) {
        for (const Expect& e : cases) {
            const RecordedCmdUI ui = StateOf(e.id);
            EXPECT_EQ(ui.enabled, e.enabled) << when << " " << e.id;
            EXPECT_EQ(ui.checked, e.checked) << when << " " << e.id;
        }
    };
    VWithBarrierAndCollector();
    PointSeeder(200, 50);
    doc->SetMode(MODE_DELETE_SEEDERS);
    check("placed, deleting seeders", {{ID_DELETE_SEEDER, 1, 1},
                                       {ID_ADD_BARRIER, 1, 0},
                                       {ID_DELETE_BARRIER, 1, 0},
                                       {ID_DELETE_DATA_COLLECTOR, 1, 0},
                                       {ID_FILTER_BY_IMPACT, 0, -1}});
    doc->SetMode(MODE_MOVE_COLLECTORS_TARGET);
    check("moving a collector", {{ID_MOVE_DATA_COLLECTOR, 1, 1}, {ID_DELETE_SEEDER, 1, 0}});
    doc->SetMode(MODE_MOVE_BARRIER_END);
    check("moving a barrier end", {{ID_MOVE_BARRIER_VERTEX, 1, 0}});
    doc->SetMode(MODE_MOVE_BARRIER_SELECT);
    check("choosing a barrier", {{ID_MOVE_BARRIER_VERTEX, 1, 1}});
    doc->SetMode(MODE_IDLE);

    AddPath(25, false);
    check("a path left out", {{ID_FILTER_BY_VALUE, 1, -1}, {ID_REMOVE_FILTER, 0, -1}, {ID_FILTER_BY_IMPACT, 1, -1},
                              {ID_FILTER_BY_PICKING, 1, 0}, {ID_FILTERED_PATHS_ONLY, 0, 0}});
    AddPath(20, true);
    doc->SetShowAllPaths(false);
    check("a path selected", {{ID_REMOVE_FILTER, 1, -1}, {ID_FILTERED_PATHS_ONLY, 1, 1}});
    doc->SetShowAllPaths(true);
    check("all shown", {{ID_FILTERED_PATHS_ONLY, 1, 0}});
}

TEST_F(SlopeViewCommandsTest, GraphItemsNeedTwoHitsAndAUsableDirection)
{
    GraphFrame frame;
    VWithBarrierAndCollector();
    CTalusimBarrier* barrier = Placed(GROUP_COLLECTOR);  // upright at x = 40: no x spread of impacts
    ASSERT_NE(barrier, nullptr);
    // Nothing right-clicked: the items are left as they are.
    RightClicked(nullptr);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_TOTAL_ENERGY).enabled, -1);
    Command(ID_COLLECTOR_GRAPH_TOTAL_ENERGY);
    EXPECT_EQ(frame.line.lastKind, 0);

    CTalusimRockPath* path = AddPath(30, false);
    barrier->AddHit(40, 30, 5, 1, 10, 1, 2, path, 5, 0, false);
    RightClicked(barrier);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_TOTAL_ENERGY).enabled, 0);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_Y_IMPACT).enabled, 0);
    barrier->AddHit(40, 29, 4, 1, 8, 1, 2, path, 4, 0, false);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_TOTAL_ENERGY).enabled, 1);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_ROT_VELOCITY).enabled, 1);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_Y_IMPACT).enabled, 1);
    EXPECT_EQ(StateOf(ID_COLLECTOR_GRAPH_X_IMPACT).enabled, 0);  // a vertical collector

    const std::pair<UINT, int> graphs[] = {
        {ID_BARRIER_GRAPH_TRANS_ENERGY, 3140}, {ID_COLLECTOR_GRAPH_ROT_ENERGY, 3141},
        {ID_BARRIER_GRAPH_TOTAL_ENERGY, 3142}, {ID_COLLECTOR_GRAPH_TRANS_VELOCITY, 3143},
        {ID_BARRIER_GRAPH_ROT_VELOCITY, 3144}, {ID_BARRIER_GRAPH_Y_IMPACT, 3146},
    };
    for (const auto& [id, kind] : graphs) {
        frame.line.lastKind = 0;
        Command(id);
        EXPECT_EQ(frame.line.lastKind, kind) << id;
        EXPECT_EQ(frame.line.lastObject, barrier) << id;
        EXPECT_TRUE(frame.line.lastShow);
    }
    // A disabled graph is not opened.
    frame.line.lastKind = 0;
    Command(ID_COLLECTOR_GRAPH_X_IMPACT);
    EXPECT_EQ(frame.line.lastKind, 0);
}

TEST_F(SlopeViewCommandsTest, ObjectCommandsActOnTheRightClickedEntityOnly)
{
    CTalusimRaker* seeder = PointSeeder(200, 50);
    ASSERT_NE(seeder, nullptr);
    VWithBarrierAndCollector();
    CTalusimBarrier* barrier = Placed(GROUP_BARRIER);
    CTalusimBarrier* collector = Placed(GROUP_COLLECTOR);
    ASSERT_NE(barrier, nullptr);
    ASSERT_NE(collector, nullptr);

    // Nothing right-clicked, or a command for another kind of object: nothing happens.
    RightClicked(nullptr);
    Command(ID_CONTEXT_DELETE_SEEDER);
    RightClicked(barrier);
    Command(ID_CONTEXT_DELETE_SEEDER);
    Command(ID_CONTEXT_DELETE_COLLECTOR);
    EXPECT_EQ(CollectAs<CTalusimRaker>(*doc->GetDatabase(), CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP).size(), 1u);
    EXPECT_NE(Placed(GROUP_COLLECTOR), nullptr);

    // Moving a barrier's end starts at its second stage with the barrier selected.
    AddPath(35, false);
    Command(ID_CONTEXT_MOVE_BARRIER_VERTEX);
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_BARRIER_END);
    EXPECT_EQ(doc->GetDatabase()->GetFirstInSet(SET_SELECTION), barrier);
    EXPECT_EQ(RockPaths(), 0);  // a moved barrier makes the results stale
    Key(VK_ESCAPE);
    doc->GetDatabase()->ClearSet(SET_SELECTION);

    RightClicked(collector);
    Command(ID_CONTEXT_MOVE_COLLECTOR);
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_COLLECTORS_BASE);
    EXPECT_EQ(doc->GetDatabase()->GetFirstInSet(SET_SELECTION), collector);
    Key(VK_ESCAPE);
    doc->SetMode(MODE_IDLE);
    doc->GetDatabase()->ClearSet(SET_SELECTION);

    // Deleting a collector keeps the results; deleting a barrier does not.
    AddPath(35, false);
    doc->SetModifiedFlag(FALSE);
    RightClicked(collector);
    Command(ID_CONTEXT_DELETE_COLLECTOR);
    EXPECT_EQ(Placed(GROUP_COLLECTOR), nullptr);
    EXPECT_EQ(RockPaths(), 1);
    EXPECT_TRUE(doc->IsModified());
    RightClicked(barrier);
    Command(ID_CONTEXT_DELETE_BARRIER);
    EXPECT_EQ(Placed(GROUP_BARRIER), nullptr);
    EXPECT_EQ(RockPaths(), 0);

    doc->SetModifiedFlag(FALSE);
    RightClicked(seeder);
    Command(ID_CONTEXT_DELETE_SEEDER);
    EXPECT_TRUE(CollectAs<CTalusimRaker>(*doc->GetDatabase(), CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP).empty());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(SlopeViewCommandsTest, EditCommandsOpenTheEditorOnTheRightClickedObject)
{
    CTalusimRaker* seeder = PointSeeder(200, 50);
    ASSERT_NE(seeder, nullptr);
    VWithBarrierAndCollector();
    CTalusimBarrier* barrier = Placed(GROUP_BARRIER);
    CTalusimBarrier* collector = Placed(GROUP_COLLECTOR);
    dialogs.conditionsShown = 0;
    RightClicked(seeder);
    Command(ID_CONTEXT_EDIT_SEEDER);
    EXPECT_EQ(dialogs.conditionsShown, 1);
    RightClicked(barrier);
    Command(ID_CONTEXT_EDIT_BARRIER);
    EXPECT_EQ(dialogs.barrierShown, barrier);
    Command(ID_CONTEXT_EDIT_COLLECTOR);  // a barrier is no collector
    EXPECT_EQ(dialogs.collectorShown, nullptr);
    RightClicked(collector);
    Command(ID_CONTEXT_EDIT_COLLECTOR);
    EXPECT_EQ(dialogs.collectorShown, collector);
    Command(ID_CONTEXT_EDIT_SEEDER);  // nor a seeder
    EXPECT_EQ(dialogs.conditionsShown, 1);
}

TEST_F(SlopeViewCommandsTest, SlopeCommandsOpenTheEditorAtTheClickAndCancelKeepsResults)
{
    DrawSlope({{100, 100}, {300, 300}, {500, 100}});
    AddPath(35, false);
    doc->SetModifiedFlag(FALSE);
    // A right click near the second segment, then Edit Slope Geometry.
    RightClick(CPoint(420, 180));
    Command(ID_CONTEXT_EDIT_SLOPE_GEOMETRY);
    EXPECT_NEAR(view->GetContextPoint().x, 42.0, 1e-9);
    EXPECT_NEAR(view->GetContextPoint().y, 22.0, 1e-9);
    EXPECT_EQ(dialogs.pick, PICK_SEGMENT);
    EXPECT_EQ(dialogs.index, doc->GetSlope()->FindNearestSegment(42.0, 22.0, false));
    EXPECT_EQ(RockPaths(), 1);
    EXPECT_FALSE(doc->IsModified());

    // Assign Material opens the editor on the vertex clicked next to, or on no row.
    RightClick(CPoint(302, 298));
    Command(ID_CONTEXT_ASSIGN_MATERIAL);
    EXPECT_EQ(dialogs.pick, PICK_VERTEX);
    EXPECT_EQ(dialogs.index, 1);
    RightClick(CPoint(420, 180));
    Command(ID_CONTEXT_ASSIGN_MATERIAL);
    EXPECT_EQ(dialogs.pick, PICK_NONE);
    EXPECT_EQ(RockPaths(), 1);
}

TEST_F(SlopeViewCommandsTest, ContextMenuByModeWithItsChecksAndEnabledItems)
{
    view->SetShowRuler(true);
    ShownMenu idle = RightClick(CPoint(600, 300));
    ASSERT_TRUE(idle.shown);
    EXPECT_NE(idle.zoomAll, -1);
    EXPECT_EQ(idle.grayscale & MF_CHECKED, 0);
    EXPECT_TRUE(view->IsContextMenuUp());
    view->ClearContextMenuFlag();

    // A command chosen from the menu leaves no click to swallow: the next
    // click (here the first corner of a zoom window) reaches the mode.
    {
        CWnd* owner = AfxGetMainWnd() != nullptr ? AfxGetMainWnd() : view;
        WhenShown choose([&] {
            owner->PostMessage(WM_COMMAND, ID_VIEW_ZOOM_WINDOW);
            ::EndMenu();
        });
        CPoint screen(600, 300);
        view->ClientToScreen(&screen);
        view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(screen.x, screen.y));
    }
    EXPECT_FALSE(view->IsContextMenuUp());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        ::DispatchMessageA(&msg);

    view->SetGrayscale(true);
    EXPECT_NE(RightClick(CPoint(600, 300)).grayscale & MF_CHECKED, 0);

    // The ruler band shows only the Ruler item, checked.
    const CRect band = view->GetRulerMargin();
    ASSERT_GT(band.left, 0);
    ShownMenu ruler = RightClick(CPoint(band.left / 2, 300));
    ASSERT_TRUE(ruler.shown);
    EXPECT_EQ(ruler.items, 1);
    EXPECT_NE(ruler.ruler & MF_CHECKED, 0);

    // Delete Selected is grayed with nothing selected.
    doc->SetMode(MODE_DELETE_SEEDERS);
    ShownMenu deleting = RightClick(CPoint(600, 300));
    ASSERT_TRUE(deleting.shown);
    EXPECT_NE(deleting.selected & MF_GRAYED, 0);
    doc->SetMode(MODE_IDLE);

    // The snap items show the snap mode.
    doc->GetDatabase()->SetSnapMode(SNAP_GRID);
    doc->BeginDefineSlope();
    ShownMenu drawing = RightClick(CPoint(600, 300));
    ASSERT_TRUE(drawing.shown);
    EXPECT_NE(drawing.gridSnap & MF_CHECKED, 0);
    EXPECT_EQ(drawing.noSnap & MF_CHECKED, 0);
    doc->SetMode(MODE_IDLE);

    // A seeder under the click shows its own menu and becomes the object of the commands.
    DrawSlope({{100, 700}, {1100, 750}});
    CTalusimRaker* seeder = PointSeeder(600, 300);
    ASSERT_NE(seeder, nullptr);
    ShownMenu onSeeder = RightClick(CPoint(600, 300));
    ASSERT_TRUE(onSeeder.shown);
    EXPECT_NE(onSeeder.editSeeder, -1);
    EXPECT_EQ(doc->GetDatabase()->GetFirstInSet(SET_WORK), seeder);
}
