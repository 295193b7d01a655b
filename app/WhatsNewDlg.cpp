#include "app/WhatsNewDlg.h"

#include "app/AboutDlg.h"
#include "framework/DC.h"
#include "res/dialogs-help.h"

IMPLEMENT_DYNAMIC(CWhatsNewDlg, CDialog)

namespace {

// One line per entry line; a section ends with an empty line.
const char* const kNotes[] = {
    "New in version 4.037",
    "1) In certain cases, rocks that were sliding uphill AND",
    "   off the end of a segment, would cause problems.",
    "  (e.g. if a rock bounced off a barrier, and traveled up slope)",
    "  This is fixed. (rocks sliding downhill were not effected)",
    "",
    "New in version 4.036",
    "1) A rock that came to rest exactly on a vertex of the slope",
    "   is now reported as stopped instead of rolling on.",
    "",
    "New in version 4.035",
    "1) Rock paths can be filtered by their impact on a barrier",
    "   or by where they stopped.",
    "",
    "New in version 4.034",
    "1) The Distribution Statistics window can copy its report",
    "   to the clipboard.",
    "",
    "New in version 4.03",
    "1) Graph windows can be saved as images.",
    "2) The view limits of the slope can be typed in.",
    "",
    "New in version 4.02",
    "1) Data collectors record the rocks that cross them.",
    "",
    "New in version 4.01",
    "1) A fixed or typed random seed repeats a computation",
    "   rock for rock.",
    "",
    "New in version 4.0",
    "1) The Material Wizard helps choose the coefficients",
    "   of a slope material.",
    "2) Page Setup keeps its margins for every printout.",
    "",
    "New in version 3.01",
    "1) Slopes can be exported to DXF drawings.",
    "",
    "New in version 3.0",
    "1) Barriers stop rocks and report the energy of each impact.",
    "2) Analysis lines show the bounce heights and velocities",
    "   of the rocks that pass them.",
    "",
    "New in version 2.02",
    "1) Rolling and sliding rocks lose speed on every segment",
    "   by its own friction.",
    "",
    "New in version 2.01",
    "1) Histograms of stopping points, velocities and energies.",
    "",
};

bool IsSectionHead(const char* line) { return CString(line).Find("New in version ") == 0; }

} // namespace

CWhatsNewDlg::CWhatsNewDlg(CWnd* pParent) : CDialog(IDD_WHATS_NEW, pParent) {}

CString CWhatsNewDlg::ReleaseNotes() {
    CString text;
    for (const char* line : kNotes) {
        text += line;
        text += "\r\n";
        if (IsSectionHead(line)) text += CString('*', 37) + "\r\n";
    }
    return text;
}

BOOL CWhatsNewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_strTitle);
    SetDlgItemText(IDC_WHATS_NEW_TEXT, m_strText);
    SetDlgItemText(IDC_INFO_VERSION, m_strVersion);
    if (CWnd* icon = GetDlgItem(IDC_INFO_ICON)) icon->ShowWindow(SW_HIDE);
    return TRUE;
}

void CWhatsNewDlg::OnPaint() {
    CPaintDC dc(this);
    DrawInfoIcon(&dc, m_hIcon);
}

BEGIN_MESSAGE_MAP(CWhatsNewDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()
