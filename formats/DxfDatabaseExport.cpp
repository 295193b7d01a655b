#include "formats/DxfDatabaseExport.h"

#include <algorithm>

#include "framework/Exception.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "geometry/Entity.h"
#include "geometry/EntityIterator.h"
#include "geometry/REGDatabase.h"

CDxfDatabaseExport::CDxfDatabaseExport(CREGDatabase* pDatabase, int set)
    : CDxfFile(nullptr), m_pDatabase(pDatabase), m_nSet(set >= SET_SELECTION && set <= SET_WORK2 ? set : SET_WORK)
{
}

CDxfDatabaseExport::~CDxfDatabaseExport() = default;

void CDxfDatabaseExport::SetPathName(LPCSTR lpszPathName)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    const int slash = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
    m_strFileName = m_strPathName.Mid(slash + 1);
}

bool CDxfDatabaseExport::AskForFile()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (!pMainWnd)
        return false;
    CFileDialog dialog(FALSE, "dxf", m_strFilePattern, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*||", pMainWnd);
    if (dialog.DoModal() != IDOK)
        return false;
    m_strPathName = dialog.GetPathName();
    m_strFileName = dialog.GetFileName();
    return !m_strPathName.IsEmpty() && !m_strFileName.IsEmpty();
}

void CDxfDatabaseExport::WriteDrawing()
{
    // The drawing's extents with a margin of one per cent on every side.
    const CVector2D upperLeft = m_pDatabase->get_ul_world_extent(false);
    const CVector2D lowerRight = m_pDatabase->get_lr_world_extent(false);
    const double dx = (lowerRight.x - upperLeft.x) * 0.01;
    const double dy = (upperLeft.y - lowerRight.y) * 0.01;
    WriteHeader(upperLeft.x - dx, lowerRight.y - dy, lowerRight.x + dx, upperLeft.y + dy);
    WriteTables();
    BeginEntities();

    CEntityIterator entities(m_pDatabase, m_nSet);
    CVectorArray points;
    for (CEntity* pEntity = entities.GetFirst(); pEntity; pEntity = entities.GetNext()) {
        const int parts = pEntity->GetExportPartCount();
        for (int part = 0; part < parts; ++part) {
            // Some entities append their points: every part starts empty.
            points.RemoveAll();
            if (pEntity->GetExportPartPoints(part, points))
                WritePolyline(points.GetData(), static_cast<int>(points.GetSize()),
                              pEntity->GetExportPartColour(part), pEntity->GetExportPartLayer(part));
        }
    }
    WriteEnd();
}

bool CDxfDatabaseExport::Export()
{
    if (!m_pDatabase)
        return false;
    if ((m_strFileName.IsEmpty() || m_strPathName.IsEmpty()) && !AskForFile())
        return false;

    // A temporary file in the target's folder, so that the final move stays
    // on one volume.
    CString folder = m_strPathName.Left(m_strPathName.GetLength() - m_strFileName.GetLength());
    if (folder.IsEmpty())
        folder = ".";
    char tempPath[MAX_PATH] = {};
    CString reason;
    if (!GetTempFileNameA(folder, "dxf", 0, tempPath)) {
        const LONG error = static_cast<LONG>(GetLastError());
        CFileException e(CFileException::OsErrorToException(error), error, m_strPathName);
        char text[512] = {};
        e.GetErrorMessage(text, sizeof text);
        reason = text;
    } else {
        CStdioFile file;
        CFileException openError;
        try {
            if (!file.Open(tempPath, CFile::modeCreate | CFile::modeWrite | CFile::typeText, &openError))
                AfxThrowFileException(openError.m_cause, openError.m_lOsError, m_strPathName);
            m_pFile = &file;
            WriteDrawing();
            m_pFile = nullptr;
            file.Close();
            if (!MoveFileExA(tempPath, m_strPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
                const LONG error = static_cast<LONG>(GetLastError());
                AfxThrowFileException(CFileException::OsErrorToException(error), error, m_strPathName);
            }
            return true;
        } catch (CException* e) {
            m_pFile = nullptr;
            char text[512] = {};
            e->GetErrorMessage(text, sizeof text);
            reason = text;
            e->Delete();
            file.Abort();
            DeleteFileA(tempPath);
        }
    }
    CString message;
    message.Format("The DXF file could not be written:\n%s", static_cast<LPCSTR>(m_strPathName));
    if (!reason.IsEmpty())
        message += "\n" + reason;
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    return false;
}
