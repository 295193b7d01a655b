// What the document asks of the drawing tools (annotation tools derived from
// CMeasure), their style dialog and their file. The tools subsystem installs
// the real ones; until then no tool is created and every call on a tool does
// nothing, so the document works without tools.
#pragma once

#include <windows.h>
#include <string>
#include "framework/String.h"

class CDocument;
class CView;
class CWnd;

class CEntity;
class CREGDatabase;

enum DrawingToolKind {
    TOOL_ENTITY_KIND = 2181,
    TOOL_CATEGORY = 2202,
    TOOL_MEASURE = 12050,
    TOOL_ARROW = 12051,
    TOOL_TEXT_BOX = 12052,
    TOOL_RECTANGLE = 12053,
    TOOL_CIRCLE = 12054,
    TOOL_LINE = 12055,
    TOOL_AXES = 12056,
    TOOL_IMAGE = 12058,
};

class CDrawingToolServices
{
public:
    virtual ~CDrawingToolServices() = default;

    // A new tool of the type (12050-12056, 12058) with its type and name, or
    // null for any other type. The caller adds it to a database, which owns it.
    virtual CEntity* CreateTool(int /*type*/) { return nullptr; }
    virtual void SetRegistryBase(CEntity* /*tool*/, LPCSTR /*path*/) {}
    virtual void LoadStyleFromRegistry(CEntity* /*tool*/) {}
    virtual void SetDocumentOption(CEntity* /*tool*/, bool /*metric*/) {}
    virtual void SetShiftConstrain(CEntity* /*tool*/, bool /*held*/) {}
    virtual void SetControlPoint(CEntity* /*tool*/, int /*index*/, double /*x*/, double /*y*/) {}
    virtual void SetText(CEntity* /*tool*/, LPCSTR /*text*/) {}
    virtual void FinishTool(CEntity* /*tool*/) {}
    // Clears the image-scaling-in-progress flag of an image tool.
    virtual void ClearImageScaling(CEntity* /*tool*/) {}
    // Format Tool (10029) on one tool.
    virtual INT_PTR RunFormatTool(CEntity* /*tool*/, CDocument* /*doc*/, CREGDatabase* /*database*/)
    {
        return IDCANCEL;
    }
    // The drawing-tools file: a file dialog, then save or load; or a load of a
    // given path. Return whether something was read or written.
    virtual bool SaveOrLoadToolsFile(CWnd* /*parent*/, CREGDatabase* /*database*/, bool /*save*/, bool /*metric*/)
    {
        return false;
    }
    virtual bool LoadToolsFile(CWnd* /*parent*/, CREGDatabase* /*database*/, LPCSTR /*path*/, bool /*metric*/)
    {
        return false;
    }
    // The tools file's text for the drawings of a view, as a save would write
    // it now; empty when the view has no drawings.
    virtual std::string ToolsFileText(CWnd* /*view*/, CREGDatabase* /*database*/, bool /*metric*/)
    {
        return std::string();
    }
};

inline CDrawingToolServices& DefaultDrawingToolServices()
{
    static CDrawingToolServices defaults;
    return defaults;
}

inline CDrawingToolServices*& DrawingToolServicesSlot()
{
    static CDrawingToolServices* installed = &DefaultDrawingToolServices();
    return installed;
}

inline CDrawingToolServices& DrawingToolServices()
{
    return *DrawingToolServicesSlot();
}

inline CDrawingToolServices* InstallDrawingToolServices(CDrawingToolServices* services)
{
    CDrawingToolServices* previous = DrawingToolServicesSlot();
    DrawingToolServicesSlot() = services ? services : &DefaultDrawingToolServices();
    return previous;
}
