// The run entry: the automatic run of a document's case, cancelling, and the
// console driven by a script.
#include "DiscCase.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DiscCaseBuilder FallingBalls(int count)
{
    DiscCaseBuilder c;
    c.gravity = 9.81;
    c.dntol = 0.05;
    c.wallProps = {1e5, 6e4, 0.001, 0.001, 0, 0.5, 0};
    c.ballBall = c.wallProps;
    for (int i = 0; i < count; ++i)
        c.Ball(1.5 * i, 1 + 0.1 * i, 0.5, 2);
    c.Wall(-5, 0, 20, 0);
    return c;
}

class RecordingProgress : public IDiscProgress {
public:
    std::vector<int> percents;
    int pumps = 0;
    void SetSecondaryProgress(int percent, int, int) override { percents.push_back(percent); }
    void PumpMessages() override { ++pumps; }
};

struct AutomaticRun {
    DiscFolder folder;
    std::ostringstream out;
    RecordingDiscDocument doc;
    int frameCount = 0;
    CDisc disc;

    explicit AutomaticRun(const DiscCaseBuilder* c, double end = 0.05)
    {
        if (c)
            c->Write(folder.Path(), "wr");
        CDiscRunContext& ctx = disc.m_context;
        ctx.interactive = 0;
        ctx.folder = folder.Path();
        ctx.out = &out;
        ctx.endTime = end;
        ctx.plotInterval = 1;
        ctx.document = &doc;
        ctx.frameCounter = &frameCount;
        ctx.throwIndex = 3;
    }
};

TEST(DiscRun, AutomaticRunHandsEveryFrameAndEndPointToTheDocument)
{
    const DiscCaseBuilder c = FallingBalls(3);
    AutomaticRun run(&c);
    ASSERT_TRUE(run.disc.Run()) << run.disc.m_context.error;
    const int frames = run.disc.m_context.frameTotal;
    const double dt = run.disc.m_context.timeStep;
    EXPECT_NEAR(frames, 0.05 / dt, 1.0);
    EXPECT_EQ(run.frameCount, frames + 1);   // and the start frame
    // The start, then a frame after every step; only the steps are moves.
    ASSERT_EQ(run.doc.frames.size(), 3u * (frames + 1));
    EXPECT_EQ(run.doc.steps, 3 * frames);
    EXPECT_EQ(run.doc.frames.front().frame, 0);
    EXPECT_EQ(run.doc.frames.front().time, 0.0);
    EXPECT_NEAR(run.doc.frames.back().time, frames * dt, 1e-12);
    EXPECT_EQ(run.doc.frames.front().ball, 4);
    EXPECT_EQ(run.doc.frames.back().ball, 6);
    EXPECT_EQ(run.doc.frames.back().frame, frames);
    EXPECT_GT(run.doc.frames.back().mass, 0);
    EXPECT_EQ(run.doc.completes, 1);
    ASSERT_EQ(run.doc.endPoints.size(), 3u);
    ASSERT_EQ(run.doc.settled.size(), 3u);
    EXPECT_DOUBLE_EQ(run.doc.settled[1][2], 0.5);   // radius, among the fifteen properties
    EXPECT_DOUBLE_EQ(run.doc.endPoints[1].first, run.doc.frames[run.doc.frames.size() - 2].x);
    EXPECT_EQ(run.doc.endBalls, (std::vector<int>{1, 2, 3}));
    // Nothing went to the current directory; no plot file was asked for, so none was written.
    EXPECT_FALSE(std::filesystem::exists("outball.txt"));
    EXPECT_FALSE(std::filesystem::exists("junk"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(run.folder.Path()),
                            std::filesystem::directory_iterator()), 2);
}

TEST(DiscRun, TimeStepDivisorShortensTheStep)
{
    const DiscCaseBuilder c = FallingBalls(2);
    AutomaticRun one(&c), two(&c);
    two.disc.m_context.timeStepDivisor = 2;
    ASSERT_TRUE(one.disc.Run());
    ASSERT_TRUE(two.disc.Run());
    EXPECT_NEAR(two.disc.m_context.frameTotal, 2 * one.disc.m_context.frameTotal, 2);
}

TEST(DiscRun, AutomaticRunWithoutACaseStopsWithAMessage)
{
    AutomaticRun run(nullptr);
    EXPECT_FALSE(run.disc.Run());
    EXPECT_EQ(run.disc.m_context.error, "cannot open the case file wr");
    EXPECT_TRUE(run.doc.frames.empty());
    EXPECT_EQ(run.doc.completes, 0);
}

TEST(DiscRun, CancelStopsTheRunWithoutEndOfRunCalls)
{
    const DiscCaseBuilder c = FallingBalls(2);
    AutomaticRun run(&c, 5.0);
    run.doc.cancelAfterCalls = 0;
    EXPECT_FALSE(run.disc.Run());
    EXPECT_TRUE(run.disc.m_context.error.empty());
    EXPECT_TRUE(run.doc.endPoints.empty());
    EXPECT_EQ(run.doc.completes, 0);
    EXPECT_LT(run.doc.frames.size(), 10u);
}

TEST(DiscRun, ProgressIsReportedAndTheWindowKeptAlive)
{
    const DiscCaseBuilder c = FallingBalls(2);
    AutomaticRun run(&c, 0.5);
    RecordingProgress progress;
    run.disc.m_context.progress = &progress;
    ASSERT_TRUE(run.disc.Run());
    ASSERT_GE(progress.percents.size(), 5u);
    EXPECT_GE(progress.percents.back(), 84);
    EXPECT_TRUE(std::is_sorted(progress.percents.begin(), progress.percents.end()));
    EXPECT_EQ(progress.pumps, static_cast<int>(progress.percents.size()));
    EXPECT_GT(run.doc.activeCalls, 0);
}

// Runs the console on a script; returns what it printed.
std::string Console(const DiscFolder& folder, const std::string& script, bool* result = nullptr)
{
    std::istringstream in(script);
    std::ostringstream out;
    CDisc d;
    d.m_context.folder = folder.Path();
    d.m_context.in = &in;
    d.m_context.out = &out;
    const bool ok = d.Run();
    if (result)
        *result = ok;
    return out.str();
}

// Each text is found after the one before.
void ExpectInOrder(const std::string& out, std::initializer_list<const char*> texts)
{
    size_t at = 0;
    for (const char* t : texts) {
        const size_t found = out.find(t, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << t << "\n" << out;
        at = found + std::strlen(t);
    }
}

TEST(DiscRun, ScriptedConsoleSessionRunsOneAnalysis)
{
    DiscFolder folder;
    FallingBalls(5).Write(folder.Path());
    bool ok = false;
    const std::string out = Console(folder,
                                    "f\n"                         // no case yet
                                    "a\nb\n"                      // restart: not there, still no case
                                    "c\n"
                                    "a\na\ncase\n"                // retrieve the case
                                    "f\n"                         // no time step yet
                                    "c\na\nc\n0\n0.001\nd\n0.01\nb\n\n"
                                    "e\n-1\n0\n"
                                    "d\nc\n2\n3\n2\nplot.txt\n\n"
                                    "f\n",
                                    &ok);
    EXPECT_TRUE(ok);
    ExpectInOrder(out, {"\nstatic byte size = 912312", "PROGRAM CDisc",
                        "\n\n\n          MAIN MENU\n a - Retrieve a Case from Disk\n b - Alter Case Input\n"
                        " c - Set Timestep and Time of Simulation End\n d - Set Data to be Stored During the "
                        "Simulation\n e - Set Timestep Notification\n f - Perform Analysis\n q - Quit Program",
                        "\nERROR, MUST RETRIEVE A CASE FROM DISC FIRST", "CASE RETRIEVAL MENU",
                        " RESTART NOT ADDED TO PROGRAM", "\nERROR, MUST RETRIEVE A CASE FROM DISC FIRST",
                        "\nenter file name for input data", "\nfinished reading case",
                        "\nERROR, MUST SET TIMESTEP AND END TIME FIRST", "TIME MENU",
                        "\nMaximum Time Increment (rot. period)      =",
                        "\nMaximum Time Increment (3 time-step cnt.) =", "\nEnter Timestep",
                        "\nERROR, TIMESTEP MUST BE GREATER THAN 0", "\nEnter Time of Simulation End",
                        "\nTOTAL NUMBER OF TIME-STEPS =10", "Current Simulation Time : 0",
                        "ERROR, NUMBER CAN NOT BE LESS THAN 0", "DATA STORAGE MENU", " Method for Storing Coordinates",
                        "Every how many discs do you want stored?", "enter plot file name", "\nGENERATING LISTS",
                        "\nSIMULATION STARTED", "\nSIMULATION COMPLETED"});
    // The plot file: the start frame with the wall and balls 1, 3 and 5, then a
    // frame of those balls every second step.
    const std::string plot = folder.Read("plot.txt");
    ASSERT_FALSE(plot.empty());
    EXPECT_EQ(plot.substr(0, 66), "\n    -5.000      0.000     20.000      0.000\n     0.000      1.000");
    EXPECT_NE(plot.find("\n     3.000      1.200\n     6.000      1.400"), std::string::npos);
    EXPECT_EQ(std::count(plot.begin(), plot.end(), '\n'), 1 + 3 + 5 * 3);
}

TEST(DiscRun, ConsoleEndsWhenTheScriptDoes)
{
    DiscFolder folder;
    bool ok = false;
    const std::string out = Console(folder, "b\nz\n", &ok);
    EXPECT_TRUE(ok);
    EXPECT_NE(out.find("\nERROR, MUST RETRIEVE A CASE FROM DISC FIRST"), std::string::npos);
    EXPECT_EQ(Console(folder, "q\nb\n").find("ERROR"), std::string::npos);
}

TEST(DiscRun, InputAlterationChangesTheCaseAtOnce)
{
    DiscFolder folder;
    FallingBalls(2).Write(folder.Path());
    std::istringstream in("a\na\ncase\nb\ne\n3.5\ng\n7\n2\n1 2 3\nc\n0.2\n\nq\n");
    std::ostringstream out;
    CDisc d;
    d.m_context.folder = folder.Path();
    d.m_context.in = &in;
    d.m_context.out = &out;
    ASSERT_TRUE(d.Run());
    ExpectInOrder(out.str(), {"INPUT ALTERATION MENU", "\n\nold gravity 9.81", "\ninput new gravity", "\nwhich ball?",
                              "\nERROR, INVALID BALL NUMBER", "\n\nx,y,r, old vx, vy, vtheta",
                              "\n1.5 1.1 0.5 0 0 0", "\n\nold contact tolerance dntol 0.05"});
    EXPECT_DOUBLE_EQ(d.Model().gravity, 3.5);
    EXPECT_DOUBLE_EQ(d.Model().balls[2].vy, 2);
    EXPECT_DOUBLE_EQ(d.Model().dntol, 0.2);
    // The boxes grew with the tolerance.
    EXPECT_GE(d.Search().Grid().xdim, 2 * (0.5 + 0.1));
}

} // namespace

namespace {

// A wall driven by the vibration table, far from a single ball.
DiscCaseBuilder TableWallCase()
{
    DiscCaseBuilder c;
    c.dntol = 0.02;
    c.Ball(0, 5, 0.5, 2);
    c.Wall(-5, 0, 20, 0);
    c.walls.back().kind = 20;
    return c;
}

}  // namespace

// The automatic run asks for the table on its console as the interactive one
// does, and the wall then takes one table value per step as its velocity; a
// table shorter than the most it can hold keeps giving its last value.
TEST(DiscRun, AutomaticRunDrivesTableWallsFromTheTableItIsGiven)
{
    const DiscCaseBuilder c = TableWallCase();
    AutomaticRun run(&c, 0.2);
    std::string table;
    double sum = 0;
    for (int k = 1; k <= 100; ++k) {
        table += std::to_string(0.001 * k) + "\n";
        sum += 0.001 * k;
    }
    DiscCaseBuilder::WriteText(run.folder.Path(), "table.txt", table);
    std::istringstream in("table.txt\n7\n5\n");
    run.disc.m_context.in = &in;
    ASSERT_TRUE(run.disc.Run()) << run.disc.m_context.error;
    ExpectInOrder(run.out.str(), {"\nenter vibrating wall data file name", "enter vibration direction (x=4,y=5,th=6)",
                                  "enter vibration direction (x=4,y=5,th=6)", "\nSIMULATION COMPLETED"});
    const int steps = run.disc.m_context.frameTotal;
    ASSERT_GT(steps, 100);
    const double dt = run.disc.m_context.timeStep;
    const disc::Wall& wall = run.disc.Model().walls[1];
    EXPECT_NEAR(wall.y1, dt * (sum + (steps - 100) * 0.1), 1e-9);
    EXPECT_NEAR(wall.y2, wall.y1, 1e-12);
    EXPECT_DOUBLE_EQ(wall.vy, 0.1);
    EXPECT_EQ(wall.x1, -5.0);

    // Nobody to name the table: the run stops with a reason, nothing stored.
    AutomaticRun silent(&c, 0.2);
    std::istringstream nothing("");
    silent.disc.m_context.in = &nothing;
    EXPECT_FALSE(silent.disc.Run());
    EXPECT_EQ(silent.disc.m_context.error, "no vibrating wall data file was named");
    EXPECT_TRUE(silent.doc.frames.empty());
}

namespace {

// Every line of a measurement file, and how many there are.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    std::string line;
    while (std::getline(s, line))
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

}  // namespace

// The measurements asked for in the data storage menu are printed and also
// kept in the files named for them, in the run's folder.
TEST(DiscRun, MeasurementsGoToTheFilesNamedForThem)
{
    // A ball pressing on the face of a free polygon.
    DiscCaseBuilder c;
    c.dntol = 0.02;
    c.Ball(0.51, 0, 0.5, 1, 1.0, 0);
    c.Wall(1, -2, 1, 2, 1);
    c.walls.back().theta = 3.14159265358979323846 / 2;
    c.walls.back().d1 = -2;
    c.walls.back().yc = 0;
    c.walls.back().d2 = 2;
    c.polygons = "1\n2 100 1.5 0 0 0 0 0 0 0 1 1";
    c.wallProps = {1e3, 0, 0, 0, 0, 0, 0};   // soft: the contact lasts the whole run
    DiscFolder folder;
    c.Write(folder.Path());
    bool ok = false;
    const std::string out = Console(folder,
                                    "a\na\ncase\n"
                                    "c\nc\n0.0001\nd\n0.01\n\n"
                                    "d\n"
                                    "i\npolyinfo.txt\n10\n1\n1\n"
                                    "j\npolyforce.txt\n10\n1\n1\n"
                                    "h\n1\n0.5 0 2\nstress.txt\n10\n"
                                    "f\nlocation.txt\n1\n1 12\n10\n"
                                    "\n"
                                    "f\n",
                                    &ok);
    ASSERT_TRUE(ok) << out;
    struct Expected {
        const char* file;
        size_t lines;
    };
    // 100 steps, one write every 10: time and six values per polygon; a
    // count line and seven values per force record (the ball's contact);
    // one tensor line; the start location, then each new location as the
    // pushed polygon moves its face.
    const Expected expected[] = {
        {"polyinfo.txt", 10 * 7},
        {"polyforce.txt", 10 * 8},
        {"stress.txt", 10},
        {"location.txt", 0},
    };
    for (const Expected& e : expected) {
        const std::vector<std::string> lines = Lines(folder.Read(e.file));
        if (e.lines)
            EXPECT_EQ(lines.size(), e.lines) << e.file;
        else
            EXPECT_GE(lines.size(), 2u) << e.file;
        // Every line written was printed too (the start location only goes to the file).
        for (size_t i = std::string(e.file) == "location.txt" ? 1 : 0; i < lines.size(); ++i)
            EXPECT_NE(out.find("\n" + lines[i] + "\n"), std::string::npos) << e.file << ": " << lines[i];
    }
    EXPECT_EQ(Lines(folder.Read("location.txt"))[0], "0 1");
    EXPECT_EQ(Lines(folder.Read("stress.txt"))[0].substr(0, 6), "0.001 ");

    // The area inside a flexible boundary.
    DiscCaseBuilder flexible;
    flexible.dntol = 0.02;
    for (int i = 1; i <= 4; ++i)
        flexible.Ball(i * 1.05, 0.6, 0.5, 1);
    flexible.Wall(0, -1, 5, -1);
    flexible.Wall(5, -1, 5, 3, -1);
    flexible.flexible = "1\n1 1 10 0.5 1 2";
    DiscFolder second;
    flexible.Write(second.Path());
    const std::string printed = Console(second, "a\na\ncase\nc\nc\n0.0001\nd\n0.001\n\nd\ng\narea.txt\n5\n\nf\n", &ok);
    ASSERT_TRUE(ok) << printed;
    const std::vector<std::string> area = Lines(second.Read("area.txt"));
    ASSERT_EQ(area.size(), 2u);
    EXPECT_EQ(area[0].substr(0, 13), "0.0005000000 ");
    EXPECT_NE(printed.find("\n" + area[1]), std::string::npos);
}
