#include "framework/DC.h"

#include <cstring>

#include "framework/HandleMap.h"

namespace {

CHandleMap<HDC, CDC>& DcMap() { return AfxThreadHandleMap<HDC, CDC>(); }

int Length(LPCSTR text, int count) {
    if (text == nullptr) return 0;
    return count < 0 ? static_cast<int>(std::strlen(text)) : count;
}

constexpr int HimetricPerInch = 2540;

} // namespace

HDC CDC::GetSafeHdc() const {
    return SafeHandleOf(this, &CDC::m_hDC);
}

CDC::~CDC() {
    if (m_hDC != nullptr) DeleteDC();
}

CDC* CDC::FromHandle(HDC h) {
    return DcMap().FromHandle(h, [](HDC dc) {
        auto w = std::make_unique<CDC>();
        w->m_hDC = w->m_hAttribDC = dc;
        return w;
    });
}

void CDC::DeleteTempMap() { DcMap().DeleteTemporaries(); }

BOOL CDC::Attach(HDC h) {
    if (h == nullptr) return FALSE;
    m_hDC = m_hAttribDC = h;
    DcMap().SetPermanent(h, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    if (h != nullptr && DcMap().LookupPermanent(h) == this) DcMap().RemoveHandle(h);
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData) {
    return Attach(::CreateDCA(driver, device, output, static_cast<const DEVMODEA*>(initData)));
}

BOOL CDC::CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData) {
    return Attach(::CreateICA(driver, device, output, static_cast<const DEVMODEA*>(initData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

int CDC::SaveDC() const {
    int saved = 0;
    if (m_hAttribDC) saved = ::SaveDC(m_hAttribDC);
    if (m_hDC && m_hDC != m_hAttribDC) {
        int out = ::SaveDC(m_hDC);
        if (!m_hAttribDC) saved = out;
    }
    return saved;
}

BOOL CDC::RestoreDC(int savedDC) {
    BOOL ok = TRUE;
    if (m_hDC && m_hDC != m_hAttribDC) ok = ::RestoreDC(m_hDC, savedDC);
    if (m_hAttribDC) ok = ::RestoreDC(m_hAttribDC, savedDC) && ok;
    return ok;
}

BOOL CDC::ResetDC(const DEVMODEA* devMode) {
    BOOL ok = ::ResetDCA(m_hDC, devMode) != nullptr;
    if (m_hAttribDC && m_hAttribDC != m_hDC) ::ResetDCA(m_hAttribDC, devMode);
    return ok;
}

int CDC::StartDoc(LPCSTR name) {
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = name;
    return ::StartDocA(m_hDC, &info);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    HGDIOBJ old = nullptr;
    if (m_hDC && m_hDC != m_hAttribDC) old = ::SelectObject(m_hDC, object);
    if (m_hAttribDC) old = ::SelectObject(m_hAttribDC, object);
    return old;
}

CGdiObject* CDC::SelectGdiObject(CGdiObject* object) {
    if (object == nullptr || object->m_hObject == nullptr) return nullptr;
    HGDIOBJ old = SelectObject(object->m_hObject);
    // A Windows metafile DC without an attribute DC cannot tell what was selected.
    if (old == nullptr || ::GetObjectType(old) == 0) return nullptr;
    return CGdiObject::FromHandle(old);
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ stock = ::GetStockObject(index);
    if (stock == nullptr) return nullptr;
    HGDIOBJ old = SelectObject(stock);
    if (old == nullptr || ::GetObjectType(old) == 0) return nullptr;
    return CGdiObject::FromHandle(old);
}

int CDC::SelectObject(CRgn* region) { return SelectClipRgn(region); }

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
    HPALETTE old = ::SelectPalette(m_hDC, *palette, forceBackground);
    return CPalette::FromHandle(old);
}

// State changes reach both handles so that queries and output agree; the
// result is the attribute DC's.
template <class F>
auto ApplyToBoth(HDC out, HDC attrib, F call) {
    decltype(call(out)) result{};
    if (out && out != attrib) result = call(out);
    if (attrib) result = call(attrib);
    return result;
}
#define CLASTOR_DC_SET(expr) return ApplyToBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return expr; })
COLORREF CDC::SetBkColor(COLORREF c) { CLASTOR_DC_SET(::SetBkColor(dc, c)); }
int CDC::SetBkMode(int mode) { CLASTOR_DC_SET(::SetBkMode(dc, mode)); }
COLORREF CDC::SetTextColor(COLORREF c) { CLASTOR_DC_SET(::SetTextColor(dc, c)); }
int CDC::SetROP2(int mode) { CLASTOR_DC_SET(::SetROP2(dc, mode)); }
int CDC::SetPolyFillMode(int mode) { CLASTOR_DC_SET(::SetPolyFillMode(dc, mode)); }
int CDC::SetStretchBltMode(int mode) { CLASTOR_DC_SET(::SetStretchBltMode(dc, mode)); }
UINT CDC::SetTextAlign(UINT flags) { CLASTOR_DC_SET(::SetTextAlign(dc, flags)); }
int CDC::SetTextCharacterExtra(int extra) { CLASTOR_DC_SET(::SetTextCharacterExtra(dc, extra)); }
int CDC::SetMapMode(int mode) { CLASTOR_DC_SET(::SetMapMode(dc, mode)); }
int CDC::IntersectClipRect(int l, int t, int r, int b) { CLASTOR_DC_SET(::IntersectClipRect(dc, l, t, r, b)); }
int CDC::ExcludeClipRect(int l, int t, int r, int b) { CLASTOR_DC_SET(::ExcludeClipRect(dc, l, t, r, b)); }
int CDC::OffsetClipRgn(int dx, int dy) { CLASTOR_DC_SET(::OffsetClipRgn(dc, dx, dy)); }

int CDC::SelectClipRgn(CRgn* region) {
    HRGN h = region ? static_cast<HRGN>(region->m_hObject) : nullptr;
    CLASTOR_DC_SET(::SelectClipRgn(dc, h));
}

int CDC::SelectClipRgn(CRgn* region, int mode) {
    HRGN h = region ? static_cast<HRGN>(region->m_hObject) : nullptr;
    CLASTOR_DC_SET(::ExtSelectClipRgn(dc, h, mode));
}

#undef CLASTOR_DC_SET

// Point and size changes keep the previous value of the attribute DC.
#define CLASTOR_DC_SET_PAIR(Type, call)                               \
    Type old;                                                         \
    {                                                                 \
        HDC dc = m_hDC;                                               \
        if (dc && dc != m_hAttribDC) call;                            \
        dc = m_hAttribDC;                                             \
        if (dc) call;                                                 \
    }                                                                 \
    return old

CPoint CDC::SetWindowOrg(int x, int y) { CLASTOR_DC_SET_PAIR(CPoint, ::SetWindowOrgEx(dc, x, y, &old)); }
CPoint CDC::OffsetWindowOrg(int dx, int dy) { CLASTOR_DC_SET_PAIR(CPoint, ::OffsetWindowOrgEx(dc, dx, dy, &old)); }
CPoint CDC::SetViewportOrg(int x, int y) { CLASTOR_DC_SET_PAIR(CPoint, ::SetViewportOrgEx(dc, x, y, &old)); }
CPoint CDC::OffsetViewportOrg(int dx, int dy) { CLASTOR_DC_SET_PAIR(CPoint, ::OffsetViewportOrgEx(dc, dx, dy, &old)); }
CSize CDC::SetWindowExt(int cx, int cy) { CLASTOR_DC_SET_PAIR(CSize, ::SetWindowExtEx(dc, cx, cy, &old)); }
CSize CDC::SetViewportExt(int cx, int cy) { CLASTOR_DC_SET_PAIR(CSize, ::SetViewportExtEx(dc, cx, cy, &old)); }
CSize CDC::ScaleViewportExt(int xn, int xd, int yn, int yd) {
    CLASTOR_DC_SET_PAIR(CSize, ::ScaleViewportExtEx(dc, xn, xd, yn, yd, &old));
}
CSize CDC::ScaleWindowExt(int xn, int xd, int yn, int yd) {
    CLASTOR_DC_SET_PAIR(CSize, ::ScaleWindowExtEx(dc, xn, xd, yn, yd, &old));
}
CPoint CDC::MoveTo(int x, int y) { CLASTOR_DC_SET_PAIR(CPoint, ::MoveToEx(dc, x, y, &old)); }

#undef CLASTOR_DC_SET_PAIR

CPoint CDC::GetWindowOrg() const { CPoint p; ::GetWindowOrgEx(Attrib(), &p); return p; }
CPoint CDC::GetViewportOrg() const { CPoint p; ::GetViewportOrgEx(Attrib(), &p); return p; }
CSize CDC::GetWindowExt() const { CSize s; ::GetWindowExtEx(Attrib(), &s); return s; }
CSize CDC::GetViewportExt() const { CSize s; ::GetViewportExtEx(Attrib(), &s); return s; }
CPoint CDC::GetCurrentPosition() const { CPoint p; ::GetCurrentPositionEx(Attrib(), &p); return p; }

BOOL CDC::LineTo(int x, int y) {
    // The attribute DC follows the pen position so GetCurrentPosition agrees.
    if (m_hAttribDC && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

// Sizes are converted as the vector between two converted points.
void CDC::LPtoDP(LPSIZE s) const {
    POINT pts[2] = {{0, 0}, {s->cx, s->cy}};
    ::LPtoDP(Attrib(), pts, 2);
    s->cx = pts[1].x - pts[0].x;
    s->cy = pts[1].y - pts[0].y;
}

void CDC::DPtoLP(LPSIZE s) const {
    POINT pts[2] = {{0, 0}, {s->cx, s->cy}};
    ::DPtoLP(Attrib(), pts, 2);
    s->cx = pts[1].x - pts[0].x;
    s->cy = pts[1].y - pts[0].y;
}

void CDC::DPtoHIMETRIC(LPSIZE s) const {
    int mode = GetMapMode();
    if (mode < MM_ISOTROPIC && mode != MM_TEXT) {
        // A fixed mapping mode: let GDI do it through MM_HIMETRIC.
        const_cast<CDC*>(this)->SetMapMode(MM_HIMETRIC);
        DPtoLP(s);
        const_cast<CDC*>(this)->SetMapMode(mode);
    } else {
        s->cx = ::MulDiv(s->cx, HimetricPerInch, GetDeviceCaps(LOGPIXELSX));
        s->cy = ::MulDiv(s->cy, HimetricPerInch, GetDeviceCaps(LOGPIXELSY));
    }
}

void CDC::HIMETRICtoDP(LPSIZE s) const {
    int mode = GetMapMode();
    if (mode < MM_ISOTROPIC && mode != MM_TEXT) {
        const_cast<CDC*>(this)->SetMapMode(MM_HIMETRIC);
        LPtoDP(s);
        const_cast<CDC*>(this)->SetMapMode(mode);
    } else {
        s->cx = ::MulDiv(s->cx, GetDeviceCaps(LOGPIXELSX), HimetricPerInch);
        s->cy = ::MulDiv(s->cy, GetDeviceCaps(LOGPIXELSY), HimetricPerInch);
    }
}

void CDC::FillSolidRect(LPCRECT r, COLORREF color) {
    // ExtTextOut with an opaque rectangle fills without needing a brush.
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

void CDC::DrawDragRect(LPCRECT r, SIZE size, LPCRECT lastRect, SIZE lastSize, CBrush* brush,
                       CBrush* lastBrush) {
    // The frame of a rectangle is the rectangle less its inside.
    auto frameRegion = [](LPCRECT rc, SIZE s) {
        HRGN outer = ::CreateRectRgnIndirect(rc);
        HRGN inner = ::CreateRectRgn(rc->left + s.cx, rc->top + s.cy, rc->right - s.cx, rc->bottom - s.cy);
        ::CombineRgn(outer, outer, inner, RGN_XOR);
        ::DeleteObject(inner);
        return outer;
    };
    HBRUSH halftone = nullptr;
    if (brush == nullptr) {
        // A 50% grey checker shows on any background.
        WORD bits[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, bits);
        halftone = ::CreatePatternBrush(pattern);
        ::DeleteObject(pattern);
    }
    HBRUSH newBrush = brush ? static_cast<HBRUSH>(brush->m_hObject) : halftone;
    HBRUSH oldBrush = lastBrush ? static_cast<HBRUSH>(lastBrush->m_hObject) : newBrush;

    HRGN update = r ? frameRegion(r, size) : ::CreateRectRgn(0, 0, 0, 0);
    HRGN last = lastRect ? frameRegion(lastRect, lastSize) : nullptr;
    HGDIOBJ saved = ::SelectObject(m_hDC, newBrush);
    if (last && oldBrush != newBrush) {
        // Different brushes: erase the old frame with its brush, then draw the new one.
        ::SelectClipRgn(m_hDC, last);
        RECT box;
        ::GetRgnBox(last, &box);
        ::SelectObject(m_hDC, oldBrush);
        ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
        ::SelectObject(m_hDC, newBrush);
    } else if (last) {
        // XOR both frames at once: what is common to both stays as it is.
        ::CombineRgn(update, update, last, RGN_XOR);
    }
    ::SelectClipRgn(m_hDC, update);
    RECT box;
    ::GetRgnBox(update, &box);
    ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    ::SelectClipRgn(m_hDC, nullptr);
    ::SelectObject(m_hDC, saved);
    ::DeleteObject(update);
    if (last) ::DeleteObject(last);
    if (halftone) ::DeleteObject(halftone);
}

BOOL CDC::DrawState(CPoint p, CSize size, HICON icon, UINT flags, CBrush* brush) {
    return ::DrawStateA(m_hDC, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr, nullptr,
                        reinterpret_cast<LPARAM>(icon), 0, p.x, p.y, size.cx, size.cy, flags | DST_ICON);
}

BOOL CDC::DrawState(CPoint p, CSize size, HBITMAP bitmap, UINT flags, CBrush* brush) {
    return ::DrawStateA(m_hDC, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr, nullptr,
                        reinterpret_cast<LPARAM>(bitmap), 0, p.x, p.y, size.cx, size.cy, flags | DST_BITMAP);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    return ::TextOutA(m_hDC, x, y, text ? text : "", Length(text, count));
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCSTR text, UINT count, const INT* widths) {
    return ::ExtTextOutA(m_hDC, x, y, options, r, text, count, widths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCSTR text, int count, int tabCount, const INT* tabs, int tabOrigin) {
    LONG r = ::TabbedTextOutA(m_hDC, x, y, text, Length(text, count), tabCount, tabs, tabOrigin);
    return CSize(LOWORD(r), HIWORD(r));
}

int CDC::DrawText(LPCSTR text, int count, LPRECT r, UINT format) {
    return ::DrawTextA(m_hDC, text ? text : "", Length(text, count), r, format);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const {
    CSize s;
    ::GetTextExtentPoint32A(Attrib(), text ? text : "", Length(text, count), &s);
    return s;
}

CSize CDC::GetOutputTextExtent(LPCSTR text, int count) const {
    CSize s;
    ::GetTextExtentPoint32A(m_hDC, text ? text : "", Length(text, count), &s);
    return s;
}

CSize CDC::GetTabbedTextExtent(LPCSTR text, int count, int tabCount, const INT* tabs) const {
    DWORD r = ::GetTabbedTextExtentA(Attrib(), text, Length(text, count), tabCount, tabs);
    return CSize(LOWORD(r), HIWORD(r));
}

CMetaFileDC::~CMetaFileDC() {
    // A recording that was never closed is thrown away.
    if (m_hDC != nullptr) {
        if (m_enhanced) ::DeleteEnhMetaFile(CloseEnhanced());
        else ::DeleteMetaFile(Close());
    }
}

BOOL CMetaFileDC::Create(LPCSTR fileName) {
    HDC h = ::CreateMetaFileA(fileName);
    if (h == nullptr) return FALSE;
    m_enhanced = false;
    // A Windows metafile DC cannot answer queries: SetAttribDC can give it a device that can.
    m_hDC = h;
    m_hAttribDC = nullptr;
    return TRUE;
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCSTR fileName, LPCRECT bounds, LPCSTR description) {
    HDC h = ::CreateEnhMetaFileA(pDCRef ? pDCRef->m_hDC : nullptr, fileName, bounds, description);
    if (h == nullptr) return FALSE;
    m_enhanced = true;
    m_hDC = m_hAttribDC = h;
    return TRUE;
}

HMETAFILE CMetaFileDC::Close() {
    if (m_hDC == nullptr) return nullptr;
    HMETAFILE mf = ::CloseMetaFile(m_hDC);
    m_hDC = m_hAttribDC = nullptr;
    return mf;
}

HENHMETAFILE CMetaFileDC::CloseEnhanced() {
    if (m_hDC == nullptr) return nullptr;
    HENHMETAFILE mf = ::CloseEnhMetaFile(m_hDC);
    m_hDC = m_hAttribDC = nullptr;
    return mf;
}
