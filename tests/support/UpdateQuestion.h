// Start-up asks once whether to check for updates automatically. Programs
// that start the application answer it beforehand, as an earlier run would
// have: "no", so that no check starts either.
#pragma once

#include <windows.h>

inline void AnswerUpdateQuestionNo()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Brevantics\\Clastor", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD no = 0;
    ::RegSetValueExA(key, "CheckWebAutomatic", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&no), sizeof(no));
    ::RegCloseKey(key);
}
