// CTalusimView: the main drawing window of a slope document. It maps the
// world to its client area through one view context, has the document's
// drawing database paint every entity, turns the mouse and keys into
// interaction events for the document's current mode, zooms, shows data tips
// and prints within its page margins.
#pragma once

#include <cfloat>
#include <memory>
#include "controls/KsMenu.h"
#include "framework/View.h"
#include "geometry/Vector2D.h"
#include "app/PageSettings.h"

class CTalusimDoc;
class CViewContext;
class CREGDatabase;
class CPreviewView;
class CEntity;
class CMenu;
struct WorldBox;

class CTalusimView : public CScrollView
{
    DECLARE_DYNCREATE(CTalusimView)
public:
    CTalusimView();
    ~CTalusimView() override;

    CTalusimDoc* GetDocument() const { return m_pDoc; }
    CViewContext* GetViewContext() const { return m_pViewContext.get(); }
    CREGDatabase* GetDatabase() const;

    // ---- window, drawing, zoom, printing ---------------------------------------
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override;

    void LoadCompanionToolsFile();
    void ResetScrollSizes();
    void LayoutPrintPage(CDC* pDC);
    bool GetShowRuler() const { return m_bShowRuler; }
    void SetShowRuler(bool show) { m_bShowRuler = show; }
    bool IsPrinting() const { return m_bPrinting; }
    bool IsGrayscale() const { return m_bGrayscale; }
    void SetGrayscale(bool on) { m_bGrayscale = on; }
    void SetMetafileDrawing(bool on) { m_bMetafileDrawing = on; }
    const CPageMargins& GetPageMargins() const { return m_pageMargins; }
    // The ruler bands' room in pixels (left = width, bottom = height); empty without rulers.
    CRect GetRulerMargin();
    const CString& GetDataTipText() const { return m_strDataTip; }
    HWND GetToolTipWindow() const { return m_hToolTip; }
    CVector2D GetContextPoint() const { return m_contextPoint; }

    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomAll();
    BOOL DoMouseWheel(UINT nFlags, short zDelta, CPoint pt) { return OnMouseWheel(nFlags, zDelta, pt); }
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    // Slope and model exchange with CRSP and DXF files.
    afx_msg void OnImportCrsp();
    afx_msg void OnImportDxf();
    afx_msg void OnExportDxf();

    // ---- interaction events -----------------------------------------------------
    void ProcessMouseEvent(int event, int x, int y);
    void SendDeleteEvent() { ProcessMouseEvent(300, 0, 0); }
    void SendCancelEvent() { ProcessMouseEvent(301, 0, 0); }
    void SendDoneEvent() { ProcessMouseEvent(302, 0, 0); }
    void SendSelectAllEvent() { ProcessMouseEvent(303, 0, 0); }
    void SendReselectBaseEvent() { ProcessMouseEvent(304, 0, 0); }
    void ClearContextMenuFlag() { m_bContextMenuUp = false; }
    bool IsContextMenuUp() const { return m_bContextMenuUp; }
    void SetContextMenuUp(bool up) { m_bContextMenuUp = up; }
    CVector2D SnapPoint(int x, int y, bool roundDown);

    // The object commands of the context menu open these editors.
    void OnEditSeeder();
    void OnEditBarrier();

    // ---- commands and their states (TalusimViewCommands.cpp) ----------------------
    // Each table-driven handler takes the command id.
    BOOL OnModeCommand(UINT id);
    BOOL OnEventCommand(UINT id);
    BOOL OnSnapCommand(UINT id);
    BOOL OnPanStep(UINT id);
    BOOL OnDocumentCommand(UINT id);
    BOOL OnObjectCommand(UINT id);
    BOOL OnGraphCommand(UINT id);
    afx_msg void OnRuler();
    afx_msg void OnContextRuler();
    afx_msg void OnGrayscale();
    afx_msg void OnEditCopy();
    afx_msg void OnExportImage();
    afx_msg void OnViewLimits();
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGraphCommand(CCmdUI* pCmdUI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    // The popup of menu 6002 that a right click at a client point shows in the
    // current mode; -1 when the mode has none.
    int ContextPopupIndex(CPoint client);
    // Readies a popup of menu 6002 for the current state: enabled and checked items.
    void PrepareContextPopup(CMenu* popup, int index);

    // The mode handlers: each looks only at the events its mode names.
    void process_IDLE(int event, int x, int y);
    void process_DEFINE_SLOPE(int event, int x, int y);
    void process_INSERT_VERTEX(int event, int x, int y);
    void process_DELETE_VERTICES(int event, CDC* pDC, int x, int y);
    void process_SELECT_VERTICES_TO_MOVE(int event, CDC* pDC, int x, int y);
    void process_MOVE_VERTICES_BASE(int event, int x, int y);
    void process_MOVE_VERTICES_TARGET(int event, int x, int y);
    void process_ASSIGN_MATERIAL(int event, CDC* pDC, int x, int y);
    void process_ADD_POINT_SEEDER(int event, int x, int y);
    void process_ADD_LINE_SEEDER(int event, int x, int y);
    void process_ADD_LINE_SEEDER_NEXT(int event, int x, int y);
    void process_ADD_ANGLE(int event, int x, int y);
    void process_ADD_ANGLE_END(int event, int x, int y);
    void process_ADD_COLLECTOR(int event, int x, int y);
    void process_ADD_COLLECTOR_END(int event, int x, int y);
    void process_SELECT_OBJECTS(int event, CDC* pDC, int x, int y, int kind, int category, int group);
    void process_MOVE_COLLECTORS_BASE(int event, int x, int y);
    void process_MOVE_COLLECTORS_TARGET(int event, int x, int y);
    void process_MOVE_ANGLE_VERTEX(int event, int x, int y);
    void process_MOVE_ANGLE_VERTEX_TO(int event, int x, int y);
    void process_FILTER_BY_PICKING(int event, CDC* pDC, int x, int y);
    // Panning with the mouse (the middle button's transient pan included).
    void process_PAN(int event, int x, int y);
    void process_ZOOM_DYNAMIC(int event, int x, int y);
    void process_ZOOM_WINDOW(int event, CDC* pDC, int x, int y);
    // The drawing-tool modes (TalusimViewTools.cpp).
    void process_TOOL_FIRST_POINT(int event, int x, int y, int kind);
    void process_TOOL_SECOND_POINT(int event, int x, int y);
    void process_TOOL_TEXT_BOX(int event, int x, int y);
    void process_EDIT_TOOL(int event, int x, int y);
    void process_DRAG_TOOL(int event, int x, int y);
    void process_DELETE_DRAWINGS(int event, CDC* pDC, int x, int y);
    void process_SCALE_PICTURE(int event, int x, int y);
    // The tool commands, the tools file and their states.
    BOOL OnToolCommand(UINT id);
    BOOL OnToolObjectCommand(UINT id);
    BOOL OnDeleteAllDrawings(UINT id);
    afx_msg void OnSaveToolsFile();
    afx_msg void OnOpenToolsFile();
    afx_msg void OnPictureFromFile();
    afx_msg void OnScalePicture();
    afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI);
    // The group id of the tools drawn in this view.
    int GetToolGroup() const;
    bool HasDrawingTools() const;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnToolTipNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void InvalidateForCache();
    bool IsDrawCacheStale() const;
    // A typed point from the prompt line, used as given.
    bool GetTypedPoint(CVector2D& point);
    // The point a click or Done gives: the snapped click, or the typed point
    // (false when none was typed).
    bool GetEventPoint(int event, int x, int y, CVector2D& point);
    enum class PointEvent { None, Moved, Taken };
    PointEvent ReadPointEvent(int event, int x, int y, CVector2D& point);
    // The same for a later stage, which Go Back leaves for the stage before it.
    PointEvent ReadPointEvent(int event, int x, int y, int previousMode, CVector2D& point);
    void RestoreMovedVertices();
    // Marks the slope's vertices in a world box and repaints the slope.
    void MarkSlopeVertices(int action, const WorldBox& box);
    void ShowMessage(UINT stringId);
    void CreateToolTip();
    // The first member of set 25: the entity of the last right click, or null.
    CEntity* GetContextEntity() const;
    void SelectForMove(CEntity* entity);
    bool DataTipAt(CPoint point, CString& text);
    void FitToolTipToClient();
    void RefreshDataTip(CPoint point);
    void WithdrawDataTip(const CPoint* pMouse);
    // The tool of this view under a device point, or null.
    CEntity* PickTool(int x, int y);

    // Members, in the order the view has always kept them.
    bool m_bMetafileDrawing = false;
    bool m_bPrinting = false;
    bool m_bGrayscale = false;
    KsMenu m_contextMenu;
    CPageMargins m_pageMargins;
    bool m_bShowRuler = true;
    bool m_bContextMenuUp = false;
    std::unique_ptr<CViewContext> m_pViewContext;
    CTalusimDoc* m_pDoc = nullptr;
    CString m_strDataTip;
    HWND m_hToolTip = nullptr;
    CVector2D m_contextPoint{DBL_MAX, DBL_MAX};
};
