// The materials file: export, import, and files that cannot be read.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include "formats/DocumentTextFile.h"
#include "framework/FileDialog.h"
#include "res/resource.h"

namespace {

std::vector<CTalusimSlopeType*> Materials(CTalusimDoc& doc)
{
    return EntitiesOf<CTalusimSlopeType>(doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
}

CTalusimSlopeType* MaterialNamed(CTalusimDoc& doc, const char* name)
{
    for (auto* m : Materials(doc))
        if (m->GetName() == name)
            return m;
    return nullptr;
}

struct MaterialValues {
    const char* name;
    COLORREF colour;
    double rn, rnSd, rt, rtSd, friction, frictionSd, roughnessSd;
};

void ExpectMaterial(CTalusimDoc& doc, const MaterialValues& v)
{
    SCOPED_TRACE(v.name);
    CTalusimSlopeType* m = MaterialNamed(doc, v.name);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetColour(), v.colour);
    EXPECT_EQ(m->GetRnMean(), v.rn);
    EXPECT_EQ(m->GetRnStdDev(), v.rnSd);
    EXPECT_EQ(m->GetRtMean(), v.rt);
    EXPECT_EQ(m->GetRtStdDev(), v.rtSd);
    EXPECT_EQ(m->GetFrictionAngleMean(), v.friction);
    EXPECT_EQ(m->GetFrictionAngleStdDev(), v.frictionSd);
    EXPECT_EQ(m->GetRoughnessStdDev(), v.roughnessSd);
}

std::string MaterialsFixture(const char* name)
{
    return std::string(CLASTOR_TEST_DATA) + "/materials/" + name;
}

const char kHeader[] =
    "*****************CLASTOR MATERIAL FILE*****************\r\n"
    "* File Version\r\n"
    "1\r\n"
    "* All lines beginning with an * are treated as comments\r\n"
    "* \r\n"
    "* Each Material is a set of 4 lines\r\n"
    "* line 1 is the material name\r\n"
    "* line 2 is the color (3 RGB components each 0->255)\r\n"
    "* line 3 is RN(mean), RN(std dev), RT(mean), RT(std dev)\r\n"
    "* line 4 is PHI(mean), PHI(std dev), ROUGHNESS(std dev)\r\n"
    "* \r\n"
    "* Number of Materials\r\n";

// Answers the file dialog with `path` and remembers how it was set up.
struct FileDialogHook {
    static inline std::string path;
    static inline std::string filter;
    static inline std::string ext;
    static inline DWORD flags = 0;
    static inline BOOL open = FALSE;
    static INT_PTR Answer(CCommonDialog* dlg)
    {
        auto* file = dynamic_cast<CFileDialog*>(dlg);
        if (!file)
            return IDCANCEL;
        open = file->m_bOpenFileDialog;
        flags = file->m_ofn.Flags;
        ext = file->m_ofn.lpstrDefExt ? file->m_ofn.lpstrDefExt : "";
        // The filter's parts are separated by NULs in the dialog's form.
        filter.clear();
        for (const char* p = file->m_ofn.lpstrFilter; p && *p; p += std::strlen(p) + 1)
            filter += std::string(p) + "|";
        file->SetPathName(path.c_str());
        return IDOK;
    }
};

}  // namespace

TEST(MaterialsFileTest, ExportWritesTheBannerCountAndFourLinesPerMaterial)
{
    auto doc = NewDocument();
    // Only two materials left: every one is still written, header included.
    auto all = Materials(*doc);
    for (std::size_t i = 2; i < all.size(); ++i)
        doc->GetDatabase()->DeleteEntity(all[i], false);
    Materials(*doc)[1]->SetRoughnessStdDev(0.5);
    const std::string path = TestFolder() + "two.clm";
    ASSERT_TRUE(doc->ExportMaterialsTo(path.c_str()));
    const auto m = Materials(*doc);
    std::string expected = std::string(kHeader) + "2\r\n";
    for (auto* material : m) {
        const COLORREF c = material->GetColour();
        char buf[256];
        std::snprintf(buf, sizeof buf, "%s\r\n%d\t%d\t%d\r\n%g\t%g\t%g\t%g\r\n%g\t%g\t%g\r\n",
                      (LPCSTR)material->GetName(), GetRValue(c), GetGValue(c), GetBValue(c), material->GetRnMean(),
                      material->GetRnStdDev(), material->GetRtMean(), material->GetRtStdDev(),
                      material->GetFrictionAngleMean(), material->GetFrictionAngleStdDev(),
                      material->GetRoughnessStdDev());
        expected += buf;
    }
    EXPECT_EQ(ReadTextFile(path), expected);
    // The built-in values as written by hand.
    EXPECT_NE(expected.find("Clean hard bedrock [default]\r\n128\t128\t128\r\n0.53\t0.04\t0.99\t0.04\r\n30\t2\t0\r\n"),
              std::string::npos);
}

TEST(MaterialsFileTest, ExportThenImportIntoTheSameDocumentChangesOnlyTheModifiedFlag)
{
    auto doc = NewDocument();
    // Values that six digits cannot carry, and two materials of one name.
    doc->CreateOrUpdateMaterial("Clay", RGB(1, 2, 3), 1.0 / 3.0, 0.01, 2.0 / 3.0, 0.02, 25.123456789, 1, 0.5, 0);
    doc->CreateOrUpdateMaterial("Clay", RGB(4, 5, 6), 0.2, 0.02, 0.7, 0.03, 26, 2, 1.5, 0);
    const std::string path = TestFolder() + "roundtrip.clm";
    ASSERT_TRUE(doc->ExportMaterialsTo(path.c_str()));
    auto before = Materials(*doc);
    std::vector<MaterialValues> values;
    for (auto* m : before)
        values.push_back({nullptr, m->GetColour(), m->GetRnMean(), m->GetRnStdDev(), m->GetRtMean(),
                          m->GetRtStdDev(), m->GetFrictionAngleMean(), m->GetFrictionAngleStdDev(),
                          m->GetRoughnessStdDev()});
    doc->SetModifiedFlag(FALSE);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc->ImportMaterialsFrom(path.c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_TRUE(doc->IsModified());
    auto after = Materials(*doc);
    ASSERT_EQ(after, before);
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i]->GetColour(), values[i].colour);
        EXPECT_EQ(after[i]->GetRnMean(), values[i].rn);
        EXPECT_EQ(after[i]->GetRtMean(), values[i].rt);
        EXPECT_EQ(after[i]->GetFrictionAngleMean(), values[i].friction);
        EXPECT_EQ(after[i]->GetRoughnessStdDev(), values[i].roughnessSd);
    }

    // Into another document the two materials of one name arrive as two.
    auto other = NewDocument();
    ASSERT_TRUE(other->ImportMaterialsFrom(path.c_str()));
    EXPECT_EQ(Materials(*other).size(), 8u);
    ExpectMaterial(*other, {"Clay", RGB(1, 2, 3), 1.0 / 3.0, 0.01, 2.0 / 3.0, 0.02, 25.123456789, 1, 0.5});
}

TEST(MaterialsFileTest, ImportUpdatesAMaterialOfTheSameNameAndAddsNewOnesSkippingComments)
{
    auto doc = NewDocument();
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc->ImportMaterialsFrom(MaterialsFixture("two-materials.clm").c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(Materials(*doc).size(), 7u);
    ExpectMaterial(*doc, {"Asphalt [default]", RGB(10, 20, 30), 0.45, 0.05, 0.875, 0.03, 33.5, 1.5, 0.25});
    ExpectMaterial(*doc, {"Wet clay", RGB(0, 255, 128), 0.1, 0, 0.2, 0.01, 12, 0.5, 2});
    // The built-in material stays built-in; the new one is not.
    EXPECT_TRUE(MaterialNamed(*doc, "Asphalt [default]")->HasDefaultValues());
    EXPECT_FALSE(MaterialNamed(*doc, "Wet clay")->HasDefaultValues());
    // Names are compared exactly.
    EXPECT_EQ(MaterialNamed(*doc, "asphalt [default]"), nullptr);
}

TEST(MaterialsFileTest, BadFilesAreReportedAndKeepWhatWasCompleteBeforeTheFault)
{
    const std::string good = "A\n1\t2\t3\n0.1\t0.2\t0.3\t0.4\n30\t2\t0\n";
    struct Case {
        const char* what;
        std::string text;
        const char* message;  // start of the message
        int imported;
    };
    const Case cases[] = {
        {"version 2", "* banner\n2\n1\n" + good, "Unable to read file version or file version not supported", 0},
        {"no version", "* only comments\n", "Unable to read file version or file version not supported", 0},
        {"empty file", "", "Unable to read file version or file version not supported", 0},
        {"no count", "1\n* count missing\n", "Unexpected end of file\nUnable to read file", 0},
        {"three announced, two there", "1\n3\n" + good + "B\n4\t5\t6\n0.1\t0.2\t0.3\t0.4\n30\t2\t0\nC\n7\t8\t9\n",
         "Unexpected end of file\nUnable to read file", 2},
        {"letters in the colour", "1\n2\n" + good + "B\n4\tx\t6\n0.1\t0.2\t0.3\t0.4\n30\t2\t0\n",
         "Unable to read file\n(invalid values for the material \"B\"", 1},
        {"colour out of range", "1\n1\nB\n4\t300\t6\n0.1\t0.2\t0.3\t0.4\n30\t2\t0\n",
         "Unable to read file\n(invalid values", 0},
        {"three values for four", "1\n1\nB\n4\t5\t6\n0.1\t0.2\t0.3\n30\t2\t0\n", "Unable to read file\n(invalid values", 0},
        {"not a number", "1\n1\nB\n4\t5\t6\n0.1\t0.2\t0.3\t0.4\n30\tnan\t0\n",
         "Unable to read file\n(invalid values for the material \"B\" on line 6)", 0},
        {"infinite, after a comment", "1\n1\nB\n4\t5\t6\n* Rn and Rt\n0.1\tinf\t0.3\t0.4\n30\t2\t0\n",
         "Unable to read file\n(invalid values for the material \"B\" on line 6)", 0},
        {"count not a number", "1\n* count\nmany\n" + good, "Unable to read file\n(line 3 does not give the number of materials)", 0},
        {"negative count", "1\n-1\n" + good, "Unable to read file\n(line 2 does not give the number of materials)", 0},
        {"huge count", "1\n2000000000\n" + good, "Unexpected end of file\nUnable to read file", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = NewDocument();
        doc->SetModifiedFlag(FALSE);
        const std::string path = WriteTextFile("bad.clm", c.text);
        MessageBoxRecorder boxes;
        EXPECT_EQ(doc->ImportMaterialsFrom(path.c_str()), c.imported > 0);
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0].rfind(c.message, 0), 0u) << boxes.messages[0];
        EXPECT_EQ(Materials(*doc).size(), 6u + static_cast<std::size_t>(c.imported));
        EXPECT_EQ(doc->IsModified() != FALSE, c.imported > 0);
        if (c.imported > 0)
            ExpectMaterial(*doc, {"A", RGB(1, 2, 3), 0.1, 0.2, 0.3, 0.4, 30, 2, 0});
    }
}

TEST(MaterialsFileTest, FilesThatCannotBeOpenedOrCreatedAreReported)
{
    auto doc = NewDocument();
    MessageBoxRecorder boxes;
    const std::string missing = TestFolder() + "no-such-folder\\materials.clm";
    EXPECT_FALSE(doc->ImportMaterialsFrom(missing.c_str()));
    EXPECT_FALSE(doc->ExportMaterialsTo(missing.c_str()));
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_EQ(boxes.messages[0].rfind("Unable to open file", 0), 0u);
    EXPECT_EQ(boxes.messages[1].rfind("Unable to create a file", 0), 0u);
    EXPECT_EQ(Materials(*doc).size(), 6u);
}

TEST(MaterialsFileTest, TheCommandsAskForTheFileWithTheirFilterAndExtension)
{
    FileDialogHook::path = TestFolder() + "command.clm";
    AfxCommonDialogHook previous = AfxSetCommonDialogHook(&FileDialogHook::Answer);
    auto doc = NewDocument();
    doc->CreateOrUpdateMaterial("Moraine", RGB(9, 8, 7), 0.3, 0.01, 0.8, 0.02, 31, 2, 0.5, 0);
    ::DeleteFileA(FileDialogHook::path.c_str());
    doc->OnCmdMsg(ID_EXPORT_MATERIALS, CN_COMMAND, nullptr, nullptr);
    EXPECT_FALSE(FileDialogHook::open);
    EXPECT_TRUE(FileDialogHook::flags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(FileDialogHook::flags & OFN_HIDEREADONLY);
    EXPECT_EQ(FileDialogHook::ext, "clm");
    EXPECT_EQ(FileDialogHook::filter, "Clastor Materials Files (*.clm)|*.clm|All Files (*.*)|*.*|");

    auto other = NewDocument();
    other->SetModifiedFlag(FALSE);
    other->OnCmdMsg(ID_IMPORT_MATERIALS, CN_COMMAND, nullptr, nullptr);
    AfxSetCommonDialogHook(previous);
    EXPECT_TRUE(FileDialogHook::open);
    EXPECT_TRUE(FileDialogHook::flags & OFN_FILEMUSTEXIST);
    ExpectMaterial(*other, {"Moraine", RGB(9, 8, 7), 0.3, 0.01, 0.8, 0.02, 31, 2, 0.5});
    EXPECT_TRUE(other->IsModified());
}

