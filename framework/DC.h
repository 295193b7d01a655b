// CDC, the device context wrapper, and its kinds: memory DCs (CreateCompatibleDC),
// window DCs (CPaintDC, CClientDC, CWindowDC) and metafile DCs (CMetaFileDC).
//
// A CDC carries two handles: m_hDC receives the drawing output, m_hAttribDC
// answers queries (text extents, mapping, device capabilities). They are the
// same for an ordinary DC; a metafile DC that records for a screen or printer
// can take that device as its attribute DC. Calls that change state go to both.
//
// CDC does not derive from CObject: nothing asks a DC for its run-time class.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"
#include "framework/Rect.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    // Safe on a null pointer too.
    HDC GetSafeHdc() const;
    operator HDC() const { return m_hDC; }

    // The wrapper for a DC handle: the program's own CDC or a temporary one.
    static CDC* FromHandle(HDC h);
    static void DeleteTempMap();
    void DetachTemporary() { m_hDC = m_hAttribDC = nullptr; }

    BOOL Attach(HDC h);
    HDC Detach();
    BOOL DeleteDC();
    virtual void SetAttribDC(HDC h) { m_hAttribDC = h; }
    virtual void SetOutputDC(HDC h) { m_hDC = h; }
    virtual void ReleaseAttribDC() { m_hAttribDC = nullptr; }
    virtual void ReleaseOutputDC() { m_hDC = nullptr; }

    BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData);
    BOOL CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData);
    // A memory DC like pDC's device (the screen when null).
    BOOL CreateCompatibleDC(CDC* pDC);
    int SaveDC() const;
    BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(Attrib(), index); }
    BOOL IsPrinting() const { return m_bPrinting; }
    CWnd* GetWindow() const;

    // Object selection returns the object that was selected before, for restoring.
    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen) { return static_cast<CPen*>(SelectGdiObject(pen)); }
    CBrush* SelectObject(CBrush* brush) { return static_cast<CBrush*>(SelectGdiObject(brush)); }
    CFont* SelectObject(CFont* font) { return static_cast<CFont*>(SelectGdiObject(font)); }
    CBitmap* SelectObject(CBitmap* bitmap) { return static_cast<CBitmap*>(SelectGdiObject(bitmap)); }
    CGdiObject* SelectObject(CGdiObject* object) { return SelectGdiObject(object); }
    // Selecting a region sets the clipping region; the result is the region type.
    int SelectObject(CRgn* region);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CPen* GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(Attrib(), OBJ_PEN))); }
    CBrush* GetCurrentBrush() const { return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(Attrib(), OBJ_BRUSH))); }
    CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(Attrib(), OBJ_FONT))); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(Attrib(), OBJ_BITMAP))); }

    // Drawing attributes.
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return ::GetBkColor(Attrib()); }
    int SetBkMode(int mode);
    int GetBkMode() const { return ::GetBkMode(Attrib()); }
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return ::GetTextColor(Attrib()); }
    int SetROP2(int mode);
    int GetROP2() const { return ::GetROP2(Attrib()); }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return ::GetPolyFillMode(Attrib()); }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return ::GetStretchBltMode(Attrib()); }
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const { return ::GetTextAlign(Attrib()); }
    int SetTextCharacterExtra(int extra);
    int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(Attrib()); }

    // Mapping modes and coordinates.
    int SetMapMode(int mode);
    int GetMapMode() const { return ::GetMapMode(Attrib()); }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(Attrib(), points, count); }
    void LPtoDP(LPRECT r) const { ::LPtoDP(Attrib(), reinterpret_cast<LPPOINT>(r), 2); }
    void LPtoDP(LPSIZE s) const;
    void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(Attrib(), points, count); }
    void DPtoLP(LPRECT r) const { ::DPtoLP(Attrib(), reinterpret_cast<LPPOINT>(r), 2); }
    void DPtoLP(LPSIZE s) const;
    // Conversions between HIMETRIC units (0.01 mm) and device or logical units.
    void DPtoHIMETRIC(LPSIZE s) const;
    void HIMETRICtoDP(LPSIZE s) const;
    void LPtoHIMETRIC(LPSIZE s) const { LPtoDP(s); DPtoHIMETRIC(s); }
    void HIMETRICtoLP(LPSIZE s) const { HIMETRICtoDP(s); DPtoLP(s); }

    // Clipping.
    int GetClipBox(LPRECT r) const { return ::GetClipBox(Attrib(), r); }
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int OffsetClipRgn(int dx, int dy);
    BOOL PtVisible(int x, int y) const { return ::PtVisible(Attrib(), x, y); }
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    BOOL RectVisible(LPCRECT r) const { return ::RectVisible(Attrib(), r); }

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
        return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Arc(LPCRECT r, POINT start, POINT end) {
        return Arc(r->left, r->top, r->right, r->bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
        return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
        return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    BOOL PolyBezier(const POINT* points, int count) { return ::PolyBezier(m_hDC, points, count); }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons) {
        return ::PolyPolygon(m_hDC, points, counts, polygons);
    }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int w, int h) { return ::RoundRect(m_hDC, x1, y1, x2, y2, w, h); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }

    // Filled areas.
    void FillRect(LPCRECT r, CBrush* brush) { ::FillRect(m_hDC, r, *brush); }
    void FrameRect(LPCRECT r, CBrush* brush) { ::FrameRect(m_hDC, r, *brush); }
    void InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
    void FillSolidRect(LPCRECT r, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    // Outlines the rectangle r (size thick) and erases the previous outline
    // lastRect (lastSize thick) with XOR, for rubber-band tracking.
    void DrawDragRect(LPCRECT r, SIZE size, LPCRECT lastRect, SIZE lastSize, CBrush* brush = nullptr,
                      CBrush* lastBrush = nullptr);
    BOOL DrawEdge(LPRECT r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, r, edge, flags); }
    BOOL DrawFrameControl(LPRECT r, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, r, type, state); }
    void DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawIcon(POINT p, HICON icon) { return ::DrawIcon(m_hDC, p.x, p.y, icon); }
    BOOL DrawState(CPoint p, CSize size, HICON icon, UINT flags, CBrush* brush = nullptr);
    BOOL DrawState(CPoint p, CSize size, HBITMAP bitmap, UINT flags, CBrush* brush = nullptr);
    BOOL FillRgn(CRgn* region, CBrush* brush) { return ::FillRgn(m_hDC, *region, *brush); }
    BOOL FrameRgn(CRgn* region, CBrush* brush, int w, int h) { return ::FrameRgn(m_hDC, *region, *brush, w, h); }
    BOOL PaintRgn(CRgn* region) { return ::PaintRgn(m_hDC, *region); }
    BOOL InvertRgn(CRgn* region) { return ::InvertRgn(m_hDC, *region); }

    // Bitmaps and pixels.
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xSrc, ySrc, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xSrc, ySrc, wSrc, hSrc, rop);
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT p) const { return ::GetPixel(m_hDC, p.x, p.y); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF SetPixel(POINT p, COLORREF c) { return ::SetPixel(m_hDC, p.x, p.y, c); }
    BOOL SetPixelV(int x, int y, COLORREF c) { return ::SetPixelV(m_hDC, x, y, c); }

    // Text. A negative count means the text runs to its terminating zero.
    BOOL TextOut(int x, int y, LPCSTR text, int count = -1);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCSTR text, UINT count, const INT* widths = nullptr);
    CSize TabbedTextOut(int x, int y, LPCSTR text, int count, int tabCount, const INT* tabs, int tabOrigin);
    int DrawText(LPCSTR text, int count, LPRECT r, UINT format);
    int DrawText(LPCSTR text, LPRECT r, UINT format) { return DrawText(text, -1, r, format); }
    CSize GetTextExtent(LPCSTR text, int count = -1) const;
    CSize GetOutputTextExtent(LPCSTR text, int count = -1) const;
    CSize GetTabbedTextExtent(LPCSTR text, int count, int tabCount, const INT* tabs) const;
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(Attrib(), metrics); }
    BOOL GetOutputTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
    int GetTextFace(int count, LPSTR faceName) const { return ::GetTextFaceA(Attrib(), count, faceName); }
    BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const { return ::GetCharWidthA(Attrib(), first, last, widths); }

    // Printing.
    int StartDoc(LPDOCINFOA info) { return ::StartDocA(m_hDC, info); }
    int StartDoc(LPCSTR name);
    int EndDoc() { return ::EndDoc(m_hDC); }
    int AbortDoc() { return ::AbortDoc(m_hDC); }
    int StartPage() { return ::StartPage(m_hDC); }
    int EndPage() { return ::EndPage(m_hDC); }
    int SetAbortProc(ABORTPROC proc) { return ::SetAbortProc(m_hDC, proc); }
    BOOL ResetDC(const DEVMODEA* devMode);

    // Metafile playback.
    BOOL PlayMetaFile(HMETAFILE mf) { return ::PlayMetaFile(m_hDC, mf); }
    BOOL PlayMetaFile(HENHMETAFILE mf, LPCRECT bounds) { return ::PlayEnhMetaFile(m_hDC, mf, bounds); }

protected:
    HDC Attrib() const { return m_hAttribDC ? m_hAttribDC : m_hDC; }
    CGdiObject* SelectGdiObject(CGdiObject* object);
};

// The DC of a window's update region, from BeginPaint to EndPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

// The DC of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The DC of a whole window, frame included.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// Records drawing into a Windows metafile (Create/Close) or an enhanced
// metafile (CreateEnhanced/CloseEnhanced), in memory or in a file.
class CMetaFileDC : public CDC {
public:
    CMetaFileDC() = default;
    ~CMetaFileDC() override;

    BOOL Create(LPCSTR fileName = nullptr);
    // bounds are in HIMETRIC units; description holds the application name
    // and the picture name, each followed by a zero (and a final extra zero).
    BOOL CreateEnhanced(CDC* pDCRef, LPCSTR fileName, LPCRECT bounds, LPCSTR description);
    HMETAFILE Close();
    HENHMETAFILE CloseEnhanced();

private:
    bool m_enhanced = false;
};
