#include "editors/MaterialEditorDlg.h"

#include "controls/LinkShell.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "editors/ModelDialogs.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-editors.h"
#include "res/resource.h"

namespace {
// The friction-angle controls, enabled only when the angle comes from here.
constexpr int kFrictionControls[] = {IDC_ME_FRICTION_GROUP, IDC_ME_FRICTION_LABEL, IDC_ME_FRICTION_SD_LABEL,
                                     IDC_ME_FRICTION_MEAN, IDC_ME_FRICTION_SD};
} // namespace

CMaterialEditorDlg::CMaterialEditorDlg() : CListEditorDialog(IDD_MATERIAL_EDITOR, IDC_ME_LIST) {}

void CMaterialEditorDlg::SetData(CTalusimDoc* document, CTalusimSlope* slope, CTalusimSlopeType* replacement)
{
    m_document = document;
    m_slope = slope;
    m_replacement = replacement;
    SetObjectList(document != nullptr ? document->GetDatabase() : nullptr);
}

BOOL CMaterialEditorDlg::OnInitDialog()
{
    CListEditorDialog::OnInitDialog();
    m_table.SubclassDlgItem(IDC_ME_TABLE, this);
    m_table.SetIcon(IDI_BOOK);
    m_tutorial.SubclassDlgItem(IDC_ME_TUTORIAL, this);
    m_tutorial.SetIcon(IDI_BOOK);
    m_picker.SubclassDlgItem(IDC_ME_COLOUR, this);

    // What Cancel puts back.
    m_saved.clear();
    for (CTalusimSlopeType* m : CollectAs<CTalusimSlopeType>(*m_pDatabase, ID_ANY_CATEGORY, KIND_MATERIAL,
                                                              ID_ANY_GROUP))
        m_saved.push_back({m, m->GetName(),
                           {m->GetRnMean(), m->GetRnStdDev(), m->GetRtMean(), m->GetRtStdDev(),
                            m->GetFrictionAngleMean(), m->GetFrictionAngleStdDev(), m->GetRoughnessStdDev()},
                           m->GetColour()});
    InitList();
    EnableFriction();
    return FALSE;  // the list has the focus
}

void CMaterialEditorDlg::EnableFriction()
{
    const bool on = m_frictionEnabled && GetCurrentObject() != nullptr;
    for (int id : kFrictionControls)
        EnableItem(id, on);
}

void CMaterialEditorDlg::ResetList()
{
    m_pDatabase->MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP,
                              kListSet, nullptr, nullptr);
}

void CMaterialEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    ExchangeReal(pDX, IDC_ME_RN_MEAN, m_rnMean, 0.0, 1.0);
    ExchangeStdDev(pDX, IDC_ME_RN_SD, m_rnSd);
    ExchangeReal(pDX, IDC_ME_RT_MEAN, m_rtMean, 0.0, 1.0);
    ExchangeStdDev(pDX, IDC_ME_RT_SD, m_rtSd);
    // Greyed when the angle comes from elsewhere: the material keeps its own.
    if (m_frictionEnabled || !pDX->m_bSaveAndValidate) {
        ExchangeReal(pDX, IDC_ME_FRICTION_MEAN, m_frictionMean, 0.0, 90.0);
        ExchangeStdDev(pDX, IDC_ME_FRICTION_SD, m_frictionSd);
    }
    ExchangeName(pDX, IDC_ME_NAME, m_name, 35);
    if (pDX->m_bSaveAndValidate && NameTakenByAnother(m_name)) {
        CString text;
        text.Format("Another material is already named \"%s\".\nPlease choose a different name.",
                    static_cast<LPCSTR>(m_name));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    ExchangeStdDev(pDX, IDC_ME_ROUGHNESS_SD, m_roughnessSd);
    DDX_ColourPicker(pDX, IDC_ME_COLOUR, m_colour);
}

bool CMaterialEditorDlg::NameTakenByAnother(const CString& name) const
{
    // The Slope Editor and the document's files find materials by name: two
    // of one name would let a segment change material unseen. Only a name
    // being given is checked, so a clash that came with an old document
    // never keeps the user in the dialog.
    const auto* shown = static_cast<const CTalusimSlopeType*>(GetCurrentObject());
    if (m_pDatabase == nullptr || shown == nullptr || shown->GetName() == name)
        return false;
    for (CTalusimSlopeType* m : CollectAs<CTalusimSlopeType>(*m_pDatabase, ID_ANY_CATEGORY, KIND_MATERIAL,
                                                              ID_ANY_GROUP))
        if (m != shown && !IsDeleted(m) && m->GetName() == name)
            return true;
    return false;
}

void CMaterialEditorDlg::ShowObject(CEntity* object)
{
    auto* m = static_cast<CTalusimSlopeType*>(object);
    m_rnMean = m->GetRnMean();
    m_rtMean = m->GetRtMean();
    m_frictionMean = m->GetFrictionAngleMean();
    m_rnSd = m->GetRnStdDev();
    m_rtSd = m->GetRtStdDev();
    m_frictionSd = m->GetFrictionAngleStdDev();
    m_name = m->GetName();
    m_roughnessSd = m->GetRoughnessStdDev();
    m_colour = m->GetColour();
    // A built-in material keeps its name (its stored values go by it) and
    // cannot be deleted; only it has values to go back to. The replacement
    // of deleted materials must stay too.
    const bool builtIn = m->HasDefaultValues();
    EnableItem(IDC_ME_DELETE, !builtIn && m != m_replacement);
    EnableItem(IDC_ME_NAME, !builtIn);
    EnableItem(IDC_ME_DEFAULT, builtIn);
}

void CMaterialEditorDlg::ApplyToObject(CEntity* object)
{
    auto* m = static_cast<CTalusimSlopeType*>(object);
    m->SetRnMean(m_rnMean);
    m->SetRnStdDev(m_rnSd);
    m->SetRtMean(m_rtMean);
    m->SetRtStdDev(m_rtSd);
    m->SetFrictionAngleMean(m_frictionMean);
    m->SetFrictionAngleStdDev(m_frictionSd);
    m->SetColour(m_colour);
    m->SetName(m_name);
    m->SetRoughnessStdDev(m_roughnessSd);
}

void CMaterialEditorDlg::EnableControls(BOOL enable)
{
    for (int id : {IDC_ME_NAME, IDC_ME_RN_MEAN, IDC_ME_RN_SD, IDC_ME_RT_MEAN, IDC_ME_RT_SD, IDC_ME_ROUGHNESS_SD,
                   IDC_ME_COLOUR, IDC_ME_DELETE, IDC_ME_DEFAULT, IDC_ME_COPY})
        EnableItem(id, enable != FALSE);
    for (int id : kFrictionControls)
        EnableItem(id, enable != FALSE && m_frictionEnabled);
}

CEntity* CMaterialEditorDlg::CreateObject()
{
    auto* material = new CTalusimSlopeType;
    CString name;
    m_pDatabase->MakeUniqueName("New Material", name, KIND_MATERIAL, ID_ANY_GROUP, ID_ANY_CATEGORY);
    material->SetName(name);
    m_pDatabase->AddEntity(material, false);
    NoteAdded(material);
    return material;
}

void CMaterialEditorDlg::DeleteForGood(CEntity* object)
{
    // The segments of a deleted material take the replacement. Without one
    // only an entry that names no segment can still hold it (OnDelete keeps a
    // used material); it is emptied, so that nothing names a freed material.
    auto* m = static_cast<CTalusimSlopeType*>(object);
    if (m_slope != nullptr)
        m_slope->ReplaceMaterial(m, m_replacement);
    CListEditorDialog::DeleteForGood(m);
}

BOOL CMaterialEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_ME_ADD: OnAdd(); return TRUE;
        case IDC_ME_DELETE: OnDelete(); return TRUE;
        case IDC_ME_DEFAULT: OnDefault(); return TRUE;
        case IDC_ME_COPY: CopyTable(); return TRUE;
        case IDC_ME_TABLE: OnTable(); return TRUE;
        case IDC_ME_TUTORIAL: OnTutorial(); return TRUE;
        default: break;
        }
    }
    return CListEditorDialog::OnCommand(wParam, lParam);
}

void CMaterialEditorDlg::OnAdd()
{
    // The shown material's edits go in first; refused ones keep the dialog where it is.
    if (!StoreShown())
        return;
    CListEditor::OnAdd();
    EnableFriction();
    CWnd* name = GetDlgItem(IDC_ME_NAME);
    if (name != nullptr) {
        GotoDlgCtrl(name);
        name->SendMessage(EM_SETSEL, 0, -1);
    }
}

void CMaterialEditorDlg::OnDelete()
{
    // An older document may have no built-in material: the segments of a
    // used material would then have none to take in its place.
    const int row = GetListBox().GetCurSel();
    const auto* m = row >= 0 ? static_cast<const CTalusimSlopeType*>(GetListBox().GetItemDataPtr(row)) : nullptr;
    if (m != nullptr && m_replacement == nullptr && m_slope != nullptr && m_slope->UsesMaterial(m)) {
        AfxMessageBox("This material cannot be deleted: slope segments use it, and the document has no built-in "
                      "material to give them in its place.\nGive those segments another material first.",
                      MB_ICONEXCLAMATION);
        return;
    }
    CListEditor::OnDelete();
    EnableFriction();
}

void CMaterialEditorDlg::OnDefault()
{
    const int row = GetListBox().GetCurSel();
    if (row < 0)
        return;
    CString name;
    GetListBox().GetText(row, name);
    auto* m = dynamic_cast<CTalusimSlopeType*>(
        m_pDatabase->FindEntityByName(name, KIND_MATERIAL, ID_ANY_GROUP, ID_ANY_CATEGORY));
    if (m == nullptr || !m->HasDefaultValues())
        return;
    m->RestoreDefaultValues();
    Display(m);
}

CString CMaterialEditorDlg::TableText() const
{
    CString text = "Rn_mean\tRn_std_dev\tRt_mean\tRt_std_dev\tPhi_mean\tPhi_std_dev\tRoughness_std_dev\tName\n";
    for (CTalusimSlopeType* m : CollectAs<CTalusimSlopeType>(*m_pDatabase, ID_ANY_CATEGORY, KIND_MATERIAL,
                                                              ID_ANY_GROUP)) {
        if (IsDeleted(m))
            continue;
        CString row;
        row.Format("%g\t%g\t%g\t%g\t%g\t%g\t%g\t%s\n", m->GetRnMean(), m->GetRnStdDev(), m->GetRtMean(),
                   m->GetRtStdDev(), m->GetFrictionAngleMean(), m->GetFrictionAngleStdDev(),
                   m->GetRoughnessStdDev(), static_cast<LPCSTR>(m->GetName()));
        text += row;
    }
    return text;
}

CString CMaterialEditorDlg::TablePagePath()
{
    char module[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        AfxMessageBox("Unable to find the executable file!\nIt should be in the same directory as the application");
        return CString();
    }
    CString path = module;
    const int slash = path.ReverseFind('\\');
    if (slash < 0) {
        AfxMessageBox("Unable to open executable file!");
        return CString();
    }
    return path.Left(slash + 1) + "RN_RT_TABLE.htm";
}

void CMaterialEditorDlg::OnTable()
{
    const CString page = TablePagePath();
    if (page.IsEmpty())
        return;
    // Without the page the shell would fail without a word: say what is missing.
    if (::GetFileAttributesA(page) == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(CString("The document could not be found:\n") + page, MB_ICONEXCLAMATION);
        return;
    }
    LinkShell::Open(page, SW_SHOWNORMAL);
}

void CMaterialEditorDlg::OnTutorial()
{
    if (CWnd* main = AfxGetMainWnd(); main != nullptr)
        main->SendMessage(WM_COMMAND, ID_HELP_DETERMINING_INPUT_PARAMETERS);
}

void CMaterialEditorDlg::OnOK()
{
    // The shown material's edits go in first; refused ones keep the dialog open.
    if (!StoreShown())
        return;
    CommitDeletions();
    EndDialog(IDOK);
}

void CMaterialEditorDlg::OnCancel()
{
    for (const Saved& s : m_saved) {
        CTalusimSlopeType* m = s.material;
        m->SetName(s.name);
        m->SetRnMean(s.values[0]);
        m->SetRnStdDev(s.values[1]);
        m->SetRtMean(s.values[2]);
        m->SetRtStdDev(s.values[3]);
        m->SetFrictionAngleMean(s.values[4]);
        m->SetFrictionAngleStdDev(s.values[5]);
        m->SetRoughnessStdDev(s.values[6]);
        m->SetColour(s.colour);
    }
    DiscardAdditions();
    EndDialog(IDCANCEL);
}

INT_PTR CModelDialogServices::RunMaterialEditor(CTalusimDoc* document, CTalusimSlope* slope,
                                                CTalusimSlopeType* defaultMaterial, CTalusimSlopeType* initial,
                                                bool frictionAngleEnabled)
{
    CMaterialEditorDlg dlg;
    dlg.SetData(document, slope, defaultMaterial);
    dlg.SetInitialMaterial(initial);
    dlg.SetFrictionAngleEnabled(frictionAngleEnabled);
    return dlg.DoModal();
}
