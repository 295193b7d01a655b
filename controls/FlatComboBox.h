// CCJFlatComboBox: a combo box that paints itself flat until the mouse is over
// it or it has the focus. CSwatchComboBox draws each item as a colour swatch
// and the name of the model object behind it; CFillPatternCombo draws each
// item as a sample of a brush.
#pragma once

#include <vector>

#include "framework/StdControls.h"

class CEntity;

class CCJFlatComboBox : public CComboBox {
    DECLARE_DYNAMIC(CCJFlatComboBox)
public:
    enum FlatState { flatNormal = 0, flatRaised = 1, flatPressed = 2 };

    CCJFlatComboBox();

    BOOL m_bButtonDown = FALSE;
    BOOL m_bHot = FALSE;
    BOOL m_bWindows95 = FALSE;

    static BOOL IsWindows95();
    void DrawCombo(FlatState state, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()
};

class CSwatchComboBox : public CCJFlatComboBox {
    DECLARE_DYNAMIC(CSwatchComboBox)
public:
    // Where an item's name starts, after its colour box.
    static constexpr int kTextLeft = 17;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override;
    static void DrawSwatchItem(CDC* dc, const CRect& rc, BOOL selected, COLORREF colour, LPCSTR name);

protected:
    DECLARE_MESSAGE_MAP()
};

class CFillPatternCombo : public CCJFlatComboBox {
    DECLARE_DYNAMIC(CFillPatternCombo)
public:
    std::vector<LOGBRUSH> m_aPatterns;
    COLORREF m_crBackground = RGB(255, 255, 255);

    void AddPattern(LOGBRUSH brush);
    void AddHatchPatterns(BOOL withSolid);
    void SetPatternColour(COLORREF colour);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override;

protected:
    DECLARE_MESSAGE_MAP()
};

// The colour and name of the entity behind a swatch item; the entity classes
// supply these (the combo only reads them).
COLORREF SwatchEntityColour(const CEntity* entity);
CString SwatchEntityName(const CEntity* entity);
