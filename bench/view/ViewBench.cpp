// Slope view drawing speed with 10,000 rock paths: the first paint, a repaint
// after a zoom, and mouse moves (which must not redraw the database: the back
// buffer and the entities' own invalidation rectangles do the work).
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "framework/Frame.h"
#include "framework/WinApp.h"
#include "model/DocumentDependencies.h"

#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "view/TalusimView.h"

namespace {

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("Clastor view bench") {}
};
CBenchApp theApp;

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

int main()
{
    auto* doc = new CTalusimDoc;
    doc->m_bAutoDelete = FALSE;
    if (!doc->OnNewDocument())
        return 1;
    doc->SetMode(MODE_DEFINE_SLOPE);
    doc->TrackSlopeVertex(0, 100);
    for (int i = 1; i <= 20; ++i)
        doc->AppendSlopeVertex(i * 10.0, 100.0 - i * 4.5 + (i % 3));
    doc->AppendSlopeVertex(210, 10);
    doc->SetMode(MODE_IDLE);

    const int paths = 10000;
    CREGDatabase* db = doc->GetDatabase();
    for (int p = 0; p < paths; ++p) {
        auto* path = new CTalusimRockPath;
        double x = 1.0 + (p % 97) * 0.05, y = 101.0;
        for (int s = 0; s < 20; ++s) {
            const double nx = x + 9.5 + (p % 7) * 0.1, ny = y - 4.4 - ((p + s) % 5) * 0.05;
            path->AddStraightSegment(x, y, nx, ny, 0.1, 9.81);
            x = nx;
            y = ny;
        }
        db->AddEntity(path, false);
    }

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTalusimView);
    context.m_pCurrentDoc = doc;
    auto* frame = new CFrameWnd;
    if (!frame->Create(nullptr, "Slope", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1024, 768), nullptr, nullptr, 0, &context))
        return 1;
    frame->InitialUpdateFrame(doc, TRUE);
    auto* view = dynamic_cast<CTalusimView*>(frame->GetActiveView());
    if (view == nullptr)
        return 1;
    Pump();

    auto t = std::chrono::steady_clock::now();
    view->Invalidate(TRUE);
    view->UpdateWindow();
    std::printf("first paint, %d rock paths: %.3f s\n", paths, Seconds(t));

    t = std::chrono::steady_clock::now();
    const int zooms = 5;
    for (int i = 0; i < zooms; ++i) {
        view->OnZoomIn();
        view->UpdateWindow();
    }
    std::printf("repaint after a zoom: %.3f s each\n", Seconds(t) / zooms);

    t = std::chrono::steady_clock::now();
    const int moves = 200;
    for (int i = 0; i < moves; ++i) {
        view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100 + i * 3, 300 + (i % 40)));
        view->UpdateWindow();
    }
    std::printf("mouse move with repaint: %.3f ms each\n", Seconds(t) * 1000.0 / moves);

    frame->DestroyWindow();
    delete doc;
    return 0;
}

