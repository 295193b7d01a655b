#pragma once
// Writes the entities of one marked set of a drawing database to a DXF file,
// each entity's parts as polylines with the part's colour and layer.

#include "framework/String.h"
#include "formats/DxfFile.h"

class CREGDatabase;

class CDxfDatabaseExport : public CDxfFile
{
public:
    // The set is 24, 25 or 26; any other code exports the work set 25.
    CDxfDatabaseExport(CREGDatabase* pDatabase, int set);
    ~CDxfDatabaseExport() override;

    // Without a target file a save dialog asks for one (over the main window).
    // The file is written beside the target and then put in its place, so a
    // failed export leaves an existing file as it was; a failure is shown in a
    // message box. True when the file was written.
    bool Export();

    void SetPathName(LPCSTR lpszPathName);
    const CString& GetPathName() const { return m_strPathName; }
    int GetSet() const { return m_nSet; }

private:
    bool AskForFile();
    void WriteDrawing();

    CREGDatabase* m_pDatabase;
    int m_nSet;
    CString m_strFileName;
    CString m_strPathName;
    CString m_strFilePattern = "*.dxf";
};
