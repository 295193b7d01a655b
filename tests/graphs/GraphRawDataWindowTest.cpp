// Copy Raw Data and the Distribution Statistics window from the graph
// windows of a small computed document: the clipboard's text of each family
// against the document's own records, written out here, and the statistics
// window following the active graph without keeping a closed document.
#include "GraphWindowSupport.h"

#include <cstdio>
#include <string>

#include "app/DistributionStatsDlg.h"
#include "graphs/StatisticsReport.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"

namespace {

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE h = ::GetClipboardData(CF_TEXT))
        if (const char* p = static_cast<const char*>(::GlobalLock(h))) {
            text = p;
            ::GlobalUnlock(h);
        }
    ::CloseClipboard();
    return text;
}

void ClearClipboard()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

std::string Printf(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Printf(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

struct RecordedState : CCmdUI {
    int enabled = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
};

int EnabledState(CCmdTarget* target, UINT id)
{
    RecordedState ui;
    ui.m_nID = id;
    ui.DoUpdate(target, FALSE);
    return ui.enabled;
}

class GraphRawDataWindowTest : public GraphWindowTest
{
protected:
    std::string CopyOf(CTalusimOlectraView* view)
    {
        ClearClipboard();
        view->SendMessage(WM_COMMAND, ID_GRAPH_COPY_RAW_DATA);
        return ClipboardText();
    }
};

} // namespace

TEST_F(GraphRawDataWindowTest, CopyRawDataOfEachFamilyIsTheDocumentsRecords)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    CTalusimOlectraView* early = Open(2940);
    ASSERT_NE(early, nullptr);
    EXPECT_EQ(EnabledState(early, ID_GRAPH_COPY_RAW_DATA), 0);    // nothing computed yet
    Compute();
    EXPECT_EQ(EnabledState(early, ID_GRAPH_COPY_RAW_DATA), 1);

    // End points, numbered in the document's order.
    std::string expected = "Rock Endpoints (unsorted)\nNumber\tX_Coordinate\tY_Coordinate\n";
    bool passes = false;
    int n = 0;
    for (CVector2D p = doc->GetFirstEndPoint(passes); p.x != DBL_MAX && p.y != DBL_MAX; p = doc->GetNextEndPoint(passes))
        expected += Printf("%d\t%.3f\t%.3f\n", ++n, p.x, p.y);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(CopyOf(early), expected);

    // The bounce-height envelope: the height above the slope at each location.
    CTalusimOlectraView* envelope = Open(2941);
    ASSERT_NE(envelope, nullptr);
    expected = "Maximum Height above Slope vs. Horizontal location\nX_Coordinate[m]\tHeight[m]\n";
    for (int i = 0; i < doc->GetEnvelopeCount() && doc->GetLocationMaxima(i).IsLocationSet(); ++i) {
        const CLocationEnvelope& e = doc->GetLocationMaxima(i);
        expected += e.GetMaxHeight() == -DBL_MAX
                        ? Printf("%.3f\tNo Data Available\n", e.GetLocation())
                        : Printf("%.3f\t%.3f\n", e.GetLocation(), e.GetMaxHeight() - e.GetSlopeHeight());
    }
    EXPECT_EQ(CopyOf(envelope), expected);

    // The collector's hits with their units.
    CTalusimOlectraView* impacts = Open(3142, collector);
    ASSERT_NE(impacts, nullptr);
    CArray<CBarrierHit, const CBarrierHit&> hits;
    collector->CopyHits(hits);
    ASSERT_GT(hits.GetSize(), 0);
    expected = "Impact Information\nX_Coordinate\tY_Coordinate\tTranslational_Velocity[m/s]\tRotational_Velocity[rad/s]"
               "\tTranslational_Energy[J]\tRotational_Energy[J]\tTotal_Energy[J]\n";
    for (int i = 0; i < hits.GetSize(); ++i) {
        const CBarrierHit& h = hits[i];
        expected += Printf("%.3f\t%.3f\t%g\t%g\t%g\t%g\t%g\n", h.GetX(), h.GetY(), h.GetVelocity(),
                           h.GetAngularVelocity(), h.GetTranslationalEnergy(), h.GetRotationalEnergy(),
                           h.GetTranslationalEnergy() + h.GetRotationalEnergy());
    }
    EXPECT_EQ(CopyOf(impacts), expected);

    // A distribution: every sample at the location shown.
    CTalusimOlectraView* distribution = Open(2905);
    ASSERT_NE(distribution, nullptr);
    const int location = distribution->GetGraphState().location.index;
    ASSERT_GE(location, 0);
    CDistributionSamples* samples = doc->GetDistribution(location);
    ASSERT_NE(samples, nullptr);
    expected = std::string(WindowText(distribution)) + "\nNumber\tTranslational Velocity [m/s]\n";
    for (int i = 0; i < samples->GetCount(2905); ++i)
        expected += Printf("%d\t%g\n", i + 1, samples->GetValue(i, 2905));
    EXPECT_EQ(CopyOf(distribution), expected);
}

TEST_F(GraphRawDataWindowTest, TheStatisticsWindowFollowsTheActiveGraph)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* endPoints = Open(2940);
    ASSERT_NE(endPoints, nullptr);
    CTalusimOlectraView* envelope = Open(2942);
    ASSERT_NE(envelope, nullptr);
    EXPECT_EQ(EnabledState(envelope, ID_GRAPH_STATISTICS), 0);    // envelopes count no values
    EXPECT_EQ(EnabledState(envelope, ID_CONTEXT_STATISTICS), 0);
    EXPECT_EQ(EnabledState(endPoints, ID_GRAPH_STATISTICS), 1);

    endPoints->GetParentFrame()->ActivateFrame();
    Idle();
    endPoints->SendMessage(WM_COMMAND, ID_GRAPH_STATISTICS);
    Idle();
    CDistStatsDlg* dlg = mainFrame->m_pDistStatsDlg;
    ASSERT_NE(dlg, nullptr);
    const CString report = endPoints->BuildStatisticsReport();
    EXPECT_NE(std::string(report).find("Number of data points:\t12\r\n"), std::string::npos);
    EXPECT_EQ(std::string(dlg->m_strReport), std::string(report));
    char shown[8192] = {};
    ::GetDlgItemTextA(dlg->GetSafeHwnd(), IDC_STATISTICS_TEXT, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), std::string(report).substr(0, sizeof shown - 1));

    // Two graph windows: the one in the background leaves the text alone.
    CTalusimOlectraView* distribution = Open(2902);
    ASSERT_NE(distribution, nullptr);
    distribution->GetParentFrame()->ActivateFrame();
    Idle();
    distribution->SetFocus();
    Idle();
    const std::string distributionReport(distribution->BuildStatisticsReport());
    EXPECT_EQ(std::string(dlg->m_strReport), distributionReport);
    endPoints->RebuildChart();
    EXPECT_EQ(std::string(dlg->m_strReport), distributionReport);

    // Copy puts the report on the clipboard; once the document is closed it
    // touches nothing of it.
    ClearClipboard();
    ::SendMessageA(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_STATISTICS_COPY, BN_CLICKED), 0);
    EXPECT_EQ(ClipboardText(), distributionReport);
    {
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        PumpPending();
    }
    ASSERT_EQ(mainFrame->m_pDistStatsDlg, dlg);
    ClearClipboard();
    ::SendMessageA(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_STATISTICS_COPY, BN_CLICKED), 0);
    EXPECT_EQ(ClipboardText(), "");
    dlg->DestroyWindow();
}
