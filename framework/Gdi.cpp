#include "framework/Gdi.h"

#include "framework/DC.h"
#include "framework/HandleMap.h"

namespace {

CHandleMap<HGDIOBJ, CGdiObject>& GdiMap() { return AfxThreadHandleMap<HGDIOBJ, CGdiObject>(); }

// A temporary wrapper has the class that matches the kind of handle, so that
// CPen::FromHandle can hand out a real CPen.
std::unique_ptr<CGdiObject> MakeWrapper(HGDIOBJ h) {
    std::unique_ptr<CGdiObject> w;
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: w = std::make_unique<CPen>(); break;
    case OBJ_BRUSH: w = std::make_unique<CBrush>(); break;
    case OBJ_FONT: w = std::make_unique<CFont>(); break;
    case OBJ_BITMAP: w = std::make_unique<CBitmap>(); break;
    case OBJ_REGION: w = std::make_unique<CRgn>(); break;
    case OBJ_PAL: w = std::make_unique<CPalette>(); break;
    default: w = std::make_unique<CGdiObject>(); break;
    }
    w->m_hObject = h;
    return w;
}

} // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

HGDIOBJ CGdiObject::GetSafeHandle() const {
    return SafeHandleOf(this, &CGdiObject::m_hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ h) {
    if (h == nullptr) return FALSE;
    // Attaching to an object that already owns a handle would leak it.
    if (m_hObject != nullptr) DeleteObject();
    m_hObject = h;
    GdiMap().SetPermanent(h, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h != nullptr && GdiMap().LookupPermanent(h) == this) GdiMap().RemoveHandle(h);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int index) {
    // Stock objects are never deleted; DeleteObject on them is harmless.
    return Attach(::GetStockObject(index));
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) { return GdiMap().FromHandle(h, MakeWrapper); }

void CGdiObject::DeleteTempMap() { GdiMap().DeleteTemporaries(); }

BOOL CBrush::CreatePatternBrush(CBitmap* pattern) {
    return pattern ? Attach(::CreatePatternBrush(*pattern)) : FALSE;
}

namespace {

// Converts a height in tenths of a point to logical units of dc, as a
// negative (character) height.
LONG PointHeightToLogical(LONG tenths, CDC* pDC) {
    HDC screen = nullptr;
    HDC dc = pDC ? (pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC) : (screen = ::GetDC(nullptr));
    POINT pts[2] = {{0, 0}, {0, ::MulDiv(tenths, ::GetDeviceCaps(dc, LOGPIXELSY), 720)}};
    ::DPtoLP(dc, pts, 2);
    if (screen) ::ReleaseDC(nullptr, screen);
    LONG h = pts[1].y - pts[0].y;
    return -(h < 0 ? -h : h);
}

} // namespace

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* pDC) {
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    if (faceName) lstrcpynA(lf.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* font, CDC* pDC) {
    LOGFONTA lf = *font;
    lf.lfHeight = PointHeightToLogical(font->lfHeight, pDC);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCSTR resourceName) {
    return Attach(::LoadBitmapA(::GetModuleHandleA(nullptr), resourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
    if (pDC) return Attach(::CreateCompatibleBitmap(pDC->m_hDC, width, height));
    HDC screen = ::GetDC(nullptr);
    BOOL ok = Attach(::CreateCompatibleBitmap(screen, width, height));
    ::ReleaseDC(nullptr, screen);
    return ok;
}

CSize CBitmap::SetBitmapDimension(int width, int height) {
    SIZE old{};
    ::SetBitmapDimensionEx(*this, width, height, &old);
    return old;
}

CSize CBitmap::GetBitmapDimension() const {
    SIZE s{};
    ::GetBitmapDimensionEx(*this, &s);
    return s;
}

BOOL CRgn::CreateFromPath(CDC* pDC) { return Attach(::PathToRegion(pDC->m_hDC)); }

BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
    if (pDC) return Attach(::CreateHalftonePalette(pDC->m_hDC));
    HDC screen = ::GetDC(nullptr);
    BOOL ok = Attach(::CreateHalftonePalette(screen));
    ::ReleaseDC(nullptr, screen);
    return ok;
}

namespace {
// The cleanups of the calling thread's maps; a plain array, as thread_local
// objects with destructors are not safe here.
constexpr int maxThreadMaps = 16;
thread_local void (*threadMapCleanups[maxThreadMaps])() = {};
thread_local int threadMapCount = 0;
} // namespace

void AfxRegisterThreadMapCleanup(void (*cleanup)()) {
    if (threadMapCount < maxThreadMaps) threadMapCleanups[threadMapCount++] = cleanup;
}

void AfxTermThreadMaps() {
    while (threadMapCount > 0) threadMapCleanups[--threadMapCount]();
}
