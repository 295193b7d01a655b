// The standard controls: static texts, buttons, edits, list boxes, combo
// boxes and the check list box. Thin wrappers over their messages; the
// owner-drawn kinds get their draw, measure, compare and delete requests
// through virtual functions, reflected from the parent.
#pragma once

#include <memory>
#include <unordered_map>

#include "framework/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
        return CWnd::Create("STATIC", text, style, rect, parent, id);
    }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("BUTTON", text, style, rect, parent, id);
    }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, check); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HICON SetIcon(HICON icon) {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    // An owner-drawn button (BS_OWNERDRAW) draws itself here.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("EDIT", nullptr, style, rect, parent, id);
    }
    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
    void GetSel(int& start, int& end) const {
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    }
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        SendMessage(EM_SETSEL, start, end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(int chars = 0) { SendMessage(EM_LIMITTEXT, chars); }
    void SetLimitText(UINT chars) { SendMessage(EM_SETLIMITTEXT, chars); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, line)); }
    int LineLength(int index = -1) const { return static_cast<int>(SendMessage(EM_LINELENGTH, index)); }
    int LineFromChar(int index = -1) const { return static_cast<int>(SendMessage(EM_LINEFROMCHAR, index)); }
    int GetLine(int index, LPSTR buffer, int maxLength) const;
    void LineScroll(int lines, int chars = 0) { SendMessage(EM_LINESCROLL, chars, lines); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
    void SetPasswordChar(char ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<BYTE>(ch)); }
    void SetMargins(UINT left, UINT right) { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
    int GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, index)); }
    int SetSel(int index, BOOL select = TRUE) { return static_cast<int>(SendMessage(LB_SETSEL, select, index)); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int maxItems, LPINT items) const {
        return static_cast<int>(SendMessage(LB_GETSELITEMS, maxItems, reinterpret_cast<LPARAM>(items)));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, index)); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, index)); }
    int SetItemData(int index, DWORD_PTR data) { return static_cast<int>(SendMessage(LB_SETITEMDATA, index, static_cast<LPARAM>(data))); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int GetItemRect(int index, LPRECT rect) const {
        return static_cast<int>(SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
    }
    int GetText(int index, LPSTR buffer) const {
        return static_cast<int>(SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, index)); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, index)); }
    int SetItemHeight(int index, UINT height) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, index, height)); }
    int GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
    int SetCaretIndex(int index, BOOL scroll = TRUE) { return static_cast<int>(SendMessage(LB_SETCARETINDEX, index, scroll)); }
    void SetHorizontalExtent(int extent) { SendMessage(LB_SETHORIZONTALEXTENT, extent); }
    int AddString(LPCSTR text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, LPCSTR text) {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int startAfter, LPCSTR text) const {
        return static_cast<int>(SendMessage(LB_FINDSTRING, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int FindStringExact(int startAfter, LPCSTR text) const {
        return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int startAfter, LPCSTR text) {
        return static_cast<int>(SendMessage(LB_SELECTSTRING, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int SelItemRange(BOOL select, int first, int last) {
        return static_cast<int>(SendMessage(LB_SELITEMRANGEEX, select ? first : last, select ? last : first));
    }
    UINT ItemFromPoint(CPoint pt, BOOL& outside) const;

    // Owner-drawn list boxes.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) {}

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELONG(start, end))); }
    BOOL LimitText(int chars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, chars)); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, index)); }
    int SetItemData(int index, DWORD_PTR data) { return static_cast<int>(SendMessage(CB_SETITEMDATA, index, static_cast<LPARAM>(data))); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int GetLBText(int index, LPSTR buffer) const {
        return static_cast<int>(SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index)); }
    int SetItemHeight(int index, UINT height) { return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, index, height)); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, index)); }
    int SetDroppedWidth(UINT width) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width)); }
    int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    void GetDroppedControlRect(LPRECT rect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    int SetExtendedUI(BOOL extended = TRUE) { return static_cast<int>(SendMessage(CB_SETEXTENDEDUI, extended)); }
    int AddString(LPCSTR text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, LPCSTR text) {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int startAfter, LPCSTR text) const {
        return static_cast<int>(SendMessage(CB_FINDSTRING, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int FindStringExact(int startAfter, LPCSTR text) const {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int startAfter, LPCSTR text) {
        return static_cast<int>(SendMessage(CB_SELECTSTRING, startAfter, reinterpret_cast<LPARAM>(text)));
    }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }

    // Owner-drawn combo boxes.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT) {}

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A list box whose items carry check boxes. It must be owner-drawn with
// strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS). A click on a box (or the
// space bar) toggles it and sends CLBN_CHKCHANGE to the parent. The program's
// item data stays available through GetItemData/SetItemData.
class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;
    ~CCheckListBox() override;

    void SetCheckStyle(UINT style) { m_nStyle = style; }
    UINT GetCheckStyle() const { return m_nStyle; }
    void SetCheck(int index, int check);
    int GetCheck(int index) const;
    void Enable(int index, BOOL enabled = TRUE);
    BOOL IsEnabled(int index) const;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    void DeleteItem(LPDELETEITEMSTRUCT dis) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    struct ItemState {
        DWORD_PTR userData = 0;
        int check = 0;
        BOOL enabled = TRUE;
    };
    ItemState* State(int index) const;
    CRect CheckRect(const RECT& item) const;
    void Toggle(int index);

    UINT m_nStyle = BS_AUTOCHECKBOX;
    // Owned here, so that none is lost when the list box goes without telling
    // its parent about each item.
    std::unordered_map<ItemState*, std::unique_ptr<ItemState>> m_records;
};
