// The views of clastor.exe handed to the shell: the slope view and the graph
// view with what the frame asks of them, and the services the document asks
// of them, its file formats among them. Kept apart from the entry point so
// that the shell's tests start the program with the same views.
#pragma once

#include "app/DocumentLink.h"
#include "discs/DiscServices.h"
#include "editors/FilterDialogs.h"
#include "editors/MaterialWizardDlg.h"
#include "formats/DocumentFormats.h"
#include "graphs/TalusimOlectraView.h"
#include "tools/ToolServices.h"
#include "view/TalusimView.h"
#include "view/ViewServices.h"

inline void InstallProgramViews() {
    InstallDocumentFormats();
    InstallViewServices();
    InstallGraphViewServices();
    InstallFilterDialogs();
    InstallMaterialWizard();
    InstallToolServices();
    InstallDiscServices();

    ShellLink::SlopeViewLink& slope = ShellLink::SlopeView();
    slope.viewClass = RUNTIME_CLASS(CTalusimView);
    slope.sendEvent = [](CView* view, int event) {
        auto* v = static_cast<CTalusimView*>(view);
        switch (event) {
        case 300: v->SendDeleteEvent(); break;
        case 301: v->SendCancelEvent(); break;
        case 302: v->SendDoneEvent(); break;
        case 303: v->SendSelectAllEvent(); break;
        case 304: v->SendReselectBaseEvent(); break;
        default: break;
        }
    };
    slope.mouseWheel = [](CView* view, UINT flags, short delta, POINT point) {
        static_cast<CTalusimView*>(view)->DoMouseWheel(flags, delta, CPoint(point));
    };

    ShellLink::GraphViewLink& graph = ShellLink::GraphView();
    graph.viewClass = RUNTIME_CLASS(CTalusimOlectraView);
    graph.isShowing = [](CView* view, int kind, CEntity* object) {
        return static_cast<CTalusimOlectraView*>(view)->IsShowing(kind, object);
    };
    graph.setGraph = [](CView* view, int kind, CEntity* object) {
        static_cast<CTalusimOlectraView*>(view)->SetGraph(kind, object);
    };
    graph.sendEvent = [](CView* view, int event) {
        auto* v = static_cast<CTalusimOlectraView*>(view);
        switch (event) {
        case 300: v->SendDeleteEvent(); break;
        case 301: v->SendCancelEvent(); break;
        case 302: v->SendDoneEvent(); break;
        default: break;
        }
    };
}
