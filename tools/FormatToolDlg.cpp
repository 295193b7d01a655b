#include "tools/FormatToolDlg.h"

#include <commctrl.h>
#include "controls/ColourPicker.h"
#include "framework/DataExchange.h"
#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/StdControls.h"
#include "geometry/REGDatabase.h"
#include "res/dialogs-tools.h"
#include "tools/Measure.h"

namespace {

constexpr int kScaleOriginal = 12201;
constexpr int kScaleWithDrawing = 12202;

const int kArcAngleControls[] = {IDC_FT_ARC_FROM, IDC_FT_ARC_TO, IDC_FT_FROM_LABEL, IDC_FT_TO_LABEL,
                                 IDC_FT_DEGREES_FROM, IDC_FT_DEGREES_TO};
const int kSpacingControls[] = {IDC_FT_X_SPACING, IDC_FT_Y_SPACING, IDC_FT_X_SPACING_LABEL,
                                IDC_FT_Y_SPACING_LABEL, IDC_FT_LOCAL, IDC_FT_GLOBAL};

} // namespace

CFormatToolDlg::CFormatToolDlg(CWnd* pParent)
    : CDialog(IDD_FORMAT_TOOL, pParent), m_pFillPicker(std::make_unique<CColourPicker>()),
      m_pLinePicker(std::make_unique<CColourPicker>()), m_pTransparentPicker(std::make_unique<CColourPicker>())
{
    for (CColourPicker* picker : {m_pFillPicker.get(), m_pLinePicker.get(), m_pTransparentPicker.get()})
        picker->SetDefaultText("");
}

CFormatToolDlg::~CFormatToolDlg() = default;

CString CFormatToolDlg::PluralOf(int type)
{
    switch (type) {
    case TOOL_TYPE_MEASURE: return "Measures?";
    case TOOL_TYPE_ARROW: return "Arrows ?";
    case TOOL_TYPE_TEXT_BOX: return "Text Boxes?";
    case TOOL_TYPE_RECTANGLE: return "Rectangles ?";
    case TOOL_TYPE_CIRCLE: return "Circles ?";
    case TOOL_TYPE_LINE: return "Lines ?";
    case TOOL_TYPE_AXES: return "Axes ?";
    case TOOL_TYPE_CONTOUR_LABELS: return "Contour Labels ?";
    case TOOL_TYPE_IMAGE: return "Images ?";
    default: return CString();
    }
}

// ---- the tool's values ----------------------------------------------------------------------

CFormatToolDlg::Style CFormatToolDlg::ReadTool() const
{
    const CMeasure& t = *m_pTool;
    Style s;
    s.head = t.GetStartPoint();
    s.tail = t.GetEndPoint();
    s.filled = t.GetIsFilled();
    s.hatched = t.GetIsHatchedInterior();
    s.hatchIndex = t.GetHatchStyleIndex();
    s.lineWeight = t.GetLineWeight();
    s.fillColour = t.GetFillColor();
    s.lineColour = t.GetColour();
    s.atHead = t.GetArrowAtHead();
    s.atTail = t.GetArrowAtTail();
    t.GetArcAngles(s.arcFrom, s.arcTo);
    s.arc = t.GetIsArc();
    s.global = t.GetAxisGlobalCoords();
    s.top = t.GetAxisTop();
    s.left = t.GetAxisLeft();
    s.right = t.GetAxisRight();
    s.bottom = t.GetAxisBottom();
    s.customSpacing = t.GetIsAxisSpacing();
    t.GetAxisSpacing(s.xSpacing, s.ySpacing);
    s.behind = t.GetImageBehindGeometry();
    s.transparent = t.GetTransparent();
    s.alpha = t.GetAlpha();
    s.transparentColour = t.GetTransparentColor();
    s.alphaPercent = t.GetAlphaPercent();
    s.locked = t.GetMoveLocked();
    s.scaleStyle = t.GetImageScaleStyle();
    s.fontSet = t.GetFont(s.fontSize, s.font);
    return s;
}

void CFormatToolDlg::ApplyToTool(const Style& s, bool withFont)
{
    CMeasure& t = *m_pTool;
    t.SetStartPoint(s.head);
    t.SetEndPoint(s.tail);
    t.SetIsFilled(s.filled);
    t.SetLineWeight(s.lineWeight);
    t.SetIsHatchedInterior(s.hatched);
    t.SetHatchStyleIndex(s.hatchIndex);
    t.SetFillColor(s.fillColour);
    t.SetColour(s.lineColour);
    t.SetArrowAtHead(s.atHead);
    t.SetArrowAtTail(s.atTail);
    t.SetArcAngles(s.arcFrom, s.arcTo);
    t.SetIsArc(s.arc);
    t.SetAxisGlobalCoords(s.global);
    t.SetAxisTop(s.top);
    t.SetAxisLeft(s.left);
    t.SetAxisRight(s.right);
    t.SetAxisBottom(s.bottom);
    t.SetIsAxisSpacing(s.customSpacing);
    t.SetAxisSpacing(s.xSpacing, s.ySpacing);
    t.SetImageBehindGeometry(s.behind);
    t.SetTransparent(s.transparent);
    t.SetAlpha(s.alpha);
    t.SetTransparentColor(s.transparentColour);
    t.SetAlphaPercent(s.alphaPercent);
    t.SetMoveLocked(s.locked);
    if (s.scaleStyle != 0)
        t.SetImageScaleStyle(s.scaleStyle);
    if (withFont && s.fontSet)
        t.SetFont(s.fontSize, s.font);
    Changed();
}

void CFormatToolDlg::Changed()
{
    if (m_pDatabase != nullptr)
        m_pDatabase->SortEntities(72);
    if (m_pDocument != nullptr)
        m_pDocument->UpdateAllViews(nullptr);
}

bool CFormatToolDlg::TakeValues(Style& s)
{
    if (!UpdateData(TRUE))
        return false;
    s = m_snapshot;
    s.head = CVector2D(m_headX, m_headY);
    s.tail = CVector2D(m_tailX, m_tailY);
    s.filled = m_fill != 0;
    s.lineWeight = m_weightIndex + 1;
    s.hatched = m_hatch != 0;
    s.hatchIndex = m_hatchIndex;
    s.fillColour = m_fillColour;
    s.lineColour = m_lineColour;
    s.atHead = m_atHead != 0;
    s.atTail = m_atTail != 0;
    s.arcFrom = m_arcFrom;
    s.arcTo = m_arcTo;
    s.arc = m_arc != 0;
    s.global = m_coordinates == 1;
    s.top = m_top != 0;
    s.left = m_left != 0;
    s.right = m_right != 0;
    s.bottom = m_bottom != 0;
    s.customSpacing = m_customSpacing != 0;
    s.xSpacing = m_xSpacing;
    s.ySpacing = m_ySpacing;
    s.behind = m_behind != 0;
    s.transparent = m_transparent != 0;
    s.alpha = m_alpha != 0;
    s.transparentColour = m_transparentColour;
    s.alphaPercent = m_alphaPercent;
    s.locked = m_lock != 0;
    s.scaleStyle = m_scaleIndex == 0 ? kScaleOriginal : m_scaleIndex == 1 ? kScaleWithDrawing : 0;
    // The font is set by Font... at once; Apply leaves it as it is now.
    s.fontSet = m_pTool->GetFont(s.fontSize, s.font);
    return true;
}

void CFormatToolDlg::ShowValues(const Style& s)
{
    m_headX = s.head.x;
    m_headY = s.head.y;
    m_tailX = s.tail.x;
    m_tailY = s.tail.y;
    m_fill = s.filled;
    m_hatch = s.hatched;
    m_hatchIndex = s.hatchIndex;
    m_weightIndex = s.lineWeight - 1;
    m_fillColour = s.fillColour;
    m_lineColour = s.lineColour;
    m_arc = s.arc;
    m_arcFrom = s.arcFrom;
    m_arcTo = s.arcTo;
    m_atHead = s.atHead;
    m_atTail = s.atTail;
    m_customSpacing = s.customSpacing;
    m_xSpacing = s.xSpacing;
    m_ySpacing = s.ySpacing;
    m_coordinates = s.global ? 1 : 0;
    m_top = s.top;
    m_left = s.left;
    m_right = s.right;
    m_bottom = s.bottom;
    m_transparent = s.transparent;
    m_alpha = s.alpha;
    m_transparentColour = s.transparentColour;
    m_alphaPercent = s.alphaPercent;
    m_scaleIndex = s.scaleStyle == kScaleOriginal ? 0 : s.scaleStyle == kScaleWithDrawing ? 1 : -1;
    m_behind = s.behind;
    m_lock = s.locked;
}

// ---- the dialog ---------------------------------------------------------------------------

bool CFormatToolDlg::Exchanges(CDataExchange* pDX, int id) const
{
    // A greyed edit shows what the tool holds but cannot be changed: its value
    // is kept as it came, even when a file or the registry gave it one the
    // edit's limits refuse, so that the rest of the style can still be applied.
    if (!pDX->m_bSaveAndValidate)
        return true;
    const HWND h = ::GetDlgItem(m_hWnd, id);
    return h == nullptr || ::IsWindowEnabled(h);
}

void CFormatToolDlg::DoDataExchange(CDataExchange* pDX)
{
    if (Exchanges(pDX, IDC_FT_HEAD_X))
        DDX_Text(pDX, IDC_FT_HEAD_X, m_headX);
    if (Exchanges(pDX, IDC_FT_HEAD_Y))
        DDX_Text(pDX, IDC_FT_HEAD_Y, m_headY);
    if (Exchanges(pDX, IDC_FT_TAIL_X))
        DDX_Text(pDX, IDC_FT_TAIL_X, m_tailX);
    if (Exchanges(pDX, IDC_FT_TAIL_Y))
        DDX_Text(pDX, IDC_FT_TAIL_Y, m_tailY);
    DDX_Check(pDX, IDC_FT_FILL, m_fill);
    DDX_ColourPicker(pDX, IDC_FT_FILL_COLOUR, m_fillColour);
    DDX_Check(pDX, IDC_FT_HATCH, m_hatch);
    DDX_CBIndex(pDX, IDC_FT_HATCH_LIST, m_hatchIndex);
    DDX_CBIndex(pDX, IDC_FT_WEIGHT, m_weightIndex);
    DDX_ColourPicker(pDX, IDC_FT_LINE_COLOUR, m_lineColour);
    DDX_Check(pDX, IDC_FT_ARC, m_arc);
    if (Exchanges(pDX, IDC_FT_ARC_FROM)) {
        DDX_Text(pDX, IDC_FT_ARC_FROM, m_arcFrom);
        DDV_MinMaxDouble(pDX, m_arcFrom, 0.0, 360.0);
    }
    if (Exchanges(pDX, IDC_FT_ARC_TO)) {
        DDX_Text(pDX, IDC_FT_ARC_TO, m_arcTo);
        DDV_MinMaxDouble(pDX, m_arcTo, 0.0, 360.0);
    }
    DDX_Check(pDX, IDC_FT_AT_HEAD, m_atHead);
    DDX_Check(pDX, IDC_FT_AT_TAIL, m_atTail);
    DDX_Check(pDX, IDC_FT_CUSTOM_SPACING, m_customSpacing);
    if (Exchanges(pDX, IDC_FT_X_SPACING)) {
        DDX_Text(pDX, IDC_FT_X_SPACING, m_xSpacing);
        DDV_MinMaxDouble(pDX, m_xSpacing, CMeasure::kMinAxisSpacing, CMeasure::kMaxAxisSpacing);
    }
    if (Exchanges(pDX, IDC_FT_Y_SPACING)) {
        DDX_Text(pDX, IDC_FT_Y_SPACING, m_ySpacing);
        DDV_MinMaxDouble(pDX, m_ySpacing, CMeasure::kMinAxisSpacing, CMeasure::kMaxAxisSpacing);
    }
    DDX_Radio(pDX, IDC_FT_LOCAL, m_coordinates);
    DDX_Check(pDX, IDC_FT_TOP, m_top);
    DDX_Check(pDX, IDC_FT_LEFT, m_left);
    DDX_Check(pDX, IDC_FT_RIGHT, m_right);
    DDX_Check(pDX, IDC_FT_BOTTOM, m_bottom);
    DDX_Check(pDX, IDC_FT_TRANSPARENT, m_transparent);
    DDX_ColourPicker(pDX, IDC_FT_TRANSPARENT_COLOUR, m_transparentColour);
    DDX_Check(pDX, IDC_FT_ALPHA, m_alpha);
    if (Exchanges(pDX, IDC_FT_ALPHA_PERCENT)) {
        DDX_Text(pDX, IDC_FT_ALPHA_PERCENT, m_alphaPercent);
        DDV_MinMaxInt(pDX, m_alphaPercent, 1, 99);
    }
    DDX_CBIndex(pDX, IDC_FT_SCALING, m_scaleIndex);
    DDX_Check(pDX, IDC_FT_BEHIND, m_behind);
    DDX_Check(pDX, IDC_FT_LOCK, m_lock);
}

BOOL CFormatToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pFillPicker->SubclassDlgItem(IDC_FT_FILL_COLOUR, this);
    m_pLinePicker->SubclassDlgItem(IDC_FT_LINE_COLOUR, this);
    m_pTransparentPicker->SubclassDlgItem(IDC_FT_TRANSPARENT_COLOUR, this);
    m_hatchList.SubclassDlgItem(IDC_FT_HATCH_LIST, this);
    m_hatchList.AddHatchPatterns(FALSE);
    ::SendDlgItemMessageA(m_hWnd, IDC_FT_ALPHA_SPIN, UDM_SETRANGE32, 1, 99);
    for (int i = 1; i <= 10; ++i) {
        CString item;
        item.Format("%d", i);
        ::SendDlgItemMessageA(m_hWnd, IDC_FT_WEIGHT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((LPCSTR)item));
    }
    ::SendDlgItemMessageA(m_hWnd, IDC_FT_SCALING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Original Size"));
    ::SendDlgItemMessageA(m_hWnd, IDC_FT_SCALING, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>("Scale with drawing"));
    if (m_pTool == nullptr) {
        UpdateData(FALSE);
        return TRUE;
    }
    m_snapshot = ReadTool();
    ShowValues(m_snapshot);
    m_hatchList.SetPatternColour(m_fillColour);
    EnableByTool();
    UpdateData(FALSE);
    EnableImageOptionControls();
    return TRUE;
}

void CFormatToolDlg::Enable(int id, bool on)
{
    if (HWND h = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(h, on ? TRUE : FALSE);
}

void CFormatToolDlg::Toggle(int id)
{
    if (HWND h = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(h, !::IsWindowEnabled(h));
}

bool CFormatToolDlg::IsChecked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }

void CFormatToolDlg::SetChecked(int id, bool on)
{
    CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED);
}

void CFormatToolDlg::EnableByTool()
{
    const CMeasure& t = *m_pTool;
    Enable(IDC_FT_FILL, t.GetCanFill());
    Enable(IDC_FT_HATCH, t.GetCanHatch());
    Enable(IDC_FT_HATCH_LIST, t.GetCanHatch() && t.GetIsHatchedInterior());
    Enable(IDC_FT_FILL_COLOUR, t.GetCanFill() && (t.GetIsFilled() || t.GetIsHatchedInterior()));
    Enable(IDC_FT_FILL_GROUP, t.GetCanHatch() || t.GetCanFill());
    Enable(IDC_FT_WEIGHT, t.CanSetLineWeight());
    Enable(IDC_FT_WEIGHT_LABEL, t.CanSetLineWeight());
    Enable(IDC_FT_LINE_COLOUR, t.CanSetLineColour());
    Enable(IDC_FT_COLOR_LABEL, t.CanSetLineColour());
    Enable(IDC_FT_LINE_GROUP, t.CanSetLineWeight() || t.CanSetLineColour());
    for (int id : {IDC_FT_AXIS_GROUP, IDC_FT_TOP, IDC_FT_LEFT, IDC_FT_RIGHT, IDC_FT_BOTTOM})
        Enable(id, t.GetCanAxisSides());
    for (int id : kSpacingControls)
        Enable(id, t.GetIsAxisSpacing());
    Enable(IDC_FT_CUSTOM_SPACING, t.GetCanCustomSpacing());
    for (int id : {IDC_FT_IMAGE_GROUP, IDC_FT_TRANSPARENT, IDC_FT_ALPHA, IDC_FT_ALPHA_PERCENT, IDC_FT_PERCENT_LABEL,
                   IDC_FT_ALPHA_SPIN, IDC_FT_TRANSPARENT_COLOUR, IDC_FT_SCALING_LABEL, IDC_FT_SCALING,
                   IDC_FT_BEHIND})
        Enable(id, t.GetCanImageOptions());
    for (int id : {IDC_FT_ARROW_GROUP, IDC_FT_AT_HEAD, IDC_FT_AT_TAIL})
        Enable(id, t.GetCanArrow());
    Enable(IDC_FT_ARC, t.GetCanArc());
    Enable(IDC_FT_ARC_GROUP, t.GetCanArc());
    Enable(IDC_FT_CCW_LABEL, t.GetCanArc());
    for (int id : kArcAngleControls)
        Enable(id, t.GetCanArc() && t.GetIsArc());
    Enable(IDC_FT_FONT, t.GetCanFont());
    for (int id : {IDC_FT_HEAD_X, IDC_FT_HEAD_Y, IDC_FT_HEAD_LABEL})
        Enable(id, t.GetStartEditable());
    for (int id : {IDC_FT_TAIL_X, IDC_FT_TAIL_Y, IDC_FT_TAIL_LABEL})
        Enable(id, t.GetEndEditable());
}

void CFormatToolDlg::EnableImageOptionControls()
{
    // Only within a kind that offers the image options at all.
    if (m_pTool != nullptr && !m_pTool->GetCanImageOptions())
        return;
    Enable(IDC_FT_TRANSPARENT_COLOUR, IsChecked(IDC_FT_TRANSPARENT));
    const bool alpha = IsChecked(IDC_FT_ALPHA);
    for (int id : {IDC_FT_ALPHA_PERCENT, IDC_FT_PERCENT_LABEL, IDC_FT_ALPHA_SPIN})
        Enable(id, alpha);
}

void CFormatToolDlg::EnableFillColourPicker()
{
    Enable(IDC_FT_FILL_COLOUR, IsChecked(IDC_FT_FILL) || IsChecked(IDC_FT_HATCH));
}

// ---- buttons ------------------------------------------------------------------------------------

BOOL CFormatToolDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_FT_APPLY: OnApply(); return TRUE;
        case IDC_FT_DEFAULT: OnDefault(); return TRUE;
        case IDC_FT_FONT: OnFont(); return TRUE;
        case IDC_FT_ARC: OnArc(); return TRUE;
        case IDC_FT_FILL: OnFill(); return TRUE;
        case IDC_FT_HATCH: OnHatch(); return TRUE;
        case IDC_FT_TRANSPARENT: OnTransparent(); return TRUE;
        case IDC_FT_ALPHA: OnAlphaBlend(); return TRUE;
        case IDC_FT_CUSTOM_SPACING: OnCustomAxisSpacing(); return TRUE;
        default: break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CFormatToolDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The hatch patterns follow the fill colour as the picker moves over colours.
    if (static_cast<int>(lParam) == IDC_FT_FILL_COLOUR &&
        (message == CPN_SELCHANGE || message == CPN_SELENDOK || message == CPN_SELENDCANCEL)) {
        OnFillColourChanged(message == CPN_SELENDCANCEL ? m_pFillPicker->GetColour()
                                                        : static_cast<COLORREF>(wParam) & ~kColourPaletteFlag);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CFormatToolDlg::OnApply()
{
    Style s;
    if (m_pTool != nullptr && TakeValues(s))
        ApplyToTool(s, false);
}

void CFormatToolDlg::OnOK()
{
    Style s;
    if (m_pTool == nullptr) {
        CDialog::OnOK();
        return;
    }
    if (!TakeValues(s))
        return;
    ApplyToTool(s, false);
    EndDialog(IDOK);
}

void CFormatToolDlg::OnCancel()
{
    // Everything as it was when the dialog opened, Apply and Font undone.
    if (m_pTool != nullptr)
        ApplyToTool(m_snapshot, true);
    CDialog::OnCancel();
}

void CFormatToolDlg::OnDefault()
{
    Style s;
    if (m_pTool == nullptr || !TakeValues(s))
        return;
    ApplyToTool(s, false);
    const CString question = "Apply the current style to all new " + PluralOf(m_pTool->GetType());
    if (AfxMessageBox(question, MB_YESNO) == IDYES)
        m_pTool->SaveStyleToRegistry();
}

void CFormatToolDlg::OnFont()
{
    if (m_pTool == nullptr)
        return;
    int size = 0;
    LOGFONTA font{};
    m_pTool->GetFont(size, font);
    CFontDialog dialog(&font, CF_SCREENFONTS, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    LOGFONTA chosen{};
    dialog.GetCurrentFont(&chosen);
    m_pTool->SetFont(dialog.GetSize() / 10, chosen);
    Changed();
}

void CFormatToolDlg::OnArc()
{
    for (int id : kArcAngleControls)
        Toggle(id);
    if (IsChecked(IDC_FT_ARC)) {
        SetChecked(IDC_FT_FILL, false);
        SetChecked(IDC_FT_HATCH, false);
        Enable(IDC_FT_HATCH_LIST, false);
        Enable(IDC_FT_FILL_COLOUR, false);
    }
}

void CFormatToolDlg::OnFill()
{
    if (IsChecked(IDC_FT_FILL)) {
        SetChecked(IDC_FT_HATCH, false);
        Enable(IDC_FT_HATCH_LIST, false);
        if (IsChecked(IDC_FT_ARC)) {
            SetChecked(IDC_FT_ARC, false);
            for (int id : kArcAngleControls)
                Toggle(id);
        }
    }
    EnableFillColourPicker();
}

void CFormatToolDlg::OnHatch()
{
    if (IsChecked(IDC_FT_HATCH))
        SetChecked(IDC_FT_FILL, false);
    Toggle(IDC_FT_HATCH_LIST);
    if (IsChecked(IDC_FT_HATCH) && IsChecked(IDC_FT_ARC)) {
        SetChecked(IDC_FT_ARC, false);
        for (int id : kArcAngleControls)
            Toggle(id);
    }
    EnableFillColourPicker();
}

void CFormatToolDlg::OnTransparent()
{
    SetChecked(IDC_FT_ALPHA, false);
    EnableImageOptionControls();
}

void CFormatToolDlg::OnAlphaBlend()
{
    SetChecked(IDC_FT_TRANSPARENT, false);
    EnableImageOptionControls();
}

void CFormatToolDlg::OnCustomAxisSpacing()
{
    for (int id : kSpacingControls)
        Toggle(id);
}

void CFormatToolDlg::OnFillColourChanged(COLORREF colour) { m_hatchList.SetPatternColour(colour); }
