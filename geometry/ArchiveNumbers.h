#pragma once
// Reading real numbers from an archive. The program never stores a value that
// is not a number or infinite: one in a file means the file is damaged, and the
// archive is refused before anything computes with it.

#include <cmath>
#include "framework/Archive.h"

inline void RequireFinite(double value)
{
    if (!std::isfinite(value))
        AfxThrowArchiveException(CArchiveException::generic);
}

// Reads the values in order and refuses the archive at the first bad one.
template <class... Doubles> void ReadFinite(CArchive& ar, Doubles&... values)
{
    ((ar >> values, RequireFinite(values)), ...);
}
