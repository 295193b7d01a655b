// CREGDatabase: the entity store, sets, iteration, extents, filters, grid and
// mode settings, and storage.
#include "geometry/REGDatabase.h"

#include <cfloat>
#include <unordered_set>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/ExtentsAccumulator.h"
#include "framework/Document.h"

IMPLEMENT_SERIAL(CREGDatabase, CObject, VERSIONABLE_SCHEMA | 2)

bool CEntityFilter::Passes(const CEntity* pEntity) const
{
    for (INT_PTR i = 0; i < m_kinds.GetSize(); ++i)
        if (pEntity->MatchesIds(m_categories[i], m_kinds[i], m_groups[i]))
            return true;
    return false;
}

CREGDatabase::CREGDatabase()
    : m_filterCursors{}, m_bAutoSort(false), m_nCacheState(CACHE_STALE), m_nScreenWidth(INT_MAX),
      m_nScreenHeight(INT_MAX), m_setCursors{0, 0, 0}, m_upperLeft(DBL_MAX, DBL_MAX),
      m_lowerRight(DBL_MAX, DBL_MAX), m_nDefaultMenu(0), m_nDefaultSubmenu(-1),
      m_nSnapMode(SNAP_NONE), m_nCursorMode(118), m_crBackground(0xFFFFFF), m_nReserved(77),
      m_nGridDrawLevel(100000), m_nClipboardScale(1), m_nClipboardFormat(CLIP_BITMAP),
      m_pBufferDC(std::make_unique<CDC>()), m_pBufferBitmap(std::make_unique<CBitmap>()),
      m_pDocument(nullptr)
{
    SetGridState(GRID_SHOW);
}

CREGDatabase::~CREGDatabase()
{
    // Nobody is told about a database that goes away.
    m_pDocument = nullptr;
    DeleteAllEntities();
}

void CREGDatabase::NotifyEntityChanged(CEntity* pEntity)
{
    if (m_pDocument == nullptr)
        return;
    if (pEntity && !pEntity->IsVisible())
        return;
    CObject* hint = pEntity;
    if (pEntity && pEntity->GetEntityType() == ENTITY_RULERS)
        hint = nullptr;
    m_pDocument->UpdateAllViews(nullptr, 0, hint);
}

void CREGDatabase::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    m_grid.Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)m_entities.GetSize());
        for (INT_PTR i = 0; i < m_entities.GetSize(); ++i)
            ar << static_cast<CObject*>(m_entities[i]);
        ar << m_nSnapMode << m_nReserved;
        ar << m_upperLeft.x << m_upperLeft.y << m_lowerRight.x << m_lowerRight.y;
        ar << m_nDefaultMenu << m_nDefaultSubmenu;
    } else {
        DeleteAllEntities();
        const DWORD count = ar.ReadCount();
        // The array owns every entity once. An entity may have been read
        // before, inside another one (the slope names its materials), but an
        // array that names the same entity twice is a damaged file: keeping
        // both would destroy it twice.
        std::unordered_set<const CEntity*> held;
        for (DWORD i = 0; i < count; ++i) {
            CObject* pObject = nullptr;
            ar >> pObject;
            CEntity* pEntity = dynamic_cast<CEntity*>(pObject);
            if (pObject != nullptr && pEntity == nullptr) {
                // Something stored in the place of an entity: not ours to keep.
                delete pObject;
                AfxThrowArchiveException(CArchiveException::badClass);
            }
            if (pEntity) {
                if (!held.insert(pEntity).second)
                    AfxThrowArchiveException(CArchiveException::badIndex);
                m_entities.Add(pEntity);
            }
        }
        ar >> m_nSnapMode >> m_nReserved;
        ReadFinite(ar, m_upperLeft.x, m_upperLeft.y, m_lowerRight.x, m_lowerRight.y);
        ar >> m_nDefaultMenu >> m_nDefaultSubmenu;
    }
}

// ---- entities ---------------------------------------------------------------------

void CREGDatabase::AddEntity(CEntity* pEntity, bool bNotify)
{
    if (pEntity == nullptr)
        return;
    m_entities.Add(pEntity);
    UpdateFilterLists(pEntity, true);
    if (m_bAutoSort)
        SortEntities();
    if (bNotify)
        NotifyEntityChanged(pEntity);
}

void CREGDatabase::DestroyEntityAt(int index)
{
    CEntity* pEntity = m_entities[index];
    UpdateFilterLists(pEntity, false);
    delete pEntity;
    m_entities.RemoveAt(index);
}

bool CREGDatabase::DeleteEntity(CEntity* pEntity, bool bNotify)
{
    int index = -1;
    for (int i = 0; i < GetEntityCount(); ++i) {
        if (m_entities[i] == pEntity) {
            index = i;
            break;
        }
    }
    if (index < 0)
        return false;
    if (bNotify)
        NotifyEntityChanged(pEntity);
    DestroyEntityAt(index);
    m_entities.FreeExtra();
    RecalcExtents(false);
    return true;
}

int CREGDatabase::DeleteMatching(int category, int kind, int group, bool bNotify)
{
    // Deleting thousands of rock paths one by one would search the drawing
    // and every filter list once per path: here each is walked once.
    auto matches = [&](const CEntity* e) { return e->MatchesIds(category, kind, group); };
    // Told while the drawing still holds every entity, as DeleteEntity does.
    if (bNotify)
        for (int i = 0; i < GetEntityCount(); ++i)
            if (matches(m_entities[i]))
                NotifyEntityChanged(m_entities[i]);
    for (int f = 0; f < kFilterCount; ++f) {
        CArray<CEntity*, CEntity*>& list = m_filterLists[f];
        int kept = 0;
        for (int i = 0; i < list.GetSize(); ++i)
            if (!matches(list[i]))
                list[kept++] = list[i];
        if (kept != list.GetSize()) {
            list.SetSize(kept, -1);
            m_filterCursors[f] = 0;
        }
    }
    int kept = 0;
    const int n = GetEntityCount();
    for (int i = 0; i < n; ++i) {
        CEntity* pEntity = m_entities[i];
        if (!matches(pEntity)) {
            m_entities[kept++] = pEntity;
            continue;
        }
        delete pEntity;
    }
    if (kept == n)
        return 0;
    m_entities.SetSize(kept, -1);
    m_entities.FreeExtra();
    RecalcExtents(false);
    return n - kept;
}

void CREGDatabase::DeleteSet(int set, bool bNotify)
{
    for (int i = GetEntityCount() - 1; i >= 0; --i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->IsInSet(set))
            continue;
        if (bNotify)
            NotifyEntityChanged(pEntity);
        DestroyEntityAt(i);
    }
    m_entities.FreeExtra();
    ResetSetCursor(set);
    RecalcExtents(false);
}

void CREGDatabase::DeleteAllEntities()
{
    for (int i = 0; i < GetEntityCount(); ++i) {
        UpdateFilterLists(m_entities[i], false);
        delete m_entities[i];
    }
    m_entities.RemoveAll();
    m_entities.FreeExtra();
    ClearSet(SET_SELECTION);
    NotifyEntityChanged(nullptr);
}

void CREGDatabase::SortEntities(int)
{
    const int n = GetEntityCount();
    if (n < 2)
        return;
    auto greater = [](const CEntity* a, const CEntity* b) {
        if (a->GetCategoryId() != b->GetCategoryId())
            return a->GetCategoryId() > b->GetCategoryId();
        return a->GetKindId() > b->GetKindId();
    };
    for (int i = 1; i < n; ++i) {
        CEntity* pEntity = m_entities[i];
        int j = i;
        while (j > 0 && greater(m_entities[j - 1], pEntity)) {
            m_entities[j] = m_entities[j - 1];
            --j;
        }
        m_entities[j] = pEntity;
    }
}

// ---- marked sets ---------------------------------------------------------------------

int CREGDatabase::SetIndex(int set)
{
    switch (set) {
    case SET_SELECTION: return 0;
    case SET_WORK: return 1;
    case SET_WORK2: return 2;
    default: return -1;
    }
}

void CREGDatabase::ResetSetCursor(int set)
{
    const int s = SetIndex(set);
    if (s >= 0)
        m_setCursors[s] = 0;
}

void CREGDatabase::ClearSet(int set)
{
    const int s = SetIndex(set);
    if (s < 0)
        return;
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->RemoveFromSet(set))
            continue;
        m_setCursors[s] = 0;
        if (set == SET_SELECTION)
            NotifyEntityChanged(pEntity);
    }
}

CEntity* CREGDatabase::GetFirstInSet(int set)
{
    const int s = SetIndex(set);
    if (s < 0)
        return nullptr;
    for (int i = 0; i < GetEntityCount(); ++i) {
        if (m_entities[i]->IsInSet(set)) {
            m_setCursors[s] = i + 1;
            return m_entities[i];
        }
    }
    m_setCursors[s] = 0;
    return nullptr;
}

CEntity* CREGDatabase::GetNextInSet(int set)
{
    const int s = SetIndex(set);
    if (s < 0 || m_setCursors[s] == 0)
        return nullptr;
    for (int i = m_setCursors[s]; i < GetEntityCount(); ++i) {
        if (m_entities[i]->IsInSet(set)) {
            m_setCursors[s] = i + 1;
            return m_entities[i];
        }
    }
    m_setCursors[s] = 0;
    return nullptr;
}

int CREGDatabase::CountInSet(int set) const
{
    int count = 0;
    for (int i = 0; i < GetEntityCount(); ++i)
        count += m_entities[i]->IsInSet(set) ? 1 : 0;
    return count;
}

int CREGDatabase::GetSetKindId(int set) const
{
    int kind = SET_EMPTY;
    for (int i = 0; i < GetEntityCount(); ++i) {
        if (!m_entities[i]->IsInSet(set))
            continue;
        if (kind == SET_EMPTY)
            kind = m_entities[i]->GetKindId();
        else if (kind != m_entities[i]->GetKindId())
            return KINDS_DIFFER;
    }
    return kind;
}

void CREGDatabase::MarkEntities(int test, int action, double top, double left, double bottom,
                                double right, int category, int kind, int group, int set,
                                CViewContext* pView, CWnd* pWnd)
{
    ResetSetCursor(set);
    if (action != ACTION_ADD && action != ACTION_REMOVE && action != ACTION_TOGGLE)
        return;
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->MatchesIds(category, kind, group))
            continue;
        if (test == TEST_CROSSING) {
            if (!pEntity->IsSelectable() || !pEntity->CrossesRect(top, left, bottom, right, pView, pWnd))
                continue;
        } else if (test == TEST_INSIDE) {
            if (!pEntity->IsSelectable())
                continue;
            auto within = [](double v, double lo, double hi) { return lo <= v && v <= hi; };
            const bool inside = within(pEntity->GetLeft(), left, right) &&
                                within(pEntity->GetRight(), left, right) &&
                                within(pEntity->GetTop(), bottom, top) &&
                                within(pEntity->GetBottom(), bottom, top);
            if (!inside)
                continue;
        }
        bool changed;
        if (action == ACTION_ADD)
            changed = pEntity->AddToSet(set);
        else if (action == ACTION_REMOVE)
            changed = pEntity->RemoveFromSet(set);
        else
            changed = pEntity->IsInSet(set) ? pEntity->RemoveFromSet(set) : pEntity->AddToSet(set);
        if (set == SET_SELECTION && changed)
            NotifyEntityChanged(pEntity);
    }
}

void CREGDatabase::MarkKind(int kind, int set)
{
    MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, ID_ANY_CATEGORY, kind, ID_ANY_GROUP, set,
                 nullptr, nullptr);
}

bool CREGDatabase::AnyEntityMatches(int category, int kind, int group) const
{
    for (int i = 0; i < GetEntityCount(); ++i)
        if (m_entities[i]->MatchesIds(category, kind, group))
            return true;
    return false;
}

void CREGDatabase::SetSelectableInSet(bool bSelectable, int set)
{
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (pEntity->IsInSet(set) && pEntity->SetSelectable(bSelectable))
            NotifyEntityChanged(pEntity);
    }
}

void CREGDatabase::SetCategoryIdInSet(int category, int set)
{
    for (int i = 0; i < GetEntityCount(); ++i)
        if (m_entities[i]->IsInSet(set))
            m_entities[i]->SetCategoryId(category);
}

void CREGDatabase::SaveSelectionGeometry()
{
    for (int i = 0; i < GetEntityCount(); ++i)
        if (m_entities[i]->IsInSet(SET_SELECTION))
            m_entities[i]->SaveVertices();
}

void CREGDatabase::RestoreSelectionGeometry()
{
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->IsInSet(SET_SELECTION))
            continue;
        NotifyEntityChanged(pEntity);
        pEntity->RestoreVertices();
        NotifyEntityChanged(pEntity);
    }
}

void CREGDatabase::DragSelection(CVector2D offset)
{
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (!pEntity->IsInSet(SET_SELECTION))
            continue;
        NotifyEntityChanged(pEntity);
        pEntity->DragBy(offset.x, offset.y);
        NotifyEntityChanged(pEntity);
    }
}

// ---- extents ----------------------------------------------------------------------------

void CREGDatabase::RecalcExtents(bool bIncludeUnselectable)
{
    CExtentsAccumulator acc;
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (pEntity->IsVisible() && (bIncludeUnselectable || pEntity->IsSelectable()))
            pEntity->AddToExtents(&acc);
    }
    double e[4];
    acc.GetExtents(e);
    // A bound that nothing set falls back to a 20 x 20 drawing.
    m_upperLeft = CVector2D(e[0] == DBL_MAX ? 0 : e[0], e[1] == -DBL_MAX ? 20 : e[1]);
    m_lowerRight = CVector2D(e[2] == -DBL_MAX ? 20 : e[2], e[3] == DBL_MAX ? 0 : e[3]);
}

void CREGDatabase::get_db_extents(CVector2D& upperLeft, CVector2D& lowerRight,
                                  bool bIncludeUnselectable)
{
    RecalcExtents(bIncludeUnselectable);
    upperLeft = m_upperLeft;
    lowerRight = m_lowerRight;
}

CVector2D CREGDatabase::get_ul_world_extent(bool bIncludeUnselectable)
{
    RecalcExtents(bIncludeUnselectable);
    return m_upperLeft;
}

CVector2D CREGDatabase::get_lr_world_extent(bool bIncludeUnselectable)
{
    RecalcExtents(bIncludeUnselectable);
    return m_lowerRight;
}

// ---- filters -------------------------------------------------------------------------------

void CREGDatabase::DefineFilter(int index, int category, int kind, int group, bool bLock)
{
    if (index < 0 || index >= kFilterCount)
        return;
    CEntityFilter& filter = m_filters[index];
    if (filter.m_bLocked)
        return;
    filter.m_categories.Add(category);
    filter.m_kinds.Add(kind);
    filter.m_groups.Add(group);
    filter.m_bUndefined = false;
    if (bLock)
        filter.m_bLocked = true;
    CArray<CEntity*, CEntity*>& list = m_filterLists[index];
    list.RemoveAll();
    for (int i = 0; i < GetEntityCount(); ++i)
        if (filter.Passes(m_entities[i]))
            list.Add(m_entities[i]);
    m_filterCursors[index] = 0;
}

void CREGDatabase::RebuildAllFilters()
{
    for (int f = 0; f < kFilterCount; ++f) {
        CArray<CEntity*, CEntity*>& list = m_filterLists[f];
        list.RemoveAll();
        if (m_filters[f].m_bUndefined)
            continue;
        for (int i = 0; i < GetEntityCount(); ++i)
            if (m_filters[f].Passes(m_entities[i]))
                list.Add(m_entities[i]);
    }
}

CEntity* CREGDatabase::GetFirstInFilter(int index)
{
    if (index < 0 || index >= kFilterCount)
        return nullptr;
    m_filterCursors[index] = 0;
    return m_filterLists[index].GetSize() > 0 ? m_filterLists[index][0] : nullptr;
}

CEntity* CREGDatabase::GetNextInFilter(int index)
{
    if (index < 0 || index >= kFilterCount)
        return nullptr;
    const int next = m_filterCursors[index] + 1;
    if (next >= m_filterLists[index].GetSize())
        return nullptr;
    m_filterCursors[index] = next;
    return m_filterLists[index][next];
}

void CREGDatabase::UpdateFilterLists(CEntity* pEntity, bool bAdded)
{
    for (int f = 0; f < kFilterCount; ++f) {
        if (m_filters[f].m_bUndefined)
            continue;
        CArray<CEntity*, CEntity*>& list = m_filterLists[f];
        if (bAdded) {
            if (m_filters[f].Passes(pEntity)) {
                list.Add(pEntity);
                m_filterCursors[f] = 0;
            }
        } else {
            for (INT_PTR i = 0; i < list.GetSize(); ++i) {
                if (list[i] == pEntity) {
                    list.RemoveAt(i);
                    m_filterCursors[f] = 0;
                    break;
                }
            }
        }
    }
}

void CREGDatabase::MarkVerticesInWindow(int action, double top, double left, double bottom,
                                        double right, int category, int kind, int group)
{
    for (int i = 0; i < GetEntityCount(); ++i) {
        CEntity* pEntity = m_entities[i];
        if (pEntity->MatchesIds(category, kind, group) &&
            pEntity->MarkVerticesInRect(action, top, left, bottom, right))
            NotifyEntityChanged(pEntity);
    }
}

void CREGDatabase::ClearAllVertexMarks()
{
    for (int i = 0; i < GetEntityCount(); ++i)
        if (m_entities[i]->UnmarkVertices())
            NotifyEntityChanged(m_entities[i]);
}

int CREGDatabase::CountMarkedVertices(int category, int kind, int group) const
{
    int count = 0;
    for (int i = 0; i < GetEntityCount(); ++i)
        if (m_entities[i]->MatchesIds(category, kind, group))
            count += m_entities[i]->GetMarkedVertexCount();
    return count;
}

// ---- grid and modes ----------------------------------------------------------------------

CVector2D CREGDatabase::GetGridSpacing() const
{
    return CVector2D(m_grid.GetSpacingX(), m_grid.GetSpacingY());
}

void CREGDatabase::SetGridSpacing(double x, double y)
{
    x = CREGGrid::ClampSpacing(x);
    y = CREGGrid::ClampSpacing(y);
    if (x == m_grid.GetSpacingX() && y == m_grid.GetSpacingY())
        return;
    m_grid.SetSpacingX(x);
    m_grid.SetSpacingY(y);
    NotifyEntityChanged(nullptr);
}

void CREGDatabase::SetGridStyle(int style)
{
    const int before = m_grid.GetStyle();
    m_grid.SetStyle(style);
    if (m_grid.GetStyle() != before)
        NotifyEntityChanged(nullptr);
}

void CREGDatabase::SetGridColour(COLORREF c)
{
    if (c == m_grid.GetColour())
        return;
    m_grid.SetColour(c);
    NotifyEntityChanged(nullptr);
}

int CREGDatabase::SetGridState(int command)
{
    const int before = GetGridState();
    switch (command) {
    case GRID_SHOW: m_grid.Show(); break;
    case GRID_HIDE: m_grid.Hide(); break;
    case GRID_TOGGLE:
        if (m_grid.IsVisible())
            m_grid.Hide();
        else
            m_grid.Show();
        break;
    default:
        return command;
    }
    if (command != before)
        NotifyEntityChanged(nullptr);
    return GetGridState();
}

int CREGDatabase::SetSnapMode(int mode)
{
    if (mode < SNAP_NONE || mode > SNAP_OBJECT)
        return mode;
    if (mode == SNAP_CYCLE) {
        if (m_nSnapMode == SNAP_NONE)
            m_nSnapMode = SNAP_GRID;
        else if (m_nSnapMode == SNAP_GRID)
            m_nSnapMode = SNAP_VERTEX;
        else if (m_nSnapMode == SNAP_VERTEX)
            m_nSnapMode = SNAP_NONE;
    } else {
        m_nSnapMode = mode;
    }
    return m_nSnapMode;
}

int CREGDatabase::SetCursorMode(int command)
{
    const int before = m_nCursorMode;
    if (command == CURSOR_CYCLE)
        m_nCursorMode = m_nCursorMode >= 119 ? 116 : m_nCursorMode + 1;
    else if (command >= 116 && command <= 119)
        m_nCursorMode = command;
    return before;
}

void CREGDatabase::SetDefaultContextMenu(int menuId, int submenuIndex)
{
    m_nDefaultMenu = menuId;
    m_nDefaultSubmenu = submenuIndex;
}

void CREGDatabase::SetClipboardFormat(int format, int scale)
{
    if (format == CLIP_BITMAP) {
        m_nClipboardFormat = format;
        m_nClipboardScale = scale;
    } else if (format == CLIP_METAFILE) {
        m_nClipboardFormat = format;
        m_nClipboardScale = 1;
    }
}
