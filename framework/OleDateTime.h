#pragma once
// COleDateTime: a moment as the automation DATE (days since 30 December 1899,
// the time of day as the fraction) with a validity status, and the span between
// two moments. The registry stores it as its raw 12 bytes: the double, then the
// 32-bit status.

#include <windows.h>

class COleDateTimeSpan
{
public:
    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc) {}
    COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

    double GetTotalDays() const { return m_span; }

    double m_span = 0.0;
};

class COleDateTime
{
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(DATE dtSrc) : m_dt(dtSrc) {}
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    // Local date and time now.
    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return static_cast<DateTimeStatus>(m_status); }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    bool operator==(const COleDateTime& o) const { return m_dt == o.m_dt; }
    bool operator!=(const COleDateTime& o) const { return m_dt != o.m_dt; }
    bool operator<(const COleDateTime& o) const { return m_dt < o.m_dt; }
    bool operator<=(const COleDateTime& o) const { return m_dt <= o.m_dt; }
    bool operator>(const COleDateTime& o) const { return m_dt > o.m_dt; }
    bool operator>=(const COleDateTime& o) const { return m_dt >= o.m_dt; }

    DATE m_dt = 0.0;
    LONG m_status = valid;   // 32 bits, so that the stored record is 12 bytes
};
