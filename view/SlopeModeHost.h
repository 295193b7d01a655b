// The slope view as the shared mode handlers see it: its document, its view
// context, snapped points rounded to thousandths, and a repaint of the view.
#pragma once

#include "view/ModeHandlers.h"
#include "view/TalusimView.h"

class CSlopeModeHost : public CModeHost
{
public:
    explicit CSlopeModeHost(CTalusimView& view) : m_view(view) {}

    CTalusimDoc* ModeDocument() override { return m_view.GetDocument(); }
    CViewContext* ModeViewContext() override { return m_view.GetViewContext(); }
    CView* ModeView() override { return &m_view; }
    CVector2D ModeSnapPoint(int x, int y) override { return m_view.SnapPoint(x, y, true); }
    void RepaintDrawings() override { m_view.Invalidate(FALSE); }

private:
    CTalusimView& m_view;
};

// The shared handlers working on a slope view.
class CSlopeModes : private CSlopeModeHost, public CModeHandlers
{
public:
    explicit CSlopeModes(CTalusimView& view) : CSlopeModeHost(view), CModeHandlers(static_cast<CModeHost&>(*this)) {}
};
