#include <gtest/gtest.h>
#include <functional>
#include <cstring>
#include <string>
#include <vector>
#include "framework/Afx.h"

// Archive fixtures are written byte by byte from the format's description, not
// produced by our own writer, so that reading and writing are each checked
// against the format itself.

// Test classes live outside the anonymous namespace: IMPLEMENT_SERIAL defines
// an extern operator>> for each.
// A serialisable class whose stored schema must match (3) exactly.
class CFixedItem : public CObject
{
    DECLARE_SERIAL(CFixedItem)
public:
    LONG m_value = 0;
    CString m_name;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value << m_name;
        else
            ar >> m_value >> m_name;
    }
};
IMPLEMENT_SERIAL(CFixedItem, CObject, 3)

// A versionable class: any stored schema loads, and version 1 had no weight.
class CVersioned : public CObject
{
    DECLARE_SERIAL(CVersioned)
public:
    double m_length = 0, m_weight = -1;
    UINT m_loadedSchema = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_length << m_weight;
            return;
        }
        m_loadedSchema = ar.GetObjectSchema();
        ar >> m_length;
        if (m_loadedSchema >= 2)
            ar >> m_weight;
    }
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

// A parent whose child refers back to it while the parent is being read.
class CTreeNode : public CObject
{
    DECLARE_SERIAL(CTreeNode)
public:
    CTreeNode* m_parent = nullptr;
    CTreeNode* m_child = nullptr;
    UINT m_schemaAfterChild = 0;
    ~CTreeNode() override { delete m_child; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_parent << m_child;
        } else {
            ar >> m_parent >> m_child;
            m_schemaAfterChild = ar.GetObjectSchema();
        }
    }
};
IMPLEMENT_SERIAL(CTreeNode, CObject, VERSIONABLE_SCHEMA | 5)

class COther : public CObject
{
    DECLARE_SERIAL(COther)
};
IMPLEMENT_SERIAL(COther, CObject, 1)

namespace {

using Bytes = std::vector<BYTE>;

struct Builder {
    Bytes b;
    Builder& u8(BYTE v) { b.push_back(v); return *this; }
    Builder& u16(WORD v) { return u8(v & 0xFF).u8(v >> 8); }
    Builder& u32(DWORD v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Builder& raw(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); return *this; }
    Builder& f64(double d) { BYTE x[8]; std::memcpy(x, &d, 8); b.insert(b.end(), x, x + 8); return *this; }
    Builder& newClass(WORD schema, const std::string& name) { return u16(0xFFFF).u16(schema).u16(static_cast<WORD>(name.size())).raw(name); }
};

Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const DWORD n = file.GetLength();
    BYTE* data = file.Detach();
    Bytes out(data, data + n);
    free(data);
    return out;
}

// Runs read on an archive over the bytes; returns the archive exception's
// cause, or -1 when none was thrown.
int Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    try {
        read(ar);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

std::string Text(size_t n)
{
    std::string s(n, ' ');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>('a' + i % 26);
    return s;
}

Bytes ObjectFixture()
{
    return Builder()
        .newClass(3, "CFixedItem")           // class: index 1
        .u32(0x11223344).u8(1).raw("a")     // first object: index 2
        .u16(0x8001)                          // known class 1
        .u32(0xFFFFFFFF).u8(0)               // second object: index 3
        .u16(0x0002)                          // the first object again
        .u16(0x0000)                          // null
        .b;
}

void ReadObjectFixture(CArchive& ar, CObject* (&got)[4])
{
    for (CObject*& p : got)
        ar >> p;
}

} // namespace

TEST(Archive, ObjectsClassesAndBackReferencesMatchTheFormat)
{
    CFixedItem a, b;
    a.m_value = 0x11223344;
    a.m_name = "a";
    b.m_value = -1;
    EXPECT_EQ(Store([&](CArchive& ar) { ar << &a << &b << &a << static_cast<CObject*>(nullptr); }),
              ObjectFixture());

    CObject* got[4] = {};
    ASSERT_EQ(Load(ObjectFixture(), [&](CArchive& ar) { ReadObjectFixture(ar, got); }), -1);
    ASSERT_NE(got[0], nullptr);
    ASSERT_TRUE(got[0]->IsKindOf(RUNTIME_CLASS(CFixedItem)));
    EXPECT_EQ(static_cast<CFixedItem*>(got[0])->m_value, 0x11223344);
    EXPECT_STREQ(static_cast<CFixedItem*>(got[0])->m_name, "a");
    EXPECT_EQ(static_cast<CFixedItem*>(got[1])->m_value, -1);
    EXPECT_EQ(got[2], got[0]);
    EXPECT_EQ(got[3], nullptr);
    delete got[0];
    delete got[1];
}

TEST(Archive, StringLengthPrefixes)
{
    struct Case { size_t length; Bytes prefix; };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string text = Text(c.length);
        Bytes expected = c.prefix;
        expected.insert(expected.end(), text.begin(), text.end());
        EXPECT_EQ(Store([&](CArchive& ar) { ar << CString(text.c_str()); }), expected) << c.length;
        CString read;
        EXPECT_EQ(Load(expected, [&](CArchive& ar) { ar >> read; }), -1);
        EXPECT_EQ(read.GetLength(), static_cast<int>(c.length));
        EXPECT_TRUE(read == text.c_str()) << c.length;
    }
}

TEST(Archive, NumbersAreLittleEndianWithoutPadding)
{
    const Bytes expected = Builder()
        .u8(0xAB).u16(0x1234).u32(0xFFFFFFFE).u32(0x80000000).u32(0xDEADBEEF)
        .f64(-2.5).u32(0x3FC00000)  // float 1.5
        .u16(0x0005).u16(0xFFFF).u32(70000)  // counts 5 and 70,000
        .b;
    const Bytes written = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << -2 << static_cast<LONG>(0x80000000)
           << static_cast<DWORD>(0xDEADBEEF) << -2.5 << 1.5f;
        ar.WriteCount(5);
        ar.WriteCount(70000);
    });
    EXPECT_EQ(written, expected);

    // Reading the count of 70,000 needs that many bytes behind it.
    Bytes withData = expected;
    withData.resize(withData.size() + 70000, 0x5A);
    BYTE by = 0; WORD w = 0; int i = 0; LONG l = 0; DWORD dw = 0; double d = 0; float f = 0;
    DWORD small = 0, big = 0;
    ASSERT_EQ(Load(withData, [&](CArchive& ar) {
        ar >> by >> w >> i >> l >> dw >> d >> f;
        small = ar.ReadCount();
        big = ar.ReadCount();
    }), -1);
    EXPECT_EQ(by, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(l, static_cast<LONG>(0x80000000));
    EXPECT_EQ(dw, 0xDEADBEEFu);
    EXPECT_EQ(d, -2.5);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(small, 5u);
    EXPECT_EQ(big, 70000u);
    EXPECT_EQ(Load(expected, [&](CArchive& ar) {
        ar >> by >> w >> i >> l >> dw >> d >> f;
        ar.ReadCount();
        ar.ReadCount();
    }), CArchiveException::endOfFile);
}

TEST(Archive, ByteArrayOfSeventyThousandUsesTheLongCount)
{
    CByteArray out;
    out.SetSize(70000);
    for (int i = 0; i < 70000; ++i)
        out[i] = static_cast<BYTE>(i * 7);
    const Bytes bytes = Store([&](CArchive& ar) { out.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 6u + 70000u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
    CByteArray in;
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { in.Serialize(ar); }), -1);
    ASSERT_EQ(in.GetSize(), 70000);
    EXPECT_EQ(std::memcmp(in.GetData(), out.GetData(), 70000), 0);
}

TEST(Archive, VersionableSchemaIsStoredAndReadable)
{
    // Written by an older version (schema 1) and by the current one (schema 2).
    const Bytes fixture = Builder()
        .newClass(1, "CVersioned").f64(4.0)
        .newClass(2, "CVersioned").f64(5.0).f64(6.0)
        .b;
    CObject* old = nullptr;
    CObject* cur = nullptr;
    ASSERT_EQ(Load(fixture, [&](CArchive& ar) { ar >> old >> cur; }), -1);
    auto* v1 = static_cast<CVersioned*>(old);
    auto* v2 = static_cast<CVersioned*>(cur);
    EXPECT_EQ(v1->m_loadedSchema, 1u);
    EXPECT_EQ(v1->m_length, 4.0);
    EXPECT_EQ(v1->m_weight, -1.0);
    EXPECT_EQ(v2->m_loadedSchema, 2u);
    EXPECT_EQ(v2->m_weight, 6.0);
    delete old;
    delete cur;

    CVersioned v;
    const Bytes written = Store([&](CArchive& ar) { ar << &v; });
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 4), (Bytes{0xFF, 0xFF, 0x02, 0x00}));
}

TEST(Archive, ObjectIsKnownBeforeItsOwnSerializeRuns)
{
    CTreeNode parent;
    parent.m_child = new CTreeNode;
    parent.m_child->m_parent = &parent;
    const Bytes expected = Builder()
        .newClass(5, "CTreeNode")   // class 1, parent object 2
        .u16(0x0000)                // parent's parent: null
        .u16(0x8001)                // child: known class, object 3
        .u16(0x0002)                // child's parent: the parent
        .u16(0x0000)                // child's child: null
        .b;
    EXPECT_EQ(Store([&](CArchive& ar) { ar << &parent; }), expected);

    CTreeNode* read = nullptr;
    ASSERT_EQ(Load(expected, [&](CArchive& ar) { ar >> read; }), -1);
    ASSERT_NE(read->m_child, nullptr);
    EXPECT_EQ(read->m_child->m_parent, read);
    EXPECT_EQ(read->m_schemaAfterChild, 5u);  // a nested object does not clobber it
    delete read;
}

TEST(Archive, BigTagsPastTheSixteenBitRange)
{
    // 0x7FFF followed by a 32-bit tag, with bit 31 for a class.
    const Bytes fixture = Builder()
        .newClass(3, "CFixedItem").u32(7).u8(0)          // class 1, object 2
        .u16(0x7FFF).u32(0x80000001).u32(8).u8(0)        // class 1 again: object 3
        .u16(0x7FFF).u32(0x00000002)                     // object 2 again
        .b;
    CObject* got[3] = {};
    ASSERT_EQ(Load(fixture, [&](CArchive& ar) { ar >> got[0] >> got[1] >> got[2]; }), -1);
    EXPECT_EQ(static_cast<CFixedItem*>(got[1])->m_value, 8);
    EXPECT_EQ(got[2], got[0]);
    delete got[0];
    delete got[1];

    // Our writer switches to the big tag at index 0x7FFF.
    CObArray many;
    for (int i = 0; i < 0x8000; ++i)
        many.Add(new COther);
    const Bytes bytes = Store([&](CArchive& ar) {
        many.Serialize(ar);
        ar << many[0] << many[0x7FFD] << many[0x7FFE];  // indices 2, 0x7FFF, 0x8000
    });
    const Bytes tail(bytes.end() - 14, bytes.end());
    EXPECT_EQ(tail, (Bytes{0x02, 0x00, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}));
    CObArray back;
    CObject* refs[3] = {};
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { back.Serialize(ar); ar >> refs[0] >> refs[1] >> refs[2]; }), -1);
    ASSERT_EQ(back.GetSize(), 0x8000);
    EXPECT_EQ(refs[0], back[0]);
    EXPECT_EQ(refs[1], back[0x7FFD]);
    EXPECT_EQ(refs[2], back[0x7FFE]);
    for (int i = 0; i < many.GetSize(); ++i) {
        delete many[i];
        delete back[i];
    }
}

TEST(Archive, EveryTruncationIsAnEndOfFile)
{
    Bytes full = ObjectFixture();
    const std::string text = Text(300);
    full.push_back(0xFF);
    full.push_back(0x2C);
    full.push_back(0x01);
    full.insert(full.end(), text.begin(), text.end());
    for (size_t n = 0; n < full.size(); ++n) {
        std::vector<CObject*> made;
        const int cause = Load(Bytes(full.begin(), full.begin() + n), [&](CArchive& ar) {
            for (int i = 0; i < 4; ++i) {
                CObject* p = nullptr;
                ar >> p;
                if (i < 2)
                    made.push_back(p);
            }
            CString s;
            ar >> s;
        });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << "cut at " << n;
        for (CObject* p : made)
            delete p;
    }
}

TEST(Archive, DamagedArchivesRaiseTheirCause)
{
    struct Case { const char* what; Bytes bytes; int cause; };
    const Case cases[] = {
        {"unknown class", Builder().newClass(1, "CNoSuchClass").b, CArchiveException::badClass},
        {"class that is not serialisable", Builder().newClass(1, "CObject").b, CArchiveException::badClass},
        {"schema mismatch", Builder().newClass(4, "CFixedItem").u32(1).u8(0).b, CArchiveException::badSchema},
        {"empty class name", Builder().u16(0xFFFF).u16(3).u16(0).b, CArchiveException::badClass},
        {"overlong class name", Builder().u16(0xFFFF).u16(3).u16(200).raw(Text(200)).b, CArchiveException::badClass},
        {"name with a NUL", Builder().u16(0xFFFF).u16(3).u16(11).raw(std::string("CFixedItem\0", 11)).b, CArchiveException::badClass},
        {"reference to an object not yet read", Builder().u16(0x0005).b, CArchiveException::badIndex},
        {"reference to a class as an object", Builder().newClass(3, "CFixedItem").u32(1).u8(0).u16(0x0001).b, CArchiveException::badIndex},
        {"class tag of an object", Builder().newClass(3, "CFixedItem").u32(1).u8(0).u16(0x8002).b, CArchiveException::badIndex},
        {"class index 0", Builder().u16(0x8000).b, CArchiveException::badIndex},
        {"big tag out of range", Builder().u16(0x7FFF).u32(0x7FFFFFFF).b, CArchiveException::badIndex},
        {"big class tag out of range", Builder().u16(0x7FFF).u32(0xFFFFFFFF).b, CArchiveException::badIndex},
        {"string longer than the file", Builder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFF0).raw("abc").b, CArchiveException::endOfFile},
        {"wide string marker", Builder().u8(0xFF).u16(0xFFFE).u8(1).u16(0x41).b, CArchiveException::generic},
        {"count larger than the data", Builder().u16(0xFFFF).u32(0x7FFFFFFF).f64(1).b, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        const bool isString = std::strstr(c.what, "string") != nullptr;
        const bool isCount = std::strstr(c.what, "count") != nullptr;
        std::vector<CObject*> made;
        const int cause = Load(c.bytes, [&](CArchive& ar) {
            if (isString) {
                CString s;
                ar >> s;
            } else if (isCount) {
                CArray<double, double> values;
                values.Serialize(ar);
            } else {
                for (;;) {
                    CObject* p = nullptr;
                    ar >> p;
                    made.push_back(p);
                }
            }
        });
        EXPECT_EQ(cause, c.cause) << c.what;
        for (CObject* p : made)
            delete p;
    }
}

TEST(Archive, NestingBeyondAnyDocumentIsRefused)
{
    // Each node's child is a new node: a chain deeper than any real document.
    Builder chain;
    chain.newClass(5, "CTreeNode");
    for (int i = 0; i < 300; ++i)
        chain.u16(0x0000).u16(0x8001);
    chain.u16(0x0000).u16(0x0000);
    CTreeNode* root = nullptr;
    EXPECT_EQ(Load(chain.b, [&](CArchive& ar) { ar >> root; }), CArchiveException::generic);
    EXPECT_EQ(root, nullptr);
}

TEST(Archive, RequestedClassIsEnforced)
{
    const Bytes fixture = Builder().newClass(1, "COther").b;
    EXPECT_EQ(Load(fixture, [](CArchive& ar) {
        CFixedItem* p = nullptr;
        ar >> p;  // the typed operator asks for CFixedItem
    }), CArchiveException::badClass);

    const Bytes item = Builder().newClass(3, "CFixedItem").u32(9).u8(0).b;
    CFixedItem* p = nullptr;
    EXPECT_EQ(Load(item, [&](CArchive& ar) { ar >> p; }), -1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_value, 9);
    delete p;
    EXPECT_EQ(CRuntimeClass::FromName("CFixedItem"), RUNTIME_CLASS(CFixedItem));
    EXPECT_EQ(CRuntimeClass::FromName("CException"), nullptr);  // not serialisable
}

TEST(Archive, WrongDirectionAndSerializeClass)
{
    EXPECT_EQ(Load(Bytes{1, 2}, [](CArchive& ar) { ar << static_cast<BYTE>(1); }), CArchiveException::readOnly);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_THROW({
        try {
            BYTE b;
            ar >> b;
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
            e->Delete();
            throw 1;
        }
    }, int);

    const Bytes bytes = Store([](CArchive& a) {
        a.SerializeClass(RUNTIME_CLASS(CFixedItem));
        a.SerializeClass(RUNTIME_CLASS(CFixedItem));
    });
    EXPECT_EQ(bytes, Builder().newClass(3, "CFixedItem").u16(0x8001).b);
    EXPECT_EQ(Load(bytes, [](CArchive& a) {
        a.SerializeClass(RUNTIME_CLASS(CFixedItem));
        a.SerializeClass(RUNTIME_CLASS(CFixedItem));
    }), -1);
    EXPECT_EQ(Load(bytes, [](CArchive& a) { a.SerializeClass(RUNTIME_CLASS(COther)); }), CArchiveException::badClass);
}

TEST(Archive, RoundTripThroughADiskFile)
{
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "arc", 0, path);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        CStringArray names;
        names.Add("one");
        names.Add(CString(Text(300).c_str()));
        names.Serialize(ar);
        CArray<double, double> values;
        for (int i = 0; i < 100000; ++i)  // spans many archive buffers
            values.Add(i * 0.5);
        values.Serialize(ar);
        ar << CString("end");
        ar.Close();
    }
    {
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CStringArray names;
        names.Serialize(ar);
        CArray<double, double> values;
        values.Serialize(ar);
        CString end;
        ar >> end;
        EXPECT_EQ(names.GetSize(), 2);
        EXPECT_STREQ(names[1], Text(300).c_str());
        ASSERT_EQ(values.GetSize(), 100000);
        EXPECT_EQ(values[99999], 99999 * 0.5);
        EXPECT_STREQ(end, "end");
        EXPECT_EQ(ar.GetBytesLeft(), 0u);
    }
    CFile::Remove(path);
}
