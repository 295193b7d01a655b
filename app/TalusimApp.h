// CTalusimApp: the program's application object. It starts the program (OLE,
// the registry key and recent files, the four document templates, the main
// frame and its owner-drawn menus, shell registration, the command line, the
// last working directory, the version text) and handles the help, web,
// manual and page commands.
#pragma once

#include "app/DocumentLink.h"
#include "app/PageSettings.h"
#include "app/WebUpdateClient.h"
#include "controls/KsMenu.h"
#include "framework/DocTemplate.h"
#include "framework/WinApp.h"

class CTalusimApp : public CWinApp {
    DECLARE_DYNAMIC(CTalusimApp)
public:
    CTalusimApp();
    ~CTalusimApp() override;

    CPageSettings m_pageSettings;
    BOOL m_bPrintMargins = 0;
    CMultiDocTemplate* m_pReportTemplate = nullptr;
    CMultiDocTemplate* m_pSlopeTemplate = nullptr;
    // The graph view's link to the shell (app/DocumentLink.h), also reachable
    // through the application.
    static inline ShellLink::GraphViewLink& s_graphView = ShellLink::GraphView();
    CMultiDocTemplate* m_pGraphTemplate = nullptr;
    CMultiDocTemplate* m_p3DTemplate = nullptr;
    CWebUpdateClient m_updateClient;
    KsMenu m_menuReport;
    KsMenu m_menuGraph;
    CString m_strVersion;

    CMultiDocTemplate* GetGraphTemplate() const { return m_pGraphTemplate; }

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // "%u.%u%u%u" of the product version; " Beta" for a pre-release when asked.
    static CString FormatVersion(BOOL bMarkBeta);
    static CString FormatVersionOf(const VS_FIXEDFILEINFO& info, BOOL bMarkBeta);
    static void OpenUrl(LPCSTR url);
    // True when a document of any template has unsaved changes.
    bool AnyDocumentModified() const;
    // Opens a PDF below the program's directory; says so when it is not there.
    static void OpenManual(LPCSTR relativePath);
    static CString GetAppPath();

    afx_msg void OnDeterminingInputParameters();

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnWhatsNew();
    afx_msg void OnTechnicalSupport();
    afx_msg void OnFilePageSetup();
    afx_msg void OnCheckProductUpdates();
    afx_msg void OnCheckMakerUpdates();
    afx_msg void OnToggleAutomaticUpdates();
    afx_msg void OnUpdateAutomaticUpdates(CCmdUI* pCmdUI);
    afx_msg void OnContact();
    afx_msg void OnHomePage();
    afx_msg void OnFreeUpdates();
    afx_msg void OnFaq();
    afx_msg void OnTutorialManual();
    afx_msg void OnVerification(UINT nID);

    DECLARE_MESSAGE_MAP()
};
