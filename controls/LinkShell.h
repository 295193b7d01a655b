// The two ways a hyperlink hands its target to the system: the shell's "open"
// verb, and running a command line. Links call these instead of the system so
// that a test can watch what would be opened without starting a browser or a
// mail program; a program never replaces them.
#pragma once

#include <windows.h>

namespace LinkShell {

// ShellExecuteA(NULL, "open", target, NULL, NULL, showCmd); the result as the shell gives it.
using OpenFn = INT_PTR (*)(LPCSTR target, int showCmd);
// WinExec(commandLine, showCmd).
using RunFn = UINT (*)(LPCSTR commandLine, int showCmd);

INT_PTR Open(LPCSTR target, int showCmd);
UINT Run(LPCSTR commandLine, int showCmd);

// Each returns the replacement it displaces; null puts the system back.
OpenFn ReplaceOpen(OpenFn fn);
RunFn ReplaceRun(RunFn fn);

} // namespace LinkShell
