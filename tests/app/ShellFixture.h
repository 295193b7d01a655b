// The program's application object, started once for the whole test program
// as clastor.exe starts it (with its slope and graph views, without the splash
// window), with its main frame, toolbars, menus and a first document.
#pragma once

#include <gtest/gtest.h>

#include "support/UpdateQuestion.h"
#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/TalusimApp.h"
#include "program/ProgramViews.h"
#include "framework/WinApp.h"
#include "framework/WindowTestSupport.h"

class ShellTest : public ::testing::Test {
protected:
    static inline CTalusimApp* app = nullptr;
    static inline CMainFrame* frame = nullptr;
    // What start-up left: a first document in its window.
    static inline CDocument* firstDocument = nullptr;

    static void SetUpTestSuite() {
        if (app != nullptr) return;
        InstallProgramViews();
        AnswerUpdateQuestionNo();
        app = new CTalusimApp;
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>("/nosplash"), SW_SHOW);
        ASSERT_TRUE(app->InitInstance());
        // The test program's own arguments do not ask for no splash: it goes at once.
        if (CSplashWnd::GetSplash() != nullptr) CSplashWnd::HideSplash();
        frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        if (CMDIChildWnd* child = frame->MDIGetActive()) firstDocument = child->GetActiveDocument();
        PumpPending();
        app->OnIdle(0);
    }

    // Runs the idle update handlers of the frame, its bars and menus.
    static void Idle() {
        PumpPending();
        app->OnIdle(0);
    }
};
