// The drawings of each window and their tools file: saving and loading it,
// and the question, when a window closes, whether to keep the drawings that
// changed since they were last loaded or saved. Drawings live in no other
// file: a window that closed without saving them would lose them unseen.
#include "model/DocumentDependencies.h"

#include <vector>
#include "tools/DrawingToolServices.h"
#include "tools/Measure.h"

std::string CTalusimDoc::DrawingsText(CWnd* pView)
{
    return DrawingToolServices().ToolsFileText(pView, &m_database, m_bMetric);
}

void CTalusimDoc::RememberDrawings(CWnd* pView) { m_savedDrawings[ToolGroupOf(pView)] = DrawingsText(pView); }

bool CTalusimDoc::DrawingsChanged(CWnd* pView)
{
    // A window that never saved or loaded drawings had none. One whose
    // drawings were all deleted since its file gave them has changed too:
    // the file would bring them back.
    const auto saved = m_savedDrawings.find(ToolGroupOf(pView));
    const std::string before = saved != m_savedDrawings.end() ? saved->second : std::string();
    return DrawingsText(pView) != before;
}

bool CTalusimDoc::HasChangedDrawings()
{
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
        if (DrawingsChanged(GetNextView(pos)))
            return true;
    return false;
}

bool CTalusimDoc::SaveDrawings(CWnd* pView)
{
    if (!DrawingToolServices().SaveOrLoadToolsFile(pView, &m_database, true, m_bMetric))
        return false;
    RememberDrawings(pView);
    return true;
}

void CTalusimDoc::OnSaveToolsFile(CWnd* pParent) { SaveDrawings(pParent); }

void CTalusimDoc::OnOpenToolsFile(CWnd* pParent)
{
    // Into a window without drawings the file's drawings come as they are
    // in the file; added to others they make a set that no file holds yet.
    const bool hadNone = DrawingsText(pParent).empty();
    DrawingToolServices().SaveOrLoadToolsFile(pParent, &m_database, false, m_bMetric);
    if (hadNone)
        RememberDrawings(pParent);
}

void CTalusimDoc::LoadToolsFile(CWnd* pParent, LPCSTR path)
{
    const bool hadNone = DrawingsText(pParent).empty();
    DrawingToolServices().LoadToolsFile(pParent, &m_database, path, m_bMetric);
    if (hadNone)
        RememberDrawings(pParent);
}

BOOL CTalusimDoc::SaveChangedDrawings(CFrameWnd* pOnly)
{
    std::vector<CView*> views;
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
        views.push_back(GetNextView(pos));
    for (CView* view : views) {
        if ((pOnly != nullptr && view->GetParentFrame() != pOnly) || !DrawingsChanged(view))
            continue;
        // Named as the window's title names it: several windows may ask in turn.
        CString name = GetTitle();
        CString text;
        view->GetWindowText(text);
        if (!text.IsEmpty())
            name += ":" + text;
        switch (AfxMessageBox("Save changes to the drawings in " + name + "?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            // A save that is cancelled or fails keeps the window open.
            if (!SaveDrawings(view))
                return FALSE;
            break;
        default:
            break;
        }
    }
    return TRUE;
}

BOOL CTalusimDoc::SaveModified()
{
    // The document first: saving it may give it the name that the tools
    // file's dialog then proposes.
    return CDocument::SaveModified() && SaveChangedDrawings(nullptr);
}

BOOL CTalusimDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
        CFrameWnd* frame = GetNextView(pos)->GetParentFrame();
        if (frame != nullptr && frame != pFrame)
            return SaveChangedDrawings(pFrame);  // the document stays open in another window
    }
    return SaveModified();
}

void CTalusimDoc::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    // Under another name the companion tools file is another file, which
    // does not hold the drawings yet.
    if (GetPathName().CompareNoCase(lpszPathName != nullptr ? lpszPathName : "") != 0)
        m_savedDrawings.clear();
    CDocument::SetPathName(lpszPathName, bAddToMRU);
}

void CTalusimDoc::OnChangedViewList()
{
    // A window that closed takes its record along (its drawings went with
    // it). Pruned before the base class, which may delete the document with
    // its last view.
    for (auto it = m_savedDrawings.begin(); it != m_savedDrawings.end();) {
        bool open = false;
        for (POSITION pos = GetFirstViewPosition(); pos != nullptr && !open;)
            open = ToolGroupOf(GetNextView(pos)) == it->first;
        it = open ? std::next(it) : m_savedDrawings.erase(it);
    }
    CDocument::OnChangedViewList();
}
