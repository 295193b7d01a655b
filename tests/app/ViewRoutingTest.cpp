// Keys, typed text and the mouse wheel as a user gives them to the program:
// posted to the window that has the focus (the prompt line's command line or
// the slope view) and run through the application's own message filter, they
// must reach the active slope view's interaction modes.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ShellFixture.h"
#include "app/DocumentLink.h"
#include "framework/Document.h"
#include "geometry/ViewContext.h"
#include "model/DocumentDependencies.h"
#include "model/InteractionModes.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"
#include "view/TalusimView.h"
#include "view/ViewServices.h"

namespace {

// Every event the frame hands to a slope view, passed on to the view.
struct SlopeEventRecorder {
    static inline std::vector<int> events;
    static inline void (*forward)(CView*, int) = nullptr;
    static void Record(CView* view, int event) {
        events.push_back(event);
        forward(view, event);
    }
    SlopeEventRecorder() {
        events.clear();
        forward = ShellLink::SlopeView().sendEvent;
        ShellLink::SlopeView().sendEvent = &Record;
    }
    ~SlopeEventRecorder() { ShellLink::SlopeView().sendEvent = forward; }
};

// The Define Initial Conditions dialog, accepted as it opens for a new seeder.
struct SeederConditions : CViewServices {
    INT_PTR RunInitialConditions(CInitialConditionsData& d) override {
        d.massMean = 100.0;
        return IDOK;
    }
};

// The Snap and Grid Settings dialogs, answered as the user would fill them.
struct SettingsAnswers : CViewServices {
    int snapAsked = 0, gridAsked = 0;
    INT_PTR RunSnapDialog(int& snapMode) override {
        ++snapAsked;
        snapMode = 31;
        return IDOK;
    }
    INT_PTR RunGridSettings(CGridSettingsData& d) override {
        ++gridAsked;
        d.spacingX = d.spacingY = 2.5;
        d.on = true;
        return IDOK;
    }
};

} // namespace

class ViewRouting : public ShellTest {
protected:
    void SetUp() override {
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        PumpPending();
        app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        Idle();
        view = dynamic_cast<CTalusimView*>(ActiveChildView());
        ASSERT_NE(view, nullptr);
        doc = view->GetDocument();
        ASSERT_NE(doc, nullptr);
        // The pointer rests on the caption, away from the view: only the keys move the slope.
        ::SetCursorPos(0, 0);
        frame->FocusCommandLine();
        ASSERT_EQ(::GetFocus(), CommandLine());
    }

    static HWND CommandLine() { return ::GetDlgItem(frame->m_wndPromptBar.m_hWnd, IDC_COMMAND_LINE); }

    static CString CommandLineText() {
        CString text;
        frame->m_wndPromptBar.GetDlgItemText(IDC_COMMAND_LINE, text);
        return text;
    }

    // The application's message loop, for what is queued now.
    static void RunQueued() {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            if (!app->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }

    // A key pressed and released while `to` has the focus.
    static void Press(HWND to, UINT vk) {
        ::PostMessageA(to, WM_KEYDOWN, vk, 1);
        ::PostMessageA(to, WM_KEYUP, vk, 0xC0000001);
        RunQueued();
    }

    // Characters typed into the command line.
    static void Type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c)
            ::PostMessageA(CommandLine(), WM_CHAR, static_cast<BYTE>(*c), 1);
        RunQueued();
    }

    // One notch of the wheel at the centre of the view, sent to the focus window.
    void Wheel(HWND to, short delta) {
        CRect r;
        view->GetWindowRect(&r);
        ::PostMessageA(to, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
        RunQueued();
    }

    std::vector<CVector2D> SlopeVertices() const {
        std::vector<CVector2D> out;
        if (CTalusimSlope* slope = doc->GetSlope())
            for (int i = 0; i < slope->GetVertexCount(); ++i) out.push_back(slope->GetVertexPoint(i));
        return out;
    }

    void ExpectSlope(std::initializer_list<std::pair<double, double>> expected) const {
        std::vector<CVector2D> v = SlopeVertices();
        ASSERT_EQ(v.size(), expected.size());
        size_t i = 0;
        for (const auto& [x, y] : expected) {
            EXPECT_DOUBLE_EQ(v[i].x, x) << i;
            EXPECT_DOUBLE_EQ(v[i].y, y) << i;
            ++i;
        }
    }

    int SeederCount() const {
        return static_cast<int>(
            CollectAs<CTalusimRaker>(*doc->GetDatabase(), ID_ANY_CATEGORY, KIND_SEEDER, ID_ANY_GROUP).size());
    }

    // A slope of three vertices typed into the command line, ended with Enter on an empty line.
    void TypeSlope() {
        doc->BeginDefineSlope();
        for (const char* p : {"0,30", "20,15", "40,10"}) {
            Type(p);
            Press(CommandLine(), VK_RETURN);
        }
        Press(CommandLine(), VK_RETURN);
    }

    CTalusimView* view = nullptr;
    CTalusimDoc* doc = nullptr;
};

TEST_F(ViewRouting, TypedPointsAndEnterDefineASlopeAndUUndoesTheLastVertex) {
    MessageBoxRecorder boxes;
    doc->BeginDefineSlope();
    ASSERT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
    for (const char* p : {"0,30", "20,15", "1e3,2"}) {
        Type(p);
        EXPECT_STREQ(CommandLineText(), p);
        Press(CommandLine(), VK_RETURN);
        // The point is taken and the line is ready for the next one.
        EXPECT_TRUE(frame->IsCommandLineEmpty()) << p;
        EXPECT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
    }
    // While the slope is drawn, its last vertex follows the pointer.
    ASSERT_EQ(SlopeVertices().size(), 4u);
    EXPECT_DOUBLE_EQ(SlopeVertices()[2].x, 1000.0);

    // "u" takes back the last vertex at once and leaves the line empty.
    Type("u");
    EXPECT_TRUE(frame->IsCommandLineEmpty());
    EXPECT_EQ(SlopeVertices().size(), 3u);

    // Enter on an empty line ends the definition.
    Type("40,10");
    Press(CommandLine(), VK_RETURN);
    Press(CommandLine(), VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    ExpectSlope({{0, 30}, {20, 15}, {40, 10}});
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ViewRouting, EscCancelsTheModeFromTheCommandLineAndFromTheView) {
    for (HWND focus : {CommandLine(), view->m_hWnd}) {
        doc->BeginDefineSlope();
        ASSERT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
        ::SetFocus(focus);
        Press(focus, VK_ESCAPE);
        EXPECT_EQ(doc->GetMode(), MODE_IDLE) << (focus == view->m_hWnd ? "view" : "command line");
    }
    EXPECT_TRUE(SlopeVertices().empty());
}

TEST_F(ViewRouting, EnterAtTheViewTakesTheTypedPointOnce) {
    MessageBoxRecorder boxes;
    doc->BeginDefineSlope();
    for (const char* p : {"5,20", "10,15"}) {
        Type(p);
        ::SetFocus(view->m_hWnd);
        Press(view->m_hWnd, VK_RETURN);
        EXPECT_TRUE(frame->IsCommandLineEmpty());
        EXPECT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
    }
    Press(view->m_hWnd, VK_RETURN);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    ExpectSlope({{5, 20}, {10, 15}});
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ViewRouting, StarSelectsEverySeederAndEnterDeletesTheSelection) {
    MessageBoxRecorder boxes;
    TypeSlope();
    ASSERT_EQ(SlopeVertices().size(), 3u);
    {
        SeederConditions conditions;
        CSlopeViewServices* previous = InstallSlopeViewServices(&conditions);
        for (const char* p : {"5,35", "10,33"}) {
            doc->SetMode(MODE_ADD_POINT_SEEDER);
            Type(p);
            Press(CommandLine(), VK_RETURN);
        }
        InstallSlopeViewServices(previous);
    }
    ASSERT_EQ(SeederCount(), 2);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);

    doc->SetMode(MODE_DELETE_SEEDERS);
    Type("*");
    EXPECT_TRUE(frame->IsCommandLineEmpty());
    EXPECT_EQ(doc->GetDatabase()->CountInSet(SET_SELECTION), 2);
    Press(CommandLine(), VK_RETURN);
    EXPECT_EQ(SeederCount(), 0);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ViewRouting, DeleteKeyGoesToTheViewOnlyWhileADrawingIsEdited) {
    SlopeEventRecorder recorder;
    // In other modes the Delete key edits the command line.
    doc->BeginDefineSlope();
    ::SetWindowTextA(CommandLine(), "12,5");
    ::SendMessageA(CommandLine(), EM_SETSEL, 0, 0);
    Press(CommandLine(), VK_DELETE);
    EXPECT_STREQ(CommandLineText(), "2,5");
    EXPECT_TRUE(recorder.events.empty());
    ::SetWindowTextA(CommandLine(), "");

    doc->SetMode(MODE_EDIT_TOOL_SELECT);
    Press(CommandLine(), VK_DELETE);
    EXPECT_EQ(recorder.events, std::vector<int>{300});
    doc->SetMode(MODE_IDLE);
}

TEST_F(ViewRouting, ShiftRepaintsTheViewWhileASecondCornerIsPicked) {
    auto pressShift = [&]() {
        ::ValidateRect(view->m_hWnd, nullptr);
        ::PostMessageA(CommandLine(), WM_KEYDOWN, VK_SHIFT, 1);
        // Only the key: a paint in between would hide the repaint asked for.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
            if (!app->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        RECT r{};
        return ::GetUpdateRect(view->m_hWnd, &r, FALSE) != FALSE;
    };
    for (int mode : {MODE_ELLIPSE_SECOND, MODE_RECTANGLE_SECOND}) {
        doc->SetMode(mode);
        EXPECT_TRUE(pressShift()) << mode;
    }
    doc->SetMode(MODE_IDLE);
    EXPECT_FALSE(pressShift());
    RunQueued();
}

TEST_F(ViewRouting, WheelZoomsTheActiveSlopeViewOneStepPerNotch) {
    auto width = [](CTalusimView* v) { return v->GetViewContext()->GetWorldExtent().x; };
    CTalusimView* first = view;
    // A second document becomes the active window.
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    view = dynamic_cast<CTalusimView*>(ActiveChildView());
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view, first);
    frame->FocusCommandLine();
    const double firstWidth = width(first);

    // From the command line, which has the focus after every pick.
    double before = width(view);
    Wheel(CommandLine(), WHEEL_DELTA);
    EXPECT_NEAR(width(view) / before, 0.9, 1e-3);
    before = width(view);
    Wheel(CommandLine(), -WHEEL_DELTA);
    EXPECT_NEAR(width(view) / before, 1 / 0.9, 1e-3);
    EXPECT_EQ(width(first), firstWidth);

    // With the focus in the view, the view zooms by itself, and only once.
    ::SetFocus(view->m_hWnd);
    before = width(view);
    Wheel(view->m_hWnd, WHEEL_DELTA);
    EXPECT_NEAR(width(view) / before, 0.9, 1e-3);
    EXPECT_EQ(width(first), firstWidth);
}

TEST_F(ViewRouting, AGraphWindowTakesNoSlopeCommands) {
    // The material combo works for a slope window.
    EXPECT_TRUE(frame->m_comboMaterial.IsWindowEnabled());
    frame->ToggleChartView(2901, nullptr, TRUE);
    Idle();
    CView* active = ActiveChildView();
    ASSERT_TRUE(ShellLink::IsGraphView(active));
    frame->FocusCommandLine();
    Type("*");
    EXPECT_STREQ(CommandLineText(), "*");
    ::SetWindowTextA(CommandLine(), "");
    Press(CommandLine(), VK_ESCAPE);
    Press(CommandLine(), VK_RETURN);
    EXPECT_EQ(ActiveChildView(), active);
    // The material combo is for slope windows only.
    EXPECT_FALSE(frame->m_comboMaterial.IsWindowEnabled());
}

TEST_F(ViewRouting, PromptAndCoordinatesFollowTheView) {
    auto promptText = []() {
        char text[256] = {};
        ::GetDlgItemTextA(frame->m_wndPromptBar.m_hWnd, IDC_PROMPT_TEXT, text, sizeof(text));
        return std::string(text);
    };
    doc->BeginDefineSlope();
    EXPECT_EQ(promptText(), "Enter slope vertices [ enter=done, u=undo last vertex, esc=cancel ]");
    Press(CommandLine(), VK_ESCAPE);
    EXPECT_EQ(promptText().find("Enter slope vertices"), std::string::npos);

    // A mouse move over the view shows its world point; over a window border, none.
    doc->GetDatabase()->SetSnapMode(29);
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(120, 80));
    Idle();
    const CVector2D w = view->GetViewContext()->DeviceToWorld(120, 80);
    CString expected;
    expected.Format("%.3f,%.3f", w.x, w.y);
    const int pane = frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_COORDINATES);
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(pane), expected);
    view->GetParentFrame()->SendMessage(WM_NCMOUSEMOVE, HTBORDER, 0);
    Idle();
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(pane), "\t");
}

TEST_F(ViewRouting, MainCaptionNamesTheDocumentOnceWhetherItsWindowIsMaximisedOrNot) {
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CString childTitle, caption;
    ASSERT_TRUE(child->IsZoomed());
    child->GetWindowText(childTitle);
    frame->GetWindowText(caption);
    // The system shows a maximised window's title in brackets after the frame's.
    EXPECT_EQ(caption, "Clastor - [" + childTitle + "]");
    child->MDIRestore();
    Idle();
    frame->GetWindowText(caption);
    EXPECT_EQ(caption, "Clastor - " + doc->GetTitle());
    child->MDIMaximize();
    Idle();
    frame->GetWindowText(caption);
    EXPECT_EQ(caption, "Clastor - [" + childTitle + "]");
}

TEST_F(ViewRouting, RightClicksOnTheSnapAndGridPanesOpenTheirSettings) {
    SettingsAnswers answers;
    CSlopeViewServices* previous = InstallSlopeViewServices(&answers);
    auto rightClick = [](UINT id) {
        CRect r;
        frame->m_wndStatusBar.GetItemRect(frame->m_wndStatusBar.CommandToIndex(id), &r);
        frame->m_wndStatusBar.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
        frame->m_wndStatusBar.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + 3));
        Idle();
    };
    doc->GetDatabase()->SetSnapMode(29);
    rightClick(ID_INDICATOR_SNAP);
    rightClick(ID_INDICATOR_GRID);
    // The rock count is no button.
    rightClick(ID_INDICATOR_ROCKS);
    InstallSlopeViewServices(previous);
    EXPECT_EQ(answers.snapAsked, 1);
    EXPECT_EQ(answers.gridAsked, 1);
    EXPECT_EQ(doc->GetDatabase()->GetSnapMode(), 31);
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_SNAP)),
                 "VERTEX SNAP");
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_GRID)), "GRID");
    EXPECT_DOUBLE_EQ(doc->GetDatabase()->GetGridSpacing().x, 2.5);
}

TEST_F(ViewRouting, TheKeyThatHidesTheSplashGoesNoFurther) {
    doc->BeginDefineSlope();
    CSplashWnd::EnableSplash(TRUE);
    CSplashWnd::ShowSplash(frame);
    ASSERT_NE(CSplashWnd::GetSplash(), nullptr);
    Press(CommandLine(), VK_ESCAPE);
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    EXPECT_EQ(doc->GetMode(), MODE_DEFINE_SLOPE);
    // The next one is the program's.
    Press(CommandLine(), VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    CSplashWnd::EnableSplash(FALSE);
}
