// The simple settings dialogs, driven as a user would: they show the values
// they were given, hand back what was typed on OK, keep everything on Cancel,
// and refuse a value that is no number.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "editors/ModelDialogs.h"
#include "res/dialogs-model.h"

namespace {

std::function<void(CDialog&)> g_script;
std::vector<std::string> g_boxes;

void RunScript(CDialog& dialog)
{
    if (g_script)
        g_script(dialog);
}

int AnswerBox(LPCSTR text, UINT)
{
    g_boxes.emplace_back(text);
    return IDOK;
}

std::string TextOf(CDialog& d, int id)
{
    char buffer[256] = {};
    ::GetDlgItemTextA(d.m_hWnd, id, buffer, sizeof buffer);
    return buffer;
}

void Type(CDialog& d, int id, const char* text)
{
    ::SetDlgItemTextA(d.m_hWnd, id, text);
}

void Click(CDialog& d, int id)
{
    ::SendMessageA(::GetDlgItem(d.m_hWnd, id), BM_CLICK, 0, 0);
}

struct Scripted {
    explicit Scripted(std::function<void(CDialog&)> script)
    {
        g_script = std::move(script);
        g_boxes.clear();
        CModelDialogServices::s_script = &RunScript;
        previous = AfxSetMessageBoxHook(&AnswerBox);
    }
    ~Scripted()
    {
        CModelDialogServices::s_script = nullptr;
        g_script = nullptr;
        AfxSetMessageBoxHook(previous);
    }
    AfxMessageBoxHook previous = nullptr;
};

}  // namespace

TEST(ModelDialogs, SnapAndUnitsChooseOneOption)
{
    CModelDialogServices dialogs;
    int mode = 30;
    bool shownGrid = false;
    {
        Scripted s([&](CDialog& d) {
            shownGrid = ::IsDlgButtonChecked(d.m_hWnd, IDC_SNAP_GRID) == BST_CHECKED;
            Click(d, IDC_SNAP_VERTEX);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunSnapDialog(mode), IDOK);
    }
    EXPECT_TRUE(shownGrid);
    EXPECT_EQ(mode, 31);
    {
        Scripted s([](CDialog& d) {
            Click(d, IDC_SNAP_NONE);
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(dialogs.RunSnapDialog(mode), IDCANCEL);
    }
    EXPECT_EQ(mode, 31);
    bool metric = true;
    {
        Scripted s([](CDialog& d) {
            Click(d, IDC_UNITS_IMPERIAL);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunUnits(metric), IDOK);
    }
    EXPECT_FALSE(metric);
}

TEST(ModelDialogs, InitialConditionsShowUnitsAndRefuseNoNumber)
{
    CModelDialogServices dialogs;
    CInitialConditionsData data;
    data.massUnit = "[lb]";
    data.velocityUnit = "[ft/s]";
    data.considerAngularVelocity = false;
    std::string shownMass, shownUnit;
    bool angularEnabled = true;
    int attempts = 0;
    {
        Scripted s([&](CDialog& d) {
            shownMass = TextOf(d, IDC_IC_MASS_MEAN);
            shownUnit = TextOf(d, IDC_IC_VX_UNIT);
            angularEnabled = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_IC_ANGULAR_MEAN)) != 0;
            Type(d, IDC_IC_MASS_MEAN, "nan");
            Click(d, IDOK);  // refused: the dialog stays
            ++attempts;
            Type(d, IDC_IC_MASS_MEAN, "25.5");
            Type(d, IDC_IC_VX_MEAN, "-1.25");
            Type(d, IDC_IC_RADIUS_SD, "0.05");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunInitialConditions(data), IDOK);
    }
    EXPECT_EQ(shownMass, "10");
    EXPECT_EQ(shownUnit, "[ft/s]");
    EXPECT_FALSE(angularEnabled);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(data.massMean, 25.5);
    EXPECT_EQ(data.vxMean, -1.25);
    EXPECT_EQ(data.radiusStdDev, 0.05);
}

TEST(ModelDialogs, ProjectSettingsLockTheSeederChoicesAndReturnTheValues)
{
    CModelDialogServices dialogs;
    CProjectSettingsData data;
    data.equalLocked = true;
    data.byLengthLocked = true;
    bool equalEnabled = true, byLengthEnabled = true;
    {
        Scripted s([&](CDialog& d) {
            equalEnabled = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_PS_EQUAL)) != 0;
            byLengthEnabled = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_PS_BY_LENGTH)) != 0;
            Click(d, IDC_PS_RANDOM_USER);
            Type(d, IDC_PS_SEED, "12345");
            Click(d, IDC_PS_FRICTION_ZERO);
            Type(d, IDC_PS_ROCKS, "400");
            Type(d, IDC_PS_DIVISIONS, "20");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunProjectSettings(data), IDOK);
    }
    EXPECT_FALSE(equalEnabled);
    EXPECT_FALSE(byLengthEnabled);
    EXPECT_EQ(data.randomChoice, 3352);
    EXPECT_EQ(data.seed, 12345);
    EXPECT_EQ(data.frictionAngleMode, 2);
    EXPECT_EQ(data.rocks, 400);
    EXPECT_EQ(data.divisions, 20);
    EXPECT_EQ(data.seederProbability, 2149);
}

TEST(ModelDialogs, GridAndDisplayOptionsKeepTheirRanges)
{
    CModelDialogServices dialogs;
    CGridSettingsData grid;
    {
        Scripted s([](CDialog& d) {
            Click(d, IDC_GRID_ON);
            Click(d, IDC_GRID_DOTS);
            Type(d, IDC_GRID_SPACING_X, "0");  // below 0.001: refused
            Click(d, IDOK);
            Type(d, IDC_GRID_SPACING_X, "2.5");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunGridSettings(grid), IDOK);
        EXPECT_EQ(g_boxes.size(), 1u);
    }
    EXPECT_TRUE(grid.on);
    EXPECT_EQ(grid.style, 9);
    EXPECT_EQ(grid.spacingX, 2.5);

    CDisplayOptionsData display;
    display.lengthUnit = "[m]";
    display.hatchPattern = 3;
    std::string shownUnit;
    {
        Scripted s([&](CDialog& d) {
            shownUnit = TextOf(d, IDC_DO_LENGTH_UNIT);
            Click(d, IDC_DO_HATCHED);
            Type(d, IDC_DO_LENGTH, "4");
            Click(d, IDOK);
        });
        EXPECT_EQ(dialogs.RunDisplayOptions(display), IDOK);
    }
    EXPECT_EQ(shownUnit, "[m]");
    EXPECT_EQ(display.fillMode, 2);
    EXPECT_EQ(display.hatchPattern, 3);
    EXPECT_EQ(display.fillLength, 4.0);
}
