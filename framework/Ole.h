// OLE start-up for the program: the COM libraries on the user-interface thread.
#pragma once

#include <windows.h>

// Initialises OLE once for the process (uninitialised at exit); FALSE when the
// libraries refuse.
BOOL AfxOleInit();
// Hosting of controls needs nothing more from this library.
inline void AfxEnableControlContainer() {}
