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

namespace {

std::string TipText(CUrlLinkStatic& link) {
    char text[512] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = link.m_hWnd;
    info.uId = 1;
    info.lpszText = text;
    link.GetToolTip().SendMessage(TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));
    return text;
}

std::string LabelText(HWND label) {
    char text[512] = {};
    ::GetWindowTextA(label, text, sizeof(text));
    return text;
}

// Points the ".htm" class at a program of the test's own for the life of the
// object, and puts back what was there.
class HtmClass {
public:
    explicit HtmClass(LPCSTR openCommand) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            char old[MAX_PATH] = {};
            LONG size = sizeof(old);
            if (::RegQueryValueA(key, nullptr, old, &size) == ERROR_SUCCESS) m_old = old, m_hadOld = true;
            ::RegCloseKey(key);
        }
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "ClastorTestPage", 0);
        if (openCommand != nullptr)
            ::RegSetValueA(HKEY_CLASSES_ROOT, "ClastorTestPage\\shell\\open\\command", REG_SZ, openCommand, 0);
    }
    ~HtmClass() {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ClastorTestPage");
        if (m_hadOld) ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_old.c_str(), 0);
        else ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }
    HtmClass(const HtmClass&) = delete;
    HtmClass& operator=(const HtmClass&) = delete;

private:
    std::string m_old;
    bool m_hadOld = false;
};

} // namespace

TEST(UrlLinkStatic, TakesItsTextAsTargetOrShowsItsTargetAndFitsTheText) {
    {
        Host host("https://www.example.org/a");
        CUrlLinkStatic link;
        ASSERT_TRUE(link.SubclassWindow(host.label));
        EXPECT_EQ(std::string(link.GetUrl()), "https://www.example.org/a");
        EXPECT_EQ(TipText(link), "https://www.example.org/a");
        EXPECT_TRUE(host.Style() & SS_NOTIFY);
        link.SetUrl("https://www.example.org/b");
        EXPECT_EQ(TipText(link), "https://www.example.org/b");
        EXPECT_EQ(LabelText(host.label), "https://www.example.org/a");
        link.UnsubclassWindow();
    }
    {
        Host host("");
        CUrlLinkStatic link;
        link.SetUrl("mailto:someone@example.org");
        ASSERT_TRUE(link.SubclassWindow(host.label));
        EXPECT_EQ(LabelText(host.label), "mailto:someone@example.org");
        link.UnsubclassWindow();
    }
    // The window shrinks to its text where its alignment says, from a
    // 300 by 30 box at (10, 10).
    const char* text = "Link";
    const struct {
        DWORD style;
        const char* name;
    } cases[] = {{SS_LEFT, "left"}, {SS_CENTER, "centre"}, {SS_RIGHT, "right"}, {SS_LEFT | SS_CENTERIMAGE, "middle"}};
    for (const auto& c : cases) {
        Host host(text, c.style);
        CUrlLinkStatic link;
        ASSERT_TRUE(link.SubclassWindow(host.label));
        const SIZE size = host.TextSize(text);
        const CRect rc = host.RectInHost();
        EXPECT_EQ(rc.Width(), c.style == SS_CENTER ? 300 - 2 * ((300 - size.cx) / 2) : size.cx) << c.name;
        EXPECT_EQ(rc.Height(), c.style & SS_CENTERIMAGE ? 30 - 2 * ((30 - size.cy) / 2) : size.cy) << c.name;
        EXPECT_EQ(rc.left, c.style == SS_CENTER ? 10 + (300 - size.cx) / 2 : c.style == SS_RIGHT ? 310 - size.cx : 10)
            << c.name;
        EXPECT_EQ(rc.top, c.style & SS_CENTERIMAGE ? 10 + (30 - size.cy) / 2 : 10) << c.name;
        link.UnsubclassWindow();
    }
}

TEST(UrlLinkStatic, UnderlinedWhileTheMouseIsOverItEdgesIncluded) {
    Host host("https://www.example.org/");
    CUrlLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(host.label));
    Host::Colours idle = host.AskColours();
    EXPECT_EQ(idle.text, RGB(0, 0, 255));
    EXPECT_FALSE(idle.underlined);
    EXPECT_EQ(idle.bkMode, OPAQUE);

    CRect rc;
    link.GetWindowRect(&rc);
    ::SetCursorPos(rc.right, rc.bottom);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(link.IsUnderlined());
    EXPECT_TRUE(host.AskColours().underlined);
    // Resting on the corner: still over the link after many ticks.
    PumpUntil([] { return false; });
    EXPECT_TRUE(link.IsUnderlined());

    ::SetCursorPos(rc.right + 20, rc.bottom + 20);
    EXPECT_TRUE(PumpUntil([&] { return !link.IsUnderlined(); }));
    EXPECT_FALSE(host.AskColours().underlined);
    link.UnsubclassWindow();
}

TEST(UrlLinkStatic, AClickThatOpensMarksItVisited) {
    Host host("https://www.example.org/");
    CUrlLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(host.label));
    LinkShellRecorder shell(42);
    MessageBoxRecorder boxes;
    host.Click();
    EXPECT_EQ(LinkShellRecorder::opened, std::vector<std::string>{"https://www.example.org/"});
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(host.AskColours().text, static_cast<COLORREF>(0xA02080));
    EXPECT_TRUE(MessageBoxRecorder::texts.empty());
    link.UnsubclassWindow();
}

TEST(UrlLinkStatic, AFailedOpenFallsBackOnTheRegisteredBrowserThenExplains) {
    Host host("https://www.example.org/x?a=1");
    CUrlLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(host.label));
    {
        // The placeholder in quotes: what stands before it, a blank, the bare address.
        HtmClass htm("\"C:\\Tools\\browser.exe\" -page \"%1\" -rest");
        LinkShellRecorder shell(SE_ERR_NOASSOC, 33);
        MessageBoxRecorder boxes;
        host.Click();
        EXPECT_EQ(LinkShellRecorder::run,
                  std::vector<std::string>{"\"C:\\Tools\\browser.exe\" -page  https://www.example.org/x?a=1"});
        EXPECT_TRUE(link.IsVisited());
        EXPECT_TRUE(MessageBoxRecorder::texts.empty());
    }
    link.SetVisited(FALSE);
    {
        // The browser could not start either: its code is explained.
        HtmClass htm("C:\\Tools\\browser.exe %1");
        LinkShellRecorder shell(SE_ERR_NOASSOC, SE_ERR_FNF);
        MessageBoxRecorder boxes;
        host.Click();
        EXPECT_EQ(LinkShellRecorder::run, std::vector<std::string>{"C:\\Tools\\browser.exe  https://www.example.org/x?a=1"});
        EXPECT_FALSE(link.IsVisited());
        EXPECT_EQ(MessageBoxRecorder::texts, std::vector<std::string>{"Unable to open hyperlink:\n\nThe specified file was not found."});
    }
    {
        // A page class without an open command: the shell's own code.
        HtmClass htm(nullptr);
        LinkShellRecorder shell(SE_ERR_SHARE);
        MessageBoxRecorder boxes;
        host.Click();
        EXPECT_TRUE(LinkShellRecorder::run.empty());
        EXPECT_EQ(MessageBoxRecorder::texts, std::vector<std::string>{"Unable to open hyperlink:\n\nA sharing violation occurred. "});
    }
    link.UnsubclassWindow();
}

TEST(UrlLinkStatic, ACommandTooLongForItsBufferIsNotRun) {
    char out[32];
    EXPECT_TRUE(CUrlLinkStatic::ComposeCommand("run.exe", "http://a.example", out, sizeof(out)));
    EXPECT_STREQ(out, "run.exe http://a.example");
    const std::string url(40, 'u');
    EXPECT_FALSE(CUrlLinkStatic::ComposeCommand("run.exe %1", url.c_str(), out, sizeof(out)));

    HtmClass htm("C:\\Tools\\browser.exe %1");
    LinkShellRecorder shell(SE_ERR_NOASSOC);
    const std::string longUrl = "https://www.example.org/" + std::string(600, 'p');
    EXPECT_EQ(CUrlLinkStatic::OpenUrl(longUrl.c_str(), SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_TRUE(LinkShellRecorder::run.empty());
}

TEST(UrlLinkStatic, ErrorTexts) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {SE_ERR_ACCESSDENIED, "The operating system denied\naccess to the specified file."},
        {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {SE_ERR_DDEBUSY, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {SE_ERR_DLLNOTFOUND, "The specified dynamic-link library was not found."},
        {7, "Unknown Error (7) occurred."},
    };
    for (const auto& c : cases) EXPECT_STREQ(CUrlLinkStatic::ErrorText(c.code), c.text) << c.code;
}
