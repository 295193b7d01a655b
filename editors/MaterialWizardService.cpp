// The document's Material Wizard command, answered by the wizard dialog.
#include "editors/MaterialWizardDlg.h"

#include "model/FilterDialogServices.h"

namespace {

// Passes the filter dialogs on to the services it was installed over.
class CMaterialWizardServices : public CFilterDialogServices {
public:
    CFilterDialogServices* m_pInner = nullptr;

    INT_PTR RunFilterPaths(CFilterPathsData& data) override { return Inner().RunFilterPaths(data); }
    INT_PTR RunFilterByImpact(CREGDatabase* database, CTalusimDoc* document, CTalusimBarrier* initial,
                              bool filterExists) override
    {
        return Inner().RunFilterByImpact(database, document, initial, filterExists);
    }
    INT_PTR RunMaterialWizard(CREGDatabase* database, CTalusimDoc* document) override
    {
        return RunMaterialWizardDialog(database, document);
    }

private:
    CFilterDialogServices& Inner() { return m_pInner ? *m_pInner : DefaultFilterDialogServices(); }
};

}  // namespace

void InstallMaterialWizard()
{
    static CMaterialWizardServices services;
    if (&FilterDialogServices() == &services)
        return;
    services.m_pInner = &FilterDialogServices();
    InstallFilterDialogServices(&services);
}
