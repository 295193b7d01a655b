// A rock path: the pieces one rock travelled, in order, as the engine
// reported them. Impact records, end points and distribution samples point at
// the path without owning it.
//
// A computation appends tens of pieces to each of thousands of paths, so the
// pieces are kept by value, next to each other: in an array of the path's
// own, or in the document's store that a computation hands each of its paths
// (UseStore). A pointer from GetSegment stays valid until the next piece is
// added to the path or the path is read again.
#pragma once

#include <span>
#include <vector>
#include "geometry/Entity.h"
#include "model/PathSegmentStore.h"
#include "model/TalusimPathSegment.h"

class CTalusimRockPath : public CEntity
{
    DECLARE_SERIAL(CTalusimRockPath)
public:
    static constexpr int kKindId = 2105;
    // Categories of a rock path: selected by the active filter, or ordinary.
    static constexpr int kCategorySelected = 2164;
    static constexpr int kCategoryOrdinary = 2165;

    CTalusimRockPath();
    ~CTalusimRockPath() override;
    CTalusimRockPath(const CTalusimRockPath&) = delete;
    CTalusimRockPath& operator=(const CTalusimRockPath&) = delete;

    // Append one piece and widen the extents; always true.
    bool AddStraightSegment(double x0, double y0, double x1, double y1, double T, double g);
    bool AddCurvedSegment(double x0, double y0, double x1, double y1, double vx, double vy, double T,
                          double g);

    // The pieces from now on go into the given store, which must outlive the
    // path's use of them (the pieces so far are moved there).
    void UseStore(CPathSegmentStore* store);

    int GetSegmentUpperBound() const { return static_cast<int>(Segments().size()) - 1; }
    CTalusimPathSegment* GetSegment(int i) const { return &Segments()[static_cast<size_t>(i)]; }
    // The end of the last piece; (DBL_MAX, DBL_MAX) without pieces.
    CVector2D GetLastPoint() const;

    int GetFileId() const { return m_fileId; }
    void SetFileId(int id) { m_fileId = id; }

    bool IsSelectedByFilter() const { return GetCategoryId() == kCategorySelected; }

    // A disc still moving when its run reached the time to finish: its end
    // point is where it was then, not where it came to rest. Kept for the
    // session only; the files have no place for it.
    bool IsStillMoving() const { return m_stillMoving; }
    void SetStillMoving(bool moving) { m_stillMoving = moving; }

    void AddExportPoints(CVectorArray& points) const;
    void ExtendExtentsBySegment(const CTalusimPathSegment& segment);

    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool QueryOption(CPickRequest*, CViewContext*, int) override { return false; }
    int GetExportPartCount() override { return 1; }
    bool GetExportPartPoints(int part, CVectorArray& points) override;
    COLORREF GetExportPartColour(int part) override;
    CString GetExportPartLayer(int part) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void RecalcExtents() override;

private:
    static constexpr size_t kInitialSegmentCapacity = 16;

    // The path's pieces; none once its store was emptied.
    std::span<CTalusimPathSegment> Segments() const;
    // The new piece, default-constructed after the path's last one.
    CTalusimPathSegment& AppendSegment();

    int m_fileId = 0;
    bool m_stillMoving = false;
    // The pieces are in the store when there is one, else in the path's own
    // array. Mutable because GetSegment hands out a piece for change from a
    // const path.
    CPathSegmentStore* m_store = nullptr;
    CPathSegmentPlace m_place;
    mutable std::vector<CTalusimPathSegment> m_ownSegments;
};
