#include "editors/FilterByImpactDlg.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "framework/DataExchange.h"
#include "model/DocumentDependencies.h"
#include "editors/FilterPathsDlg.h"
#include "res/dialogs-filters.h"

namespace {
struct ImpactCriterion {
    const char* text;
    int compareKind;
};
const ImpactCriterion kCriteria[] = {
    {"Highest Total Kinetic Energy", HIT_TOTAL_ENERGY},
    {"Highest Translational Kinetic Energy", HIT_TRANSLATIONAL_ENERGY},
    {"Highest Rotational Kinetic Energy", HIT_ROTATIONAL_ENERGY},
    {"Highest Translational Velocity", HIT_VELOCITY},
    {"Highest Rotational Velocity", HIT_ANGULAR_VELOCITY},
    {"Highest y-impact Location", HIT_Y},
};
}  // namespace

BEGIN_MESSAGE_MAP(CFilterByImpactDlg, CDialog)
    ON_BN_CLICKED(IDC_IMPACT_ALL, OnAllPaths)
    ON_BN_CLICKED(IDC_IMPACT_HIGHEST, OnHighestImpacts)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CFilterByImpactDlg::CFilterByImpactDlg() : CDialog(IDD_FILTER_BY_IMPACT) {}

void CFilterByImpactDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IMPACT_SPIN, m_spin);
    DDX_Control(pDX, IDC_IMPACT_CRITERION, m_criterion);
    DDX_Control(pDX, IDC_IMPACT_OBJECTS, m_objects);
    DDX_Radio(pDX, IDC_IMPACT_ALL, m_nSelectionKind);
    DDX_Text(pDX, IDC_IMPACT_MAX_PATHS, m_nMaxPaths);
    DDV_MinMaxInt(pDX, m_nMaxPaths, 1, 100000);
    DDX_Radio(pDX, IDC_FILTER_MODE_DISCARD, m_nMode);
}

BOOL CFilterByImpactDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pDatabase != nullptr) {
        // Only what was hit can be chosen.
        int initial = -1;
        for (CTalusimBarrier* b : CollectAs<CTalusimBarrier>(*m_pDatabase, CAT_PLACED, KIND_BARRIER, ID_ANY_GROUP)) {
            if (b->GetGroupId() != GROUP_BARRIER && b->GetGroupId() != GROUP_COLLECTOR)
                continue;
            if (b->GetHitUpperBound(false) < 0)
                continue;
            const int item = m_objects.AddString(b->GetName());
            m_objects.SetItemDataPtr(item, b);
            if (b == m_pInitial)
                initial = item;
        }
        if (m_objects.GetCount() > 0)
            m_objects.SetCurSel(initial >= 0 ? initial : 0);
    }
    EnableFilterModeGroup(*this, m_bPathsFiltered != 0);
    m_spin.SetRange32(1, 10000);
    for (const ImpactCriterion& c : kCriteria)
        m_criterion.AddString(c.text);
    m_criterion.SetCurSel(0);
    EnableCriterion(m_nSelectionKind == 1);
    return TRUE;
}

void CFilterByImpactDlg::EnableCriterion(bool enable)
{
    for (int id : {IDC_IMPACT_MAX_PATHS_LABEL, IDC_IMPACT_MAX_PATHS, IDC_IMPACT_SPIN, IDC_IMPACT_CRITERION})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

void CFilterByImpactDlg::OnAllPaths()
{
    EnableCriterion(false);
}

void CFilterByImpactDlg::OnHighestImpacts()
{
    EnableCriterion(true);
}

void CFilterByImpactDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int item = m_objects.GetCurSel();
    if (m_pDocument != nullptr && m_pDatabase != nullptr && item >= 0) {
        auto* object = static_cast<CTalusimBarrier*>(m_objects.GetItemDataPtr(item));
        ApplyFilter(object, m_criterion.GetCurSel());
    }
    EndDialog(IDOK);
}

void CFilterByImpactDlg::ApplyFilter(CTalusimBarrier* object, int criterion)
{
    // The paths of the chosen impacts; a hit names its path by address only,
    // and the document compares addresses with its own paths.
    std::unordered_set<const CTalusimRockPath*> hitting;
    if (m_nSelectionKind == 0) {
        for (CBarrierHit hit = object->GetFirstHit(); hit.IsValid(); hit = object->GetNextHit())
            hitting.insert(hit.GetRockPath());
    } else {
        CArray<CBarrierHit, const CBarrierHit&> copied;
        object->CopyHits(copied);
        std::vector<CBarrierHit> hits(copied.GetData(), copied.GetData() + copied.GetSize());
        const int kind = criterion >= 0 && criterion < 6 ? kCriteria[criterion].compareKind : HIT_TOTAL_ENERGY;
        for (CBarrierHit& hit : hits)
            hit.SetCompareKind(kind);
        std::sort(hits.begin(), hits.end(), [](const CBarrierHit& a, const CBarrierHit& b) { return a.IsLessThan(b); });
        // The highest N impacts; two impacts of one path count twice.
        const size_t n = std::min(hits.size(), static_cast<size_t>(m_nMaxPaths));
        for (size_t i = 0; i < n; ++i)
            hitting.insert(hits[hits.size() - 1 - i].GetRockPath());
    }
    m_pDocument->ApplyRockPathFilter(m_nMode, m_bPathsFiltered != 0, [&hitting](const CTalusimRockPath& p) {
        return hitting.count(&p) != 0;
    });
}
