// MemoryDC: an off-screen device context over a rectangle of a target DC.
// Drawing uses the target's coordinates; the destructor copies the rectangle
// to the target in one piece. On a printer it draws straight to the target.
#pragma once

#include "framework/DC.h"

class MemoryDC : public CDC {
public:
    MemoryDC(CDC* pDC, const CRect& rect);
    ~MemoryDC() override;

private:
    CBitmap m_bitmap;
    CGdiObject* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
