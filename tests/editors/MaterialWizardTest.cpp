// The Material Wizard: matching observations to trial runs and the proposed
// mean and standard deviation against values worked out by hand; the field
// data typed into its table, checked and stored on OK; and a fit on a small
// slope with Apply, Cancel and what stays in the document.
#include <gtest/gtest.h>

#include <cfloat>
#include <new>
#include <string>

#include "editors/MaterialWizardDlg.h"
#include "model/DocumentFixture.h"
#include "model/TalusimDocEngine.h"
#include "model/WorkingTestSupport.h"
#include "res/dialogs-wizard.h"
#include "support/WhenShown.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string Text(HWND dialog, int id)
{
    char buffer[128] = {};
    ::GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

CGridCtrl* TableOf(HWND dialog)
{
    return dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_MW_TABLE)));
}

// Types into a cell as a user does: the first key opens the edit, Enter ends it.
void TypeIntoCell(CGridCtrl& grid, int row, int col, const char* text)
{
    grid.SetFocus();
    Pump();
    grid.SetFocusCell(row, col);
    grid.SendMessage(WM_CHAR, static_cast<BYTE>(text[0]), 1);
    HWND edit = ::GetDlgItem(grid.GetSafeHwnd(), kGridInPlaceId);
    ASSERT_NE(edit, nullptr);
    for (const char* p = text + 1; *p; ++p)
        ::SendMessageA(edit, WM_CHAR, static_cast<BYTE>(*p), 1);
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    Pump();
}

// One spin click: up adds a row of field data, down takes one away.
void Spin(HWND dialog, int delta)
{
    HWND spin = ::GetDlgItem(dialog, IDC_MW_ENDPOINT_SPIN);
    NMUPDOWN change{};
    change.hdr.hwndFrom = spin;
    change.hdr.idFrom = IDC_MW_ENDPOINT_SPIN;
    change.hdr.code = UDN_DELTAPOS;
    change.iPos = static_cast<int>(::SendMessageA(spin, UDM_GETPOS32, 0, 0));
    change.iDelta = delta;
    if (::SendMessageA(dialog, WM_NOTIFY, IDC_MW_ENDPOINT_SPIN, reinterpret_cast<LPARAM>(&change)) == 0)
        ::SendMessageA(spin, UDM_SETPOS32, 0, change.iPos + delta);
}

}  // namespace

TEST(MaterialWizardFit, ObservationsMatchTheNearestTrialMeanAndGiveTheMeanAndSampleDeviation)
{
    const std::vector<double> values{0.0, 0.25, 0.5, 0.75};
    const std::vector<double> means{10.0, 20.0, 30.0, 40.0};
    // 10 observed three times and 29 once: trials 0, 0, 0 and 0.5.
    const std::vector<double> matched = CMaterialWizardDlg::MatchObservations({10, 10, 10, 29}, values, means);
    EXPECT_EQ(matched, (std::vector<double>{0.0, 0.0, 0.0, 0.5}));
    double mean = -1, sd = -1;
    CMaterialWizardDlg::ComputeMeanAndStdDev(matched, mean, sd);
    EXPECT_DOUBLE_EQ(mean, 0.125);
    EXPECT_DOUBLE_EQ(sd, 0.25);  // sqrt((3 * 0.125^2 + 0.375^2) / 3)

    // Halfway between two trials the first wins; beyond every trial the nearest.
    EXPECT_EQ(CMaterialWizardDlg::MatchObservations({15, 100, -5}, values, means),
              (std::vector<double>{0.0, 0.75, 0.0}));
    EXPECT_EQ(CMaterialWizardDlg::MatchObservations({15}, {}, {}), (std::vector<double>{DBL_MAX}));
    // A trial without an end point (mean DBL_MAX) is no match, however far the observation.
    EXPECT_EQ(CMaterialWizardDlg::MatchObservations({1.7e308, 15}, {0.0, 0.5}, {DBL_MAX, 20.0}),
              (std::vector<double>{0.5, 0.5}));
    EXPECT_EQ(CMaterialWizardDlg::MatchObservations({15}, {0.0}, {DBL_MAX}), (std::vector<double>{DBL_MAX}));

    struct Case {
        std::vector<double> values;
        double mean, sd;
    } cases[] = {
        {{}, 0.0, 0.0},
        {{0.42}, 0.42, 0.0},
        {{0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3}, 0.3, 0.0},  // never NaN for equal values
        {{0.2, 0.4}, 0.3, 0.14142135623730953},
    };
    for (const Case& c : cases) {
        CMaterialWizardDlg::ComputeMeanAndStdDev(c.values, mean, sd);
        EXPECT_NEAR(mean, c.mean, 1e-12);
        EXPECT_NEAR(sd, c.sd, 1e-12);
        EXPECT_FALSE(std::isnan(sd));
    }
}

TEST(MaterialWizardData, TypedFieldDataIsCheckedAndStoredOnOkOnly)
{
    auto doc = NewDocument();
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_GE(materials.size(), 2u);
    doc->SetWizardText(materials[1]->GetName());
    doc->AddWizardItem(CWizardItem{12.5, 2});
    doc->SetModifiedFlag(FALSE);
    MessageBoxRecorder boxes;

    // Cancel keeps the document's data whatever was typed.
    std::string shownName, shownX, shownQuantity, count;
    {
        WhenShown script([&] {
            HWND dialog = ::FindWindowA(nullptr, "Material Wizard");
            ASSERT_NE(dialog, nullptr);
            CGridCtrl* grid = TableOf(dialog);
            char name[64] = {};
            const int sel = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_MW_MATERIAL, CB_GETCURSEL, 0, 0));
            ::SendDlgItemMessageA(dialog, IDC_MW_MATERIAL, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(name));
            shownName = name;
            shownX = grid->GetCellText(1, 1);
            shownQuantity = grid->GetCellText(1, 2);
            count = Text(dialog, IDC_MW_ENDPOINT_COUNT);
            TypeIntoCell(*grid, 1, 1, "99");
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(RunMaterialWizardDialog(doc->GetDatabase(), doc.get()), IDCANCEL);
    }
    EXPECT_EQ(shownName, std::string(materials[1]->GetName()));
    EXPECT_EQ(shownX, "12.5");
    EXPECT_EQ(shownQuantity, "2");
    EXPECT_EQ(count, "1");
    ASSERT_EQ(doc->GetWizardItemCount(), 1);
    EXPECT_EQ(doc->GetWizardItem(0).value, 12.5);
    EXPECT_FALSE(doc->IsModified());

    // Bad rows are named and keep the dialog open; good ones are stored on OK.
    int rowsAtOne = 0, rowsAfterDown = 0;
    {
        WhenShown script([&] {
            HWND dialog = ::FindWindowA(nullptr, "Material Wizard");
            ASSERT_NE(dialog, nullptr);
            CGridCtrl* grid = TableOf(dialog);
            ::SendDlgItemMessageA(dialog, IDC_MW_MATERIAL, CB_SETCURSEL, 0, 0);
            Spin(dialog, +1);
            Spin(dialog, +1);
            EXPECT_EQ(grid->GetRowCount(), 4);
            EXPECT_EQ(std::string(grid->GetCellText(3, 0)), "3");
            EXPECT_EQ(std::string(grid->GetCellText(3, 2)), "1");
            TypeIntoCell(*grid, 2, 1, "abc");
            TypeIntoCell(*grid, 3, 1, "0.0");
            Click(dialog, IDOK);  // row 2 is letters
            TypeIntoCell(*grid, 2, 1, "20");
            TypeIntoCell(*grid, 2, 2, "1000");
            Click(dialog, IDOK);  // quantity 1000 is too many
            TypeIntoCell(*grid, 2, 2, "3");
            TypeIntoCell(*grid, 1, 1, "inf");
            Click(dialog, IDOK);  // not a finite number
            TypeIntoCell(*grid, 1, 1, "0x10");
            Click(dialog, IDOK);  // decimal numbers only
            TypeIntoCell(*grid, 1, 1, "12.5");
            rowsAtOne = grid->GetRowCount();
            Spin(dialog, -1);
            Spin(dialog, -1);
            Spin(dialog, -1);  // refused: one row of data at least
            rowsAfterDown = grid->GetRowCount();
            Spin(dialog, +1);
            Spin(dialog, +1);
            TypeIntoCell(*grid, 2, 1, "20");
            TypeIntoCell(*grid, 2, 2, "3");
            TypeIntoCell(*grid, 3, 1, "0.0");
            Click(dialog, IDOK);
        });
        EXPECT_EQ(RunMaterialWizardDialog(doc->GetDatabase(), doc.get()), IDOK);
    }
    EXPECT_EQ(rowsAtOne, 4);
    EXPECT_EQ(rowsAfterDown, 2);
    ASSERT_EQ(boxes.messages.size(), 4u);
    EXPECT_EQ(boxes.messages[0], "Invalid data in row 2");
    EXPECT_EQ(boxes.messages[1], "Invalid data in row 2");
    EXPECT_EQ(boxes.messages[2], "Invalid data in row 1");
    EXPECT_EQ(boxes.messages[3], "Invalid data in row 1");
    ASSERT_EQ(doc->GetWizardItemCount(), 3);
    EXPECT_EQ(doc->GetWizardItem(0).value, 12.5);
    EXPECT_EQ(doc->GetWizardItem(0).code, 2);
    EXPECT_EQ(doc->GetWizardItem(1).value, 20.0);
    EXPECT_EQ(doc->GetWizardItem(1).code, 3);
    EXPECT_EQ(doc->GetWizardItem(2).value, 0.0);
    EXPECT_EQ(doc->GetWizardItem(2).code, 1);
    EXPECT_EQ(std::string(doc->GetWizardText()), std::string(materials[0]->GetName()));
    EXPECT_TRUE(doc->IsModified());

    // A location at survey coordinates shows every digit it holds, so OK
    // leaves it as it was ("%g" would have shown and stored 512346).
    doc->ClearWizardItems();
    doc->AddWizardItem(CWizardItem{512345.678, 1});
    std::string surveyX;
    {
        WhenShown script([&] {
            HWND dialog = ::FindWindowA(nullptr, "Material Wizard");
            ASSERT_NE(dialog, nullptr);
            surveyX = TableOf(dialog)->GetCellText(1, 1);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(RunMaterialWizardDialog(doc->GetDatabase(), doc.get()), IDOK);
    }
    EXPECT_EQ(surveyX, "512345.678");
    ASSERT_EQ(doc->GetWizardItemCount(), 1);
    EXPECT_EQ(doc->GetWizardItem(0).value, 512345.678);
}

class MaterialWizardRun : public WorkingWindowsTest {
protected:
    std::unique_ptr<CTalusimDoc> doc;
    CTalusimSlopeType* material = nullptr;

    void SetUp() override
    {
        WorkingWindowsTest::SetUp();
        doc = NewDocument();
        doc->m_nRandomMode = RANDOM_FIXED;
        doc->SetLocations(5);
        doc->SetRockCount(6);
        material = doc->GetFirstMaterial();
        CTalusimSlope* slope = doc->GetSlope();
        for (auto [x, y] : {std::pair{0.0, 40.0}, {8.0, 38.0}, {12.0, 15.0}, {30.0, 8.0}, {60.0, 0.0}})
            slope->AddVertexWithMaterial(x, y, material);
        auto* seeder = new CTalusimRaker;
        seeder->AddPoint(2.0, 42.0);
        seeder->SetGroupId(GROUP_POINT_SEEDER);
        seeder->SetCategoryId(CAT_PLACED);
        seeder->SetMass(1000.0, 0.0);
        seeder->SetVelocity(2.0, 0.0, 0.0, 0.0);
        doc->GetDatabase()->AddEntity(seeder, false);
        material->SetRnMean(0.35);
        material->SetRnStdDev(0.04);
    }
    void TearDown() override
    {
        doc.reset();
        WorkingWindowsTest::TearDown();
    }

    // Runs the wizard with a few trials; script acts once it shows.
    INT_PTR RunWizard(std::function<void(HWND)> script)
    {
        CMaterialWizardDlg wizard;
        wizard.m_pDatabase = doc->GetDatabase();
        wizard.m_pDocument = doc.get();
        wizard.m_nSubdivisions = 4;
        WhenShown shown([&] {
            HWND dialog = ::FindWindowA(nullptr, "Material Wizard");
            ASSERT_NE(dialog, nullptr);
            ::SendDlgItemMessageA(dialog, IDC_MW_MATERIAL, CB_SETCURSEL, 0, 0);
            TypeIntoCell(*TableOf(dialog), 1, 1, "30");
            script(dialog);
        });
        return wizard.DoModal();
    }
};

TEST_F(MaterialWizardRun, AFitShowsItsResultAndApplyGivesItToTheMaterial)
{
    std::string mean, sd;
    bool applyBefore = true, applyAfter = false;
    bool wizardEnabledDuringRun = true;
    int nested = 0;
    HWND wizardWindow = nullptr;
    App().onIdle = [&] {
        // While the final run pumps, the wizard cannot be used: a second fit is refused.
        if (wizardWindow == nullptr || nested++ > 0)
            return;
        wizardEnabledDuringRun = ::IsWindowEnabled(wizardWindow) != 0;
        ::SendMessageA(wizardWindow, WM_COMMAND, MAKEWPARAM(IDC_MW_FIT, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(wizardWindow, IDC_MW_FIT)));
    };
    RunWizard([&](HWND dialog) {
        applyBefore = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_MW_APPLY)) != 0;
        wizardWindow = dialog;
        Click(dialog, IDC_MW_FIT);
        wizardWindow = nullptr;
        mean = Text(dialog, IDC_MW_MEAN);
        sd = Text(dialog, IDC_MW_STDDEV);
        applyAfter = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_MW_APPLY)) != 0;
        // The fit is only proposed: the material keeps its values until Apply.
        EXPECT_EQ(material->GetRnMean(), 0.35);
        EXPECT_EQ(material->GetRnStdDev(), 0.04);
        Click(dialog, IDC_MW_APPLY);
        Click(dialog, IDOK);
    });
    EXPECT_FALSE(applyBefore);
    EXPECT_TRUE(applyAfter);
    EXPECT_FALSE(wizardEnabledDuringRun);
    ASSERT_EQ(mean.rfind("mean = ", 0), 0u) << mean;
    ASSERT_EQ(sd, "std dev = 0.0000");  // one observation
    const double fitted = std::stod(mean.substr(7));
    // Trials 0, 0.25, 0.5 and 0.75 only.
    EXPECT_TRUE(fitted == 0.0 || fitted == 0.25 || fitted == 0.5 || fitted == 0.75) << fitted;
    EXPECT_EQ(material->GetRnMean(), fitted);
    EXPECT_EQ(material->GetRnStdDev(), 0.0);
    // The run with the applied values stays: the full count of rocks.
    EXPECT_EQ(doc->GetRockPathCount(), 6);
    EXPECT_EQ(doc->GetRockCount(), 6);
}

TEST_F(MaterialWizardRun, ApplyGivesTheFitToTheMaterialItWasMadeForWhateverTheComboShows)
{
    std::string comboAfterApply;
    CTalusimSlopeType* other = nullptr;
    double otherMean = 0.0, otherSd = 0.0;
    std::string mean;
    RunWizard([&](HWND dialog) {
        Click(dialog, IDC_MW_FIT);
        mean = Text(dialog, IDC_MW_MEAN);
        // The user picks another material, then presses Apply.
        HWND combo = ::GetDlgItem(dialog, IDC_MW_MATERIAL);
        ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MW_MATERIAL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        other = static_cast<CTalusimSlopeType*>(
            reinterpret_cast<void*>(::SendMessageA(combo, CB_GETITEMDATA, 1, 0)));
        ASSERT_NE(other, nullptr);
        otherMean = other->GetRnMean();
        otherSd = other->GetRnStdDev();
        Click(dialog, IDC_MW_APPLY);
        char name[64] = {};
        const int sel = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
        ::SendMessageA(combo, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(name));
        comboAfterApply = name;
        Click(dialog, IDOK);
    });
    ASSERT_NE(other, material);
    ASSERT_EQ(mean.rfind("mean = ", 0), 0u) << mean;
    // The fitted material takes the fit; the one picked afterwards keeps its own.
    EXPECT_EQ(material->GetRnMean(), std::stod(mean.substr(7)));
    EXPECT_EQ(material->GetRnStdDev(), 0.0);
    EXPECT_EQ(other->GetRnMean(), otherMean);
    EXPECT_EQ(other->GetRnStdDev(), otherSd);
    EXPECT_EQ(comboAfterApply, std::string(material->GetName()));
    EXPECT_EQ(std::string(doc->GetWizardText()), std::string(material->GetName()));
}

TEST_F(MaterialWizardRun, CancelAfterAFitLeavesTheMaterialAndNoResultsItDoesNotProduce)
{
    RunWizard([&](HWND dialog) {
        Click(dialog, IDC_MW_FIT);
        EXPECT_EQ(doc->GetRockPathCount(), 6);  // the views show the fitted run meanwhile
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(material->GetRnMean(), 0.35);
    EXPECT_EQ(material->GetRnStdDev(), 0.04);
    EXPECT_EQ(doc->GetRockPathCount(), 0);
    EXPECT_EQ(doc->GetWizardItemCount(), 0);
}

TEST_F(MaterialWizardRun, AModelTheComputationRefusesIsReportedOnceAndNothingIsProposed)
{
    // A material value no run accepts, and a seeder whose rocks are too light
    // to throw, so that no trial gives an end point.
    const double rt = material->GetRtMean();
    auto setMass = [&](double mass) {
        for (auto* seeder : EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP))
            seeder->SetMass(mass, 0.0);
    };
    struct Case {
        std::function<void()> spoil;
        std::vector<std::string> messages;  // the start of each
    } cases[] = {
        {[&] { material->SetRtMean(1.5); }, {"Unable to perform calculations."}},
        {[&] {
             material->SetRtMean(rt);
             setMass(0.0001);
         },
         {"4 invalid values for mass", "None of the trial runs gave a rock end point"}},
    };
    for (const Case& c : cases) {
        c.spoil();
        MessageBoxRecorder boxes;
        std::string mean, sd;
        bool apply = true;
        RunWizard([&](HWND dialog) {
            Click(dialog, IDC_MW_FIT);
            mean = Text(dialog, IDC_MW_MEAN);
            sd = Text(dialog, IDC_MW_STDDEV);
            apply = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_MW_APPLY)) != 0;
            Click(dialog, IDCANCEL);
        });
        ASSERT_EQ(boxes.messages.size(), c.messages.size()) << c.messages[0];
        for (size_t i = 0; i < c.messages.size(); ++i)
            EXPECT_EQ(boxes.messages[i].rfind(c.messages[i], 0), 0u) << boxes.messages[i];
        EXPECT_EQ(mean, "");
        EXPECT_EQ(sd, "");
        EXPECT_FALSE(apply);
        EXPECT_EQ(material->GetRnMean(), 0.35);
        EXPECT_EQ(material->GetRnStdDev(), 0.04);
        EXPECT_EQ(doc->GetRockCount(), 6);
        EXPECT_EQ(doc->GetRockPathCount(), 0);
    }
}

namespace {

// The document's engine, running out of memory at the first flight piece it
// reports once armed.
struct FailingEngine : CTalusimDocEngine {
    bool armed = false;

protected:
    void OnFlightSegment(void* context, double x0, double y0, double x1, double y1, double vx0, double vy0, double g,
                         double mass, double t) override
    {
        if (armed) {
            armed = false;
            throw std::bad_alloc();
        }
        CTalusimDocEngine::OnFlightSegment(context, x0, y0, x1, y1, vx0, vy0, g, mass, t);
    }
};

// The wizard, telling whether it is closing.
struct WatchedWizard : CMaterialWizardDlg {
    bool Ending() const { return m_bEndModal != FALSE; }
};

// The material and the windows as they were when the failure was reported.
struct AtWizardReport {
    static inline CTalusimSlopeType* material = nullptr;
    static inline HWND main = nullptr, wizard = nullptr;
    static inline std::vector<std::string> texts;
    static inline double rnMean = 0, rnStdDev = 0;
    static inline bool mainEnabled = true, wizardEnabled = false;

    static int Hook(LPCSTR text, UINT)
    {
        texts.emplace_back(text != nullptr ? text : "");
        rnMean = material->GetRnMean();
        rnStdDev = material->GetRnStdDev();
        mainEnabled = ::IsWindowEnabled(main) != 0;
        wizardEnabled = ::IsWindowEnabled(wizard) != 0;
        return IDOK;
    }
};

} // namespace

TEST_F(MaterialWizardRun, AFinalRunThatFailsPutsTheMaterialBackAndTheWizardCanClose)
{
    auto* engine = new FailingEngine;
    delete doc->m_pEngine;
    doc->m_pEngine = engine;
    // Only the final run, with the fitted values, shows the Working dialog:
    // the memory runs out there.
    App().onIdle = [&] {
        if (::FindWindowA(nullptr, "Calculating paths...") != nullptr)
            engine->armed = true;
    };
    AtWizardReport::material = material;
    AtWizardReport::main = MainWindow();
    AtWizardReport::texts.clear();

    WatchedWizard wizard;
    wizard.m_pDatabase = doc->GetDatabase();
    wizard.m_pDocument = doc.get();
    wizard.m_nSubdivisions = 4;
    bool closedByCancel = false, applyEnabled = true, mainEnabled = true, wizardEnabled = false;
    std::string mean;
    WhenShown shown([&] {
        HWND dialog = ::FindWindowA(nullptr, "Material Wizard");
        ASSERT_NE(dialog, nullptr);
        AtWizardReport::wizard = dialog;
        ::SendDlgItemMessageA(dialog, IDC_MW_MATERIAL, CB_SETCURSEL, 0, 0);
        TypeIntoCell(*TableOf(dialog), 1, 1, "30");
        const AfxMessageBoxHook previous = AfxSetMessageBoxHook(&AtWizardReport::Hook);
        Click(dialog, IDC_MW_FIT);
        AfxSetMessageBoxHook(previous);
        App().onIdle = nullptr;
        mean = Text(dialog, IDC_MW_MEAN);
        applyEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_MW_APPLY)) != 0;
        mainEnabled = ::IsWindowEnabled(MainWindow()) != 0;
        wizardEnabled = ::IsWindowEnabled(dialog) != 0;
        Click(dialog, IDCANCEL);
        closedByCancel = wizard.Ending();
        if (!closedByCancel)
            wizard.EndDialog(IDABORT);  // the test must end either way
    });
    wizard.DoModal();

    // The failure was reported once, after everything was put back.
    ASSERT_EQ(AtWizardReport::texts.size(), 1u);
    EXPECT_NE(AtWizardReport::texts[0].find("memory"), std::string::npos) << AtWizardReport::texts[0];
    EXPECT_EQ(AtWizardReport::rnMean, 0.35);
    EXPECT_EQ(AtWizardReport::rnStdDev, 0.04);
    EXPECT_FALSE(AtWizardReport::mainEnabled);
    EXPECT_TRUE(AtWizardReport::wizardEnabled);
    // Nothing is proposed, the wizard answers as before and Cancel closes it.
    EXPECT_EQ(mean, "");
    EXPECT_FALSE(applyEnabled);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(wizardEnabled);
    EXPECT_TRUE(closedByCancel);
    EXPECT_EQ(material->GetRnMean(), 0.35);
    EXPECT_EQ(material->GetRnStdDev(), 0.04);
    EXPECT_EQ(doc->GetRockCount(), 6);
    // No results stay that the material's values do not produce.
    EXPECT_EQ(doc->GetRockPathCount(), 0);
    EXPECT_EQ(doc->GetEndPointCount(), 0);
}
