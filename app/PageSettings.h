// The printed page: CPageSettings, the program-wide page set-up (paper and
// unprintable offsets of the default printer, orientation, display unit,
// margins and auto-format), and CPageMargins, a view's copy of the margins
// used when it lays out a page. All lengths are in inches.
#pragma once

#include <windows.h>

class CDC;
class CRect;
class CViewContext;

struct CPageSettings {
    CPageSettings();

    double m_dPaperHeight = 11.0;
    double m_dPaperWidth = 8.5;
    double m_dOffsetX = 0.0;
    double m_dOffsetY = 0.0;
    BOOL m_bPortrait = FALSE;
    BOOL m_bInches = TRUE;
    double m_dLeft = 1.0;
    double m_dTop = 1.0;
    double m_dRight = 1.0;
    double m_dBottom = 1.0;
    int m_nAutoFormat = 0;

    // The user's measurement system: TRUE for inches (and when it cannot be read).
    static BOOL LocaleUsesInches();
};

class CPageMargins {
public:
    CPageMargins();

    // Presets 10001 to 10005; any other id changes nothing.
    void SetPreset(UINT id);
    BOOL GetShowOnPaper() const { return m_bShowOnPaper; }
    void SetShowOnPaper(BOOL on) { m_bShowOnPaper = on ? 1 : 0; }
    double GetTop() const { return m_dTop; }
    double GetLeft() const { return m_dLeft; }
    double GetRight() const { return m_dRight; }
    double GetBottom() const { return m_dBottom; }
    void SetMargins(double top, double left, double right, double bottom);
    // The page inside the margins on the DC (its attribute handle is the
    // printer), in device pixels from the printable area's corner: each margin
    // at least the printer's unprintable strip.
    CRect GetPrintPageRect(CDC* pDC) const;
    // Maps the view's drawing (its view context's world rectangle) into the
    // printable part of the page inside the margins, draws the margin frame and
    // clips the output to the page.
    void LayoutPrintPage(CDC* pDC, CViewContext* pVC);
    // The frame around the printed area: dashed in preview without "on paper",
    // solid with it, nothing when printing without it.
    void DrawMarginFrame(CDC* pDC, const CRect& rect);

private:
    BYTE m_bShowOnPaper = 1;
    BYTE m_bInches = 1;
    double m_dTop = 0.5;
    double m_dLeft = 1.5;
    double m_dRight = 0.5;
    double m_dBottom = 0.5;
};

// What the Page Setup dialog hands back to the main frame (WM_APP + 400).
struct CPageSetupResult {
    CPageSettings settings;
    BOOL printMargins = FALSE;
};
