// The shell's link to the slope document and the views. The views of the
// slope and the graphs are not part of the program yet: no view is one.
#include "app/DocumentLink.h"

#include "model/DocumentDependencies.h"
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
    if (CTalusimDoc* d = Slope(doc)) d->GetDatabase()->SetSnapMode(mode);
}

void CycleSnapMode(CDocument* doc) {
    if (CTalusimDoc* d = Slope(doc)) d->GetDatabase()->CycleSnapMode();
}

int GetGridState(CDocument* doc) {
    CTalusimDoc* d = Slope(doc);
    return d != nullptr ? d->GetDatabase()->GetGridState() : -1;
}

void ToggleGrid(CDocument* doc) {
    // A click shows or hides the grid for now; the saved setting stays.
    if (CTalusimDoc* d = Slope(doc)) d->GetDatabase()->SetGridState(75, false);
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

// The drawing tools keep their shift state themselves until they are part of the program.
void SetToolActive(CDocument*, BYTE) {}

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

bool IsSlopeView(CView*) { return false; }
bool IsGraphView(CView*) { return false; }
void SendViewEvent(CView*, int) {}
void ForwardMouseWheel(CView*, UINT, short, POINT) {}

} // namespace ShellLink
