// The neighbours' services the document calls: without an installed
// implementation every call is harmless and every dialog answers Cancel, and
// every document file is refused with its message; an installed
// implementation is used until it is taken away again.
#include <gtest/gtest.h>

#include "tests/model/DocumentFixture.h"

#include "model/MainFrameServices.h"
#include "model/GraphServices.h"
#include "model/DocumentFormatServices.h"
#include "model/FilterDialogServices.h"
#include "tools/DrawingToolServices.h"
#include "model/SlopeViewServices.h"

TEST(Services, DefaultsDoNothingAndAnswerCancel)
{
    MainFrameServices().ToggleChartView(2901, nullptr, true);
    MainFrameServices().SetPrompt("x");
    EXPECT_EQ(MainFrameServices().ActiveChildView(), nullptr);
    EXPECT_EQ(MainFrameServices().GetSelectedMaterial(), nullptr);
    int snap = 30;
    EXPECT_EQ(SlopeViewServices().RunSnapDialog(snap), IDCANCEL);
    EXPECT_EQ(snap, 30);
    int kind = 0;
    EXPECT_EQ(GraphServices().RunCreateGraph(0, kind), IDCANCEL);
    EXPECT_EQ(DrawingToolServices().CreateTool(TOOL_MEASURE), nullptr);
    CFilterPathsData filter;
    EXPECT_EQ(FilterDialogServices().RunFilterPaths(filter), IDCANCEL);
}

// The formats live above the model: a program that installs none opens and
// saves nothing, says so, and changes neither the document nor the file.
TEST(Services, WithoutTheFormatsEveryDocumentFileIsRefusedWithItsMessage)
{
    MessageBoxRecorder boxes;
    const std::string text = "[SECTION]01 GENERAL\r\n";
    const std::string path = WriteTextFile("no-formats.cla", text);
    auto doc = NewDocument();
    const int entities = doc->GetDatabase()->GetEntityCount();
    doc->SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc->OnSaveDocument(path.c_str()));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), entities);
    EXPECT_EQ(ReadTextFile(path), text);
    EXPECT_FALSE(DocumentFormatServices().ExportMaterialsTo(*doc, path.c_str()));
    EXPECT_EQ(ReadTextFile(path), text);
    EXPECT_FALSE(DocumentFormatServices().ImportMaterialsFrom(*doc, path.c_str()));
    EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), entities);
    EXPECT_FALSE(DocumentFormatServices().IsCrspPath("slope.csp"));

    auto opened = std::make_unique<CTalusimDoc>();
    EXPECT_FALSE(opened->OnOpenDocument(path.c_str()));
    EXPECT_EQ(opened->GetDatabase()->GetEntityCount(), 0);
    EXPECT_EQ(opened->GetSlope(), nullptr);

    const std::vector<std::string> expected = {"Unable to write file\n" + path, "Unable to write file\n" + path,
                                               "Unable to open file\n" + path, "Unable to open file\n" + path};
    EXPECT_EQ(boxes.messages, expected);
}

TEST(Services, PromptTextsComeFromTheStringTable)
{
    EXPECT_STREQ(MainFrameServices().GetPromptText(1005),
                 "Enter slope vertices [ enter=done, u=undo last vertex, esc=cancel ]");
    EXPECT_STREQ(MainFrameServices().GetPromptText(1048), "Pick the NEW bottom-right point(the tail) [esc=quit]");
    EXPECT_STREQ(MainFrameServices().GetPromptText(1000), "\t");
    EXPECT_STREQ(MainFrameServices().GetPromptText(999), "");
    EXPECT_STREQ(MainFrameServices().GetPromptText(1100), "");
}

namespace {

struct AnsweringSnap : CSlopeViewServices {
    INT_PTR RunSnapDialog(int& mode) override
    {
        mode = 31;
        return IDOK;
    }
};

}  // namespace

TEST(Services, AnInstalledImplementationIsUsedUntilRemoved)
{
    AnsweringSnap answering;
    CSlopeViewServices* previous = InstallSlopeViewServices(&answering);
    int mode = 29;
    EXPECT_EQ(SlopeViewServices().RunSnapDialog(mode), IDOK);
    EXPECT_EQ(mode, 31);
    InstallSlopeViewServices(nullptr);
    EXPECT_EQ(SlopeViewServices().RunSnapDialog(mode), IDCANCEL);
    InstallSlopeViewServices(previous == &answering ? nullptr : previous);
}

TEST(Services, EveryModePromptHasItsText)
{
    const struct { int code; const char* text; } cases[] = {
        {1001, "Select location of second endpoint [ esc=cancel ]"},
        {1008, "Select base point [ esc=cancel, u=go back to selecting ]"},
        {1010, "Select base point [ esc=cancel, u=go back to selecting ]"},
        {1017, "Move the mouse while keeping the primary mouse button pressed. Press Escape key (Esc) when done"},
        {1018, "Move the mouse while keeping the primary mouse button pressed. Press Escape key (Esc) when done"},
        {1023, "Select Barriers to Delete [enter=done, *= select all, esc=cancel]"},
        {1025, "Select location for the second endpoint [ esc=cancel ]"},
        {1026, "Select the slope segments to assign the material to [enter=done, esc=cancel]"},
        {1027, "Pick the location to measure from [esc=quit]"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(MainFrameServices().GetPromptText(c.code), c.text) << c.code;
}
