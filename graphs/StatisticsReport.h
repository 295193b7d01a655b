// The statistics report of a graph's raw values: the summary, the
// distribution that fits them best and the values ranked with their
// percentiles, as the Distribution Statistics window shows it.
#pragma once

#include <cfloat>

#include "engine/SampleStatistics.h"
#include "framework/String.h"

// `header` heads the report. `capacity` is the capacity of the barrier whose
// translational-energy hits the values are; DBL_MAX for none, when no
// capacity line is written. Empty for no values.
CString BuildStatisticsReport(const CString& header, const CSampleStatistics& values, double capacity = DBL_MAX);
