// CCJFlatComboBox: a combo box that paints itself flat until the mouse is over
// it or it has the focus. CSwatchComboBox draws each item as a colour swatch
// and the name of the model object behind it; CFillPatternCombo draws each
// item as a sample of a brush.
#pragma once

#include <vector>

#include "framework/Wnd.h"

class CEntity;

// The combo box operations these controls and their owners use.
class CFlatComboBase : public CWnd {
    DECLARE_DYNAMIC(CFlatComboBase)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, nSelect)); }
    int AddString(LPCSTR text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    DWORD_PTR GetItemData(int nIndex) const { return ::SendMessageA(m_hWnd, CB_GETITEMDATA, nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR data) { return static_cast<int>(SendMessage(CB_SETITEMDATA, nIndex, data)); }
    int GetLBText(int nIndex, CString& text) const;
    BOOL GetDroppedState() const { return ::SendMessageA(m_hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0; }
};

class CCJFlatComboBox : public CFlatComboBase {
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
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCIS);
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

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCIS);

protected:
    DECLARE_MESSAGE_MAP()
};

// The colour and name of the entity behind a swatch item; the entity classes
// supply these (the combo only reads them).
COLORREF SwatchEntityColour(const CEntity* entity);
CString SwatchEntityName(const CEntity* entity);
