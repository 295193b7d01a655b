// The slope view's drawing-tool modes and commands: drawing a two-point tool,
// picking, dragging and deleting tools, the tools file, and the states of
// those commands. Each tool belongs to the view it was drawn in.
#include "view/TalusimView.h"

#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "framework/MessageBox.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "tools/Measure.h"
#include "view/PictureCommands.h"
#include "view/SlopeModeHost.h"
#include "view/SlopeViewRules.h"

int CTalusimView::GetToolGroup() const { return ToolGroupOf(this); }

void CTalusimView::OnDestroy()
{
    // The window's drawings are shown, picked and saved only here: they close
    // with it (its tools file was offered before it closed).
    CSlopeModes(*this).DropDrawings();
    CScrollView::OnDestroy();
}

bool CTalusimView::HasDrawingTools() const
{
    return CSlopeModes(const_cast<CTalusimView&>(*this)).HasDrawings();
}

CEntity* CTalusimView::PickTool(int x, int y) { return CSlopeModes(*this).PickDrawing(x, y); }

// ---- drawing a two-point tool --------------------------------------------------------------

void CTalusimView::process_TOOL_FIRST_POINT(int event, int x, int y, int kind)
{
    CSlopeModes(*this).ToolFirstPoint(event, x, y, kind);
}

void CTalusimView::process_TOOL_SECOND_POINT(int event, int x, int y)
{
    CSlopeModes(*this).ToolSecondPoint(event, x, y);
}

// ---- placing a text box ------------------------------------------------------------------------

void CTalusimView::process_TOOL_TEXT_BOX(int event, int x, int y)
{
    CSlopeModes(*this).ToolTextBox(event, x, y);
}

// ---- editing, dragging and deleting ----------------------------------------------------------

void CTalusimView::process_EDIT_TOOL(int event, int x, int y) { CSlopeModes(*this).EditTool(event, x, y); }

void CTalusimView::process_DRAG_TOOL(int event, int x, int y) { CSlopeModes(*this).DragTool(event, x, y); }

void CTalusimView::process_DELETE_DRAWINGS(int event, CDC* pDC, int x, int y)
{
    CSlopeModes(*this).DeleteDrawings(event, pDC, x, y);
}

// ---- commands ----------------------------------------------------------------------------------

BOOL CTalusimView::OnToolCommand(UINT id)
{
    if (m_pDoc == nullptr)
        return TRUE;
    if (const int mode = ToolCommandMode(id))
        m_pDoc->SetMode(mode);   // the running mode's command ends it
    return TRUE;
}

BOOL CTalusimView::OnToolObjectCommand(UINT id)
{
    m_bContextMenuUp = false;
    CEntity* tool = GetContextEntity();
    if (m_pDoc == nullptr || dynamic_cast<CMeasure*>(tool) == nullptr)
        return TRUE;
    switch (id) {
    case ID_CONTEXT_DELETE_TOOL:
        m_pDoc->SetCurrentEntity(nullptr);
        m_pDoc->UpdateAllViews(nullptr, 0, tool);
        GetDatabase()->DeleteEntity(tool, true);
        break;
    case ID_CONTEXT_DELETE_TEXT:
        m_pDoc->SetCurrentEntity(nullptr);
        GetDatabase()->DeleteEntity(tool, true);
        Invalidate(FALSE);
        break;
    case ID_CONTEXT_FORMAT_TOOL:
    case ID_CONTEXT_FORMAT_TEXT:
        m_pDoc->EditToolFormat(tool);
        Invalidate(FALSE);
        break;
    case ID_CONTEXT_EDIT_TEXT: CSlopeModes(*this).EditText(tool); break;
    default: break;
    }
    return TRUE;
}

BOOL CTalusimView::OnDeleteAllDrawings(UINT)
{
    m_bContextMenuUp = false;
    if (m_pDoc != nullptr)
        CSlopeModes(*this).DeleteAllDrawings();
    return TRUE;
}

void CTalusimView::OnSaveToolsFile()
{
    if (m_pDoc != nullptr)
        m_pDoc->OnSaveToolsFile(this);
}

void CTalusimView::OnOpenToolsFile()
{
    if (m_pDoc == nullptr)
        return;
    m_pDoc->OnOpenToolsFile(this);
    Invalidate(FALSE);
}

// ---- pictures ------------------------------------------------------------------------------

void CTalusimView::OnPictureFromFile()
{
    CRect client;
    GetClientRect(&client);
    PlacePictureFromFile(m_pDoc, this, m_pViewContext.get(), client);
}

void CTalusimView::OnScalePicture() { BeginScalePicture(m_pDoc); }

void CTalusimView::process_SCALE_PICTURE(int event, int x, int y)
{
    ProcessScalePicture(m_pDoc, this, m_pViewContext.get(), event, x, y);
}

void CTalusimView::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
    if (m_pDoc == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    const bool tools = HasDrawingTools();
    switch (pCmdUI->m_nID) {
    case ID_TOOL_DELETE_DRAWINGS:
        pCmdUI->Enable(tools);
        pCmdUI->SetCheck(m_pDoc->GetMode() == MODE_DELETE_TOOLS);
        break;
    case ID_TOOL_DELETE_ALL_DRAWINGS:
    case ID_TOOLS_FILE_SAVE: pCmdUI->Enable(tools); break;
    case ID_TOOLS_FILE_OPEN: pCmdUI->Enable(TRUE); break;
    case ID_TOOL_SCALE_PICTURE:
        pCmdUI->Enable(CanScalePicture(m_pDoc));
        pCmdUI->SetCheck(m_pDoc->GetMode() == MODE_IMAGE_OLD_TOP_LEFT);
        break;
    default:
        if (const int mode = ToolCommandMode(pCmdUI->m_nID)) {
            pCmdUI->Enable(TRUE);
            pCmdUI->SetCheck(m_pDoc->IsMode(mode));
        }
        break;
    }
}
