// Page Setup: edits a working copy of the program's page settings (margins
// with numeric spins, orientation, display unit, "Print Margins on Paper")
// and the named margin auto-formats, seven built in and the user's own kept in
// the registry. With "Auto Apply Settings" every change goes to the printer
// and to the main frame at once; Cancel puts back what was there at opening.
//
// The static operations are the printer side of page set-up: they work on
// any settings record and never touch a window.
#pragma once

#include "app/PageSettings.h"
#include "controls/FlatComboBox.h"
#include "controls/NumericSpinCtrl.h"
#include "framework/Dialog.h"
#include "framework/StdControls.h"

class CPageSetupDlg : public CDialog
{
public:
    explicit CPageSetupDlg(CWnd* pParent = nullptr);

    // Paper size, offsets and orientation of the default printer.
    static BOOL ReadPrinterPage(CPageSettings& settings);
    static BOOL SetPrinterOrientation(BOOL landscape);
    static void SwapOrientation(CPageSettings& settings);
    // Keeps the margins printable; the first call of a run brings the printer
    // in line with the record instead, which ends by clamping too.
    static void ClampMargins(CPageSettings& settings);
    // Puts the record's orientation (or its built-in auto-format) on the
    // printer and reads its page again.
    static void ApplyToPrinter(CPageSettings& settings);
    // A built-in auto-format's orientation and margins into the record; with
    // toPrinter the printer turns too, else the record alone turns.
    static void ApplyBuiltInFormat(CPageSettings& settings, int index, BOOL toPrinter);
    static LPCSTR BuiltInFormatName(int index);
    // Clamping without the first-use rule.
    static BOOL ClampToOffsets(CPageSettings& settings);
    static BOOL s_bFirstUse;
    // Where the user's auto-formats live under HKEY_CURRENT_USER, ending in a
    // backslash; empty turns every registry operation of the dialog off.
    static CString s_strAutoFormatsKey;

    static constexpr int kBuiltInFormats = 7;

    // Set by the caller before DoModal, read after.
    CPageSettings m_settings;
    BOOL m_bPrintMargins = FALSE;
    BOOL m_bAutoApply = TRUE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSelChangeAutoFormat();
    afx_msg void OnOrientation();
    afx_msg void OnMarginEditChange();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnAutoApply();
    afx_msg void OnPrintMargins();
    afx_msg void OnInches();
    afx_msg void OnCentimeters();
    afx_msg void OnSaveAutoFormat();
    afx_msg void OnDeleteAutoFormat();
    afx_msg void OnDestroy();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    void FillAutoFormats();
    void ShowSettings();
    int ReadControls();
    void Apply();
    // The auto-format of the record (or the custom one) onto the printer.
    void ApplyRecordToPrinter(CPageSettings& settings);
    void ApplyAutoFormat(CPageSettings& settings, int index, BOOL toPrinter);
    void LoadUserFormat(CPageSettings& settings, BOOL toPrinter);
    void MarginsEdited();
    void SendToFrame();
    void ShowOrientationIcon(bool landscape);
    void EnableDelete();
    // The row of the user format with exactly this name, or -1.
    int FindUserFormat(const CString& name);
    void MarkCustom();
    void SetUnit(BOOL inches);
    void CheckUnit(BOOL inches);

    CCJFlatComboBox m_autoFormats;
    CEdit m_edits[4];             // top, right, left, bottom
    CNumericSpinCtrl m_spins[4];  // likewise
    int m_nOrientation = -1;
    CPageSettings m_backup;
    BOOL m_bBackupPrintMargins = FALSE;
    HICON m_hPortrait = nullptr;
    HICON m_hLandscape = nullptr;
    BOOL m_bBusy = TRUE;
};

// The New Auto-Format Name dialog: a name of at most 40 characters.
class CAutoFormatNameDlg : public CDialog
{
public:
    explicit CAutoFormatNameDlg(CWnd* pParent = nullptr);
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
