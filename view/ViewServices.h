// The view subsystem's answers to what the document asks of it (the slope
// view's identity and context-menu flag; the editor dialogs as they come),
// and the analysis report as the Add Text dialog's auto-text.
#pragma once

#include "editors/ModelDialogs.h"

// Derives from the document's settings dialogs so that installing the view's
// services keeps them.
class CViewServices : public CModelDialogServices
{
public:
    bool IsSlopeView(CView* view) override;
    void ClearContextMenuFlag(CView* view) override;
};

// Installs the view's services unless others already are (the auto-text
// always).
void InstallViewServicesOnce();

// Installs the view's services in place of any others (the program does this
// before the application starts).
void InstallViewServices();
