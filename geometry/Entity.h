// The serialisable base of every object the drawing database holds and a view
// draws. It carries what all entities share (name, three filter ids, an entity
// type, pens and colours, visibility, selectability, membership of the three
// marked sets, extents, a context menu and an owner window) and one virtual
// interface with harmless defaults, so a subclass overrides only what it does.
#pragma once

#include <windows.h>
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "geometry/Vector2D.h"

class CDC;
class CWnd;
class CMenu;
class CRect;
class CViewContext;
class CExtentsAccumulator;
struct CPickRequest;

// Identifier wildcards and marked sets shared by the database and entities.
enum
{
    ID_ANY_CATEGORY = 20,
    ID_ANY_GROUP = 21,
    ID_ANY_KIND = 22,
    SET_SELECTION = 24,
    SET_WORK = 25,
    SET_WORK2 = 26,
};

// Entity type codes.
enum
{
    ENTITY_ORDINARY = 50,
    ENTITY_RULERS = 51,
    ENTITY_TOOL = 53,
};

using CVectorArray = CArray<CVector2D, const CVector2D&>;

// The vertex-label record an entity fills for the database's label drawing.
class CEntityAttributes
{
public:
    int m_nKindId = ID_ANY_KIND;
    CVectorArray m_points;
    CArray<BYTE, BYTE> m_labelled;
    CArray<BYTE, BYTE> m_marked;
};

class CEntity : public CObject
{
    DECLARE_SERIAL(CEntity)

public:
    CEntity();
    ~CEntity() override;

    void Serialize(CArchive& ar) override;

    // ---- plain attributes (setters: false when the value is unchanged) -------
    const CString& GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }

    COLORREF GetColour() const { return m_crColour; }
    bool SetColour(COLORREF c);
    COLORREF GetAltColour() const { return m_crAltColour; }
    bool SetAltColour(COLORREF c);
    COLORREF GetSelectColour() const { return m_crSelectColour; }
    bool SetSelectColour(COLORREF c);
    int GetLineStyle() const { return m_nLineStyle; }
    bool SetLineStyle(int style);
    int GetLineWidth() const { return m_nLineWidth; }
    bool SetLineWidth(int width);
    int GetSelectStyle() const { return m_nSelectStyle; }
    bool SetSelectStyle(int style);
    int GetSelectWidth() const { return m_nSelectWidth; }
    bool SetSelectWidth(int width);

    int GetKindId() const { return m_nKindId; }
    bool SetKindId(int id);
    int GetGroupId() const { return m_nGroupId; }
    int GetCategoryId() const { return m_nCategoryId; }
    bool SetCategoryId(int id);
    bool SetEntityType(int type);
    // True when each id is its wildcard or equals the entity's own.
    bool MatchesIds(int category, int kind, int group) const;

    bool IsVisible() const { return m_bVisible; }
    bool Show();
    bool Hide();
    bool IsSelectable() const { return m_bSelectable; }
    bool MakeSelectable();
    bool MakeUnselectable();
    bool SetSelectable(bool b) { return b ? MakeSelectable() : MakeUnselectable(); }

    bool IsInSet(int code) const;
    bool AddToSet(int code);
    bool RemoveFromSet(int code);

    bool IsEditing() const { return m_bEditing; }
    bool IsLocked() const { return m_bLocked; }
    void SetLocked(bool b) { m_bLocked = b; }
    void SetEditable(bool b) { m_bEditable = b; }
    bool GetShowVertexNumbers() const { return m_bShowVertexNumbers; }
    void SetShowVertexNumbers(bool b) { m_bShowVertexNumbers = b; }
    bool GetLabelVertices() const { return m_bLabelVertices; }
    void SetLabelVertices(bool b) { m_bLabelVertices = b; }
    void SetContextMenu(int menuId, int submenu)
    {
        m_nContextMenu = menuId;
        m_nContextSubmenu = submenu;
    }
    int GetContextMenuId() const { return m_nContextMenu; }
    CVector2D GetReferencePoint() const { return m_referencePoint; }

    // Angle in degrees, counter-clockwise; exactly 0 leaves the point.
    static void RotatePoint(double cx, double cy, double angle, double& x, double& y);
    static void ScalePoint(double cx, double cy, double sx, double sy, double& x, double& y);
    static void DrawCrossMarker(CDC* pDC, int x, int y, int c);
    static void DrawSquareMarker(CDC* pDC, int x, int y, int c);

    // ---- the virtual interface --------------------------------------------
    // World rectangles are (top, left, bottom, right) = (ymax, xmin, ymin, xmax).
    virtual bool IsEditable() const { return m_bEditable; }
    virtual void SetEditing(bool b) { m_bEditing = b; }
    virtual void SetReferencePoint(double, double) {}
    virtual int GetCursorAt(CViewContext* pView, POINT p);
    virtual void DragGrip(double, double) {}
    virtual bool PickGrip(CViewContext*, POINT) { return false; }
    virtual int GetGripCount() { return 0; }
    virtual CVector2D GetGripPoint(int i);
    virtual int GetHandleCount() { return 0; }
    virtual CVector2D GetHandlePoint(int i);
    virtual bool AddToExtents(CExtentsAccumulator* pAcc);
    virtual int GetEntityType() const { return m_nEntityType; }
    virtual int GetRebuildHint() { return 1; }
    virtual int QueryCategoryId(int) { return m_nCategoryId; }
    virtual bool SetGroupId(int id);
    virtual double GetTop() const { return m_upperLeft.y; }
    virtual double GetLeft() const { return m_upperLeft.x; }
    virtual double GetRight() const { return m_lowerRight.x; }
    virtual double GetBottom() const { return m_lowerRight.y; }
    virtual void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd);
    virtual void Draw(CDC*, CViewContext*) {}
    virtual void Update() {}
    virtual CVector2D GetNearestPoint(double x, double y);
    virtual CVector2D GetNearestPointInView(CViewContext* pView, double x, double y);
    virtual CVector2D GetNearestSegmentPoint(double x, double y, bool* pFound, int* pSegment);
    virtual CVector2D GetNearestSegmentPointInView(CViewContext* pView, double x, double y,
                                                   bool* pFound, int* pSegment);
    virtual bool GetSegmentAt(double x, double y, int* pIndex, CVector2D* pStart, CVector2D* pEnd);
    virtual int GetSegmentIndexAt(double, double) { return -1; }
    virtual int GetContextSubmenu() { return m_nContextSubmenu; }
    virtual void AddContextMenuItems(CMenu*, int, int, CViewContext*) {}
    virtual void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text);
    // 110 hit test with data tip, 111 context menu, 112 grips.
    virtual bool QueryOption(CPickRequest*, CViewContext*, int) { return false; }
    virtual int GetExportPartCount() { return 0; }
    virtual bool GetExportPartPoints(int, CVectorArray&) { return false; }
    virtual COLORREF GetExportPartColour(int) { return m_crColour; }
    virtual CString GetExportPartLayer(int) { return CString("Default Layer"); }
    // Operations 16 add, 17 remove, 18 toggle.
    virtual bool MarkVerticesInRect(int, double, double, double, double) { return false; }
    virtual bool MoveMarkedVertices(double, double) { return false; }
    virtual bool UnmarkVertices() { return false; }
    virtual int GetMarkedVertexCount() { return 0; }
    // Code 27 apply, 28 measure.
    virtual bool ApplyToNearestVertex(int, const CVector2D&, double*, bool*) { return false; }
    virtual bool MarkSegmentsInRect(int, double, double, double, double, int, int) { return false; }
    virtual bool UnmarkSegments() { return false; }
    virtual int GetMarkedSegmentCount() { return 0; }
    virtual bool Rotate(double, double, double) { return false; }
    virtual bool Scale(double, double, double, double) { return false; }
    virtual bool MoveBy(double, double) { return false; }
    virtual bool SaveVertices() { return true; }
    virtual bool RestoreVertices() { return true; }
    virtual bool DragBy(double, double) { return true; }
    virtual bool HitTestInView(CViewContext*, double, double, int) { return false; }
    virtual bool ContainsPoint(double, double, bool) { return false; }
    virtual bool CrossesRect(double, double, double, double, CViewContext*, CWnd*) { return false; }
    virtual bool GetAttributes(CEntityAttributes& record);
    virtual void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    virtual CWnd* GetOwner() const { return m_pOwner; }
    virtual bool CopyFrom(const CEntity& source);
    virtual void RecalcExtents() {}

    // The entity's free name; read directly by the report and the editors.
    CString m_strName;

protected:
    // Both extents corners at once, for the subclasses' RecalcExtents.
    void SetExtents(double left, double top, double right, double bottom)
    {
        m_upperLeft = CVector2D(left, top);
        m_lowerRight = CVector2D(right, bottom);
    }

    bool m_bShowVertexNumbers;
    bool m_bLabelVertices;
    bool m_bEditable;
    bool m_bLocked;
    CVector2D m_referencePoint;
    CVector2D m_upperLeft;    // (xmin, ymax)
    CVector2D m_lowerRight;   // (xmax, ymin)
    int m_nKindId;
    int m_nSelectWidth;
    int m_nLineWidth;
    int m_nLineStyle;
    int m_nSelectStyle;
    bool m_bInSet24;
    bool m_bInSet25;
    bool m_bInSet26;
    bool m_bVisible;
    bool m_bSelectable;
    int m_nGroupId;
    int m_nEntityType;
    int m_nCategoryId;
    COLORREF m_crColour;
    COLORREF m_crAltColour;
    COLORREF m_crSelectColour;
    int m_nContextSubmenu;
    int m_nContextMenu;
    CWnd* m_pOwner;
    bool m_bEditing;
};

// Archive helpers shared by the entity classes.
void SerializeColour(CArchive& ar, COLORREF& colour);
void SerializeFlag(CArchive& ar, bool& flag);
