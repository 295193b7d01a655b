// The report's pages: the frame of one printed page for the rich-edit
// control's page formatting (EM_FORMATRANGE), inside the program's page
// margins, and the formatting of one page at a time.
#pragma once

#include <windows.h>
#include <richedit.h>

class CDC;
class CRichEditCtrl;

class CReportPages {
public:
    // dc draws the pages; its attribute handle is the printer they are measured on.
    CReportPages(CRichEditCtrl& edit, CDC& dc);
    // Frees the control's format cache.
    ~CReportPages();
    CReportPages(const CReportPages&) = delete;
    CReportPages& operator=(const CReportPages&) = delete;

    // Lays the page out (drawing the margin frame when the settings ask for
    // it) and formats the text from index on; draws it when render is set.
    // Returns the index of the first character that did not fit.
    long FormatPage(long index, bool render);

    // The whole page and the text's part of it, in twips from the printable
    // area's corner (fractions of an inch kept).
    const RECT& PageTwips() const { return m_range.rcPage; }
    const RECT& TextTwips() const { return m_range.rc; }

private:
    CRichEditCtrl& m_edit;
    CDC& m_dc;
    FORMATRANGE m_range{};
};
