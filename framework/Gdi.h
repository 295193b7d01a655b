// GDI object wrappers: CGdiObject and its pens, brushes, fonts, bitmaps,
// regions and palettes. Each wrapper owns its handle and deletes it when it
// is destroyed, unless the handle was detached first.
//
// CGdiObject does not derive from CObject: nothing asks a GDI object for its
// run-time class.
#pragma once

#include <windows.h>

#include "framework/Rect.h"

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    // Safe on a null pointer too, as callers pass optional objects through it.
    HGDIOBJ GetSafeHandle() const;
    operator HGDIOBJ() const { return m_hObject; }

    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int count, LPVOID buffer) const { return ::GetObjectA(m_hObject, count, buffer); }
    UINT GetObjectType() const { return ::GetObjectType(m_hObject); }
    BOOL CreateStockObject(int index);
    BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

    // The wrapper for any GDI handle: the program's own object when it made
    // one, otherwise a temporary one of the matching class (CPen for a pen...).
    static CGdiObject* FromHandle(HGDIOBJ h);
    static void DeleteTempMap();

    // Used by the handle map when a temporary wrapper is thrown away.
    void DetachTemporary() { m_hObject = nullptr; }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    CPen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr) {
        CreatePen(style, width, brush, styleCount, styles);
    }
    static CPen* FromHandle(HPEN h) { return static_cast<CPen*>(CGdiObject::FromHandle(h)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
    BOOL CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr) {
        return Attach(::ExtCreatePen(style, width, brush, styleCount, styles));
    }
    BOOL CreatePenIndirect(LOGPEN* pen) { return Attach(::CreatePenIndirect(pen)); }
    int GetLogPen(LOGPEN* pen) const { return GetObject(sizeof(LOGPEN), pen); }
    int GetExtLogPen(EXTLOGPEN* pen) const { return GetObject(sizeof(EXTLOGPEN), pen); }
};

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    explicit CBrush(CBitmap* pattern) { CreatePatternBrush(pattern); }
    static CBrush* FromHandle(HBRUSH h) { return static_cast<CBrush*>(CGdiObject::FromHandle(h)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
    BOOL CreatePatternBrush(CBitmap* pattern);
    BOOL CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::CreateBrushIndirect(brush)); }
    BOOL CreateSysColorBrush(int index) { return Attach(::GetSysColorBrush(index)); }
    BOOL CreateDIBPatternBrush(const void* packedDib, UINT usage) {
        return Attach(::CreateDIBPatternBrushPt(packedDib, usage));
    }
    int GetLogBrush(LOGBRUSH* brush) const { return GetObject(sizeof(LOGBRUSH), brush); }
};

class CFont : public CGdiObject {
public:
    static CFont* FromHandle(HFONT h) { return static_cast<CFont*>(CGdiObject::FromHandle(h)); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCSTR faceName) {
        return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                    strikeOut, charSet, outPrecision, clipPrecision, quality,
                                    pitchAndFamily, faceName));
    }
    // pointSize is in tenths of a point; the height is converted to logical
    // units of pDC (the screen when null), so text has that size on any device.
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* pDC = nullptr);
    // As CreatePointFont, with lfHeight of *font in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONTA* font, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTA* font) const { return GetObject(sizeof(LOGFONTA), font); }
};

class CBitmap : public CGdiObject {
public:
    static CBitmap* FromHandle(HBITMAP h) { return static_cast<CBitmap*>(CGdiObject::FromHandle(h)); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    BOOL LoadBitmap(LPCSTR resourceName);
    BOOL LoadBitmap(UINT resourceId) { return LoadBitmap(MAKEINTRESOURCEA(resourceId)); }
    BOOL LoadOEMBitmap(UINT id) { return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(id))); }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    BOOL CreateBitmapIndirect(BITMAP* bitmap) { return Attach(::CreateBitmapIndirect(bitmap)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    BOOL CreateDiscardableBitmap(CDC* pDC, int width, int height) { return CreateCompatibleBitmap(pDC, width, height); }
    int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }
    DWORD SetBitmapBits(DWORD count, const void* bits) { return ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits); }
    DWORD GetBitmapBits(DWORD count, LPVOID bits) const { return ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits); }
    CSize SetBitmapDimension(int width, int height);
    CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject {
public:
    static CRgn* FromHandle(HRGN h) { return static_cast<CRgn*>(CGdiObject::FromHandle(h)); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT r) { return Attach(::CreateRectRgnIndirect(r)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateEllipticRgnIndirect(LPCRECT r) { return Attach(::CreateEllipticRgnIndirect(r)); }
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode) {
        return Attach(::CreatePolygonRgn(points, count, fillMode));
    }
    BOOL CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode) {
        return Attach(::CreatePolyPolygonRgn(points, counts, polygons, fillMode));
    }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
        return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, w, h));
    }
    BOOL CreateFromPath(CDC* pDC);
    void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(*this, x1, y1, x2, y2); }
    void SetRectRgn(LPCRECT r) { ::SetRectRgn(*this, r->left, r->top, r->right, r->bottom); }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
        return ::CombineRgn(*this, a ? static_cast<HRGN>(a->m_hObject) : nullptr,
                            b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
    }
    int CopyRgn(const CRgn* source) { return ::CombineRgn(*this, *source, nullptr, RGN_COPY); }
    BOOL EqualRgn(const CRgn* other) const { return ::EqualRgn(*this, *other); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    int OffsetRgn(POINT p) { return ::OffsetRgn(*this, p.x, p.y); }
    int GetRgnBox(LPRECT r) const { return ::GetRgnBox(*this, r); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    BOOL PtInRegion(POINT p) const { return ::PtInRegion(*this, p.x, p.y); }
    BOOL RectInRegion(LPCRECT r) const { return ::RectInRegion(*this, r); }
};

class CPalette : public CGdiObject {
public:
    static CPalette* FromHandle(HPALETTE h) { return static_cast<CPalette*>(CGdiObject::FromHandle(h)); }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

    BOOL CreatePalette(LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const {
        WORD count = 0;
        return GetObject(sizeof(count), &count) ? count : 0;
    }
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const {
        return ::GetPaletteEntries(*this, start, count, entries);
    }
    UINT SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) {
        return ::SetPaletteEntries(*this, start, count, entries);
    }
    UINT GetNearestPaletteIndex(COLORREF color) const { return ::GetNearestPaletteIndex(*this, color); }
    BOOL ResizePalette(UINT count) { return ::ResizePalette(*this, count); }
    void AnimatePalette(UINT start, UINT count, LPPALETTEENTRY entries) {
        ::AnimatePalette(*this, start, count, entries);
    }
};
