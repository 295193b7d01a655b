// The filter dialogs behind the document's Filter by Value and Filter by
// Impact commands.
#include "editors/FilterDialogs.h"

#include "editors/FilterByImpactDlg.h"
#include "model/FilterDialogServices.h"
#include "editors/FilterPathsDlg.h"

namespace {

class CFilterDialogs : public CFilterDialogServices
{
public:
    INT_PTR RunFilterPaths(CFilterPathsData& data) override
    {
        CFilterPathsDlg dialog;
        dialog.m_bPathsFiltered = data.filterExists ? 1 : 0;
        const INT_PTR result = dialog.DoModal();
        if (result != IDOK)
            return result;
        data.mode = dialog.m_nMode;
        data.endBelow = dialog.m_criterionFlags[CFilterPathsDlg::END_BELOW] != 0;
        data.endBelowX = dialog.m_criterionValues[CFilterPathsDlg::END_BELOW];
        data.endAbove = dialog.m_criterionFlags[CFilterPathsDlg::END_ABOVE] != 0;
        data.endAboveX = dialog.m_criterionValues[CFilterPathsDlg::END_ABOVE];
        data.smallestBelow = dialog.m_criterionFlags[CFilterPathsDlg::ANY_BELOW] != 0;
        data.smallestBelowX = dialog.m_criterionValues[CFilterPathsDlg::ANY_BELOW];
        data.largestAbove = dialog.m_criterionFlags[CFilterPathsDlg::ANY_ABOVE] != 0;
        data.largestAboveX = dialog.m_criterionValues[CFilterPathsDlg::ANY_ABOVE];
        return result;
    }

    INT_PTR RunFilterByImpact(CREGDatabase* database, CTalusimDoc* document, CTalusimBarrier* initial,
                              bool filterExists) override
    {
        CFilterByImpactDlg dialog;
        dialog.m_pDatabase = database;
        dialog.m_pDocument = document;
        dialog.m_pInitial = initial;
        dialog.m_bPathsFiltered = filterExists ? 1 : 0;
        return dialog.DoModal();
    }
};

}  // namespace

void InstallFilterDialogs()
{
    // The Material Wizard keeps the default (Cancel) until it is built.
    static CFilterDialogs dialogs;
    InstallFilterDialogServices(&dialogs);
}
