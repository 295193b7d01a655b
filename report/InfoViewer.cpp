#include "report/InfoViewer.h"

#include "model/MainFrameServices.h"
#include "framework/DC.h"
#include "framework/Document.h"
#include "framework/Preview.h"
#include "framework/WinApp.h"
#include "model/TalusimDoc.h"
#include "report/RtfText.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CInfoViewer, CView)

CInfoViewer::CInfoViewer() { m_richEdit.m_pViewer = this; }

CInfoViewer::~CInfoViewer() = default;

int CInfoViewer::OnCreate(LPCREATESTRUCTA lpcs) {
    if (CView::OnCreate(lpcs) == -1) return -1;
    // Lines wrap at the window's width: no horizontal scroll bar.
    if (!m_richEdit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                           CRect(0, 0, 0, 0), this, kRichEditId))
        return -1;
    m_richEdit.SetReadOnly(TRUE);
    SetWindowText("InfoViewer");
    return 0;
}

void CInfoViewer::OnSize(UINT, int, int) {
    Default();
    if (m_richEdit.GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(&client);
        m_richEdit.SetWindowPos(&wndTop, 0, 0, client.Width(), client.Height(), SWP_SHOWWINDOW);
    }
}

BOOL CInfoViewer::OnEraseBkgnd(CDC*) { return 0; }

void CInfoViewer::OnSetFocus(CWnd*) {
    // The keys (arrows, Page Up and Down, Ctrl+C) belong to the report.
    if (m_richEdit.GetSafeHwnd() != nullptr) m_richEdit.SetFocus();
}

void CInfoViewer::OnDraw(CDC*) {}

// ---- the report ----

void CInfoViewer::ForceUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CInfoViewer::OnUpdate(CView*, LPARAM, CObject*) {
    if (m_bReportCurrent) return;
    if (m_richEdit.GetSafeHwnd() == nullptr) return;
    m_richEdit.ShowWindow(SW_HIDE);
    const int first = static_cast<int>(m_richEdit.SendMessage(EM_GETFIRSTVISIBLELINE));
    if (auto* doc = dynamic_cast<CTalusimDoc*>(GetDocument())) doc->WriteAnalysisReport(this);
    // The reader keeps his place across a rebuild.
    m_richEdit.SendMessage(EM_LINESCROLL, 0, first);
    m_richEdit.ShowWindow(SW_SHOW);
    m_bReportCurrent = TRUE;
}

void CInfoViewer::SelectAllText() {
    if (m_richEdit.GetSafeHwnd() != nullptr) m_richEdit.SetSel(0, -1);
}

void CInfoViewer::BeginRtf() {
    m_strRtf = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\farial Arial;}}\n"
               "{\\colortbl\\red0\\green0\\blue0;}\n"
               "\\deflang1033\\plain\\f3\\fs14     ";
}

void CInfoViewer::AddParagraph(const CString& text, int nPointSize, BOOL bNewParagraph, BOOL bBold, BOOL bItalic,
                               BOOL bUnderline) {
    CString size;
    size.Format("\\plain\\f3\\fs%d", 2 * nPointSize);
    m_strRtf += "\n";
    if (bNewParagraph) m_strRtf += "\\par\\plain\\f3\\fs14     ";
    m_strRtf += size;
    if (bBold) m_strRtf += "\\b";
    if (bItalic) m_strRtf += "\\i";
    if (bUnderline) m_strRtf += "\\ul";
    m_strRtf += " ";
    m_strRtf += EscapeRtfText(text);
    m_strRtf += " ";
    if (bBold) m_strRtf += "\\b0";
    if (bItalic) m_strRtf += "\\i0";
    if (bUnderline) m_strRtf += "\\ul0";
}

namespace {

// Hands the stream to the control chunk by chunk, taking what it gives away
// off the front of the string.
DWORD CALLBACK StreamFromString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb) {
    auto* text = reinterpret_cast<CString*>(cookie);
    const LONG left = text->GetLength();
    const LONG n = left < cb ? left : cb;
    memcpy(buffer, static_cast<LPCSTR>(*text), static_cast<size_t>(n));
    *pcb = n;
    *text = n < left ? text->Mid(n) : CString();
    return 0;
}

} // namespace

void CInfoViewer::EndRtf() {
    m_strRtf += "\n\\par }";
    if (m_richEdit.GetSafeHwnd() == nullptr) return;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&m_strRtf), 0, StreamFromString};
    m_richEdit.StreamIn(SF_RTF | SFF_SELECTION, stream);
    m_strRtf.Empty();
}

// ---- commands ----

void CInfoViewer::OnEditCopy() { m_richEdit.CopyReport(); }
void CInfoViewer::OnSaveRtf() { SaveReport(TRUE); }
void CInfoViewer::OnSaveTxt() { SaveReport(FALSE); }
void CInfoViewer::OnScrollLineUp() { m_richEdit.SendMessage(EM_LINESCROLL, 0, -1); }
void CInfoViewer::OnScrollLineDown() { m_richEdit.SendMessage(EM_LINESCROLL, 0, 1); }
void CInfoViewer::OnScrollPageUp() { m_richEdit.SendMessage(EM_LINESCROLL, 0, -10); }
void CInfoViewer::OnScrollPageDown() { m_richEdit.SendMessage(EM_LINESCROLL, 0, 10); }

void CInfoViewer::OnUpdateNeedsResults(CCmdUI* pCmdUI) {
    auto* doc = dynamic_cast<CTalusimDoc*>(GetDocument());
    pCmdUI->Enable(doc != nullptr && doc->GetEnvelopeCount() != 0);
    pCmdUI->SetCheck(0);
}

void CInfoViewer::OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
void CInfoViewer::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

BEGIN_MESSAGE_MAP(CInfoViewer, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_COMMAND(ID_REPORT_SAVE_RTF, OnSaveRtf)
    ON_COMMAND(ID_REPORT_SAVE_TXT, OnSaveTxt)
    ON_COMMAND(ID_VIEW_PAN_UP, OnScrollLineUp)
    ON_COMMAND(ID_VIEW_PAN_DOWN, OnScrollLineDown)
    ON_COMMAND(ID_VIEW_PAGE_UP, OnScrollPageUp)
    ON_COMMAND(ID_VIEW_PAGE_DOWN, OnScrollPageDown)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_ENDPOINTS, OnUpdateNeedsResults)
    ON_UPDATE_COMMAND_UI(ID_VIEW_PAN_DOWN, OnUpdateNeedsResults)
    ON_UPDATE_COMMAND_UI(ID_MATERIAL_EDITOR, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(ID_MATERIAL_WIZARD, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(ID_REMOVE_FILTER, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(ID_FILTERED_PATHS_ONLY, OnUpdateDisable)
END_MESSAGE_MAP()
