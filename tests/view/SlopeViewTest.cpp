// The slope view driven as a user drives it: mouse and keys on a real window
// over a real document.
#include "tests/view/SlopeViewTestSupport.h"

#include "model/InteractionModes.h"

namespace {

const char* kInvalidSlopeVertex =
    "Invalid location for Slope vertex\nSlope segments cannot intersect barriers or other slope segments";
const char* kInvalidBarrierEnd =
    "Invalid location for barrier endpoint:\nBarriers cannot intersect other barriers or slope segments";

void ExpectNear(const CVector2D& a, const CVector2D& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}

}  // namespace

TEST_F(SlopeViewTest, DefineSlopeWithTheMouseAndEndWithEnter)
{
    ViewMessageBoxes boxes;
    doc->BeginDefineSlope();
    EXPECT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
    Click(100, 100);
    Click(300, 250);
    Click(500, 300);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 3u);
    ExpectNear(v[0], CVector2D(10, 30));
    ExpectNear(v[1], CVector2D(30, 15));
    ExpectNear(v[2], CVector2D(50, 10));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(SlopeViewTest, TypedPointsAndUndoInSlopeDefinition)
{
    InstalledPromptLine prompt;
    doc->BeginDefineSlope();
    Click(100, 100);
    Click(300, 250);
    // Enter with "55,5" typed adds that vertex as given and stays in the mode.
    prompt.line.typed.push_back(CVector2D(55, 5));
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
    // Enter without a point typed but with text would do nothing; "u" undoes the last vertex.
    view->SendReselectBaseEvent();
    Click(450, 320);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 3u);
    ExpectNear(v[0], CVector2D(10, 30));
    ExpectNear(v[1], CVector2D(30, 15));
    ExpectNear(v[2], CVector2D(45, 8));
    // Mouse moves report the world point to the status bar.
    Move(120, 50);
    ExpectNear(prompt.line.cursor, CVector2D(12, 35));
}

TEST_F(SlopeViewTest, CrossingOrRepeatedSlopeVertexIsRefused)
{
    ViewMessageBoxes boxes;
    doc->BeginDefineSlope();
    Click(100, 100);   // (10, 30)
    Click(300, 250);   // (30, 15)
    Click(500, 300);   // (50, 10)
    Click(400, 100);   // (40, 30)
    Click(200, 350);   // (20, 5): the new segment would cross the first one
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], kInvalidSlopeVertex);
    Click(400, 100);   // on the last fixed vertex
    EXPECT_EQ(boxes.texts.size(), 2u);
    Key(VK_RETURN);
    EXPECT_EQ(SlopeVertices().size(), 4u);
}

TEST_F(SlopeViewTest, ClickThatClosesTheContextMenuReachesNoHandler)
{
    doc->BeginDefineSlope();
    view->SetContextMenuUp(true);
    Click(100, 100);
    EXPECT_FALSE(view->IsContextMenuUp());
    EXPECT_LE(SlopeVertices().size(), 1u);   // at most the rubber-band vertex
    Click(200, 150);
    Click(300, 250);
    Key(VK_RETURN);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 2u);
    ExpectNear(v[0], CVector2D(20, 25));
}

TEST_F(SlopeViewTest, EscapeCancelsAndRequestsAreNoModes)
{
    doc->BeginDefineSlope();
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    // A done event in a mode that takes typed points does nothing without one.
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    doc->SetMode(MODE_ADD_COLLECTOR_FIRST);
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_ADD_COLLECTOR_FIRST);
}

TEST_F(SlopeViewTest, InsertAndDeleteSlopeVertices)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    doc->SetMode(MODE_INSERT_VERTEX);
    Click(200, 175);   // the middle of the first segment
    EXPECT_EQ(doc->GetMode(), MODE_INSERT_VERTEX);
    Key(VK_ESCAPE);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 4u);
    ExpectNear(v[1], CVector2D(20, 22.5));

    doc->BeginDeleteVertices();
    ASSERT_EQ(doc->GetMode(), MODE_DELETE_VERTICES);
    Click(200, 175);   // marks the new vertex
    Click(300, 250);   // and the old second one
    Click(300, 250);   // a second click unmarks it
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    v = SlopeVertices();
    ASSERT_EQ(v.size(), 3u);
    ExpectNear(v[1], CVector2D(30, 15));
}

TEST_F(SlopeViewTest, MoveVerticesBySelectingBaseAndTarget)
{
    DrawSlope({{100, 100}, {300, 250}, {500, 300}});
    doc->BeginMoveVertices();
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_SELECT);
    Drag(480, 280, 520, 320);   // a window round the last vertex
    Key(VK_RETURN);
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_BASE);
    Click(500, 300);
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_TARGET);
    Click(550, 320);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto v = SlopeVertices();
    ASSERT_EQ(v.size(), 3u);
    ExpectNear(v[2], CVector2D(55, 8));
    ExpectNear(v[1], CVector2D(30, 15));
}

TEST_F(SlopeViewTest, BarrierStartsOnTheSlopeAndAnEndUnderItIsRefused)
{
    ViewMessageBoxes boxes;
    DrawSlope({{100, 100}, {300, 300}, {500, 100}});   // a V: (10, 30), (30, 10), (50, 30)
    doc->OnAddBarrier();
    ASSERT_EQ(doc->GetMode(), MODE_ADD_BARRIER_FIRST);
    Click(140, 120);   // beside the left arm, at (14, 28)
    ASSERT_EQ(doc->GetMode(), MODE_ADD_BARRIER_SECOND);
    // The first end dropped onto the left arm (y = 40 - x), which got a vertex there.
    CTalusimBarrier* pending = doc->GetPendingBarrier();
    ASSERT_NE(pending, nullptr);
    EXPECT_NEAR(pending->GetY1(), 40 - pending->GetX1(), 1e-6);
    EXPECT_NEAR(pending->GetX1(), 13, 1e-6);
    EXPECT_EQ(SlopeVertices().size(), 4u);

    Click(200, 250);   // (20, 15), under the slope: refused, the mode stays
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], kInvalidBarrierEnd);
    EXPECT_EQ(doc->GetMode(), MODE_ADD_BARRIER_SECOND);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_TRUE(CollectAs<CTalusimBarrier>(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).empty());
}

TEST_F(SlopeViewTest, BarrierStandsOnTheVertexItsFirstEndInserted)
{
    ViewMessageBoxes boxes;
    DrawSlope({{100, 100}, {300, 300}, {500, 100}});   // a V: (10, 30), (30, 10), (50, 30)
    doc->OnAddBarrier();
    Click(140, 120);   // the first end drops onto the left arm at (13, 27) and becomes a vertex
    Click(140, 60);    // (14, 34), above the arm
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(CollectAs<CTalusimBarrier>(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).size(), 1u);
}

TEST_F(SlopeViewTest, CollectorStaysWhereClicked)
{
    DrawSlope({{100, 100}, {500, 300}});
    doc->OnAddDataCollector();
    ASSERT_EQ(doc->GetMode(), MODE_ADD_COLLECTOR_FIRST);
    Click(450, 100);
    Click(450, 200);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    auto collectors = CollectAs<CTalusimBarrier>(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    ASSERT_EQ(collectors.size(), 1u);
    EXPECT_NEAR(collectors[0]->GetX1(), 45, 1e-9);
    EXPECT_NEAR(collectors[0]->GetY1(), 30, 1e-9);
    EXPECT_NEAR(collectors[0]->GetY2(), 20, 1e-9);
}

TEST_F(SlopeViewTest, ZoomStepsAndWheel)
{
    DrawSlope({{100, 100}, {500, 300}});
    view->SetShowRuler(false);
    EXPECT_EQ(view->GetRulerMargin(), CRect(0, 0, 0, 0));
    CViewContext* vc = view->GetViewContext();
    const double width = vc->GetWorldExtent().x;
    view->OnZoomIn();
    EXPECT_NEAR(vc->GetWorldExtent().x, width * 0.9, 1e-9 * width);
    view->OnZoomOut();
    EXPECT_NEAR(vc->GetWorldExtent().x, width, 1e-9 * width);

    CPoint centre(300, 200);
    view->ClientToScreen(&centre);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(centre.x, centre.y));
    const double wheeled = vc->GetWorldExtent().x;
    EXPECT_NEAR(wheeled, width * 0.9, 1e-6 * width);
    // In the zoom modes the wheel changes nothing.
    doc->SetMode(MODE_ZOOM_WINDOW);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(vc->GetWorldExtent().x, wheeled);
    doc->SetMode(MODE_IDLE);

    // With rulers the left and bottom bands of 0.19 inch stay free.
    view->SetShowRuler(true);
    if (doc->GetRulers() != nullptr) {
        CClientDC dc(view);
        const CRect margin = view->GetRulerMargin();
        EXPECT_NEAR(margin.left, 0.19 * dc.GetDeviceCaps(LOGPIXELSX), 1.0);
        EXPECT_NEAR(margin.bottom, 0.19 * dc.GetDeviceCaps(LOGPIXELSY), 1.0);
    }
    view->OnZoomAll();
    const CPoint first = vc->WorldToDevice(10, 30);
    EXPECT_GE(first.x, view->GetRulerMargin().left);
}

TEST_F(SlopeViewTest, UpdateWithAnEntityRepaintsOnlyItsRectangle)
{
    DrawSlope({{100, 100}, {200, 150}});
    view->UpdateWindow();
    view->ValidateRect(nullptr);
    doc->UpdateAllViews(nullptr, 0, doc->GetSlope());
    CRect dirty;
    ASSERT_TRUE(view->GetUpdateRect(&dirty, FALSE));
    CRect client;
    view->GetClientRect(&client);
    EXPECT_LT(dirty.Width() * dirty.Height(), client.Width() * client.Height());
    EXPECT_TRUE(dirty.PtInRect(CPoint(150, 125)));
}

TEST_F(SlopeViewTest, MetafileExportLeavesTheGridOut)
{
    DrawSlope({{100, 100}, {500, 300}});
    CREGDatabase* db = doc->GetDatabase();
    auto records = [&](bool gridShown) {
        db->SetGridState(gridShown ? GRID_SHOW : GRID_HIDE);
        HDC meta = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        CDC dc;
        dc.Attach(meta);
        view->SetMetafileDrawing(true);
        view->OnDraw(&dc);
        view->SetMetafileDrawing(false);
        dc.Detach();
        HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
        ENHMETAHEADER header{};
        ::GetEnhMetaFileHeader(emf, sizeof(header), &header);
        ::DeleteEnhMetaFile(emf);
        return header.nRecords;
    };
    const UINT withGrid = records(true);
    EXPECT_EQ(db->GetGridState(), GRID_SHOW);   // restored after the export
    const UINT withoutGrid = records(false);
    EXPECT_EQ(db->GetGridState(), GRID_HIDE);
    EXPECT_EQ(withGrid, withoutGrid);
    EXPECT_GT(withGrid, 2u);
}

TEST_F(SlopeViewTest, DataTipsOnlyWhenIdle)
{
    DrawSlope({{100, 100}, {500, 300}});
    HWND tip = view->GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    auto askTip = [&]() {
        CPoint onSlope(300, 200);
        view->ClientToScreen(&onSlope);
        ::SetCursorPos(onSlope.x, onSlope.y);
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = tip;
        info.hdr.code = TTN_NEEDTEXTA;
        view->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText != nullptr && info.lpszText[0] != '\0';
    };
    frame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_TRUE(askTip());
    EXPECT_FALSE(view->GetDataTipText().IsEmpty());
    doc->SetMode(MODE_ADD_COLLECTOR_FIRST);
    EXPECT_FALSE(askTip());
    doc->SetMode(MODE_IDLE);
}

// A data tip quotes names as they were typed ("Rock & soil"): the tip window
// draws an ampersand as itself.
TEST_F(SlopeViewTest, DataTipsShowAmpersandsAsTyped)
{
    HWND tip = view->GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::GetWindowLongA(tip, GWL_STYLE) & TTS_NOPREFIX);
}

TEST_F(SlopeViewTest, MiddleButtonPansAndGivesTheModeBack)
{
    DrawSlope({{100, 100}, {500, 300}});
    doc->SetMode(MODE_ADD_COLLECTOR_FIRST);
    CViewContext* vc = view->GetViewContext();
    const CVector2D origin = vc->GetWorldOrigin();
    view->SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, At(300, 200));
    EXPECT_EQ(doc->GetMode(), MODE_PAN);
    view->SendMessage(WM_MOUSEMOVE, MK_MBUTTON, At(250, 220));   // 5 m left, 2 m down
    view->SendMessage(WM_MBUTTONUP, 0, At(250, 220));
    EXPECT_EQ(doc->GetMode(), MODE_ADD_COLLECTOR_FIRST);
    EXPECT_NEAR(vc->GetWorldOrigin().x, origin.x + 5, 1e-9);
    EXPECT_NEAR(vc->GetWorldOrigin().y, origin.y + 2, 1e-9);
}

TEST_F(SlopeViewTest, MiddleButtonWithTheLeftHeldPansOnlyFromIdle)
{
    DrawSlope({{100, 100}, {500, 300}});
    doc->SetMode(MODE_ADD_COLLECTOR_FIRST);
    view->SendMessage(WM_MBUTTONDOWN, MK_MBUTTON | MK_LBUTTON, At(300, 200));
    EXPECT_EQ(doc->GetMode(), MODE_ADD_COLLECTOR_FIRST);
    view->SendMessage(WM_MBUTTONUP, MK_LBUTTON, At(300, 200));
    doc->SetMode(MODE_IDLE);
    view->SendMessage(WM_MBUTTONDOWN, MK_MBUTTON | MK_LBUTTON, At(300, 200));
    EXPECT_EQ(doc->GetMode(), MODE_PAN);
    view->SendMessage(WM_MBUTTONUP, MK_LBUTTON, At(300, 200));
}

TEST_F(SlopeViewTest, DeleteCollectorsByClickAndSelectAll)
{
    DrawSlope({{100, 100}, {500, 300}});
    for (int x : {450, 480}) {
        doc->OnAddDataCollector();
        Click(x, 100);
        Click(x, 200);
    }
    auto collectors = [&] {
        return CollectAs<CTalusimBarrier>(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR).size();
    };
    ASSERT_EQ(collectors(), 2u);
    doc->SetMode(MODE_DELETE_COLLECTORS);
    Click(450, 150);   // selects the first
    EXPECT_EQ(doc->GetDatabase()->CountInSet(SET_SELECTION), 1);
    Key(VK_RETURN);
    EXPECT_EQ(collectors(), 1u);
    doc->SetMode(MODE_DELETE_COLLECTORS);
    Char('*');
    EXPECT_EQ(doc->GetDatabase()->CountInSet(SET_SELECTION), 1);
    Key(VK_RETURN);
    EXPECT_EQ(collectors(), 0u);
}

