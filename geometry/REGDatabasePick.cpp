// CREGDatabase: snapping the cursor, object snap, picking, the context menu
// and vertex insertion at the nearest entity.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <vector>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/View.h"
#include "framework/Wnd.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"

CVector2D CREGDatabase::SnapPoint(CViewContext* pView, int x, int y, bool bRoundDown,
                                  double stepsPerUnit)
{
    const CVector2D plain = pView->DeviceToWorld(x, y);
    if (m_nSnapMode == SNAP_VERTEX || m_nSnapMode == SNAP_OBJECT)
        return plain;
    if (m_nSnapMode == SNAP_GRID && GetGridState() == GRID_SHOW) {
        const CVector2D g = SnapToGrid(x, y, pView);
        if (pView->ArePointsNear(g, plain))
            return g;
    }
    CVector2D p = plain;
    if (bRoundDown && stepsPerUnit > 0)
        p.RoundDown(stepsPerUnit);
    return p;
}

CVector2D CREGDatabase::SnapToGrid(int x, int y, CViewContext* pView)
{
    const CVector2D w = pView->DeviceToWorld(x, y);
    const double sx = m_grid.GetSpacingX(), sy = m_grid.GetSpacingY();
    auto node = [](double u) {
        const double f = std::floor(u);
        return (u - f > 0.5) ? f + 1 : f;   // a fraction of exactly 0.5 rounds down
    };
    return CVector2D(node(w.x / sx) * sx, node(w.y / sy) * sy);
}

CEntity* CREGDatabase::FindNearestPoint(CSnapRequest& request)
{
    CVector2D best(DBL_MAX, DBL_MAX);
    double bestD = DBL_MAX;
    CEntity* pBest = nullptr;
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (pEntity == request.excluded || pEntity == request.excluded2)
            continue;
        const bool selected = pEntity->IsInSet(SET_SELECTION);
        if ((request.selectedOnly && !selected) || (request.unselectedOnly && selected))
            continue;
        if (!pEntity->MatchesIds(request.category, request.kind, request.group) ||
            !pEntity->IsSelectable())
            continue;
        const CVector2D q = pEntity->GetNearestPointInView(request.view, request.x, request.y);
        if (q.x == DBL_MAX && q.y == DBL_MAX)
            continue;
        const double d = q.DistanceSquaredTo(request.x, request.y);
        if (d < bestD) {
            bestD = d;
            best = q;
            pBest = pEntity;
        }
    }
    if (request.result)
        *request.result = best;
    return pBest;
}

bool CREGDatabase::PickEntity(CPickRequest& request)
{
    request.result = nullptr;
    CViewContext* pView = request.view;
    if (pView == nullptr)
        return false;
    const CVector2D w = pView->DeviceToWorld(request.x, request.y);
    // Later candidates win: the pick box pass comes after the point pass, and
    // within each the entity drawn last (on top) comes last.
    CEntity* pLast = nullptr;
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->IsSelectable() || !pEntity->IsVisible() ||
            !pEntity->QueryOption(&request, pView, request.query))
            continue;
        if (pEntity->ContainsPoint(w.x, w.y, true) || pEntity->HitTestInView(pView, w.x, w.y, 1))
            pLast = pEntity;
    }
    CVector2D c1, c2;
    pView->GetPickBox(request.x, request.y, c1, c2);
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (request.group != ID_ANY_GROUP && pEntity->GetGroupId() != request.group)
            continue;
        if (pEntity->GetOwner() != nullptr && pEntity->GetOwner() != request.window)
            continue;
        if (!pEntity->IsSelectable() || !pEntity->IsVisible() ||
            !pEntity->QueryOption(&request, pView, request.query))
            continue;
        if (pEntity->CrossesRect(c1.y, c1.x, c2.y, c2.x, pView, request.window))
            pLast = pEntity;
    }
    if (pLast == nullptr)
        return false;
    request.result = pLast;
    if (request.query == 110 && request.tip) {
        pView->SetLastCursor(CPoint(request.x, request.y));
        pLast->get_data_tip_text(w.x, w.y, 110, pView, *request.tip);
        pView->ResetLastCursor();
    }
    return true;
}

bool CREGDatabase::HitTest(int x, int y, CViewContext* pView, CString* pTip, CEntity** ppResult,
                           CWnd* pWnd, int group)
{
    if (m_nCursorMode == CURSOR_NO_HIT || pView == nullptr)
        return false;
    const int savedMode = pView->GetPickMode();
    pView->SetPickMode(m_nCursorMode);
    CPickRequest request;
    request.x = x;
    request.y = y;
    request.view = pView;
    request.query = 110;
    request.tip = pTip;
    request.window = pWnd;
    request.group = group;
    const bool found = PickEntity(request);
    pView->SetPickMode(savedMode);
    if (ppResult)
        *ppResult = request.result;
    return found;
}

bool CREGDatabase::ShowContextMenu(CContextMenuRequest& request)
{
    const HWND hView = request.view ? request.view->GetSafeHwnd() : nullptr;
    POINT screen = {request.x, request.y};
    if (hView)
        ::ClientToScreen(hView, &screen);
    int x = request.x, y = request.y;
    if (hView) {
        // The point in the logical coordinates the view draws in.
        CClientDC dc(request.view);
        if (CView* pView = dynamic_cast<CView*>(request.view))
            pView->OnPrepareDC(&dc);
        POINT logical = {x, y};
        dc.DPtoLP(&logical);
        x = logical.x;
        y = logical.y;
    }

    int menuId = request.menuId;
    int submenu = request.submenu;
    CEntity* pEntity = nullptr;
    if (menuId == 0 && submenu == -1) {
        ClearSet(SET_WORK);
        CPickRequest pick;
        pick.x = x;
        pick.y = y;
        pick.view = request.viewContext;
        pick.query = 111;
        pick.window = request.view;
        pick.group = request.group;
        if (PickEntity(pick)) {
            pEntity = pick.result;
            NotifyEntityChanged(pEntity);
            pEntity->AddToSet(SET_WORK);
            NotifyEntityChanged(pEntity);
        }
        menuId = m_nDefaultMenu;
        submenu = m_nDefaultSubmenu;
        if (GetSetKindId(SET_WORK) != SET_EMPTY) {
            CEntity* pFirst = GetFirstInSet(SET_WORK);
            const int id = pFirst->GetContextMenuId();
            const int index = pFirst->GetContextSubmenu();
            if (id != 0 && index != -1) {
                menuId = id;
                submenu = index;
            }
        }
    }

    CMenu loaded;
    CMenu* pMenu = request.menu;
    if (pMenu == nullptr) {
        if (!loaded.LoadMenu(menuId))
            return false;
        pMenu = &loaded;
    }
    CMenu* pSub = pMenu->GetSubMenu(submenu);
    if (pSub == nullptr)
        return false;
    if (request.outSubmenu || request.outEntity) {
        // The caller shows the menu itself; it must outlive this call.
        if (request.outSubmenu)
            *request.outSubmenu = pSub;
        if (request.outEntity)
            *request.outEntity = pEntity;
        if (pMenu == &loaded)
            loaded.Detach();
        return true;
    }
    if (pEntity)
        pEntity->AddContextMenuItems(pSub, x, y, request.viewContext);
    pSub->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y,
                         request.commandWindow ? request.commandWindow : request.view);
    return true;
}

CEntity* CREGDatabase::ApplyToNearestEntity(double x, double y, double top, double left,
                                            double bottom, double right, int category, int kind,
                                            int group)
{
    CEntity* pBest = nullptr;
    double bestD = 0;
    const CVector2D point(x, y);
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->MatchesIds(category, kind, group) ||
            !pEntity->CrossesRect(top, left, bottom, right, nullptr, nullptr))
            continue;
        double d = DBL_MAX;
        bool found = false;
        if (pEntity->ApplyToNearestVertex(28, point, &d, &found))
            NotifyEntityChanged(pEntity);
        if (found && (pBest == nullptr || d < bestD)) {
            pBest = pEntity;
            bestD = d;
        }
    }
    if (pBest)
        pBest->ApplyToNearestVertex(27, point, nullptr, nullptr);
    return pBest;
}

bool CREGDatabase::PickEntity(POINT p, CViewContext* pView, int query, CString* pTip,
                              CEntity** ppResult, CWnd* pWnd, int group)
{
    CPickRequest request;
    request.x = p.x;
    request.y = p.y;
    request.view = pView;
    request.query = query;
    request.tip = pTip;
    request.window = pWnd;
    request.group = group;
    const bool found = PickEntity(request);
    if (ppResult)
        *ppResult = request.result;
    return found;
}

bool CREGDatabase::ShowContextMenu(POINT p, CWnd* pView, CViewContext* pViewContext,
                                   CWnd* pOwner, CMenu* pMenu)
{
    CContextMenuRequest request;
    request.x = p.x;
    request.y = p.y;
    request.view = pView;
    request.viewContext = pViewContext;
    request.commandWindow = pOwner;
    request.menu = pMenu;
    return ShowContextMenu(request);
}

CEntity* CREGDatabase::ApplyToNearestEntity(const CVector2D& p, const CVector2D& corner1,
                                            const CVector2D& corner2, int category, int kind,
                                            int group)
{
    return ApplyToNearestEntity(p.x, p.y, std::max(corner1.y, corner2.y),
                                std::min(corner1.x, corner2.x), std::min(corner1.y, corner2.y),
                                std::max(corner1.x, corner2.x), category, kind, group);
}
