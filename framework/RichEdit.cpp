#include "framework/RichEdit.h"

#include <string>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AfxInitRichEdit2() {
    // Loaded once and kept: the control class lives in the library.
    static HMODULE library = ::LoadLibraryA("riched20.dll");
    return library != nullptr;
}

BOOL AfxInitRichEdit() { return AfxInitRichEdit2(); }

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!AfxInitRichEdit2()) return FALSE;
    return CWnd::Create("RichEdit20A", nullptr, style, rect, parent, id);
}

namespace {

struct StreamBuffer {
    std::string data;
    size_t read = 0;
};

DWORD CALLBACK ReadFromBuffer(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* source = reinterpret_cast<StreamBuffer*>(cookie);
    size_t n = std::min(static_cast<size_t>(count), source->data.size() - source->read);
    memcpy(buffer, source->data.data() + source->read, n);
    source->read += n;
    *done = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteToBuffer(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    reinterpret_cast<StreamBuffer*>(cookie)->data.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
    *done = count;
    return 0;
}

} // namespace

CString CRichEditCtrl::GetRTF(int format) {
    StreamBuffer buffer;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, WriteToBuffer};
    StreamOut(format, stream);
    return CString(buffer.data.data(), static_cast<int>(buffer.data.size()));
}

void CRichEditCtrl::SetRTF(LPCSTR text, int format) {
    StreamBuffer buffer;
    buffer.data = text ? text : "";
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, ReadFromBuffer};
    StreamIn(format, stream);
}

void CRichEditCtrl::SetSel(long start, long end) {
    CHARRANGE range{start, end};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void CRichEditCtrl::GetSel(long& start, long& end) const {
    CHARRANGE range{};
    SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    start = range.cpMin;
    end = range.cpMax;
}

CString CRichEditCtrl::GetSelText() const {
    long start = 0, end = 0;
    GetSel(start, end);
    CString text;
    if (end <= start) return text;
    SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.GetBuffer(end - start + 1)));
    text.ReleaseBuffer();
    return text;
}
