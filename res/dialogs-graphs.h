// The graph choice dialogs and the ids of their controls.
#pragma once

#define IDD_GRAPH_SELECT                10019 // "Graph": a barrier or collector graph
#define IDD_CREATE_GRAPH                10035 // "Create Graph": a distribution or envelope
#define IDC_GRAPH_OBJECTS               16025 // list of barriers and data collectors
#define IDC_GRAPH_KIND                  16300 // the graph to create
