#include "formats/DxfSlopeImporter.h"

#include "framework/MessageBox.h"
#include "model/TalusimDoc.h"

CDxfSlopeImporter::CDxfSlopeImporter(CStdioFile* pFile, CTalusimDoc* pDoc) : CDxfFile(pFile, pDoc), m_pDoc(pDoc)
{
}

bool CDxfSlopeImporter::ReadSlopePoints(std::vector<CVector2D>& points, CString& strWhy)
{
    points.clear();
    const CVector2D* pPoints = nullptr;
    int segments = 0;
    CString layer;
    bool closed = false;
    // Every polyline is handed out, so that the store is released; the last one counts.
    while (GetNextPolyline(pPoints, segments, layer, closed, true))
        points.assign(pPoints, pPoints + segments + 1);
    if (!GetReadError().IsEmpty()) {
        points.clear();
        strWhy = GetReadError();
        return false;
    }
    if (points.empty()) {
        strWhy = "The DXF file holds no LINE, POLYLINE or LWPOLYLINE to make a slope of.";
        return false;
    }
    return true;
}

bool CDxfSlopeImporter::ReadPolylines()
{
    std::vector<CVector2D> points;
    CString why;
    if (!ReadSlopePoints(points, why)) {
        AfxMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!m_pDoc)
        return false;
    m_pDoc->DeleteSlope();
    for (const CVector2D& p : points)
        m_pDoc->AppendSlopeVertex(p.x, p.y);
    return true;
}
