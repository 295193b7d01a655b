// CListEditor: the list handling the model editor dialogs share. A sorted
// list box of named model objects, the selected object's properties in the
// dialog's controls, Add and Delete. A dialog derives from CDialog and from
// this, and answers the first five operations; the edits of the object
// shown reach it only when another row is chosen or the dialog stores them
// (OnSelChange), and only when they validate.
#pragma once

#include "framework/StdControls.h"

class CEntity;
class CREGDatabase;

class CListEditor
{
public:
    CListEditor() = default;
    virtual ~CListEditor() = default;

    // The database's marked set the objects to list are put into.
    static constexpr int kListSet = 25;

    void SetInitialObject(CEntity* object) { m_pInitial = object; }
    void SetObjectList(CREGDatabase* database) { m_pDatabase = database; }
    CEntity* GetCurrentObject() const { return m_pCurrent; }

    // From the dialog's OnInitDialog: the list takes the focus and is filled; 0 (the focus is set).
    BOOL InitList();
    void Fill();
    BOOL Display(CEntity* object);
    // Stores the controls into the object; false (and its row selected again) when they do not validate.
    bool ApplyCurrent(CEntity* object);
    // True when the selection moved; also stores the current object's edits before OK.
    bool OnSelChange();
    void OnAdd();
    void OnDelete();
    int FindRow(CEntity* object);

protected:
    // Marks the objects to list into set kListSet.
    virtual void ResetList() = 0;
    virtual CListBox& GetListBox() = 0;
    virtual void ApplyToObject(CEntity* object) = 0;
    virtual void ShowObject(CEntity* object) = 0;
    // The dialog's data exchange; false when a value does not validate.
    virtual BOOL ExchangeData(BOOL save) = 0;
    virtual void EnableControls(BOOL) {}
    // A new object added to the database, or null.
    virtual CEntity* CreateObject() { return nullptr; }
    virtual void BeforeDelete(CEntity*) {}
    // Takes a deleted row's object out of the document; by default it is
    // deleted from the database at once. A dialog that applies on OK only
    // keeps it until then.
    virtual void RemoveObject(CEntity* object);

    CREGDatabase* m_pDatabase = nullptr;

private:
    // A row for the object in its sorted place, carrying the object.
    int AddRow(CEntity* object);
    CEntity* RowObject(int row);

    CEntity* m_pCurrent = nullptr;
    CEntity* m_pInitial = nullptr;
};
