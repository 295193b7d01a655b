// Runs an action once from the message loop of whatever modal loop (a menu,
// a dialog) runs next, as a user acting on what shows.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

class WhenShown
{
public:
    explicit WhenShown(std::function<void()> action)
    {
        s_action = std::move(action);
        m_timer = ::SetTimer(nullptr, 0, 30, &Tick);
    }
    ~WhenShown()
    {
        ::KillTimer(nullptr, m_timer);
        s_action = nullptr;
    }
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        if (!s_action)
            return;
        ::KillTimer(nullptr, id);
        auto action = std::move(s_action);
        s_action = nullptr;
        action();
    }
    static inline std::function<void()> s_action;
    UINT_PTR m_timer = 0;
};
