// CNumericSpinCtrl: an up-down control that steps a floating-point value shown
// in its buddy edit. The value lives in the buddy's text; the control's own
// integer positions only place the thumb. The text has a chosen number of
// decimals (or "%g", or the caller's format) with trailing zeros trimmed.
#pragma once

#include "framework/CommonControls.h"
#include "framework/String.h"

class CNumericSpinCtrl : public CSpinButtonCtrl
{
public:
    CNumericSpinCtrl();

    // A step of 0 stores the values and changes nothing else.
    void SetRange(double minimum, double maximum, double step);
    void GetRange(double& minimum, double& maximum, double& step) const;
    // Decimal places of the text; -1 formats with "%g".
    void SetDecimals(int decimals) { m_nDecimals = decimals; }
    int GetDecimals() const { return m_nDecimals; }
    // A printf format for the value that replaces the automatic one; null
    // returns to the automatic one.
    void SetFormat(LPCSTR format);
    void SetValue(double value);
    // The buddy's text as a number; 0 without a buddy.
    double GetValue() const;
    void SetBuddyText(double value);
    CString FormatValue(double value) const;

    // The most integer positions the underlying control takes.
    static constexpr int kMaxPositions = 0x7FFF;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCTA create);
    afx_msg void OnDeltaPos(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void SetIntPos(double value);
    // Arrow keys on, the buddy's integer text off, and the range again.
    void InitStyle();
    void TrimZeros(CString& text) const;

    double m_minimum = 0.0;
    double m_maximum = 100.0;
    double m_step = 1.0;
    int m_nPositions = 100;
    int m_nDecimals = -1;
    CString m_strFormat;
    BOOL m_bTrimZeros = TRUE;
    char m_decimalPoint = '.';
};
