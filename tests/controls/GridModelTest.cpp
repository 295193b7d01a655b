// The grid's cells, counts and layout: growing and shrinking, inserting rows
// and columns, the item record, the geometry of cells, fitting the columns to
// the window, and what painting puts where.
#include "GridTestSupport.h"

using namespace gridtest;

TEST(GridModel, CountsGrowShrinkAndClampTheFixedBandsAndTheFocus)
{
    CGridCtrl empty;
    EXPECT_EQ(empty.GetRowCount(), 0);
    EXPECT_EQ(empty.GetCell(0, 0), nullptr);
    EXPECT_EQ(empty.GetCellText(0, 0), "");
    // Fixed rows need rows: the first is made.
    EXPECT_TRUE(empty.SetNumberOfFixedRows(1));
    EXPECT_EQ(empty.GetRowCount(), 1);
    EXPECT_EQ(empty.GetFixedRowCount(), 1);

    GridOnWindow g(6, 4);
    g.grid.SetFocusCell(4, 2);
    g.grid.SetNumberOfRows(4);
    EXPECT_FALSE(g.grid.GetFocusCell().IsValid());
    EXPECT_EQ(g.grid.GetCell(4, 2), nullptr);
    g.grid.SetNumberOfFixedRows(3);
    g.grid.SetNumberOfRows(2);
    EXPECT_EQ(g.grid.GetFixedRowCount(), 2);
    g.grid.SetNumberOfRows(5);
    EXPECT_EQ(g.Text(4, 3), "");
    EXPECT_EQ(g.grid.GetRowHeight(4), g.grid.GetDefaultRowHeight());
    EXPECT_EQ(g.grid.GetRowHeight(5), -1);
    EXPECT_FALSE(g.grid.SetColumnWidth(1, -1));
    EXPECT_FALSE(g.grid.SetColumnWidth(9, 10));
}

TEST(GridModel, InsertRowAndColumnAndTheItemRecord)
{
    GridOnWindow g(5, 3);
    EXPECT_EQ(g.grid.InsertRow("late", 5), -1);
    EXPECT_EQ(g.grid.InsertRow("end", -1), 5);
    EXPECT_EQ(g.Text(5, 0), "end");
    g.grid.SetFocusCell(2, 1);
    EXPECT_EQ(g.grid.InsertRow("two", 2), 2);
    EXPECT_EQ(g.Text(3, 1), "2,1");
    EXPECT_FALSE(g.grid.GetFocusCell().IsValid());  // inserting clears the focus
    EXPECT_EQ(g.grid.InsertColumn("C", DT_RIGHT, 1), 1);
    EXPECT_EQ(g.grid.GetColumnCount(), 4);
    EXPECT_EQ(g.Text(0, 1), "C");
    EXPECT_EQ(g.grid.GetCellFormat(3, 1), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(g.Text(1, 2), "1,1");

    // A check box is read-only for good.
    GridItemInfo item;
    item.row = 2;
    item.col = 2;
    item.mask = GVIF_CHECK | GVIF_TEXT;
    item.checkKind = 1;
    item.text = "0";
    EXPECT_TRUE(g.grid.SetItem(item));
    g.grid.SetCellState(2, 2, 0);
    EXPECT_TRUE(g.grid.GetCellState(2, 2) & GVIS_READONLY);
    EXPECT_FALSE(g.grid.IsCellEditable(2, 2));
    EXPECT_TRUE(g.grid.ToggleCheck(2, 2));
    EXPECT_TRUE(g.grid.GetCheck(2, 2));
    EXPECT_FALSE(g.grid.ToggleCheck(1, 1));
    item.row = 99;
    EXPECT_FALSE(g.grid.SetItem(item));

    // New cells take the format of the cell above, except in the first column.
    g.grid.SetCellFormat(6, 0, DT_RIGHT);
    g.grid.SetCellFormat(6, 3, DT_CENTER);
    g.grid.SetNumberOfRows(8);
    EXPECT_EQ(g.grid.GetCellFormat(7, 0), 0u);
    EXPECT_EQ(g.grid.GetCellFormat(7, 3), static_cast<UINT>(DT_CENTER));
}

TEST(GridModel, FontSetsTheDefaultSizesAndTheMargin)
{
    GridOnWindow g;
    CFont font;
    font.CreatePointFont(200, "Arial");
    g.grid.SetFont(&font);
    HDC dc = ::GetDC(g.grid.GetSafeHwnd());
    HGDIOBJ old = ::SelectObject(dc, font.m_hObject);
    SIZE space{};
    ::GetTextExtentPoint32A(dc, " ", 1, &space);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(g.grid.GetSafeHwnd(), dc);
    EXPECT_EQ(g.grid.GetMargin(), space.cx);
    EXPECT_EQ(g.grid.GetDefaultRowHeight(), tm.tmHeight + tm.tmExternalLeading + 2 * space.cx);
    EXPECT_EQ(g.grid.GetDefaultColumnWidth(), 12 * tm.tmAveCharWidth + 2 * space.cx);
    EXPECT_EQ(g.grid.GetRowHeight(1), 20);  // existing rows keep their size
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(g.grid.SendMessage(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_STREQ(g.grid.GetCellFont(2, 2)->lfFaceName, "Arial");
}

TEST(GridLayout, CellGeometryHitTestingAndScrolling)
{
    GridOnWindow g(40, 12, 300, 200);
    CRect client;
    g.grid.GetClientRect(&client);
    CRect rect;
    ASSERT_TRUE(g.grid.GetCellRect(2, 3, &rect));
    EXPECT_EQ(rect, CRect(180, 40, 239, 59));  // inclusive corners
    EXPECT_EQ(g.grid.GetCellFromPt(CPoint(181, 41)), CGridCellId(2, 3));
    EXPECT_EQ(g.grid.GetCellFromPt(CPoint(5, 5)), CGridCellId(0, 0));
    EXPECT_EQ(g.grid.GetCellFromPt(CPoint(5, 25), FALSE).IsValid(), false);
    EXPECT_FALSE(g.grid.GetCellFromPt(CPoint(-1, 5)).IsValid());

    // A line down scrolls by one whole row; the last position scrolls no further.
    g.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(g.grid.GetScrollPos(SB_VERT), 20);
    EXPECT_EQ(g.grid.GetTopLeftNonFixedCell(), CGridCellId(2, 1));
    EXPECT_FALSE(g.grid.GetCellRect(1, 3, &rect));  // scrolled off above
    EXPECT_TRUE(g.grid.GetCellRect(0, 3, &rect));   // the headings stay
    g.grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    const int bottom = g.grid.GetScrollPos(SB_VERT);
    g.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(g.grid.GetScrollPos(SB_VERT), bottom);
    g.grid.SendMessage(WM_VSCROLL, SB_TOP, 0);

    // EnsureVisible brings a far cell fully into the client area.
    g.grid.EnsureVisible(30, 10);
    ASSERT_TRUE(g.grid.GetCellRect(30, 10, &rect));
    EXPECT_LE(rect.right, client.right);
    EXPECT_LE(rect.bottom, client.bottom);
    EXPECT_TRUE(g.grid.IsCellVisible(30, 10));
    EXPECT_FALSE(g.grid.IsCellVisible(1, 1));
}

TEST(GridLayout, ExpandColumnsToFitSharesTheDifferenceFromTheFirstColumn)
{
    GridOnWindow g(3, 3, 300, 200);
    CRect client;
    g.grid.GetClientRect(&client);
    ASSERT_EQ(client.Width(), 300);
    g.grid.SetColumnWidth(0, 100);
    g.grid.SetColumnWidth(1, 100);
    g.grid.SetColumnWidth(2, 107);
    g.grid.ExpandColumnsToFit();
    // d = -7: each column -2, and the first one pixel more.
    EXPECT_EQ(g.grid.GetColumnWidth(0), 97);
    EXPECT_EQ(g.grid.GetColumnWidth(1), 98);
    EXPECT_EQ(g.grid.GetColumnWidth(2), 105);
    g.grid.SetColumnWidth(0, 50);
    g.grid.ExpandColumnsToFit();  // d = 50 - 97 ... grows: the first ones a pixel more
    EXPECT_EQ(g.grid.GetColumnWidth(0) + g.grid.GetColumnWidth(1) + g.grid.GetColumnWidth(2), 300);
    EXPECT_GE(g.grid.GetColumnWidth(0) - 50, g.grid.GetColumnWidth(2) - 105);
}

TEST(GridLayout, AutoSizeFitsTheWidestTextAndHeadingsInBold)
{
    GridOnWindow g(3, 3);
    g.grid.SetCellText(2, 2, "a much longer text than the rest");
    g.grid.AutoSizeColumns();
    HDC dc = ::GetDC(g.grid.GetSafeHwnd());
    HFONT font = ::CreateFontIndirectA(&g.grid.GetGridLogFont());
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, "a much longer text than the rest", 32, &size);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(g.grid.GetSafeHwnd(), dc);
    EXPECT_EQ(g.grid.GetColumnWidth(2), size.cx + 4 * g.grid.GetMargin());
    EXPECT_LT(g.grid.GetColumnWidth(1), g.grid.GetColumnWidth(2));
}

TEST(GridLayout, WheelPostsLineScrollsByTheSettingAndNoPageScrolls)
{
    GridOnWindow g(40, 4);
    Pump();
    g.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    int ups = 0;
    MSG msg;
    while (::PeekMessageA(&msg, g.grid.GetSafeHwnd(), WM_VSCROLL, WM_VSCROLL, PM_REMOVE))
        if (LOWORD(msg.wParam) == SB_LINEUP)
            ++ups;
    EXPECT_EQ(ups, g.grid.GetWheelScrollLines());
}

namespace {

// The grid painted into a bitmap as large as its client area.
struct Painted {
    explicit Painted(CGridCtrl& grid)
    {
        grid.GetClientRect(&rect);
        HDC screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, rect.Width(), rect.Height());
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bitmap);
        CDC cdc;
        cdc.Attach(dc);
        grid.OnDraw(&cdc);
        cdc.Detach();
    }
    ~Painted()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    COLORREF At(CPoint p) const { return ::GetPixel(dc, p.x, p.y); }
    CRect rect;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

}  // namespace

TEST(GridDrawing, SelectionFocusBackgroundsAndDisabledLook)
{
    GridOnWindow g(5, 4);
    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 4; ++c)
            g.grid.SetCellText(r, c, "");
    g.grid.SetSelectedRange(1, 1, 2, 2);
    g.grid.SetCellBkColour(3, 3, RGB(255, 0, 0));
    {
        Painted p(g.grid);
        EXPECT_EQ(p.At(g.Centre(1, 1)), ::GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(p.At(g.Centre(3, 1)), g.grid.GetTextBkColour());
        EXPECT_EQ(p.At(g.Centre(3, 3)), RGB(255, 0, 0));
        EXPECT_EQ(p.At(g.Centre(0, 1)), g.grid.GetFixedBkColour());
        // Beyond the last column: the grid's background colour.
        EXPECT_EQ(p.At(CPoint(p.rect.right - 2, 10)), g.grid.GetBkColour());
        // The grid line at a cell's right edge.
        CRect cell;
        g.grid.GetCellRect(3, 1, &cell);
        EXPECT_EQ(p.At(CPoint(cell.right, cell.CenterPoint().y)), g.grid.GetGridColour());
    }
    g.grid.EnableWindow(FALSE);
    {
        Painted p(g.grid);
        EXPECT_EQ(p.At(g.Centre(1, 1)), ::GetSysColor(COLOR_BTNFACE));
    }
}
