#include "app/PageSetupDlg.h"

#include <cstring>
#include <vector>

#include "framework/DC.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "geometry/ViewContext.h"

BOOL CPageSetupDlg::s_bFirstUse = TRUE;

CPageSettings::CPageSettings() : m_bInches(LocaleUsesInches()) {}

BOOL CPageSettings::LocaleUsesInches() {
    char buf[555] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, buf, sizeof(buf)) == 0) return TRUE;
    return buf[0] == '1';
}

CPageMargins::CPageMargins() { SetPreset(10001); }

void CPageMargins::SetPreset(UINT id) {
    switch (id) {
    case 10001: SetMargins(0.5, 1.5, 0.5, 0.5); break;
    case 10002: SetMargins(1.5, 0.5, 0.5, 0.5); break;
    case 10003: SetMargins(1.5, 0.75, 0.35, 0.75); break;
    case 10004: SetMargins(0, 0, 0, 0); break;
    case 10005: SetMargins(0.8, 1.3, 1.0, 1.9); break;
    default: break;
    }
}

void CPageMargins::SetMargins(double top, double left, double right, double bottom) {
    m_dTop = top;
    m_dLeft = left;
    m_dRight = right;
    m_dBottom = bottom;
}

void CPageMargins::DrawMarginFrame(CDC* pDC, const CRect& rect) {
    bool printing = pDC->m_hDC == pDC->m_hAttribDC;
    if (printing && !m_bShowOnPaper) return;
    CPen pen(m_bShowOnPaper ? PS_SOLID : PS_DASH, 1, RGB(0, 0, 0));
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    CGdiObject* oldPen = pDC->SelectObject(&pen);
    pDC->Rectangle(&rect);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

CRect CPageMargins::GetPrintPageRect(CDC* pDC) const {
    if (pDC == nullptr) return CRect(0, 0, 0, 0);
    HDC attrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC;
    int offX = ::GetDeviceCaps(attrib, PHYSICALOFFSETX), offY = ::GetDeviceCaps(attrib, PHYSICALOFFSETY);
    int dpiX = ::GetDeviceCaps(attrib, LOGPIXELSX), dpiY = ::GetDeviceCaps(attrib, LOGPIXELSY);
    int horz = ::GetDeviceCaps(attrib, HORZRES), vert = ::GetDeviceCaps(attrib, VERTRES);
    int left = static_cast<int>(m_dLeft * dpiX), right = static_cast<int>(m_dRight * dpiX);
    int top = static_cast<int>(m_dTop * dpiY), bottom = static_cast<int>(m_dBottom * dpiY);
    // Margins are measured from the paper's edge, the device from the printable
    // area's edge: a margin inside the unprintable strip is raised to it.
    auto fromPrintableEdge = [](int margin, int offset) {
        if (margin < offset) margin = offset;
        return margin > offset ? margin - offset : offset;
    };
    left = fromPrintableEdge(left, offX);
    right = fromPrintableEdge(right, offX);
    top = fromPrintableEdge(top, offY);
    bottom = fromPrintableEdge(bottom, offY);
    return CRect(left, top, horz - right, vert - bottom);
}

void CPageMargins::LayoutPrintPage(CDC* pDC, CViewContext* pVC) {
    if (pDC == nullptr || pVC == nullptr || pVC->GetOwnerView() == nullptr) return;
    bool preview = pDC->m_hDC != pDC->m_hAttribDC;
    CRect page = GetPrintPageRect(pDC);
    const int left = page.left, top = page.top;
    int width = page.Width(), height = page.Height();
    pVC->SetDeviceExtent(width, height);
    CPoint tl = pVC->WorldToDevice(pVC->m_clientTopLeft.x, pVC->m_clientTopLeft.y);
    CPoint br = pVC->WorldToDevice(pVC->m_clientBottomRight.x, pVC->m_clientBottomRight.y);
    double worldWidth = pVC->m_clientBottomRight.x - pVC->m_clientTopLeft.x;
    double worldHeight = pVC->m_clientTopLeft.y - pVC->m_clientBottomRight.y;
    double worldAspect = worldWidth != 0 ? worldHeight / worldWidth : 0;
    double pageAspect = width != 0 ? static_cast<double>(height) / width : 0;
    int originX = left, originY = top;
    if (pageAspect > worldAspect) originY += (height - (br.y - tl.y)) / 2;
    else originX += (width - (br.x - tl.x)) / 2;
    pVC->SetDeviceOrigin(originX, originY);
    pVC->m_printRect = page;
    if (preview || m_bShowOnPaper) DrawMarginFrame(pDC, page);
    page.InflateRect(1, 1);
    // The print pass must not make the screen view repaint.
    ::ValidateRect(pVC->GetOwnerView()->GetSafeHwnd(), nullptr);
    if (preview) {
        pDC->IntersectClipRect(&page);
    } else {
        HRGN region = ::CreateRectRgnIndirect(&page);
        ::ExtSelectClipRgn(pDC->m_hDC, region, RGN_AND);
        ::DeleteObject(region);
    }
}

namespace {

// The default printer's set-up, locked for the time of one operation.
struct LockedPrinter {
    PRINTDLGA pd{};
    DEVMODEA* devMode = nullptr;
    DEVNAMES* devNames = nullptr;
    bool ok = false;
    LockedPrinter() {
        pd.lStructSize = sizeof(pd);
        CWinApp* app = AfxGetApp();
        if (app == nullptr || !app->GetPrinterDeviceDefaults(&pd)) return;
        devMode = pd.hDevMode ? static_cast<DEVMODEA*>(::GlobalLock(pd.hDevMode)) : nullptr;
        devNames = pd.hDevNames ? static_cast<DEVNAMES*>(::GlobalLock(pd.hDevNames)) : nullptr;
        ok = devMode != nullptr && devNames != nullptr;
    }
    ~LockedPrinter() {
        if (devMode != nullptr) ::GlobalUnlock(pd.hDevMode);
        if (devNames != nullptr) ::GlobalUnlock(pd.hDevNames);
    }
    const char* Driver() const { return reinterpret_cast<const char*>(devNames) + devNames->wDriverOffset; }
    const char* Device() const { return reinterpret_cast<const char*>(devNames) + devNames->wDeviceOffset; }
};

} // namespace

BOOL CPageSetupDlg::ReadPrinterPage(CPageSettings& s) {
    LockedPrinter printer;
    if (!printer.ok) return FALSE;
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ::GetVersionExA(&info);
    const char* driver = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? nullptr : printer.Driver();
    s.m_bPortrait = printer.devMode->dmOrientation == DMORIENT_PORTRAIT;
    HDC dc = ::CreateDCA(driver, printer.Device(), nullptr, printer.devMode);
    if (dc == nullptr) return FALSE;
    double dpiX = ::GetDeviceCaps(dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
    if (dpiX > 0 && dpiY > 0) {
        s.m_dOffsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX) / dpiX;
        s.m_dOffsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY) / dpiY;
        s.m_dPaperWidth = ::GetDeviceCaps(dc, PHYSICALWIDTH) / dpiX;
        s.m_dPaperHeight = ::GetDeviceCaps(dc, PHYSICALHEIGHT) / dpiY;
    }
    ::DeleteDC(dc);
    return TRUE;
}

BOOL CPageSetupDlg::SetPrinterOrientation(BOOL landscape) {
    LockedPrinter printer;
    if (!printer.ok) return FALSE;
    HANDLE handle = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(printer.Device()), &handle, nullptr) || handle == nullptr) return FALSE;
    BOOL result = FALSE;
    LONG size = ::DocumentPropertiesA(nullptr, handle, const_cast<char*>(printer.Device()), nullptr, nullptr, 0);
    if (size > 0) {
        std::vector<BYTE> buffer(static_cast<size_t>(size));
        auto* dm = reinterpret_cast<DEVMODEA*>(buffer.data());
        if (::DocumentPropertiesA(nullptr, handle, const_cast<char*>(printer.Device()), dm, nullptr, DM_OUT_BUFFER) ==
                IDOK &&
            (dm->dmFields & DM_ORIENTATION)) {
            dm->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
            dm->dmFields = DM_ORIENTATION;
            if (::DocumentPropertiesA(nullptr, handle, const_cast<char*>(printer.Device()), dm, dm,
                                      DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK) {
                std::memcpy(printer.devMode, dm, 148);
                result = TRUE;
            }
        }
    }
    ::ClosePrinter(handle);
    return result;
}

void CPageSetupDlg::SwapOrientation(CPageSettings& s) {
    std::swap(s.m_dPaperHeight, s.m_dPaperWidth);
    std::swap(s.m_dOffsetX, s.m_dOffsetY);
}

BOOL CPageSetupDlg::ClampToOffsets(CPageSettings& s) {
    BOOL changed = FALSE;
    auto raise = [&changed](double& margin, double offset) {
        if (margin < offset) {
            margin = offset;
            changed = TRUE;
        }
    };
    // Where the two margins of one axis leave no paper between them, the far one falls back
    // to the printer's offset first, then the near one.
    auto fit = [&changed, &raise](double paper, double offset, double& nearMargin, double& farMargin) {
        raise(nearMargin, offset);
        raise(farMargin, offset);
        for (double* margin : {&farMargin, &nearMargin}) {
            if (paper - offset > nearMargin + farMargin)
                return;
            if (*margin != offset) changed = TRUE;
            *margin = offset;
        }
    };
    fit(s.m_dPaperHeight, s.m_dOffsetY, s.m_dTop, s.m_dBottom);
    fit(s.m_dPaperWidth, s.m_dOffsetX, s.m_dLeft, s.m_dRight);
    if (changed) s.m_nAutoFormat = -1;
    return changed;
}

namespace {
// The built-in auto-formats; a negative margin stands for the printer's offset.
struct BuiltInFormat {
    const char* name;
    bool portrait;
    double top, left, right, bottom;
};
constexpr double kOffset = -1.0;
const BuiltInFormat kBuiltIn[CPageSetupDlg::kBuiltInFormats] = {
    {"Landscape - Default", false, 0.5, 1.0, 0.5, 0.5},
    {"Landscape - Binding on Top", false, 1.5, 0.5, 0.5, 0.5},
    {"Landscape - Full Page", false, kOffset, kOffset, kOffset, kOffset},
    {"Portrait - Logotip at the Top", true, 1.5, 0.75, 0.35, 0.75},
    {"Portrait - Binding on Left", true, 0.5, 1.5, 0.5, 0.5},
    {"Portrait - Full Page", true, kOffset, kOffset, kOffset, kOffset},
    {"Portrait - Large Binding on Left", true, 0.8, 1.3, 1.0, 1.9},
};
} // namespace

LPCSTR CPageSetupDlg::BuiltInFormatName(int index) {
    return index >= 0 && index < kBuiltInFormats ? kBuiltIn[index].name : "";
}

void CPageSetupDlg::ApplyBuiltInFormat(CPageSettings& s, int index, BOOL toPrinter) {
    if (index < 0 || index >= kBuiltInFormats) return;
    const BuiltInFormat& f = kBuiltIn[index];
    if (toPrinter) {
        SetPrinterOrientation(!f.portrait);
        ReadPrinterPage(s);
    } else {
        ReadPrinterPage(s);
        if (s.m_bPortrait != (f.portrait ? TRUE : FALSE)) SwapOrientation(s);
    }
    s.m_dTop = f.top == kOffset ? s.m_dOffsetY : f.top;
    s.m_dBottom = f.bottom == kOffset ? s.m_dOffsetY : f.bottom;
    s.m_dLeft = f.left == kOffset ? s.m_dOffsetX : f.left;
    s.m_dRight = f.right == kOffset ? s.m_dOffsetX : f.right;
    s.m_bPortrait = f.portrait ? TRUE : FALSE;
    s.m_nAutoFormat = index;
    ClampToOffsets(s);
}

void CPageSetupDlg::ApplyToPrinter(CPageSettings& s) {
    s_bFirstUse = FALSE;
    if (s.m_nAutoFormat >= 0 && s.m_nAutoFormat < kBuiltInFormats) {
        ApplyBuiltInFormat(s, s.m_nAutoFormat, TRUE);
        return;
    }
    SetPrinterOrientation(!s.m_bPortrait);
    ReadPrinterPage(s);
    ClampToOffsets(s);
}

void CPageSetupDlg::ClampMargins(CPageSettings& s) {
    if (s_bFirstUse) {
        ApplyToPrinter(s);
        return;
    }
    ClampToOffsets(s);
}
