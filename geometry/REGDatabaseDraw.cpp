// CREGDatabase: drawing through the back buffer, the vertex labels, unique
// names and the clipboard copies.
#include <cfloat>
#include <climits>
#include <cstring>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"

void CREGDatabase::ResetDrawCache()
{
    m_nCacheState = CACHE_STALE;
    m_pBufferDC = std::make_unique<CDC>();
    m_pBufferBitmap = std::make_unique<CBitmap>();
}

void CREGDatabase::Draw(CDC* pDC, CViewContext* pView)
{
    if (pDC == nullptr || pView == nullptr || !pView->IsInitialised())
        return;
    if (pDC->IsPrinting()) {
        DrawEntities(pDC, pView, DRAW_SCREEN);
        return;
    }
    const int width = pDC->GetDeviceCaps(HORZRES);
    const int height = pDC->GetDeviceCaps(VERTRES);
    if (m_nCacheState == CACHE_BUILT && (width != m_nScreenWidth || height != m_nScreenHeight)) {
        ResetDrawCache();
        m_nScreenWidth = width;
        m_nScreenHeight = height;
    }
    if (m_nCacheState == CACHE_STALE) {
        // One off-screen bitmap of the screen's size, kept until the
        // resolution changes.
        if (!m_pBufferDC->CreateCompatibleDC(pDC))
            return;
        m_pBufferDC->SetMapMode(MM_TEXT);
        CRect screen(0, 0, width, height);
        pDC->LPtoDP(&screen);
        if (!m_pBufferBitmap->CreateCompatibleBitmap(pDC, screen.Width(), screen.Height())) {
            ResetDrawCache();
            return;
        }
        m_nScreenWidth = width;
        m_nScreenHeight = height;
        m_nCacheState = CACHE_BUILT;
    }
    CRect clip;
    pDC->GetClipBox(&clip);
    CBitmap* pOldBitmap = m_pBufferDC->SelectObject(m_pBufferBitmap.get());
    ::SelectClipRgn(m_pBufferDC->GetSafeHdc(), nullptr);
    m_pBufferDC->IntersectClipRect(&clip);
    CBrush background(m_crBackground);
    CBrush* pOldBrush = m_pBufferDC->SelectObject(&background);
    m_pBufferDC->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
    if (pOldBrush)
        m_pBufferDC->SelectObject(pOldBrush);
    DrawEntities(m_pBufferDC.get(), pView, DRAW_SCREEN);
    pDC->BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), m_pBufferDC.get(), clip.left,
                clip.top, SRCCOPY);
    if (pOldBitmap)
        m_pBufferDC->SelectObject(pOldBitmap);
}

namespace {

bool ExtentsOverlap(const CEntity* pEntity, const CVector2D& ul, const CVector2D& lr)
{
    return pEntity->GetBottom() <= ul.y && pEntity->GetTop() >= lr.y &&
           pEntity->GetLeft() <= lr.x && pEntity->GetRight() >= ul.x;
}

} // namespace

void CREGDatabase::DrawEntities(CDC* pDC, CViewContext* pView, int mode)
{
    if (pDC == nullptr || pView == nullptr)
        return;
    pView->SetDC(pDC);
    CVector2D ul(-DBL_MAX, DBL_MAX), lr(DBL_MAX, -DBL_MAX);
    if (mode == DRAW_SCREEN)
        pView->GetClipWorldBox(pDC, ul, lr);
    // The grid always covers a finite window: the view's own area when the
    // drawing window is unbounded.
    CVector2D gridUL = ul, gridLR = lr;
    if (mode != DRAW_SCREEN) {
        const CRect r = pView->GetDeviceRect();
        gridUL = pView->DeviceToWorld(r.left, r.top);
        gridLR = pView->DeviceToWorld(r.right, r.bottom);
    }
    bool gridDrawn = false;
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->IsVisible() || !pEntity->IsSelectable())
            continue;
        if (!gridDrawn && pEntity->GetCategoryId() > m_nGridDrawLevel) {
            m_grid.Draw(pDC, pView, gridUL.x, gridUL.y, gridLR.x, gridLR.y);
            gridDrawn = true;
        }
        bool inside = false;
        switch (pEntity->GetEntityType()) {
        case 50:
        case 52:
            inside = ExtentsOverlap(pEntity, ul, lr);
            break;
        case ENTITY_RULERS:
        case ENTITY_TOOL:
            inside = true;
            break;
        case 54: {
            CRect r(0, 0, 0, 0);
            pEntity->GetDeviceRect(r, pView, pView->GetOwnerView());
            const CVector2D a = pView->DeviceToWorld(r.left, r.top);
            const CVector2D b = pView->DeviceToWorld(r.right, r.bottom);
            const double top = std::max(a.y, b.y), bottom = std::min(a.y, b.y);
            const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
            inside = bottom <= ul.y && top >= lr.y && left <= lr.x && right >= ul.x;
            break;
        }
        default:
            break;
        }
        if (!inside)
            continue;
        const int previous = pView->SetDrawCategory(pEntity->GetCategoryId());
        pEntity->Draw(pDC, pView);
        pView->SetDrawCategory(previous);
    }
    if (!gridDrawn)
        m_grid.Draw(pDC, pView, gridUL.x, gridUL.y, gridLR.x, gridLR.y);
    if (pView->GetShowLabels() || pView->GetShowVertexLabels())
        DrawVertexLabels(pDC, pView);
    pView->SetDC(nullptr);
}

void CREGDatabase::DrawVertexLabels(CDC* pDC, CViewContext* pView)
{
    int decimals, transparent;
    COLORREF fore, back;
    pView->GetLabelFormat(decimals, fore, back, transparent);
    CString face;
    int size;
    pView->GetLabelFont(face, size);
    CString number;
    number.Format("%%.%df", decimals);
    const CString coordinates = "(" + number + ", " + number + ")";
    const int tenths = (int)(size * 10 * pView->GetSizeScale());
    // Below three points the labels would be unreadable.
    if (tenths <= 29)
        return;
    CFont font;
    if (!font.CreatePointFont(tenths, face, pDC))
        return;
    const COLORREF oldText = pDC->SetTextColor(fore);
    const COLORREF oldBack = pDC->SetBkColor(back);
    const int oldMode = pDC->SetBkMode(transparent ? TRANSPARENT : OPAQUE);
    CFont* pOldFont = pDC->SelectObject(&font);
    const bool show = pView->GetShowLabels();
    const bool showVertex = pView->GetShowVertexLabels();
    CEntityAttributes attributes;
    for (int pass = 0; pass < 2; ++pass) {
        CPen grey;
        if (!grey.CreatePen(PS_SOLID, 1, 0x808080))
            break;
        CPen* pOldPen = pDC->SelectObject(&grey);
        const int k = pView->PrinterLineWidth(pDC, 5);
        for (int i = 0; i < GetEntityCount(); ++i) {
            CEntity* pEntity = m_entities[i];
            if (!pEntity->IsVisible() || !pEntity->IsSelectable())
                continue;
            const bool labelVertices = pEntity->GetLabelVertices() && show;
            if (!labelVertices && !pEntity->GetShowVertexNumbers() && !showVertex)
                continue;
            if (!pEntity->GetAttributes(attributes))
                continue;
            for (INT_PTR j = 0; j < attributes.m_points.GetSize(); ++j) {
                const bool marked = j < attributes.m_marked.GetSize() && attributes.m_marked[j];
                if (j >= attributes.m_labelled.GetSize() || !attributes.m_labelled[j])
                    continue;
                if (pass == 1 && !marked)
                    continue;
                CString text;
                if (pEntity->GetShowVertexNumbers())
                    text.Format("%d", (int)j);
                if (labelVertices || (showVertex && marked)) {
                    if (!text.IsEmpty())
                        text += ", ";
                    CString xy;
                    xy.Format(coordinates, attributes.m_points[j].x, attributes.m_points[j].y);
                    text += xy;
                }
                if (text.IsEmpty())
                    continue;
                const CPoint p = pView->WorldToDevice(attributes.m_points[j]);
                SIZE extent = {0, 0};
                ::GetTextExtentPoint32A(pDC->GetSafeHdc(), text, text.GetLength(), &extent);
                pDC->TextOut(p.x + k, p.y - k - extent.cy, text, text.GetLength());
                pDC->MoveTo(p.x + k, p.y - k);
                pDC->LineTo(p.x, p.y);
            }
        }
        if (pOldPen)
            pDC->SelectObject(pOldPen);
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
}

// ---- names -----------------------------------------------------------------------

CEntity* CREGDatabase::FindEntityByName(const CString& name, int kind, int group,
                                        int category) const
{
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (pEntity->MatchesIds(category, kind, group) && pEntity->GetName() == name)
            return pEntity;
    }
    return nullptr;
}

void CREGDatabase::MakeUniqueName(const CString& base, CString& out, int kind, int group,
                                  int category) const
{
    if (FindEntityByName(base, kind, group, category) == nullptr) {
        out = base;
        return;
    }
    // The stem: the base cut to 27 characters, without a trailing "001".
    CString stem = base.Left(27);
    if (stem.GetLength() >= 4 && stem.Right(3) == "001")
        stem = stem.Left(stem.GetLength() - 3);
    // Counting goes on until the name is free; there are only so many
    // entities, so it ends.
    for (int n = 2;; ++n) {
        CString suffix;
        if (n <= 9)
            suffix.Format("00%i", n);
        else if (n <= 99)
            suffix.Format("0%i", n);
        else
            suffix.Format("%i", n);
        const CString name = stem + suffix;
        if (FindEntityByName(name, kind, group, category) == nullptr) {
            out = name;
            return;
        }
    }
}

// ---- clipboard --------------------------------------------------------------------

bool CREGDatabase::CopyToClipboard(CWnd* pWnd, CViewContext* pView)
{
    return CopyToClipboard(pWnd, pView, m_nClipboardFormat);
}

bool CREGDatabase::CopyToClipboard(CWnd* pWnd, CViewContext* pView, int format)
{
    if (format == CLIP_BITMAP)
        return CopyBitmapToClipboard(pWnd, pView);
    if (format == CLIP_METAFILE)
        return CopyMetafileToClipboard(pWnd, pView);
    return false;
}

bool CREGDatabase::CopyMetafileToClipboard(CWnd* pWnd, CViewContext* pView)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || pView == nullptr)
        return false;
    HDC hClient = ::GetDC(hWnd);
    if (hClient == nullptr)
        return false;
    CDC clientDC;
    clientDC.Attach(hClient);
    CRect client;
    ::GetClientRect(hWnd, &client);
    SIZE size = {client.Width(), client.Height()};
    clientDC.DPtoHIMETRIC(&size);
    const CRect frame(0, 0, size.cx, size.cy);

    HENHMETAFILE hMeta = nullptr;
    {
        CMetaFileDC metafile;
        if (metafile.CreateEnhanced(&clientDC, nullptr, &frame, "Brevantics\0Copy\0\0")) {
            metafile.SetMapMode(MM_TEXT);
            metafile.SetAttribDC(metafile.GetSafeHdc());
            // A copy never shows the grid.
            const int gridState = GetGridState();
            SetGridState(GRID_HIDE);
            pView->SetOffscreenMode(true);
            DrawEntities(&metafile, pView, DRAW_METAFILE);
            pView->SetOffscreenMode(false);
            SetGridState(gridState);
            hMeta = metafile.CloseEnhanced();
        }
    }
    clientDC.Detach();
    ::ReleaseDC(hWnd, hClient);
    if (hMeta == nullptr)
        return false;

    // A metafile the clipboard did not take is ours to free.
    if (!::OpenClipboard(hWnd)) {
        ::DeleteEnhMetaFile(hMeta);
        return false;
    }
    bool taken = false;
    if (::EmptyClipboard())
        taken = ::SetClipboardData(CF_ENHMETAFILE, hMeta) != nullptr;
    ::CloseClipboard();
    if (!taken)
        ::DeleteEnhMetaFile(hMeta);
    return taken;
}

bool CREGDatabase::CopyBitmapToClipboard(CWnd* pWnd, CViewContext* pView)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || pView == nullptr)
        return false;
    HDC hWindow = ::GetDC(hWnd);
    if (hWindow == nullptr)
        return false;
    CDC windowDC;
    windowDC.Attach(hWindow);
    const CSize extent = pView->GetDeviceExtent();
    const int width = extent.cx * m_nClipboardScale, height = extent.cy * m_nClipboardScale;

    bool ok = false;
    {
        CDC memory;
        CBitmap bitmap;
        if (width > 0 && height > 0 && memory.CreateCompatibleDC(&windowDC) &&
            bitmap.CreateCompatibleBitmap(&windowDC, width, height)) {
            memory.SetMapMode(MM_TEXT);
            CBitmap* pOld = memory.SelectObject(&bitmap);
            memory.FillSolidRect(0, 0, width, height, m_crBackground);
            pView->SetDeviceExtent(width, height);
            DrawEntities(&memory, pView, DRAW_SCREEN);
            pView->SetDeviceExtent(extent.cx, extent.cy);
            if (pOld)
                memory.SelectObject(pOld);
            if (::OpenClipboard(hWnd)) {
                if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap.GetSafeHandle())) {
                    // The clipboard owns the bitmap now; it is not ours to delete.
                    bitmap.Detach();
                    ok = true;
                }
                ::CloseClipboard();
            }
        }
    }
    windowDC.Detach();
    ::ReleaseDC(hWnd, hWindow);
    return ok;
}

bool CREGDatabase::CopyTextToClipboard(CWnd* pWnd, const CString& text)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    const SIZE_T bytes = (SIZE_T)text.GetLength() + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (hMem == nullptr)
        return false;
    char* p = static_cast<char*>(::GlobalLock(hMem));
    if (p == nullptr) {
        ::GlobalFree(hMem);
        return false;
    }
    memcpy(p, (LPCSTR)text, bytes);
    ::SetLastError(NO_ERROR);
    if (::GlobalUnlock(hMem) || ::GetLastError() != NO_ERROR) {
        ::GlobalFree(hMem);
        return false;
    }
    if (!::OpenClipboard(hWnd)) {
        ::GlobalFree(hMem);
        return false;
    }
    if (!::EmptyClipboard() || ::SetClipboardData(CF_TEXT, hMem) == nullptr) {
        ::GlobalFree(hMem);
        ::CloseClipboard();
        return false;
    }
    return ::CloseClipboard() != FALSE;
}
