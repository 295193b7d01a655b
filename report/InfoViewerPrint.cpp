// Printing and previewing the report. Pages are formatted by the rich-edit
// control inside the program's page margins, page after page until the text
// is out; a page that takes no text (a page too small for one line) ends the
// job rather than printing blank pages for ever. The text ends at the
// control's own character count, the positions its page formatting answers
// in: a window text's length counts each paragraph end twice and is never
// reached.
#include "report/InfoViewer.h"

#include "model/MainFrameServices.h"
#include "framework/DC.h"
#include "framework/MessageBox.h"
#include "framework/Preview.h"
#include "framework/WinApp.h"
#include "report/ReportPages.h"
#include "res/resource.h"

namespace {

void PrintMessage(LPCSTR text) { AfxMessageBox(text, MB_ICONEXCLAMATION); }

} // namespace

bool CInfoViewer::PrintReport(HDC printer) {
    if (printer == nullptr || m_richEdit.GetSafeHwnd() == nullptr) return false;
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = printer;
    dc.m_bPrinting = TRUE;
    const long textLength = m_richEdit.GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = "Clastor";
    if (::StartDocA(printer, &info) <= 0) {
        dc.DetachTemporary();
        PrintMessage("There was a general printing error, please check printer is working properly, connected, on "
                     "line etc.");
        return false;
    }
    int result = 0;
    bool stuck = false;
    {
        CReportPages pages(m_richEdit, dc);
        long index = 0;
        do {
            ::StartPage(printer);
            const long next = pages.FormatPage(index, true);
            result = ::EndPage(printer);
            if (next <= index && index < textLength) {
                stuck = true;
                break;
            }
            index = next;
        } while (index < textLength && result >= 0);
    }  // the control's format cache is freed here
    dc.DetachTemporary();
    if (stuck) {
        ::AbortDoc(printer);
        PrintMessage("The report cannot be printed: the page inside the margins is too small for a line of text.\n"
                     "Choose smaller margins in Page Setup and try again.");
        return false;
    }
    switch (result) {
    case SP_OUTOFMEMORY:
        ::AbortDoc(printer);
        PrintMessage("Your computer is out of memory, shut down some applications and/or some windows and try again.");
        return false;
    case SP_OUTOFDISK:
        ::AbortDoc(printer);
        PrintMessage("The print spooler is out of disk space, free up some disk space and try again.");
        return false;
    case SP_USERABORT:
    case SP_APPABORT: ::AbortDoc(printer); return false;
    default:
        if (result < 0) {
            ::AbortDoc(printer);
            PrintMessage("There was a general printing error, please check printer is working properly, connected, "
                         "on line etc.");
            return false;
        }
        return ::EndDoc(printer) > 0;
    }
}

void CInfoViewer::Print(BOOL bDirect) {
    MainFrameServices().ValidatePageSettings();
    CPrintInfo info;
    info.m_bDirect = bDirect;
    info.m_pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
    if (!DoPreparePrinting(&info) || info.m_pd.hDC == nullptr) return;
    PrintReport(info.m_pd.hDC);
    ::DeleteDC(info.m_pd.hDC);
}

void CInfoViewer::OnFilePrint() { Print(FALSE); }
void CInfoViewer::OnFilePrintDirect() { Print(TRUE); }

// ---- print preview: the class library's preview asks for each page ----

void CInfoViewer::OnFilePrintPreview() {
    MainFrameServices().ValidatePageSettings();
    auto* state = new CPrintPreviewState;
    CRuntimeClass* previewClass = MainFrameServices().GetPreviewViewClass();
    if (!DoPrintPreview(IDD_PREVIEW_BAR, this, previewClass != nullptr ? previewClass : RUNTIME_CLASS(CPreviewView),
                        state)) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE, MB_ICONEXCLAMATION);
        delete state;
    }
}

BOOL CInfoViewer::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CInfoViewer::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    // Find where every page starts, measured on the printer.
    m_pageStarts.clear();
    const long textLength = m_richEdit.GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);
    CReportPages pages(m_richEdit, *pDC);
    long index = 0;
    do {
        m_pageStarts.push_back(index);
        const long next = pages.FormatPage(index, false);
        if (next <= index) break;  // a page too small for a line: no more pages
        index = next;
    } while (index < textLength);
    pInfo->SetMaxPage(static_cast<UINT>(m_pageStarts.size()));
}

void CInfoViewer::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    const UINT page = pInfo->m_nCurPage;
    if (page < 1 || page > m_pageStarts.size()) {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    CReportPages pages(m_richEdit, *pDC);
    pages.FormatPage(m_pageStarts[page - 1], true);
}

void CInfoViewer::OnEndPrinting(CDC*, CPrintInfo*) {
    m_pageStarts.clear();
    m_richEdit.FormatRange(nullptr, FALSE);
}
