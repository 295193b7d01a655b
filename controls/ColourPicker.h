// CColourPicker: an owner-drawn push button showing a colour swatch with a
// drop-down arrow, flat until the mouse is over it. A click drops down the
// colour popup; the popup's notifications (CPN_...) are passed on to the
// button's parent with the button's control id in lParam.
#pragma once

#include "controls/ColourPickerPopup.h"
#include "framework/DataExchange.h"
#include "framework/StdControls.h"

class CColourPicker : public CButton
{
    DECLARE_DYNCREATE(CColourPicker)
public:
    CColourPicker();
    ~CColourPicker() override = default;

    // The picked colour: the text colour in text mode, else the background.
    COLORREF GetColour() const;
    void SetColour(COLORREF colour);

    void SetBkColour(COLORREF colour);
    COLORREF GetBkColour() const { return m_crColourBk ^ kColourPaletteFlag; }
    void SetTextColour(COLORREF colour);
    COLORREF GetTextColour() const { return m_crColourText ^ kColourPaletteFlag; }

    // Mode 1 picks the text colour; any other value the background colour.
    void SetSelectionMode(int mode) { m_nSelectionMode = mode; }
    int GetSelectionMode() const { return m_nSelectionMode; }
    // Hovering in the popup changes the button's colour at once.
    void SetTrackSelection(BOOL track) { m_bTrackSelection = track; }
    BOOL GetTrackSelection() const { return m_bTrackSelection; }

    // A null text leaves the box out of the popup.
    void SetDefaultText(const char* text) { m_strDefaultText = text != nullptr ? text : ""; }
    void SetCustomText(const char* text) { m_strCustomText = text != nullptr ? text : ""; }
    const CString& GetDefaultText() const { return m_strDefaultText; }
    const CString& GetCustomText() const { return m_strCustomText; }
    void SetDefaultColour(COLORREF colour) { m_crDefault = colour | kColourPaletteFlag; }
    COLORREF GetDefaultColour() const { return m_crDefault ^ kColourPaletteFlag; }
    void SetShowDefaultSwatch(BOOL show) { m_bShowDefaultSwatch = show; }
    BOOL GetShowDefaultSwatch() const { return m_bShowDefaultSwatch; }

    BOOL IsPopupActive() const { return m_bActive; }
    BOOL IsHot() const { return m_bHot; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    afx_msg BOOL OnClicked();
    afx_msg int OnCreate(LPCREATESTRUCTA cs);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* focus);
    afx_msg LRESULT OnSelEndOK(WPARAM colour, LPARAM);
    afx_msg LRESULT OnSelEndCancel(WPARAM colour, LPARAM);
    afx_msg LRESULT OnSelChange(WPARAM colour, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void Initialise();
    void Redraw();
    // The flat frame in a state: 0 flat, 1 raised, 2 pressed, 3 disabled.
    void DrawFrame(CDC& dc, const CRect& item, int state);
    int RealisePalette();
    void NotifyParent(UINT message, COLORREF colour);

    BOOL m_bActive = FALSE;
    BOOL m_bTrackSelection = FALSE;
    COLORREF m_crColourBk;
    COLORREF m_crColourText;
    int m_nSelectionMode = 2;
    CRect m_ArrowRect;
    CString m_strDefaultText = "Default";
    CString m_strCustomText = "More Colours...";
    CPalette m_Palette;
    int m_nID = 0;
    BOOL m_bHot = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bDrawnHot = FALSE;
    COLORREF m_crDefault = kColourPaletteFlag;
    BOOL m_bShowDefaultSwatch = TRUE;
};

// Loading sets the picker's colour from value; saving reads it back.
void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& value);
