// The directory the user last worked in, kept in the registry between runs.
#pragma once

#include <windows.h>

// Writes the current directory as "CurDir" under "Software\Brevantics\Clastor\SaveDir".
void StoreWorkingDirectory();
// Changes to the stored directory; TRUE only when it did.
BOOL ReadSaveDirectory();
