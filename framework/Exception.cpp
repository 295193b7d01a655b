#include "framework/Exception.h"
#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

int DefaultReportError(LPCSTR lpszText, UINT nType)
{
    return MessageBoxA(nullptr, lpszText, nullptr, nType);
}

AfxReportErrorHandler g_reportError = DefaultReportError;

BOOL CopyMessage(const CString& text, LPSTR lpszError, UINT nMaxError)
{
    if (!lpszError || nMaxError == 0)
        return FALSE;
    const size_t n = std::min<size_t>(static_cast<size_t>(text.GetLength()), nMaxError - 1);
    std::memcpy(lpszError, static_cast<LPCSTR>(text), n);
    lpszError[n] = '\0';
    return !text.IsEmpty();
}

// "the file" when no name is known, so every message reads as a sentence.
CString NameOrDefault(const CString& name)
{
    return name.IsEmpty() ? CString("the file") : name;
}

} // namespace

void AfxSetReportErrorHandler(AfxReportErrorHandler handler)
{
    g_reportError = handler ? handler : DefaultReportError;
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char text[512];
    CString message;
    if (GetErrorMessage(text, sizeof text))
        message = text;
    else if (nMessageID)
        message.LoadString(nMessageID);
    if (message.IsEmpty())
        message = "An unsupported operation was attempted.";
    return g_reportError(message, nType);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage("Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage("An unsupported operation was attempted.", lpszError, nMaxError);
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    const CString name = NameOrDefault(m_strFileName);
    CString text;
    switch (m_cause) {
    case readOnly: text = "Attempted to write to " + name + " while reading it."; break;
    case writeOnly: text = "Attempted to read from " + name + " while writing it."; break;
    case endOfFile: text = "Unexpected end of " + name + "."; break;
    case badIndex:
    case badClass:
    case badSchema:
    case generic:
    default: text = "Unexpected file format in " + name + "."; break;
    }
    return CopyMessage(text, lpszError, nMaxError);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    const CString name = NameOrDefault(m_strFileName);
    CString text;
    switch (m_cause) {
    case fileNotFound: text = name + " was not found."; break;
    case badPath: text = name + " contains an invalid path."; break;
    case tooManyOpenFiles: text = name + " could not be opened because there are too many open files."; break;
    case accessDenied: text = "Access to " + name + " was denied."; break;
    case invalidFile: text = "An invalid file handle was associated with " + name + "."; break;
    case removeCurrentDir: text = name + " could not be removed because it is the current directory."; break;
    case directoryFull: text = name + " could not be created because the directory is full."; break;
    case badSeek: text = "Seek failed on " + name + "."; break;
    case hardIO: text = "A hardware I/O error was reported while accessing " + name + "."; break;
    case sharingViolation: text = "A sharing violation occurred while accessing " + name + "."; break;
    case lockViolation: text = "A locking violation occurred while accessing " + name + "."; break;
    case diskFull: text = "Disk full while accessing " + name + "."; break;
    case endOfFile: text = "An attempt was made to access " + name + " past its end."; break;
    default: text = "An unexpected error occurred while accessing " + name + "."; break;
    }
    return CopyMessage(text, lpszError, nMaxError);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_WRONG_DISK:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_NETWORK_ACCESS_DENIED:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY:
        return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
    case ERROR_SEEK:
        return badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_BAD_LENGTH:
    case ERROR_NOT_DOS_DISK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
        return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return generic;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void AfxThrowMemoryException()
{
    // Shared and never deleted: making a new exception object may be the very
    // thing that cannot be done.
    static CMemoryException shared(FALSE);
    throw &shared;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
