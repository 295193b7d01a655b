// A rock path: the pieces one rock travelled, in order, as the engine
// reported them. The path owns its segments; impact records, end points and
// distribution samples point at the path without owning it.
//
// A computation appends tens of pieces to each of thousands of paths, so the
// pieces are kept by value in one contiguous array per path rather than as
// one heap object each. A pointer from GetSegment stays valid until the next
// piece is added or the path is read again.
#pragma once

#include <vector>
#include "geometry/Entity.h"
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

    // Gives back the room kept for pieces that never came, once the rock has
    // come to rest: a computation keeps tens of thousands of paths.
    void FreeExtra() { m_segments.shrink_to_fit(); }

    int GetSegmentUpperBound() const { return static_cast<int>(m_segments.size()) - 1; }
    CTalusimPathSegment* GetSegment(int i) const { return &m_segments[static_cast<size_t>(i)]; }
    // The end of the last piece; (DBL_MAX, DBL_MAX) without pieces.
    CVector2D GetLastPoint() const;

    int GetFileId() const { return m_fileId; }
    void SetFileId(int id) { m_fileId = id; }

    bool IsSelectedByFilter() const { return GetCategoryId() == kCategorySelected; }

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

    // The new piece, default-constructed at the end of the array.
    CTalusimPathSegment& AppendSegment();

    int m_fileId = 0;
    // Mutable because GetSegment hands out a piece for change from a const path.
    mutable std::vector<CTalusimPathSegment> m_segments;
};
