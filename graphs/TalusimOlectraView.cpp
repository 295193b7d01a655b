// The graph window builds only once the document does: it reads the results,
// the slope and the drawing through it.
#include "model/DocumentDependencies.h"

#include "graphs/TalusimOlectraView.h"

#include <algorithm>
#include <cfloat>

#include <commctrl.h>

#include "model/MainFrameServices.h"
#include "framework/AfxRes.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/Preview.h"
#include "graphs/ChartPropertiesDlg.h"
#include "res/resource.h"
#include "geometry/ExtentsAccumulator.h"
#include "geometry/ViewContext.h"
#include "graphs/GraphChart.h"
#include "graphs/GraphDialogs.h"
#include "graphs/GraphModeHost.h"
#include "excel/ExcelAutomation.h"
#include "excel/XlsxWorkbook.h"
#include "graphs/GraphRawData.h"
#include "model/GraphServices.h"
#include "graphs/StatisticsReport.h"
#include "model/InteractionModes.h"
#include "model/MarkerLine.h"
#include "view/PrintPreviewStart.h"
#include "tools/Measure.h"

namespace {

// The document's results as the graph builders read them.
class CDocGraphResults : public CGraphResults
{
public:
    explicit CDocGraphResults(CTalusimDoc* doc) : m_doc(doc) {}

    int GetLocationCount() override { return m_doc->GetLocationCount(); }
    int GetDistributionCount() override { return m_doc->GetLastDistributionIndex() + 1; }
    CDistributionSamples* GetDistribution(int i) override
    {
        return i >= 0 && i < GetDistributionCount() ? m_doc->GetDistribution(i) : nullptr;
    }
    std::vector<CLocationEnvelope> GetLocationMaxima() override
    {
        std::vector<CLocationEnvelope> out;
        for (int i = 0; i < m_doc->GetEnvelopeCount(); ++i) {
            const CLocationEnvelope& e = m_doc->GetLocationMaxima(i);
            if (!e.IsLocationSet())
                break;
            out.push_back(e);
        }
        return out;
    }
    std::vector<GraphEndPoint> GetEndPoints() override
    {
        std::vector<GraphEndPoint> out;
        bool passes = false;
        for (CVector2D p = m_doc->GetFirstEndPoint(passes); p.x != DBL_MAX && p.y != DBL_MAX;
             p = m_doc->GetNextEndPoint(passes))
            out.push_back({p.x, p.y, passes});
        return out;
    }
    bool IsFilteredOnlyActive() override { return m_doc->IsFilteredOnlyActive(); }
    void ComputeHistogramMaxCount(int kind, int bins, double& maxValue, double& maxCount) override
    {
        m_doc->ComputeHistogramMaxCount(kind, bins, maxValue, maxCount);
    }
    bool GetSlopeXExtent(double& minX, double& maxX) override
    {
        if (!m_doc->GetSlope())
            return false;
        CVector2D tl, br;
        m_doc->GetSlopeExtents(tl, br);
        minX = tl.x;
        maxX = br.x;
        return true;
    }
    bool HoldsObject(const CEntity* object) override
    {
        CREGDatabase* db = m_doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i)
            if (db->GetEntityAt(i) == object)
                return true;
        return false;
    }

private:
    CTalusimDoc* m_doc;
};

} // namespace

IMPLEMENT_DYNCREATE(CTalusimOlectraView, CView)

BEGIN_MESSAGE_MAP(CTalusimOlectraView, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEWHEEL()
    ON_COMMAND(ID_GRAPH_SPLIT_VIEW, OnSplitView)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_SPLIT_VIEW, OnUpdateSplitView)
    ON_COMMAND(ID_VIEW_GRAYSCALE, OnGrayscale)
    ON_COMMAND(ID_CONTEXT_GRAPH_GRAYSCALE, OnGrayscale)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRAYSCALE, OnUpdateGrayscale)
    ON_COMMAND(ID_GRAPH_MARKERS, OnMarkers)
    ON_COMMAND(ID_VIEW_PAN_LEFT, OnPanLeft)
    ON_COMMAND(ID_VIEW_PAN_RIGHT, OnPanRight)
    ON_UPDATE_COMMAND_UI(ID_MATERIAL_EDITOR, OnUpdateAlwaysDisabled)
    ON_UPDATE_COMMAND_UI(ID_MATERIAL_WIZARD, OnUpdateAlwaysDisabled)
    ON_COMMAND(ID_GRAPH_CHART_PROPERTIES, OnChartProperties)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_CHART_PROPERTIES, OnUpdateChartProperties)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_ENDPOINTS, OnUpdateEndpoints)
    ON_WM_CONTEXTMENU()
    ON_WM_SETFOCUS()
    ON_COMMAND(ID_GRAPH_COPY_RAW_DATA, OnCopyRawData)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_COPY_RAW_DATA, OnUpdateCopyRawData)
    ON_COMMAND(ID_GRAPH_STATISTICS, OnStatistics)
    ON_COMMAND(ID_CONTEXT_STATISTICS, OnStatistics)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_STATISTICS, OnUpdateGraphStatistics)
    ON_UPDATE_COMMAND_UI(ID_CONTEXT_STATISTICS, OnUpdateContextStatistics)
    ON_COMMAND(ID_GRAPH_CHART_IN_EXCEL, OnChartInExcel)
    ON_COMMAND(ID_CONTEXT_CHART_IN_EXCEL, OnContextChartInExcel)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_CHART_IN_EXCEL, OnUpdateChartInExcel)
    ON_UPDATE_COMMAND_UI(ID_CONTEXT_CHART_IN_EXCEL, OnUpdateChartInExcel)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipNeedText)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_COMMAND(ID_EXPORT_IMAGE, OnExportImage)
    ON_COMMAND(ID_CONTEXT_EXPORT_IMAGE, OnExportImage)
    // The drawing tools on the slope panel, picking rock paths, and their events.
    ON_COMMAND_EX(ID_TOOL_MEASURE, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_ARROW, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_RECTANGLE, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_CIRCLE, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_LINE, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_AXIS, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_TEXT_BOX, OnModeCommand)
    ON_COMMAND_EX(ID_TOOL_DELETE_DRAWINGS, OnModeCommand)
    ON_COMMAND_EX(ID_FILTER_BY_PICKING, OnModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_MEASURE, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ARROW, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_RECTANGLE, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CIRCLE, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_LINE, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_AXIS, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_TEXT_BOX, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_DELETE_DRAWINGS, OnUpdateModeCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTER_BY_PICKING, OnUpdateModeCommand)
    ON_COMMAND(ID_TOOL_PICTURE, OnPictureFromFile)
    ON_COMMAND(ID_TOOL_SCALE_PICTURE, OnScalePicture)
    ON_UPDATE_COMMAND_UI(ID_TOOL_PICTURE, OnUpdatePictureCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_SCALE_PICTURE, OnUpdatePictureCommand)
    ON_COMMAND_EX(ID_EVENT_CANCEL, OnEventCommand)
    ON_COMMAND_EX(ID_EVENT_SELECTED, OnEventCommand)
    ON_COMMAND_EX(ID_SNAP_VERTEX, OnSnapCommand)
    ON_COMMAND_EX(ID_SNAP_GRID, OnSnapCommand)
    ON_COMMAND_EX(ID_SNAP_NONE, OnSnapCommand)
    ON_COMMAND_EX(ID_TOOL_DELETE_ALL_DRAWINGS, OnDeleteAllDrawings)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_ALL_DRAWINGS, OnDeleteAllDrawings)
    ON_UPDATE_COMMAND_UI(ID_TOOL_DELETE_ALL_DRAWINGS, OnUpdateDeleteAllDrawings)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_TOOL, OnDrawingCommand)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_TEXT, OnDrawingCommand)
    ON_COMMAND_EX(ID_CONTEXT_FORMAT_TOOL, OnDrawingCommand)
    ON_COMMAND_EX(ID_CONTEXT_FORMAT_TEXT, OnDrawingCommand)
    ON_COMMAND_EX(ID_CONTEXT_EDIT_TEXT, OnDrawingCommand)
    ON_COMMAND(ID_TOOLS_FILE_SAVE, OnSaveToolsFile)
    ON_COMMAND(ID_TOOLS_FILE_OPEN, OnOpenToolsFile)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_FILE_SAVE, OnUpdateToolsFile)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_FILE_OPEN, OnUpdateToolsFile)
    ON_UPDATE_COMMAND_UI(ID_FILTERED_PATHS_ONLY, OnUpdateFilterCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTER_BY_IMPACT, OnUpdateFilterCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTER_BY_VALUE, OnUpdateFilterCommand)
    ON_UPDATE_COMMAND_UI(ID_REMOVE_FILTER, OnUpdateFilterCommand)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
END_MESSAGE_MAP()

CTalusimOlectraView::CTalusimOlectraView() = default;

CTalusimOlectraView::~CTalusimOlectraView()
{
    ReleaseSeries(m_chart, m_hData);
}

CTalusimDoc* CTalusimOlectraView::Doc() const
{
    return m_pDocument;
}

void CTalusimOlectraView::SetGraph(int kind, CEntity* object)
{
    m_graph.kind = kind;
    m_graph.object = object;
    if (IsWholeRunGraph(kind))
        m_bSplitView = 1;
    else if (IsImpactGraph(kind))
        m_bSplitView = 0;
}

bool CTalusimOlectraView::IsShowing(int kind, CEntity* object) const
{
    return GraphMatches(m_graph.kind, m_graph.object, kind, object);
}

int CTalusimOlectraView::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_chart.Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), this, 1))
        return -1;
    m_pDocument = static_cast<CTalusimDoc*>(GetDocument());
    if (!m_pDocument)
        return -1;
    m_pResults = std::make_unique<CDocGraphResults>(m_pDocument);
    return 0;
}

void CTalusimOlectraView::OnDestroy()
{
    // The window's drawings belong to it alone and close with it.
    if (Doc())
        CGraphModes(*this).DropDrawings();
    CView::OnDestroy();
}

GraphUnits CTalusimOlectraView::DocUnits() const
{
    GraphUnits units;
    if (CTalusimDoc* doc = Doc()) {
        units.length = doc->GetLengthUnitLabel();
        units.velocity = doc->GetVelocityUnitLabel();
        units.angularVelocity = doc->GetAngularVelocityUnitLabel();
        units.energy = doc->GetEnergyUnitLabel();
    }
    return units;
}

void CTalusimOlectraView::SetAxisTitles()
{
    if (!Doc())
        return;
    GraphAxisTitles(m_graph.kind, DocUnits(), m_graph.settings.computedXTitle, m_graph.settings.computedYTitle);
}

void CTalusimOlectraView::ApplyStyle()
{
    ApplySeriesStyle(m_chart, m_graph.kind, m_seriesColour, m_bGrayscale != 0, m_bMarkers != 0);
}

void CTalusimOlectraView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    SetUpChartStyles(m_chart);
    ApplyChartFonts(m_chart, false);
    SetAxisTitles();
    m_seriesColour = GraphSeriesColour(m_graph.kind);
    ApplyStyle();
    RebuildChart();
    ChartSettings& s = m_graph.settings;
    s.customXTitle = s.computedXTitle;
    s.customYTitle = s.computedYTitle;
    s.customHeader = s.computedHeader;
    ApplyChartTitles(m_chart, s);
    static const UINT kMenuPictures[] = {IDR_TOOLBAR_GRAPH, IDR_TOOLBAR_CONTEXT_IMAGES};
    if (m_contextMenu.LoadMenu(IDR_CONTEXT_MENU))
        m_contextMenu.LoadToolbars(kMenuPictures, 2);
    // The view is the tip's one tool; its text is asked for, and is always empty.
    if (m_toolTip.Create(this, TTS_ALWAYSTIP) && m_toolTip.AddTool(this)) {
        m_toolTip.SetMaxTipWidth(0x7FFF);
        m_toolTip.SetDelayTime(TTDT_AUTOPOP, 0x7FFF);
        m_toolTip.SetDelayTime(TTDT_INITIAL, 200);
        m_toolTip.SetDelayTime(TTDT_RESHOW, 200);
    }
    m_pViewContext = std::make_unique<CViewContext>();
    m_pViewContext->SetOwnerView(this);
}

void CTalusimOlectraView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // What only follows the mouse in a slope view changes no result: at
    // most the slope panel shows it.
    if (lHint == CTalusimDoc::HINT_FOLLOWS_MOUSE) {
        if (ShowsSlopePanel())
            RepaintSlopePanel();
        return;
    }
    // A drawing changes no result: only the panel it shows on is repainted.
    if (auto* drawing = dynamic_cast<CEntity*>(pHint); drawing && drawing->GetKindId() == kToolKindId) {
        if (drawing->GetGroupId() == ToolGroupOf(this))
            RepaintSlopePanel();
        return;
    }
    RebuildChart();
    CView::OnUpdate(pSender, lHint, pHint);
}

void CTalusimOlectraView::ApplyTitlesAndRanges()
{
    CString title = GraphWindowTitle(m_graph.kind, m_graph.object, m_graph.location);
    SetWindowText(title);
    // The frame's caption is the document's title with the view's text after it.
    if (CFrameWnd* frame = GetParentFrame())
        frame->OnUpdateFrameTitle(TRUE);
    m_graph.settings.computedHeader = title;
    ApplyChartTitles(m_chart, m_graph.settings);
    ApplyAxisRanges(m_chart, m_graph.settings);
}

void CTalusimOlectraView::RebuildChart()
{
    if (!m_pResults)
        return;
    RebuildGraphData(*m_pResults, m_graph);
    CommitSeries(m_chart, m_hData, m_graph.series);
    ApplyTitlesAndRanges();
    RefreshStatisticsDialog();
}

// ---- raw data and statistics ------------------------------------------------------------

BOOL CTalusimOlectraView::OnGraphDataCopy(BOOL textMode, CExcelAutomation* excel, int firstColumn, int firstRow)
{
    if (!textMode && !excel)
        return textMode;
    RawDataTable table;
    if (!m_pResults || !CollectRawData(*m_pResults, m_graph, DocUnits(), table)) {
        AfxMessageBox(kRawDataInternalError);
        return textMode;
    }
    if (table.tooManyRows)
        AfxMessageBox(kRawDataInternalError);
    if (textMode) {
        if (CTalusimDoc* doc = Doc())
            doc->GetDatabase()->CopyTextToClipboard(this, table.text);
    } else {
        WriteRawDataToSheet(*excel, table, firstColumn, firstRow);
    }
    return textMode;
}

CString CTalusimOlectraView::BuildStatisticsReport() const
{
    // Translational-energy hits of a barrier with a finite capacity mark
    // where the capacity is exceeded.
    double capacity = DBL_MAX;
    if (m_graph.kind == CTalusimBarrier::kGraphTranslationalEnergy)
        if (auto* barrier = dynamic_cast<CTalusimBarrier*>(m_graph.object);
            barrier && m_pResults && m_pResults->HoldsObject(barrier) && !barrier->HasInfiniteCapacity())
            capacity = barrier->GetCapacity();
    return ::BuildStatisticsReport(m_graph.settings.computedHeader, m_graph.raw, capacity);
}

void CTalusimOlectraView::RefreshStatisticsDialog()
{
    CMainFrameServices& frame = MainFrameServices();
    if (!frame.StatisticsFollowView(this))
        return;
    frame.SetStatisticsReport(Doc(), BuildStatisticsReport());
}

void CTalusimOlectraView::OnCopyRawData()
{
    OnGraphDataCopy(TRUE, nullptr, 1, 1);
}

void CTalusimOlectraView::OnUpdateCopyRawData(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasData());
}

void CTalusimOlectraView::OnStatistics()
{
    m_bContextMenu = 0;
    MainFrameServices().ShowDistributionStatistics(Doc());
    RefreshStatisticsDialog();
}

void CTalusimOlectraView::OnUpdateGraphStatistics(CCmdUI* pCmdUI)
{
    const bool kind = m_graph.kind == GRAPH_NONE || IsDistributionGraph(m_graph.kind) ||
                      IsEndPointGraph(m_graph.kind) || IsImpactGraph(m_graph.kind);
    pCmdUI->Enable(kind && m_graph.raw.GetCount() > 0);
}

void CTalusimOlectraView::OnUpdateContextStatistics(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_graph.raw.GetCount() > 0);
}

CString CTalusimOlectraView::WorkbookFileName() const
{
    char folder[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    const CTalusimDoc* doc = Doc();
    return WorkbookPathBeside(doc ? doc->GetPathName() : CString(), folder, m_graph.settings.Header());
}

void CTalusimOlectraView::OnChartInExcel()
{
    if (!m_hData)
        return;
    const int n = XrtDataGetNPoints(m_hData, 0);
    const double* x = XrtDataGetXData(m_hData, 0);
    const double* y = XrtDataGetYData(m_hData, 0);
    if (!x || !y)
        return;

    CExcelAutomation excel;
    excel.SetShowMessages(TRUE);
    // Without a spreadsheet program the workbook is written beside the document.
    excel.SetWorkbookFile(WorkbookFileName());
    try {
        // Starting can fail half way (a workbook that will not open): that
        // is reported like any later failure.
        if (!excel.StartExcel())
            return;
        excel.SetVisible(TRUE);
        const ChartSettings& s = m_graph.settings;
        const CString header = s.Header(), xTitle = s.XTitle(), yTitle = s.YTitle();
        excel.SetCellText(header, CExcelAutomation::CellName(2, 1));
        excel.SetCellText(xTitle, CExcelAutomation::CellName(4, 1));
        excel.SetCellText(yTitle, CExcelAutomation::CellName(4, 2));
        excel.AutoFitColumns(CExcelCellRange::Columns(1, 2));
        excel.BeginNumberBlock(CExcelCellRange(5, 1, 4 + n, 2));
        for (int i = 0; i < n; ++i) {
            excel.SetBlockNumber(x[i], i, 0);
            excel.SetBlockNumber(y[i], i, 1);
        }
        excel.FlushBlock();
        const bool envelope = IsEnvelopeGraph(m_graph.kind);
        excel.AddChart(4, 1, 4 + n, 2, FALSE, header, xTitle, yTitle, envelope ? -4169 : -4100, envelope ? 74 : 51,
                       -4107, FALSE, TRUE);
        OnGraphDataCopy(FALSE, &excel, 1, 6 + n);
        excel.SetUserControl(TRUE);
    } catch (const CExcelError& e) {
        AfxMessageBox(e.what(), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CTalusimOlectraView::OnContextChartInExcel()
{
    m_bContextMenu = 0;
    OnChartInExcel();
}

void CTalusimOlectraView::OnUpdateChartInExcel(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_hData != nullptr && HasData());
}

void CTalusimOlectraView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    RefreshStatisticsDialog();
}

bool CTalusimOlectraView::HasData()
{
    return ::HasData(m_pResults.get(), m_graph);
}

void CTalusimOlectraView::SelectLocation(double x, int index)
{
    if (m_pResults)
        ::SelectLocation(*m_pResults, x, index, m_graph.location);
}

void CTalusimOlectraView::LayoutChart(int cx, int cy)
{
    // An impact graph (or no graph) keeps the whole height even when split.
    const bool half = m_bSplitView && IsWholeRunGraph(m_graph.kind);
    const int h = half ? cy / 2 : cy;
    m_chart.MoveWindow(0, 0, cx, h);
    if (h > 197 && m_bSmallFont) {
        ApplyChartFonts(m_chart, false);
        m_bSmallFont = 0;
    } else if (h <= 197 && !m_bSmallFont) {
        ApplyChartFonts(m_chart, true);
        m_bSmallFont = 1;
    }
}

void CTalusimOlectraView::OnSize(UINT, int cx, int cy)
{
    if (cx > 0 && cy > 0)
        LayoutChart(cx, cy);
}

void CTalusimOlectraView::SetSplitView(bool split)
{
    m_bSplitView = split ? 1 : 0;
    CRect r;
    GetClientRect(&r);
    if (r.Width() > 0 && r.Height() > 0)
        LayoutChart(r.Width(), r.Height());
    Invalidate();
}

void CTalusimOlectraView::OnSplitView()
{
    SetSplitView(!m_bSplitView);
}

void CTalusimOlectraView::OnUpdateSplitView(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsWholeRunGraph(m_graph.kind));
    pCmdUI->SetCheck(m_bSplitView != 0);
}

void CTalusimOlectraView::OnGrayscale()
{
    m_bContextMenu = 0;
    m_bGrayscale = !m_bGrayscale;
    ApplyStyle();
    Invalidate();
}

void CTalusimOlectraView::OnUpdateGrayscale(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bGrayscale != 0);
}

void CTalusimOlectraView::OnMarkers()
{
    m_bContextMenu = 0;
    m_bMarkers = !m_bMarkers;
    ApplyStyle();
    Invalidate();
}

void CTalusimOlectraView::OnPanLeft()
{
    StepLocation(-1);
}

void CTalusimOlectraView::OnPanRight()
{
    StepLocation(1);
}

void CTalusimOlectraView::OnUpdateAlwaysDisabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CTalusimOlectraView::OnChartProperties()
{
    CChartPropertiesDlg dlg;
    dlg.SetView(this);
    dlg.SetBinsEditable(!IsEnvelopeGraph(m_graph.kind));
    // Apply and Default change the graph at once; anything but OK undoes them.
    const ChartSettings before = m_graph.settings;
    if (dlg.DoModal() != IDOK)
        m_graph.settings = before;
    ApplyAxisRanges(m_chart, m_graph.settings);
    for (int id : {XRT_X_MAX_AUTO, XRT_X_MIN_AUTO, XRT_AUTO_3584, XRT_Y_MAX_AUTO, XRT_Y_MIN_AUTO, XRT_AUTO_3585})
        m_chart.SetInt(id, 0);
    RebuildChart();
    Invalidate();
}

void CTalusimOlectraView::OnUpdateChartProperties(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasData());
}

void CTalusimOlectraView::OnUpdateEndpoints(CCmdUI* pCmdUI)
{
    CTalusimDoc* doc = Doc();
    pCmdUI->Enable(doc && doc->GetEnvelopeCount() > 0);
    pCmdUI->SetCheck(0);
}

CMenu* CTalusimOlectraView::PrepareContextMenu(CPoint client)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_contextMenu.GetSafeHmenu())
        return nullptr;
    CREGDatabase* db = doc->GetDatabase();
    db->SetDefaultContextMenu(IDR_CONTEXT_MENU, 1000);
    const int mode = doc->GetMode();
    int index = CONTEXT_POPUP_CHART;
    if (mode == MODE_PICK_PATHS) {
        index = CONTEXT_POPUP_ZOOM_DONE;
    } else if (mode >= MODE_IMAGE_OLD_TOP_LEFT && mode <= MODE_IMAGE_NEW_BOTTOM_RIGHT) {
        index = CONTEXT_POPUP_ZOOM_CANCEL;
    } else if (mode == MODE_DELETE_TOOLS) {
        index = CONTEXT_POPUP_DELETING;
    } else if (mode >= MODE_MEASURE_FROM && mode <= MODE_ARROW_TAIL) {
        index = CONTEXT_POPUP_DRAWING;
    } else if (mode == MODE_IDLE || mode == MODE_EDIT_TOOL_SELECT) {
        // An entity of the slope panel offers its own menu first. Only where
        // the panel is shown: elsewhere nothing of the drawing is under the mouse.
        CVector2D world;
        if (SlopePanelPoint(client, world)) {
            CContextMenuRequest request;
            request.x = client.x;
            request.y = client.y;
            request.view = this;
            request.viewContext = m_pViewContext.get();
            request.commandWindow = AfxGetMainWnd() ? AfxGetMainWnd() : this;
            request.menu = &m_contextMenu;
            if (db->ShowContextMenu(request))
                return nullptr;
        }
    }
    CMenu* menu = m_contextMenu.GetSubMenu(index);
    if (!menu)
        return nullptr;
    if (IsWholeRunGraph(m_graph.kind))
        menu->CheckMenuItem(ID_GRAPH_SPLIT_VIEW, MF_BYCOMMAND | (m_bSplitView ? MF_CHECKED : MF_UNCHECKED));
    else
        menu->DeleteMenu(ID_GRAPH_SPLIT_VIEW, MF_BYCOMMAND);
    menu->CheckMenuItem(ID_CONTEXT_GRAPH_GRAYSCALE, MF_BYCOMMAND | (m_bGrayscale ? MF_CHECKED : MF_UNCHECKED));
    menu->EnableMenuItem(ID_GRAPH_CHART_PROPERTIES, MF_BYCOMMAND | (HasData() ? MF_ENABLED : MF_GRAYED));
    if (IsEnvelopeGraph(m_graph.kind)) {
        menu->DeleteMenu(ID_CONTEXT_STATISTICS, MF_BYCOMMAND);
        menu->CheckMenuItem(ID_GRAPH_MARKERS, MF_BYCOMMAND | (m_bMarkers ? MF_CHECKED : MF_UNCHECKED));
    } else {
        menu->DeleteMenu(ID_GRAPH_MARKERS, MF_BYCOMMAND);
    }
    if (index == CONTEXT_POPUP_DRAWING) {
        const int snap = db->GetSnapMode();
        menu->CheckMenuItem(ID_SNAP_NONE, MF_BYCOMMAND | (snap == SNAP_NONE ? MF_CHECKED : MF_UNCHECKED));
        menu->CheckMenuItem(ID_SNAP_GRID, MF_BYCOMMAND | (snap == SNAP_GRID ? MF_CHECKED : MF_UNCHECKED));
        menu->CheckMenuItem(ID_SNAP_VERTEX, MF_BYCOMMAND | (snap == SNAP_VERTEX ? MF_CHECKED : MF_UNCHECKED));
    }
    return menu;
}

void CTalusimOlectraView::OnContextMenu(CWnd*, CPoint point)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->ActivateFrame();
    // From the keyboard the point is (-1, -1): the menu opens at the window's corner.
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
    }
    CPoint client = point;
    ScreenToClient(&client);
    if (CMenu* menu = PrepareContextMenu(client)) {
        CWnd* owner = AfxGetMainWnd();
        menu->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, owner ? owner : this);
    }
}

BOOL CTalusimOlectraView::OnToolTipNeedText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    if (!pNMHDR || pNMHDR->hwndFrom != m_toolTip.GetSafeHwnd())
        return FALSE;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    info->lpszText = nullptr;
    info->szText[0] = '\0';
    return TRUE;
}

BOOL CTalusimOlectraView::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() && pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONUP &&
        pMsg->message != WM_LBUTTONDBLCLK && pMsg->message != WM_RBUTTONDBLCLK)
        m_toolTip.RelayEvent(pMsg);
    return CView::PreTranslateMessage(pMsg);
}

bool CTalusimOlectraView::MapSlopePanel(const CRect& area, int chartWidth, double& top, double& bottom,
                                        double scale)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_pViewContext || !doc->GetSlope())
        return false;
    CViewContext& vc = *m_pViewContext;
    int left = 0, right = 0;
    GetPlotAreaColumns(m_chart, chartWidth, left, right);
    left = static_cast<int>(left * scale + 0.5);
    right = static_cast<int>(right * scale + 0.5);
    vc.SetIsotropic(false);
    vc.SetDeviceOrigin(area.left + left, area.top);
    vc.SetDeviceExtent(std::max(right - left, 1), area.Height());

    // x over the slope, y over the slope and every rock path.
    CVector2D tl, br;
    doc->GetSlopeExtents(tl, br);
    CExtentsAccumulator acc;
    acc.AddX(tl.x);
    acc.AddX(br.x);
    acc.AddY(tl.y);
    acc.AddY(br.y);
    for (CEntity* e : CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, CTalusimRockPath::kKindId, ID_ANY_GROUP))
        e->AddToExtents(&acc);
    double ext[4];
    acc.GetExtents(ext);
    const double xSpan = std::max(br.x - tl.x, 1e-9);
    const double ySpan = std::max(ext[1] - ext[3], 1e-9);
    vc.SetWorldExtent(xSpan, 1.1 * ySpan);
    vc.SetWorldOrigin(tl.x, ext[1] + 0.05 * ySpan);
    top = ext[1] + 0.05 * ySpan;
    bottom = ext[3] - 0.05 * ySpan;

    if (!m_graph.location.IsSet())
        SelectLocation((tl.x + br.x) / 2, -1);
    return true;
}

CRect CTalusimOlectraView::SlopePanelRect() const
{
    CRect client;
    GetClientRect(&client);
    client.top += client.Height() / 2;
    return client;
}

bool CTalusimOlectraView::ShowsSlopePanel() const
{
    return m_bSplitView && IsWholeRunGraph(m_graph.kind);
}

void CTalusimOlectraView::DrawSlopePanel(CDC* pDC, const CRect& area, int chartWidth, double scale)
{
    CTalusimDoc* doc = Doc();
    double top = 0.0, bottom = 0.0;
    if (!MapSlopePanel(area, chartWidth, top, bottom, scale))
        return;
    CViewContext& vc = *m_pViewContext;
    vc.SetDC(pDC);
    if (IsDistributionGraph(m_graph.kind) && doc->GetLastDistributionIndex() >= 1 && m_graph.location.IsSet())
        doc->ShowMarkerLine(CVector2D(m_graph.location.x, top), CVector2D(m_graph.location.x, bottom));

    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(area);
    vc.SetColourMode(m_bGrayscale ? COLOUR_BLACK_WHITE : COLOUR_NORMAL);
    if (area.Height() > 7) {
        doc->GetDatabase()->Draw(pDC, &vc);
    } else {
        pDC->FillSolidRect(area, RGB(255, 255, 255));
    }
    vc.SetColourMode(COLOUR_NORMAL);
    pDC->RestoreDC(saved);
    doc->HideMarkerLine();
}

bool CTalusimOlectraView::SlopePanelPoint(CPoint point, CVector2D& world)
{
    if (!ShowsSlopePanel())
        return false;
    const CRect panel = SlopePanelRect();
    if (!panel.PtInRect(point))
        return false;
    double top = 0.0, bottom = 0.0;
    CRect client;
    GetClientRect(&client);
    if (!MapSlopePanel(panel, client.Width(), top, bottom))
        return false;
    world = m_pViewContext->DeviceToWorld(point.x, point.y);
    return true;
}

void CTalusimOlectraView::ChooseLocationAt(CPoint point)
{
    CVector2D world;
    if (!IsDistributionGraph(m_graph.kind) || !SlopePanelPoint(point, world))
        return;
    const int before = m_graph.location.index;
    SelectLocation(world.x, -1);
    if (m_graph.location.index == before)
        return;
    RebuildChart();
    Invalidate();
}

void CTalusimOlectraView::StepLocation(int step)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_bSplitView || !m_graph.location.IsSet())
        return;
    const int index = m_graph.location.index + step;
    if (index < 0 || index > doc->GetLastDistributionIndex())
        return;
    SelectLocation(0.0, index);
    RebuildChart();
    Invalidate();
}

BOOL CTalusimOlectraView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // Up goes back along the slope, down goes on.
    if (zDelta > 0)
        StepLocation(-1);
    else if (zDelta < 0)
        StepLocation(1);
    return TRUE;
}

void CTalusimOlectraView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect chartArea = client;
    const bool split = ShowsSlopePanel();
    if (split)
        chartArea.bottom = client.top + client.Height() / 2;

    if (HasData()) {
        if (m_bDrawChartItself)
            XrtDrawToDC(m_chart.GetHandle(), pDC->GetSafeHdc(), XRT_DRAW_CHART, XRT_FIT_RECT, chartArea.left,
                        chartArea.top, chartArea.Width(), chartArea.Height());
        else
            m_chart.MoveWindow(0, 0, chartArea.Width(), chartArea.Height());
    } else {
        m_chart.MoveWindow(0, 0, 0, 0);
        const COLORREF bk = Doc() ? Doc()->GetDatabase()->GetBackgroundColour() : RGB(255, 255, 255);
        DrawNoDataAvailable(pDC->GetSafeHdc(), chartArea, bk);
    }
    if (split) {
        CRect lower(client.left, chartArea.bottom, client.right, client.bottom);
        DrawSlopePanel(pDC, lower, client.Width());
    }
}

BOOL CTalusimOlectraView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CTalusimOlectraView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    MainFrameServices().SetCommandLineActive(false);
    CView::OnBeginPrinting(pDC, pInfo);
}

void CTalusimOlectraView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnEndPrinting(pDC, pInfo);
    MainFrameServices().SetCommandLineActive(true);
}

void CTalusimOlectraView::OnFilePrint()
{
    MainFrameServices().ValidatePageSettings();
    CView::OnFilePrint();
}

void CTalusimOlectraView::OnFilePrintPreview()
{
    StartPrintPreview(this);
}

CRect GraphPrintRect(CDC* pDC, double left, double top, double right, double bottom)
{
    const int dpiX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));
    const int dpiY = std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
    const int width = pDC->GetDeviceCaps(HORZRES);
    const int height = pDC->GetDeviceCaps(VERTRES);
    int paperW = pDC->GetDeviceCaps(PHYSICALWIDTH);
    int paperH = pDC->GetDeviceCaps(PHYSICALHEIGHT);
    int offX = pDC->GetDeviceCaps(PHYSICALOFFSETX);
    int offY = pDC->GetDeviceCaps(PHYSICALOFFSETY);
    if (paperW < width || paperH < height) {    // not a printer: the page is what the DC shows
        paperW = width;
        paperH = height;
        offX = offY = 0;
    }
    const int offRight = std::max(0, paperW - width - offX);
    const int offBottom = std::max(0, paperH - height - offY);
    // A margin narrower than the printer's unprintable border would put the
    // picture where the printer cannot reach: the border wins.
    const int l = std::max(static_cast<int>(left * dpiX + 0.5), offX) - offX;
    const int t = std::max(static_cast<int>(top * dpiY + 0.5), offY) - offY;
    const int r = std::max(static_cast<int>(right * dpiX + 0.5), offRight) - offRight;
    const int b = std::max(static_cast<int>(bottom * dpiY + 0.5), offBottom) - offBottom;
    return CRect(l, t, l + std::max(1, width - l - r), t + std::max(1, height - t - b));
}

void CTalusimOlectraView::OnPrint(CDC* pDC, CPrintInfo*)
{
    // The printable area inside the application's margins, in printer pixels.
    double left = 1.0, top = 1.0, right = 1.0, bottom = 1.0;
    bool showOnPaper = false;
    MainFrameServices().GetPrintMargins(left, top, right, bottom, showOnPaper);
    const CRect draw = GraphPrintRect(pDC, left, top, right, bottom);
    // The chart lays itself out at screen size, then the DC scales it to paper.
    const int printerDpiX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));
    const int printerDpiY = std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
    HDC screen = ::GetDC(nullptr);
    const int screenDpiX = ::GetDeviceCaps(screen, LOGPIXELSX), screenDpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const int w = std::max(1, ::MulDiv(draw.Width(), screenDpiX, printerDpiX));
    const int h = std::max(1, ::MulDiv(draw.Height(), screenDpiY, printerDpiY));

    CRect old;
    m_chart.GetWindowRect(&old);
    ScreenToClient(&old);
    m_chart.ShowWindow(SW_HIDE);
    m_chart.MoveWindow(0, 0, w, h, FALSE);

    const int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_ISOTROPIC);
    pDC->SetWindowExt(w, h);
    pDC->SetViewportExt(draw.Width(), draw.Height());
    pDC->SetViewportOrg(draw.left, draw.top);
    const bool split = ShowsSlopePanel();
    const int chartHeight = split ? h / 2 : h;
    if (HasData())
        XrtDrawToDC(m_chart.GetHandle(), pDC->GetSafeHdc(), XRT_DRAW_CHART, XRT_FIT_RECT, 0, 0, w, chartHeight);
    else
        DrawNoDataAvailable(pDC->GetSafeHdc(), CRect(0, 0, w, chartHeight), RGB(255, 255, 255));
    pDC->RestoreDC(saved);
    if (split) {
        // The slope is drawn in printer pixels, as the slope window prints it:
        // its pens, markers and rulers take their size from the printer's
        // resolution and would grow twice under the chart's stretching.
        const CRect panel(draw.left, draw.top + ::MulDiv(chartHeight, draw.Height(), h), draw.right, draw.bottom);
        // The plot area's columns are those of the chart as it was drawn.
        m_chart.MoveWindow(0, 0, w, chartHeight, FALSE);
        HGDIOBJ oldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
        HPEN red = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ oldPen = ::SelectObject(pDC->GetSafeHdc(), red);
        DrawSlopePanel(pDC, panel, w, static_cast<double>(draw.Width()) / w);
        ::SelectObject(pDC->GetSafeHdc(), oldPen);
        ::SelectObject(pDC->GetSafeHdc(), oldBrush);
        ::DeleteObject(red);
    }
    m_chart.MoveWindow(&old, FALSE);
    m_chart.ShowWindow(SW_SHOW);
}

// ---- the document's seams -----------------------------------------------------------

namespace {

class CGraphViewServices : public CGraphServices
{
public:
    bool IsGraphView(CView* view) override
    {
        return view && view->IsKindOf(RUNTIME_CLASS(CTalusimOlectraView));
    }
    bool IsShowing(CView* view, int kind, CEntity* object) override
    {
        return IsGraphView(view) && static_cast<CTalusimOlectraView*>(view)->IsShowing(kind, object);
    }
    void ClearContextMenuFlag(CView* view) override
    {
        if (IsGraphView(view))
            static_cast<CTalusimOlectraView*>(view)->ClearContextMenuFlag();
    }
    void SetAxisTitles(CView* view) override
    {
        if (IsGraphView(view))
            static_cast<CTalusimOlectraView*>(view)->SetAxisTitles();
    }
    INT_PTR RunGraphSelect(CTalusimDoc* document) override
    {
        CGraphSelectDlg dlg;
        dlg.SetData(document ? document->GetDatabase() : nullptr, &MainFrameServices());
        return dlg.DoModal();
    }
    INT_PTR RunCreateGraph(int mode, int& kind) override
    {
        CCreateGraphDlg dlg;
        dlg.m_nMode = mode;
        const INT_PTR result = dlg.DoModal();
        if (result == IDOK)
            kind = dlg.m_nGraphKind;
        return result;
    }
};

} // namespace

void InstallGraphViewServices()
{
    static CGraphViewServices services;
    InstallGraphServices(&services);
}

