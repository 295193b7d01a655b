// The Material Editor: the document's materials in a sorted list, the
// selected one's restitution, friction angle, roughness, name and colour
// beside it; Add, Delete, Default (a built-in material's stored values back),
// Copy (the whole table as tab-separated text), the Table page and the
// input-parameters manual. Every change reaches the document on Done only:
// Cancel puts back every material as it was, removes the added ones and keeps
// the deleted ones.
#pragma once

#include <vector>
#include "controls/ColourPicker.h"
#include "controls/IconButton.h"
#include "editors/ListEditorDialog.h"
#include "model/TalusimSlopeType.h"

class CTalusimDoc;
class CTalusimSlope;

class CMaterialEditorDlg : public CListEditorDialog
{
public:
    CMaterialEditorDlg();

    // The replacement is the material that slope segments get in place of a
    // deleted one (the first built-in material).
    void SetData(CTalusimDoc* document, CTalusimSlope* slope, CTalusimSlopeType* replacement);
    void SetInitialMaterial(CTalusimSlopeType* material) { SetInitialObject(material); }
    void SetFrictionAngleEnabled(bool on) { m_frictionEnabled = on; }

    // The table as Copy puts it on the clipboard.
    CString TableText() const override;
    // The page Table opens: "RN_RT_TABLE.htm" in the program's folder; empty
    // (after telling the user) when the program's path cannot be read.
    static CString TablePagePath();

    // The fields' side of the exchange.
    double m_frictionMean = 0, m_frictionSd = 0, m_rnMean = 0, m_rnSd = 0, m_rtMean = 0, m_rtSd = 0;
    CString m_name;
    double m_roughnessSd = 0;
    COLORREF m_colour = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

    void ResetList() override;
    void ApplyToObject(CEntity* object) override;
    void ShowObject(CEntity* object) override;
    void EnableControls(BOOL enable) override;
    CEntity* CreateObject() override;
    void DeleteForGood(CEntity* object) override;

private:
    struct Saved {
        CTalusimSlopeType* material;
        CString name;
        double values[7];
        COLORREF colour;
    };
    void OnAdd();
    // Deletes the selected material, unless segments use it and nothing can replace it.
    void OnDelete();
    void OnDefault();
    void OnTable();
    void OnTutorial();
    void EnableFriction();
    // True when a material other than the shown one (and not deleted) has this name, and the shown one has not.
    bool NameTakenByAnother(const CString& name) const;

    CIconButton m_tutorial;
    CColourPicker m_picker;
    CIconButton m_table;
    CTalusimDoc* m_document = nullptr;
    CTalusimSlope* m_slope = nullptr;
    CTalusimSlopeType* m_replacement = nullptr;
    bool m_frictionEnabled = true;
    std::vector<Saved> m_saved;
};
