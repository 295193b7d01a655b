#include "model/EntityOptions.h"

#include <cstring>
#include "framework/Wnd.h"
#include "geometry/ViewContext.h"

bool IsSlopeViewWindow(const CWnd* pWnd)
{
    if (!pWnd)
        return false;
    // By class name: the slope view belongs to a higher layer, which the
    // model may not include.
    for (const CRuntimeClass* c = pWnd->GetRuntimeClass(); c; c = c->m_pBaseClass) {
        if (std::strcmp(c->m_lpszClassName, "CTalusimView") == 0)
            return true;
    }
    return false;
}

bool AnswersPickInView(CViewContext* pView, bool noOwnerAnswer)
{
    if (!pView)
        return true;
    const CWnd* owner = pView->GetOwnerView();
    if (!owner)
        return noOwnerAnswer;
    return IsSlopeViewWindow(owner);
}
