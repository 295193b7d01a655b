// The graph choice dialogs: "Create Graph" picks the quantity of a distribution
// or envelope graph; "Graph" picks a barrier or data collector and one of the
// graphs its hits allow, and opens it through the main frame.
#pragma once

#include "controls/FlatComboBox.h"
#include "framework/Dialog.h"
#include "framework/StdControls.h"

class CMainFrameServices;
class CREGDatabase;
class CTalusimBarrier;

class CCreateGraphDlg : public CDialog
{
public:
    explicit CCreateGraphDlg(CWnd* pParent = nullptr);

    // Distribution kinds 2901-2906 (1) or envelope kinds 2941-2946 (0).
    int m_nMode = 1;
    // The chosen kind once OK succeeded; -1 before.
    int m_nGraphKind = -1;

    // The kind of quantity index i in a mode; -1 for an index outside the list.
    static int KindOf(int index, int mode);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CCJFlatComboBox m_combo;
};

class CGraphSelectDlg : public CDialog
{
public:
    explicit CGraphSelectDlg(CWnd* pParent = nullptr);

    // The drawing whose barriers and collectors are offered, and the frame that opens graphs.
    void SetData(CREGDatabase* pDatabase, CMainFrameServices* pMainFrame);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Refills the graph kinds for one barrier or collector (null: none).
    void FillKinds(CTalusimBarrier* pObject);

    CCJFlatComboBox m_combo;
    CListBox m_list;
    int m_nLastShown = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelChangeList();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }

    CREGDatabase* m_pDatabase = nullptr;
    CMainFrameServices* m_pMainFrame = nullptr;
    DECLARE_MESSAGE_MAP()
};
