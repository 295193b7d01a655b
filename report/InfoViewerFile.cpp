// Saving the report: rich text (always the whole report) or plain text (the
// selection, or the whole report without one). The file is written beside its
// place under a temporary name and takes the place of the old one only when
// complete, so a failed save never leaves a half-written report behind.
#include "report/InfoViewer.h"

#include <algorithm>
#include <string>

#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"

namespace {

DWORD CALLBACK AppendToString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb) {
    try {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(cb));
    } catch (...) {
        *pcb = 0;
        return 1;  // out of memory: the control stops streaming
    }
    *pcb = cb;
    return 0;
}

CString SystemMessage(DWORD error) {
    char text[512] = {};
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                         sizeof(text), nullptr) == 0)
        return CString();
    CString message(text);
    message.TrimRight();
    return message;
}

// Writes data to a new file beside path and then puts it in path's place.
// Returns 0 on success, else the system's error.
DWORD ReplaceFileWith(LPCSTR path, const std::string& data) {
    CString folder(path);
    const int slash = std::max(folder.ReverseFind('\\'), folder.ReverseFind('/'));
    folder = slash >= 0 ? folder.Left(slash + 1) : CString(".");
    char temp[MAX_PATH] = {};
    if (::GetTempFileNameA(folder, "rpt", 0, temp) == 0) return ::GetLastError();
    HANDLE file = ::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        ::DeleteFileA(temp);
        return error;
    }
    DWORD error = 0;
    size_t done = 0;
    while (done < data.size() && error == 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(file, data.data() + done, chunk, &written, nullptr) || written != chunk)
            error = ::GetLastError() != 0 ? ::GetLastError() : ERROR_DISK_FULL;
        done += written;
    }
    if (error == 0 && !::FlushFileBuffers(file)) error = ::GetLastError();
    if (!::CloseHandle(file) && error == 0) error = ::GetLastError();
    if (error == 0 && !::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0) ::DeleteFileA(temp);
    return error;
}

} // namespace

CString CInfoViewer::DefaultReportName(BOOL bFormatted) const {
    CString path;
    if (CDocument* doc = GetDocument()) path = doc->GetPathName();
    const CString base = path.GetLength() < 3 ? CString("Clastor.") : path.Left(path.GetLength() - 3);
    return base + (bFormatted ? "rtf" : "txt");
}

void CInfoViewer::SaveReport(BOOL bFormatted) {
    const CString name = DefaultReportName(bFormatted);
    CFileDialog dialog(FALSE, bFormatted ? "rtf" : "txt", name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       bFormatted ? "Rich Text File (*.rtf)|*.rtf|All Files (*.*)|*.*||"
                                  : "Text File (*.txt)|*.txt|All Files (*.*)|*.*||",
                       this);
    if (dialog.DoModal() != IDOK) return;
    WriteReportFile(dialog.GetPathName(), bFormatted);
}

bool CInfoViewer::WriteReportFile(LPCSTR path, BOOL bFormatted) {
    if (m_richEdit.GetSafeHwnd() == nullptr) return false;
    std::string data;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&data), 0, AppendToString};
    int format = SF_RTF;
    if (!bFormatted) {
        // Plain text with CR LF line ends: the selection when there is one.
        long start = 0, end = 0;
        m_richEdit.GetSel(start, end);
        format = start != end ? SF_TEXT | SFF_SELECTION : SF_TEXT;
    }
    m_richEdit.StreamOut(format, stream);
    DWORD error = stream.dwError != 0 ? ERROR_NOT_ENOUGH_MEMORY : ReplaceFileWith(path, data);
    if (error == 0) return true;
    CString message;
    message.Format("The report could not be saved as\n%s\n\n%s", path, static_cast<LPCSTR>(SystemMessage(error)));
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    return false;
}
