// Which picking requests the model entities answer: the slope, seeders,
// barriers and collectors take part only in the slope view, never in a graph
// or report window that shares the drawing.
#pragma once

class CViewContext;
class CWnd;

// True when the window is the slope view (or a class derived from it).
bool IsSlopeViewWindow(const CWnd* pWnd);

// The answer of an entity to a picking query from this view: true without a
// view; with a view, true when its owner window is the slope view, and
// noOwnerAnswer when it has no owner window.
bool AnswersPickInView(CViewContext* pView, bool noOwnerAnswer);
