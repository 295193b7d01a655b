// A close that reaches the program's main window while work pumps messages
// (the close box, Alt+F4, the update client's Install): the documents the work
// uses stay open until it ends, and then the close asks its usual questions.
#include "ShellFixture.h"

#include <string>

#include "app/WebUpdateClient.h"
#include "framework/Print.h"
#include "controls/WorkingDlg.h"
#include "model/ComputeProgress.h"
#include "model/TalusimDoc.h"
#include "model/TalusimRaker.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"
#include "res/dialogs-compute.h"
#include "res/dialogs-wizard.h"
#include "res/resource.h"
#include "tests/support/WhenShown.h"

namespace {

class CloseDuringWork : public ShellTest {
protected:
    void SetUp() override {
        savedShowDelay = CComputeProgress::GetShowDelay();
        // The Working dialog from the first rock on.
        CComputeProgress::SetShowDelay(std::chrono::milliseconds(0));
    }
    void TearDown() override { CComputeProgress::SetShowDelay(savedShowDelay); }
    std::chrono::milliseconds savedShowDelay{};
};

// The Working dialog that is up, or null.
HWND WorkingDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM out) {
            if (::IsWindowVisible(h) && ::GetDlgItem(h, IDC_WORKING_MESSAGE) != nullptr) {
                *reinterpret_cast<HWND*>(out) = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// While the work pumps: at the first look the close arrives, at the next the
// user presses the Working dialog's Cancel.
struct CloseWhileWorking {
    static inline HWND mainWindow = nullptr;
    static inline int looks = 0;
    static inline bool closePosted = false;
    static inline size_t boxesWhenPosted = 0;

    explicit CloseWhileWorking(HWND main) {
        mainWindow = main;
        looks = 0;
        closePosted = false;
        timer = ::SetTimer(nullptr, 0, 20, &Tick);
    }
    ~CloseWhileWorking() { ::KillTimer(nullptr, timer); }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND working = WorkingDialog();
        if (working == nullptr) return;
        if (looks++ == 0) {
            boxesWhenPosted = MessageBoxRecorder::texts.size();
            ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            closePosted = true;
        } else {
            ::SendMessageA(working, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(working, IDCANCEL)));
        }
    }
    UINT_PTR timer = 0;
};

int SaveQuestions() {
    int n = 0;
    for (const std::string& text : MessageBoxRecorder::texts)
        if (text.rfind("Save changes to ", 0) == 0) ++n;
    return n;
}

bool IsOpen(CTalusimApp* app, CDocument* document) {
    for (POSITION pos = app->m_pSlopeTemplate->GetFirstDocPosition(); pos != nullptr;)
        if (app->m_pSlopeTemplate->GetNextDoc(pos) == document) return true;
    return false;
}

// A slope of one material, a point seeder above it and a collector at its foot.
void BuildModel(CTalusimDoc& doc) {
    CTalusimSlopeType* material = doc.GetFirstMaterial();
    for (auto [x, y] : {std::pair{0.0, 40.0}, {8.0, 38.0}, {12.0, 15.0}, {30.0, 8.0}, {60.0, 0.0}})
        doc.GetSlope()->AddVertexWithMaterial(x, y, material);
    auto* seeder = new CTalusimRaker;
    seeder->AddPoint(2.0, 42.0);
    seeder->SetGroupId(GROUP_POINT_SEEDER);
    seeder->SetCategoryId(CAT_PLACED);
    seeder->SetMass(1000.0, 0.0);
    seeder->SetRadius(0.5, 0.0);
    seeder->SetVelocity(2.0, 0.0, 0.0, 0.0);
    doc.GetDatabase()->AddEntity(seeder, false);
    doc.SetLocations(5);
    // The field data the Material Wizard fits to.
    doc.AddWizardItem({30.0, 1});
    doc.SetWizardText(material->GetName());
}

}  // namespace

TEST_F(CloseDuringWork, TheCloseWaitsForTheWorkToEndAndThenAsksItsQuestions) {
    struct Work {
        const char* name;
        UINT command;
        int rocks;
    };
    const Work works[] = {
        {"Compute", ID_COMPUTE, 1000000},
        {"Throw Discs", ID_DISC_THROW, 200},
        {"New DEM Simulation", ID_DEM_NEW_SIMULATION, 1},
        // The wizard's trial runs pump under the wizard, itself modal: the
        // close waits for the wizard too.
        {"Material Wizard", ID_MATERIAL_WIZARD, 1},
    };
    for (const Work& work : works) {
        SCOPED_TRACE(work.name);
        MessageBoxRecorder boxes;
        MessageBoxRecorder::answer = IDCANCEL;  // the save question's Cancel keeps the program open
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        Idle();
        CMDIChildWnd* child = frame->MDIGetActive();
        ASSERT_NE(child, nullptr);
        auto* doc = dynamic_cast<CTalusimDoc*>(child->GetActiveDocument());
        ASSERT_NE(doc, nullptr);
        const HWND childWindow = child->m_hWnd;
        BuildModel(*doc);
        doc->SetRockCount(work.rocks);
        doc->GetDiscParameters().SetEndTime(100000.0);
        doc->SetModifiedFlag(TRUE);
        CWebUpdateClient::SetPendingUpdater("C:\\Clastor\\UpdateBrevantics.exe", " -install \"x\"");

        {
            CloseWhileWorking close(frame->m_hWnd);
            // The wizard's Fit runs its trials; Cancel then ends the wizard.
            WhenShown fit([] {
                if (HWND wizard = ::FindWindowA(nullptr, "Material Wizard")) {
                    ::SendMessageA(::GetDlgItem(wizard, IDC_MW_FIT), BM_CLICK, 0, 0);
                    ::SendMessageA(::GetDlgItem(wizard, IDCANCEL), BM_CLICK, 0, 0);
                }
            });
            frame->SendMessage(WM_COMMAND, work.command);
            ASSERT_TRUE(CloseWhileWorking::closePosted) << "the work never showed its Working dialog";
        }
        // The work has ended: its document is still open, nothing was asked
        // meanwhile, and the updater chosen for installing still waits.
        EXPECT_TRUE(IsOpen(app, doc));
        EXPECT_TRUE(::IsWindow(childWindow));
        EXPECT_EQ(SaveQuestions(), 0);
        EXPECT_TRUE(CWebUpdateClient::HasPendingUpdater());
        EXPECT_TRUE(frame->IsWindowEnabled());

        // Now the close goes ahead the usual way: the unsaved document is asked about.
        Idle();
        EXPECT_EQ(SaveQuestions(), 1);
        ASSERT_TRUE(::IsWindow(frame->m_hWnd));
        EXPECT_TRUE(IsOpen(app, doc));
        // The close was cancelled there, and with it the update.
        EXPECT_FALSE(CWebUpdateClient::HasPendingUpdater());

        doc->SetModifiedFlag(FALSE);
        doc->OnCloseDocument();
        Idle();
    }
}

namespace {

// Pages to a memory bitmap; at the end of each page the job lets pending
// messages through, as the spooler's abort procedure does, after a close of
// the main window has been posted at the first one.
class PumpingTarget : public CPrintTarget {
public:
    PumpingTarget(HWND main, CDocument* doc, CTalusimApp* app) : mainWindow(main), document(doc), application(app) {
        dc.CreateCompatibleDC(nullptr);
        HDC screen = ::GetDC(nullptr);
        bitmap = ::CreateCompatibleBitmap(screen, 64, 64);
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc.GetSafeHdc(), bitmap);
    }
    ~PumpingTarget() override {
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
    }
    CDC& GetDC() override { return dc; }
    bool StartDoc(LPCSTR) override { return true; }
    bool StartPage() override { return true; }
    bool EndDoc() override { return true; }
    bool EndPage() override {
        if (!closePosted) {
            ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            closePosted = true;
        }
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        openWhilePrinting = openWhilePrinting && IsOpen(application, document);
        return true;
    }
    bool closePosted = false;
    bool openWhilePrinting = true;

private:
    HWND mainWindow;
    CDocument* document;
    CTalusimApp* application;
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

}  // namespace

TEST_F(CloseDuringWork, ACloseWhileAViewPrintsWaitsForTheJobToEnd) {
    MessageBoxRecorder boxes;
    MessageBoxRecorder::answer = IDCANCEL;
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Idle();
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    auto* doc = dynamic_cast<CTalusimDoc*>(child->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    CView* view = child->GetActiveView();
    ASSERT_NE(view, nullptr);
    const HWND viewWindow = view->m_hWnd;
    BuildModel(*doc);
    doc->SetModifiedFlag(TRUE);

    PumpingTarget target(frame->m_hWnd, doc, app);
    CPrintInfo info;
    info.SetMaxPage(1);
    AfxPrintPages(*view, info, target, "close while printing");

    // The close waited: the view printed to its end in one piece, nothing was asked.
    ASSERT_TRUE(target.closePosted);
    EXPECT_TRUE(target.openWhilePrinting);
    EXPECT_TRUE(::IsWindow(viewWindow));
    EXPECT_EQ(SaveQuestions(), 0);
    EXPECT_TRUE(frame->IsWindowEnabled());

    // Then it goes ahead the usual way.
    Idle();
    EXPECT_EQ(SaveQuestions(), 1);
    EXPECT_TRUE(IsOpen(app, doc));

    doc->SetModifiedFlag(FALSE);
    doc->OnCloseDocument();
    Idle();
}
