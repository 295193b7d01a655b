// The dialogs of the disc runs and the ids of their controls.
#pragma once

// Disc Setup (the player's own dialog id, IDD_DISC_TIME_STEP, is the shell's).
#define IDD_DISC_SETUP                  10026
#define IDC_DISC_END_TIME               16006
#define IDC_DISC_DEPENDENT              16049 //   first of the two radios
#define IDC_DISC_INDEPENDENT            16054
#define IDC_DISC_2D                     16310

// The time-step player.
#define IDC_DT_STEP_SLIDER              16175
#define IDC_DT_INITIAL_STEP             16176
#define IDC_DT_CURRENT_STEP             16177
#define IDC_DT_FINAL_STEP               16178
#define IDC_DT_FINAL_LABEL              16181
#define IDC_DT_CURRENT_LABEL            16182
#define IDC_DT_INITIAL_LABEL            16183
#define IDC_DT_INITIAL_SECONDS          16184
#define IDC_DT_CURRENT_SECONDS          16185
#define IDC_DT_FINAL_SECONDS            16186
#define IDC_DT_STEP_HEADING             16187
#define IDC_DT_SECONDS_HEADING          16188
#define IDC_DT_SKIP_SPIN                16189
#define IDC_DT_SKIP_GROUP               16190
#define IDC_DT_SKIP_SLIDER              16191
#define IDC_DT_STEP_SPIN                16192
#define IDC_DT_STEP_GROUP               16193
#define IDC_DT_MODE_GROUP               16194
#define IDC_DT_ALL_DISCS                16047
#define IDC_DT_ONE_STEP                 16050
#define IDC_DT_ALL_PATHS                16052
#define IDC_DT_SKIP_EDIT                16007
#define IDC_DT_CONTACTS                 16311
#define IDC_DT_DATA                     16312
