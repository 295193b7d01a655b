#include "controls/ColourPicker.h"

#include "framework/DC.h"

IMPLEMENT_DYNCREATE(CColourPicker, CButton)

BEGIN_MESSAGE_MAP(CColourPicker, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_MESSAGE(CPN_SELENDOK, OnSelEndOK)
    ON_MESSAGE(CPN_SELENDCANCEL, OnSelEndCancel)
    ON_MESSAGE(CPN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPollMs = 10;
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE;
} // namespace

CColourPicker::CColourPicker()
    : m_crColourBk(::GetSysColor(COLOR_BTNFACE) | kColourPaletteFlag),
      m_crColourText(::GetSysColor(COLOR_BTNTEXT) | kColourPaletteFlag)
{
}

COLORREF CColourPicker::GetColour() const
{
    return m_nSelectionMode == 1 ? GetTextColour() : GetBkColour();
}

void CColourPicker::SetColour(COLORREF colour)
{
    if (m_nSelectionMode == 1)
        SetTextColour(colour);
    else
        SetBkColour(colour);
}

void CColourPicker::SetBkColour(COLORREF colour)
{
    m_crColourBk = colour | kColourPaletteFlag;
    Redraw();
}

void CColourPicker::SetTextColour(COLORREF colour)
{
    m_crColourText = colour | kColourPaletteFlag;
    Redraw();
}

void CColourPicker::Redraw()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, kRedrawAll);
}

void CColourPicker::Initialise()
{
    m_nID = GetDlgCtrlID();
    if (m_Palette.GetSafeHandle() != nullptr)
        return;
    CClientDC dc(this);
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0)
        m_Palette.CreateHalftonePalette(&dc);
}

void CColourPicker::PreSubclassWindow()
{
    // An owner-drawn button is a button type, not a flag: it replaces the push style.
    const DWORD style = GetStyle();
    SendMessage(BM_SETSTYLE, (style & ~static_cast<DWORD>(0x0F)) | BS_OWNERDRAW, FALSE);
    Initialise();
    CButton::PreSubclassWindow();
}

int CColourPicker::OnCreate(LPCREATESTRUCTA)
{
    if (Default() == -1)
        return -1;
    Initialise();
    return 0;
}

void CColourPicker::NotifyParent(UINT message, COLORREF colour)
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr)
        ::SendMessageA(parent, message, colour | kColourPaletteFlag, m_nID);
}

BOOL CColourPicker::OnClicked()
{
    if (m_bActive)
        return TRUE;
    m_bActive = TRUE;
    CRect rect;
    GetWindowRect(&rect);

    // The popup deletes itself when its window goes, also when creating it fails.
    auto* popup = new CColourPickerPopup;
    popup->SetDefaultColour(GetDefaultColour());
    popup->SetShowDefaultSwatch(m_bShowDefaultSwatch);
    const COLORREF colour = GetColour();
    if (!popup->Create(CPoint(rect.left, rect.bottom), colour, this, m_strDefaultText, m_strCustomText)) {
        m_bActive = FALSE;
        Redraw();
        return TRUE;
    }
    NotifyParent(CPN_DROPDOWN, colour);
    // The parent sees the click too, as of any push button.
    return FALSE;
}

LRESULT CColourPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    const COLORREF colour = static_cast<COLORREF>(wParam);
    m_bActive = FALSE;
    SetColour(colour);
    NotifyParent(CPN_CLOSEUP, colour);
    NotifyParent(CPN_SELENDOK, colour);
    NotifyParent(CPN_SELCHANGE, colour);
    return TRUE;
}

LRESULT CColourPicker::OnSelEndCancel(WPARAM wParam, LPARAM)
{
    const COLORREF colour = static_cast<COLORREF>(wParam);
    m_bActive = FALSE;
    SetColour(colour);
    NotifyParent(CPN_CLOSEUP, colour);
    NotifyParent(CPN_SELENDCANCEL, colour);
    return TRUE;
}

LRESULT CColourPicker::OnSelChange(WPARAM wParam, LPARAM)
{
    const COLORREF colour = static_cast<COLORREF>(wParam);
    if (m_bTrackSelection)
        SetColour(colour);
    NotifyParent(CPN_SELCHANGE, colour);
    return TRUE;
}

void CColourPicker::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bHot) {
        m_bHot = TRUE;
        SetTimer(kHoverTimer, kHoverPollMs);
    }
    CButton::OnMouseMove(flags, point);
}

void CColourPicker::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer) {
        CButton::OnTimer(id);
        return;
    }
    if (m_bActive)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    if (window.PtInRect(cursor)) {
        if (!m_bDrawnHot) {
            CClientDC dc(this);
            DrawFrame(dc, client, m_bPressed ? 2 : 1);
            m_bDrawnHot = TRUE;
        }
        return;
    }
    m_bHot = FALSE;
    KillTimer(kHoverTimer);
    if (m_bDrawnHot) {
        CClientDC dc(this);
        DrawFrame(dc, client, IsWindowEnabled() ? 0 : 3);
        m_bDrawnHot = FALSE;
    }
}

int CColourPicker::RealisePalette()
{
    if (m_Palette.GetSafeHandle() == nullptr)
        return 0;
    CClientDC dc(this);
    CPalette* old = dc.SelectPalette(&m_Palette, FALSE);
    const int changed = static_cast<int>(dc.RealizePalette());
    dc.SelectPalette(old, FALSE);
    if (changed != 0)
        Invalidate();
    return changed;
}

BOOL CColourPicker::OnQueryNewPalette() { return RealisePalette(); }

void CColourPicker::OnPaletteChanged(CWnd* focus)
{
    if (focus != nullptr && focus->GetSafeHwnd() != m_hWnd)
        RealisePalette();
}

void CColourPicker::DrawFrame(CDC& dc, const CRect& item, int state)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF white = RGB(255, 255, 255);
    const int arrowWidth = ::GetSystemMetrics(SM_CXVSCROLL);

    CRect outer = item;
    if (state == 1 || state == 2)
        dc.Draw3dRect(&outer, shadow, highlight);
    else
        dc.Draw3dRect(&outer, face, face);
    outer.DeflateRect(1, 1);
    dc.Draw3dRect(&outer, face, face);

    CRect swatchEdge(item.left + 2, item.top + 2, item.right - arrowWidth, item.bottom - 2);
    dc.Draw3dRect(&swatchEdge, white, white);

    m_ArrowRect.SetRect(swatchEdge.right, item.top + 2, item.right - 2, item.bottom - 2);
    CRect arrow = m_ArrowRect;
    if (state == 1)
        dc.Draw3dRect(&arrow, highlight, shadow);
    else if (state == 2)
        dc.Draw3dRect(&arrow, shadow, highlight);
    else
        dc.Draw3dRect(&arrow, white, white);
    arrow.DeflateRect(1, 1);
    UINT arrowState = DFCS_SCROLLCOMBOBOX | DFCS_FLAT;
    if (state == 2)
        arrowState |= DFCS_PUSHED;
    else if (state == 3)
        arrowState |= DFCS_INACTIVE;
    dc.DrawFrameControl(&arrow, DFC_SCROLL, arrowState);
    CBrush faceBrush(face);
    dc.FrameRect(&arrow, &faceBrush);
}

void CColourPicker::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect item = dis->rcItem;
    UINT itemState = dis->itemState;
    if (m_bActive)
        itemState |= ODS_SELECTED;
    m_bPressed = (itemState & ODS_SELECTED) != 0;
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    const bool focused = (itemState & ODS_FOCUS) != 0;

    int state = 0;
    if (m_bPressed)
        state = 2;
    else if (m_bHot || focused)
        state = 1;
    else if (disabled)
        state = 3;
    DrawFrame(*dc, item, state);
    m_bDrawnHot = state == 1 || state == 2;

    const int arrowWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    CRect swatch(item.left + 3, item.top + 3, item.right - (arrowWidth + 1), item.bottom - 3);
    CPalette* oldPalette = nullptr;
    if (m_Palette.GetSafeHandle() != nullptr) {
        oldPalette = dc->SelectPalette(&m_Palette, FALSE);
        dc->RealizePalette();
    }
    dc->FillSolidRect(&swatch, disabled ? ::GetSysColor(COLOR_BTNFACE) : m_crColourBk);

    CString caption;
    GetWindowText(caption);
    if (!caption.IsEmpty()) {
        CRect text = swatch;
        text.DeflateRect(2, 2);
        const int oldMode = dc->SetBkMode(TRANSPARENT);
        const COLORREF oldColour = dc->SetTextColor(disabled ? ::GetSysColor(COLOR_BTNSHADOW) : m_crColourText);
        dc->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc->SetTextColor(oldColour);
        dc->SetBkMode(oldMode);
    }
    if (oldPalette != nullptr)
        dc->SelectPalette(oldPalette, FALSE);
    if (focused) {
        CRect focus = swatch;
        focus.DeflateRect(1, 1);
        dc->DrawFocusRect(&focus);
    }
}

void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    // The picker must be the control's own object (DDX_Control or SubclassDlgItem first).
    auto* picker = dynamic_cast<CColourPicker*>(CWnd::FromHandlePermanent(control));
    if (picker == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = picker->GetColour();
    else
        picker->SetColour(value);
}
