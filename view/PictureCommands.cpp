#include "view/PictureCommands.h"

#include "model/DocumentDependencies.h"

#include "framework/View.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "tools/ToolImage.h"
#include "view/ScaleImageDlg.h"
#include "view/SlopeViewRules.h"

namespace {

CToolImage* CurrentPicture(const CTalusimDoc* pDoc)
{
    return pDoc != nullptr ? dynamic_cast<CToolImage*>(pDoc->GetCurrentEntity()) : nullptr;
}

bool IsScaleStage(int mode) { return mode >= MODE_IMAGE_OLD_TOP_LEFT && mode <= MODE_IMAGE_NEW_BOTTOM_RIGHT; }

}  // namespace

bool PlacePictureFromFile(CTalusimDoc* pDoc, CView* pView, CViewContext* pContext, const CRect& area)
{
    if (pDoc == nullptr || pView == nullptr || pContext == nullptr)
        return false;
    pDoc->CreateTool(TOOL_TYPE_IMAGE);
    auto* image = dynamic_cast<CToolImage*>(pDoc->GetCurrentTool());
    if (image == nullptr)
        return false;
    pDoc->SetToolView(pView);
    pDoc->SetToolOwner(pView);
    pDoc->SetToolSelectable(true);
    if (!image->LoadImageFile(false)) {
        // A tool without a picture would draw nothing yet could be picked and saved.
        pDoc->DeleteCurrentTool();
        return false;
    }
    const CSize size = image->GetImageSize();
    const CVector2D corner = pContext->DeviceToWorld(area.left + (area.Width() - size.cx) / 2,
                                                     area.top + (area.Height() - size.cy) / 2);
    pDoc->SetToolStartPoint(corner.x, corner.y);
    image->FitToImage(pContext);
    pDoc->FinishCurrentTool();
    pView->Invalidate(FALSE);
    return true;
}

bool CanScalePicture(const CTalusimDoc* pDoc) { return CurrentPicture(pDoc) != nullptr; }

void BeginScalePicture(CTalusimDoc* pDoc)
{
    if (pDoc == nullptr)
        return;
    pDoc->SetMode(MODE_IMAGE_OLD_TOP_LEFT);
    if (CToolImage* image = CurrentPicture(pDoc); image != nullptr && IsScaleStage(pDoc->GetMode())) {
        image->SetScaling(true);
        pDoc->RedrawEntity(image);
    }
}

void ProcessScalePicture(CTalusimDoc* pDoc, CView* pView, CViewContext* pContext, int event, int x, int y)
{
    if (pDoc == nullptr || pView == nullptr || pContext == nullptr)
        return;
    if (event == EVENT_CANCEL) {
        pDoc->SetMode(MODE_IDLE);
        pView->Invalidate(FALSE);
        return;
    }
    CToolImage* image = CurrentPicture(pDoc);
    const int mode = pDoc->GetMode();
    if (event != EVENT_LEFT_DOWN || image == nullptr || !IsScaleStage(mode))
        return;
    image->SetScalePoint(mode - MODE_IMAGE_OLD_TOP_LEFT, CPoint(x, y), pContext);
    if (mode != MODE_IMAGE_NEW_BOTTOM_RIGHT) {
        pDoc->SetMode(MODE_REQUEST_NEXT_STAGE);
        // Leaving a stage hides the markers; the next stage shows them again.
        image->SetScaling(true);
        pView->Invalidate(FALSE);
        return;
    }
    pView->Invalidate(FALSE);
    pView->UpdateWindow();
    CScaleImageDlg dialog(pView);
    CVector2D a, b;
    image->GetScaleTargets(pContext, a, b);
    dialog.m_ax = a.x;
    dialog.m_ay = a.y;
    dialog.m_bx = b.x;
    dialog.m_by = b.y;
    const CSize size = image->GetImageSize();
    dialog.m_strImageSize.Format("Width: %d  Height: %d", static_cast<int>(size.cx), static_cast<int>(size.cy));
    if (dialog.DoModal() == IDOK)
        image->ScaleToPoints(CVector2D(dialog.m_ax, dialog.m_ay), CVector2D(dialog.m_bx, dialog.m_by), pContext);
    pDoc->SetMode(MODE_IDLE);
    pView->Invalidate(FALSE);
}
