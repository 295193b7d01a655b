// The hyperlink statics: colours and underline as drawn, what a click hands
// to the shell (through a replacement, so no browser starts), the tooltip,
// hovering, and the fallback to the program registered for web pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../framework/WindowTestSupport.h"
#include "support/LinkShellRecorder.h"
#include "controls/StaticLink.h"
#include "controls/UrlLinkStatic.h"
#include "framework/AfxWin.h"

namespace {

constexpr UINT kLinkId = 31;

// A parent window with one static child, as a dialog holds its labels.
struct Host {
    CWnd wnd;
    HWND label = nullptr;
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));

    explicit Host(LPCSTR text, DWORD style = SS_LEFT, RECT at = {10, 10, 310, 40}) {
        EXPECT_TRUE(wnd.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
        label = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left,
                                  at.bottom - at.top, wnd.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLinkId)),
                                  nullptr, nullptr);
        ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ~Host() { wnd.DestroyWindow(); }

    // How the parent answers the label's colour request: brush, text colour,
    // background mode and whether the font selected is underlined.
    struct Colours {
        HBRUSH brush;
        COLORREF text;
        int bkMode;
        bool underlined;
    };
    Colours AskColours() const {
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        ::SetTextColor(dc, RGB(1, 2, 3));
        auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageA(wnd.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
        LOGFONTA lf{};
        ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf);
        Colours c{brush, ::GetTextColor(dc), ::GetBkMode(dc), lf.lfUnderline != 0};
        ::DeleteDC(dc);
        return c;
    }
    // A click on the label, as the static control reports it.
    void Click() const {
        ::SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    LONG Style() const { return ::GetWindowLongA(label, GWL_STYLE); }
    CRect RectInHost() const {
        CRect rc;
        ::GetWindowRect(label, &rc);
        ::MapWindowPoints(nullptr, wnd.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    SIZE TextSize(LPCSTR text) const {
        HDC dc = ::GetDC(label);
        HGDIOBJ old = ::SelectObject(dc, font);
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        return size;
    }
};

const HBRUSH kNullBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));

} // namespace

TEST(StaticLink, UnderlinedBlueUntilAClickOpensItsTextThenPurple) {
    // A text that shows "&" as itself is a text all the same.
    Host host("https://www.example.org/page", SS_LEFT | SS_NOPREFIX);
    CStaticLink link;
    ASSERT_TRUE(link.SubclassWindow(host.label));

    Host::Colours before = host.AskColours();
    EXPECT_EQ(before.brush, kNullBrush);
    EXPECT_EQ(before.text, RGB(0, 0, 255));
    EXPECT_EQ(before.bkMode, TRANSPARENT);
    EXPECT_TRUE(before.underlined);
    // The first colour request made it clickable.
    EXPECT_TRUE(host.Style() & SS_NOTIFY);

    {
        LinkShellRecorder shell(2); // the shell cannot open it
        host.Click();
        ASSERT_EQ(LinkShellRecorder::opened, std::vector<std::string>{"https://www.example.org/page"});
        EXPECT_FALSE(link.m_bVisited);
    }
    {
        LinkShellRecorder shell(42);
        host.Click();
        ASSERT_EQ(LinkShellRecorder::opened.size(), 1u);
        EXPECT_TRUE(link.m_bVisited);
    }
    EXPECT_EQ(host.AskColours().text, RGB(128, 0, 128));
    link.UnsubclassWindow();
}

TEST(StaticLink, AnIconKeepsItsColoursButStillOpensItsLink) {
    Host host("", SS_ICON);
    CStaticLink link;
    link.m_strLink = "mailto:someone@example.org";
    ASSERT_TRUE(link.SubclassWindow(host.label));
    // The parent's own answer: no brush of the link's.
    Host::Colours c = host.AskColours();
    EXPECT_NE(c.brush, kNullBrush);
    EXPECT_NE(c.text, RGB(0, 0, 255));
    EXPECT_FALSE(c.underlined);
    EXPECT_TRUE(host.Style() & SS_NOTIFY);

    LinkShellRecorder shell(42);
    host.Click();
    EXPECT_EQ(LinkShellRecorder::opened, std::vector<std::string>{"mailto:someone@example.org"});
    link.UnsubclassWindow();
}
