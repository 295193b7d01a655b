// The underlined font both link statics draw with: the window's own font
// (the system font when it has none) with an underline, made once per link.
#pragma once

#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

inline void SelectUnderlinedFont(CWnd& link, CFont& underlined, CDC* pDC)
{
    if (underlined.GetSafeHandle() == nullptr) {
        LOGFONTA lf{};
        HFONT current = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
        // A static without a font of its own draws with the system font.
        if (current == nullptr)
            current = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        ::GetObjectA(current, sizeof(lf), &lf);
        lf.lfUnderline = 1;
        underlined.CreateFontIndirect(&lf);
    }
    if (underlined.GetSafeHandle() != nullptr)
        pDC->SelectObject(&underlined);
}
