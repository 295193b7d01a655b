// The document's commands through its own operations: the geometric checks of
// the slope and barrier modes, placing and deleting objects, the editor
// dialogs' outcomes, results, filters, settings and units.
#include "DocumentFixture.h"

#include <cfloat>
#include "model/SlopeViewServices.h"

namespace {

// A slope from (0, 20) down to (30, 0) through (10, 10).
void DrawSlope(CTalusimDoc& doc, bool leftToRight = true)
{
    if (leftToRight) {
        doc.AppendSlopeVertex(0, 20);
        doc.AppendSlopeVertex(10, 10);
        doc.AppendSlopeVertex(30, 0);
    } else {
        doc.AppendSlopeVertex(30, 20);
        doc.AppendSlopeVertex(20, 10);
        doc.AppendSlopeVertex(0, 0);
    }
}

CTalusimBarrier* PlaceBarrier(CTalusimDoc& doc, double x1, double y1, double x2, double y2)
{
    doc.OnAddBarrier();
    CTalusimBarrier* b = doc.GetPendingBarrier();
    doc.TrackBarrierStart(x1, y1);
    doc.TrackBarrierEnd(x2, y2);
    doc.PlacePendingBarrier();
    doc.SetMode(2108);
    return b;
}

CTalusimRockPath* AddPath(CTalusimDoc& doc, double x0, double x1)
{
    auto* p = new CTalusimRockPath;
    p->AddStraightSegment(x0, 10, x1, 0, 0, 9.81);
    doc.GetDatabase()->AddEntity(p, false);
    doc.m_rockPaths.Add(p);
    doc.m_endPoints.Add(p->GetLastPoint());
    return p;
}

// Dialogs that answer as a test tells them.
struct ScriptedDialogs : CSlopeViewServices {
    INT_PTR answer = IDCANCEL;
    CInitialConditionsData conditions;
    CProjectSettingsData lastSettings;
    CProjectSettingsData settingsOut;
    bool metricOut = true;
    int collectorEditorRuns = 0;
    INT_PTR RunDataCollectorEditor(CTalusimDoc*, CEntity*) override
    {
        ++collectorEditorRuns;
        return answer;
    }
    INT_PTR RunBarrierEditor(CTalusimDoc*, CTalusimBarrier*) override { return answer; }
    INT_PTR RunInitialConditions(CInitialConditionsData& d) override
    {
        conditions = d;
        if (answer == IDOK) {
            d.massMean = 25.0;
            d.vxMean = 1.5;
            d.radiusMean = 0.3;
        }
        return answer;
    }
    INT_PTR RunProjectSettings(CProjectSettingsData& d) override
    {
        lastSettings = d;
        if (answer == IDOK)
            d = settingsOut;
        return answer;
    }
    INT_PTR RunUnits(bool& metric) override
    {
        metric = metricOut;
        return answer;
    }
};

struct DialogsInstalled {
    explicit DialogsInstalled(ScriptedDialogs& d) { InstallSlopeViewServices(&d); }
    ~DialogsInstalled() { InstallSlopeViewServices(nullptr); }
};

}  // namespace

TEST(DocumentCommands, SlopeVertexChecks)
{
    auto doc = NewDocument();
    doc->AppendSlopeVertex(0, 20);
    EXPECT_TRUE(doc->CanAppendSlopeVertex(5, 5));  // only the rubber band so far
    doc->AppendSlopeVertex(0, 20);                 // the rubber band
    EXPECT_FALSE(doc->CanAppendSlopeVertex(0.0005, 20));
    EXPECT_TRUE(doc->CanAppendSlopeVertex(10, 10));
    doc->TrackSlopeVertex(10, 10);
    doc->AppendSlopeVertex(10, 10);  // fixed; the last one is the rubber band again
    doc->TrackSlopeVertex(20, 8);
    doc->AppendSlopeVertex(20, 8);
    // Vertices 0 (0,20), 1 (10,10), 2 (20,8), 3 the rubber band.
    EXPECT_FALSE(doc->CanAppendSlopeVertex(10.0005, 10)) << "too close to an earlier vertex";
    EXPECT_FALSE(doc->CanAppendSlopeVertex(20.0005, 8)) << "too close to the last fixed vertex";
    EXPECT_FALSE(doc->CanAppendSlopeVertex(-10, 18)) << "crosses the first segment";
    EXPECT_FALSE(doc->CanAppendSlopeVertex(5.0005, 15)) << "on the first segment";
    EXPECT_TRUE(doc->CanAppendSlopeVertex(30, -5));
    // Folding back along the segment that ends at the last fixed vertex is not
    // a crossing test, only the distance test applies.
    EXPECT_TRUE(doc->CanAppendSlopeVertex(15, 4));
}

// At survey coordinates a segment through an earlier vertex still touches
// it, and one passing a centimetre below it is free.
TEST(DocumentCommands, SlopeVertexChecksAtSurveyCoordinates)
{
    auto doc = NewDocument();
    const CVector2D a(512320.2, 5000090.3), b(512325.5, 5000097.4), p(512300.1, 5000100.1);
    doc->AppendSlopeVertex(a.x, a.y);
    doc->AppendSlopeVertex(a.x, a.y);  // the rubber band
    for (const CVector2D& v : {b, p}) {
        doc->TrackSlopeVertex(v.x, v.y);
        doc->AppendSlopeVertex(v.x, v.y);
    }
    ASSERT_EQ(doc->GetSlope()->GetVertexCount(), 4);
    const struct {
        double x, y;
        bool allowed;
        const char* what;
    } cases[] = {
        // (a is the middle of p and q in decimals)
        {512340.3, 5000080.5, false, "through the first vertex"},
        {512340.3, 5000080.48, true, "a centimetre below it"},
        {512340.3, 5000080.52, false, "across the first segment by a centimetre"},
        {512310.0, 5000120.0, true, "away from the slope"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(doc->CanAppendSlopeVertex(c.x, c.y), c.allowed) << c.what;
}

TEST(DocumentCommands, SlopeSegmentsMayNotCrossABarrierButMayCrossACollector)
{
    auto doc = NewDocument();
    DrawSlope(*doc);
    PlaceBarrier(*doc, 20, 5.5, 20, 12);
    EXPECT_FALSE(doc->CanAppendSegmentAcrossBarriers(CVector2D(15, 8), CVector2D(25, 8)));
    EXPECT_FALSE(doc->CanAppendSegmentAcrossBarriers(CVector2D(15, 8), CVector2D(20.0005, 8)));
    EXPECT_TRUE(doc->CanAppendSegmentAcrossBarriers(CVector2D(15, 20), CVector2D(25, 20)));
    doc->OnAddDataCollector();
    doc->TrackCollectorStart(22, 0);
    doc->TrackCollectorEnd(22, 30);
    doc->PlacePendingCollector();
    doc->SetMode(2108);
    EXPECT_TRUE(doc->CanAppendSegmentAcrossBarriers(CVector2D(21, 15), CVector2D(25, 15)));
}

TEST(DocumentCommands, ABarrierMustStandAboveTheSlopeWhicheverWayItRuns)
{
    for (bool leftToRight : {true, false}) {
        auto doc = NewDocument();
        DrawSlope(*doc, leftToRight);
        doc->OnAddBarrier();
        const double x = leftToRight ? 20 : 10;  // on the second segment
        doc->TrackBarrierStart(x, 5);
        EXPECT_TRUE(doc->CanPlaceBarrierAt(x, 9)) << leftToRight;
        EXPECT_FALSE(doc->CanPlaceBarrierAt(x, 1)) << leftToRight;
        doc->SetMode(2108);
    }
}

TEST(DocumentCommands, PlacingCollectorsNamesTheNextOne)
{
    auto doc = NewDocument();
    DrawSlope(*doc);
    doc->OnAddDataCollector();
    EXPECT_EQ(doc->GetMode(), 2107);
    CTalusimBarrier* first = doc->GetPendingCollector();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->GetName(), "Collector001");
    EXPECT_EQ(first->GetCategoryId(), CAT_PENDING);
    doc->TrackCollectorStart(20, 0);
    doc->TrackCollectorEnd(20, 10);
    doc->PlacePendingCollector();
    EXPECT_EQ(first->GetCategoryId(), CAT_PLACED);
    ASSERT_NE(doc->GetPendingCollector(), first);
    EXPECT_STREQ(doc->GetPendingCollector()->GetName(), "Collector002");
    EXPECT_TRUE(doc->IsModified());
    doc->OnAddDataCollector();  // the command again ends the mode
    EXPECT_EQ(doc->GetMode(), 2108);
}

TEST(DocumentCommands, DeleteEntireSlopeKeepsTheCollectors)
{
    MessageBoxRecorder boxes;
    auto doc = NewDocument();
    DrawSlope(*doc);
    PlaceBarrier(*doc, 20, 5.5, 20, 12);
    doc->OnAddDataCollector();
    doc->TrackCollectorStart(25, 0);
    doc->TrackCollectorEnd(25, 10);
    doc->PlacePendingCollector();
    doc->SetMode(2108);

    boxes.answer = IDCANCEL;
    doc->OnDeleteEntireSlope();
    EXPECT_EQ(doc->GetSlopeVertexCount(), 3);
    boxes.answer = IDOK;
    doc->OnDeleteEntireSlope();
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_EQ(boxes.messages[1], "Delete entire slope (and any existing barriers)?");
    EXPECT_EQ(doc->GetSlopeVertexCount(), 0);
    EXPECT_FALSE(doc->GetSlope()->IsVisible());
    EXPECT_TRUE(EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).empty());
    EXPECT_EQ(EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR).size(), 1u);
}

TEST(DocumentCommands, TheBarrierQuestionCanCancelDefineSlope)
{
    MessageBoxRecorder boxes;
    auto doc = NewDocument();
    DrawSlope(*doc);
    PlaceBarrier(*doc, 20, 5.5, 20, 12);
    boxes.answer = IDCANCEL;
    doc->BeginDefineSlope();
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "This will delete all of the barriers\nContinue?");
    EXPECT_EQ(doc->GetMode(), 2108);
    EXPECT_EQ(EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).size(), 1u);
    boxes.answer = IDOK;
    doc->BeginDefineSlope();
    EXPECT_EQ(doc->GetMode(), 2126);
    EXPECT_TRUE(EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).empty());
    EXPECT_EQ(doc->GetSlopeVertexCount(), 4);  // the rubber band copy of the last vertex
}

TEST(DocumentCommands, LineSeedersAndTheSeederProbability)
{
    ScriptedDialogs dialogs;
    DialogsInstalled installed(dialogs);
    auto doc = NewDocument();
    DrawSlope(*doc);
    dialogs.answer = IDOK;

    // Only the first vertex and the rubber band: removed without a dialog.
    doc->OnAddLineSeeder();
    EXPECT_EQ(doc->GetMode(), 2147);
    CTalusimRaker* pending = doc->GetPendingSeeder();
    ASSERT_NE(pending, nullptr);
    doc->TrackLineSeederStart(1, 25);
    doc->AddLineSeederVertex(1, 25);
    doc->FinishLineSeeder();
    EXPECT_EQ(pending->GetVertexCount(), 0);
    EXPECT_EQ(pending->GetCategoryId(), CAT_PENDING);
    EXPECT_STREQ(dialogs.conditions.massUnit, "");

    for (int k = 0; k < 2; ++k) {
        CTalusimRaker* s = doc->GetPendingSeeder();
        doc->TrackLineSeederStart(1 + k, 25);
        doc->AddLineSeederVertex(3 + k, 26);
        doc->AddLineSeederVertex(3 + k, 26);  // the rubber band
        doc->FinishLineSeeder();
        EXPECT_EQ(s->GetCategoryId(), CAT_PLACED);
        EXPECT_EQ(s->GetVertexCount(), 2);
        double m, sd;
        s->GetMass(m, sd);
        EXPECT_EQ(m, 25.0);
    }
    EXPECT_STREQ(dialogs.conditions.massUnit, "[Kg]");
    EXPECT_EQ(dialogs.conditions.massMean, 10.0);
    doc->SetMode(2108);
    doc->m_nSeederProbability = SEEDER_BY_LENGTH;

    // Deleting one of the two leaves a single line seeder: equal probability.
    auto lines = EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, GROUP_LINE_SEEDER);
    ASSERT_EQ(lines.size(), 2u);
    doc->SetMode(2148);
    lines[0]->AddToSet(SET_SELECTION);
    doc->DeleteSelectedSeeders();
    EXPECT_EQ(EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, GROUP_LINE_SEEDER).size(), 1u);
    EXPECT_EQ(doc->GetSeederProbability(), SEEDER_EQUAL);
    EXPECT_EQ(doc->GetMode(), 2108);
}

TEST(DocumentCommands, APointSeederComesFromTheDialog)
{
    ScriptedDialogs dialogs;
    DialogsInstalled installed(dialogs);
    auto doc = NewDocument();
    doc->SetMode(2146);
    dialogs.answer = IDCANCEL;
    doc->AddPointSeederAt(2, 22);
    EXPECT_TRUE(EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP).empty());
    EXPECT_EQ(doc->GetMode(), 2108);
    dialogs.answer = IDOK;
    doc->AddPointSeederAt(2, 22);
    auto seeders = EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, GROUP_POINT_SEEDER);
    ASSERT_EQ(seeders.size(), 1u);
    double r, sd;
    seeders[0]->GetRadius(r, sd);
    EXPECT_EQ(r, 0.3);
    EXPECT_EQ(seeders[0]->GetVertexPoint(0).y, 22.0);
}

TEST(DocumentCommands, CancelInTheCollectorEditorKeepsTheResults)
{
    ScriptedDialogs dialogs;
    DialogsInstalled installed(dialogs);
    auto doc = NewDocument();
    DrawSlope(*doc);
    AddPath(*doc, 0, 30);
    doc->SetModifiedFlag(FALSE);
    dialogs.answer = IDCANCEL;
    doc->OnCollectorEditor();
    EXPECT_EQ(dialogs.collectorEditorRuns, 1);
    EXPECT_EQ(doc->GetEndPointCount(), 1);
    EXPECT_FALSE(doc->IsModified());
    dialogs.answer = IDOK;
    doc->OnCollectorEditor();
    EXPECT_EQ(doc->GetEndPointCount(), 0);
    EXPECT_TRUE(doc->IsModified());
}

TEST(DocumentCommands, ClearRockPathsEmptiesEveryResult)
{
    auto doc = NewDocument();
    DrawSlope(*doc);
    CTalusimBarrier* b = PlaceBarrier(*doc, 20, 5.5, 20, 12);
    CTalusimRockPath* p = AddPath(*doc, 0, 30);
    b->AddHit(Hit(20, 6, 5, 1, 125, 1, 10, p), false);
    doc->m_locationMaxima.Add(CLocationEnvelope());
    doc->m_distributions.SetSize(1);
    doc->SetModifiedFlag(FALSE);
    doc->ClearRockPaths();
    bool passes = true;
    EXPECT_EQ(doc->GetFirstEndPoint(passes).x, DBL_MAX);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(EntitiesOf<CTalusimRockPath>(*doc, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP).empty());
    EXPECT_EQ(b->GetHitUpperBound(false), -1);
    EXPECT_EQ(doc->GetEnvelopeCount(), 0);
    EXPECT_EQ(doc->GetLastDistributionIndex(), -1);
    EXPECT_EQ(doc->GetDistribution(0), nullptr);
    // Past the end, the maxima iteration gives the overall record.
    EXPECT_EQ(&doc->GetFirstLocationMaxima(), &doc->m_overallMaxima);
}

TEST(DocumentCommands, EndPointIterationStopsWhenTheArraysDiffer)
{
    auto doc = NewDocument();
    CTalusimRockPath* p = AddPath(*doc, 0, 30);
    AddPath(*doc, 0, 20);
    p->SetCategoryId(CAT_PATH_PASSES);
    bool passes = false;
    EXPECT_EQ(doc->GetFirstEndPoint(passes).x, 30.0);
    EXPECT_TRUE(passes);
    EXPECT_EQ(doc->GetNextEndPoint(passes).x, 20.0);
    EXPECT_FALSE(passes);
    EXPECT_EQ(doc->GetNextEndPoint(passes).x, DBL_MAX);
    doc->m_endPoints.Add(CVector2D(1, 1));
    EXPECT_EQ(doc->GetFirstEndPoint(passes).x, DBL_MAX);
    EXPECT_EQ(doc->CountEndPoints(false), 3);
    EXPECT_EQ(doc->CountEndPoints(true), 1);
}

TEST(DocumentCommands, FiltersInvertAndHide)
{
    auto doc = NewDocument();
    CTalusimRockPath* a = AddPath(*doc, 0, 30);
    CTalusimRockPath* b = AddPath(*doc, 0, 20);
    // Inverting with no filter puts every path into the filter; twice restores.
    doc->OnInvertFilter();
    EXPECT_EQ(a->GetCategoryId(), CAT_PATH_PASSES);
    EXPECT_EQ(b->GetCategoryId(), CAT_PATH_PASSES);
    doc->OnInvertFilter();
    EXPECT_EQ(a->GetCategoryId(), CAT_PATH_NOT_FILTERED);
    a->SetCategoryId(CAT_PATH_PASSES);
    EXPECT_FALSE(doc->IsFilteredOnlyActive());
    doc->OnFilteredPathsOnly();
    EXPECT_TRUE(doc->IsFilteredOnlyActive());
    EXPECT_FALSE(b->IsSelectable());
    EXPECT_TRUE(a->IsSelectable());
    doc->OnFilteredPathsOnly();
    EXPECT_TRUE(b->IsSelectable());
    doc->RemoveFilter();
    EXPECT_EQ(a->GetCategoryId(), CAT_PATH_NOT_FILTERED);
}

TEST(DocumentCommands, FilterByImpactNeedsAHit)
{
    MessageBoxRecorder boxes;
    auto doc = NewDocument();
    doc->OnFilterByImpact();
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "There must be at least one rock\nimpact on a barrier or collector.");
}

TEST(DocumentCommands, ProjectSettingsLocksAndStoresTheSettings)
{
    ScriptedDialogs dialogs;
    DialogsInstalled installed(dialogs);
    auto doc = NewDocument();
    auto addSeeder = [&](int group) {
        auto* s = new CTalusimRaker;
        s->SetCategoryId(CAT_PLACED);
        s->SetGroupId(group);
        doc->GetDatabase()->AddEntity(s, false);
    };
    const struct { int points, lines; bool equalLocked, byLengthLocked; } cases[] = {
        {1, 0, true, true}, {0, 2, false, false}, {1, 1, false, true}};
    for (const auto& c : cases) {
        auto fresh = NewDocument();
        doc.swap(fresh);
        for (int i = 0; i < c.points; ++i)
            addSeeder(GROUP_POINT_SEEDER);
        for (int i = 0; i < c.lines; ++i)
            addSeeder(GROUP_LINE_SEEDER);
        doc->ShowProjectSettings();
        EXPECT_EQ(dialogs.lastSettings.equalLocked, c.equalLocked) << c.points << c.lines;
        EXPECT_EQ(dialogs.lastSettings.byLengthLocked, c.byLengthLocked) << c.points << c.lines;
    }
    EXPECT_EQ(dialogs.lastSettings.divisions, 50);
    EXPECT_STREQ(dialogs.lastSettings.velocityUnit, "[m/s]");

    dialogs.answer = IDOK;
    dialogs.settingsOut = dialogs.lastSettings;
    dialogs.settingsOut.randomChoice = RANDOM_USER;
    dialogs.settingsOut.seed = 12345;
    dialogs.settingsOut.divisions = 20;
    doc->ShowProjectSettings();
    EXPECT_EQ(doc->GetRandomMode(), RANDOM_USER);
    EXPECT_EQ(doc->GetRandomSeed(), 12345);
    EXPECT_EQ(doc->GetLocationCount(), 21);
    dialogs.settingsOut.randomChoice = RANDOM_TIME;
    dialogs.settingsOut.seed = 999;
    dialogs.settingsOut.pathColour = RGB(0, 0, 9);
    CTalusimRockPath* p = AddPath(*doc, 0, 10);
    doc->ShowProjectSettings();
    EXPECT_EQ(doc->GetRandomMode(), RANDOM_TIME);
    EXPECT_EQ(doc->GetRandomSeed(), 12345);  // the time seed keeps the old value
    EXPECT_EQ(doc->GetEndPointCount(), 0);   // results cleared
    (void)p;
}

TEST(DocumentCommands, UnitsChangeEveryLabelAndClearTheResults)
{
    ScriptedDialogs dialogs;
    DialogsInstalled installed(dialogs);
    auto doc = NewDocument();
    AddPath(*doc, 0, 10);
    dialogs.answer = IDOK;
    dialogs.metricOut = false;
    doc->OnUnits();
    EXPECT_FALSE(doc->IsMetric());
    EXPECT_STREQ(doc->GetLengthUnitLabel(), "[ft]");
    EXPECT_STREQ(doc->GetMassUnitLabel(), "[lb]");
    EXPECT_STREQ(doc->GetVelocityUnitLabel(), "[ft/s]");
    EXPECT_STREQ(doc->GetEnergyUnitLabel(), "[lb ft^2/s^2]");
    EXPECT_STREQ(doc->GetAngularVelocityUnitLabel(), "[rad/s]");
    EXPECT_EQ(doc->GetEndPointCount(), 0);
}

TEST(DocumentCommands, AnUnknownToolTypeLeavesNoTool)
{
    auto doc = NewDocument();
    doc->CreateTool(12057);
    EXPECT_EQ(doc->GetCurrentTool(), nullptr);
}

TEST(DocumentCommands, SlopeExtentsAndVertexCommands)
{
    auto doc = NewDocument();
    CVector2D tl, br;
    doc->GetSlopeExtents(tl, br);
    EXPECT_EQ(tl.x, DBL_MAX);
    EXPECT_FALSE(doc->CanUseVertexCommands());
    DrawSlope(*doc);
    doc->GetSlopeExtents(tl, br);
    EXPECT_EQ(tl.x, 0.0);
    EXPECT_EQ(tl.y, 20.0);
    EXPECT_EQ(br.x, 30.0);
    EXPECT_EQ(br.y, 0.0);
    EXPECT_TRUE(doc->CanUseVertexCommands());
}

#include "res/resource.h"

namespace {

struct RecordingCmdUI : CCmdUI {
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};

RecordingCmdUI Update(CTalusimDoc& doc, UINT id)
{
    RecordingCmdUI ui;
    ui.m_nID = id;
    doc.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui;
}

}  // namespace

TEST(DocumentCommands, MenuEntriesFollowTheModelAndTheMode)
{
    auto doc = NewDocument();
    EXPECT_EQ(Update(*doc, ID_SLOPE_EDITOR).enabled, 0);
    EXPECT_EQ(Update(*doc, ID_IMPORT_CRSP).enabled, 1);
    EXPECT_EQ(Update(*doc, ID_COMPUTE).enabled, 0);
    EXPECT_EQ(Update(*doc, ID_ADD_VERTICAL_BARRIER).enabled, 0);
    DrawSlope(*doc);
    EXPECT_EQ(Update(*doc, ID_SLOPE_EDITOR).enabled, 1);
    EXPECT_EQ(Update(*doc, ID_DELETE_ENTIRE_SLOPE).enabled, 1);
    EXPECT_EQ(Update(*doc, ID_IMPORT_CRSP).enabled, 0);
    EXPECT_EQ(Update(*doc, ID_BARRIER_EDITOR).enabled, 0);
    PlaceBarrier(*doc, 20, 5.5, 20, 12);
    EXPECT_EQ(Update(*doc, ID_BARRIER_EDITOR).enabled, 1);
    doc->OnAddLineSeeder();
    EXPECT_EQ(Update(*doc, ID_ADD_LINE_SEEDER).checked, 1);
    EXPECT_EQ(Update(*doc, ID_SLOPE_EDITOR).enabled, 0);  // not while a mode runs
    doc->SetMode(2152);
    EXPECT_EQ(Update(*doc, ID_ADD_LINE_SEEDER).checked, 1);
    EXPECT_EQ(Update(*doc, ID_ADD_DATA_COLLECTOR).checked, 0);
    doc->SetMode(2108);
    EXPECT_EQ(Update(*doc, ID_CLEAR_ROCK_PATHS).enabled, 0);
    AddPath(*doc, 0, 30);
    EXPECT_EQ(Update(*doc, ID_CLEAR_ROCK_PATHS).enabled, 1);
}


#include "model/FilterDialogServices.h"

namespace {

struct ScriptedFilter : CFilterDialogServices {
    CFilterPathsData next;
    bool toldExists = false;
    INT_PTR RunFilterPaths(CFilterPathsData& d) override
    {
        toldExists = d.filterExists;
        d = next;
        return IDOK;
    }
};

}  // namespace

TEST(DocumentCommands, FilterByValueAppliesNarrowsAndAdds)
{
    ScriptedFilter filter;
    InstallFilterDialogServices(&filter);
    auto doc = NewDocument();
    CTalusimRockPath* p10 = AddPath(*doc, 0, 10);
    CTalusimRockPath* p20 = AddPath(*doc, 0, 20);
    CTalusimRockPath* p30 = AddPath(*doc, 0, 30);
    auto passing = [&] {
        std::string s;
        for (auto* p : {p10, p20, p30})
            s += p->GetCategoryId() == CAT_PATH_PASSES ? '1' : '0';
        return s;
    };
    filter.next.mode = 0;
    filter.next.endAbove = true;
    filter.next.endAboveX = 15;
    doc->OnFilterByValue();
    EXPECT_FALSE(filter.toldExists);
    EXPECT_EQ(passing(), "011");
    filter.next = CFilterPathsData();
    filter.next.mode = 1;  // narrow
    filter.next.endBelow = true;
    filter.next.endBelowX = 25;
    doc->OnFilterByValue();
    EXPECT_TRUE(filter.toldExists);
    EXPECT_EQ(passing(), "010");
    filter.next = CFilterPathsData();
    filter.next.mode = 2;  // add
    filter.next.largestAbove = true;
    filter.next.largestAboveX = 28;
    doc->OnFilterByValue();
    EXPECT_EQ(passing(), "011");
    filter.next = CFilterPathsData();
    filter.next.mode = 0;  // discard and apply
    filter.next.smallestBelow = true;
    filter.next.smallestBelowX = -1;
    doc->OnFilterByValue();
    EXPECT_EQ(passing(), "000");
    InstallFilterDialogServices(nullptr);
}

TEST(DocumentCommands, ABarrierMayNotCrossTheNextSegmentAndMayStandOnAVertex)
{
    struct Case { double sx, sy, ex, ey; bool allowed; const char* what; };
    const Case cases[] = {
        {18, 10, 26, 12, false, "crosses the rising segment after the one it stands on"},
        {18, 10, 18, 14, true, "upright on the flat segment"},
        {20, 10, 20, 14, true, "upright on the hollow's vertex"},
        {20, 10, 15, 12, true, "leaning back over the flat from the vertex"},
        {20, 10, 26, 12, false, "into the rising ground from the vertex"},
        {30, 15, 33, 14, true, "leaning over the crest from its vertex"},
        {30, 15, 33, 11, false, "into the ground beyond the crest"},
    };
    for (const Case& c : cases) {
        auto doc = NewDocument();
        for (const CVector2D& p : {CVector2D(0, 20), CVector2D(10, 10), CVector2D(20, 10), CVector2D(30, 15),
                                   CVector2D(40, 5)})
            doc->AppendSlopeVertex(p.x, p.y);
        doc->OnAddBarrier();
        doc->TrackBarrierStart(c.sx, c.sy);
        EXPECT_EQ(doc->CanPlaceBarrierAt(c.ex, c.ey), c.allowed) << c.what;
        doc->SetMode(2108);
    }
}
