#include "model/InteractionModes.h"

namespace {

struct ModePrompt {
    int mode;
    int prompt;
};

const ModePrompt kPrompts[] = {
    {MODE_IDLE, 1000},
    {MODE_ZOOM_MOUSE, 1018},
    {MODE_ZOOM_WINDOW, 1015},
    {MODE_PAN, 1017},
    {MODE_ADD_COLLECTOR_FIRST, 1006},
    {MODE_ADD_COLLECTOR_SECOND, 1001},
    {MODE_DELETE_COLLECTORS, 1020},
    {MODE_MOVE_COLLECTORS_SELECT, 1009},
    {MODE_MOVE_COLLECTORS_BASE, 1008},
    {MODE_MOVE_COLLECTORS_TARGET, 1012},
    {MODE_MOVE_VERTICES_SELECT, 1013},
    {MODE_MOVE_VERTICES_BASE, 1010},
    {MODE_MOVE_VERTICES_TARGET, 1011},
    {MODE_DELETE_VERTICES, 1019},
    {MODE_INSERT_VERTEX, 1007},
    {MODE_DEFINE_SLOPE, 1005},
    {MODE_ADD_POINT_SEEDER, 1002},
    {MODE_ADD_LINE_SEEDER_FIRST, 1003},
    {MODE_ADD_LINE_SEEDER_NEXT, 1004},
    {MODE_DELETE_SEEDERS, 1014},
    {MODE_ADD_BARRIER_FIRST, 1021},
    {MODE_ADD_BARRIER_SECOND, 1022},
    {MODE_DELETE_BARRIERS, 1023},
    {MODE_MOVE_BARRIER_SELECT, 1024},
    {MODE_MOVE_BARRIER_END, 1025},
    {MODE_ASSIGN_MATERIAL, 1026},
    {MODE_MEASURE_FROM, 1027},
    {MODE_MEASURE_TO, 1028},
    {MODE_TEXT_TOOL, 1029},
    {MODE_ARROW_HEAD, 1030},
    {MODE_ARROW_TAIL, 1031},
    {MODE_DELETE_TOOLS, 1032},
    {MODE_ELLIPSE_FIRST, 1034},
    {MODE_ELLIPSE_SECOND, 1035},
    {MODE_RECTANGLE_FIRST, 1036},
    {MODE_RECTANGLE_SECOND, 1037},
    {MODE_LINE_TOOL_FIRST, 1038},
    {MODE_LINE_TOOL_NEXT, 1039},
    {MODE_AXES_FIRST, 1040},
    {MODE_AXES_SECOND, 1041},
    {MODE_EDIT_TOOL_SELECT, 1042},
    {MODE_EDIT_TOOL_MOVE, 1043},
    {MODE_PICK_PATHS, 1044},
    {MODE_IMAGE_OLD_TOP_LEFT, 1045},
    {MODE_IMAGE_OLD_BOTTOM_RIGHT, 1046},
    {MODE_IMAGE_NEW_TOP_LEFT, 1047},
    {MODE_IMAGE_NEW_BOTTOM_RIGHT, 1048},
};

struct StagePair {
    int from;
    int to;
};

const StagePair kNextStages[] = {
    {MODE_MEASURE_FROM, MODE_MEASURE_TO},
    {MODE_ARROW_HEAD, MODE_ARROW_TAIL},
    {MODE_ELLIPSE_FIRST, MODE_ELLIPSE_SECOND},
    {MODE_RECTANGLE_FIRST, MODE_RECTANGLE_SECOND},
    {MODE_LINE_TOOL_FIRST, MODE_LINE_TOOL_NEXT},
    {MODE_AXES_FIRST, MODE_AXES_SECOND},
    {MODE_IMAGE_OLD_TOP_LEFT, MODE_IMAGE_OLD_BOTTOM_RIGHT},
    {MODE_IMAGE_OLD_BOTTOM_RIGHT, MODE_IMAGE_NEW_TOP_LEFT},
    {MODE_IMAGE_NEW_TOP_LEFT, MODE_IMAGE_NEW_BOTTOM_RIGHT},
};

const StagePair kFirstStages[] = {
    {MODE_MEASURE_TO, MODE_MEASURE_FROM},
    {MODE_ARROW_TAIL, MODE_ARROW_HEAD},
    {MODE_ELLIPSE_SECOND, MODE_ELLIPSE_FIRST},
    {MODE_RECTANGLE_SECOND, MODE_RECTANGLE_FIRST},
    {MODE_LINE_TOOL_NEXT, MODE_LINE_TOOL_FIRST},
    {MODE_AXES_SECOND, MODE_AXES_FIRST},
    {MODE_EDIT_TOOL_MOVE, MODE_EDIT_TOOL_SELECT},
};

// Stages that one menu entry stands for; its check mark stays on through all.
const int kEquivalentGroups[][4] = {
    {MODE_ADD_LINE_SEEDER_FIRST, MODE_ADD_LINE_SEEDER_NEXT, 0, 0},
    {MODE_ADD_COLLECTOR_FIRST, MODE_ADD_COLLECTOR_SECOND, 0, 0},
    {MODE_ADD_BARRIER_FIRST, MODE_ADD_BARRIER_SECOND, 0, 0},
    {MODE_MOVE_COLLECTORS_SELECT, MODE_MOVE_COLLECTORS_BASE, MODE_MOVE_COLLECTORS_TARGET, 0},
    {MODE_MOVE_BARRIER_SELECT, MODE_MOVE_BARRIER_END, 0, 0},
    {MODE_MOVE_VERTICES_SELECT, MODE_MOVE_VERTICES_BASE, MODE_MOVE_VERTICES_TARGET, 0},
    {MODE_MEASURE_FROM, MODE_MEASURE_TO, 0, 0},
    {MODE_ARROW_HEAD, MODE_ARROW_TAIL, 0, 0},
};

int GroupOf(int mode)
{
    int index = 0;
    for (const auto& group : kEquivalentGroups) {
        for (int m : group)
            if (m != 0 && m == mode)
                return index;
        ++index;
    }
    return -1;
}

}  // namespace

int GetModePromptCode(int mode)
{
    for (const auto& p : kPrompts)
        if (p.mode == mode)
            return p.prompt;
    return 0;
}

COLORREF GetModeReferenceColour(int mode)
{
    switch (mode) {
    case MODE_ADD_BARRIER_FIRST:
        return RGB(0, 128, 0);
    case MODE_MEASURE_FROM:
    case MODE_ARROW_HEAD:
        return RGB(0, 0, 128);
    case MODE_ADD_POINT_SEEDER:
    case MODE_ADD_LINE_SEEDER_FIRST:
        return RGB(0, 0, 255);
    case MODE_DEFINE_SLOPE:
        return RGB(128, 128, 128);
    default:
        return RGB(128, 0, 0);
    }
}

int NextToolStage(int mode)
{
    for (const auto& s : kNextStages)
        if (s.from == mode)
            return s.to;
    return MODE_IDLE;
}

int FirstToolStage(int mode)
{
    for (const auto& s : kFirstStages)
        if (s.from == mode)
            return s.to;
    return MODE_IDLE;
}

bool AreEquivalentModes(int a, int b)
{
    if (a == b)
        return true;
    int g = GroupOf(a);
    return g >= 0 && g == GroupOf(b);
}

bool AllowsTransientPan(int mode)
{
    if (mode == MODE_ADD_COLLECTOR_FIRST || mode == MODE_DEFINE_SLOPE || mode == MODE_ADD_COLLECTOR_SECOND
        || mode == MODE_ADD_LINE_SEEDER_NEXT || mode == MODE_ADD_BARRIER_FIRST || mode == MODE_DELETE_BARRIERS
        || mode == MODE_ADD_BARRIER_SECOND || mode == MODE_ASSIGN_MATERIAL || mode == MODE_PICK_PATHS)
        return true;
    return (mode >= MODE_DELETE_COLLECTORS && mode <= MODE_INSERT_VERTEX)
           || (mode >= MODE_MOVE_COLLECTORS_SELECT && mode <= MODE_MOVE_COLLECTORS_TARGET)
           || (mode >= MODE_ADD_POINT_SEEDER && mode <= MODE_DELETE_SEEDERS)
           || (mode >= MODE_MEASURE_FROM && mode <= MODE_DELETE_TOOLS)
           || (mode >= MODE_ELLIPSE_FIRST && mode <= MODE_EDIT_TOOL_SELECT);
}
