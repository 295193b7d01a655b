// The drawing database of one document: it owns every entity in one array
// that is also the drawing and archive order, marks entities into three sets,
// keeps 30 entity filters, the grid, the snap and cursor modes, the world
// extents, the default context menu and the back buffer of the screen drawing.
#pragma once

#include <memory>
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "geometry/Entity.h"
#include "geometry/Grid.h"

class CDC;
class CBitmap;
class CDocument;
class CMenu;
class CWnd;
class CViewContext;

// Codes of the database's operations.
enum
{
    SNAP_NONE = 29,
    SNAP_GRID = 30,
    SNAP_VERTEX = 31,
    SNAP_CYCLE = 32,
    SNAP_OBJECT = 33,
    TEST_CROSSING = 12,
    TEST_INSIDE = 13,
    TEST_NONE = 14,
    ACTION_ADD = 16,
    ACTION_REMOVE = 17,
    ACTION_TOGGLE = 18,
    KINDS_DIFFER = 37,
    SET_EMPTY = 38,
    CACHE_STALE = 63,
    CACHE_BUILT = 64,
    CLIP_BITMAP = 69,
    CLIP_METAFILE = 70,
    DRAW_METAFILE = 70,
    DRAW_SCREEN = 71,
    GRID_SHOW = 73,
    GRID_HIDE = 74,
    GRID_TOGGLE = 75,
    CURSOR_CYCLE = 115,
    CURSOR_NO_HIT = 116,
};

// One standing query: clauses of (category, kind, group), any of which passes.
class CEntityFilter
{
public:
    bool m_bLocked = false;
    bool m_bUndefined = true;
    CArray<int, int> m_categories;
    CArray<int, int> m_kinds;
    CArray<int, int> m_groups;

    bool Passes(const CEntity* pEntity) const;
};

// What PickEntity looks for and where it puts the answer.
struct CPickRequest
{
    int x = 0, y = 0;                 // device pixels
    CViewContext* view = nullptr;
    int query = 110;                  // 110 data tip, 111 context menu, 112 grips
    CString* tip = nullptr;
    CEntity* result = nullptr;
    CWnd* window = nullptr;           // an owned entity is only found in its window
    int group = ID_ANY_GROUP;
};

// The object-snap search of FindNearestPoint.
struct CSnapRequest
{
    CViewContext* view = nullptr;
    double x = 0, y = 0;
    CVector2D* result = nullptr;
    bool selectedOnly = false;
    int kind = ID_ANY_KIND, group = ID_ANY_GROUP, category = ID_ANY_CATEGORY;
    bool unselectedOnly = false;
    CEntity* excluded = nullptr;
    CVector2D* segmentStart = nullptr;
    CVector2D* segmentEnd = nullptr;
    CEntity* excluded2 = nullptr;
};

struct CContextMenuRequest
{
    int x = 0, y = 0;                 // client pixels of the view
    CWnd* view = nullptr;
    CViewContext* viewContext = nullptr;
    CWnd* commandWindow = nullptr;
    int menuId = 0;                   // 0 and -1: the entity decides
    int submenu = -1;
    CMenu* menu = nullptr;            // an already loaded menu, or null
    int group = ID_ANY_GROUP;
    CMenu** outSubmenu = nullptr;     // for a caller that shows the menu itself
    CEntity** outEntity = nullptr;
};

class CREGDatabase : public CObject
{
    DECLARE_SERIAL(CREGDatabase)

public:
    enum { kFilterCount = 30 };

    CREGDatabase();
    ~CREGDatabase() override;

    void Serialize(CArchive& ar) override;
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }
    CDocument* GetDocument() const { return m_pDocument; }

    // Called with the changed entity, or null for the whole drawing.
    virtual void NotifyEntityChanged(CEntity* pEntity);

    // ---- entities --------------------------------------------------------
    void AddEntity(CEntity* pEntity, bool bNotify);
    bool DeleteEntity(CEntity* pEntity, bool bNotify);
    // Deletes every entity that matches the ids (ID_ANY_... for any) in one
    // pass over the drawing; the number deleted.
    int DeleteMatching(int category, int kind, int group, bool bNotify);
    void DeleteSet(int set, bool bNotify);
    void DeleteAllEntities();
    void SetAutoSort(bool b) { m_bAutoSort = b; }
    // Category id ascending, then kind id; stable.
    void SortEntities(int mode = 72);
    int GetEntityCount() const { return (int)m_entities.GetSize(); }
    CEntity* GetEntityAt(int i) const
    {
        return i >= 0 && i < GetEntityCount() ? m_entities[i] : nullptr;
    }

    // ---- marked sets ---------------------------------------------------------
    void ClearSet(int set);
    CEntity* GetFirstInSet(int set);
    CEntity* GetNextInSet(int set);
    void ResetSetCursor(int set);
    int CountInSet(int set) const;
    int GetSetKindId(int set) const;
    void MarkEntities(int test, int action, double top, double left, double bottom, double right,
                      int category, int kind, int group, int set, CViewContext* pView, CWnd* pWnd);
    void MarkKind(int kind, int set);
    bool AnyEntityMatches(int category, int kind, int group) const;
    void SetSelectableInSet(bool bSelectable, int set);
    void SetCategoryIdInSet(int category, int set);

    void SaveSelectionGeometry();
    void RestoreSelectionGeometry();
    void DragSelection(CVector2D offset);

    // ---- extents ----------------------------------------------------------------
    void get_db_extents(CVector2D& upperLeft, CVector2D& lowerRight, bool bIncludeUnselectable);
    CVector2D get_ul_world_extent(bool bIncludeUnselectable);
    CVector2D get_lr_world_extent(bool bIncludeUnselectable);
    void RecalcExtents(bool bIncludeUnselectable);

    // ---- filters -------------------------------------------------------------------
    void DefineFilter(int index, int category, int kind, int group, bool bLock);
    void DefineFilterByKind(int index, int kind) { DefineFilter(index, ID_ANY_CATEGORY, kind, ID_ANY_GROUP, true); }
    void RebuildAllFilters();
    CEntity* GetFirstInFilter(int index);
    CEntity* GetNextInFilter(int index);
    void UpdateFilterLists(CEntity* pEntity, bool bAdded);
    void MarkVerticesInWindow(int action, double top, double left, double bottom, double right,
                              int category, int kind, int group);
    void ClearAllVertexMarks();
    int CountMarkedVertices(int category, int kind, int group) const;

    // ---- grid, modes, settings ----------------------------------------------------
    CREGGrid& GetGrid() { return m_grid; }
    CVector2D GetGridSpacing() const;
    void SetGridSpacing(double x, double y);
    int GetGridStyle() const { return m_grid.GetStyle(); }
    void SetGridStyle(int style);
    COLORREF GetGridColour() const { return m_grid.GetColour(); }
    void SetGridColour(COLORREF c);
    int GetGridState() const { return m_grid.IsVisible() ? GRID_SHOW : GRID_HIDE; }
    int SetGridState(int command);
    // The database keeps nothing in the registry: the save flag changes nothing.
    int SetGridState(int command, bool) { return SetGridState(command); }
    int GetSnapMode() const { return m_nSnapMode; }
    int SetSnapMode(int mode);
    int CycleSnapMode() { return SetSnapMode(SNAP_CYCLE); }
    int GetCursorMode() const { return m_nCursorMode; }
    int SetCursorMode(int command);
    void SetDefaultContextMenu(int menuId, int submenuIndex);
    void SetGridDrawLevel(int category) { m_nGridDrawLevel = category; }
    int GetGridDrawLevel() const { return m_nGridDrawLevel; }
    COLORREF GetBackgroundColour() const { return m_crBackground; }
    void SetBackgroundColour(COLORREF c) { m_crBackground = c; }
    void SetClipboardFormat(int format, int scale);
    int GetClipboardFormat() const { return m_nClipboardFormat; }
    int GetReservedValue() const { return m_nReserved; }

    // ---- picking, snap, context menu (REGDatabasePick.cpp) ---------------------
    CVector2D SnapPoint(CViewContext* pView, int x, int y, bool bRoundDown, double stepsPerUnit);
    CVector2D SnapToGrid(int x, int y, CViewContext* pView);
    CEntity* FindNearestPoint(CSnapRequest& request);
    bool PickEntity(CPickRequest& request);
    bool HitTest(int x, int y, CViewContext* pView, CString* pTip, CEntity** ppResult, CWnd* pWnd,
                 int group);
    bool HitTest(POINT p, CViewContext* pView, CString* pTip, CEntity** ppResult, CWnd* pWnd,
                 int group = ID_ANY_GROUP)
    {
        return HitTest(p.x, p.y, pView, pTip, ppResult, pWnd, group);
    }
    // PickEntity with the request given as arguments.
    bool PickEntity(POINT p, CViewContext* pView, int query, CString* pTip, CEntity** ppResult,
                    CWnd* pWnd, int group = ID_ANY_GROUP);
    // ShowContextMenu for the entity under the point, the menu chosen by it.
    bool ShowContextMenu(POINT p, CWnd* pView, CViewContext* pViewContext, CWnd* pOwner,
                         CMenu* pMenu = nullptr);
    bool ShowContextMenu(CContextMenuRequest& request);
    CEntity* ApplyToNearestEntity(double x, double y, double top, double left, double bottom,
                                  double right, int category, int kind, int group);
    // The region as two corners in any order (a pick box).
    CEntity* ApplyToNearestEntity(const CVector2D& p, const CVector2D& corner1,
                                  const CVector2D& corner2, int category, int kind, int group);

    // ---- drawing, names, clipboard (REGDatabaseDraw.cpp) ---------------------------
    void Draw(CDC* pDC, CViewContext* pView);
    void DrawEntities(CDC* pDC, CViewContext* pView, int mode);
    void ResetDrawCache();
    bool IsDrawCacheStale() const { return m_nCacheState != CACHE_BUILT; }
    CEntity* FindEntityByName(const CString& name, int kind, int group, int category) const;
    void MakeUniqueName(const CString& base, CString& out, int kind, int group, int category) const;
    bool CopyToClipboard(CWnd* pWnd, CViewContext* pView);
    // In the given format (69 bitmap at the chosen scale, 70 metafile),
    // leaving the chosen format as it is.
    bool CopyToClipboard(CWnd* pWnd, CViewContext* pView, int format);
    bool CopyTextToClipboard(CWnd* pWnd, const CString& text);

protected:
    static int SetIndex(int set);
    void DestroyEntityAt(int index);
    void DrawVertexLabels(CDC* pDC, CViewContext* pView);
    bool CopyBitmapToClipboard(CWnd* pWnd, CViewContext* pView);
    bool CopyMetafileToClipboard(CWnd* pWnd, CViewContext* pView);

    CEntityFilter m_filters[kFilterCount];
    CArray<CEntity*, CEntity*> m_filterLists[kFilterCount];
    int m_filterCursors[kFilterCount];
    bool m_bAutoSort;
    int m_nCacheState;
    CArray<CEntity*, CEntity*> m_entities;
    int m_nScreenWidth, m_nScreenHeight;
    CREGGrid m_grid;
    int m_setCursors[3];
    CVector2D m_upperLeft;
    CVector2D m_lowerRight;
    int m_nDefaultMenu;
    int m_nDefaultSubmenu;
    int m_nSnapMode;
    int m_nCursorMode;
    COLORREF m_crBackground;
    int m_nReserved;
    int m_nGridDrawLevel;
    int m_nClipboardScale;
    int m_nClipboardFormat;
    std::unique_ptr<CDC> m_pBufferDC;
    std::unique_ptr<CBitmap> m_pBufferBitmap;
    CDocument* m_pDocument;
};
