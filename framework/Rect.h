// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT structures with the
// arithmetic the windows and drawing code use. They derive from the plain
// structures so that a CRect* can be passed wherever the API takes an LPRECT.
#pragma once

#include <windows.h>

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() noexcept { x = 0; y = 0; }
    CPoint(int initX, int initY) noexcept { x = initX; y = initY; }
    CPoint(POINT p) noexcept { x = p.x; y = p.y; }
    inline CPoint(SIZE s) noexcept;
    // A packed mouse-message coordinate pair (low word x, high word y, both signed).
    explicit CPoint(LPARAM packed) noexcept {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }

    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    void Offset(POINT p) noexcept { x += p.x; y += p.y; }
    inline void Offset(SIZE s) noexcept;
    void SetPoint(int newX, int newY) noexcept { x = newX; y = newY; }

    bool operator==(POINT p) const noexcept { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const noexcept { return !(*this == p); }
    inline CPoint& operator+=(SIZE s) noexcept;
    inline CPoint& operator-=(SIZE s) noexcept;
    CPoint& operator+=(POINT p) noexcept { x += p.x; y += p.y; return *this; }
    CPoint& operator-=(POINT p) noexcept { x -= p.x; y -= p.y; return *this; }

    inline CPoint operator+(SIZE s) const noexcept;
    inline CPoint operator-(SIZE s) const noexcept;
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
    CPoint operator+(POINT p) const noexcept { return CPoint(x + p.x, y + p.y); }
    // The difference of two points is the displacement between them.
    inline CSize operator-(POINT p) const noexcept;
    inline CRect operator+(const RECT* r) const noexcept;
    inline CRect operator-(const RECT* r) const noexcept;
};

class CSize : public SIZE {
public:
    CSize() noexcept { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) noexcept { cx = initCX; cy = initCY; }
    CSize(SIZE s) noexcept { cx = s.cx; cy = s.cy; }
    CSize(POINT p) noexcept { cx = p.x; cy = p.y; }

    bool operator==(SIZE s) const noexcept { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const noexcept { return !(*this == s); }
    CSize& operator+=(SIZE s) noexcept { cx += s.cx; cy += s.cy; return *this; }
    CSize& operator-=(SIZE s) noexcept { cx -= s.cx; cy -= s.cy; return *this; }
    void SetSize(int x, int y) noexcept { cx = x; cy = y; }

    CSize operator+(SIZE s) const noexcept { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const noexcept { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
    CPoint operator+(POINT p) const noexcept { return CPoint(cx + p.x, cy + p.y); }
    CPoint operator-(POINT p) const noexcept { return CPoint(cx - p.x, cy - p.y); }
    inline CRect operator+(const RECT* r) const noexcept;
    inline CRect operator-(const RECT* r) const noexcept;
};

class CRect : public RECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) noexcept { ::CopyRect(this, &r); }
    CRect(const RECT* r) noexcept { ::CopyRect(this, r); }
    CRect(POINT topLeft, SIZE size) noexcept {
        left = topLeft.x; top = topLeft.y; right = left + size.cx; bottom = top + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight) noexcept {
        left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
    }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    // The corners are views into the rectangle, so rc.TopLeft() = pt moves the corner.
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() noexcept { return *(reinterpret_cast<CPoint*>(this) + 1); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const noexcept { return *(reinterpret_cast<const CPoint*>(this) + 1); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    bool IsRectEmpty() const noexcept { return ::IsRectEmpty(this) != FALSE; }
    bool IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    bool PtInRect(POINT p) const noexcept { return ::PtInRect(this, p) != FALSE; }

    void SetRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    void SetRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
    void CopyRect(const RECT* r) noexcept { ::CopyRect(this, r); }
    bool EqualRect(const RECT* r) const noexcept { return ::EqualRect(this, r) != FALSE; }

    void InflateRect(int dx, int dy) noexcept { ::InflateRect(this, dx, dy); }
    void InflateRect(SIZE s) noexcept { ::InflateRect(this, s.cx, s.cy); }
    void InflateRect(const RECT* r) noexcept { left -= r->left; top -= r->top; right += r->right; bottom += r->bottom; }
    void InflateRect(int l, int t, int r, int b) noexcept { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int dx, int dy) noexcept { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(SIZE s) noexcept { ::InflateRect(this, -s.cx, -s.cy); }
    void DeflateRect(const RECT* r) noexcept { left += r->left; top += r->top; right -= r->right; bottom -= r->bottom; }
    void DeflateRect(int l, int t, int r, int b) noexcept { left += l; top += t; right -= r; bottom -= b; }

    void OffsetRect(int dx, int dy) noexcept { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) noexcept { ::OffsetRect(this, p.x, p.y); }
    void OffsetRect(SIZE s) noexcept { ::OffsetRect(this, s.cx, s.cy); }
    void NormalizeRect() noexcept {
        if (left > right) { LONG t = left; left = right; right = t; }
        if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
    }

    // These return whether the result is non-empty, as the API does.
    bool IntersectRect(const RECT* a, const RECT* b) noexcept { return ::IntersectRect(this, a, b) != FALSE; }
    bool UnionRect(const RECT* a, const RECT* b) noexcept { return ::UnionRect(this, a, b) != FALSE; }
    bool SubtractRect(const RECT* a, const RECT* b) noexcept { return ::SubtractRect(this, a, b) != FALSE; }

    CRect& operator=(const RECT& r) noexcept { ::CopyRect(this, &r); return *this; }
    bool operator==(const RECT& r) const noexcept { return EqualRect(&r); }
    bool operator!=(const RECT& r) const noexcept { return !EqualRect(&r); }
    CRect& operator+=(POINT p) noexcept { OffsetRect(p); return *this; }
    CRect& operator+=(SIZE s) noexcept { OffsetRect(s); return *this; }
    CRect& operator+=(const RECT* r) noexcept { InflateRect(r); return *this; }
    CRect& operator-=(POINT p) noexcept { OffsetRect(-p.x, -p.y); return *this; }
    CRect& operator-=(SIZE s) noexcept { OffsetRect(-s.cx, -s.cy); return *this; }
    CRect& operator-=(const RECT* r) noexcept { DeflateRect(r); return *this; }
    CRect& operator&=(const RECT& r) noexcept { CRect a(*this); IntersectRect(&a, &r); return *this; }
    CRect& operator|=(const RECT& r) noexcept { CRect a(*this); UnionRect(&a, &r); return *this; }

    CRect operator+(POINT p) const noexcept { CRect r(*this); r.OffsetRect(p); return r; }
    CRect operator-(POINT p) const noexcept { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
    CRect operator+(SIZE s) const noexcept { CRect r(*this); r.OffsetRect(s); return r; }
    CRect operator-(SIZE s) const noexcept { CRect r(*this); r.OffsetRect(-s.cx, -s.cy); return r; }
    CRect operator+(const RECT* o) const noexcept { CRect r(*this); r.InflateRect(o); return r; }
    CRect operator-(const RECT* o) const noexcept { CRect r(*this); r.DeflateRect(o); return r; }
    CRect operator&(const RECT& o) const noexcept { CRect r; r.IntersectRect(this, &o); return r; }
    CRect operator|(const RECT& o) const noexcept { CRect r; r.UnionRect(this, &o); return r; }
};

inline CPoint::CPoint(SIZE s) noexcept { x = s.cx; y = s.cy; }
inline void CPoint::Offset(SIZE s) noexcept { x += s.cx; y += s.cy; }
inline CPoint& CPoint::operator+=(SIZE s) noexcept { x += s.cx; y += s.cy; return *this; }
inline CPoint& CPoint::operator-=(SIZE s) noexcept { x -= s.cx; y -= s.cy; return *this; }
inline CPoint CPoint::operator+(SIZE s) const noexcept { return CPoint(x + s.cx, y + s.cy); }
inline CPoint CPoint::operator-(SIZE s) const noexcept { return CPoint(x - s.cx, y - s.cy); }
inline CSize CPoint::operator-(POINT p) const noexcept { return CSize(x - p.x, y - p.y); }
inline CRect CPoint::operator+(const RECT* r) const noexcept { CRect c(r); c.OffsetRect(x, y); return c; }
inline CRect CPoint::operator-(const RECT* r) const noexcept { CRect c(r); c.OffsetRect(-x, -y); return c; }
inline CRect CSize::operator+(const RECT* r) const noexcept { CRect c(r); c.OffsetRect(cx, cy); return c; }
inline CRect CSize::operator-(const RECT* r) const noexcept { CRect c(r); c.OffsetRect(-cx, -cy); return c; }
