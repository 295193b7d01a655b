// The graph choice dialogs: the quantities and kinds they offer, and what
// they choose or open.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/MainFrameServices.h"
#include "geometry/REGDatabase.h"
#include "graphs/GraphDialogs.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimDoc.h"
#include "model/TalusimRockPath.h"
#include "res/dialogs-graphs.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 7;

// Runs a script once the dialog shows, as a user would act on it.
template <class Base>
class CScripted : public Base
{
public:
    std::function<void(CScripted&)> script;

    BOOL OnInitDialog() override
    {
        const BOOL result = Base::OnInitDialog();
        this->PostMessage(WM_RUN_SCRIPT);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RUN_SCRIPT) {
            if (script)
                script(*this);
            return 0;
        }
        return Base::WindowProc(message, wParam, lParam);
    }
    std::vector<std::string> ComboTexts()
    {
        std::vector<std::string> texts;
        HWND combo = ::GetDlgItem(this->m_hWnd, IDC_GRAPH_KIND);
        const int n = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[128] = {};
            ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    bool ComboEnabled() { return ::IsWindowEnabled(::GetDlgItem(this->m_hWnd, IDC_GRAPH_KIND)) != 0; }
    void Press(int id)
    {
        this->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(this->m_hWnd, id)));
    }
    void SelectObject(int index)
    {
        HWND list = ::GetDlgItem(this->m_hWnd, IDC_GRAPH_OBJECTS);
        ::SendMessageA(list, LB_SETCURSEL, index, 0);
        this->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GRAPH_OBJECTS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
};

struct RecordingFrame : CMainFrameServices {
    void ToggleChartView(int kind, CEntity* object, bool show) override
    {
        opened.push_back({kind, object});
        EXPECT_TRUE(show);
    }
    std::vector<std::pair<int, CEntity*>> opened;
};

} // namespace

TEST(CreateGraphDialogTest, OffersSixQuantitiesAndMapsThemByMode)
{
    struct Case { int mode; int index; int kind; const char* caption; };
    const Case cases[] = {
        {1, 0, 2901, "Graph Distribution"},
        {1, 5, 2906, "Graph Distribution"},
        {0, 2, 2943, "Graph Envelope"},
        {0, 0, 2941, "Graph Envelope"},
    };
    for (const Case& c : cases) {
        CScripted<CCreateGraphDlg> dlg;
        dlg.m_nMode = c.mode;
        std::vector<std::string> texts;
        std::string caption;
        dlg.script = [&](CScripted<CCreateGraphDlg>& d) {
            texts = d.ComboTexts();
            char text[64] = {};
            ::GetWindowTextA(d.m_hWnd, text, sizeof text);
            caption = text;
            ::SendDlgItemMessageA(d.m_hWnd, IDC_GRAPH_KIND, CB_SETCURSEL, c.index, 0);
            d.Press(IDOK);
        };
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_nGraphKind, c.kind);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(texts, (std::vector<std::string>{"Bounce Height", "Total Kinetic Energy",
                                                   "Translational Kinetic Energy", "Rotational Kinetic Energy",
                                                   "Translational Velocity", "Rotational Velocity"}));
    }
}

TEST(CreateGraphDialogTest, NoSelectionKeepsTheDialogOpen)
{
    CScripted<CCreateGraphDlg> dlg;
    bool stillOpen = false;
    dlg.script = [&](CScripted<CCreateGraphDlg>& d) {
        ::SendDlgItemMessageA(d.m_hWnd, IDC_GRAPH_KIND, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        d.Press(IDOK);
        stillOpen = ::IsWindow(d.m_hWnd) && ::IsWindowVisible(d.m_hWnd);
        d.Press(IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.m_nGraphKind, -1);
}

namespace {

struct GraphSelectFixture : ::testing::Test {
    CTalusimBarrier* AddBarrier(const char* name, double x1, double y1, double x2, double y2, int hits)
    {
        auto* b = new CTalusimBarrier;
        b->SetName(name);
        b->SetPoints(x1, y1, x2, y2);
        b->SetCategoryId(CAT_PLACED);
        for (int i = 0; i < hits; ++i)
            b->AddHit(x1, y1, 1.0 + i, 0.0, 2.0, 0.0, 1.0, &path, 0.0, 0.0, false);
        db.AddEntity(b, false);
        return b;
    }
    CTalusimRockPath path;
    CREGDatabase db;
    RecordingFrame frame;
};

const std::vector<std::string> kFive = {"Total Kinetic Energy", "Translational Kinetic Energy",
                                        "Rotational Kinetic Energy", "Translational Velocity",
                                        "Rotational Velocity"};

std::vector<std::string> Plus(std::vector<std::string> v, std::vector<std::string> more)
{
    v.insert(v.end(), more.begin(), more.end());
    return v;
}

} // namespace

TEST_F(GraphSelectFixture, KindsFollowTheHitsAndTheOrientation)
{
    AddBarrier("Sloped", 0, 0, 10, 10, 2);
    AddBarrier("Flat", 0, 0, 10, 0.1, 1);
    AddBarrier("Upright", 5, 0, 5.1, 10, 3);
    AddBarrier("Unhit", 0, 0, 10, 10, 0);

    CScripted<CGraphSelectDlg> dlg;
    dlg.SetData(&db, &frame);
    std::vector<std::vector<std::string>> offered;
    std::vector<bool> enabled;
    dlg.script = [&](CScripted<CGraphSelectDlg>& d) {
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                d.SelectObject(i);
            offered.push_back(d.ComboTexts());
            enabled.push_back(d.ComboEnabled());
        }
        d.Press(IDOK);    // the barrier without hits: nothing opens
        d.SelectObject(2);
        ::SendDlgItemMessageA(d.m_hWnd, IDC_GRAPH_KIND, CB_SETCURSEL, 5, 0);
        d.Press(IDOK);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(offered.size(), 4u);
    EXPECT_EQ(offered[0], Plus(kFive, {"Horizontal Impact Location", "Vertical Impact Location"}));
    EXPECT_EQ(offered[1], Plus(kFive, {"Horizontal Impact Location"}));
    EXPECT_EQ(offered[2], Plus(kFive, {"Vertical Impact Location"}));
    EXPECT_TRUE(offered[3].empty());
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, true, false}));
    ASSERT_EQ(frame.opened.size(), 1u);
    EXPECT_EQ(frame.opened[0].first, 3146);
    EXPECT_EQ(frame.opened[0].second, db.GetEntityAt(2));
}

TEST_F(GraphSelectFixture, TheFirstItemOpensTotalEnergyOfTheFirstBarrier)
{
    // The barrier Add Barrier keeps ready for the next placement is not listed.
    AddBarrier("Barrier002", 0, 0, 1, 1, 0)->SetCategoryId(CAT_PENDING);
    AddBarrier("First", 0, 0, 10, 10, 1);
    CScripted<CGraphSelectDlg> dlg;
    dlg.SetData(&db, &frame);
    int listed = -1;
    dlg.script = [&](CScripted<CGraphSelectDlg>& d) {
        listed = static_cast<int>(::SendDlgItemMessageA(d.m_hWnd, IDC_GRAPH_OBJECTS, LB_GETCOUNT, 0, 0));
        d.Press(IDOK);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(listed, 1);
    ASSERT_EQ(frame.opened.size(), 1u);
    EXPECT_EQ(frame.opened[0].first, 3142);
    EXPECT_EQ(frame.opened[0].second, db.GetEntityAt(1));
}

TEST_F(GraphSelectFixture, WithoutBarriersGraphClosesNothing)
{
    CScripted<CGraphSelectDlg> dlg;
    dlg.SetData(&db, &frame);
    bool stillOpen = false, comboEnabled = true;
    int listCount = -1;
    dlg.script = [&](CScripted<CGraphSelectDlg>& d) {
        listCount = static_cast<int>(::SendDlgItemMessageA(d.m_hWnd, IDC_GRAPH_OBJECTS, LB_GETCOUNT, 0, 0));
        comboEnabled = d.ComboEnabled();
        d.Press(IDOK);
        stillOpen = ::IsWindowVisible(d.m_hWnd) != 0;
        d.Press(IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(listCount, 0);
    EXPECT_FALSE(comboEnabled);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(frame.opened.empty());
}
