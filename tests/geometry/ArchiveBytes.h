// Helpers for the archive tests: store into memory, read back from bytes, and
// build expected byte sequences field by field.
#pragma once

#include <cstring>
#include <string>
#include <vector>
#include "framework/Archive.h"
#include "framework/File.h"

using Bytes = std::vector<unsigned char>;

template <class Fn> Bytes StoreBytes(Fn&& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const DWORD length = file.GetLength();
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    free(data);
    return bytes;
}

template <class Fn> void LoadBytes(const Bytes& bytes, Fn&& read)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
    ar.Close();
}

// Little-endian expected bytes.
struct ByteWriter
{
    Bytes bytes;
    template <class T> ByteWriter& Raw(const T& v)
    {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(&v);
        bytes.insert(bytes.end(), p, p + sizeof v);
        return *this;
    }
    ByteWriter& I32(int v) { return Raw(v); }
    ByteWriter& U16(unsigned short v) { return Raw(v); }
    ByteWriter& F64(double v) { return Raw(v); }
    ByteWriter& U8(unsigned char v) { return Raw(v); }
    ByteWriter& Str(const std::string& s)
    {
        U8((unsigned char)s.size());   // short strings only
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
};
