// The progress of one computation as the Working dialog shows it.
//
// The rocks of a computation take microseconds each; repainting the bar and
// pumping messages after every one would cost more than the rocks. The bar
// and the pump are therefore updated at most once per update interval (and
// always for the first and the last rock), which the eye cannot tell apart
// from updating after every rock.
//
// A computation of a few thousand rocks is over in a fraction of a second,
// less than it takes to create, paint and close the dialog. The dialog is
// therefore created at the first update after the run has lasted the show
// delay, and only while the rest of the run, reckoned from the rocks thrown
// so far, is still expected to last that long; shorter runs finish without
// it flashing up. A series of runs (an outer progress) shows it at once,
// since the series as a whole is long.
#pragma once

#include <chrono>
#include <memory>

#include "controls/WorkingDlg.h"
#include "framework/String.h"

class CComputeProgress
{
public:
    // Without showProgress nothing is shown and no message is pumped. With an
    // active outer progress (a series of runs) the bar shows the series
    // ("Division i of n") and the single rocks are not shown.
    CComputeProgress(bool showProgress, int* runFlag, const char* title, bool outerActive, int outerIndex,
                     int outerTotal);
    ~CComputeProgress();

    CComputeProgress(const CComputeProgress&) = delete;
    CComputeProgress& operator=(const CComputeProgress&) = delete;

    // Before rock k of n is thrown: shows "Rock k+1 of n" and pumps messages
    // when due. False when the application is quitting.
    bool BeforeRock(unsigned k, unsigned n);
    // Closes and deletes the dialog (the windows are enabled again).
    void Close();
    bool IsQuitting() const { return m_bQuitting; }
    CWorkingDlg* GetDialog() const { return m_dialog.get(); }

    // The shortest time between two updates; 0 updates before every rock.
    static void SetUpdateInterval(std::chrono::milliseconds interval) { s_interval = interval; }
    static std::chrono::milliseconds GetUpdateInterval() { return s_interval; }
    // How long a run goes on before the dialog is shown, and how long it must
    // still be expected to go on then; 0 shows it at once.
    static void SetShowDelay(std::chrono::milliseconds delay) { s_showDelay = delay; }
    static std::chrono::milliseconds GetShowDelay() { return s_showDelay; }

    // The share shown for step k of n: at least 1 percent, so the bar never shows 0.
    static int Percent(unsigned long long k, unsigned long long n);

private:
    void Show();
    bool Pump();

    std::unique_ptr<CWorkingDlg> m_dialog;
    int* m_pRunFlag;
    CString m_title;
    bool m_bShowProgress;
    bool m_bOuterActive;
    bool m_bQuitting = false;
    bool m_bClosed = false;
    bool m_bUpdated = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastUpdate{};
    static inline std::chrono::milliseconds s_interval{50};
    static inline std::chrono::milliseconds s_showDelay{400};
};
