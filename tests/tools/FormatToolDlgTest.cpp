// The Format Tool dialog as a user works it: controls enabled by the tool's
// kind, the check boxes that clear each other, Apply, OK, Cancel (which puts
// everything back, the font included), Default and the limits of the values.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "geometry/REGDatabase.h"
#include "res/dialogs-tools.h"
#include "support/WhenShown.h"
#include "tools/FormatToolDlg.h"
#include "tools/ToolRectangle.h"

namespace {

struct Answers {
    static inline std::vector<std::string> texts;
    static inline int answer = IDYES;
    static int Hook(LPCSTR text, UINT)
    {
        texts.emplace_back(text != nullptr ? text : "");
        return answer;
    }
    Answers()
    {
        texts.clear();
        answer = IDYES;
        previous = AfxSetMessageBoxHook(&Hook);
    }
    ~Answers() { AfxSetMessageBoxHook(previous); }
    AfxMessageBoxHook previous = nullptr;
};

HWND Dialog() { return ::FindWindowA(nullptr, "Format Tool"); }
HWND Item(int id) { return ::GetDlgItem(Dialog(), id); }
bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
bool Checked(int id) { return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
void Type(int id, const char* text) { ::SetWindowTextA(Item(id), text); }
void Choose(int id, int index) { ::SendMessageA(Item(id), CB_SETCURSEL, index, 0); }

// Runs the dialog on a tool; the action plays the user while it shows.
INT_PTR RunDialog(CMeasure& tool, std::function<void()> action)
{
    CREGDatabase db;
    CFormatToolDlg dialog;
    dialog.SetTool(&tool);
    dialog.SetDocument(nullptr, &db);
    WhenShown when(std::move(action));
    return dialog.DoModal();
}

} // namespace

TEST(FormatToolDlg, ControlsFollowTheKind)
{
    CMeasure image;   // a kind with the image options and no line style
    image.SetCanImageOptions(true);
    image.SetCanLineWeight(false);
    image.SetCanLineColour(false);
    bool seen = false;
    RunDialog(image, [&] {
        seen = Dialog() != nullptr;
        EXPECT_FALSE(Enabled(IDC_FT_WEIGHT));
        EXPECT_FALSE(Enabled(IDC_FT_LINE_COLOUR));
        EXPECT_FALSE(Enabled(IDC_FT_LINE_GROUP));
        EXPECT_TRUE(Enabled(IDC_FT_IMAGE_GROUP));
        EXPECT_TRUE(Enabled(IDC_FT_TRANSPARENT));
        EXPECT_FALSE(Enabled(IDC_FT_TRANSPARENT_COLOUR)) << "until Transparent is checked";
        Click(IDC_FT_TRANSPARENT);
        EXPECT_TRUE(Enabled(IDC_FT_TRANSPARENT_COLOUR));
        Click(IDC_FT_ALPHA);
        EXPECT_FALSE(Checked(IDC_FT_TRANSPARENT));
        EXPECT_TRUE(Enabled(IDC_FT_ALPHA_PERCENT));
        Click(IDCANCEL);
    });
    EXPECT_TRUE(seen);

    CToolRectangle box;
    RunDialog(box, [&] {
        EXPECT_TRUE(Enabled(IDC_FT_WEIGHT));
        EXPECT_TRUE(Enabled(IDC_FT_FILL));
        EXPECT_FALSE(Enabled(IDC_FT_IMAGE_GROUP));
        EXPECT_FALSE(Enabled(IDC_FT_AT_HEAD)) << "a box has no arrows";
        EXPECT_FALSE(Enabled(IDC_FT_HATCH_LIST)) << "until Hatch is checked";
        EXPECT_FALSE(Enabled(IDC_FT_FONT));
        Click(IDCANCEL);
    });
}

TEST(FormatToolDlg, CheckBoxesClearEachOther)
{
    CToolCircle circle;
    RunDialog(circle, [&] {
        Click(IDC_FT_FILL);
        EXPECT_TRUE(Enabled(IDC_FT_FILL_COLOUR));
        Click(IDC_FT_HATCH);
        EXPECT_FALSE(Checked(IDC_FT_FILL));
        EXPECT_TRUE(Checked(IDC_FT_HATCH));
        EXPECT_TRUE(Enabled(IDC_FT_HATCH_LIST));
        Click(IDC_FT_ARC);
        EXPECT_FALSE(Checked(IDC_FT_FILL));
        EXPECT_FALSE(Checked(IDC_FT_HATCH));
        EXPECT_FALSE(Enabled(IDC_FT_FILL_COLOUR));
        EXPECT_FALSE(Enabled(IDC_FT_HATCH_LIST));
        EXPECT_TRUE(Enabled(IDC_FT_ARC_FROM));
        Click(IDOK);
    });
    EXPECT_TRUE(circle.GetIsArc());
    EXPECT_FALSE(circle.GetIsFilled());
    EXPECT_FALSE(circle.GetIsHatchedInterior());
}

TEST(FormatToolDlg, OkTakesTheValues)
{
    CToolRectangle box;
    box.SetStartPoint(CVector2D(1, 2));
    box.SetEndPoint(CVector2D(3, 4));
    box.SetIsAxisSpacing(true);   // the coordinate radios go with custom spacing
    const INT_PTR result = RunDialog(box, [&] {
        Type(IDC_FT_HEAD_X, "-7.25");
        Type(IDC_FT_TAIL_Y, "12");
        Choose(IDC_FT_WEIGHT, 9);   // "10"
        Click(IDC_FT_HATCH);
        Choose(IDC_FT_HATCH_LIST, 4);
        Click(IDC_FT_LOCAL);
        Click(IDC_FT_LOCK);
        Click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(box.GetStartPoint().x, -7.25);
    EXPECT_EQ(box.GetEndPoint().y, 12.0);
    EXPECT_EQ(box.GetLineWeight(), 10);
    EXPECT_TRUE(box.GetIsHatchedInterior());
    EXPECT_EQ(box.GetHatchStyleIndex(), 4);
    EXPECT_FALSE(box.GetAxisGlobalCoords());
    EXPECT_TRUE(box.GetMoveLocked());
    RunDialog(box, [&] {
        Click(IDC_FT_GLOBAL);
        Click(IDOK);
    });
    EXPECT_TRUE(box.GetAxisGlobalCoords());
}

TEST(FormatToolDlg, CancelAfterApplyAndFontPutsEverythingBack)
{
    CToolRectangle box;
    box.SetStartPoint(CVector2D(1, 2));
    box.SetEndPoint(CVector2D(3, 4));
    box.SetCanFont(true);
    AfxSetCommonDialogHook([](CCommonDialog* dialog) -> INT_PTR {
        auto* font = static_cast<CFontDialog*>(dialog);
        strcpy(font->m_lf.lfFaceName, "Courier New");
        font->m_lf.lfWeight = FW_BOLD;
        font->m_cf.iPointSize = 240;
        return IDOK;
    });
    RunDialog(box, [&] {
        Type(IDC_FT_HEAD_X, "50");
        Type(IDC_FT_TAIL_X, "60");
        Choose(IDC_FT_WEIGHT, 4);
        Click(IDC_FT_FILL);
        Click(IDC_FT_APPLY);
        EXPECT_EQ(box.GetStartPoint().x, 50.0);
        EXPECT_EQ(box.GetLineWeight(), 5);
        EXPECT_TRUE(box.GetIsFilled());
        Click(IDC_FT_FONT);
        int size = 0;
        LOGFONTA font{};
        box.GetFont(size, font);
        EXPECT_EQ(size, 24);
        Click(IDCANCEL);
    });
    AfxSetCommonDialogHook(nullptr);
    EXPECT_EQ(box.GetStartPoint().x, 1.0);
    EXPECT_EQ(box.GetEndPoint().x, 3.0);
    EXPECT_EQ(box.GetLineWeight(), 1);
    EXPECT_FALSE(box.GetIsFilled());
    int size = 0;
    LOGFONTA font{};
    box.GetFont(size, font);
    EXPECT_EQ(size, 10);
    EXPECT_STREQ(font.lfFaceName, "Arial");
}

TEST(FormatToolDlg, ValuesOutsideTheirLimitsAreRefused)
{
    Answers answers;
    CToolCircle circle;
    RunDialog(circle, [&] {
        Click(IDC_FT_ARC);
        Type(IDC_FT_ARC_TO, "400");
        Click(IDC_FT_APPLY);
        EXPECT_EQ(answers.texts.size(), 1u);
        EXPECT_FALSE(circle.GetIsArc()) << "nothing is applied";
        Click(IDOK);
        EXPECT_NE(Dialog(), nullptr) << "OK keeps the dialog open";
        Type(IDC_FT_ARC_TO, "270");
        Click(IDOK);
    });
    double from = 0, to = 0;
    circle.GetArcAngles(from, to);
    EXPECT_EQ(to, 270.0);
    EXPECT_TRUE(circle.GetIsArc());
}

TEST(FormatToolDlg, GreyedValuesFromAFileDoNotStopTheRestBeingApplied)
{
    // Values the edits' limits refuse, as a tools file or the registry may
    // hold them, in edits the user cannot reach: OK applies the rest and
    // keeps them as they came.
    Answers answers;
    CToolCircle circle;  // arc off: the angle edits are greyed
    circle.SetArcAngles(-90.0, 450.0);
    CMeasure image;      // alpha-blend off: the percent edit is greyed
    image.SetCanImageOptions(true);
    image.SetAlphaPercent(100);
    struct Case {
        CMeasure* tool;
        int greyed;
    } cases[] = {{&circle, IDC_FT_ARC_TO}, {&image, IDC_FT_ALPHA_PERCENT}};
    for (const Case& c : cases) {
        bool greyed = false;
        const INT_PTR result = RunDialog(*c.tool, [&] {
            greyed = !Enabled(c.greyed);
            Click(IDC_FT_LOCK);
            Click(IDOK);
        });
        EXPECT_TRUE(greyed);
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(c.tool->GetMoveLocked());
    }
    EXPECT_TRUE(answers.texts.empty());
    double from = 0, to = 0;
    circle.GetArcAngles(from, to);
    EXPECT_EQ(from, -90.0);
    EXPECT_EQ(to, 450.0);
    EXPECT_FALSE(circle.GetIsArc());
    EXPECT_EQ(image.GetAlphaPercent(), 100);
}

TEST(FormatToolDlg, DefaultKeepsTheStyleForNewToolsOfTheKind)
{
    const char* base = "Software\\Brevantics\\ClastorTests\\FormatTool\\";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brevantics\\ClastorTests");
    Answers answers;
    CToolRectangle box;
    box.SetRegistryBase(base);
    RunDialog(box, [&] {
        Choose(IDC_FT_WEIGHT, 6);
        Click(IDC_FT_DEFAULT);
        Click(IDOK);
    });
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], "Apply the current style to all new Rectangles ?");
    CToolRectangle fresh;
    fresh.SetRegistryBase(base);
    fresh.LoadStyleFromRegistry();
    EXPECT_EQ(fresh.GetLineWeight(), 7);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brevantics\\ClastorTests");

    struct Case {
        int type;
        const char* plural;
    } cases[] = {{12050, "Measures?"}, {12051, "Arrows ?"},        {12052, "Text Boxes?"},
                 {12053, "Rectangles ?"}, {12054, "Circles ?"},     {12055, "Lines ?"},
                 {12056, "Axes ?"},     {12057, "Contour Labels ?"}, {12058, "Images ?"},
                 {12060, ""},           {12063, ""}};
    for (const Case& c : cases)
        EXPECT_STREQ(CFormatToolDlg::PluralOf(c.type), c.plural) << c.type;
}
