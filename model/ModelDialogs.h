// Simple working forms of the settings dialogs the document opens (snap, grid,
// units, initial conditions, project settings, display options), for the
// program to install until the editor subsystem brings its own. The editors of
// the model objects (materials, slope, barriers, collectors) stay with the
// editor subsystem and answer Cancel here.
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

    // Tests drive the dialogs with this: it runs once each dialog shows.
    using Script = void (*)(CDialog& dialog);
    static inline Script s_script = nullptr;
};
