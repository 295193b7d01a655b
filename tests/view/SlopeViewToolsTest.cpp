// The slope view's drawing tools driven as a user does: the tool commands,
// clicks, drags, Shift, Escape, Delete and typed points; deleting, the tools
// file, the commands' states and each window's own annotations.
#include "tests/view/SlopeViewTestSupport.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "framework/FileDialog.h"
#include "support/BitmapFile.h"
#include "support/FileDialogAnswer.h"
#include "support/WhenShown.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "tools/ToolArrow.h"
#include "tools/ToolDimAngle.h"
#include "tools/ToolDimLength.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"
#include "tools/ToolServices.h"
#include "tools/ToolTextBox.h"
#include "tools/ToolWaterPt.h"
#include "view/SlopeViewRules.h"
#include "tests/support/InstalledTools.h"

namespace {

struct RecordedToolCmdUI : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};

// Holds Shift down for the thread's key state while it lives.
struct HeldShift {
    HeldShift() { Set(0x80); }
    ~HeldShift() { Set(0); }
    static void Set(BYTE state)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = state;
        ::SetKeyboardState(keys);
    }
};

}  // namespace

class SlopeViewToolsTest : public SlopeViewTest
{
protected:
    InstalledTools tools;   // before the document, which makes its marker through them
    InstalledPromptLine prompt;
    ViewMessageBoxes boxes;

    void Command(UINT id) { view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    RecordedToolCmdUI StateOf(UINT id)
    {
        RecordedToolCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(view, FALSE);
        return ui;
    }
    std::vector<CMeasure*> ToolsOf(CView* owner)
    {
        std::vector<CMeasure*> out;
        CREGDatabase* db = doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i) {
            auto* t = dynamic_cast<CMeasure*>(db->GetEntityAt(i));
            if (t != nullptr && t->GetGroupId() == ToolGroupOf(owner))
                out.push_back(t);
        }
        return out;
    }
    // A two-point tool drawn with its command and two clicks.
    CMeasure* DrawTool(UINT command, int x0, int y0, int x1, int y1)
    {
        Command(command);
        Click(x0, y0);
        Move(x1, y1);
        Click(x1, y1);
        auto all = ToolsOf(view);
        return all.empty() ? nullptr : all.back();
    }
    static void ExpectAt(const CVector2D& p, const CVector2D& q)
    {
        EXPECT_NEAR(p.x, q.x, 1e-9);
        EXPECT_NEAR(p.y, q.y, 1e-9);
    }
};

TEST_F(SlopeViewToolsTest, EachToolIsDrawnWithTwoClicks)
{
    struct Case {
        UINT command;
        int type;
    } cases[] = {
        {ID_TOOL_MEASURE, 12050}, {ID_TOOL_ARROW, 12051}, {ID_TOOL_RECTANGLE, 12053},
        {ID_TOOL_CIRCLE, 12054},  {ID_TOOL_LINE, 12055},  {ID_TOOL_AXIS, 12056},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const size_t before = ToolsOf(view).size();
        CMeasure* tool = DrawTool(c.command, 100, 100, 300, 250);
        ASSERT_EQ(ToolsOf(view).size(), before + 1);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->GetType(), c.type);
        ExpectAt(tool->GetStartPoint(), World(100, 100));
        ExpectAt(tool->GetEndPoint(), World(300, 250));
        EXPECT_TRUE(tool->IsSelectable());
        EXPECT_EQ(doc->GetMode(), MODE_IDLE);
        EXPECT_EQ(doc->GetCurrentTool(), nullptr);
    }
}

TEST_F(SlopeViewToolsTest, TypedPointsDrawALine)
{
    Command(ID_TOOL_LINE);
    prompt.line.typed.push_back(CVector2D(1.5, 2.25));
    Key(VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_LINE_TOOL_NEXT);
    Key(VK_RETURN);   // nothing typed: nothing happens
    EXPECT_EQ(doc->GetMode(), MODE_LINE_TOOL_NEXT);
    prompt.line.typed.push_back(CVector2D(-4, 7));
    Key(VK_RETURN);
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 1u);
    ExpectAt(all[0]->GetStartPoint(), CVector2D(1.5, 2.25));
    ExpectAt(all[0]->GetEndPoint(), CVector2D(-4, 7));
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewToolsTest, ShiftSquaresTheRectangleWhileItIsDragged)
{
    Command(ID_TOOL_RECTANGLE);
    Click(100, 100);
    {
        HeldShift shift;
        Move(300, 150);
        auto* box = dynamic_cast<CToolRectangle*>(doc->GetCurrentTool());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->GetShiftConstrain());
        ExpectAt(box->GetConstrainedCorner(), World(300, 300));
    }
    Move(300, 150);
    auto* box = dynamic_cast<CToolRectangle*>(doc->GetCurrentTool());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->GetShiftConstrain());
    {
        HeldShift shift;
        Click(300, 150);
    }
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 1u);
    ExpectAt(all[0]->GetEndPoint(), World(300, 300));
    EXPECT_FALSE(all[0]->GetShiftConstrain());
}

TEST_F(SlopeViewToolsTest, EscapeLeavesNoUnfinishedTool)
{
    Command(ID_TOOL_ARROW);
    Click(100, 100);
    Move(200, 200);
    ASSERT_NE(doc->GetCurrentTool(), nullptr);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(doc->GetCurrentTool(), nullptr);
    EXPECT_TRUE(ToolsOf(view).empty());
}

TEST_F(SlopeViewToolsTest, HandlesAreDraggedAndEscapeRestoresTheTool)
{
    CMeasure* line = DrawTool(ID_TOOL_LINE, 100, 100, 300, 100);
    ASSERT_NE(line, nullptr);
    Click(200, 100);   // on the line: it is picked for editing
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    EXPECT_TRUE(line->IsEditing());
    EXPECT_EQ(doc->GetCurrentEntity(), line);

    Drag(300, 100, 400, 200);   // the end handle
    ExpectAt(line->GetEndPoint(), World(400, 200));
    ExpectAt(line->GetStartPoint(), World(100, 100));
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT) << "the tool stays selected for more drags";

    // The whole tool, grabbed on its line; Escape during the drag puts it back.
    Move(250, 150);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(250, 150));
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_MOVE);
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(270, 190));
    ExpectAt(line->GetStartPoint(), World(120, 140));
    Key(VK_ESCAPE);
    ExpectAt(line->GetStartPoint(), World(100, 100));
    ExpectAt(line->GetEndPoint(), World(400, 200));
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_FALSE(line->IsEditing());
    view->SendMessage(WM_LBUTTONUP, 0, At(270, 190));

    // A click on empty space ends editing.
    Click(200, 100);
    Click(600, 600);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_FALSE(line->IsEditing());
}

TEST_F(SlopeViewToolsTest, DeleteKeyRemovesTheEditedTool)
{
    CMeasure* kept = DrawTool(ID_TOOL_LINE, 100, 400, 300, 400);
    CMeasure* box = DrawTool(ID_TOOL_RECTANGLE, 100, 100, 300, 200);
    ASSERT_NE(box, nullptr);
    Click(100, 150);   // on the box's left edge
    ASSERT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    Key(VK_DELETE);
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0], kept);
    EXPECT_EQ(doc->GetCurrentEntity(), nullptr);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewToolsTest, DeleteDrawingsByWindowClickAndAll)
{
    DrawTool(ID_TOOL_LINE, 100, 100, 200, 100);
    DrawTool(ID_TOOL_LINE, 100, 300, 200, 300);
    CMeasure* distant = DrawTool(ID_TOOL_ARROW, 600, 500, 700, 500);
    EXPECT_EQ(StateOf(ID_TOOL_DELETE_DRAWINGS).enabled, 1);
    Command(ID_TOOL_DELETE_DRAWINGS);
    EXPECT_EQ(doc->GetMode(), MODE_DELETE_TOOLS);
    EXPECT_EQ(StateOf(ID_TOOL_DELETE_DRAWINGS).checked, 1);
    Drag(50, 50, 250, 350);   // a window over the two lines
    Key(VK_RETURN);
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0], distant);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);

    // Delete All asks first; Cancel keeps everything and the mode.
    struct Cancel {
        static int Hook(LPCSTR text, UINT) {
            ViewMessageBoxes::texts.emplace_back(text);
            return IDCANCEL;
        }
    };
    AfxMessageBoxHook previous = AfxSetMessageBoxHook(&Cancel::Hook);
    Command(ID_TOOL_DELETE_ALL_DRAWINGS);
    AfxSetMessageBoxHook(previous);
    EXPECT_EQ(ToolsOf(view).size(), 1u);
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_EQ(boxes.texts.back(),
              "This will delete all of the arrows, text and measurements\nyou have added to this window");
    Command(ID_TOOL_DELETE_ALL_DRAWINGS);   // answered OK
    EXPECT_TRUE(ToolsOf(view).empty());
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_EQ(StateOf(ID_TOOL_DELETE_DRAWINGS).enabled, 0);
    EXPECT_EQ(StateOf(ID_TOOL_DELETE_ALL_DRAWINGS).enabled, 0);
    EXPECT_EQ(StateOf(ID_TOOLS_FILE_SAVE).enabled, 0);
}

TEST_F(SlopeViewToolsTest, SelectAllNeverDeletesTheToolBeingDrawn)
{
    DrawTool(ID_TOOL_LINE, 100, 100, 200, 100);
    Command(ID_TOOL_ARROW);
    Click(300, 300);
    CEntity* drawing = doc->GetCurrentTool();
    ASSERT_NE(drawing, nullptr);
    // The handler of the deleting mode, as the Delete All command runs it.
    CClientDC dc(view);
    view->process_DELETE_DRAWINGS(EVENT_SELECT_ALL, &dc, 0, 0);
    EXPECT_FALSE(drawing->IsInSet(SET_SELECTION));
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(all[0]->IsInSet(SET_SELECTION)) << "the finished line is taken";
}

TEST_F(SlopeViewToolsTest, EachWindowKeepsItsOwnAnnotations)
{
    CMeasure* mine = DrawTool(ID_TOOL_LINE, 100, 100, 300, 100);
    ASSERT_NE(mine, nullptr);
    // A second window on the same document, with the same mapping.
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTalusimView);
    context.m_pCurrentDoc = doc;
    auto* frame2 = new CFrameWnd;
    ASSERT_TRUE(frame2->Create(nullptr, "Slope 2", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr, 0,
                               &context));
    frame2->InitialUpdateFrame(doc, TRUE);
    auto* other = dynamic_cast<CTalusimView*>(frame2->GetActiveView());
    ASSERT_NE(other, nullptr);
    CViewContext* vc = other->GetViewContext();
    *vc = *view->GetViewContext();
    vc->SetOwnerView(other);
    other->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(200, 100));
    other->SendMessage(WM_LBUTTONUP, 0, At(200, 100));
    EXPECT_EQ(doc->GetMode(), MODE_IDLE) << "another window's tool is not picked";
    EXPECT_FALSE(mine->IsEditing());
    EXPECT_FALSE(mine->QueryOption(nullptr, vc, 112));
    RecordedToolCmdUI ui;
    ui.m_nID = ID_TOOL_DELETE_DRAWINGS;
    ui.DoUpdate(other, FALSE);
    EXPECT_EQ(ui.enabled, 0);
    frame2->DestroyWindow();
}

TEST_F(SlopeViewToolsTest, ToolsFileSavedAndOpenedFromTheView)
{
    DrawTool(ID_TOOL_MEASURE, 100, 100, 300, 250);
    DrawTool(ID_TOOL_CIRCLE, 400, 100, 500, 200);
    static std::string path;
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    path = std::string(folder) + "slope-view-tools.clt";
    AfxSetCommonDialogHook([](CCommonDialog* dialog) -> INT_PTR {
        static_cast<CFileDialog*>(dialog)->SetPathName(path.c_str());
        return IDOK;
    });
    Command(ID_TOOLS_FILE_SAVE);
    Command(ID_TOOL_DELETE_ALL_DRAWINGS);
    ASSERT_TRUE(ToolsOf(view).empty());
    EXPECT_EQ(StateOf(ID_TOOLS_FILE_OPEN).enabled, 1);
    Command(ID_TOOLS_FILE_OPEN);
    AfxSetCommonDialogHook(nullptr);
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->GetType(), 12050);
    ExpectAt(all[0]->GetEndPoint(), World(300, 250));
    EXPECT_EQ(all[1]->GetType(), 12054);
    ::DeleteFileA(path.c_str());
}

TEST_F(SlopeViewToolsTest, CommandStatesAndChecks)
{
    for (UINT id : {ID_TOOL_MEASURE, ID_TOOL_ARROW, ID_TOOL_RECTANGLE, ID_TOOL_CIRCLE, ID_TOOL_LINE, ID_TOOL_AXIS,
                    ID_TOOL_TEXT_BOX})
        EXPECT_EQ(StateOf(id).enabled, 1) << id;
    Command(ID_TOOL_CIRCLE);
    EXPECT_EQ(StateOf(ID_TOOL_CIRCLE).checked, 1);
    EXPECT_EQ(StateOf(ID_TOOL_LINE).checked, 0);
    Command(ID_TOOL_CIRCLE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE) << "the command of the running mode ends it";
    Command(ID_TOOL_MEASURE);
    Click(100, 100);
    EXPECT_EQ(StateOf(ID_TOOL_MEASURE).checked, 1) << "the second stage is still the command's mode";
    Key(VK_ESCAPE);
    EXPECT_EQ(StateOf(ID_TOOL_DELETE_DRAWINGS).enabled, 0);
    EXPECT_EQ(StateOf(ID_TOOLS_FILE_SAVE).enabled, 0);
    Command(ID_TOOL_TEXT_BOX);
    EXPECT_EQ(doc->GetMode(), MODE_TEXT_TOOL);
    EXPECT_EQ(StateOf(ID_TOOL_TEXT_BOX).checked, 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
}

TEST_F(SlopeViewToolsTest, ToolsAppearInTheExportedImage)
{
    DrawTool(ID_TOOL_RECTANGLE, 200, 200, 400, 300);
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string bmp = std::string(folder) + "slope-view-tools.bmp";
    {
        AnsweredFileDialog answer(bmp);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    BitmapFile picture;
    ASSERT_TRUE(picture.Read(bmp));
    EXPECT_FALSE(picture.White(200, 250)) << "the box's left edge";
    EXPECT_FALSE(picture.White(300, 300)) << "its bottom edge";
    EXPECT_TRUE(picture.White(300, 250)) << "its empty inside";
    ::DeleteFileA(bmp.c_str());
}

TEST_F(SlopeViewToolsTest, AxisCommandDrawsAGraduatedFrame)
{
    CMeasure* axes = DrawTool(ID_TOOL_AXIS, 200, 200, 500, 350);
    ASSERT_NE(axes, nullptr);
    EXPECT_EQ(axes->GetType(), 12056);
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string bmp = std::string(folder) + "slope-view-axes.bmp";
    {
        AnsweredFileDialog answer(bmp);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    BitmapFile picture;
    ASSERT_TRUE(picture.Read(bmp));
    EXPECT_FALSE(picture.White(200, 275)) << "the left side";
    EXPECT_FALSE(picture.White(350, 350)) << "the bottom side";
    EXPECT_TRUE(picture.White(350, 275)) << "the frame's inside";
    int numbers = 0;   // the bottom scale's numbers, below its line
    for (int y = 356; y < 380; ++y)
        for (int x = 190; x <= 510; ++x)
            numbers += picture.White(x, y) ? 0 : 1;
    EXPECT_GT(numbers, 20);
    ::DeleteFileA(bmp.c_str());
}

namespace {

HWND AddTextDialog() { return ::FindWindowA(nullptr, "Add Text"); }
HWND AddTextItem(int id) { return ::GetDlgItem(AddTextDialog(), id); }
// Replaces the whole text as typing over it does.
void TypeText(const char* text)
{
    ::SendMessageA(AddTextItem(16145), EM_SETSEL, 0, -1);
    ::SendMessageA(AddTextItem(16145), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
void Press(int id) { ::SendMessageA(AddTextItem(id), BM_CLICK, 0, 0); }
std::string TextInDialog()
{
    char buffer[4096] = "";
    ::GetWindowTextA(AddTextItem(16145), buffer, sizeof(buffer));
    return buffer;
}

}  // namespace

TEST_F(SlopeViewToolsTest, TextBoxPlacedThroughTheAddTextDialog)
{
    auto place = [&](std::function<void()> answer, auto&& input) {
        Command(ID_TOOL_TEXT_BOX);
        WhenShown when(std::move(answer));
        input();
        EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    };
    // Cancel, and OK on a text typed and deleted again, place nothing.
    place([] { Press(IDCANCEL); }, [&] { Click(150, 120); });
    place([] {
        TypeText("x");
        TypeText("");
        Press(IDOK);
    }, [&] { Click(150, 120); });
    EXPECT_TRUE(ToolsOf(view).empty());

    place([] {
        TypeText("Crest");
        Press(IDOK);
    }, [&] { Click(150, 120); });
    prompt.line.typed.push_back(CVector2D(3, 4));
    place([] {
        TypeText("Typed");
        Press(IDOK);
    }, [&] { Key(VK_RETURN); });
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->GetType(), 12052);
    EXPECT_EQ(std::string(all[0]->GetText()), "Crest");
    ExpectAt(all[0]->GetStartPoint(), World(150, 120));
    EXPECT_TRUE(all[0]->IsSelectable());
    EXPECT_EQ(std::string(all[1]->GetText()), "Typed");
    ExpectAt(all[1]->GetStartPoint(), CVector2D(3, 4));

    // The text is seen where it was placed, and picked there.
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string bmp = std::string(folder) + "slope-view-text.bmp";
    {
        AnsweredFileDialog answer(bmp);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    BitmapFile picture;
    ASSERT_TRUE(picture.Read(bmp));
    int ink = 0;
    for (int y = 120; y < 140; ++y)
        for (int x = 150; x < 200; ++x)
            ink += picture.White(x, y) ? 0 : 1;
    EXPECT_GT(ink, 10) << "the text's letters";
    ::DeleteFileA(bmp.c_str());
    Click(160, 126);
    EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    EXPECT_EQ(doc->GetCurrentEntity(), all[0]);
    Key(VK_ESCAPE);
}

TEST_F(SlopeViewToolsTest, AddTextOffersTheAnalysisReportAsAutoText)
{
    Command(ID_TOOL_TEXT_BOX);
    std::vector<std::string> roots;
    std::string expected;
    WhenShown when([&] {
        HWND tree = AddTextItem(16248);
        auto next = [&](HTREEITEM item, UINT code) {
            return reinterpret_cast<HTREEITEM>(
                ::SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
        };
        auto textOf = [&](HTREEITEM item) {
            char buffer[512] = "";
            TVITEMA tv{};
            tv.mask = TVIF_TEXT;
            tv.hItem = item;
            tv.pszText = buffer;
            tv.cchTextMax = sizeof(buffer);
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
            return std::string(buffer);
        };
        HTREEITEM settings = nullptr;
        for (HTREEITEM root = next(nullptr, TVGN_ROOT); root != nullptr; root = next(root, TVGN_NEXT)) {
            roots.push_back(textOf(root));
            if (roots.back() == "Project Settings")
                settings = root;
        }
        if (settings == nullptr) {
            Press(IDCANCEL);
            return;
        }
        // The section and its lines, as a tick on the section takes them.
        expected = "Project Settings\r\n";
        for (HTREEITEM line = next(settings, TVGN_CHILD); line != nullptr; line = next(line, TVGN_NEXT))
            expected += textOf(line) + "\r\n";
        // A click on the section's label ticks it and its lines. The button's
        // release waits in the queue: the tree watches for a drag until it comes.
        RECT rect{};
        std::memcpy(&rect, &settings, sizeof(settings));   // the item goes in, its rectangle comes out
        ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::PostMessageA(tree, WM_LBUTTONUP, 0, at);
        ::SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Press(16245);
        Press(IDOK);
    });
    Click(150, 120);
    ASSERT_GE(roots.size(), 2u);
    EXPECT_EQ(roots[0], "Document Name");
    EXPECT_EQ(roots[1], "Project Settings");
    EXPECT_NE(expected.find("Units: Metric\r\n"), std::string::npos) << expected;
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(std::string(all[0]->GetText()), expected);
}

TEST_F(SlopeViewToolsTest, EditTextChangesTheTextOfTheRightClickedBox)
{
    Command(ID_TOOL_TEXT_BOX);
    {
        WhenShown when([] {
            TypeText("Crest");
            Press(IDOK);
        });
        Click(150, 120);
    }
    auto all = ToolsOf(view);
    ASSERT_EQ(all.size(), 1u);
    CMeasure* box = all[0];
    // What a right click on the box leaves for the commands of its menu.
    CREGDatabase* db = doc->GetDatabase();
    db->ClearSet(SET_WORK);
    box->AddToSet(SET_WORK);
    std::string shown;
    {
        WhenShown when([&] {
            shown = TextInDialog();
            TypeText("Toe");
            Press(IDOK);
        });
        Command(ID_CONTEXT_EDIT_TEXT);
    }
    EXPECT_EQ(shown, "Crest");
    EXPECT_EQ(std::string(box->GetText()), "Toe");

    // Emptied, the box keeps its text rather than vanish.
    db->ClearSet(SET_WORK);
    box->AddToSet(SET_WORK);
    {
        WhenShown when([] {
            TypeText("");
            Press(IDOK);
        });
        Command(ID_CONTEXT_EDIT_TEXT);
    }
    EXPECT_EQ(std::string(box->GetText()), "Toe");

    db->ClearSet(SET_WORK);
    box->AddToSet(SET_WORK);
    Command(ID_CONTEXT_DELETE_TEXT);
    EXPECT_TRUE(ToolsOf(view).empty());
}

// The kinds no command makes come from a tools file; in the view they are
// drawn, picked with a click and dragged like any other.
TEST_F(SlopeViewToolsTest, ToolsFileOnlyKindsArePickedAndDraggedInTheView)
{
    CREGDatabase* db = doc->GetDatabase();
    auto* length = new CToolDimLength;
    length->SetStartPoint(World(50, 300));
    length->SetEndPoint(World(250, 300));
    CVectorArray lengthVertices;
    lengthVertices.Add(World(250, 250));
    lengthVertices.Add(World(150, 250));
    lengthVertices.Add(World(50, 250));
    length->ApplyDimensionVertices(lengthVertices, true, true, 12101);
    auto* angle = new CToolDimAngle;
    angle->SetStartPoint(World(400, 150));
    angle->SetEndPoint(World(300, 250));
    CVectorArray arm;
    arm.Add(World(450, 250));
    angle->ApplyDimensionVertices(arm, false, true, 0);
    auto* water = new CToolWaterPt;
    water->SetStartPoint(World(500, 330));
    auto* contour = new CToolContourLabels;
    contour->SetStartPoint(World(450, 50));
    contour->SetEndPoint(World(450, 50));
    contour->SetText("120 m");
    for (CMeasure* t : std::initializer_list<CMeasure*>{length, angle, water, contour}) {
        t->SetOwner(view);
        db->AddEntity(t, false);
    }
    // Through the tools file and back.
    static std::string path;
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    path = std::string(folder) + "slope-view-file-kinds.clt";
    AfxSetCommonDialogHook([](CCommonDialog* dialog) -> INT_PTR {
        static_cast<CFileDialog*>(dialog)->SetPathName(path.c_str());
        return IDOK;
    });
    Command(ID_TOOLS_FILE_SAVE);
    Command(ID_TOOL_DELETE_ALL_DRAWINGS);
    ASSERT_TRUE(ToolsOf(view).empty());
    Command(ID_TOOLS_FILE_OPEN);
    AfxSetCommonDialogHook(nullptr);
    ::DeleteFileA(path.c_str());
    view->UpdateWindow();   // the symbol's size is known once it is drawn
    std::map<int, CMeasure*> byType;
    for (CMeasure* t : ToolsOf(view))
        byType[t->GetType()] = t;
    ASSERT_EQ(byType.size(), 4u);
    ASSERT_GT(byType[12066]->GetTextStyle().GetWaterLevelRect(World(500, 330), view->GetViewContext()).Width(), 4);

    const CRect symbol = byType[12066]->GetTextStyle().GetWaterLevelRect(World(500, 330), view->GetViewContext());
    struct Case {
        int type;
        CPoint at;   // a point on the tool
    } cases[] = {
        {12060, CPoint(100, 250)},   // the dimension line
        {12061, CPoint(420, 250)},   // an arm
        {12066, symbol.CenterPoint()},   // the symbol
        {12057, CPoint(456, 56)},   // the label's text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Click(c.at.x, c.at.y);
        EXPECT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
        EXPECT_EQ(doc->GetCurrentEntity(), byType[c.type]);
        Key(VK_ESCAPE);
        EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    }
    // The water level moves whole, grabbed anywhere in its symbol.
    const CPoint from = symbol.CenterPoint();
    Click(from.x, from.y);
    Drag(from.x, from.y, from.x + 50, from.y + 20);
    // (the drag's points are rounded to thousandths)
    EXPECT_NEAR(byType[12066]->GetStartPoint().x, World(550, 350).x, 2e-3);
    EXPECT_NEAR(byType[12066]->GetStartPoint().y, World(550, 350).y, 2e-3);
}
