// Control wrappers, scroll views and worker threads, used as the windows use them.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "framework/AfxWin.h"
#include "WindowTestSupport.h"

namespace {

constexpr UINT IDC_CHECKLIST = 10;
constexpr UINT IDC_SPIN = 11;
constexpr UINT IDC_OWNERCOMBO = 12;

class CControlHost : public CWnd {
public:
    std::vector<UINT> checkChanges;
    bool Create() {
        return CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr) != FALSE;
    }

protected:
    afx_msg void OnCheckChange() { checkChanges.push_back(IDC_CHECKLIST); }
    // The text of a tool that asks for it each time.
    afx_msg void OnNeedText(NMHDR* hdr, LRESULT* result) {
        reinterpret_cast<NMTTDISPINFOA*>(hdr)->lpszText = const_cast<LPSTR>("asked for");
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlHost, CWnd)
    ON_CLBN_CHKCHANGE(IDC_CHECKLIST, OnCheckChange)
    ON_NOTIFY(TTN_NEEDTEXTA, 1, OnNeedText)
END_MESSAGE_MAP()

class CCountingCombo : public CComboBox {
public:
    int drawn = 0;
    int measured = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
        ++measured;
        mis->itemHeight = 18;
    }
};

class CDeltaSpin : public CSpinButtonCtrl {
public:
    int lastDelta = 0;

protected:
    afx_msg void OnDeltaPos(NMHDR* hdr, LRESULT* result) {
        lastDelta = reinterpret_cast<NMUPDOWN*>(hdr)->iDelta;
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDeltaSpin, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltaPos)
END_MESSAGE_MAP()

} // namespace

TEST(ControlsTest, CheckListBoxTogglesOnClickAndKeepsItemData) {
    CControlHost host;
    ASSERT_TRUE(host.Create());
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, CRect(0, 0, 200, 150),
                            &host, IDC_CHECKLIST));
    for (const char* name : {"SLOPE", "BARRIER", "ALL_PATHS"}) list.AddString(name);
    list.SetItemData(1, 0xBEEF);
    EXPECT_EQ(list.GetItemData(1), 0xBEEFu);
    EXPECT_EQ(list.GetCheck(1), 0);
    list.SetCheck(2, 1);
    EXPECT_EQ(list.GetCheck(2), 1);

    // A click on the box of the second item, as the user makes it.
    CRect item;
    list.GetItemRect(1, &item);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 5, item.CenterPoint().y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, item.CenterPoint().y));
    EXPECT_EQ(list.GetCheck(1), 1);
    ASSERT_EQ(host.checkChanges.size(), 1u);
    // A click on the text selects without toggling.
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 100, item.CenterPoint().y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.left + 100, item.CenterPoint().y));
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    // The space bar toggles the item with the caret; a disabled item does not change.
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(1), 0);
    list.Enable(0, FALSE);
    list.SetCaretIndex(0);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 0);

    list.DeleteString(0);
    EXPECT_EQ(list.GetItemData(0), 0xBEEFu); // the records moved with their items
    EXPECT_EQ(list.GetCheck(1), 1);
    CString text;
    list.GetText(0, text);
    EXPECT_STREQ(text, "BARRIER");

    // It draws its boxes and texts.
    CClientDC dc(&list);
    DRAWITEMSTRUCT dis{ODT_LISTBOX, IDC_CHECKLIST, 1, ODA_DRAWENTIRE, 0, list.GetSafeHwnd(), dc.GetSafeHdc(), item, 0};
    host.SendMessage(WM_DRAWITEM, IDC_CHECKLIST, reinterpret_cast<LPARAM>(&dis));
    host.DestroyWindow();
}

TEST(ControlsTest, OwnerDrawnComboAndSpinAnswerReflectedRequests) {
    CControlHost host;
    ASSERT_TRUE(host.Create());
    CCountingCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(0, 0, 100, 200), &host, IDC_OWNERCOMBO));
    combo.AddString("one");
    combo.SetItemDataPtr(0, &combo);
    EXPECT_EQ(combo.GetItemDataPtr(0), &combo);
    DRAWITEMSTRUCT dis{ODT_COMBOBOX, IDC_OWNERCOMBO, 0, ODA_DRAWENTIRE, 0, combo.GetSafeHwnd(), nullptr, {0, 0, 10, 10}, 0};
    host.SendMessage(WM_DRAWITEM, IDC_OWNERCOMBO, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(combo.drawn, 1);
    int measuredWhileCreated = combo.measured; // the combo measures its items as it is made, too
    MEASUREITEMSTRUCT mis{ODT_COMBOBOX, IDC_OWNERCOMBO, 0, 0, 0, 0};
    host.SendMessage(WM_MEASUREITEM, IDC_OWNERCOMBO, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(combo.measured, measuredWhileCreated + 1);
    EXPECT_EQ(mis.itemHeight, 18u);

    CDeltaSpin spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, CRect(0, 0, 20, 20), &host, IDC_SPIN));
    spin.SetRange32(-100000, 100000);
    spin.SetPos32(70000);
    EXPECT_EQ(spin.GetPos32(), 70000);
    int low = 0, high = 0;
    spin.GetRange32(low, high);
    EXPECT_EQ(low, -100000);
    EXPECT_EQ(high, 100000);
    // An arrow key on the spin: its own UDN_DELTAPOS handler sees the step.
    spin.SendMessage(WM_KEYDOWN, VK_UP, 0);
    spin.SendMessage(WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(spin.lastDelta, 1);
    EXPECT_EQ(spin.GetPos32(), 70001);
    host.DestroyWindow();
}

TEST(ControlsTest, SliderProgressTabAndTree) {
    CControlHost host;
    ASSERT_TRUE(host.Create());
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | TBS_HORZ, CRect(0, 0, 200, 30), &host, 20));
    slider.SetRange(0, 50);
    slider.SetPos(30);
    EXPECT_EQ(slider.GetRangeMax(), 50);
    EXPECT_EQ(slider.GetPos(), 30);
    slider.SetPos(80); // kept in range
    EXPECT_EQ(slider.GetPos(), 50);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD, CRect(0, 40, 200, 60), &host, 21));
    progress.SetRange32(0, 1000);
    progress.SetPos(250);
    progress.SetStep(10);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 260);

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD, CRect(0, 70, 200, 120), &host, 22));
    tabs.InsertItem(0, "Graph");
    tabs.InsertItem(1, "Data");
    tabs.SetCurSel(1);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_CHECKBOXES, CRect(200, 0, 400, 200), &host, 23));
    HTREEITEM root = tree.InsertItem("Display");
    HTREEITEM child = tree.InsertItem("Grid", root);
    tree.InsertItem("Rulers", root);
    tree.SetItemData(child, 77);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), child);
    EXPECT_STREQ(tree.GetItemText(tree.GetNextSiblingItem(child)), "Rulers");
    EXPECT_EQ(tree.GetItemData(child), 77u);
    EXPECT_EQ(tree.GetParentItem(child), root);
    tree.SetCheck(child, TRUE);
    EXPECT_TRUE(tree.GetCheck(child));
    tree.SetCheck(child, FALSE);
    EXPECT_FALSE(tree.GetCheck(child));
    tree.SelectItem(child);
    EXPECT_EQ(tree.GetSelectedItem(), child);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);
    host.DestroyWindow();
}

TEST(ControlsTest, ToolTipsImageListsAndRichText) {
    CControlHost host;
    ASSERT_TRUE(host.Create());
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host, TTS_ALWAYSTIP));
    EXPECT_TRUE(tip.AddTool(&host, LPSTR_TEXTCALLBACK, CRect(0, 0, 50, 50), 1));
    EXPECT_TRUE(tip.AddTool(&host, "fixed text", CRect(50, 0, 100, 50), 2));
    EXPECT_EQ(tip.GetToolCount(), 2);
    tip.SetMaxTipWidth(300);
    EXPECT_EQ(tip.GetMaxTipWidth(), 300);
    tip.SetDelayTime(TTDT_INITIAL, 100);
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 100);
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = host.GetSafeHwnd();
    info.uId = 1;
    char text[80] = {};
    info.lpszText = text;
    tip.SendMessage(TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "asked for");
    tip.DelTool(&host, 2);
    EXPECT_EQ(tip.GetToolCount(), 1);

    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 2, 2));
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap picture;
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    picture.CreateCompatibleBitmap(&screen, 8, 8);
    CBitmap* old = mem.SelectObject(&picture);
    mem.FillSolidRect(0, 0, 8, 8, RGB(255, 0, 255)); // the mask colour
    mem.FillSolidRect(0, 0, 4, 8, RGB(0, 128, 0));
    mem.SelectObject(old);
    EXPECT_EQ(images.Add(&picture, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 1);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&screen, 16, 16);
    ::ReleaseDC(nullptr, screen.Detach());
    old = mem.SelectObject(&canvas);
    mem.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    images.Draw(&mem, 0, CPoint(4, 4), ILD_TRANSPARENT);
    EXPECT_EQ(mem.GetPixel(5, 5), RGB(0, 128, 0));
    EXPECT_EQ(mem.GetPixel(10, 5), RGB(255, 255, 255)); // masked out
    mem.SelectObject(old);
    EXPECT_EQ(CImageList::FromHandle(images.GetSafeHandle()), &images);

    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | ES_MULTILINE, CRect(0, 100, 300, 200), &host, 30));
    rich.SetRTF("{\\rtf1\\ansi Plain \\b bold\\b0  text}");
    CString plain = rich.GetRTF(SF_TEXT);
    EXPECT_STREQ(plain, "Plain bold text");
    CString rtf = rich.GetRTF(SF_RTF);
    EXPECT_NE(rtf.Find("\\b"), -1);
    EXPECT_NE(rtf.Find("bold"), -1);
    rich.SetSel(6, 10);
    EXPECT_STREQ(rich.GetSelText(), "bold");
    host.DestroyWindow();
}

namespace {

class CTestScrollView : public CScrollView {
public:
    CTestScrollView() = default;
    CPoint origin;
    void OnDraw(CDC* pDC) override { origin = pDC->GetViewportOrg(); }
};

} // namespace

TEST(ControlsTest, ScrollViewScrollsItsPageInDeviceUnits) {
    CControlHost host;
    ASSERT_TRUE(host.Create());
    auto* view = new CTestScrollView; // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &host, AFX_IDW_PANE_FIRST));
    view->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(150, 150), CSize(10, 10));
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(view->GetStyle() & WS_HSCROLL);
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 160));
    view->SendMessage(WM_HSCROLL, SB_BOTTOM);
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->GetScrollPosition().x, 1000 - client.Width()); // never beyond the page
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(-(1000 - client.Width()), -160));
    view->ScrollToPosition(CPoint(0, 0));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));

    // A page that fits needs no bars.
    view->SetScrollSizes(MM_TEXT, CSize(4, 4));
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(view->GetStyle() & WS_HSCROLL);

    // In a metric mapping mode the page is converted to pixels of the screen.
    view->SetScrollSizes(MM_LOMETRIC, CSize(2540, 2540)); // 10 inches
    int mode = 0;
    SIZE total, page, line;
    view->GetDeviceScrollSizes(mode, total, page, line);
    CClientDC screen(nullptr);
    EXPECT_NEAR(total.cx, 10 * screen.GetDeviceCaps(LOGPIXELSX), 2);
    EXPECT_EQ(mode, MM_LOMETRIC);
    host.DestroyWindow();
}

namespace {

struct WorkerData {
    CEvent* done;
    CCriticalSection* lock;
    long* counter;
};

UINT Worker(LPVOID param) {
    auto* data = static_cast<WorkerData*>(param);
    for (int i = 0; i < 1000; ++i) {
        CSingleLock guard(data->lock, TRUE);
        ++*data->counter;
    }
    // A worker may meet windows too: its wrappers go when it ends.
    EXPECT_NE(CWnd::FromHandle(::GetDesktopWindow()), nullptr);
    data->done->SetEvent();
    return 0;
}

} // namespace

TEST(ThreadTest, WorkersRunAndSignal) {
    CEvent done1(FALSE, TRUE), done2(FALSE, TRUE);
    CCriticalSection lock;
    long counter = 0;
    WorkerData a{&done1, &lock, &counter}, b{&done2, &lock, &counter};
    ASSERT_NE(AfxBeginThread(Worker, &a), nullptr);
    ASSERT_NE(AfxBeginThread(Worker, &b, THREAD_PRIORITY_BELOW_NORMAL), nullptr);
    EXPECT_TRUE(done1.Lock(5000));
    EXPECT_TRUE(done2.Lock(5000));
    CSingleLock guard(&lock, TRUE);
    EXPECT_EQ(counter, 2000);
    // A manual-reset event stays set until it is reset.
    EXPECT_TRUE(done1.Lock(0));
    done1.ResetEvent();
    EXPECT_FALSE(done1.Lock(0));
    // Its owner may take the critical section again.
    CSingleLock again(&lock);
    EXPECT_TRUE(again.Lock(0));
}
