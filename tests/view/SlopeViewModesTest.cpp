// The seeder, collector, barrier, material and rock-path modes of the slope
// view, driven with the mouse and keys a user sends, with their refusals.
#include "tests/view/SlopeViewTestSupport.h"

#include <functional>

#include "model/InteractionModes.h"
#include "model/SlopeViewServices.h"

namespace {

const char* kInvalidBarrierEnd =
    "Invalid location for barrier endpoint:\nBarriers cannot intersect other barriers or slope segments";

// The editor dialogs as a user answers them; each remembers what it was shown.
struct Editors : CSlopeViewServices {
    Editors() { previous = InstallSlopeViewServices(this); }
    ~Editors() override { InstallSlopeViewServices(previous); }

    INT_PTR RunInitialConditions(CInitialConditionsData& d) override
    {
        ++conditionsShown;
        shownMass = d.massMean;
        d.massMean = mass;
        d.massStdDev = 5.0;
        return answer;
    }
    INT_PTR RunSlopeEditor(CSlopeEditorData& d) override
    {
        slopePick = d.pickKind;
        slopeIndex = d.index;
        return IDCANCEL;
    }
    INT_PTR RunBarrierEditor(CTalusimDoc*, CTalusimBarrier* initial) override
    {
        ++barrierEditorShown;
        barrierShown = initial;
        return IDCANCEL;
    }

    CSlopeViewServices* previous = nullptr;
    INT_PTR answer = IDOK;
    double mass = 250.0;
    int conditionsShown = 0;
    double shownMass = 0.0;
    int slopePick = 0, slopeIndex = -2;
    int barrierEditorShown = 0;
    CTalusimBarrier* barrierShown = nullptr;
};

void ExpectAt(const CVector2D& a, double x, double y)
{
    EXPECT_NEAR(a.x, x, 1e-9);
    EXPECT_NEAR(a.y, y, 1e-9);
}

}  // namespace

class SlopeViewModesTest : public SlopeViewTest
{
protected:
    std::vector<CTalusimRaker*> Seeders(int group)
    {
        return CollectAs<CTalusimRaker>(*doc->GetDatabase(), CAT_PLACED, KIND_SEEDER, group);
    }
    std::vector<CTalusimBarrier*> Placed(int group)
    {
        return CollectAs<CTalusimBarrier>(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, group);
    }
    void DoubleClick(int x, int y)
    {
        Click(x, y);
        view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
        view->SendMessage(WM_LBUTTONUP, 0, At(x, y));
    }
    void PlaceCollector(int x, int y0, int y1)
    {
        doc->OnAddDataCollector();
        Click(x, y0);
        Click(x, y1);
    }
    // A V-shaped slope, (10, 30), (30, 10), (50, 30), with a barrier standing
    // on its left arm from (13, 27) up to (14, 34).
    CTalusimBarrier* VWithBarrier()
    {
        DrawSlope({{100, 100}, {300, 300}, {500, 100}});
        doc->OnAddBarrier();
        Click(140, 120);
        Click(140, 60);
        auto barriers = Placed(GROUP_BARRIER);
        return barriers.size() == 1 ? barriers[0] : nullptr;
    }
    int Selected() { return doc->GetDatabase()->CountInSet(SET_SELECTION); }
};

TEST_F(SlopeViewModesTest, LineSeederVertexByVertexWithUndoAndTypedPoint)
{
    InstalledPromptLine prompt;
    Editors editors;
    DrawSlope({{50, 350}, {550, 380}});
    doc->OnAddLineSeeder();
    ASSERT_EQ(doc->GetMode(), MODE_ADD_LINE_SEEDER_FIRST);
    Click(100, 100);   // (10, 30)
    EXPECT_EQ(doc->GetMode(), MODE_ADD_LINE_SEEDER_NEXT);
    Click(200, 110);   // (20, 29)
    Click(300, 120);   // (30, 28), taken back with "u"
    view->SendReselectBaseEvent();
    prompt.line.typed.push_back(CVector2D(35.5, 27.25));
    Key(VK_RETURN);    // a typed point adds a vertex and the mode stays
    EXPECT_EQ(doc->GetMode(), MODE_ADD_LINE_SEEDER_NEXT);
    EXPECT_EQ(editors.conditionsShown, 0);
    Key(VK_RETURN);    // Enter on an empty prompt line finishes the seeder
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(editors.conditionsShown, 1);

    auto seeders = Seeders(GROUP_LINE_SEEDER);
    ASSERT_EQ(seeders.size(), 1u);
    ASSERT_EQ(seeders[0]->GetVertexCount(), 3);
    ExpectAt(seeders[0]->GetVertexPoint(0), 10, 30);
    ExpectAt(seeders[0]->GetVertexPoint(1), 20, 29);
    ExpectAt(seeders[0]->GetVertexPoint(2), 35.5, 27.25);
    double mean = 0, sd = 0;
    seeders[0]->GetMass(mean, sd);
    EXPECT_EQ(mean, 250.0);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(SlopeViewModesTest, LineSeederThatIsNoLineOrIsCancelledIsNotPlaced)
{
    Editors editors;
    DrawSlope({{50, 350}, {550, 380}});
    // Escape while drawing.
    doc->OnAddLineSeeder();
    Click(100, 100);
    Click(200, 110);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    // One vertex and Enter: no line, no dialog.
    doc->OnAddLineSeeder();
    Click(100, 100);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(editors.conditionsShown, 0);
    // The dialog cancelled.
    editors.answer = IDCANCEL;
    doc->OnAddLineSeeder();
    Click(100, 100);
    Click(200, 110);
    Key(VK_RETURN);
    EXPECT_EQ(editors.conditionsShown, 1);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_TRUE(Seeders(ID_ANY_GROUP).empty());
    // "u" on the first segment goes back to picking the first vertex.
    editors.answer = IDOK;
    doc->OnAddLineSeeder();
    Click(100, 100);
    view->SendReselectBaseEvent();
    EXPECT_EQ(doc->GetMode(), MODE_ADD_LINE_SEEDER_FIRST);
    Click(150, 100);
    Click(250, 100);
    Key(VK_RETURN);
    auto seeders = Seeders(GROUP_LINE_SEEDER);
    ASSERT_EQ(seeders.size(), 1u);
    ASSERT_EQ(seeders[0]->GetVertexCount(), 2);
    ExpectAt(seeders[0]->GetVertexPoint(0), 15, 30);
}

TEST_F(SlopeViewModesTest, PointSeederAtATypedPointUnsnappedOrNotAtAll)
{
    InstalledPromptLine prompt;
    Editors editors;
    DrawSlope({{50, 350}, {550, 380}});
    doc->GetDatabase()->SetSnapMode(SNAP_GRID);
    doc->SetMode(MODE_ADD_POINT_SEEDER);
    Key(VK_RETURN);   // nothing typed: nothing happens
    EXPECT_EQ(doc->GetMode(), MODE_ADD_POINT_SEEDER);
    EXPECT_EQ(editors.conditionsShown, 0);
    prompt.line.typed.push_back(CVector2D(12.3456, 31.0001));
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto seeders = Seeders(GROUP_POINT_SEEDER);
    ASSERT_EQ(seeders.size(), 1u);
    ExpectAt(seeders[0]->GetVertexPoint(0), 12.3456, 31.0001);

    editors.answer = IDCANCEL;
    doc->SetMode(MODE_ADD_POINT_SEEDER);
    Click(300, 100);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(Seeders(ID_ANY_GROUP).size(), 1u);
}

TEST_F(SlopeViewModesTest, DeleteSeedersAndBarriersBySelection)
{
    Editors editors;
    CTalusimBarrier* barrier = VWithBarrier();
    ASSERT_NE(barrier, nullptr);
    for (int x : {200, 400}) {
        doc->SetMode(MODE_ADD_POINT_SEEDER);
        Click(x, 50);   // (20, 35) and (40, 35)
    }
    ASSERT_EQ(Seeders(GROUP_POINT_SEEDER).size(), 2u);

    // Escape deletes nothing and leaves nothing selected.
    doc->SetMode(MODE_DELETE_SEEDERS);
    Click(200, 50);
    EXPECT_EQ(Selected(), 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Seeders(GROUP_POINT_SEEDER).size(), 2u);

    // A window round the first seeder; the barrier inside it is no seeder.
    doc->SetMode(MODE_DELETE_SEEDERS);
    Drag(120, 20, 230, 130);
    EXPECT_EQ(Selected(), 1);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto left = Seeders(GROUP_POINT_SEEDER);
    ASSERT_EQ(left.size(), 1u);
    ExpectAt(left[0]->GetVertexPoint(0), 40, 35);
    ASSERT_EQ(Placed(GROUP_BARRIER).size(), 1u);

    // A click on the barrier, and Enter.
    doc->SetMode(MODE_DELETE_BARRIERS);
    Click(140, 90);
    Key(VK_RETURN);
    EXPECT_TRUE(Placed(GROUP_BARRIER).empty());
    EXPECT_EQ(Seeders(GROUP_POINT_SEEDER).size(), 1u);
}

TEST_F(SlopeViewModesTest, BarrierFromTypedPointsStartsOnTheSlope)
{
    InstalledPromptLine prompt;
    ViewMessageBoxes boxes;
    DrawSlope({{100, 100}, {300, 300}, {500, 100}});   // a V: (10, 30), (30, 10), (50, 30)
    doc->OnAddBarrier();
    prompt.line.typed.push_back(CVector2D(14, 28));    // beside the left arm: dropped onto it at (13, 27)
    Key(VK_RETURN);
    ASSERT_EQ(doc->GetMode(), MODE_ADD_BARRIER_SECOND);
    prompt.line.typed.push_back(CVector2D(20, 15));    // under the slope: refused
    Key(VK_RETURN);
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(doc->GetMode(), MODE_ADD_BARRIER_SECOND);
    prompt.line.typed.push_back(CVector2D(14.25, 34.5));
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto barriers = Placed(GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    ExpectAt(barriers[0]->GetStartPoint(), 13, 27);
    ExpectAt(barriers[0]->GetEndPoint(), 14.25, 34.5);
}

// A band dragged away and released 6 pixels from the press is a click in the
// object-selection modes (it toggles), released 7 pixels off a window (it adds).
TEST_F(SlopeViewModesTest, BandReleasedNearThePressIsAClickWhenSelectingObjects)
{
    DrawSlope({{100, 100}, {500, 300}});
    PlaceCollector(450, 100, 200);   // x = 45 from y = 30 to 20
    doc->SetMode(MODE_DELETE_COLLECTORS);
    auto band = [&](int x1, int y1) {
        Move(447, 150);
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(447, 150));
        view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(490, 180));
        view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x1, y1));
        view->SendMessage(WM_LBUTTONUP, 0, At(x1, y1));
    };
    Click(447, 150);
    ASSERT_EQ(Selected(), 1);
    band(453, 150);   // a click: toggled off
    EXPECT_EQ(Selected(), 0);
    band(453, 150);   // and on again
    EXPECT_EQ(Selected(), 1);
    band(454, 157);   // a window across the collector: still selected
    EXPECT_EQ(Selected(), 1);
    Key(VK_RETURN);
    EXPECT_TRUE(Placed(GROUP_COLLECTOR).empty());
}

TEST_F(SlopeViewModesTest, MoveCollectorByBaseAndTargetPoints)
{
    DrawSlope({{100, 100}, {500, 300}});
    PlaceCollector(450, 100, 200);   // (45, 30) to (45, 20)
    CTalusimBarrier* collector = Placed(GROUP_COLLECTOR).at(0);

    doc->SetMode(MODE_MOVE_COLLECTORS_SELECT);
    Key(VK_RETURN);   // nothing selected: the mode stays
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_COLLECTORS_SELECT);
    Click(450, 150);
    EXPECT_EQ(Selected(), 1);
    Key(VK_RETURN);
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_COLLECTORS_BASE);
    Click(450, 150);   // base (45, 25)
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_COLLECTORS_TARGET);
    Move(400, 170);    // the collector follows the mouse
    ExpectAt(collector->GetStartPoint(), 40, 28);
    view->SendReselectBaseEvent();   // "u": back to the base point, the collector back home
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_COLLECTORS_BASE);
    ExpectAt(collector->GetStartPoint(), 45, 30);
    Click(450, 150);
    Move(480, 160);
    Click(500, 130);   // target (50, 27): moved by (5, 2)
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(Selected(), 0);
    ExpectAt(collector->GetStartPoint(), 50, 32);
    ExpectAt(collector->GetEndPoint(), 50, 22);

    // Escape while the collector follows the mouse puts it back.
    doc->SetMode(MODE_MOVE_COLLECTORS_SELECT);
    Click(500, 150);
    Key(VK_RETURN);
    Click(500, 150);
    Move(300, 150);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    ExpectAt(collector->GetStartPoint(), 50, 32);
    ExpectAt(collector->GetEndPoint(), 50, 22);
}

TEST_F(SlopeViewModesTest, MoveBarrierEndRefusedUnderTheSlopeAndCancelled)
{
    ViewMessageBoxes boxes;
    CTalusimBarrier* barrier = VWithBarrier();
    ASSERT_NE(barrier, nullptr);
    const CVector2D start = barrier->GetStartPoint();
    ExpectAt(barrier->GetEndPoint(), 14, 34);

    doc->SetMode(MODE_MOVE_BARRIER_SELECT);
    Click(140, 90);    // on the barrier: picked and on to the second end
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_BARRIER_END);
    Click(200, 250);   // (20, 15), under the slope
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], kInvalidBarrierEnd);
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_BARRIER_END);
    Move(160, 80);
    Click(120, 40);    // (12, 36)
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(Selected(), 0);
    ExpectAt(barrier->GetStartPoint(), start.x, start.y);
    ExpectAt(barrier->GetEndPoint(), 12, 36);
    EXPECT_EQ(boxes.texts.size(), 1u);

    // Escape while the end follows the mouse puts it back.
    doc->SetMode(MODE_MOVE_BARRIER_SELECT);
    Click(125, 70);    // (12.5, 33), on the barrier as it stands now
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_BARRIER_END);
    Move(170, 60);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    ExpectAt(barrier->GetEndPoint(), 12, 36);
}

TEST_F(SlopeViewModesTest, PickingTheSelectedBarrierAgainClearsTheSelection)
{
    ViewMessageBoxes boxes;
    CTalusimBarrier* barrier = VWithBarrier();
    ASSERT_NE(barrier, nullptr);
    CREGDatabase* db = doc->GetDatabase();
    doc->SetMode(MODE_MOVE_BARRIER_SELECT);
    barrier->AddToSet(SET_SELECTION);
    Click(140, 90);
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_BARRIER_SELECT);
    EXPECT_EQ(Selected(), 0);
    Click(300, 50);    // nothing there
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_BARRIER_SELECT);
    Key(VK_RETURN);    // Enter with nothing selected ends the mode
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);

    // Two barriers selected is a state the mode never makes itself.
    doc->OnAddBarrier();
    Click(460, 140);   // on the right arm
    Click(460, 60);
    ASSERT_EQ(Placed(GROUP_BARRIER).size(), 2u);
    doc->SetMode(MODE_MOVE_BARRIER_SELECT);
    for (CTalusimBarrier* b : Placed(GROUP_BARRIER))
        b->AddToSet(SET_SELECTION);
    Key(VK_RETURN);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0],
              "Internal Error in function\nCTalusimView process_MOVE_ANGLE_VERTEX\nplease contact technical support");
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(db->CountInSet(SET_SELECTION), 0);
}

TEST_F(SlopeViewModesTest, AssignMaterialByClickAndWindow)
{
    InstalledPromptLine prompt;
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    CTalusimSlope* slope = doc->GetSlope();
    CTalusimSlopeType* original = slope->GetSegmentMaterial(1);
    ASSERT_NE(original, nullptr);
    ASSERT_EQ(slope->GetSegmentMaterial(2), original);
    CTalusimSlopeType* rock = doc->CreateOrUpdateMaterial("Bedrock", RGB(90, 90, 90), 0.5, 0.04, 0.8, 0.04, 30, 2,
                                                          0, 0);
    ASSERT_NE(rock, nullptr);

    doc->SetMode(MODE_ASSIGN_MATERIAL);
    Click(400, 275);   // the second segment, with no material chosen: nothing changes
    EXPECT_EQ(slope->GetSegmentMaterial(2), original);
    prompt.line.material = rock;
    Click(300, 100);   // away from the slope
    EXPECT_EQ(slope->GetSegmentMaterial(1), original);
    EXPECT_EQ(slope->GetSegmentMaterial(2), original);
    Click(400, 275);
    EXPECT_EQ(slope->GetSegmentMaterial(1), original);
    EXPECT_EQ(slope->GetSegmentMaterial(2), rock);
    EXPECT_EQ(doc->GetMode(), MODE_ASSIGN_MATERIAL);   // the mode stays for the next pick

    prompt.line.material = original;
    Drag(50, 50, 550, 350);   // a window over the whole slope
    EXPECT_EQ(slope->GetSegmentMaterial(1), original);
    EXPECT_EQ(slope->GetSegmentMaterial(2), original);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewModesTest, FilterByPickingFlipsPathsAndWindowOnlySelects)
{
    // Three horizontal rock paths at y = 30, 25 and 20 (device rows 100, 150, 200).
    CTalusimRockPath* paths[3];
    for (int i = 0; i < 3; ++i) {
        paths[i] = new CTalusimRockPath;
        const double y = 30 - 5 * i;
        paths[i]->AddStraightSegment(10, y, 50, y, 1.0, 9.81);
        doc->GetDatabase()->AddEntity(paths[i], false);
    }
    auto selected = [&](int i) { return paths[i]->GetCategoryId() == CTalusimRockPath::kCategorySelected; };

    doc->SetMode(MODE_PICK_PATHS);
    Click(300, 100);   // flips the first path on
    EXPECT_TRUE(selected(0));
    EXPECT_FALSE(selected(1));
    Click(300, 100);   // and off again
    EXPECT_FALSE(selected(0));
    Click(300, 100);
    // A window across the first two selects both and unselects none.
    Drag(200, 80, 250, 170);
    EXPECT_TRUE(selected(0));
    EXPECT_TRUE(selected(1));
    EXPECT_FALSE(selected(2));
    EXPECT_EQ(doc->GetMode(), MODE_PICK_PATHS);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewModesTest, DoubleClickInIdleEditsWhatIsUnderIt)
{
    Editors editors;
    CTalusimBarrier* barrier = VWithBarrier();
    ASSERT_NE(barrier, nullptr);
    doc->SetMode(MODE_ADD_POINT_SEEDER);
    Click(400, 50);   // (40, 35), mass 250 from the dialog
    ASSERT_EQ(Seeders(GROUP_POINT_SEEDER).size(), 1u);
    ASSERT_EQ(doc->GetMode(), MODE_IDLE);

    // On a slope vertex (the V's bottom is vertex 2 after the barrier's vertex): the Slope Editor.
    DoubleClick(295, 294);   // (29.5, 10.6): nearest the segment that ends at the bottom
    EXPECT_EQ(editors.slopePick, PICK_SEGMENT);
    EXPECT_EQ(editors.slopeIndex, 2);

    // On the seeder: its initial conditions, and what the user gives back is kept.
    doc->SetModifiedFlag(FALSE);
    editors.mass = 600.0;
    DoubleClick(400, 50);
    EXPECT_EQ(editors.conditionsShown, 2);
    EXPECT_EQ(editors.shownMass, 250.0);
    double mean = 0, sd = 0;
    Seeders(GROUP_POINT_SEEDER).at(0)->GetMass(mean, sd);
    EXPECT_EQ(mean, 600.0);
    EXPECT_EQ(sd, 5.0);
    EXPECT_TRUE(doc->IsModified());

    // Cancelled, nothing changes.
    editors.answer = IDCANCEL;
    editors.mass = 1.0;
    DoubleClick(400, 50);
    Seeders(GROUP_POINT_SEEDER).at(0)->GetMass(mean, sd);
    EXPECT_EQ(mean, 600.0);

    // On the barrier: the Barrier Editor on that barrier.
    DoubleClick(140, 90);
    EXPECT_EQ(editors.barrierEditorShown, 1);
    EXPECT_EQ(editors.barrierShown, barrier);
    // On empty ground: nothing.
    DoubleClick(300, 30);
    EXPECT_EQ(editors.barrierEditorShown, 1);
    EXPECT_EQ(editors.conditionsShown, 3);
}

TEST_F(SlopeViewModesTest, SelectAllMarksVerticesOutsideTheWindowToo)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    for (int i = 0; i < 6; ++i)
        view->OnZoomIn();
    CREGDatabase* db = doc->GetDatabase();
    doc->BeginMoveVertices();
    Key(VK_RETURN);   // nothing marked: back to idle
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    doc->BeginMoveVertices();
    Char('*');
    EXPECT_EQ(db->CountMarkedVertices(ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP), 3);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_BASE);
    view->SendReselectBaseEvent();
    EXPECT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_SELECT);
    Key(VK_ESCAPE);
    EXPECT_EQ(db->CountMarkedVertices(ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP), 0);
}

TEST_F(SlopeViewModesTest, VertexMoveTakenBackWithUAndEscape)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    doc->BeginMoveVertices();
    Click(300, 250);   // marks (30, 15)
    Key(VK_RETURN);
    Click(300, 250);   // base
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_TARGET);
    Move(320, 230);    // the vertex follows: (32, 17)
    ExpectAt(SlopeVertices()[1], 32, 17);
    Move(340, 240);    // from where it stood, not from the last move
    ExpectAt(SlopeVertices()[1], 34, 16);
    view->SendReselectBaseEvent();   // "u": the base again, the vertex back
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_BASE);
    ExpectAt(SlopeVertices()[1], 30, 15);
    Click(300, 250);
    Move(350, 200);
    Key(VK_ESCAPE);    // Escape while moving: back, marks gone, idle
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    ExpectAt(SlopeVertices()[1], 30, 15);
    EXPECT_EQ(doc->GetDatabase()->CountMarkedVertices(ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP), 0);
}

TEST_F(SlopeViewModesTest, DeleteVerticesWindowTogglesEachMark)
{
    DrawSlope({{100, 100}, {200, 150}, {300, 250}, {500, 300}});
    doc->BeginDeleteVertices();
    Click(200, 150);            // marks (20, 25)
    Drag(180, 130, 320, 270);   // toggles (20, 25) off and (30, 15) on
    Key(VK_RETURN);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 3u);
    ExpectAt(v[1], 20, 25);
    ExpectAt(v[2], 50, 10);
}

TEST_F(SlopeViewModesTest, VertexSnapWithinElevenPixels)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    doc->GetDatabase()->SetSnapMode(SNAP_VERTEX);
    doc->OnAddDataCollector();
    Click(311, 239);   // 11 pixels off on both axes: the vertex (30, 15)
    Click(311, 100);
    doc->OnAddDataCollector();
    Click(488, 300);   // 12 pixels off: where clicked
    Click(488, 100);
    auto collectors = Placed(GROUP_COLLECTOR);
    ASSERT_EQ(collectors.size(), 2u);
    std::vector<CVector2D> starts{collectors[0]->GetStartPoint(), collectors[1]->GetStartPoint()};
    std::sort(starts.begin(), starts.end(), [](const CVector2D& a, const CVector2D& b) { return a.x < b.x; });
    ExpectAt(starts[0], 30, 15);
    EXPECT_NEAR(starts[1].x, 48.8, 1e-3);   // rounded down to thousandths
    EXPECT_NEAR(starts[1].y, 10, 1e-3);
}


TEST_F(SlopeViewModesTest, TypedPointsBeyondWhatTheViewCanShowAreRefusedWithTheRangeMessage)
{
    InstalledPromptLine prompt;
    ViewMessageBoxes boxes;
    Editors editors;
    const std::vector<std::string> range{"Please enter a number between -1000000000 and 1000000000."};
    // A slope vertex typed far out is refused, and the slope goes on from the click before.
    doc->BeginDefineSlope();
    Click(100, 100);
    prompt.line.typed.push_back(CVector2D(55, 1e300));
    Key(VK_RETURN);
    EXPECT_EQ(boxes.texts, range);
    EXPECT_EQ(prompt.line.typed.size(), 1u);   // the text stays to be corrected
    prompt.line.typed.clear();
    Click(500, 300);
    Key(VK_RETURN);
    ASSERT_EQ(doc->GetSlope()->GetVertexCount(), 2);

    struct Case {
        const char* what;
        std::function<void()> enter;
        CVector2D typed;
    } cases[] = {
        {"point seeder", [&] { doc->SetMode(MODE_ADD_POINT_SEEDER); }, {-2e9, 35}},
        {"barrier end", [&] { doc->OnAddBarrier(); }, {20, 1.5e9}},
        {"collector end", [&] { doc->OnAddDataCollector(); }, {1e300, 20}},
    };
    for (const Case& c : cases) {
        boxes.texts.clear();
        c.enter();
        const int mode = doc->GetMode();
        prompt.line.typed.push_back(c.typed);
        Key(VK_RETURN);
        EXPECT_EQ(boxes.texts, range) << c.what;
        EXPECT_EQ(doc->GetMode(), mode) << c.what;
        prompt.line.typed.clear();
        Key(VK_ESCAPE);
    }
    EXPECT_EQ(editors.conditionsShown, 0);
    EXPECT_TRUE(Seeders(ID_ANY_GROUP).empty());
    EXPECT_TRUE(Placed(GROUP_BARRIER).empty());
    EXPECT_TRUE(Placed(GROUP_COLLECTOR).empty());
}
