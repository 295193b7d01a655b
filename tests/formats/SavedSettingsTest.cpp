// Settings the user makes through the document's commands come back when the
// document is saved and opened again: the slope's sampling flag, the colours
// of rock paths, the snap mode and every grid setting; and the grid is drawn
// under the marker line in new and opened documents alike. A document that
// keeps every default is written as before, and a damaged settings section is
// refused like any other.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <cstring>
#include <functional>
#include "formats/DocumentTextFile.h"
#include "tests/model/DrawingSupport.h"
#include "model/SlopeViewServices.h"

namespace {

const char kInvalid[] = "Unable to read file\n(invalid section header)";
const COLORREF kGridGreen = RGB(0, 160, 0);

// The dialogs, answered with OK and the values a user would enter.
struct UserAnswers : CSlopeViewServices {
    bool generateSamples = false;
    int snapMode = SNAP_NONE;
    CGridSettingsData grid;
    COLORREF pathColour = RGB(255, 0, 0);
    COLORREF filteredPathColour = RGB(0, 255, 255);
    INT_PTR RunSlopeEditor(CSlopeEditorData& d) override
    {
        d.generateSamples = generateSamples;
        return IDOK;
    }
    INT_PTR RunSnapDialog(int& mode) override
    {
        mode = snapMode;
        return IDOK;
    }
    INT_PTR RunGridSettings(CGridSettingsData& d) override
    {
        d = grid;
        return IDOK;
    }
    INT_PTR RunDisplayOptions(CDisplayOptionsData& d) override
    {
        d.pathColour = pathColour;
        d.filteredPathColour = filteredPathColour;
        return IDOK;
    }
};

// The dialog values of a new document's grid, so that a row changes one.
CGridSettingsData NewDocumentGrid()
{
    CGridSettingsData g;
    g.colour = 0;
    g.style = GRID_DOTS;
    g.on = false;
    return g;
}

// Two straight rock paths across the view, at heights 12 and 8.
void AddRockPaths(CTalusimDoc& doc)
{
    for (double y : {12.0, 8.0}) {
        auto* path = new CTalusimRockPath;
        path->AddStraightSegment(2, y, 18, y, 0, 9.81);
        doc.GetDatabase()->AddEntity(path, false);
    }
}

std::unique_ptr<CTalusimDoc> SaveAndOpen(CTalusimDoc& doc, const std::string& path)
{
    if (!doc.OnSaveDocument(path.c_str()))
        return nullptr;
    auto back = std::make_unique<CTalusimDoc>();
    if (!back->OnOpenDocument(path.c_str()))
        return nullptr;
    return back;
}

// The pixel where the marker line's black edge crosses a grid line: black
// when the grid is drawn under the marker line, the grid's colour when over.
COLORREF MarkerOverGridLine(CTalusimDoc& doc)
{
    CREGDatabase& db = *doc.GetDatabase();
    db.SetGridState(GRID_SHOW);
    db.SetGridStyle(GRID_LINES);
    db.SetGridColour(kGridGreen);
    db.SetGridSpacing(1, 1);
    doc.ShowMarkerLine(CVector2D(5, 0), CVector2D(5, 20));
    CViewContext view;
    model_test::SetUpView(view);
    model_test::MemoryCanvas canvas;
    db.DrawEntities(&canvas.dc, &view, DRAW_METAFILE);
    const CPoint p = view.WorldToDevice(5, 10);
    return canvas.At(p.x + 2, p.y);
}

}  // namespace

TEST(SavedSettings, EachSettingComesBackAfterSaveAndOpen)
{
    const struct Row {
        const char* name;
        // Sets the answers and runs the command; empty for a row that checks
        // what every document has.
        std::function<void(CTalusimDoc&, UserAnswers&)> set;
        const char* section;  // the section the setting is written in
        std::function<void(CTalusimDoc&)> check;
    } rows[] = {
        {"slope sampling flag",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.generateSamples = true;
             d.OnSlopeEditor();
         },
         "[START SECTION] 01 SLOPE_SAMPLES",
         [](CTalusimDoc& d) {
             EXPECT_TRUE(d.GetGenerateSlopeSamples());
             EXPECT_TRUE(d.GetSlope()->GetSampleSlopeFlag());
         }},
        {"rock path colours, filtered and not",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.pathColour = RGB(20, 40, 200);
             a.filteredPathColour = RGB(250, 120, 0);
             d.OnDisplayOptions();
         },
         "[START SECTION] 01 GENERAL",
         [](CTalusimDoc& d) {
             auto paths = EntitiesOf<CTalusimRockPath>(d, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP);
             ASSERT_EQ(paths.size(), 2u);
             const int category = paths[1]->GetCategoryId();
             paths[1]->SetCategoryId(CTalusimRockPath::kCategorySelected);  // passes a filter
             CViewContext view;
             model_test::SetUpView(view);
             model_test::MemoryCanvas canvas;
             for (auto* p : paths)
                 p->Draw(&canvas.dc, &view);
             EXPECT_EQ(canvas.At(view.WorldToDevice(10, paths[0]->GetLastPoint().y)), RGB(20, 40, 200));
             EXPECT_EQ(canvas.At(view.WorldToDevice(10, paths[1]->GetLastPoint().y)), RGB(250, 120, 0));
             // DXF export takes the same colours.
             EXPECT_EQ(paths[0]->GetExportPartColour(0), RGB(20, 40, 200));
             EXPECT_EQ(paths[1]->GetExportPartColour(0), RGB(250, 120, 0));
             paths[1]->SetCategoryId(category);
         }},
        {"snap to the grid",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.snapMode = SNAP_GRID;
             d.OnSnap();
         },
         "[START SECTION] 01 SNAP_AND_GRID",
         [](CTalusimDoc& d) { EXPECT_EQ(d.GetDatabase()->GetSnapMode(), SNAP_GRID); }},
        {"snap to vertices",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.snapMode = SNAP_VERTEX;
             d.OnSnap();
         },
         "[START SECTION] 01 SNAP_AND_GRID",
         [](CTalusimDoc& d) { EXPECT_EQ(d.GetDatabase()->GetSnapMode(), SNAP_VERTEX); }},
        {"grid shown",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.grid.on = true;
             d.OnGridSettings();
         },
         "[START SECTION] 01 SNAP_AND_GRID",
         [](CTalusimDoc& d) { EXPECT_EQ(d.GetDatabase()->GetGridState(), GRID_SHOW); }},
        {"grid spacing",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.grid.spacingX = 0.1;
             a.grid.spacingY = 2500.0 / 3.0;
             d.OnGridSettings();
         },
         "[START SECTION] 01 SNAP_AND_GRID",
         [](CTalusimDoc& d) {
             EXPECT_EQ(d.GetDatabase()->GetGridSpacing().x, 0.1);
             EXPECT_EQ(d.GetDatabase()->GetGridSpacing().y, 2500.0 / 3.0);
             EXPECT_EQ(d.GetDatabase()->GetGridState(), GRID_HIDE);
         }},
        {"grid style",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.grid.style = GRID_CROSSES;
             d.OnGridSettings();
         },
         "[START SECTION] 01 SNAP_AND_GRID",
         [](CTalusimDoc& d) { EXPECT_EQ(d.GetDatabase()->GetGridStyle(), GRID_CROSSES); }},
        {"grid colour",
         [](CTalusimDoc& d, UserAnswers& a) {
             a.grid.colour = RGB(1, 128, 255);
             d.OnGridSettings();
         },
         "[START SECTION] 01 SNAP_AND_GRID",
         [](CTalusimDoc& d) { EXPECT_EQ(d.GetDatabase()->GetGridColour(), RGB(1, 128, 255)); }},
        {"grid under the marker line", nullptr, "[START SECTION] 01 GENERAL",
         [](CTalusimDoc& d) {
             EXPECT_EQ(d.GetDatabase()->GetGridDrawLevel(), 2200);
             EXPECT_EQ(MarkerOverGridLine(d), RGB(0, 0, 0));
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MessageBoxRecorder boxes;
        UserAnswers answers;
        answers.grid = NewDocumentGrid();
        InstallSlopeViewServices(&answers);
        auto doc = NewDocument();
        AddRockPaths(*doc);
        if (row.set) {
            row.set(*doc, answers);
            EXPECT_TRUE(doc->IsModified());
        }
        InstallSlopeViewServices(nullptr);
        const std::string path = TestFolder() + "settings.cla";
        auto back = SaveAndOpen(*doc, path);
        ASSERT_TRUE(back);
        const std::string text = ReadTextFile(path);
        EXPECT_NE(text.find(row.section), std::string::npos);
        EXPECT_FALSE(back->IsModified());
        // What was read is written again as it was.
        const std::string again = TestFolder() + "settings-again.cla";
        ASSERT_TRUE(back->OnSaveDocument(again.c_str()));
        EXPECT_EQ(ReadTextFile(again), text);
        row.check(*back);
        row.check(*doc);
        EXPECT_TRUE(boxes.messages.empty());
    }
}

// Only a setting that differs from a new document's adds a section: settings
// changed and then put back leave the file as a new document's.
TEST(SavedSettings, ADocumentThatKeepsTheDefaultsIsWrittenAsBefore)
{
    MessageBoxRecorder boxes;
    auto plain = NewDocument();
    const std::string plainPath = TestFolder() + "defaults.cla";
    ASSERT_TRUE(plain->OnSaveDocument(plainPath.c_str()));
    const std::string expected = ReadTextFile(plainPath);
    EXPECT_EQ(expected.find("SLOPE_SAMPLES"), std::string::npos);
    EXPECT_EQ(expected.find("SNAP_AND_GRID"), std::string::npos);

    UserAnswers answers;
    answers.grid = NewDocumentGrid();
    answers.grid.on = true;
    answers.grid.style = GRID_LINES;
    answers.snapMode = SNAP_GRID;
    answers.generateSamples = true;
    InstallSlopeViewServices(&answers);
    auto doc = NewDocument();
    doc->OnSlopeEditor();
    doc->OnSnap();
    doc->OnGridSettings();
    answers.grid = NewDocumentGrid();
    answers.snapMode = SNAP_NONE;
    answers.generateSamples = false;
    doc->OnSlopeEditor();
    doc->OnSnap();
    doc->OnGridSettings();
    InstallSlopeViewServices(nullptr);
    const std::string path = TestFolder() + "defaults-again.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(ReadTextFile(path), expected);
    EXPECT_TRUE(boxes.messages.empty());
}

// A settings section with a value the program never writes, a missing line,
// one line too many or a second copy refuses the file with the reader's
// message, and nothing read before it stays.
TEST(SavedSettings, DamagedSettingsSectionsAreRefused)
{
    const std::string good = ReadTextFile(FixturePath("hand-written.cla"));
    const auto samples = [](const char* flag) {
        return std::string("[START SECTION] 01 SLOPE_SAMPLES\r\n* Generate Slope Samples\r\n") + flag +
               "[END SECTION]\r\n";
    };
    const auto grid = [](const char* snap, const char* shown, const char* spacing, const char* style,
                         const char* colour) {
        return std::string("[START SECTION] 01 SNAP_AND_GRID\r\n* Snap Mode\r\n") + snap + "* Grid Shown\r\n" +
               shown + "* Grid Spacing\r\n" + spacing + "* Grid Style\r\n" + style + "* Grid Colour\r\n" + colour +
               "[END SECTION]\r\n";
    };
    const std::string goodGrid = grid("30\r\n", "1\r\n", "0.5 2\r\n", "8\r\n", "0\t128\t255\r\n");
    const struct {
        const char* name;
        std::string tail;
        bool notFinite;
    } cases[] = {
        {"flag that is no flag", samples("2\r\n"), false},
        {"flag missing", samples(""), false},
        {"flag and a line too many", samples("1\r\n1\r\n"), false},
        {"two sampling sections", samples("1\r\n") + samples("1\r\n"), false},
        {"snap code that cycles", grid("32\r\n", "1\r\n", "0.5 2\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"snap code unknown", grid("28\r\n", "1\r\n", "0.5 2\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"shown that is no flag", grid("30\r\n", "73\r\n", "0.5 2\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"spacing zero", grid("30\r\n", "1\r\n", "0 2\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"spacing negative", grid("30\r\n", "1\r\n", "0.5 -2\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"spacing too wide", grid("30\r\n", "1\r\n", "0.5 1e6\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"spacing not a number", grid("30\r\n", "1\r\n", "nan 2\r\n", "8\r\n", "0\t128\t255\r\n"), true},
        {"spacing of one value", grid("30\r\n", "1\r\n", "0.5\r\n", "8\r\n", "0\t128\t255\r\n"), false},
        {"style unknown", grid("30\r\n", "1\r\n", "0.5 2\r\n", "11\r\n", "0\t128\t255\r\n"), false},
        {"colour of two values", grid("30\r\n", "1\r\n", "0.5 2\r\n", "8\r\n", "0\t128\r\n"), false},
        {"two grid sections", goodGrid + goodGrid, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxRecorder boxes;
        auto doc = std::make_unique<CTalusimDoc>();
        EXPECT_FALSE(doc->OnOpenDocument(WriteTextFile("bad-settings.cla", good + c.tail).c_str()));
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0].rfind(kInvalid, 0), 0u) << boxes.messages[0];
        EXPECT_EQ(boxes.messages[0].find("not finite") != std::string::npos, c.notFinite) << boxes.messages[0];
        EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), 0);
        EXPECT_EQ(doc->GetSlope(), nullptr);
    }

    // The same sections, undamaged, open with their values, wherever they stand.
    MessageBoxRecorder boxes;
    auto doc = std::make_unique<CTalusimDoc>();
    ASSERT_TRUE(doc->OnOpenDocument(WriteTextFile("settings-first.cla", goodGrid + samples("1\r\n") + good).c_str()));
    EXPECT_TRUE(doc->GetGenerateSlopeSamples());
    EXPECT_TRUE(doc->GetSlope()->GetSampleSlopeFlag());
    const CREGDatabase& db = *doc->GetDatabase();
    EXPECT_EQ(db.GetSnapMode(), SNAP_GRID);
    EXPECT_EQ(db.GetGridState(), GRID_SHOW);
    EXPECT_EQ(db.GetGridSpacing().x, 0.5);
    EXPECT_EQ(db.GetGridSpacing().y, 2.0);
    EXPECT_EQ(db.GetGridStyle(), GRID_LINES);
    EXPECT_EQ(db.GetGridColour(), RGB(0, 128, 255));
    EXPECT_TRUE(boxes.messages.empty());
}

// The quick snap commands (menu, toolbar, status bar, command line) change a
// setting the document saves: a change marks the document modified, asking for
// the mode it already has does not.
TEST(SavedSettings, QuickSnapChangesMarkTheDocumentModified)
{
    auto doc = NewDocument();
    ASSERT_EQ(doc->GetDatabase()->GetSnapMode(), SNAP_NONE);
    doc->SetModifiedFlag(FALSE);
    doc->ChangeSnapMode(SNAP_NONE);
    EXPECT_FALSE(doc->IsModified());
    doc->ChangeSnapMode(SNAP_VERTEX);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetDatabase()->GetSnapMode(), SNAP_VERTEX);
    doc->SetModifiedFlag(FALSE);
    doc->ChangeSnapMode(SNAP_CYCLE);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetDatabase()->GetSnapMode(), SNAP_NONE);
}
