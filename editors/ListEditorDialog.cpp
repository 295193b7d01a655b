#include "editors/ListEditorDialog.h"

#include <algorithm>

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

bool CListEditorDialog::IsDeleted(const CEntity* object) const
{
    return std::find(m_deleted.begin(), m_deleted.end(), object) != m_deleted.end();
}

void CListEditorDialog::DeleteForGood(CEntity* object) { m_pDatabase->DeleteEntity(object, false); }

void CListEditorDialog::CommitDeletions()
{
    for (CEntity* object : m_deleted)
        DeleteForGood(object);
    m_deleted.clear();
    m_added.clear();
}

void CListEditorDialog::DiscardAdditions()
{
    for (CEntity* added : m_added)
        m_pDatabase->DeleteEntity(added, false);
    m_added.clear();
    m_deleted.clear();
}
