// A slope document shown in a CTalusimView inside a frame, with a known
// mapping (10 pixels per metre, world (0, 40) at the client's top-left), and
// the mouse and keys a user would send.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "geometry/ViewContext.h"
#include "view/TalusimView.h"

struct ViewMessageBoxes {
    static inline std::vector<std::string> texts;
    static int Hook(LPCSTR text, UINT)
    {
        texts.emplace_back(text != nullptr ? text : "");
        return IDOK;
    }
    ViewMessageBoxes()
    {
        texts.clear();
        previous = AfxSetMessageBoxHook(&Hook);
    }
    ~ViewMessageBoxes() { AfxSetMessageBoxHook(previous); }
    AfxMessageBoxHook previous = nullptr;
};

// The main frame as the view sees it: points typed in the prompt line, the
// material chosen in the material combo, and the coordinates the view reports.
class CPromptLine : public CMainFrameServices
{
public:
    bool GetTypedPoint(double& x, double& y, bool clear) override
    {
        if (typed.empty())
            return false;
        x = typed.front().x;
        y = typed.front().y;
        if (clear)
            typed.pop_front();
        return true;
    }
    bool IsCommandLineEmpty() override { return typed.empty(); }
    void SetCursorCoordinates(double x, double y) override { cursor = CVector2D(x, y); }
    CTalusimSlopeType* GetSelectedMaterial() override { return material; }
    std::deque<CVector2D> typed;
    CVector2D cursor;
    CTalusimSlopeType* material = nullptr;
};

struct InstalledPromptLine {
    InstalledPromptLine() { previous = InstallMainFrameServices(&line); }
    ~InstalledPromptLine() { InstallMainFrameServices(previous); }
    CPromptLine line;
    CMainFrameServices* previous = nullptr;
};

class SlopeViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc = new CTalusimDoc;
        doc->m_bAutoDelete = FALSE;
        ASSERT_TRUE(doc->OnNewDocument());
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTalusimView);
        context.m_pCurrentDoc = doc;
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Slope", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr, 0,
                                  &context));
        frame->InitialUpdateFrame(doc, TRUE);
        view = dynamic_cast<CTalusimView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        // The frame is maximised by the first update; a fixed size keeps pixels predictable.
        frame->ShowWindow(SW_RESTORE);
        frame->MoveWindow(0, 0, 640, 480);
        view->MoveWindow(0, 0, 600, 400);
        CRect client;
        view->GetClientRect(&client);
        view->MoveWindow(0, 0, 1200 - client.Width(), 800 - client.Height());
        SetMapping();
        // No snapping unless a test asks for it: clicks land where they are.
        doc->GetDatabase()->SetSnapMode(SNAP_NONE);
    }

    void TearDown() override
    {
        if (frame != nullptr)
            frame->DestroyWindow();
        delete doc;
    }

    void SetMapping()
    {
        CViewContext* vc = view->GetViewContext();
        CRect client;
        view->GetClientRect(&client);
        vc->SetDeviceOrigin(0, 0);
        vc->SetDeviceExtent(client.Width(), client.Height());
        vc->SetWorldOrigin(0, client.Height() / 10.0);
        vc->SetWorldExtent(client.Width() / 10.0, client.Height() / 10.0);
        worldTop = client.Height() / 10.0;
    }

    CVector2D World(int x, int y) const { return CVector2D(x / 10.0, worldTop - y / 10.0); }
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
    void Move(int x, int y) { view->SendMessage(WM_MOUSEMOVE, 0, At(x, y)); }
    void Click(int x, int y)
    {
        Move(x, y);
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        view->SendMessage(WM_LBUTTONUP, 0, At(x, y));
    }
    void Drag(int x0, int y0, int x1, int y1)
    {
        Move(x0, y0);
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x0, y0));
        for (int i = 1; i <= 4; ++i)
            view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4));
        view->SendMessage(WM_LBUTTONUP, 0, At(x1, y1));
    }
    void Key(UINT vk) { view->SendMessage(WM_KEYDOWN, vk, 0); }
    void Char(char c) { view->SendMessage(WM_CHAR, static_cast<WPARAM>(c), 0); }

    // A slope through the given device points, drawn with the mouse and ended with Enter.
    void DrawSlope(std::initializer_list<POINT> points)
    {
        doc->BeginDefineSlope();
        for (const POINT& p : points)
            Click(p.x, p.y);
        Key(VK_RETURN);
    }

    std::vector<CVector2D> SlopeVertices() const
    {
        std::vector<CVector2D> out;
        if (CTalusimSlope* slope = doc->GetSlope())
            for (int i = 0; i < slope->GetVertexCount(); ++i)
                out.push_back(slope->GetVertexPoint(i));
        return out;
    }

    CTalusimDoc* doc = nullptr;
    CFrameWnd* frame = nullptr;
    CTalusimView* view = nullptr;
    double worldTop = 40.0;
};

