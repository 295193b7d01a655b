#include "app/DiscTimeDialog.h"

#include <algorithm>
#include "framework/DataExchange.h"
#include "model/TalusimDoc.h"
#include "res/dialogs-discs.h"
#include "res/dialogs-shell.h"

IMPLEMENT_DYNAMIC(CDiscSlider, CSliderCtrl)
IMPLEMENT_DYNAMIC(CDiscTimedlg, CCaptionBarDialog)

namespace {

// The data list's entries stand for these label codes.
const int kDataCodes[] = {0, 1, 2, 4, 8, 15};
const char* const kDataNames[] = {"No Data", "Position", "Velocity", "Acceleration", "Energy", "ALL"};

// The controls of each group that rest while they have nothing to do. The
// group boxes themselves stay enabled: a disabled group box has its title
// drawn through a bitmap as wide as the measured text, which cuts the last
// letters where the drawn font runs wider than measured ("...to ski" under
// Wine with a substituted dialog font).
const int kOneStepControls[] = {
    IDC_DT_STEP_SPIN,      IDC_DT_STEP_SLIDER,     IDC_DT_SECONDS_HEADING, IDC_DT_STEP_HEADING,
    IDC_DT_INITIAL_STEP,   IDC_DT_CURRENT_STEP,    IDC_DT_FINAL_STEP,      IDC_DT_INITIAL_LABEL,
    IDC_DT_CURRENT_LABEL,  IDC_DT_FINAL_LABEL,     IDC_DT_INITIAL_SECONDS, IDC_DT_CURRENT_SECONDS,
    IDC_DT_FINAL_SECONDS,
};
const int kSkipControls[] = {IDC_DT_SKIP_EDIT, IDC_DT_SKIP_SPIN, IDC_DT_SKIP_SLIDER};
const int kModeControls[] = {IDC_DT_ALL_DISCS, IDC_DT_ONE_STEP, IDC_DT_ALL_PATHS};

}  // namespace

BEGIN_MESSAGE_MAP(CDiscTimedlg, CCaptionBarDialog)
    ON_WM_HSCROLL()
    ON_WM_HELPINFO()
    ON_NOTIFY(UDN_DELTAPOS, IDC_DT_STEP_SPIN, OnStepSpin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_DT_SKIP_SPIN, OnSkipSpin)
    ON_EN_CHANGE(IDC_DT_SKIP_EDIT, OnSkipEdit)
    ON_BN_CLICKED(IDC_DT_ONE_STEP, OnOneStep)
    ON_BN_CLICKED(IDC_DT_ALL_DISCS, OnAllDiscs)
    ON_BN_CLICKED(IDC_DT_ALL_PATHS, OnAllPaths)
    ON_BN_CLICKED(IDC_DT_CONTACTS, OnContacts)
    ON_CBN_SELCHANGE(IDC_DT_DATA, OnDataChange)
END_MESSAGE_MAP()

CDiscTimedlg::CDiscTimedlg(CWnd* pParentWnd) : CCaptionBarDialog(IDD_DISC_TIME_STEP, pParentWnd) {}

BOOL CDiscTimedlg::Create() { return CDialog::Create(IDD_DISC_TIME_STEP, nullptr); }

CDocument* CDiscTimedlg::GetDocument() const { return m_pDocument; }

void CDiscTimedlg::SetDocument(CDocument* doc) {
    m_pDocument = dynamic_cast<CTalusimDoc*>(doc);
    if (m_hWnd == nullptr) return;
    if (m_pDocument == nullptr || m_pDocument->GetDiscParameters().GetFrameCount() < 0) {
        // Nothing to play: every control rests.
        EnableControls(kOneStepControls, static_cast<int>(std::size(kOneStepControls)), false);
        EnableControls(kSkipControls, static_cast<int>(std::size(kSkipControls)), false);
        EnableControls(kModeControls, static_cast<int>(std::size(kModeControls)), false);
        GetDlgItem(IDC_DT_CONTACTS)->EnableWindow(FALSE);
        m_data.EnableWindow(FALSE);
        if (m_pDocument == nullptr) return;
    }
    Refresh();
}

void CDiscTimedlg::DoDataExchange(CDataExchange* pDX) {
    CCaptionBarDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DT_DATA, m_data);
    DDX_Control(pDX, IDC_DT_SKIP_SLIDER, m_skipSlider);
    DDX_Control(pDX, IDC_DT_STEP_SLIDER, m_stepSlider);
    DDX_Text(pDX, IDC_DT_SKIP_EDIT, m_nSkip);
    DDV_MinMaxUInt(pDX, m_nSkip, 0, 100000);
}

BOOL CDiscTimedlg::OnInitDialog() {
    CCaptionBarDialog::OnInitDialog();
    for (const char* name : kDataNames) m_data.AddString(name);
    m_data.SetCurSel(0);
    SetDocument(m_pDocument);
    return TRUE;
}

void CDiscTimedlg::EnableControls(const int* ids, int count, bool enable) {
    for (int i = 0; i < count; ++i)
        if (CWnd* w = GetDlgItem(ids[i])) w->EnableWindow(enable ? TRUE : FALSE);
}

void CDiscTimedlg::SetTextIfChanged(int id, const CString& text) {
    CWnd* w = GetDlgItem(id);
    if (w == nullptr) return;
    CString now;
    w->GetWindowText(now);
    if (now != text) w->SetWindowText(text);
}

void CDiscTimedlg::UpdateLabels(int current, int last, double endTime) {
    CString text;
    text.Format("%d", last);
    SetTextIfChanged(IDC_DT_FINAL_STEP, text);
    text.Format("%d", current);
    SetTextIfChanged(IDC_DT_CURRENT_STEP, text);
    text.Format("%.3f", endTime);
    SetTextIfChanged(IDC_DT_FINAL_SECONDS, text);
    if (last < 1)
        text = "0.0";
    else
        text.Format("%.3f", m_pDocument ? m_pDocument->GetDiscStepTime(current) : current * endTime / last);
    SetTextIfChanged(IDC_DT_CURRENT_SECONDS, text);
}

void CDiscTimedlg::Refresh() {
    if (m_pDocument == nullptr || m_hWnd == nullptr) return;
    int first, current, mode;
    double endTime;
    const int last = std::max(0, m_pDocument->GetDiscPlayback(first, current, endTime, mode));
    current = std::max(0, current);
    m_dEndTime = endTime;
    m_nLast = last;
    const int skip = m_pDocument->GetDiscSkip();
    m_bRefreshing = true;
    if (current == 0) m_stepSlider.MoveTo(0);
    if (skip == 0) m_skipSlider.MoveTo(0);
    m_stepSlider.SetRange(0, last, TRUE);
    m_skipSlider.SetRange(0, last / 10, TRUE);
    m_stepSlider.MoveTo(current);
    m_skipSlider.MoveTo(std::min(skip, m_skipSlider.GetMaximum()));
    UpdateLabels(current, last, endTime);
    CheckRadioButton(IDC_DT_ALL_DISCS, IDC_DT_ALL_PATHS,
                     mode == CDiscParameters::DISPLAY_ALL_DISCS ? IDC_DT_ALL_DISCS
                     : (mode == CDiscParameters::DISPLAY_ALL_PATHS ? IDC_DT_ALL_PATHS : IDC_DT_ONE_STEP));
    const bool hasSteps = last > 0;
    const bool oneStep = mode == CDiscParameters::DISPLAY_ONE_STEP;
    EnableControls(kOneStepControls, static_cast<int>(std::size(kOneStepControls)), hasSteps && oneStep);
    EnableControls(kSkipControls, static_cast<int>(std::size(kSkipControls)), hasSteps && !oneStep);
    EnableControls(kModeControls, static_cast<int>(std::size(kModeControls)), hasSteps);
    const bool entity = m_pDocument->HasDiscEntity();
    GetDlgItem(IDC_DT_CONTACTS)->EnableWindow(entity ? TRUE : FALSE);
    m_data.EnableWindow(entity ? TRUE : FALSE);
    if (entity) {
        const CDiscParameters block = m_pDocument->GetDiscViewSettings();
        CheckDlgButton(IDC_DT_CONTACTS, block.GetShowContacts() ? BST_CHECKED : BST_UNCHECKED);
        for (int i = 0; i < static_cast<int>(std::size(kDataCodes)); ++i)
            if (kDataCodes[i] == block.GetLabelMode()) m_data.SetCurSel(i);
    }
    CString text;
    text.Format("%d", skip);
    SetTextIfChanged(IDC_DT_SKIP_EDIT, text);
    m_bRefreshing = false;
}

void CDiscTimedlg::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    if (m_pDocument != nullptr && bar != nullptr) {
        if (bar->m_hWnd == m_stepSlider.m_hWnd) {
            m_pDocument->SetDiscStep(m_stepSlider.GetPosition());
            int first, current, mode;
            double endTime;
            const int last = std::max(0, m_pDocument->GetDiscPlayback(first, current, endTime, mode));
            UpdateLabels(std::max(0, current), last, endTime);
        } else if (bar->m_hWnd == m_skipSlider.m_hWnd) {
            m_pDocument->SetDiscSkip(m_skipSlider.GetPosition());
            CString text;
            text.Format("%d", m_pDocument->GetDiscSkip());
            m_bRefreshing = true;
            SetTextIfChanged(IDC_DT_SKIP_EDIT, text);
            m_bRefreshing = false;
        }
    }
    CCaptionBarDialog::OnHScroll(code, pos, bar);
}

void CDiscTimedlg::OnStepSpin(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_pDocument == nullptr) return;
    const auto* spin = reinterpret_cast<const NMUPDOWN*>(header);
    int first, current, mode;
    double endTime;
    const int last = std::max(0, m_pDocument->GetDiscPlayback(first, current, endTime, mode));
    current = std::max(0, current);
    const int next = spin->iDelta <= 0 ? current + 1 : current - 1;
    if (next < 0 || next > last) return;
    m_stepSlider.MoveTo(next);
    m_pDocument->SetDiscStep(next);
    UpdateLabels(next, last, endTime);
}

void CDiscTimedlg::OnSkipSpin(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_pDocument == nullptr) return;
    const auto* spin = reinterpret_cast<const NMUPDOWN*>(header);
    const int skip = m_pDocument->GetDiscSkip();
    const int next = spin->iDelta <= 0 ? skip + 1 : skip - 1;
    m_pDocument->SetDiscSkip(next);
    m_skipSlider.MoveTo(std::min(std::max(next, 0), m_skipSlider.GetMaximum()));
    Refresh();
}

void CDiscTimedlg::OnSkipEdit() {
    if (m_bRefreshing || m_pDocument == nullptr || m_hWnd == nullptr) return;
    // Half-typed text is no error worth a message: the count waits for a number.
    CString text;
    GetDlgItem(IDC_DT_SKIP_EDIT)->GetWindowText(text);
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (text.IsEmpty() || end == nullptr || *end != '\0' || value > 100000) return;
    m_nSkip = static_cast<UINT>(value);
    m_pDocument->SetDiscSkip(static_cast<int>(m_nSkip));
    m_skipSlider.MoveTo(std::min(static_cast<int>(m_nSkip), m_skipSlider.GetMaximum()));
}

void CDiscTimedlg::SetMode(int mode) {
    if (m_pDocument == nullptr) return;
    m_pDocument->SetDiscDisplayMode(mode);
    Refresh();
}

void CDiscTimedlg::OnContacts() {
    if (m_pDocument == nullptr || !m_pDocument->HasDiscEntity()) return;
    CDiscParameters block = m_pDocument->GetDiscViewSettings();
    block.SetShowContacts(!block.GetShowContacts());
    m_pDocument->SetDiscViewSettings(block);
    m_pDocument->UpdateAllViews(nullptr);
}

void CDiscTimedlg::OnDataChange() {
    if (m_pDocument == nullptr || !m_pDocument->HasDiscEntity()) return;
    const int entry = m_data.GetCurSel();
    if (entry < 0 || entry >= static_cast<int>(std::size(kDataCodes))) return;
    CDiscParameters block = m_pDocument->GetDiscViewSettings();
    block.SetLabelMode(kDataCodes[entry]);
    m_pDocument->SetDiscViewSettings(block);
    m_pDocument->UpdateAllViews(nullptr);
}
