// The document's own files as the document reads and writes them: its
// sectioned text file, the older archive it still opens, CRSP slope files and
// the materials file. The formats live above the model; the program installs
// them at start. Until then every read and write fails with the document's
// usual message, and nothing of the document changes.
#pragma once

#include <windows.h>
#include "framework/Archive.h"
#include "framework/Exception.h"
#include "framework/MessageBox.h"
#include "framework/String.h"

class CTalusimDoc;

class CDocumentFormatServices
{
public:
    virtual ~CDocumentFormatServices() = default;

    // The sectioned text file. `notText` tells whether the first line was no
    // section header (the older archive reader may try the file then).
    virtual bool ReadTextDocument(CTalusimDoc&, LPCSTR path, bool* notText)
    {
        if (notText)
            *notText = false;
        return Refuse("Unable to open file\n", path);
    }
    virtual bool WriteTextDocument(CTalusimDoc&, LPCSTR path) { return Refuse("Unable to write file\n", path); }

    // The older archive (it is only ever read).
    virtual void ReadLegacyArchive(CTalusimDoc&, CArchive&) { AfxThrowArchiveException(CArchiveException::badSchema); }

    // CRSP slope files, known by their extension.
    virtual bool IsCrspPath(LPCSTR) { return false; }
    virtual BOOL OpenCrspDocument(CTalusimDoc&, LPCSTR path) { return Refuse("Unable to open file\n", path); }

    // The materials file.
    virtual bool ImportMaterialsFrom(CTalusimDoc&, LPCSTR path) { return Refuse("Unable to open file\n", path); }
    virtual bool ExportMaterialsTo(CTalusimDoc&, LPCSTR path) { return Refuse("Unable to write file\n", path); }

private:
    static bool Refuse(const char* what, LPCSTR path)
    {
        CString message = what;
        message += path;
        AfxMessageBox(message);
        return false;
    }
};

inline CDocumentFormatServices& DefaultDocumentFormatServices()
{
    static CDocumentFormatServices defaults;
    return defaults;
}

inline CDocumentFormatServices*& DocumentFormatServicesSlot()
{
    static CDocumentFormatServices* installed = &DefaultDocumentFormatServices();
    return installed;
}

inline CDocumentFormatServices& DocumentFormatServices()
{
    return *DocumentFormatServicesSlot();
}

inline CDocumentFormatServices* InstallDocumentFormatServices(CDocumentFormatServices* services)
{
    CDocumentFormatServices* previous = DocumentFormatServicesSlot();
    DocumentFormatServicesSlot() = services ? services : &DefaultDocumentFormatServices();
    return previous;
}
