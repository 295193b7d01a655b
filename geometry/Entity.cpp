#include "geometry/Entity.h"

#include <cfloat>
#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/Constants.h"
#include "geometry/ExtentsAccumulator.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CEntity, CObject, VERSIONABLE_SCHEMA | 2)

void SerializeColour(CArchive& ar, COLORREF& colour)
{
    if (ar.IsStoring()) {
        ar << (BYTE)GetRValue(colour) << (BYTE)GetGValue(colour) << (BYTE)GetBValue(colour);
    } else {
        BYTE r, g, b;
        ar >> r >> g >> b;
        colour = RGB(r, g, b);
    }
}

void SerializeFlag(CArchive& ar, bool& flag)
{
    if (ar.IsStoring()) {
        ar << (BYTE)(flag ? 1 : 0);
    } else {
        BYTE b;
        ar >> b;
        flag = b != 0;
    }
}

CEntity::CEntity()
    : m_bShowVertexNumbers(false), m_bLabelVertices(false), m_bEditable(false),
      m_bLocked(false), m_referencePoint(DBL_MAX, DBL_MAX), m_upperLeft(-DBL_MAX, DBL_MAX),
      m_lowerRight(DBL_MAX, -DBL_MAX), m_nKindId(ID_ANY_KIND), m_nSelectWidth(1),
      m_nLineWidth(1), m_nLineStyle(PS_SOLID), m_nSelectStyle(PS_DASHDOT), m_bInSet24(false),
      m_bInSet25(false), m_bInSet26(false), m_bVisible(true), m_bSelectable(true),
      m_nGroupId(ID_ANY_GROUP), m_nEntityType(ENTITY_ORDINARY), m_nCategoryId(ID_ANY_CATEGORY),
      m_crColour(0), m_crAltColour(0), m_crSelectColour(0xFFFFFF), m_nContextSubmenu(-1),
      m_nContextMenu(0), m_pOwner(nullptr), m_bEditing(false)
{
}

CEntity::~CEntity() = default;

void CEntity::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    double xmin = m_upperLeft.x, ymax = m_upperLeft.y;
    double xmax = m_lowerRight.x, ymin = m_lowerRight.y;
    if (ar.IsStoring()) {
        ar << m_nSelectWidth << m_nLineWidth << m_nLineStyle << m_nSelectStyle;
        ar << xmin << ymax << xmax << ymin;
        ar << m_strName;
        ar << m_nGroupId << m_nCategoryId << m_nKindId << m_nEntityType;
    } else {
        ar >> m_nSelectWidth >> m_nLineWidth >> m_nLineStyle >> m_nSelectStyle;
        ReadFinite(ar, xmin, ymax, xmax, ymin);
        m_upperLeft = CVector2D(xmin, ymax);
        m_lowerRight = CVector2D(xmax, ymin);
        ar >> m_strName;
        // The kind and the entity type belong to the class: the stored
        // values are read past, the constructor's stay.
        int storedKind, storedType;
        ar >> m_nGroupId >> m_nCategoryId >> storedKind >> storedType;
    }
    SerializeColour(ar, m_crColour);
    SerializeColour(ar, m_crAltColour);
    SerializeColour(ar, m_crSelectColour);
    SerializeFlag(ar, m_bVisible);
    SerializeFlag(ar, m_bSelectable);
    SerializeFlag(ar, m_bInSet24);
    SerializeFlag(ar, m_bInSet25);
    SerializeFlag(ar, m_bInSet26);
    if (ar.IsStoring())
        ar << m_nContextMenu << m_nContextSubmenu;
    else
        ar >> m_nContextMenu >> m_nContextSubmenu;
}

namespace {

template <class T> bool Assign(T& member, T value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

} // namespace

bool CEntity::SetColour(COLORREF c) { return Assign(m_crColour, c); }
bool CEntity::SetAltColour(COLORREF c) { return Assign(m_crAltColour, c); }
bool CEntity::SetSelectColour(COLORREF c) { return Assign(m_crSelectColour, c); }
bool CEntity::SetLineStyle(int style) { return Assign(m_nLineStyle, style); }
bool CEntity::SetLineWidth(int width) { return Assign(m_nLineWidth, width); }
bool CEntity::SetSelectStyle(int style) { return Assign(m_nSelectStyle, style); }
bool CEntity::SetSelectWidth(int width) { return Assign(m_nSelectWidth, width); }
bool CEntity::SetKindId(int id) { return Assign(m_nKindId, id); }
bool CEntity::SetCategoryId(int id) { return Assign(m_nCategoryId, id); }
bool CEntity::SetGroupId(int id) { return Assign(m_nGroupId, id); }

bool CEntity::SetEntityType(int type)
{
    m_nEntityType = type;
    return true;
}

bool CEntity::MatchesIds(int category, int kind, int group) const
{
    return (category == ID_ANY_CATEGORY || category == m_nCategoryId) &&
           (kind == ID_ANY_KIND || kind == m_nKindId) &&
           (group == ID_ANY_GROUP || group == m_nGroupId);
}

bool CEntity::Show() { return Assign(m_bVisible, true); }
bool CEntity::Hide() { return Assign(m_bVisible, false); }
bool CEntity::MakeSelectable() { return Assign(m_bSelectable, true); }
bool CEntity::MakeUnselectable() { return Assign(m_bSelectable, false); }

bool CEntity::IsInSet(int code) const
{
    switch (code) {
    case SET_SELECTION: return m_bInSet24;
    case SET_WORK: return m_bInSet25;
    case SET_WORK2: return m_bInSet26;
    default: return false;
    }
}

bool CEntity::AddToSet(int code)
{
    switch (code) {
    case SET_SELECTION: return Assign(m_bInSet24, true);
    case SET_WORK: return Assign(m_bInSet25, true);
    case SET_WORK2: return Assign(m_bInSet26, true);
    default: return true;
    }
}

bool CEntity::RemoveFromSet(int code)
{
    switch (code) {
    case SET_SELECTION: return Assign(m_bInSet24, false);
    case SET_WORK: return Assign(m_bInSet25, false);
    case SET_WORK2: return Assign(m_bInSet26, false);
    default: return false;
    }
}

void CEntity::RotatePoint(double cx, double cy, double angle, double& x, double& y)
{
    if (angle == 0)
        return;
    const double a = angle * PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double dx = x - cx, dy = y - cy;
    x = cx + dx * c - dy * s;
    y = cy + dy * c + dx * s;
}

void CEntity::ScalePoint(double cx, double cy, double sx, double sy, double& x, double& y)
{
    x = cx + (x - cx) * sx;
    y = cy + (y - cy) * sy;
}

void CEntity::DrawCrossMarker(CDC* pDC, int x, int y, int c)
{
    pDC->MoveTo(x - c, y);
    pDC->LineTo(x + c + 1, y);
    pDC->MoveTo(x, y + c);
    pDC->LineTo(x, y - c - 1);
}

void CEntity::DrawSquareMarker(CDC* pDC, int x, int y, int c)
{
    CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
    CGdiObject* pOldBrush = pDC->SelectStockObject(WHITE_BRUSH);
    pDC->Rectangle(x - c, y + c, x + c + 1, y - c - 1);
    if (pOldBrush)
        pDC->SelectObject(pOldBrush);
    if (pOldPen)
        pDC->SelectObject(pOldPen);
}

int CEntity::GetCursorAt(CViewContext*, POINT)
{
    return 32512;   // IDC_ARROW
}

CVector2D CEntity::GetGripPoint(int) { return CVector2D(DBL_MAX, DBL_MAX); }
CVector2D CEntity::GetHandlePoint(int) { return CVector2D(DBL_MAX, DBL_MAX); }

bool CEntity::AddToExtents(CExtentsAccumulator* pAcc)
{
    const int type = GetEntityType();
    if (pAcc == nullptr || pAcc->GetKind() != CExtentsAccumulator::kExtentsRequest ||
        (type != ENTITY_ORDINARY && type != ENTITY_TOOL))
        return false;
    pAcc->AddX(GetLeft());
    pAcc->AddX(GetRight());
    pAcc->AddY(GetTop());
    pAcc->AddY(GetBottom());
    return true;
}

void CEntity::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    const bool bounded = GetTop() != DBL_MAX && GetBottom() != -DBL_MAX &&
                         GetLeft() != -DBL_MAX && GetRight() != DBL_MAX;
    if (bounded && pView) {
        const CPoint tl = pView->WorldToDevice(GetLeft(), GetTop());
        const CPoint br = pView->WorldToDevice(GetRight(), GetBottom());
        out = CRect(tl.x, tl.y, br.x, br.y);
        out.InflateRect(33, 33);
    } else if (pWnd && pWnd->GetSafeHwnd()) {
        ::GetClientRect(pWnd->GetSafeHwnd(), &out);
    }
}

CVector2D CEntity::GetNearestPoint(double, double) { return CVector2D(DBL_MAX, DBL_MAX); }

CVector2D CEntity::GetNearestPointInView(CViewContext*, double x, double y)
{
    return GetNearestPoint(x, y);
}

CVector2D CEntity::GetNearestSegmentPoint(double, double, bool*, int*)
{
    return CVector2D(DBL_MAX, DBL_MAX);
}

CVector2D CEntity::GetNearestSegmentPointInView(CViewContext*, double x, double y, bool* pFound,
                                                int* pSegment)
{
    return GetNearestSegmentPoint(x, y, pFound, pSegment);
}

bool CEntity::GetSegmentAt(double, double, int*, CVector2D*, CVector2D*) { return false; }

void CEntity::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    text = "override\nget_data_tip_text\nin your entity";
}

bool CEntity::GetAttributes(CEntityAttributes& record)
{
    record.m_nKindId = m_nKindId;
    record.m_points.RemoveAll();
    record.m_labelled.RemoveAll();
    record.m_marked.RemoveAll();
    return false;
}

bool CEntity::CopyFrom(const CEntity& source)
{
    m_bLabelVertices = source.m_bLabelVertices;
    for (int set : {SET_SELECTION, SET_WORK, SET_WORK2}) {
        if (source.IsInSet(set))
            AddToSet(set);
        else
            RemoveFromSet(set);
    }
    m_bVisible = source.m_bVisible;
    m_bSelectable = source.m_bSelectable;
    SetOwner(source.GetOwner());
    SetContextMenu(source.m_nContextMenu, const_cast<CEntity&>(source).GetContextSubmenu());
    SetEditing(source.m_bEditing);
    m_nKindId = source.m_nKindId;
    SetGroupId(source.m_nGroupId);
    m_nCategoryId = source.m_nCategoryId;
    m_nEntityType = source.GetEntityType();
    m_nLineWidth = source.m_nLineWidth;
    m_nLineStyle = source.m_nLineStyle;
    m_nSelectWidth = source.m_nSelectWidth;
    m_nSelectStyle = source.m_nSelectStyle;
    m_crSelectColour = source.m_crSelectColour;
    m_crColour = source.m_crColour;
    return SetAltColour(source.m_crAltColour);
}
