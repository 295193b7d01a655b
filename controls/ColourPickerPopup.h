// CColourPickerPopup: the drop-down of the colour picker button. A grid of
// named colours with an optional "Default" box above it and an optional
// "More Colours..." box below it that opens the common colour dialog. Driven
// by the mouse (it captures it) and by the keyboard; it tells its button of
// every hover and of the final choice, then destroys and deletes itself.
#pragma once

#include "framework/CommonControls.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

// Messages between the picker, its popup and the picker's parent. The colour
// (with the palette-relative flag) is in wParam; lParam holds the button's
// control id when the button sends, 0 when the popup does.
constexpr UINT CPN_SELCHANGE = 0x83E9;    // hover or keyboard move in the popup
constexpr UINT CPN_DROPDOWN = 0x83EA;     // the popup opened
constexpr UINT CPN_CLOSEUP = 0x83EB;      // the popup closed
constexpr UINT CPN_SELENDOK = 0x83EC;     // the popup closed with a choice
constexpr UINT CPN_SELENDCANCEL = 0x83ED; // the popup closed without one

// Every colour the picker keeps or sends carries this flag (a PALETTERGB value).
constexpr COLORREF kColourPaletteFlag = 0x02000000;

// The named colours of the popup's grid.
struct ColourTableEntry {
    COLORREF colour; // with the palette flag
    const char* name;
};
const ColourTableEntry* ColourPickerTable();
int ColourPickerTableSize();

class CColourPickerPopup : public CWnd {
public:
    // Box indices besides the cells 0 .. count - 1.
    static constexpr int kNoBox = -1;
    static constexpr int kCustomBox = -2;
    static constexpr int kDefaultBox = -3;
    static constexpr int kBoxSize = 18;

    CColourPickerPopup();
    ~CColourPickerPopup() override = default;

    void SetDefaultColour(COLORREF colour) { m_crDefault = colour | kColourPaletteFlag; }
    void SetShowDefaultSwatch(BOOL show) { m_bShowDefaultSwatch = show; }

    // Opens below-right of topLeft (screen coordinates), owned by the picker
    // button; a null or empty text leaves its box out.
    BOOL Create(CPoint topLeft, COLORREF colour, CWnd* parent, const char* defaultText, const char* customText);

    int GetHoverIndex() const { return m_nCurrentSel; }
    int GetChosenIndex() const { return m_nChosenColourSel; }
    COLORREF GetCurrentColour() const { return m_crColour; }
    // The box's rectangle in client coordinates (empty for none).
    CRect GetBoxRect(int index) const;
    int HitTest(CPoint client) const;
    CToolTipCtrl& GetToolTip() { return m_ToolTip; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    void Layout(CPoint topLeft);
    void FindChosen();
    void AddToolTips();
    void ChangeSelection(int index, bool notify = true);
    void EndSelection(UINT message);
    void DrawBox(CDC& dc, int index);
    void RedrawBox(int index);
    bool HasDefault() const { return !m_strDefaultText.IsEmpty(); }
    bool HasCustom() const { return !m_strCustomText.IsEmpty(); }
    int Row(int index) const { return index < 0 ? -1 : index / m_nNumColumns; }
    int Column(int index) const { return index < 0 ? -1 : index % m_nNumColumns; }
    // Where the keyboard goes past the last cell, and before the first.
    int PastLast() const;
    int BeforeFirst() const;
    bool PointInWindow(CPoint client) const;

    int m_nNumColours;
    int m_nNumColumns = 8;
    int m_nNumRows;
    int m_nBoxSize = kBoxSize;
    int m_nMargin;
    int m_nCurrentSel = kNoBox;
    int m_nChosenColourSel = kNoBox;
    CString m_strDefaultText;
    CString m_strCustomText;
    CRect m_CustomTextRect;
    CRect m_DefaultTextRect;
    CRect m_WindowRect;
    CRect m_GridRect;
    CFont m_Font;
    CPalette m_Palette;
    COLORREF m_crInitialColour = kColourPaletteFlag;
    COLORREF m_crColour = kColourPaletteFlag;
    CToolTipCtrl m_ToolTip;
    CWnd* m_pParent = nullptr;
    CBrush m_ChosenBrush;
    CBitmap m_ChosenPattern;
    COLORREF m_crDefault = kColourPaletteFlag;
    BOOL m_bShowDefaultSwatch = TRUE;
    COLORREF m_crShadow;
    COLORREF m_crHighlight;
    COLORREF m_crFace;
    BOOL m_bButtonDown = FALSE;
    bool m_bEnding = false;
};
