#include "app/WorkingDirectory.h"

#include <direct.h>

#include <cstring>

namespace {
const char kSaveDirKey[] = "Software\\Brevantics\\Clastor\\SaveDir";
}

void StoreWorkingDirectory() {
    char dir[MAX_PATH] = {};
    if (_getcwd(dir, MAX_PATH) == nullptr) return;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSaveDirKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &key, &disposition) != ERROR_SUCCESS)
        return;
    // The text and its terminator only: the rest of the buffer is no part of the value.
    ::RegSetValueExA(key, "CurDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir),
                     static_cast<DWORD>(std::strlen(dir) + 1));
    ::RegCloseKey(key);
}

BOOL ReadSaveDirectory() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSaveDirKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return FALSE;
    char dir[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH, type = 0;
    BOOL changed = FALSE;
    if (::RegQueryValueExA(key, "CurDir", nullptr, &type, reinterpret_cast<BYTE*>(dir), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        // A stored value need not end in a terminator.
        dir[size < MAX_PATH ? size : MAX_PATH] = '\0';
        if (dir[0] != '\0' && _chdir(dir) == 0) changed = TRUE;
    }
    ::RegCloseKey(key);
    return changed;
}
