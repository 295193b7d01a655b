// The shell's link to the slope document and the views. The slope document and
// its views are not part of the program yet: every document answers "none".
#include "app/DocumentLink.h"

namespace ShellLink {

bool IsSlopeDocument(CDocument*) { return false; }
int GetSnapMode(CDocument*) { return -1; }
void SetSnapMode(CDocument*, int) {}
void CycleSnapMode(CDocument*) {}
int GetGridState(CDocument*) { return -1; }
void ToggleGrid(CDocument*) {}
int CountEndPoints(CDocument*) { return 0; }
int GetMode(CDocument*) { return -1; }
void SetMode(CDocument*, int) {}
int GetSlopeVertexCount(CDocument*) { return 0; }
void SetToolActive(CDocument*, BYTE) {}
void ShowGridSettings(CDocument*) {}
void ShowSnapSettings(CDocument*) {}
void ResetDrawCache(CDocument*) {}
std::vector<CEntity*> GetMaterials(CDocument*) { return {}; }

bool IsSlopeView(CView*) { return false; }
bool IsGraphView(CView*) { return false; }
void SendViewEvent(CView*, int) {}
void ForwardMouseWheel(CView*, UINT, short, POINT) {}

} // namespace ShellLink
