// Numeric ids of the program's resources, shared by clastor.rc and the code.
#pragma once

#define IDR_MAINFRAME                   128
