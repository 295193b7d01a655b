#include "app/PercentEncoding.h"

#include <cstring>

CString PercentEncode(LPCSTR text, LPCSTR plainPunctuation) {
    static const char kHex[] = "0123456789ABCDEF";
    CString out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        const unsigned char c = *p;
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           std::strchr(plainPunctuation, c) != nullptr;
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}
