#include "framework/ResourceException.h"

IMPLEMENT_DYNAMIC(CResourceException, CException)

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0) return FALSE;
    lstrcpynA(lpszError, "A required resource was unavailable.", static_cast<int>(nMaxError));
    return TRUE;
}

void AfxThrowResourceException() { throw new CResourceException; }
