// CMainFrame: the program's MDI frame with its six docked toolbars, the
// material combo in the Materials toolbar, the prompt bar with the command
// line, the status bar, the owner-drawn menus and the modeless tool windows.
#pragma once

#include <memory>
#include <vector>

#include "controls/CoordResetWnd.h"
#include "controls/FlatComboBox.h"
#include "controls/KsMenu.h"
#include "framework/DialogBar.h"
#include "framework/Frame.h"
#include "framework/ToolBar.h"
#include "app/SnapStatusBar.h"

class CDistStatsDlg;
class CDiscTimedlg;
class CDocument;
class CView;
class CEntity;
class CMainFrameServices;

// Posted to the main frame when the active document changes or a document
// window closes: the material combo must not keep the old document's materials.
#define WM_SHELL_DOCUMENT_CHANGED (WM_APP + 401)
// The Page Setup dialog hands its settings back with this message.
#define WM_PAGE_SETUP_RESULT (WM_APP + 400)

// The toolbars of the frame, in the order they are made and docked.
class CToolBarSet : public CWnd {
    DECLARE_DYNAMIC(CToolBarSet)
public:
    struct Entry {
        CToolBar* toolbar;
        UINT resourceId;
        UINT titleId;
        BYTE newRow;
    };
    void AddToolBar(CToolBar* toolbar, UINT resourceId, UINT titleId, BYTE newRow);
    int Create(CFrameWnd* parent);
    void Dock(CFrameWnd* frame);
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

class CMainFrame : public CMDIFrameWnd, public CCursorCoordinateTarget {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    CDistStatsDlg* m_pDistStatsDlg = nullptr;
    CDiscTimedlg* m_pTimeStepDlg = nullptr;
    KsMenu m_menuDocument;
    KsMenu m_menuDefault;
    CCoordResetWnd m_wndMDIClient;
    CSnapStatusBar m_wndStatusBar;
    CToolBar m_wndSpare1, m_wndGeometryBar, m_wndStandardBar, m_wndMaterialsBar, m_wndGraphBar, m_wndZoomBar,
        m_wndSpare2, m_wndToolsBar, m_wndSpare3, m_wndSpare4;
    CToolBarSet m_toolBarSet;
    CFont m_fontMaterial;
    CSwatchComboBox m_comboMaterial;
    CString m_strRockCount;
    BOOL m_bCommandLineActive = 1;
    CString m_strPrompt;
    CDialogBar m_wndPromptBar;
    double m_dCursorY = 0.0, m_dCursorX = 0.0;
    CString m_strCoordinates, m_strSnapText, m_strGridText;

    // Menus.
    HMENU BuildDocumentMenu();
    HMENU BuildDefaultMenu();

    // Prompt line.
    void SetPrompt(LPCSTR text);
    void FocusCommandLine();
    void SetCommandLineActive(BOOL active) { m_bCommandLineActive = active; }
    BOOL GetTypedPoint(double& x, double& y, BOOL clear);
    BOOL IsCommandLineEmpty();
    BOOL ConfirmSelectAll() { return TRUE; }
    BOOL ConfirmGoBack() { return TRUE; }
    void ArrangePromptBar();

    // Status bar.
    void SetCursorCoordinates(double x, double y) override;
    void InvalidateStatusBar();

    // Toolbars and the material combo.
    void RearrangeToolbars();
    void RefillMaterialCombo();
    CEntity* GetSelectedMaterial();

    // Graph views and the tool windows.
    void ToggleChartView(int kind, CEntity* object, BOOL bShow);
    void ShowDistributionStatistics(CDocument* doc);
    void ShowTimeStepDialog(CDocument* doc);
    void RefreshTimeStepDialog(CDocument* doc);
    void HideTimeStepDialogIfNoDocument();
    void ForgetTimeStepDocument(CDocument* doc);
    // A document window is closing; when it is the document's last, nothing may keep the document.
    void DocumentWindowClosing(CDocument* doc, CFrameWnd* closing);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    std::unique_ptr<CMainFrameServices> m_services;

    BOOL CreateMaterialCombo();
    void ReleaseMaterialItems();
    void FitMaterialList();

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnPageSetupResult(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDocumentChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnViewToolbar(UINT nID);
    afx_msg void OnUpdateViewToolbar(CCmdUI* pCmdUI);
    afx_msg void OnAutoArrange();
    // A window of the document's 3D view, offered while its disc runs are not two-dimensional.
    afx_msg void On3DView();
    afx_msg void OnUpdate3DView(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGridPane(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSnapPane(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCoordinatesPane(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRockPane(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrompt(CCmdUI* pCmdUI);
    afx_msg void OnUpdateMaterialCombo(CCmdUI* pCmdUI);
    afx_msg void OnMaterialSetFocus();
    afx_msg void OnMaterialSelChange();
    afx_msg void OnCommandLineUpdate();
    afx_msg void OnCommandLineKillFocus() {}
    afx_msg void OnPromptEnter();
    afx_msg void OnPromptEscape();

    DECLARE_MESSAGE_MAP()
};

// The active view of the active document window, and its document; null when none.
CView* ActiveChildView();
CDocument* ActiveChildDocument();
