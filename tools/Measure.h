// CMeasure: the common base of every annotation tool drawn over a view
// (measures, arrows, lines, shapes, text boxes, dimensions, images ...).
// It is a polyline entity whose first vertices are the tool's control points
// (0 the start or head, 1 the end or tail, 2 a third point), plus one style
// block shared by all kinds (each kind uses its part of it), the tool's text,
// its kind code and registry key name, a text style for fonts and arrow
// heads, and capability flags that tell the Format Tool dialog which groups
// of options the kind offers. The style is kept per kind in the registry
// (MeasureRegistry.cpp) and per tool in the tools file (MeasureFile.cpp).
#pragma once

#include <string>
#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "geometry/PolyLine.h"
#include "tools/TextStyle.h"

class CToolsTextReader;

// Kind codes of the drawing tools.
enum ToolType
{
    TOOL_TYPE_MEASURE = 12050,
    TOOL_TYPE_ARROW = 12051,
    TOOL_TYPE_TEXT_BOX = 12052,
    TOOL_TYPE_RECTANGLE = 12053,
    TOOL_TYPE_CIRCLE = 12054,
    TOOL_TYPE_LINE = 12055,
    TOOL_TYPE_AXES = 12056,
    TOOL_TYPE_CONTOUR_LABELS = 12057,
    TOOL_TYPE_IMAGE = 12058,
    TOOL_TYPE_DIM_LENGTH = 12060,
    TOOL_TYPE_DIM_ANGLE = 12061,
    TOOL_TYPE_POLYLINE = 12062,
    TOOL_TYPE_POLYGON = 12063,
    TOOL_TYPE_PENCIL = 12064,
    TOOL_TYPE_WATER_LEVEL = 12066,
};

// Every drawing tool carries this kind id; the tools file selects by it.
constexpr int kToolKindId = 2181;
constexpr int kToolCategory = 2202;
constexpr int kToolBehindCategory = 2131;
constexpr LPCSTR kToolRegistryBase = "Software\\Brevantics\\Clastor\\EditTools\\";

// The group id that binds a tool to a view, as the views and the database
// compare it: the window's instance number, which no later window gets (an
// address is reused, and cut to an int it is not even the window's own),
// set above every code the database gives a meaning (0 no view, 21 any group).
constexpr int kFirstToolGroup = 100000;
inline int ToolGroupOf(const CWnd* view) { return view != nullptr ? kFirstToolGroup + view->GetInstanceId() : 0; }

// The values of one tool record that every kind is offered, in the order the
// tools file hands them over.
struct CToolCommonStyle
{
    double arcBegin = 0.0, arcEnd = 360.0;
    bool isArc = false, isCircle = false;
    bool arrowAtHead = false, arrowAtTail = false;
    bool axisLeft = false, axisRight = false, axisTop = false, axisBottom = false;
    bool globalCoords = true;
    bool hatched = false;
    int hatchIndex = 2;
    bool filled = false;
    int lineWeight = 1;
    COLORREF fillColour = 0xFF0000;
    COLORREF lineColour = 0x800000;
    CVector2D start{1, 1}, end{0, 0};
    int fontSize = 12;
    int fontWeight = FW_NORMAL;
    bool fontItalic = false;
    CString fontName = "Arial";
    CString text;
};

class CMeasure : public CPolyLine
{
    DECLARE_DYNAMIC(CMeasure)

public:
    CMeasure();
    ~CMeasure() override;

    // ---- the entity's operations ----------------------------------------------
    void SetEditing(bool b) override;
    int GetGripCount() override;
    CVector2D GetGripPoint(int i) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    // Tools show no data tip of their own.
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    // The view-membership queries (111, 112): a tool is seen only in its view.
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    // The owner window is the tool's view: it binds the group id as well.
    void SetOwner(CWnd* pOwner) override;
    bool CopyFrom(const CEntity& source) override;
    // The geometry, style, text and image names of another tool.
    void CopyStyle(const CMeasure& tool);

    // ---- the tool's own operations, in this order -------------------------------
    virtual void SetStartPoint(const CVector2D& point);
    virtual void SetEndPoint(const CVector2D& point);
    virtual CVector2D GetStartPoint() const;
    virtual CVector2D GetEndPoint() const;
    virtual void ApplyCommonStyle(const CToolCommonStyle&) {}
    virtual void ApplyAxisSpacing(double, double, bool) {}
    virtual void ApplyImageStyle(const CString& fileName, const CString& pathName, int scaleStyle,
                                 bool moveLocked, bool transparent, bool alpha,
                                 COLORREF transparentColour, int alphaPercent, bool behind);
    virtual void ApplyDimensionVertices(const CVectorArray&, bool, bool, int) {}
    virtual void ApplyDimensionFormat(int, bool, int, bool) {}
    virtual void ApplyDimensionText(int, int, int, int) {}
    virtual void ApplyTextStyle(int penStyle, bool outline, COLORREF textColour);
    virtual void SetThirdPoint(const CVector2D& point);
    virtual bool AcceptAfterRead() { return true; }
    virtual bool CanSetLineWeight() const { return m_bCanLineWeight; }
    virtual bool CanSetLineColour() const { return m_bCanLineColour; }
    virtual bool CanSetHeadArrow() const { return m_bCanArrow; }
    virtual bool CanSetTailArrow() const { return m_bCanArrow; }
    virtual bool IsShapeTool() const { return m_bShape; }
    virtual void OnPlaced() {}
    virtual void SetText(const CString& text) { m_strText = text; }
    virtual void DrawSelectionLine(CDC* pDC, CViewContext* pView);

    // ---- kind, text, owner, registry --------------------------------------------
    int GetType() const { return m_nType; }
    void SetType(int type);
    CString GetText() const { return m_strText; }
    const CString& GetKeyName() const { return m_strKeyName; }
    const CString& GetRegistryBase() const { return m_strRegistryBase; }
    void SetRegistryBase(const CString& path) { m_strRegistryBase = path; }
    void LoadStyleFromRegistry();
    void SaveStyleToRegistry();
    void SetOwnerView(CWnd* pView) { SetGroupId(ToolGroupOf(pView)); }
    bool GetShiftConstrain() const { return m_bShiftHeld; }
    void SetShiftConstrain(bool held) { m_bShiftHeld = held; }
    bool GetDocumentOption() const { return m_bMetric; }
    void SetDocumentOption(bool metric) { m_bMetric = metric; }
    void SetFont(int pointSize, const LOGFONTA& font) { m_textStyle.SetFont(pointSize, font); }
    bool GetFont(int& pointSize, LOGFONTA& font) const { return m_textStyle.GetFont(pointSize, font); }
    CTextStyle& GetTextStyle() { return m_textStyle; }
    // True when the tool is drawn in the view of this context.
    bool IsShownIn(CViewContext* pView) const;
    // The font of a tools-file record or a registry value: a point font of
    // that size, weight, slant and face (cut to the font record's length). A
    // size outside the plausible range keeps the tool's own size.
    void SetFontFrom(int pointSize, int weight, bool italic, const CString& face);
    // Point sizes taken from a file or the registry: 0 would draw nothing,
    // a huge one more than any page holds.
    static bool IsPlausiblePointSize(int size) { return size >= 1 && size <= 1000; }

    // ---- the tools file (MeasureFile.cpp) ---------------------------------------
    // The tool's block at a file version; coordinates keep every digit.
    void WriteEntity(std::string& out, int version);
    bool ReadEntity(CToolsTextReader& in, int version);
    // The kind word of the tools file, or null for a code that is no kind.
    static LPCSTR KindWord(int type);
    static LPCSTR KindKeyName(int type);
    static int TypeOfKindWord(const char* word);
    // Kinds whose font is stored (text box, contour labels, dimensions).
    static bool HasStoredFont(int type);

    // ---- length and direction, arrow heads --------------------------------------
    double GetLength() const;
    // Direction of point 1 seen from point 0, degrees counter-clockwise in [0, 360).
    double GetAngle() const;
    void DrawArrowHeads(CDC* pDC, CViewContext* pView);

    // ---- the style block ----------------------------------------------------------
    void GetArcAngles(double& begin, double& end) const { begin = m_dArcBegin, end = m_dArcEnd; }
    void SetArcAngles(double begin, double end) { m_dArcBegin = begin, m_dArcEnd = end; }
    bool GetIsArc() const { return m_bIsArc; }
    void SetIsArc(bool b) { m_bIsArc = b; }
    bool GetIsCircle() const { return m_bIsCircle; }
    void SetIsCircle(bool b) { m_bIsCircle = b; }
    bool GetCanArc() const { return m_bCanArc; }
    void SetCanArc(bool b) { m_bCanArc = b; }
    bool GetArrowAtHead() const { return m_bArrowAtHead; }
    void SetArrowAtHead(bool b) { m_bArrowAtHead = b; }
    bool GetArrowAtTail() const { return m_bArrowAtTail; }
    void SetArrowAtTail(bool b) { m_bArrowAtTail = b; }
    bool GetCanArrow() const { return m_bCanArrow; }
    void SetCanArrow(bool b) { m_bCanArrow = b; }
    bool GetCanAxisSides() const { return m_bCanAxisSides; }
    void SetCanAxisSides(bool b) { m_bCanAxisSides = b; }
    bool GetAxisLeft() const { return m_bAxisLeft; }
    void SetAxisLeft(bool b) { m_bAxisLeft = b; }
    bool GetAxisRight() const { return m_bAxisRight; }
    void SetAxisRight(bool b) { m_bAxisRight = b; }
    bool GetAxisTop() const { return m_bAxisTop; }
    void SetAxisTop(bool b) { m_bAxisTop = b; }
    bool GetAxisBottom() const { return m_bAxisBottom; }
    void SetAxisBottom(bool b) { m_bAxisBottom = b; }
    bool GetAxisGlobalCoords() const { return m_bAxisGlobalCoords; }
    void SetAxisGlobalCoords(bool b) { m_bAxisGlobalCoords = b; }
    bool GetCanFont() const { return m_bCanFont; }
    void SetCanFont(bool b) { m_bCanFont = b; }
    bool GetStartEditable() const { return m_bStartEditable; }
    void SetStartEditable(bool b) { m_bStartEditable = b; }
    bool GetEndEditable() const { return m_bEndEditable; }
    void SetEndEditable(bool b) { m_bEndEditable = b; }
    bool GetCanHatch() const { return m_bCanHatch; }
    void SetCanHatch(bool b) { m_bCanHatch = b; }
    bool GetIsHatchedInterior() const { return m_bHatched; }
    void SetIsHatchedInterior(bool b) { m_bHatched = b; }
    int GetHatchStyleIndex() const { return m_nHatchStyle; }
    void SetHatchStyleIndex(int index);
    bool GetCanFill() const { return m_bCanFill; }
    void SetCanFill(bool b) { m_bCanFill = b; }
    bool GetIsFilled() const { return m_bFilled; }
    void SetIsFilled(bool b);
    COLORREF GetFillColor() const { return m_crFill; }
    void SetFillColor(COLORREF c) { m_crFill = c; }
    int GetLineWeight() const { return m_nLineWeight; }
    void SetLineWeight(int weight);
    void SetCanLineWeight(bool b) { m_bCanLineWeight = b; }
    void SetCanLineColour(bool b) { m_bCanLineColour = b; }
    int GetPenLineStyle() const { return m_nPenStyle; }
    void SetPenLineStyle(int style);
    COLORREF GetColorOfText() const { return m_crText; }
    void SetColorOfText(COLORREF c) { m_crText = c; }
    bool GetTextOutline() const { return m_bTextOutline; }
    void SetTextOutline(bool b) { m_bTextOutline = b; }
    int GetRotationDegreesCcw() const { return m_nRotation; }
    void SetRotationDegreesCcw(int degrees) { m_nRotation = degrees; }
    int GetDimTextFlag() const { return m_nDimTextFlag; }
    void SetDimTextFlag(int flag);
    bool GetIsDimensionUnits() const { return m_bDimensionUnits; }
    void SetIsDimensionUnits(bool b) { m_bDimensionUnits = b; }
    bool GetIsExteriorLine() const { return m_bExteriorLine; }
    void SetIsExteriorLine(bool b) { m_bExteriorLine = b; }
    bool GetShapeFlag() const { return m_bShape; }
    void SetShapeFlag(bool b) { m_bShape = b; }
    bool GetImageFlag() const { return m_bImage; }
    void SetImageFlag(bool b) { m_bImage = b; }
    int GetConvertToInches() const { return m_nConvertToInches; }
    void SetConvertToInches(int n) { m_nConvertToInches = n; }
    int GetNumDecimalPlaces() const { return m_nDecimals; }
    void SetNumDecimalPlaces(int n);
    bool GetSwapArrows() const { return m_bSwapArrows; }
    void SetSwapArrows(bool b) { m_bSwapArrows = b; }
    bool GetIsBehindTextLine() const { return m_bBehindTextLine; }
    void SetIsBehindTextLine(bool b) { m_bBehindTextLine = b; }
    bool GetIsExtensionLine() const { return m_bExtensionLine; }
    void SetIsExtensionLine(bool b) { m_bExtensionLine = b; }
    bool GetIsDimensionPrimaryLine() const { return m_bPrimaryLine; }
    void SetIsDimensionPrimaryLine(bool b) { m_bPrimaryLine = b; }
    int GetDimensionStyle() const { return m_nDimensionStyle; }
    void SetDimensionStyle(int style);
    bool GetImageBehindGeometry() const { return m_bImageBehind; }
    void SetImageBehindGeometry(bool b);
    const CString& GetImageFileName() const { return m_strImageFile; }
    void SetImageFileName(const CString& name) { m_strImageFile = name; }
    const CString& GetImagePathName() const { return m_strImagePath; }
    void SetImagePathName(const CString& path) { m_strImagePath = path; }
    int GetImageScaleStyle() const { return m_nImageScaleStyle; }
    void SetImageScaleStyle(int style);
    bool GetCanImageOptions() const { return m_bCanImageOptions; }
    void SetCanImageOptions(bool b) { m_bCanImageOptions = b; }
    bool GetTransparent() const { return m_bTransparent; }
    void SetTransparent(bool b) { m_bTransparent = b; }
    bool GetAlpha() const { return m_bAlpha; }
    void SetAlpha(bool b) { m_bAlpha = b; }
    COLORREF GetTransparentColor() const { return m_crTransparent; }
    void SetTransparentColor(COLORREF c) { m_crTransparent = c; }
    int GetAlphaPercent() const { return m_nAlphaPercent; }
    void SetAlphaPercent(int percent);
    void GetAxisSpacing(double& x, double& y) const { x = m_dXSpacing, y = m_dYSpacing; }
    // Spacings are held within 0.001 to 1e12 (a spacing of 0 would divide by zero).
    void SetAxisSpacing(double x, double y);
    bool GetIsAxisSpacing() const { return m_bAxisSpacing; }
    void SetIsAxisSpacing(bool b) { m_bAxisSpacing = b; }
    bool GetCanCustomSpacing() const { return m_bCanCustomSpacing; }
    void SetCanCustomSpacing(bool b) { m_bCanCustomSpacing = b; }
    bool GetMoveLocked() const { return IsLocked(); }
    void SetMoveLocked(bool b) { SetLocked(b); }

    // Limits of the checked values.
    static constexpr double kMinAxisSpacing = 0.001;
    static constexpr double kMaxAxisSpacing = 1e12;
    static constexpr int kMaxDecimalPlaces = 10;

protected:
    // Draws the polyline's segments with the tool's pen style and weight for
    // the time of the call, on a transparent background.
    void DrawToolSegments(CDC* pDC, CViewContext* pView);
    // A square grip marker of half size 3 at every control point or vertex.
    void DrawGripMarkers(CDC* pDC, CViewContext* pView, int count);
    // The label's box in the text style: shown when filled or outlined, its
    // border only with the outline, see-through when outlined but not filled.
    void ApplyLabelBoxStyle();
    // The tool's line colour, or the selection colour while it is selected.
    COLORREF CurrentLineColour() const;
    // Selects the interior's brush (a solid fill, a hatch, or none) and
    // returns the brush it replaced.
    CGdiObject* SelectInteriorBrush(CDC* pDC, CViewContext* pView, CBrush& brush) const;
    // The common style's fill flag, line weight, fill and line colours and
    // end points, which every tool with an outline and an inside takes.
    void ApplyOutlineAndFill(const CToolCommonStyle& s);
    // Puts the points read after the start and end in place as vertices 2,
    // 3, ..., adding those the tool does not have yet.
    void PlaceVerticesAfterEnds(const CVectorArray& points);
    // The kind code and key name a kind's constructor gives.
    void SetKind(int type, LPCSTR name)
    {
        SetType(type);
        m_strKeyName = name;
    }

    CString m_strRegistryBase;
    CString m_strKeyName;
    bool m_bShiftHeld = false;
    double m_dArcBegin = 0.0;
    double m_dArcEnd = 360.0;
    bool m_bIsArc = false;
    bool m_bIsCircle = false;
    bool m_bCanArc = false;
    bool m_bArrowAtHead = false;
    bool m_bArrowAtTail = false;
    bool m_bCanArrow = false;
    bool m_bCanAxisSides = false;
    bool m_bAxisLeft = false;
    bool m_bAxisRight = false;
    bool m_bAxisTop = false;
    bool m_bAxisBottom = false;
    bool m_bAxisGlobalCoords = true;
    bool m_bCanFont = false;
    bool m_bStartEditable = true;
    bool m_bEndEditable = true;
    bool m_bCanHatch = false;
    bool m_bHatched = false;
    int m_nHatchStyle = 2;
    bool m_bCanFill = false;
    bool m_bFilled = false;
    COLORREF m_crFill = 0xFF0000;
    int m_nLineWeight = 1;
    bool m_bCanLineWeight = true;
    bool m_bCanLineColour = true;
    int m_nPenStyle = PS_SOLID;
    COLORREF m_crText = 0;
    bool m_bTextOutline = true;
    int m_nRotation = 0;
    int m_nDimTextFlag = 12231;
    bool m_bDimensionUnits = false;
    bool m_bExteriorLine = true;
    bool m_bShape = false;
    bool m_bImage = false;
    int m_nConvertToInches = 0;
    int m_nDecimals = 1;
    bool m_bSwapArrows = false;
    bool m_bBehindTextLine = false;
    bool m_bExtensionLine = false;
    bool m_bPrimaryLine = false;
    int m_nDimensionStyle = 12101;
    bool m_bImageBehind = false;
    CString m_strImageFile;
    CString m_strImagePath;
    int m_nImageScaleStyle = 12201;
    bool m_bCanImageOptions = false;
    bool m_bTransparent = false;
    bool m_bAlpha = false;
    COLORREF m_crTransparent = 0xFFFFFF;
    int m_nAlphaPercent = 20;
    double m_dXSpacing = 1.0;
    double m_dYSpacing = 1.0;
    bool m_bAxisSpacing = false;
    bool m_bCanCustomSpacing = false;
    bool m_bMetric = true;
    CString m_strText;
    int m_nType = TOOL_TYPE_MEASURE;
    CTextStyle m_textStyle;
};
