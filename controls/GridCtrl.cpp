// The grid's cells, counts and accessors, its font and colours, and the
// notifications it sends its owner.
#include "controls/GridCtrl.h"

#include <ole2.h>

#include <algorithm>

#include "framework/AfxRes.h"
#include "framework/MessageBox.h"
#include "framework/OleData.h"
#include "framework/ResourceException.h"

namespace {

void RegisterGridClass()
{
    WNDCLASSA wc{};
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (::GetClassInfoA(instance, CGridCtrl::kClassName, &wc))
        return;
    wc = WNDCLASSA{};
    wc.style = CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = CGridCtrl::kClassName;
    if (!::RegisterClassA(&wc))
        AfxThrowResourceException();
}

}  // namespace

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_NOTIFY(GVN_ENDEDIT, kGridInPlaceId, OnEndInPlaceEdit)
    ON_COMMAND(ID_EDIT_COPY, OnCmdEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnCmdEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnCmdEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnCmdEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
{
    RegisterGridClass();

    // Drag and drop needs OLE on this thread; the grid works without it.
    const HRESULT hr = ::OleInitialize(nullptr);
    if (SUCCEEDED(hr))
        m_bMustUninitOle = TRUE;
    else
        AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct version", MB_OK);

    ReadSystemColours(m_crSystem);
    m_crTextColour = m_crSystem[0];
    m_crTextBkColour = m_crSystem[1];
    m_crFixedTextColour = m_crSystem[0];
    m_crFixedBkColour = m_crSystem[2];
    m_crBkColour = m_crSystem[3];
    ReadWheelScrollLines();

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_logFont = metrics.lfMessageFont;
    else
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_logFont, &m_logFont);

    SetNumberOfRows(rows);
    SetNumberOfColumns(cols);
    SetNumberOfFixedRows(fixedRows);
    SetNumberOfFixedColumns(fixedCols);
}

CGridCtrl::~CGridCtrl()
{
    DeleteAllCells();
    DestroyWindow();
    m_font.DeleteObject();
    if (m_bMustUninitOle)
        ::OleUninitialize();
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style)
{
    HWND h = ::CreateWindowExA(0, kClassName, "", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent->GetSafeHwnd(),
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                               nullptr);
    if (h == nullptr)
        return FALSE;
    if (!SubclassWindow(h)) {
        ::DestroyWindow(h);
        return FALSE;
    }
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    CFont font;
    font.CreateFontIndirect(&m_logFont);
    // As WM_SETFONT would, without a redraw; the grid keeps its own copy.
    LOGFONTA lf{};
    font.GetLogFont(&lf);
    ApplyFont(lf);
    font.DeleteObject();
    ResetScrollBars();
    m_dropTarget.Register(this);
}

void CGridCtrl::OnDestroy()
{
    if (m_dropTarget.IsRegistered())
        m_dropTarget.Revoke();
    CWnd::OnDestroy();
}

// ---- font and colours ---------------------------------------------------------------------------

void CGridCtrl::ApplyFont(const LOGFONTA& font)
{
    m_logFont = font;
    for (auto& row : m_rows)
        for (auto& cell : row)
            if (cell)
                cell->font = font;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
    if (m_hWnd == nullptr)
        return;
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font.m_hObject);
    SIZE space{};
    ::GetTextExtentPoint32A(dc, " ", 1, &space);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    m_nMargin = space.cx;
    m_nDefRowHeight = tm.tmHeight + tm.tmExternalLeading + 2 * m_nMargin;
    m_nDefColWidth = 12 * tm.tmAveCharWidth + 2 * m_nMargin;
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    LOGFONTA lf{};
    HFONT font = reinterpret_cast<HFONT>(wParam);
    if (font == nullptr || !::GetObjectA(font, sizeof lf, &lf))
        return result;
    ApplyFont(lf);
    if (LOWORD(lParam))
        Refresh();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font.m_hObject);
}

void CGridCtrl::ReadSystemColours(COLORREF out[4]) const
{
    out[0] = ::GetSysColor(COLOR_WINDOWTEXT);
    out[1] = ::GetSysColor(COLOR_WINDOW);
    out[2] = ::GetSysColor(COLOR_BTNFACE);
    out[3] = ::GetSysColor(COLOR_BTNSHADOW);
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    // A colour still equal to the system colour it was taken from follows
    // the system; one the owner chose stays.
    COLORREF now[4];
    ReadSystemColours(now);
    if (m_crTextColour == m_crSystem[0])
        m_crTextColour = now[0];
    if (m_crFixedTextColour == m_crSystem[0])
        m_crFixedTextColour = now[0];
    if (m_crTextBkColour == m_crSystem[1])
        m_crTextBkColour = now[1];
    if (m_crBkColour == m_crSystem[3])
        m_crBkColour = now[3];
    if (m_crFixedBkColour == m_crSystem[2])
        m_crFixedBkColour = now[2];
    std::copy(now, now + 4, m_crSystem);
}

void CGridCtrl::OnSettingChange(UINT flags, LPCSTR section)
{
    CWnd::OnSettingChange(flags, section);
    OnSysColorChange();
    ReadWheelScrollLines();
}

void CGridCtrl::ReadWheelScrollLines()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        m_nWheelLines = 3;
        return;
    }
    char buffer[128] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key, "WheelScrollLines", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
        ERROR_SUCCESS) {
        buffer[sizeof buffer - 1] = '\0';
        m_nWheelLines = static_cast<int>(strtoul(buffer, nullptr, 10));
    }
    ::RegCloseKey(key);
}

void CGridCtrl::SetRedraw(BOOL allow, BOOL resetScrollBars)
{
    m_bAllowDraw = allow;
    if (allow && resetScrollBars)
        ResetScrollBars();
    if (allow)
        Refresh();
}

void CGridCtrl::EnableSelection(BOOL on)
{
    ResetSelectedRange();
    m_bEnableSelection = on;
}

// ---- counts ---------------------------------------------------------------------------------------

CGridCellItem* CGridCtrl::CreateCell(int row, int col)
{
    auto* cell = new CGridCellItem;
    cell->font = m_logFont;
    // A new cell takes the format of the one above it; the row headings never do.
    if (row > 0 && col > 0 && col < m_nCols)
        if (CGridCellItem* above = GetCell(row - 1, col))
            cell->format = above->format;
    return cell;
}

void CGridCtrl::EmptyCell(CGridCellItem* cell, int row, int col)
{
    if (cell == nullptr)
        return;
    SetCellState(row, col, 0);
    cell->text.Empty();
}

BOOL CGridCtrl::SetNumberOfRows(int n)
{
    if (n < 0)
        return FALSE;
    if (n == m_nRows)
        return TRUE;
    if (n < m_nFixedRows)
        m_nFixedRows = n;
    if (m_idCurrentCell.row >= n)
        SetFocusCell(-1, -1);
    const int old = m_nRows;
    if (n < old) {
        for (int r = n; r < old; ++r)
            for (int c = 0; c < m_nCols; ++c)
                EmptyCell(GetCell(r, c), r, c);
        m_rows.resize(n);
        m_rowHeights.resize(n);
        m_nRows = n;
    } else {
        m_nRows = n;
        m_rows.resize(n);
        m_rowHeights.resize(n, m_nDefRowHeight);
        for (int r = old; r < n; ++r) {
            m_rows[r].resize(m_nCols);
            for (int c = 0; c < m_nCols; ++c)
                m_rows[r][c].reset(CreateCell(r, c));
        }
    }
    if (m_hWnd && m_bAllowDraw) {
        ResetScrollBars();
        Refresh();
    }
    return TRUE;
}

BOOL CGridCtrl::SetNumberOfColumns(int n)
{
    if (n < 0)
        return FALSE;
    if (n == m_nCols)
        return TRUE;
    if (n < m_nFixedCols)
        m_nFixedCols = n;
    if (m_idCurrentCell.col >= n)
        SetFocusCell(-1, -1);
    const int old = m_nCols;
    if (n < old) {
        for (int r = 0; r < m_nRows; ++r)
            for (int c = n; c < old; ++c)
                EmptyCell(GetCell(r, c), r, c);
        for (auto& row : m_rows)
            row.resize(n);
        m_colWidths.resize(n);
        m_nCols = n;
    } else {
        m_nCols = n;
        m_colWidths.resize(n, m_nDefColWidth);
        for (int r = 0; r < m_nRows; ++r) {
            m_rows[r].resize(n);
            for (int c = old; c < n; ++c)
                m_rows[r][c].reset(CreateCell(r, c));
        }
    }
    if (m_hWnd && m_bAllowDraw) {
        ResetScrollBars();
        Refresh();
    }
    return TRUE;
}

BOOL CGridCtrl::SetNumberOfFixedRows(int n)
{
    if (n < 0)
        return FALSE;
    if (n > m_nRows && !SetNumberOfRows(n))
        return FALSE;
    if (m_idCurrentCell.IsValid() && m_idCurrentCell.row < n)
        SetFocusCell(-1, -1);
    m_nFixedRows = n;
    if (m_hWnd && m_bAllowDraw)
        Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetNumberOfFixedColumns(int n)
{
    if (n < 0)
        return FALSE;
    if (n > m_nCols && !SetNumberOfColumns(n))
        return FALSE;
    if (m_idCurrentCell.IsValid() && m_idCurrentCell.col < n)
        SetFocusCell(-1, -1);
    m_nFixedCols = n;
    if (m_hWnd && m_bAllowDraw)
        Refresh();
    return TRUE;
}

namespace {

// The extent of a heading text in the grid font at weight 600.
CSize HeadingExtent(HWND wnd, const LOGFONTA& base, LPCSTR text)
{
    LOGFONTA lf = base;
    lf.lfWeight = 600;
    HFONT font = ::CreateFontIndirectA(&lf);
    HDC dc = ::GetDC(wnd);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    const std::string s = text ? text : "";
    ::GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(wnd, dc);
    ::DeleteObject(font);
    return CSize(size.cx, size.cy);
}

}  // namespace

int CGridCtrl::InsertRow(LPCSTR heading, int position)
{
    if (position >= m_nRows)
        return -1;
    if (position < 0)
        position = m_nRows;
    ResetSelectedRange();
    if (m_nCols == 0)
        SetNumberOfColumns(1);

    std::vector<std::unique_ptr<CGridCellItem>> row(m_nCols);
    m_rows.insert(m_rows.begin() + position, std::move(row));
    m_rowHeights.insert(m_rowHeights.begin() + position, m_nDefRowHeight);
    ++m_nRows;
    for (int c = 0; c < m_nCols; ++c)
        m_rows[position][c].reset(CreateCell(position, c));
    m_rows[position][0]->text = heading ? heading : "";
    m_rowHeights[position] = HeadingExtent(m_hWnd, m_logFont, heading).cy + 2 * m_nMargin;
    if (m_idCurrentCell.IsValid() && m_idCurrentCell.row >= position)
        ++m_idCurrentCell.row;
    ResetScrollBars();
    return position;
}

int CGridCtrl::InsertColumn(LPCSTR heading, UINT format, int position)
{
    if (position >= m_nCols)
        return -1;
    if (position < 0)
        position = m_nCols;
    ResetSelectedRange();
    if (m_nRows == 0)
        SetNumberOfRows(1);

    m_colWidths.insert(m_colWidths.begin() + position, m_nDefColWidth);
    ++m_nCols;
    for (int r = 0; r < m_nRows; ++r) {
        m_rows[r].insert(m_rows[r].begin() + position, std::unique_ptr<CGridCellItem>(CreateCell(r, position)));
        m_rows[r][position]->format = format;
    }
    m_rows[0][position]->text = heading ? heading : "";
    m_colWidths[position] = HeadingExtent(m_hWnd, m_logFont, heading).cx + 2 * m_nMargin;
    if (m_idCurrentCell.IsValid() && m_idCurrentCell.col >= position)
        ++m_idCurrentCell.col;
    ResetScrollBars();
    return position;
}

void CGridCtrl::DeleteAllCells()
{
    ResetSelectedRange();
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c)
            EmptyCell(GetCell(r, c), r, c);
    m_rows.clear();
    m_rowHeights.clear();
    m_colWidths.clear();
    m_nRows = m_nCols = m_nFixedRows = m_nFixedCols = 0;
    m_idCurrentCell = CGridCellId();
    ResetScrollBars();
}

// ---- cells ----------------------------------------------------------------------------------------

CGridCellItem* CGridCtrl::GetCell(int row, int col) const
{
    if (!IsValidCell(row, col) || row >= static_cast<int>(m_rows.size()) ||
        col >= static_cast<int>(m_rows[row].size()))
        return nullptr;
    return m_rows[row][col].get();
}

BOOL CGridCtrl::SetCell(int row, int col, CGridCellItem* cell)
{
    if (!IsValidCell(row, col) || cell == nullptr)
        return FALSE;
    m_rows[row][col].reset(cell);
    return TRUE;
}

BOOL CGridCtrl::SetItem(const GridItemInfo& item)
{
    CGridCellItem* cell = GetCell(item.row, item.col);
    if (cell == nullptr)
        return FALSE;
    if (item.mask & GVIF_TEXT)
        cell->text = item.text;
    if (item.mask & GVIF_PARAM)
        cell->data = item.data;
    if (item.mask & GVIF_IMAGE)
        cell->image = item.image;
    if (item.mask & GVIF_FORMAT)
        cell->format = item.format;
    if (item.mask & GVIF_BKCLR)
        cell->bkColour = item.bkColour;
    if (item.mask & GVIF_FGCLR)
        cell->textColour = item.textColour;
    if (item.mask & GVIF_FONT)
        cell->font = item.font;
    if (item.mask & GVIF_CHECK) {
        cell->checkKind = item.checkKind;
        cell->state |= GVIS_READONLY;
    }
    if (item.mask & GVIF_STATE)
        SetCellState(item.row, item.col, item.state);
    return TRUE;
}

BOOL CGridCtrl::GetItem(GridItemInfo& item)
{
    const CGridCellItem* cell = GetCell(item.row, item.col);
    if (cell == nullptr)
        return FALSE;
    if (item.mask & GVIF_TEXT)
        item.text = GetCellText(item.row, item.col);
    if (item.mask & GVIF_PARAM)
        item.data = cell->data;
    if (item.mask & GVIF_IMAGE)
        item.image = cell->image;
    if (item.mask & GVIF_STATE)
        item.state = cell->state;
    if (item.mask & GVIF_FORMAT)
        item.format = cell->format;
    if (item.mask & GVIF_BKCLR)
        item.bkColour = cell->bkColour;
    if (item.mask & GVIF_FGCLR)
        item.textColour = cell->textColour;
    if (item.mask & GVIF_FONT)
        item.font = cell->font;
    if (item.mask & GVIF_CHECK)
        item.checkKind = cell->checkKind;
    return TRUE;
}

BOOL CGridCtrl::SetCellText(int row, int col, LPCSTR text)
{
    CGridCellItem* cell = GetCell(row, col);
    if (cell == nullptr)
        return FALSE;
    cell->text = text ? text : "";
    return TRUE;
}

CString CGridCtrl::GetCellText(int row, int col) const
{
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->text : CString();
}

BOOL CGridCtrl::SetCellState(int row, int col, UINT state)
{
    CGridCellItem* cell = GetCell(row, col);
    if (cell == nullptr)
        return FALSE;
    const DWORD key = SelectionKey(row, col);
    const bool was = (cell->state & GVIS_SELECTED) != 0;
    const bool now = (state & GVIS_SELECTED) != 0;
    if (was && !now)
        m_selectedCells.erase(key);
    else if (!was && now)
        m_selectedCells[key] = CGridCellId(row, col);
    // A check box is never edited in place: it stays read-only.
    if (cell->checkKind != 0)
        state |= GVIS_READONLY;
    cell->state = state;
    return TRUE;
}

UINT CGridCtrl::GetCellState(int row, int col) const
{
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->state : 0;
}

#define GRID_CELL_ACCESSOR(Name, Type, member, fallback)      \
    BOOL CGridCtrl::Set##Name(int row, int col, Type value)   \
    {                                                         \
        CGridCellItem* cell = GetCell(row, col);              \
        if (cell == nullptr)                                  \
            return FALSE;                                     \
        cell->member = value;                                 \
        return TRUE;                                          \
    }                                                         \
    Type CGridCtrl::Get##Name(int row, int col) const         \
    {                                                         \
        const CGridCellItem* cell = GetCell(row, col);        \
        return cell ? cell->member : (fallback);              \
    }

GRID_CELL_ACCESSOR(CellFormat, UINT, format, 0)
GRID_CELL_ACCESSOR(CellImage, int, image, -1)
GRID_CELL_ACCESSOR(CellData, LPARAM, data, 0)
GRID_CELL_ACCESSOR(CellBkColour, COLORREF, bkColour, 0)
GRID_CELL_ACCESSOR(CellTextColour, COLORREF, textColour, 0)
#undef GRID_CELL_ACCESSOR

BOOL CGridCtrl::SetCellFont(int row, int col, const LOGFONTA* font)
{
    CGridCellItem* cell = GetCell(row, col);
    if (cell == nullptr || font == nullptr)
        return FALSE;
    cell->font = *font;
    return TRUE;
}

const LOGFONTA* CGridCtrl::GetCellFont(int row, int col) const
{
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? &cell->font : nullptr;
}

BOOL CGridCtrl::SetCheck(int row, int col, BOOL checked)
{
    CGridCellItem* cell = GetCell(row, col);
    if (cell == nullptr || cell->checkKind == 0)
        return FALSE;
    cell->text = checked ? "1" : "0";
    SendMessageToParent(-1, -1, GVN_CONTENTCHANGED);
    return TRUE;
}

BOOL CGridCtrl::GetCheck(int row, int col) const
{
    const CGridCellItem* cell = GetCell(row, col);
    return cell != nullptr && cell->checkKind != 0 && cell->text == "1";
}

BOOL CGridCtrl::ToggleCheck(int row, int col)
{
    const CGridCellItem* cell = GetCell(row, col);
    if (cell == nullptr || cell->checkKind == 0)
        return FALSE;
    SetCheck(row, col, !GetCheck(row, col));
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::IsValidRange(const CCellRange& r) const
{
    return r.minRow >= 0 && r.minCol >= 0 && r.maxRow >= 0 && r.maxCol >= 0 && r.maxRow < m_nRows &&
           r.maxCol < m_nCols && r.minRow <= r.maxRow && r.minCol <= r.maxCol;
}

BOOL CGridCtrl::IsCellEditable(int row, int col) const
{
    return m_bEditable && row >= m_nFixedRows && col >= m_nFixedCols && IsValidCell(row, col) &&
           !(GetCellState(row, col) & GVIS_READONLY);
}

// ---- sizes ----------------------------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int row) const
{
    return row >= 0 && row < m_nRows ? m_rowHeights[row] : -1;
}

int CGridCtrl::GetColumnWidth(int col) const
{
    return col >= 0 && col < m_nCols ? m_colWidths[col] : -1;
}

BOOL CGridCtrl::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRows || height < 0)
        return FALSE;
    m_rowHeights[row] = height;
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols || width < 0)
        return FALSE;
    m_colWidths[col] = width;
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int h = 0;
    for (int r = 0; r < m_nFixedRows; ++r)
        h += m_rowHeights[r];
    return h;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int w = 0;
    for (int c = 0; c < m_nFixedCols; ++c)
        w += m_colWidths[c];
    return w;
}

long CGridCtrl::GetVirtualHeight() const
{
    long h = 0;
    for (int v : m_rowHeights)
        h += v;
    return h;
}

long CGridCtrl::GetVirtualWidth() const
{
    long w = 0;
    for (int v : m_colWidths)
        w += v;
    return w;
}

// ---- notifications ----------------------------------------------------------------------------------

LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code)
{
    if (!::IsWindow(m_hWnd))
        return 0;
    CWnd* owner = GetOwner();
    if (owner == nullptr || !::IsWindow(owner->GetSafeHwnd()))
        return 0;
    GridNotifyInfo info{};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = static_cast<UINT>(code);
    info.row = row;
    info.col = col;
    return ::SendMessageA(owner->GetSafeHwnd(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}
