// The model editors' dialog side: an editor dialog that is also the list
// editor of its objects. It runs the sorted list box, takes the shown
// object's edits in before OK, Add and Copy, and puts the table of its
// objects on the clipboard. Adding and deleting take effect on OK only:
// objects added are removed again on Cancel, objects deleted leave the list
// at once and the document on OK.
#pragma once

#include <vector>
#include "editors/EditorDialog.h"
#include "editors/ListEditor.h"

class CListEditorDialog : public CEditorDialog, public CListEditor
{
public:
    CListEditorDialog(UINT id, int listId) : CEditorDialog(id), m_listId(listId) {}

    // The objects as tab-separated text, one line a row under a heading.
    virtual CString TableText() const = 0;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    CListBox& GetListBox() override { return m_list; }
    BOOL ExchangeData(BOOL save) override { return UpdateData(save); }

    // The shown object's edits go into it; false (and the dialog stays as
    // it is) when they are refused. True with no object shown.
    bool StoreShown();
    // Copy: the shown object's edits first, then the table to the clipboard.
    void CopyTable();

    // An object CreateObject put into the database, to be removed on Cancel.
    void NoteAdded(CEntity* object) { m_added.push_back(object); }
    // Gone from the list now, from the document on OK.
    void RemoveObject(CEntity* object) override { m_deleted.push_back(object); }
    bool IsDeleted(const CEntity* object) const;
    // OK: every deleted object goes through DeleteForGood. Cancel: the added
    // objects leave the database. Both forget the lists.
    void CommitDeletions();
    void DiscardAdditions();
    // What OK does with one deleted object; by default it leaves the database.
    virtual void DeleteForGood(CEntity* object);

private:
    CListBox m_list;
    int m_listId;
    std::vector<CEntity*> m_added;
    std::vector<CEntity*> m_deleted;
};
