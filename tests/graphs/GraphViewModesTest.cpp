// The graph window's interaction on its slope panel, driven by the messages a
// user's mouse and keys send: drawing tools of the window's own, picking rock
// paths for the filter, deleting drawings, the commands' states, and Copy.
#include "GraphWindowSupport.h"

#include "support/FileDialogAnswer.h"
#include "support/WhenShown.h"

#include <cmath>

#include "framework/Menu.h"
#include "geometry/ViewContext.h"
#include "graphs/GraphChart.h"
#include "model/InteractionModes.h"
#include "model/TalusimRockPath.h"
#include "res/dialogs-view.h"
#include "res/resource.h"
#include "tools/Measure.h"
#include "tools/ToolImage.h"
#include "tools/ToolServices.h"
#include "view/ModeHandlers.h"
#include "tests/support/InstalledTools.h"

namespace {

struct ModesCmdUI : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

class GraphModesTest : public GraphWindowTest
{
protected:
    InstalledTools tools;

    // A split graph window 600 x 400: the slope panel is rows 200 to 399.
    CTalusimOlectraView* OpenSplit(int kind)
    {
        CTalusimOlectraView* view = Open(kind);
        if (view) {
            SizeClient(view, 600, 400);
            view->UpdateWindow();
        }
        return view;
    }

    static ModesCmdUI StateOf(CCmdTarget* target, UINT id)
    {
        ModesCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(target, FALSE);
        return ui;
    }

    // The cursor the window sets for the mouse over its client area.
    static HCURSOR CursorOver(CWnd* view)
    {
        ::SetCursor(nullptr);
        view->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }

    static void Command(CWnd* view, UINT id) { view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    static void Click(CWnd* view, int x, int y)
    {
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        view->SendMessage(WM_LBUTTONUP, 0, At(x, y));
    }

    static void Drag(CWnd* view, CPoint from, CPoint to)
    {
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
        for (int step = 1; step <= 4; ++step)
            view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON,
                              At(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4));
        view->SendMessage(WM_LBUTTONUP, 0, At(to.x, to.y));
    }

    std::vector<CMeasure*> DrawingsOf(CView* owner)
    {
        std::vector<CMeasure*> out;
        CREGDatabase* db = doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i)
            if (auto* t = dynamic_cast<CMeasure*>(db->GetEntityAt(i)); t && t->GetGroupId() == ToolGroupOf(owner))
                out.push_back(t);
        return out;
    }

    // Draws a line with the command and two clicks on the panel.
    void DrawLine(CTalusimOlectraView* view, CPoint a, CPoint b)
    {
        Command(view, ID_TOOL_LINE);
        Click(view, a.x, a.y);
        view->SendMessage(WM_MOUSEMOVE, 0, At(b.x, b.y));
        Click(view, b.x, b.y);
    }

    std::vector<CTalusimRockPath*> Paths()
    {
        std::vector<CTalusimRockPath*> out;
        CREGDatabase* db = doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i)
            if (auto* p = dynamic_cast<CTalusimRockPath*>(db->GetEntityAt(i)))
                out.push_back(p);
        return out;
    }

    int PassingPaths()
    {
        int n = 0;
        for (CTalusimRockPath* p : Paths())
            n += p->GetCategoryId() == CAT_PATH_PASSES ? 1 : 0;
        return n;
    }
};

TEST_F(GraphModesTest, ALineDrawnOnTheSlopePanelBelongsToThatWindow)
{
    MakeSlope();
    Compute();
    doc->GetDatabase()->SetSnapMode(29);
    CTalusimOlectraView* view = OpenSplit(2901);
    ASSERT_NE(view, nullptr);
    CTalusimOlectraView* other = Open(2940);
    ASSERT_NE(other, nullptr);

    Command(view, ID_TOOL_LINE);
    EXPECT_EQ(doc->GetMode(), MODE_LINE_TOOL_FIRST);
    // The first click is where the line starts; no location is chosen meanwhile.
    const int location = view->GetGraphState().location.index;
    Click(view, 150, 260);
    EXPECT_EQ(doc->GetMode(), MODE_LINE_TOOL_NEXT);
    EXPECT_EQ(view->GetGraphState().location.index, location);
    view->SendMessage(WM_MOUSEMOVE, 0, At(420, 330));
    Click(view, 420, 330);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);

    const std::vector<CMeasure*> drawn = DrawingsOf(view);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0]->GetKindId(), 2181);
    EXPECT_TRUE(drawn[0]->IsSelectable());
    // The ends are the world points under the clicks, to a thousandth.
    CViewContext* vc = view->GetViewContext();
    const CVector2D a = vc->DeviceToWorld(150, 260), b = vc->DeviceToWorld(420, 330);
    EXPECT_NEAR(drawn[0]->GetStartPoint().x, a.x, 2e-3);
    EXPECT_NEAR(drawn[0]->GetStartPoint().y, a.y, 2e-3);
    EXPECT_NEAR(drawn[0]->GetEndPoint().x, b.x, 2e-3);
    EXPECT_NEAR(drawn[0]->GetEndPoint().y, b.y, 2e-3);
    EXPECT_TRUE(DrawingsOf(other).empty());
    EXPECT_TRUE(view->HasDrawings());
    EXPECT_FALSE(other->HasDrawings());

    // Escape before the second point leaves no half-drawn line behind.
    Command(view, ID_TOOL_ARROW);
    Click(view, 200, 300);
    EXPECT_EQ(doc->GetMode(), MODE_ARROW_TAIL);
    view->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(GraphModesTest, ADrawingIsPickedEditedAndDraggedOnThePanel)
{
    MakeSlope();
    Compute();
    doc->GetDatabase()->SetSnapMode(29);
    CTalusimOlectraView* view = OpenSplit(2940);
    ASSERT_NE(view, nullptr);
    DrawLine(view, CPoint(150, 260), CPoint(420, 330));
    ASSERT_EQ(DrawingsOf(view).size(), 1u);
    CMeasure* line = DrawingsOf(view)[0];

    // A click on the line picks it for editing; the location stays.
    Click(view, 285, 295);
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    EXPECT_EQ(doc->GetCurrentEntity(), line);
    EXPECT_TRUE(line->IsEditing());

    // Its end grip dragged elsewhere takes the end along.
    CViewContext* vc = view->GetViewContext();
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(420, 330));
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_MOVE);
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(460, 360));
    view->SendMessage(WM_LBUTTONUP, 0, At(480, 370));
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    const CVector2D moved = vc->DeviceToWorld(480, 370);
    EXPECT_NEAR(line->GetEndPoint().x, moved.x, 2e-3);
    EXPECT_NEAR(line->GetEndPoint().y, moved.y, 2e-3);

    // Delete (the main frame's delete input) removes the drawing being edited.
    view->SendDeleteEvent();
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_TRUE(DrawingsOf(view).empty());
}

namespace {

HWND AddTextItem(int id) { return ::GetDlgItem(::FindWindowA(nullptr, "Add Text"), id); }
// Types the text over whatever the dialog holds, then presses a button.
void Answer(const char* text, int button)
{
    ::SendMessageA(AddTextItem(16145), EM_SETSEL, 0, -1);
    ::SendMessageA(AddTextItem(16145), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    ::SendMessageA(AddTextItem(button), BM_CLICK, 0, 0);
}

}  // namespace

TEST_F(GraphModesTest, ATextBoxIsPlacedAndItsTextEditedThroughTheAddTextDialog)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2940);
    ASSERT_NE(view, nullptr);
    // Cancelled: nothing placed, the mode ends all the same.
    Command(view, ID_TOOL_TEXT_BOX);
    {
        WhenShown when([] { Answer("Gone", IDCANCEL); });
        Click(view, 200, 250);
    }
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_TRUE(DrawingsOf(view).empty());

    Command(view, ID_TOOL_TEXT_BOX);
    {
        WhenShown when([] { Answer("Talus foot", IDOK); });
        Click(view, 200, 250);
    }
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    std::vector<CMeasure*> drawn = DrawingsOf(view);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0]->GetType(), 12052);
    EXPECT_EQ(std::string(drawn[0]->GetText()), "Talus foot");
    const CVector2D at = view->GetViewContext()->DeviceToWorld(200, 250);
    EXPECT_NEAR(drawn[0]->GetStartPoint().x, at.x, 2e-3);
    EXPECT_NEAR(drawn[0]->GetStartPoint().y, at.y, 2e-3);

    // Edit Text on the picked text box (the entity of the last right click).
    doc->GetDatabase()->ClearSet(SET_WORK);
    drawn[0]->AddToSet(SET_WORK);
    {
        WhenShown when([] { Answer("Talus toe", IDOK); });
        Command(view, ID_CONTEXT_EDIT_TEXT);
    }
    EXPECT_EQ(std::string(drawn[0]->GetText()), "Talus toe");
    // Delete takes it away.
    Command(view, ID_CONTEXT_DELETE_TEXT);
    EXPECT_TRUE(DrawingsOf(view).empty());
}

TEST_F(GraphModesTest, OnlyAClickOnTheSlopeOffADrawingChoosesTheLocation)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2901);
    ASSERT_NE(view, nullptr);
    int left = 0, right = 0;
    GetPlotAreaColumns(view->GetChart(), 600, left, right);
    Click(view, left + 2, 320);
    const int first = view->GetGraphState().location.index;
    // The upper half is the chart's.
    Click(view, right - 2, 100);
    EXPECT_EQ(view->GetGraphState().location.index, first);
    // A click that picks a drawing for editing leaves the location too.
    DrawLine(view, CPoint(right - 60, 260), CPoint(right - 2, 260));
    Click(view, right - 2, 260);
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    EXPECT_EQ(view->GetGraphState().location.index, first);
    view->SendCancelEvent();
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    Click(view, right - 2, 320);
    EXPECT_NE(view->GetGraphState().location.index, first);
}

TEST_F(GraphModesTest, FilterByPickingMarksThePathsUnderTheBandOrTheClick)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2902);
    ASSERT_NE(view, nullptr);
    ASSERT_FALSE(Paths().empty());
    ASSERT_EQ(PassingPaths(), 0);
    EXPECT_EQ(StateOf(view, ID_FILTER_BY_PICKING).enabled, 1);
    Command(view, ID_FILTER_BY_PICKING);
    ASSERT_EQ(doc->GetMode(), MODE_PICK_PATHS);
    EXPECT_EQ(StateOf(view, ID_FILTER_BY_PICKING).checked, 1);
    EXPECT_EQ(CursorOver(view), ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(16003)));

    // A click on one path's resting point turns it (and any other there) over.
    CTalusimRockPath* path = Paths()[Paths().size() / 2];
    view->SendMessage(WM_MOUSEMOVE, 0, At(300, 300));   // the panel is mapped as shown
    const CPoint end = view->GetViewContext()->WorldToDevice(path->GetLastPoint());
    ASSERT_GE(end.y, 200);
    Click(view, end.x, end.y);
    EXPECT_EQ(path->GetCategoryId(), CAT_PATH_PASSES);
    EXPECT_GE(PassingPaths(), 1);
    EXPECT_EQ(doc->GetMode(), MODE_PICK_PATHS);
    Click(view, end.x, end.y);
    EXPECT_EQ(path->GetCategoryId(), CAT_PATH_NOT_FILTERED);

    // A band over the whole panel lets every path pass.
    Drag(view, CPoint(2, 202), CPoint(597, 398));
    EXPECT_EQ(PassingPaths(), static_cast<int>(Paths().size()));
    EXPECT_EQ(StateOf(view, ID_REMOVE_FILTER).enabled, 1);
    EXPECT_EQ(StateOf(view, ID_FILTER_BY_VALUE).enabled, 0);

    // Escape ends picking; the cursor is the window's own again.
    view->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(CursorOver(view), ::LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(GraphModesTest, DeleteAllDrawingsAsksAndTakesOnlyThisWindowsDrawings)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2901);
    ASSERT_NE(view, nullptr);
    CTalusimOlectraView* other = OpenSplit(2941);
    ASSERT_NE(other, nullptr);
    DrawLine(view, CPoint(100, 250), CPoint(300, 300));
    DrawLine(view, CPoint(320, 250), CPoint(500, 380));
    DrawLine(other, CPoint(100, 250), CPoint(300, 300));
    ASSERT_EQ(DrawingsOf(view).size(), 2u);
    ASSERT_EQ(DrawingsOf(other).size(), 1u);

    {
        MessageBoxRecorder boxes;
        MessageBoxRecorder::answers = {IDCANCEL};
        Command(view, ID_TOOL_DELETE_ALL_DRAWINGS);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0],
                  "This will delete all of the arrows, text and measurements\nyou have added to this window");
        EXPECT_EQ(boxes.types[0] & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(DrawingsOf(view).size(), 2u);

        MessageBoxRecorder::answers = {IDOK};
        Command(view, ID_CONTEXT_DELETE_ALL_DRAWINGS);
        EXPECT_EQ(boxes.texts.size(), 2u);
    }
    EXPECT_TRUE(DrawingsOf(view).empty());
    EXPECT_EQ(DrawingsOf(other).size(), 1u);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(StateOf(view, ID_TOOL_DELETE_ALL_DRAWINGS).enabled, 0);
    EXPECT_EQ(StateOf(other, ID_TOOL_DELETE_ALL_DRAWINGS).enabled, 1);
}

TEST_F(GraphModesTest, AClosedWindowTakesItsDrawingsAndAHalfDrawnToolAlong)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2901);
    ASSERT_NE(view, nullptr);
    CTalusimOlectraView* other = OpenSplit(2940);
    ASSERT_NE(other, nullptr);
    DrawLine(view, CPoint(100, 250), CPoint(300, 300));
    DrawLine(other, CPoint(100, 250), CPoint(300, 300));
    // A second line begun, not finished, when the window closes.
    Command(view, ID_TOOL_RECTANGLE);
    Click(view, 120, 260);
    ASSERT_EQ(doc->GetMode(), MODE_RECTANGLE_SECOND);
    const int group = ToolGroupOf(view);
    auto drawingsOfGroup = [&] {
        int n = 0;
        CREGDatabase* db = doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i)
            n += db->GetEntityAt(i)->GetKindId() == 2181 && db->GetEntityAt(i)->GetGroupId() == group ? 1 : 0;
        return n;
    };
    ASSERT_EQ(drawingsOfGroup(), 2);
    {
        // Drawings never saved: closing offers to save them; Cancel keeps the window.
        MessageBoxRecorder boxes;
        boxes.answers = {IDCANCEL};
        view->GetParentFrame()->SendMessage(WM_CLOSE);
        Idle();
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0].rfind("Save changes to the drawings in ", 0), 0u) << boxes.texts[0];
        EXPECT_EQ(drawingsOfGroup(), 2);
        ASSERT_EQ(GraphViews().size(), 2u);
    }
    MessageBoxRecorder boxes;
    boxes.answers = {IDNO};
    view->GetParentFrame()->SendMessage(WM_CLOSE);
    Idle();
    // Only this window's drawings were asked about: the document stays open in the others.
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(drawingsOfGroup(), 0);
    EXPECT_EQ(doc->GetCurrentTool(), nullptr);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(DrawingsOf(other).size(), 1u);
    // A window opened anew starts without drawings, wherever it lives.
    CTalusimOlectraView* again = OpenSplit(2901);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(DrawingsOf(again).empty());
    EXPECT_FALSE(again->HasDrawings());
}

TEST_F(GraphModesTest, ARightClickOnADrawingOffersItsOwnMenu)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2940);
    ASSERT_NE(view, nullptr);
    DrawLine(view, CPoint(150, 260), CPoint(420, 330));
    ASSERT_EQ(DrawingsOf(view).size(), 1u);
    int deleteItem = -1, formatItem = -1, splitItem = -1;
    {
        WhenShown close([&] {
            HMENU menu = AfxGetTrackingMenu();
            if (menu) {
                deleteItem = static_cast<int>(::GetMenuState(menu, ID_CONTEXT_DELETE_TOOL, MF_BYCOMMAND));
                formatItem = static_cast<int>(::GetMenuState(menu, ID_CONTEXT_FORMAT_TOOL, MF_BYCOMMAND));
                splitItem = static_cast<int>(::GetMenuState(menu, ID_GRAPH_SPLIT_VIEW, MF_BYCOMMAND));
            }
            ::EndMenu();
        });
        CPoint screen(285, 295);
        view->ClientToScreen(&screen);
        view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(screen.x, screen.y));
    }
    EXPECT_NE(deleteItem, -1);
    EXPECT_NE(formatItem, -1);
    EXPECT_EQ(splitItem, -1);
    // Its commands, chosen from the menu, reach the graph window through the main frame.
    bool formatShown = false;
    {
        WhenShown cancel([&] {
            HWND dialog = ::FindWindowA(nullptr, "Format Tool");
            formatShown = dialog != nullptr;
            if (dialog)
                ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        mainFrame->SendMessage(WM_COMMAND, ID_CONTEXT_FORMAT_TOOL);
    }
    EXPECT_TRUE(formatShown);
    ASSERT_EQ(DrawingsOf(view).size(), 1u);
    mainFrame->SendMessage(WM_COMMAND, ID_CONTEXT_DELETE_TOOL);
    EXPECT_TRUE(DrawingsOf(view).empty());
}

TEST_F(GraphModesTest, DeleteDrawingsPicksByBandAndDeletesOnEnter)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2940);
    ASSERT_NE(view, nullptr);
    DrawLine(view, CPoint(100, 250), CPoint(200, 280));
    DrawLine(view, CPoint(400, 250), CPoint(500, 280));
    ASSERT_EQ(DrawingsOf(view).size(), 2u);
    Command(view, ID_TOOL_DELETE_DRAWINGS);
    ASSERT_EQ(doc->GetMode(), MODE_DELETE_TOOLS);
    // The band covers the left line only.
    Drag(view, CPoint(80, 230), CPoint(250, 300));
    view->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    const std::vector<CMeasure*> left = DrawingsOf(view);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_GT(left[0]->GetStartPoint().x, view->GetViewContext()->DeviceToWorld(300, 250).x);
}

TEST_F(GraphModesTest, ToolCommandsFollowTheGraphAndTheSplit)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* distribution = OpenSplit(2903);
    CTalusimOlectraView* envelope = OpenSplit(2942);
    CTalusimOlectraView* impact = Open(3142, collector);
    ASSERT_TRUE(distribution && envelope && impact);

    struct Case {
        CTalusimOlectraView* view;
        bool split;
        int tools;     // the tool commands and Open Tools File
        int picking;   // Filter by Picking
    };
    const Case cases[] = {
        {distribution, true, 1, 1},
        {distribution, false, 0, 1},
        {envelope, true, 1, 0},
        {impact, false, 0, 1},
    };
    for (const Case& c : cases) {
        c.view->SetSplitView(c.split);
        for (UINT id : {ID_TOOL_MEASURE, ID_TOOL_ARROW, ID_TOOL_RECTANGLE, ID_TOOL_CIRCLE, ID_TOOL_LINE, ID_TOOL_AXIS,
                        ID_TOOLS_FILE_OPEN})
            EXPECT_EQ(StateOf(c.view, id).enabled, c.tools) << c.view->GetGraphKind() << " " << id;
        EXPECT_EQ(StateOf(c.view, ID_FILTER_BY_PICKING).enabled, c.picking) << c.view->GetGraphKind();
        // Nothing drawn: nothing to delete or save.
        for (UINT id : {ID_TOOL_DELETE_DRAWINGS, ID_TOOL_DELETE_ALL_DRAWINGS, ID_TOOLS_FILE_SAVE})
            EXPECT_EQ(StateOf(c.view, id).enabled, 0) << id;
        EXPECT_EQ(StateOf(c.view, ID_TOOL_TEXT_BOX).enabled, c.tools) << c.view->GetGraphKind();
        EXPECT_EQ(StateOf(c.view, ID_TOOL_PICTURE).enabled, c.tools) << c.view->GetGraphKind();
        EXPECT_EQ(StateOf(c.view, ID_TOOL_SCALE_PICTURE).enabled, 0) << "no picture is the current entity";
    }
    distribution->SetSplitView(true);
    Command(distribution, ID_TOOL_CIRCLE);
    EXPECT_EQ(StateOf(distribution, ID_TOOL_CIRCLE).checked, 1);
    EXPECT_EQ(StateOf(distribution, ID_TOOL_LINE).checked, 0);
    // Asked again, the command ends its mode.
    Command(distribution, ID_TOOL_CIRCLE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    // The envelope offers no filter at all.
    for (UINT id : {ID_FILTER_BY_VALUE, ID_FILTER_BY_IMPACT, ID_REMOVE_FILTER, ID_FILTERED_PATHS_ONLY})
        EXPECT_EQ(StateOf(envelope, id).enabled, 0) << id;
    EXPECT_EQ(StateOf(distribution, ID_FILTER_BY_VALUE).enabled, 1);
    EXPECT_EQ(StateOf(distribution, ID_FILTER_BY_IMPACT).enabled, 1);
    EXPECT_EQ(StateOf(distribution, ID_REMOVE_FILTER).enabled, 0);
}

TEST_F(GraphModesTest, CopyPutsTheSplitWindowAsABitmapOnTheClipboard)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2940);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    // Nothing is read from the screen: the window need not even show.
    CFrameWnd* frame = view->GetParentFrame();
    frame->ShowWindow(SW_HIDE);
    PumpPending();
    Command(view, ID_EDIT_COPY);
    frame->ShowWindow(SW_SHOW);
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    auto* bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 600);
    EXPECT_EQ(info.bmHeight, 400);
    // The slope panel carries its rock paths (red).
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    int red = 0;
    for (int y = 200; y < 400; y += 2)
        for (int x = 0; x < 600; x += 2) {
            const COLORREF c = ::GetPixel(dc, x, y);
            red += (GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80) ? 1 : 0;
        }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::CloseClipboard();
    EXPECT_GT(red, 20);

    // Without split view the chart copies itself.
    view->SetSplitView(false);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    Command(view, ID_EDIT_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_ENHMETAFILE));
}

TEST_F(GraphModesTest, APictureIsPlacedOnThePanelAndScaledByFourClicks)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = OpenSplit(2940);
    ASSERT_NE(view, nullptr);
    {
        AnsweredFileDialog answer(std::string(CLASTOR_TEST_DATA) + "/images/quad.bmp");
        Command(view, ID_TOOL_PICTURE);
    }
    const std::vector<CMeasure*> drawn = DrawingsOf(view);
    ASSERT_EQ(drawn.size(), 1u);
    auto* picture = dynamic_cast<CToolImage*>(drawn[0]);
    ASSERT_NE(picture, nullptr);
    // Its 16 pixels centred in the slope panel (rows 200 to 399).
    CViewContext* vc = view->GetViewContext();
    const CPoint d0 = vc->WorldToDevice(picture->GetStartPoint());
    EXPECT_NEAR(d0.x, (600 - 16) / 2, 1);
    EXPECT_NEAR(d0.y, 200 + (200 - 16) / 2, 1);
    EXPECT_EQ(StateOf(view, ID_TOOL_PICTURE).checked, -1);

    // Picked, it can be scaled: two points on it, two targets, then the dialog.
    Click(view, d0.x + 8, d0.y + 8);
    ASSERT_EQ(doc->GetCurrentEntity(), picture);
    EXPECT_EQ(StateOf(view, ID_TOOL_SCALE_PICTURE).enabled, 1);
    Command(view, ID_TOOL_SCALE_PICTURE);
    EXPECT_EQ(doc->GetMode(), MODE_IMAGE_OLD_TOP_LEFT);
    EXPECT_EQ(StateOf(view, ID_TOOL_SCALE_PICTURE).checked, 1);
    EXPECT_EQ(CursorOver(view), ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(16075)));
    Click(view, d0.x + 2, d0.y + 2);
    Click(view, d0.x + 14, d0.y + 14);
    Click(view, 100, 250);
    EXPECT_EQ(doc->GetMode(), MODE_IMAGE_NEW_BOTTOM_RIGHT);
    std::string size;
    {
        WhenShown answer([&] {
            HWND dialog = ::FindWindowA(nullptr, "Scale Image");
            ASSERT_NE(dialog, nullptr);
            char text[64] = {};
            ::GetDlgItemTextA(dialog, IDC_SCALE_IMAGE_SIZE, text, sizeof text);
            size = text;
            ::SetDlgItemTextA(dialog, IDC_SCALE_A_X, "10");
            ::SetDlgItemTextA(dialog, IDC_SCALE_A_Y, "30");
            ::SetDlgItemTextA(dialog, IDC_SCALE_B_X, "40");
            ::SetDlgItemTextA(dialog, IDC_SCALE_B_Y, "10");
            ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        Click(view, 400, 350);
    }
    EXPECT_EQ(size, "Width: 16  Height: 16");
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    // The first points sat at 1/8 and 7/8 of the picture: they land on (10, 30) and (40, 10).
    const CVector2D q0 = picture->GetStartPoint(), q1 = picture->GetEndPoint();
    const double w = q1.x - q0.x, h = q0.y - q1.y;
    EXPECT_NEAR(q0.x + w / 8, 10, 1e-9);
    EXPECT_NEAR(q0.y - h / 8, 30, 1e-9);
    EXPECT_NEAR(q0.x + w * 7 / 8, 40, 1e-9);
    EXPECT_NEAR(q0.y - h * 7 / 8, 10, 1e-9);
}
