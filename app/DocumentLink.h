// What the shell reads and changes of the active document and view: the slope
// document's drawing settings, its materials and interaction mode, and the
// interaction events of the slope and graph views.
//
// The shell's windows go through these functions only, so that they work on
// any document: a document or view of another kind answers "none" (-1, 0,
// empty, false) and ignores the changes.
#pragma once

#include <vector>

#include <windows.h>

class CDocument;
class CView;
class CEntity;
struct CRuntimeClass;

namespace ShellLink {

// The slope and graph views live above the shell: the program hands over
// their classes and what the frame asks of them before the application
// starts. Until then the windows show an empty view and no view is one.
struct SlopeViewLink {
    CRuntimeClass* viewClass = nullptr;
    // Passes an interaction event to the view's mode dispatcher at (0, 0).
    void (*sendEvent)(CView* view, int event) = nullptr;
    // The view's own mouse-wheel handling.
    void (*mouseWheel)(CView* view, UINT flags, short delta, POINT point) = nullptr;
};
struct GraphViewLink {
    CRuntimeClass* viewClass = nullptr;
    bool (*isShowing)(CView* view, int kind, CEntity* object) = nullptr;
    void (*setGraph)(CView* view, int kind, CEntity* object) = nullptr;
    // Delete, cancel and done (EVENT_DELETE to EVENT_DONE); none while the graph view takes no events.
    void (*sendEvent)(CView* view, int event) = nullptr;
};
SlopeViewLink& SlopeView();
GraphViewLink& GraphView();

bool IsSlopeDocument(CDocument* doc);
int GetSnapMode(CDocument* doc);           // 29 none, 30 grid, 31 vertex, others object snap; -1 none
void SetSnapMode(CDocument* doc, int mode);
void CycleSnapMode(CDocument* doc);
int GetGridState(CDocument* doc);          // 73 shown, 74 hidden; -1 none
void ToggleGrid(CDocument* doc);
int CountEndPoints(CDocument* doc);        // rock end points; 0 for none
int GetMode(CDocument* doc);               // interaction mode; -1 none
void SetMode(CDocument* doc, int mode);
int GetSlopeVertexCount(CDocument* doc);
void SetToolActive(CDocument* doc, BYTE flag);
void ShowGridSettings(CDocument* doc);
void ShowSnapSettings(CDocument* doc);
void ResetDrawCache(CDocument* doc);
// The materials in the order of the document's material filter.
std::vector<CEntity*> GetMaterials(CDocument* doc);

bool IsSlopeView(CView* view);
bool IsGraphView(CView* view);
// Passes an interaction event (EVENT_DELETE ... EVENT_GO_BACK) to a slope or graph view at (0, 0).
void SendViewEvent(CView* view, int event);
void ForwardMouseWheel(CView* view, UINT flags, short delta, POINT point);

} // namespace ShellLink
