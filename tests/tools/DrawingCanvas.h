// What the drawing tools' tests draw on: a memory bitmap whose pixels can be
// counted, a view of one pixel per world unit, and the records of an
// enhanced metafile (texts and polygons).
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/DC.h"
#include "geometry/ViewContext.h"

namespace tooltest {

class Canvas
{
public:
    Canvas(int width, int height, COLORREF fill = 0xFFFFFF) : m_width(width), m_height(height)
    {
        HDC screen = ::GetDC(nullptr);
        m_dc.Attach(::CreateCompatibleDC(screen));
        m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        HBRUSH brush = ::CreateSolidBrush(fill);
        RECT r = {0, 0, width, height};
        ::FillRect(m_dc.GetSafeHdc(), &r, brush);
        ::DeleteObject(brush);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc.Detach());
    }
    CDC* DC() { return &m_dc; }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                n += ::GetPixel(m_dc.GetSafeHdc(), x, y) == colour ? 1 : 0;
        return n;
    }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc.GetSafeHdc(), x, y); }

private:
    int m_width, m_height;
    CDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// One world unit is one pixel; world (0, size) is the device top-left.
inline void SetUnitView(CViewContext& vc, int size)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(size, size);
    vc.SetWorldOrigin(0, size);
    vc.SetWorldExtent(size, size);
}

struct Records
{
    std::vector<std::string> texts;
    std::vector<std::vector<POINT>> polygons;
};

inline int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    Records* out = reinterpret_cast<Records*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* t = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const WCHAR* chars = reinterpret_cast<const WCHAR*>(
            reinterpret_cast<const BYTE*>(record) + t->emrtext.offString);
        std::string s;
        for (DWORD i = 0; i < t->emrtext.nChars; ++i)
            s += (char)chars[i];
        out->texts.push_back(s);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const EMREXTTEXTOUTA* t = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        out->texts.push_back(std::string(
            reinterpret_cast<const char*>(record) + t->emrtext.offString, t->emrtext.nChars));
    } else if (record->iType == EMR_POLYGON16) {
        const EMRPOLYGON16* p = reinterpret_cast<const EMRPOLYGON16*>(record);
        std::vector<POINT> points;
        for (DWORD i = 0; i < p->cpts; ++i)
            points.push_back({p->apts[i].x, p->apts[i].y});
        out->polygons.push_back(points);
    } else if (record->iType == EMR_POLYGON) {
        const EMRPOLYGON* p = reinterpret_cast<const EMRPOLYGON*>(record);
        std::vector<POINT> points;
        for (DWORD i = 0; i < p->cptl; ++i)
            points.push_back({p->aptl[i].x, p->aptl[i].y});
        out->polygons.push_back(points);
    }
    return 1;
}

template <class Fn> Records RecordMetafile(Fn&& draw)
{
    CMetaFileDC mf;
    const CRect frame(0, 0, 10000, 10000);
    if (!mf.CreateEnhanced(nullptr, nullptr, &frame, "test\0\0"))
        return Records();
    draw(&mf);
    HENHMETAFILE h = mf.CloseEnhanced();
    Records out;
    ::EnumEnhMetaFile(nullptr, h, Collect, &out, nullptr);
    ::DeleteEnhMetaFile(h);
    return out;
}

inline int ScreenDpiY()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace tooltest
