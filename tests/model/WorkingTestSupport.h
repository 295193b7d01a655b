// A small application for the tests that run a computation with its Working
// dialog: an application object whose idle work the tests can watch and
// steer, a hidden main window, a visible second top-level window (as a modal
// dialog that started a run would be) and a window that counts posted messages.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "controls/WorkingDlg.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/ComputeProgress.h"

class CWorkingTestApp : public CWinApp {
public:
    CWorkingTestApp() : CWinApp("Clastor Compute Tests") {}

    int idleCalls = 0;
    // Runs on every idle call, that is once per pump of a Working dialog.
    std::function<void()> onIdle;

    BOOL OnIdle(LONG lCount) override {
        ++idleCalls;
        if (lCount == 0 && onIdle) onIdle();
        return CWinApp::OnIdle(lCount);
    }
};

// A plain window that counts the messages posted to it.
struct MessageCounter {
    static constexpr UINT WM_COUNT = WM_APP + 71;
    static inline int count = 0;

    static LRESULT CALLBACK Proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COUNT) {
            ++count;
            return 0;
        }
        return ::DefWindowProcA(h, message, wParam, lParam);
    }
    static HWND Create() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "ClastorTestMessageCounter";
        ::RegisterClassA(&wc);
        return ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                 nullptr);
    }
};

class WorkingWindowsTest : public ::testing::Test {
protected:
    static inline CWorkingTestApp* app = nullptr;
    static inline CWnd* mainWnd = nullptr;
    static inline CWnd* otherWnd = nullptr;
    static inline HWND counter = nullptr;

    static HWND MakeTopLevelWindow(const char* title, bool visible = false) {
        HWND h = ::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10,
                                   300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        return h;
    }

    static void SetUpTestSuite() {
        app = new CWorkingTestApp;
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_HIDE);
        mainWnd = new CWnd;
        mainWnd->Attach(MakeTopLevelWindow("Compute test main window"));
        app->m_pMainWnd = mainWnd;
        otherWnd = new CWnd;
        otherWnd->Attach(MakeTopLevelWindow("Compute test other window", true));
        counter = MessageCounter::Create();
    }

    static void TearDownTestSuite() {
        app->m_pMainWnd = nullptr;
        for (CWnd* w : {mainWnd, otherWnd}) {
            HWND h = w->Detach();
            ::DestroyWindow(h);
            delete w;
        }
        ::DestroyWindow(counter);
        mainWnd = otherWnd = nullptr;
        counter = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        delete app;
        app = nullptr;
    }

    // The tests watch the dialog from the first rock on.
    std::chrono::milliseconds savedShowDelay{};

    void SetUp() override {
        app->onIdle = nullptr;
        MessageCounter::count = 0;
        savedShowDelay = CComputeProgress::GetShowDelay();
        CComputeProgress::SetShowDelay(std::chrono::milliseconds(0));
    }
    void TearDown() override {
        CComputeProgress::SetShowDelay(savedShowDelay);
        app->onIdle = nullptr;
        // Nothing a test left behind may reach the next one.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
        EXPECT_TRUE(::IsWindowEnabled(OtherWindow()));
    }

    static CWorkingTestApp& App() { return *app; }
    static HWND MainWindow() { return mainWnd->m_hWnd; }
    static HWND OtherWindow() { return otherWnd->m_hWnd; }
    static void PostToCounter(int n) {
        for (int i = 0; i < n; ++i) ::PostMessageA(counter, MessageCounter::WM_COUNT, 0, 0);
    }
    static int CounterMessages() { return MessageCounter::count; }
};
