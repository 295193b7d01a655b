#include "app/ProgramMenu.h"

#include "controls/KsMenu.h"
#include "res/resource.h"

namespace {

const UINT kMenuToolbars[] = {
    IDR_TOOLBAR_STANDARD, IDR_TOOLBAR_CONTEXT_IMAGES, IDR_TOOLBAR_ZOOM,
    IDR_TOOLBAR_GEOMETRY, IDR_TOOLBAR_MATERIALS,      IDR_TOOLBAR_GRAPH,
    IDR_TOOLBAR_TOOLS,    IDR_TOOLBAR_MENU_IMAGES,    IDR_TOOLBAR_HELP_IMAGES,
};

} // namespace

HMENU BuildProgramMenu(KsMenu& menu, UINT id) {
    menu.LoadMenu(id);
    menu.LoadToolbars(kMenuToolbars, sizeof(kMenuToolbars) / sizeof(kMenuToolbars[0]));
    menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "Brevantics on the &Web", IDB_WEB);
    menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "&Manuals", IDB_MANUALS);
    return menu.Detach();
}
