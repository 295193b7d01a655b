// Small helpers the KsMenu sources share: the font menu items are measured and
// drawn with, and the window whose DC they measure against.
#pragma once

#include <windows.h>

namespace ksmenu {

// The menu font of the system's non-client metrics; the caller deletes it.
HFONT CreateMenuFont();

// The main window when there is one, else the desktop.
HWND MainWindowOrDesktop();

} // namespace ksmenu
