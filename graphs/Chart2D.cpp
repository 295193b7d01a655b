#include "graphs/Chart2D.h"

#include <cstring>

#include "chart/ChartWindow.h"

CChart2D::~CChart2D()
{
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_hChart)
        XrtDestroy(m_hChart);
}

BOOL CChart2D::Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    // The class is registered when the program starts; a program that never
    // touched the component before (a test) registers it here.
    xrt::RegisterChartWindowClass();
    if (!CWnd::Create(XRT_WINDOW_CLASS, text, style, rect, parent, id))
        return FALSE;
    m_hChart = XrtCreate();
    if (!m_hChart)
        return FALSE;
    return XrtAttachWindow(m_hChart, GetSafeHwnd()) != 0;
}

BOOL CChart2D::SetDouble(int id, double value)
{
    unsigned halves[2];
    std::memcpy(halves, &value, sizeof value);
    return XrtSetValues(m_hChart, id, halves[0], halves[1], 0);
}

int CChart2D::GetInt(int id) const
{
    int value = 0;
    return XrtGetValues(m_hChart, id, &value, 0) ? value : 0;
}
