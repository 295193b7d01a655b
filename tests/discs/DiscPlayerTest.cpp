// The time-step player driven through its controls on a document with DEM
// results, and the document letting go of the player when it closes.
#include "tests/model/DocumentFixture.h"

#include <commctrl.h>
#include "app/DiscTimeDialog.h"
#include "model/MainFrameServices.h"
#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "res/dialogs-discs.h"

namespace {

struct DiscPlayerTest : ::testing::Test {
    void SetUp() override
    {
        InstallDiscServices();
        doc = NewDocument();
        auto* s = new CTalusimRaker;
        s->AddPoint(5, 20);
        s->SetGroupId(GROUP_POINT_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(2, 0);
        s->SetRadius(0.5, 0);
        doc->GetDatabase()->AddEntity(s, false);
        doc->GetDiscParameters().SetEndTime(1.0);
        doc->GetDiscParameters().SetIndependent(false);
        RunDemSimulation(doc.get());
        ASSERT_NE(Results(), nullptr);
        dlg = new CDiscTimedlg(nullptr);
        ASSERT_TRUE(dlg->Create());
        dlg->SetDocument(doc.get());
    }
    void TearDown() override
    {
        if (dlg)
            dlg->DestroyWindow();   // deletes itself
    }
    CDiscEnt* Results() { return dynamic_cast<CDiscEnt*>(doc->GetDiscEntity()); }
    HWND Item(int id) { return ::GetDlgItem(dlg->m_hWnd, id); }
    std::string Text(int id)
    {
        char buf[64] = {};
        ::GetWindowTextA(Item(id), buf, sizeof buf);
        return buf;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void Spin(int id, int delta)
    {
        NMUPDOWN n{};
        n.hdr.hwndFrom = Item(id);
        n.hdr.idFrom = static_cast<UINT_PTR>(id);
        n.hdr.code = UDN_DELTAPOS;
        n.iDelta = delta;
        ::SendMessageA(dlg->m_hWnd, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&n));
    }
    void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    std::unique_ptr<CTalusimDoc> doc;
    CDiscTimedlg* dlg = nullptr;
};

}  // namespace

TEST_F(DiscPlayerTest, SlidersSpinsAndLabelsFollowTheDocument)
{
    // 100 steps of 0.01 s: frames 0 (the start) to 100 (the end).
    EXPECT_EQ(Text(IDC_DT_FINAL_STEP), "100");
    EXPECT_EQ(Text(IDC_DT_FINAL_SECONDS), "1.000");
    EXPECT_EQ(Text(IDC_DT_CURRENT_SECONDS), "0.000");
    EXPECT_TRUE(Enabled(IDC_DT_STEP_SLIDER));
    EXPECT_FALSE(Enabled(IDC_DT_SKIP_SLIDER));
    EXPECT_TRUE(Enabled(IDC_DT_CONTACTS));
    EXPECT_EQ(::SendMessageA(Item(IDC_DT_STEP_SLIDER), TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(::SendMessageA(Item(IDC_DT_SKIP_SLIDER), TBM_GETRANGEMAX, 0, 0), 10);

    ::SendMessageA(Item(IDC_DT_STEP_SLIDER), TBM_SETPOS, TRUE, 33);
    ::SendMessageA(dlg->m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 33),
                   reinterpret_cast<LPARAM>(Item(IDC_DT_STEP_SLIDER)));
    EXPECT_EQ(Results()->GetCurrentStep(), 33);
    EXPECT_EQ(Text(IDC_DT_CURRENT_STEP), "33");
    // Frame 33 is the state after 33 steps of 0.01 s.
    EXPECT_EQ(Text(IDC_DT_CURRENT_SECONDS), "0.330");

    // The slider's ends are the first and the last stored frame.
    for (int end : {100, 0}) {
        ::SendMessageA(Item(IDC_DT_STEP_SLIDER), TBM_SETPOS, TRUE, end);
        ::SendMessageA(dlg->m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, end),
                       reinterpret_cast<LPARAM>(Item(IDC_DT_STEP_SLIDER)));
        EXPECT_EQ(Results()->GetCurrentStep(), end);
        EXPECT_EQ(Text(IDC_DT_CURRENT_SECONDS), end == 0 ? "0.000" : "1.000");
        const auto& track = Results()->GetTrack(1);
        EXPECT_EQ((end == 0 ? track.front() : track.back()).step, end);
    }
    EXPECT_EQ(Results()->GetTrack(1).front().y, 20.0);
    Spin(IDC_DT_STEP_SPIN, 1);
    EXPECT_EQ(Results()->GetCurrentStep(), 0);
    ::SendMessageA(Item(IDC_DT_STEP_SLIDER), TBM_SETPOS, TRUE, 33);
    doc->SetDiscStep(33);

    Spin(IDC_DT_STEP_SPIN, -1);
    EXPECT_EQ(Results()->GetCurrentStep(), 34);
    Spin(IDC_DT_STEP_SPIN, 1);
    Spin(IDC_DT_STEP_SPIN, 1);
    EXPECT_EQ(Results()->GetCurrentStep(), 32);
    // Below the first step nothing moves.
    doc->SetDiscStep(0);
    Spin(IDC_DT_STEP_SPIN, 1);
    EXPECT_EQ(Results()->GetCurrentStep(), 0);

    Click(IDC_DT_ALL_PATHS);
    EXPECT_EQ(Results()->GetDisplayMode(), 2192);
    EXPECT_TRUE(Enabled(IDC_DT_SKIP_SLIDER));
    EXPECT_FALSE(Enabled(IDC_DT_STEP_SLIDER));
    // A skip count above the slider's range keeps the slider at its end.
    doc->SetDiscSkip(8);
    for (int i = 0; i < 4; ++i)
        Spin(IDC_DT_SKIP_SPIN, -1);
    EXPECT_EQ(doc->GetDiscSkip(), 12);
    EXPECT_EQ(Results()->GetSkipCount(), 12);
    EXPECT_EQ(::SendMessageA(Item(IDC_DT_SKIP_SLIDER), TBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(Text(IDC_DT_SKIP_EDIT), "12");
    ::SetWindowTextA(Item(IDC_DT_SKIP_EDIT), "5");
    EXPECT_EQ(doc->GetDiscSkip(), 5);

    Click(IDC_DT_CONTACTS);
    EXPECT_FALSE(Results()->GetViewSettings().GetShowContacts());
    ::SendMessageA(Item(IDC_DT_DATA), CB_SETCURSEL, 5, 0);
    ::SendMessageA(dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DT_DATA, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(IDC_DT_DATA)));
    EXPECT_EQ(Results()->GetViewSettings().GetLabelMode(), 15);

    // Done only hides the player.
    ::SendMessageA(dlg->m_hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(dlg->m_hWnd));
}

TEST_F(DiscPlayerTest, WithoutResultsEveryGroupRests)
{
    doc->ClearRockPaths();
    dlg->SetDocument(doc.get());
    EXPECT_EQ(Text(IDC_DT_CURRENT_SECONDS), "0.0");
    for (int id : {IDC_DT_STEP_SLIDER, IDC_DT_SKIP_SLIDER, IDC_DT_ONE_STEP, IDC_DT_CONTACTS, IDC_DT_DATA})
        EXPECT_FALSE(Enabled(id)) << id;
}

// The group boxes keep their titles drawn as text in every mode: a disabled
// group box has its title drawn through a bitmap as wide as the measured
// text, which cuts the last letters off where the font draws wider than it
// measures ("Number to time steps to ski" under Wine with the dialog font
// taken by DejaVu Sans). The controls inside still rest as the mode says.
TEST_F(DiscPlayerTest, GroupTitlesStayDrawnWhileTheirControlsRest)
{
    const int groups[] = {IDC_DT_MODE_GROUP, IDC_DT_STEP_GROUP, IDC_DT_SKIP_GROUP};
    const struct {
        int mode;
        int resting;
    } modes[] = {{IDC_DT_ONE_STEP, IDC_DT_SKIP_SLIDER}, {IDC_DT_ALL_DISCS, IDC_DT_STEP_SLIDER},
                 {IDC_DT_ALL_PATHS, IDC_DT_STEP_SLIDER}};
    for (const auto& m : modes) {
        Click(m.mode);
        EXPECT_FALSE(Enabled(m.resting)) << m.mode;
        for (int id : groups)
            EXPECT_TRUE(Enabled(id)) << "group " << id << " in mode " << m.mode;
    }
    doc->ClearRockPaths();
    dlg->SetDocument(doc.get());
    EXPECT_FALSE(Enabled(IDC_DT_ONE_STEP));
    for (int id : groups)
        EXPECT_TRUE(Enabled(id)) << "group " << id << " without results";
}

namespace {

struct ForgetRecorder : CMainFrameServices {
    void ForgetTimeStepDocument(CTalusimDoc* document) override { forgotten = document; }
    CTalusimDoc* forgotten = nullptr;
};

}  // namespace

TEST(DiscPlayerCloseTest, ClosingADocumentTakesItFromThePlayer)
{
    ForgetRecorder recorder;
    CMainFrameServices* previous = InstallMainFrameServices(&recorder);
    auto* doc = new CTalusimDoc;
    ASSERT_TRUE(doc->OnNewDocument());
    doc->OnCloseDocument();   // deletes the document
    EXPECT_EQ(recorder.forgotten, doc);
    InstallMainFrameServices(previous);
}
