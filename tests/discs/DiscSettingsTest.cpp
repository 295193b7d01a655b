// The disc settings a document saves: the Disc Setup's values, with or
// without disc results, and the time-step player's choices on the results.
// Every change marks the document modified and comes back on opening.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <commctrl.h>
#include <functional>
#include <string>

#include "app/DiscTimeDialog.h"
#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "res/dialogs-discs.h"
#include "res/resource.h"
#include "support/WhenShown.h"

namespace {

struct DiscSettingsTest : ::testing::Test {
    void SetUp() override
    {
        InstallDiscServices();
        doc = NewDocument();
        doc->SetModifiedFlag(FALSE);
    }
    // Disc Setup from the document's command, answered by the action once it shows.
    void RunSetup(std::function<void(HWND)> action)
    {
        bool shown = false;
        WhenShown script([&] {
            HWND dialog = ::FindWindowA(nullptr, "Disc Setup");
            shown = dialog != nullptr;
            if (dialog)
                action(dialog);
        });
        doc->OnCmdMsg(ID_DISC_PARAMETERS, CN_COMMAND, nullptr, nullptr);
        EXPECT_TRUE(shown);
    }
    static void Type(HWND dialog, int id, const char* text)
    {
        HWND edit = ::GetDlgItem(dialog, id);
        ::SendMessageA(edit, EM_SETSEL, 0, -1);
        ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    static void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    std::unique_ptr<CTalusimDoc> doc;
};

}  // namespace

TEST_F(DiscSettingsTest, DiscSetupChangesMarkTheDocumentAndAreSavedWithoutResults)
{
    MessageBoxRecorder boxes;
    // OK on the values shown, and Cancel on typed ones, change nothing.
    RunSetup([](HWND dialog) { Click(dialog, IDOK); });
    EXPECT_FALSE(doc->IsModified());
    RunSetup([](HWND dialog) {
        Type(dialog, IDC_DISC_END_TIME, "12.5");
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetDiscParameters().GetEndTime(), 4.0);

    // A new document's file has no place for them.
    const std::string fresh = TestFolder() + "disc-settings-fresh.cla";
    ASSERT_TRUE(doc->OnSaveDocument(fresh.c_str()));
    EXPECT_EQ(ReadTextFile(fresh).find("DISC_SETTINGS"), std::string::npos);

    RunSetup([](HWND dialog) {
        Type(dialog, IDC_DISC_END_TIME, "12.5");
        Click(dialog, IDC_DISC_DEPENDENT);
        Click(dialog, IDC_DISC_2D);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(doc->IsModified());
    const std::string path = TestFolder() + "disc-settings.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    EXPECT_FALSE(doc->IsModified());

    CTalusimDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_FALSE(opened.IsModified());
    EXPECT_EQ(opened.GetDiscEntity(), nullptr);
    const CDiscParameters& p = opened.GetDiscParameters();
    EXPECT_EQ(p.GetEndTime(), 12.5);
    EXPECT_FALSE(p.IsIndependent());
    EXPECT_FALSE(p.Is2DSimulation());
    // Written again as read.
    const std::string again = TestFolder() + "disc-settings-again.cla";
    ASSERT_TRUE(opened.OnSaveDocument(again.c_str()));
    EXPECT_EQ(ReadTextFile(again), ReadTextFile(path));
}

TEST_F(DiscSettingsTest, ADamagedDiscSettingsSectionRefusesTheFile)
{
    auto* s = doc.get();
    s->GetDiscParameters().SetEndTime(2.0);
    const std::string path = TestFolder() + "disc-settings-damaged.cla";
    ASSERT_TRUE(s->OnSaveDocument(path.c_str()));
    std::string text = ReadTextFile(path);
    const size_t at = text.find("* Discs Independent");
    ASSERT_NE(at, std::string::npos);
    text.replace(text.find('1', at + 19), 1, "7");
    const std::string damaged = WriteTextFile("disc-settings-damaged-2.cla", text);
    MessageBoxRecorder boxes;
    CTalusimDoc opened;
    EXPECT_FALSE(opened.OnOpenDocument(damaged.c_str()));
    EXPECT_EQ(boxes.texts.size(), 1u);
}

// The player's choices on DEM results: step, display mode, skip, contacts and
// labels mark the document and are what an opened copy shows.
TEST_F(DiscSettingsTest, PlayerChoicesMarkTheDocumentAndComeBackOnOpening)
{
    auto* seeder = new CTalusimRaker;
    seeder->AddPoint(5, 20);
    seeder->SetGroupId(GROUP_POINT_SEEDER);
    seeder->SetCategoryId(CAT_PLACED);
    seeder->SetMass(2, 0);
    seeder->SetRadius(0.5, 0);
    doc->GetDatabase()->AddEntity(seeder, false);
    doc->GetDiscParameters().SetEndTime(1.0);
    RunDemSimulation(doc.get());
    ASSERT_NE(doc->GetDiscEntity(), nullptr);
    doc->SetModifiedFlag(FALSE);

    auto* player = new CDiscTimedlg(nullptr);
    ASSERT_TRUE(player->Create());
    player->SetDocument(doc.get());
    EXPECT_FALSE(doc->IsModified());   // showing the results is no change
    HWND slider = ::GetDlgItem(player->m_hWnd, IDC_DT_STEP_SLIDER);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, 40);
    ::SendMessageA(player->m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 40), reinterpret_cast<LPARAM>(slider));
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(FALSE);
    ::SendMessageA(::GetDlgItem(player->m_hWnd, IDC_DT_CONTACTS), BM_CLICK, 0, 0);
    EXPECT_TRUE(doc->IsModified());
    HWND data = ::GetDlgItem(player->m_hWnd, IDC_DT_DATA);
    ::SendMessageA(data, CB_SETCURSEL, 5, 0);
    ::SendMessageA(player->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DT_DATA, CBN_SELCHANGE), reinterpret_cast<LPARAM>(data));
    ::SendMessageA(::GetDlgItem(player->m_hWnd, IDC_DT_ALL_PATHS), BM_CLICK, 0, 0);
    ::SetWindowTextA(::GetDlgItem(player->m_hWnd, IDC_DT_SKIP_EDIT), "3");
    player->DestroyWindow();

    MessageBoxRecorder boxes;
    const std::string path = TestFolder() + "disc-player-settings.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    CTalusimDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(boxes.texts.empty());
    auto* results = dynamic_cast<CDiscEnt*>(opened.GetDiscEntity());
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->GetCurrentStep(), 40);
    EXPECT_EQ(results->GetDisplayMode(), 2192);
    EXPECT_EQ(results->GetSkipCount(), 3);
    EXPECT_FALSE(results->GetViewSettings().GetShowContacts());
    EXPECT_EQ(results->GetViewSettings().GetLabelMode(), 15);
    EXPECT_FALSE(opened.GetDiscParameters().GetShowContacts());
    EXPECT_EQ(opened.GetDiscParameters().GetLabelMode(), 15);
}
