// The grid's cells on the clipboard and in OLE drags: the exact text a copy
// puts there, what a paste of Tab- and comma-separated lines fills and
// selects, cut, and the drop target that refuses everything until drag and
// drop is turned on.
#include "GridTestSupport.h"

#include <cstring>

#include "framework/OleData.h"

using namespace gridtest;

namespace {

std::string ClipboardText()
{
    COleDataObject data;
    if (!data.AttachClipboard())
        return "<no clipboard>";
    HGLOBAL block = data.GetGlobalData(CF_TEXT);
    if (block == nullptr)
        return "<no text>";
    const char* p = static_cast<const char*>(::GlobalLock(block));
    std::string text(p, strnlen(p, ::GlobalSize(block)));
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    return text;
}

void PutOnClipboard(const char* text)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(::GlobalLock(block), text, std::strlen(text) + 1);
    ::GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, block);
    source->SetClipboard();
}

// A data source holding text, for drops.
COleDataSource* TextSource(const char* text)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(::GlobalLock(block), text, std::strlen(text) + 1);
    ::GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, block);
    return source;
}

}  // namespace

TEST(GridClipboard, CtrlCCopiesTheSelectedBlockAsTabSeparatedRows)
{
    GridOnWindow g(4, 4);
    g.grid.SetCellText(1, 2, "");
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(1, 1, 2, 2);
    {
        Holding ctrl{VK_CONTROL};
        g.Key('C');
    }
    EXPECT_EQ(ClipboardText(), "1,1\t \r\n2,1\t2,2");

    // Two separate blocks copy their bounding range; cells between give empty fields.
    g.grid.SetSelectedRange(1, 1, 1, 1);
    g.Drag(3, 3, 3, 3, MK_CONTROL);
    ::SetFocus(g.grid.GetSafeHwnd());
    Pump();
    g.grid.SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);
    EXPECT_EQ(ClipboardText(), "1,1\t\t\r\n\t\t\r\n\t\t3,3");

    g.grid.ResetSelectedRange();
    EXPECT_FALSE(g.grid.CanCopy());
    EXPECT_EQ(g.grid.CopyTextFromGrid(), nullptr);
}

TEST(GridClipboard, PasteFillsFromTheFocusCellInReadingOrderAndSelectsWhatItFilled)
{
    GridOnWindow g(5, 5);
    PutOnClipboard("a,b\nc\td\n");
    g.grid.SetFocusCell(1, 1);
    EXPECT_TRUE(g.grid.CanPaste());
    g.host.codes.clear();
    {
        Holding ctrl{VK_CONTROL};
        g.Key('V');
    }
    EXPECT_EQ(g.Text(1, 1), "a");
    EXPECT_EQ(g.Text(1, 2), "b");
    EXPECT_EQ(g.Text(2, 1), "c");
    EXPECT_EQ(g.Text(2, 2), "d");
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 2, 2));
    EXPECT_EQ(g.grid.GetSelectedCount(), 4);
    EXPECT_TRUE(g.grid.GetModified());
    EXPECT_TRUE(g.host.Heard(GVN_CONTENTCHANGED));

    // Separators in a row count once; text past the last column is dropped;
    // an empty line empties the first cell of its row; CR and blanks are trimmed.
    PutOnClipboard(" 7 ,, 8\r\n\nx,y,z,w,v\r\n");
    g.grid.SetFocusCell(2, 3);
    g.grid.SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);
    EXPECT_EQ(g.Text(2, 3), "7");
    EXPECT_EQ(g.Text(2, 4), "8");
    EXPECT_EQ(g.Text(3, 3), "");
    EXPECT_EQ(g.Text(3, 4), "3,4");
    EXPECT_EQ(g.Text(4, 3), "x");
    EXPECT_EQ(g.Text(4, 4), "y");

    // A grid that may not be edited takes nothing.
    g.grid.SetEditable(FALSE);
    g.grid.SetFocusCell(1, 1);
    EXPECT_FALSE(g.grid.CanPaste());
    g.grid.SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);
    EXPECT_EQ(g.Text(1, 1), "a");
}

TEST(GridClipboard, CutEmptiesEditableCellsAndLeavesReadOnlyOnes)
{
    GridOnWindow g(4, 4);
    g.grid.SetCellState(2, 2, GVIS_READONLY);
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(1, 1, 2, 2);
    g.host.codes.clear();
    {
        Holding ctrl{VK_CONTROL};
        g.Key('X');
    }
    EXPECT_EQ(ClipboardText(), "1,1\t1,2\r\n2,1\t2,2");
    EXPECT_EQ(g.Text(1, 1), "");
    EXPECT_EQ(g.Text(2, 1), "");
    EXPECT_EQ(g.Text(2, 2), "2,2");
    EXPECT_TRUE(g.host.Heard(GVN_CONTENTCHANGED));
    // Select All takes every data cell.
    {
        Holding ctrl{VK_CONTROL};
        g.Key('A');
    }
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 3, 3));
}

TEST(GridDragDrop, TheDropTargetRefusesUntilDragAndDropIsOnThenPastesWhereDropped)
{
    GridOnWindow g(5, 5);
    ASSERT_TRUE(g.grid.GetDropTarget().IsRegistered());
    IDropTarget* target = g.grid.GetDropTarget().GetDropTargetInterface();
    COleDataSource* source = TextSource("p\tq");
    CPoint at = g.Centre(2, 2);
    g.grid.ClientToScreen(&at);
    const POINTL pt{at.x, at.y};

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(source->GetDataObject(), 0, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(source->GetDataObject(), 0, pt, &effect);
    EXPECT_EQ(g.Text(2, 2), "2,2");

    g.grid.EnableDragAndDrop(TRUE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(source->GetDataObject(), MK_CONTROL, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(g.grid.GetCellState(2, 2) & GVIS_DROPHILITED);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(0, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    g.host.codes.clear();
    effect = DROPEFFECT_MOVE;
    target->Drop(source->GetDataObject(), 0, pt, &effect);
    EXPECT_EQ(g.Text(2, 2), "p");
    EXPECT_EQ(g.Text(2, 3), "q");
    EXPECT_FALSE(g.grid.GetCellState(2, 2) & GVIS_DROPHILITED);
    EXPECT_TRUE(g.host.Heard(GVN_CONTENTCHANGED));

    // Over a heading nothing can land.
    CPoint heading = g.Centre(0, 2);
    g.grid.ClientToScreen(&heading);
    effect = DROPEFFECT_MOVE;
    target->DragOver(0, POINTL{heading.x, heading.y}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();
    source->InternalRelease();
}
