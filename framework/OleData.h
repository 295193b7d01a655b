// Data transfer through OLE: COleDataSource offers data (on the clipboard or
// in a drag), COleDataObject reads offered data, COleDropTarget lets a window
// accept drops. They sit on the system's IDataObject, IDropSource and
// IDropTarget; OLE must be initialised on the thread (AfxOleInit).
#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

#include "framework/CmdTarget.h"
#include "framework/Rect.h"

class CWnd;

// A combination of the DROPEFFECT_ flags.
typedef DWORD DROPEFFECT;

// Offered data. A source given to the clipboard (SetClipboard) belongs to the
// clipboard from then on and is deleted when the clipboard lets go of it; a
// source used for a drag stays the caller's.
class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Takes ownership of hGlobal, offered in format cf.
    void CacheGlobalData(CLIPFORMAT cf, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();
    void SetClipboard();
    static void FlushClipboard();
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr);
    LPDATAOBJECT GetDataObject() { return &m_xDataObject; }

    // The COM reference count of the object; at zero it deletes itself.
    ULONG InternalAddRef() { return ++m_dwRef; }
    ULONG InternalRelease();

protected:
    struct Entry {
        FORMATETC format;
        HGLOBAL data;
    };
    std::vector<Entry> m_entries;
    ULONG m_dwRef = 1;

    struct XDataObject : IDataObject {
        COleDataSource* owner = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return owner->InternalAddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner->InternalRelease(); }
        HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
        HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
        HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
            if (out) out->ptd = nullptr;
            return DATA_S_SAMEFORMATETC;
        }
        HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppEnum) override;
        HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
        HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
        HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
    } m_xDataObject;
    friend struct XDataObject;
};

// Reads data offered by a source: the clipboard or a drag.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    BOOL AttachClipboard();
    BOOL IsDataAvailable(CLIPFORMAT cf, LPFORMATETC lpFormatEtc = nullptr);
    // A copy of the data in global memory, which the caller frees; null when not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cf, LPFORMATETC lpFormatEtc = nullptr);
    BOOL GetData(CLIPFORMAT cf, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);

private:
    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

// Lets a window accept drops: register it, then override the handlers.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Asked first on every move; a result with DROPEFFECT_SCROLL is used as it is,
    // anything else lets OnDragOver decide.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The interface the system calls (for tests that play the system's part).
    LPDROPTARGET GetDropTargetInterface() { return &m_xDropTarget; }

protected:
    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject;

    struct XDropTarget : IDropTarget {
        COleDropTarget* owner = nullptr;
        ULONG refs = 1;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
        ULONG STDMETHODCALLTYPE Release() override { return --refs; } // the C++ object owns it
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    } m_xDropTarget;
    friend struct XDropTarget;
};
