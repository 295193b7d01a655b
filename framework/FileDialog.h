// The common dialogs: CFileDialog (open and save, filters written as
// "Text|*.ext|...||"), CColorDialog and CFontDialog.
//
// Tests (and nothing else) may set a hook that answers every common dialog
// instead of showing it: it fills in the dialog's result fields and returns
// IDOK or IDCANCEL.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/Position.h"

class CCommonDialog;
using AfxCommonDialogHook = INT_PTR (*)(CCommonDialog* pDialog);
AfxCommonDialogHook AfxSetCommonDialogHook(AfxCommonDialogHook hook);

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

protected:
    HWND OwnerWindow() const;
    // Runs the hook when one is set; false when the real dialog should show.
    static bool Hooked(CCommonDialog* dialog, INT_PTR& result);
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    OPENFILENAMEA m_ofn{};
    BOOL m_bOpenFileDialog;

    INT_PTR DoModal() override;
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // With OFN_ALLOWMULTISELECT: walks the chosen files.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;
    // For the test hook: the file the user "chose".
    void SetPathName(LPCSTR lpszPathName);

protected:
    std::vector<char> m_fileBuffer;
    CString m_strFilter;
    CString m_strDefExt;
    char m_szFileTitle[MAX_PATH] = {};
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    CHOOSECOLORA m_cc{};
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* GetSavedCustomColors() { return c_customColors; }

private:
    static COLORREF c_customColors[16];
};

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONTA lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    CHOOSEFONTA m_cf{};
    LOGFONTA m_lf{};
    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    CString GetStyleName() const { return m_szStyleName; }
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

private:
    char m_szStyleName[64] = {};
};
