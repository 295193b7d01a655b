// The neighbours' services the document calls: without an installed
// implementation every call is harmless and every dialog answers Cancel; an
// installed implementation is used until it is taken away again.
#include <gtest/gtest.h>

#include "app/MainFrameServices.h"
#include "graphs/GraphServices.h"
#include "model/FilterDialogServices.h"
#include "tools/DrawingToolServices.h"
#include "view/SlopeViewServices.h"

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
