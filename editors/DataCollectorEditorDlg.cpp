#include "editors/DataCollectorEditorDlg.h"

#include "editors/ModelDialogs.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-editors.h"

CDataCollectorEditorDlg::CDataCollectorEditorDlg() : CListEditorDialog(IDD_COLLECTOR_EDITOR, IDC_DC_LIST) {}

void CDataCollectorEditorDlg::SetDocument(CTalusimDoc* document)
{
    m_document = document;
    SetObjectList(document != nullptr ? document->GetDatabase() : nullptr);
}

std::vector<CTalusimBarrier*> CDataCollectorEditorDlg::Listed() const
{
    std::vector<CTalusimBarrier*> collectors =
        CollectAs<CTalusimBarrier>(*m_pDatabase, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    std::erase_if(collectors, [this](CTalusimBarrier* c) { return IsDeleted(c); });
    return collectors;
}

BOOL CDataCollectorEditorDlg::OnInitDialog()
{
    CListEditorDialog::OnInitDialog();
    m_saved.clear();
    if (m_pDatabase != nullptr)
        for (CTalusimBarrier* c : Listed())
            m_saved.push_back({c, c->GetName(), c->GetX1(), c->GetY1(), c->GetX2(), c->GetY2()});
    InitList();
    if (GetCurrentObject() == nullptr)
        EnableControls(FALSE);
    return FALSE;  // the list has the focus
}

void CDataCollectorEditorDlg::ResetList()
{
    // Only placed collectors: the one being drawn is none yet.
    m_pDatabase->MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR,
                              kListSet, nullptr, nullptr);
}

void CDataCollectorEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    ExchangeCoordinate(pDX, IDC_DC_END_X, m_x2);
    ExchangeCoordinate(pDX, IDC_DC_END_Y, m_y2);
    ExchangeName(pDX, IDC_DC_NAME, m_name, 30);
    ExchangeCoordinate(pDX, IDC_DC_START_X, m_x1);
    ExchangeCoordinate(pDX, IDC_DC_START_Y, m_y1);
}

void CDataCollectorEditorDlg::ShowObject(CEntity* object)
{
    auto* c = static_cast<CTalusimBarrier*>(object);
    m_x1 = c->GetX1();
    m_y1 = c->GetY1();
    m_x2 = c->GetX2();
    m_y2 = c->GetY2();
    m_name = c->GetName();
}

void CDataCollectorEditorDlg::ApplyToObject(CEntity* object)
{
    auto* c = static_cast<CTalusimBarrier*>(object);
    c->SetPoints(m_x1, m_y1, m_x2, m_y2);
    c->SetName(m_name);
}

void CDataCollectorEditorDlg::EnableControls(BOOL enable)
{
    for (int id : {IDC_DC_START_X, IDC_DC_START_Y, IDC_DC_END_X, IDC_DC_END_Y, IDC_DC_NAME, IDC_DC_DELETE,
                   IDC_DC_START_LABEL, IDC_DC_END_LABEL, IDC_DC_X_LABEL, IDC_DC_Y_LABEL})
        EnableItem(id, enable != FALSE);
    if (CWnd* add = GetDlgItem(IDC_DC_ADD); add != nullptr && enable == FALSE)
        GotoDlgCtrl(add);
}

CEntity* CDataCollectorEditorDlg::CreateObject()
{
    // A new line keeps the end points every new barrier object gets.
    auto* c = new CTalusimBarrier;
    CString name;
    m_pDatabase->MakeUniqueName("Collector001", name, KIND_BARRIER, GROUP_COLLECTOR, CAT_PLACED);
    c->SetName(name);
    c->SetCategoryId(CAT_PLACED);
    c->SetSkipLengthCheck(true);
    c->SetGroupId(GROUP_COLLECTOR);
    m_pDatabase->AddEntity(c, false);
    NoteAdded(c);
    return c;
}

void CDataCollectorEditorDlg::DeleteForGood(CEntity* object)
{
    // The collector's graph windows close with it.
    if (m_document != nullptr)
        m_document->CloseBarrierGraphs(object);
    CListEditorDialog::DeleteForGood(object);
}

BOOL CDataCollectorEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_DC_ADD:
            // The shown collector's edits go in first; refused ones keep the dialog where it is.
            if (StoreShown())
                CListEditor::OnAdd();
            return TRUE;
        case IDC_DC_DELETE: CListEditor::OnDelete(); return TRUE;
        case IDC_DC_COPY: CopyTable(); return TRUE;
        default: break;
        }
    }
    return CListEditorDialog::OnCommand(wParam, lParam);
}

CString CDataCollectorEditorDlg::TableText() const
{
    CString text = "Data Collectors\nStart_x\tStart_y\tEnd_x\tEnd_y\tName\n";
    for (CTalusimBarrier* c : Listed()) {
        CString row;
        row.Format("%.3f\t%.3f\t%.3f\t%.3f\t%s\n", c->GetX1(), c->GetY1(), c->GetX2(), c->GetY2(),
                   static_cast<LPCSTR>(c->GetName()));
        text += row;
    }
    return text;
}

void CDataCollectorEditorDlg::OnOK()
{
    if (!StoreShown())
        return;
    CommitDeletions();
    EndDialog(IDOK);
}

void CDataCollectorEditorDlg::OnCancel()
{
    for (const Saved& s : m_saved) {
        s.collector->SetName(s.name);
        s.collector->SetPoints(s.x1, s.y1, s.x2, s.y2);
    }
    DiscardAdditions();
    EndDialog(IDCANCEL);
}

INT_PTR CModelDialogServices::RunDataCollectorEditor(CTalusimDoc* document, CEntity* initial)
{
    CDataCollectorEditorDlg dlg;
    dlg.SetDocument(document);
    dlg.SetInitialCollector(dynamic_cast<CTalusimBarrier*>(initial));
    return dlg.DoModal();
}
