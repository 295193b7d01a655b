#include "graphs/GraphRawData.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "excel/ExcelAutomation.h"
#include "model/TalusimBarrier.h"

const char kRawDataInternalError[] =
    "Internal error in\nCTalusimOlectraView OnGraphDataCopy\nplease contact technical support";

namespace {

// Appends printf-style text; the tables grow to a hundred thousand rows, so
// they are built in one buffer rather than by joining strings.
void AppendF(std::string& out, const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
void AppendF(std::string& out, const char* format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0)
        out.append(line, std::min<size_t>(static_cast<size_t>(n), sizeof line - 1));
}

void CollectDistribution(const GraphState& state, RawDataTable& table)
{
    const CSampleStatistics& raw = state.raw;
    std::string text = static_cast<LPCSTR>(state.settings.computedHeader);
    text += "\nNumber\t";
    text += static_cast<LPCSTR>(state.settings.computedXTitle);
    text += "\n";
    table.sheetTitle = "Unsorted Raw Data";
    table.sheetColumns = {"Number", state.settings.computedXTitle};
    for (int i = 0; i < raw.GetCount(); ++i) {
        const double v = raw.GetValue(i);
        AppendF(text, "%d\t%g\n", i + 1, v);
        table.rows.push_back({double(i + 1), v});
    }
    table.text = text.c_str();
}

void CollectEndPoints(CGraphResults& results, RawDataTable& table)
{
    const bool filteredOnly = results.IsFilteredOnlyActive();
    std::string text = "Rock Endpoints (unsorted)\nNumber\tX_Coordinate\tY_Coordinate\n";
    table.sheetTitle = "Rock Endpoints (unsorted)";
    table.sheetColumns = {"Number", "X Coordinate", "Y Coordinate"};
    int number = 0;
    for (const GraphEndPoint& p : results.GetEndPoints()) {
        if (filteredOnly && !p.passes)
            continue;
        if (number >= RawDataTable::kMaxRows)
            break;
        ++number;
        AppendF(text, "%d\t%.3f\t%.3f\n", number, p.x, p.y);
        table.rows.push_back({double(number), p.x, p.y});
    }
    table.tooManyRows = number >= RawDataTable::kWarnRows;
    table.text = text.c_str();
}

struct EnvelopeColumn {
    const char* title;     // the table's title
    const char* column;    // the value column's title, without its unit
};

EnvelopeColumn EnvelopeColumnOf(int kind)
{
    switch (kind) {
    case 2941: return {"Maximum Height above Slope vs. Horizontal location", "Height"};
    case 2942: return {"Maximum Total Kinetic Energy vs. Horizontal location", "Kinetic Energy"};
    case 2943: return {"Maximum Translational Kinetic Energy vs. Horizontal location", "Kinetic Energy"};
    case 2944: return {"Maximum Rotational Kinetic Energy vs. Horizontal location", "Kinetic Energy"};
    case 2945: return {"Maximum Translational Velocity vs. Horizontal location", "Velocity"};
    default: return {"Maximum Rotational Velocity vs. Horizontal location", "Velocity"};
    }
}

CString EnvelopeUnit(int kind, const GraphUnits& units)
{
    switch (kind) {
    case 2941: return units.length;
    case 2942:
    case 2943:
    case 2944: return units.energy;
    case 2945: return units.velocity;
    default: return units.angularVelocity;
    }
}

// The envelope's value at a location; kNoValue for a bounce height where no
// rock passed.
double EnvelopeValue(const CLocationEnvelope& e, int kind)
{
    switch (kind) {
    case 2941: return e.GetMaxHeight() == -DBL_MAX ? RawDataTable::kNoValue : e.GetMaxHeight() - e.GetSlopeHeight();
    case 2942: return e.GetMaxTotalEnergy();
    case 2943: return e.GetMaxTranslationalEnergy();
    case 2944: return e.GetMaxRotationalEnergy();
    case 2945: return e.GetMaxVelocity();
    default: return e.GetMaxAngularVelocity();
    }
}

void CollectEnvelope(CGraphResults& results, int kind, const GraphUnits& units, RawDataTable& table)
{
    const EnvelopeColumn c = EnvelopeColumnOf(kind);
    const CString unit = EnvelopeUnit(kind, units);
    std::string text = c.title;
    text += "\nX_Coordinate";
    text += static_cast<LPCSTR>(units.length);
    text += "\t";
    text += c.column;
    text += static_cast<LPCSTR>(unit);
    text += "\n";
    table.sheetTitle = c.title;
    table.sheetColumns = {"X Coordinate" + units.length, c.column + unit};
    int count = 0;
    for (const CLocationEnvelope& e : results.GetLocationMaxima()) {
        if (count >= RawDataTable::kMaxRows)
            break;
        ++count;
        const double v = EnvelopeValue(e, kind);
        if (v == RawDataTable::kNoValue)
            AppendF(text, "%.3f\tNo Data Available\n", e.GetLocation());
        else
            AppendF(text, "%.3f\t%.3f\n", e.GetLocation(), v);
        table.rows.push_back({e.GetLocation(), v});
    }
    table.tooManyRows = count >= RawDataTable::kWarnRows;
    table.text = text.c_str();
}

void CollectImpacts(CGraphResults& results, const GraphState& state, const GraphUnits& units,
                    RawDataTable& table)
{
    std::string text = "Impact Information\nX_Coordinate\tY_Coordinate";
    const CString v = "Translational_Velocity" + units.velocity;
    const CString w = "Rotational_Velocity" + units.angularVelocity;
    const CString et = "Translational_Energy" + units.energy;
    const CString er = "Rotational_Energy" + units.energy;
    const CString e = "Total_Energy" + units.energy;
    for (const CString* column : {&v, &w, &et, &er, &e}) {
        text += "\t";
        text += static_cast<LPCSTR>(*column);
    }
    text += "\n";
    table.sheetTitle = "Unsorted Raw Data";
    table.sheetColumns = {"X Coordinate", "Y Coordinate", v, w, et, er, e};
    table.autoFitColumns = true;

    // An object deleted since the graph was built is not touched.
    auto* barrier = dynamic_cast<CTalusimBarrier*>(state.object);
    if (barrier && results.HoldsObject(barrier)) {
        const bool filteredOnly = results.IsFilteredOnlyActive();
        CArray<CBarrierHit, const CBarrierHit&> hits;
        barrier->CopyHits(hits);
        for (int i = 0; i < hits.GetSize(); ++i) {
            const CBarrierHit& h = hits[i];
            if (filteredOnly && !CGraphResults::PathPasses(h.GetRockPath()))
                continue;
            AppendF(text, "%.3f\t%.3f\t%g\t%g\t%g\t%g\t%g\n", h.GetX(), h.GetY(), h.GetVelocity(),
                    h.GetAngularVelocity(), h.GetTranslationalEnergy(), h.GetRotationalEnergy(), h.GetTotalEnergy());
            table.rows.push_back({h.GetX(), h.GetY(), h.GetVelocity(), h.GetAngularVelocity(),
                                  h.GetTranslationalEnergy(), h.GetRotationalEnergy(), h.GetTotalEnergy()});
        }
    }
    table.text = text.c_str();
}

} // namespace

bool CollectRawData(CGraphResults& results, const GraphState& state, const GraphUnits& units, RawDataTable& table)
{
    table = RawDataTable();
    if (IsDistributionGraph(state.kind))
        CollectDistribution(state, table);
    else if (IsEndPointGraph(state.kind))
        CollectEndPoints(results, table);
    else if (IsEnvelopeGraph(state.kind))
        CollectEnvelope(results, state.kind, units, table);
    else if (IsImpactGraph(state.kind))
        CollectImpacts(results, state, units, table);
    else
        return false;
    return true;
}

void WriteRawDataToSheet(CExcelAutomation& excel, const RawDataTable& table, int firstColumn, int firstRow)
{
    excel.SetCellText(table.sheetTitle, CExcelAutomation::CellName(firstRow, firstColumn));
    const int columns = static_cast<int>(table.sheetColumns.size());
    for (int c = 0; c < columns; ++c)
        excel.SetCellText(table.sheetColumns[c], CExcelAutomation::CellName(firstRow + 1, firstColumn + c));
    if (table.autoFitColumns)
        excel.AutoFitColumns(CExcelCellRange::Columns(firstColumn, firstColumn + columns - 1));
    const int rows = static_cast<int>(table.rows.size());
    if (rows == 0 || columns == 0)
        return;
    excel.BeginNumberBlock(CExcelCellRange(firstRow + 2, firstColumn, firstRow + 1 + rows, firstColumn + columns - 1));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns && c < static_cast<int>(table.rows[r].size()); ++c)
            if (table.rows[r][c] != RawDataTable::kNoValue)
                excel.SetBlockNumber(table.rows[r][c], r, c);
    excel.FlushBlock();
}
