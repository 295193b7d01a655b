#include "tools/ToolFactory.h"

#include "tools/ToolArrow.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"

CMeasure* CreateToolOfType(int type)
{
    switch (type) {
    case TOOL_TYPE_MEASURE: return new CToolMeasure;
    case TOOL_TYPE_ARROW: return new CToolArrow;
    case TOOL_TYPE_RECTANGLE: return new CToolRectangle;
    case TOOL_TYPE_CIRCLE: return new CToolCircle;
    case TOOL_TYPE_LINE: return new CToolLine;
    case TOOL_TYPE_POLYLINE: return new CToolPolyLine;
    case TOOL_TYPE_POLYGON: return new CToolPolyGon;
    case TOOL_TYPE_PENCIL: return new CToolPencil;
    default: return nullptr;
    }
}
