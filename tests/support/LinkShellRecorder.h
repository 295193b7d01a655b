// Stands in for the shell while a test clicks links: records what would
// have been opened or run and answers with a chosen result, so that no
// browser or mail program starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/LinkShell.h"

struct LinkShellRecorder {
    static inline std::vector<std::string> opened;
    static inline std::vector<std::string> run;
    static inline INT_PTR openResult = 42;
    static inline UINT runResult = 33;

    static INT_PTR Open(LPCSTR target, int) {
        opened.emplace_back(target);
        return openResult;
    }
    static UINT Run(LPCSTR command, int) {
        run.emplace_back(command);
        return runResult;
    }
    explicit LinkShellRecorder(INT_PTR open = 42, UINT runAnswer = 33) {
        opened.clear();
        run.clear();
        openResult = open;
        runResult = runAnswer;
        previousOpen = LinkShell::ReplaceOpen(&Open);
        previousRun = LinkShell::ReplaceRun(&Run);
    }
    ~LinkShellRecorder() {
        LinkShell::ReplaceOpen(previousOpen);
        LinkShell::ReplaceRun(previousRun);
    }
    LinkShellRecorder(const LinkShellRecorder&) = delete;
    LinkShellRecorder& operator=(const LinkShellRecorder&) = delete;

private:
    LinkShell::OpenFn previousOpen = nullptr;
    LinkShell::RunFn previousRun = nullptr;
};
