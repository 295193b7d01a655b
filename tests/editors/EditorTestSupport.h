// Driving the editor dialogs as a user would: a script runs once the dialog
// shows and types, clicks and chooses rows; message boxes are recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editors/EditorDialog.h"
#include "editors/ModelDialogs.h"
#include "model/DocumentFixture.h"

namespace editing {

inline std::function<void(CDialog&)>& Script()
{
    static std::function<void(CDialog&)> script;
    return script;
}

inline void RunScript(CDialog& dialog)
{
    if (Script())
        Script()(dialog);
}

inline std::string TextOf(CDialog& d, int id)
{
    char buffer[512] = {};
    ::GetDlgItemTextA(d.m_hWnd, id, buffer, sizeof buffer);
    return buffer;
}

inline void Type(CDialog& d, int id, const char* text) { ::SetDlgItemTextA(d.m_hWnd, id, text); }

inline void Click(CDialog& d, int id) { ::SendMessageA(::GetDlgItem(d.m_hWnd, id), BM_CLICK, 0, 0); }

inline bool Enabled(CDialog& d, int id) { return ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, id)) != 0; }

inline bool Checked(CDialog& d, int id) { return ::IsDlgButtonChecked(d.m_hWnd, id) == BST_CHECKED; }

inline bool ReadOnly(CDialog& d, int id)
{
    return (::GetWindowLongA(::GetDlgItem(d.m_hWnd, id), GWL_STYLE) & ES_READONLY) != 0;
}

inline int ListCount(CDialog& d, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(d.m_hWnd, id, LB_GETCOUNT, 0, 0));
}

inline int ListSelection(CDialog& d, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(d.m_hWnd, id, LB_GETCURSEL, 0, 0));
}

inline std::string ListText(CDialog& d, int id, int row)
{
    char buffer[256] = {};
    ::SendDlgItemMessageA(d.m_hWnd, id, LB_GETTEXT, row, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// A click on a list row: the selection moves, then the dialog hears of it.
inline void Choose(CDialog& d, int id, int row)
{
    HWND list = ::GetDlgItem(d.m_hWnd, id);
    ::SendMessageA(list, LB_SETCURSEL, row, 0);
    ::SendMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline void ChooseName(CDialog& d, int id, const char* name)
{
    const int row = static_cast<int>(
        ::SendDlgItemMessageA(d.m_hWnd, id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(name)));
    ASSERT_GE(row, 0) << name;
    Choose(d, id, row);
}

inline std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT); data != nullptr) {
        if (const char* p = static_cast<const char*>(::GlobalLock(data)); p != nullptr) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

// Installs the program's dialogs and the script for one run of a dialog.
struct Editing {
    explicit Editing(std::function<void(CDialog&)> script)
    {
        Script() = std::move(script);
        CEditorDialog::s_script = &RunScript;
        previous = InstallSlopeViewServices(&dialogs);
    }
    ~Editing()
    {
        InstallSlopeViewServices(previous == &dialogs ? nullptr : previous);
        CEditorDialog::s_script = nullptr;
        Script() = nullptr;
    }
    CModelDialogServices dialogs;
    CSlopeViewServices* previous = nullptr;
    MessageBoxRecorder boxes;
};

} // namespace editing
