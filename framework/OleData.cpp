#include "framework/OleData.h"

#include <shlobj.h>

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

HGLOBAL CopyGlobal(HGLOBAL source) {
    SIZE_T size = ::GlobalSize(source);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (copy == nullptr) return nullptr;
    void* from = ::GlobalLock(source);
    void* to = ::GlobalLock(copy);
    if (from && to) memcpy(to, from, size);
    ::GlobalUnlock(copy);
    ::GlobalUnlock(source);
    return copy;
}

// The source under the mouse: Escape cancels, releasing the button drops.
struct DropSource : IDropSource {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

} // namespace

// ---- COleDataSource ----

COleDataSource::COleDataSource() { m_xDataObject.owner = this; }

COleDataSource::~COleDataSource() { Empty(); }

ULONG COleDataSource::InternalRelease() {
    ULONG left = --m_dwRef;
    if (left == 0) delete this;
    return left;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cf, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
    FORMATETC format = lpFormatEtc ? *lpFormatEtc : FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    format.cfFormat = cf;
    for (Entry& e : m_entries) {
        if (e.format.cfFormat == cf) {
            ::GlobalFree(e.data);
            e = Entry{format, hGlobal};
            return;
        }
    }
    m_entries.push_back(Entry{format, hGlobal});
}

void COleDataSource::Empty() {
    for (Entry& e : m_entries) ::GlobalFree(e.data);
    m_entries.clear();
}

void COleDataSource::SetClipboard() {
    // The clipboard takes a reference; the one this object was born with goes,
    // so the clipboard owns it now.
    ::OleSetClipboard(&m_xDataObject);
    InternalRelease();
}

void COleDataSource::FlushClipboard() { ::OleFlushClipboard(); }

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT) {
    DropSource source;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(&m_xDataObject, &source, dwEffects, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

HRESULT COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT COleDataSource::XDataObject::QueryGetData(FORMATETC* format) {
    if (format == nullptr) return E_INVALIDARG;
    for (const Entry& e : owner->m_entries)
        if (e.format.cfFormat == format->cfFormat && (format->tymed & TYMED_HGLOBAL)) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT COleDataSource::XDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    for (const Entry& e : owner->m_entries) {
        if (e.format.cfFormat != format->cfFormat || !(format->tymed & TYMED_HGLOBAL)) continue;
        // The receiver frees what it gets: give it a copy.
        HGLOBAL copy = CopyGlobal(e.data);
        if (copy == nullptr) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    return DV_E_FORMATETC;
}

HRESULT COleDataSource::XDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppEnum) {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& e : owner->m_entries) formats.push_back(e.format);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
}

// ---- COleDataObject ----

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
    LPDATAOBJECT p = m_lpDataObject;
    m_lpDataObject = nullptr;
    return p;
}

void COleDataObject::Release() {
    if (m_lpDataObject != nullptr && m_bAutoRelease) m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard() {
    LPDATAOBJECT data = nullptr;
    if (FAILED(::OleGetClipboard(&data)) || data == nullptr) return FALSE;
    Attach(data, TRUE);
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cf, LPFORMATETC lpFormatEtc) {
    if (m_lpDataObject == nullptr) return FALSE;
    FORMATETC format = lpFormatEtc ? *lpFormatEtc : FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    format.cfFormat = cf;
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cf, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
    if (m_lpDataObject == nullptr) return FALSE;
    FORMATETC format = lpFormatEtc ? *lpFormatEtc : FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    format.cfFormat = cf;
    return SUCCEEDED(m_lpDataObject->GetData(&format, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cf, LPFORMATETC lpFormatEtc) {
    STGMEDIUM medium{};
    if (!GetData(cf, &medium, lpFormatEtc)) return nullptr;
    if (medium.tymed != TYMED_HGLOBAL) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (medium.pUnkForRelease == nullptr) return medium.hGlobal;
    // The source keeps the memory: take a copy before letting go.
    HGLOBAL copy = CopyGlobal(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return copy;
}

// ---- COleDropTarget ----

COleDropTarget::COleDropTarget() { m_xDropTarget.owner = this; }

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), &m_xDropTarget))) return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (m_hWnd == nullptr) return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

HRESULT COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

namespace {

CPoint ClientPoint(HWND hWnd, POINTL pt) {
    CPoint p(pt.x, pt.y);
    ::ScreenToClient(hWnd, &p);
    return p;
}

} // namespace

HRESULT COleDropTarget::XDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    COleDropTarget* t = owner;
    // The data object stays attached for the moves and the drop that follow.
    data->AddRef();
    t->m_dataObject.Attach(data, TRUE);
    CWnd* wnd = CWnd::FromHandle(t->m_hWnd);
    *effect = t->OnDragEnter(wnd, &t->m_dataObject, keys, ClientPoint(t->m_hWnd, pt));
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
    COleDropTarget* t = owner;
    CWnd* wnd = CWnd::FromHandle(t->m_hWnd);
    CPoint point = ClientPoint(t->m_hWnd, pt);
    DROPEFFECT result = t->OnDragScroll(wnd, keys, point);
    if (!(result & DROPEFFECT_SCROLL)) result = t->OnDragOver(wnd, &t->m_dataObject, keys, point);
    *effect = result;
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragLeave() {
    COleDropTarget* t = owner;
    t->OnDragLeave(CWnd::FromHandle(t->m_hWnd));
    t->m_dataObject.Release();
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    COleDropTarget* t = owner;
    CWnd* wnd = CWnd::FromHandle(t->m_hWnd);
    CPoint point = ClientPoint(t->m_hWnd, pt);
    data->AddRef();
    t->m_dataObject.Attach(data, TRUE);
    // The effect the last move agreed on decides the drop.
    DROPEFFECT agreed = t->OnDragOver(wnd, &t->m_dataObject, keys, point) & *effect;
    BOOL dropped = agreed != DROPEFFECT_NONE && t->OnDrop(wnd, &t->m_dataObject, agreed, point);
    if (!dropped) {
        t->OnDragLeave(wnd);
        agreed = DROPEFFECT_NONE;
    }
    *effect = agreed;
    t->m_dataObject.Release();
    return S_OK;
}
