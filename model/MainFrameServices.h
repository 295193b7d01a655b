// What the document asks of the main frame, the report viewer and the
// application's templates. The shell installs its own implementation when its
// main frame exists; until then (and in programs without a frame, such as the
// tests) every call does nothing, so the document never depends on a frame.
#pragma once

#include <windows.h>
#include "framework/String.h"

class CDC;
class CDocument;
class CView;
class CWnd;
struct CRuntimeClass;

class CEntity;
class CTalusimDoc;
class CTalusimSlopeType;

class CMainFrameServices
{
public:
    virtual ~CMainFrameServices() = default;

    // Activates, creates or closes the graph view of a kind (and object).
    virtual void ToggleChartView(int /*graphKind*/, CEntity* /*object*/, bool /*show*/) {}
    // Gives the prompt line's command entry the focus when it is active.
    virtual void FocusCommandLine() {}
    // The text of a prompt code: picking prompts 1000-1048 and field help
    // 1240-1256 are string-table entries; other codes give an empty text.
    virtual CString GetPromptText(int code)
    {
        CString text;
        const UINT id = PromptStringId(code);
        if (id != 0)
            text.LoadString(id);
        return text;
    }
    // The string-table entry of a prompt code; 0 for a code outside the ranges.
    static UINT PromptStringId(int code)
    {
        static const int kOwnIds[][2] = {
            {1000, 44212}, {1001, 12028}, {1002, 12047}, {1003, 12048}, {1004, 12049}, {1005, 12026},
            {1006, 12027}, {1007, 12022}, {1008, 12024}, {1009, 12031}, {1010, 12024}, {1011, 12025},
            {1012, 12025}, {1013, 12023}, {1014, 12046}, {1015, 12013}, {1017, 12015}, {1018, 12016},
            {1019, 12018}, {1020, 12017}, {1021, 12053}, {1022, 12063}, {1023, 12058}, {1024, 12059},
            {1025, 12063}, {1026, 12067},
        };
        for (const auto& entry : kOwnIds)
            if (entry[0] == code)
                return static_cast<UINT>(entry[1]);
        // The others are kept under their own code.
        if ((code >= 1000 && code <= 1048) || (code >= 1240 && code <= 1256))
            return static_cast<UINT>(code);
        return 0;
    }
    virtual void SetPrompt(LPCSTR /*text*/) {}
    // The view class of the program's print preview; null for the class
    // library's own.
    virtual CRuntimeClass* GetPreviewViewClass() { return nullptr; }
    // The active view of the active MDI child, or null.
    virtual CView* ActiveChildView() { return nullptr; }
    // The status bar's panes show the active document's state now.
    virtual void InvalidateStatusBar() {}
    virtual void RefillMaterialCombo() {}
    // The material of the toolbar combo's current item, or null.
    virtual CTalusimSlopeType* GetSelectedMaterial() { return nullptr; }
    virtual void RefreshTimeStepDialog(CTalusimDoc* /*document*/) {}
    virtual void HideTimeStepDialogIfNoDocument() {}
    // Shows the disc time-step player for a document.
    virtual void ShowTimeStepDialog(CTalusimDoc* /*document*/) {}
    // A closing document: the player lets go of it when it shows it.
    virtual void ForgetTimeStepDocument(CTalusimDoc* /*document*/) {}

    // The prompt line as the slope view reads it: a typed "x,y" (cleared on
    // success when asked), whether it is empty, and its active state.
    virtual bool GetTypedPoint(double& /*x*/, double& /*y*/, bool /*clear*/) { return false; }
    virtual bool IsCommandLineEmpty() { return true; }
    virtual void SetCommandLineActive(bool /*active*/) {}
    virtual bool ConfirmGoBack() { return true; }
    virtual bool ConfirmSelectAll() { return true; }
    // World coordinates of the cursor for the status bar.
    virtual void SetCursorCoordinates(double /*x*/, double /*y*/) {}
    // The application's print margins (inches) and whether they are drawn on
    // paper; false leaves the caller's defaults.
    virtual bool GetPrintMargins(double& /*left*/, double& /*top*/, double& /*right*/, double& /*bottom*/,
                                 bool& /*showOnPaper*/)
    {
        return false;
    }
    // Brings the application's page settings in line with the default printer.
    virtual void ValidatePageSettings() {}
    // The printed page of a text printout (the report) inside the application's
    // margins, in the DC's device pixels from the printable area's corner, with
    // the margin frame drawn (when drawFrame is set) as the page settings ask;
    // false leaves the caller's own layout.
    virtual bool LayoutTextPage(CDC* /*dc*/, RECT& /*page*/, bool /*drawFrame*/) { return false; }
    // A document window (its frame) is about to close, or one became active.
    virtual void DocumentWindowClosing(CDocument* /*document*/, CWnd* /*frame*/) {}
    virtual void DocumentWindowActivated() {}

    // The Distribution Statistics window: shown (created on first use, unrolled
    // when rolled up) for a document; whether it exists and follows the view;
    // and its report, copied through the database of `owner`, which the window
    // forgets when that document closes.
    virtual void ShowDistributionStatistics(CTalusimDoc* /*document*/) {}
    virtual bool StatisticsFollowView(CView* /*view*/) { return false; }
    virtual void SetStatisticsReport(CTalusimDoc* /*owner*/, LPCSTR /*text*/) {}

    // Report viewers (CInfoViewer).
    virtual bool IsReportViewer(CView* /*view*/) { return false; }
    // Marks the viewer's text out of date and has it rebuilt.
    virtual void ForceUpdateReportViewer(CView* /*view*/) {}
    // Selects all, starts the RTF buffer, writes the analysis report of the
    // document into the viewer and ends the buffer.
    virtual void WriteAnalysisReport(CView* /*viewer*/, CTalusimDoc* /*document*/) {}
    // Opens an Info Viewer window on the document through the report template.
    virtual void OpenInfoViewer(CTalusimDoc* /*document*/) {}
};

// The installed services, or the do-nothing ones.
inline CMainFrameServices& DefaultMainFrameServices()
{
    static CMainFrameServices defaults;
    return defaults;
}

inline CMainFrameServices*& MainFrameServicesSlot()
{
    static CMainFrameServices* installed = &DefaultMainFrameServices();
    return installed;
}

inline CMainFrameServices& MainFrameServices()
{
    return *MainFrameServicesSlot();
}

// Null puts the do-nothing services back. Returns the previous ones.
inline CMainFrameServices* InstallMainFrameServices(CMainFrameServices* services)
{
    CMainFrameServices* previous = MainFrameServicesSlot();
    MainFrameServicesSlot() = services ? services : &DefaultMainFrameServices();
    return previous;
}
