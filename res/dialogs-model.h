// The simple forms of the settings dialogs the document opens, and the ids of
// their controls. The editor subsystem may replace them with its own.
#pragma once

#define IDD_GRID_SETTINGS               10015
#define IDD_SNAP                        10017
#define IDD_PROJECT_SETTINGS            10020
#define IDD_INITIAL_CONDITIONS          10022
#define IDD_UNITS                       10028
#define IDD_DISPLAY_OPTIONS             10034

// Snap
#define IDC_SNAP_NONE                   16400
#define IDC_SNAP_GRID                   16401
#define IDC_SNAP_VERTEX                 16402

// Units
#define IDC_UNITS_METRIC                16405
#define IDC_UNITS_IMPERIAL              16406

// Grid Settings
#define IDC_GRID_ON                     16410
#define IDC_GRID_LINES                  16411
#define IDC_GRID_DOTS                   16412
#define IDC_GRID_CROSSES                16413
#define IDC_GRID_SPACING_X              16414
#define IDC_GRID_SPACING_Y              16415
#define IDC_GRID_COLOUR                 16416

// Define Initial Conditions
#define IDC_IC_MASS_MEAN                16420
#define IDC_IC_MASS_SD                  16421
#define IDC_IC_VX_MEAN                  16422
#define IDC_IC_VX_SD                    16423
#define IDC_IC_VY_MEAN                  16424
#define IDC_IC_VY_SD                    16425
#define IDC_IC_RADIUS_MEAN              16426
#define IDC_IC_RADIUS_SD                16427
#define IDC_IC_ANGULAR_MEAN             16428
#define IDC_IC_ANGULAR_SD               16429
#define IDC_IC_MASS_UNIT                16430
#define IDC_IC_VX_UNIT                  16431
#define IDC_IC_VY_UNIT                  16432

// Project Settings
#define IDC_PS_RANDOM_TIME              16440
#define IDC_PS_RANDOM_FIXED             16441
#define IDC_PS_RANDOM_USER              16442
#define IDC_PS_SEED                     16443
#define IDC_PS_FRICTION_MATERIAL        16444
#define IDC_PS_FRICTION_FROM_RT         16445
#define IDC_PS_FRICTION_ZERO            16446
#define IDC_PS_ANGULAR                  16447
#define IDC_PS_SCALE_VELOCITY           16448
#define IDC_PS_K                        16449
#define IDC_PS_SCALE_MASS               16450
#define IDC_PS_C                        16451
#define IDC_PS_ROCKS                    16452
#define IDC_PS_DIVISIONS                16453
#define IDC_PS_EQUAL                    16454
#define IDC_PS_BY_LENGTH                16455
#define IDC_PS_MIN_VELOCITY             16456
#define IDC_PS_VELOCITY_UNIT            16457
#define IDC_PS_PATH_COLOUR              16458
#define IDC_PS_FILTERED_COLOUR          16459

// Display Options
#define IDC_DO_PATH_COLOUR              16470
#define IDC_DO_FILTERED_COLOUR          16471
#define IDC_DO_FILL_COLOUR              16472
#define IDC_DO_HATCH                    16473
#define IDC_DO_LENGTH                   16474
#define IDC_DO_LENGTH_UNIT              16475
#define IDC_DO_NONE                     16476
#define IDC_DO_FILL                     16477
#define IDC_DO_HATCHED                  16478
