// CIconButton: an owner-drawn push button with an icon left of its caption,
// drawn as a classic 3-D button or flat (no edge until the mouse is over it,
// when it rises and shows its "in" icon).
#pragma once

#include "framework/CommonControls.h"
#include "framework/StdControls.h"

class CIconButton : public CButton
{
public:
    CIconButton();
    ~CIconButton() override;
    CIconButton(const CIconButton&) = delete;
    CIconButton& operator=(const CIconButton&) = delete;

    // Icons from the resources; without an out icon the in icon serves always.
    void SetIcon(UINT idIn, UINT idOut = 0);
    // Takes both icons over (out null: the in icon serves always).
    void SetIconHandles(HICON in, HICON out);
    void SetFlat(BOOL flat);
    BOOL IsHovering() const { return m_bHover; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    void DrawIcon(CDC& dc, bool hasCaption, const CRect& item, CRect& caption, bool pressed, bool disabled);
    void DestroyIcons();

    BOOL m_bFlat = TRUE;
    BOOL m_bHover = FALSE;
    CToolTipCtrl m_wndToolTip;
    HICON m_hIconIn = nullptr;
    HICON m_hIconOut = nullptr;
    BYTE m_cyIcon = 0;
    BYTE m_cxIcon = 0;
    BOOL m_bIsDefault = FALSE;
    COLORREF m_crInactiveBg;
    COLORREF m_crInactiveFg;
    COLORREF m_crActiveBg;
    COLORREF m_crActiveFg;
};
