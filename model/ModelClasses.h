// The model's serialisable classes, registered by name with the archive.
#pragma once

// Every folder is a static library: a class that only an archive creates
// would be left out by the linker and stay unknown to the archive. Call this
// before reading a file that may name model classes.
void RegisterModelClasses();
