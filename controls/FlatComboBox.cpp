#include "controls/FlatComboBox.h"

#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CCJFlatComboBox, CComboBox)
IMPLEMENT_DYNAMIC(CSwatchComboBox, CCJFlatComboBox)
IMPLEMENT_DYNAMIC(CFillPatternCombo, CCJFlatComboBox)

// ---- CCJFlatComboBox ----

CCJFlatComboBox::CCJFlatComboBox() : m_bWindows95(IsWindows95()) {}

BOOL CCJFlatComboBox::IsWindows95() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!::GetVersionExA(&info)) return FALSE;
    return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMinorVersion == 0;
}

void CCJFlatComboBox::DrawCombo(FlatState state, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    CRect rc;
    GetClientRect(&rc);
    CDC* dc = GetDC();
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    dc->Draw3dRect(&rc, clrTopLeft, clrBottomRight);
    rc.DeflateRect(1, 1);
    if (!IsWindowEnabled()) dc->Draw3dRect(&rc, light, light);
    else dc->Draw3dRect(&rc, face, face);
    rc.DeflateRect(1, 1);
    rc.left = rc.right - ::GetSystemMetrics(SM_CXHTHUMB);
    dc->Draw3dRect(&rc, face, face);
    rc.DeflateRect(1, 1);
    dc->Draw3dRect(&rc, face, face);
    if (IsWindowEnabled()) {
        switch (state) {
        case flatNormal:
            rc.top -= 1;
            rc.bottom += 1;
            dc->Draw3dRect(&rc, light, light);
            rc.left -= 1;
            dc->Draw3dRect(&rc, light, light);
            break;
        case flatRaised:
            rc.top -= 1;
            rc.bottom += 1;
            dc->Draw3dRect(&rc, light, shadow);
            break;
        case flatPressed:
            rc.top -= 1;
            rc.bottom += 1;
            rc.OffsetRect(1, 1);
            dc->Draw3dRect(&rc, shadow, light);
            break;
        }
    }
    ReleaseDC(dc);
}

BOOL CCJFlatComboBox::PreTranslateMessage(MSG* pMsg) {
    if (m_bWindows95) {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
        if (pMsg->message == WM_SYSCHAR) return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CCJFlatComboBox::OnMouseMove(UINT, CPoint) {
    SetTimer(1, 10);
    Default();
}

void CCJFlatComboBox::OnLButtonDown(UINT, CPoint) {
    m_bButtonDown = TRUE;
    Default();
}

void CCJFlatComboBox::OnLButtonUp(UINT, CPoint) {
    m_bButtonDown = FALSE;
    Invalidate(TRUE);
    Default();
}

void CCJFlatComboBox::OnTimer(UINT_PTR) {
    POINT pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
             face = ::GetSysColor(COLOR_BTNFACE);
    if (m_bButtonDown) {
        KillTimer(1);
        if (m_bHot) {
            DrawCombo(flatPressed, shadow, light);
            m_bHot = FALSE;
        }
    } else if (!rc.PtInRect(pt)) {
        KillTimer(1);
        if (m_bHot) {
            DrawCombo(flatNormal, face, face);
            m_bHot = FALSE;
        }
    } else if (!m_bHot) {
        m_bHot = TRUE;
        DrawCombo(flatRaised, shadow, light);
        Default();
    }
}

void CCJFlatComboBox::OnPaint() {
    ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    Default();
    POINT pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt) || ::GetFocus() == m_hWnd)
        DrawCombo(flatRaised, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else DrawCombo(flatNormal, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}

void CCJFlatComboBox::OnSetFocus(CWnd*) {
    Default();
    DrawCombo(flatRaised, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CCJFlatComboBox::OnKillFocus(CWnd*) {
    Default();
    DrawCombo(flatNormal, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}

BEGIN_MESSAGE_MAP(CCJFlatComboBox, CComboBox)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

// ---- CSwatchComboBox ----

void CSwatchComboBox::DrawSwatchItem(CDC* dc, const CRect& rcItem, BOOL selected, COLORREF colour, LPCSTR name) {
    CRect rc(rcItem);
    COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    dc->SetBkColor(back);
    dc->ExtTextOut(rc.left, rc.top, ETO_OPAQUE, &rc, "", 0, nullptr);
    CRect box(0, 0, 15, rc.Height());
    box.OffsetRect(rc.left, rc.top);
    dc->FillSolidRect(&box, ::GetSysColor(COLOR_WINDOW));
    CRect swatch(2, 3, 12, rc.Height() - 3);
    swatch.OffsetRect(rc.left, rc.top);
    dc->FillSolidRect(&swatch, colour);
    rc.left += kTextLeft;
    dc->SetBkColor(back);
    dc->SetTextColor(text);
    dc->DrawText(name, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);  // a material name as typed
}

void CSwatchComboBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS->itemID == static_cast<UINT>(-1) || (lpDIS->itemState & ODS_DISABLED) ||
        !(lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) || lpDIS->itemData == 0)
        return;
    auto* entity = reinterpret_cast<const CEntity*>(lpDIS->itemData);
    CString name = SwatchEntityName(entity);
    DrawSwatchItem(CDC::FromHandle(lpDIS->hDC), CRect(lpDIS->rcItem), (lpDIS->itemState & ODS_SELECTED) != 0,
                   SwatchEntityColour(entity), name);
}

void CSwatchComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) { lpMIS->itemHeight = 16; }
int CSwatchComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }

BEGIN_MESSAGE_MAP(CSwatchComboBox, CCJFlatComboBox)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_COMPAREITEM_REFLECT()
END_MESSAGE_MAP()

// ---- CFillPatternCombo ----

void CFillPatternCombo::AddPattern(LOGBRUSH brush) {
    m_aPatterns.push_back(brush);
    SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
}

void CFillPatternCombo::AddHatchPatterns(BOOL withSolid) {
    for (ULONG_PTR hatch = 0; hatch <= 5; ++hatch) AddPattern(LOGBRUSH{BS_HATCHED, RGB(0, 255, 0), hatch});
    if (withSolid) AddPattern(LOGBRUSH{BS_SOLID, RGB(0, 255, 0), 5});
}

void CFillPatternCombo::SetPatternColour(COLORREF colour) {
    for (LOGBRUSH& b : m_aPatterns) b.lbColor = colour;
    Invalidate(TRUE);
}

void CFillPatternCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    rc.right += 1;
    rc.bottom += 1;
    if (lpDIS->itemState & ODS_DISABLED) {
        dc->FillSolidRect(&rc, ::GetSysColor(COLOR_MENU));
        return;
    }
    dc->FillSolidRect(&rc, m_crBackground);
    int id = static_cast<int>(lpDIS->itemID);
    if (id < 0 || id > static_cast<int>(m_aPatterns.size()) - 1) return;
    CBrush brush;
    brush.CreateBrushIndirect(&m_aPatterns[id]);
    CGdiObject* oldBrush = dc->SelectObject(&brush);
    CGdiObject* oldPen = dc->SelectStockObject(NULL_PEN);
    dc->Rectangle(&rc);
    if ((lpDIS->itemState & ODS_SELECTED) && GetDroppedState()) {
        dc->SelectStockObject(BLACK_PEN);
        int rop = dc->SetROP2(R2_NOTXORPEN);
        dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&rc);
        dc->SetROP2(rop);
    }
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CFillPatternCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) { lpMIS->itemHeight = 12; }
int CFillPatternCombo::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }

BEGIN_MESSAGE_MAP(CFillPatternCombo, CCJFlatComboBox)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_COMPAREITEM_REFLECT()
END_MESSAGE_MAP()
