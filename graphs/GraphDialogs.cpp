#include "graphs/GraphDialogs.h"

#include "model/MainFrameServices.h"
#include "framework/DataExchange.h"
#include "geometry/REGDatabase.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimDoc.h"
#include "res/dialogs-graphs.h"

namespace {

const char* const kQuantities[] = {"Bounce Height", "Total Kinetic Energy", "Translational Kinetic Energy",
                                   "Rotational Kinetic Energy", "Translational Velocity", "Rotational Velocity"};
constexpr int kQuantityCount = 6;

} // namespace

// ---- CCreateGraphDlg ----------------------------------------------------------------

CCreateGraphDlg::CCreateGraphDlg(CWnd* pParent) : CDialog(IDD_CREATE_GRAPH, pParent) {}

int CCreateGraphDlg::KindOf(int index, int mode)
{
    if (index < 0 || index >= kQuantityCount)
        return -1;
    return (mode ? 2901 : 2941) + index;
}

void CCreateGraphDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRAPH_KIND, m_combo);
}

BOOL CCreateGraphDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_nMode ? "Graph Distribution" : "Graph Envelope");
    for (const char* text : kQuantities)
        m_combo.AddString(text);
    m_combo.SetCurSel(0);
    m_combo.SetFocus();
    return FALSE;
}

void CCreateGraphDlg::OnOK()
{
    const int kind = KindOf(m_combo.GetCurSel(), m_nMode);
    if (kind == -1)
        return;
    m_nGraphKind = kind;
    EndDialog(IDOK);
}

// ---- CGraphSelectDlg ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGraphSelectDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_GRAPH_OBJECTS, OnSelChangeList)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CGraphSelectDlg::CGraphSelectDlg(CWnd* pParent) : CDialog(IDD_GRAPH_SELECT, pParent) {}

void CGraphSelectDlg::SetData(CREGDatabase* pDatabase, CMainFrameServices* pMainFrame)
{
    m_pDatabase = pDatabase;
    m_pMainFrame = pMainFrame;
}

void CGraphSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRAPH_KIND, m_combo);
    DDX_Control(pDX, IDC_GRAPH_OBJECTS, m_list);
}

BOOL CGraphSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetFocus();
    if (m_pDatabase) {
        for (int i = 0; i < m_pDatabase->GetEntityCount(); ++i) {
            CEntity* e = m_pDatabase->GetEntityAt(i);
            auto* barrier = e && e->GetKindId() == KIND_BARRIER ? dynamic_cast<CTalusimBarrier*>(e) : nullptr;
            // The next barrier or collector an add mode keeps ready is not one yet.
            if (!barrier || barrier->GetCategoryId() != CAT_PLACED)
                continue;
            const int item = m_list.AddString(barrier->GetName());
            m_list.SetItemDataPtr(item, barrier);
        }
    }
    m_list.SetCurSel(0);
    m_nLastShown = m_list.GetCount() > 0 ? 0 : -1;
    FillKinds(m_nLastShown >= 0 ? static_cast<CTalusimBarrier*>(m_list.GetItemDataPtr(0)) : nullptr);
    return FALSE;
}

void CGraphSelectDlg::FillKinds(CTalusimBarrier* pObject)
{
    m_combo.ResetContent();
    if (pObject && pObject->GetHitUpperBound(false) >= 0) {
        struct Item { const char* text; int kind; };
        static const Item kItems[] = {
            {"Total Kinetic Energy", CTalusimBarrier::kGraphTotalEnergy},
            {"Translational Kinetic Energy", CTalusimBarrier::kGraphTranslationalEnergy},
            {"Rotational Kinetic Energy", CTalusimBarrier::kGraphRotationalEnergy},
            {"Translational Velocity", CTalusimBarrier::kGraphVelocity},
            {"Rotational Velocity", CTalusimBarrier::kGraphAngularVelocity},
        };
        auto add = [this](const char* text, int kind) {
            const int i = m_combo.AddString(text);
            m_combo.SetItemData(i, static_cast<DWORD_PTR>(kind));
        };
        for (const Item& item : kItems)
            add(item.text, item.kind);
        if (pObject->IsNotVertical())
            add("Horizontal Impact Location", CTalusimBarrier::kGraphImpactX);
        if (pObject->IsNotHorizontal())
            add("Vertical Impact Location", CTalusimBarrier::kGraphImpactY);
    }
    const bool any = m_combo.GetCount() > 0;
    m_combo.EnableWindow(any);
    if (any)
        m_combo.SetCurSel(0);
}

void CGraphSelectDlg::OnSelChangeList()
{
    const int sel = m_list.GetCurSel();
    if (sel < 0)
        return;
    FillKinds(static_cast<CTalusimBarrier*>(m_list.GetItemDataPtr(sel)));
    m_nLastShown = sel;
}

void CGraphSelectDlg::OnOK()
{
    if (!m_combo.IsWindowEnabled())
        return;
    const int objectIndex = m_list.GetCurSel();
    const int kindIndex = m_combo.GetCurSel();
    if (objectIndex < 0 || kindIndex < 0)
        return;
    const int kind = static_cast<int>(m_combo.GetItemData(kindIndex));
    auto* object = static_cast<CTalusimBarrier*>(m_list.GetItemDataPtr(objectIndex));
    if (kind != -1 && object) {
        if (m_pMainFrame)
            m_pMainFrame->ToggleChartView(kind, object, true);
        EndDialog(IDOK);
    }
}
