// The graph view's commands beyond the chart's own: the drawing tools and
// pictures on the slope panel, the tools file, the drawing picked by a right
// click, the rock-path filters as a graph offers them, and Copy.
#include "model/DocumentDependencies.h"

#include "graphs/TalusimOlectraView.h"

#include "model/MainFrameServices.h"
#include "chart/Xrt.h"
#include "geometry/ViewContext.h"
#include "graphs/GraphModeHost.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "tools/Measure.h"
#include "view/PictureCommands.h"
#include "view/SlopeViewRules.h"

namespace {

// The first stage of the mode a command enters: the drawing tools as the slope
// view has them, and picking rock paths; 0 for any other command.
int GraphCommandMode(UINT id)
{
    return id == ID_FILTER_BY_PICKING ? MODE_PICK_PATHS : ToolCommandMode(id);
}

}  // namespace

// ---- modes and events ------------------------------------------------------------------------

BOOL CTalusimOlectraView::OnModeCommand(UINT id)
{
    CTalusimDoc* doc = Doc();
    if (const int mode = GraphCommandMode(id); mode && doc)
        doc->SetMode(mode);   // the running mode's command ends it
    return TRUE;
}

void CTalusimOlectraView::OnUpdateModeCommand(CCmdUI* pCmdUI)
{
    CTalusimDoc* doc = Doc();
    const UINT id = pCmdUI->m_nID;
    const int mode = GraphCommandMode(id);
    if (!doc || !mode) {
        pCmdUI->Enable(FALSE);
        return;
    }
    bool enable = ShowsSlopePanel();
    if (id == ID_TOOL_DELETE_DRAWINGS)
        enable = HasDrawings();
    else if (id == ID_FILTER_BY_PICKING)
        enable = !IsEnvelopeGraph(m_graph.kind) &&
                 doc->GetDatabase()->AnyEntityMatches(ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP);
    pCmdUI->Enable(enable);
    pCmdUI->SetCheck(doc->IsMode(mode));
}

BOOL CTalusimOlectraView::OnEventCommand(UINT id)
{
    m_bContextMenu = 0;
    if (id == ID_EVENT_CANCEL)
        SendCancelEvent();
    else if (id == ID_EVENT_SELECTED)
        SendDoneEvent();
    return TRUE;
}

BOOL CTalusimOlectraView::OnSnapCommand(UINT id)
{
    m_bContextMenu = 0;
    if (CTalusimDoc* doc = Doc())
        doc->ChangeSnapMode(SnapModeOfCommand(id));
    return TRUE;
}

// ---- the view's drawings ---------------------------------------------------------------------

BOOL CTalusimOlectraView::OnDeleteAllDrawings(UINT)
{
    m_bContextMenu = 0;
    if (Doc())
        CGraphModes(*this).DeleteAllDrawings();
    return TRUE;
}

void CTalusimOlectraView::OnUpdateDeleteAllDrawings(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasDrawings());
}

BOOL CTalusimOlectraView::OnDrawingCommand(UINT id)
{
    m_bContextMenu = 0;
    CTalusimDoc* doc = Doc();
    if (!doc)
        return TRUE;
    // The drawing of the last right click; a stale pick of anything else does nothing.
    CREGDatabase* db = doc->GetDatabase();
    CEntity* drawing = db->GetFirstInSet(SET_WORK);
    if (!dynamic_cast<CMeasure*>(drawing))
        return TRUE;
    switch (id) {
    case ID_CONTEXT_DELETE_TOOL:
    case ID_CONTEXT_DELETE_TEXT:
        if (doc->GetCurrentEntity() == drawing)
            doc->SetCurrentEntity(nullptr);
        if (id == ID_CONTEXT_DELETE_TOOL)
            doc->UpdateAllViews(nullptr, 0, drawing);
        RepaintSlopePanel();
        db->DeleteEntity(drawing, true);
        break;
    case ID_CONTEXT_FORMAT_TOOL:
    case ID_CONTEXT_FORMAT_TEXT:
        doc->EditToolFormat(drawing);
        RepaintSlopePanel();
        break;
    case ID_CONTEXT_EDIT_TEXT: CGraphModes(*this).EditText(drawing); break;
    default: break;
    }
    return TRUE;
}

void CTalusimOlectraView::OnPictureFromFile()
{
    // Placed in the middle of the slope panel, where it can be seen.
    if (Doc() && MapViewContext())
        PlacePictureFromFile(Doc(), this, m_pViewContext.get(), SlopePanelRect());
}

void CTalusimOlectraView::OnScalePicture()
{
    BeginScalePicture(Doc());
}

void CTalusimOlectraView::OnUpdatePictureCommand(CCmdUI* pCmdUI)
{
    CTalusimDoc* doc = Doc();
    if (pCmdUI->m_nID == ID_TOOL_PICTURE) {
        pCmdUI->Enable(doc && ShowsSlopePanel());
        return;
    }
    pCmdUI->Enable(CanScalePicture(doc));
    pCmdUI->SetCheck(doc && doc->GetMode() == MODE_IMAGE_OLD_TOP_LEFT);
}

void CTalusimOlectraView::OnSaveToolsFile()
{
    if (CTalusimDoc* doc = Doc())
        doc->OnSaveToolsFile(this);
}

void CTalusimOlectraView::OnOpenToolsFile()
{
    CTalusimDoc* doc = Doc();
    if (!doc)
        return;
    doc->OnOpenToolsFile(this);
    RepaintSlopePanel();
}

void CTalusimOlectraView::OnUpdateToolsFile(CCmdUI* pCmdUI)
{
    // Drawings are read only where they can be seen.
    pCmdUI->Enable(pCmdUI->m_nID == ID_TOOLS_FILE_SAVE ? HasDrawings() : ShowsSlopePanel());
}

// ---- filters ----------------------------------------------------------------------------------

void CTalusimOlectraView::OnUpdateFilterCommand(CCmdUI* pCmdUI)
{
    CTalusimDoc* doc = Doc();
    // An envelope is drawn from every rock; filtering does not change it.
    if (!doc || IsEnvelopeGraph(m_graph.kind)) {
        pCmdUI->Enable(FALSE);
        return;
    }
    CREGDatabase* db = doc->GetDatabase();
    const bool passes = db->AnyEntityMatches(CAT_PATH_PASSES, KIND_ROCK_PATH, ID_ANY_GROUP);
    const bool notPassing = db->AnyEntityMatches(CAT_PATH_NOT_FILTERED, KIND_ROCK_PATH, ID_ANY_GROUP);
    switch (pCmdUI->m_nID) {
    case ID_FILTERED_PATHS_ONLY:
        pCmdUI->Enable(passes);
        pCmdUI->SetCheck(passes && !doc->GetShowAllPaths());
        break;
    case ID_FILTER_BY_IMPACT:
        pCmdUI->Enable(notPassing && (db->AnyEntityMatches(CAT_PLACED, KIND_BARRIER, GROUP_BARRIER) ||
                                      db->AnyEntityMatches(CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR)));
        break;
    case ID_FILTER_BY_VALUE: pCmdUI->Enable(notPassing); break;
    case ID_REMOVE_FILTER: pCmdUI->Enable(passes); break;
    default: break;
    }
}

// ---- copy -------------------------------------------------------------------------------------

HBITMAP CTalusimOlectraView::RenderClientBitmap()
{
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (!bitmap || !memory) {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (memory)
            ::DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = memory;
    dc.FillSolidRect(client, RGB(255, 255, 255));
    m_bDrawChartItself = true;
    OnDraw(&dc);
    m_bDrawChartItself = false;
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return bitmap;
}

void CTalusimOlectraView::OnEditCopy()
{
    if (!ShowsSlopePanel()) {
        XrtDrawToClipboard(m_chart.GetHandle(), XRT_CLIP_BOTH);
        return;
    }
    HBITMAP bitmap = RenderClientBitmap();
    if (!bitmap)
        return;
    if (::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_BITMAP, bitmap))
            bitmap = nullptr;   // the clipboard owns it now
        ::CloseClipboard();
    }
    if (bitmap)
        ::DeleteObject(bitmap);
}
