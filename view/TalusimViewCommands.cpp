// The slope view's commands: view commands, the commands that enter modes or
// send interaction events, snapping, the commands on the object of the last
// right click, the context menu, and the states of the commands' menu items.
#include "view/TalusimView.h"

#include <algorithm>
#include <cfloat>

#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "framework/Menu.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "view/SlopeViewRules.h"
#include "view/ViewImageExporter.h"
#include "view/ViewLimitsDlg.h"

namespace {

constexpr UINT kContextMenu = IDR_CONTEXT_MENU;
constexpr UINT kMenuImages[] = {IDR_TOOLBAR_CONTEXT_IMAGES, IDR_TOOLBAR_ZOOM};
constexpr int kNoPopup = 1000;  // the database's default context menu: none
constexpr int kPopupDefault = 3;
constexpr int kPopupRuler = 19;
constexpr int kPromptZoomSecondCorner = 1016;

// A mode command: the mode it enters; with byEquivalence, any stage of the
// same command counts as being in it and switches it off.
struct ModeCommand {
    UINT id;
    int mode;
    bool byEquivalence;
};

const ModeCommand kModeCommands[] = {
    {ID_ADD_POINT_SEEDER, MODE_ADD_POINT_SEEDER, false},
    {ID_INSERT_VERTEX, MODE_INSERT_VERTEX, false},
    {ID_DELETE_SEEDER, MODE_DELETE_SEEDERS, false},
    {ID_DELETE_DATA_COLLECTOR, MODE_DELETE_COLLECTORS, false},
    {ID_DELETE_BARRIER, MODE_DELETE_BARRIERS, false},
    {ID_ASSIGN_MATERIAL, MODE_ASSIGN_MATERIAL, false},
    {ID_FILTER_BY_PICKING, MODE_PICK_PATHS, false},
    {ID_VIEW_PAN, MODE_PAN, false},
    {ID_VIEW_ZOOM_WINDOW, MODE_ZOOM_WINDOW, false},
    {ID_VIEW_ZOOM_MOUSE, MODE_ZOOM_MOUSE, false},
    {ID_MOVE_DATA_COLLECTOR, MODE_MOVE_COLLECTORS_SELECT, true},
    {ID_MOVE_BARRIER_VERTEX, MODE_MOVE_BARRIER_SELECT, true},
};

struct GraphCommand {
    UINT id;
    int kind;
};

const GraphCommand kGraphCommands[] = {
    {ID_COLLECTOR_GRAPH_TRANS_ENERGY, CTalusimBarrier::kGraphTranslationalEnergy},
    {ID_BARRIER_GRAPH_TRANS_ENERGY, CTalusimBarrier::kGraphTranslationalEnergy},
    {ID_COLLECTOR_GRAPH_ROT_ENERGY, CTalusimBarrier::kGraphRotationalEnergy},
    {ID_BARRIER_GRAPH_ROT_ENERGY, CTalusimBarrier::kGraphRotationalEnergy},
    {ID_COLLECTOR_GRAPH_TOTAL_ENERGY, CTalusimBarrier::kGraphTotalEnergy},
    {ID_BARRIER_GRAPH_TOTAL_ENERGY, CTalusimBarrier::kGraphTotalEnergy},
    {ID_COLLECTOR_GRAPH_TRANS_VELOCITY, CTalusimBarrier::kGraphVelocity},
    {ID_BARRIER_GRAPH_TRANS_VELOCITY, CTalusimBarrier::kGraphVelocity},
    {ID_COLLECTOR_GRAPH_ROT_VELOCITY, CTalusimBarrier::kGraphAngularVelocity},
    {ID_BARRIER_GRAPH_ROT_VELOCITY, CTalusimBarrier::kGraphAngularVelocity},
    {ID_COLLECTOR_GRAPH_X_IMPACT, CTalusimBarrier::kGraphImpactX},
    {ID_BARRIER_GRAPH_X_IMPACT, CTalusimBarrier::kGraphImpactX},
    {ID_COLLECTOR_GRAPH_Y_IMPACT, CTalusimBarrier::kGraphImpactY},
    {ID_BARRIER_GRAPH_Y_IMPACT, CTalusimBarrier::kGraphImpactY},
};

int GraphKindOf(UINT id)
{
    for (const auto& g : kGraphCommands)
        if (g.id == id)
            return g.kind;
    return 0;
}

}  // namespace

// ---- view commands -------------------------------------------------------------------

BOOL CTalusimView::OnPanStep(UINT id)
{
    if (m_pViewContext == nullptr)
        return TRUE;
    // One step of 5 % of the window; the context repaints.
    m_pViewContext->TrackPan(306 + static_cast<int>(id - ID_VIEW_PAN_LEFT), this, 0, 0);
    return TRUE;
}

void CTalusimView::OnContextRuler()
{
    m_bContextMenuUp = false;
    OnRuler();
}

void CTalusimView::OnRuler()
{
    m_bShowRuler = !m_bShowRuler;
    Invalidate(TRUE);
}

void CTalusimView::OnGrayscale()
{
    m_bGrayscale = !m_bGrayscale;
    Invalidate(TRUE);
}

void CTalusimView::OnEditCopy()
{
    CREGDatabase* db = GetDatabase();
    if (db == nullptr || m_pViewContext == nullptr)
        return;
    m_pViewContext->SetColourMode(m_bGrayscale ? COLOUR_BLACK_WHITE : COLOUR_NORMAL);
    db->CopyToClipboard(this, m_pViewContext.get(), 69);
    m_pViewContext->SetColourMode(COLOUR_NORMAL);
}

void CTalusimView::OnExportImage()
{
    CViewImageExporter exporter(this);
    const int format = exporter.ChooseFile();
    if (format == IMAGE_FORMAT_NONE) {
        // A file was chosen (not cancelled) whose kind cannot be written.
        if (exporter.GetPath()[0] != '\0')
            AfxMessageBox(CViewImageExporter::UnknownKindText(TRUE), MB_ICONEXCLAMATION);
        return;
    }
    // A metafile records the drawing without the grid and the screen's extras.
    SetMetafileDrawing(format == IMAGE_FORMAT_EMF || format == IMAGE_FORMAT_WMF);
    const BOOL written = exporter.Export();
    SetMetafileDrawing(false);
    if (!written)
        AfxMessageBox(CViewImageExporter::NotWrittenText(exporter.GetPath()), MB_ICONEXCLAMATION);
}

void CTalusimView::OnViewLimits()
{
    if (m_pViewContext == nullptr)
        return;
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    m_pViewContext->GetWorldWindow(left, bottom, right, top);
    CSet_Limits dialog;
    dialog.SetMinX(left);
    dialog.SetMinY(bottom);
    dialog.SetMaxX(right);
    dialog.SetMaxY(top);
    if (dialog.DoModal() == IDOK) {
        m_pViewContext->SetWorldWindow(dialog.GetMinX(), dialog.GetMinY(), dialog.GetMaxX(), dialog.GetMaxY());
        Invalidate();
    }
    MainFrameServices().FocusCommandLine();
}

// ---- modes and events -----------------------------------------------------------------

BOOL CTalusimView::OnModeCommand(UINT id)
{
    if (m_pDoc == nullptr)
        return TRUE;
    for (const auto& c : kModeCommands) {
        if (c.id != id)
            continue;
        // Choosing the command of the running mode switches it off.
        if (c.byEquivalence && m_pDoc->IsMode(c.mode))
            m_pDoc->SetMode(MODE_IDLE);
        else
            m_pDoc->SetMode(c.mode);
        break;
    }
    return TRUE;
}

BOOL CTalusimView::OnDocumentCommand(UINT id)
{
    if (m_pDoc == nullptr)
        return TRUE;
    switch (id) {
    case ID_ADD_BARRIER: m_pDoc->OnAddBarrier(); break;
    case ID_ADD_LINE_SEEDER: m_pDoc->OnAddLineSeeder(); break;
    case ID_ADD_DATA_COLLECTOR: m_pDoc->OnAddDataCollector(); break;
    case ID_DELETE_VERTICES: m_pDoc->BeginDeleteVertices(); break;
    case ID_MOVE_VERTICES: m_pDoc->BeginMoveVertices(); break;
    case ID_DEFINE_SLOPE: m_pDoc->BeginDefineSlope(); break;
    case ID_CONTEXT_PROJECT_SETTINGS:
        m_bContextMenuUp = false;
        m_pDoc->ShowProjectSettings();
        break;
    default: break;
    }
    return TRUE;
}

BOOL CTalusimView::OnEventCommand(UINT id)
{
    m_bContextMenuUp = false;
    if (m_pDoc == nullptr)
        return TRUE;
    const int mode = m_pDoc->GetMode();
    switch (id) {
    case ID_EVENT_CANCEL: SendCancelEvent(); break;
    case ID_EVENT_SELECTED: SendDoneEvent(); break;
    case ID_EVENT_ALL:
        SendSelectAllEvent();
        SendDoneEvent();
        break;
    case ID_EVENT_RESELECT_BASE_POINT: SendReselectBaseEvent(); break;
    case ID_EVENT_UNDO:
        if (mode == MODE_DEFINE_SLOPE || mode == MODE_ADD_LINE_SEEDER_NEXT) {
            SendReselectBaseEvent();
            MainFrameServices().FocusCommandLine();
        }
        break;
    case ID_EVENT_DONE:
        if (mode == MODE_DEFINE_SLOPE) {
            m_pDoc->SetMode(MODE_IDLE);
        } else if (mode == MODE_ADD_LINE_SEEDER_NEXT) {
            m_pDoc->FinishLineSeeder();
            m_pDoc->SetMode(MODE_IDLE);
        }
        break;
    default: break;
    }
    return TRUE;
}

BOOL CTalusimView::OnSnapCommand(UINT id)
{
    m_bContextMenuUp = false;
    if (m_pDoc != nullptr)
        m_pDoc->ChangeSnapMode(SnapModeOfCommand(id));
    MainFrameServices().FocusCommandLine();
    return TRUE;
}

void CTalusimView::process_ZOOM_DYNAMIC(int event, int x, int y)
{
    if (m_pViewContext->TrackDynamicZoom(event, this, x, y))
        m_pDoc->SetMode(MODE_IDLE);
    ResetScrollSizes();
}

void CTalusimView::process_ZOOM_WINDOW(int event, CDC* pDC, int x, int y)
{
    if (event == EVENT_DONE) {
        // Enter takes a typed corner; without one there is nothing to zoom to.
        CVector2D typed;
        if (!GetTypedPoint(typed))
            return;
        const CPoint corner = m_pViewContext->WorldToDevice(typed);
        x = corner.x;
        y = corner.y;
    }
    if (m_pViewContext->TrackZoomWindow(event, pDC, this, x, y)) {
        m_pDoc->SetMode(MODE_IDLE);
        ResetScrollSizes();
    } else if (m_pViewContext->IsZoomWindowActive()) {
        MainFrameServices().SetPrompt(MainFrameServices().GetPromptText(kPromptZoomSecondCorner));
    }
}

// ---- the object of the last right click -------------------------------------------------

CEntity* CTalusimView::GetContextEntity() const
{
    CREGDatabase* db = GetDatabase();
    return db != nullptr ? db->GetFirstInSet(SET_WORK) : nullptr;
}

void CTalusimView::SelectForMove(CEntity* entity)
{
    CREGDatabase* db = GetDatabase();
    db->ClearSet(SET_SELECTION);
    entity->AddToSet(SET_SELECTION);
    db->SaveSelectionGeometry();
}

BOOL CTalusimView::OnObjectCommand(UINT id)
{
    if (m_pDoc == nullptr)
        return TRUE;
    CREGDatabase* db = GetDatabase();
    // The slope commands work at the point of the click, the others on the entity picked there.
    switch (id) {
    case ID_CONTEXT_EDIT_SLOPE_GEOMETRY:
        // The editor clears the results itself when it changes the slope: a
        // cancelled edit keeps them.
        m_pDoc->OpenSlopeEditorAt(m_contextPoint, PICK_SEGMENT);
        return TRUE;
    case ID_CONTEXT_ASSIGN_MATERIAL: {
        // The document opens the editor on the vertex at the point it is
        // given: a click within the pick box of a vertex is taken as that
        // vertex, anything else opens the editor without a pick.
        CVector2D point = m_contextPoint;
        CTalusimSlope* slope = m_pDoc->GetSlope();
        if (slope != nullptr && m_pViewContext != nullptr && point.x != DBL_MAX) {
            const int i = slope->FindNearestVertex(point.x, point.y, true);
            if (i >= 0 && i < slope->GetVertexCount()) {
                const CPoint device = m_pViewContext->WorldToDevice(point);
                const CViewContext::WorldRect box = m_pViewContext->GetPickRect(device.x, device.y);
                const CVector2D v = slope->GetVertexPoint(i);
                if (v.x >= box.left && v.x <= box.right && v.y >= box.bottom && v.y <= box.top)
                    point = v;
            }
        }
        m_pDoc->OpenSlopeEditorAt(point, PICK_VERTEX);
        return TRUE;
    }
    case ID_CONTEXT_MODIFY_MATERIAL:
        m_pDoc->EditMaterialAtPoint(m_contextPoint.x, m_contextPoint.y);
        return TRUE;
    default: break;
    }
    CEntity* entity = GetContextEntity();
    auto* seeder = dynamic_cast<CTalusimRaker*>(entity);
    auto* barrier = dynamic_cast<CTalusimBarrier*>(entity);
    // A command for the other kind of object (a stale pick) does nothing.
    const bool isBarrier = barrier != nullptr && barrier->IsBarrier();
    const bool isCollector = barrier != nullptr && barrier->IsCollector();
    switch (id) {
    case ID_CONTEXT_EDIT_SEEDER:
        if (seeder != nullptr)
            OnEditSeeder();
        break;
    case ID_CONTEXT_DELETE_SEEDER:
        if (seeder == nullptr)
            break;
        db->DeleteEntity(seeder, true);
        m_pDoc->SetModifiedFlag();
        m_pDoc->ResetSeederProbability();
        break;
    case ID_CONTEXT_EDIT_BARRIER:
        if (isBarrier)
            OnEditBarrier();
        break;
    case ID_CONTEXT_DELETE_BARRIER:
        if (!isBarrier)
            break;
        m_pDoc->DeleteBarrier(barrier);
        m_pDoc->SetModifiedFlag();
        m_pDoc->ClearResults();
        break;
    case ID_CONTEXT_MOVE_BARRIER_VERTEX:
        if (!isBarrier)
            break;
        SelectForMove(barrier);
        m_pDoc->ClearResults();
        m_pDoc->SetMode(MODE_MOVE_BARRIER_END);
        break;
    case ID_CONTEXT_EDIT_COLLECTOR:
        if (isCollector)
            m_pDoc->EditCollectors(barrier);
        break;
    case ID_CONTEXT_DELETE_COLLECTOR:
        if (!isCollector)
            break;
        m_pDoc->DeleteBarrier(barrier);
        m_pDoc->SetModifiedFlag();
        break;
    case ID_CONTEXT_MOVE_COLLECTOR:
        if (!isCollector)
            break;
        SelectForMove(barrier);
        m_pDoc->UpdateAllViews(nullptr, 0, barrier);
        m_pDoc->SetMode(MODE_MOVE_COLLECTORS_BASE);
        break;
    case ID_CONTEXT_COLLECTOR_FILTER_BY_IMPACT:
    case ID_CONTEXT_BARRIER_FILTER_BY_IMPACT:
        if (barrier != nullptr)
            m_pDoc->OnFilterByImpact(barrier);
        break;
    default: break;
    }
    return TRUE;
}

BOOL CTalusimView::OnGraphCommand(UINT id)
{
    auto* barrier = dynamic_cast<CTalusimBarrier*>(GetContextEntity());
    const int kind = GraphKindOf(id);
    if (barrier != nullptr && kind != 0)
        MainFrameServices().ToggleChartView(kind, barrier, true);
    return TRUE;
}

void CTalusimView::OnUpdateGraphCommand(CCmdUI* pCmdUI)
{
    auto* barrier = dynamic_cast<CTalusimBarrier*>(GetContextEntity());
    if (barrier == nullptr)
        return;
    // A graph needs two hits at least.
    bool enable = barrier->GetHitUpperBound(false) > 0;
    const int kind = GraphKindOf(pCmdUI->m_nID);
    if (kind == CTalusimBarrier::kGraphImpactX)
        enable = enable && barrier->IsNotVertical();
    else if (kind == CTalusimBarrier::kGraphImpactY)
        enable = enable && barrier->IsNotHorizontal();
    pCmdUI->Enable(enable);
}

// ---- command states -----------------------------------------------------------------------

void CTalusimView::OnUpdateCommand(CCmdUI* pCmdUI)
{
    CREGDatabase* db = GetDatabase();
    if (m_pDoc == nullptr || db == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    const int mode = m_pDoc->GetMode();
    const bool seeders = db->AnyEntityMatches(CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP);
    const bool barriers = db->AnyEntityMatches(CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    const bool collectors = db->AnyEntityMatches(CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    const bool unselectedPaths = db->AnyEntityMatches(CAT_PATH_NOT_FILTERED, KIND_ROCK_PATH, ID_ANY_GROUP);
    const bool selectedPaths = db->AnyEntityMatches(CAT_PATH_PASSES, KIND_ROCK_PATH, ID_ANY_GROUP);
    const bool vertexCommands = m_pDoc->CanUseVertexCommands();
    switch (pCmdUI->m_nID) {
    case ID_DELETE_SEEDER:
        pCmdUI->Enable(seeders);
        pCmdUI->SetCheck(mode == MODE_DELETE_SEEDERS);
        break;
    case ID_MOVE_BARRIER_VERTEX:
        pCmdUI->Enable(barriers);
        pCmdUI->SetCheck(mode == MODE_MOVE_BARRIER_SELECT);
        break;
    case ID_DELETE_BARRIER:
        pCmdUI->Enable(barriers);
        pCmdUI->SetCheck(mode == MODE_DELETE_BARRIERS);
        break;
    case ID_DELETE_DATA_COLLECTOR:
        pCmdUI->Enable(collectors);
        pCmdUI->SetCheck(mode == MODE_DELETE_COLLECTORS);
        break;
    case ID_MOVE_DATA_COLLECTOR:
        pCmdUI->Enable(collectors);
        pCmdUI->SetCheck(m_pDoc->IsMode(MODE_MOVE_COLLECTORS_SELECT));
        break;
    case ID_INSERT_VERTEX:
        pCmdUI->Enable(vertexCommands);
        pCmdUI->SetCheck(mode == MODE_INSERT_VERTEX);
        break;
    case ID_DELETE_VERTICES:
        pCmdUI->Enable(vertexCommands);
        pCmdUI->SetCheck(mode == MODE_DELETE_VERTICES);
        break;
    case ID_MOVE_VERTICES:
        pCmdUI->Enable(vertexCommands);
        pCmdUI->SetCheck(m_pDoc->IsMode(MODE_MOVE_VERTICES_SELECT));
        break;
    case ID_ADD_BARRIER:
        pCmdUI->Enable(vertexCommands);
        pCmdUI->SetCheck(m_pDoc->IsMode(MODE_ADD_BARRIER_FIRST));
        break;
    case ID_EXPORT_DXF: pCmdUI->Enable(vertexCommands); break;
    case ID_ASSIGN_MATERIAL:
        pCmdUI->Enable(m_pDoc->GetSlopeVertexCount() > 1);
        pCmdUI->SetCheck(mode == MODE_ASSIGN_MATERIAL);
        break;
    case ID_VIEW_RULER:
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(m_bShowRuler);
        break;
    case ID_VIEW_GRAYSCALE:
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(m_bGrayscale);
        break;
    case ID_GRAPH_SPLIT_VIEW:
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
        break;
    case ID_GRAPH_ENDPOINTS:
        pCmdUI->Enable(m_pDoc->GetEnvelopeCount() != 0);
        pCmdUI->SetCheck(0);
        break;
    case ID_FILTER_BY_VALUE: pCmdUI->Enable(unselectedPaths); break;
    case ID_REMOVE_FILTER: pCmdUI->Enable(selectedPaths); break;
    case ID_FILTER_BY_IMPACT: pCmdUI->Enable((barriers || collectors) && unselectedPaths); break;
    case ID_FILTER_BY_PICKING:
        pCmdUI->Enable(db->AnyEntityMatches(ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP));
        pCmdUI->SetCheck(mode == MODE_PICK_PATHS);
        break;
    case ID_FILTERED_PATHS_ONLY:
        pCmdUI->Enable(selectedPaths);
        pCmdUI->SetCheck(selectedPaths && !m_pDoc->GetShowAllPaths());
        break;
    case ID_EVENT_UNDO:
    case ID_EVENT_DONE:
        // Both act only while a slope or a line seeder is being drawn.
        pCmdUI->Enable(mode == MODE_DEFINE_SLOPE || mode == MODE_ADD_LINE_SEEDER_NEXT);
        break;
    default: break;
    }
}

// ---- context menu ---------------------------------------------------------------------------

int CTalusimView::ContextPopupIndex(CPoint client)
{
    if (m_pDoc == nullptr)
        return -1;
    const int mode = m_pDoc->GetMode();
    const SlopeModeInfo* info = FindSlopeMode(mode);
    if (info == nullptr || info->submenu < 0)
        return -1;
    if (mode != MODE_IDLE)
        return info->submenu;
    if (m_bShowRuler) {
        const CRect rulers = GetRulerMargin();
        CRect rect;
        GetClientRect(&rect);
        if (client.x <= rulers.left || client.y >= rect.Height() - rulers.bottom)
            return kPopupRuler;
    }
    return kPopupDefault;
}

void CTalusimView::PrepareContextPopup(CMenu* popup, int index)
{
    CREGDatabase* db = GetDatabase();
    if (popup == nullptr || db == nullptr || m_pDoc == nullptr)
        return;
    const int mode = m_pDoc->GetMode();
    if (index == 10 || index == 11 || index == 13) {
        const bool slopeVertices = mode == MODE_DELETE_VERTICES || mode == MODE_MOVE_VERTICES_SELECT;
        const bool selected = slopeVertices
                                  ? db->CountMarkedVertices(ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP) > 0
                                  : db->CountInSet(SET_SELECTION) > 0;
        popup->EnableMenuItem(ID_EVENT_SELECTED, MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
    }
    if (index == kPopupDefault)
        popup->CheckMenuItem(ID_CONTEXT_GRAYSCALE, MF_BYCOMMAND | (m_bGrayscale ? MF_CHECKED : MF_UNCHECKED));
    if (index == kPopupRuler)
        popup->CheckMenuItem(ID_CONTEXT_RULER, MF_BYCOMMAND | (m_bShowRuler ? MF_CHECKED : MF_UNCHECKED));
    if (index == 6 || index == 7 || index == 12) {
        const int snap = db->GetSnapMode();
        popup->CheckMenuItem(ID_SNAP_NONE, MF_BYCOMMAND | (snap == SNAP_NONE ? MF_CHECKED : MF_UNCHECKED));
        popup->CheckMenuItem(ID_SNAP_GRID, MF_BYCOMMAND | (snap == SNAP_GRID ? MF_CHECKED : MF_UNCHECKED));
        popup->CheckMenuItem(ID_SNAP_VERTEX, MF_BYCOMMAND | (snap == SNAP_VERTEX ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CTalusimView::OnContextMenu(CWnd*, CPoint point)
{
    CREGDatabase* db = GetDatabase();
    if (db == nullptr || m_pViewContext == nullptr)
        return;
    m_contextMenu.DestroyMenu();
    if (!m_contextMenu.LoadMenu(kContextMenu))
        return;
    m_contextMenu.LoadToolbars(kMenuImages, 2);
    CWnd* owner = AfxGetMainWnd() != nullptr ? AfxGetMainWnd() : this;
    db->SetDefaultContextMenu(kContextMenu, kNoPopup);
    CPoint client = point;
    ScreenToClient(&client);
    const int mode = m_pDoc->GetMode();
    if (mode == MODE_IDLE || mode == MODE_EDIT_TOOL_SELECT) {
        m_contextPoint = m_pViewContext->DeviceToWorld(client.x, client.y);
        if (db->ShowContextMenu(client, this, m_pViewContext.get(), owner)) {
            m_contextMenu.DestroyMenu();
            return;
        }
    }
    const int index = ContextPopupIndex(client);
    if (index < 0) {
        m_contextMenu.DestroyMenu();
        return;
    }
    m_contextPoint = m_pViewContext->DeviceToWorld(client.x, client.y);
    CMenu* popup = m_contextMenu.GetSubMenu(index);
    if (popup == nullptr) {
        m_contextMenu.DestroyMenu();
        return;
    }
    m_bContextMenuUp = true;
    PrepareContextPopup(popup, index);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, owner);
    // A command chosen from the menu is on its way to the owner: the menu
    // closed through it, not through a click, and the next click (the first
    // corner of a zoom window, say) must not be swallowed.
    MSG pending;
    if (::PeekMessageA(&pending, owner->m_hWnd, WM_COMMAND, WM_COMMAND, PM_NOREMOVE))
        m_bContextMenuUp = false;
    m_contextMenu.DestroyMenu();
}
