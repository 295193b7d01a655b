// CCaptionBarDialog: a small modeless tool window that draws its own flat
// caption with grip lines and two buttons, Close and Roll-up. Rolled up, the
// window shrinks to its caption strip.
#pragma once

#include "framework/Dialog.h"
#include "framework/Gdi.h"

class CCaptionBarDialog : public CDialog {
    DECLARE_DYNAMIC(CCaptionBarDialog)
public:
    explicit CCaptionBarDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CCaptionBarDialog() override;

    void SetFullHeight(int height) { m_nFullHeight = height; }
    void SetRolledUpHeight(int height) { m_nRolledUpHeight = height; }
    virtual void ToggleRollUp();
    virtual void CloseFromCaption();
    int Unroll();
    void SetSeparator(BYTE on) { m_bSeparator = on; }
    void SetLowGrip(BYTE on) { m_bLowGrip = on; }
    void SetFaceColour(COLORREF c) { m_crFace = c; }
    void SetCaptionTextColour(COLORREF c) { m_crCaptionText = c; }
    void SetGripLines(BYTE on) { m_bGripLines = on; }
    void SetBoldWhenActive(BYTE on) { m_bBoldWhenActive = on; }
    BOOL IsRolledUp() const { return m_bRolledUp; }
    BOOL IsCloseHot() const { return m_bCloseHot; }
    BOOL IsRollUpHot() const { return m_bRollUpHot; }
    CRect GetCloseRect() const { return m_rcClose; }
    CRect GetRollUpRect() const { return m_rcRollUp; }

protected:
    BYTE m_bSeparator = 1;
    BYTE m_bLowGrip = 0;
    BYTE m_bBoldWhenActive = 1;
    BYTE m_bGripLines = 1;
    BYTE m_bActive = 0;
    BYTE m_bRollUpHot = 0;
    BYTE m_bCloseHot = 0;
    BYTE m_bHoverRepaint = 0;
    COLORREF m_crFace;
    COLORREF m_crCaptionText = 0;
    CRect m_rcRollUp;
    CRect m_rcClose;
    BYTE m_bRolledUp = 0;
    CRect m_rcCaption;
    int m_nFullHeight = 0;
    int m_nRolledUpHeight = 0;
    CFont m_fontBold;
    CFont m_fontNormal;
    CPen m_penHighlight;
    CPen m_penShadow;
    CBrush m_brushFace;

    void PaintNonClient();
    void DrawCaptionText(CDC* pDC);
    void DrawCaptionButtons(CDC* pDC);
    void TrackCaptionHover(CPoint screenPoint);
    void HandleCaptionClick(CPoint screenPoint, BOOL allowDefault);

    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()
};
