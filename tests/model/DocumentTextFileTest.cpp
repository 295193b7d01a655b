// Line-level rules of the document text file: real numbers that read back
// exactly, line endings, data lines and comments, counts that are checked,
// and a save that never damages the previous file.
#include <gtest/gtest.h>

#include <windows.h>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "model/DocumentTextFile.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TempFolder()
{
    char buf[MAX_PATH];
    ::GetTempPathA(MAX_PATH, buf);
    std::string folder = std::string(buf) + "clastor-textfile-test\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST(FormatReal, EqualsPercentGWhenSixDigitsAreExact)
{
    const struct { double value; const char* text; } cases[] = {
        {0.1, "0.1"},        {9.144, "9.144"},   {1000.0, "1000"}, {0.0, "0"},
        {-2.5, "-2.5"},      {1e-5, "1e-05"},    {1e7, "1e+07"},   {123456.0, "123456"},
        {1e300, "1e+300"},   {-0.04, "-0.04"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatReal(c.value), c.text) << c.value;
}

TEST(FormatReal, KeepsEveryDigitThatSixWouldLose)
{
    const double values[] = {512345.67, 1234.5678, 0.1 + 0.2, 1.0 / 3.0, 12345678.9, DBL_MAX, -DBL_MAX,
                             DBL_MIN, 5e-324, 2.0 / 3.0 * 1e-200};
    for (double v : values) {
        std::string text = FormatReal(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    }
    EXPECT_EQ(FormatReal(512345.67), "512345.67");
}

TEST(DocumentTextReader, SplitsOnCrLfAndLfAndKeepsEmptyLines)
{
    CDocumentTextReader r;
    r.SetText("a\r\n\r\nb\nc");
    std::string line;
    const char* expected[] = {"a", "", "b", "c"};
    for (const char* e : expected) {
        ASSERT_TRUE(r.ReadLine(line));
        EXPECT_EQ(line, e);
    }
    EXPECT_FALSE(r.ReadLine(line));
}

TEST(DocumentTextReader, DataLinesSkipCommentsAndStopAtTheTrailer)
{
    CDocumentTextReader r;
    r.SetText("* comment\r\n*\r\n12\r\n\r\n[END SECTION]\r\nafter\r\n");
    std::string line;
    ASSERT_TRUE(r.ReadNextDataLine(line));
    EXPECT_EQ(line, "12");
    ASSERT_TRUE(r.ReadNextDataLine(line));  // an empty line is data
    EXPECT_EQ(line, "");
    EXPECT_FALSE(r.ReadNextDataLine(line));  // the trailer, consumed
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, "after");
}

TEST(DocumentTextReader, NameLinesAreTakenAsTheyStand)
{
    CDocumentTextReader r;
    r.SetText("*Star\r\n[END SECTION]\r\n");
    std::string line;
    ASSERT_TRUE(r.ReadNameLine(line));
    EXPECT_EQ(line, "*Star");
    ASSERT_TRUE(r.ReadNameLine(line));
    EXPECT_EQ(line, "[END SECTION]");
    EXPECT_FALSE(r.ReadNameLine(line));
}

TEST(DocumentTextReader, AMissingFileIsReportedAsSuch)
{
    CDocumentTextReader r;
    EXPECT_EQ(r.Open((TempFolder() + "no-such-file.cla").c_str()), CDocumentTextReader::cannotOpen);
}

TEST(ScanValues, ExactCountsAndThreeDigitExponents)
{
    int ints[3];
    double reals[4];
    EXPECT_TRUE(ScanInts("1\t2\t3", ints, 3));
    EXPECT_EQ(ints[2], 3);
    EXPECT_FALSE(ScanInts("1\t2", ints, 3));
    EXPECT_FALSE(ScanInts("", ints, 1));
    EXPECT_FALSE(ScanInts("x", ints, 1));
    EXPECT_FALSE(ScanInts("4294967296", ints, 1));  // does not fit
    EXPECT_TRUE(ScanReals("1e-005 -1.79769e+308\t2.5  7 trailing", reals, 4));
    EXPECT_EQ(reals[0], 1e-5);
    EXPECT_EQ(reals[1], -1.79769e308);
    EXPECT_EQ(reals[3], 7.0);
    EXPECT_FALSE(ScanReals("1 2 3", reals, 4));
}

TEST(ScanValues, CountsAreNeitherNegativeNorLargerThanTheDataLeft)
{
    int n = -7;
    EXPECT_TRUE(ScanCount("5", n, 5));
    EXPECT_EQ(n, 5);
    EXPECT_FALSE(ScanCount("6", n, 5));
    EXPECT_FALSE(ScanCount("-1", n, 5));
    EXPECT_FALSE(ScanCount("2000000000", n, 100));
    EXPECT_FALSE(ScanCount("", n, 5));
}

TEST(DocumentTextWriter, WritesCrLfLinesAndReplacesTheTarget)
{
    std::string path = TempFolder() + "written.cla";
    {
        std::ofstream old(path, std::ios::binary);
        old << "old contents";
    }
    CDocumentTextWriter w;
    w.Line("[START SECTION] 01 GENERAL");
    w.Linef("%d\t%s", 4, FormatReal(0.25).c_str());
    CString error;
    ASSERT_TRUE(w.CommitToFile(path.c_str(), error));
    EXPECT_EQ(ReadAll(path), "[START SECTION] 01 GENERAL\r\n4\t0.25\r\n");
    std::remove(path.c_str());
}

TEST(DocumentTextWriter, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    std::string folder = TempFolder() + "failing\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "locked.cla";
    {
        std::ofstream old(path, std::ios::binary);
        old << "old contents";
    }
    // Another program holding the file open without sharing makes the final
    // replacement fail.
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CDocumentTextWriter w;
    w.Line("new contents");
    CString error;
    EXPECT_FALSE(w.CommitToFile(path.c_str(), error));
    EXPECT_FALSE(error.IsEmpty());
    ::CloseHandle(h);
    EXPECT_EQ(ReadAll(path), "old contents");
    WIN32_FIND_DATAA fd;
    HANDLE find = ::FindFirstFileA((folder + "*.tmp").c_str(), &fd);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
    // A folder that does not exist cannot take the file either.
    EXPECT_FALSE(w.CommitToFile((folder + "missing\\x.cla").c_str(), error));
    std::remove(path.c_str());
}
