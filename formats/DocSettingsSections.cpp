// The sections of the document text file for settings that the older sections
// have no place for: the slope's sampling flag (SLOPE_SAMPLES), the snap mode
// and grid of the drawing (SNAP_AND_GRID) and the Disc Setup's settings when no
// disc results carry them (DISC_SETTINGS). Each is written only when its
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

// ---- disc settings ----------------------------------------------------------------

bool CTalusimDoc::HasDiscSettingsToWrite() const
{
    // With disc results the DISC_RESULTS section carries the whole block.
    if (HasDiscResultsToWrite())
        return false;
    const CDiscParameters fresh;
    const CDiscParameters& b = m_discParameters;
    return b.GetEndTime() != fresh.GetEndTime() || b.IsIndependent() != fresh.IsIndependent() ||
           b.Is2DSimulation() != fresh.Is2DSimulation();
}

void CTalusimDoc::WriteDiscSettingsSection(CDocumentTextWriter& file, int /*version*/)
{
    file.Line("* Time to Finish");
    file.Values(' ', m_discParameters.GetEndTime());
    file.Line("* Discs Independent");
    file.Values(' ', m_discParameters.IsIndependent() ? 1 : 0);
    file.Line("* 2D Simulation");
    file.Values(' ', m_discParameters.Is2DSimulation() ? 1 : 0);
}

bool CTalusimDoc::ReadDiscSettingsSection(CDocumentTextReader& file, int /*version*/)
{
    double endTime = 0.0;
    int independent = 0, twoD = 0;
    if (!file.ReadReals(&endTime, 1) || !file.ReadInt(independent) || !file.ReadInt(twoD))
        return false;
    // The Disc Setup takes end times from 0 to 10000 s.
    if (!(endTime >= 0.0 && endTime <= 10000.0) || (independent != 0 && independent != 1) ||
        (twoD != 0 && twoD != 1))
        return false;
    m_discParameters.SetEndTime(endTime);
    m_discParameters.SetIndependent(independent == 1);
    m_discParameters.Set2DSimulation(twoD == 1);
    return true;
}
