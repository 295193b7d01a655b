// The Material Editor through the document's command, with a user's answers:
// what Done writes into the materials and the slope, what Cancel leaves, the
// range messages, Default, Copy's text and the Table page.
#include "EditorTestSupport.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "editors/MaterialEditorDlg.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-editors.h"
#include "support/DocumentFormatsInstalled.h"
#include "support/LinkShellRecorder.h"
#include "support/TempFiles.h"

using namespace editing;

namespace {

std::vector<CTalusimSlopeType*> Materials(CTalusimDoc& doc)
{
    return EntitiesOf<CTalusimSlopeType>(doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
}

CTalusimSlopeType* Named(CTalusimDoc& doc, const char* name)
{
    for (CTalusimSlopeType* m : Materials(doc))
        if (std::string(m->GetName()) == name)
            return m;
    return nullptr;
}

CTalusimSlopeType* AddMaterial(CTalusimDoc& doc, const char* name, double rn, double rt, bool builtIn)
{
    auto* m = new CTalusimSlopeType;
    m->SetName(name);
    m->SetRnMean(rn);
    m->SetRtMean(rt);
    if (builtIn)
        m->StoreDefaultValues();
    doc.GetDatabase()->AddEntity(m, false);
    return m;
}

// A document whose only materials are a built-in "Rock" and a user's "Soil".
std::unique_ptr<CTalusimDoc> TwoMaterialDocument()
{
    auto doc = NewDocument();
    doc->GetDatabase()->DeleteMatching(ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP, false);
    CTalusimSlopeType* rock = AddMaterial(*doc, "Rock", 0.35, 0.85, false);
    rock->SetRnStdDev(0.04);
    rock->SetRtStdDev(0.04);
    rock->SetFrictionAngleMean(30);
    rock->SetFrictionAngleStdDev(2);
    rock->SetColour(RGB(128, 128, 128));
    rock->StoreDefaultValues();
    CTalusimSlopeType* soil = AddMaterial(*doc, "Soil", 0.3, 0.8, false);
    soil->SetRnStdDev(0.05);
    soil->SetRtStdDev(0.05);
    soil->SetFrictionAngleMean(33.5);
    soil->SetFrictionAngleStdDev(1.5);
    soil->SetRoughnessStdDev(0.25);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

} // namespace

TEST(MaterialEditor, AddNamesNewMaterialsAndDoneKeepsTheirValues)
{
    auto doc = NewDocument();
    const size_t before = Materials(*doc).size();
    doc->SetModifiedFlag(FALSE);

    // Cancel takes the added materials away again and keeps every edit out.
    CTalusimSlopeType* first = Materials(*doc)[0];
    const double firstRn = first->GetRnMean();
    {
        Editing e([](CDialog& d) {
            Type(d, IDC_ME_RN_MEAN, "0.11");
            Click(d, IDC_ME_ADD);
            Click(d, IDC_ME_ADD);
            Click(d, IDCANCEL);
        });
        doc->EditMaterial(first);
    }
    EXPECT_EQ(Materials(*doc).size(), before);
    EXPECT_EQ(first->GetRnMean(), firstRn);
    EXPECT_FALSE(doc->IsModified());

    std::string shownName, focusName, secondName;
    int rows = 0;
    bool nameEnabled = false, deleteEnabled = false, defaultEnabled = true;
    {
        Editing e([&](CDialog& d) {
            Click(d, IDC_ME_ADD);
            shownName = TextOf(d, IDC_ME_NAME);
            focusName = ::GetFocus() == ::GetDlgItem(d.m_hWnd, IDC_ME_NAME) ? "name" : "elsewhere";
            nameEnabled = Enabled(d, IDC_ME_NAME);
            deleteEnabled = Enabled(d, IDC_ME_DELETE);
            defaultEnabled = Enabled(d, IDC_ME_DEFAULT);
            Click(d, IDC_ME_ADD);
            secondName = TextOf(d, IDC_ME_NAME);
            // The user's answers for the second new material.
            Type(d, IDC_ME_NAME, "Clay");
            Type(d, IDC_ME_RN_MEAN, "0.3");
            Type(d, IDC_ME_RN_SD, "0.02");
            Type(d, IDC_ME_RT_MEAN, "0.8");
            Type(d, IDC_ME_RT_SD, "0.03");
            Type(d, IDC_ME_FRICTION_MEAN, "33");
            Type(d, IDC_ME_FRICTION_SD, "1.5");
            Type(d, IDC_ME_ROUGHNESS_SD, "0.1");
            rows = ListCount(d, IDC_ME_LIST);
            Click(d, IDOK);
        });
        doc->EditMaterial(nullptr);
        EXPECT_TRUE(e.boxes.messages.empty());
    }
    EXPECT_EQ(shownName, "New Material");
    EXPECT_EQ(secondName, "New Material002");
    EXPECT_EQ(focusName, "name");
    EXPECT_TRUE(nameEnabled);
    EXPECT_TRUE(deleteEnabled);
    EXPECT_FALSE(defaultEnabled);
    EXPECT_EQ(rows, static_cast<int>(before) + 2);
    EXPECT_EQ(Materials(*doc).size(), before + 2);
    ASSERT_NE(Named(*doc, "New Material"), nullptr);
    CTalusimSlopeType* clay = Named(*doc, "Clay");
    ASSERT_NE(clay, nullptr);
    const double expected[] = {0.3, 0.02, 0.8, 0.03, 33, 1.5, 0.1};
    const double got[] = {clay->GetRnMean(), clay->GetRnStdDev(), clay->GetRtMean(), clay->GetRtStdDev(),
                          clay->GetFrictionAngleMean(), clay->GetFrictionAngleStdDev(), clay->GetRoughnessStdDev()};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(got[i], expected[i]) << i;
    EXPECT_TRUE(doc->IsModified());
}

TEST(MaterialEditor, DeletingAUsedMaterialGivesItsSegmentsTheBuiltInOneOnDoneOnly)
{
    auto doc = NewDocument();
    CTalusimSlopeType* builtIn = doc->GetFirstMaterial();
    CTalusimSlopeType* clay = AddMaterial(*doc, "Clay", 0.3, 0.8, false);
    CTalusimSlope* slope = doc->GetSlope();
    slope->AddVertexWithMaterial(0, 30, clay);
    slope->AddVertexWithMaterial(20, 10, clay);
    slope->AddVertexWithMaterial(40, 5, Materials(*doc)[2]);
    slope->AddVertexWithMaterial(60, 0, clay);
    const size_t before = Materials(*doc).size();
    doc->SetModifiedFlag(FALSE);

    bool builtInDelete = true, builtInName = true, builtInDefault = false;
    {
        Editing e([&](CDialog& d) {
            builtInDelete = Enabled(d, IDC_ME_DELETE);
            builtInName = Enabled(d, IDC_ME_NAME);
            builtInDefault = Enabled(d, IDC_ME_DEFAULT);
            ChooseName(d, IDC_ME_LIST, "Clay");
            Click(d, IDC_ME_DELETE);
            Click(d, IDCANCEL);
        });
        doc->EditMaterial(builtIn);
    }
    EXPECT_FALSE(builtInDelete);
    EXPECT_FALSE(builtInName);
    EXPECT_TRUE(builtInDefault);
    EXPECT_EQ(Materials(*doc).size(), before);
    EXPECT_EQ(slope->GetSegmentMaterial(1), clay);
    EXPECT_FALSE(doc->IsModified());

    int rowsAfterDelete = 0;
    {
        Editing e([&](CDialog& d) {
            ChooseName(d, IDC_ME_LIST, "Clay");
            Click(d, IDC_ME_DELETE);
            rowsAfterDelete = ListCount(d, IDC_ME_LIST);
            Click(d, IDOK);
        });
        doc->EditMaterial(clay);
    }
    EXPECT_EQ(rowsAfterDelete, static_cast<int>(before) - 1);
    EXPECT_EQ(Materials(*doc).size(), before - 1);
    EXPECT_EQ(Named(*doc, "Clay"), nullptr);
    EXPECT_EQ(slope->GetSegmentMaterial(1), builtIn);
    EXPECT_EQ(slope->GetSegmentMaterial(2), Materials(*doc)[2]);
    EXPECT_EQ(slope->GetSegmentMaterial(3), builtIn);
    EXPECT_TRUE(doc->IsModified());
}

// Every entry of the slope's material list (the first, which names no
// segment, included) is empty or a material the document has.
::testing::AssertionResult NamesOnlyLiveMaterials(CTalusimDoc& doc)
{
    const std::vector<CTalusimSlopeType*> live = Materials(doc);
    CTalusimSlope* slope = doc.GetSlope();
    for (int i = 0; i < slope->GetVertexCount(); ++i) {
        CTalusimSlopeType* m = slope->GetSegmentMaterial(i);
        if (m != nullptr && std::find(live.begin(), live.end(), m) == live.end())
            return ::testing::AssertionFailure() << "entry " << i << " names a deleted material";
    }
    return ::testing::AssertionSuccess();
}

TEST(MaterialEditor, AMaterialLeftBehindByTheFirstVertexIsNamedNoMoreOnceDeleted)
{
    auto doc = NewDocument();
    CTalusimSlopeType* builtIn = doc->GetFirstMaterial();
    CTalusimSlopeType* clay = AddMaterial(*doc, "Clay", 0.3, 0.8, false);
    CTalusimSlope* slope = doc->GetSlope();
    slope->AddVertexWithMaterial(0, 30, builtIn);
    slope->AddVertexWithMaterial(20, 10, clay);  // the first segment is clay
    slope->AddVertexWithMaterial(40, 5, builtIn);
    slope->AddVertexWithMaterial(60, 0, builtIn);
    // Delete Vertices with the first vertex marked, as a click on it marks it:
    // the first segment goes, and its material moves into the first entry.
    slope->MarkVerticesInRect(ACTION_ADD, 31, -1, 29, 1);
    doc->BeginDeleteVertices();
    ASSERT_EQ(slope->GetVertexCount(), 3);
    EXPECT_EQ(slope->GetSegmentMaterial(1), builtIn);

    {
        Editing e([&](CDialog& d) {
            ChooseName(d, IDC_ME_LIST, "Clay");
            Click(d, IDC_ME_DELETE);
            Click(d, IDOK);
        });
        doc->EditMaterial(nullptr);
        EXPECT_TRUE(e.boxes.messages.empty());
    }
    ASSERT_EQ(Named(*doc, "Clay"), nullptr);
    // Checked before saving: a save would read the freed material.
    ASSERT_TRUE(NamesOnlyLiveMaterials(*doc));

    const TempPath file;
    ASSERT_TRUE(doc->OnSaveDocument(file.c_str()));
    auto reopened = std::make_unique<CTalusimDoc>();
    MessageBoxRecorder boxes;
    ASSERT_TRUE(reopened->OnOpenDocument(file.c_str())) << (boxes.messages.empty() ? "" : boxes.messages[0]);
    ASSERT_EQ(reopened->GetSlope()->GetVertexCount(), 3);
    EXPECT_EQ(reopened->GetSlope()->GetSegmentMaterial(1)->GetName(), builtIn->GetName());
}

TEST(MaterialEditor, WithoutABuiltInMaterialAUsedMaterialCannotBeDeletedAndSaysWhy)
{
    // An older document whose materials are all the user's: deleted segments
    // would have nothing to take in their material's place.
    auto doc = NewDocument();
    doc->GetDatabase()->DeleteMatching(ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP, false);
    CTalusimSlopeType* rock = AddMaterial(*doc, "Rock", 0.35, 0.85, false);
    CTalusimSlopeType* soil = AddMaterial(*doc, "Soil", 0.3, 0.8, false);
    CTalusimSlopeType* sand = AddMaterial(*doc, "Sand", 0.2, 0.7, false);
    ASSERT_EQ(doc->GetFirstMaterial(), nullptr);
    CTalusimSlope* slope = doc->GetSlope();
    slope->AddVertexWithMaterial(0, 30, sand);  // the entry that names no segment
    slope->AddVertexWithMaterial(20, 10, rock);
    slope->AddVertexWithMaterial(60, 0, soil);

    std::vector<std::string> messages;
    int rowsAfterSoil = 0;
    {
        Editing e([&](CDialog& d) {
            ChooseName(d, IDC_ME_LIST, "Soil");
            Click(d, IDC_ME_DELETE);
            rowsAfterSoil = ListCount(d, IDC_ME_LIST);
            ChooseName(d, IDC_ME_LIST, "Sand");
            Click(d, IDC_ME_DELETE);
            Click(d, IDOK);
        });
        doc->EditMaterial(nullptr);
        messages = e.boxes.messages;
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("cannot be deleted"), std::string::npos) << messages[0];
    EXPECT_EQ(rowsAfterSoil, 3);
    // Soil stays on its segment; Sand, used by no segment, is gone and named nowhere.
    EXPECT_EQ(Named(*doc, "Soil"), soil);
    EXPECT_EQ(Named(*doc, "Sand"), nullptr);
    EXPECT_EQ(slope->GetSegmentMaterial(1), rock);
    EXPECT_EQ(slope->GetSegmentMaterial(2), soil);
    EXPECT_EQ(slope->GetSegmentMaterial(0), nullptr);
    EXPECT_TRUE(NamesOnlyLiveMaterials(*doc));
}

TEST(MaterialEditor, RangesAreCheckedWithTheirMessagesAndTheSelectionStays)
{
    auto doc = TwoMaterialDocument();
    CTalusimSlopeType* soil = Named(*doc, "Soil");
    struct Case {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_ME_RN_MEAN, "1.5", "Please enter a number between 0 and 1."},
        {IDC_ME_RT_MEAN, "-0.1", "Please enter a number between 0 and 1."},
        {IDC_ME_FRICTION_MEAN, "91", "Please enter a number between 0 and 90."},
        {IDC_ME_RN_SD, "nan", "Please enter a number."},
        {IDC_ME_ROUGHNESS_SD, "x", "Please enter a number."},
        // Standard deviations are refused as the means are: never negative,
        // never so large that the sampled values mean nothing.
        {IDC_ME_RN_SD, "-2", "Please enter a number between 0 and 1000000000."},
        {IDC_ME_RT_SD, "-1", "Please enter a number between 0 and 1000000000."},
        {IDC_ME_FRICTION_SD, "1e300", "Please enter a number between 0 and 1000000000."},
        {IDC_ME_ROUGHNESS_SD, "-0.5", "Please enter a number between 0 and 1000000000."},
        {IDC_ME_RN_MEAN, "0x0", "Please enter a number."},  // decimal numbers only
        {IDC_ME_NAME, "A name of thirty-six characters, yes", "Please enter no more than 35 characters."},
    };
    for (const Case& c : cases) {
        int selected = -1;
        {
            Editing e([&](CDialog& d) {
                Type(d, c.id, c.text);
                Choose(d, IDC_ME_LIST, 0);  // refused: Soil stays selected
                selected = ListSelection(d, IDC_ME_LIST);
                Click(d, IDOK);             // refused again
                Click(d, IDCANCEL);
            });
            doc->EditMaterial(soil);
            ASSERT_EQ(e.boxes.messages.size(), 2u) << c.text;
            EXPECT_EQ(e.boxes.messages[0], c.message);
        }
        EXPECT_EQ(selected, 1) << c.text;
        EXPECT_EQ(soil->GetRnMean(), 0.3);
        EXPECT_FALSE(doc->IsModified());
    }

    // With the friction angle from elsewhere its edits are greyed and an
    // angle out of range there is no reason to refuse the rest.
    doc->m_nFrictionAngleMode = 2;
    soil->SetFrictionAngleMean(95);
    bool frictionEnabled = true;
    {
        Editing e([&](CDialog& d) {
            frictionEnabled = Enabled(d, IDC_ME_FRICTION_MEAN);
            Type(d, IDC_ME_RN_MEAN, "0.25");
            Click(d, IDOK);
        });
        doc->EditMaterial(soil);
        EXPECT_TRUE(e.boxes.messages.empty());
    }
    EXPECT_FALSE(frictionEnabled);
    EXPECT_EQ(soil->GetRnMean(), 0.25);
}

TEST(MaterialEditor, ANameAnotherMaterialHasIsRefusedAndADeletedOnesNameIsFree)
{
    auto doc = TwoMaterialDocument();
    CTalusimSlopeType* rock = Named(*doc, "Rock");
    CTalusimSlopeType* soil = Named(*doc, "Soil");
    int selected = -1;
    {
        Editing e([&](CDialog& d) {
            Type(d, IDC_ME_NAME, "Rock");
            Click(d, IDOK);             // refused: the dialog stays on Soil
            selected = ListSelection(d, IDC_ME_LIST);
            Click(d, IDC_ME_ADD);       // refused as well
            Type(d, IDC_ME_NAME, "Soil");
            Click(d, IDC_ME_ADD);       // its own name is no clash
            Type(d, IDC_ME_NAME, "Soil");
            Choose(d, IDC_ME_LIST, 0);  // the new material may not take it
            Type(d, IDC_ME_NAME, "New Material");
            ChooseName(d, IDC_ME_LIST, "Soil");
            Click(d, IDC_ME_DELETE);
            ChooseName(d, IDC_ME_LIST, "New Material");
            Type(d, IDC_ME_NAME, "Soil");  // free once Soil is deleted
            Click(d, IDOK);
        });
        doc->EditMaterial(soil);
        const std::string clash = "Another material is already named \"Rock\".\nPlease choose a different name.";
        ASSERT_EQ(e.boxes.messages.size(), 3u);
        EXPECT_EQ(e.boxes.messages[0], clash);
        EXPECT_EQ(e.boxes.messages[1], clash);
        EXPECT_EQ(e.boxes.messages[2], "Another material is already named \"Soil\".\nPlease choose a different name.");
    }
    EXPECT_EQ(selected, 1);
    const std::vector<CTalusimSlopeType*> left = Materials(*doc);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(std::string(left[0]->GetName()), "Rock");
    EXPECT_EQ(std::string(left[1]->GetName()), "Soil");
    EXPECT_EQ(left[0], rock);
    EXPECT_NE(left[1], soil);
}

TEST(MaterialEditor, DefaultRestoresTheBuiltInValuesAndCopyPutsTheTableOnTheClipboard)
{
    auto doc = TwoMaterialDocument();
    CTalusimSlopeType* rock = Named(*doc, "Rock");
    std::string restoredRn, copied;
    {
        Editing e([&](CDialog& d) {
            Type(d, IDC_ME_RN_MEAN, "0.9");
            Choose(d, IDC_ME_LIST, 1);  // Rock keeps 0.9 for now
            Choose(d, IDC_ME_LIST, 0);
            Click(d, IDC_ME_DEFAULT);
            restoredRn = TextOf(d, IDC_ME_RN_MEAN);
            ChooseName(d, IDC_ME_LIST, "Soil");
            Type(d, IDC_ME_ROUGHNESS_SD, "0.5");  // Copy applies the shown edits first
            Click(d, IDC_ME_COPY);
            copied = ClipboardText();
            Click(d, IDCANCEL);
        });
        doc->EditMaterial(rock);
    }
    EXPECT_EQ(restoredRn, "0.35");
    EXPECT_EQ(copied, "Rn_mean\tRn_std_dev\tRt_mean\tRt_std_dev\tPhi_mean\tPhi_std_dev\tRoughness_std_dev\tName\n"
                      "0.35\t0.04\t0.85\t0.04\t30\t2\t0\tRock\n"
                      "0.3\t0.05\t0.8\t0.05\t33.5\t1.5\t0.5\tSoil\n");
    // Cancel: the copied edit and the restored values are not kept.
    EXPECT_EQ(Named(*doc, "Soil")->GetRoughnessStdDev(), 0.25);
    EXPECT_FALSE(doc->IsModified());

    // Default after a changed colour brings the stored colour back.
    rock->SetColour(RGB(1, 2, 3));
    rock->SetRnMean(0.6);
    {
        Editing e([](CDialog& d) {
            Click(d, IDC_ME_DEFAULT);
            Click(d, IDOK);
        });
        doc->EditMaterial(rock);
    }
    EXPECT_EQ(rock->GetRnMean(), 0.35);
    EXPECT_EQ(rock->GetColour(), RGB(128, 128, 128));
}

TEST(MaterialEditor, TheColourPickerSetsTheMaterialColour)
{
    auto doc = TwoMaterialDocument();
    CTalusimSlopeType* soil = Named(*doc, "Soil");
    {
        Editing e([](CDialog& d) {
            Click(d, IDC_ME_COLOUR);
            HWND popup = ::GetCapture();
            ASSERT_NE(popup, nullptr);
            ::SendMessageA(popup, WM_KEYDOWN, VK_UP, 0);    // Default
            ::SendMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);  // Black
            for (int i = 0; i < 16; ++i)
                ::SendMessageA(popup, WM_KEYDOWN, VK_RIGHT, 0);  // Red
            ::SendMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
            Click(d, IDOK);
        });
        doc->EditMaterial(soil);
    }
    EXPECT_EQ(soil->GetColour(), RGB(255, 0, 0));
}

TEST(MaterialEditor, TableOpensThePageBesideTheProgramOrSaysItIsMissing)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder = module;
    folder = folder.substr(0, folder.rfind('\\') + 1);
    const std::string page = folder + "RN_RT_TABLE.htm";
    const bool installed = ::GetFileAttributesA(page.c_str()) != INVALID_FILE_ATTRIBUTES;
    for (const bool present : {true, false}) {
        if (present && !installed) {
            HANDLE file = ::CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            ::CloseHandle(file);
        }
        if (!present && installed)
            continue;   // the program's own page stays where it is
        if (!present)
            ::DeleteFileA(page.c_str());
        auto doc = TwoMaterialDocument();
        LinkShellRecorder shell;
        MessageBoxRecorder boxes;
        {
            Editing e([](CDialog& d) {
                Click(d, IDC_ME_TABLE);
                Click(d, IDCANCEL);
            });
            doc->EditMaterial(nullptr);
        }
        if (present) {
            ASSERT_EQ(shell.opened.size(), 1u);
            EXPECT_EQ(shell.opened[0], page);
            EXPECT_TRUE(boxes.texts.empty());
        } else {
            EXPECT_TRUE(shell.opened.empty());
            ASSERT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(boxes.texts[0], "The document could not be found:\n" + page);
        }
    }
    if (!installed)
        ::DeleteFileA(page.c_str());
}
