// Entry point of clastor.exe: the one application object, run by the class library.
#include <windows.h>

#include "app/TalusimApp.h"
#include "graphs/TalusimOlectraView.h"
#include "view/TalusimView.h"
#include "view/ViewServices.h"

namespace {
CTalusimApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    CTalusimApp::s_pSlopeViewClass = RUNTIME_CLASS(CTalusimView);
    InstallViewServices();
    InstallGraphViewServices();
    CTalusimApp::s_graphView.viewClass = RUNTIME_CLASS(CTalusimOlectraView);
    CTalusimApp::s_graphView.isShowing = [](CView* view, int kind, CEntity* object) {
        return static_cast<CTalusimOlectraView*>(view)->IsShowing(kind, object);
    };
    CTalusimApp::s_graphView.setGraph = [](CView* view, int kind, CEntity* object) {
        static_cast<CTalusimOlectraView*>(view)->SetGraph(kind, object);
    };
    return AfxWinMain(instance, previous, commandLine, show);
}
