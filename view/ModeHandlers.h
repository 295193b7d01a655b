// The interaction-mode handlers that every window showing the drawing runs
// alike: drawing a two-point tool, picking, editing, dragging and deleting
// the window's own drawings, and picking rock paths for the filter. The slope
// view and the graph view's slope panel both dispatch to them; each window
// says through CModeHost where it maps the world and how it repaints.
#pragma once

#include <windows.h>
#include "framework/Rect.h"
#include "framework/String.h"
#include "geometry/Vector2D.h"

class CDC;
class CView;
class CEntity;
class CTalusimDoc;
class CViewContext;

class CModeHost
{
public:
    virtual CTalusimDoc* ModeDocument() = 0;
    // The context that maps the window's drawing (set up before an event).
    virtual CViewContext* ModeViewContext() = 0;
    // The window: the owner and group of the drawings made in it.
    virtual CView* ModeView() = 0;
    // The world point of a device point, snapped for the document's mode.
    virtual CVector2D ModeSnapPoint(int x, int y) = 0;
    // Repaints where the window shows its drawings.
    virtual void RepaintDrawings() = 0;

protected:
    ~CModeHost() = default;
};

// A world window as the database's window queries take it.
struct WorldBox {
    double top = 0, left = 0, bottom = 0, right = 0;
};

// What a released rubber band chose: a window dragged out, or the pick box
// around the point when it counts as a click.
struct SelectionBand : WorldBox {
    bool window = false;
};

// The cursor of the tool-editing modes: keep the window's default, keep the
// cursor as it is, or show a standard cursor.
struct ToolCursorChoice {
    enum { DEFAULT, KEEP, SHOW } action = DEFAULT;
    int cursor = 0;   // the standard cursor (IDC_...) to show
};

class CModeHandlers
{
public:
    explicit CModeHandlers(CModeHost& host) : m_host(host) {}

    // The group of the drawings made in the window.
    int DrawingGroup();
    bool HasDrawings();
    // The window's topmost drawing under a device point, or null.
    CEntity* PickDrawing(int x, int y);

    // IDLE's left click: the drawing under the point becomes the one edited.
    // True when editing began (the mode is then EDIT_TOOL).
    bool PickForEditing(int x, int y);
    void ToolFirstPoint(int event, int x, int y, int kind);
    void ToolSecondPoint(int event, int x, int y);
    // TOOL_TEXT_BOX: a click (or Done with a typed point) asks for the text
    // and places a text box there.
    void ToolTextBox(int event, int x, int y);
    // The Add Text dialog on a text; false when cancelled.
    bool RunAddText(CString& text);
    // Edit Text on a text box: its text in the Add Text dialog. True when changed.
    bool EditText(CEntity* drawing);
    void EditTool(int event, int x, int y);
    void DragTool(int event, int x, int y);
    void DeleteDrawings(int event, CDC* pDC, int x, int y);
    void FilterByPicking(int event, CDC* pDC, int x, int y);
    // Asks, then deletes every drawing of the window. True when deleted.
    bool DeleteAllDrawings();
    // The window is closing: its drawings, and a tool half drawn in it, go
    // with it (a later window could otherwise get its group and show them).
    void DropDrawings();
    // The cursor under the mouse in EDIT_TOOL and DRAG_TOOL: true when set
    // (or kept as it is), false when the window's default is to show. A
    // drawing of another window ends the editing mode here.
    bool SetToolCursor();

    // A point typed at the prompt line; false when none was typed.
    static bool TypedPoint(CVector2D& point);
    // The point of a click (snapped) or of Done (typed); false without one.
    bool EventPoint(int event, int x, int y, CVector2D& point);
    // The world pick box around a device point.
    WorldBox PickBox(int x, int y);
    // The rubber band of the selecting modes: a press and the moves after it
    // draw the band. True on the release, with `band` what it chose (judged
    // by the mode); false for every other event.
    bool TrackBand(int event, CDC* pDC, int x, int y, SelectionBand& band);
    // Marks what the band crosses into the selection: a window adds, a click
    // turns over.
    void SelectCrossing(const SelectionBand& band, int category, int kind, int group);
    void SelectAll(int category, int kind, int group);

private:
    // Ends a drawing's edit: no current entity, no editing, IDLE, repaint.
    void EndToolDrag();
    ToolCursorChoice ToolCursor(CPoint client);
    void KeepCurrentToolUnselected();
    // The rock paths a band picks pass the filter; a click turns those under it over.
    void PickPathsInBand(const SelectionBand& band);

    CModeHost& m_host;
};

// The question Delete All Drawings asks.
extern const char kDeleteAllDrawingsQuestion[];
