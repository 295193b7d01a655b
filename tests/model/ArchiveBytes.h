// Helpers of the model tests: write objects into memory archives, read them
// back, and build byte fixtures field by field.
#pragma once

#include <cstring>
#include <string>
#include <vector>
#include "framework/Afx.h"

namespace model_test {

// Bytes of a little-endian archive, assembled by hand.
class Bytes
{
public:
    Bytes& Int(int v) { return Raw(&v, 4); }
    Bytes& Word(WORD v) { return Raw(&v, 2); }
    Bytes& Byte(BYTE v) { return Raw(&v, 1); }
    Bytes& Double(double v) { return Raw(&v, 8); }
    Bytes& Rgb(BYTE r, BYTE g, BYTE b) { return Byte(r).Byte(g).Byte(b); }
    // The archive's short string form (length byte, characters).
    Bytes& Str(const std::string& s)
    {
        Byte(static_cast<BYTE>(s.size()));
        return Raw(s.data(), s.size());
    }
    // A new class tag: 0xFFFF, schema, name length, name.
    Bytes& NewClass(const std::string& name, WORD schema)
    {
        Word(0xFFFF).Word(schema).Word(static_cast<WORD>(name.size()));
        return Raw(name.data(), name.size());
    }
    Bytes& Raw(const void* p, size_t n)
    {
        const auto* b = static_cast<const BYTE*>(p);
        data.insert(data.end(), b, b + n);
        return *this;
    }
    std::vector<BYTE> data;
};

// Writes with the given function into a memory archive and returns the bytes.
template <class F> std::vector<BYTE> StoreWith(F&& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Reads with the given function from the bytes; returns whether every byte
// was consumed and stores a thrown archive exception's cause (or -1).
template <class F> bool LoadWith(const std::vector<BYTE>& bytes, F&& read, int* cause = nullptr)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    if (cause)
        *cause = -1;
    try {
        read(ar);
    } catch (CArchiveException* e) {
        if (cause)
            *cause = e->m_cause;
        e->Delete();
        return false;
    }
    return ar.GetBytesLeft() == 0;
}

// The whole object in the archive's object form.
inline std::vector<BYTE> StoreObject(const CObject* ob)
{
    return StoreWith([&](CArchive& ar) { ar << ob; });
}

template <class T> T* LoadObject(const std::vector<BYTE>& bytes, int* cause = nullptr)
{
    CObject* ob = nullptr;
    LoadWith(bytes, [&](CArchive& ar) { ar >> ob; }, cause);
    return dynamic_cast<T*>(ob);
}

}  // namespace model_test
