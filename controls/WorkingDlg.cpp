#include "controls/WorkingDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "framework/WinApp.h"
#include "res/dialogs-compute.h"
#include "res/resource.h"

namespace
{
constexpr COLORREF WORKING_BAR_COLOUR = RGB(0, 0, 128);          // dark blue
constexpr COLORREF WORKING_BACKGROUND_COLOUR = RGB(192, 192, 192); // light grey
}

// ---------------------------------------------------------------------------
// CProgressBarsWnd
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CProgressBarsWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CProgressBarsWnd::CProgressBarsWnd() = default;

CProgressBarsWnd::~CProgressBarsWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

int CProgressBarsWnd::Create(CWnd* parent, int x, int y, int width, int height, int clientEdge,
                             int showText, COLORREF barColour, COLORREF backgroundColour)
{
    if (m_bCreated)
        return 0;
    m_nX = x;
    m_nY = y;
    m_bClientEdge = clientEdge;
    m_bAutoText = showText;
    m_bTextShown = showText;
    m_barColour = barColour;
    m_backgroundColour = backgroundColour;
    if (!m_bBarBrushMade)
        m_bBarBrushMade = m_barBrush.CreateSolidBrush(barColour) ? 1 : 0;
    if (!m_bBackgroundBrushMade)
        m_bBackgroundBrushMade = m_backgroundBrush.CreateSolidBrush(backgroundColour) ? 1 : 0;
    if (!m_bBarBrushMade || !m_bBackgroundBrushMade)
        return 0;

    // Its own DC keeps the text state between the many small repaints.
    m_strClassName = AfxRegisterWndClass(CS_OWNDC | CS_HREDRAW | CS_VREDRAW);
    const DWORD exStyle = clientEdge == 1 ? WS_EX_CLIENTEDGE : 0;
    const DWORD style = clientEdge == 1 ? (WS_CHILD | WS_BORDER) : WS_CHILD;
    if (!CreateEx(exStyle, m_strClassName, nullptr, style, x, y, width, height,
                  parent->GetSafeHwnd(), nullptr))
        return 0;

    ReadTextMetrics();
    ShowWindow(SW_SHOWNA);
    ::GetClientRect(m_hWnd, &m_clientRect);
    m_filledRect = m_clientRect;
    m_filledRect.right = m_clientRect.left;
    m_emptyRect = m_clientRect;
    if (m_bTextShown)
    {
        m_nTextX = (m_clientRect.right - m_clientRect.left) / 2;
        m_nTextY = ((m_clientRect.bottom - m_clientRect.top) - m_textMetrics.tmHeight) / 2;
    }
    m_bCreated = 1;
    return 1;
}

void CProgressBarsWnd::ReadTextMetrics()
{
    HDC dc = ::GetDC(m_hWnd);
    ::GetTextMetricsA(dc, &m_textMetrics);
    ::ReleaseDC(m_hWnd, dc);
}

void CProgressBarsWnd::Reset()
{
    m_nPercent = 0;
    m_nHighestPercent = 0;
    if (!m_bCreated || !m_bBackgroundBrushMade)
        return;
    m_filledRect = m_clientRect;
    m_filledRect.right = m_clientRect.left;
    m_emptyRect = m_clientRect;
    HDC dc = ::GetDC(m_hWnd);
    ::FillRect(dc, &m_clientRect, m_backgroundBrush);
    ::ReleaseDC(m_hWnd, dc);
}

void CProgressBarsWnd::SetPos(int pos, int range, int current, int total)
{
    m_nCurrent = current;
    m_nTotal = total;
    if (!m_bBarBrushMade || !m_bBackgroundBrushMade)
        return;
    if (!m_bCreated || range < pos || range == 0 || m_nHighestPercent >= 100)
        return;
    m_nLastPos = pos;
    const int width = m_clientRect.right - m_clientRect.left;
    const int split = m_clientRect.left + pos * width / range;
    m_filledRect = m_clientRect;
    m_filledRect.right = split;
    m_emptyRect = m_clientRect;
    m_emptyRect.left = split;
    m_nPercent = pos * 100 / range;
    if (m_nPercent > m_nHighestPercent)
    {
        m_nHighestPercent = m_nPercent;
        FormatLabel(false);
        HDC dc = ::GetDC(m_hWnd);
        Draw(dc, m_bTextShown != 0);
        ::ReleaseDC(m_hWnd, dc);
    }
}

void CProgressBarsWnd::FormatLabel(bool percentWhenNoCounts)
{
    if (percentWhenNoCounts && m_nCurrent == 0 && m_nTotal == 0)
        std::snprintf(m_szText, sizeof(m_szText), "%d%%", m_nPercent);
    else if (m_bDivisionLabel)
        std::snprintf(m_szText, sizeof(m_szText), "Division %d of %d", m_nCurrent, m_nTotal);
    else if (m_bRockLabel)
        std::snprintf(m_szText, sizeof(m_szText), "Rock %d of %d", m_nCurrent, m_nTotal);
    else
        std::snprintf(m_szText, sizeof(m_szText), "Time step %d of %d", m_nCurrent, m_nTotal);
}

void CProgressBarsWnd::Draw(HDC dc, bool withText)
{
    const UINT length = static_cast<UINT>(std::strlen(m_szText));
    const COLORREF oldText = ::GetTextColor(dc);
    const COLORREF oldBack = ::GetBkColor(dc);
    if (withText)
        m_nSavedAlign = ::SetTextAlign(dc, TA_CENTER | TA_TOP);

    // The label over the filled part is drawn in the background colour and
    // the rest in the bar colour, so it stays readable on both.
    ::FillRect(dc, &m_filledRect, m_barBrush);
    if (withText && m_filledRect.right > m_filledRect.left)
    {
        ::SetTextColor(dc, m_backgroundColour);
        ::SetBkColor(dc, m_barColour);
        ::ExtTextOutA(dc, m_nTextX, m_nTextY, ETO_CLIPPED, &m_filledRect, m_szText, length, nullptr);
    }
    ::FillRect(dc, &m_emptyRect, m_backgroundBrush);
    if (withText && m_emptyRect.right > m_emptyRect.left)
    {
        ::SetTextColor(dc, m_barColour);
        ::SetBkColor(dc, m_backgroundColour);
        ::ExtTextOutA(dc, m_nTextX, m_nTextY, ETO_CLIPPED, &m_emptyRect, m_szText, length, nullptr);
    }

    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
    if (withText)
        ::SetTextAlign(dc, m_nSavedAlign);
}

BOOL CProgressBarsWnd::OnEraseBkgnd(CDC* pDC)
{
    if (!m_bBarBrushMade || !m_bBackgroundBrushMade || !m_bCreated)
        return 0;
    const bool withText = m_bTextShown && m_nPercent != 0;
    if (withText)
        FormatLabel(true);
    Draw(pDC->GetSafeHdc(), withText);
    return 0;
}

void CProgressBarsWnd::OnSize(UINT, int, int)
{
    Default();
    if (!m_bCreated)
        return;
    ReadTextMetrics();
    ::GetClientRect(m_hWnd, &m_clientRect);
    const int width = m_clientRect.right - m_clientRect.left;
    const int height = m_clientRect.bottom - m_clientRect.top;
    const int split = m_clientRect.left + width * m_nPercent / 100;
    m_filledRect = m_clientRect;
    m_filledRect.right = split;
    m_emptyRect = m_clientRect;
    m_emptyRect.left = split;
    if (m_bAutoText)
        m_bTextShown = height >= m_textMetrics.tmHeight ? 1 : 0;
    if (m_bTextShown)
    {
        m_nTextX = m_clientRect.left + width / 2;
        m_nTextY = m_clientRect.top + (height - m_textMetrics.tmHeight) / 2;
    }
}

// ---------------------------------------------------------------------------
// CWorkingDlg
// ---------------------------------------------------------------------------

namespace
{
// The bar placeholder's rectangle in the dialog's client coordinates.
bool PlaceholderRect(HWND dialog, int id, RECT& rect)
{
    HWND item = ::GetDlgItem(dialog, id);
    if (item == nullptr || !::GetWindowRect(item, &rect))
        return false;
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

struct EnumState
{
    std::vector<HWND>* list;
    HWND main;
};

BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* state = reinterpret_cast<EnumState*>(lParam);
    // The main window even while hidden; other windows only when the user can
    // reach them (hidden helper windows of the system are left alone).
    if ((hWnd == state->main || ::IsWindowVisible(hWnd)) && ::IsWindowEnabled(hWnd))
        state->list->push_back(hWnd);
    return TRUE;
}
} // namespace

CWorkingDlg::CWorkingDlg(int* runFlag, const char* title, const char* text)
    : CDialog(IDD_WORKING), m_pRunFlag(runFlag)
{
    // The template holds a progress control; its class must exist.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);

    m_hWndPreviouslyActive = ::GetActiveWindow();
    DisableTopLevelWindows();
    ++s_openCount;
    m_bOpen = true;

    if (!Create(IDD_WORKING, nullptr))
        return;
    SetWindowText(title != nullptr ? title : "Working");
    SetDlgItemText(IDC_WORKING_MESSAGE, text != nullptr ? text : "Click Cancel to cancel the operation");

    RECT rect;
    if (PlaceholderRect(m_hWnd, IDC_WORKING_FIRST_BAR, rect))
    {
        m_firstBar.Create(this, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 1, 1,
                          WORKING_BAR_COLOUR, WORKING_BACKGROUND_COLOUR);
        m_firstBar.Reset();
    }
    if (PlaceholderRect(m_hWnd, IDC_WORKING_SECOND_BAR, rect))
    {
        m_secondBar.Create(this, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 1, 1,
                           WORKING_BAR_COLOUR, WORKING_BACKGROUND_COLOUR);
        m_secondBar.Reset();
    }
    ShowWindow(SW_SHOW);
}

CWorkingDlg::~CWorkingDlg()
{
    Close();
    if (m_firstBar.m_hWnd != nullptr)
        m_firstBar.DestroyWindow();
    if (m_secondBar.m_hWnd != nullptr)
        m_secondBar.DestroyWindow();
    if (m_bOpen)
    {
        // The dialog could not be created: the windows are still to be enabled.
        EnableTopLevelWindows();
        m_bOpen = false;
        --s_openCount;
    }
}

void CWorkingDlg::DisableTopLevelWindows()
{
    CWnd* main = AfxGetMainWnd();
    EnumState state{&m_disabled, main != nullptr ? main->GetSafeHwnd() : nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    for (HWND h : m_disabled)
        ::EnableWindow(h, FALSE);
}

void CWorkingDlg::EnableTopLevelWindows()
{
    // In reverse, so that a window disabled last (the innermost) is enabled first.
    for (auto it = m_disabled.rbegin(); it != m_disabled.rend(); ++it)
        if (::IsWindow(*it))
            ::EnableWindow(*it, TRUE);
    m_disabled.clear();
}

int CWorkingDlg::PumpMessages()
{
    // Once the dialog is closed (Cancel, here or in a message pumped below)
    // the program's windows are enabled again, while the run goes on to its
    // next look at its flag: a message pumped then (a close, a click on
    // another window) would reach the documents the run still holds.
    if (!m_bOpen)
        return 1;
    CWinThread* thread = AfxGetThread();
    // The loop that dispatched the running command reads its current message
    // when the command returns, to decide whether idle work runs next (the
    // status bar's rock count, for one): the messages pumped here must not
    // take its place, or the last of them (a paint) would leave the panes stale.
    const MSG dispatching = thread != nullptr ? thread->m_msgCur : MSG{};
    MSG msg;
    while (m_bOpen && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
    {
        if (thread != nullptr)
        {
            if (!thread->PumpMessage())
            {
                // The quit belongs to the application's own loop: hand it back.
                ::PostQuitMessage(static_cast<int>(thread->m_msgCur.wParam));
                thread->m_msgCur = dispatching;
                return 0;
            }
        }
        else
        {
            if (!::GetMessageA(&msg, nullptr, 0, 0))
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return 0;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (thread != nullptr)
    {
        thread->m_msgCur = dispatching;
        LONG count = 0;
        while (thread->OnIdle(count++))
        {
        }
    }
    return 1;
}

int CWorkingDlg::SetBar(CWorkingDlg& dlg, CProgressBarsWnd& bar, int percent, int current, int total)
{
    if (dlg.m_hWnd == nullptr || !::IsWindow(dlg.m_hWnd))
        return 0;
    if (percent < 0)
        percent = 0;
    if (percent > 100)
        percent = 100;
    bar.Reset();
    bar.SetPos(percent, 100, current, total);
    return 1;
}

int CWorkingDlg::SetProgress(int percent, int current, int total)
{
    return SetBar(*this, m_firstBar, percent, current, total);
}

int CWorkingDlg::SetSecondaryProgress(int percent, int current, int total)
{
    return SetBar(*this, m_secondBar, percent, current, total);
}

int CWorkingDlg::Close()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return 0;
    const bool wasActive = ::GetActiveWindow() == m_hWnd;
    EnableTopLevelWindows();
    if (m_bOpen)
    {
        m_bOpen = false;
        --s_openCount;
    }
    // Hand the activation back before the dialog goes, so that it does not
    // pass to some other program's window.
    if (wasActive && m_hWndPreviouslyActive != nullptr && ::IsWindow(m_hWndPreviouslyActive) &&
        ::IsWindowEnabled(m_hWndPreviouslyActive))
        ::SetActiveWindow(m_hWndPreviouslyActive);
    DestroyWindow();
    return 1;
}

void CWorkingDlg::OnCancel()
{
    if (m_pRunFlag != nullptr)
        *m_pRunFlag = 0;
    Close();
}
