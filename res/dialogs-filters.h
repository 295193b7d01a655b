// The rock-path filter dialogs and the ids of their controls.
#pragma once

#define IDD_FILTER_PATHS                10032 // "Filter Rock Paths"
#define IDD_FILTER_BY_IMPACT            10033 // "Filter by Impact"

// The "Paths already filtered" group of both.
#define IDC_FILTER_MODE_DISCARD         16256
#define IDC_FILTER_MODE_NARROW          16257
#define IDC_FILTER_MODE_ADD             16304
#define IDC_FILTER_MODE_GROUP           16261

// Filter Rock Paths
#define IDC_FILTER_X                    16287
#define IDC_FILTER_CRITERION            16288

// Filter by Impact
#define IDC_IMPACT_OBJECTS              16262
#define IDC_IMPACT_ALL                  16264
#define IDC_IMPACT_HIGHEST              16266
#define IDC_IMPACT_MAX_PATHS            16268
#define IDC_IMPACT_CRITERION            16269
#define IDC_IMPACT_SPIN                 16270
#define IDC_IMPACT_MAX_PATHS_LABEL      16272
