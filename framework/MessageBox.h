// AfxMessageBox and the one place every message box of the library goes
// through, so that tests can answer the boxes instead of a user.
#pragma once

#include <windows.h>

// Shows a message box with a text or a string-table text; the caption is the
// application's name. Returns the button pressed (IDOK, IDYES...).
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));

// The box itself; owner may be null (the active window of the thread is used).
int AfxShowMessageBox(HWND owner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType, UINT nIDHelp);

// When set, every box calls the hook instead of showing itself, and the
// hook's return value is the button. Tests use it to answer the boxes.
using AfxMessageBoxHook = int (*)(LPCSTR lpszText, UINT nType);
AfxMessageBoxHook AfxSetMessageBoxHook(AfxMessageBoxHook hook);

// Formats a string-table text with %1..%9 replaced by the arguments.
void AfxFormatStrings(class CString& rString, UINT nIDS, LPCSTR const* rglpsz, int nString);
void AfxFormatString1(class CString& rString, UINT nIDS, LPCSTR lpsz1);
void AfxFormatString2(class CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);
