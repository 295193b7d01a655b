// Shared fixtures of the database tests: a probe entity that counts its
// draws, a view that records the hints it is updated with, and windows.
#pragma once

#include <vector>
#include "framework/DC.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/Wnd.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"

// An entity with given extents, type and ids that counts its Draw calls.
class CProbe : public CEntity
{
public:
    CProbe(double left, double top, double right, double bottom, int category = 20, int kind = 22)
    {
        SetExtents(left, top, right, bottom);
        SetCategoryId(category);
        SetKindId(kind);
    }
    void Draw(CDC*, CViewContext* pView) override
    {
        ++draws;
        drawCategory = pView->GetDrawCategory();
    }
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext*,
                     CWnd*) override
    {
        return GetLeft() <= right && GetRight() >= left && GetBottom() <= top && GetTop() >= bottom;
    }
    bool ContainsPoint(double, double, bool) override { return containsAll; }
    bool QueryOption(CPickRequest*, CViewContext*, int) override { return true; }
    void get_data_tip_text(double, double, int, CViewContext*, CString& text) override
    {
        text = "probe";
    }
    int draws = 0;
    int drawCategory = 0;
    bool containsAll = false;
};

// Records every update hint; the database's notifications end here.
class CHintView : public CView
{
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM, CObject* pHint) override { hints.push_back(pHint); }
    std::vector<CObject*> hints;
};

class CHintDocument : public CDocument
{
public:
    CHintDocument()
    {
        m_bAutoDelete = FALSE;   // lives on the stack
        AddView(&view);
    }
    ~CHintDocument() override { RemoveView(&view); }
    CHintView view;
};

// A hidden top-level window of a given client size.
class TestWindow
{
public:
    TestWindow(int width, int height)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = ::DefWindowProcA;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = "ClastorGeomDbWindow";
            ::RegisterClassA(&wc);
            registered = true;
        }
        RECT r = {0, 0, width, height};
        ::AdjustWindowRect(&r, WS_POPUP, FALSE);
        m_hWnd = ::CreateWindowA("ClastorGeomDbWindow", "", WS_POPUP, 0, 0, r.right - r.left,
                                 r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                 nullptr);
        m_wnd.Attach(m_hWnd);
    }
    ~TestWindow()
    {
        m_wnd.Detach();
        ::DestroyWindow(m_hWnd);
    }
    CWnd* Wnd() { return &m_wnd; }
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
    CWnd m_wnd;
};

// World (0..width/scale) shown on width x height pixels, origin at the top left
// corner (0, height/scale).
inline void SetScaledView(CViewContext& vc, int width, int height, double pixelsPerUnit)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(width, height);
    vc.SetWorldOrigin(0, height / pixelsPerUnit);
    vc.SetWorldExtent(width / pixelsPerUnit, height / pixelsPerUnit);
}

// A memory DC with a white bitmap of the given size selected.
class MemoryCanvas
{
public:
    MemoryCanvas(int width, int height)
    {
        HDC screen = ::GetDC(nullptr);
        m_dc.Attach(::CreateCompatibleDC(screen));
        m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        RECT r = {0, 0, width, height};
        ::FillRect(m_dc.GetSafeHdc(), &r, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    }
    ~MemoryCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc.Detach());
    }
    CDC* DC() { return &m_dc; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc.GetSafeHdc(), x, y); }
    int CountNonWhite(int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += Pixel(x, y) != 0xFFFFFF ? 1 : 0;
        return n;
    }

private:
    CDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
