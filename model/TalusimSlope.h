// The slope: the ground profile down which rocks fall, an open polyline from
// left to right whose segment i (from vertex i-1 to vertex i) has material i.
// Each vertex keeps a standard deviation in x and y in its two auxiliary
// values, so that a varied slope can be drawn for each rock; the slope shows
// them as ellipses while per-rock sampling is on. It also draws the ground
// behind it as a filled or hatched band.
#pragma once

#include "geometry/PolyLine.h"

class CTalusimSlopeType;

class CTalusimSlope : public CPolyLine
{
    DECLARE_SERIAL(CTalusimSlope)
public:
    static constexpr int kKindId = 2103;

    CTalusimSlope();

    // ---- vertices and materials --------------------------------------------
    int GetSlopeVertexCount() const { return GetVertexCount(); }
    CPolyVertex& GetSlopeVertex(CPolyVertex& out, int i) const;
    // Moves vertex i; its standard deviations return to 0.
    void SetSlopeVertex(int i, double x, double y);
    void AddVertexWithMaterial(double x, double y, CTalusimSlopeType* material);
    void SetVertexAndMaterial(int i, double x, double y, CTalusimSlopeType* material);
    // Null for an index outside the array or a segment without material.
    CTalusimSlopeType* GetSegmentMaterial(int i) const;
    void SetSegmentMaterial(int i, CTalusimSlopeType* material);
    bool AllSegmentsHaveMaterial() const;
    bool UsesMaterial(const CTalusimSlopeType* material) const;
    // Every entry naming the old material, the first (which names no
    // segment) and the saved copy included, gets the new one.
    void ReplaceMaterial(const CTalusimSlopeType* oldMaterial, CTalusimSlopeType* newMaterial);
    void SaveMaterials();
    void RestoreMaterials();
    bool ClearSlope();
    // Removes the marked vertices from the last down; refuses (and stops)
    // when only two vertices are left. True when something was removed or
    // when it refused.
    bool DeleteMarkedVertices(bool& refused);
    // The highest slope height at x; -DBL_MAX when no segment spans x.
    double GetHeightAt(double x) const;

    // ---- the band behind the slope and the spread ellipses ------------------
    // A request for both fill and hatch is ignored.
    void SetFillMode(bool fill, bool hatch);
    // The colour always; the hatch style only when 0..5, the length only when >= 0.001.
    void SetFillOptions(COLORREF colour, int hatchStyle, double length);
    bool IsFilled() const { return m_fill != 0; }
    bool IsHatched() const { return m_hatch != 0; }
    COLORREF GetFillColour() const { return m_fillColour; }
    int GetHatchStyle() const { return m_hatchStyle; }
    double GetFillLength() const { return m_fillLength; }
    void SetSampleSlopeFlag(bool b) { m_sampleSlope = b ? 1 : 0; }
    bool GetSampleSlopeFlag() const { return m_sampleSlope != 0; }
    COLORREF GetEllipseColour() const { return m_ellipseColour; }
    void SetEllipseColour(COLORREF c) { m_ellipseColour = c; }

    // ---- entity operations ---------------------------------------------------
    void Serialize(CArchive& ar) override;
    double GetLeft() const override;
    double GetRight() const override;
    double GetBottom() const override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    COLORREF GetExportPartColour(int part) override;
    CString GetExportPartLayer(int part) override;
    void RecalcExtents() override;
    bool DeleteVertex(int i) override;
    bool InsertVertex(int i, const CPolyVertex& v) override;
    void RemoveLastVertex(bool* pRefused) override;
    void ExtendExtents(const CPolyVertex& v) override;

private:
    bool HasBand() const { return m_fill != 0 || m_hatch != 0; }
    void DrawBand(CDC* pDC, CViewContext* pView);
    void DrawSpreadEllipses(CDC* pDC, CViewContext* pView);

    BYTE m_sampleSlope = 0;
    BYTE m_fill = 0;
    BYTE m_hatch = 0;
    COLORREF m_fillColour = 0;
    int m_hatchStyle = 2;
    double m_fillLength = 5.0;
    CArray<CTalusimSlopeType*, CTalusimSlopeType*> m_materials;
    CArray<CTalusimSlopeType*, CTalusimSlopeType*> m_savedMaterials;
    COLORREF m_ellipseColour = RGB(255, 255, 0);
};
