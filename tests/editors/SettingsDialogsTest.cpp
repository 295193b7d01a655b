// The settings dialogs with a user's answers: Project Settings and Define
// Initial Conditions with every range and their field help, then Grid
// Settings, Display Options, Snap and Units. OK hands back what was typed,
// Cancel keeps everything, and a value out of range is refused with its
// message.
#include "EditorTestSupport.h"

#include <vector>

#include "editors/ProjectSettingsDlg.h"
#include "editors/ViewSettingsDlgs.h"
#include "res/dialogs-model.h"

using namespace editing;

namespace {

// The text of the tip a dialog shows over one control, as far as the tip
// control hands it back (its first 80 characters); empty when none.
std::string TipOf(CDialog& d, int id)
{
    auto* dialog = dynamic_cast<CFieldHelpDialog*>(&d);
    if (dialog == nullptr)
        return "no tips";
    char text[512] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = d.m_hWnd;
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(d.m_hWnd, id));
    info.lpszText = text;
    dialog->GetToolTip().SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
}

std::string Tip(const std::string& text) { return text.substr(0, 80); }

CProjectSettingsData Settings()
{
    CProjectSettingsData data;
    data.velocityUnit = "[m/s]";
    data.massUnit = "[Kg]";
    data.randomChoice = 3351;
    data.seed = 190274;
    return data;
}

} // namespace

TEST(ProjectSettings, EveryRangeIsCheckedWithItsMessage)
{
    struct Case {
        int id;
        const char* text;
        const char* message;
        int check;  // a box to tick first, or 0
    } cases[] = {
        {IDC_PS_ROCKS, "0", "Please enter an integer between 1 and 10000.", 0},
        {IDC_PS_ROCKS, "10001", "Please enter an integer between 1 and 10000.", 0},
        {IDC_PS_DIVISIONS, "1", "Please enter an integer between 2 and 1000.", 0},
        {IDC_PS_DIVISIONS, "1001", "Please enter an integer between 2 and 1000.", 0},
        {IDC_PS_MIN_VELOCITY, "0", "Please enter a number between 0.001 and 1000000000.", 0},
        {IDC_PS_MIN_VELOCITY, "nan", "Please enter a number.", 0},
        {IDC_PS_K, "0", "Please enter a number between 0.01 and 1000.", IDC_PS_SCALE_VELOCITY},
        {IDC_PS_C, "0", "Please enter a number between 0.01 and 10000000000.", IDC_PS_SCALE_MASS},
        {IDC_PS_C, "inf", "Please enter a number.", IDC_PS_SCALE_MASS},
        {IDC_PS_SEED, "1", "Please enter an integer between 2 and 2000000000.", IDC_PS_SPECIFY_SEED},
    };
    CModelDialogServices dialogs;
    for (const Case& c : cases) {
        CProjectSettingsData data = Settings();
        std::vector<std::string> messages;
        {
            Editing e([&](CDialog& d) {
                if (c.check != 0)
                    Click(d, c.check);
                Type(d, c.id, c.text);
                Click(d, IDOK);  // refused: the dialog stays
                Click(d, IDCANCEL);
            });
            EXPECT_EQ(dialogs.RunProjectSettings(data), IDCANCEL);
            messages = e.boxes.messages;
        }
        EXPECT_EQ(messages, std::vector<std::string>{c.message}) << c.text;
        EXPECT_EQ(data.rocks, Settings().rocks);
    }
}

TEST(ProjectSettings, TheScalingRowsFollowTheirChecksAndOkReturnsTheAnswers)
{
    CModelDialogServices dialogs;
    CProjectSettingsData data = Settings();
    data.rnVelocityConstant = 9.144;
    data.rnMassConstant = 1000;
    data.divisions = 50;
    bool kEnabled = true, cEnabled = true, kLabelEnabled = true, seedEnabled = true, specifyEnabled = true;
    bool kEnabledAfter = false, seedEnabledAfter = false;
    std::string divisions, kUnit, cUnit, cutoffUnit;
    {
        Editing e([&](CDialog& d) {
            kEnabled = Enabled(d, IDC_PS_K);
            kLabelEnabled = Enabled(d, IDC_PS_K_LABEL);
            cEnabled = Enabled(d, IDC_PS_C);
            seedEnabled = Enabled(d, IDC_PS_SEED);
            specifyEnabled = Enabled(d, IDC_PS_SPECIFY_SEED);
            divisions = TextOf(d, IDC_PS_DIVISIONS);
            kUnit = TextOf(d, IDC_PS_K_UNIT);
            cUnit = TextOf(d, IDC_PS_C_UNIT);
            cutoffUnit = TextOf(d, IDC_PS_CUTOFF_UNIT);
            Type(d, IDC_PS_C, "0");  // greyed: not read, not refused
            Click(d, IDC_PS_SCALE_VELOCITY);
            kEnabledAfter = Enabled(d, IDC_PS_K);
            Type(d, IDC_PS_K, "12.5");
            Click(d, IDC_PS_SPECIFY_SEED);
            seedEnabledAfter = Enabled(d, IDC_PS_SEED);
            Type(d, IDC_PS_SEED, "4242");
            Click(d, IDC_PS_FRICTION_ZERO);
            Click(d, IDC_PS_ANGULAR);
            Type(d, IDC_PS_ROCKS, "400");
            Type(d, IDC_PS_DIVISIONS, "20");
            Type(d, IDC_PS_MIN_VELOCITY, "0.25");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunProjectSettings(data), IDOK);
        EXPECT_TRUE(e.boxes.messages.empty());
    }
    EXPECT_FALSE(kEnabled);
    EXPECT_FALSE(kLabelEnabled);
    EXPECT_FALSE(cEnabled);
    EXPECT_FALSE(seedEnabled);  // pseudo-random with the fixed seed
    EXPECT_TRUE(specifyEnabled);
    EXPECT_EQ(divisions, "50");
    EXPECT_EQ(kUnit, "[m/s]");
    EXPECT_EQ(cUnit, "[Kg]");
    EXPECT_EQ(cutoffUnit, "[m/s]");
    EXPECT_TRUE(kEnabledAfter);
    EXPECT_TRUE(seedEnabledAfter);
    EXPECT_EQ(data.scaleRnByVelocity, 1);
    EXPECT_EQ(data.rnVelocityConstant, 12.5);
    EXPECT_EQ(data.scaleRnByMass, 0);
    EXPECT_EQ(data.rnMassConstant, 1000.0);
    EXPECT_EQ(data.randomChoice, 3352);
    EXPECT_EQ(data.seed, 4242);
    EXPECT_EQ(data.frictionAngleMode, 2);
    EXPECT_EQ(data.considerAngularVelocity, 0);
    EXPECT_EQ(data.rocks, 400);
    EXPECT_EQ(data.divisions, 20);
    EXPECT_EQ(data.minimumVelocity, 0.25);

    // "Random" greys the seed; the time seeds the run.
    {
        Editing e([](CDialog& d) {
            Click(d, IDC_PS_RANDOM);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunProjectSettings(data), IDOK);
    }
    EXPECT_EQ(data.randomChoice, 3350);
}

TEST(ProjectSettings, SeederChoicesFollowTheLocksAndTheFieldHelpIsAttached)
{
    struct Case {
        bool equalLocked, byLengthLocked;
        bool equalEnabled, byLengthEnabled, groupEnabled;
    } cases[] = {
        {false, true, true, false, true},   // one point and one line seeder
        {false, false, true, true, true},   // three line seeders
        {true, true, false, false, false},  // one seeder
    };
    CModelDialogServices dialogs;
    for (const Case& c : cases) {
        CProjectSettingsData data = Settings();
        data.equalLocked = c.equalLocked;
        data.byLengthLocked = c.byLengthLocked;
        bool equal = false, byLength = false, group = false, byLengthChecked = false;
        {
            Editing e([&](CDialog& d) {
                equal = Enabled(d, IDC_PS_EQUAL);
                byLength = Enabled(d, IDC_PS_BY_LENGTH);
                group = Enabled(d, IDC_PS_PROBABILITY_GROUP);
                Click(d, IDC_PS_BY_LENGTH);
                byLengthChecked = Checked(d, IDC_PS_BY_LENGTH);
                Click(d, IDOK);
            });
            dialogs.RunProjectSettings(data);
        }
        EXPECT_EQ(equal, c.equalEnabled);
        EXPECT_EQ(byLength, c.byLengthEnabled);
        EXPECT_EQ(group, c.groupEnabled);
        EXPECT_EQ(byLengthChecked, c.byLengthEnabled);
        EXPECT_EQ(data.seederProbability, c.byLengthEnabled ? 2150 : 2149);
    }

    std::vector<std::pair<int, std::string>> tips;
    {
        Editing e([&](CDialog& d) {
            for (int id : {IDC_PS_SCALE_VELOCITY, IDC_PS_K, IDC_PS_C, IDC_PS_FRICTION_FROM_RT, IDC_PS_RANDOM,
                           IDC_PS_PSEUDO_RANDOM, IDC_PS_SEED, IDC_PS_BY_LENGTH, IDC_PS_EQUAL})
                tips.emplace_back(id, TipOf(d, id));
            Click(d, IDCANCEL);
        });
        CProjectSettingsData data = Settings();
        dialogs.RunProjectSettings(data);
    }
    std::vector<std::pair<int, std::string>> expected = {
        {IDC_PS_SCALE_VELOCITY, "Default= 9.144 [m/s] or 30 [ft/s]"},
        {IDC_PS_K, "Default= 9.144 [m/s] or 30 [ft/s]"},
        {IDC_PS_C, "Choose a reasonable value"},
        {IDC_PS_FRICTION_FROM_RT,
         "Calculate friction angle (phi) from coefficient of tangential restitution(Rt)\nusing: phi = (1-Rt)/Rt"},
        {IDC_PS_RANDOM, "Random number generator seeded with the current time\n(different results each simulation)"},
        {IDC_PS_PSEUDO_RANDOM,
         "Random number generator seeded with a constant number\n(same results each simulation)"},
        {IDC_PS_SEED, "Random number generator seeded with this number\n(same results each simulation)"},
        {IDC_PS_BY_LENGTH, "Probability depends on length of seeder is only\navailable when there are multiple "
                           "line-seeders\n(and no point-seeders)"},
        {IDC_PS_EQUAL, ""},
    };
    for (auto& [id, text] : expected)
        text = Tip(text);
    EXPECT_EQ(tips, expected);
}

TEST(InitialConditions, LabelsCarryTheUnitsAndMassMustBePositive)
{
    CModelDialogServices dialogs;
    CInitialConditionsData data;
    data.massUnit = "[lb]";
    data.velocityUnit = "[ft/s]";
    data.considerAngularVelocity = false;
    data.radiusMean = 0.4;
    std::string vxLabel, vyLabel, massLabel, shownMass, massTip, vyTip;
    bool angularEnabled = true, radiusVisible = true;
    std::vector<std::string> messages;
    {
        Editing e([&](CDialog& d) {
            vxLabel = TextOf(d, IDC_IC_VX_LABEL);
            vyLabel = TextOf(d, IDC_IC_VY_LABEL);
            massLabel = TextOf(d, IDC_IC_MASS_LABEL);
            shownMass = TextOf(d, IDC_IC_MASS_MEAN);
            massTip = TipOf(d, IDC_IC_MASS_SD);
            vyTip = TipOf(d, IDC_IC_VY_MEAN);
            angularEnabled = Enabled(d, IDC_IC_ANGULAR_MEAN);
            radiusVisible = ::IsWindowVisible(::GetDlgItem(d.m_hWnd, IDC_IC_RADIUS_MEAN)) != 0;
            Type(d, IDC_IC_MASS_MEAN, "0");
            Click(d, IDOK);
            Type(d, IDC_IC_MASS_MEAN, "nan");
            Click(d, IDOK);
            Type(d, IDC_IC_MASS_MEAN, "25.5");
            // Spreads are held as the means are: never negative, never so
            // wide that a sampled rock means nothing.
            Type(d, IDC_IC_VX_SD, "-1");
            Click(d, IDOK);
            Type(d, IDC_IC_VX_SD, "0");
            Type(d, IDC_IC_MASS_SD, "1e300");
            Click(d, IDOK);
            Type(d, IDC_IC_MASS_SD, "0x10");
            Click(d, IDOK);
            Type(d, IDC_IC_MASS_SD, "2");
            Type(d, IDC_IC_VX_MEAN, "-1.25");
            Type(d, IDC_IC_VY_SD, "0.5");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunInitialConditions(data), IDOK);
        messages = e.boxes.messages;
    }
    EXPECT_EQ(vxLabel, "Horizontal velocity [ft/s]");
    EXPECT_EQ(vyLabel, "Vertical velocity [ft/s]");
    EXPECT_EQ(massLabel, "Mass [lb]");
    EXPECT_EQ(shownMass, "10");
    EXPECT_EQ(massTip, "Initial mass must be positive");
    EXPECT_EQ(vyTip, Tip("Initial vertical velocity can be positive, negative or zero\r\n( positive upwards )"));
    EXPECT_FALSE(angularEnabled);
    EXPECT_FALSE(radiusVisible);
    EXPECT_EQ(messages, (std::vector<std::string>{"Please enter a number between 0.001 and 100000000.",
                                                  "Please enter a number.",
                                                  "Please enter a number between 0 and 1000000000.",
                                                  "Please enter a number between 0 and 1000000000.",
                                                  "Please enter a number."}));
    EXPECT_EQ(data.massStdDev, 2.0);
    EXPECT_EQ(data.massMean, 25.5);
    EXPECT_EQ(data.vxMean, -1.25);
    EXPECT_EQ(data.vyStdDev, 0.5);
    EXPECT_EQ(data.radiusMean, 0.4);  // hidden, handed back as it came
}

TEST(ViewSettings, GridSettingsSpacingStyleStateAndColour)
{
    CModelDialogServices dialogs;
    CGridSettingsData grid;
    grid.on = false;
    grid.style = 10;
    grid.colour = RGB(255, 0, 0);
    bool crossesChecked = false, offChecked = false, dotsChecked = false, crossesAfter = true;
    std::vector<std::string> messages;
    {
        Editing e([&](CDialog& d) {
            crossesChecked = Checked(d, IDC_GRID_CROSSES);
            offChecked = Checked(d, IDC_GRID_OFF);
            Click(d, IDC_GRID_ON);
            Click(d, IDC_GRID_DOTS);
            dotsChecked = Checked(d, IDC_GRID_DOTS);
            crossesAfter = Checked(d, IDC_GRID_CROSSES);
            Type(d, IDC_GRID_SPACING_X, "0.0005");
            Click(d, IDOK);
            Type(d, IDC_GRID_SPACING_X, "100000");
            Type(d, IDC_GRID_SPACING_Y, "2.5");
            Click(d, IDC_GRID_COLOUR);
            HWND popup = ::GetCapture();
            ASSERT_NE(popup, nullptr);
            for (UINT key : {VK_UP, VK_DOWN, VK_RIGHT})  // Default, Black, Brown
                ::SendMessageA(popup, WM_KEYDOWN, key, 0);
            ::SendMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunGridSettings(grid), IDOK);
        messages = e.boxes.messages;
    }
    EXPECT_TRUE(crossesChecked);
    EXPECT_TRUE(offChecked);
    EXPECT_TRUE(dotsChecked);
    EXPECT_FALSE(crossesAfter);
    EXPECT_EQ(messages, std::vector<std::string>{"Please enter a number between 0.001 and 100000."});
    EXPECT_TRUE(grid.on);
    EXPECT_EQ(grid.style, 9);
    EXPECT_EQ(grid.spacingX, 100000.0);
    EXPECT_EQ(grid.spacingY, 2.5);
    EXPECT_EQ(grid.colour, RGB(165, 42, 0));
}

TEST(ViewSettings, DisplayOptionsFillModeEnablesItsControls)
{
    CModelDialogServices dialogs;
    CDisplayOptionsData display;
    display.lengthUnit = "[ft]";
    display.fillColour = RGB(0, 0, 255);
    display.fillMode = 1;
    display.hatchPattern = 3;
    struct Seen {
        bool length, colour, pattern;
    } fill{}, none{}, hatch{};
    std::string shownUnit;
    int patterns = 0;
    COLORREF patternColour = 0, hoverColour = 0;
    {
        Editing e([&](CDialog& d) {
            auto& dlg = dynamic_cast<CTalusimDisplayOptionsDlg&>(d);
            shownUnit = TextOf(d, IDC_DO_LENGTH_UNIT);
            patterns = dlg.GetPatternCombo().GetCount();
            patternColour = dlg.GetPatternCombo().m_aPatterns[0].lbColor;
            fill = {Enabled(d, IDC_DO_LENGTH), Enabled(d, IDC_DO_FILL_COLOUR), Enabled(d, IDC_DO_HATCH)};
            Click(d, IDC_DO_NONE);
            none = {Enabled(d, IDC_DO_LENGTH), Enabled(d, IDC_DO_FILL_COLOUR), Enabled(d, IDC_DO_HATCH)};
            Click(d, IDC_DO_HATCHED);
            hatch = {Enabled(d, IDC_DO_LENGTH), Enabled(d, IDC_DO_FILL_COLOUR), Enabled(d, IDC_DO_HATCH)};
            // Hovering over a colour repaints the patterns in it.
            Click(d, IDC_DO_FILL_COLOUR);
            HWND popup = ::GetCapture();
            ASSERT_NE(popup, nullptr);
            for (UINT key : {VK_UP, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT})  // on to Dark Teal
                ::SendMessageA(popup, WM_KEYDOWN, key, 0);
            hoverColour = dlg.GetPatternCombo().m_aPatterns[0].lbColor;
            ::SendMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
            Type(d, IDC_DO_LENGTH, "1001");
            Click(d, IDOK);
            Type(d, IDC_DO_LENGTH, "4");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunDisplayOptions(display), IDOK);
        EXPECT_EQ(e.boxes.messages, std::vector<std::string>{"Please enter a number between 0.001 and 1000."});
    }
    EXPECT_EQ(shownUnit, "[ft]");
    EXPECT_EQ(patterns, 6);
    EXPECT_EQ(patternColour, RGB(0, 0, 255));
    EXPECT_TRUE(fill.length && fill.colour && !fill.pattern);
    EXPECT_TRUE(!none.length && !none.colour && !none.pattern);
    EXPECT_TRUE(hatch.length && hatch.colour && hatch.pattern);
    EXPECT_EQ(hoverColour, RGB(0, 0, 94));
    EXPECT_EQ(display.fillMode, 2);
    EXPECT_EQ(display.hatchPattern, 3);
    EXPECT_EQ(display.fillLength, 4.0);
    EXPECT_EQ(display.fillColour, RGB(0, 0, 94));
}

TEST(ViewSettings, SnapAndUnitsChooseOneOption)
{
    CModelDialogServices dialogs;
    int mode = 30;
    bool shownGrid = false, noneAfter = true;
    {
        Editing e([&](CDialog& d) {
            shownGrid = Checked(d, IDC_SNAP_GRID);
            Click(d, IDC_SNAP_VERTEX);
            noneAfter = Checked(d, IDC_SNAP_NONE) || Checked(d, IDC_SNAP_GRID);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunSnapDialog(mode), IDOK);
    }
    EXPECT_TRUE(shownGrid);
    EXPECT_FALSE(noneAfter);
    EXPECT_EQ(mode, 31);
    {
        Editing e([](CDialog& d) {
            Click(d, IDC_SNAP_NONE);
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(dialogs.RunSnapDialog(mode), IDCANCEL);
    }
    EXPECT_EQ(mode, 31);

    bool metric = true;
    bool metricShown = false;
    {
        Editing e([&](CDialog& d) {
            metricShown = Checked(d, IDC_UNITS_METRIC);
            Click(d, IDC_UNITS_IMPERIAL);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunUnits(metric), IDOK);
    }
    EXPECT_TRUE(metricShown);
    EXPECT_FALSE(metric);
}
