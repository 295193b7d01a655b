#include "controls/NumericSpinCtrl.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CNumericSpinCtrl, CSpinButtonCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltaPos)
END_MESSAGE_MAP()

CNumericSpinCtrl::CNumericSpinCtrl()
{
    const lconv* locale = std::localeconv();
    if (locale != nullptr && locale->decimal_point != nullptr && locale->decimal_point[0] != '\0')
        m_decimalPoint = locale->decimal_point[0];
}

void CNumericSpinCtrl::SetRange(double minimum, double maximum, double step)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_step = step;
    if (step == 0.0)
        return;
    const double positions = std::fabs(maximum - minimum) / std::fabs(step);
    m_nPositions = positions >= kMaxPositions || !std::isfinite(positions) ? kMaxPositions : static_cast<int>(positions);
    if (GetSafeHwnd() == nullptr)
        return;
    SendMessage(UDM_SETRANGE32, 0, m_nPositions);
    SetIntPos(GetValue());
}

void CNumericSpinCtrl::GetRange(double& minimum, double& maximum, double& step) const
{
    minimum = m_minimum;
    maximum = m_maximum;
    step = m_step;
}

void CNumericSpinCtrl::SetFormat(LPCSTR format)
{
    m_strFormat = format != nullptr ? format : "";
}

void CNumericSpinCtrl::SetValue(double value)
{
    SetBuddyText(value);
    SetIntPos(value);
}

double CNumericSpinCtrl::GetValue() const
{
    CWnd* buddy = GetSafeHwnd() != nullptr ? GetBuddy() : nullptr;
    if (buddy == nullptr)
        return 0.0;
    CString text;
    buddy->GetWindowText(text);
    return std::atof(text);
}

void CNumericSpinCtrl::SetBuddyText(double value)
{
    CWnd* buddy = GetSafeHwnd() != nullptr ? GetBuddy() : nullptr;
    if (buddy == nullptr)
        return;
    CString text;
    if (!m_strFormat.IsEmpty())
        text.Format(m_strFormat, value);
    else
        text = FormatValue(value);
    buddy->SetWindowText(text);
}

CString CNumericSpinCtrl::FormatValue(double value) const
{
    CString text;
    if (m_nDecimals < 0) {
        text.Format("%g", value);
        return text;
    }
    // The exponent form only where "%g" would use it too.
    CString probe;
    probe.Format("%g", value);
    const bool exponent = probe.Find('e') >= 0;
    CString format;
    format.Format(exponent ? "%%.%de" : "%%.%df", m_nDecimals);
    text.Format(format, value);
    if (m_bTrimZeros)
        TrimZeros(text);
    return text;
}

void CNumericSpinCtrl::TrimZeros(CString& text) const
{
    const int e = text.Find('e');
    CString mantissa = e >= 0 ? text.Left(e) : text;
    const CString exponentPart = e >= 0 ? text.Mid(e) : CString();
    if (mantissa.Find(m_decimalPoint) < 0)
        return;
    mantissa.TrimRight('0');
    mantissa.TrimRight(m_decimalPoint);
    text = mantissa + exponentPart;
}

void CNumericSpinCtrl::SetIntPos(double value)
{
    if (m_maximum == m_minimum || GetSafeHwnd() == nullptr)
        return;
    int position;
    if (value < m_minimum)
        position = 0;
    else if (value > m_maximum)
        position = m_nPositions;
    else
        position = static_cast<int>(m_nPositions * (value - m_minimum) / (m_maximum - m_minimum) + 0.5);
    SendMessage(UDM_SETPOS, 0, MAKELPARAM(position & 0xFFFF, 0));
}

void CNumericSpinCtrl::InitStyle()
{
    ModifyStyle(UDS_SETBUDDYINT, UDS_ARROWKEYS);
    SetRange(m_minimum, m_maximum, m_step);
}

void CNumericSpinCtrl::PreSubclassWindow()
{
    CSpinButtonCtrl::PreSubclassWindow();
    InitStyle();
}

int CNumericSpinCtrl::OnCreate(LPCREATESTRUCTA create)
{
    if (CSpinButtonCtrl::OnCreate(create) == -1)
        return -1;
    InitStyle();
    return 0;
}

void CNumericSpinCtrl::OnDeltaPos(NMHDR* header, LRESULT* result)
{
    const auto* change = reinterpret_cast<NMUPDOWN*>(header);
    double value = GetValue() + change->iDelta * m_step;
    if (change->iDelta < 0) {
        if (!(value >= m_minimum))
            value = m_minimum;
    } else if (value > m_maximum) {
        value = m_maximum;
    }
    SetBuddyText(value);
    *result = 0;
}
