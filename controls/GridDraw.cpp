// The grid's geometry and painting: cell rectangles and hit testing, the
// double-buffered paint, the look of fixed and scrollable cells, scroll bars
// that scroll by whole cells, the mouse wheel and the sizing operations.
#include "controls/GridCtrl.h"

#include <algorithm>

#include "framework/ImageList.h"

namespace {

// Draws into an off-screen bitmap over the target's clip box and copies it
// back when it goes; a printing target is drawn on directly.
class CGridMemoryDC : public CDC {
public:
    explicit CGridMemoryDC(CDC* target) : m_target(target), m_offScreen(!target->IsPrinting())
    {
        if (!m_offScreen) {
            m_hDC = target->m_hDC;
            m_hAttribDC = target->m_hAttribDC;
            return;
        }
        target->GetClipBox(&m_rect);
        CreateCompatibleDC(target);
        m_bitmap.CreateCompatibleBitmap(target, std::max(1, m_rect.Width()), std::max(1, m_rect.Height()));
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    }
    ~CGridMemoryDC() override
    {
        if (m_offScreen) {
            m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                             m_rect.top, SRCCOPY);
            SelectObject(m_oldBitmap);
        } else {
            m_hDC = m_hAttribDC = nullptr;
        }
    }

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_target;
    CRect m_rect;
    bool m_offScreen;
};

}  // namespace

// ---- geometry --------------------------------------------------------------------------------------

int CGridCtrl::FirstScrolledAlong(int bar) const
{
    const int pos = m_hWnd ? GetScrollPos(bar) : 0;
    int index = FixedAlong(bar);
    for (int edge = 0; edge < pos && index < CountAlong(bar) - 1; ++index)
        edge += ExtentAlong(bar, index);
    return index;
}

int CGridCtrl::OffsetAlong(int bar, int index, int first) const
{
    const bool fixed = index < FixedAlong(bar);
    int offset = fixed ? 0 : FixedExtentAlong(bar);
    for (int i = fixed ? 0 : first; i < index; ++i)
        offset += ExtentAlong(bar, i);
    return offset;
}

int CGridCtrl::IndexAtAlong(int bar, int pos, int first, BOOL allowFixed) const
{
    const int fixedExtent = FixedExtentAlong(bar);
    if (pos < 0 || (!allowFixed && pos < fixedExtent))
        return -1;
    const bool fixed = pos < fixedExtent;
    const int end = fixed ? FixedAlong(bar) : CountAlong(bar);
    int edge = fixed ? 0 : fixedExtent;
    int index = fixed ? 0 : first;
    for (; index < end; ++index) {
        edge += ExtentAlong(bar, index);
        if (edge > pos)
            break;
    }
    return (!fixed && index >= end) ? -1 : index;
}

int CGridCtrl::LastShownAlong(int bar, int first, int limit, int* end) const
{
    int edge = FixedExtentAlong(bar);
    int last = first;
    for (int i = first; i < CountAlong(bar); ++i) {
        edge += ExtentAlong(bar, i);
        last = i;
        if (edge >= limit) {
            edge = limit;
            break;
        }
    }
    *end = edge;
    return std::min(last, CountAlong(bar) - 1);
}

CGridCellId CGridCtrl::GetTopLeftNonFixedCell() const
{
    return CGridCellId(FirstScrolledAlong(SB_VERT), FirstScrolledAlong(SB_HORZ));
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT rect) const
{
    CRect client;
    GetGridClientRect(&client);
    const CGridCellId topLeft = GetTopLeftNonFixedCell();
    int right = 0;
    int bottom = 0;
    const int maxRow = LastShownAlong(SB_VERT, topLeft.row, client.bottom, &bottom);
    const int maxCol = LastShownAlong(SB_HORZ, topLeft.col, client.right, &right);
    if (rect)
        ::SetRect(rect, 0, 0, right, bottom);
    return CCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

BOOL CGridCtrl::GetCellOrigin(int row, int col, LPPOINT p) const
{
    if (!IsValidCell(row, col))
        return FALSE;
    const CGridCellId topLeft = (col < m_nFixedCols && row < m_nFixedRows) ? CGridCellId() : GetTopLeftNonFixedCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
        return FALSE;
    CRect client;
    GetGridClientRect(&client);
    p->x = client.left + OffsetAlong(SB_HORZ, col, topLeft.col);
    p->y = client.top + OffsetAlong(SB_VERT, row, topLeft.row);
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int row, int col, LPRECT rect) const
{
    POINT p;
    if (!GetCellOrigin(row, col, &p))
        return FALSE;
    rect->left = p.x;
    rect->top = p.y;
    rect->right = p.x + GetColumnWidth(col) - 1;
    rect->bottom = p.y + GetRowHeight(row) - 1;
    return TRUE;
}

CGridCellId CGridCtrl::GetCellFromPt(CPoint p, BOOL allowFixed) const
{
    CRect client;
    GetGridClientRect(&client);
    if (!client.PtInRect(p))
        return CGridCellId();
    const CGridCellId topLeft = GetTopLeftNonFixedCell();
    CGridCellId cell;
    cell.col = IndexAtAlong(SB_HORZ, p.x, topLeft.col, allowFixed);
    cell.row = IndexAtAlong(SB_VERT, p.y, topLeft.row, allowFixed);
    if (!cell.IsValid())
        return CGridCellId();
    return cell;
}

BOOL CGridCtrl::IsCellVisible(int row, int col) const
{
    if (m_hWnd == nullptr)
        return FALSE;
    POINT p;
    if (!GetCellOrigin(row, col, &p))
        return FALSE;
    CRect client;
    GetGridClientRect(&client);
    return p.x < client.right && p.y < client.bottom;
}

BOOL CGridCtrl::InvalidateCellRect(const CGridCellId& cell)
{
    if (m_hWnd == nullptr || !m_bAllowDraw || !IsCellVisible(cell.row, cell.col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(cell.row, cell.col, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

void CGridCtrl::Refresh(BOOL erase)
{
    if (m_hWnd && m_bAllowDraw)
        Invalidate(erase);
}

// ---- painting --------------------------------------------------------------------------------------

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CGridMemoryDC memory(&dc);
        OnDraw(&memory);
    } else {
        OnDraw(&dc);
    }
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the paint covers everything
}

void CGridCtrl::EraseBackground(CDC* dc)
{
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    CRect visible;
    GetVisibleNonFixedCellRange(&visible);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    CBrush fixedBrush(m_crFixedBkColour), textBrush(m_crTextBkColour), backBrush(m_crBkColour);

    CRect rect(clip.left, clip.top, fixedWidth, visible.bottom);
    if (!rect.IsRectEmpty())
        dc->FillRect(&rect, &fixedBrush);
    rect.SetRect(fixedWidth - 1, clip.top, visible.right, fixedHeight);
    if (!rect.IsRectEmpty())
        dc->FillRect(&rect, &fixedBrush);
    rect.SetRect(std::max<long>(fixedWidth, clip.left), std::max<long>(fixedHeight, clip.top),
                 std::min(visible.right, clip.right), std::min(visible.bottom, clip.bottom));
    if (!rect.IsRectEmpty())
        dc->FillRect(&rect, &textBrush);
    if (visible.right < clip.right) {
        rect.SetRect(visible.right, clip.top, clip.right, clip.bottom);
        dc->FillRect(&rect, &backBrush);
    }
    if (visible.bottom < clip.bottom) {
        rect.SetRect(clip.left, visible.bottom, visible.right, clip.bottom);
        dc->FillRect(&rect, &backBrush);
    }
}

// Draws rows firstRow..lastRow by columns firstCol..lastCol from the corner at origin, leaving
// out the cells outside the clip box.
void CGridCtrl::DrawBlock(CDC* dc, const CRect& clip, int firstRow, int lastRow, int firstCol, int lastCol,
                          CPoint origin, bool fixed)
{
    CRect rect;
    rect.bottom = origin.y - 1;
    for (int r = firstRow; r <= lastRow && r >= 0; ++r) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(r) - 1;
        if (rect.top > clip.bottom)
            break;
        if (rect.bottom < clip.top)
            continue;
        rect.right = origin.x - 1;
        for (int c = firstCol; c <= lastCol && c >= 0; ++c) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(c) - 1;
            if (rect.left > clip.right)
                break;
            if (rect.right < clip.left)
                continue;
            if (fixed)
                DrawFixedCell(dc, r, c, rect);
            else
                DrawCell(dc, r, c, rect);
        }
    }
}

void CGridCtrl::OnDraw(CDC* dc)
{
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    EraseBackground(dc);

    CRect visibleRect;
    const CCellRange visible = GetVisibleNonFixedCellRange(&visibleRect);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    DrawBlock(dc, clip, 0, m_nFixedRows - 1, 0, m_nFixedCols - 1, CPoint(0, 0), true);   // the corner
    // The row headings of the visible rows, the column headings of the visible columns.
    DrawBlock(dc, clip, visible.minRow, visible.maxRow, 0, m_nFixedCols - 1, CPoint(0, fixedHeight), true);
    DrawBlock(dc, clip, 0, m_nFixedRows - 1, visible.minCol, visible.maxCol, CPoint(fixedWidth, 0), true);
    // The scrollable cells.
    DrawBlock(dc, clip, visible.minRow, visible.maxRow, visible.minCol, visible.maxCol, CPoint(fixedWidth, fixedHeight),
              false);

    // The grid lines.
    HPEN pen = ::CreatePen(PS_SOLID, 0, m_crGridColour);
    if (pen == nullptr)
        return;
    HGDIOBJ oldPen = ::SelectObject(dc->m_hDC, pen);
    if (m_nGridLines == 2 || m_nGridLines == 3) {
        int x = fixedWidth;
        for (int c = visible.minCol; c <= visible.maxCol && c >= 0; ++c) {
            x += GetColumnWidth(c);
            ::MoveToEx(dc->m_hDC, x - 1, fixedHeight, nullptr);
            ::LineTo(dc->m_hDC, x - 1, visibleRect.bottom);
        }
    }
    if (m_nGridLines == 1 || m_nGridLines == 3) {
        int y = fixedHeight;
        for (int r = visible.minRow; r <= visible.maxRow && r >= 0; ++r) {
            y += GetRowHeight(r);
            ::MoveToEx(dc->m_hDC, fixedWidth, y - 1, nullptr);
            ::LineTo(dc->m_hDC, visibleRect.right, y - 1);
        }
    }
    ::SelectObject(dc->m_hDC, ::GetStockObject(NULL_PEN));
    ::SelectObject(dc->m_hDC, oldPen);
    ::DeleteObject(pen);
}

namespace {

// The part fixed and scrollable cells share: image, check box or text.
void DrawCellContent(CDC* dc, const GridItemInfo& item, CRect rect, CImageList* images, int margin, bool enabled)
{
    dc->SetBkMode(TRANSPARENT);
    rect.DeflateRect(margin, 0);
    if (images != nullptr && item.image >= 0) {
        IMAGEINFO info{};
        if (images->GetImageInfo(item.image, &info)) {
            images->Draw(dc, item.image, rect.TopLeft(), ILD_NORMAL);
            rect.left += (info.rcImage.right - info.rcImage.left) + margin;
        }
    }
    if (item.checkKind != 0) {
        const int saved = dc->SaveDC();
        dc->IntersectClipRect(&rect);
        TEXTMETRICA tm{};
        ::GetTextMetricsA(dc->m_hDC, &tm);
        const int size = std::min<long>(tm.tmHeight, rect.Height());
        CRect box(rect.left, rect.top + (rect.Height() - size) / 2, rect.left + size,
                  rect.top + (rect.Height() - size) / 2 + size);
        UINT state = DFCS_BUTTONCHECK;
        if (item.text == "1")
            state |= DFCS_CHECKED;
        if (!enabled)
            state |= DFCS_INACTIVE;
        dc->DrawFrameControl(&box, DFC_BUTTON, state);
        dc->RestoreDC(saved);
        return;
    }
    if (enabled) {
        dc->DrawText(item.text, &rect, item.format | DT_NOPREFIX);
    } else {
        CRect shifted = rect;
        shifted.OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(item.text, &shifted, item.format | DT_NOPREFIX);
        dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        dc->DrawText(item.text, &rect, item.format | DT_NOPREFIX);
    }
}

}  // namespace

BOOL CGridCtrl::DrawFixedCell(CDC* dc, int row, int col, CRect rect, BOOL erase)
{
    if (!m_bAllowDraw)
        return FALSE;
    GridItemInfo item;
    item.mask = GVIF_TEXT | GVIF_FORMAT | GVIF_IMAGE | GVIF_BKCLR | GVIF_FGCLR | GVIF_FONT | GVIF_CHECK;
    item.row = row;
    item.col = col;
    if (!GetItem(item))
        return FALSE;
    if (item.bkColour != CLR_DEFAULT)
        erase = TRUE;
    const bool printing = dc->IsPrinting() != FALSE;
    if (!printing && erase) {
        const COLORREF back = item.bkColour == CLR_DEFAULT ? m_crFixedBkColour : item.bkColour;
        dc->FillSolidRect(&rect, back);
    }
    dc->SetTextColor(item.textColour == CLR_DEFAULT ? m_crFixedTextColour : item.textColour);

    const int saved = dc->SaveDC();
    const bool enabled = IsWindowEnabled() != FALSE;
    const bool shared = m_idCurrentCell.IsValid() && (m_idCurrentCell.row == row || m_idCurrentCell.col == col);
    LOGFONTA lf = item.font;
    if (enabled && shared)
        lf.lfWeight = 600;
    HFONT font = ::CreateFontIndirectA(&lf);
    ::SelectObject(dc->m_hDC, font);

    CRect border = rect;
    border.right++;
    border.bottom++;
    if (enabled && shared)
        dc->DrawEdge(&border, EDGE_RAISED, BF_RECT);
    else
        dc->Draw3dRect(&border, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    rect.DeflateRect(1, 1);
    DrawCellContent(dc, item, rect, m_pImageList, m_nMargin, enabled);
    dc->RestoreDC(saved);
    ::DeleteObject(font);
    return TRUE;
}

BOOL CGridCtrl::DrawCell(CDC* dc, int row, int col, CRect rect, BOOL erase)
{
    if (!m_bAllowDraw)
        return FALSE;
    GridItemInfo item;
    item.mask = GVIF_TEXT | GVIF_FORMAT | GVIF_STATE | GVIF_IMAGE | GVIF_BKCLR | GVIF_FGCLR | GVIF_FONT | GVIF_CHECK;
    item.row = row;
    item.col = col;
    if (!GetItem(item))
        return FALSE;
    const COLORREF back = item.bkColour == CLR_DEFAULT ? m_crTextBkColour : item.bkColour;
    const COLORREF text = item.textColour == CLR_DEFAULT ? m_crTextColour : item.textColour;
    if (item.bkColour != CLR_DEFAULT)
        erase = TRUE;

    const int saved = dc->SaveDC();
    const bool printing = dc->IsPrinting() != FALSE;
    const bool enabled = IsWindowEnabled() != FALSE;
    CRect grown = rect;
    grown.right++;
    grown.bottom++;
    if (enabled && !printing && (item.state & GVIS_FOCUSED)) {
        if (erase)
            dc->FillSolidRect(&grown, back);
        ::SelectObject(dc->m_hDC, ::GetStockObject(BLACK_PEN));
        ::SelectObject(dc->m_hDC, ::GetStockObject(NULL_BRUSH));
        dc->Rectangle(&rect);
        dc->SetTextColor(text);
        rect.DeflateRect(1, 1);
    } else if (enabled && !printing && (item.state & GVIS_SELECTED)) {
        dc->FillSolidRect(&grown, ::GetSysColor(COLOR_HIGHLIGHT));
        dc->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (enabled || printing) {
        if (erase)
            dc->FillSolidRect(&grown, back);
        dc->SetTextColor(text);
    } else {
        dc->FillSolidRect(&grown, ::GetSysColor(COLOR_BTNFACE));
    }
    if (item.state & GVIS_DROPHILITED) {
        ::SelectObject(dc->m_hDC, ::GetStockObject(BLACK_PEN));
        ::SelectObject(dc->m_hDC, ::GetStockObject(NULL_BRUSH));
        dc->Rectangle(&rect);
    }
    HFONT font = ::CreateFontIndirectA(&item.font);
    ::SelectObject(dc->m_hDC, font);
    DrawCellContent(dc, item, rect, m_pImageList, m_nMargin, enabled);
    dc->RestoreDC(saved);
    ::DeleteObject(font);
    return TRUE;
}

BOOL CGridCtrl::RedrawCell(int row, int col, CDC* dc)
{
    if (!m_bAllowDraw || !IsCellVisible(row, col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return FALSE;
    CDC* own = nullptr;
    if (dc == nullptr) {
        own = GetDC();
        dc = own;
    }
    if (dc == nullptr) {
        InvalidateRect(&rect, TRUE);
        return TRUE;
    }
    if (IsCellFixed(row, col))
        DrawFixedCell(dc, row, col, rect, TRUE);
    else
        DrawCell(dc, row, col, rect, TRUE);
    HPEN pen = ::CreatePen(PS_SOLID, 0, m_crGridColour);
    HGDIOBJ old = ::SelectObject(dc->m_hDC, pen);
    if (m_nGridLines == 1 || m_nGridLines == 3) {
        ::MoveToEx(dc->m_hDC, rect.left, rect.bottom, nullptr);
        ::LineTo(dc->m_hDC, rect.right + 1, rect.bottom);
    }
    if (m_nGridLines == 2 || m_nGridLines == 3) {
        ::MoveToEx(dc->m_hDC, rect.right, rect.top, nullptr);
        ::LineTo(dc->m_hDC, rect.right, rect.bottom + 1);
    }
    ::SelectObject(dc->m_hDC, old);
    ::DeleteObject(pen);
    if (own)
        ReleaseDC(own);
    return TRUE;
}

// ---- scroll bars -----------------------------------------------------------------------------------

void CGridCtrl::ResetScrollBars()
{
    if (!m_bAllowDraw || m_hWnd == nullptr)
        return;
    CRect visible;
    GetGridClientRect(&visible);
    visible.left += GetFixedColumnWidth();
    visible.top += GetFixedRowHeight();
    if (visible.IsRectEmpty())
        return;
    const long scrollWidth = GetVirtualWidth() - GetFixedColumnWidth();
    const long scrollHeight = GetVirtualHeight() - GetFixedRowHeight();

    SCROLLINFO info{};
    info.fMask = SIF_PAGE;
    info.nPage = static_cast<UINT>(visible.Width());
    SetScrollInfo(SB_HORZ, &info, FALSE);
    info.nPage = static_cast<UINT>(visible.Height());
    SetScrollInfo(SB_VERT, &info, FALSE);

    m_nHScrollMax = visible.Width() < scrollWidth ? static_cast<int>(scrollWidth - 1) : 0;
    m_nVScrollMax = visible.Height() < scrollHeight ? static_cast<int>(scrollHeight - 1) : 0;
    info.fMask = SIF_RANGE;
    info.nMin = 0;
    info.nMax = m_nHScrollMax;
    SetScrollInfo(SB_HORZ, &info, FALSE);
    info.nMax = m_nVScrollMax;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

void CGridCtrl::OnSize(UINT type, int cx, int cy)
{
    if (::GetFocus() != m_hWnd && ::IsWindowVisible(m_hWnd))
        SetFocus();  // ends an edit in progress
    CWnd::OnSize(type, cx, cy);
    ResetScrollBars();
}

void CGridCtrl::OnHScroll(UINT code, UINT, CScrollBar*) { ScrollAlong(SB_HORZ, code); }

void CGridCtrl::OnVScroll(UINT code, UINT, CScrollBar*) { ScrollAlong(SB_VERT, code); }

// One scroll-bar request along either axis. The line steps scroll by the
// width (height) of the column (row) that enters or leaves and repaint only
// the strip uncovered; the other steps repaint the whole scrollable area.
void CGridCtrl::ScrollAlong(int bar, UINT code)
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
    const bool horizontal = bar == SB_HORZ;
    const int pos = GetScrollPos(bar);
    const int maximum = horizontal ? m_nHScrollMax : m_nVScrollMax;
    const CGridCellId topLeft = GetTopLeftNonFixedCell();
    CRect area;
    GetGridClientRect(&area);
    if (horizontal)
        area.left += GetFixedColumnWidth();
    else
        area.top += GetFixedRowHeight();
    const int page = horizontal ? area.Width() : area.Height();
    // The extent of a column or row, and a strip of that extent at one end of the area.
    const auto extent = [&](int index) { return horizontal ? GetColumnWidth(index) : GetRowHeight(index); };
    const auto strip = [&](int size, bool atStart) {
        CRect r = area;
        if (horizontal && atStart)
            r.right = area.left + size;
        else if (horizontal)
            r.left = area.right - size;
        else if (atStart)
            r.bottom = area.top + size;
        else
            r.top = area.bottom - size;
        return r;
    };
    SCROLLINFO info{};
    info.fMask = SIF_POS;
    const auto setPos = [&](int p) {
        info.nPos = p;
        SetScrollInfo(bar, &info);
    };
    switch (code) {
    case SB_LINEUP:   // SB_LINELEFT
        if (pos >= 1 && (horizontal ? topLeft.col > m_nFixedCols : topLeft.row > m_nFixedRows)) {
            const int d = extent(horizontal ? topLeft.col - 1 : topLeft.row - 1);
            setPos(std::max(pos - d, 0));
            ScrollWindow(horizontal ? d : 0, horizontal ? 0 : d, &area, &area);
            CRect uncovered = strip(d, true);
            InvalidateRect(&uncovered);
        }
        break;
    case SB_LINEDOWN:   // SB_LINERIGHT
        if (pos < maximum) {
            const int d = extent(horizontal ? topLeft.col : topLeft.row);
            setPos(pos + d);
            if (GetScrollPos(bar) != pos) {
                CRect moved = strip(horizontal ? area.Width() - d : area.Height() - d, false);
                ScrollWindow(horizontal ? -d : 0, horizontal ? 0 : -d, &moved, &area);
                CRect uncovered = strip(d, false);
                InvalidateRect(&uncovered);
            }
        }
        break;
    case SB_PAGEUP:   // SB_PAGELEFT
        if (pos >= 1) {
            setPos(std::max(pos - page, 0));
            InvalidateRect(&area);
        }
        break;
    case SB_PAGEDOWN:   // SB_PAGERIGHT
        if (pos < maximum) {
            setPos(std::min(pos + page, maximum));
            InvalidateRect(&area);
        }
        break;
    case SB_TOP:   // SB_LEFT
        if (pos > 0) {
            setPos(0);
            Refresh();
        }
        break;
    case SB_BOTTOM:   // SB_RIGHT
        if (pos < maximum) {
            setPos(maximum);
            Refresh();
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO track{};
        GetScrollInfo(bar, &track, SIF_TRACKPOS);
        setPos(track.nTrackPos);
        InvalidateRect(&area);
        break;
    }
    default:
        break;
    }
}

BOOL CGridCtrl::OnMouseWheel(UINT flags, short delta, CPoint p)
{
    if (m_nWheelLines == -1) {
        const int n = delta / 120;
        for (int i = 0; i < std::abs(n); ++i)
            PostMessage(WM_VSCROLL, n > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    } else {
        const int n = delta * m_nWheelLines / 120;
        for (int i = 0; i < std::abs(n); ++i)
            PostMessage(WM_VSCROLL, n > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    return CWnd::OnMouseWheel(flags, delta, p);
}

void CGridCtrl::EnsureVisible(int row, int col)
{
    HWND focus = ::GetFocus();
    const CCellRange visible = GetVisibleNonFixedCellRange();
    for (int i = 0; i < col - visible.maxCol; ++i)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    for (int i = 0; i < visible.minCol - col; ++i)
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    for (int i = 0; i < row - visible.maxRow; ++i)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = 0; i < visible.minRow - row; ++i)
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);

    CRect rect, client;
    if (GetCellRect(row, col, &rect)) {
        GetGridClientRect(&client);
        if (rect.right > client.right)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        if (rect.bottom > client.bottom)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
    if (focus != nullptr && ::IsWindow(focus) && ::GetFocus() != focus)
        ::SetFocus(focus);
}

// ---- sizing ----------------------------------------------------------------------------------------

void CGridCtrl::ExpandColumnsToFit()
{
    if (m_nCols <= 0)
        return;
    CRect client;
    GetGridClientRect(&client);
    const int d = client.Width() - static_cast<int>(GetVirtualWidth());
    const int n = m_nCols;
    for (int c = 0; c < n; ++c)
        m_colWidths[c] += d / n;
    if (d >= 1) {
        for (int c = 0; c < d % n; ++c)
            m_colWidths[c] += 1;
    } else {
        for (int c = 0; c < (-d) % n; ++c)
            m_colWidths[c] -= 1;
    }
    for (int& w : m_colWidths)
        w = std::max(w, 0);
    if (m_bAllowDraw)
        Refresh();
}

CSize CGridCtrl::GetCellExtent(int row, int col, CDC* dc)
{
    const CGridCellItem* cell = GetCell(row, col);
    if (cell == nullptr || dc == nullptr)
        return CSize(0, 0);
    LOGFONTA lf = cell->font;
    if (IsCellFixed(row, col))
        lf.lfWeight = 600;
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dc->m_hDC, font);
    const CString text = GetCellText(row, col);
    SIZE size{};
    ::GetTextExtentPoint32A(dc->m_hDC, text, text.GetLength(), &size);
    if (size.cy == 0) {
        TEXTMETRICA tm{};
        ::GetTextMetricsA(dc->m_hDC, &tm);
        size.cy = tm.tmHeight;
    }
    ::SelectObject(dc->m_hDC, old);
    ::DeleteObject(font);
    CSize extent(size.cx + 4 * m_nMargin, size.cy + 2 * m_nMargin);
    if (m_pImageList != nullptr && cell->image >= 0) {
        IMAGEINFO info{};
        if (m_pImageList->GetImageInfo(cell->image, &info)) {
            extent.cx += info.rcImage.right - info.rcImage.left;
            extent.cy = std::max<long>(extent.cy, info.rcImage.bottom - info.rcImage.top);
        }
    }
    return extent;
}

BOOL CGridCtrl::AutoSizeAlong(int bar, int index)
{
    if (index < 0 || index >= CountAlong(bar) || m_hWnd == nullptr)
        return FALSE;
    CDC* dc = GetDC();
    if (dc == nullptr)
        return FALSE;
    const bool column = bar == SB_HORZ;
    int size = 0;
    for (int k = 0; k < CountAlong(column ? SB_VERT : SB_HORZ); ++k) {
        const CSize extent = column ? GetCellExtent(k, index, dc) : GetCellExtent(index, k, dc);
        size = std::max<int>(size, column ? extent.cx : extent.cy);
    }
    (column ? m_colWidths : m_rowHeights)[index] = size;
    ReleaseDC(dc);
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeColumn(int col) { return AutoSizeAlong(SB_HORZ, col); }

BOOL CGridCtrl::AutoSizeRow(int row) { return AutoSizeAlong(SB_VERT, row); }

void CGridCtrl::AutoSizeColumns()
{
    for (int c = 0; c < m_nCols; ++c)
        AutoSizeColumn(c);
}

void CGridCtrl::AutoSizeRows()
{
    for (int r = 0; r < m_nRows; ++r)
        AutoSizeRow(r);
}

void CGridCtrl::AutoSize()
{
    if (m_hWnd == nullptr)
        return;
    CDC* dc = GetDC();
    if (dc == nullptr)
        return;
    std::fill(m_colWidths.begin(), m_colWidths.end(), 0);
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), 0);
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            const CSize extent = GetCellExtent(r, c, dc);
            m_colWidths[c] = std::max<int>(m_colWidths[c], extent.cx);
            m_rowHeights[r] = std::max<int>(m_rowHeights[r], extent.cy);
        }
    ReleaseDC(dc);
    if (m_bAllowDraw) {
        ResetScrollBars();
        Refresh();
    }
}
