// The slope view's file exchange commands: a CRSP or DXF file becomes the
// document's slope, and the model goes out to a DXF file.
#include "view/TalusimView.h"

#include "model/DocumentDependencies.h"

#include "editors/DxfExportDlg.h"
#include "formats/DxfDatabaseExport.h"
#include "formats/DxfExportSelection.h"
#include "formats/DxfSlopeImporter.h"
#include "framework/File.h"
#include "framework/FileDialog.h"

namespace {
const char kCrspFilter[] = "CRSP Files (*.csp)|*.csp|CRSP Files (*.dat)|*.dat|All Files (*.*)|*.*||";
const char kDxfFilter[] = "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*||";
constexpr int kExportSet = SET_WORK;
}  // namespace

void CTalusimView::OnImportCrsp()
{
    CFileDialog dialog(TRUE, "csp", "*.csp", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kCrspFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    CTalusimDoc* doc = GetDocument();
    // The import checks the whole file first and says why it refuses one; only
    // a slope that changed makes the document modified.
    if (doc == nullptr || !doc->ImportCrsp(dialog.GetPathName()))
        return;
    doc->SetModifiedFlag();
    doc->UpdateAllViews(nullptr);
    // The new slope may lie anywhere: show all of it.
    OnZoomAll();
}

void CTalusimView::OnImportDxf()
{
    CFileDialog dialog(TRUE, "dxf", "*.dxf", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kDxfFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    CTalusimDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    CStdioFile file;
    if (!file.Open(dialog.GetPathName(), CFile::modeRead | CFile::typeText))
        return;
    CDxfSlopeImporter importer(&file, doc);
    const bool imported = importer.ReadPolylines();
    file.Close();
    if (!imported)
        return;  // the importer has said why, and the slope is as it was
    doc->SetModifiedFlag();
    doc->UpdateAllViews(nullptr);
    OnZoomAll();
}

void CTalusimView::OnExportDxf()
{
    CTalusimDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    CREGDatabase& db = *doc->GetDatabase();
    BOOL offers[DXF_EXPORT_ROWS];
    GetDxfExportOffers(db, offers);
    CDxfExportDlg dialog(this);
    for (int row = 0; row < DXF_EXPORT_ROWS; ++row)
        dialog.m_options.m_abOption[row] = offers[row] != FALSE;
    if (dialog.DoModal() != IDOK)
        return;
    BOOL checked[DXF_EXPORT_ROWS];
    for (int row = 0; row < DXF_EXPORT_ROWS; ++row)
        checked[row] = dialog.m_options.m_abOption[row] ? TRUE : FALSE;
    MarkDxfExportEntities(db, kExportSet, checked);
    CDxfDatabaseExport exporter(&db, kExportSet);
    exporter.Export();
}

