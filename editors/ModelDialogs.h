// Simple working forms of the settings dialogs the document opens (snap, grid,
// units, initial conditions, project settings, display options) and of the
// model object editors (materials, slope, barriers, collectors; these in
// ModelEditorDialogs.cpp), for the program to install until the editor
// subsystem brings its own.
#pragma once

#include "view/SlopeViewServices.h"

class CDialog;

class CModelDialogServices : public CSlopeViewServices
{
public:
    INT_PTR RunSnapDialog(int& snapMode) override;
    INT_PTR RunGridSettings(CGridSettingsData& data) override;
    INT_PTR RunInitialConditions(CInitialConditionsData& data) override;
    INT_PTR RunProjectSettings(CProjectSettingsData& data) override;
    INT_PTR RunUnits(bool& metric) override;
    INT_PTR RunDisplayOptions(CDisplayOptionsData& data) override;
    INT_PTR RunMaterialEditor(CTalusimDoc* document, CTalusimSlope* slope, CTalusimSlopeType* defaultMaterial,
                              CTalusimSlopeType* initial, bool frictionAngleEnabled) override;
    INT_PTR RunBarrierEditor(CTalusimDoc* document, CTalusimBarrier* initial) override;
    INT_PTR RunDataCollectorEditor(CTalusimDoc* document, CEntity* initial) override;
    INT_PTR RunSlopeEditor(CSlopeEditorData& data) override;

    // Tests drive the dialogs with this: it runs once each dialog shows.
    using Script = void (*)(CDialog& dialog);
    static inline Script s_script = nullptr;
};
