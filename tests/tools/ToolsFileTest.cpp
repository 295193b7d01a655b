// The drawing-tools file: hand-written fixtures of every version read, the
// version-7 writer's exact text, round trips, and damaged files refused with
// the file's messages while the tools read before stay.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Wnd.h"
#include "geometry/REGDatabase.h"
#include "tools/ToolArrow.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"
#include "tools/ToolTextBox.h"
#include "tools/ToolsFile.h"
#include "tests/framework/WindowTestSupport.h"

namespace {

std::string Fixture(const char* name) { return std::string(CLASTOR_TEST_DATA) + "/tools/" + name; }

void Configure(CToolsFile& file, bool metric = true)
{
    file.SetFilter("Clastor Tools File(*.clt)|*.clt|All Files (*.*)|*.*||");
    file.SetOption(metric);
    file.SetToolKindId(2181);
    file.SetRegistryBase("Software\\Brevantics\\Clastor\\EditTools\\");
}

std::vector<CMeasure*> Tools(CREGDatabase& db)
{
    std::vector<CMeasure*> out;
    for (int i = 0; i < db.GetEntityCount(); ++i)
        if (auto* t = dynamic_cast<CMeasure*>(db.GetEntityAt(i)))
            out.push_back(t);
    return out;
}

std::string WriteOf(CREGDatabase& db, CWnd* view)
{
    CToolsFile file;
    Configure(file);
    file.SetDatabase(&db);
    return file.Write(view);
}

bool ReadText(CREGDatabase& db, CWnd* view, const std::string& text)
{
    CToolsFile file;
    Configure(file);
    const std::string path = "tools-file-test.clt";
    if (!CToolsFile::WriteFileText(path.c_str(), text))
        return false;
    return file.LoadFromPath(view, &db, path.c_str());
}

void ExpectPoint(const CVector2D& p, double x, double y)
{
    EXPECT_DOUBLE_EQ(p.x, x);
    EXPECT_DOUBLE_EQ(p.y, y);
}

} // namespace

TEST(ToolsFile, EveryVersionIsReadWithTheDefaultsOfItsMissingGroups)
{
    for (int version = 1; version <= 7; ++version) {
        SCOPED_TRACE(version);
        MessageBoxRecorder messages;
        CREGDatabase db;
        CWnd view;
        CToolsFile file;
        Configure(file, false);
        const std::string path = Fixture(("version" + std::to_string(version) + ".clt").c_str());
        ASSERT_TRUE(file.LoadFromPath(&view, &db, path.c_str()));
        EXPECT_TRUE(messages.texts.empty());
        const std::vector<CMeasure*> tools = Tools(db);
        ASSERT_EQ(tools.size(), 3u);
        for (CMeasure* t : tools) {
            EXPECT_EQ(t->GetGroupId(), ToolGroupOf(&view));
            EXPECT_FALSE(t->GetDocumentOption());
            EXPECT_STREQ(t->GetRegistryBase(), "Software\\Brevantics\\Clastor\\EditTools\\");
            EXPECT_EQ(t->GetMoveLocked(), version >= 3);
            EXPECT_EQ(t->GetPenLineStyle(), version >= 7 ? PS_DOT : PS_SOLID);
            EXPECT_EQ(t->GetColorOfText(), version >= 7 ? RGB(10, 20, 30) : 0u);
            EXPECT_TRUE(t->GetTextOutline());
            EXPECT_TRUE(t->GetImageFileName().IsEmpty()) << "the sentinel reads back as no file";
            EXPECT_TRUE(t->GetImagePathName().IsEmpty());
        }

        auto* box = dynamic_cast<CToolRectangle*>(tools[0]);
        ASSERT_NE(box, nullptr);
        ExpectPoint(box->GetStartPoint(), 1, 2);
        ExpectPoint(box->GetEndPoint(), 5, 7);
        EXPECT_TRUE(box->GetIsFilled());
        EXPECT_FALSE(box->GetIsHatchedInterior());
        EXPECT_EQ(box->GetHatchStyleIndex(), 4);
        EXPECT_EQ(box->GetLineWeight(), 3);
        EXPECT_EQ(box->GetFillColor(), RGB(0, 255, 0));
        EXPECT_EQ(box->GetColour(), RGB(255, 0, 128));
        EXPECT_TRUE(box->GetIsExteriorLine()) << "outlines of older files stay drawn";

        auto* polygon = dynamic_cast<CToolPolyGon*>(tools[1]);
        ASSERT_NE(polygon, nullptr);
        ASSERT_EQ(polygon->GetVertexCount(), version >= 4 ? 4 : 2);
        if (version >= 4) {
            ExpectPoint(polygon->GetVertexPoint(2), 6, 1);
            ExpectPoint(polygon->GetVertexPoint(3), 4.5, -2);
        }
        EXPECT_TRUE(polygon->GetIsHatchedInterior());
        EXPECT_EQ(polygon->GetFillColor(), 0xFF0000u) << "a polygon keeps its own fill colour";

        auto* arrow = dynamic_cast<CToolArrow*>(tools[2]);
        ASSERT_NE(arrow, nullptr);
        ExpectPoint(arrow->GetStartPoint(), -1.5, 2);
        ExpectPoint(arrow->GetEndPoint(), 8, 9);
        EXPECT_TRUE(arrow->GetArrowAtHead());
        EXPECT_TRUE(arrow->GetArrowAtTail());
        EXPECT_STREQ(arrow->GetText(), "first line\r\n\r\n*third");
        EXPECT_EQ(arrow->GetDimTextFlag(), version >= 6 ? 12232 : 0);
        int size = 0;
        LOGFONTA font{};
        arrow->GetFont(size, font);
        EXPECT_EQ(size, 14);
        EXPECT_EQ(font.lfWeight, 700);
        EXPECT_TRUE(font.lfItalic);
        EXPECT_STREQ(font.lfFaceName, "Courier New");
    }
}

TEST(ToolsFile, WriterTextIsExact)
{
    CREGDatabase db;
    CWnd view, other;
    auto* line = new CToolLine;
    line->SetStartPoint(CVector2D(512345.67, 0.1 + 0.2));
    line->SetEndPoint(CVector2D(-3, 4.5));
    line->SetArrowAtTail(true);
    line->SetText("one\r\n\r\n*three");
    line->SetOwnerView(&view);
    db.AddEntity(line, false);
    auto* elsewhere = new CToolArrow;   // another view's drawing is not written
    elsewhere->SetOwnerView(&other);
    db.AddEntity(elsewhere, false);
    db.AddEntity(new CToolMeasure, false);   // nor the document's marker of no view

    const std::string text = WriteOf(db, &view);
    const std::string expected =
        "*****************TOOLS FILE*****************\n"
        "* All lines beginning with an * are treated as comments\n"
        "* File Version\n7\n* Number of Entities\n1\n*\n"
        "*START ENTITY\nLine\n"
        "* pen_line_style\n0\n* text_outline\n1\n* text_color\n0 0 0\n"
        "* rotation_degrees_ccw\n0\n* dim_text_flag\n12231\n* is_dimension_units\n0\n* is_exterior_line\n1\n"
        "* convert_to_inches\n0\n* swap_arrows\n0\n* num_decimal_places\n1\n* is_behind_text_line\n0\n"
        "* is_extension_line\n0\n* is_dimension_primary_line\n0\n* dimension_style\n12101\n"
        "* current_num_vertices\n2\n"
        "* image_behind_geometry\n0\n*file_name\nNO_FILE_LOADED\n*path_name\nNO_PATH_LOADED\n"
        "* fill_color\n255 255 255\n* image_scale_style\n12201\n* move_locked\n0\n* transparent\n0\n"
        "* alpha\n0\n* alpha_percent\n20\n"
        "* x_axis_spacing\n1\n* y_axis_spacing\n1\n* is_axis_spacing\n0\n"
        "* arc_begin\n0\n* arc_end\n360\n* is_arc\n0\n* is_circle\n0\n* arrow_at_head\n0\n* arrow_at_tail\n1\n"
        "* axis_left\n0\n* axis_right\n0\n* axis_top\n0\n* axis_bottom\n0\n* axis_global_coords\n1\n"
        "* is_hatched_interior\n0\n* hatch_style_index\n2\n* is_filled\n0\n* line_weight\n1\n"
        "* fill_color\n0 0 255\n* entity_color\n0 0 128\n"
        "* start\n512345.67 0.30000000000000004\n* end\n-3 4.5\n"
        "* font_size\n12\n* font_weight\n400\n* font_italic\n0\n* font_name\nArial\n"
        "*number of lines in entity_text\n3\none\n\n*three\n"
        "*END ENTITY\n*\n*END FILE";
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(line->GetImageFileName().IsEmpty()) << "writing leaves the tool's names alone";
    EXPECT_TRUE(line->IsInSet(SET_WORK));
    EXPECT_FALSE(elsewhere->IsInSet(SET_WORK));
}

TEST(ToolsFile, WrittenFileReadsBackIdentical)
{
    MessageBoxRecorder messages;
    CREGDatabase first;
    CWnd view;
    CToolsFile file;
    Configure(file);
    ASSERT_TRUE(file.LoadFromPath(&view, &first, Fixture("version7.clt").c_str()));
    auto* extra = new CToolCircle;
    extra->SetStartPoint(CVector2D(1.0 / 3.0, -2e-9));
    extra->SetEndPoint(CVector2D(123456789.123, 7));
    extra->SetIsArc(true);
    extra->SetArcAngles(12.5, 300);
    extra->SetOwnerView(&view);
    first.AddEntity(extra, false);
    const std::string written = WriteOf(first, &view);

    CREGDatabase second;
    ASSERT_TRUE(ReadText(second, &view, written));
    EXPECT_EQ(WriteOf(second, &view), written);
    const std::vector<CMeasure*> tools = Tools(second);
    ASSERT_EQ(tools.size(), 4u);
    ExpectPoint(tools[3]->GetStartPoint(), 1.0 / 3.0, -2e-9);
    ExpectPoint(tools[3]->GetEndPoint(), 123456789.123, 7);
    EXPECT_TRUE(messages.texts.empty());
}

TEST(ToolsFile, DamagedFilesAreRefusedWithTheirMessage)
{
    struct Case {
        const char* file;
        const char* message;
        size_t toolsKept;
    } cases[] = {
        {"bad-version-8.clt", CToolsFile::kMessageVersion, 0},
        {"bad-version-0.clt", CToolsFile::kMessageVersion, 0},
        {"empty-line-before-version.clt", CToolsFile::kMessageVersion, 0},
        {"zero-count.clt", CToolsFile::kMessageVersion, 0},
        {"truncated-header.clt", CToolsFile::kMessageEnd, 0},
        {"registry-word.clt", CToolsFile::kMessageVersion, 1},
        {"cut-in-text.clt", CToolsFile::kMessageVersion, 1},
        {"cut-at-kind.clt", CToolsFile::kMessageEnd, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MessageBoxRecorder messages;
        CREGDatabase db;
        CWnd view;
        CToolsFile file;
        Configure(file);
        EXPECT_FALSE(file.LoadFromPath(&view, &db, Fixture(c.file).c_str()));
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0], c.message);
        EXPECT_EQ(Tools(db).size(), c.toolsKept);
    }
}

// A real that is not a finite number damages the block it stands in, wherever
// it stands: the tools before it stay, the block and the rest are not read.
TEST(ToolsFile, NonFiniteNumbersAreDamage)
{
    std::string good;
    ASSERT_TRUE(CToolsFile::ReadFileText(Fixture("version1.clt").c_str(), good));
    const size_t second = good.find("PolyGon");
    ASSERT_NE(second, std::string::npos);
    struct Case {
        const char* label;  // the value line after this label in the second block
        const char* value;
    } cases[] = {
        {"* start\n", "nan 0"},      {"* start\n", "-inf 0"},   {"* end\n", "6 inf"},
        {"* end\n", "6 1e999"},      {"* arc_begin\n", "nan"},  {"* arc_end\n", "1e999"},
        {"* arc_end\n", "-1e999"},   {"* arc_begin\n", "INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.label) + c.value);
        std::string text = good;
        const size_t label = text.find(c.label, second);
        ASSERT_NE(label, std::string::npos);
        const size_t value = label + strlen(c.label);
        text.replace(value, text.find('\n', value) - value, c.value);
        MessageBoxRecorder messages;
        CREGDatabase db;
        CWnd view;
        EXPECT_FALSE(ReadText(db, &view, text));
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0], CToolsFile::kMessageVersion);
        ASSERT_EQ(Tools(db).size(), 1u);
        EXPECT_EQ(Tools(db)[0]->GetType(), 12053);
    }
}

TEST(ToolsFile, APictureThatCannotBeLoadedIsLeftOut)
{
    MessageBoxRecorder messages;
    CREGDatabase db;
    CWnd view;
    CToolsFile file;
    Configure(file);
    EXPECT_TRUE(file.LoadFromPath(&view, &db, Fixture("picture-not-found.clt").c_str()));
    const std::vector<CMeasure*> tools = Tools(db);
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0]->GetType(), 12055);
    EXPECT_EQ(tools[1]->GetType(), 12054);
    // The picture block names no file: it is reported and the tools after it still come.
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0].rfind("Unable to load image file: ", 0), 0u);
}

TEST(ToolsFile, FilesThatCannotBeOpenedOrWritten)
{
    MessageBoxRecorder messages;
    CREGDatabase db;
    CWnd view;
    CToolsFile file;
    Configure(file);
    // The companion file of a document need not exist: nothing is said.
    EXPECT_FALSE(file.LoadFromPath(&view, &db, "no-such-folder\\missing.clt"));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FALSE(CToolsFile::WriteFileText("no-such-folder\\tools.clt", "*END FILE"));
    // A file that is written replaces the old one as a whole.
    ASSERT_TRUE(CToolsFile::WriteFileText("replaced.clt", "old"));
    ASSERT_TRUE(CToolsFile::WriteFileText("replaced.clt", "new text"));
    std::string text;
    ASSERT_TRUE(CToolsFile::ReadFileText("replaced.clt", text));
    EXPECT_EQ(text, "new text");
    // A file chosen where none can be written is reported.
    auto* drawn = new CToolLine;
    drawn->SetOwnerView(&view);
    db.AddEntity(drawn, false);
    AfxSetCommonDialogHook([](CCommonDialog* dialog) -> INT_PTR {
        static_cast<CFileDialog*>(dialog)->SetPathName("no-such-folder\\tools.clt");
        return IDOK;
    });
    EXPECT_FALSE(file.SaveOrLoad(&view, &db, true));
    AfxSetCommonDialogHook(nullptr);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Unable to write the tools file\nno-such-folder\\tools.clt");
    // An unconfigured file does nothing at all.
    CToolsFile bare;
    EXPECT_FALSE(bare.LoadFromPath(&view, &db, Fixture("version7.clt").c_str()));
    EXPECT_FALSE(bare.SaveOrLoad(&view, &db, true));
    EXPECT_EQ(Tools(db).size(), 1u);
}

TEST(ToolsFile, AFontSizeOutOfRangeKeepsTheToolsOwn)
{
    MessageBoxRecorder messages;
    CREGDatabase db;
    CWnd view;
    auto* box = new CToolTextBox;
    box->SetText("Crest");
    box->SetOwnerView(&view);
    db.AddEntity(box, false);
    int own = 0;
    LOGFONTA font{};
    CToolTextBox().GetFont(own, font);
    const std::string written = WriteOf(db, &view);
    const std::string label = "* font_size\n";
    const size_t value = written.find(label) + label.size();
    const size_t end = written.find('\n', value);
    ASSERT_NE(end, std::string::npos);

    // 0 would draw the text at no size, a huge size larger than any page (or
    // past the int the font's height is held in).
    const struct { const char* size; int expected; } cases[] = {
        {"0", own}, {"-12", own}, {"1001", own}, {"100000", own}, {"99999999999", own},
        {"1", 1}, {"14", 14}, {"1000", 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        std::string text = written;
        text.replace(value, end - value, c.size);
        CREGDatabase back;
        ASSERT_TRUE(ReadText(back, &view, text));
        const std::vector<CMeasure*> tools = Tools(back);
        ASSERT_EQ(tools.size(), 1u);
        int size = 0;
        tools[0]->GetFont(size, font);
        EXPECT_EQ(size, c.expected);
        EXPECT_NE(font.lfHeight, 0);
        EXPECT_LE(std::abs(font.lfHeight), 1000 * 96 / 72 + 1);
    }
    EXPECT_TRUE(messages.texts.empty());
}
