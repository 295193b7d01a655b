#include "view/PrintPreviewStart.h"

#include "model/MainFrameServices.h"
#include "framework/AfxRes.h"
#include "framework/MessageBox.h"
#include "framework/Preview.h"
#include "framework/View.h"
#include "res/resource.h"

bool StartPrintPreview(CView* view)
{
    MainFrameServices().ValidatePageSettings();
    auto* state = new CPrintPreviewState;
    CRuntimeClass* previewClass = MainFrameServices().GetPreviewViewClass();
    if (view->DoPrintPreview(IDD_PREVIEW_BAR, view, previewClass != nullptr ? previewClass : RUNTIME_CLASS(CPreviewView),
                             state))
        return true;
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE, MB_ICONEXCLAMATION);
    delete state;
    return false;
}
