#include "controls/GLEnabledView.h"

IMPLEMENT_DYNCREATE(CGLEnabledView, CView)

void CGLEnabledView::OnDraw(CDC*) {}
