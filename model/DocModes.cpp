// The document's interaction mode: the change rule, and what leaving and
// entering each mode does to the model and the prompt line.
#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "model/GraphServices.h"
#include "model/InteractionModes.h"
#include "tools/DrawingToolServices.h"
#include "model/SlopeViewServices.h"

int CTalusimDoc::SetMode(int mode)
{
    if (mode == m_nMode) {
        // Asking for the active mode again switches it off.
        OnModeChanged(m_nMode, MODE_IDLE);
        m_nMode = MODE_IDLE;
        return m_nMode;
    }
    if (mode == MODE_REQUEST_PREVIOUS) {
        OnModeChanged(m_nMode, m_nPreviousMode);
        std::swap(m_nMode, m_nPreviousMode);
        return m_nMode;
    }
    if (mode == MODE_REQUEST_NEXT_STAGE)
        mode = GetNextToolStage(m_nMode);
    OnModeChanged(m_nMode, mode);
    if (!IsViewNavigationMode(m_nMode))
        m_nPreviousMode = m_nMode;
    m_nMode = mode;
    return mode;
}

bool CTalusimDoc::IsEquivalentMode(int a, int b)
{
    return AreEquivalentModes(a, b);
}

int CTalusimDoc::GetNextToolStage(int mode)
{
    return NextToolStage(mode);
}

int CTalusimDoc::GetFirstToolStage(int mode)
{
    return FirstToolStage(mode);
}

void CTalusimDoc::OnModeChanged(int oldMode, int newMode)
{
    LeaveMode(oldMode, newMode);
    EnterMode(oldMode, newMode);
    FocusCommandLine();
}

void CTalusimDoc::HideReferencePoint()
{
    if (!m_pReferencePoint)
        return;
    m_pReferencePoint->Hide();
    RedrawEntity(m_pReferencePoint);
}

void CTalusimDoc::LeaveMode(int oldMode, int newMode)
{
    auto restoreSelection = [this] { m_database.RestoreSelectionGeometry(); };
    auto emptySelection = [this] { m_database.ClearSet(SET_SELECTION); };
    auto endToolEditing = [this] {
        m_pCurrentEntity = nullptr;
        if (EndAllEditing())
            RedrawEntity(nullptr);
    };
    // Leaving the adding of a barrier or collector (its first or second
    // click): the pending line goes out of sight unless the adding goes on.
    auto leaveAddLine = [&](int firstClick, int secondClick, CTalusimBarrier* pending) {
        if (oldMode == firstClick)
            HideReferencePoint();
        if (newMode != firstClick && newMode != secondClick && pending) {
            pending->MakeUnselectable();
            RedrawEntity(pending);
        }
    };
    switch (oldMode) {
    case MODE_ADD_COLLECTOR_FIRST:
    case MODE_ADD_COLLECTOR_SECOND:
        leaveAddLine(MODE_ADD_COLLECTOR_FIRST, MODE_ADD_COLLECTOR_SECOND, m_pPendingCollector);
        break;
    case MODE_ADD_BARRIER_FIRST:
    case MODE_ADD_BARRIER_SECOND:
        leaveAddLine(MODE_ADD_BARRIER_FIRST, MODE_ADD_BARRIER_SECOND, m_pPendingBarrier);
        break;
    case MODE_DELETE_COLLECTORS:
    case MODE_DELETE_SEEDERS:
    case MODE_DELETE_BARRIERS:
    case MODE_DELETE_TOOLS:
        emptySelection();
        break;
    case MODE_MOVE_VERTICES_SELECT:
    case MODE_MOVE_VERTICES_BASE:
        HideReferencePoint();
        if (newMode < MODE_MOVE_VERTICES_SELECT || newMode > MODE_MOVE_VERTICES_TARGET)
            m_database.ClearAllVertexMarks();
        break;
    case MODE_DELETE_VERTICES:
        m_database.ClearAllVertexMarks();
        break;
    case MODE_MOVE_VERTICES_TARGET:
        HideReferencePoint();
        if (newMode == MODE_MOVE_VERTICES_SELECT || newMode == MODE_MOVE_VERTICES_TARGET)
            break;
        if (newMode == MODE_MOVE_VERTICES_BASE) {
            // "u": undo the move in progress.
            if (m_pSlope) {
                RedrawEntity(m_pSlope);
                m_pSlope->RestoreVertices();
                RedrawEntity(m_pSlope);
            }
        } else {
            m_database.ClearAllVertexMarks();
        }
        break;
    case MODE_DEFINE_SLOPE:
        if (m_pSlope) {
            RedrawEntity(m_pSlope);
            // The rubber-band vertex goes; a slope of fewer than two fixed
            // vertices is no slope.
            if (m_pSlope->GetVertexCount() < 3) {
                DeleteSlope();
            } else {
                m_pSlope->DeleteVertex(m_pSlope->GetLastVertexIndex());
            }
            if (m_pSlope->GetVertexCount() < 2)
                m_pSlope->Hide();
        }
        HideReferencePoint();
        SetModifiedFlag();
        break;
    case MODE_MOVE_COLLECTORS_SELECT:
    case MODE_MOVE_COLLECTORS_BASE:
        if (oldMode == MODE_MOVE_COLLECTORS_BASE)
            HideReferencePoint();
        if (newMode < MODE_MOVE_COLLECTORS_SELECT || newMode > MODE_MOVE_COLLECTORS_TARGET) {
            restoreSelection();
            emptySelection();
        }
        break;
    case MODE_MOVE_COLLECTORS_TARGET:
        HideReferencePoint();
        if (newMode == MODE_MOVE_COLLECTORS_BASE) {
            restoreSelection();
        } else if (newMode != MODE_MOVE_COLLECTORS_SELECT && newMode != MODE_MOVE_COLLECTORS_TARGET) {
            restoreSelection();
            emptySelection();
        }
        SetModifiedFlag();
        break;
    case MODE_ADD_POINT_SEEDER:
    case MODE_ADD_LINE_SEEDER_FIRST:
    case MODE_MEASURE_FROM:
    case MODE_TEXT_TOOL:
    case MODE_ARROW_HEAD:
        HideReferencePoint();
        break;
    case MODE_ADD_LINE_SEEDER_NEXT:
        if (m_pPendingSeeder) {
            m_pPendingSeeder->MakeUnselectable();
            m_pPendingSeeder->RemoveAllVertices();
        }
        RedrawEntity(nullptr);
        break;
    case MODE_MOVE_BARRIER_SELECT:
        if (newMode != MODE_MOVE_BARRIER_END)
            emptySelection();
        break;
    case MODE_MOVE_BARRIER_END:
        restoreSelection();
        emptySelection();
        break;
    case MODE_MEASURE_TO:
    case MODE_ARROW_TAIL:
    case MODE_ELLIPSE_SECOND:
    case MODE_RECTANGLE_SECOND:
    case MODE_LINE_TOOL_NEXT:
    case MODE_AXES_SECOND:
        // A tool left unfinished (Escape, another command) leaves the drawing:
        // kept, it would stay in sight but could be neither picked nor deleted.
        if (m_pCurrentTool) {
            RedrawEntity(m_pCurrentTool);
            m_database.DeleteEntity(m_pCurrentTool, true);
            m_pCurrentTool = nullptr;
        }
        break;
    case MODE_EDIT_TOOL_SELECT:
        if (newMode != MODE_EDIT_TOOL_MOVE && newMode != MODE_IMAGE_OLD_TOP_LEFT)
            endToolEditing();
        break;
    case MODE_IMAGE_OLD_TOP_LEFT:
    case MODE_IMAGE_OLD_BOTTOM_RIGHT:
    case MODE_IMAGE_NEW_TOP_LEFT:
    case MODE_IMAGE_NEW_BOTTOM_RIGHT:
        if (m_pCurrentEntity)
            DrawingToolServices().ClearImageScaling(m_pCurrentEntity);
        if (newMode < MODE_IMAGE_OLD_BOTTOM_RIGHT || newMode > MODE_IMAGE_NEW_BOTTOM_RIGHT)
            if (newMode != MODE_EDIT_TOOL_MOVE && newMode != MODE_IMAGE_OLD_TOP_LEFT)
                endToolEditing();
        break;
    default:
        break;
    }
}

void CTalusimDoc::EnterMode(int /*oldMode*/, int newMode)
{
    int code = GetModePromptCode(newMode);
    m_strPrompt = code ? MainFrameServices().GetPromptText(code) : CString();
    MainFrameServices().SetPrompt(m_strPrompt);
    if (m_pReferencePoint)
        m_pReferencePoint->SetColour(GetModeReferenceColour(newMode));
    if (CView* pView = MainFrameServices().ActiveChildView()) {
        if (SlopeViewServices().IsSlopeView(pView))
            SlopeViewServices().ClearContextMenuFlag(pView);
        else if (GraphServices().IsGraphView(pView))
            GraphServices().ClearContextMenuFlag(pView);
    }
    if (newMode == MODE_ASSIGN_MATERIAL) {
        if (m_pSlope)
            m_pSlope->SaveMaterials();
        MainFrameServices().RefillMaterialCombo();
    }
}

int CTalusimDoc::BeginTransientMode(int mode)
{
    if (mode == MODE_PAN && AllowsTransientPan(m_nMode)) {
        m_nSavedMode = m_nMode;
        m_nMode = MODE_PAN;
    }
    return m_nMode;
}

int CTalusimDoc::EndTransientMode()
{
    // Only a pan that was begun is ended; otherwise the mode stays as it is.
    if (HasTransientMode()) {
        m_nMode = m_nSavedMode;
        m_nSavedMode = MODE_IDLE;
    }
    return m_nMode;
}

