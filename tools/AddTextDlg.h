// The Add Text dialog: the text of a text box, typed, or put together from
// auto-text, the lines of the document's analysis report picked from a tree
// of check boxes and appended at the end of the text. The caller sets the
// document and its drawing database (the tree needs both), may preset the
// text, runs the dialog and takes the text after OK.
#pragma once

#include "controls/TreeOptionsCtrl.h"
#include "framework/Dialog.h"

class CDocument;
class CREGDatabase;

// The auto-text tree: ticking or clearing an item does the same to every
// item below it.
class CAutoTextTree : public CTreeOptionsCtrl
{
public:
    BOOL SetCheckBox(HTREEITEM item, BOOL checked) override;
    // The texts of the ticked items in tree order (an item, then what lies
    // below it), each ended by CR LF. An item counts whatever its parent is.
    CString CollectChecked() const;

private:
    void CheckBelow(HTREEITEM item, BOOL checked);
    void Collect(HTREEITEM first, CString& out) const;
};

// Writes the analysis report of a document into the tree, one root item per
// section with its lines below. The report lives above the drawing tools, so
// the program hands it in; until it does the tree stays empty.
using AutoTextWriter = void (*)(CDocument* document, CREGDatabase* database, CTreeOptionsCtrl* tree);
// Returns the writer that was installed before.
AutoTextWriter InstallAutoTextWriter(AutoTextWriter writer);

class CAddTextDlg : public CDialog
{
public:
    explicit CAddTextDlg(CWnd* pParent = nullptr);

    void SetDocument(CDocument* document) { m_pDocument = document; }
    void SetDatabase(CREGDatabase* database) { m_pDatabase = database; }
    void SetText(const CString& text) { m_strText = text; }
    const CString& GetText() const { return m_strText; }
    CAutoTextTree& GetTree() { return m_tree; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Appends the ticked auto-text to the text.
    afx_msg void OnInsertAutoText();

protected:
    afx_msg void OnTextChanged();
    // The hidden default button takes Enter and does nothing with it.
    afx_msg void OnGrabEnter() {}
    DECLARE_MESSAGE_MAP()

private:
    void RebuildTree();
    void EnableOk(bool on);

    CAutoTextTree m_tree;
    CString m_strText;
    CString m_strBeforeInsert;   // the text as it was before the last insertion
    CDocument* m_pDocument = nullptr;
    CREGDatabase* m_pDatabase = nullptr;
};
