#include "view/SlopeViewRules.h"

#include <cfloat>
#include <cstdlib>
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "model/TalusimDoc.h"
#include "res/resource.h"
#include "tools/Measure.h"

namespace {

// The modes keep the document's names and the handlers the view's, and the two
// vocabularies part in places. Which belong together:
//   barrier (modes)          = angle (handlers): ADD_BARRIER_FIRST/SECOND run
//                              ADD_ANGLE/ADD_ANGLE_END, MOVE_BARRIER_SELECT/END run
//                              MOVE_ANGLE_VERTEX/MOVE_ANGLE_VERTEX_TO;
//   collector FIRST/SECOND   = ADD_COLLECTOR/ADD_COLLECTOR_END;
//   DELETE_COLLECTORS, DELETE_SEEDERS, DELETE_BARRIERS and MOVE_COLLECTORS_SELECT
//                            = SELECT_OBJECTS with the row's kind, category and group;
//   PICK_PATHS               = FILTER_BY_PICKING;
//   DELETE_TOOLS             = DELETE_DRAWINGS;
//   ZOOM_MOUSE               = ZOOM_DYNAMIC;
//   EDIT_TOOL_SELECT/MOVE    = EDIT_TOOL/DRAG_TOOL;
//   IMAGE_OLD/NEW corners    = SCALE_PICTURE;
//   ELLIPSE (mode)           = the CIRCLE tool kind; ARROW_HEAD/TAIL and the other
//                              two-click tools = TOOL_FIRST_POINT/TOOL_SECOND_POINT.
const SlopeModeInfo kModes[] = {
    {MODE_ZOOM_MOUSE, HANDLER_ZOOM_DYNAMIC, false, 8, CURSOR_ZOOM},
    {MODE_ZOOM_WINDOW, HANDLER_ZOOM_WINDOW, true, 9, CURSOR_NONE},
    {MODE_PAN, HANDLER_PAN, false, 8, CURSOR_PAN},
    {MODE_ADD_COLLECTOR_FIRST, HANDLER_ADD_COLLECTOR, false, 6, CURSOR_CROSS},
    {MODE_IDLE, HANDLER_IDLE, false, 3, CURSOR_NONE},
    {MODE_DELETE_COLLECTORS, HANDLER_SELECT_OBJECTS, true, 10, CURSOR_PICK, KIND_BARRIER, CAT_PLACED, GROUP_COLLECTOR},
    {MODE_MOVE_VERTICES_SELECT, HANDLER_SELECT_VERTICES_TO_MOVE, true, 11, CURSOR_PICK},
    {MODE_MOVE_VERTICES_BASE, HANDLER_MOVE_VERTICES_BASE, false, 6, CURSOR_CROSS},
    {MODE_MOVE_VERTICES_TARGET, HANDLER_MOVE_VERTICES_TARGET, false, 12, CURSOR_CROSS},
    {MODE_DELETE_VERTICES, HANDLER_DELETE_VERTICES, true, 13, CURSOR_PICK},
    {MODE_INSERT_VERTEX, HANDLER_INSERT_VERTEX, false, 9, CURSOR_POINT},
    {MODE_DEFINE_SLOPE, HANDLER_DEFINE_SLOPE, false, 7, CURSOR_BY_SLOPE},
    {MODE_ADD_COLLECTOR_SECOND, HANDLER_ADD_COLLECTOR_END, false, 6, CURSOR_BY_SNAP},
    {MODE_MOVE_COLLECTORS_SELECT, HANDLER_SELECT_OBJECTS, true, 11, CURSOR_PICK, KIND_BARRIER, CAT_PLACED, GROUP_COLLECTOR},
    {MODE_MOVE_COLLECTORS_BASE, HANDLER_MOVE_COLLECTORS_BASE, false, 6, CURSOR_CROSS},
    {MODE_MOVE_COLLECTORS_TARGET, HANDLER_MOVE_COLLECTORS_TARGET, false, 12, CURSOR_CROSS},
    {MODE_ADD_POINT_SEEDER, HANDLER_ADD_POINT_SEEDER, false, 6, CURSOR_CROSS},
    {MODE_ADD_LINE_SEEDER_FIRST, HANDLER_ADD_LINE_SEEDER, false, 6, CURSOR_CROSS},
    {MODE_DELETE_SEEDERS, HANDLER_SELECT_OBJECTS, true, 10, CURSOR_PICK, KIND_SEEDER, CAT_PLACED, ID_ANY_GROUP},
    {MODE_ADD_LINE_SEEDER_NEXT, HANDLER_ADD_LINE_SEEDER_NEXT, false, 7, CURSOR_BY_SNAP},
    {MODE_ADD_BARRIER_FIRST, HANDLER_ADD_ANGLE, false, 9, CURSOR_POINT},
    {MODE_DELETE_BARRIERS, HANDLER_SELECT_OBJECTS, true, 10, CURSOR_PICK, KIND_BARRIER, CAT_PLACED, GROUP_BARRIER},
    {MODE_ADD_BARRIER_SECOND, HANDLER_ADD_ANGLE_END, false, 6, CURSOR_BY_SNAP},
    {MODE_MOVE_BARRIER_SELECT, HANDLER_MOVE_ANGLE_VERTEX, false, 9, CURSOR_PICK},
    {MODE_MOVE_BARRIER_END, HANDLER_MOVE_ANGLE_VERTEX_TO, false, 6, CURSOR_BY_SNAP},
    {MODE_ASSIGN_MATERIAL, HANDLER_ASSIGN_MATERIAL, true, 14, CURSOR_PICK},
    {MODE_MEASURE_FROM, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, TOOL_TYPE_MEASURE},
    {MODE_MEASURE_TO, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {MODE_TEXT_TOOL, HANDLER_TOOL_TEXT_BOX, false, 6, CURSOR_CROSS},
    {MODE_ARROW_HEAD, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, TOOL_TYPE_ARROW},
    {MODE_ARROW_TAIL, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {MODE_DELETE_TOOLS, HANDLER_DELETE_DRAWINGS, true, 17, CURSOR_PICK},
    {MODE_ELLIPSE_FIRST, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, TOOL_TYPE_CIRCLE},
    {MODE_ELLIPSE_SECOND, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {MODE_RECTANGLE_FIRST, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, TOOL_TYPE_RECTANGLE},
    {MODE_RECTANGLE_SECOND, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {MODE_LINE_TOOL_FIRST, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, TOOL_TYPE_LINE},
    {MODE_LINE_TOOL_NEXT, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {MODE_AXES_FIRST, HANDLER_TOOL_FIRST_POINT, false, 6, CURSOR_BY_SNAP, 0, 0, 0, TOOL_TYPE_AXES},
    {MODE_AXES_SECOND, HANDLER_TOOL_SECOND_POINT, false, 6, CURSOR_BY_SNAP},
    {MODE_EDIT_TOOL_SELECT, HANDLER_EDIT_TOOL, false, -1, CURSOR_BY_TOOL},
    {MODE_EDIT_TOOL_MOVE, HANDLER_DRAG_TOOL, false, -1, CURSOR_BY_TOOL},
    {MODE_PICK_PATHS, HANDLER_FILTER_BY_PICKING, true, 8, CURSOR_PICK},
    {MODE_IMAGE_OLD_TOP_LEFT, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
    {MODE_IMAGE_OLD_BOTTOM_RIGHT, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
    {MODE_IMAGE_NEW_TOP_LEFT, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
    {MODE_IMAGE_NEW_BOTTOM_RIGHT, HANDLER_SCALE_PICTURE, false, 9, CURSOR_POINT},
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
    if (mode == MODE_IDLE)
        return vc.DeviceToWorld(x, y);
    const int snap = db.GetSnapMode();
    if (snap != SNAP_VERTEX)
        return db.SnapPoint(&vc, x, y, true, 1000.0);

    const CVector2D cursor = vc.DeviceToWorld(x, y);
    CVector2D candidate;
    bool found = false;
    switch (mode) {
    case MODE_ADD_POINT_SEEDER:
    case MODE_ADD_LINE_SEEDER_FIRST:
    case MODE_ADD_LINE_SEEDER_NEXT: {
        // A barrier or collector end wins over the slope unless the slope is strictly nearer.
        CVector2D onObject, onSlope;
        const bool haveObject = NearestOfKind(db, vc, cursor, KIND_BARRIER, onObject);
        const bool haveSlope = NearestOfKind(db, vc, cursor, KIND_SLOPE, onSlope);
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
    case MODE_MEASURE_FROM:
    case MODE_MEASURE_TO:
    case MODE_TEXT_TOOL:
    case MODE_ARROW_HEAD:
    case MODE_ARROW_TAIL:
        found = NearestOfKind(db, vc, cursor, ID_ANY_KIND, candidate);
        break;
    case MODE_MOVE_VERTICES_TARGET:
    case MODE_DEFINE_SLOPE:
        found = NearestOfKind(db, vc, cursor, KIND_BARRIER, candidate);
        break;
    case MODE_MOVE_COLLECTORS_BASE:
        found = NearestOfKind(db, vc, cursor, ID_ANY_KIND, candidate);
        break;
    default:
        found = NearestOfKind(db, vc, cursor, KIND_SLOPE, candidate);
        break;
    }
    if (found && vc.ArePointsNear(candidate, cursor))
        return candidate;
    CVector2D result = cursor;
    if (roundDown)
        result.RoundDown(1000.0);
    return result;
}

int SnapModeOfCommand(UINT id)
{
    return id == ID_SNAP_GRID ? SNAP_GRID : id == ID_SNAP_NONE ? SNAP_NONE : SNAP_VERTEX;
}

int ToolCommandMode(UINT id)
{
    static const struct {
        UINT id;
        int mode;
    } kToolCommands[] = {
        {ID_TOOL_MEASURE, MODE_MEASURE_FROM},      {ID_TOOL_ARROW, MODE_ARROW_HEAD},
        {ID_TOOL_RECTANGLE, MODE_RECTANGLE_FIRST}, {ID_TOOL_CIRCLE, MODE_ELLIPSE_FIRST},
        {ID_TOOL_LINE, MODE_LINE_TOOL_FIRST},      {ID_TOOL_AXIS, MODE_AXES_FIRST},
        {ID_TOOL_TEXT_BOX, MODE_TEXT_TOOL},        {ID_TOOL_DELETE_DRAWINGS, MODE_DELETE_TOOLS},
    };
    for (const auto& c : kToolCommands)
        if (c.id == id)
            return c.mode;
    return 0;
}

CString FormatInternalError(const char* className, const char* routine)
{
    CString text;
    text.Format("Internal Error in function\n%s %s\nplease contact technical support", className, routine);
    return text;
}
