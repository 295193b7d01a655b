#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <set>
#include <string>
#include "framework/Afx.h"

namespace {

// Exposes the capacity so that the growth rule can be checked.
template <class T> class CProbeArray : public CArray<T, const T&>
{
public:
    int Capacity() const { return this->m_nMaxSize; }
};

std::string Join(const CStringArray& a)
{
    std::string s;
    for (int i = 0; i < a.GetSize(); ++i)
        s += std::string(i ? "," : "") + static_cast<LPCSTR>(a[i]);
    return s;
}

std::string Join(const CStringList& l)
{
    std::string s;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        s += std::string(s.empty() ? "" : ",") + static_cast<LPCSTR>(l.GetNext(pos));
    return s;
}

} // namespace

TEST(Array, GrowthFollowsTheLibraryRule)
{
    // Reference: growing from capacity m at size s by step g (0: max(4, s/8)
    // below 8192 elements, s/4 from there) gives max(wanted, m + step).
    struct Case { int presize; int growBy; int addCount; int capacity; };
    const Case cases[] = {
        {0, -1, 1, 1},          // first allocation is exact
        {0, -1, 2, 5},          // 1 + max(4, 1/8)
        {0, -1, 6, 9},          // 5 + 4
        {0, 6, 1, 6},           // first allocation takes a whole step
        {0, 6, 7, 12},
        {8000, -1, 1, 9000},    // 8000 + 8000/8
        {8191, -1, 1, 9214},    // the last size grown by the library's step
        {16000, -1, 1, 20000},  // a quarter of the size: filling stays linear
        {100, 2, 1, 102},
    };
    for (const Case& c : cases) {
        CProbeArray<int> a;
        a.SetSize(c.presize, c.growBy);
        for (int i = 0; i < c.addCount; ++i)
            a.Add(i);
        EXPECT_EQ(a.Capacity(), c.capacity) << c.presize << "/" << c.growBy << "/" << c.addCount;
        EXPECT_EQ(a.GetSize(), c.presize + c.addCount);
    }
    CProbeArray<int> a;
    a.SetSize(10);
    a.SetSize(3);  // shrinking keeps the room
    EXPECT_EQ(a.Capacity(), 10);
    a.FreeExtra();
    EXPECT_EQ(a.Capacity(), 3);
    a.RemoveAll();
    EXPECT_EQ(a.Capacity(), 0);
    EXPECT_EQ(a.GetData(), nullptr);
}

TEST(Array, NewElementsAreZeroAndEditsKeepOrder)
{
    struct Plain { double x, y; int n; };
    CArray<Plain, Plain&> plain;
    plain.SetSize(3);
    EXPECT_EQ(plain[2].x, 0.0);
    EXPECT_EQ(plain[2].n, 0);

    CStringArray a;
    struct Step { std::function<void()> op; const char* result; };
    const Step steps[] = {
        {[&] { a.Add("b"); a.Add("d"); }, "b,d"},
        {[&] { a.InsertAt(0, "a"); }, "a,b,d"},
        {[&] { a.InsertAt(2, "c"); }, "a,b,c,d"},
        {[&] { a.InsertAt(4, "x", 2); }, "a,b,c,d,x,x"},
        {[&] { a.RemoveAt(4, 99); }, "a,b,c,d"},
        {[&] { a.RemoveAt(1); }, "a,c,d"},
        {[&] { a.RemoveAt(7); }, "a,c,d"},
        {[&] { a.SetAtGrow(5, "f"); }, "a,c,d,,,f"},
        {[&] { a.SetAt(3, "e"); a.RemoveAt(4); }, "a,c,d,e,f"},
        {[&] { a.InsertAt(7, "h"); }, "a,c,d,e,f,,,h"},
    };
    for (const Step& s : steps) {
        s.op();
        EXPECT_EQ(Join(a), s.result);
    }
    EXPECT_EQ(a.GetUpperBound(), 7);
    EXPECT_EQ(a.GetCount(), 8);

    CStringArray b;
    b.Add("1");
    b.Append(a);
    EXPECT_EQ(Join(b), "1,a,c,d,e,f,,,h");
    EXPECT_EQ(b.Append(b), 9);
    EXPECT_EQ(b.GetSize(), 18);
    b.Copy(a);
    EXPECT_EQ(Join(b), Join(a));
    b.InsertAt(1, &b);  // an array into itself
    EXPECT_EQ(Join(b), "a,a,c,d,e,f,,,h,c,d,e,f,,,h");
    b.ElementAt(0) = "z";
    EXPECT_STREQ(b.GetAt(0), "z");
}

TEST(Array, ElementOfTheSameArrayIsSafeWhileGrowing)
{
    CStringArray a;
    a.Add("a long string that does not fit in place");
    for (int i = 0; i < 40; ++i)  // every Add may move the storage
        a.Add(a[0]);
    a.InsertAt(0, a[a.GetUpperBound()], 3);
    EXPECT_EQ(a.GetSize(), 44);
    for (int i = 0; i < a.GetSize(); ++i)
        EXPECT_STREQ(a[i], "a long string that does not fit in place");
}

TEST(List, HeadTailInsertFindAndRemoveWhileWalking)
{
    CStringList l;
    l.AddTail("b");
    l.AddHead("a");
    POSITION posC = l.AddTail("c");
    l.InsertBefore(posC, "b2");
    l.InsertAfter(posC, "d");
    l.InsertAfter(nullptr, "e");
    l.InsertBefore(nullptr, "0");
    EXPECT_EQ(Join(l), "0,a,b,b2,c,d,e");
    EXPECT_EQ(l.GetCount(), 7);
    EXPECT_STREQ(l.GetHead(), "0");
    EXPECT_STREQ(l.GetTail(), "e");
    EXPECT_EQ(l.Find("c"), posC);
    EXPECT_EQ(l.Find("c", posC), nullptr);
    EXPECT_EQ(l.Find("zz"), nullptr);
    EXPECT_STREQ(l.GetAt(l.FindIndex(3)), "b2");
    EXPECT_EQ(l.FindIndex(7), nullptr);
    EXPECT_EQ(l.FindIndex(-1), nullptr);

    // Remove every element starting with "b" while walking.
    for (POSITION pos = l.GetHeadPosition(); pos;) {
        POSITION here = pos;
        if (l.GetNext(pos).Left(1) == "b")
            l.RemoveAt(here);
    }
    EXPECT_EQ(Join(l), "0,a,c,d,e");

    std::string backwards;
    for (POSITION pos = l.GetTailPosition(); pos;)
        backwards += static_cast<LPCSTR>(l.GetPrev(pos));
    EXPECT_EQ(backwards, "edca0");

    EXPECT_STREQ(l.RemoveHead(), "0");
    EXPECT_STREQ(l.RemoveTail(), "e");
    l.SetAt(l.GetHeadPosition(), "A");
    l.AddTail(&l);
    EXPECT_EQ(Join(l), "A,c,d,A,c,d");
    CStringList m;
    m.AddTail("x");
    m.AddHead(&l);
    EXPECT_EQ(Join(m), "A,c,d,A,c,d,x");
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(l.GetHeadPosition(), nullptr);
}

TEST(Collections, SerializeRoundTrips)
{
    CMemFile file;
    CStringList names;
    names.AddTail("first");
    names.AddTail("");
    CWordArray words;
    words.Add(1);
    words.Add(0xBEEF);
    CDWordArray dwords;
    dwords.Add(0xCAFEBABE);
    CMapStringToString map;
    map.SetAt("k1", "v1");
    map.SetAt("k2", "v2");
    {
        CArchive ar(&file, CArchive::store);
        names.Serialize(ar);
        words.Serialize(ar);
        dwords.Serialize(ar);
        map.Serialize(ar);
        ar.Close();
    }
    const DWORD length = file.GetLength();
    file.SeekToBegin();
    std::vector<BYTE> bytes(length);
    file.Read(bytes.data(), length);
    // Count, "first", "": then the words as little-endian pairs.
    const std::vector<BYTE> head = {2, 0, 5, 'f', 'i', 'r', 's', 't', 0, 2, 0, 1, 0, 0xEF, 0xBE};
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + head.size()), head);

    file.SeekToBegin();
    CStringList names2;
    CWordArray words2;
    CDWordArray dwords2;
    CMapStringToString map2;
    {
        CArchive ar(&file, CArchive::load);
        names2.Serialize(ar);
        words2.Serialize(ar);
        dwords2.Serialize(ar);
        map2.Serialize(ar);
    }
    EXPECT_EQ(Join(names2), "first,");
    EXPECT_EQ(words2[1], 0xBEEF);
    EXPECT_EQ(dwords2[0], 0xCAFEBABEu);
    CString v;
    EXPECT_TRUE(map2.Lookup("k2", v));
    EXPECT_STREQ(v, "v2");
    EXPECT_EQ(map2.GetCount(), 2);

    CPtrArray pointers;
    CArchive ar(&file, CArchive::store);
    EXPECT_THROW(pointers.Serialize(ar), CNotSupportedException*);
}

TEST(Map, LookupRemoveAndWalkWhileRemoving)
{
    CMap<DWORD, DWORD, int, int> cells;  // as a grid keys its cells: col << 16 | row
    std::map<DWORD, int> reference;
    for (DWORD col = 0; col < 30; ++col)
        for (DWORD row = 0; row < 40; ++row) {
            cells.SetAt(col << 16 | row, static_cast<int>(col * 100 + row));
            reference[col << 16 | row] = static_cast<int>(col * 100 + row);
        }
    cells[5] += 1000;  // existing key: no new entry
    reference[5] += 1000;
    EXPECT_EQ(cells.GetCount(), 1200);
    int value = 0;
    EXPECT_TRUE(cells.Lookup(3u << 16 | 7, value));
    EXPECT_EQ(value, 307);
    EXPECT_FALSE(cells.Lookup(99u << 16, value));
    EXPECT_TRUE(cells.RemoveKey(3u << 16 | 7));
    EXPECT_FALSE(cells.RemoveKey(3u << 16 | 7));
    reference.erase(3u << 16 | 7);

    // Every entry is visited once, also while each visited one is removed.
    std::set<DWORD> seen;
    POSITION pos = cells.GetStartPosition();
    while (pos) {
        DWORD key;
        int v;
        cells.GetNextAssoc(pos, key, v);
        EXPECT_TRUE(seen.insert(key).second);
        EXPECT_EQ(v, reference[key]);
        if (key % 2)
            cells.RemoveKey(key);
    }
    EXPECT_EQ(seen.size(), reference.size());
    EXPECT_EQ(cells.GetCount(), 600);
    cells.RemoveAll();
    EXPECT_EQ(cells.GetStartPosition(), nullptr);

    CMapStringToPtr byName;
    int target = 0;
    byName.SetAt("Slope", &target);
    void* found = nullptr;
    EXPECT_TRUE(byName.Lookup(CString("Slope"), found));
    EXPECT_EQ(found, &target);
    EXPECT_FALSE(byName.Lookup("slope", found));  // case matters
    CMapPtrToPtr ptrs;
    ptrs[&target] = &found;
    EXPECT_EQ(ptrs[&target], &found);
    CMapWordToPtr words;
    words.SetAt(7, &target);
    EXPECT_EQ(words.GetCount(), 1);
}
