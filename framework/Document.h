// CDocument: the data of one open file, its views, its path, title and
// modified flag, and the standard New/Open/Save/Close behaviour.
//
// On purpose: OnSaveDocument writes
// a temporary file beside the target and replaces the target only after the
// whole document was written, so a failed save leaves the old file intact.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/List.h"
#include "framework/String.h"

#include "framework/Position.h"

class CDocTemplate;
class CView;
class CFrameWnd;
class CFile;
class CFileException;
class CException;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but pSender with the hint.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    // Life cycle.
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks whether to save a modified document: true when it may be closed.
    virtual BOOL SaveModified();
    virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void OnIdle() {}

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;  // the document is deleted when its last view goes
    BOOL m_bEmbedded = FALSE;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    // A list, so that a position stays valid when another view goes away meanwhile.
    CList<CView*, CView*> m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;
    DECLARE_MESSAGE_MAP()

private:
    // Carries the document through an archive on pFile (load or store) and
    // releases the file, aborted when an exception stopped the transfer; that
    // exception is returned for the caller to report and delete.
    CException* SerializeThrough(CFile* pFile, UINT nMode);
};
