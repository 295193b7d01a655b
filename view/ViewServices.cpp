#include "view/ViewServices.h"

#include "model/TalusimDoc.h"
#include "report/AnalysisReport.h"
#include "tools/AddTextDlg.h"
#include "view/TalusimView.h"

bool CViewServices::IsSlopeView(CView* view) { return dynamic_cast<CTalusimView*>(view) != nullptr; }

void CViewServices::ClearContextMenuFlag(CView* view)
{
    if (auto* slopeView = dynamic_cast<CTalusimView*>(view))
        slopeView->ClearContextMenuFlag();
}

namespace {
CViewServices& Services()
{
    static CViewServices services;
    return services;
}

// The Add Text dialog's auto-text: the document's analysis report as a tree.
void WriteAutoText(CDocument* document, CREGDatabase* database, CTreeOptionsCtrl* tree)
{
    auto* doc = dynamic_cast<CTalusimDoc*>(document);
    if (doc == nullptr)
        return;
    CAnalysisReport report;
    report.SetDocument(doc);
    report.SetDatabase(database);
    report.SetTreeControl(tree);
    report.WriteToTree();
}
} // namespace

void InstallViewServicesOnce()
{
    if (&SlopeViewServices() == &DefaultSlopeViewServices())
        InstallSlopeViewServices(&Services());
    InstallAutoTextWriter(&WriteAutoText);
}

void InstallViewServices()
{
    InstallSlopeViewServices(&Services());
    InstallAutoTextWriter(&WriteAutoText);
}
