// The graph choice dialogs and the ids of their controls.
#pragma once

#define IDD_GRAPH_SELECT                10019 // "Graph": a barrier or collector graph
#define IDD_CREATE_GRAPH                10035 // "Create Graph": a distribution or envelope
#define IDC_GRAPH_OBJECTS               16025 // list of barriers and data collectors
#define IDC_GRAPH_KIND                  16300 // the graph to create

#define IDD_CHART_PROPERTIES            10003 // "Chart Properties" of a graph window
#define IDC_CHART_X_MIN                 16008
#define IDC_CHART_X_MAX                 16014
#define IDC_CHART_Y_MIN                 16019
#define IDC_CHART_Y_MAX                 16023
#define IDC_CHART_APPLY                 16055
#define IDC_CHART_DEFAULT               16061
#define IDC_CHART_Y_CUSTOM_RANGE        16066
#define IDC_CHART_BINS                  16094
#define IDC_CHART_X_CUSTOM_RANGE        16208
#define IDC_CHART_X_MIN_LABEL           16209
#define IDC_CHART_X_MAX_LABEL           16210
#define IDC_CHART_Y_MIN_LABEL           16211
#define IDC_CHART_Y_MAX_LABEL           16212
#define IDC_CHART_Y_CUSTOM_TITLE        16216
#define IDC_CHART_X_CUSTOM_TITLE        16217
#define IDC_CHART_CUSTOM_HEADER         16218
#define IDC_CHART_CUSTOM_BINS           16219
#define IDC_CHART_X_TITLE               16341
#define IDC_CHART_HEADER                16342
#define IDC_CHART_Y_TITLE               16343
