// Drawing speed of a slope view with many rock paths: a full repaint through
// the back buffer, a repaint of a small uncovered area, and the world-to-device
// mapping alone. Prints milliseconds; run by hand.
#include <windows.h>
#include <cmath>
#include <cstdio>
#include "framework/DC.h"
#include "geometry/PolyLine.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return 1000.0 * (double)t.QuadPart / (double)f.QuadPart;
}

} // namespace

int main()
{
    const int paths = 10000, vertices = 60, width = 1200, height = 800;
    CREGDatabase db;
    db.SetGridState(GRID_HIDE);
    db.SetAutoSort(true);
    unsigned seed = 190274;
    for (int p = 0; p < paths; ++p) {
        CPolyLine* path = new CPolyLine;
        path->SetVertexTicks(false);
        path->SetCategoryId(2164);
        path->SetKindId(2105);
        double x = 0, y = 500;
        for (int v = 0; v < vertices; ++v) {
            seed = seed * 214013 + 2531011;
            x += 1000.0 / vertices;
            y -= 8 + ((seed >> 16) & 0x7FFF) % 5;
            path->AddPoint(x, y);
        }
        db.AddEntity(path, false);
    }

    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(screen));
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), bitmap);

    CViewContext vc;
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(width, height);
    vc.SetWorldOrigin(-10, 520);
    vc.SetWorldExtent(1020, 680);

    db.Draw(&dc, &vc);   // builds the back buffer
    const int rounds = 5;
    double t0 = Now();
    for (int i = 0; i < rounds; ++i)
        db.Draw(&dc, &vc);
    const double full = (Now() - t0) / rounds;

    ::IntersectClipRect(dc.GetSafeHdc(), 1100, 700, 1200, 800);
    t0 = Now();
    for (int i = 0; i < rounds; ++i)
        db.Draw(&dc, &vc);
    const double corner = (Now() - t0) / rounds;
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);

    t0 = Now();
    long long sum = 0;
    const int maps = 10000000;
    for (int i = 0; i < maps; ++i)
        sum += vc.WorldToDevice(i * 1e-4, 300.0).x;
    const double mapNs = (Now() - t0) * 1e6 / maps;

    printf("%d rock paths of %d vertices on %d x %d pixels\n", paths, vertices, width, height);
    printf("full repaint:          %8.1f ms\n", full);
    printf("100 x 100 corner:      %8.1f ms\n", corner);
    printf("world to device:       %8.1f ns per point (%lld)\n", mapNs, sum % 10);

    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc.Detach());
    return 0;
}
