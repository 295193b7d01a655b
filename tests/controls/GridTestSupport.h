// A grid on a real window for the grid tests: a host that records what the
// grid tells its owner, and helpers that press keys and click as a user does.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/GridCtrl.h"
#include "framework/AfxWin.h"

namespace gridtest {

constexpr UINT kGridId = 16207;

// The grid's owner; it keeps the notification codes and what the grid posts it.
class Host : public CWnd {
public:
    std::vector<int> codes;
    std::vector<std::pair<int, int>> cells;
    int nextDlgCtl = -1;    // wParam of the last WM_NEXTDLGCTL, -1 none
    int returnKeys = 0;     // WM_KEYDOWN VK_RETURN posted to it
    int clicks = 0;         // WM_COMMAND from the grid

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* info = reinterpret_cast<const GridNotifyInfo*>(lParam);
            if (info->hdr.idFrom == kGridId) {
                codes.push_back(static_cast<int>(info->hdr.code));
                cells.emplace_back(info->row, info->col);
            }
        } else if (message == WM_NEXTDLGCTL) {
            nextDlgCtl = static_cast<int>(wParam);
            return 0;
        } else if (message == WM_KEYDOWN && wParam == VK_RETURN) {
            ++returnKeys;
            return 0;
        } else if (message == WM_COMMAND && LOWORD(wParam) == kGridId) {
            ++clicks;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool Heard(int code) const
    {
        for (int c : codes)
            if (c == code)
                return true;
        return false;
    }
};

// Holds keys down in the thread's keyboard state while it lives.
class Holding {
public:
    explicit Holding(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        std::copy(m_saved, m_saved + 256, state);
        for (int k : keys)
            state[k] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~Holding() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A grid of rows x cols with one fixed row and column, cells "r,c", on a shown host.
struct GridOnWindow {
    Host host;
    CGridCtrl grid;

    explicit GridOnWindow(int rows = 6, int cols = 4, int width = 400, int height = 300)
    {
        EXPECT_TRUE(host.CreateEx(0, nullptr, "grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width + 40,
                                  height + 60, nullptr, nullptr));
        EXPECT_TRUE(grid.Create(CRect(0, 0, width, height), &host, kGridId, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        grid.SetNumberOfRows(rows);
        grid.SetNumberOfColumns(cols);
        grid.SetNumberOfFixedRows(1);
        grid.SetNumberOfFixedColumns(1);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                char text[32];
                snprintf(text, sizeof text, "%d,%d", r, c);
                grid.SetCellText(r, c, text);
            }
        for (int r = 0; r < rows; ++r)
            grid.SetRowHeight(r, 20);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, 60);
        grid.ResetScrollBars();
        ::SetForegroundWindow(host.GetSafeHwnd());
        grid.SetFocus();
        Pump();
    }
    ~GridOnWindow()
    {
        grid.DestroyWindow();
        host.DestroyWindow();
        Pump();
    }

    std::string Text(int r, int c) const { return std::string(grid.GetCellText(r, c)); }
    bool Selected(int r, int c) const { return (grid.GetCellState(r, c) & GVIS_SELECTED) != 0; }
    CPoint Centre(int r, int c) const
    {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(r, c, &rect));
        return rect.CenterPoint();
    }
    void Key(UINT key) { grid.SendMessage(WM_KEYDOWN, key, 1); Pump(); }
    void Char(char ch) { grid.SendMessage(WM_CHAR, static_cast<BYTE>(ch), 1); Pump(); }
    void Click(int r, int c, UINT flags = 0)
    {
        const CPoint p = Centre(r, c);
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(p.x, p.y));
        grid.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(p.x, p.y));
        Pump();
    }
    void Drag(int r0, int c0, int r1, int c1, UINT flags = 0)
    {
        const CPoint a = Centre(r0, c0), b = Centre(r1, c1);
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(a.x, a.y));
        grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON | flags, MAKELPARAM(b.x, b.y));
        grid.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(b.x, b.y));
        Pump();
    }
    // The in-place edit over the grid, when one is open.
    HWND Editor() const { return ::GetDlgItem(grid.GetSafeHwnd(), kGridInPlaceId); }
    std::string EditorText() const
    {
        char buffer[256] = {};
        ::GetWindowTextA(Editor(), buffer, sizeof buffer);
        return buffer;
    }
    void KeyInEditor(UINT key)
    {
        ::SendMessageA(Editor(), WM_KEYDOWN, key, 1);
        Pump();
    }
    void TypeInEditor(const char* text)
    {
        for (const char* p = text; *p; ++p)
            ::SendMessageA(Editor(), WM_CHAR, static_cast<BYTE>(*p), 1);
        Pump();
    }
};

}  // namespace gridtest
