// Entry point of clastor.exe: the one application object, run by the class library.
#include <windows.h>

#include "app/TalusimApp.h"
#include "view/TalusimView.h"
#include "view/ViewServices.h"

namespace {
CTalusimApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    CTalusimApp::s_pSlopeViewClass = RUNTIME_CLASS(CTalusimView);
    InstallViewServices();
    return AfxWinMain(instance, previous, commandLine, show);
}
