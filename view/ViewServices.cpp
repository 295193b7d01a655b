#include "view/ViewServices.h"

#include "view/TalusimView.h"

bool CViewServices::IsSlopeView(CView* view) { return dynamic_cast<CTalusimView*>(view) != nullptr; }

void CViewServices::ClearContextMenuFlag(CView* view)
{
    if (auto* slopeView = dynamic_cast<CTalusimView*>(view))
        slopeView->ClearContextMenuFlag();
}

void InstallViewServicesOnce()
{
    static CViewServices services;
    if (&SlopeViewServices() == &DefaultSlopeViewServices())
        InstallSlopeViewServices(&services);
}
