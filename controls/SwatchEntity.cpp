// What the swatch combo reads of an entity: its line colour and its name.
#include "controls/FlatComboBox.h"
#include "geometry/Entity.h"

COLORREF SwatchEntityColour(const CEntity* entity) { return entity != nullptr ? entity->GetColour() : RGB(0, 0, 0); }
CString SwatchEntityName(const CEntity* entity) { return entity != nullptr ? entity->GetName() : CString(); }
