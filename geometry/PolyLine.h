// An ordered list of vertices joined by straight segments, open or closed; the
// base of the polygon, the slope, the seeders and the drawing tools.
//
// Segment convention: segment i runs from vertex i-1 to vertex i and its two
// segment flags are held by vertex i; the closing segment of a closed polyline
// runs from the last vertex to vertex 0 and is held by vertex 0.
#pragma once

#include "geometry/Entity.h"

struct CPolyVertex
{
    double x = 0, y = 0;
    double auxA = 0, auxB = 0;   // kept and copied for derived classes
    CVector2D segmentNormal{0, 1};
    CVector2D startNormal{0, 1};
    CVector2D endNormal{0, 1};
    bool vertexMark = false;
    bool segmentMark = false;
    bool segmentVisible = true;

    CPolyVertex() = default;
    CPolyVertex(double ax, double ay) : x(ax), y(ay) {}
    CVector2D Point() const { return CVector2D(x, y); }
};

using CPolyVertexArray = CArray<CPolyVertex, const CPolyVertex&>;

// Segment filters of IntersectsRect and MarkSegmentsInRect.
enum
{
    SEGMENTS_ALL = 125,
    SEGMENTS_VISIBLE = 126,
    SEGMENTS_GAPS = 127,
};

class CPolyLine : public CEntity
{
    DECLARE_SERIAL(CPolyLine)

public:
    enum { kWholeEntityGrip = 2147483647 };
    // Bytes of one stored vertex record.
    enum { kVertexRecordSize = 88 };

    CPolyLine();
    ~CPolyLine() override;

    void Serialize(CArchive& ar) override;

    // ---- vertex access; out-of-range indices are ignored ----------------
    int GetVertexCount() const { return (int)m_vertices.GetSize(); }
    int GetLastVertexIndex() const { return GetVertexCount() - 1; }
    CPolyVertex GetVertex(int i) const;
    void GetVertex(CPolyVertex& out, int i) const { out = GetVertex(i); }
    CVector2D GetVertexPoint(int i) const { return GetVertex(i).Point(); }
    bool IsVertexMarked(int i) const { return IsValidIndex(i) && m_vertices[i].vertexMark; }
    bool IsSegmentMarked(int i) const { return IsValidIndex(i) && m_vertices[i].segmentMark; }
    void GetPointArray(CVectorArray& out) const;
    bool AddVertex(const CPolyVertex& v);
    bool AddPoint(double x, double y);
    bool SetVertex(int i, const CPolyVertex& v);
    bool SetVertexPoint(int i, double x, double y);
    bool RemoveAllVertices();
    bool IsOpen() const { return m_nMinVertices == 2; }
    bool IsClosed() const { return m_bClosed; }
    int GetMinVertexCount() const { return m_nMinVertices; }
    int GetGripIndex() const { return m_nGrip; }
    bool GetVertexTicks() const { return m_bVertexTicks; }
    void SetVertexTicks(bool b) { m_bVertexTicks = b; }
    bool GetMarkersFlag() const { return m_bMarkers; }
    void SetMarkersFlag(bool b) { m_bMarkers = b; }
    COLORREF GetMarkerColour() const { return m_crMarker; }
    void SetMarkerColour(COLORREF c) { m_crMarker = c; }

    // ---- CEntity operations ----------------------------------------------
    void SetReferencePoint(double x, double y) override;
    int GetCursorAt(CViewContext* pView, POINT p) override;
    void DragGrip(double x, double y) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    int GetGripCount() override;
    CVector2D GetGripPoint(int k) override;
    int GetHandleCount() override;
    CVector2D GetHandlePoint(int i) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    CVector2D GetNearestPoint(double x, double y) override;
    CVector2D GetNearestPointInView(CViewContext* pView, double x, double y) override;
    CVector2D GetNearestSegmentPoint(double x, double y, bool* pIsVertex, int* pIndex) override;
    CVector2D GetNearestSegmentPointInView(CViewContext* pView, double x, double y, bool* pIsVertex,
                                           int* pIndex) override;
    bool GetSegmentAt(double x, double y, int* pIndex, CVector2D* pStart, CVector2D* pEnd) override;
    int GetSegmentIndexAt(double x, double y) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& out) override;
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    int GetExportPartCount() override { return 1; }
    bool GetExportPartPoints(int part, CVectorArray& out) override;
    bool MarkVerticesInRect(int op, double top, double left, double bottom, double right) override;
    bool MoveMarkedVertices(double dx, double dy) override;
    bool UnmarkVertices() override;
    int GetMarkedVertexCount() override;
    bool ApplyToNearestVertex(int code, const CVector2D& point, double* pDistance,
                              bool* pFound) override;
    bool MarkSegmentsInRect(int op, double top, double left, double bottom, double right, int mode,
                            int filter) override;
    bool UnmarkSegments() override;
    int GetMarkedSegmentCount() override;
    bool Rotate(double cx, double cy, double angle) override;
    bool Scale(double cx, double cy, double sx, double sy) override;
    bool MoveBy(double dx, double dy) override;
    bool SaveVertices() override;
    bool RestoreVertices() override;
    bool DragBy(double dx, double dy) override;
    bool ContainsPoint(double x, double y, bool bBoundaryInside) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    bool GetAttributes(CEntityAttributes& record) override;
    bool CopyFrom(const CEntity& source) override;
    void RecalcExtents() override;

    // ---- the polyline's own virtual operations, in this order --------------
    virtual bool DeleteVertex(int i);
    virtual bool InsertVertex(int i, const CPolyVertex& v);
    virtual void VertexHook1(int, int) {}
    virtual void VertexHook2(int, int) {}
    virtual const CVectorArray& GetVertexMarkerPoints(int i);
    virtual void RemoveLastVertex(bool* pRefused);
    virtual void GetMonotonicity(bool* pXMonotonic, bool* pYMonotonic);
    virtual bool IsSelfIntersecting();
    virtual bool DeleteNearestVertex(double x, double y, bool* pRefused);
    virtual void ExtendExtents(const CPolyVertex& v);
    virtual bool IntersectsRect(bool bClosed, double top, double left, double bottom, double right,
                                int filter);
    virtual void DrawPolyline(bool bClosed, CDC* pDC, CViewContext* pView);
    virtual void DrawLines(bool bClosed, CDC* pDC, CViewContext* pView);
    virtual void DrawVertexTicks(bool bClosed, CDC* pDC, CViewContext* pView);
    virtual void DrawMarkedSegments(bool bClosed, CDC* pDC, CViewContext* pView);
    virtual void DrawSelected(bool bClosed, CDC* pDC, CViewContext* pView);
    virtual void DrawMarkedVertices(bool bClosed, CDC* pDC, CViewContext* pView);
    virtual void DrawCorner(CDC* pDC, CViewContext* pView, double px, double py, double vx,
                            double vy, double nx, double ny);
    virtual void DrawCornerSides(CDC* pDC, CViewContext* pView, double px, double py, double vx,
                                 double vy, double nx, double ny, int i);
    virtual void DrawVertexMarkers(CDC* pDC, CViewContext* pView);

    // ---- geometric queries ---------------------------------------------------
    bool IsGripVertex(int i, int last) const;
    int FindNearestVertex(double x, double y, bool bIncludeMarked) const;
    int NearestSegmentIndex(bool bClosed, double x, double y, bool bIncludeMarked) const;
    int FindNearestSegment(double x, double y, bool bIncludeClosing) const
    {
        return NearestSegmentIndex(bIncludeClosing, x, y, true);
    }
    double GetLength(bool bWithClosing) const;
    bool IsClockwise() const;
    static bool IsClockwiseTurn(double x1, double y1, double x2, double y2, double x3, double y3);
    static bool IsClockwiseTurn(const CVector2D& a, const CVector2D& b, const CVector2D& c)
    {
        return IsClockwiseTurn(a.x, a.y, b.x, b.y, c.x, c.y);
    }
    void ComputeVertexNormals();

protected:
    bool IsValidIndex(int i) const { return i >= 0 && i < GetVertexCount(); }
    // Of the vertex found for (x, y) and the foot on the segment found for it
    // (none when -1), the nearer one; a tie goes to the vertex.
    CVector2D NearerOfVertexAndFoot(double x, double y, int segment, const CVector2D& vertex,
                                    bool bIncludeMarked, bool* pIsVertex, int* pIndex) const;
    // Vertex i lies on a visible segment (before or after it).
    bool IsOnVisibleSegment(int i) const;
    // Visible segments through the current pen, as DrawLines draws them.
    void StrokeVisibleSegments(bool bClosed, CDC* pDC, CViewContext* pView);
    bool PassesSegmentFilter(int holder, int filter) const;

    int m_nMinVertices;
    bool m_bVertexTicks;
    bool m_bClosed;
    int m_nGrip;
    CPolyVertexArray m_vertices;
    CPolyVertexArray m_savedVertices;
    bool m_bSaved;
    bool m_bMarkers;
    COLORREF m_crMarker;
};
