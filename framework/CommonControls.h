// Wrappers of the common controls the windows use: spin buttons (with
// 32-bit ranges), sliders, progress bars, tree controls, tool tips and tabs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ImageList.h"
#include "framework/StdControls.h"
#include "framework/Wnd.h"

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(UPDOWN_CLASSA, nullptr, style, rect, parent, id);
    }
    CWnd* SetBuddy(CWnd* buddy) {
        return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->GetSafeHwnd()))));
    }
    CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
    int SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, base)); }
    BOOL SetAccel(int count, UDACCEL* accel) {
        return static_cast<BOOL>(SendMessage(UDM_SETACCEL, count, reinterpret_cast<LPARAM>(accel)));
    }
    void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, lower, upper); }
    DWORD GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
    void GetRange32(int& lower, int& upper) const {
        SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    }
    int SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
    int SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
    int GetPos32(BOOL* error = nullptr) const {
        return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
    }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(TRACKBAR_CLASSA, nullptr, style, rect, parent, id);
    }
    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMIN, FALSE, minPos); SendMessage(TBM_SETRANGEMAX, redraw, maxPos); }
    void GetRange(int& minPos, int& maxPos) const { minPos = GetRangeMin(); maxPos = GetRangeMax(); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void SetRangeMin(int minPos, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMIN, redraw, minPos); }
    void SetRangeMax(int maxPos, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMAX, redraw, maxPos); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
    int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
    int SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    void SetTicFreq(int freq) { SendMessage(TBM_SETTICFREQ, freq); }
    BOOL SetTic(int pos) { return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, pos)); }
    void ClearTics(BOOL redraw = FALSE) { SendMessage(TBM_CLEARTICS, redraw); }
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(PROGRESS_CLASSA, nullptr, style, rect, parent, id);
    }
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, lower, upper); }
    void GetRange(int& lower, int& upper) const {
        PBRANGE range{};
        SendMessage(PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
        lower = range.iLow;
        upper = range.iHigh;
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    int OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, delta)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, step)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_TREEVIEWA, nullptr, style, rect, parent, id);
    }
    HTREEITEM InsertItem(LPTVINSERTSTRUCTA insert) {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(insert)));
    }
    HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item) { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM item, UINT code) { return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item))); }
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL Select(HTREEITEM item, UINT code) { return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item))); }
    BOOL EnsureVisible(HTREEITEM item) { return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL GetItem(TVITEMA* item) const { return static_cast<BOOL>(SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(TVITEMA* item) { return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCSTR text);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    UINT GetItemState(HTREEITEM item, UINT mask) const {
        return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    }
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    // With TVS_CHECKBOXES: the state image 2 is checked, 1 unchecked.
    BOOL GetCheck(HTREEITEM item) const { return ((GetItemState(item, TVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
    BOOL SetCheck(HTREEITEM item, BOOL check = TRUE) { return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), TVIS_STATEIMAGEMASK); }
    BOOL ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    HTREEITEM HitTest(CPoint pt, UINT* flags = nullptr) const;
    UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
    UINT GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT)); }
    void SetIndent(UINT indent) { SendMessage(TVM_SETINDENT, indent); }
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(UINT kind) const;
    CEdit* EditLabel(HTREEITEM item);
};

// A tool tip control: tools are windows or rectangles of a window; a tool
// whose text is LPSTR_TEXTCALLBACK asks its window for the text (TTN_NEEDTEXT).
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL AddTool(CWnd* wnd, LPCSTR text = LPSTR_TEXTCALLBACK, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // Passes a mouse message of a tool's window on, so the tip knows where the mouse is.
    void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    int GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
    void SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, delay); }
    void SetDelayTime(DWORD which, int time) { SendMessage(TTM_SETDELAYTIME, which, MAKELONG(time, 0)); }
    int GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }
    void SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
    void SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
    COLORREF GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }

private:
    void FillToolInfo(TTTOOLINFOA& info, CWnd* wnd, UINT_PTR toolId) const;
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_TABCONTROLA, nullptr, style, rect, parent, id);
    }
    LONG InsertItem(int index, LPCSTR text);
    LONG InsertItem(int index, TCITEMA* item) {
        return static_cast<LONG>(SendMessage(TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(item)));
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, index)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, index)); }
    BOOL GetItem(int index, TCITEMA* item) const {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(item)));
    }
    BOOL GetItemRect(int index, LPRECT rect) const {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
    }
    void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
    CImageList* SetImageList(CImageList* list);
};
