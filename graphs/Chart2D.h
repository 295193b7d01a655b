// CChart2D: the window of the chart component ("OlectraChart2D") with the one
// chart handle it shows. The graph window draws, copies and exports through it.
#pragma once

#include "chart/Xrt.h"
#include "framework/Wnd.h"

class CChart2D : public CWnd
{
public:
    CChart2D() = default;
    ~CChart2D() override;
    CChart2D(const CChart2D&) = delete;
    CChart2D& operator=(const CChart2D&) = delete;

    // Creates the window, then the chart, and attaches one to the other.
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    XrtHandle GetHandle() const { return m_hChart; }

    BOOL SetInt(int id, int value) { return XrtSetValues(m_hChart, id, value, 0); }
    // Doubles travel as their two 32-bit halves, the low-order one first.
    BOOL SetDouble(int id, double value);
    BOOL SetText(int id, const char* text) { return XrtSetPropString(m_hChart, id, text); }
    // 0 when the id cannot be read.
    int GetInt(int id) const;

private:
    XrtHandle m_hChart = nullptr;
};
