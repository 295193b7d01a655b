// Tools made of straight segments: the line (two points, optional arrow
// heads), the open polyline, the free-hand pencil stroke and the closed,
// optionally filled or hatched polygon. Only the line is drawn with a
// command; the other three come from tools files and are then edited with
// their grips and the Format Tool dialog.
#pragma once

#include "tools/Measure.h"

class CToolLine : public CMeasure
{
    DECLARE_DYNAMIC(CToolLine)

public:
    CToolLine();

    void Draw(CDC* pDC, CViewContext* pView) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;
};

class CToolPolyLine : public CToolLine
{
    DECLARE_DYNAMIC(CToolPolyLine)

public:
    CToolPolyLine();

    void Draw(CDC* pDC, CViewContext* pView) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    void ApplyDimensionVertices(const CVectorArray& extra, bool, bool, int) override;

    // "Length of Polyline\n<length> m" (or ft), the closing segment included.
    CString GetInfoText() const;

protected:
    // The segments when the line is shown, and the grips while editing.
    void DrawOutline(CDC* pDC, CViewContext* pView);
};

class CToolPencil : public CToolPolyLine
{
    DECLARE_DYNAMIC(CToolPencil)

public:
    CToolPencil();
};

class CToolPolyGon : public CToolPolyLine
{
    DECLARE_DYNAMIC(CToolPolyGon)

public:
    CToolPolyGon();

    int GetCursorAt(CViewContext* pView, POINT p) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;
    void ApplyDimensionText(int rotation, int dimTextFlag, int units, int exteriorLine) override;

    // "Area of Polygon\n<area> m2" (or ft2); empty with fewer than three corners.
    CString GetInfoText() const;
    // The world point lies inside the polygon, its boundary included.
    bool IsInside(const CVector2D& point) const;

private:
    bool HasInterior() const { return m_bFilled || m_bHatched; }
};
