// Message maps, the handle map, subclassing, reflection and command updates,
// driven by real windows and the messages a user's input would send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Wnd.h"
#include "WindowTestSupport.h"

namespace {

constexpr UINT ID_TEST_COMMAND = 100;
constexpr UINT ID_RANGE_FIRST = 200;
constexpr UINT ID_RANGE_LAST = 210;
constexpr UINT ID_DISABLED = 300;
constexpr UINT ID_CHECKED = 301;
constexpr UINT ID_NO_HANDLER = 302;
constexpr UINT ID_CHILD_BUTTON = 400;
constexpr UINT ID_CHILD_NOTIFIER = 401;
constexpr UINT ID_THROWS = 500;
constexpr int NM_TEST_CODE = -900;
const UINT registeredMessage = ::RegisterWindowMessageA("ClastorTestRegisteredMessage");

class CBaseTestWnd : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint point) {
        log.push_back("base lbutton " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg void OnRButtonDown(UINT, CPoint) { log.push_back("base rbutton"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

class CTestWnd : public CBaseTestWnd {
public:
    bool created = false;
    bool postNcDestroyed = false;
    int timerTicks = 0;
    bool disabledRan = false;
    UINT lastRangeId = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCTA cs) {
        created = CWnd::OnCreate(cs) == 0;
        return 0;
    }
    // Overrides the base class's entry for the same message.
    afx_msg void OnLButtonDown(UINT flags, CPoint point) {
        log.push_back("derived lbutton");
        CBaseTestWnd::OnLButtonDown(flags, point);
    }
    afx_msg void OnTimer(UINT_PTR id) {
        ++timerTicks;
        KillTimer(id);
    }
    afx_msg void OnTestCommand() { log.push_back("command"); }
    afx_msg void OnRange(UINT id) { lastRangeId = id; }
    afx_msg void OnDisabled() { disabledRan = true; }
    afx_msg void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    afx_msg void OnChecked() {}
    afx_msg void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    afx_msg void OnThrows() { AfxThrowFileException(CFileException::diskFull, -1, "x.cla"); }
    afx_msg LRESULT OnAppMessage(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 2); }
    afx_msg void OnChildClicked() { log.push_back("parent saw click"); }
    afx_msg void OnChildNotify(NMHDR* hdr, LRESULT* result) {
        log.push_back("parent notify " + std::to_string(hdr->idFrom));
        *result = 42;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind) {
        log.push_back("parent ctlcolor " + std::to_string(kind));
        return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    }
    void PostNcDestroy() override { postNcDestroyed = true; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CBaseTestWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
    ON_COMMAND(ID_THROWS, OnThrows)
    ON_MESSAGE(WM_APP + 1, OnAppMessage)
    ON_REGISTERED_MESSAGE(registeredMessage, OnRegistered)
    ON_BN_CLICKED(ID_CHILD_BUTTON, OnChildClicked)
    ON_NOTIFY(NM_TEST_CODE, ID_CHILD_NOTIFIER, OnChildNotify)
END_MESSAGE_MAP()

// A child control that handles its own click and colour; with passOn it lets the parent see the click too.
class CSelfHandlingButton : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    bool passOn = false;
    bool presubclassed = false;

protected:
    void PreSubclassWindow() override { presubclassed = true; }
    afx_msg BOOL OnClicked() {
        log->push_back("child handled click");
        return !passOn;
    }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)); }
    afx_msg void OnNotifyReflect(NMHDR*, LRESULT* result) {
        log->push_back("child notify");
        *result = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfHandlingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_NOTIFY_REFLECT(NM_TEST_CODE, OnNotifyReflect)
END_MESSAGE_MAP()

// Creates a visible top-level test window.
void CreateTopLevel(CWnd& wnd) {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr));
}

} // namespace

TEST(MessageMapTest, CreationReachesTheMapAndDestructionReleasesTheHandle) {
    CTestWnd wnd;
    CreateTopLevel(wnd);
    EXPECT_TRUE(wnd.created);
    HWND h = wnd.GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandlePermanent(h), &wnd);
    EXPECT_EQ(CWnd::FromHandle(h), &wnd);
    wnd.DestroyWindow();
    EXPECT_TRUE(wnd.postNcDestroyed);
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    CWnd* volatile none = nullptr;
    EXPECT_EQ(none->GetSafeHwnd(), nullptr); // callers pass optional windows through it
}

TEST(MessageMapTest, MessagesReachTheMostDerivedHandlerThenTheBase) {
    CTestWnd wnd;
    CreateTopLevel(wnd);
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    wnd.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1)); // only the base class maps it
    std::vector<std::string> expected{"derived lbutton", "base lbutton 12,34", "base rbutton"};
    EXPECT_EQ(wnd.log, expected);

    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 5, 6), 11);
    EXPECT_EQ(wnd.SendMessage(registeredMessage, 21), 42);
    // An unmapped message gets the default handling.
    wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new title"));
    CString title;
    wnd.GetWindowText(title);
    EXPECT_STREQ(title, "new title");
    wnd.DestroyWindow();
}

TEST(MessageMapTest, CommandsAndRangesAndDisabledMenuCommands) {
    CTestWnd wnd;
    CreateTopLevel(wnd);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0), 0);
    EXPECT_EQ(wnd.log.back(), "command");
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_FIRST + 4, 1), 0); // from an accelerator
    EXPECT_EQ(wnd.lastRangeId, ID_RANGE_FIRST + 4);
    // A menu command that its update handler disables does not run.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DISABLED, 0), 0);
    EXPECT_FALSE(wnd.disabledRan);
    // Called directly (not from a menu), the handler is there.
    EXPECT_TRUE(wnd.OnCmdMsg(ID_DISABLED, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(wnd.disabledRan);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, nullptr, nullptr));
    wnd.DestroyWindow();
}

TEST(MessageMapTest, UpdateHandlersSetMenuItemsAndItemsWithoutHandlersAreDisabled) {
    CTestWnd wnd;
    CreateTopLevel(wnd);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_DISABLED, "Disabled");
    // Grey from an earlier update: an update handler that only checks leaves
    // the state to the command handler, as for an item without update handler.
    menu.AppendMenu(MF_STRING | MF_GRAYED, ID_CHECKED, "Checked");
    menu.AppendMenu(MF_STRING, ID_NO_HANDLER, "No handler");
    menu.AppendMenu(MF_STRING, ID_TEST_COMMAND, "Plain");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = menu.GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = menu.GetMenuItemID(static_cast<int>(state.m_nIndex));
        state.DoUpdate(&wnd, TRUE);
    }
    EXPECT_TRUE(menu.GetMenuState(ID_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(ID_CHECKED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_NO_HANDLER, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(ID_TEST_COMMAND, MF_BYCOMMAND) & MF_GRAYED);

    state.m_nIndex = 3;
    state.m_nID = ID_TEST_COMMAND;
    state.SetText("Renamed");
    CString text;
    menu.GetMenuString(ID_TEST_COMMAND, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Renamed");
    wnd.DestroyWindow();
}

TEST(MessageMapTest, ChildNotificationsAreReflectedToTheChildFirst) {
    CTestWnd parent;
    CreateTopLevel(parent);
    HWND buttonHwnd = ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                                        parent.GetSafeHwnd(), reinterpret_cast<HMENU>(ID_CHILD_BUTTON), nullptr, nullptr);
    CSelfHandlingButton button;
    button.log = &parent.log;
    ASSERT_TRUE(button.SubclassDlgItem(ID_CHILD_BUTTON, &parent));
    EXPECT_TRUE(button.presubclassed);
    EXPECT_EQ(CWnd::FromHandlePermanent(buttonHwnd), &button);

    // A click as the user makes it: the button sends BN_CLICKED to its parent.
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    std::vector<std::string> handledByChild{"child handled click"};
    EXPECT_EQ(parent.log, handledByChild);

    button.passOn = true;
    parent.log.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(buttonHwnd));
    std::vector<std::string> both{"child handled click", "parent saw click"};
    EXPECT_EQ(parent.log, both);

    // The child's colour handler wins; with no reflection the parent's answers.
    HDC dc = ::GetDC(buttonHwnd);
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(buttonHwnd)),
              reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)));
    HWND plain = ::CreateWindowExA(0, "STATIC", "s", WS_CHILD, 0, 30, 50, 20, parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    parent.log.clear();
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(plain)),
              reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));
    EXPECT_EQ(parent.log.back(), "parent ctlcolor " + std::to_string(CTLCOLOR_STATIC));
    ::ReleaseDC(buttonHwnd, dc);

    // WM_NOTIFY: reflected to the sender when it handles the code, else the parent's entry.
    NMHDR hdr{buttonHwnd, ID_CHILD_NOTIFIER, static_cast<UINT>(NM_TEST_CODE)};
    parent.log.clear();
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, ID_CHILD_NOTIFIER, reinterpret_cast<LPARAM>(&hdr)), 7);
    EXPECT_EQ(parent.log.back(), "child notify");
    hdr.hwndFrom = plain;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, ID_CHILD_NOTIFIER, reinterpret_cast<LPARAM>(&hdr)), 42);
    EXPECT_EQ(parent.log.back(), "parent notify " + std::to_string(ID_CHILD_NOTIFIER));

    EXPECT_EQ(button.UnsubclassWindow(), buttonHwnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(buttonHwnd), nullptr);
    parent.DestroyWindow();
}

TEST(MessageMapTest, SubclassedControlKeepsItsOwnBehaviour) {
    CTestWnd parent;
    CreateTopLevel(parent);
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.GetSafeHwnd(), nullptr,
                                  nullptr, nullptr);
    CWnd wrapper;
    ASSERT_TRUE(wrapper.SubclassWindow(edit));
    wrapper.SendMessage(WM_CHAR, 'a', 1);
    wrapper.SendMessage(WM_CHAR, 'b', 1);
    CString text;
    wrapper.GetWindowText(text);
    EXPECT_STREQ(text, "ab");
    // A temporary wrapper for a window nobody owns is dropped on idle; the window stays.
    HWND other = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 1, 1, parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(other);
    EXPECT_EQ(CWnd::FromHandlePermanent(other), nullptr);
    EXPECT_EQ(temp->GetSafeHwnd(), other);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(other));
    parent.DestroyWindow(); // destroys the subclassed child too
    EXPECT_EQ(wrapper.GetSafeHwnd(), nullptr);
}

TEST(MessageMapTest, TimersCaptureAndPreTranslateChain) {
    CTestWnd wnd;
    CreateTopLevel(wnd);
    wnd.SetTimer(7, 1);
    EXPECT_TRUE(PumpUntil([&] { return wnd.timerTicks > 0; }));
    EXPECT_EQ(wnd.timerTicks, 1);

    wnd.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &wnd);
    ::ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // PreTranslateMessage runs from the window the message is for up through its parents.
    struct Filter : CWnd {
        int seen = 0;
        BOOL PreTranslateMessage(MSG* msg) override {
            ++seen;
            return msg->message == WM_KEYDOWN && msg->wParam == VK_F2;
        }
    } filter;
    ASSERT_TRUE(filter.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, wnd.GetSafeHwnd(), nullptr));
    HWND leaf = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, filter.GetSafeHwnd(), nullptr, nullptr, nullptr);
    MSG f2{leaf, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
    MSG f3{leaf, WM_KEYDOWN, VK_F3, 0, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(wnd.GetSafeHwnd(), &f2));
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(wnd.GetSafeHwnd(), &f3));
    EXPECT_EQ(filter.seen, 2);
    wnd.DestroyWindow();
}

TEST(MessageMapTest, ExceptionsInHandlersAreReportedAndContained) {
    MessageBoxRecorder boxes;
    CTestWnd wnd;
    CreateTopLevel(wnd);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_THROWS, 0), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("x.cla"), std::string::npos);
    EXPECT_TRUE(::IsWindow(wnd.GetSafeHwnd()));
    wnd.DestroyWindow();
}

namespace {

class COwnerDrawnMenu : public CMenu {
public:
    int drawn = 0;
    int measured = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
        ++measured;
        mis->itemHeight = 20;
        mis->itemWidth = 80;
    }
};

} // namespace

TEST(MessageMapTest, OwnerDrawnMenuItemsReachTheirMenu) {
    CTestWnd wnd;
    CreateTopLevel(wnd);
    CMenu bar;
    bar.CreateMenu();
    COwnerDrawnMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_OWNERDRAW, ID_TEST_COMMAND, nullptr);
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), "&File");
    wnd.SetMenu(&bar);

    MEASUREITEMSTRUCT mis{ODT_MENU, 0, ID_TEST_COMMAND, 0, 0, 0};
    wnd.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(popup.measured, 1);
    EXPECT_EQ(mis.itemHeight, 20u);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = ID_TEST_COMMAND;
    dis.hwndItem = reinterpret_cast<HWND>(popup.GetSafeHmenu());
    wnd.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(popup.drawn, 1);

    wnd.SetMenu(nullptr);
    bar.RemoveMenu(0, MF_BYPOSITION); // the popup is destroyed by its own CMenu
    wnd.DestroyWindow();
}
