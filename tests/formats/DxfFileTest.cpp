#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <vector>
#include "framework/Afx.h"
#include "tests/support/TempFiles.h"
#include "formats/DxfChain.h"
#include "formats/DxfFile.h"

namespace {

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// Group pairs as DXF files write them, the code right-aligned in three columns.
std::string Pairs(std::initializer_list<std::pair<int, const char*>> pairs)
{
    std::string s;
    for (const auto& [code, value] : pairs) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d\n", code);
        s += buf;
        s += value;
        s += '\n';
    }
    return s;
}

std::string Line(const char* layer, const char* x1, const char* y1, const char* x2, const char* y2)
{
    return Pairs({{0, "LINE"}, {8, layer}, {10, x1}, {20, y1}, {30, "0"}, {11, x2}, {21, y2}, {31, "0"}});
}

std::string Vertex(const char* layer, const char* x, const char* y)
{
    return Pairs({{0, "VERTEX"}, {8, layer}, {10, x}, {20, y}, {30, "0"}});
}

const std::string kEof = Pairs({{0, "EOF"}});

struct Segment
{
    double x1, y1, x2, y2;
    std::string layer;
    bool operator==(const Segment& o) const
    {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2 && layer == o.layer;
    }
};

std::ostream& operator<<(std::ostream& os, const Segment& s)
{
    return os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ") on '" << s.layer << "'";
}

struct Chain
{
    std::vector<CVector2D> points;
    std::string layer;
    bool closed;
    bool operator==(const Chain& o) const
    {
        return points == o.points && layer == o.layer && closed == o.closed;
    }
};

std::ostream& operator<<(std::ostream& os, const Chain& c)
{
    os << "'" << c.layer << "'" << (c.closed ? " closed" : "") << ":";
    for (const CVector2D& p : c.points)
        os << " (" << p.x << "," << p.y << ")";
    return os;
}

struct Segments
{
    std::vector<Segment> segments;
    std::string error;
};

Segments ReadSegments(const std::string& bytes)
{
    TempPath path;
    WriteBytes(path.c_str(), bytes);
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    CDxfFile dxf(&file);
    Segments result;
    Segment s;
    CString layer;
    while (dxf.ReadSegment(s.x1, s.y1, s.x2, s.y2, layer)) {
        s.layer = static_cast<LPCSTR>(layer);
        result.segments.push_back(s);
        if (result.segments.size() > 1000)
            break;  // a reader that never ends would otherwise hang the test
    }
    result.error = static_cast<LPCSTR>(dxf.GetReadError());
    return result;
}

struct Chains
{
    std::vector<Chain> chains;
    std::string error;
};

Chains ReadChainsFromFile(const char* path)
{
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    CDxfFile dxf(&file);
    Chains result;
    const CVector2D* points = nullptr;
    int segments = 0;
    CString layer;
    bool closed = false;
    while (dxf.GetNextPolyline(points, segments, layer, closed, true)) {
        result.chains.push_back({std::vector<CVector2D>(points, points + segments + 1),
                                 static_cast<LPCSTR>(layer), closed});
        if (result.chains.size() > 1000)
            break;
    }
    result.error = static_cast<LPCSTR>(dxf.GetReadError());
    return result;
}

Chains ReadChains(const std::string& bytes)
{
    TempPath path;
    WriteBytes(path.c_str(), bytes);
    return ReadChainsFromFile(path.c_str());
}

std::vector<Chain> Chain1(std::vector<CVector2D> points, const char* layer, bool closed = false)
{
    return {Chain{std::move(points), layer, closed}};
}

} // namespace

// ---------------------------------------------------------------------------
// Segments, entity by entity

TEST(DxfRead, SegmentsOfEachEntityKind)
{
    struct Case
    {
        const char* what;
        std::string body;
        std::vector<Segment> expected;
    };
    const std::string polylineHead = Pairs({{0, "POLYLINE"}, {8, "P"}, {66, "1"}, {10, "0"}, {20, "0"}});
    const std::string abc = Vertex("V", "0", "0") + Vertex("V", "1", "0") + Vertex("W", "1", "1");
    const std::string seqend = Pairs({{0, "SEQEND"}, {8, "P"}});
    const std::string lastLine = Line("L", "7", "7", "8", "8");
    const Segment lastSegment{7, 7, 8, 8, "L"};
    const Case cases[] = {
        {"a line; z is ignored", Line("A", "1", "2.5", "-3", "4e2"), {{1, 2.5, -3, 400, "A"}}},
        {"a line's groups in any order, layer 0 without group 8",
         Pairs({{0, "LINE"}, {21, "4"}, {11, "3"}, {20, "2"}, {10, "1"}}), {{1, 2, 3, 4, "0"}}},
        {"a line without its end y gives nothing and takes nothing of the next entity",
         Pairs({{0, "LINE"}, {8, "A"}, {10, "1"}, {20, "2"}, {11, "3"}}) + lastLine, {lastSegment}},
        {"an open polyline: the first segment on the polyline's layer, then the vertices' layers",
         polylineHead + Pairs({{70, "0"}}) + abc + seqend, {{0, 0, 1, 0, "P"}, {1, 0, 1, 1, "W"}}},
        {"a closed polyline closes on its own layer",
         polylineHead + Pairs({{70, "1"}}) + abc + seqend,
         {{0, 0, 1, 0, "P"}, {1, 0, 1, 1, "W"}, {1, 1, 0, 0, "P"}}},
        {"an odd vertex flag does not close the polyline",
         polylineHead + Pairs({{70, "8"}}) + Vertex("V", "0", "0") + Pairs({{70, "1"}}) +
             Vertex("V", "1", "0") + Pairs({{70, "33"}}) + seqend,
         {{0, 0, 1, 0, "P"}}},
        {"a vertex without a layer is on the polyline's",
         polylineHead + abc + Pairs({{0, "VERTEX"}, {10, "2"}, {20, "2"}}) + seqend,
         {{0, 0, 1, 0, "P"}, {1, 0, 1, 1, "W"}, {1, 1, 2, 2, "P"}}},
        {"a polyline of one vertex gives nothing",
         polylineHead + Pairs({{70, "1"}}) + Vertex("V", "5", "5") + seqend + lastLine, {lastSegment}},
        {"a polyline of no vertex gives nothing", polylineHead + seqend + lastLine, {lastSegment}},
        {"a vertex without its y is left out",
         polylineHead + Vertex("V", "0", "0") + Pairs({{0, "VERTEX"}, {10, "9"}}) + Vertex("V", "1", "0") +
             seqend,
         {{0, 0, 1, 0, "P"}}},
        {"a closed polyline without SEQEND ends at the next entity, unclosed",
         polylineHead + Pairs({{70, "1"}}) + abc + lastLine,
         {{0, 0, 1, 0, "P"}, {1, 0, 1, 1, "W"}, lastSegment}},
        {"a polyline without SEQEND ends at the end of the file", polylineHead + abc,
         {{0, 0, 1, 0, "P"}, {1, 0, 1, 1, "W"}}},
        {"a closed lightweight polyline of three vertices gives three segments",
         Pairs({{0, "LWPOLYLINE"}, {8, "G"}, {90, "3"}, {70, "1"}, {10, "0"}, {20, "0"}, {10, "2"}, {20, "0"},
                {10, "2"}, {20, "1"}}),
         {{0, 0, 2, 0, "G"}, {2, 0, 2, 1, "G"}, {2, 1, 0, 0, "G"}}},
        {"a lightweight polyline without a count ends at the next entity",
         Pairs({{0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}}) + lastLine,
         {{0, 0, 1, 0, "0"}, lastSegment}},
        {"a count of a billion takes the vertices there are and nothing of the next entity",
         Pairs({{0, "LWPOLYLINE"}, {90, "1000000000"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}}) + lastLine,
         {{0, 0, 1, 0, "0"}, lastSegment}},
        {"a count beyond the integers and a negative one are no limit",
         Pairs({{0, "LWPOLYLINE"}, {90, "99999999999"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}}) +
             Pairs({{0, "LWPOLYLINE"}, {90, "-2"}, {10, "0"}, {20, "1"}, {10, "1"}, {20, "1"}}),
         {{0, 0, 1, 0, "0"}, {0, 1, 1, 1, "0"}}},
        {"the count limits the vertices taken",
         Pairs({{0, "LWPOLYLINE"}, {90, "2"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "0"}, {10, "1"}, {20, "1"}}),
         {{0, 0, 1, 0, "0"}}},
        {"a lightweight polyline of one vertex gives nothing, even closed",
         Pairs({{0, "LWPOLYLINE"}, {90, "1"}, {70, "1"}, {10, "3"}, {20, "3"}}) + lastLine, {lastSegment}},
        {"a y without its x makes no vertex",
         Pairs({{0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {20, "5"}, {10, "1"}, {20, "1"}}), {{0, 0, 1, 1, "0"}}},
        {"entity names are compared exactly",
         Pairs({{0, " LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
             Pairs({{0, "line"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
             Pairs({{0, "LINE "}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}),
         {}},
        {"unknown, negative and comment codes are passed over",
         Pairs({{999, "a comment"}, {0, "LINE"}, {-1, "x"}, {102, "{ACAD_REACTORS"}, {1071, "12"}, {8, "A"},
                {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}),
         {{0, 0, 1, 1, "A"}}},
        {"vertices outside a polyline and other entities are passed over",
         Vertex("V", "1", "1") + Pairs({{0, "SEQEND"}, {0, "CIRCLE"}, {10, "1"}, {20, "1"}, {40, "2"}}) + lastLine,
         {lastSegment}},
        {"sections are not told apart: a block's line is read",
         Pairs({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"}}) + Line("B", "0", "0", "1", "0") +
             Pairs({{0, "ENDBLK"}, {0, "ENDSEC"}}),
         {{0, 0, 1, 0, "B"}}},
        {"nothing after the EOF marker is read", Line("A", "0", "0", "1", "0") + kEof + "junk\n",
         {{0, 0, 1, 0, "A"}}},
    };
    for (const Case& c : cases) {
        for (bool crlf : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (crlf ? " (CR LF)" : " (LF)"));
            std::string text = c.body;
            if (text.find("EOF") == std::string::npos)
                text += kEof;
            const Segments got = ReadSegments(crlf ? WithCrLf(text) : text);
            EXPECT_EQ(got.segments, c.expected);
            EXPECT_EQ(got.error, "");
        }
    }
}

TEST(DxfRead, BrokenFilesStopWithAReasonAndHandOutNothing)
{
    struct Case
    {
        const char* what;
        std::string text;
        const char* reasonStart;  // the line the reader names
    };
    const std::string line = Line("A", "0", "0", "1", "0");  // 16 lines
    const Case cases[] = {
        {"an empty file", "", "The DXF file is empty"},
        {"no EOF marker", line, "Line 16 "},
        {"a code without its value", line + "  0\n", "Line 17 "},
        {"a code that is no number", line + "LINE\n  0\n" + kEof, "Line 17 "},
        {"a code with trailing text", line + " 10x\n1\n" + kEof, "Line 17 "},
        {"a coordinate that is no number", Pairs({{0, "LINE"}, {10, "abc"}}) + kEof, "Line 4 "},
        {"a coordinate with trailing text", Pairs({{0, "LINE"}, {10, "1.5.3"}}) + kEof, "Line 4 "},
        {"a coordinate that is not finite", Pairs({{0, "LINE"}, {20, "nan"}}) + kEof, "Line 4 "},
        {"a coordinate beyond the doubles", Pairs({{0, "LWPOLYLINE"}, {10, "1e999"}}) + kEof, "Line 4 "},
        {"a vertex coordinate that is no number",
         Pairs({{0, "POLYLINE"}, {0, "VERTEX"}, {10, ""}}) + kEof, "Line 6 "},
        {"a count that is no number", Pairs({{0, "LWPOLYLINE"}, {90, "many"}}) + kEof, "Line 4 "},
        {"a polyline flag that is no number", Pairs({{0, "POLYLINE"}, {70, "one"}}) + kEof, "Line 4 "},
        {"a binary file", std::string("AutoCAD Binary DXF\r\n\x1a\0\x00\x00", 24), "Line 1 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The segments before the fault may come out; the polylines never do.
        const Segments segments = ReadSegments(c.text);
        EXPECT_EQ(segments.error.rfind(c.reasonStart, 0), 0u) << segments.error;
        const Chains chains = ReadChains(c.text);
        EXPECT_TRUE(chains.chains.empty());
        EXPECT_NE(chains.error, "");
    }
}

TEST(DxfRead, DamagedCopiesOfAFileEndCleanly)
{
    // Lines dropped, repeated or replaced at random: every copy is read to an
    // end, with segments from the file's own numbers or with a reason.
    const std::string path = std::string(CLASTOR_TEST_DATA) + "/dxf/lf_endings.dxf";
    std::vector<std::string> lines;
    {
        CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
        CString line;
        while (file.ReadString(line))
            lines.emplace_back(line);
    }
    const char* junk[] = {"", "  0", "VERTEX", "SEQEND", "LWPOLYLINE", " 90", "2147483648", "-7", "1e308", "x"};
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> copy = lines;
        for (int change = 1 + random() % 4; change > 0; --change) {
            const size_t at = random() % copy.size();
            switch (random() % 3) {
            case 0: copy.erase(copy.begin() + at); break;
            case 1: copy.insert(copy.begin() + at, copy[at]); break;
            default: copy[at] = junk[random() % 10]; break;
            }
        }
        std::string text;
        std::vector<double> numbers;
        for (const std::string& l : copy) {
            text += l + "\n";
            char* stop = nullptr;
            const double v = std::strtod(l.c_str(), &stop);
            if (stop != l.c_str())
                numbers.push_back(v);
        }
        const Segments got = ReadSegments(text);
        ASSERT_LT(got.segments.size(), 12u) << "round " << round;
        for (const Segment& s : got.segments)
            for (double v : {s.x1, s.y1, s.x2, s.y2})
                ASSERT_NE(std::find(numbers.begin(), numbers.end(), v), numbers.end())
                    << "round " << round << ": " << s;
    }
}

// ---------------------------------------------------------------------------
// Chaining

TEST(DxfChain, JoinsHeadToTailOnTheSameLayer)
{
    using V = CVector2D;
    struct Case
    {
        const char* what;
        std::string body;
        std::vector<Chain> expected;
    };
    const Case cases[] = {
        {"two lines in a row", Line("A", "0", "0", "1", "0") + Line("A", "1", "0", "1", "1"),
         Chain1({V(0, 0), V(1, 0), V(1, 1)}, "A")},
        {"a line drawn the other way starts its own polyline",
         Line("A", "0", "0", "1", "0") + Line("A", "1", "1", "1", "0"),
         {Chain{{V(0, 0), V(1, 0)}, "A", false}, Chain{{V(1, 1), V(1, 0)}, "A", false}}},
        {"a line ending at the start is put in front",
         Line("A", "1", "0", "2", "0") + Line("A", "0", "0", "1", "0"), Chain1({V(0, 0), V(1, 0), V(2, 0)}, "A")},
        {"layers agreeing on eight characters join",
         Line("GROUND_A1", "0", "0", "1", "0") + Line("GROUND_A2", "1", "0", "2", "0"),
         Chain1({V(0, 0), V(1, 0), V(2, 0)}, "GROUND_A1")},
        {"layers differing within eight characters do not",
         Line("GROUND1", "0", "0", "1", "0") + Line("GROUND2", "1", "0", "2", "0"),
         {Chain{{V(0, 0), V(1, 0)}, "GROUND1", false}, Chain{{V(1, 0), V(2, 0)}, "GROUND2", false}}},
        {"a shorter name compares to its end",
         Line("AB", "0", "0", "1", "0") + Line("ABC", "1", "0", "2", "0"),
         {Chain{{V(0, 0), V(1, 0)}, "AB", false}, Chain{{V(1, 0), V(2, 0)}, "ABC", false}}},
        {"a triangle closes",
         Line("A", "0", "0", "4", "0") + Line("A", "4", "0", "4", "3") + Line("A", "4", "3", "0", "0"),
         Chain1({V(0, 0), V(4, 0), V(4, 3), V(0, 0)}, "A", true)},
        {"points are compared exactly",
         Line("A", "0", "0", "0.1", "0") + Line("A", "0.1000000000000001", "0", "1", "0"),
         {Chain{{V(0, 0), V(0.1, 0)}, "A", false}, Chain{{V(0.1000000000000001, 0), V(1, 0)}, "A", false}}},
        {"a closed polyline and a lightweight one in turn",
         Pairs({{0, "POLYLINE"}, {8, "H"}, {70, "1"}}) + Vertex("H", "0", "0") + Vertex("H", "2", "0") +
             Vertex("H", "2", "2") + Pairs({{0, "SEQEND"}}) +
             Pairs({{0, "LWPOLYLINE"}, {8, "G"}, {90, "2"}, {10, "5"}, {20, "5"}, {10, "6"}, {20, "4"}}),
         {Chain{{V(0, 0), V(2, 0), V(2, 2), V(0, 0)}, "H", true}, Chain{{V(5, 5), V(6, 4)}, "G", false}}},
        {"a file without segments gives no polyline", Pairs({{0, "CIRCLE"}, {10, "0"}, {20, "0"}, {40, "1"}}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Chains got = ReadChains(c.body + kEof);
        EXPECT_EQ(got.chains, c.expected);
        EXPECT_EQ(got.error, "");
    }
}

namespace {

// The chaining written plainly: a scan over the whole list from its start,
// repeated while it joins anything.
std::vector<CDxfPolyline> PlainChaining(const std::vector<CDxfSegment>& segs)
{
    std::vector<CDxfPolyline> out;
    std::vector<bool> taken(segs.size(), false);
    auto sameLayer = [](const CString& a, const CString& b) { return std::strncmp(a, b, 8) == 0; };
    for (size_t s = 0; s < segs.size(); ++s) {
        if (taken[s])
            continue;
        taken[s] = true;
        std::vector<CVector2D> pts{segs[s].from, segs[s].to};
        bool joined = true, finished = false;
        while (joined && !finished) {
            joined = false;
            for (size_t t = 0; t < segs.size() && !finished; ++t) {
                if (taken[t])
                    continue;
                if (segs[t].from == pts.back() && sameLayer(segs[t].layer, segs[s].layer)) {
                    pts.push_back(segs[t].to);
                    taken[t] = joined = true;
                } else if (segs[t].to == pts.front() && sameLayer(segs[t].layer, segs[s].layer)) {
                    pts.insert(pts.begin(), segs[t].from);
                    taken[t] = joined = true;
                }
                finished = pts.front() == pts.back();
            }
        }
        CDxfPolyline p;
        p.closed = pts.front() == pts.back() && pts.size() >= 3;
        p.points = std::move(pts);
        p.layer = segs[s].layer;
        out.push_back(std::move(p));
    }
    return out;
}

} // namespace

TEST(DxfChain, AgreesWithThePlainRepeatedScan)
{
    // Short segments on a small grid give branches, loops, reversed and
    // zero-length segments and two layers that agree on eight characters.
    std::mt19937 random(20241);
    const char* layers[] = {"SLOPE_LEFT", "SLOPE_RIGHT", "OTHER"};
    for (int round = 0; round < 3000; ++round) {
        std::vector<CDxfSegment> segs(1 + random() % 14);
        for (CDxfSegment& s : segs) {
            s.from = CVector2D(random() % 3, random() % 3);
            s.to = CVector2D(random() % 3, random() % 3);
            s.layer = layers[random() % 3];
        }
        const std::vector<CDxfPolyline> expected = PlainChaining(segs);
        const std::vector<CDxfPolyline> got = ChainDxfSegments(segs);
        ASSERT_EQ(got.size(), expected.size()) << "round " << round;
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].points, expected[i].points) << "round " << round << " polyline " << i;
            ASSERT_EQ(got[i].layer, expected[i].layer);
            ASSERT_EQ(got[i].closed, expected[i].closed);
        }
    }
}

TEST(DxfChain, HandOutStartsOverAndReleasesOnlyWhenAsked)
{
    TempPath path;
    WriteBytes(path.c_str(), Line("A", "0", "0", "1", "0") + Line("B", "5", "5", "6", "6") + kEof);
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    CDxfFile dxf(&file);
    const CVector2D* points = nullptr;
    int n = 0;
    CString layer;
    bool closed = true;

    // Without build-and-release nothing has been read yet.
    EXPECT_EQ(dxf.GetNextPolyline(points, n, layer, closed, false), 0);
    ASSERT_EQ(dxf.GetNextPolyline(points, n, layer, closed, true), 1);
    EXPECT_EQ(layer, "A");
    EXPECT_EQ(n, 1);
    EXPECT_FALSE(closed);
    EXPECT_EQ(points[1], CVector2D(1, 0));
    ASSERT_EQ(dxf.GetNextPolyline(points, n, layer, closed, false), 1);
    EXPECT_EQ(layer, "B");
    EXPECT_EQ(dxf.GetNextPolyline(points, n, layer, closed, false), 0);
    // Kept: the hand-out starts over.
    ASSERT_EQ(dxf.GetNextPolyline(points, n, layer, closed, false), 1);
    EXPECT_EQ(layer, "A");
    ASSERT_EQ(dxf.GetNextPolyline(points, n, layer, closed, true), 1);
    EXPECT_EQ(dxf.GetNextPolyline(points, n, layer, closed, true), 0);
    // Released, and the file is read to its end.
    EXPECT_EQ(dxf.GetNextPolyline(points, n, layer, closed, false), 0);
    EXPECT_EQ(dxf.GetNextPolyline(points, n, layer, closed, true), 0);
    EXPECT_EQ(dxf.GetReadError(), "");
}

TEST(DxfChain, ReadsFilesWithEitherLineEnd)
{
    using V = CVector2D;
    const std::vector<Chain> expected = {
        Chain{{V(0, 0), V(4, 0), V(4, 3), V(0, 0)}, "HOUSE", true},
        Chain{{V(0, 10), V(5.5, 8.25), V(12, 3.1), V(20, 0.1)}, "GROUND", false}};
    for (const char* name : {"/dxf/crlf_endings.dxf", "/dxf/lf_endings.dxf"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(CLASTOR_TEST_DATA) + name;
        const Chains got = ReadChainsFromFile(path.c_str());
        EXPECT_EQ(got.chains, expected);
        EXPECT_EQ(got.error, "");
    }
}

TEST(DxfChain, ReadsAFileWrittenByAnotherDxfLibrary)
{
    // Written by Debian's python3-ezdxf (tests/data/dxf/make_library_fixture.py):
    // subclass markers, handles, a CIRCLE and a 2D POLYLINE with its dummy point.
    using V = CVector2D;
    const std::string path = std::string(CLASTOR_TEST_DATA) + "/dxf/library_slope.dxf";
    const Chains got = ReadChainsFromFile(path.c_str());
    const std::vector<Chain> expected = {
        Chain{{V(40, 0), V(44, 0), V(44, 3), V(40, 0)}, "HOUSE", true},
        Chain{{V(0, 10), V(5.5, 8.25), V(12, 3.1), V(20, 0.1), V(30, 0)}, "GROUND", false}};
    EXPECT_EQ(got.chains, expected);
    EXPECT_EQ(got.error, "");
}

// ---------------------------------------------------------------------------
// Writing

namespace {

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    if (start < text.size())
        lines.push_back(text.substr(start) + "<no line end>");
    return lines;
}

} // namespace

TEST(DxfWrite, WritesTheWholeFileLineForLine)
{
    TempPath path;
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        CDxfFile dxf(&file);
        dxf.WriteHeader(-0.2, 1.0 / 3.0, 20.2, 1e21);
        dxf.WriteTables();
        dxf.BeginEntities();
        const CVector2D points[] = {CVector2D(0.1, 2), CVector2D(-3, 1.0 / 3.0)};
        dxf.WritePolyline(points, 2, RGB(255, 255, 255), "SLOPE");
        dxf.WritePolyline(points, 1, RGB(255, 255, 255), "ONE_POINT");
        dxf.WritePolyline(points, 0, RGB(255, 255, 255), "NO_POINT");
        dxf.WriteEnd();
        file.Close();
    }
    const std::vector<std::string> expected = {
        // header
        "  0", "SECTION", "  2", "HEADER", "  9", "$EXTMIN", " 10", "-0.2", " 20", "0.3333333333333333",
        " 30", "0.0", "  9", "$EXTMAX", " 10", "20.2", " 20", "1e+21", " 30", "0.0", "  0", "ENDSEC",
        // tables
        "  0", "SECTION", "  2", "TABLES",
        "  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  0", "LTYPE", "  2", "CONTINUOUS", " 70", "    64",
        "  3", "Solid line", " 72", "    65", " 73", "     0", " 40", "0.0", "  0", "ENDTAB",
        "  0", "TABLE", "  2", "LAYER", " 70", "     2", "  0", "LAYER", "  2", "0", " 70", "     0",
        " 62", "     7", "  6", "CONTINUOUS", "  0", "ENDTAB",
        "  0", "TABLE", "  2", "STYLE", " 70", "     1", "  0", "STYLE", "  2", "STANDARD", " 70", "     0",
        " 40", "0.0", " 41", "1.0", " 50", "0.0", " 71", "     0", " 42", "0.2", "  3", "txt", "  4", "",
        "  0", "ENDTAB", "  0", "ENDSEC",
        // entities
        "  0", "SECTION", "  2", "ENTITIES",
        "  0", "POLYLINE", "  8", "SLOPE", " 62", "     7", " 40", "0", " 41", "0", " 66", "     1",
        "  0", "VERTEX", "  8", "SLOPE", " 62", "     7", " 10", "0.1", " 20", "2", " 30", "0",
        "  0", "VERTEX", "  8", "SLOPE", " 62", "     7", " 10", "-3", " 20", "0.3333333333333333", " 30", "0",
        "  0", "SEQEND", "  8", "SLOPE",
        "  0", "ENDSEC", "  0", "EOF"};
    EXPECT_EQ(SplitCrLf(ReadBytes(path.c_str())), expected);
}

TEST(DxfWrite, WrittenPolylinesReadBack)
{
    using V = CVector2D;
    const std::vector<Chain> drawn = {
        Chain{{V(0, 10), V(5.5, 8.25), V(12.125, -3), V(30, 0)}, "SLOPE", false},
        Chain{{V(1, 1), V(2, 1), V(2, 2), V(1, 1)}, "BARRIER", true},
        Chain{{V(2.5, 4), V(3.5, 4)}, "SEEDER", false},
        Chain{{V(3, 3.5), V(3, 4.5)}, "SEEDER", false}};
    TempPath path;
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        CDxfFile dxf(&file);
        dxf.WriteHeader(0, -3, 30, 10);
        dxf.WriteTables();
        dxf.BeginEntities();
        for (const Chain& c : drawn)
            dxf.WritePolyline(c.points.data(), static_cast<int>(c.points.size()), RGB(255, 0, 0), c.layer.c_str());
        dxf.WriteEnd();
        file.Close();
    }
    const Chains got = ReadChainsFromFile(path.c_str());
    EXPECT_EQ(got.chains, drawn);
    EXPECT_EQ(got.error, "");
}

// Leaves written.dxf and written.txt (what it holds, one polyline a line:
// layer, colour number, x y ...) in the working directory, where an
// independent DXF library reads them after this program (see CMakeLists.txt).
TEST(DxfWrite, LeavesAFileForAnIndependentReader)
{
    struct Part
    {
        std::vector<CVector2D> points;
        COLORREF colour;
        const char* layer;
    };
    const Part parts[] = {
        {{CVector2D(-0.2, 20.2), CVector2D(5, 12.5), CVector2D(10, 1.0 / 3.0), CVector2D(20, -0.2)},
         RGB(0xC0, 0xC0, 0xC0), "SLOPE"},
        {{CVector2D(12, 3), CVector2D(12, 6)}, RGB(255, 0, 0), "BARRIER"},
        {{CVector2D(15, 1), CVector2D(15, 4)}, RGB(0, 0, 255), "COLLECTOR"},
        {{CVector2D(2.5, 4), CVector2D(3.5, 4)}, RGB(0, 0, 0), "SEEDER"},
        {{CVector2D(3, 3.5), CVector2D(3, 4.5)}, RGB(0, 0, 0), "SEEDER"},
        {{CVector2D(1, 19), CVector2D(1, 19), CVector2D(6, 12)}, RGB(255, 191, 170), "ALL_PATHS"},
    };
    {
        CStdioFile file("written.dxf", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        CDxfFile dxf(&file);
        dxf.WriteHeader(-0.4, -0.4, 20.4, 20.4);
        dxf.WriteTables();
        dxf.BeginEntities();
        for (const Part& p : parts)
            dxf.WritePolyline(p.points.data(), static_cast<int>(p.points.size()), p.colour, p.layer);
        dxf.WriteEnd();
        file.Close();
    }
    std::ofstream expected("written.txt");
    expected.precision(17);
    expected << "extents -0.4 -0.4 20.4 20.4\n";
    for (const Part& p : parts) {
        expected << p.layer << " " << CDxfFile::NearestColourIndex(p.colour);
        for (const CVector2D& v : p.points)
            expected << " " << v.x << " " << v.y;
        expected << "\n";
    }
    EXPECT_TRUE(expected.good());
}

// ---------------------------------------------------------------------------
// Colours

TEST(DxfColour, NearestColourNumber)
{
    struct Case
    {
        COLORREF colour;
        int index;
    };
    const Case cases[] = {
        {RGB(0, 0, 0), 0},          {RGB(255, 255, 255), 7},   {RGB(255, 0, 0), 1},
        {RGB(255, 255, 0), 2},      {RGB(0, 255, 0), 3},       {RGB(0, 255, 255), 4},
        {RGB(0, 0, 255), 5},        {RGB(255, 0, 255), 6},     {RGB(65, 65, 65), 8},
        {RGB(128, 128, 128), 9},    {RGB(255, 170, 170), 11},  {RGB(189, 0, 0), 12},
        {RGB(189, 126, 126), 13},   {RGB(129, 0, 0), 14},      {RGB(129, 86, 86), 15},
        {RGB(104, 0, 0), 16},       {RGB(104, 69, 69), 17},    {RGB(79, 0, 0), 18},
        {RGB(79, 53, 53), 19},      {RGB(255, 63, 0), 20},     {RGB(255, 191, 170), 21},
        {RGB(51, 51, 51), 250},     {RGB(80, 80, 80), 251},    {RGB(105, 105, 105), 252},
        {RGB(130, 130, 130), 253},  {RGB(190, 190, 190), 254}, {RGB(0xC0, 0xC0, 0xC0), 254},
        {RGB(250, 5, 2), 1},        {RGB(254, 254, 250), 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDxfFile::NearestColourIndex(c.colour), c.index) << std::hex << c.colour;
}
