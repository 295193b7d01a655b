// The Material Wizard and the ids of its controls.
#pragma once

#define IDD_MATERIAL_WIZARD             10031

#define IDC_MW_ENDPOINT_COUNT           16022
#define IDC_MW_FIT                      16063
#define IDC_MW_MATERIAL                 16078
#define IDC_MW_TABLE                    16207
#define IDC_MW_MEAN                     16244
#define IDC_MW_ENDPOINT_SPIN            16247
#define IDC_MW_STDDEV                   16250
#define IDC_MW_APPLY                    16308
#define IDC_MW_PROGRESS_PLACE           16309
