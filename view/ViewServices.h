// The view subsystem's answers to what the document asks of it (the slope
// view's identity and context-menu flag; the editor dialogs as they come).
#pragma once

#include "view/SlopeViewServices.h"

class CViewServices : public CSlopeViewServices
{
public:
    bool IsSlopeView(CView* view) override;
    void ClearContextMenuFlag(CView* view) override;
};

// Installs the view's services unless others already are.
void InstallViewServicesOnce();
