#include "app/ProgramMenu.h"

#include "controls/KsMenu.h"
#include "res/resource.h"

namespace {

const UINT kMenuToolbars[] = {6000, 6008, 6006, 6009, 6003, 6005, 6012, 6015, 6016};

} // namespace

HMENU BuildProgramMenu(KsMenu& menu, UINT id) {
    menu.LoadMenu(id);
    menu.LoadToolbars(kMenuToolbars, sizeof(kMenuToolbars) / sizeof(kMenuToolbars[0]));
    menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "Brevantics on the &Web", IDB_WEB);
    menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "&Manuals", IDB_MANUALS);
    return menu.Detach();
}
