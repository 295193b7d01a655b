#include "controls/KsMenuSupport.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace ksmenu {

HFONT CreateMenuFont() {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return ::CreateFontIndirectA(&ncm.lfMenuFont);
}

HWND MainWindowOrDesktop() {
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main->GetSafeHwnd() != nullptr ? main->GetSafeHwnd() : ::GetDesktopWindow();
}

} // namespace ksmenu
