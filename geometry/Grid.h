// The drawing grid of one database: a lattice of world points shown as dots,
// small crosses or lines behind the drawing, and the spacing that grid snap
// rounds to.
#pragma once

#include <windows.h>
#include "framework/Archive.h"
#include "framework/Object.h"

class CDC;
class CViewContext;

enum
{
    GRID_LINES = 8,
    GRID_DOTS = 9,
    GRID_CROSSES = 10,
};

class CREGGrid : public CObject
{
    DECLARE_SERIAL(CREGGrid)

public:
    // The range the grid dialog offers; a spacing outside it would make the
    // drawing loop endless (negative) or grid snap divide by zero.
    static constexpr double kMinSpacing = 0.001;
    static constexpr double kMaxSpacing = 100000.0;
    static double ClampSpacing(double spacing);

    CREGGrid();

    void Serialize(CArchive& ar) override;

    void Show() { m_bVisible = true; }
    void Hide() { m_bVisible = false; }
    bool IsVisible() const { return m_bVisible; }
    double GetSpacingX() const { return m_dSpacingX; }
    double GetSpacingY() const { return m_dSpacingY; }
    void SetSpacingX(double x) { m_dSpacingX = ClampSpacing(x); }
    void SetSpacingY(double y) { m_dSpacingY = ClampSpacing(y); }
    int GetStyle() const { return m_nStyle; }
    void SetStyle(int style);
    COLORREF GetColour() const { return m_crColour; }
    void SetColour(COLORREF c) { m_crColour = c; }

    // Draws over the world rectangle (y up).
    void Draw(CDC* pDC, CViewContext* pView, double left, double top, double right, double bottom);

private:
    bool m_bVisible;
    double m_dSpacingX;
    double m_dSpacingY;
    int m_nStyle;
    COLORREF m_crColour;
};
