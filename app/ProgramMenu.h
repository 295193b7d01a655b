// Builds a menu of the program from its template: the toolbar pictures beside
// the commands, and the pictures of the two help items that no toolbar has.
#pragma once

#include <windows.h>

class KsMenu;

// Loads the menu template 'id' into 'menu' and hands back the detached handle.
HMENU BuildProgramMenu(KsMenu& menu, UINT id);
