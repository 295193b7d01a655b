// The colour picker driven as a user would: the button's click opens the
// popup, keys and mouse messages move in it and end it, and the parent sees
// the notifications. The common colour dialog is answered by a hook.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/ColourPicker.h"
#include "framework/AfxWin.h"
#include "framework/FileDialog.h"

namespace {

constexpr int kId = 7;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kOdd = RGB(1, 2, 3);
constexpr int kDefault = CColourPickerPopup::kDefaultBox;
constexpr int kCustom = CColourPickerPopup::kCustomBox;

struct Notice {
    UINT message;
    COLORREF colour;
    LPARAM id;
    bool operator==(const Notice&) const = default;
};

// A top-level window that notes the picker's notifications.
class RecordingHost : public CWnd
{
public:
    std::vector<Notice> notices;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= CPN_SELCHANGE && message <= CPN_SELENDCANCEL) {
            notices.push_back({message, static_cast<COLORREF>(wParam), lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct PickerHost {
    RecordingHost host;
    CColourPicker picker;

    explicit PickerHost(int x = 100, int y = 100)
    {
        EXPECT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, 260, 120, nullptr,
                                  nullptr));
        HWND button = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24,
                                        host.GetSafeHwnd(), reinterpret_cast<HMENU>(kId),
                                        ::GetModuleHandleA(nullptr), nullptr);
        EXPECT_TRUE(picker.SubclassWindow(button));
    }
    ~PickerHost()
    {
        if (HWND capture = ::GetCapture(); capture != nullptr && ::GetAncestor(capture, GA_ROOT) == capture)
            ::SendMessageA(capture, WM_KEYDOWN, VK_ESCAPE, 0);
        picker.UnsubclassWindow();
        host.DestroyWindow();
    }

    // The click as the button reports it; the open popup holds the mouse.
    CColourPickerPopup* Open()
    {
        host.SendMessage(WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), reinterpret_cast<LPARAM>(picker.GetSafeHwnd()));
        auto* popup = dynamic_cast<CColourPickerPopup*>(CWnd::FromHandlePermanent(::GetCapture()));
        EXPECT_NE(popup, nullptr);
        return popup;
    }
};

void Key(CColourPickerPopup* popup, UINT key) { popup->SendMessage(WM_KEYDOWN, key, 0); }

LPARAM At(CPoint p) { return MAKELPARAM(p.x, p.y); }

// The last few notices the parent saw.
std::vector<Notice> Tail(const std::vector<Notice>& all, size_t n)
{
    return std::vector<Notice>(all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end());
}

COLORREF Flag(COLORREF c) { return c | kColourPaletteFlag; }

} // namespace

TEST(ColourPicker, TableHoldsFortyNamedColoursWithThePaletteFlag)
{
    ASSERT_EQ(ColourPickerTableSize(), 40);
    const ColourTableEntry* table = ColourPickerTable();
    EXPECT_EQ(table[0].colour, Flag(RGB(0, 0, 0)));
    EXPECT_STREQ(table[9].name, "Orange");
    EXPECT_EQ(table[9].colour, Flag(RGB(255, 104, 32)));
    EXPECT_STREQ(table[35].name, "Pale green ");
    EXPECT_EQ(table[39].colour, Flag(RGB(255, 255, 255)));
}

TEST(ColourPicker, GettersDropThePaletteFlagAndModeChoosesTheColour)
{
    PickerHost h;
    h.picker.SetBkColour(kRed);
    h.picker.SetTextColour(kBlue);
    EXPECT_EQ(h.picker.GetColour(), kRed);
    h.picker.SetSelectionMode(1);
    EXPECT_EQ(h.picker.GetColour(), kBlue);
    h.picker.SetColour(kYellow);
    EXPECT_EQ(h.picker.GetTextColour(), kYellow);
    EXPECT_EQ(h.picker.GetBkColour(), kRed);
    EXPECT_EQ(h.picker.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST(ColourPicker, ChosenBoxFollowsTheOpeningColour)
{
    struct Case {
        COLORREF colour;
        const char* defaultText;
        const char* customText;
        int chosen;
    } cases[] = {
        {kRed, "Default", "More Colours...", 16},
        {RGB(0, 0, 0), "Default", "More Colours...", kDefault}, // the default colour, not the black cell
        {RGB(0, 0, 0), nullptr, "More Colours...", 0},
        {kOdd, "Default", "More Colours...", kCustom},
        {kOdd, "Default", nullptr, CColourPickerPopup::kNoBox},
    };
    for (const Case& c : cases) {
        PickerHost h;
        h.picker.SetColour(c.colour);
        h.picker.SetDefaultText(c.defaultText);
        h.picker.SetCustomText(c.customText);
        CColourPickerPopup* popup = h.Open();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->GetChosenIndex(), c.chosen) << c.colour;
        EXPECT_EQ(popup->GetHoverIndex(), CColourPickerPopup::kNoBox);
        EXPECT_EQ(popup->GetToolTip().GetToolCount(), 40);
        EXPECT_TRUE(h.picker.IsPopupActive());
        ASSERT_FALSE(h.host.notices.empty());
        EXPECT_EQ(h.host.notices.front(), (Notice{CPN_DROPDOWN, Flag(c.colour), kId}));
        Key(popup, VK_ESCAPE);
    }
}

TEST(ColourPicker, KeyboardMovesThroughCellsAndBoxes)
{
    struct Case {
        const char* defaultText;
        const char* customText;
        std::vector<UINT> keys;
        int hover;
    } cases[] = {
        // Nothing hovered yet: Down and Right go past the last cell, Up and Left before the first.
        {"Default", "More", {VK_DOWN}, kCustom},
        {"Default", "More", {VK_RIGHT}, kCustom},
        {"Default", "More", {VK_UP}, kDefault},
        {"Default", "More", {VK_LEFT}, kDefault},
        // From the Default box.
        {"Default", "More", {VK_UP, VK_DOWN}, 0},
        {"Default", "More", {VK_UP, VK_RIGHT}, 0},
        {"Default", "More", {VK_UP, VK_UP}, kCustom},
        {"Default", "More", {VK_UP, VK_LEFT}, kCustom},
        // From the More Colours box.
        {"Default", "More", {VK_DOWN, VK_DOWN}, kDefault},
        {"Default", "More", {VK_DOWN, VK_UP}, 39},
        {"Default", "More", {VK_DOWN, VK_LEFT}, 39},
        {nullptr, "More", {VK_DOWN, VK_RIGHT}, 0},
        // Among the cells.
        {"Default", "More", {VK_UP, VK_DOWN, VK_DOWN}, 8},
        {"Default", "More", {VK_UP, VK_DOWN, VK_RIGHT, VK_RIGHT}, 2},
        {"Default", "More", {VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT, VK_LEFT}, kDefault},
        {"Default", "More", {VK_DOWN, VK_UP, VK_UP}, 31},
        {"Default", "More", {VK_DOWN, VK_LEFT, VK_DOWN}, kCustom},
        {"Default", "More", {VK_DOWN, VK_UP, VK_LEFT, VK_LEFT}, 37},
        // A cell at the end of a row goes on to the next row.
        {"Default", "More", {VK_UP, VK_DOWN, VK_DOWN, VK_LEFT}, 7},
        // Missing boxes leave the way round.
        {nullptr, "More", {VK_UP}, kCustom},
        {nullptr, nullptr, {VK_UP}, 39},
        {nullptr, nullptr, {VK_DOWN}, 0},
        {nullptr, nullptr, {VK_DOWN, VK_UP}, 39},
        {"Default", nullptr, {VK_DOWN}, kDefault},
        {"Default", nullptr, {VK_DOWN, VK_UP}, 39},
    };
    int row = 0;
    for (const Case& c : cases) {
        PickerHost h;
        h.picker.SetColour(kOdd);
        h.picker.SetDefaultText(c.defaultText);
        h.picker.SetCustomText(c.customText);
        CColourPickerPopup* popup = h.Open();
        ASSERT_NE(popup, nullptr);
        for (UINT key : c.keys)
            Key(popup, key);
        EXPECT_EQ(popup->GetHoverIndex(), c.hover) << "case " << row;
        Key(popup, VK_ESCAPE);
        ++row;
    }
}

TEST(ColourPicker, EnterChoosesTheHoveredCellAndTheParentHearsOfIt)
{
    PickerHost h;
    h.picker.SetColour(kRed);
    CColourPickerPopup* popup = h.Open();
    ASSERT_NE(popup, nullptr);
    HWND window = popup->GetSafeHwnd();
    Key(popup, VK_UP);   // Default box
    Key(popup, VK_DOWN); // Black
    EXPECT_EQ(h.host.notices.back(), (Notice{CPN_SELCHANGE, Flag(RGB(0, 0, 0)), kId}));
    for (int i = 0; i < 13; ++i)
        Key(popup, VK_RIGHT);
    EXPECT_EQ(popup->GetCurrentColour(), Flag(kBlue));
    EXPECT_EQ(h.picker.GetColour(), kRed) << "no tracking: the button waits for the choice";
    Key(popup, VK_RETURN);

    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(h.picker.IsPopupActive());
    EXPECT_EQ(h.picker.GetColour(), kBlue);
    const std::vector<Notice> end{{CPN_CLOSEUP, Flag(kBlue), kId},
                                  {CPN_SELENDOK, Flag(kBlue), kId},
                                  {CPN_SELCHANGE, Flag(kBlue), kId}};
    EXPECT_EQ(Tail(h.host.notices, 3), end);
}

TEST(ColourPicker, EscapeRestoresTheOpeningColour)
{
    PickerHost h;
    h.picker.SetColour(kRed);
    h.picker.SetTrackSelection(TRUE);
    CColourPickerPopup* popup = h.Open();
    ASSERT_NE(popup, nullptr);
    Key(popup, VK_UP);
    Key(popup, VK_DOWN);
    EXPECT_EQ(h.picker.GetColour(), RGB(0, 0, 0)) << "tracking shows the hovered colour at once";
    Key(popup, VK_ESCAPE);
    EXPECT_EQ(h.picker.GetColour(), kRed);
    const std::vector<Notice> end{{CPN_CLOSEUP, Flag(kRed), kId}, {CPN_SELENDCANCEL, Flag(kRed), kId}};
    EXPECT_EQ(Tail(h.host.notices, 2), end);
}

TEST(ColourPicker, MouseHoversClicksAndCancelsOutside)
{
    {
        PickerHost h;
        h.picker.SetColour(kRed);
        CColourPickerPopup* popup = h.Open();
        ASSERT_NE(popup, nullptr);
        const CPoint yellow = popup->GetBoxRect(26).CenterPoint();
        EXPECT_EQ(popup->HitTest(yellow), 26);
        popup->SendMessage(WM_MOUSEMOVE, 0, At(yellow));
        EXPECT_EQ(h.host.notices.back(), (Notice{CPN_SELCHANGE, Flag(kYellow), kId}));
        const size_t seen = h.host.notices.size();
        popup->SendMessage(WM_MOUSEMOVE, 0, At(CPoint(-40, -40)));
        EXPECT_EQ(popup->GetHoverIndex(), CColourPickerPopup::kNoBox);
        EXPECT_EQ(h.host.notices.size(), seen) << "leaving the popup sends nothing";
        popup->SendMessage(WM_MOUSEMOVE, 0, At(yellow));
        popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(yellow));
        popup->SendMessage(WM_LBUTTONUP, 0, At(yellow));
        EXPECT_EQ(h.picker.GetColour(), kYellow);
        EXPECT_EQ(Tail(h.host.notices, 2).front(), (Notice{CPN_SELENDOK, Flag(kYellow), kId}));
    }
    {
        PickerHost h;
        h.picker.SetColour(kRed);
        CColourPickerPopup* popup = h.Open();
        ASSERT_NE(popup, nullptr);
        popup->SendMessage(WM_MOUSEMOVE, 0, At(popup->GetBoxRect(26).CenterPoint()));
        popup->SendMessage(WM_LBUTTONUP, 0, At(CPoint(-40, -40)));
        EXPECT_EQ(h.picker.GetColour(), kRed);
        EXPECT_EQ(h.host.notices.back(), (Notice{CPN_SELENDCANCEL, Flag(kRed), kId}));
    }
}

namespace {
struct ColourAnswer {
    static inline bool ok = false;
    static inline COLORREF give = 0;
    static inline COLORREF offered = 0;
    static inline DWORD flags = 0;
    static INT_PTR Answer(CCommonDialog* dialog)
    {
        auto* colour = static_cast<CColorDialog*>(dialog);
        offered = colour->m_cc.rgbResult;
        flags = colour->m_cc.Flags;
        if (!ok)
            return IDCANCEL;
        colour->SetCurrentColor(give);
        return IDOK;
    }
};
} // namespace

TEST(ColourPicker, MoreColoursRunsTheColourDialogAndEndsWithAChoiceEitherWay)
{
    const AfxCommonDialogHook previous = AfxSetCommonDialogHook(&ColourAnswer::Answer);
    for (bool ok : {true, false}) {
        ColourAnswer::ok = ok;
        ColourAnswer::give = kOdd;
        PickerHost h;
        h.picker.SetColour(kRed);
        CColourPickerPopup* popup = h.Open();
        ASSERT_NE(popup, nullptr);
        const CPoint more = popup->GetBoxRect(kCustom).CenterPoint();
        EXPECT_EQ(popup->HitTest(more), kCustom);
        popup->SendMessage(WM_MOUSEMOVE, 0, At(more));
        EXPECT_EQ(h.host.notices.back(), (Notice{CPN_SELCHANGE, Flag(kRed), kId}));
        popup->SendMessage(WM_LBUTTONUP, 0, At(more));
        EXPECT_EQ(ColourAnswer::offered, kRed);
        EXPECT_EQ(ColourAnswer::flags & (CC_FULLOPEN | CC_ANYCOLOR), static_cast<DWORD>(CC_FULLOPEN | CC_ANYCOLOR));
        const COLORREF expected = ok ? kOdd : kRed;
        EXPECT_EQ(h.picker.GetColour(), expected);
        EXPECT_EQ(Tail(h.host.notices, 2).front(), (Notice{CPN_SELENDOK, Flag(expected), kId}));
    }
    AfxSetCommonDialogHook(previous);
}

TEST(ColourPicker, WithoutDefaultTextTheGridStartsAtTheTop)
{
    PickerHost h;
    h.picker.SetDefaultText(nullptr);
    CColourPickerPopup* popup = h.Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->GetBoxRect(kDefault).IsRectEmpty());
    const CRect first = popup->GetBoxRect(0);
    EXPECT_EQ(first.top, ::GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(popup->HitTest(CPoint(first.left + 2, first.top + 2)), 0);
    CRect client;
    popup->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 8 * 18 + 2 * ::GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(popup->GetBoxRect(kCustom).bottom, client.bottom - ::GetSystemMetrics(SM_CXEDGE));
    Key(popup, VK_ESCAPE);
}

TEST(ColourPicker, PopupStaysOnTheScreen)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    PickerHost h(screenWidth - 120, screenHeight - 80);
    CRect button;
    h.picker.GetWindowRect(&button);
    CColourPickerPopup* popup = h.Open();
    ASSERT_NE(popup, nullptr);
    CRect window;
    popup->GetWindowRect(&window);
    EXPECT_EQ(window.bottom, button.top) << "opens above the button";
    EXPECT_EQ(window.right, screenWidth);
    Key(popup, VK_ESCAPE);
}

TEST(ColourPicker, DrawsTheSwatchAndGreysWhenDisabled)
{
    PickerHost h;
    h.picker.SetColour(kOdd);
    constexpr int kWidth = 80, kHeight = 24;
    const auto swatchPixel = [&](UINT state) {
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        DRAWITEMSTRUCT dis{ODT_BUTTON, kId, 0, ODA_DRAWENTIRE, state, h.picker.GetSafeHwnd(), dc,
                           RECT{0, 0, kWidth, kHeight}, 0};
        h.picker.DrawItem(&dis);
        const COLORREF pixel = ::GetPixel(dc, 10, kHeight / 2);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return pixel;
    };
    EXPECT_EQ(swatchPixel(0), kOdd);
    EXPECT_EQ(swatchPixel(ODS_DISABLED), ::GetSysColor(COLOR_BTNFACE));
}

TEST(ColourPicker, DataExchangeLoadsAndSaves)
{
    PickerHost h;
    COLORREF value = kYellow;
    CDataExchange load(&h.host, FALSE);
    DDX_ColourPicker(&load, kId, value);
    EXPECT_EQ(h.picker.GetColour(), kYellow);
    h.picker.SetColour(kBlue);
    CDataExchange save(&h.host, TRUE);
    DDX_ColourPicker(&save, kId, value);
    EXPECT_EQ(value, kBlue);
}
