#include "editors/ListEditorDialog.h"

#include "geometry/REGDatabase.h"

BOOL CListEditorDialog::OnInitDialog()
{
    CEditorDialog::OnInitDialog();
    m_list.SubclassDlgItem(m_listId, this);
    return TRUE;
}

BOOL CListEditorDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<int>(LOWORD(wParam)) == m_listId && HIWORD(wParam) == LBN_SELCHANGE) {
        OnSelChange();
        return TRUE;
    }
    return CEditorDialog::OnCommand(wParam, lParam);
}

bool CListEditorDialog::StoreShown() { return GetCurrentObject() == nullptr || OnSelChange(); }

void CListEditorDialog::CopyTable()
{
    if (CEntity* shown = GetCurrentObject(); shown != nullptr) {
        if (!UpdateData(TRUE))
            return;
        ApplyToObject(shown);
    }
    m_pDatabase->CopyTextToClipboard(this, TableText());
}
