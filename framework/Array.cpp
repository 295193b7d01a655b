#include "framework/Array.h"

void SerializeElements(CArchive& ar, CString* pElements, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

void SerializeElements(CArchive& ar, CObject** pElements, int nCount)
{
    if (ar.IsLoading())
        ar.CheckCount(static_cast<ULONGLONG>(nCount), sizeof(WORD));  // a tag at least
    for (int i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}
