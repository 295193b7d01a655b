// Plane geometry on double world coordinates: point-in-polygon, segment and
// circle intersections, orientation, areas, distances, rotations, circles and
// arcs through given points. None of these keeps state between calls; none
// reports an error other than through its result.
#pragma once

#include <windows.h>
#include "framework/Array.h"
#include "geometry/Vector2D.h"

// A list of points taken as a closed ring; a closing duplicate of the first
// point (ApproxEqual) at the end is ignored.
using CPointList = CArray<CVector2D, const CVector2D&>;

// ---- predicates and intersections ------------------------------------------

// Boundary mode: 0 no boundary test, 1 a point on the boundary is inside, any
// other non-zero value: a point on the boundary is outside.
bool PointInPolygon(double px, double py, const CPointList& polygon, int mode);
bool PointInPolygonPts(double px, double py, int n, const CVector2D* pts, int mode);

// True when (px, py) lies on the segment within 1e-7 of its largest coordinate
// magnitude; t (when asked) receives the parameter along the segment.
bool PointOnSegment(double px, double py, double x1, double y1, double x2, double y2,
                    double* t = nullptr);

// Only a counter-clockwise triangle (y up) contains points.
bool PointInTriangle(double ax, double ay, double bx, double by, double cx, double cy,
                     double px, double py, int mode);

// 0 parallel (nothing written), 1 the segments meet, 2 the lines meet outside
// a segment. Parameters within 1e-8 of an end snap to it.
int SegmentIntersection(double ax1, double ay1, double ax2, double ay2,
                        double bx1, double by1, double bx2, double by2,
                        double& x, double& y, double& tA);

bool SegmentsCrossProperly(double x1, double y1, double x2, double y2,
                           double x3, double y3, double x4, double y4);

// Number of intersection points (0 to 2), stored with ascending x.
int SegmentCircleIntersection(double x1, double y1, double x2, double y2,
                              double cx, double cy, double r, double xs[2], double ys[2]);

// 0 not convex, 1 folded back on a line, 2 degenerate, 3 convex counter-
// clockwise, 4 convex clockwise.
int PolygonOrientation(int n, const CVector2D* const* pts);
int PolygonOrientationOfArray(const CPointList& polygon);

// Gift wrapping; indices counter-clockwise from the point of largest x.
bool ConvexHull(const CPointList& points, CArray<int, int>& hull);

bool ArcClearOfPolygon(const CVector2D* pts, int n, double cx, double cy, double r,
                       double ax, double ay, double bx, double by);

// ---- measures, tolerances and transforms ------------------------------------

bool PolygonArea(const CVector2D* pts, int n, double& area);
bool PolygonAreaOfArray(const CPointList& polygon, double& area);
// 0 done, 1 fewer than three points, 2 zero area (area written, centroid not).
int PolygonAreaCentroid(const CVector2D* pts, int n, double& cx, double& cy, double& area);
double PolylineLength(const CVector2D* pts, int segments);

double ScaledTolerance(const double& a, const double& b, const double& c, const double& d);
double ScaledTolerancePts(const CVector2D& a, const CVector2D& b, double tol);
bool PointsCoincide(const double& x1, const double& y1, const double& x2, const double& y2,
                    double tol);

double PointLineDistance(double x1, double y1, double x2, double y2, double px, double py);
// 1 nearest is the first end, 2 an interior point, 3 the second end.
int NearestPointOnSegment(double x1, double y1, double x2, double y2, double px, double py,
                          double& distance, double& nx, double& ny);
double Distance(double x1, double y1, double x2, double y2);
double DistanceBetween(const CVector2D& a, const CVector2D& b);
void Normalise2D(double& x, double& y);

double Cross2D(double a, double b, double c, double d);
double Dot2D(double ax, double ay, double bx, double by);
double Dot3D(double ax, double ay, double az, double bx, double by, double bz);
double DotN(const double* a, const double* b, int n);
void Cross3D(double ax, double ay, double az, double bx, double by, double bz,
             double& ox, double& oy, double& oz);
void CrossProduct3D(double ax, double ay, double az, double bx, double by, double bz,
                    double& ox, double& oy, double& oz);
void Cross3DOfArrays(const double a[3], const double b[3], double out[3]);
bool PlaneFrom3Points(const double xs[3], const double ys[3], const double zs[3],
                      double x, double y, double& z);

// Counter-clockwise about (cx, cy); degrees unless radians is set.
CVector2D& RotatePoint(CVector2D& p, double angle, double cx, double cy, bool radians);
void ShrinkSegment(CVector2D& p1, CVector2D& p2, double t);
double AngleCosine(double ax, double ay, double vx, double vy, double bx, double by);
// Mode 0 into [0, 360), mode 1 into [0, 2 pi); other modes leave the angle.
void NormaliseAngle(int mode, double& angle);
bool AngleFromVertical(CVector2D& p1, CVector2D& p2, double limit, double& signedLimit,
                       double& angle);

// False only when the three points are collinear (or coincide).
bool CircleThrough3Points(double x1, double y1, double x2, double y2, double x3, double y3,
                          double& cx, double& cy, double& r);
bool ArcFromChordAngle(const CVector2D& p1, const CVector2D& p2, double a, bool radians,
                       CVector2D& centre, double& radius);
bool ArcFromTangent(const CVector2D& p1, const CVector2D& p2, const CVector2D& p3,
                    CVector2D& centre, double& radius);
bool SampleArcCentres(const CVector2D& p1, const CVector2D& p2, double a0, double a1, int n,
                      bool radians, CPointList& centres, CArray<double, double>& radii);

// A rectangle of doubles; Normalize puts the upper-left (smaller x, larger y)
// corner first.
class CRectD
{
public:
    double x1, y1, x2, y2;

    CRectD() : x1(0), y1(0), x2(0), y2(0) {}
    CRectD(double ax1, double ay1, double ax2, double ay2) : x1(ax1), y1(ay1), x2(ax2), y2(ay2) {}
    void Normalize();
    bool operator!=(const CRectD& o) const
    {
        return x1 != o.x1 || y1 != o.y1 || x2 != o.x2 || y2 != o.y2;
    }
};

RECT RectFromOriginSize(int x, int y, int w, int h);
