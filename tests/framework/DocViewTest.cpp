// A small MDI application with two document templates: documents open and
// close in their frames, commands route view -> document -> child frame ->
// main frame -> application, update handlers set menu items, hints reach the
// other views, modified documents prompt to save, and documents go to disk and
// back through the archive, with failed opens and saves losing nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Archive.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/Exception.h"
#include "framework/Frame.h"
#include "framework/Preview.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "TestResource.h"
#include "WindowTestSupport.h"

namespace {

std::vector<std::string> routeLog;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    int m_value = 0;
    CString m_text;
    bool m_failNextSave = false;
    bool m_refuseNew = false;
    static inline int liveCount = 0;

    CTestDoc() { ++liveCount; }
    ~CTestDoc() override { --liveCount; }

    BOOL OnNewDocument() override {
        if (!CDocument::OnNewDocument()) return FALSE;
        m_value = 1;
        return !m_refuseNew;
    }
    void DeleteContents() override {
        m_value = 0;
        m_text.Empty();
    }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_value;
            if (m_failNextSave) {
                m_failNextSave = false;
                AfxThrowFileException(CFileException::diskFull, -1, "");
            }
            ar << m_text;
        } else {
            ar >> m_value >> m_text;
        }
    }

protected:
    afx_msg void OnRouteAll() { routeLog.push_back("doc"); }
    afx_msg void OnRouteDocFrameApp() { routeLog.push_back("doc"); }
    afx_msg void OnUpdateOrder(CCmdUI* ui) {
        routeLog.push_back("doc");
        ui->ContinueRouting();
    }
    afx_msg void OnUpdateDisable(CCmdUI* ui) { ui->Enable(FALSE); }
    afx_msg void OnDisabled() {}
    // Commands that fail before they change anything, the way a lower layer's
    // error or an allocation that cannot be met stops them.
    afx_msg void OnThrowRuntimeError() { throw std::runtime_error("The spreadsheet did not answer."); }
    afx_msg void OnThrowBadAlloc() {
        volatile size_t huge = size_t(1) << 62;
        std::unique_ptr<char[]> block(new char[huge]);
        m_value = block[0];
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_ROUTE_ALL, OnRouteAll)
    ON_COMMAND(ID_ROUTE_DOC_FRAME_APP, OnRouteDocFrameApp)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_ORDER, OnUpdateOrder)
    ON_COMMAND(ID_UPDATE_DISABLE, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_DISABLE, OnUpdateDisable)
    ON_COMMAND(ID_THROW_RUNTIME_ERROR, OnThrowRuntimeError)
    ON_COMMAND(ID_THROW_BAD_ALLOC, OnThrowBadAlloc)
END_MESSAGE_MAP()

class CSecondDoc : public CTestDoc {
    DECLARE_DYNCREATE(CSecondDoc)
};
IMPLEMENT_DYNCREATE(CSecondDoc, CTestDoc)

struct Hint : CObject {};

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    struct Update {
        CView* sender;
        LPARAM hint;
        CObject* object;
    };
    std::vector<Update> updates;
    int drawn = 0;
    bool initialUpdate = false;

    CTestDoc* GetDocument() const { return static_cast<CTestDoc*>(m_pDocument); }
    void OnDraw(CDC* pDC) override {
        ++drawn;
        pDC->FillSolidRect(0, 0, 10, 10, RGB(GetDocument()->m_value & 0xFF, 0, 0));
    }
    void OnInitialUpdate() override {
        initialUpdate = true;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override {
        updates.push_back({sender, hint, object});
    }

protected:
    afx_msg void OnRouteAll() { routeLog.push_back("view"); }
    afx_msg void OnUpdateOrder(CCmdUI* ui) {
        routeLog.push_back("view");
        ui->ContinueRouting();
    }
    afx_msg void OnUpdateCheck(CCmdUI* ui) { ui->SetCheck(1); }
    afx_msg void OnCheck() {}
    // A mouse handler with an indexing mistake.
    afx_msg void OnLButtonDown(UINT, CPoint) { GetDocument()->m_value = std::vector<int>{}.at(1); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_ROUTE_ALL, OnRouteAll)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_ORDER, OnUpdateOrder)
    ON_COMMAND(ID_UPDATE_CHECK, OnCheck)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_CHECK, OnUpdateCheck)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CTestChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTestChildFrame)
protected:
    afx_msg void OnRouteAll() { routeLog.push_back("child frame"); }
    afx_msg void OnRouteFrameApp() { routeLog.push_back("child frame"); }
    afx_msg void OnRouteDocFrameApp() { routeLog.push_back("child frame"); }
    afx_msg void OnUpdateOrder(CCmdUI* ui) {
        routeLog.push_back("child frame");
        ui->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTestChildFrame, CMDIChildWnd)
    ON_COMMAND(ID_ROUTE_ALL, OnRouteAll)
    ON_COMMAND(ID_ROUTE_FRAME_APP, OnRouteFrameApp)
    ON_COMMAND(ID_ROUTE_DOC_FRAME_APP, OnRouteDocFrameApp)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_ORDER, OnUpdateOrder)
END_MESSAGE_MAP()

class CTestMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CTestMainFrame)
protected:
    afx_msg void OnRouteMainFrame() { routeLog.push_back("main frame"); }
    afx_msg void OnUpdateOrder(CCmdUI* ui) {
        routeLog.push_back("main frame");
        ui->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_ROUTE_MAIN_FRAME, OnRouteMainFrame)
    ON_COMMAND(ID_ROUTE_FRAME_APP, OnRouteMainFrame)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_ORDER, OnUpdateOrder)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("Framework Test") {}

protected:
    afx_msg void OnRouteApp() { routeLog.push_back("app"); }
    afx_msg void OnUpdateOrder(CCmdUI* ui) { routeLog.push_back("app"); (void)ui; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_ROUTE_ALL, OnRouteApp)
    ON_COMMAND(ID_ROUTE_DOC_FRAME_APP, OnRouteApp)
    ON_COMMAND(ID_ROUTE_FRAME_APP, OnRouteApp)
    ON_COMMAND(ID_ROUTE_APP, OnRouteApp)
    ON_COMMAND(ID_ROUTE_MAIN_FRAME, OnRouteApp)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_ORDER, OnUpdateOrder)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
END_MESSAGE_MAP()

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DocViewTest : public ::testing::Test {
protected:
    static inline CTestApp* app = nullptr;
    static inline CTestMainFrame* mainFrame = nullptr;
    static inline CMultiDocTemplate* firstTemplate = nullptr;
    static inline CMultiDocTemplate* secondTemplate = nullptr;

    static void SetUpTestSuite() {
        app = new CTestApp;
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_HIDE);
        app->SetRegistryKey("Clastor Framework Tests");
        app->LoadStdProfileSettings(4);
        firstTemplate = new CMultiDocTemplate(IDR_TESTDOC1, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChildFrame),
                                              RUNTIME_CLASS(CTestView));
        app->AddDocTemplate(firstTemplate);
        secondTemplate = new CMultiDocTemplate(IDR_TESTDOC2, RUNTIME_CLASS(CSecondDoc),
                                               RUNTIME_CLASS(CTestChildFrame), RUNTIME_CLASS(CTestView));
        app->AddDocTemplate(secondTemplate);
        mainFrame = new CTestMainFrame;
        // The main frame stays hidden: showing top-level windows is slow under the test server.
        ASSERT_TRUE(mainFrame->LoadFrame(IDR_TESTMAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app->m_pMainWnd = mainFrame;
    }

    static void TearDownTestSuite() {
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        if (mainFrame->GetSafeHwnd() != nullptr) mainFrame->DestroyWindow();
        PumpPending();
        delete app;
        app = nullptr;
    }

    void SetUp() override { routeLog.clear(); }
    void TearDown() override {
        MessageBoxRecorder boxes;
        boxes.answers = {IDNO, IDNO, IDNO, IDNO};
        app->CloseAllDocuments(FALSE);
        PumpPending();
    }

    static int ChildCount() {
        int n = 0;
        for (HWND h = ::GetWindow(mainFrame->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::GetWindow(h, GW_OWNER) == nullptr) ++n;
        return n;
    }

    static CTestDoc* NewDocument() {
        app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        CMDIChildWnd* child = mainFrame->MDIGetActive();
        return child ? static_cast<CTestDoc*>(child->GetActiveDocument()) : nullptr;
    }

    static CTestView* FirstView(CDocument* doc) {
        POSITION pos = doc->GetFirstViewPosition();
        return pos ? static_cast<CTestView*>(doc->GetNextView(pos)) : nullptr;
    }
};

} // namespace

TEST_F(DocViewTest, NewDocumentOpensInAChildFrameWithTheTemplatesMenu) {
    int docs = CTestDoc::liveCount;
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(CTestDoc::liveCount, docs + 1);
    EXPECT_EQ(doc->m_value, 1);
    EXPECT_STREQ(doc->GetTitle(), "TestDoc1");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetDocTemplate(), firstTemplate);
    EXPECT_EQ(ChildCount(), 1);
    CTestView* view = FirstView(doc);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->initialUpdate);
    EXPECT_EQ(mainFrame->MDIGetActive()->GetActiveView(), view);
    // The main frame shows the active document's menu.
    EXPECT_EQ(::GetMenu(mainFrame->GetSafeHwnd()), firstTemplate->m_hMenuShared);
    // Titles follow on idle.
    app->OnIdle(0);
    CString title;
    mainFrame->GetWindowText(title);
    EXPECT_STREQ(title, "Framework Test - TestDoc1");

    // The view paints the document.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(nullptr, 16, 16);
    CBitmap* old = mem.SelectObject(&bitmap);
    doc->m_value = 200;
    view->OnDraw(&mem);
    EXPECT_EQ(mem.GetPixel(5, 5), RGB(200, 0, 0));
    mem.SelectObject(old);

    // The second document gets the next number.
    CTestDoc* second = NewDocument();
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second->GetTitle(), "TestDoc2");
    EXPECT_EQ(ChildCount(), 2);
    EXPECT_EQ(app->GetOpenDocumentCount(), 2);
}

TEST_F(DocViewTest, CommandsRouteViewDocumentFramesApplication) {
    ASSERT_NE(NewDocument(), nullptr);
    struct Case {
        UINT id;
        const char* handler;
    } cases[] = {
        {ID_ROUTE_ALL, "view"},
        {ID_ROUTE_DOC_FRAME_APP, "doc"},
        {ID_ROUTE_FRAME_APP, "child frame"},
        {ID_ROUTE_MAIN_FRAME, "main frame"},
        {ID_ROUTE_APP, "app"},
    };
    for (const Case& c : cases) {
        routeLog.clear();
        mainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        ASSERT_EQ(routeLog.size(), 1u) << c.id;
        EXPECT_EQ(routeLog[0], c.handler) << c.id;
    }
    // Update handlers that let the update go on show the whole order.
    routeLog.clear();
    CCmdUI probe;
    probe.m_nID = ID_UPDATE_ORDER;
    probe.DoUpdate(mainFrame, FALSE);
    std::vector<std::string> order{"view", "doc", "child frame", "main frame", "app"};
    EXPECT_EQ(routeLog, order);

    // The accelerator of the document's template (F5) reaches the view too.
    routeLog.clear();
    CMDIChildWnd* child = mainFrame->MDIGetActive();
    ASSERT_NE(child->m_hAccelTable, nullptr);
    MSG key{child->GetActiveView()->GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(app->PreTranslateMessage(&key));
    MSG other{child->GetActiveView()->GetSafeHwnd(), WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_FALSE(app->PreTranslateMessage(&other));
    ASSERT_FALSE(routeLog.empty());
    EXPECT_EQ(routeLog[0], "view");
}

TEST_F(DocViewTest, MenuUpdateHandlersRunWhenThePopupOpens) {
    ASSERT_NE(NewDocument(), nullptr);
    CMenu* bar = CMenu::FromHandle(::GetMenu(mainFrame->GetSafeHwnd()));
    CMenu* edit = bar->GetSubMenu(1);
    ASSERT_NE(edit, nullptr);
    mainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit->GetSafeHmenu()), MAKELPARAM(1, FALSE));
    EXPECT_TRUE(edit->GetMenuState(ID_UPDATE_DISABLE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(edit->GetMenuState(ID_UPDATE_CHECK, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(edit->GetMenuState(ID_UPDATE_CHECK, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(edit->GetMenuState(ID_NO_HANDLER_DOC, MF_BYCOMMAND) & MF_GRAYED);
    // The disabled command is not carried out from the menu either.
    CTestDoc* doc = static_cast<CTestDoc*>(mainFrame->MDIGetActive()->GetActiveDocument());
    EXPECT_TRUE(doc != nullptr);
    CMenu* file = bar->GetSubMenu(0);
    mainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), MAKELPARAM(0, FALSE));
    EXPECT_FALSE(file->GetMenuState(ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(file->GetMenuState(ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED); // the application's handler
}

TEST_F(DocViewTest, UpdateAllViewsSendsTheHintToTheOtherViews) {
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    mainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WINDOW_NEW, 0), 0);
    EXPECT_EQ(ChildCount(), 2);
    std::vector<CTestView*> views;
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;)
        views.push_back(static_cast<CTestView*>(doc->GetNextView(pos)));
    ASSERT_EQ(views.size(), 2u);
    // Two windows on one document are numbered.
    CString first, second;
    views[0]->GetParentFrame()->GetWindowText(first);
    views[1]->GetParentFrame()->GetWindowText(second);
    EXPECT_EQ(first, doc->GetTitle() + ":1");
    EXPECT_EQ(second, doc->GetTitle() + ":2");

    for (CTestView* v : views) v->updates.clear();
    Hint hint;
    doc->UpdateAllViews(views[0], 5, &hint);
    EXPECT_TRUE(views[0]->updates.empty());
    ASSERT_EQ(views[1]->updates.size(), 1u);
    EXPECT_EQ(views[1]->updates[0].sender, views[0]);
    EXPECT_EQ(views[1]->updates[0].hint, 5);
    EXPECT_EQ(views[1]->updates[0].object, &hint);
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(views[0]->updates.size(), 1u);
    EXPECT_EQ(views[1]->updates.size(), 2u);

    // Closing one of the two windows keeps the document without asking.
    MessageBoxRecorder boxes;
    doc->SetModifiedFlag();
    views[1]->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(ChildCount(), 1);
    CString alone;
    views[0]->GetParentFrame()->GetWindowText(alone);
    EXPECT_EQ(alone, doc->GetTitle());
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksToSave) {
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag();
    CFrameWnd* frame = FirstView(doc)->GetParentFrame();
    int docs = CTestDoc::liveCount;

    MessageBoxRecorder boxes;
    boxes.answers = {IDCANCEL};
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], std::string("Save changes to ") + static_cast<LPCSTR>(doc->GetTitle()) + "?");
    EXPECT_EQ(boxes.types[0] & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(ChildCount(), 1); // cancelled: nothing closed
    EXPECT_EQ(CTestDoc::liveCount, docs);

    boxes.answers = {IDNO};
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(ChildCount(), 0);
    EXPECT_EQ(CTestDoc::liveCount, docs - 1);
    // With no document the main frame's own menu is back.
    EXPECT_EQ(::GetMenu(mainFrame->GetSafeHwnd()), mainFrame->m_hMenuDefault);
}

TEST_F(DocViewTest, AHandlerThatThrowsIsReportedAndTheProgramGoesOn) {
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    doc->m_value = 7;
    doc->m_text = "kept";
    const int docs = CTestDoc::liveCount;
    CTestView* view = FirstView(doc);
    struct Case {
        const char* name;
        HWND target;
        UINT message;
        WPARAM wParam;
        const char* report;
    } cases[] = {
        {"runtime_error", mainFrame->GetSafeHwnd(), WM_COMMAND, ID_THROW_RUNTIME_ERROR,
         "Command failed.\nThe spreadsheet did not answer."},
        {"bad_alloc", mainFrame->GetSafeHwnd(), WM_COMMAND, ID_THROW_BAD_ALLOC,
         "Insufficient memory to perform operation."},
        {"out_of_range", view->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, "Command failed.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxRecorder boxes;
        // Posted and dispatched as a click or a menu choice is.
        ::PostMessageA(c.target, c.message, c.wParam, 0);
        PumpPending();
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0].rfind(c.report, 0), 0u) << boxes.texts[0];
        EXPECT_EQ(boxes.types[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
        // The document, its window and the command routing are as they were.
        EXPECT_EQ(CTestDoc::liveCount, docs);
        EXPECT_EQ(ChildCount(), 1);
        EXPECT_EQ(doc->m_value, 7);
        EXPECT_STREQ(doc->m_text, "kept");
        EXPECT_FALSE(doc->IsModified());
        routeLog.clear();
        mainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ROUTE_ALL, 0), 0);
        EXPECT_EQ(routeLog, std::vector<std::string>{"view"});
    }
}

TEST_F(DocViewTest, DocumentsRoundTripThroughTheArchiveOnDisk) {
    std::string path = TempPath("clastor-docview-roundtrip.tst");
    ::DeleteFileA(path.c_str());
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    doc->m_value = 4711;
    doc->m_text = "slope \xE9"; // a Windows-1252 character survives
    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->DoSave(path.c_str()));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_STREQ(doc->GetTitle(), "clastor-docview-roundtrip.tst");
    doc->OnCloseDocument();
    EXPECT_EQ(ChildCount(), 0);

    CDocument* opened = app->OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    auto* reopened = static_cast<CTestDoc*>(opened);
    EXPECT_EQ(reopened->m_value, 4711);
    EXPECT_STREQ(reopened->m_text, "slope \xE9");
    EXPECT_FALSE(reopened->IsModified());
    EXPECT_EQ(ChildCount(), 1);
    // Opening it again brings the open one forward.
    EXPECT_EQ(app->OpenDocumentFile(path.c_str()), opened);
    EXPECT_EQ(ChildCount(), 1);
    // It is now the most recent file.
    app->SaveStdProfileSettings();
    CString mru = app->GetProfileString("Recent File List", "File1");
    EXPECT_EQ(mru.CompareNoCase(opened->GetPathName()), 0);
    ::DeleteFileA(path.c_str());
}

TEST_F(DocViewTest, AFileThatFailsToOpenLeavesNoWindowBehind) {
    std::string path = TempPath("clastor-docview-bad.tst");
    {
        std::ofstream out(path, std::ios::binary);
        out << "x"; // too short for the int the document reads first
    }
    MessageBoxRecorder boxes;
    int children = ChildCount();
    int docs = CTestDoc::liveCount;
    EXPECT_EQ(app->OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(ChildCount(), children);
    EXPECT_EQ(CTestDoc::liveCount, docs);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Unexpected file format.");

    EXPECT_EQ(app->OpenDocumentFile(TempPath("clastor-no-such-file.tst").c_str()), nullptr);
    EXPECT_EQ(ChildCount(), children);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_NE(boxes.texts[1].find("Cannot find this file"), std::string::npos);
    ::DeleteFileA(path.c_str());
}

TEST_F(DocViewTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    std::string path = TempPath("clastor-docview-keep.tst");
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    doc->m_value = 1;
    doc->m_text = "old";
    ASSERT_TRUE(doc->DoSave(path.c_str()));
    std::string before = ReadFile(path);
    ASSERT_FALSE(before.empty());

    MessageBoxRecorder boxes;
    doc->m_value = 2;
    doc->m_text = "new";
    doc->SetModifiedFlag();
    doc->m_failNextSave = true; // the disk fills up half way
    EXPECT_FALSE(doc->DoSave(path.c_str()));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFile(path), before);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Destination disk drive is full.");

    // No temporary file is left beside it.
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((std::string(dir) + "sav*.tmp").c_str(), &found);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) ::FindClose(h);

    // A folder that does not exist.
    EXPECT_FALSE(doc->DoSave(TempPath("no-such-folder\\x.tst").c_str()));
    EXPECT_TRUE(doc->IsModified());
    ::DeleteFileA(path.c_str());
}

TEST_F(DocViewTest, TheSecondTemplateOpensItsOwnKindOfDocument) {
    std::string path = TempPath("clastor-docview-second.tsb");
    CDocument* doc = secondTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CSecondDoc)));
    EXPECT_STREQ(doc->GetTitle(), "Second1");
    EXPECT_EQ(::GetMenu(mainFrame->GetSafeHwnd()), secondTemplate->m_hMenuShared);
    ASSERT_TRUE(doc->DoSave(path.c_str()));
    doc->OnCloseDocument();
    // The file's extension picks the template.
    CDocument* opened = app->OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->IsKindOf(RUNTIME_CLASS(CSecondDoc)));
    EXPECT_EQ(opened->GetDocTemplate(), secondTemplate);
    ::DeleteFileA(path.c_str());
}

TEST_F(DocViewTest, ProfileValuesLiveUnderTheRegistryKey) {
    EXPECT_TRUE(app->WriteProfileInt("Settings", "Count", 42));
    EXPECT_EQ(app->GetProfileInt("Settings", "Count", 0), 42u);
    EXPECT_EQ(app->GetProfileInt("Settings", "Missing", 7), 7u);
    EXPECT_TRUE(app->WriteProfileString("Settings", "Name", "value"));
    EXPECT_STREQ(app->GetProfileString("Settings", "Name"), "value");
    EXPECT_STREQ(app->GetProfileString("Settings", "Other", "fallback"), "fallback");
    BYTE data[3] = {1, 2, 3};
    EXPECT_TRUE(app->WriteProfileBinary("Settings", "Bytes", data, 3));
    LPBYTE read = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app->GetProfileBinary("Settings", "Bytes", &read, &size));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(read[2], 3);
    delete[] read;

    // Where they are: HKEY_CURRENT_USER\Software\<key>\<application>\<section>.
    HKEY key;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Clastor Framework Tests\\Framework Test\\Settings", 0,
                              KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD value = 0, type = 0, bytes = sizeof(value);
    EXPECT_EQ(::RegQueryValueExA(key, "Count", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 42u);
    ::RegCloseKey(key);
    EXPECT_TRUE(app->WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ(app->GetProfileString("Settings", "Name", "gone"), "gone");
}

TEST_F(DocViewTest, RecentFilesAreKeptAndShownInTheMenu) {
    for (const char* name : {"a.tst", "b.tst", "c.tst", "d.tst", "e.tst", "b.tst"})
        app->AddToRecentFileList(TempPath(name).c_str());
    app->SaveStdProfileSettings();
    CString first = app->GetProfileString("Recent File List", "File1");
    CString fourth = app->GetProfileString("Recent File List", "File4");
    CString fifth = app->GetProfileString("Recent File List", "File5", "none");
    EXPECT_EQ(first.CompareNoCase(TempPath("b.tst").c_str()), 0);
    EXPECT_EQ(fourth.CompareNoCase(TempPath("c.tst").c_str()), 0);
    EXPECT_STREQ(fifth, "none");

    // The File menu's placeholder becomes the list.
    CMenu menu;
    menu.LoadMenu(IDR_TESTMAIN);
    CMenu* file = menu.GetSubMenu(0);
    mainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), 0);
    CString item;
    file->GetMenuString(ID_FILE_MRU_FILE1, item, MF_BYCOMMAND);
    // Names short enough are shown whole.
    EXPECT_EQ(CString(item).CompareNoCase(("&1 " + TempPath("b.tst")).c_str()), 0);
    file->GetMenuString(ID_FILE_MRU_FILE1 + 3, item, MF_BYCOMMAND);
    EXPECT_EQ(CString(item).CompareNoCase(("&4 " + TempPath("c.tst")).c_str()), 0);
    EXPECT_EQ(file->GetMenuState(ID_FILE_MRU_FILE1 + 4, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(DocViewTest, DocumentsCanCloseWhileTheTemplateIsWalked) {
    for (int i = 0; i < 3; ++i) ASSERT_NE(NewDocument(), nullptr);
    int visited = 0;
    // Closing the document just returned must not make the walk skip the next one.
    for (POSITION pos = firstTemplate->GetFirstDocPosition(); pos != nullptr;) {
        CDocument* doc = firstTemplate->GetNextDoc(pos);
        ++visited;
        doc->OnCloseDocument();
    }
    EXPECT_EQ(visited, 3);
    EXPECT_EQ(firstTemplate->GetFirstDocPosition(), nullptr);
    EXPECT_EQ(ChildCount(), 0);
}

namespace {

// A view previewed on a stand-in printer (a memory DC like the screen): its
// page is red in the top-left quarter of the printable area.
class CPreviewedView : public CTestView {
    DECLARE_DYNCREATE(CPreviewedView)
public:
    static inline std::vector<std::string> steps;
    BOOL OnPreparePrinting(CPrintInfo* info) override {
        steps.push_back("prepare");
        info->SetMaxPage(1);
        info->m_pd.hDC = ::CreateCompatibleDC(nullptr);
        return TRUE;
    }
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override { steps.push_back(dc->IsPrinting() && info->m_bPreview ? "begin preview" : "begin"); }
    void OnPrint(CDC* dc, CPrintInfo* info) override {
        steps.push_back(dc->IsPrinting() ? "print page" : "draw");
        CRect quarter(info->m_rectDraw);
        quarter.right = quarter.left + quarter.Width() / 2;
        quarter.bottom = quarter.top + quarter.Height() / 2;
        dc->FillSolidRect(&quarter, RGB(255, 0, 0));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { steps.push_back("end"); }
};
IMPLEMENT_DYNCREATE(CPreviewedView, CTestView)

} // namespace

TEST_F(DocViewTest, PrintPreviewShowsThePagesAndGivesTheFrameBack) {
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    CMDIChildWnd* child = mainFrame->MDIGetActive();
    auto* view = new CPreviewedView;
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), child, AFX_IDW_PANE_FIRST + 1, &context));
    HMENU menu = ::GetMenu(mainFrame->GetSafeHwnd());
    CPreviewedView::steps.clear();

    auto* state = new CPrintPreviewState;
    ASSERT_TRUE(view->DoPrintPreview(IDD_PREVIEWBAR, view, RUNTIME_CLASS(CPreviewView), state));
    CView* active = mainFrame->GetActiveView();
    ASSERT_NE(active, nullptr);
    ASSERT_TRUE(active->IsKindOf(RUNTIME_CLASS(CPreviewView)));
    auto* preview = static_cast<CPreviewView*>(active);
    auto shown = [](HWND h) { return (::GetWindowLongPtrA(h, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_FALSE(shown(mainFrame->m_hWndMDIClient));
    EXPECT_EQ(::GetMenu(mainFrame->GetSafeHwnd()), nullptr);
    EXPECT_NE(mainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR), nullptr);

    // The page drawn into a canvas: white sheet, the view's red quarter in its corner.
    CRect page = preview->m_pPageInfo[0].rectScreen;
    ASSERT_GT(page.Width(), 20);
    CDC canvas;
    canvas.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    CRect client;
    preview->GetClientRect(&client);
    bitmap.CreateCompatibleBitmap(nullptr, client.Width(), client.Height());
    CBitmap* old = canvas.SelectObject(&bitmap);
    preview->OnPrepareDC(&canvas);
    preview->OnDraw(&canvas);
    EXPECT_EQ(canvas.GetPixel(page.left + page.Width() / 8, page.top + page.Height() / 8), RGB(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(page.right - page.Width() / 8, page.bottom - page.Height() / 8), RGB(255, 255, 255));
    canvas.SelectObject(old);

    // Commands reach the preview first; Close gives everything back.
    mainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(AFX_ID_PREVIEW_ZOOMIN, 0), 0);
    mainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(AFX_ID_PREVIEW_CLOSE, 0), 0);
    EXPECT_EQ(mainFrame->GetActiveView(), nullptr);
    EXPECT_TRUE(shown(mainFrame->m_hWndMDIClient));
    EXPECT_EQ(::GetDlgItem(mainFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST), mainFrame->m_hWndMDIClient);
    EXPECT_EQ(::GetMenu(mainFrame->GetSafeHwnd()), menu);
    EXPECT_EQ(mainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR), nullptr);
    ASSERT_GE(CPreviewedView::steps.size(), 4u);
    EXPECT_EQ(CPreviewedView::steps.front(), "prepare");
    EXPECT_EQ(CPreviewedView::steps[1], "begin preview");
    EXPECT_EQ(CPreviewedView::steps[2], "print page");
    EXPECT_EQ(CPreviewedView::steps.back(), "end");
}

TEST_F(DocViewTest, MenuItemsShowTheirPromptInTheStatusBar) {
    CWnd status;
    ASSERT_TRUE(status.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), mainFrame, AFX_IDW_STATUS_BAR));
    HMENU menu = ::GetMenu(mainFrame->GetSafeHwnd());
    mainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_UPDATE_CHECK, MF_STRING), reinterpret_cast<LPARAM>(menu));
    CString text;
    status.GetWindowText(text);
    EXPECT_STREQ(text, "Checks the setting");
    mainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    status.GetWindowText(text);
    EXPECT_STREQ(text, "Ready");
    status.DestroyWindow();
}

TEST_F(DocViewTest, ShellCommandsOpenDocumentsAndRegisterTheFileTypes) {
    std::string path = TempPath("clastor-docview-shell.tst");
    CTestDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    doc->m_value = 99;
    ASSERT_TRUE(doc->DoSave(path.c_str()));
    doc->OnCloseDocument();

    CCommandLineInfo open;
    open.ParseParam(path.c_str(), FALSE, TRUE);
    EXPECT_TRUE(app->ProcessShellCommand(open));
    ASSERT_EQ(ChildCount(), 1);
    EXPECT_EQ(static_cast<CTestDoc*>(mainFrame->MDIGetActive()->GetActiveDocument())->m_value, 99);

    CCommandLineInfo empty;
    EXPECT_TRUE(app->ProcessShellCommand(empty)); // a new document
    EXPECT_EQ(ChildCount(), 2);

    MessageBoxRecorder boxes;
    CCommandLineInfo missing;
    missing.ParseParam(TempPath("clastor-no-such-file.tst").c_str(), FALSE, TRUE);
    EXPECT_FALSE(app->ProcessShellCommand(missing));
    EXPECT_EQ(boxes.texts.size(), 1u);

    app->EnableShellOpen();
    app->RegisterShellFileTypes(TRUE);
    char value[MAX_PATH] = {};
    LONG size = sizeof(value);
    ASSERT_EQ(::RegQueryValueA(HKEY_CURRENT_USER, "Software\\Classes\\.tst", value, &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "FrameworkTest.Document");
    size = sizeof(value);
    ASSERT_EQ(::RegQueryValueA(HKEY_CURRENT_USER, "Software\\Classes\\FrameworkTest.Document\\shell\\open\\command",
                               value, &size),
              ERROR_SUCCESS);
    EXPECT_NE(std::string(value).find("test_framework.exe\" \"%1\""), std::string::npos) << value;
    app->UnregisterShellFileTypes();
    size = sizeof(value);
    EXPECT_NE(::RegQueryValueA(HKEY_CURRENT_USER, "Software\\Classes\\.tst", value, &size), ERROR_SUCCESS);
    ::DeleteFileA(path.c_str());
}

TEST(CommandLineTest, ParsesFilesAndShellRequests) {
    struct Case {
        std::vector<std::pair<const char*, bool>> args;
        int command;
        const char* file;
        const char* printer;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, "", ""},
        {{{"slope.cla", false}}, CCommandLineInfo::FileOpen, "slope.cla", ""},
        {{{"p", true}, {"slope.cla", false}}, CCommandLineInfo::FilePrint, "slope.cla", ""},
        {{{"pt", true}, {"slope.cla", false}, {"Printer", false}, {"drv", false}, {"LPT1:", false}},
         CCommandLineInfo::FilePrintTo, "slope.cla", "Printer"},
        {{{"Unregister", true}}, CCommandLineInfo::AppUnregister, "", ""},
        {{{"unknownflag", true}, {"x.cla", false}}, CCommandLineInfo::FileOpen, "x.cla", ""},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i)
            info.ParseParam(c.args[i].first, c.args[i].second, i + 1 == c.args.size());
        EXPECT_EQ(static_cast<int>(info.m_nShellCommand), c.command);
        EXPECT_STREQ(info.m_strFileName, c.file);
        EXPECT_STREQ(info.m_strPrinterName, c.printer);
    }
    CCommandLineInfo embedded;
    embedded.ParseParam("Embedding", TRUE, TRUE);
    EXPECT_FALSE(embedded.m_bShowSplash);
}

namespace {

class CRunTest : public ::testing::Test {
protected:
    CTestApp* app = nullptr;
    void SetUp() override {
        app = new CTestApp;
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_HIDE);
        app->AddDocTemplate(new CMultiDocTemplate(IDR_TESTDOC1, RUNTIME_CLASS(CTestDoc),
                                                  RUNTIME_CLASS(CTestChildFrame), RUNTIME_CLASS(CTestView)));
    }
    void TearDown() override {
        PumpPending();
        delete app;
    }
};

} // namespace

TEST_F(CRunTest, ExitAsksToSaveThenEndsTheMessageLoop) {
    auto* frame = new CTestMainFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTMAIN));
    app->m_pMainWnd = frame;
    app->OnFileNew();
    auto* doc = static_cast<CTestDoc*>(frame->MDIGetActive()->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag();
    int docs = CTestDoc::liveCount;

    // The user chooses Exit twice: the first prompt is cancelled, the second answered No.
    MessageBoxRecorder boxes;
    boxes.answers = {IDCANCEL, IDNO};
    frame->PostMessage(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    frame->PostMessage(WM_COMMAND, MAKEWPARAM(ID_ROUTE_APP, 0), 0);
    frame->PostMessage(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    routeLog.clear();
    int exitCode = app->Run();

    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(boxes.texts.size(), 2u);
    std::vector<std::string> handled{"app"};
    EXPECT_EQ(routeLog, handled); // the loop went on after the cancelled exit
    EXPECT_EQ(CTestDoc::liveCount, docs - 1);
    EXPECT_EQ(app->m_pMainWnd, nullptr); // the frame is gone
}

namespace {

// Prints into a DC that cannot start a print job, as a printer that went away.
class CPrintingView : public CTestView {
public:
    std::vector<std::string> steps;
    BOOL OnPreparePrinting(CPrintInfo* info) override {
        steps.push_back("prepare");
        info->m_pd.hDC = ::CreateCompatibleDC(nullptr);
        return TRUE;
    }
    void OnBeginPrinting(CDC* dc, CPrintInfo*) override { steps.push_back(dc->IsPrinting() ? "begin printing" : "begin"); }
    void OnEndPrinting(CDC*, CPrintInfo*) override { steps.push_back("end"); }
    void Print() { SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPrintingView, CTestView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
END_MESSAGE_MAP()

} // namespace

TEST(PrintTest, APrintJobThatCannotStartIsReportedAndCleanedUp) {
    MessageBoxRecorder boxes;
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    auto* view = new CPrintingView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &host, AFX_IDW_PANE_FIRST));
    view->Print();
    std::vector<std::string> steps{"prepare", "begin printing", "end"};
    EXPECT_EQ(view->steps, steps);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Could not start print job.");
    host.DestroyWindow();
}
