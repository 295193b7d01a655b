#include "view/ViewServices.h"

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
} // namespace

void InstallViewServicesOnce()
{
    if (&SlopeViewServices() == &DefaultSlopeViewServices())
        InstallSlopeViewServices(&Services());
}

void InstallViewServices() { InstallSlopeViewServices(&Services()); }
