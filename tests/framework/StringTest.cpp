#include <gtest/gtest.h>
#include "framework/String.h"

TEST(String, SubstringsClampOutOfRangeArguments)
{
    const CString s("abcdef");
    struct Case { CString got; const char* want; };
    const Case cases[] = {
        {s.Mid(2), "cdef"},
        {s.Mid(2, 3), "cde"},
        {s.Mid(4, 10), "ef"},
        {s.Mid(10), ""},
        {s.Mid(-2, 3), "abc"},
        {s.Mid(1, -1), ""},
        {s.Left(2), "ab"},
        {s.Left(0), ""},
        {s.Left(99), "abcdef"},
        {s.Left(-1), ""},
        {s.Right(2), "ef"},
        {s.Right(99), "abcdef"},
        {s.Right(-3), ""},
        {s.SpanIncluding("abc"), "abc"},
        {s.SpanExcluding("dx"), "abc"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.got, c.want);
}

TEST(String, SearchReturnsIndexOrMinusOne)
{
    const CString s("a,b;c,d");
    EXPECT_EQ(s.Find(','), 1);
    EXPECT_EQ(s.Find(',', 2), 5);
    EXPECT_EQ(s.Find(',', 6), -1);
    EXPECT_EQ(s.Find(',', 100), -1);
    EXPECT_EQ(s.Find(',', -1), -1);
    EXPECT_EQ(s.Find("c,"), 4);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.ReverseFind(','), 5);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf(";x"), 3);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(String, EditingOperations)
{
    CString s("one two one");
    EXPECT_EQ(s.Replace("one", "three"), 2);
    EXPECT_STREQ(s, "three two three");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('t', 'T'), 3);
    EXPECT_STREQ(s, "Three Two Three");
    EXPECT_EQ(s.Remove(' '), 2);
    EXPECT_STREQ(s, "ThreeTwoThree");
    EXPECT_EQ(s.Replace("Three", ""), 2);
    EXPECT_STREQ(s, "Two");

    CString t("abc");
    EXPECT_EQ(t.Insert(1, 'X'), 4);
    EXPECT_EQ(t.Insert(99, "YZ"), 6);
    EXPECT_STREQ(t, "aXbcYZ");
    EXPECT_EQ(t.Delete(1, 2), 4);
    EXPECT_EQ(t.Delete(3, 99), 3);
    EXPECT_STREQ(t, "acY");

    CString u("\t  padded \r\n");
    u.Trim();
    EXPECT_STREQ(u, "padded");
    CString v("xxvalxx");
    v.TrimLeft('x');
    EXPECT_STREQ(v, "valxx");
    v.TrimRight("x");
    EXPECT_STREQ(v, "val");
    CString all("    ");
    all.TrimRight();
    EXPECT_TRUE(all.IsEmpty());

    CString w("Ab\xE9z1");  // é (Windows-1252) stays: only ASCII letters change
    w.MakeUpper();
    EXPECT_STREQ(w, "AB\xE9Z1");
    w.MakeLower();
    EXPECT_STREQ(w, "ab\xE9z1");
    w.MakeReverse();
    EXPECT_STREQ(w, "1z\xE9" "ba");

    CString x("abc");
    x.SetAt(1, 'Q');
    x.SetAt(5, 'Z');  // out of range: ignored
    EXPECT_STREQ(x, "aQc");
    EXPECT_EQ(x.GetAt(2), 'c');
    EXPECT_EQ(x[0], 'a');
}

TEST(String, ComparisonAndConcatenation)
{
    const CString a("apple"), b("Banana");
    EXPECT_LT(a.Compare("apples"), 0);
    EXPECT_GT(a.Compare(b), 0);  // bytes: 'a' > 'B'
    EXPECT_LT(a.CompareNoCase(b), 0);
    EXPECT_EQ(CString("MiXeD").CompareNoCase("mixed"), 0);
    EXPECT_GT(CString("\xE9").Compare("e"), 0);  // compared as unsigned bytes
    EXPECT_TRUE(a == "apple");
    EXPECT_TRUE("apple" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(b < a);
    EXPECT_TRUE(a >= "apple");

    CString s = a + ", " + b + '!';
    EXPECT_STREQ(s, "apple, Banana!");
    s = '<' + s;
    s += CString('>', 2);
    EXPECT_STREQ(s, "<apple, Banana!>>");
    EXPECT_EQ(s.GetLength(), 17);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
}

TEST(String, FormatUsesTheCLibraryConversions)
{
    CString s;
    s.Format("%d|%5.2f|%-4s|%x|%c|%g", 42, 3.14159, "ab", 255, 'z', 0.0001);
    EXPECT_STREQ(s, "42| 3.14|ab  |ff|z|0.0001");
    // The standard C exponent of two digits at least (not the old three).
    s.Format("%g|%g|%e", 1e10, 1.5e-7, 2.0);
    EXPECT_STREQ(s, "1e+10|1.5e-07|2.000000e+00");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    const std::string big(5000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
}

TEST(String, BufferAccess)
{
    CString s("hello");
    char* p = s.GetBuffer(20);
    strcpy(p, "greetings");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "greetings");
    EXPECT_EQ(s.GetLength(), 9);

    p = s.GetBuffer(0);  // never shrinks the text
    s.ReleaseBuffer(5);
    EXPECT_STREQ(s, "greet");

    p = s.GetBufferSetLength(3);
    p[0] = 'G';
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "Gre");
    s.FreeExtra();
    EXPECT_STREQ(s, "Gre");
}

TEST(String, LoadsFromTheStringTable)
{
    CString s("old");
    EXPECT_FALSE(s.LoadString(65000));
    EXPECT_TRUE(s.IsEmpty());

    EXPECT_TRUE(s.LoadString(101));
    EXPECT_STREQ(s, "Hello");
    EXPECT_TRUE(s.LoadString(102));  // longer than the first buffer
    ASSERT_EQ(s.GetLength(), 300);
    EXPECT_EQ(s[299], 'A' + 299 % 26);
    EXPECT_TRUE(s.LoadString(104));
    EXPECT_STREQ(s, "Caf\xE9");
    s.Format(103u, 12, "total");
    EXPECT_STREQ(s, "12 rocks in total");
    EXPECT_STREQ(CString(MAKEINTRESOURCEA(101)), "Hello");
}

