// The slope view's own dialogs and the ids of their controls.
#pragma once

#define IDD_VIEW_LIMITS                 10004 // "View Limits": the world window of a view
#define IDC_LIMITS_MIN_X                16008
#define IDC_LIMITS_MIN_Y                16017
#define IDC_LIMITS_MAX_X                16021
#define IDC_LIMITS_MAX_Y                16023
#define IDD_SCALE_IMAGE                 10010 // "Scale Image": new world coordinates of two picture points
#define IDC_SCALE_A_X                   16334
#define IDC_SCALE_A_Y                   16335
#define IDC_SCALE_B_X                   16336
#define IDC_SCALE_B_Y                   16337
#define IDC_SCALE_IMAGE_SIZE            16338
