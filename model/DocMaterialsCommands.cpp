// The Import Materials and Export Materials commands: they ask for a materials
// file (".clm"); the file itself is read and written by the document's formats.
#include "model/DocumentDependencies.h"

#include "framework/FileDialog.h"
#include "model/DocumentFormatServices.h"

namespace {

const char kFilter[] = "Clastor Materials Files (*.clm)|*.clm|All Files (*.*)|*.*||";

}  // namespace

void CTalusimDoc::OnExportMaterials()
{
    CFileDialog dialog(FALSE, "clm", "*.clm", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    if (dialog.DoModal() == IDOK)
        DocumentFormatServices().ExportMaterialsTo(*this, dialog.GetPathName());
}

void CTalusimDoc::OnImportMaterials()
{
    CFileDialog dialog(TRUE, "clm", "*.clm", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kFilter);
    if (dialog.DoModal() == IDOK)
        DocumentFormatServices().ImportMaterialsFrom(*this, dialog.GetPathName());
}
