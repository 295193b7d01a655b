// Answers the program's file dialogs for a test as a user would: the file to
// pick (none cancels), and what the dialog offered.
#pragma once

#include <cstring>
#include <string>

#include "framework/FileDialog.h"

struct FileDialogAnswer {
    static inline std::string pick;
    static inline std::string filter;          // "Name|*.ext|" for each entry
    static inline std::string defaultExtension;
    static inline std::string initialName;
    static inline DWORD flags = 0;
    static inline int shown = 0;

    static INT_PTR Answer(CCommonDialog* pDialog)
    {
        auto* dialog = static_cast<CFileDialog*>(pDialog);
        ++shown;
        defaultExtension = dialog->m_ofn.lpstrDefExt ? dialog->m_ofn.lpstrDefExt : "";
        initialName = dialog->m_ofn.lpstrFile ? dialog->m_ofn.lpstrFile : "";
        filter.clear();
        for (const char* f = dialog->m_ofn.lpstrFilter; f && *f; f += std::strlen(f) + 1)
            filter += std::string(f) + "|";
        flags = dialog->m_ofn.Flags;
        if (pick.empty())
            return IDCANCEL;
        dialog->SetPathName(pick.c_str());
        return IDOK;
    }
};

// The answer in place for as long as this lives.
struct AnsweredFileDialog {
    explicit AnsweredFileDialog(const std::string& path)
    {
        FileDialogAnswer::pick = path;
        previous = AfxSetCommonDialogHook(&FileDialogAnswer::Answer);
    }
    ~AnsweredFileDialog() { AfxSetCommonDialogHook(previous); }
    AnsweredFileDialog(const AnsweredFileDialog&) = delete;
    AnsweredFileDialog& operator=(const AnsweredFileDialog&) = delete;
    AfxCommonDialogHook previous = nullptr;
};
