// Dialogs of the application shell and the ids of their controls.
#pragma once

#define IDD_PROMPT_BAR                  10016 // the prompt line at the bottom of the main frame
#define IDC_PROMPT_TEXT                 16073 //   what the current mode expects
#define IDC_COMMAND_LINE                16074 //   typed points and one-letter commands

#define IDD_DISTRIBUTION_STATISTICS     10030 // modeless statistics report of the active graph
#define IDC_STATISTICS_TEXT             16011
#define IDC_STATISTICS_COPY             16057

#define IDD_DISC_TIME_STEP              10025 // the disc time-step player (its controls come with it)

#define IDC_MATERIAL_COMBO              16366 // the material combo box in the Materials toolbar
