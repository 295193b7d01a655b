// The mapping of one view between world coordinates (doubles, y up) and device
// coordinates (int pixels, y down), with its zoom and pan state, the trackers
// that change them from mouse events, the pick box, printer scaling, colour
// modes, the rubber band and the label style. Every draw and hit test of the
// program passes through one.
#pragma once

#include <windows.h>
#include <vector>
#include "framework/Array.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "geometry/DeviceClip.h"
#include "geometry/Vector2D.h"

class CDC;
class CWnd;

// Colour modes.
enum
{
    COLOUR_NORMAL = 101,
    COLOUR_BLACK_WHITE = 102,
    COLOUR_GREY = 103,
    COLOUR_FADED = 104,
};

class CViewContext
{
public:
    CViewContext();

    // ---- initialisation and the mapping ------------------------------------
    bool IsInitialised() const { return m_bInitialised; }
    void UpdateInitialised();
    CWnd* GetOwnerView() const { return m_pOwnerView; }
    void SetOwnerView(CWnd* pView) { m_pOwnerView = pView; }

    void SetWorldOrigin(double x, double y);
    CVector2D GetWorldOrigin() const { return CVector2D(-m_dNegOriginX, -m_dNegOriginY); }
    void SetWorldExtent(double width, double height);
    CVector2D GetWorldExtent() const { return CVector2D(m_dWorldWidth, -m_dNegWorldHeight); }
    CPoint GetDeviceOrigin() const { return CPoint(m_nDeviceOriginX, m_nDeviceOriginY); }
    void SetDeviceOrigin(int x, int y);
    CSize GetDeviceExtent() const { return CSize(m_nDeviceWidth, m_nDeviceHeight); }
    void SetDeviceExtent(int width, int height);
    CRect GetDeviceRect() const;
    CDC* GetDC() const { return m_pDC; }
    void SetDC(CDC* pDC) { m_pDC = pDC; }
    bool IsIsotropic() const { return m_bIsotropic; }
    void SetIsotropic(bool bIsotropic);
    bool IsClampEnabled() const { return m_bClamp; }
    void SetClampEnabled(bool bClamp) { m_bClamp = bClamp; }
    double GetScaleX() const { return m_dScaleX; }
    double GetScaleY() const { return m_dScaleY; }

    CPoint WorldToDevice(double x, double y) const;
    CPoint WorldToDevice(const CVector2D& p) const { return WorldToDevice(p.x, p.y); }
    CPoint WorldToDevice2(double x, double y) const { return WorldToDevice(x, y); }
    CPoint WorldToDevice(POINT& out, double x, double y) const
    {
        const CPoint p = WorldToDevice(x, y);
        out = p;
        return p;
    }
    CVector2D DeviceToWorld(int x, int y) const;
    CVector2D DeviceToWorld(POINT p) const { return DeviceToWorld(p.x, p.y); }
    CVector2D DeviceToWorld2(int x, int y) const { return DeviceToWorld(x, y); }
    CVector2D DeviceToWorldExact(double x, double y) const;

    // left, bottom, right, top
    void GetWorldWindow(double& left, double& bottom, double& right, double& top) const;
    struct WorldRect { double left, top, right, bottom; };
    WorldRect GetWorldWindowRect() const;
    void SetWorldWindow(double x1, double y1, double x2, double y2);

    // ---- picking and nearness ----------------------------------------------
    void GetPickBox(int x, int y, CVector2D& corner1, CVector2D& corner2) const;
    // The pick box around a device point as world edges, top the larger y and
    // left the smaller x, as the crossing tests take them.
    WorldRect GetPickRect(int x, int y) const;
    void GetClipWorldBox(CDC* pDC, CVector2D& topLeft, CVector2D& bottomRight) const;
    bool IsNearDevicePoint(const CVector2D& p, int x, int y) const;
    bool ArePointsNear(const CVector2D& a, const CVector2D& b) const;
    double GetPickRadius() const;
    double PixelsToWorldLength(int n) const;
    static bool IsBoxInside(const double a[4], const double b[4]);
    static bool BoxesOverlap(double a1, double a2, double a3, double a4,
                             double b1, double b2, double b3, double b4);

    // ---- zoom and pan --------------------------------------------------------
    // margin: left = width of the vertical ruler band, bottom = height of the
    // horizontal one; null when no rulers are shown.
    void ZoomIn(CWnd* pView, double factor, const RECT* margin);
    void ZoomOut(CWnd* pView, double factor, const RECT* margin);
    void ZoomAboutCentre(CWnd* pView, double factor, const RECT* margin);
    void OnMouseWheel(CWnd* pView, short delta, const RECT* margin);
    // The form of the window's wheel message; the flags and point are not used.
    void OnMouseWheel(CWnd* pView, UINT, short delta, POINT, const RECT* margin)
    {
        OnMouseWheel(pView, delta, margin);
    }
    void ZoomToWindow(double x1, double y1, double x2, double y2, CWnd* pView, const RECT* margin,
                      bool bZoomOut);
    void OnSize(int width, int height);
    void SaveView();
    void RestoreView();
    void SaveViewWithClient(CWnd* pView);
    bool TrackZoomWindow(int event, CDC* pDC, CWnd* pWnd, int x, int y);
    bool IsZoomWindowActive() const { return m_bZoomActive; }
    CVector2D GetZoomWindowStart() const { return m_zoomStart; }
    bool TrackDynamicZoom(int event, CWnd* pWnd, int x, int y);
    bool IsDynamicZoomActive() const { return m_bDynActive; }
    bool TrackPan(int event, CWnd* pWnd, int x, int y);
    bool IsPanActive() const { return m_bPanActive; }

    double GetSizeScale() const;
    bool SetFixedSize(bool bFixed);
    bool IsFixedSize() const { return m_bFixedSize; }
    void ComputeFitFactor(double x1, double y1, double x2, double y2, CWnd* pView,
                          const RECT* margin);
    double GetSizeFactor() const { return m_dSizeFactor; }
    void SetSizeFactor(double f) { m_dSizeFactor = f; }
    double GetBaseSizeFactor() const { return m_dBaseSizeFactor; }
    void SetBaseSizeFactor(double f) { m_dBaseSizeFactor = f; }

    int GetPickMode() const { return m_nPickMode; }
    int SetPickMode(int mode);
    int GetDrawCategory() const { return m_nDrawCategory; }
    int SetDrawCategory(int category);
    void ResetLastCursor() { m_lastCursor = CPoint(INT_MAX, INT_MAX); }
    CPoint GetLastCursor() const { return m_lastCursor; }
    void SetLastCursor(POINT p) { m_lastCursor = p; }
    bool GetVertexPickOption() const { return m_bVertexPickOption; }
    void SetVertexPickOption(bool b) { m_bVertexPickOption = b; }
    bool IsMetric() const { return m_bMetric; }
    void SetMetric(bool b) { m_bMetric = b; }

    // Client corners in world coordinates, written by the slope view.
    CVector2D m_clientTopLeft;
    CVector2D m_clientBottomRight;
    // The page's drawing rectangle while printing; all zero otherwise.
    CRect m_printRect;

    // ---- segments and polygons mapped whole ---------------------------------
    // A single point is limited to the device's range one coordinate at a
    // time, which would bend a segment reaching far off the device towards
    // another point. Segments and polygons are instead cut in doubles to the
    // widened device area (the pixels the mapping hands to any device) before
    // they become pixels, so what is drawn lies on the true line at any zoom.
    //
    // A world point's device position less the device origin, not yet cut to
    // whole pixels.
    CClipPoint WorldToDeviceOffset(double x, double y) const
    {
        return {(x + m_dNegOriginX) * m_dScaleX, (y + m_dNegOriginY) * m_dScaleY};
    }
    // The pixel of such a position, as WorldToDevice gives it.
    CPoint DeviceOffsetToPoint(const CClipPoint& p) const;
    // The widened device area as device offsets.
    CClipBox DeviceOffsetBox() const;
    // The ends of the part of a segment that lies in the widened device area;
    // false when none of it does.
    bool MapSegment(double x1, double y1, double x2, double y2, CPoint& a, CPoint& b) const;
    bool MapSegment(const CVector2D& p, const CVector2D& q, CPoint& a, CPoint& b) const
    {
        return MapSegment(p.x, p.y, q.x, q.y, a, b);
    }
    // A move and a line to the ends of that part; nothing when there is none.
    void DrawSegment(CDC* pDC, double x1, double y1, double x2, double y2) const;
    void DrawSegment(CDC* pDC, const CVector2D& p, const CVector2D& q) const
    {
        DrawSegment(pDC, p.x, p.y, q.x, q.y);
    }
    // The device points of a closed polygon cut to the widened device area
    // (empty when none of it lies there), for a fill that follows its edges.
    void MapPolygon(const CVector2D* points, int count, std::vector<POINT>& out);

    // ---- drawing on the current device context ----------------------------
    void DrawLine(const CVector2D& a, const CVector2D& b);
    void DrawLine(double x1, double y1, double x2, double y2);
    void DrawPolygon(const CArray<CVector2D, const CVector2D&>& points);
    void DrawPolyline(const CArray<CVector2D, const CVector2D&>& points);

    // ---- printing, colour modes, rubber band, labels (ViewContextStyle.cpp) -
    int PrinterLineWidth(CDC* pDC, int width) const;
    double PrinterScale(CDC* pDC) const;
    CSize InchesToPixels(CDC* pDC, double x, double y) const;
    CSize MillimetresToPixels(CDC* pDC, double x, double y) const;
    CVector2D InchesToWorld(CDC* pDC, double x, double y) const;
    CVector2D MillimetresToWorld(CDC* pDC, double x, double y) const;
    // On the current device context.
    CVector2D MillimetresToWorld(double x, double y) const { return MillimetresToWorld(m_pDC, x, y); }
    bool IsPaperScaleMode() const { return m_bPaperScaleMode; }
    void SetPaperScaleMode(bool b) { m_bPaperScaleMode = b; }
    void SetPaperMetric(bool b) { m_bPaperMetric = b; }
    void SetPaperScale(double s) { m_dPaperScale = s; }
    CVector2D GetPaperUnitSize(CDC* pDC) const;
    void ApplyPaperScale(CDC* pDC);

    void SetColourMode(int mode);
    int GetColourMode() const { return m_nColourMode; }
    COLORREF GetDisplayColour(COLORREF colour, bool bKeepWhite = false) const;

    // A rectangle of four INT_MAX values stands for no rectangle.
    CRect TrackRubberBand(int event, CDC* pDC, CWnd* pWnd, int x, int y);
    void SetRubberDragging() { m_bRubberDragging = true; }
    bool IsRubberArmed() const { return m_bRubberArmed; }

    bool IsClipboardRender() const { return m_bClipboardRender; }
    void SetOffscreenMode(bool b) { m_bClipboardRender = b; }
    bool m_bClipboardRender;

    void GetLabelFont(CString& face, int& size) const
    {
        face = m_strFontFace;
        size = m_nFontSize;
    }
    void SetLabelFont(const CString& face, int size)
    {
        m_strFontFace = face;
        m_nFontSize = size;
    }
    void GetLabelFormat(int& decimals, COLORREF& text, COLORREF& back, int& transparent) const;
    void SetLabelFormat(int decimals, COLORREF text, COLORREF back, int transparent);
    int GetLabelDecimals() const { return m_nDecimals; }
    bool GetShowLabels() const { return m_bShowLabels; }
    void SetShowLabels(bool b) { m_bShowLabels = b; }
    bool GetShowVertexLabels() const { return m_bShowVertexLabels; }
    void SetShowVertexLabels(bool b) { m_bShowVertexLabels = b; }
    bool GetShowCursorTip() const { return m_bShowCursorTip; }
    void SetShowCursorTip(bool b) { m_bShowCursorTip = b; }
    int GetLabelOption() const { return m_nLabelOption; }
    void SetLabelOption(int n) { m_nLabelOption = n; }
    CRect GetLabelRect() const { return m_labelRect; }
    void SetLabelRect(const RECT& r) { m_labelRect = r; }
    void SetLabelRect(int l, int t, int r, int b) { m_labelRect = CRect(l, t, r, b); }
    void SaveLabelStyle(const CString& keyPath) const;
    bool LoadLabelStyle(const CString& keyPath);
    void VerifyRect() const;

    int GetScreenLogPixelsX() const { return m_nScreenLogPixelsX; }

private:
    void RecalcScales();
    CRect ClientRectLessMargin(CWnd* pView, const RECT* margin) const;
    void CentreWindowInClient(CWnd* pView, const RECT* margin, double width, double height);
    void ScaleWindowAboutCentre(double& left, double& bottom, double& right, double& top,
                                double f) const;

    // Label style.
    CString m_strFontFace;
    int m_nFontSize;
    int m_nDecimals;
    COLORREF m_crLabelText;
    COLORREF m_crLabelBack;
    int m_bLabelTransparent;
    bool m_bShowLabels;
    bool m_bShowVertexLabels;
    bool m_bShowCursorTip;
    int m_nLabelOption;
    CRect m_labelRect;

    bool m_bInitialised;
    bool m_bWorldOriginSet;
    bool m_bWorldExtentSet;
    bool m_bDeviceOriginSet;
    bool m_bDeviceExtentSet;
    bool m_bClamp;
    bool m_bVertexPickOption;
    int m_nColourMode;
    bool m_bIsotropic;
    double m_dSizeFactor;
    CWnd* m_pOwnerView;

    // World extent and origin, height and origin stored negated.
    double m_dWorldWidth;
    double m_dNegWorldHeight;
    double m_dNegOriginX;
    double m_dNegOriginY;
    double m_dScaleX, m_dScaleY;
    double m_dInvScaleX, m_dInvScaleY;
    int m_nDeviceWidth, m_nDeviceHeight;
    int m_nDeviceOriginX, m_nDeviceOriginY;

    // Rubber band.
    CPoint m_rubberStart;
    CRect m_rubberLast;
    CRect m_rubberCurrent;
    bool m_bRubberDragging;
    bool m_bRubberArmed;

    // Zoom window.
    CRect m_zoomLast;
    CRect m_zoomCurrent;
    bool m_bZoomActive;
    CVector2D m_zoomStart;

    // Dynamic zoom.
    CPoint m_dynStart;
    CRect m_dynClient;
    bool m_bDynActive;
    double m_dynWindow[4];   // left, bottom, right, top

    // Pan.
    bool m_bPanActive;
    CVector2D m_panOrigin;
    CVector2D m_panAnchor;

    // Saved view.
    CVector2D m_savedExtent;
    CVector2D m_savedOrigin;
    CPoint m_savedDeviceExtent;
    CPoint m_savedDeviceOrigin;

    bool m_bPaperScaleMode;
    bool m_bPaperMetric;
    double m_dPaperScale;
    double m_dBaseSizeFactor;

    CDC* m_pDC;
    bool m_bFixedSize;
    int m_nDrawCategory;
    int m_nPickMode;
    CPoint m_lastCursor;
    bool m_bMetric;
    int m_nScreenLogPixelsX;

    // Device points of the last polygon; grows, never shrinks, so a redraw
    // does not allocate once it has seen the largest polygon.
    std::vector<POINT> m_pointBuffer;
    // Working room of polygon clipping, kept for the same reason.
    std::vector<CClipPoint> m_clipIn, m_clipOut, m_clipScratch;
};

// While a view renders for the clipboard, text drawing detaches the attribute
// handle of the current device context for the length of a scope.
class CAttribDCGuard
{
public:
    explicit CAttribDCGuard(CViewContext* pView);
    ~CAttribDCGuard();
    CAttribDCGuard(const CAttribDCGuard&) = delete;
    CAttribDCGuard& operator=(const CAttribDCGuard&) = delete;

private:
    CViewContext* m_pView;
    HDC m_hSavedAttrib;
};

bool IsPointInBox(double x, double y, double px, double py, double qx, double qy);
COLORREF FadeColour(COLORREF colour, double minLightness);
void RgbToHls(COLORREF colour, double& hue, double& saturation, double& lightness);
COLORREF HlsToRgb(double hue, double saturation, double lightness);
