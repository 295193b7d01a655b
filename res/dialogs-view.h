// The slope view's own dialogs and the ids of their controls.
#pragma once

#define IDD_VIEW_LIMITS                 10004 // "View Limits": the world window of a view
#define IDC_LIMITS_MIN_X                16008
#define IDC_LIMITS_MIN_Y                16017
#define IDC_LIMITS_MAX_X                16021
#define IDC_LIMITS_MAX_Y                16023
