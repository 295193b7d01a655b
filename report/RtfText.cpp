#include "report/RtfText.h"

CString EscapeRtfText(LPCSTR text) {
    CString out;
    if (text == nullptr) return out;
    static const char kHex[] = "0123456789abcdef";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        const unsigned char c = *p;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x20) {
            out += ' ';
        } else if (c >= 0x80) {
            out += "\\'";
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
