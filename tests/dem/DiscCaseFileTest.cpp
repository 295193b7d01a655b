// Reading cases: a sound case with every block, and damaged ones, each
// refused with its message.
#include "DiscCase.h"

#include <gtest/gtest.h>

namespace {

DiscCaseBuilder TwoBallsOneWall()
{
    DiscCaseBuilder c;
    c.Ball(1, 1, 0.5, 2);
    c.Ball(3, 1, 0.5, 2);
    c.Wall(0, 0, 10, 0);
    return c;
}

// Replaces the first occurrence of a text in a case, or fails the test.
std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST(DiscCaseFile, SoundCaseIsReadWithEveryBlock)
{
    DiscCaseBuilder c = TwoBallsOneWall();
    c.header = std::string(100, 'h');
    DiscWallSpec w;
    w.kind = 18;
    w.extra1 = 0.25;
    w.extra2 = 2.0;
    c.walls.push_back(w);
    w.kind = 12;   // kinds 10 to 17 and 19 have no extra values
    c.walls.push_back(w);
    w.kind = 18;   // the same kind again: no second property set
    c.walls.push_back(w);
    c.kindProps = {5, 6, 7, 8, 9, 10, 11};
    c.gravity = 9.81;
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded) << l.out.str();
    const disc::Model& m = l.disc.Model();
    EXPECT_EQ(m.header.size(), 79u);
    EXPECT_EQ(m.Nb(), 2);
    EXPECT_EQ(m.Nw(), 4);
    EXPECT_DOUBLE_EQ(m.walls[2].k23, 0.25);
    EXPECT_DOUBLE_EQ(m.walls[2].k25, 2.0);
    EXPECT_DOUBLE_EQ(m.walls[3].k23, 0);
    EXPECT_DOUBLE_EQ(m.kindProps[18].angularity, 11);
    EXPECT_DOUBLE_EQ(m.kindProps[12].kn, 5);
    EXPECT_DOUBLE_EQ(m.gravity, 9.81);
    EXPECT_DOUBLE_EQ(m.walls[1].x2, 10);
    const std::string out = l.out.str();
    for (const char* line : {"finished reading no. of balls. nb=2", "\nfinished reading info for 2 balls",
                             "\nfinished reading info for 4 walls", "\ndntol =0.01 gravity =9.81",
                             "\nfinished reading case"})
        EXPECT_NE(out.find(line), std::string::npos) << line;
}

TEST(DiscCaseFile, DamagedCasesAreRefusedWithTheirMessage)
{
    const DiscCaseBuilder sound = TwoBallsOneWall();
    const std::string text = sound.CaseText(), balls = sound.BallText();
    const struct {
        const char* name;
        std::string caseText, ballText;
        const char* message;
    } cases[] = {
        {"empty", "  \n\n", balls, "the case file case is empty"},
        {"no balls", Replace(text, "\n2\nballs", "\n0\nballs"), balls,
         "case: the number of balls 0 is not a whole number from 1 to 10000"},
        {"too many balls", Replace(text, "\n2\nballs", "\n20000\nballs"), balls,
         "case: the number of balls 20000 is not a whole number from 1 to 10000"},
        {"count no number", Replace(text, "\n2\nballs", "\ntwo\nballs"), balls,
         "case: \"two\" is not a number (number of balls)"},
        {"ball file short", text, balls.substr(0, balls.size() / 2), "balls.dsc holds 1 balls, the case 2"},
        {"massless ball", text, Replace(balls, " 2 0.25", " 0 0.25"), "ball 1 needs a positive radius, mass and inertia"},
        {"too many walls", Replace(text, "balls.dsc\n1\n", "balls.dsc\n5000\n"), balls,
         "case: the number of walls 5000 is not a whole number from 0 to 1000"},
        {"wall side", Replace(text, " 10 1 0\n", " 10 0 0\n"), balls, "wall 1 has a contact side other than 1 or -1"},
        {"wall kind", Replace(text, " 10 1 0\n", " 10 1 2.5\n"), balls,
         "case: the wall kind 2.5 is not a whole number from 0 to 48"},
        {"negative stiffness", Replace(text, "\n0\n0\n1000000", "\n0\n0\n-1000000"), balls,
         "the ball-ball contact properties hold a negative value"},
        {"polygon wall", Replace(text, "\n0\n0\n1000000", "\n0\n1 5 1 0 0 0 0 0 0 0 0 1 9\n1000000"), balls,
         "case: the polygon wall number 9 is not a whole number from 1 to 1"},
        {"flexible wall", Replace(text, "\n0\n0\n1000000", "\n1 1 -1 100 0.5 1 3\n0\n1000000"), balls,
         "flexible wall 1 needs kind 0 or 1, side 1 or -1, a positive spacing and existing walls"},
        {"truncated", text.substr(0, text.find("\n0 0\n")), balls, "case ends before the global damping"},
        {"negative tolerance", Replace(text, "\n0.01 0\n", "\n-0.01 0\n"), balls,
         "damping, contact tolerance and accumulator tolerances must not be negative"},
        {"not finite", Replace(text, "\n0.01 0\n", "\nnan 0\n"), balls, "case: \"nan\" is not a number (contact tolerance)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DiscFolder folder;
        DiscCaseBuilder::WriteText(folder.Path(), "case", c.caseText);
        DiscCaseBuilder::WriteText(folder.Path(), "balls.dsc", c.ballText);
        std::ostringstream out;
        CDisc d;
        d.m_context.folder = folder.Path();
        d.m_context.out = &out;
        EXPECT_FALSE(d.ReadCase("case"));
        EXPECT_EQ(d.m_context.error, c.message);
        EXPECT_NE(out.str().find(std::string("\nERROR, ") + c.message), std::string::npos) << out.str();
        EXPECT_EQ(d.Model().Nb(), 0);   // nothing of a damaged case is kept
    }
}

TEST(DiscCaseFile, MissingFilesAreRefused)
{
    DiscFolder folder;
    std::ostringstream out;
    CDisc d;
    d.m_context.folder = folder.Path();
    d.m_context.out = &out;
    EXPECT_FALSE(d.ReadCase("nothere"));
    EXPECT_EQ(d.m_context.error, "cannot open the case file nothere");
    DiscCaseBuilder::WriteText(folder.Path(), "case", TwoBallsOneWall().CaseText());
    EXPECT_FALSE(d.ReadCase("case"));
    EXPECT_EQ(d.m_context.error, "cannot open the ball file balls.dsc");
}

TEST(DiscCaseFile, NamesAreKeptToTheirWidth)
{
    DiscCaseBuilder c = TwoBallsOneWall();
    DiscFolder folder;
    const std::string longName(400, 'b');
    DiscCaseBuilder::WriteText(folder.Path(), "case", Replace(c.CaseText(), "balls.dsc", longName));
    std::ostringstream out;
    CDisc d;
    d.m_context.folder = folder.Path();
    d.m_context.out = &out;
    EXPECT_FALSE(d.ReadCase("case"));
    EXPECT_EQ(d.m_context.error, "cannot open the ball file " + std::string(255, 'b'));
}

} // namespace
