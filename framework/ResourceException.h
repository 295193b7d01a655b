// The exception for a resource the system could not give: a window class that
// would not register, a window or GDI object that could not be made.
#pragma once

#include "framework/Exception.h"

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

[[noreturn]] void AfxThrowResourceException();
