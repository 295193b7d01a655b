#include "framework/OleDateTime.h"

#include <oleauto.h>

COleDateTimeSpan::COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs)
    : m_span(lDays + (nHours + (nMins + nSecs / 60.0) / 60.0) / 24.0)
{
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    st.wHour = static_cast<WORD>(nHour);
    st.wMinute = static_cast<WORD>(nMin);
    st.wSecond = static_cast<WORD>(nSec);
    if (!SystemTimeToVariantTime(&st, &m_dt))
    {
        m_dt = 0.0;
        m_status = invalid;
    }
}

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    COleDateTime now;
    if (!SystemTimeToVariantTime(&st, &now.m_dt))
        now.m_status = invalid;
    return now;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    return m_status == valid && VariantTimeToSystemTime(m_dt, &st);
}

// Spans are added on the DATE scale directly: it is linear for every moment from
// 30 December 1899 on, and the program stores no earlier ones.
COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result(m_dt + span.m_span);
    result.m_status = m_status;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + COleDateTimeSpan(-span.m_span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    return COleDateTimeSpan(m_dt - other.m_dt);
}
