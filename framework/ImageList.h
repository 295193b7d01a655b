// CImageList: an image list handle (comctl32) that the wrapper owns, with
// the operations the toolbars, trees and owner-drawn menus use.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/DC.h"
#include "framework/Object.h"

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }
    // Safe on a null pointer too.
    HIMAGELIST GetSafeHandle() const;
    static CImageList* FromHandle(HIMAGELIST h);
    static void DeleteTempMap();
    void DetachTemporary() { m_hImageList = nullptr; }

    BOOL Attach(HIMAGELIST h);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // From a bitmap resource of cx-wide images; mask colour marks the transparent pixels.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Create(LPCSTR bitmapName, int cx, int grow, COLORREF mask);

    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon) { return ::ImageList_AddIcon(m_hImageList, icon); }
    BOOL Remove(int index) { return ::ImageList_Remove(m_hImageList, index); }
    BOOL Replace(int index, CBitmap* bitmap, CBitmap* mask);
    int Replace(int index, HICON icon) { return ::ImageList_ReplaceIcon(m_hImageList, index, icon); }
    HICON ExtractIcon(int index) { return ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
    BOOL Draw(CDC* pDC, int index, POINT pt, UINT style);
    COLORREF SetBkColor(COLORREF color) { return ::ImageList_SetBkColor(m_hImageList, color); }
    COLORREF GetBkColor() const { return ::ImageList_GetBkColor(m_hImageList); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ::ImageList_GetImageInfo(m_hImageList, index, info); }
    BOOL SetOverlayImage(int image, int overlay) { return ::ImageList_SetOverlayImage(m_hImageList, image, overlay); }
    BOOL GetIconSize(int& cx, int& cy) const { return ::ImageList_GetIconSize(m_hImageList, &cx, &cy); }
};
