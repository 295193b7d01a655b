// Graph windows as the program makes them: the application object started
// once for the test program (as clastor.exe starts it, without the splash
// window), a new document with a small slope and a seeder per case, and the
// main frame's ToggleChartView creating each graph window through the graph
// template, in a child frame of its own.
#pragma once

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include "support/UpdateQuestion.h"
#include "app/MainFrame.h"
#include "app/TalusimApp.h"
#include "framework/DocTemplate.h"
#include "framework/AfxRes.h"
#include "framework/DC.h"
#include "framework/Document.h"
#include "framework/WinApp.h"
#include "model/DocumentDependencies.h"
#include "tests/framework/WindowTestSupport.h"

#include "graphs/TalusimOlectraView.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRaker.h"

class GraphWindowTest : public ::testing::Test
{
protected:
    static inline CTalusimApp* app = nullptr;
    static inline CMainFrame* mainFrame = nullptr;

    static void SetUpTestSuite()
    {
        if (app != nullptr)
            return;
        // What the program's entry point hands the shell.
        InstallGraphViewServices();
        CTalusimApp::s_graphView.viewClass = RUNTIME_CLASS(CTalusimOlectraView);
        CTalusimApp::s_graphView.isShowing = [](CView* view, int kind, CEntity* object) {
            return static_cast<CTalusimOlectraView*>(view)->IsShowing(kind, object);
        };
        CTalusimApp::s_graphView.setGraph = [](CView* view, int kind, CEntity* object) {
            static_cast<CTalusimOlectraView*>(view)->SetGraph(kind, object);
        };
        CTalusimApp::s_graphView.sendEvent = [](CView* view, int event) {
            static_cast<CTalusimOlectraView*>(view)->ProcessMouseEvent(event, 0, 0);
        };
        AnswerUpdateQuestionNo();
        app = new CTalusimApp;
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>("/nosplash"), SW_SHOW);
        ASSERT_TRUE(app->InitInstance());
        mainFrame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
        ASSERT_NE(mainFrame, nullptr);
        Idle();
    }

    static void Idle()
    {
        PumpPending();
        app->OnIdle(0);
    }

    // Every case starts with one new document in its slope window.
    void SetUp() override
    {
        ASSERT_NE(app, nullptr);
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        PumpPending();
        app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        Idle();
        CMDIChildWnd* child = mainFrame->MDIGetActive();
        ASSERT_NE(child, nullptr);
        doc = dynamic_cast<CTalusimDoc*>(child->GetActiveDocument());
        ASSERT_NE(doc, nullptr);
        doc->m_nRandomMode = RANDOM_FIXED;
        doc->m_nLocations = 5;
        doc->m_nRocks = 12;
    }

    void TearDown() override
    {
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        PumpPending();
        doc = nullptr;
    }

    // A talus slope under a cliff, 60 m wide, and a seeder above its top.
    void MakeSlope()
    {
        CTalusimSlopeType* material = doc->GetFirstMaterial();
        ASSERT_NE(material, nullptr);
        for (auto [x, y] : {std::pair{0.0, 40.0}, {8.0, 38.0}, {12.0, 15.0}, {30.0, 8.0}, {60.0, 0.0}})
            doc->GetSlope()->AddVertexWithMaterial(x, y, material);
        doc->GetSlope()->Show();    // as a slope drawn or read is
        auto* s = new CTalusimRaker;
        s->AddPoint(2.0, 42.0);
        s->SetGroupId(GROUP_POINT_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(1000.0, 100.0);
        s->SetVelocity(2.0, 0.0, 0.5, 0.2);
        s->SetAngularVelocity(0.5, 0.1);
        doc->GetDatabase()->AddEntity(s, false);
    }

    CTalusimBarrier* AddCollector(double x1, double y1, double x2, double y2)
    {
        auto* b = new CTalusimBarrier;
        b->SetPoints(x1, y1, x2, y2);
        b->SetGroupId(GROUP_COLLECTOR);
        b->SetCategoryId(CAT_PLACED);
        b->SetSkipLengthCheck(true);
        b->SetName("Collector");
        doc->GetDatabase()->AddEntity(b, false);
        return b;
    }

    void Compute()
    {
        MessageBoxRecorder boxes;
        doc->RunSimulation(FALSE);
        EXPECT_TRUE(boxes.texts.empty()) << (boxes.texts.empty() ? "" : boxes.texts[0]);
        Idle();
    }

    std::vector<CTalusimOlectraView*> GraphViews() const
    {
        std::vector<CTalusimOlectraView*> views;
        for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;)
            if (auto* v = dynamic_cast<CTalusimOlectraView*>(doc->GetNextView(pos)))
                views.push_back(v);
        return views;
    }

    // Opens (or activates) the graph window as the document's commands do.
    CTalusimOlectraView* Open(int kind, CEntity* object = nullptr)
    {
        mainFrame->ToggleChartView(kind, object, TRUE);
        Idle();
        for (CTalusimOlectraView* v : GraphViews())
            if (v->IsShowing(kind, object))
                return v;
        return nullptr;
    }

    // Gives the view's client area a known size.
    static void SizeClient(CTalusimOlectraView* view, int width, int height)
    {
        CFrameWnd* frame = view->GetParentFrame();
        frame->ShowWindow(SW_RESTORE);
        CRect client, outer;
        view->GetClientRect(&client);
        frame->GetWindowRect(&outer);
        frame->SetWindowPos(nullptr, 0, 0, outer.Width() + width - client.Width(),
                            outer.Height() + height - client.Height(), SWP_NOZORDER | SWP_NOMOVE);
        PumpPending();
    }

    static CString WindowText(CWnd* wnd)
    {
        CString text;
        wnd->GetWindowText(text);
        return text;
    }

    CTalusimDoc* doc = nullptr;
};

// The texts a view's OnDraw writes, recorded in an enhanced metafile.
inline std::vector<std::string> DrawnTexts(CView* view)
{
    HDC screen = ::GetDC(nullptr);
    HDC meta = ::CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = meta;
    view->OnDraw(&dc);
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
    ::ReleaseDC(nullptr, screen);
    std::vector<std::string> texts;
    ::EnumEnhMetaFile(
        nullptr, emf,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
            auto* out = reinterpret_cast<std::vector<std::string>*>(data);
            if (record->iType == EMR_EXTTEXTOUTW) {
                const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                const auto* chars =
                    reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(record) + t->emrtext.offString);
                std::string s;
                for (DWORD i = 0; i < t->emrtext.nChars; ++i)
                    s += static_cast<char>(chars[i]);
                out->push_back(s);
            } else if (record->iType == EMR_EXTTEXTOUTA) {
                const auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
                out->emplace_back(reinterpret_cast<const char*>(record) + t->emrtext.offString, t->emrtext.nChars);
            }
            return 1;
        },
        &texts, nullptr);
    ::DeleteEnhMetaFile(emf);
    return texts;
}

