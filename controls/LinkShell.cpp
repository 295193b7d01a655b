#include "controls/LinkShell.h"

#include <shellapi.h>

namespace {
LinkShell::OpenFn s_open = nullptr;
LinkShell::RunFn s_run = nullptr;
} // namespace

INT_PTR LinkShell::Open(LPCSTR target, int showCmd) {
    if (s_open != nullptr) return s_open(target, showCmd);
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCmd));
}

UINT LinkShell::Run(LPCSTR commandLine, int showCmd) {
    if (s_run != nullptr) return s_run(commandLine, showCmd);
    return ::WinExec(commandLine, static_cast<UINT>(showCmd));
}

LinkShell::OpenFn LinkShell::ReplaceOpen(OpenFn fn) {
    OpenFn old = s_open;
    s_open = fn;
    return old;
}

LinkShell::RunFn LinkShell::ReplaceRun(RunFn fn) {
    RunFn old = s_run;
    s_run = fn;
    return old;
}
