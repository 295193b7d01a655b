// The keys of the program's owner-drawn menus, pressed while the menu is open
// and answered by the main frame's menu-character handling: a key that one
// item of a popup has runs it, a key that several items share only moves the
// selection from one of them to the next.
#include "ShellFixture.h"

#include <string>
#include <vector>

#include "controls/KsMenu.h"
#include "res/resource.h"

namespace {

class MenuKeysTest : public ShellTest {};

// The popup of the frame's menu bar whose title is given.
HMENU BarPopup(HWND owner, const char* title)
{
    HMENU bar = ::GetMenu(owner);
    for (int i = 0; bar != nullptr && i < ::GetMenuItemCount(bar); ++i) {
        char text[64] = {};
        ::GetMenuStringA(bar, i, text, sizeof(text), MF_BYPOSITION);
        if (std::string(text) == title)
            return ::GetSubMenu(bar, i);
    }
    return nullptr;
}

// Opens the popup as the frame's menu and presses a key while it is open:
// the command the menu ends with (0 for none) and the item then selected
// (-1 for none).
struct Pressed {
    UINT command = 0;
    int selected = -1;
};

Pressed PressInMenu(HWND owner, HMENU popup, char key)
{
    static HWND s_owner;
    static HMENU s_popup;
    static char s_key;
    static Pressed* s_out;
    static bool s_pressed;
    Pressed out;
    s_owner = owner;
    s_popup = popup;
    s_key = key;
    s_out = &out;
    s_pressed = false;
    // The first tick presses the key, the next notes the selection and closes the menu.
    const auto tick = [](HWND, UINT, UINT_PTR id, DWORD) {
        if (s_pressed) {
            for (int i = 0; i < ::GetMenuItemCount(s_popup); ++i)
                if (::GetMenuState(s_popup, i, MF_BYPOSITION) & MF_HILITE)
                    s_out->selected = i;
            ::KillTimer(nullptr, id);
            ::EndMenu();
            return;
        }
        s_pressed = true;
        HWND menuWindow = ::FindWindowA("#32768", nullptr);
        HWND target = menuWindow != nullptr ? menuWindow : s_owner;
        const WPARAM virtualKey = ::VkKeyScanA(s_key) & 0xFF;
        ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
        ::PostMessageA(target, WM_CHAR, static_cast<BYTE>(s_key), 1);
        ::PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
    };
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 60, tick);
    out.command = static_cast<UINT>(
        ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 40, 40, 0, owner, nullptr));
    ::KillTimer(nullptr, timer);
    return out;
}

int PositionOf(HMENU menu, UINT id)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (::GetMenuItemID(menu, i) == id)
            return i;
    return -1;
}

}  // namespace

// In the Help menu A is the key of "Check for Updates &Automatically" and of
// "&About Clastor...", W of "Brevantics on the &Web" and "&What's New ...".
// Such a key only moves the selection: from none to the first of its items,
// from there to the next, and round again; nothing runs, so the automatic
// update check is never switched by a key meant for About. T belongs to
// "&Technical Support..." alone and runs it at once.
TEST_F(MenuKeysTest, ASharedKeyMovesTheSelectionAndAKeyOfOneItemRunsIt)
{
    HMENU help = BarPopup(frame->m_hWnd, "&Help");
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(KsMenu::IsKsMenu(CMenu::FromHandle(help)));
    const int automatic = PositionOf(help, ID_HELP_CHECK_UPDATES_AUTOMATICALLY);
    const int about = PositionOf(help, ID_APP_ABOUT);
    const int support = PositionOf(help, ID_HELP_TECHNICAL_SUPPORT);
    ASSERT_GE(automatic, 0);
    ASSERT_GE(about, 0);
    ASSERT_GE(support, 0);

    // Keys pressed in the open menu: the frame answers the menu's questions.
    // (Wine's menus take no selection from the answer; a system menu moves it.)
    for (char key : {'a', 'A', 'w'}) {
        const Pressed shared = PressInMenu(frame->m_hWnd, help, key);
        EXPECT_EQ(shared.command, 0u) << "key " << key << " ran a command";
        EXPECT_TRUE(shared.selected == -1 || shared.selected == (key == 'w' ? 1 : automatic)) << key;
    }
    EXPECT_EQ(PressInMenu(frame->m_hWnd, help, 't').command, static_cast<UINT>(ID_HELP_TECHNICAL_SUPPORT));

    // Press after press, as the selection moves.
    const auto select = [&](int position) {
        for (int i = 0; i < ::GetMenuItemCount(help); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE;
            ::GetMenuItemInfoA(help, i, TRUE, &info);
            info.fState = i == position ? (info.fState | MFS_HILITE) : (info.fState & ~MFS_HILITE);
            ::SetMenuItemInfoA(help, i, TRUE, &info);
        }
    };
    const auto answer = [&](char key) {
        return static_cast<LRESULT>(
            frame->SendMessage(WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP), reinterpret_cast<LPARAM>(help)));
    };
    const struct {
        int selected;
        char key;
        LRESULT answer;
    } presses[] = {
        {-1, 'a', MAKELONG(automatic, MNC_SELECT)},
        {automatic, 'a', MAKELONG(about, MNC_SELECT)},
        {about, 'A', MAKELONG(automatic, MNC_SELECT)},
        {support, 'a', MAKELONG(about, MNC_SELECT)},
        {-1, 'w', MAKELONG(1, MNC_SELECT)},
        {1, 'w', MAKELONG(PositionOf(help, ID_HELP_WHATS_NEW), MNC_SELECT)},
        {automatic, 't', MAKELONG(support, MNC_EXECUTE)},
        {-1, 'q', 0},
    };
    for (const auto& p : presses) {
        select(p.selected);
        EXPECT_EQ(answer(p.key), p.answer) << p.key << " with item " << p.selected << " selected";
    }
    select(-1);
}
