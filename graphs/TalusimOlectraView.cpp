// The graph window builds only once the document does: it reads the results,
// the slope and the drawing through it.
#include "model/DocumentDependencies.h"

#ifdef CLASTOR_DOCUMENT_BUILT

#include "graphs/TalusimOlectraView.h"

#include <algorithm>
#include <cfloat>

#include "app/MainFrameServices.h"
#include "geometry/ExtentsAccumulator.h"
#include "geometry/ViewContext.h"
#include "graphs/GraphChart.h"
#include "graphs/GraphDialogs.h"
#include "graphs/GraphServices.h"
#include "model/InteractionModes.h"
#include "model/MarkerLine.h"

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
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_COMMAND(44066, OnSplitView)
    ON_UPDATE_COMMAND_UI(44066, OnUpdateSplitView)
    ON_COMMAND(44133, OnGrayscale)
    ON_COMMAND(44165, OnGrayscale)
    ON_UPDATE_COMMAND_UI(44133, OnUpdateGrayscale)
    ON_COMMAND(44130, OnMarkers)
    ON_COMMAND(44105, OnPanLeft)
    ON_COMMAND(44106, OnPanRight)
    ON_UPDATE_COMMAND_UI(44009, OnUpdateAlwaysDisabled)
    ON_UPDATE_COMMAND_UI(44147, OnUpdateAlwaysDisabled)
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

void CTalusimOlectraView::SetAxisTitles()
{
    CTalusimDoc* doc = Doc();
    if (!doc)
        return;
    GraphUnits units;
    units.length = doc->GetLengthUnitLabel();
    units.velocity = doc->GetVelocityUnitLabel();
    units.angularVelocity = doc->GetAngularVelocityUnitLabel();
    units.energy = doc->GetEnergyUnitLabel();
    GraphAxisTitles(m_graph.kind, units, m_graph.settings.computedXTitle, m_graph.settings.computedYTitle);
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
    m_pViewContext = std::make_unique<CViewContext>();
    m_pViewContext->SetOwnerView(this);
}

void CTalusimOlectraView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    RebuildChart();
    CView::OnUpdate(pSender, lHint, pHint);
}

void CTalusimOlectraView::ApplyTitlesAndRanges()
{
    CString title = GraphWindowTitle(m_graph.kind, m_graph.object, m_graph.location);
    SetWindowText(title);
    if (CWnd* frame = GetParent())
        frame->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(title)));
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

bool CTalusimOlectraView::MapSlopePanel(const CRect& area, int chartWidth, double& top, double& bottom)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_pViewContext || !doc->GetSlope())
        return false;
    CViewContext& vc = *m_pViewContext;
    int left = 0, right = 0;
    GetPlotAreaColumns(m_chart, chartWidth, left, right);
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

void CTalusimOlectraView::DrawSlopePanel(CDC* pDC, const CRect& area, int chartWidth)
{
    CTalusimDoc* doc = Doc();
    double top = 0.0, bottom = 0.0;
    if (!MapSlopePanel(area, chartWidth, top, bottom))
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

void CTalusimOlectraView::OnLButtonDown(UINT, CPoint point)
{
    // A click chooses the location only while no interaction mode (a drawing
    // tool, picking paths) has the mouse.
    CTalusimDoc* doc = Doc();
    if (doc && doc->GetMode() == MODE_IDLE)
        ChooseLocationAt(point);
}

void CTalusimOlectraView::OnMouseMove(UINT flags, CPoint point)
{
    CTalusimDoc* doc = Doc();
    if (!doc || !m_pViewContext)
        return;
    CVector2D world;
    if (SlopePanelPoint(point, world))
        MainFrameServices().SetCursorCoordinates(world.x, world.y);
    else
        MainFrameServices().SetCursorCoordinates(DBL_MAX, DBL_MAX);
    // Dragging over the slope panel runs the location along with the mouse.
    if ((flags & MK_LBUTTON) && doc->GetMode() == MODE_IDLE)
        ChooseLocationAt(point);
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
    CView::OnBeginPrinting(pDC, pInfo);
}

void CTalusimOlectraView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnEndPrinting(pDC, pInfo);
}

void CTalusimOlectraView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    // The printable area inside the application's margins, in printer pixels.
    const CRect draw = pInfo ? pInfo->m_rectDraw : CRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    const int printerDpiX = pDC->GetDeviceCaps(LOGPIXELSX), printerDpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    HDC screen = ::GetDC(nullptr);
    const int screenDpiX = ::GetDeviceCaps(screen, LOGPIXELSX), screenDpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const int w = ::MulDiv(draw.Width(), screenDpiX, std::max(printerDpiX, 1));
    const int h = ::MulDiv(draw.Height(), screenDpiY, std::max(printerDpiY, 1));

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
    const bool split = m_bSplitView && IsWholeRunGraph(m_graph.kind);
    const int chartHeight = split ? h / 2 : h;
    if (HasData())
        XrtDrawToDC(m_chart.GetHandle(), pDC->GetSafeHdc(), XRT_DRAW_CHART, XRT_FIT_RECT, 0, 0, w, chartHeight);
    else
        DrawNoDataAvailable(pDC->GetSafeHdc(), CRect(0, 0, w, chartHeight), RGB(255, 255, 255));
    if (split) {
        HGDIOBJ oldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
        HPEN red = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ oldPen = ::SelectObject(pDC->GetSafeHdc(), red);
        DrawSlopePanel(pDC, CRect(0, chartHeight, w, h), w);
        ::SelectObject(pDC->GetSafeHdc(), oldPen);
        ::SelectObject(pDC->GetSafeHdc(), oldBrush);
        ::DeleteObject(red);
    }
    pDC->RestoreDC(saved);
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

#endif
