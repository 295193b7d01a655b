// The fixed rules of the slope view's input: what each mode's handler is, which
// cursor it shows and which context submenu, how a rubber band is judged, and
// how a device point is snapped. The event codes it takes are the document's
// (model/InteractionModes.h). Kept apart from
// the window so that they hold for every view that dispatches these codes.
#pragma once

#include <windows.h>
#include "framework/String.h"
#include "geometry/Vector2D.h"
#include "model/InteractionModes.h"

class CREGDatabase;
class CViewContext;

// Cursor resources of the modes.
enum {
    CURSOR_CROSS = 16000,
    CURSOR_ZOOM = 16001,
    CURSOR_PAN = 16002,
    CURSOR_PICK = 16003,
    CURSOR_SNAP = 16004,
    CURSOR_POINT = 16075,
};

// The handler a mode is dispatched to.
enum SlopeHandler {
    HANDLER_NONE = 0,
    HANDLER_IDLE,
    HANDLER_DEFINE_SLOPE,
    HANDLER_INSERT_VERTEX,
    HANDLER_DELETE_VERTICES,
    HANDLER_SELECT_VERTICES_TO_MOVE,
    HANDLER_MOVE_VERTICES_BASE,
    HANDLER_MOVE_VERTICES_TARGET,
    HANDLER_ASSIGN_MATERIAL,
    HANDLER_ADD_POINT_SEEDER,
    HANDLER_ADD_LINE_SEEDER,
    HANDLER_ADD_LINE_SEEDER_NEXT,
    HANDLER_ADD_ANGLE,
    HANDLER_ADD_ANGLE_END,
    HANDLER_ADD_COLLECTOR,
    HANDLER_ADD_COLLECTOR_END,
    HANDLER_SELECT_OBJECTS,
    HANDLER_MOVE_COLLECTORS_BASE,
    HANDLER_MOVE_COLLECTORS_TARGET,
    HANDLER_MOVE_ANGLE_VERTEX,
    HANDLER_MOVE_ANGLE_VERTEX_TO,
    HANDLER_FILTER_BY_PICKING,
    // The drawing-tool, zoom and pan modes.
    HANDLER_ZOOM_DYNAMIC,
    HANDLER_ZOOM_WINDOW,
    HANDLER_PAN,
    HANDLER_TOOL_FIRST_POINT,
    HANDLER_TOOL_SECOND_POINT,
    HANDLER_TOOL_TEXT_BOX,
    HANDLER_DELETE_DRAWINGS,
    HANDLER_EDIT_TOOL,
    HANDLER_DRAG_TOOL,
    HANDLER_SCALE_PICTURE,
};

// Cursor column of the table: a resource id, none, the snap cursor, or the
// slope-definition rule.
enum { CURSOR_NONE = 0, CURSOR_BY_SNAP = -1, CURSOR_BY_SLOPE = -2, CURSOR_BY_TOOL = -3 };

struct SlopeModeInfo {
    int mode;
    SlopeHandler handler;
    bool needsDC;
    int submenu;      // index into context menu 6002; -1 the entity's own only
    int cursor;
    // The selector of the object-selection handler.
    int kind = 0, category = 0, group = 0;
    // The tool kind of the first-point handler.
    int toolKind = 0;
};

// The row of a mode; null for a mode without a handler.
const SlopeModeInfo* FindSlopeMode(int mode);

// The cursor resource for a mode (0: the class default). The snap cursor is
// the point cursor without snap; DEFINE_SLOPE shows the cross until the slope
// has two vertices.
int SlopeModeCursor(int mode, int snapMode, int slopeVertexCount);

// A rubber band released after a drag: true when it selects by window, false
// when it counts as a click. The band must have started (more than 12 pixels
// of movement); the object-selection modes need the corners more than 6
// pixels apart on an axis as well.
bool IsWindowSelection(int mode, const RECT& band);

// The world point of a device point for the handlers of a mode: unsnapped in
// IDLE; otherwise by the database's snap mode (thousandths or grid, or the
// nearest snap point of the mode's entities within 11 pixels).
CVector2D SnapViewPoint(CREGDatabase& db, CViewContext& vc, int mode, int x, int y, bool roundDown);

// The snap mode a snap command chooses: ID_SNAP_GRID the grid, ID_SNAP_NONE
// none, any other the vertices.
int SnapModeOfCommand(UINT id);

// The first stage of the mode a drawing-tool command enters (the tools the
// slope and graph views share); 0 for any other command.
int ToolCommandMode(UINT id);

// The internal-error text of a routine.
CString FormatInternalError(const char* className, const char* routine);
