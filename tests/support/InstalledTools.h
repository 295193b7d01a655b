// The drawing tools' services as the program installs them, for one test;
// the services installed before come back when it ends.
#pragma once

#include "tools/DrawingToolServices.h"
#include "tools/ToolServices.h"

struct InstalledTools {
    InstalledTools()
    {
        previous = &DrawingToolServices();
        InstallToolServices();
    }
    ~InstalledTools() { InstallDrawingToolServices(previous); }
    CDrawingToolServices* previous = nullptr;
};
