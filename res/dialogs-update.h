// The product update check's dialog and the ids of its controls.
#pragma once

#define IDD_UPDATE_AVAILABLE            10012 // a newer version can be downloaded

#define IDC_UPDATE_NEVER                16360 // "Don't show me this again"
#define IDC_UPDATE_REMIND               16361 // "Notify me again in:"
#define IDC_UPDATE_DAYS                 16362 // days until the reminder
#define IDC_UPDATE_INSTALL              16363 // "Install update now"
#define IDC_UPDATE_DAYS_SPIN            16364
#define IDC_UPDATE_HISTORY              16367 // link to what the update brings
