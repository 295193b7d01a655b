#include "tools/ToolImage.h"

#include <algorithm>
#include <cmath>
#include "framework/DC.h"
#include "framework/FileDialog.h"
#include "framework/Gdi.h"
#include "framework/MessageBox.h"
#include "geometry/CursorIds.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolImage, CToolRectangle)

namespace {

// Reference points closer than this on an axis give no scale.
constexpr double kMinScaleSpan = 0.001;
constexpr LPCSTR kScaleLabels[4] = {"A (old)", "B (old)", "A (new)", "B (new)"};
constexpr int kScaleMarkerHalfSize = 13;

bool EndsWithNoCase(const CString& path, LPCSTR tail)
{
    const int n = static_cast<int>(strlen(tail));
    return path.GetLength() >= n && _stricmp(static_cast<LPCSTR>(path) + path.GetLength() - n, tail) == 0;
}

bool IsBareName(const CString& name)
{
    return name.FindOneOf("\\/:") < 0;
}

} // namespace

CToolImage::CToolImage()
{
    SetKind(TOOL_TYPE_IMAGE, "Image");
    m_bCanHatch = false;
    m_bCanFill = false;
    m_bShape = false;
    m_bImage = true;
    m_bCanImageOptions = true;
    // A picture has no outline of its own: no line to weigh or colour.
    m_bCanLineWeight = false;
    m_bCanLineColour = false;
    m_bExteriorLine = false;
    m_nImageScaleStyle = kStretched;
}

CToolImage::~CToolImage() = default;

// ---- loading --------------------------------------------------------------------------------

void CToolImage::ReportFailure(const CString& path) const
{
    CString text;
    text.Format(kLoadFailed, static_cast<LPCSTR>(path));
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

bool CToolImage::LoadBitmapFile(const CString& path)
{
    HANDLE h = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                            LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE);
    if (h == nullptr)
        return false;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(h);
    m_picture.Release();
    m_bIsPicture = false;
    m_bBlendAllowed = true;
    return true;
}

bool CToolImage::LoadImageFile(bool quiet, const CString& path)
{
    CString file = path, name;
    bool chosen = false;
    if (file.IsEmpty()) {
        CFileDialog dialog(TRUE, "bmp", "*.bmp;*.jpg;*.gif", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                           "Image Files (*.bmp,*.jpg,*.gif)|*.bmp;*.jpg;*.gif|All Files (*.*)|*.*||");
        if (dialog.DoModal() == IDOK) {
            file = dialog.GetPathName();
            name = dialog.GetFileName();
            chosen = true;
            // A stretched picture takes its own size at its first showing.
            if (m_nImageScaleStyle == kStretched)
                m_bFitOnce = true;
        }
    }
    if (file.IsEmpty())
        return false;
    bool loaded;
    // A ".jpeg" file (picked under All Files, or named in a tools file) is a JPEG too.
    if (EndsWithNoCase(file, ".jpg") || EndsWithNoCase(file, ".jpeg") || EndsWithNoCase(file, ".gif")) {
        loaded = m_picture.LoadFromFile(file);
        if (loaded) {
            m_bitmap.DeleteObject();
            m_bIsPicture = true;
            // Transparency and opacity work on bitmaps only.
            m_bBlendAllowed = false;
        }
    } else {
        loaded = LoadBitmapFile(file);
    }
    if (!loaded) {
        if (!quiet)
            ReportFailure(file);
        return false;
    }
    m_strLoadedFrom = file;
    if (chosen) {
        m_strImageFile = name;
        m_strImagePath = file;
    }
    return true;
}

CString CToolImage::ResolveBesideToolsFile(const CString& name) const
{
    if (name.IsEmpty() || !IsBareName(name) || m_strSourceFolder.IsEmpty())
        return name;
    CString folder = m_strSourceFolder;
    const char last = folder[folder.GetLength() - 1];
    if (last != '\\' && last != '/')
        folder += '\\';
    return folder + name;
}

void CToolImage::ApplyImageStyle(const CString& fileName, const CString& pathName, int scaleStyle,
                                 bool moveLocked, bool transparent, bool alpha, COLORREF transparentColour,
                                 int alphaPercent, bool behind)
{
    SetImageBehindGeometry(behind);
    SetImageScaleStyle(scaleStyle);
    SetMoveLocked(moveLocked);
    m_bTransparent = transparent;
    m_bAlpha = alpha;
    m_crTransparent = transparentColour;
    SetAlphaPercent(alphaPercent);
    // An empty name is no file: never the cue for a file dialog.
    const CString first = ResolveBesideToolsFile(fileName);
    bool loaded = !first.IsEmpty() && LoadImageFile(true, first);
    if (!loaded && !pathName.IsEmpty())
        loaded = LoadImageFile(true, pathName);
    if (!loaded) {
        CString text;
        text.Format(kReloadFailed, static_cast<LPCSTR>(first), static_cast<LPCSTR>(pathName));
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
    m_strImageFile = fileName;
    m_strImagePath = pathName;
}

bool CToolImage::CopyFrom(const CEntity& source)
{
    const bool copied = CToolRectangle::CopyFrom(source);
    // The file the original shows, which need not be at its stored path any
    // more (a picture found beside its tools file).
    const auto* image = dynamic_cast<const CToolImage*>(&source);
    const CString path = image != nullptr && !image->m_strLoadedFrom.IsEmpty() ? image->m_strLoadedFrom : m_strImagePath;
    if (!path.IsEmpty())
        LoadImageFile(true, path);
    return copied;
}

CSize CToolImage::GetImageSize()
{
    if (m_bIsPicture)
        return m_picture.GetPixelSize(nullptr);
    BITMAP bm{};
    if (m_bitmap.GetSafeHandle() != nullptr && ::GetObjectA(m_bitmap.GetSafeHandle(), sizeof bm, &bm))
        return CSize(bm.bmWidth, std::abs(bm.bmHeight));
    return CSize(0, 0);
}

// ---- placement ------------------------------------------------------------------------------

CRect CToolImage::GetDestination(CViewContext* pView)
{
    const CPoint d0 = pView->WorldToDevice(GetStartPoint());
    if (m_nImageScaleStyle == kNaturalSize || m_bFitOnce) {
        const CSize s = GetImageSize();
        return CRect(d0.x, d0.y, d0.x + s.cx, d0.y + s.cy);
    }
    // Stretched over the box its handles show, whichever corner the anchor is.
    const CPoint d1 = pView->WorldToDevice(GetEndPoint());
    return CRect(std::min(d0.x, d1.x), std::min(d0.y, d1.y), std::max(d0.x, d1.x), std::max(d0.y, d1.y));
}

void CToolImage::FitToImage(CViewContext* pView)
{
    if (pView == nullptr)
        return;
    m_bFitOnce = false;
    const CSize s = GetImageSize();
    const CPoint a = pView->WorldToDevice(GetStartPoint());
    SetEndPoint(pView->DeviceToWorld(a.x + s.cx, a.y + s.cy));
}

int CToolImage::GetCursorAt(CViewContext* pView, POINT p)
{
    if (m_nImageScaleStyle != kNaturalSize || pView == nullptr)
        return CToolRectangle::GetCursorAt(pView, p);
    return GetDestination(pView).PtInRect(p) ? kCursorSizeAll : kCursorArrow;
}

bool CToolImage::PickGrip(CViewContext* pView, POINT p)
{
    if (m_nImageScaleStyle != kNaturalSize || pView == nullptr)
        return CToolRectangle::PickGrip(pView, p);
    if (!GetDestination(pView).PtInRect(p))
        return false;
    m_nActiveHandle = -1;
    m_nGrip = kWholeEntityGrip;
    return true;
}

void CToolImage::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    if (m_nImageScaleStyle != kNaturalSize || pView == nullptr) {
        CToolRectangle::GetDeviceRect(out, pView, pWnd);
        return;
    }
    out = GetDestination(pView);
    out.InflateRect(33, 33);
}

bool CToolImage::HitTestInView(CViewContext* pView, double x, double y, int n)
{
    if (m_nImageScaleStyle != kNaturalSize || pView == nullptr)
        return CToolRectangle::HitTestInView(pView, x, y, n);
    CRect box = GetDestination(pView);
    box.InflateRect(33, 33);
    return box.PtInRect(pView->WorldToDevice(x, y));
}

// ---- drawing --------------------------------------------------------------------------------

void CToolImage::DrawImage(CDC* pDC, const CRect& dest)
{
    if (m_bIsPicture) {
        m_picture.Render(pDC, dest);
        return;
    }
    BITMAP bm{};
    if (!::GetObjectA(m_bitmap.GetSafeHandle(), sizeof bm, &bm))
        return;
    const int width = bm.bmWidth, height = std::abs(bm.bmHeight);
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    CGdiObject* pOld = memory.SelectObject(&m_bitmap);
    if (m_bTransparent && m_bBlendAllowed) {
        ::TransparentBlt(pDC->GetSafeHdc(), dest.left, dest.top, dest.Width(), dest.Height(), memory.GetSafeHdc(), 0,
                         0, width, height, m_crTransparent);
    } else if (m_bAlpha && m_bBlendAllowed) {
        BLENDFUNCTION blend{};
        blend.BlendOp = AC_SRC_OVER;
        blend.SourceConstantAlpha = static_cast<BYTE>(m_nAlphaPercent * 255 / 100);
        ::AlphaBlend(pDC->GetSafeHdc(), dest.left, dest.top, dest.Width(), dest.Height(), memory.GetSafeHdc(), 0, 0,
                     width, height, blend);
    } else {
        const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(dest.left, dest.top, dest.Width(), dest.Height(), &memory, 0, 0, width, height, SRCCOPY);
        pDC->SetStretchBltMode(oldMode);
    }
    memory.SelectObject(pOld);
}

void CToolImage::DrawScaleMarkers(CDC* pDC, CViewContext* pView, const CPoint& anchor)
{
    const int dx = pDC->GetDeviceCaps(LOGPIXELSX) / 10, dy = pDC->GetDeviceCaps(LOGPIXELSY) / 10;
    // A wide white pass under a thin magenta one: the markers show on any picture.
    const struct {
        COLORREF colour;
        int width;
    } passes[2] = {{RGB(255, 255, 255), 3}, {RGB(255, 0, 255), 1}};
    const int c = kScaleMarkerHalfSize;
    CGdiObject* pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
    for (const auto& pass : passes) {
        CPen pen(PS_SOLID, pass.width, pass.colour);
        CGdiObject* pOldPen = pDC->SelectObject(&pen);
        for (int i = 0; i < 4; ++i) {
            if (!m_bScaleSet[i])
                continue;
            // An open square with a cross at its centre: the picture stays visible.
            const int x = anchor.x + m_scalePoints[i].x, y = anchor.y + m_scalePoints[i].y;
            pDC->Rectangle(x - c, y - c, x + c + 1, y + c + 1);
            pDC->MoveTo(x - c, y);
            pDC->LineTo(x + c + 1, y);
            pDC->MoveTo(x, y - c);
            pDC->LineTo(x, y + c + 1);
        }
        pDC->SelectObject(pOldPen);
    }
    pDC->SelectObject(pOldBrush);
    for (int i = 0; i < 4; ++i) {
        if (!m_bScaleSet[i])
            continue;
        const CVector2D at =
            pView->DeviceToWorld(anchor.x + m_scalePoints[i].x + dx, anchor.y + m_scalePoints[i].y + dy);
        m_textStyle.DrawText(pDC, pView, kScaleLabels[i], at.x, at.y, 0, RGB(0, 0, 255), RGB(255, 255, 255), 5);
    }
}

void CToolImage::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView) || !HasImage())
        return;
    const CRect dest = GetDestination(pView);
    // At its own size the box follows the picture.
    if (m_nImageScaleStyle == kNaturalSize || m_bFitOnce)
        FitToImage(pView);
    DrawImage(pDC, dest);
    if (IsInSet(SET_SELECTION)) {
        CBrush hatch(HS_FDIAGONAL, pView->GetDisplayColour(m_crSelectColour));
        CGdiObject* pOldBrush = pDC->SelectObject(&hatch);
        CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->Rectangle(dest.left, dest.top, dest.right + 1, dest.bottom + 1);
        pDC->SetBkMode(oldMode);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    if (m_bScaling)
        DrawScaleMarkers(pDC, pView, pView->WorldToDevice(GetStartPoint()));
    if (!IsEditing())
        return;
    if (m_nImageScaleStyle == kNaturalSize)
        DrawSquareMarker(pDC, dest.right, dest.bottom, 3);
    else
        DrawHandles(pDC, pView);
}

// ---- scaling to known points ----------------------------------------------------------------

void CToolImage::SetScalePoint(int index, POINT device, CViewContext* pView)
{
    if (index < 0 || index > 3 || pView == nullptr)
        return;
    const CPoint d0 = pView->WorldToDevice(GetStartPoint());
    m_scalePoints[index] = CPoint(device.x - d0.x, device.y - d0.y);
    m_bScaleSet[index] = true;
    for (int i = index + 1; i < 4; ++i) {
        m_scalePoints[i] = CPoint(-1, -1);
        m_bScaleSet[i] = false;
    }
}

CVector2D CToolImage::ScalePointWorld(int index, CViewContext* pView)
{
    const CPoint d0 = pView->WorldToDevice(GetStartPoint());
    return pView->DeviceToWorld(d0.x + m_scalePoints[index].x, d0.y + m_scalePoints[index].y);
}

void CToolImage::GetScaleTargets(CViewContext* pView, CVector2D& a, CVector2D& b)
{
    a = ScalePointWorld(2, pView);
    b = ScalePointWorld(3, pView);
}

bool CToolImage::ScaleToPoints(const CVector2D& targetA, const CVector2D& targetB, CViewContext* pView)
{
    if (pView == nullptr)
        return false;
    const CVector2D a = ScalePointWorld(0, pView), b = ScalePointWorld(1, pView);
    const double tx = targetB.x - targetA.x, ty = targetB.y - targetA.y;
    const double sx = b.x - a.x, sy = b.y - a.y;
    if (std::fabs(tx) < kMinScaleSpan || std::fabs(ty) < kMinScaleSpan || std::fabs(sx) < kMinScaleSpan ||
        std::fabs(sy) < kMinScaleSpan)
        return false;
    const double fx = tx / sx, fy = ty / sy;
    const CVector2D p0 = GetStartPoint(), p1 = GetEndPoint();
    const double width = p1.x - p0.x, height = p0.y - p1.y;
    const CVector2D q0(targetA.x - (a.x - p0.x) * fx, targetA.y - (a.y - p0.y) * fy);
    SetStartPoint(q0);
    SetEndPoint(CVector2D(q0.x + width * fx, q0.y - height * fy));
    m_nImageScaleStyle = kStretched;
    m_bFitOnce = false;
    return true;
}
