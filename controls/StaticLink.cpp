#include "controls/StaticLink.h"

#include "controls/LinkFont.h"
#include "controls/LinkShell.h"
#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CStaticLink, CStatic)

CStaticLink::~CStaticLink() = default;

HBRUSH CStaticLink::CtlColor(CDC* pDC, UINT) {
    // A static reports clicks only with SS_NOTIFY; the dialog template need not know.
    const DWORD style = GetStyle();
    if (!(style & SS_NOTIFY)) ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(style | SS_NOTIFY));
    // Icons, bitmaps and frames keep their normal look; only text becomes a
    // link. The kind is the style's type field: SS_NOPREFIX and the other
    // flags of the low byte do not make a text anything else.
    if ((style & SS_TYPEMASK) > SS_RIGHT) return nullptr;

    SelectUnderlinedFont(*this, m_fontUnderline, pDC);
    pDC->SetTextColor(m_bVisited ? m_crVisited : m_crUnvisited);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CStaticLink::OnClicked() {
    if (m_strLink.IsEmpty()) GetWindowText(m_strLink);
    if (LinkShell::Open(m_strLink, SW_SHOWNORMAL) <= 32) {
        ::MessageBeep(0);
        return;
    }
    m_bVisited = TRUE;
    Invalidate(TRUE);
}

BEGIN_MESSAGE_MAP(CStaticLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()
