// The slope view's window: creation, first update, painting, updates, size,
// zoom, data tips, focus and printing.
#include "view/TalusimView.h"

#include "model/DocumentDependencies.h"

IMPLEMENT_DYNCREATE(CTalusimView, CScrollView)

#include <commctrl.h>
#include "model/MainFrameServices.h"
#include "framework/AfxRes.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/Preview.h"
#include "res/resource.h"
#include "geometry/ViewContext.h"
#include "model/InteractionModes.h"
#include "view/PrintPreviewStart.h"
#include "view/SlopeViewRules.h"
#include "view/ViewServices.h"

namespace {
constexpr double kZoomStep = 0.9;
constexpr UINT kStringSlopeProfile = 12041;
}  // namespace

BEGIN_MESSAGE_MAP(CTalusimView, CScrollView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_SETCURSOR()
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipNeedText)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_COMMAND(ID_IMPORT_CRSP, OnImportCrsp)
    ON_COMMAND(ID_IMPORT_DXF, OnImportDxf)
    ON_COMMAND(ID_EXPORT_DXF, OnExportDxf)
    ON_WM_CONTEXTMENU()
    // View commands.
    ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
    ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
    ON_COMMAND(ID_VIEW_ZOOM_ALL, OnZoomAll)
    ON_COMMAND_EX(ID_VIEW_PAN_LEFT, OnPanStep)
    ON_COMMAND_EX(ID_VIEW_PAN_RIGHT, OnPanStep)
    ON_COMMAND_EX(ID_VIEW_PAN_UP, OnPanStep)
    ON_COMMAND_EX(ID_VIEW_PAN_DOWN, OnPanStep)
    ON_COMMAND(ID_VIEW_RULER, OnRuler)
    ON_COMMAND(ID_CONTEXT_RULER, OnContextRuler)
    ON_COMMAND(ID_VIEW_GRAYSCALE, OnGrayscale)
    ON_COMMAND(ID_CONTEXT_GRAYSCALE, OnGrayscale)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EXPORT_IMAGE, OnExportImage)
    ON_COMMAND(ID_VIEW_LIMITS, OnViewLimits)
    ON_COMMAND(ID_CONTEXT_EXPORT_IMAGE, OnExportImage)
    // Mode commands: each toggles its mode.
    ON_COMMAND_EX(ID_TOOL_MEASURE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_ARROW, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_RECTANGLE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_CIRCLE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_LINE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_AXIS, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_TEXT_BOX, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_DELETE_DRAWINGS, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_DELETE_ALL_DRAWINGS, OnDeleteAllDrawings)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_ALL_DRAWINGS, OnDeleteAllDrawings)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_TOOL, OnToolObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_FORMAT_TOOL, OnToolObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_TEXT, OnToolObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_FORMAT_TEXT, OnToolObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_EDIT_TEXT, OnToolObjectCommand)
    ON_COMMAND(ID_TOOLS_FILE_SAVE, OnSaveToolsFile)
    ON_COMMAND(ID_TOOLS_FILE_OPEN, OnOpenToolsFile)
    ON_COMMAND(ID_TOOL_PICTURE, OnPictureFromFile)
    ON_COMMAND(ID_TOOL_SCALE_PICTURE, OnScalePicture)
    ON_UPDATE_COMMAND_UI(ID_TOOL_SCALE_PICTURE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_MEASURE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ARROW, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_RECTANGLE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CIRCLE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_LINE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_AXIS, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_TEXT_BOX, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_DELETE_DRAWINGS, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_DELETE_ALL_DRAWINGS, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_FILE_SAVE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_FILE_OPEN, OnUpdateToolCommand)
    ON_COMMAND_EX(ID_ADD_POINT_SEEDER, OnModeCommand)
    ON_COMMAND_EX(ID_INSERT_VERTEX, OnModeCommand)
    ON_COMMAND_EX(ID_DELETE_SEEDER, OnModeCommand)
    ON_COMMAND_EX(ID_DELETE_DATA_COLLECTOR, OnModeCommand)
    ON_COMMAND_EX(ID_DELETE_BARRIER, OnModeCommand)
    ON_COMMAND_EX(ID_ASSIGN_MATERIAL, OnModeCommand)
    ON_COMMAND_EX(ID_FILTER_BY_PICKING, OnModeCommand)
    ON_COMMAND_EX(ID_VIEW_PAN, OnModeCommand)
    ON_COMMAND_EX(ID_VIEW_ZOOM_WINDOW, OnModeCommand)
    ON_COMMAND_EX(ID_VIEW_ZOOM_MOUSE, OnModeCommand)
    ON_COMMAND_EX(ID_MOVE_DATA_COLLECTOR, OnModeCommand)
    ON_COMMAND_EX(ID_MOVE_BARRIER_VERTEX, OnModeCommand)
    // Commands the document runs.
    ON_COMMAND_EX(ID_ADD_BARRIER, OnDocumentCommand)
    ON_COMMAND_EX(ID_ADD_LINE_SEEDER, OnDocumentCommand)
    ON_COMMAND_EX(ID_ADD_DATA_COLLECTOR, OnDocumentCommand)
    ON_COMMAND_EX(ID_DELETE_VERTICES, OnDocumentCommand)
    ON_COMMAND_EX(ID_MOVE_VERTICES, OnDocumentCommand)
    ON_COMMAND_EX(ID_DEFINE_SLOPE, OnDocumentCommand)
    ON_COMMAND_EX(ID_CONTEXT_PROJECT_SETTINGS, OnDocumentCommand)
    // Interaction events.
    ON_COMMAND_EX(ID_EVENT_CANCEL, OnEventCommand)
    ON_COMMAND_EX(ID_EVENT_SELECTED, OnEventCommand)
    ON_COMMAND_EX(ID_EVENT_ALL, OnEventCommand)
    ON_COMMAND_EX(ID_EVENT_RESELECT_BASE_POINT, OnEventCommand)
    ON_COMMAND_EX(ID_EVENT_UNDO, OnEventCommand)
    ON_COMMAND_EX(ID_EVENT_DONE, OnEventCommand)
    ON_COMMAND_EX(ID_SNAP_VERTEX, OnSnapCommand)
    ON_COMMAND_EX(ID_SNAP_GRID, OnSnapCommand)
    ON_COMMAND_EX(ID_SNAP_NONE, OnSnapCommand)
    // The object of the last right click.
    ON_COMMAND_EX(ID_CONTEXT_EDIT_SEEDER, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_SEEDER, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_EDIT_BARRIER, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_BARRIER, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_MOVE_BARRIER_VERTEX, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_EDIT_COLLECTOR, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_DELETE_COLLECTOR, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_MOVE_COLLECTOR, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_COLLECTOR_FILTER_BY_IMPACT, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_BARRIER_FILTER_BY_IMPACT, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_EDIT_SLOPE_GEOMETRY, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_ASSIGN_MATERIAL, OnObjectCommand)
    ON_COMMAND_EX(ID_CONTEXT_MODIFY_MATERIAL, OnObjectCommand)
    ON_COMMAND_EX(ID_COLLECTOR_GRAPH_X_IMPACT, OnGraphCommand)
    ON_COMMAND_EX(ID_COLLECTOR_GRAPH_Y_IMPACT, OnGraphCommand)
    ON_COMMAND_EX_RANGE(ID_COLLECTOR_GRAPH_ROT_VELOCITY, ID_BARRIER_GRAPH_X_IMPACT, OnGraphCommand)
    ON_UPDATE_COMMAND_UI(ID_COLLECTOR_GRAPH_X_IMPACT, OnUpdateGraphCommand)
    ON_UPDATE_COMMAND_UI(ID_COLLECTOR_GRAPH_Y_IMPACT, OnUpdateGraphCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_COLLECTOR_GRAPH_ROT_VELOCITY, ID_BARRIER_GRAPH_X_IMPACT, OnUpdateGraphCommand)
    // Command states.
    ON_UPDATE_COMMAND_UI(ID_DELETE_SEEDER, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_MOVE_BARRIER_VERTEX, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_DELETE_BARRIER, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_DELETE_DATA_COLLECTOR, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_MOVE_DATA_COLLECTOR, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_INSERT_VERTEX, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_DELETE_VERTICES, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_MOVE_VERTICES, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_ADD_BARRIER, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_EXPORT_DXF, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_ASSIGN_MATERIAL, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEW_RULER, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRAYSCALE, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_SPLIT_VIEW, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_ENDPOINTS, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTER_BY_VALUE, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_REMOVE_FILTER, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTER_BY_IMPACT, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTER_BY_PICKING, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_FILTERED_PATHS_ONLY, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_EVENT_UNDO, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_EVENT_DONE, OnUpdateCommand)
END_MESSAGE_MAP()

CTalusimView::CTalusimView()
{
    // The document reaches its slope views through these.
    InstallViewServicesOnce();
}

CTalusimView::~CTalusimView()
{
    m_pViewContext.reset();
    if (m_hToolTip != nullptr && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
}

CREGDatabase* CTalusimView::GetDatabase() const { return m_pDoc != nullptr ? m_pDoc->GetDatabase() : nullptr; }

BOOL CTalusimView::PreCreateWindow(CREATESTRUCTA& cs) { return CScrollView::PreCreateWindow(cs); }

bool CTalusimView::IsDrawCacheStale() const
{
    CREGDatabase* db = GetDatabase();
    return db == nullptr || db->IsDrawCacheStale();
}

void CTalusimView::InvalidateForCache() { Invalidate(IsDrawCacheStale() ? TRUE : FALSE); }

void CTalusimView::OnInitialUpdate()
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->ShowWindow(SW_MAXIMIZE);
    CScrollView::OnInitialUpdate();
    m_pDoc = dynamic_cast<CTalusimDoc*>(CView::GetDocument());
    MainFrameServices().RefillMaterialCombo();
    CString title;
    title.LoadString(kStringSlopeProfile);
    SetWindowText(title);
    m_pViewContext = std::make_unique<CViewContext>();
    m_pViewContext->SetOwnerView(this);
    CreateToolTip();
    CRect client;
    GetClientRect(&client);
    m_pViewContext->SetDeviceOrigin(client.left, client.top);
    m_pViewContext->SetDeviceExtent(client.Width(), client.Height());
    ResetScrollSizes();
    LoadCompanionToolsFile();
    OnZoomAll();
}

void CTalusimView::CreateToolTip()
{
    // The tips quote names the user typed: an ampersand in them is shown, not taken as a mnemonic mark.
    m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    if (m_hToolTip == nullptr)
        return;
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | 0;
    tool.hwnd = m_hWnd;
    tool.uId = 0;
    tool.uFlags = 0;
    ::GetClientRect(m_hWnd, &tool.rect);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    if (!::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
        return;  // a view without data tips
    ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 32767);
    ::SendMessageA(m_hToolTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 32767);
    ::SendMessageA(m_hToolTip, TTM_SETDELAYTIME, TTDT_INITIAL, 200);
    ::SendMessageA(m_hToolTip, TTM_SETDELAYTIME, TTDT_RESHOW, 200);
}

void CTalusimView::LoadCompanionToolsFile()
{
    if (m_pDoc == nullptr)
        return;
    CString path = m_pDoc->GetPathName();
    if (path.GetLength() <= 2)
        return;
    CString tools = path.Left(path.GetLength() - 3) + "clt";
    m_pDoc->LoadToolsFile(this, tools);
}

void CTalusimView::ResetScrollSizes() { SetScrollSizes(MM_TEXT, CSize(4, 4)); }

void CTalusimView::OnUpdate(CView*, LPARAM, CObject* pHint)
{
    if (m_hWnd == nullptr)
        return;
    const BOOL erase = IsDrawCacheStale() ? TRUE : FALSE;
    auto* entity = dynamic_cast<CEntity*>(pHint);
    if (entity != nullptr && m_pViewContext != nullptr) {
        CRect r;
        entity->GetDeviceRect(r, m_pViewContext.get(), this);
        InvalidateRect(&r, erase);
    } else {
        Invalidate(erase);
    }
    // A tip shown before the change (an editor's OK, a compute, a delete)
    // may describe what is no longer there.
    if (!m_strDataTip.IsEmpty())
        WithdrawDataTip(nullptr);
}

void CTalusimView::OnDraw(CDC* pDC)
{
    CREGDatabase* db = GetDatabase();
    if (m_pViewContext == nullptr || db == nullptr)
        return;
    CViewContext& vc = *m_pViewContext;
    if (CAxesEnt* rulers = m_pDoc->GetRulers()) {
        rulers->SetSelectable(m_bShowRuler);
        rulers->SetMetric(m_pDoc->IsMetric());
    }
    int savedDC = 0;
    if (pDC->IsPrinting()) {
        if (vc.m_clientTopLeft.x == DBL_MAX && vc.m_clientTopLeft.y == DBL_MAX &&
            vc.m_clientBottomRight.x == DBL_MAX && vc.m_clientBottomRight.y == DBL_MAX) {
            CRect client;
            GetClientRect(&client);
            vc.m_clientTopLeft = vc.DeviceToWorld(client.left, client.top);
            vc.m_clientBottomRight = vc.DeviceToWorld(client.right, client.bottom);
        }
        LayoutPrintPage(pDC);
        // On screen the window clips what lies beyond the world window; on
        // paper nothing would: the slope, the paths and the ruler's numbers
        // would run on into the margins.
        savedDC = pDC->SaveDC();
        pDC->IntersectClipRect(&vc.m_printRect);
    }
    vc.SetColourMode(m_bGrayscale ? COLOUR_BLACK_WHITE : COLOUR_NORMAL);
    if (m_bMetafileDrawing) {
        const int grid = db->GetGridState();
        db->SetGridState(GRID_HIDE);
        vc.SetOffscreenMode(true);
        db->DrawEntities(pDC, &vc, DRAW_METAFILE);
        vc.SetOffscreenMode(false);
        db->SetGridState(grid);
    } else {
        db->Draw(pDC, &vc);
    }
    vc.SetColourMode(COLOUR_NORMAL);
    if (savedDC != 0)
        pDC->RestoreDC(savedDC);
    vc.m_printRect.SetRect(0, 0, 0, 0);
}

void CTalusimView::LayoutPrintPage(CDC* pDC)
{
    // The program's page settings, laid out as every printout lays them out.
    double l = m_pageMargins.GetLeft(), t = m_pageMargins.GetTop(), r = m_pageMargins.GetRight(),
           b = m_pageMargins.GetBottom();
    bool show = m_pageMargins.GetShowOnPaper() != FALSE;
    if (MainFrameServices().GetPrintMargins(l, t, r, b, show)) {
        m_pageMargins.SetMargins(t, l, r, b);
        m_pageMargins.SetShowOnPaper(show);
    }
    m_pageMargins.LayoutPrintPage(pDC, m_pViewContext.get());
}

void CTalusimView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    FitToolTipToClient();
    if (m_pViewContext != nullptr && !m_bPrinting) {
        m_pViewContext->OnSize(cx, cy);
        ResetScrollSizes();
    }
    Invalidate(TRUE);
}

BOOL CTalusimView::OnEraseBkgnd(CDC* pDC)
{
    // The database paints every pixel from its cached bitmaps.
    if (IsDrawCacheStale())
        return static_cast<BOOL>(Default());
    (void)pDC;
    return TRUE;
}

CRect CTalusimView::GetRulerMargin()
{
    CRect margin(0, 0, 0, 0);
    if (m_pDoc != nullptr && m_bShowRuler) {
        if (CAxesEnt* rulers = m_pDoc->GetRulers()) {
            CSize size = rulers->GetRulerSize(this);
            margin.left = size.cx;
            margin.bottom = size.cy;
        }
    }
    return margin;
}

void CTalusimView::OnZoomIn()
{
    if (m_pViewContext == nullptr || m_pDoc == nullptr)
        return;
    CRect margin = GetRulerMargin();
    m_pViewContext->ZoomIn(this, kZoomStep, &margin);
    ResetScrollSizes();
    InvalidateForCache();
}

void CTalusimView::OnZoomOut()
{
    if (m_pViewContext == nullptr || m_pDoc == nullptr)
        return;
    CRect margin = GetRulerMargin();
    m_pViewContext->ZoomOut(this, 1.0 / kZoomStep, &margin);
    ResetScrollSizes();
    InvalidateForCache();
}

void CTalusimView::OnZoomAll()
{
    CREGDatabase* db = GetDatabase();
    if (m_pViewContext == nullptr || db == nullptr)
        return;
    CRect margin = GetRulerMargin();
    CVector2D ul = db->get_ul_world_extent(false);
    CVector2D lr = db->get_lr_world_extent(false);
    m_pViewContext->ZoomToWindow(ul.x, ul.y, lr.x, lr.y, this, &margin, true);
    InvalidateForCache();
}

BOOL CTalusimView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (m_bPrinting || m_pViewContext == nullptr || m_pDoc == nullptr)
        return TRUE;
    const int mode = m_pDoc->GetMode();
    if (mode == MODE_ZOOM_MOUSE || mode == MODE_ZOOM_WINDOW)
        return TRUE;
    CRect margin = GetRulerMargin();
    m_pViewContext->OnMouseWheel(this, zDelta, &margin);
    InvalidateForCache();
    return TRUE;
}

BOOL CTalusimView::PreTranslateMessage(MSG* pMsg)
{
    if (m_hToolTip != nullptr && pMsg->hwnd == m_hWnd && pMsg->message >= WM_MOUSEMOVE &&
        pMsg->message <= WM_MBUTTONUP && pMsg->message != WM_LBUTTONDBLCLK && pMsg->message != WM_RBUTTONDBLCLK) {
        ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

// The tip's one tool is the client area: it follows every resize, or the
// tooltip would take the part that was added as lying outside the view.
void CTalusimView::FitToolTipToClient()
{
    if (m_hToolTip == nullptr)
        return;
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = 0;
    ::GetClientRect(m_hWnd, &tool.rect);
    ::SendMessageA(m_hToolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// A tip stays up while the mouse moves within its tool, and the view is one
// tool: when what lies under the mouse has another tip (another segment, a
// vertex, nothing), the one shown is withdrawn and the next one asked for.
void CTalusimView::RefreshDataTip(CPoint point)
{
    if (m_hToolTip == nullptr)
        return;
    CString text;
    if (!DataTipAt(point, text))
        text.Empty();
    if (text != m_strDataTip)
        WithdrawDataTip(&point);
}

// Hides the tip and forgets its text. The tooltip only asks for a new text
// when the mouse enters its tool, so the mouse is taken out of the tool and,
// when given, back in at its point: the tip for that point then follows
// after the usual delay.
void CTalusimView::WithdrawDataTip(const CPoint* pMouse)
{
    m_strDataTip.Empty();
    if (m_hToolTip == nullptr)
        return;
    MSG outside{};
    outside.hwnd = m_hWnd;
    outside.message = WM_MOUSEMOVE;
    outside.lParam = MAKELPARAM(-1, -1);
    ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&outside));
    ::SendMessageA(m_hToolTip, TTM_ACTIVATE, FALSE, 0);
    ::SendMessageA(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
    if (pMouse != nullptr) {
        MSG inside = outside;
        inside.lParam = MAKELPARAM(pMouse->x, pMouse->y);
        ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&inside));
    }
}

bool CTalusimView::DataTipAt(CPoint point, CString& text)
{
    CREGDatabase* db = GetDatabase();
    if (db == nullptr || m_pViewContext == nullptr || m_pDoc->GetMode() != MODE_IDLE)
        return false;
    CEntity* hit = nullptr;
    return db->HitTest(point.x, point.y, m_pViewContext.get(), &text, &hit, this, ID_ANY_GROUP) && hit != nullptr;
}

BOOL CTalusimView::OnToolTipNeedText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (pNMHDR == nullptr || pNMHDR->hwndFrom != m_hToolTip)
        return FALSE;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    // No tip is an empty text, never a null one: the tooltip takes a null
    // text as a string resource and, finding none, shows the tip it showed
    // last (a cliff's tip over empty ground).
    info->szText[0] = '\0';
    info->lpszText = info->szText;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return TRUE;
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&point);
    CString text;
    if (!DataTipAt(point, text))
        return TRUE;
    ::SendMessageA(m_hToolTip, TTM_SETTIPBKCOLOR, m_bGrayscale ? RGB(255, 255, 255) : ::GetSysColor(COLOR_INFOBK), 0);
    m_strDataTip = text;
    info->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_strDataTip));
    return TRUE;
}

void CTalusimView::OnSetFocus(CWnd* pOldWnd)
{
    CScrollView::OnSetFocus(pOldWnd);
    MainFrameServices().RefreshTimeStepDialog(m_pDoc);
    MainFrameServices().RefillMaterialCombo();
    // The statistics shown belong to a graph; the slope view has none.
    if (MainFrameServices().StatisticsFollowView(this))
        MainFrameServices().SetStatisticsReport(m_pDoc, "");
}

// ---- printing ----------------------------------------------------------------------

void CTalusimView::OnFilePrint()
{
    MainFrameServices().ValidatePageSettings();
    CScrollView::OnFilePrint();
}

BOOL CTalusimView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CTalusimView::OnBeginPrinting(CDC* pDC, CPrintInfo*)
{
    m_bPrinting = true;
    if (m_pViewContext != nullptr)
        m_pViewContext->SetDeviceExtent(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    MainFrameServices().SetCommandLineActive(false);
}

void CTalusimView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_bPrinting = false;
    MainFrameServices().SetCommandLineActive(true);
    MainFrameServices().FocusCommandLine();
    if (m_pViewContext != nullptr) {
        // The next printout takes the window shown then, not this one.
        m_pViewContext->m_clientTopLeft = CVector2D(DBL_MAX, DBL_MAX);
        m_pViewContext->m_clientBottomRight = CVector2D(DBL_MAX, DBL_MAX);
        CRect client;
        GetClientRect(&client);
        m_pViewContext->SetDeviceOrigin(client.left, client.top);
        m_pViewContext->SetDeviceExtent(client.Width(), client.Height());
    }
    Invalidate(TRUE);
}

void CTalusimView::OnFilePrintPreview()
{
    if (m_pViewContext != nullptr) {
        CRect client;
        GetClientRect(&client);
        m_pViewContext->m_clientTopLeft = m_pViewContext->DeviceToWorld(client.left, client.top);
        m_pViewContext->m_clientBottomRight = m_pViewContext->DeviceToWorld(client.right, client.bottom);
        m_pViewContext->SaveView();
    }
    m_bPrinting = true;
    if (!StartPrintPreview(this)) {
        m_bPrinting = false;
        if (m_pViewContext != nullptr) {
            m_pViewContext->RestoreView();
            // No printout follows: the next one takes the window shown then, not this one.
            m_pViewContext->m_clientTopLeft = CVector2D(DBL_MAX, DBL_MAX);
            m_pViewContext->m_clientBottomRight = CVector2D(DBL_MAX, DBL_MAX);
        }
    }
}

void CTalusimView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView)
{
    CScrollView::OnEndPrintPreview(pDC, pInfo, point, pView);
    if (m_pViewContext != nullptr)
        m_pViewContext->RestoreView();
    Invalidate(TRUE);
}

