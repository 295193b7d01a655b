// The settings dialogs the document opens, and the ids of their controls.
#pragma once

#define IDD_GRID_SETTINGS               10015
#define IDD_SNAP                        10017
#define IDD_PROJECT_SETTINGS            10020
#define IDD_INITIAL_CONDITIONS          10022
#define IDD_UNITS                       10028
#define IDD_DISPLAY_OPTIONS             10034

// Snap
#define IDC_SNAP_NONE                   16075
#define IDC_SNAP_GRID                   16076
#define IDC_SNAP_VERTEX                 16077

// Units
#define IDC_UNITS_METRIC                16169
#define IDC_UNITS_IMPERIAL              16051

// Grid Settings
#define IDC_GRID_SPACING_X              16028
#define IDC_GRID_SPACING_Y              16029
#define IDC_GRID_DOTS                   16030
#define IDC_GRID_CROSSES                16031
#define IDC_GRID_LINES                  16032
#define IDC_GRID_ON                     16034
#define IDC_GRID_OFF                    16035
#define IDC_GRID_COLOUR                 16302

// Define Initial Conditions
#define IDC_IC_RADIUS_MEAN              16005
#define IDC_IC_RADIUS_SD                16013
#define IDC_IC_ANGULAR_MEAN             16020
#define IDC_IC_ANGULAR_SD               16024
#define IDC_IC_VY_MEAN                  16097
#define IDC_IC_VX_MEAN                  16098
#define IDC_IC_MASS_MEAN                16099
#define IDC_IC_VX_SD                    16100
#define IDC_IC_VY_SD                    16101
#define IDC_IC_MASS_SD                  16102
#define IDC_IC_ANGULAR_LABEL            16202
#define IDC_IC_MASS_LABEL               16430
#define IDC_IC_VX_LABEL                 16431
#define IDC_IC_VY_LABEL                 16432

// Project Settings
#define IDC_PS_K                        16009
#define IDC_PS_C                        16016
#define IDC_PS_EQUAL                    16045
#define IDC_PS_BY_LENGTH                16048
#define IDC_PS_SCALE_VELOCITY           16065
#define IDC_PS_ROCKS                    16088
#define IDC_PS_DIVISIONS                16093
#define IDC_PS_MIN_VELOCITY             16105
#define IDC_PS_PROBABILITY_GROUP        16148
#define IDC_PS_CUTOFF_UNIT              16167
#define IDC_PS_K_UNIT                   16170
#define IDC_PS_C_UNIT                   16171
#define IDC_PS_ANGULAR                  16201
#define IDC_PS_K_LABEL                  16203
#define IDC_PS_C_LABEL                  16204
#define IDC_PS_FRICTION_FROM_RT         16205
#define IDC_PS_FRICTION_MATERIAL        16206
#define IDC_PS_SCALE_MASS               16214
#define IDC_PS_FRICTION_ZERO            16231
#define IDC_PS_RANDOM                   16295
#define IDC_PS_PSEUDO_RANDOM            16296
#define IDC_PS_SEED                     16297
#define IDC_PS_SPECIFY_SEED             16298

// Display Options
#define IDC_DO_HATCH                    16236
#define IDC_DO_HATCHED                  16289
#define IDC_DO_FILL                     16290
#define IDC_DO_NONE                     16291
#define IDC_DO_LENGTH                   16292
#define IDC_DO_FILL_COLOUR              16293
#define IDC_DO_LENGTH_LABEL             16294
#define IDC_DO_LENGTH_UNIT              16299
#define IDC_DO_PATH_COLOUR              16346
#define IDC_DO_FILTERED_COLOUR          16348
