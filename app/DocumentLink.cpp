// The shell's link to the slope document and, through what the program
// hands over, to the slope and graph views.
#include "app/DocumentLink.h"

#include "framework/View.h"

#include "model/DocumentDependencies.h"
#include "model/InteractionModes.h"
#include "model/TalusimDoc.h"

namespace ShellLink {

namespace {

CTalusimDoc* Slope(CDocument* doc) { return dynamic_cast<CTalusimDoc*>(doc); }

} // namespace

bool IsSlopeDocument(CDocument* doc) { return Slope(doc) != nullptr; }

int GetSnapMode(CDocument* doc) {
    CTalusimDoc* d = Slope(doc);
    return d != nullptr ? d->GetDatabase()->GetSnapMode() : -1;
}

void SetSnapMode(CDocument* doc, int mode) {
    if (CTalusimDoc* d = Slope(doc)) d->ChangeSnapMode(mode);
}

void CycleSnapMode(CDocument* doc) {
    if (CTalusimDoc* d = Slope(doc)) d->ChangeSnapMode(SNAP_CYCLE);
}

int GetGridState(CDocument* doc) {
    CTalusimDoc* d = Slope(doc);
    return d != nullptr ? d->GetDatabase()->GetGridState() : -1;
}

void ToggleGrid(CDocument* doc) {
    // Whether the grid shows is saved with the document, so a click changes it.
    if (CTalusimDoc* d = Slope(doc)) {
        d->GetDatabase()->SetGridState(GRID_TOGGLE);
        d->SetModifiedFlag();
    }
}

int CountEndPoints(CDocument* doc) {
    CTalusimDoc* d = Slope(doc);
    return d != nullptr ? d->CountEndPoints(false) : 0;
}

int GetMode(CDocument* doc) {
    CTalusimDoc* d = Slope(doc);
    return d != nullptr ? d->GetMode() : -1;
}

void SetMode(CDocument* doc, int mode) {
    if (CTalusimDoc* d = Slope(doc)) d->SetMode(mode);
}

int GetSlopeVertexCount(CDocument* doc) {
    CTalusimDoc* d = Slope(doc);
    return d != nullptr ? d->GetSlopeVertexCount() : 0;
}

void SetToolActive(CDocument* doc, BYTE flag) {
    if (CTalusimDoc* d = Slope(doc)) d->SetToolShiftConstrain(flag != 0);
}

void ShowGridSettings(CDocument* doc) {
    if (CTalusimDoc* d = Slope(doc)) d->ShowGridSettings();
}

void ShowSnapSettings(CDocument* doc) {
    if (CTalusimDoc* d = Slope(doc)) d->ShowSnapSettings();
}

void ResetDrawCache(CDocument* doc) {
    if (CTalusimDoc* d = Slope(doc)) d->GetDatabase()->ResetDrawCache();
}

std::vector<CEntity*> GetMaterials(CDocument* doc) {
    std::vector<CEntity*> out;
    CTalusimDoc* d = Slope(doc);
    if (d == nullptr) return out;
    for (CTalusimSlopeType* m :
         CollectAs<CTalusimSlopeType>(*d->GetDatabase(), ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP))
        out.push_back(m);
    return out;
}

SlopeViewLink& SlopeView() {
    static SlopeViewLink link;
    return link;
}

GraphViewLink& GraphView() {
    static GraphViewLink link;
    return link;
}

bool IsSlopeView(CView* view) {
    CRuntimeClass* c = SlopeView().viewClass;
    return view != nullptr && c != nullptr && view->IsKindOf(c);
}

bool IsGraphView(CView* view) {
    CRuntimeClass* c = GraphView().viewClass;
    return view != nullptr && c != nullptr && view->IsKindOf(c);
}

void SendViewEvent(CView* view, int event) {
    if (IsSlopeView(view)) {
        if (SlopeView().sendEvent != nullptr) SlopeView().sendEvent(view, event);
    } else if (IsGraphView(view) && event >= EVENT_DELETE && event <= EVENT_DONE) {
        if (GraphView().sendEvent != nullptr) GraphView().sendEvent(view, event);
    }
}

void ForwardMouseWheel(CView* view, UINT flags, short delta, POINT point) {
    if (IsSlopeView(view) && SlopeView().mouseWheel != nullptr) SlopeView().mouseWheel(view, flags, delta, point);
}

} // namespace ShellLink
