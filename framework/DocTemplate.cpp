#include "framework/DocTemplate.h"

#include "framework/Document.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/ResourceHandle.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    // Fields separated by new lines, in the order of DocStringIndex.
    rString.Empty();
    int start = 0;
    for (int i = 0; i < index; ++i) {
        int nl = m_strDocStrings.Find('\n', start);
        if (nl < 0) return FALSE;
        start = nl + 1;
    }
    int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (pDoc->m_pDocTemplate == this) pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
    rpDocMatch = nullptr;
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
        CDocument* doc = GetNextDoc(pos);
        if (doc->GetPathName().CompareNoCase(lpszPathName) == 0) {
            rpDocMatch = doc;
            return yesAlreadyOpen;
        }
    }
    CString ext;
    if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
        CString path(lpszPathName);
        if (path.GetLength() >= ext.GetLength() && path.Right(ext.GetLength()).CompareNoCase(ext) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
    if (m_pDocClass == nullptr) return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    if (object == nullptr) return nullptr;
    auto* doc = static_cast<CDocument*>(object);
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (m_pFrameClass == nullptr) return nullptr;
    CObject* object = m_pFrameClass->CreateObject();
    if (object == nullptr) return nullptr;
    auto* frame = static_cast<CFrameWnd*>(object);
    // A frame that fails to load has deleted itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
        CDocument* doc = GetNextDoc(pos);
        if (!doc->SaveModified()) return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    // Closing removes the document from the list: take the first until none is left.
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr; pos = GetFirstDocPosition()) {
        CDocument* doc = GetNextDoc(pos);
        doc->OnCloseDocument();
        // A document that stays (no auto-delete) must not stop the loop.
        if (GetFirstDocPosition() != nullptr) {
            POSITION again = GetFirstDocPosition();
            if (GetNextDoc(again) == doc) RemoveDocument(doc);
        }
    }
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CMultiDocTemplate::~CMultiDocTemplate() {
    if (m_hMenuShared != nullptr) ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != nullptr) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
    CDocTemplate::LoadTemplate();
    if (m_hMenuShared == nullptr) m_hMenuShared = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDResource));
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDResource));
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const { return m_docList.GetNext(rPos); }

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc)) m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString name;
    if (!GetDocString(name, docName) || name.IsEmpty()) name = AfxLoadLibraryString(AFX_IDS_UNTITLED);
    CString title;
    title.Format("%s%u", static_cast<LPCSTR>(name), m_nUntitledCount + 1);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* doc = CreateNewDocument();
    if (doc == nullptr) {
        AfxMessageBox(AfxLoadLibraryString(AFX_IDP_FAILED_TO_CREATE_DOC));
        return nullptr;
    }
    // While the frame is made, a failure must not delete the document behind our back.
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (frame == nullptr) {
        AfxMessageBox(AfxLoadLibraryString(AFX_IDP_FAILED_TO_CREATE_DOC));
        delete doc;
        return nullptr;
    }
    if (lpszPathName == nullptr) {
        SetDefaultTitle(doc);
        if (!bMakeVisible) doc->m_bEmbedded = TRUE;
        if (!doc->OnNewDocument()) {
            // Closing the frame removes its view, and the last view takes the document with it.
            frame->DestroyWindow();
            return nullptr;
        }
        m_nUntitledCount++;
    } else {
        CWaitCursor wait;
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
