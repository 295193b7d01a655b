#include "editors/ListEditor.h"

#include "framework/MessageBox.h"
#include "geometry/Entity.h"
#include "geometry/REGDatabase.h"

void CListEditor::RemoveObject(CEntity* object)
{
    m_pDatabase->DeleteEntity(object, false);
}

int CListEditor::AddRow(CEntity* object)
{
    CListBox& list = GetListBox();
    const int row = list.AddString(object->GetName());
    if (row >= 0)
        list.SetItemDataPtr(row, object);
    return row;
}

CEntity* CListEditor::RowObject(int row)
{
    return static_cast<CEntity*>(GetListBox().GetItemDataPtr(row));
}

int CListEditor::FindRow(CEntity* object)
{
    CListBox& list = GetListBox();
    for (int row = 0; row < list.GetCount(); ++row)
        if (RowObject(row) == object)
            return row;
    return -1;
}

BOOL CListEditor::InitList()
{
    GetListBox().SetFocus();
    Fill();
    return FALSE;
}

void CListEditor::Fill()
{
    if (m_pDatabase == nullptr)
        return;
    m_pDatabase->ClearSet(kListSet);
    ResetList();
    CEntity* first = m_pDatabase->GetFirstInSet(kListSet);
    EnableControls(first != nullptr);
    if (first == nullptr)
        return;
    m_pCurrent = first;
    for (CEntity* e = first; e != nullptr; e = m_pDatabase->GetNextInSet(kListSet)) {
        AddRow(e);
        if (e == m_pInitial)
            m_pCurrent = e;
    }
    // Sorted insertion has moved the rows about: find the current one.
    GetListBox().SetCurSel(FindRow(m_pCurrent));
    Display(m_pCurrent);
}

BOOL CListEditor::Display(CEntity* object)
{
    ShowObject(object);
    return ExchangeData(FALSE);
}

bool CListEditor::ApplyCurrent(CEntity* object)
{
    if (ExchangeData(TRUE)) {
        ApplyToObject(object);
        return true;
    }
    // The invalid entry stays in view, on the row it belongs to.
    GetListBox().SetCurSel(FindRow(m_pCurrent));
    return false;
}

bool CListEditor::OnSelChange()
{
    CListBox& list = GetListBox();
    if (list.GetCount() == 0)
        return false;
    const int row = list.GetCurSel();
    CEntity* next = row >= 0 ? RowObject(row) : m_pCurrent;
    CEntity* old = m_pCurrent;
    if (old == nullptr || next == nullptr)
        return false;
    if (!ApplyCurrent(old))
        return false;
    Display(next);
    // A renamed object moves to its sorted place.
    const int oldRow = FindRow(old);
    if (oldRow >= 0)
        list.DeleteString(oldRow);
    AddRow(old);
    m_pCurrent = next;
    list.SetCurSel(FindRow(next));
    return true;
}

void CListEditor::OnAdd()
{
    CEntity* created = CreateObject();
    if (created == nullptr) {
        AfxMessageBox("Out of Memory!\nexit the program and restart your computer", MB_OK);
        return;
    }
    const int row = AddRow(created);
    EnableControls(TRUE);
    Display(created);
    GetListBox().SetCurSel(row);
    m_pCurrent = created;
}

void CListEditor::OnDelete()
{
    CListBox& list = GetListBox();
    const int row = list.GetCurSel();
    if (row < 0 || m_pDatabase == nullptr)
        return;
    CEntity* object = RowObject(row);
    BeforeDelete(object);
    list.DeleteString(row);
    // The current object must never name a deleted one.
    if (m_pCurrent == object)
        m_pCurrent = nullptr;
    RemoveObject(object);
    const int count = list.GetCount();
    if (count == 0) {
        EnableControls(FALSE);
        m_pCurrent = nullptr;
        return;
    }
    const int next = row < count ? row : count - 1;
    Display(RowObject(next));
    list.SetCurSel(next);
    m_pCurrent = RowObject(next);
}
