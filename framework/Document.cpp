#include "framework/Document.h"

#include <memory>

#include "framework/Archive.h"
#include "framework/DocTemplate.h"
#include "framework/Exception.h"
#include "framework/File.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument() {
    // Views that outlive their document must not point at it.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != nullptr;) m_viewList.GetNext(pos)->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
    char full[MAX_PATH];
    if (!::GetFullPathNameA(lpszPathName, MAX_PATH, full, nullptr)) lstrcpynA(full, lpszPathName, MAX_PATH);
    m_strPathName = full;
    // The title is the file's name as the shell shows it.
    char title[MAX_PATH];
    if (::GetFileTitleA(full, title, MAX_PATH) == 0) SetTitle(title);
    else SetTitle(full);
    if (bAddToMRU) {
        if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(full);
    }
}

void CDocument::AddView(CView* pView) {
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    if (POSITION pos = m_viewList.Find(pView)) m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& rPosition) const { return m_viewList.GetNext(rPosition); }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != nullptr;) {
        CView* v = m_viewList.GetNext(pos);
        if (v != pSender) v->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList() {
    // The last view gone: the document goes too.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    // Number the frames of this document when there is more than one.
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != nullptr;) {
        CView* v = m_viewList.GetNext(pos);
        if (v->GetSafeHwnd() == nullptr) continue;
        CFrameWnd* f = v->GetParentFrame();
        if (f == nullptr) continue;
        bool seen = false;
        for (CFrameWnd* g : frames) seen = seen || g == f;
        if (!seen) frames.push_back(f);
    }
    int n = static_cast<int>(frames.size());
    int i = 1;
    for (CFrameWnd* f : frames) {
        f->m_nWindow = n > 1 ? i++ : -1;
        f->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    auto file = std::make_unique<CFile>();
    if (!file->Open(lpszFileName, nOpenFlags, pError)) return nullptr;
    return file.release();
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
    if (pFile == nullptr) return;
    if (bAbort) pFile->Abort();
    else pFile->Close();
    delete pFile;
}

CException* CDocument::SerializeThrough(CFile* pFile, UINT nMode) {
    try {
        CArchive ar(pFile, nMode | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        BeginWaitCursor();
        Serialize(ar);
        ar.Close();
        EndWaitCursor();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        EndWaitCursor();
        ReleaseFile(pFile, TRUE);
        return e;
    }
    return nullptr;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
    CFileException fe;
    CFile* file = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (file == nullptr) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE); // dirty while loading, in case it fails half way
    if (CException* e = SerializeThrough(file, CArchive::load)) {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

namespace {

// A name for the temporary file beside the target, so that the final rename
// stays on the same volume.
CString TemporaryNameBeside(LPCSTR target) {
    char dir[MAX_PATH];
    lstrcpynA(dir, target, MAX_PATH);
    char* slash = nullptr;
    for (char* p = dir; *p; ++p)
        if (*p == '\\' || *p == '/') slash = p;
    if (slash != nullptr) *slash = 0;
    else lstrcpyA(dir, ".");
    char temp[MAX_PATH];
    if (!::GetTempFileNameA(dir, "sav", 0, temp)) return CString();
    return temp;
}

} // namespace

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
    // Write everything to a temporary file first: the old file is replaced
    // only when the new one is complete.
    CString temp = TemporaryNameBeside(lpszPathName);
    if (temp.IsEmpty()) {
        CFileException fe(CFileException::OsErrorToException(static_cast<LONG>(::GetLastError())),
                          static_cast<LONG>(::GetLastError()), lpszPathName);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    CFileException fe;
    CFile* file = GetFile(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe);
    if (file == nullptr) {
        ::DeleteFileA(temp);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    if (CException* e = SerializeThrough(file, CArchive::store)) {
        ::DeleteFileA(temp);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    if (!::MoveFileExA(temp, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        LONG error = static_cast<LONG>(::GetLastError());
        ::DeleteFileA(temp);
        CFileException moveError(CFileException::OsErrorToException(error), error, lpszPathName);
        ReportSaveLoadException(lpszPathName, &moveError, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
    // The handler that threw a user exception has told the user already.
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException))) return;
    UINT id = nIDPDefault;
    if (e != nullptr) {
        if (e->IsKindOf(RUNTIME_CLASS(CMemoryException))) {
            id = AFX_IDP_FAILED_MEMORY_ALLOC;
        } else if (e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
            switch (static_cast<CArchiveException*>(e)->m_cause) {
            case CArchiveException::badSchema:
            case CArchiveException::badClass:
            case CArchiveException::badIndex:
            case CArchiveException::endOfFile: id = AFX_IDP_FAILED_INVALID_FORMAT; break;
            default: break;
            }
        } else if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
            switch (static_cast<CFileException*>(e)->m_cause) {
            case CFileException::fileNotFound:
            case CFileException::badPath: id = AFX_IDP_FAILED_INVALID_PATH; break;
            case CFileException::diskFull: id = AFX_IDP_FAILED_DISK_FULL; break;
            case CFileException::accessDenied:
            case CFileException::sharingViolation:
                id = bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
                break;
            case CFileException::badSeek:
            case CFileException::generic:
            case CFileException::tooManyOpenFiles:
            case CFileException::directoryFull:
            case CFileException::hardIO:
                id = bSaving ? AFX_IDP_FAILED_IO_ERROR_WRITE : AFX_IDP_FAILED_IO_ERROR_READ;
                break;
            case CFileException::endOfFile: id = AFX_IDP_FAILED_INVALID_FORMAT; break;
            default: break;
            }
        }
    }
    CString text = AfxLoadLibraryString(id);
    text.Replace("%1", lpszPathName ? lpszPathName : "");
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
    // Close the frames: destroying a view removes it from the list.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE; // not while the frames go
    while (!m_viewList.IsEmpty()) {
        CView* view = m_viewList.GetHead();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        // A view that could not go must not hold up the loop.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    // Another frame still shows the document: nothing is lost by closing this one.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != nullptr;) {
        CFrameWnd* f = m_viewList.GetNext(pos)->GetParentFrame();
        if (f != nullptr && f != pFrame) return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString name = m_strPathName;
    if (name.IsEmpty()) name = m_strTitle;
    else {
        char title[MAX_PATH];
        if (::GetFileTitleA(name, title, MAX_PATH) == 0) name = title;
    }
    CString prompt = AfxLoadLibraryString(AFX_IDP_ASK_TO_SAVE);
    prompt.Replace("%1", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    case IDNO:
    default: break;
    }
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    // No name yet, or a read-only file: ask for a name.
    if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
    CString newName = lpszPathName;
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            // The title, made a valid file name, with the template's extension.
            newName = m_strTitle;
            newName.Remove(':');
            newName.Remove('\\');
            newName.Remove('/');
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.IsEmpty() && newName.Find('.') < 0)
                newName += ext;
        }
        CWinApp* app = AfxGetApp();
        if (app == nullptr ||
            !app->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, FALSE, m_pDocTemplate))
            return FALSE;
    }
    BeginWaitCursor();
    BOOL saved = OnSaveDocument(newName);
    EndWaitCursor();
    if (!saved) return FALSE;
    if (bReplace) SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()
