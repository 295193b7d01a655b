#include "controls/IconButton.h"

#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/ResourceHandle.h"

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CIconButton::CIconButton()
    : m_crInactiveBg(::GetSysColor(COLOR_BTNFACE)),
      m_crInactiveFg(::GetSysColor(COLOR_BTNTEXT)),
      m_crActiveBg(::GetSysColor(COLOR_BTNFACE)),
      m_crActiveFg(::GetSysColor(COLOR_BTNTEXT))
{
}

CIconButton::~CIconButton()
{
    DestroyIcons();
}

void CIconButton::DestroyIcons()
{
    if (m_hIconOut != nullptr && m_hIconOut != m_hIconIn)
        ::DestroyIcon(m_hIconOut);
    if (m_hIconIn != nullptr)
        ::DestroyIcon(m_hIconIn);
    m_hIconIn = m_hIconOut = nullptr;
}

void CIconButton::SetIcon(UINT idIn, UINT idOut)
{
    const auto load = [](UINT id) -> HICON {
        if (id == 0)
            return nullptr;
        HINSTANCE module = AfxGetResourceHandle();
        return static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    };
    SetIconHandles(load(idIn), load(idOut));
}

void CIconButton::SetIconHandles(HICON in, HICON out)
{
    DestroyIcons();
    m_hIconIn = in;
    m_hIconOut = out != nullptr ? out : in;
    m_cxIcon = m_cyIcon = 0;
    ICONINFO info{};
    if (in != nullptr && ::GetIconInfo(in, &info)) {
        m_cxIcon = static_cast<BYTE>(info.xHotspot * 2);
        m_cyIcon = static_cast<BYTE>(info.yHotspot * 2);
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
    }
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CIconButton::SetFlat(BOOL flat)
{
    m_bFlat = flat;
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CIconButton::PreSubclassWindow()
{
    const DWORD style = GetStyle();
    if ((style & 0x0F) == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    SendMessage(BM_SETSTYLE, (style & ~0x0F) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

BOOL CIconButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() == nullptr) {
        m_wndToolTip.Create(this, 0);
        m_wndToolTip.Activate(FALSE);
    }
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CIconButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double click is two presses.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

HBRUSH CIconButton::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CIconButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    if (!m_bFlat || ((flags & MK_LBUTTON) && !m_bHover))
        return;
    if (::GetCapture() != m_hWnd) {
        if (::GetActiveWindow() != nullptr && GetOwner() != nullptr) {
            m_bHover = TRUE;
            SetCapture();
            Invalidate(TRUE);
        }
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    const HWND under = ::WindowFromPoint(screen);
    if (under == nullptr || under == m_hWnd)
        return;
    // The cursor has left the button.
    if (m_bHover) {
        m_bHover = FALSE;
        Invalidate(TRUE);
    }
    if (!(flags & MK_LBUTTON))
        ::ReleaseCapture();
}

void CIconButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    if (m_bFlat && m_bHover) {
        m_bHover = FALSE;
        Invalidate(TRUE);
    }
}

void CIconButton::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bHover) {
        ::ReleaseCapture();
        Invalidate(TRUE);
    }
    CButton::OnCaptureChanged(pWnd);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* pDC = CDC::FromHandle(dis->hDC);
    const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
    const bool focused = (dis->itemState & ODS_FOCUS) != 0;
    const bool disabled = (dis->itemState & ODS_DISABLED) != 0;
    const bool active = m_bHover || pressed;
    CRect rc(dis->rcItem);
    pDC->SetBkMode(TRANSPARENT);

    if (!m_bFlat && (focused || m_bIsDefault)) {
        CBrush black;
        black.CreateSolidBrush(RGB(0, 0, 0));
        pDC->FrameRect(&rc, &black);
        rc.DeflateRect(1, 1);
    }
    pDC->FillSolidRect(&rc, active ? m_crActiveBg : m_crInactiveBg);

    if (pressed) {
        if (m_bFlat) {
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        } else {
            CBrush shadow;
            shadow.CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
            pDC->FrameRect(&rc, &shadow);
        }
    } else if (!m_bFlat) {
        const struct {
            int colour;
            POINT a, b, c;
        } lines[] = {
            {COLOR_BTNHIGHLIGHT, {rc.left, rc.bottom - 1}, {rc.left, rc.top}, {rc.right, rc.top}},
            {COLOR_3DLIGHT, {rc.left + 1, rc.bottom - 1}, {rc.left + 1, rc.top + 1}, {rc.right, rc.top + 1}},
            {COLOR_3DDKSHADOW, {rc.left, rc.bottom - 1}, {rc.right - 1, rc.bottom - 1}, {rc.right - 1, rc.top - 1}},
            {COLOR_BTNSHADOW, {rc.left + 1, rc.bottom - 2}, {rc.right - 2, rc.bottom - 2}, {rc.right - 2, rc.top}},
        };
        for (const auto& line : lines) {
            CPen pen(PS_SOLID, 1, ::GetSysColor(line.colour));
            CPen* old = pDC->SelectObject(&pen);
            pDC->MoveTo(line.a.x, line.a.y);
            pDC->LineTo(line.b.x, line.b.y);
            pDC->LineTo(line.c.x, line.c.y);
            pDC->SelectObject(old);
        }
    } else if (m_bHover) {
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }

    CString caption;
    GetWindowText(caption);
    CRect rcCaption(dis->rcItem);
    if (m_hIconIn != nullptr)
        DrawIcon(*pDC, !caption.IsEmpty(), CRect(dis->rcItem), rcCaption, pressed, disabled);

    if (!caption.IsEmpty()) {
        if (pressed)
            rcCaption.OffsetRect(1, 1);
        pDC->SetTextColor(active ? m_crActiveFg : m_crInactiveFg);
        pDC->SetBkColor(active ? m_crActiveBg : m_crInactiveBg);
        CRect text = rcCaption;
        pDC->DrawText(caption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
        text.OffsetRect((rcCaption.Width() - text.Width()) / 2 + rcCaption.left - text.left,
                        (rcCaption.Height() - text.Height()) / 2 + rcCaption.top - text.top);
        ::DrawStateA(pDC->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(caption)), 0,
                     text.left, text.top, text.Width(), text.Height(),
                     DST_PREFIXTEXT | (disabled ? DSS_DISABLED : DSS_NORMAL));
    }

    if (!m_bFlat && focused) {
        CRect focus = rc;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}

void CIconButton::DrawIcon(CDC& dc, bool hasCaption, const CRect& item, CRect& caption, bool pressed,
                           bool disabled)
{
    CRect image = item;
    if (hasCaption) {
        image.left += 3;
        caption.left += m_cxIcon + 3;
    } else {
        image.left += (image.Width() - m_cxIcon) / 2;
    }
    image.top += (image.Height() - m_cyIcon) / 2;
    if (pressed)
        image.OffsetRect(1, 1);
    ::DrawStateA(dc.m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(m_bHover || pressed ? m_hIconIn : m_hIconOut), 0,
                 image.left, image.top, image.Width(), image.Height(),
                 DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}
