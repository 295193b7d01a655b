// CTalusimOlectraView: the document's graph window. It shows one graph of the
// computed results in a chart window; in split view the lower half shows the
// slope and the rock paths, stretched to the chart's plot area, and a click
// there chooses the location whose distribution is shown.
#pragma once

#include <memory>

#include "controls/KsMenu.h"
#include "framework/CommonControls.h"
#include "framework/View.h"
#include "graphs/Chart2D.h"
#include "geometry/Vector2D.h"
#include "graphs/GraphData.h"

class CEntity;
class CTalusimDoc;
class CViewContext;
class CGraphResults;
class CExcelAutomation;

class CTalusimOlectraView : public CView
{
    DECLARE_DYNCREATE(CTalusimOlectraView)
public:
    CTalusimOlectraView();
    ~CTalusimOlectraView() override;

    void SetGraph(int kind, CEntity* object);
    bool IsShowing(int kind, CEntity* object) const;
    void ClearContextMenuFlag() { m_bContextMenu = 0; }
    void SetAxisTitles();
    void RebuildChart();
    bool HasData();
    void SelectLocation(double x, int index);
    void SetSplitView(bool split);

    // ---- interaction events (GraphViewModes.cpp) ---------------------------------
    // Sends the event at a client point to the handler of the document's mode.
    void ProcessMouseEvent(int event, int x, int y);
    void SendDeleteEvent() { ProcessMouseEvent(300, 0, 0); }
    void SendCancelEvent() { ProcessMouseEvent(301, 0, 0); }
    void SendDoneEvent() { ProcessMouseEvent(302, 0, 0); }
    // The world point under a client point, snapped for the document's mode.
    CVector2D SnapPoint(int x, int y, bool roundDown);
    CViewContext* GetViewContext() const { return m_pViewContext.get(); }
    // True when the view has drawings of its own.
    bool HasDrawings();
    // Repaints the slope panel: the lower half in split view, else the whole view.
    void RepaintSlopePanel();
    // A bitmap of the whole client area, chart and slope panel, drawn anew
    // (not read from the screen, where other windows may cover it).
    HBITMAP RenderClientBitmap();

    int GetGraphKind() const { return m_graph.kind; }
    CEntity* GetObject() const { return m_graph.object; }
    bool IsSplit() const { return m_bSplitView != 0; }
    const GraphState& GetGraphState() const { return m_graph; }
    ChartSettings& GetChartSettings() { return m_graph.settings; }
    CChart2D& GetChart() { return m_chart; }
    bool IsGrayscale() const { return m_bGrayscale != 0; }
    bool HasMarkers() const { return m_bMarkers != 0; }
    bool UsesSmallFonts() const { return m_bSmallFont != 0; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }
    // Writes the raw data behind the graph: as text to the clipboard (text
    // mode), or into the spreadsheet from (row, column). Returns the mode.
    BOOL OnGraphDataCopy(BOOL textMode, CExcelAutomation* excel, int firstColumn, int firstRow);
    // The report of the raw values for the Distribution Statistics window.
    CString BuildStatisticsReport() const;
    // Hands the report to the statistics window when it follows this view.
    void RefreshStatisticsDialog();

    // The popup of menu 6002 that a right click at the client point shows now,
    // prepared for this graph; null when an entity under the point showed its own.
    CMenu* PrepareContextMenu(CPoint client);

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CTalusimDoc* Doc() const;
    GraphUnits DocUnits() const;
    // Where Chart in Excel writes its workbook when no spreadsheet program is there.
    CString WorkbookFileName() const;
    void ApplyTitlesAndRanges();
    void ApplyStyle();
    void LayoutChart(int cx, int cy);
    // Maps the view context onto `area`, narrowed to the plot area of a chart
    // `chartWidth` wide whose columns are `scale` device pixels each (the
    // printed chart is laid out at screen size and stretched to the paper):
    // x over the slope, y over the slope and the rock paths. The world's top
    // and bottom come back. False without a slope.
    bool MapSlopePanel(const CRect& area, int chartWidth, double& top, double& bottom, double scale = 1.0);
    // Draws the slope and rock paths into `area` of the DC, mapped as above.
    void DrawSlopePanel(CDC* pDC, const CRect& area, int chartWidth, double scale = 1.0);
    // The lower half of the client area, where split view shows the slope.
    CRect SlopePanelRect() const;
    bool ShowsSlopePanel() const;
    // The world point under a client point of the slope panel; false elsewhere.
    bool SlopePanelPoint(CPoint point, CVector2D& world);
    // Shows the distribution at the location nearest the slope panel point.
    void ChooseLocationAt(CPoint point);
    // The previous (-1) or next (+1) location, within the document's records.
    void StepLocation(int step);
    // Maps the view context onto the slope panel as it shows now; false when
    // no panel is shown, and then the drawing takes no mouse events.
    bool MapViewContext();

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSplitView();
    afx_msg void OnUpdateSplitView(CCmdUI* pCmdUI);
    afx_msg void OnGrayscale();
    afx_msg void OnUpdateGrayscale(CCmdUI* pCmdUI);
    afx_msg void OnMarkers();
    afx_msg void OnPanLeft();
    afx_msg void OnPanRight();
    afx_msg void OnUpdateAlwaysDisabled(CCmdUI* pCmdUI);
    afx_msg void OnChartProperties();
    afx_msg void OnUpdateChartProperties(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEndpoints(CCmdUI* pCmdUI);
    afx_msg void OnCopyRawData();
    afx_msg void OnUpdateCopyRawData(CCmdUI* pCmdUI);
    afx_msg void OnStatistics();
    afx_msg void OnUpdateGraphStatistics(CCmdUI* pCmdUI);
    afx_msg void OnUpdateContextStatistics(CCmdUI* pCmdUI);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnChartInExcel();
    afx_msg void OnContextChartInExcel();
    afx_msg void OnUpdateChartInExcel(CCmdUI* pCmdUI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnToolTipNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFilePrint();
    afx_msg void OnExportImage();
    afx_msg void OnFilePrintPreview();
    // The drawing tools, the tools file, filtering and copying (GraphViewCommands.cpp).
    afx_msg BOOL OnModeCommand(UINT id);
    afx_msg void OnUpdateModeCommand(CCmdUI* pCmdUI);
    afx_msg BOOL OnEventCommand(UINT id);
    afx_msg BOOL OnSnapCommand(UINT id);
    afx_msg BOOL OnDeleteAllDrawings(UINT id);
    afx_msg void OnUpdateDeleteAllDrawings(CCmdUI* pCmdUI);
    afx_msg BOOL OnDrawingCommand(UINT id);
    afx_msg void OnPictureFromFile();
    afx_msg void OnScalePicture();
    afx_msg void OnUpdatePictureCommand(CCmdUI* pCmdUI);
    afx_msg void OnSaveToolsFile();
    afx_msg void OnOpenToolsFile();
    afx_msg void OnUpdateToolsFile(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFilterCommand(CCmdUI* pCmdUI);
    afx_msg void OnEditCopy();

    GraphState m_graph;    // kind, object, settings, location, series and raw values
    BYTE m_bContextMenu = 0;
    BYTE m_bGrayscale = 0;
    BYTE m_bSmallFont = 0;
    BYTE m_bMarkers = 1;
    COLORREF m_seriesColour = 0;
    KsMenu m_contextMenu;    // IDR_CONTEXT_MENU with the pictures of IDR_TOOLBAR_GRAPH and IDR_TOOLBAR_CONTEXT_IMAGES
    BYTE m_bSplitView = 0;
    CToolTipCtrl m_toolTip;
    CTalusimDoc* m_pDocument = nullptr;
    std::unique_ptr<CViewContext> m_pViewContext;
    std::unique_ptr<CGraphResults> m_pResults;
    CChart2D m_chart;
    XrtDataHandle m_hData = nullptr;
    // Set while OnDraw paints the whole window into a bitmap: the chart then
    // draws itself into the DC instead of standing there as a child window.
    bool m_bDrawChartItself = false;

    DECLARE_MESSAGE_MAP()
    friend class CGraphModeHost;
};

// The part of a printer's page inside the margins (inches from the paper's
// edges), in the DC's device pixels; never in the printer's unprintable border.
CRect GraphPrintRect(CDC* pDC, double left, double top, double right, double bottom);

// Makes the document's graph seams answer through the graph views and dialogs.
void InstallGraphViewServices();
