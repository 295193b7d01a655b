// The graph view as the shared mode handlers see it: the view context mapped
// onto its slope panel, snapped points rounded to thousandths, and a repaint
// of the slope panel only.
#pragma once

#include "graphs/TalusimOlectraView.h"
#include "view/ModeHandlers.h"

class CGraphModeHost : public CModeHost
{
public:
    explicit CGraphModeHost(CTalusimOlectraView& view) : m_view(view) {}

    CTalusimDoc* ModeDocument() override { return m_view.Doc(); }
    CViewContext* ModeViewContext() override { return m_view.GetViewContext(); }
    CView* ModeView() override { return &m_view; }
    CVector2D ModeSnapPoint(int x, int y) override { return m_view.SnapPoint(x, y, true); }
    void RepaintDrawings() override { m_view.RepaintSlopePanel(); }

private:
    CTalusimOlectraView& m_view;
};

// The shared handlers working on a graph view.
class CGraphModes : private CGraphModeHost, public CModeHandlers
{
public:
    explicit CGraphModes(CTalusimOlectraView& view) : CGraphModeHost(view), CModeHandlers(static_cast<CModeHost&>(*this)) {}
};
