// CGLEnabledView: the view class of the fourth document template, keeping the
// place of a 3-D view of the document. It draws nothing; 3D View opens it while
// the document's disc runs are three-dimensional.
#pragma once

#include "framework/View.h"

class CGLEnabledView : public CView {
    DECLARE_DYNCREATE(CGLEnabledView)
public:
    void OnDraw(CDC* pDC) override;
};
