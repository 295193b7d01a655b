#include "app/PromptText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "res/resource.h"

namespace {

// Prompt codes whose text has a string id of its own; the others are stored
// under their code.
struct PromptString {
    int code;
    UINT id;
};
const PromptString kPromptStrings[] = {
    {1000, IDS_BLANK}, {1001, 12028}, {1002, 12047}, {1003, 12048}, {1004, 12049}, {1005, 12026},
    {1006, 12027},     {1007, 12022}, {1008, 12024}, {1009, 12031}, {1010, 12024}, {1011, 12025},
    {1012, 12025},     {1013, 12023}, {1014, 12046}, {1015, 12013}, {1017, 12015}, {1018, 12016},
    {1019, 12018},     {1020, 12017}, {1021, 12053}, {1022, 12063}, {1023, 12058}, {1024, 12059},
    {1025, 12063},     {1026, 12067},
};

bool IsNumberText(const std::string& s) {
    size_t i = 0, n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        size_t exp = 0;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++exp;
        if (exp == 0) return false;
    }
    return i == n;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool ReadNumber(const std::string& field, double& value) {
    std::string t = Trim(field);
    if (!IsNumberText(t)) return false;
    value = std::strtod(t.c_str(), nullptr);
    return std::isfinite(value);
}

} // namespace

CString GetPromptText(int code) {
    UINT id = 0;
    for (const PromptString& p : kPromptStrings)
        if (p.code == code) id = p.id;
    if (id == 0) {
        bool own = code == 1016 || (code >= 1027 && code <= 1048) || (code >= 1240 && code <= 1243) ||
                   (code >= 1250 && code <= 1256);
        if (own) id = static_cast<UINT>(code);
    }
    CString text;
    if (id != 0) text.LoadString(id);
    return text;
}

BOOL ParsePoint(const char* text, double& x, double& y) {
    if (text == nullptr) return FALSE;
    std::string s = Trim(text);
    std::string first, second;
    size_t sep = s.find_first_of(",;");
    if (sep != std::string::npos) {
        first = s.substr(0, sep);
        second = s.substr(sep + 1);
    } else {
        size_t gap = s.find_first_of(" \t");
        if (gap == std::string::npos) return FALSE;
        first = s.substr(0, gap);
        second = s.substr(gap);
    }
    double a = 0, b = 0;
    if (!ReadNumber(first, a) || !ReadNumber(second, b)) return FALSE;
    x = a;
    y = b;
    return TRUE;
}
