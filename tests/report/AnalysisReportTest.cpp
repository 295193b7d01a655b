// The analysis report of a small document, section by section, with the
// texts of each line and its type.
#include "ReportTestSupport.h"

#include "model/TalusimBarrier.h"
#include "model/TalusimRaker.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"
#include "report/AnalysisReport.h"
#include "model/SlopeViewServices.h"

namespace {

// The Project Settings dialog as a user fills it.
struct SettingsAnswer : CSlopeViewServices {
    CProjectSettingsData values;
    INT_PTR RunProjectSettings(CProjectSettingsData& d) override {
        d.randomChoice = values.randomChoice;
        d.seed = values.seed;
        d.frictionAngleMode = values.frictionAngleMode;
        d.rnVelocityConstant = values.rnVelocityConstant;
        d.rnMassConstant = values.rnMassConstant;
        d.scaleRnByVelocity = values.scaleRnByVelocity;
        d.scaleRnByMass = values.scaleRnByMass;
        d.considerAngularVelocity = values.considerAngularVelocity;
        d.minimumVelocity = values.minimumVelocity;
        return IDOK;
    }
};

void ApplySettings(CTalusimDoc& doc, const CProjectSettingsData& values) {
    SettingsAnswer answer;
    answer.values = values;
    CSlopeViewServices* previous = InstallSlopeViewServices(&answer);
    doc.ShowProjectSettings();
    InstallSlopeViewServices(previous);
}

std::vector<ReportLine> Report(CTalusimDoc& doc) {
    CInfoViewer viewer;
    viewer.BeginRtf();
    CAnalysisReport report;
    report.SetDatabase(doc.GetDatabase());
    report.SetDocument(&doc);
    report.WriteToViewer(&viewer);
    return ParseReport(static_cast<LPCSTR>(viewer.GetRtf()));
}

// The lines from a section heading up to the next one (or the end).
std::vector<ReportLine> Section(const std::vector<ReportLine>& lines, const std::string& heading) {
    std::vector<ReportLine> out;
    bool in = false;
    for (const ReportLine& l : lines) {
        if (l.type == 4) in = l.text == heading;
        if (in) out.push_back(l);
    }
    // The blank that separates it from the next section belongs to that one.
    if (!out.empty() && out.back() == ReportLine{2, ""}) out.pop_back();
    return out;
}

std::vector<std::string> Headings(const std::vector<ReportLine>& lines) {
    std::vector<std::string> out;
    for (const ReportLine& l : lines)
        if (l.type == 4) out.push_back(l.text);
    return out;
}

const ReportLine kBlank{2, ""};

CTalusimRaker* AddPointSeeder(CTalusimDoc& doc, double x, double y) {
    auto* s = new CTalusimRaker;
    s->SetVelocity(0.5, -1, 0.1, 0.2);
    s->SetMass(100, 10);
    s->SetAngularVelocity(2, 0.5);
    s->AddPoint(x, y);
    s->SetCategoryId(CAT_PLACED);
    s->SetGroupId(GROUP_POINT_SEEDER);
    doc.GetDatabase()->AddEntity(s, true);
    return s;
}

}  // namespace

TEST(AnalysisReport, HeaderAndProjectSettings)
{
    auto doc = OpenExample();
    CProjectSettingsData settings;
    settings.frictionAngleMode = 1;
    settings.randomChoice = 3352;
    settings.seed = 4711;
    settings.scaleRnByVelocity = 1;
    settings.rnVelocityConstant = 9.144;
    settings.scaleRnByMass = 1;
    settings.rnMassConstant = 1000;
    settings.considerAngularVelocity = 0;
    settings.minimumVelocity = 0.25;
    ApplySettings(*doc, settings);
    doc->SetGenerateSlopeSamples(true);
    const auto lines = Report(*doc);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<ReportLine>(lines.begin(), lines.begin() + 5),
              (std::vector<ReportLine>{{3, "Clastor Analysis Information"}, kBlank, {4, "Document Name"}, kBlank,
                                       {2, "slope.cla"}}));
    EXPECT_EQ(Section(lines, "Project Settings"),
              (std::vector<ReportLine>{
                  {4, "Project Settings"},
                  kBlank,
                  {2, "Units: Metric"},
                  {2, "Friction angle: Calculate friction angle from RT"},
                  {2, "Coefficient of Normal Restitution (RN) scaled based on rock velocity, According to:"},
                  {2, "Rn(scaled) = Rn/(1+(Vrock/K)^2) , where K=9.144"},
                  {2, "Coefficient of Normal Restitution (RN) scaled based on rock mass, According to:"},
                  {2, "Rn(scaled) = Rn/(1+(Mrock/C)^2) , where C=1000"},
                  {2, "Minimum Velocity=0.25"},
                  {2, "Angular Velocity of the rocks NOT CONSIDERED"},
                  {2, "Standard Deviations USED when generating slope vertices"},
                  {2, "Random-number generation: Pseudo-random with seed=4711"},
              }));
}

TEST(AnalysisReport, SettingsChoicesGiveTheirTexts)
{
    struct Case {
        int friction, random, velocity, mass, angular;
        bool metric, samples;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, 3350, 0, 0, 1, true, false,
         {"Units: Metric", "Friction angle: Use friction fngle specified in material editor", "Minimum Velocity=0.1",
          "Angular Velocity of the rocks CONSIDERED", "Standard Deviations NOT USED when generating slope vertices",
          "Random-number generation: Random"}},
        {2, 3351, 0, 1, 1, false, false,
         {"Units: Imperial", "Friction angle: Set friction angle to zero ( rolling )",
          "Coefficient of Normal Restitution (RN) scaled based on rock mass, According to:",
          "Rn(scaled) = Rn/(1+(Mrock/C)^2) , where C=1000", "Minimum Velocity=0.1",
          "Angular Velocity of the rocks CONSIDERED", "Standard Deviations NOT USED when generating slope vertices",
          "Random-number generation: Pseudo-random"}},
    };
    for (const Case& c : cases) {
        auto doc = OpenExample();
        CProjectSettingsData settings;
        settings.frictionAngleMode = c.friction;
        settings.randomChoice = c.random;
        settings.scaleRnByVelocity = c.velocity;
        settings.scaleRnByMass = c.mass;
        settings.considerAngularVelocity = c.angular;
        ApplySettings(*doc, settings);
        doc->SetMetric(c.metric);
        doc->SetGenerateSlopeSamples(c.samples);
        std::vector<std::string> texts;
        for (const ReportLine& l : Section(Report(*doc), "Project Settings"))
            if (l.type == 2 && !l.text.empty()) texts.push_back(l.text);
        EXPECT_EQ(texts, c.expected) << "friction mode " << c.friction;
    }
}

TEST(AnalysisReport, SlopeSegmentsAndTheMaterialsTheyUse)
{
    auto doc = OpenExample();
    CTalusimSlope* slope = doc->GetSlope();
    ASSERT_NE(slope, nullptr);
    // A segment without material keeps its points; a vertex's spread is reported.
    slope->SetSegmentMaterial(2, nullptr);
    CPolyVertex v = slope->GetVertex(1);
    v.auxA = 0.5;
    v.auxB = 0.25;
    slope->SetVertex(1, v);
    const auto lines = Report(*doc);
    EXPECT_EQ(Section(lines, "Slope"),
              (std::vector<ReportLine>{
                  {4, "Slope"},
                  kBlank,
                  {5, "Segment 1, Material: Clean hard bedrock [default]"},
                  {2, "Start Point: X mean=0 std dev=0  Y mean=40 std dev=0"},
                  {2, "End Point: X mean=20 std dev=0.5  Y mean=31 std dev=0.25"},
                  kBlank,
                  {2, "Start Point: X mean=20 std dev=0.5  Y mean=31 std dev=0.25"},
                  {2, "End Point: X mean=50 std dev=0  Y mean=13 std dev=0"},
                  kBlank,
                  {5, "Segment 3, Material: Talus Cover [default]"},
                  {2, "Start Point: X mean=50 std dev=0  Y mean=13 std dev=0"},
                  {2, "End Point: X mean=80 std dev=0  Y mean=5 std dev=0"},
                  kBlank,
                  {5, "Segment 4, Material: Soil with vegetation [default]"},
                  {2, "Start Point: X mean=80 std dev=0  Y mean=5 std dev=0"},
                  {2, "End Point: X mean=110 std dev=0  Y mean=0 std dev=0"},
              }));
    // Only the materials a segment uses, in the drawing's order.
    EXPECT_EQ(Section(lines, "Materials"),
              (std::vector<ReportLine>{
                  {4, "Materials"},
                  kBlank,
                  {5, "Material name: Clean hard bedrock [default]"},
                  {2, "Coefficient of Normal Restitution (RN): mean=0.53 std dev=0.04"},
                  {2, "Coefficient of Tangential Restitution (RT): mean=0.99 std dev=0.04"},
                  {2, "Friction Angle: mean=30 std dev=2"},
                  {2, "Roughness: std dev=0"},
                  kBlank,
                  {5, "Material name: Talus Cover [default]"},
                  {2, "Coefficient of Normal Restitution (RN): mean=0.32 std dev=0.04"},
                  {2, "Coefficient of Tangential Restitution (RT): mean=0.82 std dev=0.04"},
                  {2, "Friction Angle: mean=30 std dev=2"},
                  {2, "Roughness: std dev=0"},
                  kBlank,
                  {5, "Material name: Soil with vegetation [default]"},
                  {2, "Coefficient of Normal Restitution (RN): mean=0.3 std dev=0.04"},
                  {2, "Coefficient of Tangential Restitution (RT): mean=0.8 std dev=0.04"},
                  {2, "Friction Angle: mean=30 std dev=2"},
                  {2, "Roughness: std dev=0"},
              }));
}

TEST(AnalysisReport, SeedersBarriersAndCollectors)
{
    auto doc = OpenExample();
    auto seeders = EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP);
    ASSERT_EQ(seeders.size(), 1u);
    seeders[0]->AddVertex(CPolyVertex(30, 30));
    seeders[0]->SetVelocity(1.5, -0.5, 0.25, 0.125);
    seeders[0]->SetMass(200, 40);
    seeders[0]->SetAngularVelocity(0.35, 0);
    AddPointSeeder(*doc, 5, 45);
    auto barriers = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    barriers[0]->SetElasticity(2158);
    barriers[0]->SetCustomCoefficients(0.5, 0.1, 0.75, 0.05);
    barriers[0]->SetInfiniteCapacity(false);
    barriers[0]->SetCapacity(500000);
    const auto lines = Report(*doc);
    EXPECT_EQ(Headings(lines), (std::vector<std::string>{"Document Name", "Project Settings", "Slope", "Materials",
                                                          "Seeders", "Barriers", "Data Collectors"}));
    EXPECT_EQ(Section(lines, "Seeders"),
              (std::vector<ReportLine>{
                  {4, "Seeders"},
                  kBlank,
                  {5, "Line Seeder"},
                  {2, "Horizontal Velocity: mean=1.5, std dev=0.25"},
                  {2, "Vertical    Velocity: mean=-0.5, std dev=0.125"},
                  {2, "Mass: mean=200, std dev=40"},
                  {2, "Angular Velocity: mean=0.35, std dev=0"},
                  {2, "Location (Vertex 1): 2, 40"},
                  {2, "Location (Vertex 2): 16, 33.5"},
                  {2, "Location (Vertex 3): 30, 30"},
                  kBlank,
                  {5, "Point Seeder"},
                  {2, "Horizontal Velocity: mean=0.5, std dev=0.1"},
                  {2, "Vertical    Velocity: mean=-1, std dev=0.2"},
                  {2, "Mass: mean=100, std dev=10"},
                  {2, "Angular Velocity: mean=2, std dev=0.5"},
                  {2, "Location: 5, 45"},
              }));
    EXPECT_EQ(Section(lines, "Barriers"),
              (std::vector<ReportLine>{
                  {4, "Barriers"},
                  kBlank,
                  {5, "Barrier name: Barrier001"},
                  {2, "Start Point: 65, 9.05"},
                  {2, "End  Point: 65, 13"},
                  {2, "Response to Impact: Custom (RN mean=0.5, RN std dev=0.1 , RT mean=0.75, RT std dev=0.05)"},
                  {2, "Capacity: 500000"},
              }));
    EXPECT_EQ(Section(lines, "Data Collectors"),
              (std::vector<ReportLine>{
                  {4, "Data Collectors"},
                  kBlank,
                  {5, "Data Collector name: Collector002"},
                  {2, "Start Point: 95, 2.5"},
                  {2, "End  Point: 95, 17.5"},
                  kBlank,
                  {5, "Data Collector name: Collector001"},
                  {2, "Start Point: 40, 19"},
                  {2, "End  Point: 40, 34"},
              }));

    const struct {
        int elasticity;
        bool infinite;
        const char* response;
        const char* capacity;
    } responses[] = {{2156, true, "Response to Impact: Inelastic (RN=RT=0)", "Capacity: Infinite"},
                     {2157, false, "Response to Impact: Elastic (RN=RT=1)", "Capacity: 500000"}};
    for (const auto& r : responses) {
        barriers[0]->SetElasticity(r.elasticity);
        barriers[0]->SetInfiniteCapacity(r.infinite);
        const auto section = Section(Report(*doc), "Barriers");
        ASSERT_EQ(section.size(), 7u);
        EXPECT_EQ(section[5].text, r.response);
        EXPECT_EQ(section[6].text, r.capacity);
    }
}

TEST(AnalysisReport, ObjectSectionsOnlyForWhatTheDrawingHolds)
{
    auto doc = std::make_unique<CTalusimDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    doc->SetTitle("Untitled");
    auto lines = Report(*doc);
    EXPECT_EQ(Headings(lines), (std::vector<std::string>{"Document Name", "Project Settings"}));
    // A one-vertex slope has no segment and so neither Slope nor Materials.
    doc->GetSlope()->AddVertexWithMaterial(0, 10, nullptr);
    AddPointSeeder(*doc, 1, 12);
    lines = Report(*doc);
    EXPECT_EQ(Headings(lines), (std::vector<std::string>{"Document Name", "Project Settings", "Seeders"}));
    // The run leaves the work set holding the data collectors: none here.
    EXPECT_EQ(doc->GetDatabase()->CountInSet(CAnalysisReport::kWorkSet), 0);
}

TEST(AnalysisReport, NamesAreWrittenAsTyped)
{
    auto doc = OpenExample();
    auto barriers = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    barriers[0]->SetName("Net {north} \\ \xc9tage 2");
    CInfoViewer viewer;
    viewer.BeginRtf();
    CAnalysisReport report;
    report.SetDatabase(doc->GetDatabase());
    report.SetDocument(doc.get());
    report.WriteToViewer(&viewer);
    const std::string rtf = static_cast<LPCSTR>(viewer.GetRtf());
    EXPECT_NE(rtf.find("Barrier name: Net \\{north\\} \\\\ \\'c9tage 2"), std::string::npos);
}
