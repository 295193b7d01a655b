#include "report/ReportViewerLink.h"

#include "model/TalusimDoc.h"
#include "report/AnalysisReport.h"
#include "report/InfoViewer.h"

namespace ReportViewerLink {

bool IsReportViewer(CView* view) { return dynamic_cast<CInfoViewer*>(view) != nullptr; }

void ForceUpdate(CView* view) {
    if (auto* viewer = dynamic_cast<CInfoViewer*>(view)) {
        viewer->MarkOutOfDate();
        viewer->ForceUpdate();
    }
}

void WriteAnalysisReport(CView* view, CTalusimDoc* document) {
    auto* viewer = dynamic_cast<CInfoViewer*>(view);
    if (viewer == nullptr || document == nullptr) return;
    viewer->SelectAllText();
    viewer->BeginRtf();
    CAnalysisReport report;
    report.SetDatabase(document->GetDatabase());
    report.SetDocument(document);
    report.WriteToViewer(viewer);
    viewer->EndRtf();
}

} // namespace ReportViewerLink
