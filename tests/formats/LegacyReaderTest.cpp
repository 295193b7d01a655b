// Documents of the older archive format, written here byte by byte as each
// class stores itself: every field is checked after reading, and damaged
// files are refused whole.
#include "tests/model/ArchiveBytes.h"
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include "formats/ExtraFileInfo.h"
#include "geometry/Circle.h"
#include "model/ModelClasses.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

using model_test::Bytes;
using model_test::LoadWith;

namespace {

// The field that a damaged fixture holds as not-a-number or infinity; empty
// for a sound file.
std::string g_badField;
double g_badValue = 0;

double Field(const char* name, double value)
{
    return !g_badField.empty() && g_badField == name ? g_badValue : value;
}

struct EntityPart {
    std::string name;
    int group = ID_ANY_GROUP;
    int category = ID_ANY_CATEGORY;
    BYTE colour[3] = {0, 0, 0};
    BYTE visible = 1;
    BYTE selectable = 1;
};

void Entity(Bytes& b, const EntityPart& e)
{
    b.Int(1).Int(2).Int(PS_SOLID).Int(PS_DOT);          // select width, line width, styles
    b.Double(Field("entity extent", -1)).Double(2).Double(3).Double(-4);  // extents
    b.Str(e.name);
    b.Int(e.group).Int(e.category).Int(4711).Int(50);    // kind and type are the class's
    b.Rgb(e.colour[0], e.colour[1], e.colour[2]).Rgb(0, 0, 0).Rgb(255, 255, 255);
    b.Byte(e.visible).Byte(e.selectable).Byte(0).Byte(0).Byte(0);
    b.Int(0).Int(-1);                                    // context menu and submenu
}

struct MaterialPart {
    EntityPart entity;
    double values[6];    // Rn mean, Rn sd, Rt mean, Rt sd, friction mean, friction sd
    bool hasDefaults;
    BYTE pathColour[3];
    BYTE sampleSlope;
    double roughnessSd;
};

// A material in the current layout (schema 5) or the oldest one (below 3).
void Material(Bytes& b, const MaterialPart& m, UINT schema)
{
    Entity(b, m.entity);
    for (double v : m.values)
        b.Double(Field("material value", v));
    for (double v : m.values)
        b.Double(v + 1);                                  // factory values
    b.Rgb(7, 7, 7).Byte(m.hasDefaults ? 1 : 0);
    if (schema >= 3)
        b.Rgb(m.pathColour[0], m.pathColour[1], m.pathColour[2]).Byte(m.sampleSlope);
    if (schema >= 4)
        b.Double(Field("roughness", m.roughnessSd));
}

void Vertex(Bytes& b, double x, double y)
{
    b.Double(Field("vertex", x)).Double(y).Double(0).Double(0);
    b.Double(0).Double(1).Double(0).Double(1).Double(0).Double(Field("vertex normal", 1));
    b.Byte(0).Byte(0).Byte(1);
    for (int i = 0; i < 5; ++i)
        b.Byte(0);
}

// The settings record after its class tag, with one samples record of two
// passages in the current form (schema 4) or three dropped arrays (below).
void Settings(Bytes& b, UINT schema, BYTE frictionMode = 2, int records = 1, int engineVariant = 2403)
{
    Entity(b, {"", ID_ANY_GROUP, 2206, {0, 0, 0}, 0, 0});
    b.Byte(0).Byte(frictionMode).Byte(0).Byte(0);        // metric, friction mode, legacy, angular
    b.Int(engineVariant).Double(Field("K", 5.5)).Byte(1).Byte(7).Double(250);
    b.Int(records);
    for (int r = 0; r < records; ++r) {
        if (schema >= 4) {
            for (int a = 0; a < 5; ++a)
                b.Word(2).Double(10 * a + 1).Double(Field("sample", 10 * a + 2));
            b.Word(2).Int(0x1234).Int(0x5678);           // path pointers of the old program
        } else {
            for (int a = 0; a < 3; ++a)
                b.Word(1).Double(a);
        }
    }
}

struct ArchiveOptions {
    UINT materialSchema = 5;
    UINT settingsSchema = 4;
    bool materials = true;
    int settingsRecords = 1;
    double gridSpacingX = -5;
    BYTE frictionMode = 2;
    int engineVariant = 2403;
    int seederProbability = 2150;
    int rocks = 123;
    int snapMode = 30;
    int gridStyle = GRID_DOTS;
    bool pointTwice = false;     // the entity array names the point a second time
    bool secondSlope = false;    // a second slope object after the first
    std::string badField;        // a field written as badValue
    double badValue = 0;
};

// A whole document: grid, entities, snap and extents of the database, then
// the end points, the location maxima and the four settings.
std::vector<BYTE> LegacyDocument(const ArchiveOptions& o = {})
{
    g_badField = o.badField;
    g_badValue = o.badValue;
    Bytes b;
    b.Rgb(1, 2, 3).Double(o.gridSpacingX).Double(Field("grid", 2.5)).Int(o.gridStyle).Byte(1);
    b.Word(static_cast<WORD>((o.materials ? 2 : 0) + 2 + o.settingsRecords + (o.pointTwice ? 1 : 0) +
                             (o.secondSlope ? 1 : 0)));
    WORD next = 1;  // classes and objects share one index counter
    WORD rock = 0, clay = 0;
    if (o.materials) {
        b.NewClass("CTalusimSlopeType", static_cast<WORD>(o.materialSchema));
        const WORD materialClass = next++;
        rock = next++;
        Material(b, {{"Rock [default]", 2117, ID_ANY_CATEGORY, {9, 9, 9}}, {0.5, 0.01, 0.9, 0.02, 31, 3}, true,
                     {0, 0, 255}, 1, 0.75},
                 o.materialSchema);
        b.Word(static_cast<WORD>(0x8000 | materialClass));
        clay = next++;
        Material(b, {{"Clay", ID_ANY_GROUP, ID_ANY_CATEGORY, {1, 2, 3}}, {0.25, 0.05, 0.6, 0.06, 22, 4}, false,
                     {0, 255, 0}, 0, 1.25},
                 o.materialSchema);
    }
    b.NewClass("CTalusimSlope", 1);
    const WORD slopeClass = next;
    next += 2;
    Entity(b, {"Slope", ID_ANY_GROUP, ID_ANY_CATEGORY, {0, 0, 0}, 1, 1});
    b.Word(2);
    Vertex(b, 0, 20);
    Vertex(b, 30, 0);
    b.Int(2);
    b.Word(2).Word(rock).Word(clay);                       // segment materials by reference
    b.Rgb(0, 0, 0);
    if (o.secondSlope) {
        b.Word(static_cast<WORD>(0x8000 | slopeClass));
        ++next;
        Entity(b, {"Slope", ID_ANY_GROUP, ID_ANY_CATEGORY, {0, 0, 0}, 1, 1});
        b.Word(2);
        Vertex(b, 0, 10);
        Vertex(b, 20, 0);
        b.Int(2);
        b.Word(2).Word(rock).Word(rock);
        b.Rgb(0, 0, 0);
    }
    WORD settingsClass = 0;
    for (int i = 0; i < o.settingsRecords; ++i) {
        if (i == 0) {
            b.NewClass("CTalusimExtraFileInfo", static_cast<WORD>(o.settingsSchema));
            settingsClass = next++;
        } else {
            b.Word(static_cast<WORD>(0x8000 | settingsClass));
        }
        ++next;
        Settings(b, o.settingsSchema, o.frictionMode, 1, o.engineVariant);
    }
    b.NewClass("C2DPoint", 2);
    next++;
    const WORD point = next++;
    Entity(b, {"", ID_ANY_GROUP, ID_ANY_CATEGORY, {0, 0, 0}, 0, 1});
    b.Double(Field("point", 12.5)).Double(-3.5).Int(5);
    if (o.pointTwice)
        b.Word(point);                                     // a reference to the point read above
    b.Int(o.snapMode).Int(0);                              // snap mode, reserved
    b.Double(-10).Double(40).Double(Field("database extent", 50)).Double(-5);  // world extents
    b.Int(6002).Int(3);                                    // default context menu
    b.Word(1).Double(3).Double(Field("end point", 4));    // end points
    if (o.materials && o.materialSchema < 5) {
        b.Word(1);
        for (int i = 0; i < 48; ++i)
            b.Byte(0xAB);
    } else {
        b.Word(1).Byte(0);
        for (int i = 0; i < 7; ++i)
            b.Byte(0xCC);                                  // padding without meaning
        b.Double(Field("maximum height", 1.5));
        for (int i = 2; i <= 8; ++i)
            b.Double(Field(i == 3 ? "location" : "", i * 1.5));
    }
    b.Int(o.seederProbability).Double(Field("minimum velocity", 0.25)).Int(o.rocks).Int(17);
    g_badField.clear();
    return b.data;
}

std::vector<CTalusimSlopeType*> Materials(CTalusimDoc& doc)
{
    return EntitiesOf<CTalusimSlopeType>(doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
}

std::string WriteBytes(const std::string& name, const std::vector<BYTE>& bytes)
{
    return WriteTextFile(name, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

TEST(LegacyReaderTest, EveryFieldOfADocumentArchiveIsRead)
{
    RegisterModelClasses();
    CTalusimDoc doc;
    int cause = 0;
    ASSERT_TRUE(LoadWith(LegacyDocument(), [&](CArchive& ar) { doc.Serialize(ar); }, &cause)) << cause;
    CREGDatabase& db = *doc.GetDatabase();
    // The grid, with a spacing that could never be drawn kept in range.
    EXPECT_EQ(db.GetGridColour(), RGB(1, 2, 3));
    EXPECT_EQ(db.GetGrid().GetSpacingX(), 0.001);
    EXPECT_EQ(db.GetGrid().GetSpacingY(), 2.5);
    EXPECT_EQ(db.GetGridStyle(), GRID_DOTS);
    EXPECT_TRUE(db.GetGrid().IsVisible());
    EXPECT_EQ(db.GetSnapMode(), 30);

    auto materials = Materials(doc);
    ASSERT_EQ(materials.size(), 2u);
    CTalusimSlopeType* rock = materials[0];
    EXPECT_EQ(rock->GetName(), "Rock [default]");
    EXPECT_EQ(rock->GetGroupId(), 2117);
    EXPECT_EQ(rock->GetColour(), RGB(9, 9, 9));
    EXPECT_EQ(rock->GetRnMean(), 0.5);
    EXPECT_EQ(rock->GetRnStdDev(), 0.01);
    EXPECT_EQ(rock->GetRtMean(), 0.9);
    EXPECT_EQ(rock->GetRtStdDev(), 0.02);
    EXPECT_EQ(rock->GetFrictionAngleMean(), 31);
    EXPECT_EQ(rock->GetFrictionAngleStdDev(), 3);
    EXPECT_EQ(rock->GetRoughnessStdDev(), 0.75);
    EXPECT_TRUE(rock->HasDefaultValues());
    EXPECT_FALSE(rock->IsOldSchema());
    EXPECT_EQ(materials[1]->GetName(), "Clay");
    EXPECT_FALSE(materials[1]->HasDefaultValues());
    EXPECT_EQ(materials[1]->GetRoughnessStdDev(), 1.25);
    // The path colour and sample flag come from the built-in material only.
    EXPECT_EQ(doc.GetPathColour(), RGB(0, 0, 255));
    EXPECT_TRUE(doc.GetGenerateSlopeSamples());

    auto slopes = EntitiesOf<CTalusimSlope>(doc, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
    ASSERT_EQ(slopes.size(), 1u);
    ASSERT_EQ(slopes[0]->GetVertexCount(), 2);
    EXPECT_EQ(slopes[0]->GetVertex(1).x, 30);
    EXPECT_EQ(slopes[0]->GetVertex(0).y, 20);
    EXPECT_EQ(slopes[0]->GetSegmentMaterial(0), rock);
    EXPECT_EQ(slopes[0]->GetSegmentMaterial(1), materials[1]);
    auto points = EntitiesOf<C2DPoint>(doc, ID_ANY_CATEGORY, KIND_POINT, ID_ANY_GROUP);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_FALSE(points[0]->IsVisible());

    // The settings record went into the document and is gone.
    EXPECT_TRUE(EntitiesOf<CEntity>(doc, ID_ANY_CATEGORY, 2601, ID_ANY_GROUP).empty());
    EXPECT_EQ(db.GetEntityCount(), 4);
    EXPECT_FALSE(doc.IsMetric());
    EXPECT_EQ(doc.GetFrictionAngleMode(), 2);
    EXPECT_FALSE(doc.m_bLegacyFlag);
    EXPECT_FALSE(doc.GetConsiderAngularVelocity());
    EXPECT_EQ(doc.m_nEngineVariant, 2403);
    double k = 0, c = 0;
    EXPECT_TRUE(doc.GetScaleRnByVelocity(k));
    EXPECT_TRUE(doc.GetScaleRnByMass(c));
    EXPECT_EQ(k, 5.5);
    EXPECT_EQ(c, 250);
    ASSERT_EQ(doc.GetLastDistributionIndex(), 0);
    CDistributionSamples* samples = doc.GetDistribution(0);
    ASSERT_NE(samples, nullptr);
    ASSERT_EQ(samples->GetCount(2901), 2);
    // Arrays in the file: heights, angular velocities, velocities,
    // rotational energies, translational energies.
    EXPECT_EQ(samples->GetValue(1, 2901), 2);
    EXPECT_EQ(samples->GetValue(0, 2906), 11);
    EXPECT_EQ(samples->GetValue(1, 2905), 22);
    EXPECT_EQ(samples->GetValue(0, 2904), 31);
    EXPECT_EQ(samples->GetValue(1, 2903), 42);
    EXPECT_EQ(samples->GetRockPath(0), nullptr);

    ASSERT_EQ(doc.GetEndPointCount(), 1);
    EXPECT_EQ(doc.GetEndPoint(0).x, 3);
    EXPECT_EQ(doc.GetEndPoint(0).y, 4);
    ASSERT_EQ(doc.GetEnvelopeCount(), 1);
    const CLocationEnvelope& e = doc.GetLocationMaxima(0);
    EXPECT_EQ(e.GetEmptyFlag(), 0);
    EXPECT_EQ(e.GetMaxHeight(), 1.5);
    EXPECT_EQ(e.GetSlopeHeight(), 3.0);
    EXPECT_EQ(e.GetLocation(), 4.5);
    EXPECT_EQ(e.GetMaxVelocity(), 6.0);
    EXPECT_EQ(e.GetMaxAngularVelocity(), 7.5);
    EXPECT_EQ(e.GetMaxTranslationalEnergy(), 9.0);
    EXPECT_EQ(e.GetMaxRotationalEnergy(), 10.5);
    EXPECT_EQ(e.GetMaxTotalEnergy(), 12.0);
    EXPECT_EQ(doc.GetSeederProbability(), 2150);
    EXPECT_EQ(doc.GetMinimumVelocity(), 0.25);
    EXPECT_EQ(doc.GetRockCount(), 123);
    EXPECT_EQ(doc.GetLocationCount(), 17);
}

TEST(LegacyReaderTest, OlderLayoutsTwoSettingsRecordsAndNoMaterials)
{
    RegisterModelClasses();
    {
        SCOPED_TRACE("materials and settings of older schemas");
        ArchiveOptions o;
        o.materialSchema = 2;
        o.settingsSchema = 3;
        CTalusimDoc doc;
        ASSERT_TRUE(LoadWith(LegacyDocument(o), [&](CArchive& ar) { doc.Serialize(ar); }));
        ASSERT_EQ(Materials(doc).size(), 2u);
        EXPECT_TRUE(Materials(doc)[0]->IsOldSchema());
        EXPECT_EQ(Materials(doc)[0]->GetRoughnessStdDev(), 0.0);
        // The old maxima are read past and the results of such a file dropped.
        EXPECT_EQ(doc.GetEnvelopeCount(), 0);
        EXPECT_EQ(doc.GetEndPointCount(), 0);
        EXPECT_EQ(doc.GetLastDistributionIndex(), -1);
        EXPECT_EQ(doc.GetFrictionAngleMode(), 2);
        // The path colour field did not exist yet: the constructor's red stays.
        EXPECT_EQ(doc.GetPathColour(), RGB(255, 0, 0));
    }
    {
        SCOPED_TRACE("two settings records, no material");
        ArchiveOptions o;
        o.materials = false;
        o.settingsRecords = 2;
        CTalusimDoc doc;
        ASSERT_TRUE(LoadWith(LegacyDocument(o), [&](CArchive& ar) { doc.Serialize(ar); }));
        EXPECT_TRUE(EntitiesOf<CEntity>(doc, ID_ANY_CATEGORY, 2601, ID_ANY_GROUP).empty());
        EXPECT_TRUE(doc.IsMetric());
        EXPECT_EQ(doc.GetFrictionAngleMode(), 0);
        EXPECT_EQ(doc.GetLastDistributionIndex(), -1);
        EXPECT_EQ(doc.GetEnvelopeCount(), 1);
        EXPECT_EQ(doc.GetPathColour(), RGB(255, 0, 0));
    }
}

TEST(LegacyReaderTest, OpeningALegacyFileKeepsTheModelAndSettingsAndDropsResults)
{
    const std::string path = WriteBytes("legacy.cla", LegacyDocument());
    CTalusimDoc doc;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    ASSERT_NE(doc.GetSlope(), nullptr);
    EXPECT_EQ(doc.GetSlope()->GetVertexCount(), 2);
    ASSERT_NE(doc.GetReferencePoint(), nullptr);
    EXPECT_NE(doc.GetMarkerLine(), nullptr);
    EXPECT_EQ(doc.GetEndPointCount(), 0);
    EXPECT_EQ(doc.GetEnvelopeCount(), 0);
    EXPECT_EQ(doc.GetLastDistributionIndex(), -1);
    EXPECT_FALSE(doc.IsMetric());
    EXPECT_EQ(doc.GetRockCount(), 123);
    EXPECT_EQ(doc.GetPathColour(), RGB(0, 0, 255));
    EXPECT_FALSE(doc.IsModified());
    // Saved, it becomes a text document that opens again.
    const std::string saved = TestFolder() + "legacy-saved.cla";
    ASSERT_TRUE(doc.OnSaveDocument(saved.c_str()));
    CTalusimDoc again;
    ASSERT_TRUE(again.OnOpenDocument(saved.c_str()));
    EXPECT_EQ(again.GetSlope()->GetVertexCount(), 2);
    EXPECT_FALSE(again.IsMetric());
    // The drawing settings and the sampling flag the archive carried stay.
    EXPECT_EQ(again.GetPathColour(), RGB(0, 0, 255));
    EXPECT_TRUE(doc.GetGenerateSlopeSamples());
    EXPECT_TRUE(again.GetGenerateSlopeSamples());
    EXPECT_TRUE(again.GetSlope()->GetSampleSlopeFlag());
    const CREGDatabase& db = *again.GetDatabase();
    EXPECT_EQ(db.GetSnapMode(), 30);
    EXPECT_EQ(db.GetGridColour(), RGB(1, 2, 3));
    EXPECT_EQ(db.GetGridSpacing().x, 0.001);
    EXPECT_EQ(db.GetGridSpacing().y, 2.5);
    EXPECT_EQ(db.GetGridState(), GRID_SHOW);
    // Both draw the grid under the rulers, marker line and tools.
    EXPECT_EQ(doc.GetDatabase()->GetGridDrawLevel(), 2200);
    EXPECT_EQ(db.GetGridDrawLevel(), 2200);
}

TEST(LegacyReaderTest, DamagedArchivesAreRefusedWithOneMessageAndNothingKept)
{
    const std::vector<BYTE> good = LegacyDocument();
    std::vector<std::pair<std::string, std::vector<BYTE>>> cases;
    // Cut anywhere.
    for (std::size_t cut : {std::size_t(1), std::size_t(20), std::size_t(40), good.size() / 3, good.size() / 2,
                            good.size() - 40, good.size() - 1})
        cases.emplace_back("cut at " + std::to_string(cut), std::vector<BYTE>(good.begin(), good.begin() + cut));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s(good.begin(), good.end());
        s.replace(s.find(from), from.size(), to);
        return std::vector<BYTE>(s.begin(), s.end());
    };
    cases.emplace_back("unknown class", replaced("CTalusimSlope\x01", "CTalusimSlopX\x01"));
    {
        // A path segment (schema 1) where the point should be: no entity.
        std::string s(good.begin(), good.end());
        const std::string from = std::string("\x02\x00\x08\x00", 4) + "C2DPoint";
        const std::string to = std::string("\x01\x00\x13\x00", 4) + "CTalusimPathSegment";
        s.replace(s.find(from), from.size(), to);
        cases.emplace_back("not an entity", std::vector<BYTE>(s.begin(), s.end()));
    }
    {
        // The slope's class with a schema it never had.
        std::string s(good.begin(), good.end());
        const std::string from = std::string("\x01\x00\x0D\x00", 4) + "CTalusimSlope";
        s.replace(s.find(from), 2, std::string("\x02\x00", 2));
        cases.emplace_back("wrong schema", std::vector<BYTE>(s.begin(), s.end()));
    }
    {
        // An entity count far beyond the file.
        std::vector<BYTE> b(good);
        const std::size_t at = 3 + 8 + 8 + 4 + 1;
        b[at] = 0xFF;
        b[at + 1] = 0xFF;
        const BYTE huge[4] = {0xFF, 0xFF, 0xFF, 0x7F};
        b.insert(b.begin() + static_cast<long>(at + 2), huge, huge + 4);
        cases.emplace_back("huge entity count", b);
    }
    {
        ArchiveOptions o;
        o.pointTwice = true;
        cases.emplace_back("one entity named twice", LegacyDocument(o));
    }
    // Every real number of the file must be one: a value that is not a
    // number or infinite refuses the file, wherever it stands.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const char* field : {"grid", "entity extent", "material value", "roughness", "vertex", "vertex normal", "K",
                              "sample", "point", "database extent", "end point", "location", "minimum velocity"}) {
        for (double bad : {nan, -inf}) {
            ArchiveOptions o;
            o.badField = field;
            o.badValue = bad;
            cases.emplace_back(std::string(field) + (bad != bad ? " nan" : " -inf"), LegacyDocument(o));
        }
    }
    {
        // A sample-record count that the bytes left cannot hold.
        Bytes normal;
        Settings(normal, 4);
        std::vector<BYTE> b = LegacyDocument();
        auto it = std::search(b.begin(), b.end(), normal.data.begin(), normal.data.end());
        ASSERT_NE(it, b.end());
        Bytes head;
        Entity(head, {"", ID_ANY_GROUP, 2206, {0, 0, 0}, 0, 0});
        const std::size_t countAt = static_cast<std::size_t>(it - b.begin()) + head.data.size() + 4 + 4 + 8 + 2 + 8;
        const int huge = 100000000;
        std::memcpy(&b[countAt], &huge, 4);
        cases.emplace_back("huge sample count", b);
    }
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        const std::string path = WriteBytes("damaged.cla", bytes);
        CTalusimDoc doc;
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc.OnOpenDocument(path.c_str()));
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_TRUE(boxes.messages[0] == "Unexpected file format." || boxes.messages[0] == "Failed to open document.")
            << boxes.messages[0];
        EXPECT_EQ(doc.GetDatabase()->GetEntityCount(), 0);
        EXPECT_EQ(doc.GetSlope(), nullptr);
        EXPECT_EQ(doc.GetEndPointCount(), 0);
        EXPECT_EQ(doc.GetEnvelopeCount(), 0);
    }
}

TEST(LegacyReaderTest, AnArchiveOfTwoSlopesIsRefusedWithWhy)
{
    // A document keeps one slope and its file one SLOPE section: opened, it
    // would be saved with neither slope and the saved file never open again.
    ArchiveOptions o;
    o.secondSlope = true;
    const std::string path = WriteBytes("two-slopes.cla", LegacyDocument(o));
    CTalusimDoc doc;
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.OnOpenDocument(path.c_str()));
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "Unable to load file\n" + path + "\nThe file holds 2 slopes; a document has only one.");
    EXPECT_EQ(doc.GetDatabase()->GetEntityCount(), 0);
    EXPECT_EQ(doc.GetSlope(), nullptr);
}

TEST(LegacyReaderTest, SettingsOfUnknownCodesKeepTheirDefaultsAndTheFileOpens)
{
    ArchiveOptions o;
    o.frictionMode = 7;
    o.engineVariant = 2499;
    o.seederProbability = 2151;
    o.rocks = -5;
    o.snapMode = 45;
    o.gridStyle = 11;
    const std::string path = WriteBytes("unknown-codes.cla", LegacyDocument(o));
    CTalusimDoc doc;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    CTalusimDoc fresh;
    EXPECT_EQ(doc.GetFrictionAngleMode(), fresh.GetFrictionAngleMode());
    EXPECT_EQ(doc.m_nEngineVariant, fresh.m_nEngineVariant);
    EXPECT_EQ(doc.GetSeederProbability(), fresh.GetSeederProbability());
    EXPECT_EQ(doc.GetRockCount(), fresh.GetRockCount());
    EXPECT_EQ(doc.GetDatabase()->GetSnapMode(), fresh.GetDatabase()->GetSnapMode());
    EXPECT_EQ(doc.GetDatabase()->GetGridStyle(), fresh.GetDatabase()->GetGridStyle());
    // The settings it knows are taken all the same.
    EXPECT_FALSE(doc.IsMetric());
    EXPECT_EQ(doc.GetLocationCount(), 17);
    EXPECT_EQ(doc.GetMinimumVelocity(), 0.25);
    ASSERT_NE(doc.GetSlope(), nullptr);
    EXPECT_EQ(doc.GetSlope()->GetVertexCount(), 2);
}

TEST(LegacyReaderTest, AMaximumHeightThatIsNoNumberReadsAsNoRockPassed)
{
    RegisterModelClasses();
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(), -1e305}) {
        ArchiveOptions o;
        o.badField = "maximum height";
        o.badValue = bad;
        CTalusimDoc doc;
        ASSERT_TRUE(LoadWith(LegacyDocument(o), [&](CArchive& ar) { doc.Serialize(ar); })) << bad;
        ASSERT_EQ(doc.GetEnvelopeCount(), 1);
        EXPECT_EQ(doc.GetLocationMaxima(0).GetMaxHeight(), -DBL_MAX);
        EXPECT_EQ(doc.GetLocationMaxima(0).GetLocation(), 4.5);
    }
}

// The slope names its materials by reference. A material read first inside
// the slope and then named by the entity array is one entity; an array that
// names one entity twice is a damaged file.
TEST(LegacyReaderTest, TheEntityArrayHoldsEachEntityOnce)
{
    RegisterModelClasses();
    const MaterialPart clay{{"Clay"}, {0.25, 0.05, 0.6, 0.06, 22, 4}, false, {0, 255, 0}, 0, 1.25};
    auto database = [](const std::function<void(Bytes&)>& entities, WORD count) {
        Bytes b;
        b.Rgb(0, 0, 0).Double(1).Double(1).Int(GRID_DOTS).Byte(0);
        b.Word(count);
        entities(b);
        b.Int(29).Int(77).Double(0).Double(20).Double(20).Double(0).Int(0).Int(-1);
        return b.data;
    };
    {
        SCOPED_TRACE("material inside the slope, then in the array");
        const auto bytes = database(
            [&](Bytes& b) {
                b.NewClass("CTalusimSlope", 1);                 // class 1, slope 2
                Entity(b, {"Slope"});
                b.Word(2);
                Vertex(b, 0, 20);
                Vertex(b, 30, 0);
                b.Int(2);
                b.Word(1).NewClass("CTalusimSlopeType", 5);     // class 3, material 4
                Material(b, clay, 5);
                b.Rgb(0, 0, 0);
                b.Word(4);                                      // the material again
            },
            2);
        CREGDatabase db;
        int cause = 0;
        ASSERT_TRUE(LoadWith(bytes, [&](CArchive& ar) { db.Serialize(ar); }, &cause)) << cause;
        ASSERT_EQ(db.GetEntityCount(), 2);
        auto* slope = dynamic_cast<CTalusimSlope*>(db.GetEntityAt(0));
        ASSERT_NE(slope, nullptr);
        EXPECT_EQ(slope->GetSegmentMaterial(0), db.GetEntityAt(1));
    }
    {
        SCOPED_TRACE("one material named twice");
        const auto bytes = database(
            [&](Bytes& b) {
                b.NewClass("CTalusimSlopeType", 5);             // class 1, material 2
                Material(b, clay, 5);
                b.Word(2);
            },
            2);
        CREGDatabase db;
        int cause = 0;
        EXPECT_FALSE(LoadWith(bytes, [&](CArchive& ar) { db.Serialize(ar); }, &cause));
        EXPECT_EQ(cause, CArchiveException::badIndex);
        // Held once, and so destroyed once with the database.
        EXPECT_EQ(db.GetEntityCount(), 1);
    }
}

// Objects that the fixture above does not hold, each stored with a marker
// value in one field: that field made not-a-number refuses the object.
TEST(LegacyReaderTest, StoredObjectsRefuseANumberThatIsNone)
{
    RegisterModelClasses();
    constexpr double kMarker = 123.25;
    struct Case {
        const char* what;
        std::function<CObject*()> make;
    };
    const Case cases[] = {
        {"line end point", [] { auto* l = new CLine; l->SetPoints(1, 2, kMarker, 4); return l; }},
        {"circle radius", [] { auto* c = new CCircle; c->SetRadius(kMarker); return c; }},
        {"polyline vertex deviation", [] {
             auto* p = new CPolyLine;
             p->AddPoint(0, 0);
             CPolyVertex v(10, 5);
             v.auxA = kMarker;
             p->AddVertex(v);
             return p;
         }},
        {"seeder mass", [] { auto* r = new CTalusimRaker; r->AddPoint(1, 2); r->SetMass(kMarker, 1); return r; }},
        {"barrier capacity", [] { auto* b = new CTalusimBarrier; b->SetCapacity(kMarker); return b; }},
        {"flight time", [] { auto* s = new CTalusimPathSegment; s->SetFlight(0, 5, 2, 0, 1, 1, kMarker, 9.81); return s; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CObject> object(c.make());
        const std::vector<BYTE> good = model_test::StoreObject(object.get());
        std::unique_ptr<CObject> back(model_test::LoadObject<CObject>(good));
        ASSERT_NE(back, nullptr);
        for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
            std::vector<BYTE> damaged = good;
            BYTE marker[8];
            std::memcpy(marker, &kMarker, 8);
            // The field itself is the marker's last place; extents come first.
            auto at = std::find_end(damaged.begin(), damaged.end(), marker, marker + 8);
            ASSERT_NE(at, damaged.end());
            std::memcpy(&*at, &bad, 8);
            int cause = 0;
            EXPECT_EQ(model_test::LoadObject<CObject>(damaged, &cause), nullptr);
            EXPECT_EQ(cause, CArchiveException::generic);
        }
    }
}

TEST(LegacyReaderTest, DrawingToolsAndMismatchedResultsAreDropped)
{
    auto doc = NewDocument();
    auto* tool = new CLine;
    tool->SetKindId(2181);
    doc->GetDatabase()->AddEntity(tool, false);
    const int before = doc->GetDatabase()->GetEntityCount();
    doc->DeleteDrawingTools();
    EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), before - 1);
    EXPECT_TRUE(EntitiesOf<CEntity>(*doc, ID_ANY_CATEGORY, 2181, ID_ANY_GROUP).empty());

    doc->m_locationMaxima.SetSize(2);
    doc->m_distributions.SetSize(2);
    doc->CheckResultArrays();
    EXPECT_EQ(doc->GetEnvelopeCount(), 2);
    doc->m_distributions.SetSize(1);
    doc->CheckResultArrays();
    EXPECT_EQ(doc->GetEnvelopeCount(), 0);
    EXPECT_EQ(doc->GetLastDistributionIndex(), -1);
}

