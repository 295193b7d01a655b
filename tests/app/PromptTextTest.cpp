// Prompt codes and their texts, and the points typed on the command line.
#include <gtest/gtest.h>

#include "app/PromptText.h"

TEST(PromptText, CodesGiveTheirPromptsAndOthersNothing) {
    struct Case {
        int code;
        const char* text;
    } cases[] = {
        {1000, "\t"},
        {1001, "Select location of second endpoint [ esc=cancel ]"},
        {1010, "Select base point [ esc=cancel, u=go back to selecting ]"},
        {1016, "Pick second corner of window [enter]"},
        {1025, "Select location for the second endpoint [ esc=cancel ]"},
        {1048, "Pick the NEW bottom-right point(the tail) [esc=quit]"},
        {1243, "Initial mass must be positive"},
        {1244, ""},
        {1249, ""},
        {1256, "Probability depends on length of seeder is only\navailable when there are multiple line-seeders\n(and no point-seeders)"},
        {999, ""},
        {1049, ""},
        {1239, ""},
        {1257, ""},
    };
    for (const Case& c : cases) EXPECT_STREQ(GetPromptText(c.code), c.text) << c.code;
}

TEST(ParsePoint, ReadsWholeNumbersWithAnySeparator) {
    struct Case {
        const char* text;
        double x, y;
    } cases[] = {
        {"12.5,-3", 12.5, -3},   {"12.5, -3", 12.5, -3}, {" 1 2 ", 1, 2},      {"1;2", 1, 2},
        {"1e3,2", 1000, 2},      {"-1.5E-2,+4", -0.015, 4}, {".5,5.", 0.5, 5},
    };
    for (const Case& c : cases) {
        double x = 0, y = 0;
        ASSERT_TRUE(ParsePoint(c.text, x, y)) << c.text;
        EXPECT_DOUBLE_EQ(x, c.x) << c.text;
        EXPECT_DOUBLE_EQ(y, c.y) << c.text;
    }
}

TEST(ParsePoint, RefusesPartsOfNumbersAndJunkLeavingThePointAlone) {
    const char* texts[] = {"12.5", "", "g", "1.2.3,4", "1,2,3", "1,2x", "x1,2", "1e,2", "1,", ",2", "1 , 2 3",
                           "inf,1", "nan,2", "0x10,1", "1e999,1", "-,1", ".,1"};
    for (const char* t : texts) {
        double x = 7, y = 8;
        EXPECT_FALSE(ParsePoint(t, x, y)) << t;
        EXPECT_EQ(x, 7) << t;
        EXPECT_EQ(y, 8) << t;
    }
}
