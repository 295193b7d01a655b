// Drawings live in their window's tools file, not in the document: closing a
// window whose drawings changed offers to save them (Yes saves through Save
// Tools File at the companion file, No drops them, Cancel keeps the window),
// and the companion file brings them back when the document opens again.
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "app/DocumentLink.h"
#include "framework/Document.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"
#include "support/FileDialogAnswer.h"
#include "tools/Measure.h"
#include "view/TalusimView.h"

namespace {

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

class DrawingsOnClose : public ShellTest {
protected:
    std::string document = TempPath("drawings-on-close.cla");
    std::string companion = TempPath("drawings-on-close.clt");

    void SetUp() override {
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        Idle();
        ::DeleteFileA(document.c_str());
        ::DeleteFileA(companion.c_str());
        // A named document with a slope and no drawings, open in one window.
        Command(ID_FILE_NEW);
        CTalusimDoc* doc = ActiveDocument();
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(doc->OnSaveDocument(document.c_str()));
        app->CloseAllDocuments(FALSE);
        Idle();
    }

    void TearDown() override {
        MessageBoxRecorder boxes;
        boxes.answer = IDNO;
        app->CloseAllDocuments(FALSE);
        Idle();
        ::DeleteFileA(document.c_str());
        ::DeleteFileA(companion.c_str());
    }

    static void Command(UINT id) {
        frame->SendMessage(WM_COMMAND, id);
        Idle();
    }

    static CTalusimView* ActiveView() {
        CView* view = ActiveChildView();
        return ShellLink::IsSlopeView(view) ? static_cast<CTalusimView*>(view) : nullptr;
    }
    static CTalusimDoc* ActiveDocument() {
        CTalusimView* view = ActiveView();
        return view != nullptr ? view->GetDocument() : nullptr;
    }

    static int WindowCount() {
        int n = 0;
        for (HWND h = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::GetWindow(h, GW_OWNER) == nullptr) ++n;
        return n;
    }

    CTalusimView* Reopen() {
        app->OpenDocumentFile(document.c_str());
        Idle();
        return ActiveView();
    }

    // A circle drawn with the tool's command and two typed points.
    static void DrawCircle(CTalusimView* view, const char* centre, const char* edge) {
        frame->SendMessage(WM_COMMAND, ID_TOOL_CIRCLE);
        for (const char* p : {centre, edge}) {
            frame->m_wndPromptBar.SetDlgItemText(IDC_COMMAND_LINE, p);
            view->SendDoneEvent();
        }
        Idle();
    }

    static std::vector<CMeasure*> Drawings(CTalusimView* view) {
        std::vector<CMeasure*> out;
        CREGDatabase* db = view->GetDocument()->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i) {
            auto* t = dynamic_cast<CMeasure*>(db->GetEntityAt(i));
            if (t != nullptr && t->GetGroupId() == ToolGroupOf(view)) out.push_back(t);
        }
        return out;
    }

    // Every drawing of any window (the document's own marker belongs to none).
    static int AllDrawings(CTalusimDoc* doc) {
        int n = 0;
        CREGDatabase* db = doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i) {
            auto* t = dynamic_cast<CMeasure*>(db->GetEntityAt(i));
            if (t != nullptr && t->GetGroupId() != 0) ++n;
        }
        return n;
    }

    // The document's companion file holding one circle at (10, 20), saved as
    // a user does: drawn, then Yes when the window closes.
    void SaveCompanionWithACircle() {
        CTalusimView* view = Reopen();
        ASSERT_NE(view, nullptr);
        DrawCircle(view, "10,20", "15,20");
        MessageBoxRecorder boxes;
        boxes.answers = {IDYES};
        AnsweredFileDialog answer(companion);
        Command(ID_FILE_CLOSE);
        ASSERT_EQ(WindowCount(), 0);
        ASSERT_TRUE(Exists(companion));
    }

    static std::string DrawingsQuestion(CTalusimView* view) {
        return "Save changes to the drawings in " + std::string(view->GetDocument()->GetTitle()) + ":Slope Profile?";
    }
};

TEST_F(DrawingsOnClose, YesSavesToTheCompanionFileAndReopeningShowsThem) {
    CTalusimView* view = Reopen();
    ASSERT_NE(view, nullptr);
    DrawCircle(view, "10,20", "15,20");
    ASSERT_EQ(Drawings(view).size(), 1u);
    // A drawing leaves the document itself unchanged: only the drawings are asked about.
    EXPECT_FALSE(view->GetDocument()->IsModified());
    const std::string question = DrawingsQuestion(view);  // the view is gone once the window closes
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDYES};
        AnsweredFileDialog answer(companion);
        FileDialogAnswer::shown = 0;
        Command(ID_FILE_CLOSE);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], question);
        EXPECT_EQ(boxes.types[0] & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        // Save Tools File's own dialog, at the companion file, asking before it overwrites.
        EXPECT_EQ(FileDialogAnswer::shown, 1);
        EXPECT_EQ(lstrcmpiA(FileDialogAnswer::initialName.c_str(), companion.c_str()), 0);
        EXPECT_TRUE(FileDialogAnswer::flags & OFN_OVERWRITEPROMPT);
    }
    EXPECT_EQ(WindowCount(), 0);
    ASSERT_TRUE(Exists(companion));

    MessageBoxRecorder boxes;
    view = Reopen();
    ASSERT_NE(view, nullptr);
    const std::vector<CMeasure*> drawings = Drawings(view);
    ASSERT_EQ(drawings.size(), 1u);
    EXPECT_EQ(drawings[0]->GetType(), TOOL_CIRCLE);
    EXPECT_DOUBLE_EQ(drawings[0]->GetStartPoint().x, 10.0);
    EXPECT_DOUBLE_EQ(drawings[0]->GetStartPoint().y, 20.0);
    // Drawings as loaded: closing asks nothing.
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DrawingsOnClose, NoDropsThemAndCancelKeepsTheWindow) {
    CTalusimView* view = Reopen();
    ASSERT_NE(view, nullptr);
    DrawCircle(view, "10,20", "15,20");
    {
        // Cancel, from the question or from the file dialog, keeps window and drawing.
        MessageBoxRecorder boxes;
        boxes.answers = {IDCANCEL, IDYES};
        AnsweredFileDialog answer("");
        FileDialogAnswer::shown = 0;
        Command(ID_FILE_CLOSE);
        EXPECT_EQ(WindowCount(), 1);
        frame->MDIGetActive()->SendMessage(WM_CLOSE);
        Idle();
        EXPECT_EQ(WindowCount(), 1);
        EXPECT_EQ(FileDialogAnswer::shown, 1);
        EXPECT_EQ(boxes.texts.size(), 2u);
        EXPECT_EQ(Drawings(view).size(), 1u);
        EXPECT_FALSE(Exists(companion));
    }
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDNO};
        Command(ID_FILE_CLOSE);
        EXPECT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(WindowCount(), 0);
        EXPECT_FALSE(Exists(companion));
    }
    view = Reopen();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Drawings(view).empty());
}

TEST_F(DrawingsOnClose, EachWindowIsAskedForItsOwnDrawingsAfterTheDocument) {
    CTalusimView* first = Reopen();
    ASSERT_NE(first, nullptr);
    CTalusimDoc* doc = first->GetDocument();
    Command(ID_WINDOW_NEW);
    CTalusimView* second = ActiveView();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    DrawCircle(second, "10,20", "15,20");
    ASSERT_EQ(Drawings(second).size(), 1u);
    doc->SetModifiedFlag(TRUE);

    MessageBoxRecorder boxes;
    // The window without drawings of its own closes without a word: the
    // document stays open in the other one.
    first->GetParentFrame()->SendMessage(WM_CLOSE);
    Idle();
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_TRUE(boxes.texts.empty());

    // Closing the program: the document's question, then the window's; Cancel stops it all.
    boxes.answers = {IDNO, IDCANCEL};
    EXPECT_FALSE(app->SaveAllModified());
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "Save changes to drawings-on-close.cla?");
    EXPECT_EQ(boxes.texts[1], DrawingsQuestion(second));
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(Drawings(second).size(), 1u);
}

TEST_F(DrawingsOnClose, AnUntitledDocumentWithDrawingsIsNotClosedAsUntouched) {
    MessageBoxRecorder boxes;
    Command(ID_FILE_NEW);
    CTalusimView* untitled = ActiveView();
    ASSERT_NE(untitled, nullptr);
    // An untouched new document gives way to the file opened after it...
    Reopen();
    EXPECT_EQ(WindowCount(), 1);
    app->CloseAllDocuments(FALSE);
    Idle();

    // ...but not one with drawings, which are work kept in no document file.
    Command(ID_FILE_NEW);
    untitled = ActiveView();
    ASSERT_NE(untitled, nullptr);
    DrawCircle(untitled, "10,20", "15,20");
    ASSERT_FALSE(untitled->GetDocument()->IsModified());
    Reopen();
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(Drawings(untitled).size(), 1u);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DrawingsOnClose, AClosedWindowTakesItsDrawingsAndANewWindowInheritsNone) {
    SaveCompanionWithACircle();
    CTalusimView* first = Reopen();
    ASSERT_NE(first, nullptr);
    CTalusimDoc* doc = first->GetDocument();
    ASSERT_EQ(Drawings(first).size(), 1u);
    Command(ID_WINDOW_NEW);
    CTalusimView* second = ActiveView();
    ASSERT_NE(second, first);
    ASSERT_EQ(Drawings(second).size(), 1u);  // its own copy of the companion file's
    const int firstGroup = ToolGroupOf(first);

    // A drawing the user then drops with the window.
    DrawCircle(first, "30,40", "35,40");
    ASSERT_EQ(Drawings(first).size(), 2u);
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDNO};
        first->GetParentFrame()->SendMessage(WM_CLOSE);
        Idle();
        EXPECT_EQ(boxes.texts.size(), 1u);
    }
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(AllDrawings(doc), 1);

    // A new window, wherever it lives, has only what the companion file gives.
    MessageBoxRecorder boxes;
    Command(ID_WINDOW_NEW);
    CTalusimView* third = ActiveView();
    ASSERT_NE(third, nullptr);
    ASSERT_NE(third, second);
    EXPECT_NE(ToolGroupOf(third), firstGroup);
    const std::vector<CMeasure*> drawings = Drawings(third);
    ASSERT_EQ(drawings.size(), 1u);
    EXPECT_DOUBLE_EQ(drawings[0]->GetStartPoint().x, 10.0);
    EXPECT_EQ(AllDrawings(doc), 2);
    // Both windows hold what their file gave: closing asks nothing.
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DrawingsOnClose, DeletingAllDrawingsIsAChangeThatYesKeeps) {
    SaveCompanionWithACircle();
    CTalusimView* view = Reopen();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(Drawings(view).size(), 1u);
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDOK};
        Command(ID_TOOL_DELETE_ALL_DRAWINGS);
        ASSERT_EQ(boxes.texts.size(), 1u);
    }
    ASSERT_TRUE(Drawings(view).empty());
    const std::string question = DrawingsQuestion(view);
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDYES};
        AnsweredFileDialog answer(companion);
        FileDialogAnswer::shown = 0;
        Command(ID_FILE_CLOSE);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], question);
        EXPECT_EQ(FileDialogAnswer::shown, 1);
    }
    EXPECT_EQ(WindowCount(), 0);
    // No file of no drawings (which would be refused on reading): none at all.
    EXPECT_FALSE(Exists(companion));

    MessageBoxRecorder boxes;
    view = Reopen();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Drawings(view).empty());
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(boxes.texts.empty());
}
