#pragma once
// Makes the slope of a document from a DXF file: of the polylines the file's
// lines and polylines chain into, the last one becomes the slope.

#include <vector>
#include "framework/String.h"
#include "formats/DxfFile.h"

class CTalusimDoc;

class CDxfSlopeImporter : public CDxfFile
{
public:
    // Over a file opened for reading as text; neither is owned.
    CDxfSlopeImporter(CStdioFile* pFile, CTalusimDoc* pDoc);

    // Replaces the document's slope with the file's last polyline. A file
    // that cannot be read or holds no segment is reported in a message box
    // and leaves the document as it was: false then, and the caller does not
    // mark the document modified.
    bool ReadPolylines() override;
    bool WriteToFile(CFileDialog*) override { return true; }

    // The points of the file's last polyline; false with the reason when the
    // file cannot be read or has none.
    bool ReadSlopePoints(std::vector<CVector2D>& points, CString& strWhy);

private:
    CTalusimDoc* m_pDoc;
};
