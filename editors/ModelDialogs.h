// The document's editor and settings dialogs, as the program installs them:
// each Run function fills its dialog, runs it and hands the values back after
// OK. The dialogs live in files of their own (MaterialEditorDlg,
// BarrierEditorDlg, DataCollectorEditorDlg, ProjectSettingsDlg,
// ViewSettingsDlgs, SlopeEditorDlg).
#pragma once

#include "editors/EditorDialog.h"
#include "model/SlopeViewServices.h"

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
    using Script = CEditorDialog::Script;
    static inline Script& s_script = CEditorDialog::s_script;
};
