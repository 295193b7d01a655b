// The Slope Editor.
#include "editors/SlopeEditorDlg.h"

#include <cmath>
#include <cstdlib>

#include "editors/ModelDialogs.h"
#include "editors/StdDevApplyDlg.h"
#include "framework/DataExchange.h"
#include "framework/Exception.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-slope.h"
#include "model/SlopeViewServices.h"

namespace {

// Opens the start cell once the dialog shows, so the edit keeps the focus.
constexpr UINT WM_START_EDITING = WM_APP + 0x121;

const COLORREF kGreyBack = 0xC0C0C0;
const COLORREF kGreyText = 0x808080;

void SortByName(CStringArray& names, CArray<CTalusimSlopeType*, CTalusimSlopeType*>& materials, int lo, int hi)
{
    // Quick sort with the middle element as pivot; name and material travel together.
    if (lo >= hi)
        return;
    const CString pivot = names[(lo + hi) / 2];
    int i = lo, j = hi;
    while (i <= j) {
        while (strcmp(names[i], pivot) < 0)
            ++i;
        while (strcmp(names[j], pivot) > 0)
            --j;
        if (i <= j) {
            const CString name = names[i];
            names[i] = names[j];
            names[j] = name;
            CTalusimSlopeType* m = materials[i];
            materials[i] = materials[j];
            materials[j] = m;
            ++i;
            --j;
        }
    }
    SortByName(names, materials, lo, j);
    SortByName(names, materials, i, hi);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSlopeEditorDlg, CDialog)
    ON_BN_CLICKED(IDC_SE_CANCEL, OnCancelButton)
    ON_BN_CLICKED(IDC_SE_ENTER_CATCHER, OnEnterCatcher)
    ON_BN_CLICKED(IDC_SE_COPY, OnCopy)
    ON_BN_CLICKED(IDC_SE_COMMON_STDDEV, OnCommonStdDev)
    ON_BN_CLICKED(IDC_SE_USE_STDDEV, OnUseStdDev)
    ON_WM_CLOSE()
    ON_WM_HELPINFO()
    ON_MESSAGE(WM_START_EDITING, OnStartEditing)
END_MESSAGE_MAP()

CSlopeEditorDlg::CSlopeEditorDlg(CWnd* parent) : CDialog(IDD_SLOPE_EDITOR, parent) {}

void CSlopeEditorDlg::SetData(CTalusimDoc* document, CTalusimSlope* slope, int pickKind, int pickIndex)
{
    m_pDoc = document;
    m_pSlope = slope;
    if (slope != nullptr && (pickKind == kPickMaterialRow || pickKind == kPickCoordinateRow) && pickIndex >= 0 &&
        pickIndex <= slope->GetLastVertexIndex()) {
        m_nPickKind = pickKind;
        m_nPickIndex = pickIndex;
    }
}

void CSlopeEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SE_USE_STDDEV, m_bUseStdDev);
}

BOOL CSlopeEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pSlope == nullptr)
        return TRUE;
    const int vertices = m_pSlope->GetVertexCount();
    try {
        m_grid.SubclassDlgItem(IDC_SE_TABLE, this);
        m_grid.SetNumberOfRows(vertices + 1);
        m_grid.SetNumberOfColumns(6);
        m_grid.SetNumberOfFixedRows(1);
        m_grid.SetNumberOfFixedColumns(1);
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        return TRUE;
    }
    m_grid.SetOptions(&m_materialNames);

    // Room for the largest numbers and a long material name.
    static const char* const sizing[] = {"Vertex", "88888888.888", "8888.888", "88888888.888", "8888.888",
                                         " Talus with Vegitation [default] "};
    for (int c = 0; c < 6; ++c) {
        GridItemInfo item;
        item.mask = GVIF_TEXT | GVIF_FORMAT;
        item.row = 0;
        item.col = c;
        item.text = sizing[c];
        item.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        m_grid.SetItem(item);
    }
    m_grid.AutoSize();
    m_grid.ExpandColumnsToFit();

    FillRows();
    WriteHeaders();
    m_grid.AutoSizeRows();
    m_grid.SetRowResize(FALSE);
    m_grid.SetColumnResize(FALSE);
    LoadMaterialNames();
    EnableStdDevColumns();
    PostMessage(WM_START_EDITING);
    return FALSE;
}

LRESULT CSlopeEditorDlg::OnStartEditing(WPARAM, LPARAM)
{
    if (m_grid.GetSafeHwnd() == nullptr || m_grid.GetRowCount() < 2)
        return 0;
    int row = 1, col = COvdGridCtrl::COL_X;
    if (m_nPickKind == kPickMaterialRow) {
        row = m_nPickIndex + 1;
        col = COvdGridCtrl::COL_MATERIAL;
    } else if (m_nPickKind == kPickCoordinateRow) {
        row = m_nPickIndex + 1;
    }
    m_grid.SetFocus();
    m_grid.SetFocusCell(row, col);
    m_grid.SetSelectedRange(row, col, row, col);
    m_grid.OnEditCell(row, col, VK_LBUTTON);
    return 0;
}

void CSlopeEditorDlg::WriteHeaders()
{
    const bool metric = m_nUnits != 0;
    const char* const headers[] = {"Vertex", metric ? "X [ m ]" : "X [ ft ]", "std dev",
                                   metric ? "Y [ m ]" : "Y [ ft ]", "std dev", "Material"};
    for (int c = 0; c < 6; ++c)
        m_grid.SetCellText(0, c, headers[c]);
}

// "%g", as the table always showed its numbers, where that reads back as the
// value held. Where it would not (six digits turn 512345.678 into 512346, and
// 5000060 into an exponent), the plain decimal number with the fewest
// decimals, at most the three an edited cell takes, that reads back exactly;
// failing that, three decimals. The table's numbers are never exponents.
CString CSlopeEditorDlg::FormatCellNumber(double value)
{
    CString text;
    text.Format("%g", value);
    if (!std::isfinite(value) || (text.FindOneOf("eE") < 0 && std::strtod(text, nullptr) == value))
        return text;
    for (int decimals = 0; decimals <= 3; ++decimals) {
        text.Format("%.*f", decimals, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
    return text;
}

void CSlopeEditorDlg::FillRows()
{
    static const UINT formats[] = {DT_CENTER, DT_RIGHT, DT_RIGHT, DT_RIGHT, DT_RIGHT, DT_LEFT};
    const int vertices = m_pSlope->GetVertexCount();
    m_grid.SetNumberOfRows(vertices + 1);
    m_grid.ForgetEdits();
    for (int i = 0; i < vertices; ++i) {
        CPolyVertex v;
        m_pSlope->GetSlopeVertex(v, i);
        CString cells[6];
        cells[0].Format("%d", i + 1);
        cells[1] = FormatCellNumber(v.x);
        cells[2] = FormatCellNumber(v.auxA);
        cells[3] = FormatCellNumber(v.y);
        cells[4] = FormatCellNumber(v.auxB);
        if (i > 0)
            if (const CTalusimSlopeType* material = m_pSlope->GetSegmentMaterial(i))
                cells[5] = material->GetName();
        for (int c = 0; c < 6; ++c) {
            GridItemInfo item;
            item.mask = GVIF_TEXT | GVIF_FORMAT;
            item.row = i + 1;
            item.col = c;
            item.text = cells[c];
            item.format = formats[c] | DT_VCENTER | DT_SINGLELINE;
            m_grid.SetItem(item);
        }
    }
    // The first vertex ends no segment, so it has no material to choose.
    if (vertices > 0)
        m_grid.SetCellState(1, COvdGridCtrl::COL_MATERIAL,
                            m_grid.GetCellState(1, COvdGridCtrl::COL_MATERIAL) | GVIS_READONLY);
}

void CSlopeEditorDlg::LoadMaterialNames()
{
    m_materialNames.RemoveAll();
    m_materials.RemoveAll();
    if (m_pDoc == nullptr)
        return;
    for (CTalusimSlopeType* material :
         CollectAs<CTalusimSlopeType>(*m_pDoc->GetDatabase(), ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP)) {
        m_materialNames.Add(material->GetName());
        m_materials.Add(material);
    }
    SortByName(m_materialNames, m_materials, 0, static_cast<int>(m_materialNames.GetSize()) - 1);
}

void CSlopeEditorDlg::EnableStdDevColumns()
{
    const bool on = m_bUseStdDev != 0;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SE_COMMON_STDDEV), on);
    for (int r = 1; r < m_grid.GetRowCount(); ++r)
        for (int c : {static_cast<int>(COvdGridCtrl::COL_X_SD), static_cast<int>(COvdGridCtrl::COL_Y_SD)}) {
            const UINT state = m_grid.GetCellState(r, c);
            if (on) {
                m_grid.SetCellState(r, c, state & ~GVIS_READONLY);
                m_grid.SetCellBkColour(r, c, RGB(255, 255, 255));
                m_grid.SetCellTextColour(r, c, RGB(0, 0, 0));
            } else {
                m_grid.SetCellState(r, c, state | GVIS_READONLY);
                m_grid.SetCellBkColour(r, c, kGreyBack);
                m_grid.SetCellTextColour(r, c, kGreyText);
            }
        }
    m_grid.Refresh();
}

void CSlopeEditorDlg::OnUseStdDev()
{
    m_bUseStdDev = IsDlgButtonChecked(IDC_SE_USE_STDDEV) == BST_CHECKED ? 1 : 0;
    EnableStdDevColumns();
}

CTalusimSlopeType* CSlopeEditorDlg::MaterialNamed(const CString& name) const
{
    for (int i = 0; i < m_materialNames.GetSize(); ++i)
        if (m_materialNames[i] == name)
            return m_materials[i];
    return nullptr;
}

double CSlopeEditorDlg::CellValue(int row, int col) const
{
    // The table shows numbers shortened; a cell the user left alone stands
    // for the slope's value with every digit, an edited one for its text.
    if (m_pSlope == nullptr || m_grid.IsCellEdited(row, col))
        return atof(m_grid.GetCellText(row, col));
    CPolyVertex v;
    m_pSlope->GetSlopeVertex(v, row - 1);
    switch (col) {
    case COvdGridCtrl::COL_X: return v.x;
    case COvdGridCtrl::COL_X_SD: return v.auxA;
    case COvdGridCtrl::COL_Y: return v.y;
    default: return v.auxB;
    }
}

void CSlopeEditorDlg::OnOK()
{
    // An entry the table refused while the button took the focus: say so and stay.
    if (m_grid.HasPendingRefusal()) {
        m_grid.ReportRefusal();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    // Only what the user changed is written: untouched cells keep the
    // slope's values bit for bit, and a segment keeps its material unless
    // its cell was given another (a name could belong to more than one).
    const int vertices = m_pSlope ? m_pSlope->GetVertexCount() : 0;
    for (int i = 0; i < vertices; ++i) {
        CPolyVertex v;
        m_pSlope->GetSlopeVertex(v, i);
        const int row = i + 1;
        v.x = CellValue(row, COvdGridCtrl::COL_X);
        v.auxA = CellValue(row, COvdGridCtrl::COL_X_SD);
        v.y = CellValue(row, COvdGridCtrl::COL_Y);
        v.auxB = CellValue(row, COvdGridCtrl::COL_Y_SD);
        m_pSlope->SetVertex(i, v);
        if (i > 0 && m_grid.IsCellEdited(row, COvdGridCtrl::COL_MATERIAL))
            if (CTalusimSlopeType* material = MaterialNamed(m_grid.GetCellText(row, COvdGridCtrl::COL_MATERIAL)))
                m_pSlope->SetSegmentMaterial(i, material);
    }
    m_pSlope->RecalcExtents();
    EndDialog(IDOK);
}

void CSlopeEditorDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}

void CSlopeEditorDlg::OnClose()
{
    // The close box cancels, as the Cancel button does.
    EndDialog(IDCANCEL);
}

CString CSlopeEditorDlg::BuildCopyText() const
{
    CString text = "Vertex\tX\tstd dev\tY\tstd dev\tMaterial\n";
    auto& grid = const_cast<COvdGridCtrl&>(m_grid);
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        CString line;
        line.Format("%d\t%.3f\t%.3f\t%.3f\t%.3f\t%s\n", row, CellValue(row, COvdGridCtrl::COL_X),
                    CellValue(row, COvdGridCtrl::COL_X_SD), CellValue(row, COvdGridCtrl::COL_Y),
                    CellValue(row, COvdGridCtrl::COL_Y_SD),
                    static_cast<LPCSTR>(grid.GetCellText(row, COvdGridCtrl::COL_MATERIAL)));
        text += line;
    }
    return text;
}

void CSlopeEditorDlg::OnCopy()
{
    if (m_pDoc != nullptr)
        m_pDoc->GetDatabase()->CopyTextToClipboard(this, BuildCopyText());
}

void CSlopeEditorDlg::OnCommonStdDev()
{
    CStdDevApplyDlg dialog(this);
    if (dialog.DoModal() != IDOK || m_pSlope == nullptr)
        return;
    // Straight into the slope; Cancel of the editor puts the old values back.
    for (int i = 0; i < m_pSlope->GetVertexCount(); ++i) {
        CPolyVertex v;
        m_pSlope->GetSlopeVertex(v, i);
        if (dialog.m_bApplyX)
            v.auxA = dialog.m_dX;
        if (dialog.m_bApplyY)
            v.auxB = dialog.m_dY;
        m_pSlope->SetVertex(i, v);
    }
    WriteHeaders();
    LoadMaterialNames();
    FillRows();
    EnableStdDevColumns();
    RedrawWindow();
}

INT_PTR RunSlopeEditorDialog(CSlopeEditorData& data)
{
    CSlopeEditorDlg dialog;
    dialog.SetData(data.document, data.slope, data.pickKind, data.index);
    dialog.m_bUseStdDev = data.generateSamples ? 1 : 0;
    dialog.m_nUnits = data.metric ? 1 : 0;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        data.generateSamples = dialog.m_bUseStdDev != 0;
    return result;
}

INT_PTR CModelDialogServices::RunSlopeEditor(CSlopeEditorData& data)
{
    return RunSlopeEditorDialog(data);
}
