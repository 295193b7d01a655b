// Entry point of clastor.exe: the one application object, run by the class library.
#include <windows.h>

#include "app/TalusimApp.h"
#include "program/ProgramViews.h"

namespace {
CTalusimApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    InstallProgramViews();
    return AfxWinMain(instance, previous, commandLine, show);
}
