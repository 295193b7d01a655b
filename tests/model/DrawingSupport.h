// A white memory canvas and a view that maps world units to 10 pixels, for
// the model's drawing and hit tests; and the program's random sequence
// computed on its own, so that draws can be checked against it.
#pragma once

#include <cmath>
#include <cstdint>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/ViewContext.h"

namespace model_test {

struct MemoryCanvas {
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
    int width, height;
    MemoryCanvas(int w = 200, int h = 200) : width(w), height(h)
    {
        dc.CreateCompatibleDC(nullptr);
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        ::ReleaseDC(nullptr, screen.Detach());
        oldBitmap = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    }
    ~MemoryCanvas() { dc.SelectObject(oldBitmap); }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y) & 0xFFFFFF; }
    COLORREF At(POINT p) const { return At(p.x, p.y); }
};

// World (0, 0)..(20, 20) on a 200 x 200 pixel device: 10 pixels per unit.
inline void SetUpView(CViewContext& view, int pixels = 200, double world = 20.0)
{
    view.SetDeviceOrigin(0, 0);
    view.SetDeviceExtent(pixels, pixels);
    view.SetWorldWindow(0.0, 0.0, world, world);
}

// The classic 15-bit linear congruential sequence, written out again here.
class ReferenceRandom
{
public:
    explicit ReferenceRandom(unsigned seed) : m_state(seed) {}
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFFu);
    }
    double Unit() { return Next() / 32767.0; }
    double NonZeroUnit()
    {
        double u;
        do
            u = Unit();
        while (u == 0.0);
        return u;
    }

private:
    std::uint32_t m_state;
};

// Box-Muller as the normal variables draw it.
inline double BoxMuller(double u1, double u2, double mean, double sd)
{
    return std::sqrt(-2.0 * std::log(u1)) * sd * std::cos(6.28318530718 * u2) + mean;
}

}  // namespace model_test
