// The model object editors, and the ids of their controls.
#pragma once

#define IDD_MATERIAL_EDITOR             10013
#define IDD_BARRIER_EDITOR              10014
#define IDD_COLLECTOR_EDITOR            10023

// Material Editor
#define IDC_ME_LIST                     16036
#define IDC_ME_FRICTION_MEAN            16037
#define IDC_ME_FRICTION_SD              16038
#define IDC_ME_RN_MEAN                  16039
#define IDC_ME_RN_SD                    16040
#define IDC_ME_RT_MEAN                  16041
#define IDC_ME_RT_SD                    16042
#define IDC_ME_ROUGHNESS_SD             16043
#define IDC_ME_NAME                     16044
#define IDC_ME_DEFAULT                  16068
#define IDC_ME_ADD                      16070
#define IDC_ME_DELETE                   16072
#define IDC_ME_COPY                     16083
#define IDC_ME_FRICTION_LABEL           16131
#define IDC_ME_FRICTION_SD_LABEL        16132
#define IDC_ME_FRICTION_GROUP           16136
#define IDC_ME_TABLE                    16301
#define IDC_ME_TUTORIAL                 16302
#define IDC_ME_COLOUR                   16303

// Barrier Editor
#define IDC_BE_LIST                     16025
#define IDC_BE_CAPACITY                 16026
#define IDC_BE_NAME                     16027
#define IDC_BE_RN_MEAN                  16039
#define IDC_BE_RN_SD                    16040
#define IDC_BE_RT_MEAN                  16041
#define IDC_BE_RT_SD                    16042
#define IDC_BE_COPY                     16058
#define IDC_BE_INELASTIC                16064
#define IDC_BE_LIKE_COLLECTOR           16086
#define IDC_BE_ELASTIC                  16107
#define IDC_BE_CUSTOM                   16108
#define IDC_BE_INFINITE                 16227
#define IDC_BE_CAPACITY_UNIT            16229

// Data Collector Editor
#define IDC_DC_ADD                      16053
#define IDC_DC_DELETE                   16060
#define IDC_DC_LIST                     16109
#define IDC_DC_START_X                  16110
#define IDC_DC_START_Y                  16111
#define IDC_DC_END_X                    16112
#define IDC_DC_END_Y                    16113
#define IDC_DC_NAME                     16114
#define IDC_DC_START_LABEL              16115
#define IDC_DC_END_LABEL                16116
#define IDC_DC_X_LABEL                  16117
#define IDC_DC_Y_LABEL                  16118
#define IDC_DC_COPY                     16225

