// File, Page Setup: the program's page settings edited in the Page Setup
// dialog, which hands every applied change to the main frame itself.
#include "app/TalusimApp.h"

#include "app/PageSetupDlg.h"

void CTalusimApp::OnFilePageSetup()
{
    // The dialog starts from the printer as it is now.
    CPageSetupDlg::ReadPrinterPage(m_pageSettings);
    CPageSetupDlg::ClampMargins(m_pageSettings);
    CPageSetupDlg dialog(m_pMainWnd);
    dialog.m_settings = m_pageSettings;
    dialog.m_bPrintMargins = m_bPrintMargins;
    dialog.DoModal();
}
