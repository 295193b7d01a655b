// The dialogs around a computation and the ids of their controls.
#pragma once

// The Working dialog: progress of a long computation with a Cancel button.
#define IDD_WORKING                     10021
#define IDC_WORKING_MESSAGE             16095 // the message line
#define IDC_WORKING_PROGRESS            16096 // a standard progress control, created hidden and never used
#define IDC_WORKING_FIRST_BAR           16106 // marks where the first bar goes
#define IDC_WORKING_SECOND_BAR          16180 // marks where the second bar goes
