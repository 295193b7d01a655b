// Opening and saving a whole document through the document's own open and
// save: a computed document is written the same way twice and opens with its
// results, and a file that is no sectioned text is handed to the older reader.
#include "tests/model/ComputeTestSupport.h"
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

class ComputedDocumentFile : public ComputeDocTest {};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(ComputedDocumentFile, AFixedSeedGivesTheSameFileTwiceAndTheFileReopensWithTheResults) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    AddLine(40, 3, 40, 20, true);
    doc->m_nRocks = 8;
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    const std::string first = std::string(dir) + "clastor-compute-1.cla";
    const std::string second = std::string(dir) + "clastor-compute-2.cla";

    doc->RunSimulation(FALSE);
    ASSERT_TRUE(doc->OnSaveDocument(first.c_str()));
    doc->ClearRockPaths();
    doc->RunSimulation(FALSE);
    ASSERT_TRUE(doc->OnSaveDocument(second.c_str()));
    const std::string a = ReadAll(first);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, ReadAll(second));

    auto* reopened = new CTalusimDoc;
    ASSERT_TRUE(reopened->OnOpenDocument(second.c_str()));
    EXPECT_EQ(reopened->GetRockPathCount(), doc->GetRockPathCount());
    EXPECT_EQ(reopened->GetEnvelopeCount(), doc->GetEnvelopeCount());
    for (int i = 0; i < doc->GetEnvelopeCount(); ++i)
        EXPECT_EQ(reopened->GetDistribution(i)->GetCount(DIST_VELOCITY), doc->GetDistribution(i)->GetCount(DIST_VELOCITY));
    delete reopened;
    ::DeleteFileA(first.c_str());
    ::DeleteFileA(second.c_str());
}

TEST(DocumentOpen, AFileThatIsNoSectionedTextGoesToTheOlderReader)
{
    MessageBoxRecorder boxes;
    const std::string path = WriteTextFile("legacy.cla", "* not a section\r\n");
    auto doc = std::make_unique<CTalusimDoc>();
    EXPECT_FALSE(doc->OnOpenDocument(path.c_str()));
    // No text-format message: the file was handed on, and what came back held no slope.
    for (const auto& m : boxes.messages)
        EXPECT_NE(m, "Unable to read file\n(invalid section header)");
    EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), 0);
}

}  // namespace
