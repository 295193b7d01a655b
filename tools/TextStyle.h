// Draws a text at a world point with a chosen font, optionally inside a
// filled, framed or hatched box that turns with the text. Every drawing tool
// holds one; the rulers' free-standing axes label their ticks with one.
#pragma once

#include "tools/ArrowPainter.h"

class CTextStyle : public CArrowPainter
{
public:
    CTextStyle();

    void SetFont(int pointSize, const LOGFONTA& font);
    bool GetFont(int& pointSize, LOGFONTA& font) const;
    CFont* GetFontObject() { return CArrowPainter::GetFontObject(); }
    void SetShowBox(bool b) { m_bShowBox = b; }
    void SetNoBorder(bool b) { m_bNoBorder = b; }
    void SetTransparent(bool b) { m_bTransparent = b; }
    void SetHatch(bool b) { m_bHatch = b; }
    bool GetHatch() const { return m_bHatch; }

    // The device rectangle of the text's box; false when the font would be too
    // small to read.
    bool LayoutText(CDC* pDC, CViewContext* pView, const CString& text, double x, double y,
                    int escapement, CRect& rect, int alignment);
    void DrawBox(CDC* pDC, CViewContext* pView, const CRect& rect, double x, double y,
                 int escapement);
    bool DrawText(CDC* pDC, CViewContext* pView, const CString& text, double x, double y,
                  int escapement, COLORREF textColour, COLORREF boxColour, int alignment);

private:
    bool m_bHatch;
    int m_nFontCache;   // below 1: the font is rebuilt at every layout
    LOGFONTA m_logFont;
    int m_nPointSize;
    bool m_bFontSet;
    bool m_bShowBox;
    bool m_bNoBorder;
    bool m_bTransparent;
};
