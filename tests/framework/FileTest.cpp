#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "framework/Afx.h"
#include "tests/support/TempFiles.h"

namespace {

std::vector<std::string> ReadLines(const char* path, UINT extraFlags = 0)
{
    CStdioFile f(path, CFile::modeRead | extraFlags);
    std::vector<std::string> lines;
    CString line;
    while (f.ReadString(line))
        lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(StdioFile, WritesCarriageReturnLineFeed)
{
    TempPath path;
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("[START SECTION] 01 Slope\n");
        f.WriteString("1.5 2\n\nlast");
        f.Close();
    }
    EXPECT_EQ(ReadBytes(path.c_str()), "[START SECTION] 01 Slope\r\n1.5 2\r\n\r\nlast");
}

TEST(StdioFile, ReadsEitherLineEnding)
{
    struct Case { std::string bytes; Lines lines; };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"\n\r\n\n", {"", "", ""}},
        {"", {}},
        {"x\ry\r\n", {"x\ry"}},          // a lone CR is text
        {"a\x1A" "b\n", {"a\x1A" "b"}},  // Ctrl+Z does not end the file
        {"tail\r", {"tail\r"}},
    };
    for (const Case& c : cases) {
        TempPath path;
        WriteBytes(path.c_str(), c.bytes);
        EXPECT_EQ(ReadLines(path.c_str()), c.lines) << c.bytes;
    }
    // Binary mode keeps the carriage return.
    TempPath path;
    WriteBytes(path.c_str(), "a\r\nb\n");
    EXPECT_EQ(ReadLines(path.c_str(), CFile::typeBinary), (Lines{"a\r", "b"}));
}

TEST(StdioFile, LinesLongerThanTheBufferAndEndingsAcrossIt)
{
    TempPath path;
    const size_t chunk = 64 * 1024;
    std::string bytes(chunk - 1, 'x');
    bytes += "\r\n";  // the CR is the buffer's last byte
    bytes += std::string(3 * chunk, 'y') + "\n" + "z";
    WriteBytes(path.c_str(), bytes);
    const Lines lines = ReadLines(path.c_str());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(chunk - 1, 'x'));
    EXPECT_EQ(lines[1].size(), 3 * chunk);
    EXPECT_EQ(lines[2], "z");

    // Text-mode Read drops the CR of a CR LF split across two buffers.
    CStdioFile f(path.c_str(), CFile::modeRead);
    std::string got(chunk + 10, '\0');
    const UINT n = f.Read(got.data(), static_cast<UINT>(got.size()));
    EXPECT_EQ(n, chunk + 10);
    EXPECT_EQ(got[chunk - 1], '\n');
    EXPECT_EQ(got[chunk], 'y');
}

TEST(StdioFile, PositionFollowsBufferedReadsAndWrites)
{
    TempPath path;
    CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    f.WriteString("one\ntwo\n");
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.GetLength(), 10u);
    f.SeekToBegin();
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "one");
    EXPECT_EQ(f.GetPosition(), 5u);
    f.WriteString("TWO\n");  // overwrites from the caller's position
    f.SeekToBegin();
    ASSERT_TRUE(f.ReadString(line));
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "TWO");
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST(File, OpenFailuresAreReportedWithTheirCause)
{
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open("C:\\no\\such\\dir\\file.cla", CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);
    EXPECT_EQ(e.m_lOsError, ERROR_PATH_NOT_FOUND);
    EXPECT_STREQ(e.m_strFileName, "C:\\no\\such\\dir\\file.cla");

    TempPath path;
    DeleteFileA(path.c_str());
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    try {
        CStdioFile missing(path.c_str(), CFile::modeRead);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* thrown) {
        EXPECT_EQ(thrown->m_cause, CFileException::fileNotFound);
        thrown->Delete();
    }

    // A file held with shareDenyWrite cannot be opened for writing.
    CFile holder(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
}

TEST(File, NamesSeekRenameAndRemove)
{
    TempPath path;
    CString renamed = CString(path.c_str()) + ".moved";
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
        EXPECT_STREQ(f.GetFilePath(), path.c_str());
        const CString name = f.GetFileName();
        EXPECT_EQ(name.Find('\\'), -1);
        EXPECT_TRUE(CString(path.c_str()).Right(name.GetLength()) == name);
        f.Write("0123456789", 10);
        EXPECT_EQ(f.Seek(-3, CFile::end), 7);
        char c;
        EXPECT_EQ(f.Read(&c, 1), 1u);
        EXPECT_EQ(c, '7');
        EXPECT_EQ(f.Seek(2, CFile::current), 10);
        EXPECT_EQ(f.Read(&c, 1), 0u);
        f.SetLength(4);
        EXPECT_EQ(f.GetLength(), 4u);
        f.Close();
    }
    CFile::Rename(path.c_str(), renamed);
    EXPECT_EQ(ReadBytes(renamed), "0123");
    CFile::Remove(renamed);
    try {
        CFile::Remove(renamed);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
}

TEST(MemFile, GrowsSeeksAndHandsOverItsMemory)
{
    CMemFile f(16);
    f.Write("abc", 3);
    f.Seek(10, CFile::begin);  // past the end: the gap reads as zeros
    f.Write("Z", 1);
    EXPECT_EQ(f.GetLength(), 11u);
    f.SeekToBegin();
    char buf[20] = {};
    EXPECT_EQ(f.Read(buf, sizeof buf), 11u);
    EXPECT_EQ(std::string(buf, 11), std::string("abc\0\0\0\0\0\0\0Z", 11));
    std::string big(100, 'q');
    f.Write(big.data(), 100);
    EXPECT_EQ(f.GetLength(), 111u);
    EXPECT_THROW(f.Seek(-1, CFile::begin), CFileException*);
    f.SetLength(5);
    EXPECT_EQ(f.GetPosition(), 5u);
    BYTE* data = f.Detach();
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 5), std::string("abc\0\0", 5));
    std::free(data);
    EXPECT_EQ(f.GetLength(), 0u);

    // A fixed buffer reads as its whole size and refuses to grow.
    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile g(fixed, sizeof fixed);
    EXPECT_EQ(g.GetLength(), 4u);
    g.Seek(2, CFile::begin);
    try {
        g.Write("xyz", 3);
        ADD_FAILURE() << "no exception";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    // A growable attached buffer is copied, never reallocated behind the caller.
    BYTE mine[4] = {9, 9, 9, 9};
    CMemFile h;
    h.Attach(mine, sizeof mine, 8);
    EXPECT_EQ(h.GetLength(), 0u);
    h.Write("123", 3);
    EXPECT_EQ(mine[0], '1');  // fits: written in place
    h.Write("4567890", 7);
    EXPECT_EQ(h.GetLength(), 10u);
    EXPECT_EQ(mine[3], 9);  // untouched: the growing file moved to its own memory
    h.SeekToBegin();
    char back[10];
    EXPECT_EQ(h.Read(back, 10), 10u);
    EXPECT_EQ(std::string(back, 10), "1234567890");
}
