// CRichEditCtrl: the system's rich edit control (riched20), with RTF and
// plain text streamed in and out through EDITSTREAM callbacks.
#pragma once

#include <windows.h>
#include <richedit.h>

#include "framework/Wnd.h"

// Pages of a rich edit control laid out by the library: each paragraph
// wrapped at word breaks into lines of its runs' fonts (measured on
// fr->hdcTarget), lines added until the next one would pass fr->rc's bottom.
long AfxFormatRichEditRange(HWND edit, FORMATRANGE* fr, BOOL display);
// Whether the system's control formats pages (EM_FORMATRANGE) itself.
BOOL AfxRichEditFormatsPages();

// Loads the rich edit library once; true when the control class is available.
BOOL AfxInitRichEdit2();
BOOL AfxInitRichEdit();

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // format is SF_RTF or SF_TEXT (with SFF_SELECTION to replace or read the selection only).
    long StreamIn(int format, EDITSTREAM& stream) {
        return static_cast<long>(SendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream)));
    }
    long StreamOut(int format, EDITSTREAM& stream) {
        return static_cast<long>(SendMessage(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream)));
    }
    // The whole text as RTF (or plain text), and back.
    CString GetRTF(int format = SF_RTF);
    void SetRTF(LPCSTR text, int format = SF_RTF);

    // The length as a window text: each paragraph end counts as CR LF.
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    // The length in the control's own character positions (GTL_NUMCHARS |
    // GTL_PRECISE: a paragraph end is one character), the positions that
    // selections and page formatting count in.
    long GetTextLengthEx(DWORD flags = GTL_NUMCHARS | GTL_PRECISE, UINT codePage = CP_ACP) const {
        GETTEXTLENGTHEX how{flags, codePage};
        return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
    }
    void SetSel(long start, long end);
    void GetSel(long& start, long& end) const;
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text)); }
    CString GetSelText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
    COLORREF SetBackgroundColor(BOOL sysColor, COLORREF color) {
        return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, sysColor, color));
    }
    BOOL SetDefaultCharFormat(CHARFORMATA& cf) {
        cf.cbSize = sizeof(cf);
        return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetSelectionCharFormat(CHARFORMATA& cf) {
        cf.cbSize = sizeof(cf);
        return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    DWORD GetSelectionCharFormat(CHARFORMATA& cf) const {
        cf.cbSize = sizeof(cf);
        return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetParaFormat(PARAFORMAT& pf) {
        pf.cbSize = sizeof(pf);
        return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
    }
    void LimitText(long chars = 0) { SendMessage(EM_EXLIMITTEXT, 0, chars); }
    DWORD SetEventMask(DWORD mask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, mask)); }
    DWORD GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }
    BOOL SetTargetDevice(HDC dc, long lineWidth) {
        return static_cast<BOOL>(SendMessage(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(dc), lineWidth));
    }
    // Formats (and, with display, draws) as much of fr->chrg as fits in
    // fr->rc; returns the index of the first character that did not fit. A
    // null fr frees what the control keeps of the last formatting. Where the
    // system's control does not format pages itself, the library lays the text
    // out with the control's own character formats (AfxFormatRichEditRange).
    long FormatRange(FORMATRANGE* fr, BOOL display = TRUE);
    BOOL DisplayBand(LPRECT rect) { return static_cast<BOOL>(SendMessage(EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(rect))); }
    void HideSelection(BOOL hide, BOOL permanent) { SendMessage(EM_HIDESELECTION, hide, permanent); }
    void SetOptions(WORD op, DWORD flags) { SendMessage(EM_SETOPTIONS, op, flags); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }
};
