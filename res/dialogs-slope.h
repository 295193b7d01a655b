// The Slope Editor with its vertex table, and the dialog that sets every
// standard deviation of the slope at once.
#pragma once

#ifndef IDD_SLOPE_EDITOR
#define IDD_SLOPE_EDITOR                10018
#endif
#define IDD_STDDEV_APPLY                10027

// Slope Editor
#define IDC_SE_COMMON_STDDEV            16054
#define IDC_SE_COPY                     16062
#define IDC_SE_USE_STDDEV               16173
#define IDC_SE_TABLE                    16207
#define IDC_SE_ENTER_CATCHER            16221
#define IDC_SE_CANCEL                   16223

// Apply values to all std dev's
#define IDC_SD_X                        16010
#define IDC_SD_Y                        16015
#define IDC_SD_APPLY_Y                  16067
#define IDC_SD_APPLY_X                  16215
