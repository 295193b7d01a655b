#include "view/SlopeViewRules.h"

#include <cfloat>
#include <cstdlib>
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"

namespace {

const SlopeModeInfo kModes[] = {
    {42, HANDLER_ZOOM_DYNAMIC, false, 8, CURSOR_ZOOM},
    {43, HANDLER_ZOOM_WINDOW, true, 9, CURSOR_NONE},
    {44, HANDLER_PAN, false, 8, CURSOR_PAN},
    {2107, HANDLER_ADD_COLLECTOR, false, 6, CURSOR_CROSS},
    {2108, HANDLER_IDLE, false, 3, CURSOR_NONE},
    {2110, HANDLER_SELECT_OBJECTS, true, 10, CURSOR_PICK, 2101, 2133, 2162},
    {2111, HANDLER_SELECT_VERTICES_TO_MOVE, true, 11, CURSOR_PICK},
    {2112, HANDLER_MOVE_VERTICES_BASE, false, 6, CURSOR_CROSS},
    {2113, HANDLER_MOVE_VERTICES_TARGET, false, 12, CURSOR_CROSS},
    {2114, HANDLER_DELETE_VERTICES, true, 13, CURSOR_PICK},
    {2115, HANDLER_INSERT_VERTEX, false, 9, CURSOR_POINT},
    {2126, HANDLER_DEFINE_SLOPE, false, 7, CURSOR_BY_SLOPE},
    {2127, HANDLER_ADD_COLLECTOR_END, false, 6, CURSOR_BY_SNAP},
    {2129, HANDLER_SELECT_OBJECTS, true, 11, CURSOR_PICK, 2101, 2133, 2162},
    {2130, HANDLER_MOVE_COLLECTORS_BASE, false, 6, CURSOR_CROSS},
    {2131, HANDLER_MOVE_COLLECTORS_TARGET, false, 12, CURSOR_CROSS},
    {2146, HANDLER_ADD_POINT_SEEDER, false, 6, CURSOR_CROSS},
    {2147, HANDLER_ADD_LINE_SEEDER, false, 6, CURSOR_CROSS},
    {2148, HANDLER_SELECT_OBJECTS, true, 10, CURSOR_PICK, 2151, 2133, ID_ANY_GROUP},
    {2152, HANDLER_ADD_LINE_SEEDER_NEXT, false, 7, CURSOR_BY_SNAP},
    {2159, HANDLER_ADD_ANGLE, false, 9, CURSOR_POINT},
    {2160, HANDLER_SELECT_OBJECTS, true, 10, CURSOR_PICK, 2101, 2133, 2161},
    {2163, HANDLER_ADD_ANGLE_END, false, 6, CURSOR_BY_SNAP},
    {2166, HANDLER_MOVE_ANGLE_VERTEX, false, 9, CURSOR_PICK},
    {2167, HANDLER_MOVE_ANGLE_VERTEX_TO, false, 6, CURSOR_BY_SNAP},
    {2172, HANDLER_ASSIGN_MATERIAL, true, 14, CURSOR_PICK},
    {2501, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, 12050},
    {2502, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {2503, HANDLER_TOOL_TEXT_BOX, false, 6, CURSOR_CROSS},
    {2504, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, 12051},
    {2505, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {2506, HANDLER_DELETE_DRAWINGS, true, 17, CURSOR_PICK},
    {3208, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, 12054},
    {3209, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {3210, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, 12053},
    {3211, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {3212, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, 12055},
    {3213, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {3214, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, 12056},
    {3215, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {3216, HANDLER_EDIT_TOOL, false, -1, CURSOR_BY_TOOL},
    {3217, HANDLER_DRAG_TOOL, false, -1, CURSOR_BY_TOOL},
    {3218, HANDLER_FILTER_BY_PICKING, true, 8, CURSOR_PICK},
    {3220, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
    {3221, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
    {3222, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
    {3223, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
};

bool IsObjectSelectionMode(int mode)
{
    const SlopeModeInfo* info = FindSlopeMode(mode);
    return info != nullptr &&
           (info->handler == HANDLER_SELECT_OBJECTS || info->handler == HANDLER_FILTER_BY_PICKING ||
            info->handler == HANDLER_DELETE_DRAWINGS);
}

// The nearest snap point of the entities of one kind, or none.
bool NearestOfKind(CREGDatabase& db, CViewContext& vc, const CVector2D& origin, int kind, CVector2D& found)
{
    CVector2D result(DBL_MAX, DBL_MAX);
    CSnapRequest request;
    request.view = &vc;
    request.x = origin.x;
    request.y = origin.y;
    request.result = &result;
    request.kind = kind;
    if (db.FindNearestPoint(request) == nullptr || (result.x == DBL_MAX && result.y == DBL_MAX))
        return false;
    found = result;
    return true;
}

}  // namespace

const SlopeModeInfo* FindSlopeMode(int mode)
{
    for (const SlopeModeInfo& info : kModes)
        if (info.mode == mode)
            return &info;
    return nullptr;
}

int SlopeModeCursor(int mode, int snapMode, int slopeVertexCount)
{
    const SlopeModeInfo* info = FindSlopeMode(mode);
    if (info == nullptr)
        return CURSOR_NONE;
    const int snapCursor = snapMode == SNAP_NONE ? CURSOR_POINT : CURSOR_SNAP;
    switch (info->cursor) {
    case CURSOR_BY_SNAP: return snapCursor;
    case CURSOR_BY_SLOPE: return slopeVertexCount <= 1 ? CURSOR_CROSS : snapCursor;
    case CURSOR_BY_TOOL: return CURSOR_NONE;
    default: return info->cursor;
    }
}

bool IsWindowSelection(int mode, const RECT& band)
{
    const bool empty = band.left == band.right && band.top == band.bottom;
    if (empty || band.left == INT_MAX)
        return false;
    if (!IsObjectSelectionMode(mode))
        return true;
    return std::abs(band.right - band.left) > 6 || std::abs(band.bottom - band.top) > 6;
}

CVector2D SnapViewPoint(CREGDatabase& db, CViewContext& vc, int mode, int x, int y, bool roundDown)
{
    if (mode == 2108)
        return vc.DeviceToWorld(x, y);
    const int snap = db.GetSnapMode();
    if (snap != SNAP_VERTEX)
        return db.SnapPoint(&vc, x, y, true, 1000.0);

    const CVector2D cursor = vc.DeviceToWorld(x, y);
    CVector2D candidate;
    bool found = false;
    switch (mode) {
    case 2146:
    case 2147:
    case 2152: {
        // A barrier or collector end wins over the slope unless the slope is strictly nearer.
        CVector2D onObject, onSlope;
        const bool haveObject = NearestOfKind(db, vc, cursor, 2101, onObject);
        const bool haveSlope = NearestOfKind(db, vc, cursor, 2103, onSlope);
        if (haveObject) {
            candidate = onObject;
            found = true;
        }
        if (haveSlope &&
            (!found || cursor.DistanceSquaredTo(onSlope.x, onSlope.y) < cursor.DistanceSquaredTo(candidate.x, candidate.y))) {
            candidate = onSlope;
            found = true;
        }
        break;
    }
    case 2501: case 2502: case 2503: case 2504: case 2505:
        found = NearestOfKind(db, vc, cursor, ID_ANY_KIND, candidate);
        break;
    case 2113:
    case 2126:
        found = NearestOfKind(db, vc, cursor, 2101, candidate);
        break;
    case 2130:
        found = NearestOfKind(db, vc, cursor, ID_ANY_KIND, candidate);
        break;
    default:
        found = NearestOfKind(db, vc, cursor, 2103, candidate);
        break;
    }
    if (found && vc.ArePointsNear(candidate, cursor))
        return candidate;
    CVector2D result = cursor;
    if (roundDown)
        result.RoundDown(1000.0);
    return result;
}

CString FormatInternalError(const char* className, const char* routine)
{
    CString text;
    text.Format("Internal Error in function\n%s %s\nplease contact technical support", className, routine);
    return text;
}
