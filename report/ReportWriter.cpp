#include "report/ReportWriter.h"

#include "controls/TreeOptionsCtrl.h"
#include "report/InfoViewer.h"

CReportWriter::~CReportWriter() = default;

void CReportWriter::BeginViewer(CInfoViewer* pViewer) {
    m_pViewer = pViewer;
    m_bTreeMode = FALSE;
}

void CReportWriter::BeginTree() {
    m_bTreeMode = TRUE;
    m_hSection = nullptr;
    m_hSubSection = nullptr;
}

void CReportWriter::Write(const CString& text, int nType, BOOL bCheck) {
    if (m_bTreeMode)
        WriteTreeItem(text, nType, bCheck);
    else
        WriteRtfParagraph(text, nType);
}

void CReportWriter::WriteRtfParagraph(const CString& text, int nType) {
    if (m_pViewer == nullptr) return;
    switch (nType) {
    case kContinuation: m_pViewer->AddParagraph(text, 10, FALSE, FALSE, FALSE, FALSE); break;
    case kBody: m_pViewer->AddParagraph(text, 10, TRUE, FALSE, FALSE, FALSE); break;
    case kTitle: m_pViewer->AddParagraph(text, 18, TRUE, TRUE, TRUE, FALSE); break;
    case kSection: m_pViewer->AddParagraph(text, 12, TRUE, TRUE, FALSE, TRUE); break;
    case kSubHeading: m_pViewer->AddParagraph(text, 10, TRUE, FALSE, FALSE, TRUE); break;
    default: break;
    }
}

void CReportWriter::WriteTreeItem(const CString& text, int nType, BOOL bCheck) {
    if (m_pTree == nullptr || text.IsEmpty()) return;
    HTREEITEM item = nullptr;
    switch (nType) {
    case kSection:
        m_hSection = m_pTree->InsertCheckBox(text, nullptr, FALSE);
        m_hSubSection = nullptr;
        return;
    case kSubHeading:
        item = m_pTree->InsertCheckBox(text, m_hSection, bCheck);
        m_hSubSection = item;
        break;
    case kBody:
        item = m_pTree->InsertCheckBox(text, m_hSubSection != nullptr ? m_hSubSection : m_hSection, bCheck);
        break;
    default: return;
    }
    if (bCheck && item != nullptr) m_pTree->EnsureVisible(item);
}
