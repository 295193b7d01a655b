#include "tools/ToolFactory.h"

#include "tools/ToolArrow.h"
#include "tools/ToolAxes.h"
#include "tools/ToolDimAngle.h"
#include "tools/ToolDimLength.h"
#include "tools/ToolImage.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"
#include "tools/ToolTextBox.h"
#include "tools/ToolWaterPt.h"

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
    case TOOL_TYPE_TEXT_BOX: return new CToolTextBox;
    case TOOL_TYPE_CONTOUR_LABELS: return new CToolContourLabels;
    case TOOL_TYPE_AXES: return new CToolAxes;
    case TOOL_TYPE_IMAGE: return new CToolImage;
    case TOOL_TYPE_WATER_LEVEL: return new CToolWaterPt;
    case TOOL_TYPE_DIM_LENGTH: return new CToolDimLength;
    case TOOL_TYPE_DIM_ANGLE: return new CToolDimAngle;
    default: return nullptr;
    }
}
