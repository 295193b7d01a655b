// A graph window saved as an image. In split view the whole window, chart and
// slope panel together, goes into a JPEG or bitmap; otherwise the chart writes
// itself in any of the four kinds.
#include "model/DocumentDependencies.h"

#include "graphs/TalusimOlectraView.h"

#include "chart/Xrt.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Wnd.h"
#include "view/ViewImageExporter.h"

namespace {

constexpr char kChartFilter[] =
    "JPEG (*.jpg)|*.jpg|Windows Bitmap (*.bmp)|*.bmp|Windows Enhanced Metafile (*.emf)|*.emf|"
    "Windows Metafile (*.wmf)|*.wmf||";

}  // namespace

void CTalusimOlectraView::OnExportImage()
{
    m_bContextMenu = 0;
    if (m_bSplitView) {
        // The window is drawn afresh, chart and slope panel, rather than read
        // from the screen, where other windows may lie over it.
        CViewImageExporter exporter(this);
        exporter.SetAllowMetafiles(FALSE);
        if (exporter.ChooseFile() == IMAGE_FORMAT_NONE) {
            if (exporter.GetPath()[0] != '\0')
                AfxMessageBox(CViewImageExporter::UnknownKindText(FALSE), MB_ICONEXCLAMATION);
            return;
        }
        m_bDrawChartItself = true;
        const BOOL written = exporter.Export();
        m_bDrawChartItself = false;
        if (!written)
            AfxMessageBox(CViewImageExporter::NotWrittenText(exporter.GetPath()), MB_ICONEXCLAMATION);
        return;
    }

    CFileDialog dialog(FALSE, "jpg", nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                       kChartFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    CString extension = dialog.GetFileExt();
    extension.MakeLower();
    const CString path = dialog.GetPathName();
    const XrtHandle chart = m_chart.GetHandle();
    int written = 0;
    {
        CWaitCursor wait;
        if (extension == "jpg")
            written = XrtSaveImageAsJpeg(chart, path, 100, 0, 0, 0);
        else if (extension == "bmp")
            written = XrtDrawToFile(chart, path, XRT_FILE_BMP);
        else if (extension == "emf")
            written = XrtDrawToFile(chart, path, XRT_FILE_EMF);
        else if (extension == "wmf")
            written = XrtDrawToFile(chart, path, XRT_FILE_WMF);
        else {
            AfxMessageBox(CViewImageExporter::UnknownKindText(TRUE), MB_ICONEXCLAMATION);
            return;
        }
    }
    if (!written)
        AfxMessageBox(CViewImageExporter::NotWrittenText(path), MB_ICONEXCLAMATION);
}
