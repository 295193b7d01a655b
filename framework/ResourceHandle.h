#pragma once
// The module whose resources (string table, dialogs, menus) the library loads
// from. It is the executable unless someone sets another module.

#include <windows.h>

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
