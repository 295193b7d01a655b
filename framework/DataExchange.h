// Dialog data exchange: DDX_ functions move values between member variables
// and controls in both directions; DDV_ functions check them on the way in
// and, when a value is out of bounds, tell the user, put the focus back in the
// control and stop the exchange (UpdateData returns FALSE).
#pragma once

#include "framework/String.h"
#include "framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // true: controls to variables, with validation
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control and ends the exchange.
    [[noreturn]] void Fail();

    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// Text: the control's window text as a string or a number.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
// Doubles are shown with 15 significant digits, floats with 6 ("%.*g").
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);

// Buttons, lists and combo boxes.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked button of the group that begins with nIDC, -1 when none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
// Attaches rControl to the dialog's control nIDC, the first time only.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation, after the matching DDX_ call.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
// In: the text may not be longer. Out: the edit control is limited to that many characters.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// Reads text that is a finite decimal number and nothing else: an optional
// sign, digits with an optional point, an optional exponent, spaces around.
// "0x10", "inf" and "nan" are no numbers a user types into a number field.
bool AfxParseDecimal(const char* text, double& value);
// The message a refused real gets from DDV_MinMaxDouble, for the same bounds.
CString AfxRealRangeMessage(double minVal, double maxVal);
