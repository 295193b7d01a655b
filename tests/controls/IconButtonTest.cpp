// The icon button drawn into a bitmap: where the icon and the caption go, the
// press offset, the default button's frame, and hovering in the flat look.
#include <gtest/gtest.h>

#include <vector>

#include "controls/IconButton.h"
#include "framework/AfxWin.h"

namespace {

constexpr int kWidth = 120, kHeight = 40;
constexpr COLORREF kRed = RGB(255, 0, 0);

// A 16 x 16 icon, all red and opaque.
HICON RedIcon()
{
    std::vector<DWORD> colour(16 * 16, 0x00FF0000);
    std::vector<BYTE> mask(16 * 16 / 8, 0);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.xHotspot = 8;
    info.yHotspot = 8;
    info.hbmMask = ::CreateBitmap(16, 16, 1, 1, mask.data());
    info.hbmColor = ::CreateBitmap(16, 16, 1, 32, colour.data());
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return icon;
}

// The button drawn in a state into a white bitmap; the leftmost and topmost
// red pixel found.
struct Drawn {
    CPoint firstRed{-1, -1};
    COLORREF corner = 0;
};

Drawn DrawButton(CIconButton& button, UINT state)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT dis{ODT_BUTTON, 7, 0, ODA_DRAWENTIRE, state, button.GetSafeHwnd(), dc, all, 0};
    button.DrawItem(&dis);
    Drawn out;
    out.corner = ::GetPixel(dc, 0, 0);
    for (int x = 0; x < kWidth && out.firstRed.x < 0; ++x)
        for (int y = 0; y < kHeight; ++y)
            if (::GetPixel(dc, x, y) == kRed) {
                out.firstRed = CPoint(x, y);
                break;
            }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return out;
}

struct ButtonHost {
    CWnd host;
    CIconButton button;
    explicit ButtonHost(DWORD style = BS_PUSHBUTTON, const char* caption = "")
    {
        EXPECT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr));
        HWND made = ::CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | style, 10, 10, kWidth, kHeight,
                                      host.GetSafeHwnd(), reinterpret_cast<HMENU>(7), ::GetModuleHandleA(nullptr),
                                      nullptr);
        EXPECT_TRUE(button.SubclassWindow(made));
        button.SetIconHandles(RedIcon(), nullptr);
    }
    ~ButtonHost()
    {
        button.UnsubclassWindow();
        host.DestroyWindow();
    }
};

}  // namespace

TEST(IconButton, IconAndCaptionPlacesAndThePressOffset)
{
    {
        ButtonHost h;
        EXPECT_EQ(h.button.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
        // No caption: the icon is centred across the button.
        EXPECT_EQ(DrawButton(h.button, 0).firstRed, CPoint((kWidth - 16) / 2, (kHeight - 16) / 2));
        EXPECT_EQ(DrawButton(h.button, ODS_SELECTED).firstRed, CPoint((kWidth - 16) / 2 + 1, (kHeight - 16) / 2 + 1));
    }
    {
        // A caption: the icon 3 pixels from the left edge.
        ButtonHost h(BS_PUSHBUTTON, "Copy");
        EXPECT_EQ(DrawButton(h.button, 0).firstRed, CPoint(3, (kHeight - 16) / 2));
    }
}

TEST(IconButton, TheDefaultButtonOfThe3DLookHasABlackFrame)
{
    ButtonHost normal(BS_PUSHBUTTON, "Add");
    normal.button.SetFlat(FALSE);
    EXPECT_NE(DrawButton(normal.button, 0).corner, RGB(0, 0, 0));
    EXPECT_EQ(DrawButton(normal.button, ODS_FOCUS).corner, RGB(0, 0, 0));
    ButtonHost byDefault(BS_DEFPUSHBUTTON, "Add");
    byDefault.button.SetFlat(FALSE);
    EXPECT_EQ(DrawButton(byDefault.button, 0).corner, RGB(0, 0, 0));
    // The flat look has no frame at all until hovered.
    byDefault.button.SetFlat(TRUE);
    EXPECT_EQ(DrawButton(byDefault.button, 0).corner, ::GetSysColor(COLOR_BTNFACE));
}

TEST(IconButton, FlatButtonsHoverUntilTheMouseLeaves)
{
    ButtonHost h(BS_PUSHBUTTON, "Add");
    h.host.SetActiveWindow();
    h.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(h.button.IsHovering());
    EXPECT_EQ(::GetCapture(), h.button.GetSafeHwnd());
    // A move over the host, outside the button.
    h.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(kWidth + 50, kHeight + 50));
    EXPECT_FALSE(h.button.IsHovering());
    EXPECT_NE(::GetCapture(), h.button.GetSafeHwnd());

    // The 3-D look does not hover.
    h.button.SetFlat(FALSE);
    h.button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(h.button.IsHovering());
}
