// CReportWriter: the sink a report is written through, line by line, without
// knowing where the lines go. Every line has a type that says what it is:
//
//   1 continuation of the current paragraph     viewer: 10 pt, same paragraph   tree: ignored
//   2 body line                                 viewer: 10 pt                   tree: child of the current
//                                                                               sub-heading, else of the section
//   3 report title                              viewer: 18 pt bold italic       tree: ignored
//   4 section heading                           viewer: 12 pt bold underlined   tree: new top-level item
//   5 sub-heading                               viewer: 10 pt underlined        tree: child of the section
//
// Viewer mode: each line becomes one paragraph of a report viewer's RTF stream
// (CInfoViewer::AddParagraph). Tree mode: each line becomes a check-box item of
// a CTreeOptionsCtrl, nested by its type.
//
// The Add Text dialog of the drawing tools picks report lines from that tree.
// It fills it like this, with a tree control it has subclassed (so that the
// control has its check-box pictures):
//
//     CAnalysisReport report;
//     report.SetDocument(document);         // CTalusimDoc*
//     report.SetDatabase(database);         // the document's CREGDatabase*
//     report.SetTreeControl(&m_tree);       // a CTreeOptionsCtrl or a subclass
//     report.WriteToTree();                 // needs all three; else writes nothing
//
// The tree it gets: one root item per report section ("Document Name",
// "Project Settings", "Slope", "Materials", "Seeders", "Barriers",
// "Data Collectors"), unchecked; under a section its sub-headings (one per
// segment, material, seeder, barrier or collector) and, under each sub-heading,
// its value lines; body lines that come before any sub-heading of their
// section (the document's title, the settings) hang directly under the
// section. Every item is a check box inserted with CTreeOptionsCtrl::
// InsertCheckBox, after its last sibling, with item data 0; the report's title
// and its blank separator lines make no item. Items written with the check flag
// set are ticked and scrolled into view. The texts are the report's plain
// texts, exactly as the viewer shows them (no RTF). The writer only adds items:
// a caller that rebuilds the tree deletes the old items first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/String.h"

class CInfoViewer;
class CREGDatabase;
class CTalusimDoc;
class CTreeOptionsCtrl;

class CReportWriter {
public:
    enum LineType { kContinuation = 1, kBody = 2, kTitle = 3, kSection = 4, kSubHeading = 5 };

    CReportWriter() = default;
    virtual ~CReportWriter();
    CReportWriter(const CReportWriter&) = delete;
    CReportWriter& operator=(const CReportWriter&) = delete;

    // Borrowed: the writer frees none of them.
    void SetDatabase(CREGDatabase* pDatabase) { m_pDatabase = pDatabase; }
    void SetDocument(CTalusimDoc* pDocument) { m_pDocument = pDocument; }
    void SetTreeControl(CTreeOptionsCtrl* pTree) { m_pTree = pTree; }
    // A value the Add Text dialog hands in; no output depends on it.
    void SetTreeOption(int option) { m_nTreeOption = option; }

    void WriteLine(CString text, int nType, BOOL bCheck = FALSE) { Write(text, nType, bCheck); }
    // To the tree in tree mode, else to the viewer; the check flag only counts in the tree.
    void Write(const CString& text, int nType, BOOL bCheck = FALSE);

protected:
    // Starts a run: viewer mode on pViewer, or tree mode on the tree control.
    void BeginViewer(CInfoViewer* pViewer);
    void BeginTree();

    void WriteRtfParagraph(const CString& text, int nType);
    void WriteTreeItem(const CString& text, int nType, BOOL bCheck);

    BYTE m_bTreeMode = FALSE;
    CREGDatabase* m_pDatabase = nullptr;
    CInfoViewer* m_pViewer = nullptr;
    CTreeOptionsCtrl* m_pTree = nullptr;
    CTalusimDoc* m_pDocument = nullptr;
    int m_nTreeOption = 0;
    HTREEITEM m_hSection = nullptr;
    HTREEITEM m_hSubSection = nullptr;
};
