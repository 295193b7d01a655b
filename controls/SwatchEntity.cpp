// What the swatch combo reads of an entity. Until the entity classes are part
// of the program, an item's entity has no colour and no name of its own.
#include "controls/FlatComboBox.h"

COLORREF SwatchEntityColour(const CEntity*) { return RGB(0, 0, 0); }
CString SwatchEntityName(const CEntity*) { return CString(); }
