// The numbers behind a graph as tables: the values counted into a
// distribution, the rock end points, the envelope maxima along the slope and
// the hits on a barrier or collector. One walk over the results gives the
// rows; the clipboard text and the spreadsheet cells are both made from them.
#pragma once

#include <cfloat>
#include <vector>

#include "framework/String.h"
#include "graphs/GraphData.h"

// One table of raw data. A cell holding kNoValue has no value: the text says
// "No Data Available" there and the spreadsheet leaves the cell empty.
struct RawDataTable {
    static constexpr double kNoValue = -DBL_MAX;

    CString text;                         // the clipboard text, complete
    CString sheetTitle;                   // the title cell above the table
    std::vector<CString> sheetColumns;    // the column titles under it
    bool autoFitColumns = false;          // the columns are fitted to their titles
    std::vector<std::vector<double>> rows;
    // An end-point or envelope table stops at kMaxRows; one that reaches
    // kWarnRows rows is reported to the user as well.
    bool tooManyRows = false;

    static constexpr int kMaxRows = 100000;
    static constexpr int kWarnRows = 99998;
};

// Fills the table for the state's kind from the results and the state's raw
// values (and object). False for a kind outside the graph families.
bool CollectRawData(CGraphResults& results, const GraphState& state, const GraphUnits& units, RawDataTable& table);

class CExcelAutomation;

// Writes the table into a worksheet from (row, column): the title, the column
// titles in the next row, and the rows as one numeric block below them
// (empty cells where a row has no value). Automation failures pass on.
void WriteRawDataToSheet(CExcelAutomation& excel, const RawDataTable& table, int firstColumn, int firstRow);

// The text of the internal error a copy of an unknown kind, or of too many
// rows, shows.
extern const char kRawDataInternalError[];
