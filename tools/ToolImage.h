// The image tool: a picture from a file placed on a view, a BMP held as a
// device-independent bitmap or a JPEG or GIF decoded by the system's picture
// service. It is shown at its own pixel size from its anchor corner or
// stretched over the tool's box, with a transparent colour or a constant
// opacity (bitmaps only), and can be brought to the drawing's coordinates by
// two pairs of reference points: A and B picked on the picture, and the world
// positions they should have.
#pragma once

#include "tools/PictureImage.h"
#include "tools/ToolRectangle.h"

class CToolImage : public CToolRectangle
{
    DECLARE_DYNAMIC(CToolImage)

public:
    enum { kNaturalSize = 12201, kStretched = 12202 };

    CToolImage();
    ~CToolImage() override;

    // ---- the entity's and the tool's operations ---------------------------------
    int GetCursorAt(CViewContext* pView, POINT p) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    bool HitTestInView(CViewContext* pView, double x, double y, int n) override;
    bool CopyFrom(const CEntity& source) override;
    // The tools file's image values: the style, then the picture, looked for
    // beside the tools file under its own name and then at its full path.
    void ApplyImageStyle(const CString& fileName, const CString& pathName, int scaleStyle, bool moveLocked,
                         bool transparent, bool alpha, COLORREF transparentColour, int alphaPercent,
                         bool behind) override;
    bool AcceptAfterRead() override { return HasImage(); }
    // The picture covers the box: it is picked anywhere inside.
    bool HasInterior() const override { return HasImage(); }

    // ---- loading -----------------------------------------------------------------------
    // Loads a picture file; with an empty path the user chooses one first
    // (its name and path are then kept). A failure is reported unless quiet.
    bool LoadImageFile(bool quiet, const CString& path = CString());
    // ReloadImage under the name the tools file gives it.
    void ReloadImage(const CString& firstPath, const CString& secondPath, int scaleStyle, bool moveLocked,
                     bool transparent, bool alpha, COLORREF transparentColour, int alphaPercent, bool behind)
    {
        ApplyImageStyle(firstPath, secondPath, scaleStyle, moveLocked, transparent, alpha, transparentColour,
                        alphaPercent, behind);
    }
    // The folder of the tools file being read, where a bare file name is looked for.
    void SetSourceFolder(const CString& folder) { m_strSourceFolder = folder; }
    bool HasImage() const { return m_bIsPicture ? m_picture.IsLoaded() : m_bitmap.GetSafeHandle() != nullptr; }
    bool IsPicture() const { return m_bIsPicture; }
    bool IsBlendAllowed() const { return m_bBlendAllowed; }
    // Pixels of the picture or the bitmap; (0, 0) without one.
    CSize GetImageSize();
    // The destination rectangle of the last draw rule for a view: from the
    // anchor, at the pixel size or over the box.
    CRect GetDestination(CViewContext* pView);
    // The box takes the picture's pixel size from the anchor, as seen in a view.
    void FitToImage(CViewContext* pView);

    // ---- scaling to known points ------------------------------------------------------
    // Scale point 0 to 3 (old A, old B, new A, new B) at a device point, kept
    // relative to the anchor; the points after it are unset.
    void SetScalePoint(int index, POINT device, CViewContext* pView);
    bool IsScalePointSet(int index) const { return index >= 0 && index < 4 && m_bScaleSet[index]; }
    // World positions of scale points 2 and 3 (the new A and B).
    void GetScaleTargets(CViewContext* pView, CVector2D& a, CVector2D& b);
    // Moves and stretches the box so that old A and old B land on the targets;
    // spans below 0.001 on either axis change nothing.
    bool ScaleToPoints(const CVector2D& targetA, const CVector2D& targetB, CViewContext* pView);
    void SetScaling(bool on) { m_bScaling = on; }
    bool IsScaling() const { return m_bScaling; }
    bool IsFitOnce() const { return m_bFitOnce; }

    static constexpr LPCSTR kLoadFailed = "Unable to load image file: %s";
    static constexpr LPCSTR kReloadFailed =
        "Unable to load image file: %s\nTried to load from same location as the tools file\nand from: %s";

private:
    // The world position of a scale point.
    CVector2D ScalePointWorld(int index, CViewContext* pView);
    void DrawImage(CDC* pDC, const CRect& dest);
    void DrawScaleMarkers(CDC* pDC, CViewContext* pView, const CPoint& anchor);
    bool LoadBitmapFile(const CString& path);
    void ReportFailure(const CString& path) const;
    // The path a bare file name of the tools file stands for.
    CString ResolveBesideToolsFile(const CString& name) const;

    CPictureImage m_picture;
    CBitmap m_bitmap;
    CPoint m_scalePoints[4];
    bool m_bScaleSet[4] = {false, false, false, false};
    bool m_bScaling = false;
    bool m_bFitOnce = false;
    bool m_bIsPicture = false;
    bool m_bBlendAllowed = true;
    CString m_strSourceFolder;
    CString m_strLoadedFrom;   // the file of the picture held
};
