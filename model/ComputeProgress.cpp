#include "model/ComputeProgress.h"

#include <algorithm>

int CComputeProgress::Percent(unsigned long long k, unsigned long long n)
{
    if (n == 0)
        return 1;
    return static_cast<int>(std::max<unsigned long long>(1, 100ULL * k / n));
}

CComputeProgress::CComputeProgress(bool showProgress, int* runFlag, const char* title, bool outerActive,
                                   int outerIndex, int outerTotal)
    : m_pRunFlag(runFlag), m_title(title != nullptr ? title : ""), m_bShowProgress(showProgress),
      m_bOuterActive(outerActive), m_start(std::chrono::steady_clock::now())
{
    if (!showProgress || (!outerActive && s_showDelay.count() > 0))
        return;
    Show();
    if (outerActive && outerTotal > 0)
    {
        const long long index = outerIndex < 0 ? 0 : outerIndex;
        m_dialog->SetProgress(Percent(static_cast<unsigned long long>(index), static_cast<unsigned long long>(outerTotal)),
                              outerIndex + 1, outerTotal);
        Pump();
    }
}

void CComputeProgress::Show()
{
    m_dialog = std::make_unique<CWorkingDlg>(m_pRunFlag, m_title, "");
    m_dialog->GetFirstBar().SetDivisionLabel(m_bOuterActive);
}

CComputeProgress::~CComputeProgress()
{
    Close();
}

bool CComputeProgress::Pump()
{
    if (m_dialog != nullptr && !m_bQuitting && m_dialog->PumpMessages() == 0)
        m_bQuitting = true;
    return !m_bQuitting;
}

bool CComputeProgress::BeforeRock(unsigned k, unsigned n)
{
    if (!m_bShowProgress || m_bClosed)
        return !m_bQuitting;
    const auto now = std::chrono::steady_clock::now();
    if (m_dialog == nullptr)
    {
        if (m_bOuterActive || now - m_start < s_showDelay)
            return true;
        // A run that is nearly done by then finishes without the dialog
        // flashing up for its last moment: judged by the rocks thrown so
        // far, at least the show delay must still be to go.
        using Seconds = std::chrono::duration<double>;
        if (k > 0 && k < n &&
            Seconds(now - m_start).count() * static_cast<double>(n - k) / k < Seconds(s_showDelay).count())
            return true;
        Show();
    }
    m_dialog->GetFirstBar().SetDivisionLabel(m_bOuterActive);
    if (m_bOuterActive)
        return !m_bQuitting;
    const bool due = !m_bUpdated || k + 1 >= n || now - m_lastUpdate >= s_interval;
    if (!due)
        return !m_bQuitting;
    m_bUpdated = true;
    m_lastUpdate = now;
    m_dialog->SetProgress(Percent(k, n), static_cast<int>(k + 1), static_cast<int>(n));
    return Pump();
}

void CComputeProgress::Close()
{
    // A run that is over never shows the dialog afterwards.
    m_bClosed = true;
    if (m_dialog == nullptr)
        return;
    m_dialog->Close();
    m_dialog.reset();
}
