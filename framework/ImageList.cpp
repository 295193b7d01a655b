#include "framework/ImageList.h"

#include "framework/HandleMap.h"
#include "framework/ResourceHandle.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

CHandleMap<HIMAGELIST, CImageList>& ImageListMap() { return AfxThreadHandleMap<HIMAGELIST, CImageList>(); }

} // namespace

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const {
    return SafeHandleOf(this, &CImageList::m_hImageList);
}

CImageList* CImageList::FromHandle(HIMAGELIST h) {
    return ImageListMap().FromHandle(h, [](HIMAGELIST il) {
        auto w = std::make_unique<CImageList>();
        w->m_hImageList = il;
        return w;
    });
}

void CImageList::DeleteTempMap() { ImageListMap().DeleteTemporaries(); }

BOOL CImageList::Attach(HIMAGELIST h) {
    if (h == nullptr) return FALSE;
    if (m_hImageList != nullptr) DeleteImageList();
    m_hImageList = h;
    ImageListMap().SetPermanent(h, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    if (h != nullptr && ImageListMap().LookupPermanent(h) == this) ImageListMap().RemoveHandle(h);
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == nullptr) return FALSE;
    return ::ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    return Attach(::ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    return Create(MAKEINTRESOURCEA(bitmapId), cx, grow, mask);
}

BOOL CImageList::Create(LPCSTR bitmapName, int cx, int grow, COLORREF mask) {
    return Attach(::ImageList_LoadImageA(AfxGetResourceHandle(), bitmapName, cx, grow, mask, IMAGE_BITMAP,
                                         LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask) {
    return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(bitmap->GetSafeHandle()),
                           mask ? static_cast<HBITMAP>(mask->GetSafeHandle()) : nullptr);
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
    return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(bitmap->GetSafeHandle()), mask);
}

BOOL CImageList::Replace(int index, CBitmap* bitmap, CBitmap* mask) {
    return ::ImageList_Replace(m_hImageList, index, static_cast<HBITMAP>(bitmap->GetSafeHandle()),
                               mask ? static_cast<HBITMAP>(mask->GetSafeHandle()) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int index, POINT pt, UINT style) {
    return ::ImageList_Draw(m_hImageList, index, pDC->GetSafeHdc(), pt.x, pt.y, style);
}
