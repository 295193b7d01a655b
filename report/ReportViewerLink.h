// What the document asks of its report windows, for the shell's services to
// answer (the document knows report viewers only as views).
#pragma once

class CView;
class CTalusimDoc;

namespace ReportViewerLink {

bool IsReportViewer(CView* view);
// Marks the viewer's report out of date and has it rebuilt now.
void ForceUpdate(CView* view);
// Selects all of the viewer's text and replaces it with the document's analysis report.
void WriteAnalysisReport(CView* view, CTalusimDoc* document);

} // namespace ReportViewerLink
