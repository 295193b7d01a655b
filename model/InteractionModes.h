// The interaction modes of a document: every mouse-driven operation runs as an
// integer mode that the slope view dispatches on. This file holds the fixed
// rules about the codes (prompts, marker colours, stages, equivalence, the
// transient pan); the document applies them to its own state.
#pragma once

#include <windows.h>

enum InteractionMode {
    MODE_ZOOM_MOUSE = 42,
    MODE_ZOOM_WINDOW = 43,
    MODE_PAN = 44,
    MODE_ADD_VERTICAL_BARRIER = 2106,
    MODE_ADD_COLLECTOR_FIRST = 2107,
    MODE_IDLE = 2108,
    MODE_DELETE_COLLECTORS = 2110,
    MODE_MOVE_VERTICES_SELECT = 2111,
    MODE_MOVE_VERTICES_BASE = 2112,
    MODE_MOVE_VERTICES_TARGET = 2113,
    MODE_DELETE_VERTICES = 2114,
    MODE_INSERT_VERTEX = 2115,
    MODE_REQUEST_PREVIOUS = 2116,   // a request, never a mode
    MODE_REQUEST_NEXT_STAGE = 2117, // a request, never a mode
    MODE_DEFINE_SLOPE = 2126,
    MODE_ADD_COLLECTOR_SECOND = 2127,
    MODE_MOVE_COLLECTORS_SELECT = 2129,
    MODE_MOVE_COLLECTORS_BASE = 2130,
    MODE_MOVE_COLLECTORS_TARGET = 2131,
    MODE_ADD_POINT_SEEDER = 2146,
    MODE_ADD_LINE_SEEDER_FIRST = 2147,
    MODE_DELETE_SEEDERS = 2148,
    MODE_ADD_LINE_SEEDER_NEXT = 2152,
    MODE_ADD_BARRIER_FIRST = 2159,
    MODE_DELETE_BARRIERS = 2160,
    MODE_ADD_BARRIER_SECOND = 2163,
    MODE_MOVE_BARRIER_SELECT = 2166,
    MODE_MOVE_BARRIER_END = 2167,
    MODE_ASSIGN_MATERIAL = 2172,
    MODE_MEASURE_FROM = 2501,
    MODE_MEASURE_TO = 2502,
    MODE_TEXT_TOOL = 2503,
    MODE_ARROW_HEAD = 2504,
    MODE_ARROW_TAIL = 2505,
    MODE_DELETE_TOOLS = 2506,
    MODE_ELLIPSE_FIRST = 3208,
    MODE_ELLIPSE_SECOND = 3209,
    MODE_RECTANGLE_FIRST = 3210,
    MODE_RECTANGLE_SECOND = 3211,
    MODE_LINE_TOOL_FIRST = 3212,
    MODE_LINE_TOOL_NEXT = 3213,
    MODE_AXES_FIRST = 3214,
    MODE_AXES_SECOND = 3215,
    MODE_EDIT_TOOL_SELECT = 3216,
    MODE_EDIT_TOOL_MOVE = 3217,
    MODE_PICK_PATHS = 3218,
    MODE_IMAGE_OLD_TOP_LEFT = 3220,
    MODE_IMAGE_OLD_BOTTOM_RIGHT = 3221,
    MODE_IMAGE_NEW_TOP_LEFT = 3222,
    MODE_IMAGE_NEW_BOTTOM_RIGHT = 3223,
};

// The events a view takes besides the mouse: the keys and menu commands that
// delete, cancel, finish, select all or go back, and the mouse codes the
// handlers dispatch on.
enum InteractionEvent {
    EVENT_DELETE = 300,
    EVENT_CANCEL = 301,
    EVENT_DONE = 302,
    EVENT_SELECT_ALL = 303,
    EVENT_GO_BACK = 304,
    EVENT_DOUBLE_CLICK = 400,
    EVENT_LEFT_DOWN = 401,
    EVENT_LEFT_UP = 402,
    EVENT_MOUSE_MOVE = 405,
    EVENT_MIDDLE_DOWN = 406,
    EVENT_MIDDLE_UP = 407,
};

// The prompt code shown while the mode runs; 0 for a mode without a prompt.
int GetModePromptCode(int mode);
// The colour of the reference point while the mode runs.
COLORREF GetModeReferenceColour(int mode);
// The stage that follows a stage of a multi-click tool (2108 after the last).
int NextToolStage(int mode);
// The first stage of the tool a stage belongs to (2108 for other modes).
int FirstToolStage(int mode);
// True when a and b are stages of one command (or equal).
bool AreEquivalentModes(int a, int b);
// True when a middle-button pan may interrupt the mode.
bool AllowsTransientPan(int mode);
// Zoom and pan modes do not become the previous mode.
inline bool IsViewNavigationMode(int mode)
{
    return mode == MODE_ZOOM_MOUSE || mode == MODE_ZOOM_WINDOW || mode == MODE_PAN;
}
