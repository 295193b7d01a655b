#include "framework/Ole.h"

#include <ole2.h>

namespace {

struct OleSession {
    bool started = false;
    ~OleSession() {
        if (started) ::OleUninitialize();
    }
};

OleSession& Session() {
    static OleSession session;
    return session;
}

} // namespace

BOOL AfxOleInit() {
    OleSession& s = Session();
    if (s.started) return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr)) return FALSE;
    s.started = true;
    return TRUE;
}
