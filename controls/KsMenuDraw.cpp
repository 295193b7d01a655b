// Measuring and drawing of KsMenu items, in the classic and the flat look.
#include <algorithm>
#include <memory>

#include "controls/KsMenu.h"
#include "controls/KsMenuSupport.h"
#include "controls/MemoryDC.h"
#include "framework/DC.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

void FrameWith(CDC* dc, const CRect& r, COLORREF c) { dc->Draw3dRect(&r, c, c); }

// Which picture an item shows: its own, or the shared one of its command.
struct ItemImage {
    CImageList* list = nullptr;
    int index = -1;
    bool effects = false;
};

} // namespace

void KsMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    auto* d = reinterpret_cast<KsMenuItemData*>(lpMIS->itemData);
    if (d == nullptr) return;
    bool xp = IsXPStyle() != FALSE;
    int margin = xp ? 7 : 4;
    if (d->m_nFlags & MF_SEPARATOR) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = xp ? 3 : std::max((s_nIconHeight + margin) / 2, ::GetSystemMetrics(SM_CYMENU) / 2);
        return;
    }
    HFONT font = ksmenu::CreateMenuFont();
    HWND wnd = ksmenu::MainWindowOrDesktop();
    HDC dc = ::GetDC(wnd);
    HGDIOBJ old = HasNewShell() ? ::SelectObject(dc, font) : nullptr;
    int textWidth = 0;
    const wchar_t* text = d->m_szText != nullptr ? d->m_szText : L"";
    if (s_nWindowsVersion != 0) {
        SIZE sz{0, 0};
        ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &sz);
        textWidth = sz.cx;
    } else {
        RECT r{0, 0, 0, 0};
        ::DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        int w = r.right - r.left + 3;
        int n = std::max(1, lstrlenW(text));
        textWidth = w + 3 * (w / n);
    }
    if (old != nullptr) ::SelectObject(dc, old);
    ::ReleaseDC(wnd, dc);
    ::DeleteObject(font);
    lpMIS->itemWidth = xp ? s_nIconWidth + margin + textWidth + 8 : s_nIconWidth + textWidth + s_nIconWidth + 1;
    lpMIS->itemHeight = std::max(::GetSystemMetrics(SM_CYMENU), s_nIconHeight + margin);
}

void KsMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS == nullptr || lpDIS->itemData == 0) return;
    if ((::GetDeviceCaps(lpDIS->hDC, RASTERCAPS) & RC_PALETTE) || !IsXPThemed()) DrawItemClassic(lpDIS);
    else DrawItemXP(lpDIS);
}

void KsMenu::DrawItemText(CDC* pDC, CRect rect, const CString& text, COLORREF colour) {
    if (text.IsEmpty()) return;
    int firstTab = text.Find('\t');
    CString label = firstTab >= 0 ? text.Left(firstTab) : text;
    CString accel;
    if (firstTab >= 0) {
        accel = text.Mid(text.ReverseFind('\t') + 1);
        rect.right -= s_nIconWidth;
    }
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColour = pDC->SetTextColor(colour);
    pDC->DrawText(label, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (firstTab >= 0) pDC->DrawText(accel, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
}

void KsMenu::DrawCheckMark(CDC* pDC, int x, int y, COLORREF colour) {
    CPen pen(PS_SOLID, 1, colour);
    CGdiObject* old = pDC->SelectObject(&pen);
    static const int a[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int k = 0; k < 7; ++k) {
        pDC->MoveTo(x + k, y + a[k]);
        pDC->LineTo(x + k, y + a[k] + 3);
    }
    pDC->SelectObject(old);
}

void KsMenu::DrawRadioBullet(CDC* pDC, int x, int y, COLORREF colour) {
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    CGdiObject* oldBrush = pDC->SelectObject(&brush);
    CGdiObject* oldPen = pDC->SelectObject(&pen);
    pDC->Ellipse(x, y, x + 6, y + 6);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void KsMenu::DrawCheckBoxClassic(CDC* pDC, CRect box, BOOL selected, BOOL bullet) {
    COLORREF fill = ::GetSysColor(IsXPThemed() ? COLOR_BTNFACE : COLOR_MENU);
    if (!selected) fill = LightenColor(fill, 0.6);
    pDC->FillSolidRect(&box, fill);
    if (HasNewShell()) pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    if (bullet) DrawRadioBullet(pDC, box.left + 5, box.top + 4, text);
    else DrawCheckMark(pDC, box.left + 4, box.top + 4, text);
}

void KsMenu::DrawCheckBoxXP(CDC* pDC, CRect box, BOOL bullet, COLORREF hl, BOOL selected) {
    pDC->FillSolidRect(&box, LightenColor(hl, selected ? 0.55 : 0.85));
    FrameWith(pDC, box, hl);
    int x = box.left + (box.Width() < 6 ? 0 : box.Width() / 2 - 3);
    int y = box.top + (box.Height() < 6 ? 0 : box.Height() / 2 - 3);
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    if (bullet) DrawRadioBullet(pDC, x, y, text);
    else DrawCheckMark(pDC, x, y, text);
}

void KsMenu::DrawEmbossedBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap, COLORREF background) {
    CDC work;
    work.CreateCompatibleDC(pDC);
    CGdiObject* oldWork = work.SelectObject(&bitmap);
    CDC maskDC;
    maskDC.CreateCompatibleDC(pDC);
    CBitmap mask;
    mask.CreateBitmap(width, height, 1, 1, nullptr);
    CGdiObject* oldMask = maskDC.SelectObject(&mask);
    maskDC.PatBlt(0, 0, width, height, WHITENESS);
    // Face- and highlight-coloured pixels white, all others black.
    work.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    maskDC.BitBlt(0, 0, width, height, &work, 0, 0, SRCCOPY);
    work.SetBkColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    maskDC.BitBlt(0, 0, width, height, &work, 0, 0, SRCPAINT);
    work.FillSolidRect(0, 0, width, height, background);
    work.SetBkColor(RGB(0, 0, 0));
    work.SetTextColor(RGB(255, 255, 255));
    CBrush light(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CGdiObject* oldBrush = work.SelectObject(&light);
    work.BitBlt(0, 0, width, height, &maskDC, 0, 0, 0xE20746);
    pDC->BitBlt(x + 1, y + 1, width, height, &work, 0, 0, SRCCOPY);
    work.BitBlt(1, 1, width, height, &maskDC, 0, 0, 0xE20746);
    CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
    work.SelectObject(&shadow);
    work.BitBlt(0, 0, width, height, &maskDC, 0, 0, 0xE20746);
    pDC->BitBlt(x, y, width, height, &work, 0, 0, SRCCOPY);
    work.SelectObject(oldBrush);
    maskDC.SelectObject(oldMask);
    work.SelectObject(oldWork);
}

void KsMenu::DrawGreyedBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap, COLORREF background) {
    MakeGreyedBitmap(bitmap, background);
    CDC work;
    work.CreateCompatibleDC(pDC);
    CGdiObject* old = work.SelectObject(&bitmap);
    pDC->BitBlt(x, y, width, height, &work, 0, 0, SRCCOPY);
    work.SelectObject(old);
}

void KsMenu::DrawItemClassic(LPDRAWITEMSTRUCT lpDIS) {
    auto* d = reinterpret_cast<KsMenuItemData*>(lpDIS->itemData);
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    CRect item(lpDIS->rcItem);
    COLORREF bg = ::GetSysColor(IsXPThemed() ? COLOR_BTNFACE : COLOR_MENU);
    int L = item.left, T = item.top, R = item.right, B = item.bottom, H = item.Height();
    if (d->m_nFlags & MF_SEPARATOR) {
        dc->FillSolidRect(&item, bg);
        CRect line(L, T + H / 2, R, B);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL grayed = (lpDIS->itemState & ODS_GRAYED) != 0;
    BOOL checked = (lpDIS->itemState & ODS_CHECKED) != 0;
    ItemImage img;
    if (d->m_nBitmapId >= 0 && d->m_pImageList != nullptr) {
        img.list = d->m_pImageList;
        img.index = d->m_nImageIndex;
    } else if (d->m_nGlobalImage >= 0 && s_SharedImages.m_hImageList != nullptr) {
        img.list = &s_SharedImages;
        img.index = d->m_nGlobalImage;
    }
    bool hasImage = img.list != nullptr && img.index >= 0;
    bool hot = hasImage && selected && !grayed;
    COLORREF textColour = ::GetSysColor(COLOR_MENUTEXT);
    if (selected) {
        CRect bar = (hasImage || checked) ? CRect(L + s_nIconWidth + 5, T, R, B) : item;
        dc->FillSolidRect(&bar, ::GetSysColor(COLOR_HIGHLIGHT));
        textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        dc->FillSolidRect(&item, bg);
        FrameWith(dc, item, bg);
    }
    int v = std::max(0, (H - s_nIconHeight - 4) / 2);
    CRect iconBox(L, T + v, L + s_nIconWidth + 4, T + v + s_nIconHeight + 4);
    CPoint at(L + 2, T + v + 2);
    if (hasImage) {
        CRect small(L + 1, T + v + 1, L + s_nIconWidth + 3, T + v + s_nIconHeight + 3);
        FrameWith(dc, small, bg);
        if (hot) {
            dc->FillSolidRect(&small, bg);
            if (HasNewShell()) {
                if (checked) dc->Draw3dRect(&iconBox, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
                else dc->Draw3dRect(&iconBox, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            }
            ::ImageList_Draw(*img.list, img.index, dc->m_hDC, at.x, at.y, ILD_TRANSPARENT);
        } else if (!grayed) {
            if (checked) {
                dc->FillSolidRect(&small, LightenColor(bg, 0.6));
                if (HasNewShell())
                    dc->Draw3dRect(&iconBox, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            } else {
                dc->FillSolidRect(&small, bg);
                FrameWith(dc, iconBox, bg);
            }
            ::ImageList_Draw(*img.list, img.index, dc->m_hDC, at.x, at.y, ILD_TRANSPARENT);
        } else {
            CBitmap bitmap;
            GetIconBitmap(dc, img.list, img.index, bitmap);
            FrameWith(dc, iconBox, bg);
            if (s_bUnmappedBitmaps) DrawGreyedBitmap(dc, at.x, at.y, s_nIconWidth, s_nIconHeight, bitmap, bg);
            else DrawEmbossedBitmap(dc, at.x, at.y, s_nIconWidth, s_nIconHeight, bitmap, bg);
        }
    } else if (checked) {
        CRect box(L + 1, T + v + 2, L + s_nIconWidth + 1, T + v + s_nIconHeight + 2);
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_CHECKMARKS;
        ::GetMenuItemInfoA(reinterpret_cast<HMENU>(lpDIS->hwndItem), lpDIS->itemID, FALSE, &info);
        DrawCheckBoxClassic(dc, box, selected, info.hbmpChecked != nullptr);
    }
    CRect textRect(L + s_nIconWidth + 9, T - 1, R, B - 1);
    CString text = d->GetText();
    if (!grayed) {
        DrawItemText(dc, textRect, text, textColour);
    } else if (selected) {
        DrawItemText(dc, textRect, text, bg);
    } else {
        CRect shifted(textRect);
        shifted.OffsetRect(1, 1);
        DrawItemText(dc, shifted, text, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawItemText(dc, textRect, text, ::GetSysColor(COLOR_GRAYTEXT));
    }
}

void KsMenu::DrawItemXP(LPDRAWITEMSTRUCT lpDIS) {
    auto* d = reinterpret_cast<KsMenuItemData*>(lpDIS->itemData);
    CDC* target = CDC::FromHandle(lpDIS->hDC);
    CRect item(lpDIS->rcItem);
    UINT state = lpDIS->itemState;
    BOOL grayed = (state & ODS_GRAYED) != 0;
    if (grayed) state &= ~ODS_SELECTED;
    std::unique_ptr<MemoryDC> memory;
    HFONT font = nullptr;
    HGDIOBJ oldFont = nullptr;
    CDC* dc = target;
    if (grayed) {
        memory = std::make_unique<MemoryDC>(target, item);
        dc = memory.get();
        font = ksmenu::CreateMenuFont();
        oldFont = ::SelectObject(dc->m_hDC, font);
    }
    COLORREF col = ::GetSysColor(COLOR_BTNFACE);
    COLORREF bg = DarkenColor(::GetSysColor(COLOR_WINDOW), 0.02);
    COLORREF hl = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF sel = LightenColor(hl, 0.7);
    int W = s_nIconWidth + 7;
    int L = item.left, T = item.top, R = item.right, B = item.bottom, H = item.Height();
    CRect column(L, T, L + W, B);
    if (d->m_nFlags & MF_SEPARATOR) {
        dc->FillSolidRect(&item, bg);
        CRect line(L + W + 7, T + H / 2, R, B);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        dc->FillSolidRect(&column, col);
        FrameWith(dc, column, col);
    } else {
        BOOL selected = (state & ODS_SELECTED) != 0;
        BOOL checked = (state & ODS_CHECKED) != 0;
        if (selected) {
            dc->FillSolidRect(&item, sel);
            FrameWith(dc, item, hl);
        } else {
            dc->FillSolidRect(&item, bg);
            dc->FillSolidRect(&column, col);
            FrameWith(dc, item, bg);
            FrameWith(dc, column, col);
        }
        ItemImage img;
        if (d->m_nBitmapId >= 0 && d->m_pImageList != nullptr) {
            img.list = d->m_pImageList;
            img.index = d->m_nImageIndex;
            img.effects = img.index == 0 && ::ImageList_GetImageCount(*img.list) > 2;
        } else if (d->m_nGlobalImage >= 0 && s_SharedImages.m_hImageList != nullptr) {
            img.list = &s_SharedImages;
            img.index = d->m_nGlobalImage;
            img.effects = HasEffectImages(img.index) != FALSE;
        }
        bool hasImage = img.list != nullptr && img.index >= 0;
        bool hot = hasImage && selected && !grayed;
        int v = std::max(0, static_cast<int>((H - s_nIconHeight) / 2.0 + 0.5));
        int h = std::max(0, static_cast<int>((W - s_nIconWidth) / 2.0 + 0.5));
        CRect cell(L + 1, T + 1, L + W - 2, B - 1);
        CPoint p(L + h, T + v);
        if (hasImage) {
            if (hot) {
                if (checked) {
                    dc->FillSolidRect(&cell, LightenColor(hl, 0.55));
                    FrameWith(dc, cell, hl);
                    p.Offset(-1, -1);
                } else {
                    dc->FillSolidRect(&cell, sel);
                }
                if (img.effects && !checked) {
                    ::ImageList_Draw(*img.list, img.index + 2, dc->m_hDC, p.x + 1, p.y + 1, ILD_TRANSPARENT);
                    ::ImageList_Draw(*img.list, img.index, dc->m_hDC, p.x - 1, p.y - 1, ILD_TRANSPARENT);
                } else {
                    ::ImageList_Draw(*img.list, img.index, dc->m_hDC, p.x, p.y, ILD_TRANSPARENT);
                }
            } else if (!grayed) {
                if (checked) {
                    dc->FillSolidRect(&cell, LightenColor(hl, 0.85));
                    FrameWith(dc, cell, hl);
                    ::ImageList_Draw(*img.list, img.index, dc->m_hDC, p.x - 1, p.y - 1, ILD_TRANSPARENT);
                } else {
                    dc->FillSolidRect(&cell, col);
                    FrameWith(dc, cell, col);
                    ::ImageList_Draw(*img.list, img.effects ? img.index + 1 : img.index, dc->m_hDC, p.x, p.y,
                                     ILD_TRANSPARENT);
                }
            } else if (img.effects) {
                ::ImageList_Draw(*img.list, img.index + 3, dc->m_hDC, p.x, p.y, ILD_TRANSPARENT);
            } else {
                CBitmap bitmap;
                GetIconBitmap(dc, img.list, img.index, bitmap);
                DrawEmbossedBitmap(dc, p.x, p.y, s_nIconWidth, s_nIconHeight, bitmap, col);
            }
        } else if (checked) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_CHECKMARKS;
            ::GetMenuItemInfoA(reinterpret_cast<HMENU>(lpDIS->hwndItem), lpDIS->itemID, FALSE, &info);
            DrawCheckBoxXP(dc, cell, info.hbmpChecked != nullptr, hl, selected);
        }
        CRect textRect(L + W + 8, T - 1, R, B - 1);
        DrawItemText(dc, textRect, d->GetText(), ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    }
    if (grayed) {
        ::SelectObject(dc->m_hDC, oldFont);
        ::DeleteObject(font);
        memory.reset();
    }
}
