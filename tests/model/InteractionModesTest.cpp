// The fixed rules of the interaction modes.
#include <gtest/gtest.h>

#include "model/InteractionModes.h"

TEST(InteractionModes, PromptCodes)
{
    EXPECT_EQ(GetModePromptCode(MODE_IDLE), 1000);
    EXPECT_EQ(GetModePromptCode(MODE_PAN), 1017);
    EXPECT_EQ(GetModePromptCode(MODE_DEFINE_SLOPE), 1005);
    EXPECT_EQ(GetModePromptCode(MODE_IMAGE_NEW_BOTTOM_RIGHT), 1048);
    EXPECT_EQ(GetModePromptCode(MODE_ADD_VERTICAL_BARRIER), 0);
    EXPECT_EQ(GetModePromptCode(12345), 0);
}

TEST(InteractionModes, ReferenceColours)
{
    EXPECT_EQ(GetModeReferenceColour(2159), RGB(0, 128, 0));
    EXPECT_EQ(GetModeReferenceColour(2501), RGB(0, 0, 128));
    EXPECT_EQ(GetModeReferenceColour(2504), RGB(0, 0, 128));
    EXPECT_EQ(GetModeReferenceColour(2146), RGB(0, 0, 255));
    EXPECT_EQ(GetModeReferenceColour(2147), RGB(0, 0, 255));
    EXPECT_EQ(GetModeReferenceColour(2126), RGB(128, 128, 128));
    EXPECT_EQ(GetModeReferenceColour(2108), RGB(128, 0, 0));
    EXPECT_EQ(GetModeReferenceColour(2152), RGB(128, 0, 0));
}

TEST(InteractionModes, ToolStages)
{
    const int next[][2] = {{2501, 2502}, {2504, 2505}, {3208, 3209}, {3210, 3211}, {3212, 3213},
                           {3214, 3215}, {3220, 3221}, {3221, 3222}, {3222, 3223}, {3223, 2108},
                           {2502, 2108}, {3216, 2108}};
    for (const auto& c : next)
        EXPECT_EQ(NextToolStage(c[0]), c[1]) << c[0];
    const int first[][2] = {{2502, 2501}, {2505, 2504}, {3209, 3208}, {3211, 3210}, {3213, 3212},
                            {3215, 3214}, {3217, 3216}, {2501, 2108}, {3221, 2108}};
    for (const auto& c : first)
        EXPECT_EQ(FirstToolStage(c[0]), c[1]) << c[0];
}

TEST(InteractionModes, EquivalentStages)
{
    EXPECT_TRUE(AreEquivalentModes(2147, 2152));
    EXPECT_TRUE(AreEquivalentModes(2127, 2107));
    EXPECT_TRUE(AreEquivalentModes(2129, 2131));
    EXPECT_TRUE(AreEquivalentModes(2113, 2111));
    EXPECT_TRUE(AreEquivalentModes(2505, 2504));
    EXPECT_TRUE(AreEquivalentModes(3208, 3208));
    EXPECT_FALSE(AreEquivalentModes(3208, 3209));
    EXPECT_FALSE(AreEquivalentModes(2147, 2107));
    EXPECT_FALSE(AreEquivalentModes(2501, 2504));
}

TEST(InteractionModes, TransientPanOnlyFromTheListedModes)
{
    for (int m : {2107, 2110, 2115, 2126, 2127, 2129, 2131, 2146, 2148, 2152, 2159, 2160, 2163, 2172, 2501,
                  2506, 3208, 3216, 3218})
        EXPECT_TRUE(AllowsTransientPan(m)) << m;
    for (int m : {2108, 3217, 42, 43, 44, 2106, 2116, 2117, 2166, 2167, 3220, 3223})
        EXPECT_FALSE(AllowsTransientPan(m)) << m;
}
