// The sections of the document text file for settings that the older sections
// have no place for: the slope's sampling flag (SLOPE_SAMPLES) and the snap
// mode and grid of the drawing (SNAP_AND_GRID). Each is written only when its
// settings differ from a new document's, so that every other document is
// written byte for byte as before. A value the program could not have written
// refuses the file, as a damaged line of any other section does.
#include "model/DocumentDependencies.h"

#include "formats/DocumentTextFile.h"
#include "geometry/Grid.h"

bool IsKnownSnapMode(int mode)
{
    return mode == SNAP_NONE || mode == SNAP_GRID || mode == SNAP_VERTEX || mode == SNAP_OBJECT;
}

bool IsKnownGridStyle(int style)
{
    return style == GRID_LINES || style == GRID_DOTS || style == GRID_CROSSES;
}

namespace {

bool IsGridSpacing(double spacing)
{
    return spacing >= CREGGrid::kMinSpacing && spacing <= CREGGrid::kMaxSpacing;
}

}  // namespace

// ---- slope sampling ------------------------------------------------------------

void CTalusimDoc::WriteSlopeSamplingSection(CDocumentTextWriter& file, int /*version*/)
{
    file.Line("* Generate Slope Samples");
    file.Values(' ', m_bGenerateSlopeSamples ? 1 : 0);
}

bool CTalusimDoc::ReadSlopeSamplingSection(CDocumentTextReader& file, int /*version*/)
{
    int flag = 0;
    if (!file.ReadInt(flag) || (flag != 0 && flag != 1))
        return false;
    // The slope takes the flag from the document once the file is read.
    m_bGenerateSlopeSamples = flag == 1;
    return true;
}

// ---- snap mode and grid -----------------------------------------------------------

bool CTalusimDoc::HasSnapAndGridToWrite() const
{
    // A new document: no snap, the grid hidden, and the grid's own defaults.
    const CREGGrid fresh;
    const CVector2D spacing = m_database.GetGridSpacing();
    return m_database.GetSnapMode() != SNAP_NONE || m_database.GetGridState() != GRID_HIDE ||
           spacing.x != fresh.GetSpacingX() || spacing.y != fresh.GetSpacingY() ||
           m_database.GetGridStyle() != fresh.GetStyle() || m_database.GetGridColour() != fresh.GetColour();
}

void CTalusimDoc::WriteSnapAndGridSection(CDocumentTextWriter& file, int /*version*/)
{
    const CVector2D spacing = m_database.GetGridSpacing();
    file.Line("* Snap Mode");
    file.Values(' ', m_database.GetSnapMode());
    file.Line("* Grid Shown");
    file.Values(' ', m_database.GetGridState() == GRID_SHOW ? 1 : 0);
    file.Line("* Grid Spacing");
    file.Values(' ', spacing.x, spacing.y);
    file.Line("* Grid Style");
    file.Values(' ', m_database.GetGridStyle());
    file.Line("* Grid Colour");
    file.Colour(m_database.GetGridColour());
}

bool CTalusimDoc::ReadSnapAndGridSection(CDocumentTextReader& file, int /*version*/)
{
    int snap = 0, shown = 0, style = 0;
    double spacing[2];
    COLORREF colour = 0;
    if (!file.ReadInt(snap) || !file.ReadInt(shown) || !file.ReadReals(spacing, 2) || !file.ReadInt(style) ||
        !file.ReadColour(colour))
        return false;
    if (!IsKnownSnapMode(snap) || (shown != 0 && shown != 1) || !IsGridSpacing(spacing[0]) ||
        !IsGridSpacing(spacing[1]) || !IsKnownGridStyle(style))
        return false;
    m_database.SetSnapMode(snap);
    m_database.SetGridState(shown == 1 ? GRID_SHOW : GRID_HIDE);
    m_database.SetGridSpacing(spacing[0], spacing[1]);
    m_database.SetGridStyle(style);
    m_database.SetGridColour(colour);
    return true;
}
