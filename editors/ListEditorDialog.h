// The model editors' dialog side: an editor dialog that is also the list
// editor of its objects. It runs the sorted list box, takes the shown
// object's edits in before OK, Add and Copy, and puts the table of its
// objects on the clipboard.
#pragma once

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

private:
    CListBox m_list;
    int m_listId;
};
