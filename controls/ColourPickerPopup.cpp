#include "controls/ColourPickerPopup.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/FileDialog.h"

namespace {

constexpr COLORREF Pal(BYTE r, BYTE g, BYTE b) { return RGB(r, g, b) | kColourPaletteFlag; }

const ColourTableEntry kColours[] = {
    {Pal(0, 0, 0), "Black"},
    {Pal(165, 42, 0), "Brown"},
    {Pal(0, 64, 64), "Dark Olive Green"},
    {Pal(0, 85, 0), "Dark Green"},
    {Pal(0, 0, 94), "Dark Teal"},
    {Pal(0, 0, 139), "Dark blue"},
    {Pal(75, 0, 130), "Indigo"},
    {Pal(40, 40, 40), "Dark grey"},
    {Pal(139, 0, 0), "Dark red"},
    {Pal(255, 104, 32), "Orange"},
    {Pal(139, 139, 0), "Dark yellow"},
    {Pal(0, 147, 0), "Green"},
    {Pal(56, 142, 142), "Teal"},
    {Pal(0, 0, 255), "Blue"},
    {Pal(123, 123, 192), "Blue-grey"},
    {Pal(102, 102, 102), "Grey - 40"},
    {Pal(255, 0, 0), "Red"},
    {Pal(255, 173, 91), "Light orange"},
    {Pal(50, 205, 50), "Lime"},
    {Pal(60, 179, 113), "Sea green"},
    {Pal(127, 255, 212), "Aqua"},
    {Pal(125, 158, 192), "Light blue"},
    {Pal(128, 0, 128), "Violet"},
    {Pal(127, 127, 127), "Grey - 50"},
    {Pal(255, 192, 203), "Pink"},
    {Pal(255, 215, 0), "Gold"},
    {Pal(255, 255, 0), "Yellow"},
    {Pal(0, 255, 0), "Bright green"},
    {Pal(64, 224, 208), "Turquoise"},
    {Pal(192, 255, 255), "Skyblue"},
    {Pal(72, 0, 72), "Plum"},
    {Pal(192, 192, 192), "Light grey"},
    {Pal(255, 228, 225), "Rose"},
    {Pal(210, 180, 140), "Tan"},
    {Pal(255, 255, 224), "Light yellow"},
    {Pal(152, 251, 152), "Pale green "},
    {Pal(175, 238, 238), "Pale turquoise"},
    {Pal(104, 131, 139), "Pale blue"},
    {Pal(230, 230, 250), "Lavender"},
    {Pal(255, 255, 255), "White"},
};

constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

bool HasPaletteDisplay()
{
    HDC screen = ::GetDC(nullptr);
    const bool palette = (::GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ::ReleaseDC(nullptr, screen);
    return palette;
}

} // namespace

const ColourTableEntry* ColourPickerTable() { return kColours; }
int ColourPickerTableSize() { return static_cast<int>(sizeof(kColours) / sizeof(kColours[0])); }

BEGIN_MESSAGE_MAP(CColourPickerPopup, CWnd)
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CColourPickerPopup::CColourPickerPopup()
    : m_nNumColours(ColourPickerTableSize()),
      m_nMargin(::GetSystemMetrics(SM_CXEDGE)),
      m_crShadow(::GetSysColor(COLOR_BTNSHADOW) | kColourPaletteFlag),
      m_crHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT) | kColourPaletteFlag),
      m_crFace(::GetSysColor(COLOR_BTNFACE) | kColourPaletteFlag)
{
    m_nNumRows = (m_nNumColours + m_nNumColumns - 1) / m_nNumColumns;
    // Alternating bits: the chosen box's checker of face and highlight.
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    m_ChosenPattern.CreateBitmap(8, 8, 1, 1, pattern);
    m_ChosenBrush.CreatePatternBrush(&m_ChosenPattern);

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_Font.CreateFontIndirect(&metrics.lfMessageFont);
    else
        m_Font.CreateStockObject(DEFAULT_GUI_FONT);
}

BOOL CColourPickerPopup::Create(CPoint topLeft, COLORREF colour, CWnd* parent, const char* defaultText,
                                const char* customText)
{
    m_pParent = parent;
    m_crInitialColour = m_crColour = colour | kColourPaletteFlag;

    LPCSTR className = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW, nullptr,
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);

    // The dialog under the popup keeps its active caption and does not
    // repaint while the popup takes the activation; redraw comes back on
    // whatever happens to the creation.
    HWND owner = parent != nullptr ? ::GetAncestor(parent->GetSafeHwnd(), GA_ROOT) : nullptr;
    if (owner != nullptr)
        ::SendMessageA(owner, WM_SETREDRAW, FALSE, 0);
    const BOOL made = CreateEx(0, className, "", WS_POPUP | WS_VISIBLE | WS_DLGFRAME, topLeft.x, topLeft.y, 100, 100,
                               parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr);
    if (owner != nullptr) {
        if (made)
            ::SendMessageA(owner, WM_NCACTIVATE, TRUE, 0);
        ::SendMessageA(owner, WM_SETREDRAW, TRUE, 0);
        if (!made)
            ::RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (!made)
        return FALSE;

    if (HasPaletteDisplay()) {
        CClientDC dc(this);
        m_Palette.CreateHalftonePalette(&dc);
    }
    m_strDefaultText = defaultText != nullptr ? defaultText : "";
    m_strCustomText = customText != nullptr ? customText : "";

    Layout(topLeft);
    AddToolTips();
    FindChosen();
    SetCapture();
    return TRUE;
}

void CColourPickerPopup::Layout(CPoint topLeft)
{
    const int margin = m_nMargin;
    const int gridWidth = m_nNumColumns * m_nBoxSize;

    // The text boxes are as high as the taller text, or a cell's inside.
    int textHeight = 0;
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_Font);
        for (const CString* text : {&m_strDefaultText, &m_strCustomText}) {
            if (text->IsEmpty())
                continue;
            SIZE size{};
            ::GetTextExtentPoint32A(dc.GetSafeHdc(), *text, text->GetLength(), &size);
            textHeight = std::max<int>(textHeight, size.cy);
        }
        dc.SelectObject(old);
    }
    const int slot = std::max(textHeight, m_nBoxSize - 2 * margin - 2) + 6 * margin + 2;

    int y = 0;
    m_DefaultTextRect.SetRectEmpty();
    if (HasDefault()) {
        m_DefaultTextRect.SetRect(margin, margin, margin + gridWidth, slot - margin);
        y = slot;
    }
    m_GridRect.SetRect(margin, y + margin, margin + gridWidth, y + margin + m_nNumRows * m_nBoxSize);
    y += m_nNumRows * m_nBoxSize + 2 * margin;
    m_CustomTextRect.SetRectEmpty();
    if (HasCustom()) {
        m_CustomTextRect.SetRect(margin, y + margin, margin + gridWidth, y + slot - margin);
        y += slot;
    }

    const int width = gridWidth + 2 * margin + 2 * ::GetSystemMetrics(SM_CXDLGFRAME);
    const int height = y + 2 * ::GetSystemMetrics(SM_CYDLGFRAME);
    m_WindowRect.SetRect(topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height);

    // Keep it on the screen: left or right as needed, above the button when
    // there is no room below it.
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_WindowRect.right > screenWidth)
        m_WindowRect.OffsetRect(screenWidth - m_WindowRect.right, 0);
    if (m_WindowRect.left < 0)
        m_WindowRect.OffsetRect(-m_WindowRect.left, 0);
    if (m_WindowRect.bottom > screenHeight) {
        CRect button;
        if (m_pParent != nullptr)
            m_pParent->GetWindowRect(&button);
        m_WindowRect.OffsetRect(0, -(button.Height() + m_WindowRect.Height()));
    }
    MoveWindow(&m_WindowRect, TRUE);
}

void CColourPickerPopup::AddToolTips()
{
    if (!m_ToolTip.Create(this))
        return;
    for (int i = 0; i < m_nNumColours; ++i) {
        CRect cell = GetBoxRect(i);
        m_ToolTip.AddTool(this, kColours[i].name, &cell, static_cast<UINT_PTR>(i + 1));
    }
}

void CColourPickerPopup::FindChosen()
{
    m_nChosenColourSel = kNoBox;
    if (HasDefault() && m_crInitialColour == m_crDefault) {
        m_nChosenColourSel = kDefaultBox;
        return;
    }
    for (int i = 0; i < m_nNumColours; ++i)
        if (kColours[i].colour == m_crInitialColour) {
            m_nChosenColourSel = i;
            return;
        }
    if (HasCustom())
        m_nChosenColourSel = kCustomBox;
}

CRect CColourPickerPopup::GetBoxRect(int index) const
{
    if (index == kDefaultBox)
        return m_DefaultTextRect;
    if (index == kCustomBox)
        return m_CustomTextRect;
    if (index < 0 || index >= m_nNumColours)
        return CRect();
    const int left = m_GridRect.left + Column(index) * m_nBoxSize;
    const int top = m_GridRect.top + Row(index) * m_nBoxSize;
    return CRect(left, top, left + m_nBoxSize, top + m_nBoxSize);
}

int CColourPickerPopup::HitTest(CPoint client) const
{
    if (HasCustom() && m_CustomTextRect.PtInRect(client))
        return kCustomBox;
    if (HasDefault() && m_DefaultTextRect.PtInRect(client))
        return kDefaultBox;
    if (!m_GridRect.PtInRect(client))
        return kNoBox;
    const int row = (client.y - m_GridRect.top) / m_nBoxSize;
    const int column = (client.x - m_GridRect.left) / m_nBoxSize;
    const int index = row * m_nNumColumns + column;
    return index < m_nNumColours ? index : kNoBox;
}

bool CColourPickerPopup::PointInWindow(CPoint client) const
{
    CPoint screen = client;
    ClientToScreen(&screen);
    CRect window;
    GetWindowRect(&window);
    return window.PtInRect(screen) != FALSE;
}

BOOL CColourPickerPopup::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void CColourPickerPopup::PostNcDestroy() { delete this; }

void CColourPickerPopup::OnMouseMove(UINT flags, CPoint point)
{
    if (!PointInWindow(point)) {
        if (m_nCurrentSel != kNoBox)
            ChangeSelection(kNoBox, false);
    } else {
        const int index = HitTest(point);
        if (index != kNoBox && index != m_nCurrentSel)
            ChangeSelection(index);
    }
    CWnd::OnMouseMove(flags, point);
}

void CColourPickerPopup::OnLButtonDown(UINT, CPoint point)
{
    m_bButtonDown = TRUE;
    RedrawBox(HitTest(point));
}

void CColourPickerPopup::OnLButtonUp(UINT, CPoint point)
{
    m_bButtonDown = FALSE;
    EndSelection(PointInWindow(point) ? CPN_SELENDOK : CPN_SELENDCANCEL);
}

int CColourPickerPopup::PastLast() const
{
    if (HasCustom())
        return kCustomBox;
    if (HasDefault())
        return kDefaultBox;
    return 0;
}

int CColourPickerPopup::BeforeFirst() const
{
    if (HasDefault())
        return kDefaultBox;
    if (HasCustom())
        return kCustomBox;
    return m_nNumColours - 1;
}

void CColourPickerPopup::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    const int last = m_nNumColours - 1;
    const int current = m_nCurrentSel;
    const int row = Row(current);
    const int column = Column(current);
    int next = kNoBox;
    switch (key) {
    case VK_DOWN:
        if (current == kDefaultBox)
            next = 0;
        else if (current == kCustomBox)
            next = HasDefault() ? kDefaultBox : 0;
        else if (row < 0 || row + 1 >= m_nNumRows)
            next = PastLast();
        else
            next = std::min(current + m_nNumColumns, last);
        break;
    case VK_UP:
        if (current == kDefaultBox)
            next = HasCustom() ? kCustomBox : last;
        else if (current == kCustomBox)
            next = last;
        else if (row <= 0)
            next = BeforeFirst();
        else
            next = current - m_nNumColumns;
        break;
    case VK_RIGHT:
        if (current == kDefaultBox)
            next = 0;
        else if (current == kCustomBox)
            next = HasDefault() ? kDefaultBox : 0;
        else if (current < 0 || current >= last)
            next = PastLast();
        else
            next = current + 1;
        break;
    case VK_LEFT:
        if (current == kDefaultBox)
            next = HasCustom() ? kCustomBox : last;
        else if (current == kCustomBox)
            next = last;
        else if (current <= 0)
            next = BeforeFirst();
        else
            next = current - 1;
        break;
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(CPN_SELENDOK);
        return;
    case VK_ESCAPE:
        m_crColour = m_crInitialColour;
        EndSelection(CPN_SELENDCANCEL);
        return;
    default:
        CWnd::OnKeyDown(key, repeat, flags);
        return;
    }
    (void)column;
    ChangeSelection(next);
}

void CColourPickerPopup::ChangeSelection(int index, bool notify)
{
    if (index >= m_nNumColours)
        index = kCustomBox;
    const int previous = m_nCurrentSel;
    m_nCurrentSel = index;
    RedrawBox(previous);
    if (index == kNoBox)
        return;
    RedrawBox(index);

    if (index == kCustomBox)
        m_crColour = m_crInitialColour;
    else if (index == kDefaultBox)
        m_crColour = m_crDefault;
    else
        m_crColour = kColours[index].colour;
    if (notify && m_pParent != nullptr)
        m_pParent->SendMessage(CPN_SELCHANGE, m_crColour, 0);
}

void CColourPickerPopup::EndSelection(UINT message)
{
    // A click during the colour dialog, or a second key, must not end twice.
    if (m_bEnding)
        return;
    m_bEnding = true;
    ::ReleaseCapture();

    if (message == CPN_SELENDOK && m_nCurrentSel == kCustomBox) {
        CColorDialog dialog(m_crInitialColour & ~kColourPaletteFlag, CC_FULLOPEN | CC_ANYCOLOR, this);
        if (dialog.DoModal() == IDOK)
            m_crColour = dialog.GetColor() | kColourPaletteFlag;
        else
            m_crColour = m_crInitialColour;
    }
    if (message == CPN_SELENDCANCEL)
        m_crColour = m_crInitialColour;

    if (m_pParent != nullptr)
        m_pParent->SendMessage(message, m_crColour, 0);
    DestroyWindow();
}

void CColourPickerPopup::RedrawBox(int index)
{
    if (index == kNoBox || GetSafeHwnd() == nullptr)
        return;
    CRect box = GetBoxRect(index);
    if (box.IsRectEmpty())
        return;
    CClientDC dc(this);
    DrawBox(dc, index);
}

void CColourPickerPopup::OnPaint()
{
    CPaintDC dc(this);
    if (HasDefault())
        DrawBox(dc, kDefaultBox);
    for (int i = 0; i < m_nNumColours; ++i)
        DrawBox(dc, i);
    if (HasCustom())
        DrawBox(dc, kCustomBox);
}

void CColourPickerPopup::DrawBox(CDC& dc, int index)
{
    CRect box = GetBoxRect(index);
    CPalette* oldPalette = nullptr;
    if (m_Palette.GetSafeHandle() != nullptr) {
        oldPalette = dc.SelectPalette(&m_Palette, FALSE);
        dc.RealizePalette();
    }

    const bool hover = index == m_nCurrentSel;
    const bool chosen = index == m_nChosenColourSel;
    if ((hover && m_bButtonDown) || chosen)
        dc.DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    else if (hover)
        dc.DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    else
        dc.Draw3dRect(&box, m_crFace, m_crFace);

    CRect inside = box;
    inside.DeflateRect(1, 1);
    if (chosen && !hover) {
        const COLORREF oldText = dc.SetTextColor(m_crFace);
        const COLORREF oldBack = dc.SetBkColor(m_crHighlight);
        dc.FillRect(&inside, &m_ChosenBrush);
        dc.SetTextColor(oldText);
        dc.SetBkColor(oldBack);
    } else {
        dc.FillSolidRect(&inside, m_crFace);
    }

    CFont* oldFont = dc.SelectObject(&m_Font);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldText = dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    if (index >= 0) {
        CRect swatch = box;
        swatch.DeflateRect(m_nMargin + 1, m_nMargin + 1);
        CBrush frame(m_crShadow);
        dc.FillSolidRect(&swatch, kColours[index].colour);
        dc.FrameRect(&swatch, &frame);
    } else if (index == kDefaultBox) {
        CRect text = box;
        text.DeflateRect(m_nMargin + 1, m_nMargin + 1);
        if (m_bShowDefaultSwatch) {
            CRect swatch(text.left + 2, text.top + 1, text.left + 2 + m_nBoxSize - 2 * m_nMargin - 2,
                         text.bottom - 1);
            CBrush frame(m_crShadow);
            dc.FillSolidRect(&swatch, m_crDefault);
            dc.FrameRect(&swatch, &frame);
            text.left = swatch.right + 2;
        }
        dc.DrawText(m_strDefaultText, &text, kTextFormat);
    } else {
        CRect text = box;
        text.DeflateRect(m_nMargin + 1, m_nMargin + 1);
        dc.DrawText(m_strCustomText, &text, kTextFormat);
    }
    dc.SetTextColor(oldText);
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldFont);
    if (oldPalette != nullptr)
        dc.SelectPalette(oldPalette, FALSE);
}
