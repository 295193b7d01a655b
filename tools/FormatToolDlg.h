// The Format Tool dialog: the style of one drawing tool, with the groups of
// options its kind offers enabled. Apply writes into the tool at once, OK
// writes and closes, Cancel puts the tool back as it was when the dialog
// opened (its font included), and Default also keeps the style as the one
// new tools of the kind start from.
#pragma once

#include <memory>
#include "controls/FlatComboBox.h"
#include "framework/Dialog.h"
#include "geometry/Vector2D.h"

class CColourPicker;
class CDocument;
class CMeasure;
class CREGDatabase;

class CFormatToolDlg : public CDialog
{
public:
    explicit CFormatToolDlg(CWnd* pParent = nullptr);
    ~CFormatToolDlg() override;

    // The tool to format and the drawing it lies in (re-sorted and repainted
    // after every change); both are set before DoModal.
    void SetTool(CMeasure* tool) { m_pTool = tool; }
    void SetDocument(CDocument* doc, CREGDatabase* database)
    {
        m_pDocument = doc;
        m_pDatabase = database;
    }

    // The end of the question Default asks, by kind ("Arrows ?").
    static CString PluralOf(int type);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnApply();
    void OnDefault();
    void OnFont();
    void OnArc();
    void OnFill();
    void OnHatch();
    void OnTransparent();
    void OnAlphaBlend();
    void OnCustomAxisSpacing();
    void OnFillColourChanged(COLORREF colour);

private:
    // The tool's values in the tool's own terms: the snapshot Cancel restores
    // and what Apply writes.
    struct Style
    {
        CVector2D head, tail;
        bool filled = false, hatched = false;
        int hatchIndex = -1, lineWeight = 0;
        COLORREF fillColour = 0x00FF00, lineColour = 0xFF0000;
        bool atHead = false, atTail = false;
        double arcFrom = 0, arcTo = 0;
        bool arc = false, global = false, top = false, left = false, right = false, bottom = false;
        bool customSpacing = false;
        double xSpacing = 1.0, ySpacing = 1.0;
        bool behind = false, transparent = false, alpha = false;
        COLORREF transparentColour = 0xFFFFFF;
        int alphaPercent = 20;
        bool locked = false;
        int scaleStyle = 0;   // 0: leave as it is
        int fontSize = 0;
        LOGFONTA font{};
        bool fontSet = false;
    };

    Style ReadTool() const;
    void ApplyToTool(const Style& style, bool withFont);
    // The dialog's values as the tool's; the controls are read first.
    bool TakeValues(Style& style);
    void ShowValues(const Style& style);
    void EnableByTool();
    void Enable(int id, bool on);
    void Toggle(int id);
    bool IsChecked(int id) const;
    // False while storing into a greyed control: its value stays as it came.
    bool Exchanges(CDataExchange* pDX, int id) const;
    void SetChecked(int id, bool on);
    void EnableImageOptionControls();
    void EnableFillColourPicker();
    void Changed();

    CMeasure* m_pTool = nullptr;
    CDocument* m_pDocument = nullptr;
    CREGDatabase* m_pDatabase = nullptr;
    Style m_snapshot;

    // Dialog values.
    double m_headX = 0, m_headY = 0, m_tailX = 0, m_tailY = 0;
    int m_fill = 0, m_hatch = 0, m_hatchIndex = -1, m_weightIndex = -1;
    int m_arc = 0;
    double m_arcFrom = 0, m_arcTo = 0;
    int m_atHead = 0, m_atTail = 0, m_customSpacing = 0;
    double m_xSpacing = 1.0, m_ySpacing = 1.0;
    int m_coordinates = -1, m_top = 0, m_left = 0, m_right = 0, m_bottom = 0;
    int m_transparent = 0, m_alpha = 0, m_alphaPercent = 20, m_scaleIndex = -1;
    int m_behind = 0, m_lock = 0;
    COLORREF m_fillColour = 0x00FF00, m_lineColour = 0xFF0000, m_transparentColour = 0xFFFFFF;

    std::unique_ptr<CColourPicker> m_pFillPicker, m_pLinePicker, m_pTransparentPicker;
    CFillPatternCombo m_hatchList;
};
