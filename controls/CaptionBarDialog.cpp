#include "controls/CaptionBarDialog.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CCaptionBarDialog, CDialog)

CCaptionBarDialog::CCaptionBarDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_crFace(::GetSysColor(COLOR_BTNFACE)) {
    m_fontBold.CreateFont(10, 0, 0, 0, 600, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    m_fontNormal.CreateFont(10, 0, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    m_penHighlight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_brushFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

CCaptionBarDialog::~CCaptionBarDialog() = default;

void CCaptionBarDialog::ToggleRollUp() {
    CRect r;
    GetWindowRect(&r);
    r.bottom = r.top + (m_bRolledUp ? m_nFullHeight : m_nRolledUpHeight);
    CWnd* parent = GetParent();
    if (parent != nullptr && (GetStyle() & WS_CHILD)) parent->ScreenToClient(&r);
    MoveWindow(&r, TRUE);
    m_bRolledUp = !m_bRolledUp;
}

int CCaptionBarDialog::Unroll() {
    if (!m_bRolledUp) return 0;
    ToggleRollUp();
    SendMessage(WM_NCPAINT, 1);
    return 1;
}

void CCaptionBarDialog::CloseFromCaption() {
    if (CWnd* main = AfxGetMainWnd()) main->SetFocus();
    DestroyWindow();
}

void CCaptionBarDialog::PaintNonClient() {
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    window.OffsetRect(-window.left, -window.top);
    m_rcCaption = window;
    m_rcCaption.DeflateRect(3, 3);
    m_rcCaption.bottom = m_rcCaption.top + (window.Height() - client.Height() - 4);
    if (!m_bHoverRepaint) {
        dc.FillRect(&m_rcCaption, &m_brushFace);
        CRect edge(window);
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        edge.DeflateRect(1, 1);
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        edge.DeflateRect(2, 2);
        // The band between the edges and the client area.
        for (int i = 0; i < 3; ++i) {
            dc.Draw3dRect(&edge, m_crFace, m_crFace);
            edge.DeflateRect(1, 1);
        }
        DrawCaptionText(&dc);
        if (m_bSeparator || !m_bRolledUp) {
            CGdiObject* old = dc.SelectStockObject(BLACK_PEN);
            dc.MoveTo(m_rcCaption.left + 2, m_rcCaption.bottom - 3);
            dc.LineTo(m_rcCaption.right - 4, m_rcCaption.bottom - 3);
            dc.SelectStockObject(WHITE_PEN);
            dc.MoveTo(m_rcCaption.left + 2, m_rcCaption.bottom - 2);
            dc.LineTo(m_rcCaption.right - 4, m_rcCaption.bottom - 2);
            dc.SelectObject(old);
        }
    }
    m_rcCaption.top += 2;
    DrawCaptionButtons(&dc);
}

void CCaptionBarDialog::DrawCaptionText(CDC* pDC) {
    CFont* font = (m_bActive && m_bBoldWhenActive) ? &m_fontBold : &m_fontNormal;
    CGdiObject* oldFont = pDC->SelectObject(font);
    CString text;
    GetWindowText(text);
    CSize extent = pDC->GetTextExtent(text, text.GetLength());
    int x = m_rcCaption.left;
    CRect caption(m_rcCaption);
    if (caption.Width() >= extent.cx) {
        x += 5;
        pDC->SetTextAlign(TA_LEFT);
    }
    TEXTMETRICA tm{};
    pDC->GetTextMetrics(&tm);
    int textHeight = tm.tmAscent + tm.tmDescent + tm.tmInternalLeading;
    caption.InflateRect(0, 1);
    int y = caption.top + (caption.Height() - textHeight + 3) / 2;
    pDC->SetTextColor(m_crCaptionText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->ExtTextOut(x, y, ETO_CLIPPED, &caption, text, text.GetLength());
    int x1 = x + extent.cx + 4, x2 = m_rcCaption.right - 34;
    if (m_bGripLines && x1 < x2) {
        int middle = m_rcCaption.top + m_rcCaption.Height() / 2;
        int low = m_bLowGrip ? middle + 1 : middle + 2;
        int drop = m_bLowGrip ? 2 : 1;
        CGdiObject* oldPen = pDC->SelectStockObject(WHITE_PEN);
        for (int line : {middle - 2, low}) {
            pDC->MoveTo(x1, line);
            pDC->LineTo(x2, line);
        }
        pDC->SelectObject(&m_penShadow);
        for (int line : {middle - 2, low}) {
            pDC->MoveTo(x1, line + drop);
            pDC->LineTo(x2, line + drop);
        }
        pDC->SelectObject(oldPen);
    }
    pDC->SelectObject(oldFont);
}

void CCaptionBarDialog::DrawCaptionButtons(CDC* pDC) {
    int right = m_rcCaption.right;
    int middle = m_rcCaption.top + m_rcCaption.Height() / 2;
    m_rcClose = CRect(right - 16, middle - 6, right - 4, middle + 6);
    m_rcRollUp = CRect(right - 31, middle - 6, right - 19, middle + 6);
    CGdiObject* oldPen = pDC->SelectStockObject(BLACK_PEN);
    pDC->FillRect(&m_rcClose, &m_brushFace);
    int L = m_rcClose.left, T = m_rcClose.top;
    const int lines[4][4] = {{2, 3, 9, 10}, {3, 3, 10, 10}, {8, 3, 1, 10}, {9, 3, 2, 10}};
    for (const auto& l : lines) {
        pDC->MoveTo(L + l[0], T + l[1]);
        pDC->LineTo(L + l[2], T + l[3]);
    }
    pDC->FillRect(&m_rcRollUp, &m_brushFace);
    int cx = right - 25;
    for (int i = 0; i < 5; ++i) {
        int y = m_bRolledUp ? middle + i - 2 : middle - i + 2;
        pDC->MoveTo(cx + i - 4, y);
        pDC->LineTo(cx - i + 4, y);
    }
    auto frame = [&](CRect r, bool hot) {
        if (hot) {
            pDC->SelectObject(&m_penHighlight);
            pDC->MoveTo(r.left, r.bottom - 1);
            pDC->LineTo(r.left, r.top);
            pDC->LineTo(r.right - 1, r.top);
            pDC->SelectObject(&m_penShadow);
            pDC->LineTo(r.right - 1, r.bottom - 1);
            pDC->LineTo(r.left, r.bottom - 1);
        } else {
            r.InflateRect(1, 1);
            pDC->Draw3dRect(&r, m_crFace, m_crFace);
        }
    };
    frame(m_rcClose, m_bCloseHot != 0);
    frame(m_rcRollUp, m_bRollUpHot != 0);
    pDC->SelectObject(oldPen);
}

void CCaptionBarDialog::TrackCaptionHover(CPoint screenPoint) {
    CRect window;
    GetWindowRect(&window);
    CPoint p(screenPoint.x - window.left, screenPoint.y - window.top);
    if (m_rcClose.PtInRect(p)) {
        if (GetCapture() != this) SetCapture();
        m_bCloseHot = 1;
        m_bHoverRepaint = 1;
        SendMessage(WM_NCPAINT, 1);
    } else if (m_rcRollUp.PtInRect(p)) {
        if (GetCapture() != this) SetCapture();
        m_bRollUpHot = 1;
        m_bHoverRepaint = 1;
        SendMessage(WM_NCPAINT, 1);
    } else {
        m_bCloseHot = m_bRollUpHot = 0;
        if (m_bHoverRepaint) {
            SendMessage(WM_NCPAINT, 1);
            m_bHoverRepaint = 0;
        }
    }
    if (::GetCapture() == m_hWnd && !m_rcClose.PtInRect(p) && !m_rcRollUp.PtInRect(p)) ::ReleaseCapture();
}

void CCaptionBarDialog::HandleCaptionClick(CPoint screenPoint, BOOL allowDefault) {
    CRect window;
    GetWindowRect(&window);
    CPoint p(screenPoint.x - window.left, screenPoint.y - window.top);
    m_bHoverRepaint = 0;
    if (m_rcClose.PtInRect(p)) {
        CloseFromCaption();
    } else if (m_rcRollUp.PtInRect(p)) {
        ToggleRollUp();
        SendMessage(WM_NCPAINT, 1);
    } else if (allowDefault) {
        Default();
    }
}

void CCaptionBarDialog::OnNcPaint() { PaintNonClient(); }

BOOL CCaptionBarDialog::OnNcActivate(BOOL) {
    PaintNonClient();
    return TRUE;
}

void CCaptionBarDialog::OnActivate(UINT nState, CWnd*, BOOL) {
    Default();
    m_bActive = (nState == WA_ACTIVE || nState == WA_CLICKACTIVE) ? 1 : 0;
    SendMessage(WM_NCPAINT, 1);
}

void CCaptionBarDialog::OnNcLButtonDown(UINT, CPoint point) { HandleCaptionClick(point, TRUE); }
void CCaptionBarDialog::OnNcLButtonDblClk(UINT, CPoint point) { HandleCaptionClick(point, FALSE); }
void CCaptionBarDialog::OnNcMouseMove(UINT, CPoint point) { TrackCaptionHover(point); }

void CCaptionBarDialog::OnMouseMove(UINT, CPoint point) {
    Default();
    if (::GetCapture() == m_hWnd) {
        ClientToScreen(&point);
        TrackCaptionHover(point);
    }
}

void CCaptionBarDialog::OnLButtonDown(UINT, CPoint point) {
    if (::GetCapture() == m_hWnd) {
        ClientToScreen(&point);
        HandleCaptionClick(point, FALSE);
    } else {
        Default();
    }
}

void CCaptionBarDialog::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

BOOL CCaptionBarDialog::OnEraseBkgnd(CDC* pDC) {
    CRect clip;
    pDC->GetClipBox(&clip);
    if (clip.top == 0) clip.top += 2;
    pDC->FillRect(&clip, &m_brushFace);
    return TRUE;
}

void CCaptionBarDialog::OnClose() { CloseFromCaption(); }

BEGIN_MESSAGE_MAP(CCaptionBarDialog, CDialog)
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_WM_CLOSE()
END_MESSAGE_MAP()
