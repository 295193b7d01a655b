// Owned GDI pens and brushes, and objects selected into a DC for one scope.
#pragma once

#include <windows.h>

namespace xrt {

class Pen {
public:
    explicit Pen(COLORREF colour, int width = 1) : pen_(CreatePen(PS_SOLID, width, colour)) {}
    ~Pen() { DeleteObject(pen_); }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
    HPEN Handle() const { return pen_; }

private:
    HPEN pen_;
};

class Brush {
public:
    explicit Brush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
    ~Brush() { DeleteObject(brush_); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    HBRUSH Handle() const { return brush_; }

private:
    HBRUSH brush_;
};

class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace xrt
