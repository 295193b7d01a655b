// CAnalysisReport: the analysis information of one document, written through
// a CReportWriter: the document's title, its project settings, and each input
// object of the model (slope segments, the materials the slope uses, seeders,
// barriers, data collectors) with its statistical parameters. The same lines go
// into a report viewer as rich text (WriteToViewer) or into a tree of check
// boxes (WriteToTree, see ReportWriter.h for the tree it builds).
#pragma once

#include "report/ReportWriter.h"

class CAnalysisReport : public CReportWriter {
public:
    CAnalysisReport() = default;
    ~CAnalysisReport() override;

    // Nothing unless the database, the document and the viewer are all set.
    // The caller brackets it with the viewer's SelectAllText, BeginRtf and EndRtf.
    void WriteToViewer(CInfoViewer* pViewer);
    // Nothing unless the database, the document and the tree control are set.
    void WriteToTree();

    // The sections read the model through marked set 25 of the database,
    // which a run leaves holding the data collectors.
    static constexpr int kWorkSet = 25;

protected:
    void BuildAnalysisReport();

private:
    void WriteHeader();
    void WriteProjectSettings();
    void WriteSlopeAndMaterials();
    void WriteSeeders();
    void WriteBarriers();
    void WriteCollectors();

    void Blank() { Write(CString(), kBody); }
    // Formats with the C library's printf rules and writes one line of a type.
    void Line(int nType, LPCSTR format, ...);
};
