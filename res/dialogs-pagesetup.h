// The Page Setup dialog and the ids of its controls.
#pragma once

#define IDD_PAGE_SETUP                  10009 // "Page Setup"
#define IDD_AUTO_FORMAT_NAME            10036 // "New Auto-Format Name"

#define IDC_PAGE_MARGIN_TOP               16080
#define IDC_PAGE_MARGIN_BOTTOM            16081
#define IDC_PAGE_PAPER_HEIGHT             16082
#define IDC_PAGE_MARGIN_LEFT              16084
#define IDC_PAGE_MARGIN_RIGHT             16085
#define IDC_PAGE_PAPER_WIDTH              16087
#define IDC_PAGE_SPIN_TOP                 16089
#define IDC_PAGE_SPIN_BOTTOM              16090
#define IDC_PAGE_SPIN_LEFT                16091
#define IDC_PAGE_SPIN_RIGHT               16092
#define IDC_PAGE_LANDSCAPE                16235
#define IDC_PAGE_PORTRAIT                 16237
#define IDC_PAGE_PRINT_MARGINS            16239
#define IDC_PAGE_ORIENTATION_ICON         16246
#define IDC_PAGE_AUTO_FORMAT              16249
#define IDC_PAGE_AUTO_APPLY               16254
#define IDC_PAGE_SAVE_FORMAT              16305
#define IDC_PAGE_DELETE_FORMAT            16306
#define IDC_PAGE_INCHES                   16318
#define IDC_PAGE_CENTIMETERS              16319
#define IDC_PAGE_FORMAT_NAME              16307
